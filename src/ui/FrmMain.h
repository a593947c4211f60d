// The main window: a fixed 760 x 512 window with the menu bar, the toolbar, the source list,
// the preview panel, the output group (format picker, output folder with Browse and Open), the
// large Start button and the hidden controls (log memo, Stop/Pause/Resume, the audio format
// combo). It owns the encoder component Ovren and the batch driver, and answers the driver's
// questions and messages with message boxes.
//
// Every command calls into app/: the list commands into TSourceListModel, Start into
// TBatchDriver, the picker into TFormatPickerModel; the window only shows and enables.
// Creation, first showing and closing follow the designed order (app/MainFormLogic). Main
// thread only; Services (message boxes, the desktop's URL handler) must outlive the window.
#pragma once

#include "app/BatchDriver.h"
#include "app/DesktopNotices.h"
#include "app/ListKeeper.h"
#include "app/SourceList.h"
#include "app/WebPages.h"
#include "component/FFConverter.h"
#include "ui/PrefOutputPage.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QSlider;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TAudioFormatCombo;
class TDialogServices;
class TFormatPicker;
class TFormatPickerList;
class TPreviewPanel;
class TSourceListView;
class TfmDirectory;
class TfrmAbout;
class TfrmFileInfo;
class TfrmPreference;
class TfrmProgress;
class TfrmSettings;
class TfrmTrim;

class TfrmMain : public QMainWindow, public zelta::TBatchHost {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* Parent = nullptr);
    TfrmMain(const TDialogServices& Services, QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // The folder chooser shared by Browse and the preferences dialog, created on first use.
    TfmDirectory& FolderChooser();
    // The windows created on first use; null until then.
    TfrmPreference* PreferenceWindow() const { return frmPreference.get(); }
    TfrmAbout* AboutWindow() const { return frmAbout.get(); }
    TfrmFileInfo* FileInfoWindow() const { return frmFileInfo.get(); }
    TfrmProgress* ProgressWindow() const { return frmProgress.get(); }
    TfrmSettings* SettingsWindow() const { return frmSettings.get(); }
    TfrmTrim* TrimWindow() const { return frmTrim.get(); }

    zelta::TSourceListModel& Files() { return Files_; }
    TFFConverter& Ovren() { return Ovren_; }
    const zelta::TBatchDriver& Driver() const { return *Driver_; }

    // The add procedure after its dialog: Paths in the dialog's order (also files dropped on
    // the list and files named on the command line). A folder among them adds the media files
    // below it, and the count added and passed over is shown afterwards.
    void AddChosenFiles(const std::vector<std::string>& Paths);
    // Shows what the settings file now says after something other than the user's typing
    // changed it: the output folder box (a fallback to the default folder) and every row's
    // destination name (another profile, another folder).
    void RefreshFromSettings();

    // ---- controls ----
    QToolButton* btnAdd;
    QToolButton* btnRemove;
    QToolButton* btnClear;
    QToolButton* btnSettings;
    QToolButton* btnEdit;
    QToolButton* btnStart;
    QToolButton* btnExit;
    TSourceListView* lvFiles;
    TPreviewPanel* PreviewPanel;  // the whole preview group
    QSlider* tbVolume;            // its volume bar and Mute box
    QCheckBox* chkMute;
    TFormatPicker* Picker;        // edt1, imgbtn1 and lst1 with their handlers
    QLineEdit* edt1;
    QToolButton* imgbtn1;
    TFormatPickerList* lst1;
    QPushButton* btnOptions;
    QLineEdit* edDirectory;       // output folder box
    QLineEdit* edtOutputDir;      // the same box (the name the earlier windows' tests use)
    QPushButton* btnBrows;
    QPushButton* btnOpen;
    QPushButton* btnStartBelow;
    // Hidden.
    QPlainTextEdit* mmoLog;       // log: library load failures, the preview's file lines
    QPushButton* btnStop;
    QPushButton* btnPause;
    QPushButton* btnResume;
    TAudioFormatCombo* cbOutputFormat;

    // ---- menus ----
    QMenu* File1;
    QMenu* EditMenu;
    QMenu* Tools1;
    QMenu* Skin1;
    QMenu* Help1;
    QMenu* PopupMenu1;            // the list's pop-up, also below the Edit toolbar button
    // File
    QAction* Edit1;               // &Add
    QAction* AddFolder1;          // Add F&older...
    QAction* Remove1;
    QAction* Clear1;
    QAction* Start1;
    QAction* Settings1;
    QAction* Exit2;
    // Edit
    QAction* Crop1;
    QAction* Trim1;
    QAction* WaterMark1;
    QAction* CheckAll1;
    QAction* UncheckAll1;
    QAction* ReserveCheck1;
    QAction* Check1;
    QAction* Uncheck1;
    // Tools
    QAction* Options1;            // &Preference
    std::array<QAction*, 8> SkinItems; // Skin11 .. Skin71, then Follow system, by theme index
    // Help, Web Site
    QAction* Help2;
    QAction* SupportandContact1;
    QAction* About;
    QAction* WebSite1;
    // Pop-up
    QAction* Crop2;
    QAction* Trim2;
    QAction* AudioTrack1;         // Edit menu: the row's audio track
    QAction* AudioTrack2;         // the list's pop-up: the same
    QAction* WaterMark2;
    QAction* AddFiles1;
    // The Add button's menu.
    QMenu* AddMenu;
    QAction* AddFiles3;
    QAction* AddFolder2;
    QAction* Remove2;
    QAction* Clear2;
    QAction* Start2;
    QAction* Infomation1;
    QAction* SplitChapters2;      // "One File per C&hapter": the selected row by its chapters

    // ---- commands (public so tests and other windows can run them like a click) ----
    void btnAddClick();
    // "Add Folder...": every media file below the chosen folder (AddChosenFiles).
    void AddFolderClick();
    void btnRemoveClick();
    void btnClearClick();
    void btnStartClick();
    void btnEditClick();
    void btnSettingsClick();
    void btnOptionsClick();
    void btnOpenClick();
    void btnBrowsClick();
    void CheckAll1Click();
    void UncheckAll1Click();
    void ReserveCheck1Click();
    void Check1Click();
    void Uncheck1Click();
    void CropClick();
    void AudioTrackClick();
    void TrimClick();
    void WaterMarkClick();
    void Infomation1Click();
    void SplitChaptersClick();
    void SkinClick(int Index);
    void btnStopClick();
    void btnPauseClick();
    void btnResumeClick();

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate();
    void FormShow();
    void KeepList(const zelta::TGlobalObject& Global);
    void TellDesktopBatchEnded();
    bool FormCloseQuery();
    void CreateControls(QWidget* Central);
    void CreateMenus();

    void EditMenuPopup();
    void PopupMenu1Popup();
    void Skin1Click();
    void lvFilesMouseDown(QPoint GlobalPosition);
    void lvFilesDblClick();
    void edDirectoryChange();
    void Options1Click();
    // The selected row (or a sample) and the profile, for the output names' example.
    TPrefOutputPage::TExample NameExample() const;
    void AboutClick();
    void Help2Click();
    void WebSite1Click();
    void SupportandContact1Click();
    void OpenWebPage(zelta::TWebPage Page);
    void SetRunButtons(bool Running);
    bool ListHasSelection() const;
    int EditedRow();

    // TUserPrompts / TBatchHost.
    void ShowMessage(std::string_view Caption, std::string_view Text) override;
    bool AskYesNo(std::string_view Caption, std::string_view Text) override;
    void ShowProgress(const zelta::TProgressTexts& Texts) override;
    void ShowProgressBar(int Percent) override;
    void ShowBatch(const zelta::TBatchView& View) override;
    bool OpenFolderAfterConversion() const override;
    bool ShutDownAfterConversion() const override;
    void OpenOutputFolder() override;
    void ShutDownComputer() override;
    void RunEnded() override;

    const TDialogServices& Services_;
    bool Shown_ = false;
    bool Closed_ = false;
    bool Running_ = false;       // Start is showing the progress window
    TFFConverter Ovren_;
    zelta::TSourceListModel Files_;
    std::unique_ptr<zelta::TBatchDriver> Driver_;
    std::unique_ptr<TfmDirectory> fmDirectory;
    std::unique_ptr<TfrmPreference> frmPreference;
    std::unique_ptr<TfrmAbout> frmAbout;
    std::unique_ptr<TfrmFileInfo> frmFileInfo;
    std::unique_ptr<TfrmProgress> frmProgress;
    std::unique_ptr<TfrmSettings> frmSettings;
    std::unique_ptr<TfrmTrim> frmTrim;
    // Keeps the list in the settings folder; made once the kept list is back (FormShow).
    std::unique_ptr<zelta::TListKeeper> Keeper_;
    // The dock entry's progress and the notice at a batch's end.
    std::unique_ptr<zelta::TDesktopNotices> Notices_;
};
