#include "ui/FrmCrop.h"

#include "ui/CaptionFit.h"

#include "ui/ImageButton.h"

#include "app/AppPaths.h"
#include "app/FileInfoLogic.h"
#include "app/PreviewLogic.h"
#include "app/SourceList.h"
#include "ui/AccessibleNames.h"
#include "ui/RectTracker.h"
#include "ui/SelectionBar.h"
#include "ui/VideoView.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

using namespace zelta;

namespace {

constexpr int PreviewWidth = 370;
constexpr int PreviewHeight = 253;
constexpr int TimerMilliseconds = 100;

QString Q(const std::string& Text) { return QString::fromStdString(Text); }

// A margin spin edit worked by its arrows only.
QSpinBox* MarginSpin(QWidget* Parent, const QString& Name, const QString& Caption, int Top) {
    auto* label = new QLabel(Caption, Parent);
    label->setGeometry(12, Top + 2, 50, 20);
    auto* spin = new QSpinBox(Parent);
    spin->setObjectName(Name);
    spin->setGeometry(64, Top, 80, 24);
    spin->setRange(0, 9999);
    label->setBuddy(spin);
    return spin;
}

QLabel* Caption(QWidget* Parent, const QString& Text, const QRect& Geometry) {
    auto* label = new QLabel(Text, Parent);
    label->setGeometry(Geometry);
    return label;
}

} // namespace

TfrmCrop::TfrmCrop(QWidget* Parent) : QDialog(Parent), FFPlayer(std::make_unique<TFFPlayer>()) {
    setObjectName(QStringLiteral("frmCrop"));
    //: Window title of the crop dialog
    setWindowTitle(tr("Crop"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The player renders into a small panel behind the preview group; the pictures the user
    // sees come through the hook and the timer.
    pan1 = new TVideoView(this);
    pan1->setObjectName(QStringLiteral("pan1"));
    pan1->setGeometry(20, 20, 16, 12);
    pan1->setAccessibleName(tr("Player panel"));
    pan1->hide();

    //: Group box around the picture
    auto* group = new QGroupBox(tr("Preview"), this);
    group->setGeometry(8, 6, 390, 292);
    pagePreview = group;
    imgPreview = new QLabel(group);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setGeometry(10, 26, PreviewWidth, PreviewHeight);
    imgPreview->setAccessibleName(tr("Preview"));
    RectTracker = new TRectTracker(group);
    RectTracker->raise();

    //: Group box of the four margins to cut away
    auto* crop = new QGroupBox(tr("Crop"), this);
    crop->setGeometry(408, 6, 199, 206);
    //: Margin cut away at the top of the picture
    spedUp = MarginSpin(crop, QStringLiteral("spedUp"), tr("Up"), 28);
    //: Margin cut away at the bottom of the picture
    spedDown = MarginSpin(crop, QStringLiteral("spedDown"), tr("Down"), 58);
    //: Margin cut away at the left of the picture
    spedLeft = MarginSpin(crop, QStringLiteral("spedLeft"), tr("Left"), 88);
    //: Margin cut away at the right of the picture
    spedRight = MarginSpin(crop, QStringLiteral("spedRight"), tr("Right"), 118);
    lblResult = Caption(crop, QString(), QRect(12, 148, 180, 20));
    lblResult->setObjectName(QStringLiteral("lblResult"));
    //: Button: back to the margins the dialog opened with
    btnReset = new QPushButton(tr("Reset"), crop);
    btnReset->setGeometry(12, 172, 84, 26);
    //: Button: no margins at all
    btnDefault = new QPushButton(tr("&Default"), crop);
    btnDefault->setGeometry(104, 172, 84, 26);

    auto* zoomLabel = new QLabel(tr("Zoom:"), this);
    zoomLabel->setGeometry(416, 222, 44, 20);
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->addItems({tr("Full screen"), tr("Letterbox")});
    cmbZoom->setGeometry(462, 220, 140, 24);
    zoomLabel->setBuddy(cmbZoom);
    zoomLabel->hide();
    cmbZoom->hide();

    trcPreview = new TSelectionBar(this);
    trcPreview->setObjectName(QStringLiteral("trcPreview"));
    trcPreview->setGeometry(8, 304, 390, 26);
    trcPreview->setToolTip(tr("Playing position"));
    trcPreview->setRange(0, 0);
    //: Tool tip of the player's play button
    imgbtnPlay = ImageButton(this, QStringLiteral("imgbtnPlay"), tr("play"),
                             QStyle::SP_MediaPlay);
    imgbtnPlay->setGeometry(12, 336, 30, 28);
    //: Tool tip of the player's pause button
    imgbtnpause = ImageButton(this, QStringLiteral("imgbtnpause"), tr("pause"),
                              QStyle::SP_MediaPause);
    imgbtnpause->setGeometry(46, 336, 30, 28);
    //: Caption of the playing time
    QLabel* timeCaption = Caption(this, tr("Time:"), QRect(96, 340, 40, 20));
    lblPTS = Caption(this, QString(), QRect(138, 340, 90, 20));
    FitCaption(timeCaption, lblPTS);
    lblPTS->setObjectName(QStringLiteral("lblPTS"));
    //: Caption of the file's playing length
    QLabel* lengthCaption = Caption(this, tr("Length:"), QRect(236, 340, 52, 20));
    lblLength = Caption(this, QString(), QRect(290, 340, 110, 20));
    FitCaption(lengthCaption, lblLength);
    lblLength->setObjectName(QStringLiteral("lblLength"));
    QLabel* sourceCaption = Caption(this, tr("Source File:"), QRect(12, 374, 80, 20));
    lblSourceName = Caption(this, QString(), QRect(94, 374, 510, 20));
    FitCaption(sourceCaption, lblSourceName);
    lblSourceName->setObjectName(QStringLiteral("lblSourceName"));

    btnOk = new QPushButton(tr("Ok"), this);
    btnOk->setGeometry(420, 394, 88, 28);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setGeometry(516, 394, 88, 28);

    Timer = new QTimer(this);
    Timer->setInterval(TimerMilliseconds);
    connect(Timer, &QTimer::timeout, this, &TfrmCrop::TimerTimer);

    connect(btnReset, &QPushButton::clicked, this, &TfrmCrop::btnResetClick);
    connect(btnDefault, &QPushButton::clicked, this, &TfrmCrop::btnDefaultClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmCrop::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmCrop::btnCancelClick);
    connect(imgbtnPlay, &QToolButton::clicked, this, &TfrmCrop::imgbtnPlayClick);
    connect(imgbtnpause, &QToolButton::clicked, this, &TfrmCrop::imgbtnpauseClick);
    connect(spedUp, &QSpinBox::valueChanged, this, [this](int V) { SpinChange(TCropSide::Up, V); });
    connect(spedDown, &QSpinBox::valueChanged, this,
            [this](int V) { SpinChange(TCropSide::Down, V); });
    connect(spedLeft, &QSpinBox::valueChanged, this,
            [this](int V) { SpinChange(TCropSide::Left, V); });
    connect(spedRight, &QSpinBox::valueChanged, this,
            [this](int V) { SpinChange(TCropSide::Right, V); });
    connect(RectTracker, &TRectTracker::MouseDown, this, &TfrmCrop::RectTrackerMouseDown);
    connect(RectTracker, &TRectTracker::MouseMove, this, &TfrmCrop::RectTrackerMouseMove);
    connect(RectTracker, &TRectTracker::KeyStep, this, &TfrmCrop::RectTrackerKeyStep);
    connect(trcPreview, &QSlider::valueChanged, this, &TfrmCrop::trcPreviewChange);
    connect(trcPreview, &TSelectionBar::Released, this, &TfrmCrop::trcPreviewChange);

    // FormCreate.
    FFPlayer->SetHook(true);
    FFPlayer->SetOnFileOpen([this](TFFPlayer*, int64_t D, int, int, int& SW, int& SH) {
        FFPlayerFileOpen(D, SW, SH);
    });
    FFPlayer->SetOnPosition([this](TFFPlayer*, int64_t PTS) { FFPlayerPosition(PTS); });
    FFPlayer->SetOnState([this](TFFPlayer*, TPlayState S) { FFPlayerState(S); });
    FFPlayer->SetOnHook([shared = Shared_](TFFPlayer*, TBitmap24& Bitmap, int64_t) {
        if (!shared->Paused && !shared->Stopped)
            shared->Buffer.Store(Bitmap);
    });
    if (!FFPlayer->LibrariesLoaded())
        FFPlayer->LoadLibraries(LibAVFolder());
    NameControls(this);
}

TfrmCrop::~TfrmCrop() {
    if (!Closed_)
        FormCloseQuery();
}

void TfrmCrop::SetRow(TSourceListModel* Files, int Row) {
    Files_ = Files;
    Row_ = Row;
}

void TfrmCrop::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void TfrmCrop::EnableCropping(bool On) {
    RectTracker->setVisible(On);
    RectTracker->setEnabled(On);
    for (QSpinBox* s : {spedUp, spedDown, spedLeft, spedRight})
        s->setEnabled(On);
    btnReset->setEnabled(On);
    btnDefault->setEnabled(On);
}

bool TfrmCrop::OpenFile() {
    if (!FFPlayer->LibrariesLoaded() && !FFPlayer->LoadLibraries(LibAVFolder()))
        return false;
    return FFPlayer->Open(Files_->Record(Row_).SrcFile, pan1, false);
}

void TfrmCrop::FormShow() {
    setFixedSize(615, 435);
    lblSourceName->clear();
    lblPTS->clear();
    lblLength->clear();
    Shared_->Paused = true;
    Shared_->Stopped = true;
    Shared_->Buffer.Clear();
    DrawnFrame_ = 0;
    // Typing is off: the values change by the arrows (and the tracker) only.
    for (QSpinBox* s : {spedUp, spedDown, spedLeft, spedRight})
        if (auto* edit = s->findChild<QLineEdit*>())
            edit->setReadOnly(true);
    P_ = TFitRect{};
    SourceWidth_ = 0;
    SourceHeight_ = 0;
    Margins_ = TCropMargins{};
    ShowMargins();
    imgPreview->setPixmap(QPixmap::fromImage(ProgressPicture(QImage(), PreviewWidth, PreviewHeight)));
    imgbtnPlay->setEnabled(false);
    imgbtnpause->setEnabled(false);
    // Nothing to crop until a picture is known: OK then stores zero margins.
    EnableCropping(false);
    if (Files_ == nullptr || Row_ < 0 || Row_ >= Files_->RowCount())
        return;
    const TlvFilesRecord& record = Files_->Record(Row_);
    const int zoom = ZoomIndexOf(record.ZoomMode);
    cmbZoom->setCurrentIndex(zoom < cmbZoom->count() ? zoom : -1);
    if (!OpenFile())
        return;

    Shared_->Paused = false;
    Shared_->Stopped = false;
    imgbtnpause->setEnabled(true);
    TAVProbe& probe = FFPlayer->Probe();
    TVideoStreamInfo video;
    if (probe.VideoStreamCount() >= 1 && probe.GetVideoStreamInfo(probe.FirstVideoStream(), video)) {
        SourceWidth_ = UprightWidth(video); // the player shows the picture upright
        SourceHeight_ = UprightHeight(video);
        const QImage frame = BitmapToImage(FFPlayer->CurrentFrame());
        imgPreview->setPixmap(
            QPixmap::fromImage(ProgressPicture(frame, PreviewWidth, PreviewHeight)));
        P_ = CropPictureRect(frame.width(), frame.height(), SourceWidth_, SourceHeight_,
                             imgPreview->x(), imgPreview->y(), PreviewWidth, PreviewHeight);
        Margins_ = {record.CropUpView, record.CropDownView, record.CropLeftView,
                    record.CropRightView};
        ShowMargins();
        RectTracker->SetBounds(TrackerForMargins(P_, Margins_));
        DragStartLeft_ = RectTracker->x();
        DragStartTop_ = RectTracker->y();
        EnableCropping(true);
    }
    ShowResult();
    lblSourceName->setText(Q(ShortenedName(record.SrcFile, 50, 44, "  ")));
    //: The file's length in seconds, e.g. "12.345 Second"
    lblLength->setText(tr("%1 Second").arg(Q(FormatSecondsMs(Duration_))));
    Timer->start();
}

void TfrmCrop::ShowMargins() {
    const bool was = TrackerMoving_;
    TrackerMoving_ = true;
    spedUp->setValue(Margins_.Up);
    spedDown->setValue(Margins_.Down);
    spedLeft->setValue(Margins_.Left);
    spedRight->setValue(Margins_.Right);
    TrackerMoving_ = was;
}

void TfrmCrop::ShowResult() {
    lblResult->setText(Q(CropResultText(Margins_, SourceWidth_, SourceHeight_, P_)));
}

void TfrmCrop::TimerTimer() {
    const QImage frame = Shared_->Buffer.Latest();
    if (frame.isNull() || frame.cacheKey() == DrawnFrame_)
        return;
    DrawnFrame_ = frame.cacheKey();
    imgPreview->setPixmap(QPixmap::fromImage(ProgressPicture(frame, PreviewWidth, PreviewHeight)));
}

void TfrmCrop::FFPlayerFileOpen(int64_t ADuration, int& AScreenWidth, int& AScreenHeight) {
    AScreenWidth = pan1->width();
    AScreenHeight = pan1->height();
    Duration_ = ADuration;
    lblLength->setText(Q(FormatHMS(RoundedSeconds(ADuration))));
    lblPTS->setText(QStringLiteral("0.0"));
    trcPreview->setTickInterval(5);
    trcPreview->setTickPosition(QSlider::NoTicks);
    trcPreview->setMaximum(trcPreview->width());
    trcPreview->ClearSelection();
    trcPreview->SetThumbVisible(ADuration > 0);
    BarMuted_ = true;
    trcPreview->setValue(0);
    BarMuted_ = false;
}

void TfrmCrop::FFPlayerPosition(int64_t APTS) {
    lblPTS->setText(Q(FormatHMS(RoundedSeconds(APTS))));
}

void TfrmCrop::FFPlayerState(TPlayState AState) {
    if (AState == psPause) {
        Shared_->Paused = true;
        Shared_->Stopped = false;
        imgbtnPlay->setEnabled(true);
        imgbtnpause->setEnabled(false);
    } else if (AState == psEnd) {
        imgbtnPlay->setEnabled(true);
        imgbtnpause->setEnabled(false);
        Shared_->Stopped = true;
        FFPlayer->Seek(0, false, 0);
        FFPlayer->Pause();
    }
}

void TfrmCrop::trcPreviewChange() {
    // A drag seeks once the button is up (the release runs this again).
    if (BarMuted_ || (QApplication::mouseButtons() & Qt::LeftButton) || trcPreview->isSliderDown())
        return;
    const int position = trcPreview->value();
    const int maximum = trcPreview->maximum();
    if (maximum > 0 && Duration_ * position / maximum > 0)
        FFPlayer->Seek(0, false, SeekPosition(position, maximum, Duration_));
}

void TfrmCrop::imgbtnPlayClick() {
    if (Shared_->Paused) {
        FFPlayer->Resume();
        Shared_->Paused = false;
        Shared_->Stopped = false;
    } else if (Shared_->Stopped) {
        if (Files_ != nullptr && Row_ >= 0 && Row_ < Files_->RowCount())
            OpenFile();
        Shared_->Paused = false;
        Shared_->Stopped = false;
    }
    imgbtnPlay->setEnabled(false);
    imgbtnpause->setEnabled(true);
}

void TfrmCrop::imgbtnpauseClick() {
    Shared_->Paused = true;
    Shared_->Stopped = false;
    FFPlayer->Pause();
    imgbtnPlay->setEnabled(true);
    imgbtnpause->setEnabled(false);
}

void TfrmCrop::SpinChange(TCropSide Side, int Value) {
    if (TrackerMoving_)
        return;
    const TCropSpinResult r = CropSpinChange(Side, Value, Margins_, RectTracker->Bounds(), P_,
                                             DragStartLeft_, DragStartTop_);
    Margins_ = r.Margins;
    DragStartLeft_ = r.DragStartLeft;
    DragStartTop_ = r.DragStartTop;
    if (r.Value != Value)
        ShowMargins(); // refused or limited: the box goes back
    TrackerMoving_ = true;
    RectTracker->SetBounds(r.Tracker);
    TrackerMoving_ = false;
    ShowResult();
}

void TfrmCrop::RectTrackerMouseDown() {
    DragStartLeft_ = RectTracker->x();
    DragStartTop_ = RectTracker->y();
}

void TfrmCrop::RectTrackerMouseMove(QPoint Position) {
    if (RectTracker->DragZone() == TTrackerZone::None)
        return;
    const TCropDragResult r = CropDragChecks(P_, RectTracker->Bounds(), Position.x(), Position.y(),
                                             Margins_, DragStartLeft_, DragStartTop_);
    TrackerMoving_ = true;
    RectTracker->SetBounds(r.Tracker);
    TrackerMoving_ = false;
    Margins_ = r.Margins;
    ShowMargins();
    ShowResult();
}

void TfrmCrop::RectTrackerKeyStep() {
    TrackerMoving_ = true;
    RectTracker->SetBounds(KeepTrackerInside(P_, RectTracker->Bounds()));
    TrackerMoving_ = false;
    Margins_ = MarginsOfTracker(P_, RectTracker->Bounds());
    DragStartLeft_ = RectTracker->x();
    DragStartTop_ = RectTracker->y();
    ShowMargins();
    ShowResult();
}

void TfrmCrop::btnResetClick() {
    Margins_ = TCropMargins{};
    ShowMargins();
    TrackerMoving_ = true;
    RectTracker->SetBounds(TrackerForMargins(P_, Margins_));
    TrackerMoving_ = false;
    DragStartLeft_ = RectTracker->x();
    DragStartTop_ = RectTracker->y();
    ShowResult();
}

void TfrmCrop::btnOkClick() {
    if (Files_ != nullptr && Row_ >= 0 && Row_ < Files_->RowCount()) {
        const TCropMargins shown{spedUp->value(), spedDown->value(), spedLeft->value(),
                                 spedRight->value()};
        StoreCrop(Files_->Record(Row_), shown, SourceWidth_, SourceHeight_, P_,
                  cmbZoom->currentIndex());
    }
    accept();
}

void TfrmCrop::btnCancelClick() { reject(); }

void TfrmCrop::FormCloseQuery() {
    Shared_->Stopped = true;
    Timer->stop();
    FFPlayer->Stop(true);
    Shared_->Buffer.Clear();
    FFPlayer->SetOnPosition(nullptr);
    FFPlayer->SetOnState(nullptr);
    FFPlayer->SetOnHook(nullptr);
    Closed_ = true;
}

void TfrmCrop::done(int Result) {
    FormCloseQuery();
    QDialog::done(Result);
}
