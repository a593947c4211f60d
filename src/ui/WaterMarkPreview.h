// The watermark dialog's layered view: the current frame as the background item of a scene in
// frame pixels, one item per watermark layer above it in list order (each with its master
// alpha), and a selection frame with handles on the selected layer. The frame is fitted into the
// view with its aspect kept, centred, scaled nearest-neighbour, over a checkerboard of 13-pixel
// squares.
//
// Frames come from the player's hook through PostFrame (any thread): only the newest one is
// kept until the GUI thread shows it, together with the layers' visibility at its time, so the
// video thread never waits for the GUI. Everything else is GUI thread only.
//
// Mouse: a press on a layer reports LayerPressed (the dialog selects its row and calls Select);
// a press elsewhere reports EmptyPressed. Dragging inside the selected layer moves it, dragging
// a handle of a resizable layer resizes it (Ctrl keeps the centre); every step reports
// LayerDragged with the new rectangle, which the dialog applies with SetLayerRect.
#pragma once

#include "app/WaterMarkLogic.h"

#include <QGraphicsView>
#include <QImage>

#include <atomic>
#include <map>
#include <mutex>
#include <vector>

class QGraphicsPixmapItem;
class QGraphicsScene;
class TSelectionFrameItem;

class TWaterMarkPreview : public QGraphicsView {
    Q_OBJECT
public:
    explicit TWaterMarkPreview(QWidget* Parent = nullptr);
    ~TWaterMarkPreview() override;

    // Any thread: the next frame to show, its time (microseconds) and which layers it shows.
    void PostFrame(QImage Frame, int64_t PTS, std::vector<zelta::TLayerSchedule::TShown> Shown);
    // The frame size the scene is laid out for (before the first frame arrives).
    void SetFrameSize(int Width, int Height);
    QSize FrameSize() const { return FrameSize_; }
    // The frame shown last; null before the first.
    const QImage& Frame() const { return Frame_; }
    int64_t FramePTS() const { return FramePTS_; }
    // The frame with the shown layers over it, at the frame's own size (no selection frame).
    QImage Composite() const;
    // Frames shown since the view was made (for measurements).
    int FramesShown() const { return FramesShown_; }

    // --- layers, by the row's id ---
    void AddLayer(int Id, const QImage& Picture, const zelta::TLayerRect& Rect, int Alpha,
                  bool Resizable);
    void SetLayerPicture(int Id, const QImage& Picture);
    void SetLayerRect(int Id, const zelta::TLayerRect& Rect);
    void SetLayerAlpha(int Id, int Alpha);
    void SetLayerVisible(int Id, bool Visible);
    void RemoveLayer(int Id);
    void RemoveAllLayers();
    // Drawing order, lowest first.
    void SetOrder(const std::vector<int>& Ids);
    bool HasLayer(int Id) const { return Layers_.count(Id) != 0; }
    bool LayerVisible(int Id) const;
    double LayerOpacity(int Id) const;
    // The layer's position in the drawing order (0 lowest); -1 when it is no layer.
    int LayerLevel(int Id) const;
    // Layers in drawing order, lowest first.
    std::vector<int> Order() const;

    // Attaches the selection frame to a layer; -1 removes the selection.
    void Select(int Id);
    int Selected() const { return Selected_; }
    bool SelectionFrameVisible() const;
    // The frame point under the middle of the view.
    QPointF CentrePoint() const;
    // The view point of a frame point.
    QPoint ViewPoint(const QPointF& FramePoint) const;

signals:
    void LayerPressed(int Id);
    void EmptyPressed();
    void LayerDragged(int Id, zelta::TLayerRect Rect);

protected:
    void drawBackground(QPainter* Painter, const QRectF& Rect) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    struct TLayer {
        QGraphicsPixmapItem* Item = nullptr;
        zelta::TLayerRect Rect;
        bool Resizable = true;
    };
    void TakePending();
    void Fit();
    void PlaceFrame();
    zelta::TFrameHandle HandleAt(const QPoint& ViewPoint) const;

    QGraphicsScene* Scene_;
    QGraphicsPixmapItem* FrameItem_;
    TSelectionFrameItem* SelectionItem_ = nullptr; // made on the first selection
    std::map<int, TLayer> Layers_;
    int Selected_ = -1;
    QSize FrameSize_;
    QImage Frame_;
    int64_t FramePTS_ = -1;
    int FramesShown_ = 0;

    // Dragging.
    zelta::TFrameHandle Drag_ = zelta::TFrameHandle::None;
    QPointF DragFrom_;
    zelta::TLayerRect DragStart_;

    std::mutex Lock_; // guards the three fields below
    QImage Pending_;
    int64_t PendingPTS_ = -1;
    std::vector<zelta::TLayerSchedule::TShown> PendingShown_;
    bool UpdateQueued_ = false;
};
