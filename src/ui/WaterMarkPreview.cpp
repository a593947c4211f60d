#include "ui/WaterMarkPreview.h"

#include <QGraphicsItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

using namespace zelta;

namespace {

constexpr int CheckerSquare = 13;
constexpr QRgb CheckerGrey = 0xFFB0B0B0;
constexpr QRgb CheckerWhite = 0xFFFFFFFF;
constexpr int HandleSize = 7; // view pixels
constexpr qreal SelectionLevel = 1e6;

QRectF ToQRectF(const TLayerRect& R) { return QRectF(R.Left, R.Top, R.Width, R.Height); }

// The eight handle centres of a rectangle, corners first (a point on a corner that also lies in
// an edge's handle counts as the corner).
struct THandlePoint {
    TFrameHandle Handle;
    QPointF At;
};
std::vector<THandlePoint> HandlePoints(const QRectF& R)
{
    const QPointF C = R.center();
    return {{TFrameHandle::TopLeft, R.topLeft()},         {TFrameHandle::BottomRight, R.bottomRight()},
            {TFrameHandle::BottomLeft, R.bottomLeft()},   {TFrameHandle::TopRight, R.topRight()},
            {TFrameHandle::Left, {R.left(), C.y()}},      {TFrameHandle::Right, {R.right(), C.y()}},
            {TFrameHandle::Top, {C.x(), R.top()}},        {TFrameHandle::Bottom, {C.x(), R.bottom()}}};
}

Qt::CursorShape HandleCursor(TFrameHandle Handle)
{
    switch (Handle) {
    case TFrameHandle::TopLeft:
    case TFrameHandle::BottomRight: return Qt::SizeFDiagCursor;
    case TFrameHandle::TopRight:
    case TFrameHandle::BottomLeft: return Qt::SizeBDiagCursor;
    case TFrameHandle::Left:
    case TFrameHandle::Right: return Qt::SizeHorCursor;
    case TFrameHandle::Top:
    case TFrameHandle::Bottom: return Qt::SizeVerCursor;
    case TFrameHandle::Move: return Qt::SizeAllCursor;
    case TFrameHandle::None: break;
    }
    return Qt::ArrowCursor;
}

} // namespace

// The rubber band around the selected layer: a dashed outline and eight handles that keep their
// size on the screen however the frame is scaled.
class TSelectionFrameItem : public QGraphicsItem {
public:
    void SetRect(const QRectF& Rect, bool Handles)
    {
        prepareGeometryChange();
        Rect_ = Rect;
        Handles_ = Handles;
    }
    QRectF Rect() const { return Rect_; }
    QRectF boundingRect() const override
    {
        // Room for the handles at any reasonable scale.
        const qreal M = 64;
        return Rect_.adjusted(-M, -M, M, M);
    }
    void paint(QPainter* P, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const qreal Scale = std::max<qreal>(P->worldTransform().m11(), 1e-3);
        QPen Dash(Qt::white, 0, Qt::DashLine);
        P->setBrush(Qt::NoBrush);
        P->setPen(QPen(Qt::black, 0));
        P->drawRect(Rect_);
        P->setPen(Dash);
        P->drawRect(Rect_);
        if (!Handles_)
            return;
        const qreal H = HandleSize / Scale;
        P->setPen(QPen(Qt::white, 0));
        P->setBrush(Qt::black);
        for (const THandlePoint& Point : HandlePoints(Rect_))
            P->drawRect(QRectF(Point.At.x() - H / 2, Point.At.y() - H / 2, H, H));
    }

private:
    QRectF Rect_;
    bool Handles_ = true;
};

TWaterMarkPreview::TWaterMarkPreview(QWidget* Parent)
    : QGraphicsView(Parent), Scene_(new QGraphicsScene(this)), FrameItem_(new QGraphicsPixmapItem)
{
    setScene(Scene_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignCenter);
    setRenderHint(QPainter::SmoothPixmapTransform, false);
    setRenderHint(QPainter::Antialiasing, false);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setMouseTracking(true);
    FrameItem_->setTransformationMode(Qt::FastTransformation);
    FrameItem_->setZValue(0);
    Scene_->addItem(FrameItem_);
    SetFrameSize(440, 330);
}

TWaterMarkPreview::~TWaterMarkPreview() = default;

void TWaterMarkPreview::PostFrame(QImage Frame, int64_t PTS,
                                  std::vector<TLayerSchedule::TShown> Shown)
{
    bool Queue = false;
    {
        std::lock_guard Guard(Lock_);
        Pending_ = std::move(Frame);
        PendingPTS_ = PTS;
        PendingShown_ = std::move(Shown);
        Queue = !UpdateQueued_;
        UpdateQueued_ = true;
    }
    if (Queue)
        QMetaObject::invokeMethod(this, &TWaterMarkPreview::TakePending, Qt::QueuedConnection);
}

void TWaterMarkPreview::TakePending()
{
    QImage Frame;
    int64_t PTS = -1;
    std::vector<TLayerSchedule::TShown> Shown;
    {
        std::lock_guard Guard(Lock_);
        Frame = std::move(Pending_);
        PTS = PendingPTS_;
        Shown = std::move(PendingShown_);
        Pending_ = QImage();
        UpdateQueued_ = false;
    }
    if (Frame.isNull())
        return;
    for (const TLayerSchedule::TShown& S : Shown)
        SetLayerVisible(S.Id, S.Visible);
    Frame_ = std::move(Frame);
    FramePTS_ = PTS;
    if (Frame_.size() != FrameSize_)
        SetFrameSize(Frame_.width(), Frame_.height());
    FrameItem_->setPixmap(QPixmap::fromImage(Frame_));
    ++FramesShown_;
}

QImage TWaterMarkPreview::Composite() const
{
    QImage Result(FrameSize_, QImage::Format_RGB32);
    Result.fill(Qt::black);
    QPainter P(&Result);
    if (!Frame_.isNull())
        P.drawImage(0, 0, Frame_);
    for (int Id : Order()) {
        const TLayer& Layer = Layers_.at(Id);
        if (!Layer.Item->isVisible())
            continue;
        P.setOpacity(Layer.Item->opacity());
        P.drawPixmap(Layer.Item->pos(), Layer.Item->pixmap());
    }
    return Result;
}

void TWaterMarkPreview::SetFrameSize(int Width, int Height)
{
    if (Width <= 0 || Height <= 0)
        return;
    FrameSize_ = QSize(Width, Height);
    Scene_->setSceneRect(0, 0, Width, Height);
    Fit();
}

void TWaterMarkPreview::Fit()
{
    if (FrameSize_.isEmpty() || viewport()->width() <= 0 || viewport()->height() <= 0)
        return;
    const qreal Scale = std::min(qreal(viewport()->width()) / FrameSize_.width(),
                                 qreal(viewport()->height()) / FrameSize_.height());
    setTransform(QTransform::fromScale(Scale, Scale));
    centerOn(FrameSize_.width() / 2.0, FrameSize_.height() / 2.0);
}

void TWaterMarkPreview::resizeEvent(QResizeEvent* Event)
{
    QGraphicsView::resizeEvent(Event);
    Fit();
}

void TWaterMarkPreview::drawBackground(QPainter* Painter, const QRectF&)
{
    // Squares of the view, not of the frame: they keep their size however the frame is scaled.
    Painter->save();
    Painter->resetTransform();
    const int W = viewport()->width(), H = viewport()->height();
    for (int Row = 0; Row <= H / CheckerSquare; ++Row)
        for (int Column = 0; Column <= W / CheckerSquare; ++Column)
            Painter->fillRect(Column * CheckerSquare, Row * CheckerSquare, CheckerSquare,
                              CheckerSquare,
                              QColor::fromRgba(Column % 2 == Row % 2 ? CheckerGrey : CheckerWhite));
    Painter->restore();
}

void TWaterMarkPreview::AddLayer(int Id, const QImage& Picture, const TLayerRect& Rect, int Alpha,
                                 bool Resizable)
{
    RemoveLayer(Id);
    auto* Item = new QGraphicsPixmapItem(QPixmap::fromImage(Picture));
    Item->setTransformationMode(Qt::FastTransformation);
    Item->setShapeMode(QGraphicsPixmapItem::BoundingRectShape);
    Item->setPos(Rect.Left, Rect.Top);
    Item->setOpacity(std::clamp(Alpha, 0, 255) / 255.0);
    Item->setZValue(1 + qreal(Layers_.size()));
    Scene_->addItem(Item);
    Layers_[Id] = TLayer{Item, Rect, Resizable};
}

void TWaterMarkPreview::SetLayerPicture(int Id, const QImage& Picture)
{
    const auto It = Layers_.find(Id);
    if (It != Layers_.end())
        It->second.Item->setPixmap(QPixmap::fromImage(Picture));
}

void TWaterMarkPreview::SetLayerRect(int Id, const TLayerRect& Rect)
{
    const auto It = Layers_.find(Id);
    if (It == Layers_.end())
        return;
    It->second.Rect = Rect;
    It->second.Item->setPos(Rect.Left, Rect.Top);
    if (Id == Selected_ && SelectionItem_ != nullptr)
        SelectionItem_->SetRect(ToQRectF(Rect), It->second.Resizable);
}

void TWaterMarkPreview::SetLayerAlpha(int Id, int Alpha)
{
    const auto It = Layers_.find(Id);
    if (It != Layers_.end())
        It->second.Item->setOpacity(std::clamp(Alpha, 0, 255) / 255.0);
}

void TWaterMarkPreview::SetLayerVisible(int Id, bool Visible)
{
    const auto It = Layers_.find(Id);
    if (It != Layers_.end() && It->second.Item->isVisible() != Visible)
        It->second.Item->setVisible(Visible);
}

bool TWaterMarkPreview::LayerVisible(int Id) const
{
    const auto It = Layers_.find(Id);
    return It != Layers_.end() && It->second.Item->isVisible();
}

double TWaterMarkPreview::LayerOpacity(int Id) const
{
    const auto It = Layers_.find(Id);
    return It != Layers_.end() ? It->second.Item->opacity() : 0.0;
}

void TWaterMarkPreview::RemoveLayer(int Id)
{
    const auto It = Layers_.find(Id);
    if (It == Layers_.end())
        return;
    if (Id == Selected_)
        Select(-1);
    Scene_->removeItem(It->second.Item);
    delete It->second.Item; // the scene no longer owns it
    Layers_.erase(It);
}

void TWaterMarkPreview::RemoveAllLayers()
{
    Select(-1);
    while (!Layers_.empty())
        RemoveLayer(Layers_.begin()->first);
}

void TWaterMarkPreview::SetOrder(const std::vector<int>& Ids)
{
    qreal Level = 1;
    for (int Id : Ids) {
        const auto It = Layers_.find(Id);
        if (It != Layers_.end())
            It->second.Item->setZValue(Level++);
    }
}

std::vector<int> TWaterMarkPreview::Order() const
{
    std::vector<std::pair<qreal, int>> Levels;
    for (const auto& [Id, Layer] : Layers_)
        Levels.emplace_back(Layer.Item->zValue(), Id);
    std::sort(Levels.begin(), Levels.end());
    std::vector<int> Ids;
    for (const auto& Level : Levels)
        Ids.push_back(Level.second);
    return Ids;
}

int TWaterMarkPreview::LayerLevel(int Id) const
{
    const std::vector<int> Ids = Order();
    const auto It = std::find(Ids.begin(), Ids.end(), Id);
    return It == Ids.end() ? -1 : int(It - Ids.begin());
}

void TWaterMarkPreview::Select(int Id)
{
    const auto It = Layers_.find(Id);
    if (It == Layers_.end()) {
        Selected_ = -1;
        if (SelectionItem_ != nullptr)
            SelectionItem_->setVisible(false);
        return;
    }
    Selected_ = Id;
    if (SelectionItem_ == nullptr) {
        SelectionItem_ = new TSelectionFrameItem;
        SelectionItem_->setZValue(SelectionLevel);
        Scene_->addItem(SelectionItem_);
    }
    SelectionItem_->SetRect(ToQRectF(It->second.Rect), It->second.Resizable);
    SelectionItem_->setVisible(true);
}

bool TWaterMarkPreview::SelectionFrameVisible() const
{
    return SelectionItem_ != nullptr && SelectionItem_->isVisible();
}

QPointF TWaterMarkPreview::CentrePoint() const
{
    return viewportTransform().inverted().map(
        QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
}

QPoint TWaterMarkPreview::ViewPoint(const QPointF& FramePoint) const
{
    return mapFromScene(FramePoint);
}

TFrameHandle TWaterMarkPreview::HandleAt(const QPoint& ViewPoint) const
{
    const auto It = Layers_.find(Selected_);
    if (It == Layers_.end())
        return TFrameHandle::None;
    const QRectF R = ToQRectF(It->second.Rect);
    if (It->second.Resizable) {
        for (const THandlePoint& Point : HandlePoints(R)) {
            const QPoint At = mapFromScene(Point.At);
            if (std::abs(ViewPoint.x() - At.x()) <= HandleSize / 2 + 1 &&
                std::abs(ViewPoint.y() - At.y()) <= HandleSize / 2 + 1)
                return Point.Handle;
        }
    }
    return R.contains(mapToScene(ViewPoint)) && It->second.Item->isVisible() ? TFrameHandle::Move
                                                                            : TFrameHandle::None;
}

void TWaterMarkPreview::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QGraphicsView::mousePressEvent(Event);
        return;
    }
    const QPoint At = Event->position().toPoint();
    const QPointF FramePoint = mapToScene(At);
    TFrameHandle Handle = HandleAt(At);
    if (Handle == TFrameHandle::None) {
        // The top-most shown layer under the point.
        const std::vector<int> Ids = Order();
        int Hit = -1;
        for (auto It = Ids.rbegin(); It != Ids.rend() && Hit < 0; ++It) {
            const TLayer& Layer = Layers_.at(*It);
            if (Layer.Item->isVisible() && ToQRectF(Layer.Rect).contains(FramePoint))
                Hit = *It;
        }
        if (Hit < 0) {
            emit EmptyPressed();
            return;
        }
        emit LayerPressed(Hit);
        if (Selected_ != Hit)
            return;
        Handle = TFrameHandle::Move;
    }
    Drag_ = Handle;
    DragFrom_ = FramePoint;
    DragStart_ = Layers_.at(Selected_).Rect;
}

void TWaterMarkPreview::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint At = Event->position().toPoint();
    if (Drag_ == TFrameHandle::None || !Layers_.count(Selected_)) {
        viewport()->setCursor(HandleCursor(HandleAt(At)));
        return;
    }
    const QPointF Delta = mapToScene(At) - DragFrom_;
    const TLayerRect Rect = DragFrame(DragStart_, Drag_, Delta.x(), Delta.y(),
                                      Event->modifiers() & Qt::ControlModifier);
    emit LayerDragged(Selected_, Rect);
}

void TWaterMarkPreview::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        Drag_ = TFrameHandle::None;
    QGraphicsView::mouseReleaseEvent(Event);
}
