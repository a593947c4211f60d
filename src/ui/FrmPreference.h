// The preferences dialog ("Preference", Tools menu): on its first page the snapshot folder,
// sizes, formats and JPEG quality, and the work priority; further pages (output names, loudness) are
// modules of their own (ui/PreferencePage.h). Created on first use by the main window and kept; every
// showing reloads the values from the settings file, OK writes them, Cancel writes nothing, and
// Browse stores a newly chosen snapshot folder at once. The settings logic is app/PreferenceLogic.
#pragma once

#include "app/PreferenceLogic.h"

#include <QDialog>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class TPreferencePage;
class TPrefOutputPage;
class TPrefLoudnessPage;
class TDialogServices;
class TfmDirectory;

class TfrmPreference : public QDialog {
    Q_OBJECT
public:
    // Returns the shared folder chooser, creating it on first use; called on Browse.
    using TFolderChooser = std::function<TfmDirectory&()>;

    TfrmPreference(TFolderChooser FolderChooser, const TDialogServices& Services,
                   QWidget* Parent = nullptr);

    // The values the controls hold now.
    zelta::TPreferenceValues ControlValues() const;
    // Adds a page after those there: shown, defaulted and saved with the dialog.
    void AddPage(TPreferencePage* Page);

    QTabWidget* tabPages;         // "General" (the controls below), then the pages
    TPrefOutputPage* OutputPage;  // "Output names"
    TPrefLoudnessPage* LoudnessPage; // "Loudness"

    QLineEdit* edtSnapDirectory;
    QPushButton* btnBrows;
    QPushButton* btnOpen;
    QCheckBox* ckSmallSize;
    QCheckBox* ckFullSize;
    QCheckBox* ckBmp;
    QCheckBox* ckJpg;
    QSpinBox* spedCmp;
    QSlider* trcCmp;
    QButtonGroup* rdGrpPriority;  // ids 0..3: "Idle", "Normal", "Lower", "Lowest"
    QComboBox* cbSimultaneous;    // "Auto", 1, 2, 3, 4, 6, 8 (item data: the stored value)
    QCheckBox* ckKeepTags;        // "KeepTags"
    QCheckBox* ckReplayGain;      // "ReplayGain"
    QCheckBox* ckNotify;          // "NotifyBatchEnd"
    QComboBox* cbLanguage;        // "Language": item data "System" or a language's code
    QPushButton* btnDefault;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FormShow();
    void btnOkClick();
    void btnDefaultClick();
    void btnBrowsClick();
    void btnOpenClick();
    void ckFullSizeClick();
    void ckSmallSizeClick();
    void ckBmpClick();
    void ckJpgClick();
    void trcCmpChange(int Value);
    void spedCmpChange(int Value);

    void ShowValues(const zelta::TPreferenceValues& Values);
    void SetQualityEnabled(bool Enabled);

    TFolderChooser FolderChooser_;
    std::vector<TPreferencePage*> Pages_;
    const TDialogServices& Services_;
};
