// The floating preview window of a conversion task (the engine's TPreviewer on Qt).
//
// TfrmPreviewer is the window: a stay-on-top tool window with only a close button, centred on
// the screen, its client area the size of the frame, its caption the frame time as
// "%.2d:%.2d:%.2d.%.3d". A left button press anywhere moves it as if its caption had been
// grabbed. Main thread only.
//
// TQtPreviewer is what a task holds: ShowFrame is called on the task's worker, copies the frame
// and shows it on the main thread (the worker waits); the window is created on the first frame
// and destroyed on the main thread with the previewer. Install QtPreviewerFactory() on the
// encoder component to get one window per previewed task.
#pragma once

#include "engine/Previewer.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class TfrmPreviewer : public QWidget {
    Q_OBJECT
public:
    // Closed is called (on the main thread) when the user closes the window.
    explicit TfrmPreviewer(std::function<void()> Closed, QWidget* Parent = nullptr);

    // Shows Frame with PTS (microseconds) as the caption. The first frame sizes the client
    // area to the frame and centres the window on the screen.
    void ShowFrame(const QImage& Frame, int64_t PTS);
    const QImage& Frame() const { return Frame_; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    std::function<void()> Closed_;
    QImage Frame_;
    bool Placed_ = false;
    // A drag the window system could not take over: the press point inside the window.
    bool Dragging_ = false;
    QPoint DragOffset_;
};

class TQtPreviewer final : public TPreviewer {
public:
    TQtPreviewer();
    // Destroys the window on the main thread (waiting for it there when called elsewhere).
    ~TQtPreviewer() override;

    bool ShowFrame(const TBitmap24& Bitmap, int FrameNumber, int64_t PTS) override;

    // The window; null before the first frame. Main thread only.
    TfrmPreviewer* Window() const { return Window_.get(); }
    bool Closed() const { return Closed_; }
    int FrameNumber() const { return FrameNumber_; }

private:
    std::atomic<bool> Closed_{false};
    std::atomic<int> FrameNumber_{0};
    std::unique_ptr<TfrmPreviewer> Window_; // created and destroyed on the main thread
};

// Makes a TQtPreviewer per task.
TPreviewerFactory QtPreviewerFactory();
