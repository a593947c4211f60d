// The main window. This is the shell the later windows' work fills: fixed size, caption,
// the hidden log memo, the output folder box with Browse and Open, the preview's volume and Mute
// controls, and the Tools, Help and Web Site menus with the windows they open.
// Creation, first showing and closing follow the designed order; the settings and library work
// lives in app/MainFormLogic.
#pragma once

#include "app/WebPages.h"
#include "engine/FFUtils.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class TDialogServices;
class TfmDirectory;
class TfrmAbout;
class TfrmPreference;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // Services (message boxes, the desktop's URL handler) must outlive the window.
    explicit TfrmMain(QWidget* Parent = nullptr);
    TfrmMain(const TDialogServices& Services, QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // The folder chooser shared by Browse and the preferences dialog, created on first use.
    TfmDirectory& FolderChooser();
    // The windows created on first use; null until then.
    TfrmPreference* PreferenceWindow() const { return frmPreference.get(); }
    TfrmAbout* AboutWindow() const { return frmAbout.get(); }

    QPlainTextEdit* mmoLog;   // hidden log: library load failures land here
    QLineEdit* edtOutputDir;  // output folder box
    QPushButton* btnBrows;
    QPushButton* btnOpen;
    QSlider* tbVolume;        // preview volume 0..128
    QCheckBox* chkMute;

    QAction* Options1;            // Tools > Preference
    QAction* Help2;               // Help > Help
    QAction* SupportandContact1;  // Help > Support and Contact
    QAction* About;               // Help > About
    QAction* WebSite1;            // Web Site (a command of the menu bar itself)

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void CreateMenus();

    void Options1Click();
    void AboutClick();
    void Help2Click();
    void WebSite1Click();
    void SupportandContact1Click();
    void btnBrowsClick();
    void btnOpenClick();
    void OpenWebPage(zelta::TWebPage Page);

    const TDialogServices& Services_;
    bool Shown_ = false;
    bool Closed_ = false;
    std::unique_ptr<TBitmap24> PreviewFrame;
    std::unique_ptr<TfmDirectory> fmDirectory;
    std::unique_ptr<TfrmPreference> frmPreference;
    std::unique_ptr<TfrmAbout> frmAbout;
};
