// The trim dialog ("Trim"): plays the selected row's file in its own player, lets the user mark
// a start and an end point at the playing position (or type them), and on OK stores the kept
// range in the row's record (TrimStart, TrimLength) and its length in the "Trimmed Length"
// column. Created on first use by the main window and kept; every showing reopens the file and
// starts from the stored range. The rules are app/TrimLogic.
//
// Main thread only. The player's events arrive on the main thread; it is stopped (without
// waiting) when the dialog closes and with waiting before the dialog goes. Services (message
// boxes) must outlive the dialog.
#pragma once

#include "player/FFPlayer.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace zelta {
class TSourceListModel;
}

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TDialogServices;
class TSelectionBar;
class TVideoView;

class TfrmTrim : public QDialog {
    Q_OBJECT
public:
    TfrmTrim(const TDialogServices& Services, QWidget* Parent = nullptr);
    ~TfrmTrim() override;

    // The row whose record the next showing edits; Row -1 (or an empty list) shows an empty
    // preview. Files must outlive the showing.
    void SetRow(zelta::TSourceListModel* Files, int Row);

    TFFPlayer& Player() { return *FFPlayer; }
    int64_t StartPoint() const { return Start_; }
    int64_t EndPoint() const { return End_; }
    int64_t Duration() const { return Duration_; }
    bool FileOpened() const { return Opened_; }
    bool Dragging() const { return Dragging_; }

    TVideoView* imgPreview;
    TSelectionBar* trcPreview;
    QToolButton* imgbtnPlay;
    QToolButton* imgbtnpause;
    QPushButton* btnSetStart;
    QPushButton* btnSetEnd;
    QPushButton* btnDefault;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QLineEdit* edtStart;
    QLineEdit* edtTrimLength;
    QLabel* lblPTS;
    QLabel* lblLength;

    // The handlers, public so tests can run them like a click.
    void imgbtnPlayClick();
    void imgbtnpauseClick();
    void btnSetStartClick();
    void btnSetEndClick();
    void btnDefaultClick();
    void btnOkClick();
    void btnCancelClick();

public slots:
    void done(int Result) override;

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FormShow();
    void FormCloseQuery();
    void FFPlayerFileOpen(int64_t ADuration, int& AScreenWidth, int& AScreenHeight);
    void FFPlayerPosition(int64_t APTS);
    void FFPlayerState(TPlayState AState);
    void ShowPoints();
    // A typed start or end point: accepted, or refused with a message and the box restored.
    void PointTyped(QLineEdit* Box, int64_t& Point, bool IsStart);

    const TDialogServices& Services_;
    std::unique_ptr<TFFPlayer> FFPlayer;
    zelta::TSourceListModel* Files_ = nullptr;
    int Row_ = -1;
    int64_t Start_ = 0;
    int64_t End_ = 0;
    int64_t Duration_ = 0;
    bool Opened_ = false;   // the shown file opened: OK may store
    bool Dragging_ = false; // the bar is held: position reports leave it alone
    bool Refusing_ = false; // a refusal's message box is up
    QTimer* SeekHold_;      // ends a drag 300 ms after its seek
};
