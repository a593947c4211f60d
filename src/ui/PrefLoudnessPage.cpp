#include "ui/PrefLoudnessPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace zelta;

namespace {

// The target and album choices of app/LoudnessPreferences, listed for the translation tools; the
// boxes show them through tr().
[[maybe_unused]] const char* const ChoiceTexts[] = {
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "-23 LUFS (EBU R128)"),
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "-16 LUFS (podcasts)"),
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "-14 LUFS (streaming)"),
    //: Loudness target: the one typed in the box beside
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "Other:"),
    //: Album mode: no album gain
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "Off"),
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "By album tags"),
    QT_TRANSLATE_NOOP("TPrefLoudnessPage", "Whole batch"),
};

QDoubleSpinBox* SpinBox(QWidget* Parent, double Low, double High, double Step,
                        const QString& Suffix) {
    auto* box = new QDoubleSpinBox(Parent);
    box->setRange(Low, High);
    box->setDecimals(1);
    box->setSingleStep(Step);
    box->setSuffix(Suffix);
    return box;
}

} // namespace

TPrefLoudnessPage::TPrefLoudnessPage(QWidget* Parent) : TPreferencePage(Parent) {
    setObjectName(QStringLiteral("PrefLoudnessPage"));
    auto* level = new QGroupBox(tr("Loudness"), this);
    auto* form = new QFormLayout(level);
    ckNormalize = new QCheckBox(tr("&Normalise loudness"), level);
    ckNormalize->setToolTip(
        tr("Measures each file first, then brings it to the target with one constant gain"));
    form->addRow(ckNormalize);

    cbTarget = new QComboBox(level);
    for (const char* text : LoudnessTargetTexts)
        cbTarget->addItem(tr(text));
    edtTarget = new QLineEdit(level);
    edtTarget->setAccessibleName(tr("Other target in LUFS"));
    edtTarget->setPlaceholderText(QStringLiteral("LUFS"));
    edtTarget->setMaximumWidth(80);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(cbTarget, 1);
    targetRow->addWidget(edtTarget);
    auto* targetLabel = new QLabel(tr("&Target:"), level);
    targetLabel->setBuddy(cbTarget);
    form->addRow(targetLabel, targetRow);

    spedCeiling = SpinBox(level, TruePeakMin, TruePeakMax, 0.5, QStringLiteral(" dBTP"));
    auto* ceilingLabel = new QLabel(tr("True-peak &ceiling:"), level);
    ceilingLabel->setBuddy(spedCeiling);
    form->addRow(ceilingLabel, spedCeiling);

    cbAlbum = new QComboBox(level);
    for (const char* text : AlbumGainTexts)
        cbAlbum->addItem(tr(text));
    cbAlbum->setToolTip(
        tr("One gain for the files of an album (same album and album artist tags) or for the "
           "whole batch, so they keep their levels relative to each other"));
    auto* albumLabel = new QLabel(tr("&Album mode:"), level);
    albumLabel->setBuddy(cbAlbum);
    form->addRow(albumLabel, cbAlbum);

    ckFromTags = new QCheckBox(tr("Use Replay&Gain or R128 tags when present"), level);
    ckFromTags->setToolTip(tr("A file whose tags state its loudness is not measured"));
    form->addRow(ckFromTags);

    auto* edges = new QGroupBox(tr("Fades and silence"), this);
    auto* edgeForm = new QFormLayout(edges);
    //: Unit after a number of seconds (with the space before it)
    const QString seconds = tr(" s");
    spedFadeIn = SpinBox(edges, 0, FadeMax, 0.5, seconds);
    auto* fadeInLabel = new QLabel(tr("Fade &in:"), edges);
    fadeInLabel->setBuddy(spedFadeIn);
    spedFadeOut = SpinBox(edges, 0, FadeMax, 0.5, seconds);
    auto* fadeOutLabel = new QLabel(tr("Fade &out:"), edges);
    fadeOutLabel->setBuddy(spedFadeOut);
    auto* fades = new QHBoxLayout;
    fades->addWidget(spedFadeIn);
    fades->addSpacing(12);
    fades->addWidget(fadeOutLabel);
    fades->addWidget(spedFadeOut);
    fades->addStretch(1);
    edgeForm->addRow(fadeInLabel, fades);
    ckTrimSilence = new QCheckBox(tr("Trim &silence at the start and the end"), edges);
    ckTrimSilence->setToolTip(
        tr("Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)"));
    edgeForm->addRow(ckTrimSilence);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(level);
    layout->addWidget(edges);
    layout->addStretch(1);

    connect(ckNormalize, &QCheckBox::toggled, this, &TPrefLoudnessPage::UpdateEnabled);
    connect(cbTarget, &QComboBox::currentIndexChanged, this, &TPrefLoudnessPage::UpdateEnabled);
    ShowValues(DefaultLoudnessPreferences());
}

void TPrefLoudnessPage::UpdateEnabled() {
    const bool on = ckNormalize->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(cbTarget), static_cast<QWidget*>(spedCeiling),
                       static_cast<QWidget*>(cbAlbum), static_cast<QWidget*>(ckFromTags)})
        w->setEnabled(on);
    edtTarget->setEnabled(on && cbTarget->currentIndex() == LoudnessTargetOther);
}

TLoudnessPreferences TPrefLoudnessPage::Values() const {
    TLoudnessPreferences v;
    v.Normalize = ckNormalize->isChecked();
    v.TargetChoice = cbTarget->currentIndex();
    v.TargetText = edtTarget->text().toStdString();
    v.Ceiling = spedCeiling->value();
    v.Album = cbAlbum->currentIndex();
    v.FromTags = ckFromTags->isChecked();
    v.FadeIn = spedFadeIn->value();
    v.FadeOut = spedFadeOut->value();
    v.TrimSilence = ckTrimSilence->isChecked();
    return v;
}

void TPrefLoudnessPage::ShowValues(const TLoudnessPreferences& Values) {
    ckNormalize->setChecked(Values.Normalize);
    cbTarget->setCurrentIndex(Values.TargetChoice);
    edtTarget->setText(QString::fromStdString(Values.TargetText));
    spedCeiling->setValue(Values.Ceiling);
    cbAlbum->setCurrentIndex(Values.Album);
    ckFromTags->setChecked(Values.FromTags);
    spedFadeIn->setValue(Values.FadeIn);
    spedFadeOut->setValue(Values.FadeOut);
    ckTrimSilence->setChecked(Values.TrimSilence);
    UpdateEnabled();
}

void TPrefLoudnessPage::ShowSettings(const TIniFile& Settings) {
    ShowValues(ReadLoudnessPreferences(Settings));
}

QString TPrefLoudnessPage::Title() const {
    //: Tab of the loudness preferences
    return tr("Loudness");
}

std::string TPrefLoudnessPage::CheckValues() const {
    return CheckLoudnessPreferences(Values());
}

bool TPrefLoudnessPage::SaveSettings(TIniFile& Settings) {
    return WriteLoudnessPreferences(Settings, Values());
}

void TPrefLoudnessPage::ShowDefaults() {
    ShowValues(DefaultLoudnessPreferences());
}
