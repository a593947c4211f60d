// A horizontal position bar (a QSlider) that can mark a selection range on its groove and hide
// its thumb, as the trim and crop dialogs' position bars need. A left press on the groove puts
// the thumb under the pointer at once and drags it from there; Released follows the end of any
// mouse drag or click.
//
// Main thread only.
#pragma once

#include <QSlider>

class TSelectionBar : public QSlider {
    Q_OBJECT
public:
    explicit TSelectionBar(QWidget* Parent = nullptr);

    // The selection in bar positions; an empty selection (start == end) draws nothing.
    void SetSelection(int Start, int End);
    void SetSelStart(int Start) { SetSelection(Start, SelEnd_); }
    void SetSelEnd(int End) { SetSelection(SelStart_, End); }
    void ClearSelection() { SetSelection(0, 0); }
    int SelStart() const { return SelStart_; }
    int SelEnd() const { return SelEnd_; }

    void SetThumbVisible(bool Visible);
    bool ThumbVisible() const { return ThumbVisible_; }

signals:
    // The left button was released after a press on the bar.
    void Released();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    int ValueAt(int X) const;
    int PixelOf(int Value) const;

    int SelStart_ = 0;
    int SelEnd_ = 0;
    bool ThumbVisible_ = true;
    bool GrooveDrag_ = false; // a press on the groove moves the thumb with the pointer
};
