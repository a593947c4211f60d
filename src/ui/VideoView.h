// The video panel a TFFPlayer shows its pictures in.
//
// The player scales every picture to its display rectangle on its own play thread and hands it
// over through ShowPicture; the panel keeps only the newest one (an older picture the GUI has
// not painted yet is dropped) and paints it on a black background, so the GUI thread only
// copies pixels. Audio-only files arrive as visualisation pictures of the whole panel. Mouse
// presses and releases give the panel the keyboard focus and are passed on as signals; closing
// the panel is ignored.
//
// Thread: ShowPicture and ClientSize may be called from any thread; everything else on the GUI
// thread. Stop the player before the panel is destroyed.
#pragma once

#include "player/PlayerTypes.h"

#include <QPoint>
#include <QWidget>

#include <mutex>

class TVideoView : public QWidget, public TPictureSink {
    Q_OBJECT
public:
    explicit TVideoView(QWidget* Parent = nullptr);
    ~TVideoView() override;

    // TPictureSink.
    void ShowPicture(TShownPicture Picture) override;
    void ClientSize(int& Width, int& Height) const override;

    // Forgets the picture: the panel paints black.
    void Clear();
    // The picture painted last (or to be painted next); no bitmap when there is none.
    const TShownPicture& Current() const { return Current_; }

signals:
    void MousePressed(Qt::MouseButton Button, QPoint Position);
    void MouseReleased(Qt::MouseButton Button, QPoint Position);
    void MouseDoubleClicked(Qt::MouseButton Button, QPoint Position);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    // GUI thread: moves the pending picture to Current_ and repaints.
    void TakePending();

    mutable std::mutex Lock_; // guards the four fields below
    TShownPicture Pending_;
    bool HasPending_ = false;
    bool UpdateQueued_ = false;
    int ClientWidth_ = 0;
    int ClientHeight_ = 0;

    TShownPicture Current_; // GUI thread
};
