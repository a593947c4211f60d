// The two-thumb track bar as a widget: its clamping rules with the Change signal, the painted
// layout of a 237-pixel bar, keys and mouse, the empty range and the disabled hatch.
#include "ui/TrackBar2.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace zelta;

class TTrackBar2Test : public QObject {
    Q_OBJECT

    static QImage Picture(TTrackBar2& Bar) { return Bar.grab().toImage(); }

private slots:
    void positionsAreClampedAndChangeOnlyWhenTheyMove() {
        TTrackBar2 Bar;
        QCOMPARE(Bar.Max(), 20);
        QCOMPARE(Bar.PositionU(), 10);
        QVERIFY(Bar.focusPolicy() & Qt::TabFocus);
        QSignalSpy Change(&Bar, &TTrackBar2::Change);
        Bar.SetSecondThumb(true);
        Bar.SetPositionL(10);
        QCOMPARE(Bar.PositionL(), 9);
        Bar.SetPositionU(9);
        QCOMPARE(Bar.PositionU(), 10);
        QCOMPARE(Change.count(), 1); // 10 stays 10: the second setting moved nothing
        Bar.SetPositionL(9);
        QCOMPARE(Change.count(), 1);

        TTrackBar2 Single;
        QSignalSpy SingleChange(&Single, &TTrackBar2::Change);
        Single.SetPositionL(25);
        QCOMPARE(Single.PositionL(), 20);
        Single.SetPositionL(20);
        QCOMPARE(SingleChange.count(), 1);

        TTrackBar2 Range;
        Range.SetSecondThumb(true);
        Range.SetPositionU(-5);
        QCOMPARE(Range.PositionU(), 1);
        // Lowering the maximum pulls the upper thumb down with it.
        Range.SetMax(0);
        QCOMPARE(Range.PositionU(), 0);
    }

    void aHorizontalBarOf237PixelsIsLaidOutAsDesigned() {
        TTrackBar2 Bar;
        Bar.resize(237, 30);
        Bar.SetThumbStyle(tsRectangle);
        Bar.SetThumbSize(12);
        Bar.SetTrackStyle(trFlat);
        Bar.SetTickStyle(tiUserDrawn); // no ticks over the measured rows
        Bar.SetPositionL(10);
        QCOMPARE(Bar.Orientation(), toHorizontal);
        const TBarLayout L = Bar.Logic().Layout();
        QCOMPARE(L.ThumbL, (TBarRect{115, 9, 6, 12}));
        QCOMPARE(L.Offset, 3);
        QCOMPARE(L.Length, 225);
        QCOMPARE(L.Start, 3);
        QCOMPARE(L.Track.Left, 6);
        QCOMPARE(L.Track.Right(), 231);

        const QImage P = Picture(Bar);
        const QRgb Background = P.pixel(1, 1);
        const QRgb Black = qRgb(0, 0, 0);
        QCOMPARE(P.pixel(115, 15), Black); // the thumb's left border
        QCOMPARE(P.pixel(120, 15), Black); // its right border
        QVERIFY(P.pixel(114, 15) != Black);
        QCOMPARE(P.pixel(6, 15), qRgb(255, 255, 255)); // the track
        QCOMPARE(P.pixel(230, 15), qRgb(255, 255, 255));
        QCOMPARE(P.pixel(5, 15), Background);
        QCOMPARE(P.pixel(231, 15), Background);
    }

    void keysMoveTheLowerThumbAndWithShiftTheUpper() {
        TTrackBar2 Bar;
        Bar.SetSecondThumb(true);
        Bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Bar));
        QTest::keyClick(&Bar, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(Bar.PositionU(), 11);
        QCOMPARE(Bar.PositionL(), 0);
        QTest::keyClick(&Bar, Qt::Key_Right);
        QCOMPARE(Bar.PositionL(), 1);
        QTest::keyClick(&Bar, Qt::Key_PageUp);
        QCOMPARE(Bar.PositionL(), 3);
        QTest::keyClick(&Bar, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(Bar.PositionU(), 10);
        QTest::keyClick(&Bar, Qt::Key_PageDown);
        QTest::keyClick(&Bar, Qt::Key_PageDown);
        QCOMPARE(Bar.PositionL(), 0);
    }

    void theMouseJumpsDragsAndStepsWithShift() {
        TTrackBar2 Bar;
        Bar.resize(237, 30);
        Bar.SetThumbStyle(tsRectangle);
        Bar.SetThumbSize(12);
        Bar.SetSecondThumb(true);
        Bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Bar));
        QSignalSpy Change(&Bar, &TTrackBar2::Change);
        // Beyond the middle between the thumbs: the upper one jumps there.
        QTest::mouseClick(&Bar, Qt::LeftButton, Qt::NoModifier, QPoint(228, 15));
        QCOMPARE(Bar.PositionU(), (228 - 3) * 20 / 225);
        QCOMPARE(Bar.PositionL(), 0);
        QVERIFY(Bar.hasFocus());
        // A drag of the lower thumb follows the pointer.
        const TBarRect Lower = Bar.Logic().Layout().ThumbL;
        QTest::mousePress(&Bar, Qt::LeftButton, Qt::NoModifier, QPoint(Lower.Left + 3, 15));
        QVERIFY(Bar.TrackingL());
        QMouseEvent Move(QEvent::MouseMove, QPointF(100, 15), Bar.mapToGlobal(QPointF(100, 15)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Bar, &Move);
        QCOMPARE(Bar.PositionL(), (100 - 3) * 20 / 225);
        QTest::mouseRelease(&Bar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QVERIFY(!Bar.TrackingL());
        // Shift: one step toward the point.
        const int Before = Bar.PositionL();
        QTest::mouseClick(&Bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 15));
        QCOMPARE(Bar.PositionL(), Before - 1);
        QVERIFY(Change.count() >= 3);
    }

    void anEmptyRangePaintsNothingAndADisabledTrackIsHatched() {
        TTrackBar2 Bar;
        Bar.resize(237, 30);
        Bar.SetTrackStyle(trFlat);
        Bar.SetTickStyle(tiUserDrawn);
        Bar.SetMax(0);
        QSignalSpy Change(&Bar, &TTrackBar2::Change);
        const QImage Empty = Picture(Bar);
        const QRgb Background = Empty.pixel(0, 0);
        for (int X = 0; X < Empty.width(); X += 3)
            QCOMPARE(Empty.pixel(X, 15), Background);
        Bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Bar));
        QTest::mouseClick(&Bar, Qt::LeftButton, Qt::NoModifier, QPoint(120, 15));
        QTest::keyClick(&Bar, Qt::Key_Right);
        QCOMPARE(Change.count(), 0);

        Bar.SetMax(20);
        Bar.SetTrackColor(QColor(255, 255, 255));
        Bar.setEnabled(false);
        const QImage Hatched = Picture(Bar);
        const int Y = 15;
        QCOMPARE(Hatched.pixel(40, Y), qRgb(192, 192, 192)); // silver where x + y is odd
        QCOMPARE(Hatched.pixel(41, Y), qRgb(255, 255, 255));
        Bar.SetTrackColor(QColor(192, 192, 192));
        const QImage Grey = Picture(Bar);
        QCOMPARE(Grey.pixel(40, Y), qRgb(128, 128, 128)); // grey on a silver track
        QCOMPARE(Grey.pixel(41, Y), qRgb(192, 192, 192));
    }

    void pointerPicturesHaveTheirSizesAndClearSurroundings() {
        for (TThumbStyle Style : {tsSmallPointer, tsMediumPointer, tsLargePointer})
            for (TPointerDirection D : {pdLeft, pdRight, pdUp, pdDown}) {
                const QImage P = TTrackBar2::PointerPicture(Style, D, QColor(240, 240, 240));
                const TBarRect Size = PointerPictureSize(Style, D);
                QCOMPARE(P.size(), QSize(Size.Width, Size.Height));
                // The corners beside the tip are transparent; the middle is the face.
                const QPoint Tip = D == pdUp ? QPoint(0, 0) : D == pdDown ? QPoint(P.width() - 1, P.height() - 1)
                                 : D == pdLeft ? QPoint(0, P.height() - 1) : QPoint(P.width() - 1, 0);
                QCOMPARE(qAlpha(P.pixel(Tip)), 0);
                QCOMPARE(P.pixelColor(P.width() / 2, P.height() / 2), QColor(240, 240, 240));
            }
    }
};

QTEST_MAIN(TTrackBar2Test)
#include "TrackBar2Test.moc"
