// The player's video panel: pictures handed over from another thread are painted at their place
// on black, only the newest one counts, and the panel reports its size and its clicks.
#include "ui/VideoView.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <thread>

namespace {

std::shared_ptr<const TBitmap24> Filled(int Width, int Height, uint8_t B, uint8_t G, uint8_t R) {
    auto bitmap = std::make_shared<TBitmap24>();
    bitmap->SetSize(Width, Height);
    for (int y = 0; y < Height; ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < Width; ++x) {
            row[3 * x] = B;
            row[3 * x + 1] = G;
            row[3 * x + 2] = R;
        }
    }
    return bitmap;
}

TShownPicture Picture(std::shared_ptr<const TBitmap24> Bitmap, int Left, int Top) {
    TShownPicture p;
    p.Bitmap = std::move(Bitmap);
    p.SurfaceWidth = 200;
    p.SurfaceHeight = 100;
    p.Left = Left;
    p.Top = Top;
    p.PTS = 0;
    return p;
}

} // namespace

class TVideoViewTest : public QObject {
    Q_OBJECT
private slots:
    void picturesFromAnotherThreadArePaintedNewestFirst() {
        TVideoView view;
        view.resize(200, 100);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        int w = 0, h = 0;
        view.ClientSize(w, h);
        QCOMPARE(QSize(w, h), QSize(200, 100));

        // Two pictures before the GUI thread looks: only the second is shown.
        std::thread player([&] {
            view.ShowPicture(Picture(Filled(50, 40, 0, 0, 255), 0, 0));      // red, top left
            view.ShowPicture(Picture(Filled(100, 60, 255, 0, 0), 100, 40));  // blue, bottom right
        });
        player.join();
        QTRY_VERIFY(view.Current().Bitmap != nullptr);
        QCOMPARE(view.Current().Left, 100);

        const QImage shot = view.grab().toImage();
        QCOMPARE(shot.pixelColor(150, 70), QColor(0, 0, 255)); // the picture at its place
        QCOMPARE(shot.pixelColor(10, 10), QColor(Qt::black));  // the first one is gone
        QCOMPARE(shot.pixelColor(99, 39), QColor(Qt::black));  // around it, black

        view.Clear();
        QVERIFY(!view.Current().Bitmap);
        QCOMPARE(view.grab().toImage().pixelColor(150, 70), QColor(Qt::black));
    }

    void clicksAreSignalledAndClosingIsIgnored() {
        TVideoView view;
        view.resize(120, 80);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy pressed(&view, &TVideoView::MousePressed);
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(1).toPoint(), QPoint(30, 20));
        view.close();
        QVERIFY(view.isVisible());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TVideoViewTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "VideoViewTest.moc"
