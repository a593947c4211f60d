// The modal progress window of a batch run. Showing it starts the encoder component's tasks, as
// many at once as the job count says; every way of closing it (Cancel, the title bar, the batch driver's close at the end
// of the run) stops the tasks with waiting first. It shows the latest progress texts, a live
// picture of the frame being converted (polled every 100 ms from the preview source), Pause,
// Resume and Cancel (acting on every running file), the running files with their percentages,
// the batch's totals, the two after-completion choices and a snapshot button.
//
// Created on first use by Start and kept: the shut-down choice keeps its state from run to run.
// Thread: GUI thread only. The converter, the preview source, the pause handlers and the dialog
// services must outlive the window.
#pragma once

#include "app/BatchDriver.h"
#include "app/PreviewLogic.h"
#include "engine/FFUtils.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;
class TCustomFFConverter;
class TDialogServices;

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(TCustomFFConverter& Ovren, QWidget* Parent = nullptr);
    ~TfrmProgress() override;

    // The latest preview frame (an empty bitmap while there is none).
    void SetPreviewSource(std::function<TBitmap24()> Source);
    // The same as a copier, for sources that keep the frame themselves (a TBitmap24 holds its
    // canvas lock and so cannot be returned by value from a named bitmap): copies the latest
    // frame into Frame and returns true, or returns false while there is none. Replaces the
    // source given to SetPreviewSource.
    using TPreviewCopier = std::function<bool(TBitmap24& Frame)>;
    void SetPreviewCopier(TPreviewCopier Copier);
    // Called after this window's Pause and Resume, so the main window mirrors its hidden
    // Pause/Resume buttons.
    void SetPauseHandlers(std::function<void()> Paused, std::function<void()> Resumed);
    // Message boxes of the snapshot (default: the real desktop).
    void SetServices(const TDialogServices& Services);

    // How many tasks the showing starts at once (StartTask's count; 1 until set).
    void SetJobCount(int Jobs);
    // What the showing calls to start the run with the job count, instead of the component's
    // StartTask (a Start whose tasks are still being built starts its run open); empty: StartTask.
    using TStarter = std::function<void(int Jobs)>;
    void SetStarter(TStarter Starter);
    int JobCount() const { return JobCount_; }
    // The texts of one progress report (and its percentage on the bar).
    void ShowProgress(const zelta::TProgressTexts& Texts);
    // The running files, one line each with its percentage, and the batch's totals.
    void ShowBatch(const zelta::TBatchView& View);
    void SetBarPosition(int Percent);
    bool OpenFolderChecked() const;
    bool ShutDownChecked() const;

    // The picture now shown (background with the fitted frame).
    const QImage& Picture() const { return Picture_; }
    // True while the timer refreshes the picture (between showing and closing).
    bool TimerActive() const;

    // Closes like every other way: stops the tasks with waiting, stops the timer.
    void done(int Result) override;

    QLabel* lblTime;
    QLabel* lblLength;
    QLabel* lblSize;
    QLabel* lblProgress;
    QLabel* lblOutput;
    QProgressBar* progbarFile;
    QListWidget* lstRunning; // one line per running file: "<file>  <percent>%"
    QLabel* lblFiles;        // "3 of 20 files"
    QLabel* lblElapsed;
    QLabel* lblRemaining;
    QProgressBar* progbarBatch;
    QLabel* imgPreview;
    QPushButton* btnPause;
    QPushButton* btnResume;
    QPushButton* btnCancel;
    QCheckBox* ckShutDown;
    QCheckBox* ckOpen;
    QToolButton* imgbtnSnap;

signals:
    void SnapshotWritten(const zelta::TSnapshotResult& Result);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FormShow();
    void FormCloseQuery();
    void btnPauseClick();
    void btnResumeClick();
    void Timer1Timer();
    void imgbtnSnapClick();
    void ShowPicture();
    // The latest frame into Frame_; false when there is none (or it is empty).
    bool TakeFrame();

    TCustomFFConverter& Ovren_;
    TPreviewCopier PreviewCopier_;
    TBitmap24 Frame_;
    std::function<void()> OnPaused_;
    std::function<void()> OnResumed_;
    const TDialogServices* Services_;
    QTimer* Timer1;
    QImage Picture_;
    bool Closing_ = false;
    int JobCount_ = 1;
    TStarter Starter_;
};
