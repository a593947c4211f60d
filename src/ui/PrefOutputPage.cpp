#include "ui/PrefOutputPage.h"

#include "app/TrackChoice.h"
#include "app/Segments.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace zelta;

TPrefOutputPage::TPrefOutputPage(QWidget* Parent) : TPreferencePage(Parent) {
    setObjectName(QStringLiteral("PrefOutputPage"));
    auto* names = new QGroupBox(tr("Output names"), this);
    auto* grid = new QGridLayout(names);
    rdGrpLayout = new QButtonGroup(names);
    const struct {
        TOutputLayout Layout;
        const char* Text;
        const char* Tip;
    } layouts[] = {
        //: Output layout: every output straight in the output folder
        {TOutputLayout::Flat, QT_TR_NOOP("Output folder"),
         QT_TR_NOOP("name_(new).ext in the output folder")},
        {TOutputLayout::Tree, QT_TR_NOOP("Keep the folder tree"),
         QT_TR_NOOP("The folders below an added folder are made again in the output folder")},
        {TOutputLayout::Tags, QT_TR_NOOP("Name from tags"),
         QT_TR_NOOP("Folders and names made of the files' tags")},
    };
    int row = 0;
    for (const auto& l : layouts) {
        auto* radio = new QRadioButton(tr(l.Text), names);
        radio->setToolTip(tr(l.Tip));
        rdGrpLayout->addButton(radio, int(l.Layout));
        grid->addWidget(radio, row++, 0, 1, 2);
    }
    auto* templateLabel = new QLabel(tr("Name:"), names);
    edtNameTemplate = new QLineEdit(names);
    templateLabel->setBuddy(edtNameTemplate);
    //: The names in braces are what the template is written with: keep them as they are
    edtNameTemplate->setToolTip(
        tr("{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} "
           "{name} {folder} {ext} {tracknumber} {tracklang} "
           "{chapter} {chaptertitle}; \"/\" makes folders"));
    grid->addWidget(templateLabel, row, 0);
    grid->addWidget(edtNameTemplate, row++, 1);
    ckPortableNames = new QCheckBox(tr("Portable names (for memory cards)"), names);
    ckPortableNames->setToolTip(
        tr("Also replaces < > : \" \\ | ? * and trailing dots and blanks"));
    grid->addWidget(ckPortableNames, row++, 0, 1, 2);
    ckFolderPictures =
        new QCheckBox(tr("Copy folder pictures (cover.jpg, folder.jpg) beside the outputs"),
                      names);
    grid->addWidget(ckFolderPictures, row++, 0, 1, 2);
    auto* exampleLabel = new QLabel(tr("Example:"), names);
    lblNameExample = new QLabel(names);
    lblNameExample->setObjectName(QStringLiteral("lblNameExample"));
    lblNameExample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblNameExample->setWordWrap(true);
    exampleLabel->setBuddy(lblNameExample);
    grid->addWidget(exampleLabel, row, 0, Qt::AlignTop);
    grid->addWidget(lblNameExample, row++, 1);
    grid->setColumnStretch(1, 1);

    auto* exists = new QGroupBox(tr("When the output exists"), this);
    auto* existsRow = new QHBoxLayout(exists);
    cbIfExists = new QComboBox(exists);
    cbIfExists->setAccessibleName(tr("When the output exists"));
    const struct {
        TIfExists Rule;
        const char* Text;
    } rules[] = {
        {TIfExists::Number, QT_TR_NOOP("Number (keep both)")},
        //: When the output exists: leave it and convert nothing
        {TIfExists::Skip, QT_TR_NOOP("Skip")},
        {TIfExists::Replace, QT_TR_NOOP("Replace")},
        {TIfExists::Update, QT_TR_NOOP("Update (replace when the source is newer)")},
    };
    for (const auto& r : rules)
        cbIfExists->addItem(tr(r.Text), int(r.Rule));
    existsRow->addWidget(cbIfExists, 1);

    auto* tracks = new QGroupBox(tr("Audio tracks"), this);
    auto* tracksRow = new QHBoxLayout(tracks);
    auto* trackLabel = new QLabel(tr("Files with several: &convert"), tracks);
    cbAudioTrack = new QComboBox(tracks);
    cbAudioTrack->setObjectName(QStringLiteral("cbAudioTrack"));
    cbAudioTrack->setEditable(true);
    cbAudioTrack->setInsertPolicy(QComboBox::NoInsert);
    for (const char* rule : {"default", "first", "all", "eng,fre"})
        cbAudioTrack->addItem(QString::fromLatin1(rule));
    //: default, first, all and eng,fre are what the box takes: keep them as they are
    cbAudioTrack->setToolTip(
        tr("default: the track flagged default, else the first; first; a track number; languages "
           "in order of preference (eng,fre); all: a file for each track"));
    trackLabel->setBuddy(cbAudioTrack);
    tracksRow->addWidget(trackLabel);
    tracksRow->addWidget(cbAudioTrack, 1);
    auto* pieces = new QGroupBox(tr("Files with chapters"), this);
    auto* piecesRow = new QHBoxLayout(pieces);
    ckSplitChapters = new QCheckBox(tr("One file per chapter"), pieces);
    ckSplitChapters->setObjectName(QStringLiteral("ckSplitChapters"));
    ckSplitChapters->setToolTip(
        tr("Files added later with chapters (audiobooks, concerts) give a row per "
           "chapter, named \"name - 01 title\"; a CUE sheet always gives a row per "
           "track"));
    piecesRow->addWidget(ckSplitChapters, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(names);
    layout->addWidget(exists);
    layout->addWidget(tracks);
    layout->addWidget(pieces);
    layout->addStretch(1);

    connect(rdGrpLayout, &QButtonGroup::idClicked, this, [this] { UpdateExample(); });
    connect(edtNameTemplate, &QLineEdit::textChanged, this, [this] { UpdateExample(); });
    connect(ckPortableNames, &QCheckBox::toggled, this, [this] { UpdateExample(); });
}

QString TPrefOutputPage::Title() const { return tr("Output names"); }

TOutputNaming TPrefOutputPage::ControlValues() const {
    TOutputNaming n;
    n.Layout = TOutputLayout(std::max(0, rdGrpLayout->checkedId()));
    n.Template = edtNameTemplate->text().toStdString();
    n.Portable = ckPortableNames->isChecked();
    n.IfExists = TIfExists(cbIfExists->currentData().toInt());
    n.FolderPictures = ckFolderPictures->isChecked();
    return n;
}

void TPrefOutputPage::ShowValues(const TOutputNaming& Values) {
    if (QAbstractButton* b = rdGrpLayout->button(int(Values.Layout)))
        b->setChecked(true);
    edtNameTemplate->setText(QString::fromStdString(Values.Template));
    ckPortableNames->setChecked(Values.Portable);
    ckFolderPictures->setChecked(Values.FolderPictures);
    cbIfExists->setCurrentIndex(std::max(0, cbIfExists->findData(int(Values.IfExists))));
    UpdateExample();
}

void TPrefOutputPage::ShowSettings(const TIniFile& Settings) {
    // The folder pictures' default follows the profile: on for audio.
    ShowValues(ReadOutputNaming(Settings, Example().AudioProfile));
    cbAudioTrack->setEditText(QString::fromStdString(TrackRuleText(ReadTrackRule(Settings))));
    ckSplitChapters->setChecked(ReadSplitChapters(Settings));
}

void TPrefOutputPage::ShowDefaults() {
    TOutputNaming defaults;
    defaults.FolderPictures = true;
    ShowValues(defaults);
    cbAudioTrack->setEditText(QString::fromStdString(TrackRuleText(TTrackRule{})));
    ckSplitChapters->setChecked(false);
}

std::string TPrefOutputPage::CheckValues() const {
    if (!ParseTrackRule(cbAudioTrack->currentText().toStdString()))
        //: default, first, all and eng,fre are what the box takes: keep them as they are
        return tr("The audio track rule cannot be used: write default, first, a track number, "
                  "languages such as eng,fre, or all.")
            .toStdString();
    const TOutputNaming n = ControlValues();
    if (n.Layout != TOutputLayout::Tags)
        return {};
    const std::string error = TemplateError(n.Template);
    //: %1 says what is wrong with the typed name template
    return error.empty() ? std::string()
                         : tr("The name cannot be used: %1.")
                               .arg(QString::fromStdString(error))
                               .toStdString();
}

bool TPrefOutputPage::SaveSettings(TIniFile& Settings) {
    TOutputNaming n = ControlValues();
    // A template that cannot be used (only possible while another layout is chosen) is not kept.
    if (!TemplateError(n.Template).empty())
        n.Template = std::string(DefaultNameTemplate);
    const std::optional<TTrackRule> rule = ParseTrackRule(cbAudioTrack->currentText().toStdString());
    return WriteOutputNaming(Settings, n) && (!rule || WriteTrackRule(Settings, *rule)) &&
           WriteSplitChapters(Settings, ckSplitChapters->isChecked());
}

TPrefOutputPage::TExample TPrefOutputPage::Example() const {
    return ExampleSource_ ? ExampleSource_() : TExample{};
}

void TPrefOutputPage::UpdateExample() {
    const TOutputNaming n = ControlValues();
    edtNameTemplate->setEnabled(n.Layout == TOutputLayout::Tags);
    const TExample example = Example();
    lblNameExample->setText(
        QString::fromStdString(OutputNameExample(n, example.Name, example.Suffix)));
}
