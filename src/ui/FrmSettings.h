// The profile settings dialog ("Settings"): a profile list like the main window's format picker
// (opening below its box) and the video and audio parameters of the shown profile, chosen from
// the values the catalogue offers or typed. Created on first use by the main window and kept;
// every showing reloads from the settings file and the catalogue. OK checks and stores the
// choice and makes the shown profile the current one (the main window then rebuilds its
// picker); Cancel and closing store nothing. The logic is app/SettingsLogic.
//
// Main thread only; Services must outlive the dialog.
#pragma once

#include "app/SettingsLogic.h"

#include <QDialog>

#include <array>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDialogServices;
class TFormatPicker;
class TFormatPickerList;

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSettings(const TDialogServices& Services, QWidget* Parent = nullptr);

    // The current profile: the stored one after showing, then the one chosen in the list.
    const std::string& ProfileName() const { return Name_; }
    int ProfileCode() const { return Code_; }
    QComboBox* Combo(zelta::TParamCombo C) const { return Combos_[size_t(C)]; }

    // ---- controls ----
    TFormatPicker* Picker; // edt1, imgbtn1 and lst1 with their handlers
    QLineEdit* edt1;
    QToolButton* imgbtn1;
    TFormatPickerList* lst1;
    QGroupBox* grpVideo;
    QGroupBox* grpAudio;
    QComboBox* cmbVideoSize;
    QComboBox* cmbVideoBitRate;
    QComboBox* cmbFrameRate;
    QComboBox* cmbVideoEncoder;
    QComboBox* cmbZoom;
    QComboBox* cmbSamplerate;
    QComboBox* cmbAudioBitRate;
    QComboBox* cmbAudioEncoder;
    QComboBox* cmbChannel;
    QComboBox* cmbVolume;
    QPushButton* btnDefault;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    void btnOkClick();
    void btnCancelClick();
    void btnDefaultClick();

protected:
    void showEvent(QShowEvent* Event) override;
    // The typed-value checks: keys typed into the editable combos, and leaving them.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // The designed width, or wider when the captions of the interface language need it.
    int Width_ = 0;
    void FormShow();
    void edt1Change(int Code);
    void ShowParams(const zelta::TProfileParamsView& View);
    zelta::TProfileParamsView ControlsView() const;
    // True when the key was dropped.
    bool ComboKeyPress(zelta::TParamCombo C, const QString& Key);
    void ComboExit(zelta::TParamCombo C);
    // Shows a failed check on its combo: the corrected text or the second item, the message,
    // and (for an invalid value) the focus back.
    void ShowCheck(zelta::TParamCombo C, const zelta::TTypedCheck& Check);
    void Message(const QString& Caption, const QString& Text);

    const TDialogServices& Services_;
    std::array<QComboBox*, zelta::ParamComboCount> Combos_{};
    std::string Name_;
    int Code_ = 0;
    bool CheckShowing_ = false; // a check's message is on its way; OK waits for it
};
