// The video effect and watermark dialog on generated media, with the real player under the
// offscreen platform and SDL's dummy audio: adding, renaming, styling, reordering and deleting
// layers, OK's record and the restore on reopening, the time ranges on the live preview, the
// crop frame, the Effect page, pictures that cannot be loaded, and short files.
#include "app/PreviewLogic.h"
#include "app/QtDispatcher.h"
#include "app/WaterMarkLogic.h"
#include "effects/FrameEffects.h"
#include "fixtures/Fixtures.h"
#include "ui/AccessibleNames.h"
#include "RecordingServices.h"
#include "ui/FrmWaterMark.h"
#include "ui/TrackBar2.h"
#include "ui/VideoView.h"
#include "ui/WaterMarkPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <fstream>
#include <memory>

using namespace zelta;

namespace {

constexpr int Patience = 20000; // milliseconds; generous for a loaded machine

std::string Movie(const std::string& Name, double Seconds, int Width = 320, int Height = 240,
                  int Rate = 25) {
    const std::string path = fixtures::Fixtures().Dir + "/" + Name;
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "mpeg4";
    spec.Width = Width;
    spec.Height = Height;
    spec.FrameRateNum = Rate;
    spec.Seconds = Seconds;
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

TlvFilesRecord RecordFor(const std::string& File, int Seconds) {
    TlvFilesRecord r;
    r.SrcFile = File;
    r.Duration = Seconds;
    return r;
}

} // namespace

class TWaterMarkDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    QTemporaryDir Dir;
    TRecordingServices Services;
    std::string SixSeconds, Short;

    // A shown dialog whose player has opened the file and shown a first frame.
    std::unique_ptr<TfrmWaterMark> Open(TlvFilesRecord& Record) {
        auto d = std::make_unique<TfrmWaterMark>(Record, Services);
        d->show();
        [&] {
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            QTRY_VERIFY_WITH_TIMEOUT(d->ImgView->FramesShown() > 0, Patience);
        }();
        return d;
    }

    QString Picture(const QString& Name, const QImage& Image) {
        const QString path = Dir.filePath(Name);
        [&] { QVERIFY(Image.save(path)); }();
        return path;
    }

private slots:
    void initTestCase() {
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        QVERIFY(Dir.isValid());
        qputenv("ZELTA_HOME", Dir.path().toUtf8());
        SixSeconds = Movie("wm-6s.mp4", 6.0);
        Short = Movie("wm-half-second.mp4", 0.5);
    }
    void cleanupTestCase() { Dispatcher.reset(); }
    void init() { Services.Clear(); }

    void defaultsNamesAndAnEmptyOk() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        QVERIFY2(UnnamedControls(d.get()).isEmpty(), qPrintable(UnnamedControls(d.get()).join(", ")));
        QCOMPARE(d->size(), QSize(786, 605));
        // The whole name, or its start and extension when long (the checkout may lie deep).
        QCOMPARE(d->windowTitle(), QString::fromStdString(zelta::WaterMarkCaption(SixSeconds)));
        QCOMPARE(d->fontSizeCmb->currentText(), QStringLiteral("26"));
        QCOMPARE(d->fontSizeCmb->count(), 64);
        QCOMPARE(d->trcTextTran->value(), 125);
        QVERIFY(d->rb1->isChecked());
        QCOMPARE(d->colorBoxcmb->currentIndex(), 12);
        QCOMPARE(d->colorBoxbackground->currentIndex(), 2);
        QCOMPARE(d->Duration(), 6000000);
        QCOMPARE(d->trcRange->Max(), 6);
        QCOMPARE(d->trcTextHoriz->maximum(), 320);
        QCOMPARE(d->trcTextVert->maximum(), 240);
        QVERIFY(d->lblLength->text().startsWith("Duration:    00:00:06"));
        QVERIFY(!d->spdBtnPlay->isEnabled() && d->spdBtnPause->isEnabled());
        d->btnHelp->click();
        QCOMPARE(Services.Opened.size(), 1);
        // A layer added and deleted again: OK stores an empty array over the old one.
        r.WaterMarks.push_back(std::make_unique<TWmRec>());
        d->btnAddText->click();
        d->edt1Exit();
        d->btnDelete->click();
        QCOMPARE(d->lsbox->count(), 0);
        d->btnOk->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(r.WaterMarks.empty());
        QCOMPARE(r.Brightness, 255);
    }

    void aRenamedBoldFortyPointTextIsStoredWithItsRenderedSize() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        d->btnAddText->click();
        QCOMPARE(d->lsbox->count(), 1);
        QCOMPARE(d->lsbox->item(0)->text(), QStringLiteral("Add Text"));
        QVERIFY(d->edt1->isVisible());
        QCOMPARE(d->edt1->text(), QStringLiteral("Add Text"));
        // The new layer is centred on the frame and selected.
        {
            const TWmItemRec& row = d->Layers().Row(0);
            QCOMPARE(d->SelectedLayer(), row.Id);
            QVERIFY(d->ImgView->SelectionFrameVisible());
            QVERIFY(std::abs(row.Rect.Left + row.Rect.Width / 2 - 160) <= 1);
            QVERIFY(std::abs(row.Rect.Top + row.Rect.Height / 2 - 120) <= 1);
        }
        d->edt1->selectAll();
        QTest::keyClicks(d->edt1, "Zelta Demo");
        QCOMPARE(d->lsbox->item(0)->text(), QStringLiteral("Zelta Demo"));
        QTest::keyClick(d->edt1, Qt::Key_Return);
        QVERIFY(!d->edt1->isVisible());
        d->chkBold->click();
        d->fontSizeCmb->setCurrentText(QStringLiteral("40"));
        QCOMPARE(d->edtStart->text(), QStringLiteral("0:00:00"));
        QCOMPARE(d->edtEnd->text(), QStringLiteral("0:00:06"));
        d->btnOk->click();
        QCOMPARE(r.WaterMarks.size(), size_t(1));
        const TWmRec& w = *r.WaterMarks[0];
        QCOMPARE(w.Text, std::string("Zelta Demo"));
        QVERIFY(w.Font);
        QCOMPARE(w.Font->Size, 40);
        QCOMPARE(int(w.Font->Style), int(fsBold));
        const QSize rendered = TextLayerSize("Zelta Demo", *w.Font);
        QCOMPARE(w.TextWidth, rendered.width());
        QCOMPARE(w.TextHeight, rendered.height());
        QCOMPARE(w.TextAlpha, 125);
        QVERIFY(w.BackFilled);
        QCOMPARE(w.StartTime, 0);
        QCOMPARE(w.EndTime, 6);
    }

    void upSwapsTheDrawingOrderAndDeleteSelectsTheNeighbour() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        for (int i = 0; i < 3; ++i) {
            d->btnAddText->click();
            d->edt1->setText(QString("layer %1").arg(i));
            d->edt1Change();
            d->edt1Exit();
        }
        const int id0 = d->Layers().Row(0).Id, id1 = d->Layers().Row(1).Id, id2 = d->Layers().Row(2).Id;
        QCOMPARE(d->ImgView->Order(), (std::vector<int>{id0, id1, id2}));
        // The third is selected; Up puts it below the second, in the view and the array.
        d->btnUp->click();
        QCOMPARE(d->SelectedRow(), 1);
        QCOMPARE(d->ImgView->Order(), (std::vector<int>{id0, id2, id1}));
        d->btnDown->click();
        d->btnDown->click(); // already last
        QCOMPARE(d->ImgView->Order(), (std::vector<int>{id0, id1, id2}));
        d->btnUp->click();
        d->btnOk->click();
        QCOMPARE(r.WaterMarks.size(), size_t(3));
        QCOMPARE(r.WaterMarks[1]->Text, std::string("layer 2"));
        QCOMPARE(r.WaterMarks[2]->Text, std::string("layer 1"));

        auto e = Open(r);
        QCOMPARE(e->lsbox->count(), 3);
        QCOMPARE(e->SelectedRow(), 2); // the last row after restoring
        // The keyboard selects rows (and their layers) as clicks do.
        e->lsbox->setFocus();
        QTest::keyClick(e->lsbox, Qt::Key_Up);
        QCOMPARE(e->SelectedRow(), 1);
        QCOMPARE(e->SelectedLayer(), e->Layers().Row(1).Id);
        e->lsbox->setCurrentRow(0);
        e->lsboxClick();
        e->btnDelete->click();
        QCOMPARE(e->SelectedRow(), 0); // the new first row
        QCOMPARE(e->lsbox->item(0)->text(), QStringLiteral("layer 2"));
        QCOMPARE(e->SelectedLayer(), -1);
        QVERIFY(!e->ImgView->SelectionFrameVisible());
        e->btnAddText->click();
        e->edt1Exit();
        e->lsbox->setCurrentRow(2);
        e->btnDelete->click();
        QCOMPARE(e->SelectedRow(), 1); // the second
        QCOMPARE(e->lsbox->count(), 2);
        QCOMPARE(e->ImgView->Order().size(), size_t(2));
        e->btnCancel->click();
        QCOMPARE(r.WaterMarks.size(), size_t(3)); // Cancel leaves the record alone
    }

    void reopeningRestoresPlacesOpacityAndRanges() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        const QString png = Picture("logo.png", [] {
            QImage i(40, 20, QImage::Format_ARGB32);
            i.fill(QColor(255, 0, 0, 255));
            return i;
        }());
        {
            auto d = Open(r);
            d->btnAddText->click();
            d->edt1Exit();
            d->trcTextHoriz->setValue(30);
            d->trcTextVert->setValue(40);
            d->trcTextTran->setValue(200);
            d->trcRange->SetPositions(2, 4);
            Services.FileAnswers = {png};
            d->SetPictureChooser(Services.FileDialog());
            d->btnAddImage->click();
            QCOMPARE(Services.FileDialogs, 1);
            QCOMPARE(d->lsbox->count(), 2);
            QVERIFY(!d->chkBold->isEnabled()); // image rows have no text style
            d->trcTextTran->setValue(90);
            d->btnStartUpEndDown->click();
            d->btnStartUp1->click();
            QCOMPARE(d->edtStart->text(), QStringLiteral("0:00:01"));
            QCOMPARE(d->edtEnd->text(), QStringLiteral("0:00:05"));
            QCOMPARE(d->ImgView->LayerOpacity(d->Layers().Row(1).Id), 90 / 255.0);
            d->btnOk->click();
        }
        QCOMPARE(r.WaterMarks.size(), size_t(2));
        QCOMPARE(r.WaterMarks[1]->ImageWidth, 40);
        QVERIFY(std::abs(r.WaterMarks[1]->ImageLeft - (160 - 20)) <= 1);
        auto d = Open(r);
        QCOMPARE(d->lsbox->count(), 2);
        const TWmItemRec& text = d->Layers().Row(0);
        const TWmItemRec& image = d->Layers().Row(1);
        QCOMPARE(text.Rect.Left, 30.0);
        QCOMPARE(text.Rect.Top, 40.0);
        QCOMPARE(text.Alpha, 200);
        QCOMPARE(text.StartTime, 2);
        QCOMPARE(text.EndTime, 4);
        QCOMPARE(image.ImageFile, png.toStdString());
        QCOMPARE(image.Alpha, 90);
        QCOMPARE(image.StartTime, 1);
        QCOMPARE(image.EndTime, 5);
        // The last row is selected and shown in the controls.
        QCOMPARE(d->SelectedLayer(), image.Id);
        QCOMPARE(d->trcTextTran->value(), 90);
        QCOMPARE(d->trcRange->PositionL(), 1);
        QCOMPARE(d->trcRange->PositionU(), 5);
        QVERIFY(!d->chkBold->isEnabled());
        QVERIFY(!d->fontCmb->isEnabled());
        d->lsbox->setCurrentRow(0);
        d->lsboxClick();
        QCOMPARE(d->trcTextHoriz->value(), 30);
        QCOMPARE(d->trcRange->PositionL(), 2);
        QVERIFY(d->chkBold->isEnabled());
        QCOMPARE(d->ImgView->LayerOpacity(text.Id), 200 / 255.0);
    }

    void layersShowOnlyInsideTheirRange() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        d->btnAddText->click();
        d->edt1Exit();
        d->trcRange->SetPositions(3, 5);
        d->btnStartUpEndDown->click(); // 3..4
        const int id = d->SelectedLayer();
        QCOMPARE(d->Layers().Row(0).StartTime, 3);
        QCOMPARE(d->Layers().Row(0).EndTime, 4);
        d->spdBtnPause->click();
        QVERIFY(!d->spdBtnPause->isEnabled() && d->spdBtnPlay->isEnabled());
        const int before = d->ImgView->FramesShown();
        d->Player().Seek(0, true, 3'500'000);
        QTRY_VERIFY_WITH_TIMEOUT(d->ImgView->FramesShown() > before, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(d->ImgView->LayerVisible(id), Patience);
        d->Player().Seek(0, true, 1'000'000);
        QTRY_VERIFY_WITH_TIMEOUT(!d->ImgView->LayerVisible(id), Patience);
        d->Player().Seek(0, true, 4'900'000);
        QTRY_VERIFY_WITH_TIMEOUT(d->ImgView->LayerVisible(id), Patience);
        d->Player().Seek(0, true, 5'400'000);
        QTRY_VERIFY_WITH_TIMEOUT(!d->ImgView->LayerVisible(id), Patience);
        d->spdBtnPlayClick();
        QVERIFY(!d->Player().Paused());
    }

    void aStoredOneSecondRangeShowsInThatSecondAndIsKept() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        r.WaterMarks.push_back(std::make_unique<TWmRec>());
        TWmRec& w = *r.WaterMarks[0];
        w.Text = "five";
        w.Font = std::make_unique<TWmFont>();
        w.TextWidth = 40;
        w.TextHeight = 20;
        w.StartTime = 5;
        w.EndTime = 5;
        auto d = Open(r);
        const int id = d->Layers().Row(0).Id;
        // The bar cannot hold a single second; it shows 5..6, the row keeps 5..5.
        QCOMPARE(d->trcRange->PositionL(), 5);
        QCOMPARE(d->trcRange->PositionU(), 6);
        QCOMPARE(d->edtEnd->text(), QStringLiteral("0:00:05"));
        d->spdBtnPauseClick();
        // A paused seek shows the key frame before its target; whatever frame arrives, the layer
        // shows exactly when its time lies in second 5.
        int shown = 0, hidden = 0;
        for (const int64_t position : {4'600'000LL, 5'400'000LL, 5'960'000LL, 3'000'000LL}) {
            d->Player().Seek(0, true, position);
            QTRY_VERIFY2_WITH_TIMEOUT(d->ImgView->FramePTS() <= position &&
                                          d->ImgView->FramePTS() > position - 600'000,
                                      qPrintable(QString("seek %1 shows %2").arg(position).arg(d->ImgView->FramePTS())),
                                      Patience);
            QTest::qWait(50);
            const int64_t pts = d->ImgView->FramePTS();
            const bool inside = pts >= 5'000'000 && pts <= 5'999'999;
            QCOMPARE(d->ImgView->LayerVisible(id), inside);
            ++(inside ? shown : hidden);
        }
        QVERIFY(shown > 0 && hidden > 0);
        d->btnOk->click();
        QCOMPARE(r.WaterMarks[0]->StartTime, 5);
        QCOMPARE(r.WaterMarks[0]->EndTime, 5);
    }

    void neutralValuesLeaveTheFrameButTheGreenBorder() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        d->spdBtnPause->click();
        QTest::qWait(300);
        const QImage view = d->ImgView->Frame().convertToFormat(QImage::Format_RGB888);
        QCOMPARE(view.size(), QSize(320, 240));
        for (QPoint p : {QPoint(0, 0), QPoint(1, 120), QPoint(319, 239), QPoint(160, 238)})
            QCOMPARE(view.pixelColor(p), QColor(0, 128, 0));
        // Inside, the picture is the player's own (the panel gets the same frame back through
        // the colour conversion, so allow its rounding).
        const QImage shown = BitmapToImage(d->Player().CurrentFrame()).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(shown.size(), view.size());
        double diff = 0;
        int n = 0;
        for (int y = 20; y < 220; y += 7)
            for (int x = 20; x < 300; x += 7) {
                const QColor a = view.pixelColor(x, y), b = shown.pixelColor(x, y);
                diff += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                        std::abs(a.blue() - b.blue());
                n += 3;
            }
        QVERIFY2(diff / n < 6, qPrintable(QString::number(diff / n)));
    }

    void theEffectPageShowsThePlayerAndItsValuesAreStored() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        r.Contrast = 20;
        auto d = Open(r);
        QCOMPARE(d->trcContrast->value(), 20);
        QCOMPARE(d->spedtContrast->value(), 20);
        d->pageControl1->setCurrentWidget(d->tsEffect);
        QVERIFY(d->imgPreview->isVisible());
        QVERIFY(!d->ImgView->isVisible());
        QVERIFY(d->tsEffect->isEnabled());
        QVERIFY(d->trcBrightness->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(d->imgPreview->Current().Bitmap != nullptr, Patience);
        // Brightness 0 turns the player's picture almost black.
        d->spedtBrightness->setValue(0);
        QCOMPARE(d->trcBrightness->value(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const TShownPicture& p = d->imgPreview->Current();
                if (!p.Bitmap)
                    return false;
                const QImage i = BitmapToImage(*p.Bitmap);
                const QColor c = i.pixelColor(i.width() / 2, i.height() / 2);
                return c.red() < 12 && c.green() < 12 && c.blue() < 12;
            }(),
            Patience);
        d->btnReset->click();
        QCOMPARE(d->spedtBrightness->value(), 255);
        QCOMPARE(d->trcContrast->value(), 0);
        d->trcSaturation->setValue(300);
        d->trcExposure->setValue(-40);
        d->pageControl1->setCurrentWidget(d->tsWatermark);
        QVERIFY(d->ImgView->isVisible());
        QVERIFY(!d->imgPreview->isVisible());
        d->btnOk->click();
        QCOMPARE(r.Brightness, 255);
        QCOMPARE(r.Contrast, 0);
        QCOMPARE(r.Saturation, 300);
        QCOMPARE(r.Exposure, -40);
    }

    void aCancelledOrUnreadablePictureKeepsThePreviewAndNoEmptyRow() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        const std::string missing = Dir.filePath("gone.png").toStdString();
        r.WaterMarks.push_back(std::make_unique<TWmRec>());
        r.WaterMarks[0]->Kind = WmKindImage;
        r.WaterMarks[0]->ImageFile = missing;
        r.WaterMarks.push_back(std::make_unique<TWmRec>());
        r.WaterMarks[1]->Text = "still here";
        r.WaterMarks[1]->Font = std::make_unique<TWmFont>();
        r.WaterMarks[1]->TextWidth = 50;
        r.WaterMarks[1]->TextHeight = 20;
        r.WaterMarks[1]->EndTime = 6;
        auto d = Open(r);
        // The gone picture is reported; the text after it is still built.
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY(Services.Messages[0].startsWith("Warning|"));
        QVERIFY(Services.Messages[0].contains("gone.png"));
        QCOMPARE(d->lsbox->count(), 1);
        QCOMPARE(d->lsbox->item(0)->text(), QStringLiteral("still here"));

        d->SetPictureChooser(Services.FileDialog()); // cancelled
        d->btnAddImage->click();
        QCOMPARE(d->lsbox->count(), 1);
        QVERIFY(d->Player().Hook());
        const int before = d->ImgView->FramesShown();
        QTRY_VERIFY_WITH_TIMEOUT(d->ImgView->FramesShown() > before + 5, Patience);

        const QString text = Dir.filePath("notes.png");
        std::ofstream(text.toStdString()) << "not a picture";
        Services.FileAnswers = {text};
        d->btnAddImage->click();
        QCOMPARE(Services.FileDialogs, 2);
        QCOMPARE(d->lsbox->count(), 1);
        QCOMPARE(d->Layers().Count(), 1);
        QCOMPARE(Services.Messages.size(), 2);
        QVERIFY(d->Player().Hook());
    }

    void theSelectionFrameMovesAndResizesTheLayer() {
        TlvFilesRecord r = RecordFor(SixSeconds, 6);
        auto d = Open(r);
        d->btnAddText->click();
        d->edt1Exit();
        const TWmItemRec start = d->Layers().Row(0);
        QWidget* vp = d->ImgView->viewport();
        // Drag from inside the layer by 20 frame pixels to the right.
        const QPointF inside(start.Rect.Left + start.Rect.Width / 2, start.Rect.Top + start.Rect.Height / 2);
        const QPoint from = d->ImgView->ViewPoint(inside);
        const QPoint to = d->ImgView->ViewPoint(inside + QPointF(20, 10));
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), vp->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, to);
        const TWmItemRec& moved = d->Layers().Row(0);
        QVERIFY(std::abs(moved.Rect.Left - (start.Rect.Left + 20)) < 1.5);
        QVERIFY(std::abs(moved.Rect.Top - (start.Rect.Top + 10)) < 1.5);
        QCOMPARE(moved.Rect.Width, start.Rect.Width);
        QCOMPARE(d->trcTextHoriz->value(), WholePixel(moved.Rect.Left));
        QCOMPARE(d->trcTextVert->value(), WholePixel(moved.Rect.Top));

        // Ctrl on the right handle keeps the centre.
        const TWmItemRec before = d->Layers().Row(0);
        const QPoint handle = d->ImgView->ViewPoint(QPointF(before.Rect.Right(), before.Rect.Top + before.Rect.Height / 2));
        const QPoint out = handle + QPoint(30, 0);
        QTest::mousePress(vp, Qt::LeftButton, Qt::ControlModifier, handle);
        QMouseEvent grow(QEvent::MouseMove, QPointF(out), vp->mapToGlobal(QPointF(out)), Qt::NoButton,
                         Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(vp, &grow);
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::ControlModifier, out);
        const TWmItemRec& after = d->Layers().Row(0);
        QVERIFY(after.Rect.Width > before.Rect.Width + 20);
        QVERIFY(std::abs((after.Rect.Left + after.Rect.Width / 2) - (before.Rect.Left + before.Rect.Width / 2)) < 0.01);

        // A press outside every layer removes the selection.
        QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, d->ImgView->ViewPoint(QPointF(3, 3)));
        QCOMPARE(d->SelectedLayer(), -1);
        QVERIFY(!d->ImgView->SelectionFrameVisible());
        QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier,
                          d->ImgView->ViewPoint(QPointF(after.Rect.Left + 2, after.Rect.Top + 2)));
        QCOMPARE(d->SelectedLayer(), after.Id);
    }

    void aFileShorterThanASecondGetsAUsableRangeBar() {
        TlvFilesRecord r = RecordFor(Short, 0);
        auto d = Open(r);
        QCOMPARE(d->trcRange->Min(), 0);
        QCOMPARE(d->trcRange->Max(), 1);
        d->btnAddText->click();
        d->edt1Exit();
        QCOMPARE(d->Layers().Row(0).EndTime, 0);
        QCOMPARE(d->trcRange->PositionL(), 0);
        QCOMPARE(d->trcRange->PositionU(), 1);
        QVERIFY(d->trcRange->Logic().Valid());
        d->btnOk->click();
        QCOMPARE(r.WaterMarks[0]->StartTime, 0);
        QCOMPARE(r.WaterMarks[0]->EndTime, 0);
    }

    void aFileOfAlmostOneMinuteGivesZeroToFiftyNine() {
        const std::string file = Movie("wm-59.9s.mp4", 59.9, 64, 48, 10);
        TlvFilesRecord r = RecordFor(file, 59);
        auto d = Open(r);
        QCOMPARE(d->trcRange->Max(), 59);
        d->btnAddText->click();
        d->edt1Exit();
        QCOMPARE(d->Layers().Row(0).StartTime, 0);
        QCOMPARE(d->Layers().Row(0).EndTime, 59);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TWaterMarkDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "WaterMarkDialogTest.moc"
