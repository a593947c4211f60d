#include "ui/FrmTrim.h"

#include "ui/CaptionFit.h"

#include "ui/ImageButton.h"

#include "app/AppPaths.h"
#include "app/PreviewLogic.h"
#include "app/SourceList.h"
#include "app/TrimLogic.h"
#include "ui/AccessibleNames.h"
#include "ui/DialogServices.h"
#include "ui/SelectionBar.h"
#include "ui/VideoView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

using namespace zelta;

namespace {

// How long position reports stay off the bar after a seek by the bar, so that reports made
// before the seek was carried out cannot move it back.
constexpr int SeekHoldMilliseconds = 300;

QString Q(const std::string& Text) { return QString::fromStdString(Text); }

} // namespace

TfrmTrim::TfrmTrim(const TDialogServices& Services, QWidget* Parent)
    : QDialog(Parent), Services_(Services), FFPlayer(std::make_unique<TFFPlayer>()) {
    setObjectName(QStringLiteral("frmTrim"));
    //: Window title of the dialog that cuts a file to a part of it
    setWindowTitle(tr("Trim"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    imgPreview = new TVideoView(this);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setGeometry(17, 10, 564, 275);
    imgPreview->setAccessibleName(tr("Preview"));

    trcPreview = new TSelectionBar(this);
    trcPreview->setObjectName(QStringLiteral("trcPreview"));
    trcPreview->setGeometry(12, 292, 574, 26);
    trcPreview->setToolTip(tr("Playing position"));
    trcPreview->setTickInterval(1);
    trcPreview->setRange(0, 0);

    //: Tool tip of the player's play button
    imgbtnPlay = ImageButton(this, QStringLiteral("imgbtnPlay"), tr("play"),
                             QStyle::SP_MediaPlay);
    imgbtnPlay->setGeometry(17, 324, 30, 28);
    //: Tool tip of the player's pause button
    imgbtnpause = ImageButton(this, QStringLiteral("imgbtnpause"), tr("pause"),
                              QStyle::SP_MediaPause);
    imgbtnpause->setGeometry(51, 324, 30, 28);
    lblPTS = new QLabel(this);
    lblPTS->setObjectName(QStringLiteral("lblPTS"));
    lblPTS->setGeometry(92, 328, 220, 20);
    lblLength = new QLabel(this);
    lblLength->setObjectName(QStringLiteral("lblLength"));
    lblLength->setGeometry(331, 328, 250, 20);
    lblLength->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    btnSetStart = new QPushButton(tr("<- &Set Start"), this);
    btnSetStart->setGeometry(17, 364, 112, 28);
    //: Caption of the trimmed part's start time
    auto* startLabel = new QLabel(tr("Start:"), this);
    startLabel->setGeometry(139, 368, 40, 20);
    edtStart = new QLineEdit(this);
    edtStart->setObjectName(QStringLiteral("edtStart"));
    edtStart->setGeometry(181, 366, 110, 24);
    startLabel->setBuddy(edtStart);
    //: Caption of the trimmed part's end time
    auto* endLabel = new QLabel(tr("End:"), this);
    endLabel->setGeometry(303, 368, 34, 20);
    edtTrimLength = new QLineEdit(this);
    edtTrimLength->setObjectName(QStringLiteral("edtTrimLength"));
    edtTrimLength->setGeometry(339, 366, 110, 24);
    endLabel->setBuddy(edtTrimLength);
    FitCaption(startLabel, edtStart);
    FitCaption(endLabel, edtTrimLength);
    const QString typeHint = tr("Type h:mm:ss.mmm or seconds and press Enter");
    edtStart->setToolTip(typeHint);
    edtTrimLength->setToolTip(typeHint);
    btnSetEnd = new QPushButton(tr("Set &End ->"), this);
    btnSetEnd->setGeometry(469, 364, 112, 28);

    //: Button: the whole file again
    btnDefault = new QPushButton(tr("&Reset"), this);
    btnDefault->setGeometry(17, 414, 90, 28);
    btnOk = new QPushButton(tr("Ok"), this);
    btnOk->setGeometry(397, 414, 88, 28);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setGeometry(493, 414, 88, 28);

    SeekHold_ = new QTimer(this);
    SeekHold_->setSingleShot(true);
    SeekHold_->setInterval(SeekHoldMilliseconds);
    connect(SeekHold_, &QTimer::timeout, this, [this] { Dragging_ = false; });

    connect(imgbtnPlay, &QToolButton::clicked, this, &TfrmTrim::imgbtnPlayClick);
    connect(imgbtnpause, &QToolButton::clicked, this, &TfrmTrim::imgbtnpauseClick);
    connect(btnSetStart, &QPushButton::clicked, this, &TfrmTrim::btnSetStartClick);
    connect(btnSetEnd, &QPushButton::clicked, this, &TfrmTrim::btnSetEndClick);
    connect(btnDefault, &QPushButton::clicked, this, &TfrmTrim::btnDefaultClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmTrim::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmTrim::btnCancelClick);
    connect(edtStart, &QLineEdit::editingFinished, this,
            [this] { PointTyped(edtStart, Start_, true); });
    connect(edtTrimLength, &QLineEdit::editingFinished, this,
            [this] { PointTyped(edtTrimLength, End_, false); });

    FFPlayer->SetOnFileOpen([this](TFFPlayer*, int64_t D, int, int, int& SW, int& SH) {
        FFPlayerFileOpen(D, SW, SH);
    });
    FFPlayer->SetOnPosition([this](TFFPlayer*, int64_t PTS) { FFPlayerPosition(PTS); });
    FFPlayer->SetOnState([this](TFFPlayer*, TPlayState S) { FFPlayerState(S); });
    // Creation: the libraries once, when nobody loaded them yet (a failure shows at showing).
    if (!FFPlayer->LibrariesLoaded())
        FFPlayer->LoadLibraries(LibAVFolder());
    NameControls(this);
}

TfrmTrim::~TfrmTrim() {
    if (qApp)
        qApp->removeEventFilter(this);
    // The handlers reach the widgets; the player must be quiet before they go.
    FFPlayer->SetOnFileOpen(nullptr);
    FFPlayer->SetOnPosition(nullptr);
    FFPlayer->SetOnState(nullptr);
    FFPlayer->Stop(true);
}

void TfrmTrim::SetRow(TSourceListModel* Files, int Row) {
    Files_ = Files;
    Row_ = Row;
}

void TfrmTrim::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void TfrmTrim::FormShow() {
    setFixedSize(598, 460);
    setWindowTitle(tr("Trim"));
    lblPTS->clear();
    lblLength->clear();
    Opened_ = false;
    Dragging_ = false;
    SeekHold_->stop();
    imgPreview->Clear();
    qApp->installEventFilter(this);
    const bool haveRow = Files_ != nullptr && Row_ >= 0 && Row_ < Files_->RowCount();
    edtStart->setEnabled(false);
    edtTrimLength->setEnabled(false);
    imgbtnPlay->setEnabled(false);
    imgbtnpause->setEnabled(false);
    if (!haveRow)
        return;
    if (!FFPlayer->LibrariesLoaded() && !FFPlayer->LoadLibraries(LibAVFolder()))
        return;
    const TlvFilesRecord& record = Files_->Record(Row_);
    if (!FFPlayer->Open(record.SrcFile, imgPreview, false)) {
        // Open stopped the previous showing's playback first; a last picture it handed over
        // while stopping must not stay on show for a file that did not open.
        imgPreview->Clear();
        return;
    }
    Opened_ = true;
    setWindowTitle(Q(TrimCaption(record.SrcFile)));
    const TTrimRange range = StoredTrimRange(record, Duration_);
    Start_ = range.Start;
    End_ = range.End;
    imgbtnPlay->setEnabled(false);
    imgbtnpause->setEnabled(true);
    edtStart->setEnabled(true);
    edtTrimLength->setEnabled(true);
    ShowPoints();
}

void TfrmTrim::ShowPoints() {
    edtStart->setText(Q(FormatMediaTime(Start_)));
    edtTrimLength->setText(Q(FormatMediaTime(End_)));
    trcPreview->SetSelection(TrimBarMark(Start_, trcPreview->maximum(), Duration_),
                             TrimBarMark(End_, trcPreview->maximum(), Duration_));
}

void TfrmTrim::FFPlayerFileOpen(int64_t ADuration, int& AScreenWidth, int& AScreenHeight) {
    AScreenWidth = imgPreview->width();
    AScreenHeight = imgPreview->height();
    Duration_ = ADuration;
    Start_ = 0;
    End_ = 0;
    edtStart->setText(QStringLiteral("0"));
    edtTrimLength->setText(QStringLiteral("0"));
    lblLength->setText(tr("Duration:    %1").arg(Q(FormatMediaTime(ADuration))));
    lblPTS->setText(QStringLiteral("0.0"));
    trcPreview->setTickInterval(1);
    trcPreview->setTickPosition(QSlider::NoTicks);
    trcPreview->setMaximum(trcPreview->width());
    trcPreview->ClearSelection();
    trcPreview->SetThumbVisible(ADuration > 0);
    trcPreview->setEnabled(true);
    const bool wasDragging = Dragging_;
    Dragging_ = true;
    trcPreview->setValue(0);
    Dragging_ = wasDragging;
}

void TfrmTrim::FFPlayerPosition(int64_t APTS) {
    lblPTS->setText(tr("Time:    %1").arg(Q(FormatMediaTime(APTS))));
    if (!Dragging_)
        trcPreview->setValue(BarPosition(APTS, trcPreview->maximum(), Duration_));
}

void TfrmTrim::FFPlayerState(TPlayState AState) {
    if (AState != psEnd)
        return;
    trcPreview->setValue(0);
    FFPlayer->Seek(sfAny, false, 0);
    FFPlayer->Pause();
    imgbtnPlay->setEnabled(true);
    imgbtnpause->setEnabled(false);
    trcPreview->ClearSelection();
    trcPreview->setEnabled(false);
    const QString reset = QString::fromUtf8(TimeResetText.data(), qsizetype(TimeResetText.size()));
    lblPTS->setText(reset);
    lblLength->setText(reset);
}

bool TfrmTrim::eventFilter(QObject* Watched, QEvent* Event) {
    const QEvent::Type type = Event->type();
    // Enter in a point box takes the typed time; it must not also press the default button.
    if (type == QEvent::KeyPress && (Watched == edtStart || Watched == edtTrimLength)) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (Watched == edtStart)
                PointTyped(edtStart, Start_, true);
            else
                PointTyped(edtTrimLength, End_, false);
            return true;
        }
    }
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
        Watched == trcPreview && Watched->objectName() == QLatin1String("trcPreview") &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton && trcPreview->isEnabled()) {
        if (type == QEvent::MouseButtonPress) {
            SeekHold_->stop();
            Dragging_ = true;
        } else if (Dragging_) {
            // The bar takes the release after us: its position is final once the event is done.
            QTimer::singleShot(0, this, [this] {
                FFPlayer->Seek(0, false,
                               SeekPosition(trcPreview->value(), trcPreview->maximum(), Duration_));
                SeekHold_->start();
            });
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TfrmTrim::imgbtnPlayClick() {
    FFPlayer->Resume();
    imgbtnPlay->setEnabled(false);
    imgbtnpause->setEnabled(true);
    trcPreview->setEnabled(true);
}

void TfrmTrim::imgbtnpauseClick() {
    FFPlayer->Pause();
    imgbtnpause->setEnabled(false);
    imgbtnPlay->setEnabled(true);
}

void TfrmTrim::btnSetStartClick() {
    const int64_t position = FFPlayer->Position();
    if (position <= 0)
        return;
    Start_ = position;
    edtStart->setText(Q(FormatMediaTime(Start_)));
    trcPreview->SetSelStart(trcPreview->value());
}

void TfrmTrim::btnSetEndClick() {
    const int64_t position = FFPlayer->Position();
    if (position <= 0)
        return;
    End_ = position;
    edtTrimLength->setText(Q(FormatMediaTime(End_)));
    trcPreview->SetSelEnd(trcPreview->value());
}

void TfrmTrim::btnDefaultClick() {
    Start_ = 0;
    End_ = Duration_;
    edtStart->setText(QString::fromUtf8(TimeResetText.data(), qsizetype(TimeResetText.size())));
    edtTrimLength->setText(Q(FormatMediaTime(Duration_)));
    trcPreview->SetSelection(0, trcPreview->maximum());
}

void TfrmTrim::PointTyped(QLineEdit* Box, int64_t& Point, bool IsStart) {
    if (Refusing_ || !Opened_)
        return;
    const std::string text = Box->text().toStdString();
    if (text == FormatMediaTime(Point))
        return;
    if (const std::optional<int64_t> t = AcceptTrimTime(text, Duration_)) {
        Point = *t;
        Box->setText(Q(FormatMediaTime(Point)));
        const int mark = TrimBarMark(Point, trcPreview->maximum(), Duration_);
        if (IsStart)
            trcPreview->SetSelStart(mark);
        else
            trcPreview->SetSelEnd(mark);
        return;
    }
    Refusing_ = true;
    Box->setText(Q(FormatMediaTime(Point)));
    Services_.Warning(this, tr("Warning"), Q(TrimTimeRefusal(text, Duration_)));
    Refusing_ = false;
}

void TfrmTrim::btnOkClick() {
    // A file that did not open leaves nothing to store: the points are not this file's.
    if (Opened_ && Files_ != nullptr && Row_ >= 0 && Row_ < Files_->RowCount()) {
        const TTrimResult r = TrimOkResult(Start_, End_, Duration_);
        TlvFilesRecord& record = Files_->Record(Row_);
        record.TrimStart = r.TrimStart;
        record.TrimLength = r.TrimLength;
        if (r.Column)
            Files_->SetSubItem(Row_, colTrimmedLength, *r.Column);
    }
    accept();
}

void TfrmTrim::btnCancelClick() { reject(); }

void TfrmTrim::FormCloseQuery() {
    qApp->removeEventFilter(this);
    SeekHold_->stop();
    FFPlayer->Stop(false);
}

void TfrmTrim::done(int Result) {
    FormCloseQuery();
    QDialog::done(Result);
}
