#include "ui/TrackBar2.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

using namespace zelta;

namespace {

const QColor Silver(192, 192, 192); // 12632256
const QColor Grey(128, 128, 128);   // 8421504

// Two-pixel 3-D edges: raised has white top-left and black bottom-right outside, silver and grey
// inside; lowered the reverse.
void Edges3D(QPainter& P, const QRect& R, bool Raised)
{
    const QColor OuterLight = Raised ? QColor(Qt::white) : QColor(Qt::black);
    const QColor OuterDark = Raised ? QColor(Qt::black) : QColor(Qt::white);
    const QColor InnerLight = Raised ? Silver : Grey;
    const QColor InnerDark = Raised ? Grey : Silver;
    const int L = R.left(), T = R.top(), Rt = R.left() + R.width() - 1,
              B = R.top() + R.height() - 1;
    P.setPen(OuterLight);
    P.drawLine(L, T, Rt, T);
    P.drawLine(L, T, L, B);
    P.setPen(OuterDark);
    P.drawLine(L, B, Rt, B);
    P.drawLine(Rt, T, Rt, B);
    if (R.width() > 2 && R.height() > 2) {
        P.setPen(InnerLight);
        P.drawLine(L + 1, T + 1, Rt - 1, T + 1);
        P.drawLine(L + 1, T + 1, L + 1, B - 1);
        P.setPen(InnerDark);
        P.drawLine(L + 1, B - 1, Rt - 1, B - 1);
        P.drawLine(Rt - 1, T + 1, Rt - 1, B - 1);
    }
}

QRect ToQRect(const TBarRect& R) { return QRect(R.Left, R.Top, R.Width, R.Height); }

} // namespace

TTrackBar2::TTrackBar2(QWidget* Parent) : QWidget(Parent)
{
    TickColor_ = palette().color(QPalette::Button);
    ThumbColor_ = palette().color(QPalette::Button);
    setFocusPolicy(Qt::StrongFocus);
    resize(500, 50);
    Logic_.SetSize(500, 50);
}

QImage TTrackBar2::PointerPicture(TThumbStyle Style, TPointerDirection Direction,
                                  const QColor& Face)
{
    const TBarRect Size = PointerPictureSize(Style, Direction);
    QImage Picture(Size.Width, Size.Height, QImage::Format_ARGB32_Premultiplied);
    Picture.fill(Qt::transparent);
    // Drawn pointing up in a narrow x long box, then turned to its direction.
    const bool Upright = Direction == pdUp || Direction == pdDown;
    const int W = Upright ? Size.Width : Size.Height;
    const int H = Upright ? Size.Height : Size.Width;
    QImage Up(W, H, QImage::Format_ARGB32_Premultiplied);
    Up.fill(Qt::transparent);
    {
        QPainter P(&Up);
        const int Tip = W / 2;
        const QPolygon Shape({QPoint(Tip, 0), QPoint(W - 1, Tip), QPoint(W - 1, H - 1),
                              QPoint(0, H - 1), QPoint(0, Tip)});
        P.setPen(Qt::NoPen);
        P.setBrush(Face);
        P.drawPolygon(Shape);
        P.setPen(Qt::white);
        P.drawLine(0, Tip, Tip, 0);
        P.drawLine(0, Tip, 0, H - 1);
        P.setPen(Qt::black);
        P.drawLine(Tip, 0, W - 1, Tip);
        P.drawLine(W - 1, Tip, W - 1, H - 1);
        P.drawLine(0, H - 1, W - 1, H - 1);
    }
    QTransform Turn;
    switch (Direction) {
    case pdUp: break;
    case pdDown: Turn.rotate(180); break;
    case pdLeft: Turn.rotate(-90); break;
    case pdRight: Turn.rotate(90); break;
    }
    Picture = Up.transformed(Turn);
    return Picture;
}

void TTrackBar2::SyncSize() const
{
    if (Logic_.Width() != width() || Logic_.Height() != height())
        Logic_.SetSize(width(), height());
}

const TTrackBar2Logic& TTrackBar2::Logic() const
{
    SyncSize();
    return Logic_;
}

void TTrackBar2::Changed(bool DidChange)
{
    if (!DidChange)
        return;
    emit Change();
    update();
}

void TTrackBar2::SetMax(int Value)
{
    Logic_.SetMax(Value);
    update();
}

void TTrackBar2::SetMin(int Value)
{
    Logic_.SetMin(Value);
    update();
}

void TTrackBar2::SetPositionL(int Value) { Changed(Logic_.SetPositionL(Value)); }
void TTrackBar2::SetPositionU(int Value) { Changed(Logic_.SetPositionU(Value)); }
void TTrackBar2::SetPositions(int Lower, int Upper) { Changed(Logic_.SetPositions(Lower, Upper)); }

void TTrackBar2::SetSecondThumb(bool Value)
{
    Logic_.SetSecondThumb(Value);
    update();
}

void TTrackBar2::SetOrientation(TOrientation Value)
{
    Logic_.SetOrientation(Value);
    if (width() != Logic_.Width() || height() != Logic_.Height())
        resize(Logic_.Width(), Logic_.Height());
    update();
}

void TTrackBar2::SetTrackSize(int Value)
{
    Logic_.SetTrackSize(Value);
    update();
}

void TTrackBar2::SetTrackStyle(TTrackStyle Value)
{
    TrackStyle_ = Value;
    update();
}

void TTrackBar2::SetTrackColor(const QColor& Value)
{
    TrackColor_ = Value;
    update();
}

void TTrackBar2::SetTickSize(int Value)
{
    Logic_.SetTickSize(Value);
    update();
}

void TTrackBar2::SetTickStyle(TTickStyle Value)
{
    TickStyle_ = Value;
    if (Value == tiLine)
        TickColor_ = Qt::black;
    update();
}

void TTrackBar2::SetTickColor(const QColor& Value)
{
    TickColor_ = Value;
    update();
}

void TTrackBar2::SetTickOrientation(TTickOrientation Value)
{
    Logic_.SetTickOrientation(Value);
    update();
}

void TTrackBar2::SetTickInterval(int Value)
{
    Logic_.SetTickInterval(Value);
    update();
}

void TTrackBar2::SetThumbSize(int Value)
{
    Logic_.SetThumbSize(Value);
    update();
}

void TTrackBar2::SetThumbStyle(TThumbStyle Value)
{
    Logic_.SetThumbStyle(Value);
    update();
}

void TTrackBar2::SetThumbColor(const QColor& Value)
{
    ThumbColor_ = Value;
    update();
}

void TTrackBar2::SetDitherThumb(bool Value)
{
    DitherThumb_ = Value;
    if (!isEnabled())
        update();
}

QBrush TTrackBar2::Hatch() const
{
    QImage Pattern(8, 8, QImage::Format_RGB32);
    const QColor Odd = TrackColor_.rgb() == Silver.rgb() ? Grey : Silver;
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            Pattern.setPixelColor(X, Y, (X + Y) % 2 == 1 ? Odd : TrackColor_);
    return QBrush(Pattern);
}

void TTrackBar2::DrawTrack(QPainter& P, const TBarLayout& Layout)
{
    if (TrackStyle_ == trUserDrawn) {
        if (OnDrawTrack)
            OnDrawTrack(this, P);
        return;
    }
    const QRect R = ToQRect(Layout.Track);
    P.fillRect(R, isEnabled() ? QBrush(TrackColor_) : Hatch());
    if (TrackStyle_ == trRaised || TrackStyle_ == trLowered)
        Edges3D(P, R, TrackStyle_ == trRaised);
}

void TTrackBar2::DrawTicks(QPainter& P, const TBarLayout& Layout)
{
    const bool Horizontal = Logic_.Orientation() == toHorizontal;
    const int Size = Logic_.TickSize();
    for (const TBarLayout::TTick& Tick : Layout.Ticks) {
        switch (TickStyle_) {
        case tiUserDrawn:
            if (OnDrawTick)
                OnDrawTick(this, P, Tick.X, Tick.Y, Tick.Value);
            break;
        case tiLine:
            P.setPen(TickColor_);
            if (Horizontal)
                P.drawLine(Tick.X, Tick.Y, Tick.X, Tick.Y + Size - 1);
            else
                P.drawLine(Tick.X, Tick.Y, Tick.X + Size - 1, Tick.Y);
            break;
        case tiSquare:
        case tiRaisedSquare:
        case tiLoweredSquare: {
            const QRect Square = Horizontal ? QRect(Tick.X - Size / 2, Tick.Y, Size, Size)
                                            : QRect(Tick.X, Tick.Y - Size / 2, Size, Size);
            P.fillRect(Square, TickColor_);
            if (TickStyle_ == tiSquare) {
                P.setPen(Qt::black);
                P.setBrush(Qt::NoBrush);
                P.drawRect(Square.adjusted(0, 0, -1, -1));
            } else {
                const bool Raised = TickStyle_ == tiRaisedSquare;
                const int L = Square.left(), T = Square.top(), Rt = Square.right(),
                          B = Square.bottom();
                P.setPen(Raised ? Qt::white : Qt::black);
                P.drawLine(L, T, Rt, T);
                P.drawLine(L, T, L, B);
                P.setPen(Raised ? Qt::black : Qt::white);
                P.drawLine(L, B, Rt, B);
                P.drawLine(Rt, T, Rt, B);
            }
            break;
        }
        }
    }
}

void TTrackBar2::DrawThumb(QPainter& P, const TBarRect& Thumb)
{
    const QRect R = ToQRect(Thumb);
    const bool Hatched = !isEnabled() && DitherThumb_;
    switch (Logic_.ThumbStyle()) {
    case tsUserDrawn:
        if (OnDrawThumb)
            OnDrawThumb(this, P, Thumb.Left, Thumb.Top);
        return;
    case tsRectangle:
    case tsRaisedRectangle:
    case tsLoweredRectangle:
        P.fillRect(R, Hatched ? Hatch() : QBrush(ThumbColor_));
        if (Logic_.ThumbStyle() == tsRectangle) {
            P.setPen(Qt::black);
            P.setBrush(Qt::NoBrush);
            P.drawRect(R.adjusted(0, 0, -1, -1));
        } else {
            Edges3D(P, R, Logic_.ThumbStyle() == tsRaisedRectangle);
        }
        return;
    case tsSmallPointer:
    case tsMediumPointer:
    case tsLargePointer: {
        QImage Picture = PointerPicture(Logic_.ThumbStyle(), Logic_.PointerDirection(),
                                        ThumbColor_);
        if (Hatched) {
            // The face takes the hatch; the outline and the surroundings stay.
            const QRgb FaceColor = ThumbColor_.rgb();
            const QColor Odd = TrackColor_.rgb() == Silver.rgb() ? Grey : Silver;
            for (int Y = 0; Y < Picture.height(); ++Y)
                for (int X = 0; X < Picture.width(); ++X)
                    if (Picture.pixel(X, Y) == FaceColor)
                        Picture.setPixelColor(X, Y, (X + Y) % 2 == 1 ? Odd : TrackColor_);
        }
        P.drawImage(R.topLeft(), Picture);
        return;
    }
    }
}

void TTrackBar2::paintEvent(QPaintEvent*)
{
    SyncSize();
    QPainter P(this);
    emit Paint(P);
    if (!Logic_.Valid())
        return;
    const TBarLayout Layout = Logic_.Layout();
    DrawTrack(P, Layout);
    DrawTicks(P, Layout);
    DrawThumb(P, Layout.ThumbL);
    if (Logic_.SecondThumb()) {
        DrawThumb(P, Layout.ThumbU);
        P.setPen(Qt::black);
        if (Logic_.Orientation() == toHorizontal)
            P.drawLine(Layout.Middle, Layout.Track.Bottom() - 1, Layout.Middle, Layout.Track.Top);
        else
            P.drawLine(Layout.Track.Left, Layout.Middle, Layout.Track.Right() - 1, Layout.Middle);
    }
}

void TTrackBar2::resizeEvent(QResizeEvent* Event)
{
    Logic_.SetSize(width(), height());
    QWidget::resizeEvent(Event);
}

void TTrackBar2::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(Event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    SyncSize();
    const QPoint At = Event->position().toPoint();
    Changed(Logic_.MousePress(At.x(), At.y(), Event->modifiers() & Qt::ShiftModifier));
}

void TTrackBar2::mouseMoveEvent(QMouseEvent* Event)
{
    SyncSize();
    const QPoint At = Event->position().toPoint();
    Changed(Logic_.MouseMove(At.x(), At.y()));
}

void TTrackBar2::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        Logic_.MouseRelease();
    QWidget::mouseReleaseEvent(Event);
}

void TTrackBar2::keyPressEvent(QKeyEvent* Event)
{
    TTrackBar2Logic::TKey Key;
    switch (Event->key()) {
    case Qt::Key_PageUp: Key = TTrackBar2Logic::kPageUp; break;
    case Qt::Key_PageDown: Key = TTrackBar2Logic::kPageDown; break;
    case Qt::Key_Right: Key = TTrackBar2Logic::kRight; break;
    case Qt::Key_Up: Key = TTrackBar2Logic::kUp; break;
    case Qt::Key_Left: Key = TTrackBar2Logic::kLeft; break;
    case Qt::Key_Down: Key = TTrackBar2Logic::kDown; break;
    default: QWidget::keyPressEvent(Event); return;
    }
    Changed(Logic_.Key(Key, Event->modifiers() & Qt::ShiftModifier));
}

void TTrackBar2::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(Event);
}

void TTrackBar2::focusInEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusInEvent(Event);
}

void TTrackBar2::focusOutEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusOutEvent(Event);
}
