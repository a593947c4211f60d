#include "ui/PreviewPanel.h"

#include "ui/ImageButton.h"

#include "app/AppPaths.h"
#include "app/GlobalObject.h"
#include "app/MainFormLogic.h"
#include "app/SettingsKeys.h"
#include "ui/DialogServices.h"
#include "ui/VideoView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace zelta;

namespace {

// How long position reports are kept off the bar after a seek, so that reports made before the
// seek was carried out cannot move it back.
constexpr int SeekHoldMilliseconds = 300;

} // namespace

void TServicesPrompts::ShowMessage(std::string_view Caption, std::string_view Text) {
    Services_.Warning(Parent_, PromptCaption(Caption),
                      QString::fromUtf8(Text.data(), qsizetype(Text.size())));
}

bool TServicesPrompts::AskYesNo(std::string_view Caption, std::string_view Text) {
    return QMessageBox::question(Parent_, PromptCaption(Caption),
                                 QString::fromUtf8(Text.data(), qsizetype(Text.size())),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TPreviewPanel::TPreviewPanel(QWidget* Parent)
    : QWidget(Parent), FFPlayer(std::make_unique<TFFPlayer>()),
      Services_(&TDialogServices::Default()) {
    setObjectName(QStringLiteral("PreviewPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    pan1 = new TVideoView(this);
    pan1->setObjectName(QStringLiteral("pan1"));
    pan1->setAccessibleName(tr("Preview"));
    pan1->setMinimumSize(160, 120);
    pan1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(pan1, 1);

    trcPreview = new QSlider(Qt::Horizontal, this);
    trcPreview->setObjectName(QStringLiteral("trcPreview"));
    //: Screen-reader name of the playing position slider
    trcPreview->setAccessibleName(tr("Position"));
    trcPreview->setTickPosition(QSlider::NoTicks);
    trcPreview->setTickInterval(1);
    trcPreview->setRange(0, 0);
    trcPreview->setEnabled(false);
    trcPreview->installEventFilter(this);
    layout->addWidget(trcPreview);

    auto* times = new QHBoxLayout();
    lblTime = new QLabel(QString::fromUtf8(TimeResetText.data(), TimeResetText.size()), this);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblPTS = new QLabel(lblTime->text(), this);
    lblPTS->setObjectName(QStringLiteral("lblPTS"));
    times->addWidget(lblTime);
    times->addStretch(1);
    times->addWidget(lblPTS);
    layout->addLayout(times);

    auto* controls = new QHBoxLayout();
    controls->setSpacing(2);
    //: Tool tip of the player's play button
    imgbtnPlay = ImageButton(this, QStringLiteral("imgbtnPlay"), tr("Play"),
                             QStyle::SP_MediaPlay);
    //: Tool tip of the player's pause button
    imgbtnPause = ImageButton(this, QStringLiteral("imgbtnPause"), tr("Pause"),
                              QStyle::SP_MediaPause);
    //: Tool tip of the player's stop button
    imgbtnStop = ImageButton(this, QStringLiteral("imgbtnStop"), tr("Stop"),
                             QStyle::SP_MediaStop);
    imgbtnSnap = ImageButton(this, QStringLiteral("imgbtnSnap"),
                             tr("Save snapshot picture"), QStyle::SP_DialogSaveButton);
    controls->addWidget(imgbtnPlay);
    controls->addWidget(imgbtnPause);
    controls->addWidget(imgbtnStop);
    controls->addWidget(imgbtnSnap);
    controls->addStretch(1);
    //: Check box: the preview plays without sound
    ckMute = new QCheckBox(tr("Mute"), this);
    ckMute->setObjectName(QStringLiteral("ckMute"));
    controls->addWidget(ckMute);
    auto* volumeLabel = new QLabel(tr("Volume:"), this);
    controls->addWidget(volumeLabel);
    trcVolume = new QSlider(Qt::Horizontal, this);
    volumeLabel->setBuddy(trcVolume);
    trcVolume->setObjectName(QStringLiteral("trcVolume"));
    trcVolume->setRange(0, VolumeMax);
    trcVolume->setValue(0);
    // Narrower when the captions beside it are longer (in some languages).
    trcVolume->setMinimumWidth(44);
    trcVolume->setMaximumWidth(72);
    trcVolume->installEventFilter(this);
    controls->addWidget(trcVolume);
    layout->addLayout(controls);

    SeekHold_ = new QTimer(this);
    SeekHold_->setSingleShot(true);
    SeekHold_->setInterval(SeekHoldMilliseconds);
    connect(SeekHold_, &QTimer::timeout, this, [this] { Seeking_ = false; });

    connect(imgbtnPlay, &QToolButton::clicked, this, &TPreviewPanel::Play);
    connect(imgbtnPause, &QToolButton::clicked, this, &TPreviewPanel::Pause);
    connect(imgbtnStop, &QToolButton::clicked, this, &TPreviewPanel::Stop);
    connect(imgbtnSnap, &QToolButton::clicked, this, &TPreviewPanel::Snapshot);
    connect(ckMute, &QCheckBox::toggled, this, &TPreviewPanel::ckMuteClick);
    connect(trcVolume, &QSlider::valueChanged, this, &TPreviewPanel::trcVolumeChange);

    FFPlayer->SetOnFileOpen([this](TFFPlayer*, int64_t D, int W, int H, int& SW, int& SH) {
        FFPlayerFileOpen(D, W, H, SW, SH);
    });
    FFPlayer->SetOnPosition([this](TFFPlayer*, int64_t PTS) { FFPlayerPosition(PTS); });
    FFPlayer->SetOnState([this](TFFPlayer*, TPlayState S) { FFPlayerState(S); });
    ApplyButtons();
}

TPreviewPanel::~TPreviewPanel() {
    // The handlers reach the widgets; the player must be quiet before they go.
    FFPlayer->SetOnFileOpen(nullptr);
    FFPlayer->SetOnPosition(nullptr);
    FFPlayer->SetOnState(nullptr);
    FFPlayer->Stop(true);
    FFPlayer.reset();
}

void TPreviewPanel::SetFileSource(std::function<std::string()> SelectedFile) {
    SelectedFile_ = std::move(SelectedFile);
}

void TPreviewPanel::SetServices(const TDialogServices& Services) { Services_ = &Services; }

std::unique_ptr<TIniFile> TPreviewPanel::Settings() const {
    if (const TGlobalObject* g = GlobalObject())
        return std::make_unique<TIniFile>(g->Settings());
    return nullptr;
}

void TPreviewPanel::ApplyButtons() {
    const TPreviewButtons b = State_.Buttons();
    imgbtnPlay->setEnabled(b.Play);
    imgbtnPause->setEnabled(b.Pause);
    imgbtnStop->setEnabled(b.Stop);
    imgbtnSnap->setEnabled(b.Snapshot);
}

void TPreviewPanel::ResetPosition() {
    trcPreview->setValue(0);
    trcPreview->setEnabled(false);
    const QString reset = QString::fromUtf8(TimeResetText.data(), TimeResetText.size());
    lblTime->setText(reset);
    lblPTS->setText(reset);
}

void TPreviewPanel::Play() {
    if (State_.PlayerPaused()) {
        State_.Play();
        ApplyButtons();
        if (FFPlayer->Paused())
            FFPlayer->Resume();
        return;
    }
    if (!FFPlayer->LibrariesLoaded() && !FFPlayer->LoadLibraries(LibAVFolder())) {
        emit LogLine(QString::fromStdString(FFPlayer->LastError()));
        return;
    }
    OutputPanel_ = pan1;
    const std::string file = SelectedFile_ ? SelectedFile_() : std::string();
    if (file.empty()) {
        PlayAfterAdd_ = true;
        emit AddRequested();
        return;
    }
    State_.Play();
    imgbtnPlay->setEnabled(false);
    imgbtnPause->setEnabled(false);
    imgbtnStop->setEnabled(false);
    imgbtnSnap->setEnabled(false);
    if (!FFPlayer->Open(file, pan1, false)) {
        // Nothing plays: say why and stay (or become) stopped.
        emit LogLine(QString::fromStdString(FFPlayer->LastError()));
        State_.Stop();
        ResetPosition();
        pan1->Clear();
        ApplyButtons();
        return;
    }
    State_.Opened();
    trcPreview->setEnabled(true);
    ApplyButtons();
}

void TPreviewPanel::PlayAfterAdd() {
    if (!PlayAfterAdd_)
        return;
    PlayAfterAdd_ = false;
    if (SelectedFile_ && !SelectedFile_().empty())
        Play();
}

void TPreviewPanel::Pause() {
    if (!State_.Pause())
        return;
    if (!FFPlayer->Paused())
        FFPlayer->Pause();
    ApplyButtons();
}

void TPreviewPanel::Stop() {
    if (!State_.Stop())
        return;
    if (FFPlayer->Paused())
        FFPlayer->Resume();
    FFPlayer->Stop(true);
    ResetPosition();
    ApplyButtons();
    pan1->Clear();
}

void TPreviewPanel::Snapshot() {
    const QImage full = BitmapToImage(FFPlayer->CurrentFrame());
    if (full.isNull())
        return;
    const QImage small = StretchedPicture(full, pan1->width(), pan1->height());
    std::unique_ptr<TIniFile> settings = Settings();
    if (!settings)
        return;
    TServicesPrompts prompts(*Services_, window());
    const TSnapshotResult result = WriteSnapshots(full, small, *settings, prompts);
    if (!result.Folder.empty())
        Services_->OpenUrl(QUrl::fromLocalFile(QString::fromStdString(result.Folder)));
    emit SnapshotWritten(result);
}

void TPreviewPanel::LoadStoredSettings(const TIniFile& Settings) {
    const TMainFormShowSettings s = ReadMainFormShowSettings(Settings);
    LoadingVolume_ = true;
    trcVolume->setValue(s.Volume);
    LoadingVolume_ = false;
    // setValue is silent when the bar already shows the value: the player must hear it anyway.
    FFPlayer->SetAudioVolume(trcVolume->value());
    if (s.MuteState >= 0)
        ckMute->setChecked(s.MuteState == 1);
}

void TPreviewPanel::ckMuteClick() {
    FFPlayer->SetMute(ckMute->isChecked());
    if (std::unique_ptr<TIniFile> settings = Settings())
        settings->WriteBool(SectionSettings, KeyMute, ckMute->isChecked());
}

void TPreviewPanel::trcVolumeChange(int Value) {
    FFPlayer->SetAudioVolume(Value);
    // The wheel, the keys and clicks on the groove are stored at once; a drag when released.
    if (!LoadingVolume_ && !trcVolume->isSliderDown())
        trcVolumeMouseUp();
}

void TPreviewPanel::trcVolumeMouseUp() {
    if (std::unique_ptr<TIniFile> settings = Settings())
        settings->WriteInteger(SectionSettings, KeyVolume, trcVolume->value());
}

bool TPreviewPanel::eventFilter(QObject* Watched, QEvent* Event) {
    const QEvent::Type type = Event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(Event);
        if (mouse->button() == Qt::LeftButton) {
            if (Watched == trcPreview) {
                if (type == QEvent::MouseButtonPress) {
                    SeekHold_->stop();
                    Seeking_ = true;
                } else {
                    FFPlayer->Seek(0, false,
                                   SeekPosition(trcPreview->value(), trcPreview->maximum(),
                                                MediaDuration_));
                    // The bar stays off the reports for a while instead of blocking the GUI.
                    SeekHold_->start();
                }
            } else if (Watched == trcVolume && type == QEvent::MouseButtonRelease) {
                // After the bar has taken the release, so the stored value is the final one.
                QTimer::singleShot(0, this, &TPreviewPanel::trcVolumeMouseUp);
            }
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TPreviewPanel::FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight,
                                     int& AScreenWidth, int& AScreenHeight) {
    std::string info;
    if (FFPlayer->Probe().GetInfoText(info))
        emit LogLine(QString::fromStdString(info));
    //: Log line when the preview opens a file: its length in seconds and its picture size
    emit LogLine(tr("duration: %1, frame size: %2x%3")
                     .arg(QString::number(double(ADuration) / 1000000.0, 'f', 6))
                     .arg(AFrameWidth)
                     .arg(AFrameHeight));
    if (OutputPanel_ != nullptr) {
        AScreenWidth = OutputPanel_->width();
        AScreenHeight = OutputPanel_->height();
    }
    MediaDuration_ = ADuration;
    lblPTS->setText(QString::fromStdString(FormatHMS(RoundedSeconds(ADuration))));
    trcPreview->setTickInterval(1);
    trcPreview->setMaximum(trcPreview->width());
    const bool wasSeeking = Seeking_;
    Seeking_ = true;
    trcPreview->setValue(0);
    Seeking_ = wasSeeking;
}

void TPreviewPanel::FFPlayerPosition(int64_t APTS) {
    // Stopped (also after the end, with the file rewound) shows the reset texts.
    if (State_.PlayerStopped())
        return;
    lblTime->setText(QString::fromStdString(FormatHMS(RoundedSeconds(APTS))));
    if (!Seeking_)
        trcPreview->setValue(BarPosition(APTS, trcPreview->maximum(), MediaDuration_));
}

void TPreviewPanel::FFPlayerState(TPlayState AState) {
    if (AState != psEnd)
        return;
    trcPreview->setValue(0);
    FFPlayer->Seek(sfAny, false, 0);
    FFPlayer->Pause();
    State_.Ended();
    ApplyButtons();
    ResetPosition();
}
