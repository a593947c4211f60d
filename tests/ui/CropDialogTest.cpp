// The rectangle tracker widget and the crop dialog with the real player under the offscreen
// platform: the tracker's drags, change reports, painting and accompanying control; the
// dialog's picture rectangle, its playing preview, the spin edits and the tracker in step both
// ways, the drag checks at the picture's edges, Reset, OK's scaling and zoom mode, files without
// a picture, accessible names and many openings without threads left behind.
#include "EditDialogTestSupport.h"

#include "app/CropLogic.h"
#include "app/FileInfoLogic.h"
#include "app/QtDispatcher.h"
#include "ui/AccessibleNames.h"
#include "ui/FrmCrop.h"
#include "ui/RectTracker.h"
#include "ui/SelectionBar.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace zelta;
using namespace edittest;

Q_DECLARE_METATYPE(zelta::TTrackRect)

namespace {

TTrackerBounds BoundsOf(const QWidget* W) { return {W->x(), W->y(), W->width(), W->height()}; }

bool Light(QRgb C) { return qRed(C) > 200 && qGreen(C) > 200 && qBlue(C) > 200; }

} // namespace

class TCropDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    std::string Pal; // 720 x 576, 6 s

    std::unique_ptr<TfrmCrop> Show(TSourceRows& Rows, int Row) {
        auto d = std::make_unique<TfrmCrop>();
        d->SetRow(&Rows.Files, Row);
        d->show();
        return d;
    }

private slots:
    void initTestCase() {
        qRegisterMetaType<zelta::TTrackRect>();
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        Pal = Movie("crop-720x576-6s.mp4", 6, 720, 576);
    }
    void cleanupTestCase() { Dispatcher.reset(); }

    // ---- the tracker on its own ----

    void trackerDragsAndReportsChanges() {
        QWidget parent;
        parent.resize(400, 300);
        auto* t = new TRectTracker(&parent);
        QCOMPARE(t->size(), QSize(65, 65));
        t->SetBounds({100, 50, 65, 65});
        parent.show();
        QSignalSpy changes(t, &TRectTracker::Change);

        // A click without a move reports nothing.
        DragInParent(t, QPoint(130, 80), QPoint(130, 80), 1);
        QCOMPARE(changes.count(), 0);
        // Inside: moved, not resized; the report is the rectangle 2 pixels inside.
        DragInParent(t, QPoint(130, 80), QPoint(160, 60));
        QCOMPARE(BoundsOf(t), (TTrackerBounds{130, 30, 65, 65}));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).value<TTrackRect>(), (TTrackRect{132, 32, 193, 93}));
        // The right edge, then the left edge inwards to the 10-pixel limit and outwards again.
        DragInParent(t, QPoint(130 + 62, 30 + 32), QPoint(130 + 62 + 20, 30 + 32));
        QCOMPARE(BoundsOf(t), (TTrackerBounds{130, 30, 85, 65}));
        DragInParent(t, QPoint(131, 62), QPoint(131 + 200, 62));
        QCOMPARE(BoundsOf(t), (TTrackerBounds{205, 30, 10, 65}));
        DragInParent(t, QPoint(206, t->y() + TrackerHandleMiddle(65) + 1), QPoint(186, 62));
        QCOMPARE(BoundsOf(t), (TTrackerBounds{185, 30, 30, 65}));
        QCOMPARE(changes.count(), 4);
        // The cursor follows the zone.
        SendMouse(t, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton);
        QCOMPARE(t->cursor().shape(), Qt::SizeFDiagCursor);
        SendMouse(t, QEvent::MouseMove, QPoint(15, 20), Qt::NoButton, Qt::NoButton);
        QCOMPARE(t->cursor().shape(), Qt::SizeAllCursor);
    }

    void trackerPaintsLightDotsAndBlackHandles() {
        QLabel parent;
        QImage back(200, 200, QImage::Format_RGB32);
        back.fill(qRgb(40, 60, 200));
        parent.setPixmap(QPixmap::fromImage(back));
        parent.resize(200, 200);
        auto* t = new TRectTracker(&parent);
        t->SetBounds({50, 50, 80, 60});
        parent.show();
        const QImage shot = parent.grab().toImage();
        // A handle: black inside, light outline.
        QCOMPARE(shot.pixel(52, 52), qRgb(0, 0, 0));
        QVERIFY(Light(shot.pixel(50, 50)));
        // The dotted frame between the handles: light dots with the background between them.
        int light = 0, background = 0;
        for (int x = 60; x < 80; ++x) {
            const QRgb c = shot.pixel(x, 52);
            light += Light(c);
            background += c == qRgb(40, 60, 200);
        }
        QVERIFY2(light >= 5 && background >= 5, qPrintable(QString("%1 %2").arg(light).arg(background)));
        // Inside the frame the picture shows through.
        QCOMPARE(shot.pixel(90, 80), qRgb(40, 60, 200));
    }

    void trackerTakesItsAccompanyingControlAlong() {
        QWidget parent;
        parent.resize(400, 300);
        auto* label = new QLabel(&parent);
        label->setGeometry(20, 30, 100, 50);
        auto* t = new TRectTracker(&parent);
        t->SetAcControl(label);
        QCOMPARE(BoundsOf(t), (TTrackerBounds{15, 25, 110, 60}));
        QCOMPARE(BoundsOf(label), (TTrackerBounds{20, 30, 100, 50}));
        parent.show();
        DragInParent(t, QPoint(60, 50), QPoint(90, 70));
        QCOMPARE(BoundsOf(label), (TTrackerBounds{50, 50, 100, 50}));
        t->SetAcControl(t);
        QCOMPARE(t->AcControl(), nullptr);
        delete label;
        t->SetBounds({0, 0, 30, 30}); // a control gone is simply forgotten
        QCOMPARE(t->AcControl(), nullptr);
    }

    // ---- the dialog ----

    void pictureRectSpinsAndOk() {
        TSourceRows rows;
        const int row = rows.Add(Pal);
        QVERIFY(row >= 0);
        auto d = Show(rows, row);
        QCOMPARE(d->size(), QSize(615, 435));
        QVERIFY(UnnamedControls(d.get()).isEmpty());
        QCOMPARE(d->SourceWidth(), 720);
        QCOMPARE(d->SourceHeight(), 576);
        const TFitRect p = d->PictureRect();
        const QPoint at = d->imgPreview->pos();
        QCOMPARE(p, (TFitRect{at.x() + 27, at.y(), at.x() + 343, at.y() + 253}));
        QCOMPARE(BoundsOf(d->RectTracker), (TTrackerBounds{p.Left, p.Top, 316, 253}));
        QVERIFY(d->RectTracker->isVisible());
        QCOMPARE(d->lblResult->text(), QStringLiteral("Result: 720 x 576"));
        QCOMPARE(d->lblLength->text(), QStringLiteral("6.000 Second"));
        QCOMPARE(d->lblSourceName->text().toStdString(), ShortenedName(Pal, 50, 44, "  "));
        QCOMPARE(d->cmbZoom->currentIndex(), 1); // "lbox"

        // The playing picture reaches the preview, fitted on the light blue background.
        QTRY_VERIFY_WITH_TIMEOUT(!d->BufferedFrame().isNull(), Patience);
        QCOMPARE(d->BufferedFrame().size(), QSize(720, 576));
        QTRY_VERIFY_WITH_TIMEOUT(d->imgPreview->pixmap().toImage().pixel(185, 126) !=
                                     qRgb(166, 202, 240), Patience);
        const QImage shown = d->imgPreview->pixmap().toImage();
        QCOMPARE(shown.size(), QSize(370, 253));
        QCOMPARE(shown.pixel(10, 126), qRgb(166, 202, 240));
        QCOMPARE(shown.pixel(360, 126), qRgb(166, 202, 240));

        // Up 10 by the arrows: the tracker's top follows; OK stores 22 source pixels.
        QVERIFY(d->spedUp->findChild<QLineEdit*>()->isReadOnly());
        d->spedUp->stepBy(10);
        QCOMPARE(d->RectTracker->y(), p.Top + 10);
        QCOMPARE(d->RectTracker->height(), 243);
        QCOMPARE(d->lblResult->text(), QStringLiteral("Result: 720 x 554"));
        d->spedRight->stepBy(5);
        QCOMPARE(d->RectTracker->width(), 311);
        TlvFilesRecord& record = rows.Files.Record(row);
        record.ZoomMode = "full";
        d->btnOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(record.CropUpView, 10);
        QCOMPARE(record.CropRightView, 5);
        QCOMPARE(record.CropTop, 22);
        QCOMPARE(record.CropRight, 10); // 5 x 720 / 316 = 11.39, nearest 11, even 10
        QCOMPARE(record.CropBottom, 0);
        QCOMPARE(record.ZoomMode, std::string("lbox")); // the selector's index 1

        // The next dialog restores the spins and the tracker; "cent" survives OK.
        record.ZoomMode = "cent";
        auto again = Show(rows, row);
        QCOMPARE(again->spedUp->value(), 10);
        QCOMPARE(again->spedRight->value(), 5);
        QCOMPARE(BoundsOf(again->RectTracker), (TTrackerBounds{p.Left, p.Top + 10, 311, 243}));
        QCOMPARE(again->cmbZoom->currentIndex(), -1);
        again->btnOk->click();
        QCOMPARE(record.ZoomMode, std::string("cent"));
        QCOMPARE(record.CropTop, 22);
    }

    // A phone's portrait video is cropped as it is shown: upright, its margins in the upright
    // picture's pixels.
    void turnedPictureIsCroppedUpright() {
        TSourceRows rows;
        const int row = rows.Add(fixtures::GeometryFixture(90));
        QVERIFY(row >= 0);
        auto d = Show(rows, row);
        QCOMPARE(d->SourceWidth(), 180);
        QCOMPARE(d->SourceHeight(), 320);
        QTRY_VERIFY_WITH_TIMEOUT(!d->BufferedFrame().isNull(), Patience);
        QCOMPARE(d->BufferedFrame().size(), QSize(180, 320));
        const TFitRect p = d->PictureRect();
        QVERIFY(p.Height() > p.Width());
        QCOMPARE(d->lblResult->text(), QStringLiteral("Result: 180 x 320"));
        // The marker shows in the top-left corner of the preview's picture.
        QTRY_VERIFY_WITH_TIMEOUT(Light(d->imgPreview->pixmap().toImage().pixel(
                                     p.Left - d->imgPreview->x() + 3, p.Top - d->imgPreview->y() + 3)),
                                 Patience);
        d->spedUp->stepBy(10);
        d->btnOk->click();
        const TlvFilesRecord& record = rows.Files.Record(row);
        QCOMPARE(record.CropTop, ScaleCropMargin(10, 320, p.Height()));
        QVERIFY(record.CropTop > 10);
    }

    void draggingAtThePicturesEdges() {
        TSourceRows rows;
        const int row = rows.Add(Pal);
        auto d = Show(rows, row);
        const TFitRect p = d->PictureRect();
        TRectTracker* t = d->RectTracker;
        d->spedLeft->stepBy(30);
        d->spedUp->stepBy(40);
        d->spedRight->stepBy(100);
        d->spedDown->stepBy(100);
        QCOMPARE(BoundsOf(t), (TTrackerBounds{p.Left + 30, p.Top + 40, 186, 113}));

        // Moved left past the picture's edge: back at the left margin it had on the way.
        const QPoint inside(t->x() + 60, t->y() + 50);
        DragInParent(t, inside, inside - QPoint(80, 0), 16);
        QVERIFY2(t->x() >= p.Left && t->x() <= p.Left + 5, qPrintable(QString::number(t->x() - p.Left)));
        QCOMPARE(t->width(), 186);
        QCOMPARE(d->spedLeft->value(), t->x() - p.Left);
        // Moved up past the top: at the picture's top.
        const QPoint inside2(t->x() + 60, t->y() + 50);
        DragInParent(t, inside2, inside2 - QPoint(0, 90), 4);
        QCOMPARE(t->y(), p.Top);
        QCOMPARE(d->spedUp->value(), 0);
        QCOMPARE(t->height(), 113);
        // The bottom-right handle pulled far beyond both edges, two pixels at a time: up to
        // them. (A long jump past the right edge keeps the right margin of the step before.)
        const QPoint corner(t->x() + t->width() - 2, t->y() + t->height() - 2);
        DragInParent(t, corner, corner + QPoint(300, 300), 150);
        QCOMPARE(t->x() + t->width(), p.Right);
        QCOMPARE(t->y() + t->height(), p.Bottom);
        QCOMPARE(d->spedRight->value(), 0);
        QCOMPARE(d->spedDown->value(), 0);
        QCOMPARE(d->Margins(), MarginsOfTracker(p, BoundsOf(t)));

        // The arrow keys: a pixel at a time, and never out of the picture.
        t->setFocus();
        QTest::keyClick(t, Qt::Key_Right);
        QCOMPARE(d->spedLeft->value(), t->x() - p.Left);
        QCOMPARE(t->x() + t->width(), p.Right);
        QTest::keyClick(t, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(d->spedRight->value(), 1);
        QTest::keyClick(t, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(d->spedDown->value(), 1);

        // Reset: no margins, the whole picture.
        d->btnReset->click();
        QCOMPARE(d->Margins(), TCropMargins{});
        QCOMPARE(BoundsOf(t), (TTrackerBounds{p.Left, p.Top, p.Width(), p.Height()}));
        QCOMPARE(d->spedUp->value(), 0);
        d->btnCancel->click();
        QCOMPARE(rows.Files.Record(row).CropUpView, 0);
    }

    void aTenPixelTrackerOnlyGrows() {
        TSourceRows rows;
        auto d = Show(rows, rows.Add(Pal));
        d->spedUp->stepBy(120);
        d->spedDown->stepBy(123);
        QCOMPARE(d->RectTracker->height(), 10);
        d->spedUp->stepBy(1);
        QCOMPARE(d->spedUp->value(), 120);
        d->spedDown->stepBy(1);
        QCOMPARE(d->spedDown->value(), 123);
        QCOMPARE(d->RectTracker->height(), 10);
        d->spedDown->stepBy(-1);
        QCOMPARE(d->spedDown->value(), 122);
        QCOMPARE(d->RectTracker->height(), 11);
        // A page step that would leave less than 10 pixels stops at 10.
        d->spedLeft->stepBy(400);
        QCOMPARE(d->RectTracker->width(), 10);
        QCOMPARE(d->spedLeft->value(), 306);
        d->btnCancel->click();
    }

    void withoutAPictureOkStoresZeroMargins() {
        TSourceRows rows;
        const int audio = rows.Add(fixtures::Fixtures().Wav);
        QTemporaryDir dir;
        const QString broken = dir.filePath("gone.mp4");
        QVERIFY(QFile::copy(QString::fromStdString(Pal), broken));
        const int gone = rows.Add(broken.toStdString());
        QVERIFY(audio >= 0 && gone >= 0);
        QVERIFY(QFile::remove(broken));
        for (int row : {audio, gone}) {
            TlvFilesRecord& record = rows.Files.Record(row);
            record.CropTop = record.CropBottom = record.CropLeft = record.CropRight = 8;
            record.CropUpView = record.CropDownView = record.CropLeftView = record.CropRightView = 4;
            auto d = Show(rows, row);
            QVERIFY(!d->RectTracker->isVisible());
            QVERIFY(!d->spedUp->isEnabled());
            QCOMPARE(d->imgbtnpause->isEnabled(), row == audio);
            QCOMPARE(d->imgbtnPlay->isEnabled(), false);
            d->btnOk->click();
            for (int v : {record.CropTop, record.CropBottom, record.CropLeft, record.CropRight,
                          record.CropUpView, record.CropDownView, record.CropLeftView,
                          record.CropRightView})
                QCOMPARE(v, 0);
        }
    }

    void pauseAndPlay() {
        TSourceRows rows;
        auto d = Show(rows, rows.Add(Pal));
        QTRY_VERIFY_WITH_TIMEOUT(!d->BufferedFrame().isNull(), Patience);
        d->imgbtnpause->click();
        QVERIFY(d->Paused());
        QVERIFY(d->imgbtnPlay->isEnabled() && !d->imgbtnpause->isEnabled());
        QTest::qWait(200); // a picture on its way may still arrive
        const qint64 frozen = d->BufferedFrame().cacheKey();
        QTest::qWait(300);
        QCOMPARE(d->BufferedFrame().cacheKey(), frozen);
        d->imgbtnPlay->click();
        QVERIFY(!d->Paused());
        QTRY_VERIFY_WITH_TIMEOUT(d->BufferedFrame().cacheKey() != frozen, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(d->lblPTS->text() == QStringLiteral("0:00:01"), Patience);
        // To the end: stopped, and Play opens the file again.
        QTRY_VERIFY_WITH_TIMEOUT(d->imgbtnPlay->isEnabled(), Patience);
        d->imgbtnPlay->click();
        QVERIFY(!d->Stopped() && !d->Paused());
        // The position goes back to the start; on a loaded machine the label may take a moment.
        QTRY_VERIFY_WITH_TIMEOUT(d->lblPTS->text() == QStringLiteral("0.0") ||
                                     d->lblPTS->text() == QStringLiteral("0:00:00") ||
                                     d->lblPTS->text() == QStringLiteral("0:00:01"),
                                 Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!d->imgbtnPlay->isEnabled() && d->imgbtnpause->isEnabled() &&
                                     d->lblPTS->text() == QStringLiteral("0:00:01"), Patience);
        d->btnCancel->click();
        QVERIFY(d->BufferedFrame().isNull());
    }

    void theBarSeeksWhenTheButtonIsUp() {
        TSourceRows rows;
        auto d = Show(rows, rows.Add(Pal));
        QTRY_VERIFY_WITH_TIMEOUT(!d->BufferedFrame().isNull(), Patience);
        d->imgbtnpause->click();
        QCOMPARE(d->trcPreview->maximum(), d->trcPreview->width());
        // Held down, the bar only moves; the release seeks to about two thirds of the 6 s.
        const QPoint at(d->trcPreview->width() * 2 / 3, d->trcPreview->height() / 2);
        SendMouse(d->trcPreview, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(d->trcPreview->value() > d->trcPreview->maximum() / 2);
        SendMouse(d->trcPreview, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        d->imgbtnPlay->click();
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > 3500000, Patience);
        // The bar does not follow playback.
        const int value = d->trcPreview->value();
        QTest::qWait(300);
        QCOMPARE(d->trcPreview->value(), value);
        d->btnCancel->click();
    }

    void manyOpeningsLeaveNoPlayerThreads() {
        TSourceRows rows;
        const int row = rows.Add(Pal);
        {
            auto warm = Show(rows, row);
            QTRY_VERIFY_WITH_TIMEOUT(!warm->BufferedFrame().isNull(), Patience);
            warm->btnCancel->click();
        }
        QTest::qWait(200);
        const int before = ThreadCount();
        for (int i = 0; i < 100; ++i) {
            auto d = Show(rows, row);
            QVERIFY(d->RectTracker->isVisible());
            QTest::qWait(1);
            d->btnCancel->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(ThreadCount() <= before, Patience);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    TCropDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "CropDialogTest.moc"
