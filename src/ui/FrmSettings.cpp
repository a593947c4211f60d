#include "ui/FrmSettings.h"

#include "app/CatalogueTexts.h"
#include "app/FormatCatalogue.h"
#include "app/GlobalObject.h"
#include "ui/AccessibleNames.h"
#include "ui/DialogServices.h"
#include "ui/FormatPicker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace zelta;

namespace {

constexpr int FormWidth = 475;
constexpr int FormHeight = 370;

QString Q(std::string_view Text) {
    return QString::fromUtf8(Text.data(), qsizetype(Text.size()));
}

// The profile's lists show the catalogue's words translated; the boxes' values stay the stored
// English ones (an item keeps its English text as its data).
QString Shown(const std::string& Text) {
    return QString::fromStdString(zelta::CatalogueText(Text));
}

std::string StoredText(const QComboBox* Box, const QString& Text) {
    const int i = Box->findText(Text);
    if (i >= 0 && Box->itemData(i).isValid())
        return Box->itemData(i).toString().toStdString();
    return Text.toStdString();
}

} // namespace

TfrmSettings::TfrmSettings(const TDialogServices& Services, QWidget* Parent)
    : QDialog(Parent), Services_(Services) {
    setObjectName(QStringLiteral("frmSettings"));
    //: Title of the window with the output profile's video and audio settings
    setWindowTitle(tr("Settings"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(FormWidth, FormHeight);

    auto* profileLabel = new QLabel(tr("Output Format:"), this);
    // The box starts where the caption ends (longer in some languages).
    const int boxLeft = std::max(104, 12 + profileLabel->sizeHint().width() + 4);
    profileLabel->setGeometry(12, 12, boxLeft - 12, 22);
    Picker = new TFormatPicker(this, this, TFormatPicker::TKind::Dialog);
    edt1 = Picker->edt1;
    imgbtn1 = Picker->imgbtn1;
    lst1 = Picker->lst1;
    edt1->setGeometry(boxLeft, 12, 441 - boxLeft, 22);
    imgbtn1->setGeometry(441, 12, 22, 22);
    imgbtn1->setArrowType(Qt::DownArrow);
    profileLabel->setBuddy(edt1);
    connect(Picker, &TFormatPicker::Chosen, this, &TfrmSettings::edt1Change);

    auto combo = [this](QWidget* Parent, const char* Name, TParamCombo C) {
        auto* c = new QComboBox(Parent);
        c->setObjectName(QLatin1String(Name));
        c->setItemDelegate(new TComboRowDelegate(c));
        // Every box equally wide whatever its items: the columns line up in both groups.
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(6);
        if (IsEditableCombo(C)) {
            c->setEditable(true);
            // Typed values stay as typed: no completion to an item, no typed items.
            c->setCompleter(nullptr);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->lineEdit()->installEventFilter(this);
        }
        c->installEventFilter(this);
        Combos_[size_t(C)] = c;
        return c;
    };
    // Two label-and-combo pairs per row.
    auto place = [](QGridLayout* Grid, int Row, int Column, const QString& Caption, QComboBox* C) {
        auto* label = new QLabel(Caption, C->parentWidget());
        label->setBuddy(C);
        Grid->addWidget(label, Row, Column * 2);
        Grid->addWidget(C, Row, Column * 2 + 1);
    };
    auto group = [this](const QString& Caption, int Top) {
        auto* g = new QGroupBox(Caption, this);
        g->setGeometry(10, Top, FormWidth - 20, 128);
        auto* grid = new QGridLayout(g);
        grid->setHorizontalSpacing(8);
        // The same columns in both groups, so the two read as one table.
        grid->setColumnMinimumWidth(0, 96);
        grid->setColumnMinimumWidth(2, 112);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        return std::make_pair(g, grid);
    };

    auto [video, videoGrid] = group(tr("Video Options"), 44);
    grpVideo = video;
    cmbVideoSize = combo(video, "cmbVideoSize", TParamCombo::VideoSize);
    cmbVideoEncoder = combo(video, "cmbVideoEncoder", TParamCombo::VideoEncoder);
    cmbVideoBitRate = combo(video, "cmbVideoBitRate", TParamCombo::VideoBitRate);
    cmbFrameRate = combo(video, "cmbFrameRate", TParamCombo::FrameRate);
    cmbZoom = combo(video, "cmbZoom", TParamCombo::Zoom);
    place(videoGrid, 0, 0, tr("Frame Size:"), cmbVideoSize);
    place(videoGrid, 0, 1, tr("Encoder:"), cmbVideoEncoder);
    place(videoGrid, 1, 0, tr("BitRate (Kbps):"), cmbVideoBitRate);
    place(videoGrid, 1, 1, tr("FrameRate (Fps):"), cmbFrameRate);
    place(videoGrid, 2, 0, tr("Zoom:"), cmbZoom);

    auto [audio, audioGrid] = group(tr("Audio Options"), 182);
    grpAudio = audio;
    cmbAudioEncoder = combo(audio, "cmbAudioEncoder", TParamCombo::AudioEncoder);
    cmbSamplerate = combo(audio, "cmbSamplerate", TParamCombo::SampleRate);
    cmbAudioBitRate = combo(audio, "cmbAudioBitRate", TParamCombo::AudioBitRate);
    cmbChannel = combo(audio, "cmbChannel", TParamCombo::Channel);
    cmbVolume = combo(audio, "cmbVolume", TParamCombo::Volume);
    place(audioGrid, 0, 0, tr("Encoder:"), cmbAudioEncoder);
    place(audioGrid, 0, 1, tr("SampleRate (Hz):"), cmbSamplerate);
    place(audioGrid, 1, 0, tr("BitRate (Kbps):"), cmbAudioBitRate);
    place(audioGrid, 1, 1, tr("Channel:"), cmbChannel);
    place(audioGrid, 2, 0, tr("Volume:"), cmbVolume);

    btnDefault = new QPushButton(tr("&Default"), this);
    btnOk = new QPushButton(tr("&Ok"), this);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    // The groups' captions and boxes set the width; the designed one unless a language's
    // captions need more.
    Width_ = std::max({FormWidth, grpVideo->minimumSizeHint().width() + 20,
                       grpAudio->minimumSizeHint().width() + 20});
    for (QGroupBox* g : {grpVideo, grpAudio})
        g->setGeometry(10, g->y(), Width_ - 20, g->height());
    setFixedSize(Width_, FormHeight);
    edt1->setGeometry(boxLeft, 12, Width_ - 34 - boxLeft, 22);
    imgbtn1->setGeometry(Width_ - 34, 12, 22, 22);
    btnDefault->setGeometry(10, 326, 84, 28);
    btnOk->setGeometry(Width_ - 10 - 84 - 8 - 84, 326, 84, 28);
    btnCancel->setGeometry(Width_ - 10 - 84, 326, 84, 28);
    btnOk->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    btnDefault->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSettings::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSettings::btnCancelClick);
    connect(btnDefault, &QPushButton::clicked, this, &TfrmSettings::btnDefaultClick);

    lst1->raise();
    NameControls(this);
}

void TfrmSettings::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void TfrmSettings::FormShow() {
    setFixedSize(Width_, FormHeight);
    CheckShowing_ = false;
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const TIniFile settings = g->Settings();
    const TIniFile catalogue = g->Catalogue();
    Picker->FillFormatList(settings, catalogue);
    const TStoredFormat stored = ReadStoredFormat(settings);
    Name_ = stored.Name;
    Code_ = stored.Code;
    ShowParams(LoadProfileParams(settings, catalogue, Code_, TLoadMode::OnShow));
}

void TfrmSettings::edt1Change(int Code) {
    const std::string name = Picker->ProfileName();
    if (name == Name_ && Code == Code_)
        return;
    Name_ = name;
    Code_ = Code;
    if (const TGlobalObject* g = GlobalObject())
        ShowParams(LoadProfileParams(g->Settings(), g->Catalogue(), Code_, TLoadMode::OnSwitch));
}

void TfrmSettings::ShowParams(const TProfileParamsView& View) {
    for (int i = 0; i < ParamComboCount; ++i) {
        const TParamComboState& state = View.Combos[size_t(i)];
        QComboBox* c = Combos_[size_t(i)];
        const QSignalBlocker block(c);
        c->clear();
        for (const std::string& item : state.Items)
            c->addItem(Shown(item), QString::fromStdString(item));
        c->setCurrentIndex(state.Index);
        if (c->isEditable())
            c->setEditText(Shown(state.Text));
        c->setMaxVisibleItems(std::max(1, c->count()));
        // The drop-down may be wider than the box so that long items read in full.
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 8);
        c->setEnabled(state.Enabled);
    }
}

TProfileParamsView TfrmSettings::ControlsView() const {
    TProfileParamsView view;
    for (int i = 0; i < ParamComboCount; ++i) {
        const QComboBox* c = Combos_[size_t(i)];
        TParamComboState& state = view.Combos[size_t(i)];
        for (int item = 0; item < c->count(); ++item)
            state.Items.push_back(StoredText(c, c->itemText(item)));
        state.Index = c->currentIndex();
        state.Text = StoredText(c, c->currentText());
        state.Enabled = c->isEnabled();
    }
    return view;
}

void TfrmSettings::btnDefaultClick() {
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    TProfileParamsView view = ControlsView();
    ApplyCatalogueDefaults(g->Catalogue(), Code_, view);
    ShowParams(view);
}

void TfrmSettings::btnCancelClick() {
    reject();
}

void TfrmSettings::btnOkClick() {
    // A check that failed on leaving a combo has its message on the way; it comes first.
    if (CheckShowing_)
        return;
    TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    TIniFile settings = g->Settings();
    TSettingsChoice choice;
    choice.ProfileName = Name_;
    choice.Code = Code_;
    choice.Combos = ControlsView().Combos;
    const TSaveResult saved =
        SaveProfileSettings(settings, g->Catalogue(), choice, &Picker->Model());
    switch (saved.Failure) {
    case TSaveResult::None:
        accept();
        return;
    case TSaveResult::BadTypedValue:
        ShowCheck(saved.Combo, saved.Check);
        return;
    case TSaveResult::BadCatalogueValue:
        Services_.Warning(this, QApplication::applicationDisplayName(), Q(saved.Error));
        return;
    case TSaveResult::WriteFailed:
        Services_.Warning(this, tr("Warning"), Q(saved.Error));
        return;
    }
}

void TfrmSettings::Message(const QString& Caption, const QString& Text) {
    Services_.Information(this, Caption, Text);
}

void TfrmSettings::ShowCheck(TParamCombo C, const TTypedCheck& Check) {
    QComboBox* c = Combo(C);
    if (Check.Result == TTypedCheck::Corrected) {
        c->setEditText(Shown(Check.Text));
        Message(Q(Check.Caption), Q(Check.Message));
    } else if (Check.Result == TTypedCheck::Invalid) {
        Message(QApplication::applicationDisplayName(), Q(Check.Message));
        if (c->count() > 1)
            c->setCurrentIndex(1);
        c->setFocus();
    }
}

void TfrmSettings::ComboExit(TParamCombo C) {
    QComboBox* c = Combo(C);
    const TTypedCheck check = CheckTypedValue(C, StoredText(c, c->currentText()));
    if (check.Result == TTypedCheck::Accepted) {
        if (Shown(check.Text) != c->currentText())
            c->setEditText(Shown(check.Text));
        return;
    }
    // The focus is moving; the message waits until the move is done, so a press on a button
    // is not left half-handled under a modal box.
    CheckShowing_ = true;
    QTimer::singleShot(0, this, [this, C, check] {
        CheckShowing_ = false;
        if (isVisible())
            ShowCheck(C, check);
    });
}

bool TfrmSettings::ComboKeyPress(TParamCombo C, const QString& Key) {
    const QLineEdit* edit = Combo(C)->lineEdit();
    QString result = edit->text();
    if (edit->hasSelectedText())
        result.replace(edit->selectionStart(), edit->selectedText().size(), Key);
    else
        result.insert(edit->cursorPosition(), Key);
    const TKeyVerdict verdict = TypedKeyVerdict(C, Key.toUcs4().value(0), result.toStdString());
    if (verdict == TKeyVerdict::Accept)
        return false;
    if (verdict == TKeyVerdict::RefuseWithMessage)
        Message(QApplication::applicationDisplayName(),
                QCoreApplication::translate("SettingsLogic", NumericalMessage.data()));
    QApplication::beep();
    return true;
}

bool TfrmSettings::eventFilter(QObject* Watched, QEvent* Event) {
    for (int i = 0; i < ParamComboCount; ++i) {
        QComboBox* c = Combos_[size_t(i)];
        if (c == nullptr || !c->isEditable())
            continue;
        const auto C = TParamCombo(i);
        // The combo holds the focus and hands its keys to its edit part; either may see them.
        if ((Watched == c || Watched == c->lineEdit()) && Event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(Event);
            const QString text = key->text();
            const bool printable =
                text.size() == 1 && text.at(0) >= QLatin1Char(' ') && text.at(0) != QChar(0x7f) &&
                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            if (printable && ComboKeyPress(C, text))
                return true;
        }
        if (Watched == c && Event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(Event)->reason();
            // Opening the drop-down or another window taking the focus is no leaving.
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                c->isEnabled() && isVisible())
                ComboExit(C);
        }
    }
    return QDialog::eventFilter(Watched, Event);
}
