// The floating preview window fed from a worker thread through the Qt dispatcher, under the
// offscreen platform: creation on the first frame, caption, size and pixels, drag anywhere,
// closing, and destruction from the worker.
#include "app/QtDispatcher.h"
#include "engine/FFUtils.h"
#include "ui/FrmPreviewer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {

// A frame of one colour with a white pixel at (5, 3).
void Paint(TBitmap24& B, int Width, int Height, uint8_t Blue, uint8_t Green, uint8_t Red) {
    B.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = B.ScanLine(y) + x * 3;
            p[0] = Blue;
            p[1] = Green;
            p[2] = Red;
        }
    uint8_t* w = B.ScanLine(3) + 5 * 3;
    w[0] = w[1] = w[2] = 255;
}

// Runs Body on a worker thread while the main thread keeps its event loop going.
void OnWorker(const std::function<void()>& Body) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        Body();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
}

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Local, Qt::MouseButtons Buttons) {
    const QPointF global = W->mapToGlobal(QPointF(Local));
    QMouseEvent e(Type, QPointF(Local), global, Qt::LeftButton, Buttons, Qt::NoModifier);
    QApplication::sendEvent(W, &e);
}

} // namespace

class TPreviewerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<zelta::TQtMainThreadDispatcher> Dispatcher;

private slots:
    void initTestCase() { Dispatcher = std::make_unique<zelta::TQtMainThreadDispatcher>(); }
    void cleanupTestCase() { Dispatcher.reset(); }

    void framesFromTheWorkerShowInAStayOnTopToolWindow() {
        auto previewer = QtPreviewerFactory()();
        auto* qt = static_cast<TQtPreviewer*>(previewer.get());
        QVERIFY(qt->Window() == nullptr);
        TBitmap24 frame;
        Paint(frame, 63, 40, 0, 0, 200); // odd width: rows are padded
        bool shown = false;
        OnWorker([&] { shown = previewer->ShowFrame(frame, 7, 3723456000LL); });
        QVERIFY(shown);
        TfrmPreviewer* w = qt->Window();
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QVERIFY(w->windowFlags() & Qt::Tool);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(w->windowTitle(), QStringLiteral("01:02:03.456"));
        QCOMPARE(w->size(), QSize(63, 40));
        QCOMPARE(qt->FrameNumber(), 7);
        const QImage shot = w->grab().toImage();
        QCOMPARE(QColor(shot.pixel(0, 0)), QColor(200, 0, 0));
        QCOMPARE(QColor(shot.pixel(5, 3)), QColor(255, 255, 255));

        // The next frame replaces the picture and the caption in the same window.
        Paint(frame, 63, 40, 0, 180, 0);
        OnWorker([&] { shown = previewer->ShowFrame(frame, 8, 500000); });
        QVERIFY(qt->Window() == w);
        QCOMPARE(w->windowTitle(), QStringLiteral("00:00:00.500"));
        QCOMPARE(QColor(w->grab().toImage().pixel(1, 1)), QColor(0, 180, 0));

        // Freed on the worker: the window still goes on the main thread.
        OnWorker([&] { previewer.reset(); });
    }

    void aPressAnywhereDragsTheWindow() {
        TfrmPreviewer w([] {});
        QImage picture(80, 60, QImage::Format_BGR888);
        picture.fill(Qt::blue);
        w.ShowFrame(picture, 0);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint before = w.pos();
        SendMouse(&w, QEvent::MouseButtonPress, QPoint(40, 30), Qt::LeftButton);
        SendMouse(&w, QEvent::MouseMove, QPoint(70, 50), Qt::LeftButton);
        SendMouse(&w, QEvent::MouseButtonRelease, QPoint(70, 50), Qt::NoButton);
        QCOMPARE(w.pos(), before + QPoint(30, 20));
        SendMouse(&w, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QCOMPARE(w.pos(), before + QPoint(30, 20));
    }

    void closingTheWindowEndsThePreview() {
        TQtPreviewer previewer;
        TBitmap24 frame;
        Paint(frame, 32, 24, 10, 20, 30);
        OnWorker([&] { QVERIFY(previewer.ShowFrame(frame, 1, 0)); });
        QVERIFY(previewer.Window() != nullptr);
        previewer.Window()->close();
        QVERIFY(previewer.Closed());
        bool shown = true;
        OnWorker([&] { shown = previewer.ShowFrame(frame, 2, 100000); });
        QVERIFY(!shown);
        QCOMPARE(previewer.FrameNumber(), 1);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TPreviewerTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "PreviewerTest.moc"
