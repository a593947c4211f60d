// The "Loudness" page of the preferences dialog: loudness normalisation (target, true-peak
// ceiling, album mode, the tags shortcut), fades and silence trimming. The page only shows and
// collects values; what they mean, their checks and their keys are app/LoudnessPreferences.
#pragma once

#include "app/IniFile.h"
#include "app/LoudnessPreferences.h"
#include "ui/PreferencePage.h"

#include <string>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

class TPrefLoudnessPage : public TPreferencePage {
    Q_OBJECT
public:
    explicit TPrefLoudnessPage(QWidget* Parent = nullptr);

    QString Title() const override;
    void ShowSettings(const zelta::TIniFile& Settings) override;
    void ShowDefaults() override;
    std::string CheckValues() const override;
    bool SaveSettings(zelta::TIniFile& Settings) override;

    zelta::TLoudnessPreferences Values() const;
    void ShowValues(const zelta::TLoudnessPreferences& Values);

    QCheckBox* ckNormalize;       // "Normalise loudness"
    QComboBox* cbTarget;          // LoudnessTargetTexts
    QLineEdit* edtTarget;         // the typed target, for "Other:"
    QDoubleSpinBox* spedCeiling;  // true-peak ceiling, dBTP
    QComboBox* cbAlbum;           // AlbumGainTexts
    QCheckBox* ckFromTags;        // "Use ReplayGain/R128 tags when present"
    QDoubleSpinBox* spedFadeIn;   // seconds
    QDoubleSpinBox* spedFadeOut;
    QCheckBox* ckTrimSilence;

private:
    // The normalisation's own controls follow its check box; the typed target follows "Other:".
    void UpdateEnabled();
};
