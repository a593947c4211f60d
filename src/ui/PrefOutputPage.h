// The preferences page "Output names": where the outputs go ("Output folder", "Keep the folder
// tree", "Name from tags" with its template and the portable-names switch), the folder pictures,
// "When the output exists", which audio track of a file with several converts, and "One file
// per chapter" for chaptered files. The name the selected row would get is shown as the choices
// change. The rules are app/OutputNames, app/TrackChoice and app/Segments.
#pragma once

#include "app/OutputNames.h"
#include "ui/PreferencePage.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TPrefOutputPage : public TPreferencePage {
    Q_OBJECT
public:
    // What the example name is made of: the selected row (or a sample) and the profile.
    struct TExample {
        zelta::TNameExample Name = zelta::SampleNameExample();
        std::string Suffix = ".mp3";
        bool AudioProfile = true; // folder pictures are on by default for audio profiles
    };
    using TExampleSource = std::function<TExample()>;

    explicit TPrefOutputPage(QWidget* Parent = nullptr);
    void SetExampleSource(TExampleSource Source) { ExampleSource_ = std::move(Source); }

    QString Title() const override;
    void ShowSettings(const zelta::TIniFile& Settings) override;
    void ShowDefaults() override;
    std::string CheckValues() const override;
    bool SaveSettings(zelta::TIniFile& Settings) override;

    // The values the controls hold now.
    zelta::TOutputNaming ControlValues() const;

    QButtonGroup* rdGrpLayout;    // ids: TOutputLayout
    QLineEdit* edtNameTemplate;
    QCheckBox* ckPortableNames;
    QCheckBox* ckFolderPictures;
    QLabel* lblNameExample;
    QComboBox* cbIfExists;        // item data: TIfExists
    QComboBox* cbAudioTrack;      // editable: the rule's text ("default", "2", "eng,fre", "all")
    QCheckBox* ckSplitChapters;   // "One file per chapter" (app/Segments)

private:
    void ShowValues(const zelta::TOutputNaming& Values);
    void UpdateExample();
    TExample Example() const;

    TExampleSource ExampleSource_;
};
