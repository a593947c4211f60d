#include "ui/FrmProgress.h"

#include "ui/AccessibleNames.h"

#include "app/GlobalObject.h"
#include "component/FFConverter.h"
#include "ui/DialogServices.h"
#include "ui/PreviewPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>

using namespace zelta;

namespace {

constexpr int WindowWidth = 420;
constexpr int WindowHeight = 640;
constexpr int PictureWidth = 320;
constexpr int PictureHeight = 240;
constexpr int TimerMilliseconds = 100;

QLabel* ValueLabel(QWidget* Parent, const QString& Name) {
    auto* l = new QLabel(Parent);
    l->setObjectName(Name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

TfrmProgress::TfrmProgress(TCustomFFConverter& Ovren, QWidget* Parent)
    : QDialog(Parent), Ovren_(Ovren), Services_(&TDialogServices::Default()) {
    setObjectName(QStringLiteral("frmProgress"));
    //: Title of the window shown while the files convert
    setWindowTitle(tr("Progress"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(4);

    auto* values = new QFormLayout();
    values->setVerticalSpacing(1);
    lblTime = ValueLabel(this, QStringLiteral("lblTime"));
    lblLength = ValueLabel(this, QStringLiteral("lblLength"));
    lblSize = ValueLabel(this, QStringLiteral("lblSize"));
    lblProgress = ValueLabel(this, QStringLiteral("lblProgress"));
    lblOutput = ValueLabel(this, QStringLiteral("lblOutput"));
    values->addRow(tr("Current Time:"), lblTime);
    values->addRow(tr("Length:"), lblLength);
    values->addRow(tr("File Size:"), lblSize);
    values->addRow(tr("Progress:"), lblProgress);
    //: The output file being written
    values->addRow(tr("File:"), lblOutput);
    layout->addLayout(values);

    progbarFile = new QProgressBar(this);
    progbarFile->setObjectName(QStringLiteral("progbarFile"));
    progbarFile->setRange(0, 100);
    progbarFile->setValue(0);
    progbarFile->setTextVisible(true);
    progbarFile->setFormat(QStringLiteral("%p%"));
    layout->addWidget(progbarFile);

    auto* batchCaption = new QLabel(tr("Converting now:"), this);
    layout->addWidget(batchCaption);
    lstRunning = new QListWidget(this);
    lstRunning->setObjectName(QStringLiteral("lstRunning"));
    lstRunning->setSelectionMode(QAbstractItemView::NoSelection);
    lstRunning->setFocusPolicy(Qt::NoFocus);
    lstRunning->setFixedHeight(96);
    batchCaption->setBuddy(lstRunning);
    layout->addWidget(lstRunning);
    auto* totals = new QFormLayout();
    totals->setVerticalSpacing(1);
    lblFiles = ValueLabel(this, QStringLiteral("lblFiles"));
    lblElapsed = ValueLabel(this, QStringLiteral("lblElapsed"));
    lblRemaining = ValueLabel(this, QStringLiteral("lblRemaining"));
    totals->addRow(tr("Files done:"), lblFiles);
    totals->addRow(tr("Elapsed:"), lblElapsed);
    totals->addRow(tr("Remaining:"), lblRemaining);
    layout->addLayout(totals);
    progbarBatch = new QProgressBar(this);
    progbarBatch->setObjectName(QStringLiteral("progbarBatch"));
    progbarBatch->setRange(0, 100);
    progbarBatch->setValue(0);
    progbarBatch->setTextVisible(true);
    //: Text on the progress bar of the whole batch; Qt puts the percentage in place of %p
    progbarBatch->setFormat(tr("All files: %p%"));
    progbarBatch->setAccessibleName(tr("All files"));
    layout->addWidget(progbarBatch);

    auto* pictureRow = new QHBoxLayout();
    imgPreview = new QLabel(this);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setFixedSize(PictureWidth, PictureHeight);
    pictureRow->addStretch(1);
    pictureRow->addWidget(imgPreview);
    imgbtnSnap = new QToolButton(this);
    imgbtnSnap->setObjectName(QStringLiteral("imgbtnSnap"));
    imgbtnSnap->setText(tr("Save snapshot picture"));
    imgbtnSnap->setToolTip(tr("Save snapshot picture"));
    imgbtnSnap->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    imgbtnSnap->setToolButtonStyle(Qt::ToolButtonIconOnly);
    imgbtnSnap->setAutoRaise(true);
    pictureRow->addWidget(imgbtnSnap, 0, Qt::AlignBottom);
    pictureRow->addStretch(1);
    layout->addLayout(pictureRow);

    ckOpen = new QCheckBox(tr("Open the output folder after conversion"), this);
    ckOpen->setObjectName(QStringLiteral("ckOpen"));
    ckShutDown = new QCheckBox(tr("Shut down computer after conversion"), this);
    ckShutDown->setObjectName(QStringLiteral("ckShutDown"));
    ckShutDown->setChecked(false);
    layout->addWidget(ckOpen);
    layout->addWidget(ckShutDown);

    auto* buttons = new QHBoxLayout();
    btnPause = new QPushButton(tr("Pause"), this);
    btnPause->setObjectName(QStringLiteral("btnPause"));
    btnResume = new QPushButton(tr("Resume"), this);
    btnResume->setObjectName(QStringLiteral("btnResume"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* b : {btnPause, btnResume, btnCancel})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(btnPause);
    buttons->addWidget(btnResume);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TimerMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &TfrmProgress::Timer1Timer);
    connect(btnPause, &QPushButton::clicked, this, &TfrmProgress::btnPauseClick);
    connect(btnResume, &QPushButton::clicked, this, &TfrmProgress::btnResumeClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { close(); });
    connect(imgbtnSnap, &QToolButton::clicked, this, &TfrmProgress::imgbtnSnapClick);

    setFixedSize(WindowWidth, WindowHeight);
    NameControls(this);
}

TfrmProgress::~TfrmProgress() = default;

void TfrmProgress::SetPreviewSource(std::function<TBitmap24()> Source) {
    if (!Source) {
        PreviewCopier_ = nullptr;
        return;
    }
    PreviewCopier_ = [Source = std::move(Source)](TBitmap24& Frame) {
        const TBitmap24 latest = Source();
        if (latest.Width() <= 0 || latest.Height() <= 0)
            return false;
        Frame.SetSize(latest.Width(), latest.Height());
        std::memcpy(Frame.Bits(), latest.Bits(), size_t(latest.ScanlineSize()) * latest.Height());
        return true;
    };
}

void TfrmProgress::SetPreviewCopier(TPreviewCopier Copier) { PreviewCopier_ = std::move(Copier); }

bool TfrmProgress::TakeFrame() {
    return PreviewCopier_ && PreviewCopier_(Frame_) && Frame_.Width() > 0 && Frame_.Height() > 0;
}

void TfrmProgress::SetPauseHandlers(std::function<void()> Paused, std::function<void()> Resumed) {
    OnPaused_ = std::move(Paused);
    OnResumed_ = std::move(Resumed);
}

void TfrmProgress::SetServices(const TDialogServices& Services) { Services_ = &Services; }

void TfrmProgress::ShowProgress(const TProgressTexts& Texts) {
    lblTime->setText(QString::fromStdString(Texts.Time));
    lblLength->setText(QString::fromStdString(Texts.Length));
    lblSize->setText(QString::fromStdString(Texts.Size));
    lblProgress->setText(QString::fromStdString(Texts.Progress));
    lblOutput->setText(QString::fromStdString(Texts.File));
    SetBarPosition(Texts.Percent);
}

void TfrmProgress::SetBarPosition(int Percent) { progbarFile->setValue(Percent); }

void TfrmProgress::SetJobCount(int Jobs) { JobCount_ = Jobs < 1 ? 1 : Jobs; }

void TfrmProgress::SetStarter(TStarter Starter) { Starter_ = std::move(Starter); }

void TfrmProgress::ShowBatch(const TBatchView& View) {
    // Rows are reused: with several files at once this runs several times a second.
    while (lstRunning->count() > int(View.Running.size()))
        delete lstRunning->takeItem(lstRunning->count() - 1);
    for (size_t i = 0; i < View.Running.size(); ++i) {
        const QString line = QString::fromStdString(View.Running[i].File) + QStringLiteral("  ") +
                             QString::number(View.Running[i].Percent) + QLatin1Char('%');
        if (int(i) < lstRunning->count())
            lstRunning->item(int(i))->setText(line);
        else
            lstRunning->addItem(line);
    }
    lblFiles->setText(QString::fromStdString(View.Files));
    lblElapsed->setText(QString::fromStdString(View.Elapsed));
    lblRemaining->setText(QString::fromStdString(View.Remaining));
    progbarBatch->setValue(View.Percent);
}

bool TfrmProgress::OpenFolderChecked() const { return ckOpen->isChecked(); }

bool TfrmProgress::ShutDownChecked() const { return ckShutDown->isChecked(); }

bool TfrmProgress::TimerActive() const { return Timer1->isActive(); }

void TfrmProgress::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    // A window coming back from being minimised is no new run.
    if (!Event->spontaneous())
        FormShow();
}

void TfrmProgress::FormShow() {
    Closing_ = false;
    setFixedSize(WindowWidth, WindowHeight);
    for (QLabel* l : {lblTime, lblLength, lblSize, lblProgress, lblOutput, lblFiles, lblElapsed,
                      lblRemaining})
        l->clear();
    lstRunning->clear();
    progbarBatch->setValue(0);
    ckOpen->setChecked(true);
    btnPause->setEnabled(true);
    btnResume->setEnabled(false);
    Picture_ = ProgressPicture(QImage(), imgPreview->width(), imgPreview->height());
    ShowPicture();
    Timer1->start();
    progbarFile->setRange(0, 100);
    progbarFile->setValue(0);
    if (Starter_)
        Starter_(JobCount_);
    else
        Ovren_.StartTask(JobCount_);
}

void TfrmProgress::done(int Result) {
    // Stopping waits while the main thread handles the run's notifications; the end of the run
    // closes this window from one of them, which the close already under way completes.
    if (Closing_)
        return;
    Closing_ = true;
    FormCloseQuery();
    QDialog::done(Result);
    Closing_ = false;
}

void TfrmProgress::FormCloseQuery() {
    Ovren_.StopTasks(true);
    Timer1->stop();
}

void TfrmProgress::btnPauseClick() {
    Ovren_.PauseTasks();
    if (OnPaused_)
        OnPaused_();
    btnPause->setEnabled(false);
    btnResume->setEnabled(true);
}

void TfrmProgress::btnResumeClick() {
    Ovren_.ResumeTasks();
    if (OnResumed_)
        OnResumed_();
    btnPause->setEnabled(true);
    btnResume->setEnabled(false);
}

void TfrmProgress::Timer1Timer() {
    if (!TakeFrame())
        return;
    Picture_ = ProgressPicture(BitmapToImage(Frame_), imgPreview->width(), imgPreview->height());
    ShowPicture();
}

void TfrmProgress::ShowPicture() { imgPreview->setPixmap(QPixmap::fromImage(Picture_)); }

void TfrmProgress::imgbtnSnapClick() {
    if (!TakeFrame())
        return;
    const QImage full = BitmapToImage(Frame_);
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    TIniFile settings = g->Settings();
    TServicesPrompts prompts(*Services_, this);
    emit SnapshotWritten(WriteSnapshots(full, Picture_, settings, prompts));
}
