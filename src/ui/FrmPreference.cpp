#include "ui/FrmPreference.h"

#include "ui/AccessibleNames.h"

#include "app/FolderChooserLogic.h"
#include "app/GlobalObject.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "ui/DialogServices.h"
#include "ui/FmDirectory.h"
#include "ui/PrefLoudnessPage.h"
#include "ui/PrefOutputPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace zelta;

namespace {

QString Text(const std::string& S) { return QString::fromStdString(S); }

} // namespace

TfrmPreference::TfrmPreference(TFolderChooser FolderChooser, const TDialogServices& Services,
                               QWidget* Parent)
    : QDialog(Parent), FolderChooser_(std::move(FolderChooser)), Services_(Services) {
    setObjectName(QStringLiteral("frmPreference"));
    //: Title of the preferences window
    setWindowTitle(tr("Preference"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The first page holds the designed controls; further pages are modules of their own.
    tabPages = new QTabWidget(this);
    tabPages->setObjectName(QStringLiteral("tabPages"));
    tabPages->setAccessibleName(tr("Preference pages"));
    auto* general = new QWidget(tabPages);
    general->setObjectName(QStringLiteral("PrefGeneralPage"));
    //: Group of the settings for pictures saved from the playing video
    auto* snapshot = new QGroupBox(tr("Snapshot"), general);
    auto* grid = new QGridLayout(snapshot);
    grid->setColumnStretch(1, 1);

    // The folder gets a row of its own so that long paths stay readable.
    auto* folderLabel = new QLabel(tr("Snapshot folder:"), snapshot);
    grid->addWidget(folderLabel, 0, 0, 1, 2);
    edtSnapDirectory = new QLineEdit(snapshot);
    folderLabel->setBuddy(edtSnapDirectory);
    edtSnapDirectory->setReadOnly(true);
    btnBrows = new QPushButton(tr("&Brows"), snapshot);
    //: Button that opens the snapshot folder in the file manager
    btnOpen = new QPushButton(tr("&Open"), snapshot);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(edtSnapDirectory, 1);
    folderRow->addWidget(btnBrows);
    folderRow->addWidget(btnOpen);
    grid->addLayout(folderRow, 1, 0, 1, 2);

    grid->addWidget(new QLabel(tr("Snapshot size:"), snapshot), 2, 0);
    ckSmallSize = new QCheckBox(tr("Small Size"), snapshot);
    ckFullSize = new QCheckBox(tr("Full Size"), snapshot);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(ckSmallSize);
    sizeRow->addWidget(ckFullSize);
    sizeRow->addStretch(1);
    grid->addLayout(sizeRow, 2, 1);

    grid->addWidget(new QLabel(tr("Snapshot format:"), snapshot), 3, 0);
    ckBmp = new QCheckBox(QStringLiteral("BMP"), snapshot);
    ckJpg = new QCheckBox(QStringLiteral("JPG"), snapshot);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(ckBmp);
    formatRow->addWidget(ckJpg);
    formatRow->addStretch(1);
    grid->addLayout(formatRow, 3, 1);

    auto* qualityLabel = new QLabel(tr("Jpg Compression Quality:"), snapshot);
    grid->addWidget(qualityLabel, 4, 0);
    spedCmp = new QSpinBox(snapshot);
    qualityLabel->setBuddy(spedCmp);
    spedCmp->setRange(JpegQualityMin, JpegQualityMax);
    // The value changes by the arrows only.
    if (auto* edit = spedCmp->findChild<QLineEdit*>())
        edit->setReadOnly(true);
    trcCmp = new QSlider(Qt::Horizontal, snapshot);
    trcCmp->setRange(JpegQualityMin, JpegQualityMax);
    trcCmp->setTickPosition(QSlider::TicksBelow);
    trcCmp->setTickInterval(10);
    trcCmp->setAccessibleName(tr("Jpg Compression Quality slider"));
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(spedCmp);
    qualityRow->addWidget(trcCmp, 1);
    grid->addLayout(qualityRow, 4, 1);
    auto* note =
        new QLabel(tr("(The higher the value, the better the image quality.)"), snapshot);
    note->setAlignment(Qt::AlignRight);
    grid->addWidget(note, 5, 0, 1, 2);

    auto* priority = new QGroupBox(tr("Work priority"), general);
    auto* priorityRow = new QHBoxLayout(priority);
    rdGrpPriority = new QButtonGroup(priority);
    //: Work priority of the conversions
    const QString items[PriorityItemCount] = {tr("Idle"), tr("Normal"), tr("Lower"), tr("Lowest")};
    for (int i = 0; i < PriorityItemCount; ++i) {
        auto* radio = new QRadioButton(items[i], priority);
        rdGrpPriority->addButton(radio, i);
        priorityRow->addWidget(radio, 1);
    }

    auto* simultaneousLabel = new QLabel(tr("Simultaneous conversions:"), general);
    cbSimultaneous = new QComboBox(general);
    simultaneousLabel->setBuddy(cbSimultaneous);
    for (const int choice : SimultaneousChoices)
        //: Simultaneous conversions chosen by the program
        cbSimultaneous->addItem(choice == SimultaneousAuto ? tr("Auto")
                                                           : QString::number(choice),
                                choice);
    cbSimultaneous->setToolTip(
        tr("Auto: one file per core for audio profiles, one at a time for video"));
    auto* simultaneousRow = new QHBoxLayout;
    simultaneousRow->addWidget(simultaneousLabel);
    simultaneousRow->addWidget(cbSimultaneous);
    simultaneousRow->addStretch(1);

    ckKeepTags = new QCheckBox(tr("Keep tags and cover art"), general);
    ckReplayGain = new QCheckBox(tr("Write ReplayGain tags"), general);
    ckReplayGain->setToolTip(tr("Measures the loudness while converting"));
    auto* tagsRow = new QHBoxLayout;
    tagsRow->addWidget(ckKeepTags);
    tagsRow->addWidget(ckReplayGain);
    tagsRow->addStretch(1);
    ckNotify = new QCheckBox(tr("Tell me when a batch ends in the background"), general);
    ckNotify->setToolTip(tr("A desktop notification when the window is not active"));
    auto* languageLabel = new QLabel(tr("Language:"), general);
    cbLanguage = new QComboBox(general);
    languageLabel->setBuddy(cbLanguage);
    //: Interface language choice: the desktop's language
    cbLanguage->addItem(tr("System"), QString::fromLatin1(SystemLanguage));
    // Each language under its own name, so that a person finds theirs in any language.
    for (const TLanguage& language : ShippedLanguages())
        cbLanguage->addItem(Text(language.Name), Text(language.Code));
    cbLanguage->setToolTip(tr("Takes effect at the next start"));
    // Beside the conversions' count, so that the page keeps its height.
    simultaneousRow->addWidget(languageLabel);
    simultaneousRow->addWidget(cbLanguage);

    btnDefault = new QPushButton(tr("&Default"), this);
    btnOk = new QPushButton(tr("&Ok"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(snapshot);
    generalLayout->addWidget(priority);
    generalLayout->addLayout(simultaneousRow);
    generalLayout->addLayout(tagsRow);
    generalLayout->addWidget(ckNotify);
    generalLayout->addStretch(1);
    //: Tab of the general preferences
    tabPages->addTab(general, tr("General"));
    OutputPage = new TPrefOutputPage(tabPages);
    AddPage(OutputPage);
    LoudnessPage = new TPrefLoudnessPage(tabPages);
    AddPage(LoudnessPage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabPages, 1);
    layout->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &TfrmPreference::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPreference::reject);
    connect(btnDefault, &QPushButton::clicked, this, &TfrmPreference::btnDefaultClick);
    connect(btnBrows, &QPushButton::clicked, this, &TfrmPreference::btnBrowsClick);
    connect(btnOpen, &QPushButton::clicked, this, &TfrmPreference::btnOpenClick);
    connect(ckFullSize, &QCheckBox::clicked, this, &TfrmPreference::ckFullSizeClick);
    connect(ckSmallSize, &QCheckBox::clicked, this, &TfrmPreference::ckSmallSizeClick);
    connect(ckBmp, &QCheckBox::clicked, this, &TfrmPreference::ckBmpClick);
    connect(ckJpg, &QCheckBox::clicked, this, &TfrmPreference::ckJpgClick);
    connect(trcCmp, &QSlider::valueChanged, this, &TfrmPreference::trcCmpChange);
    connect(spedCmp, &QSpinBox::valueChanged, this, &TfrmPreference::spedCmpChange);
    NameControls(this);
}

void TfrmPreference::AddPage(TPreferencePage* Page) {
    tabPages->addTab(Page, Page->Title());
    Pages_.push_back(Page);
    NameControls(Page);
}

void TfrmPreference::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FormShow();
}

void TfrmPreference::FormShow() {
    // Larger than the designed 480 x 390: the pages' tabs take a row of their own; wider still
    // when a language's captions need it.
    const int needed = layout() != nullptr ? layout()->minimumSize().width() : 0;
    setFixedSize(std::max(520, needed), 450);
    spedCmp->setRange(JpegQualityMin, JpegQualityMax);
    trcCmp->setRange(JpegQualityMin, JpegQualityMax);
    QPalette palette = edtSnapDirectory->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Midlight));
    edtSnapDirectory->setPalette(palette);
    btnOk->setFocus(); // not the folder box: a focused box shows its text selected

    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const TPreferenceShowValues stored = ReadPreferenceSettings(g->Settings());
    ShowValues(ApplyShowValues(stored, ControlValues()));
    SetQualityEnabled(stored.QualityEnabled);
    for (TPreferencePage* page : Pages_)
        page->ShowSettings(g->Settings());
}

TPreferenceValues TfrmPreference::ControlValues() const {
    TPreferenceValues v;
    v.SnapFolder = edtSnapDirectory->text().toStdString();
    v.FullSize = ckFullSize->isChecked();
    v.SmallSize = ckSmallSize->isChecked();
    v.Bmp = ckBmp->isChecked();
    v.Jpg = ckJpg->isChecked();
    v.Quality = spedCmp->value();
    v.Priority = rdGrpPriority->checkedId();
    v.Simultaneous = cbSimultaneous->currentData().toInt();
    v.KeepTags = ckKeepTags->isChecked();
    v.ReplayGain = ckReplayGain->isChecked();
    v.NotifyBatchEnd = ckNotify->isChecked();
    v.Language = cbLanguage->currentData().toString().toStdString();
    return v;
}

void TfrmPreference::ShowValues(const TPreferenceValues& Values) {
    edtSnapDirectory->setText(Text(Values.SnapFolder));
    ckFullSize->setChecked(Values.FullSize);
    ckSmallSize->setChecked(Values.SmallSize);
    ckBmp->setChecked(Values.Bmp);
    ckJpg->setChecked(Values.Jpg);
    spedCmp->setValue(Values.Quality);
    trcCmp->setValue(Values.Quality);
    cbSimultaneous->setCurrentIndex(std::max(0, cbSimultaneous->findData(Values.Simultaneous)));
    ckKeepTags->setChecked(Values.KeepTags);
    ckReplayGain->setChecked(Values.ReplayGain);
    ckNotify->setChecked(Values.NotifyBatchEnd);
    cbLanguage->setCurrentIndex(std::max(0, cbLanguage->findData(Text(Values.Language))));
    if (QAbstractButton* item = rdGrpPriority->button(Values.Priority)) {
        item->setChecked(true);
    } else if (QAbstractButton* checked = rdGrpPriority->checkedButton()) {
        // An exclusive group never unchecks its last button by itself.
        rdGrpPriority->setExclusive(false);
        checked->setChecked(false);
        rdGrpPriority->setExclusive(true);
    }
}

void TfrmPreference::SetQualityEnabled(bool Enabled) {
    spedCmp->setEnabled(Enabled);
    trcCmp->setEnabled(Enabled);
}

void TfrmPreference::btnOkClick() {
    for (TPreferencePage* page : Pages_)
        if (const std::string why = page->CheckValues(); !why.empty()) {
            tabPages->setCurrentWidget(page);
            Services_.Warning(this, tr("Warning"), Text(why));
            return;
        }
    TGlobalObject* g = GlobalObject();
    if (g != nullptr) {
        TIniFile settings = g->Settings();
        bool written = WritePreferenceSettings(settings, ControlValues());
        for (TPreferencePage* page : Pages_)
            written = written && page->SaveSettings(settings);
        if (!written)
            Services_.Warning(this, tr("Warning"), Text(settings.LastError()));
    }
    accept();
}

void TfrmPreference::btnDefaultClick() {
    const TPreferenceValues defaults = DefaultPreferenceValues();
    ShowValues(defaults);
    SetQualityEnabled(defaults.Jpg);
    for (TPreferencePage* page : Pages_)
        page->ShowDefaults();
}

void TfrmPreference::btnBrowsClick() {
    TfmDirectory& chooser = FolderChooser_();
    chooser.exec();
    const std::string chosen = chooser.ChosenFolder();
    const std::string shown = edtSnapDirectory->text().toStdString();
    if (!TakesChosenFolder(chosen, shown))
        return;
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        if (!StoreBrowsedSnapFolder(settings, chosen, shown))
            Services_.Warning(this, tr("Warning"), Text(settings.LastError()));
    }
    edtSnapDirectory->setText(Text(chosen));
}

void TfrmPreference::btnOpenClick() {
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const std::string folder = SnapFolderToOpen(g->Settings(), edtSnapDirectory->text().toStdString());
    if (!folder.empty())
        Services_.OpenUrl(QUrl::fromLocalFile(Text(folder)));
}

void TfrmPreference::ckFullSizeClick() {
    ckFullSize->setChecked(KeepOneOfPair(ckFullSize->isChecked(), ckSmallSize->isChecked()));
}

void TfrmPreference::ckSmallSizeClick() {
    ckSmallSize->setChecked(KeepOneOfPair(ckSmallSize->isChecked(), ckFullSize->isChecked()));
}

void TfrmPreference::ckBmpClick() {
    ckBmp->setChecked(KeepOneOfPair(ckBmp->isChecked(), ckJpg->isChecked()));
}

void TfrmPreference::ckJpgClick() {
    ckJpg->setChecked(KeepOneOfPair(ckJpg->isChecked(), ckBmp->isChecked()));
    SetQualityEnabled(ckJpg->isChecked());
}

void TfrmPreference::trcCmpChange(int Value) {
    if (IsJpegQuality(Value))
        spedCmp->setValue(Value);
}

void TfrmPreference::spedCmpChange(int Value) {
    if (IsJpegQuality(Value))
        trcCmp->setValue(Value);
}
