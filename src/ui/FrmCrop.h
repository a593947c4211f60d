// The crop dialog ("Crop"): plays the selected row's file into a hidden panel, shows every
// frame fitted into its preview picture (a 100 ms timer draws the newest one), lays the
// rectangle tracker over the picture and keeps the four margin spin edits "Up", "Down", "Left"
// and "Right" in step with it both ways. OK stores the margins in the row's record in preview
// pixels and as even source-frame margins, and the zoom mode. The main window makes a new one
// for every opening. The rules are app/CropLogic.
//
// Main thread only, except the player's hook: it runs on the player's video thread and only
// stores the frame into the shared frame buffer. Closing stops the player with waiting and
// detaches its events, so nothing reaches the dialog afterwards.
#pragma once

#include "app/CropLogic.h"
#include "player/FFPlayer.h"

#include <QDialog>

#include <atomic>
#include <cstdint>
#include <memory>

namespace zelta {
class TSourceListModel;
}

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;
class TRectTracker;
class TSelectionBar;
class TVideoView;

class TfrmCrop : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCrop(QWidget* Parent = nullptr);
    ~TfrmCrop() override;

    // The row whose record the showing edits; Row -1 (or an empty list) shows nothing to crop.
    // Files must outlive the showing.
    void SetRow(zelta::TSourceListModel* Files, int Row);

    TFFPlayer& Player() { return *FFPlayer; }
    // The picture rectangle in the coordinates of the tracker's parent.
    const zelta::TFitRect& PictureRect() const { return P_; }
    int SourceWidth() const { return SourceWidth_; }
    int SourceHeight() const { return SourceHeight_; }
    zelta::TCropMargins Margins() const { return Margins_; }
    bool Paused() const { return Shared_->Paused; }
    bool Stopped() const { return Shared_->Stopped; }
    // The frame the timer draws next (a null image before the first one).
    QImage BufferedFrame() const { return Shared_->Buffer.Latest(); }

    QWidget* pagePreview; // the tracker's parent
    QLabel* imgPreview;
    TRectTracker* RectTracker;
    QSpinBox* spedUp;
    QSpinBox* spedDown;
    QSpinBox* spedLeft;
    QSpinBox* spedRight;
    QLabel* lblResult;
    QPushButton* btnReset;
    QPushButton* btnDefault;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QToolButton* imgbtnPlay;
    QToolButton* imgbtnpause;
    TSelectionBar* trcPreview;
    QComboBox* cmbZoom;
    QLabel* lblSourceName;
    QLabel* lblPTS;
    QLabel* lblLength;
    QTimer* Timer;
    TVideoView* pan1;

    // The handlers, public so tests can run them like a click.
    void btnResetClick();
    void btnDefaultClick() { btnResetClick(); }
    void btnOkClick();
    void btnCancelClick();
    void imgbtnPlayClick();
    void imgbtnpauseClick();
    void TimerTimer();

public slots:
    void done(int Result) override;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // What the video thread shares with the dialog; the hook holds it too.
    struct TShared {
        zelta::TCropFrameBuffer Buffer;
        std::atomic<bool> Paused{true};
        std::atomic<bool> Stopped{true};
    };

    void FormShow();
    void FormCloseQuery();
    bool OpenFile();
    void EnableCropping(bool On);
    void FFPlayerFileOpen(int64_t ADuration, int& AScreenWidth, int& AScreenHeight);
    void FFPlayerPosition(int64_t APTS);
    void FFPlayerState(TPlayState AState);
    void SpinChange(zelta::TCropSide Side, int Value);
    void RectTrackerMouseDown();
    void RectTrackerMouseMove(QPoint Position);
    void RectTrackerKeyStep();
    void trcPreviewChange();
    // The spin edits show Margins_ without running their handlers.
    void ShowMargins();
    void ShowResult();

    std::unique_ptr<TFFPlayer> FFPlayer;
    std::shared_ptr<TShared> Shared_ = std::make_shared<TShared>();
    zelta::TSourceListModel* Files_ = nullptr;
    int Row_ = -1;
    bool Closed_ = false;
    zelta::TFitRect P_;
    int SourceWidth_ = 0;
    int SourceHeight_ = 0;
    zelta::TCropMargins Margins_; // the last accepted spin values
    int DragStartLeft_ = 0;
    int DragStartTop_ = 0;
    bool TrackerMoving_ = false;  // mutes the spin handlers
    bool BarMuted_ = false;       // mutes the position bar's handler
    int64_t Duration_ = 0;
    qint64 DrawnFrame_ = 0;       // cache key of the frame drawn last
};
