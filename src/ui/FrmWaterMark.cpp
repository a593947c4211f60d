// The watermark dialog's window: its frame (player picture, layered view, position bar and player
// buttons, the pages, OK, Cancel and Help), the showing that restores the record, the player's
// events and hook, and the closing. The Watermark page and its layer list are in
// WaterMarkLayerList.cpp, the Effect page in WaterMarkEffect.cpp.

#include "ui/FrmWaterMark.h"
#include "ui/WaterMarkParts.h"

#include "app/AppPaths.h"
#include "app/PreviewLogic.h"
#include "ui/AccessibleNames.h"
#include "ui/DialogServices.h"
#include "ui/TrackBar2.h"
#include "ui/VideoView.h"
#include "ui/WaterMarkPreview.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace zelta;

namespace wmdialog {

QLabel* Label(QWidget* Parent, const QString& Text, const QRect& Geometry, QWidget* Buddy)
{
    auto* L = new QLabel(Text, Parent);
    L->setGeometry(Geometry);
    if (Buddy != nullptr)
        L->setBuddy(Buddy);
    return L;
}

QSlider* Slider(QWidget* Parent, const QString& Name, int Min, int Max, const QRect& Geometry)
{
    auto* S = new QSlider(Qt::Horizontal, Parent);
    S->setObjectName(Name);
    S->setRange(Min, Max);
    S->setGeometry(Geometry);
    return S;
}

QImage BitmapImage(const TBitmap24& Bitmap)
{
    return QImage(Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(), Bitmap.ScanlineSize(),
                  QImage::Format_BGR888)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace wmdialog

using namespace wmdialog;

TfrmWaterMark::TfrmWaterMark(TlvFilesRecord& Record, const TDialogServices& Services, QWidget* Parent)
    : QDialog(Parent), Record_(Record), Services_(Services), FFPlayer(std::make_unique<TFFPlayer>())
{
    setObjectName(QStringLiteral("frmWaterMark"));
    setWindowTitle(QString::fromStdString(WaterMarkCaption(Record.SrcFile)));
    setFixedSize(786, 605);
    setModal(true);

    imgPreview = new TVideoView(this);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setGeometry(8, 8, 440, 330);
    imgPreview->setAccessibleName(tr("Player picture"));
    imgPreview->hide();
    ImgView = new TWaterMarkPreview(this);
    ImgView->setObjectName(QStringLiteral("ImgView"));
    ImgView->setGeometry(8, 8, 440, 330);
    ImgView->setAccessibleName(tr("Watermark layers"));
    ImgView->viewport()->setAccessibleName(tr("Watermark layers picture"));
    ImgView->horizontalScrollBar()->setAccessibleName(tr("Watermark layers horizontal scroll"));
    ImgView->verticalScrollBar()->setAccessibleName(tr("Watermark layers vertical scroll"));
    connect(ImgView, &TWaterMarkPreview::LayerPressed, this, [this](int Id) {
        const int Row = Layers_.IndexOfId(Id);
        if (Row < 0)
            return;
        lsbox->setCurrentRow(Row);
        lsboxClick();
    });
    connect(ImgView, &TWaterMarkPreview::EmptyPressed, this, [this] { SelectLayer(-1); });
    connect(ImgView, &TWaterMarkPreview::LayerDragged, this, &TfrmWaterMark::LayerDragged);

    trcPreview = Slider(this, QStringLiteral("trcPreview"), 0, 0, QRect(8, 342, 440, 20));
    //: Tool tip of the playing position slider
    trcPreview->setToolTip(tr("Position"));
    trcPreview->setEnabled(false);
    trcPreview->installEventFilter(this);
    spdBtnPlay = new QToolButton(this);
    spdBtnPlay->setObjectName(QStringLiteral("spdBtnPlay"));
    spdBtnPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    //: Tool tip of the player's play button
    spdBtnPlay->setToolTip(tr("play"));
    spdBtnPlay->setGeometry(8, 366, 26, 24);
    spdBtnPause = new QToolButton(this);
    spdBtnPause->setObjectName(QStringLiteral("spdBtnPause"));
    spdBtnPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    //: Tool tip of the player's pause button
    spdBtnPause->setToolTip(tr("pause"));
    spdBtnPause->setGeometry(36, 366, 26, 24);
    spdBtnPlay->setEnabled(false);
    spdBtnPause->setEnabled(false);
    //: Placeholder of the playing time until a file plays
    lblPTS = Label(this, tr("Play Time"), QRect(70, 368, 150, 20));
    //: Placeholder of the file's length until a file plays
    lblLength = Label(this, tr("Length"), QRect(226, 368, 222, 20));
    connect(spdBtnPlay, &QToolButton::clicked, this, &TfrmWaterMark::spdBtnPlayClick);
    connect(spdBtnPause, &QToolButton::clicked, this, &TfrmWaterMark::spdBtnPauseClick);

    BuildLayerList();

    pageControl1 = new QTabWidget(this);
    pageControl1->setObjectName(QStringLiteral("pageControl1"));
    pageControl1->setAccessibleName(tr("Watermark and Effect pages"));
    pageControl1->setGeometry(456, 8, 322, 552);
    tsWatermark = new QWidget();
    tsEffect = new QWidget();
    //: Page title
    pageControl1->addTab(tsWatermark, tr("Watermark"));
    //: Page title: picture effects (brightness, contrast, ...)
    pageControl1->addTab(tsEffect, tr("Effect"));
    BuildWatermarkPage();
    BuildEffectPage();
    connect(pageControl1, &QTabWidget::currentChanged, this, &TfrmWaterMark::pageControl1Change);

    btnOk = new QPushButton(tr("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(542, 568, 76, 28);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(622, 568, 76, 28);
    btnHelp = new QPushButton(tr("&Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setGeometry(702, 568, 76, 28);
    for (QPushButton* B : {btnOk, btnCancel, btnHelp})
        B->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &TfrmWaterMark::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmWaterMark::btnCancelClick);
    connect(btnHelp, &QPushButton::clicked, this, [this] {
        Services_.OpenUrl(QUrl(QString::fromLatin1(WaterMarkHelpPageAddress.data(),
                                                   qsizetype(WaterMarkHelpPageAddress.size()))));
    });

    PictureChooser_ = [](QWidget* Parent) {
        return QFileDialog::getOpenFileName(
            Parent, QString(), QString(),
            tr("Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;"
               "PNG files (*.png);;JPEG files (*.jpg *.jpeg)"));
    };

    FFPlayer->SetOnFileOpen([this](TFFPlayer*, int64_t D, int W, int H, int& SW, int& SH) {
        FFPlayerFileOpen(D, W, H, SW, SH);
    });
    FFPlayer->SetOnPosition([this](TFFPlayer*, int64_t PTS) { FFPlayerPosition(PTS); });
    FFPlayer->SetOnState([this](TFFPlayer*, TPlayState S) { FFPlayerState(S); });
    FFPlayer->SetOnHook([this](TFFPlayer*, TBitmap24& B, int64_t PTS) { FFPlayerHook(B, PTS); });

    NameControls(this);
}

TfrmWaterMark::~TfrmWaterMark()
{
    // The handlers reach the widgets; the player must be quiet before they go.
    FFPlayer->SetHook(false);
    FFPlayer->Stop(true);
    FFPlayer->SetOnHook(nullptr);
    FFPlayer->SetOnFileOpen(nullptr);
    FFPlayer->SetOnPosition(nullptr);
    FFPlayer->SetOnState(nullptr);
    FFPlayer.reset();
}

void TfrmWaterMark::SetPictureChooser(std::function<QString(QWidget*)> Chooser)
{
    PictureChooser_ = std::move(Chooser);
}

int TfrmWaterMark::SelectedRow() const
{
    return lsbox->currentRow();
}

void TfrmWaterMark::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (!Shown_) {
        Shown_ = true;
        FormShow();
    }
}

void TfrmWaterMark::FormShow()
{
    ImgView->RemoveAllLayers();
    Loading_ = true;
    const TEffectValues Effects = TEffectValues::From(Record_);
    trcBrightness->setValue(Effects.Brightness);
    trcContrast->setValue(Effects.Contrast);
    trcSaturation->setValue(Effects.Saturation);
    trcExposure->setValue(Effects.Exposure);
    chkProcessText->setChecked(Effects.ProcessText);
    chkProcessImage->setChecked(Effects.ProcessImage);
    Loading_ = false;
    EffectChanged();
    FrameSettings_.CropLeft = Record_.CropLeft;
    FrameSettings_.CropTop = Record_.CropTop;
    FrameSettings_.CropRight = Record_.CropRight;
    FrameSettings_.CropBottom = Record_.CropBottom;

    // The probe's length until the player reports its own.
    Duration_ = int64_t(Record_.Duration) * 1000000;
    trcRange->SetMax(RangeBarMaximum(Duration_));
    trcRange->SetTickInterval(RangeBarTickInterval(trcRange->Max(), trcRange->width()));
    trcRange->SetPositions(0, trcRange->Max());

    if (!FFPlayer->LibrariesLoaded() && !FFPlayer->LoadLibraries(LibAVFolder())) {
        RestoreLayers();
        return;
    }
    if (FFPlayer->Open(Record_.SrcFile, imgPreview, false)) {
        spdBtnPlay->setEnabled(false);
        spdBtnPause->setEnabled(true);
        trcPreview->setEnabled(true);
    }
    // A file the player cannot show still gets its layers back.
    if (!Restored_)
        RestoreLayers();
    Publish();
    FFPlayer->SetHook(true);
}

void TfrmWaterMark::FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight,
                                     int& AScreenWidth, int& AScreenHeight)
{
    AScreenWidth = imgPreview->width();
    AScreenHeight = imgPreview->height();
    FFPlayer->SetHook(false);
    Duration_ = ADuration > 0 ? ADuration : Duration_;
    lblLength->setText(tr("Duration:    %1").arg(QString::fromStdString(FormatMediaTime(std::max<int64_t>(ADuration, 0)))));
    lblPTS->setText(QStringLiteral("0.0"));
    trcRange->SetMax(RangeBarMaximum(Duration_));
    trcRange->SetMin(0);
    trcRange->SetTickInterval(RangeBarTickInterval(trcRange->Max(), trcRange->width()));
    Loading_ = true;
    trcRange->SetPositions(0, trcRange->Max());
    Loading_ = false;
    trcPreview->setTickInterval(1);
    trcPreview->setTickPosition(QSlider::NoTicks);
    trcPreview->setMaximum(trcPreview->width());
    Seeking_ = true;
    trcPreview->setValue(0);
    Seeking_ = false;
    if (AFrameWidth > 0 && AFrameHeight > 0) {
        trcTextHoriz->setRange(0, AFrameWidth);
        trcTextVert->setRange(0, AFrameHeight);
        ImgView->SetFrameSize(AFrameWidth, AFrameHeight);
    }
    if (!Restored_)
        RestoreLayers();
    Publish();
    FFPlayer->SetHook(true);
}

void TfrmWaterMark::FFPlayerPosition(int64_t APTS)
{
    lblPTS->setText(tr("Time:    %1").arg(QString::fromStdString(FormatMediaTime(APTS))));
}

void TfrmWaterMark::FFPlayerState(TPlayState AState)
{
    if (AState != psEnd)
        return;
    trcPreview->setValue(0);
    FFPlayer->Seek(sfAny, false, 0);
    FFPlayer->Pause();
    spdBtnPlay->setEnabled(true);
    spdBtnPause->setEnabled(false);
    trcPreview->setEnabled(false);
}

void TfrmWaterMark::FFPlayerHook(TBitmap24& ABitmap, int64_t APTS)
{
    // Video thread: only the schedule, the frame settings and the view's frame slot.
    const auto Start = std::chrono::steady_clock::now();
    std::vector<TLayerSchedule::TShown> Shown = Schedule_.ShownAt(APTS);
    PreviewProcessFrame(ABitmap, FrameSettings_);
    if (ViewShown_)
        ImgView->PostFrame(BitmapImage(ABitmap), APTS, std::move(Shown));
    const double Ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
    std::lock_guard Guard(HookTimesLock_);
    ++HookTimes_.Count;
    HookTimes_.TotalMs += Ms;
    HookTimes_.MaxMs = std::max(HookTimes_.MaxMs, Ms);
}

TfrmWaterMark::THookTimes TfrmWaterMark::HookTimes() const
{
    std::lock_guard Guard(HookTimesLock_);
    return HookTimes_;
}

bool TfrmWaterMark::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == lsbox && Event->type() == QEvent::KeyRelease) {
        // The keyboard selects rows as a click does; F2 renames a text row.
        switch (static_cast<QKeyEvent*>(Event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: lsboxClick(); break;
        case Qt::Key_F2: lsboxDblClick(); break;
        default: break;
        }
    }
    if (Watched == trcPreview &&
        (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton) {
        if (Event->type() == QEvent::MouseButtonPress) {
            Seeking_ = true;
        } else {
            FFPlayer->Seek(0, false, SeekPosition(trcPreview->value(), trcPreview->maximum(), Duration_));
            Seeking_ = false;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

// ---- player buttons ----

void TfrmWaterMark::spdBtnPlayClick()
{
    FFPlayer->Resume();
    spdBtnPlay->setEnabled(false);
    spdBtnPause->setEnabled(true);
    trcPreview->setEnabled(true);
}

void TfrmWaterMark::spdBtnPauseClick()
{
    FFPlayer->Pause();
    spdBtnPause->setEnabled(false);
    spdBtnPlay->setEnabled(true);
}

void TfrmWaterMark::pageControl1Change(int Index)
{
    const bool Watermark = pageControl1->widget(Index) == tsWatermark;
    ViewShown_ = Watermark;
    ImgView->setVisible(Watermark);
    imgPreview->setVisible(!Watermark);
}

// ---- closing ----

void TfrmWaterMark::StopPlayer(bool Wait)
{
    FFPlayer->SetHook(false);
    FFPlayer->Stop(Wait);
}

void TfrmWaterMark::btnOkClick()
{
    Layers_.WriteBack(Record_);
    TEffectValues V;
    V.Brightness = trcBrightness->value();
    V.Contrast = trcContrast->value();
    V.Saturation = trcSaturation->value();
    V.Exposure = trcExposure->value();
    V.ProcessText = chkProcessText->isChecked();
    V.ProcessImage = chkProcessImage->isChecked();
    V.WriteTo(Record_);
    StopPlayer(true);
    accept();
}

void TfrmWaterMark::btnCancelClick()
{
    StopPlayer(true);
    reject();
}

void TfrmWaterMark::ReleaseLayers()
{
    SelectLayer(-1);
    ImgView->RemoveAllLayers();
    Layers_.Clear();
    lsbox->clear();
    Publish();
}

void TfrmWaterMark::done(int Result)
{
    StopPlayer(false);
    ReleaseLayers();
    QDialog::done(Result);
}
