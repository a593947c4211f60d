// Every window at a HiDPI scaling (QT_SCALE_FACTOR, 2 unless the environment sets another): the
// windows keep their logical sizes, no caption is cut off, and the pictures the program draws
// itself are made at the screen's pixel density instead of being blown up.
#include "app/QtDispatcher.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"
#include "RecordingServices.h"
#include "ui/FmDirectory.h"
#include "ui/FormatPicker.h"
#include "ui/FrmAbout.h"
#include "ui/FrmCover.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/ZeltaApplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Captions that do not fit their control: one line each, "window: control 'text' needs N, has M".
QStringList CutCaptions(QWidget& Window) {
    QStringList cut;
    auto check = [&](QWidget* W, const QString& Text, int Needed) {
        if (!W->isVisibleTo(&Window) || Text.isEmpty())
            return;
        if (Needed > W->width())
            cut << QStringLiteral("%1: %2 '%3' needs %4, has %5")
                       .arg(Window.objectName(), QString::fromLatin1(W->metaObject()->className()),
                            Text)
                       .arg(Needed)
                       .arg(W->width());
    };
    for (QLabel* l : Window.findChildren<QLabel*>()) {
        if (l->text().contains(QLatin1Char('<')) || !l->pixmap().isNull())
            continue;
        if (l->wordWrap()) {
            // A wrapped caption must have the height its lines need.
            const int needed = l->heightForWidth(l->width());
            if (l->isVisibleTo(&Window) && !l->text().isEmpty() && needed > l->height())
                cut << QStringLiteral("%1: wrapped label '%2' needs height %3, has %4")
                           .arg(Window.objectName(), l->text())
                           .arg(needed)
                           .arg(l->height());
            continue;
        }
        const QString text = QString(l->text()).remove(QLatin1Char('&'));
        const QMargins m = l->contentsMargins();
        check(l, text, l->fontMetrics().horizontalAdvance(text) + m.left() + m.right() +
                           2 * l->margin() + l->indent() * (l->indent() > 0 ? 1 : 0));
    }
    for (QAbstractButton* b : Window.findChildren<QAbstractButton*>()) {
        const QString text = QString(b->text()).remove(QLatin1Char('&'));
        // A push button's own minimum (80) is a style preference, not its text: the text and a
        // little room on each side must fit.
        if (qobject_cast<QPushButton*>(b))
            check(b, text, b->fontMetrics().horizontalAdvance(text) + 8);
        else if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            check(b, text, b->minimumSizeHint().width());
    }
    return cut;
}

} // namespace

class THiDpiTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        QVERIFY(qApp->devicePixelRatio() > 1.0);
    }

    void windowsKeepTheirSizesAndCaptionsFit() {
        TfrmMain main(Services);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(main.size(), QSize(760, 512));
        TCustomFFConverter converter;
        TfrmPreference preference([&]() -> TfmDirectory& { return main.FolderChooser(); },
                                  Services, &main);
        TfrmFileInfo fileInfo(&main);
        fileInfo.SetSourceFile(fixtures::Fixtures().Mp4H264Aac);
        TfrmAbout about(Services, &main);
        TfrmSettings settings(Services, &main);
        TfrmProgress progress(converter, &main);
        QStringList cut = CutCaptions(main);
        for (QWidget* w : std::initializer_list<QWidget*>{&preference, &fileInfo, &about, &settings,
                                                          &progress, &main.FolderChooser()}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            cut << CutCaptions(*w);
            w->hide();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
        main.close();
    }

    void drawnPicturesAreMadeAtScreenDensity() {
        const qreal ratio = qApp->devicePixelRatio();
        TfrmCover cover(Home.filePath("skin/videoaudiocover.jpg")); // none: the built-in picture
        QCOMPARE(cover.Picture().devicePixelRatio(), ratio);
        QCOMPARE(cover.Picture().deviceIndependentSize().toSize(), QSize(480, 280));
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QCOMPARE(cover.size(), QSize(480, 280)); // the window is not doubled
        // Shown pixel for pixel: the grab at screen density is the picture itself.
        const QImage shot = cover.grab().toImage();
        QCOMPARE(shot.size(), cover.Picture().size());
        QCOMPARE(shot.pixel(shot.width() / 2, shot.height() / 2),
                 cover.Picture().pixel(shot.width() / 2, shot.height() / 2));

        for (const QPixmap& p : {TFormatPickerDelegate::ExpandGlyph(true),
                                 TFormatPickerDelegate::CategoryIcon(zelta::TCategoryIcon::Audio),
                                 TfrmAbout::ApplicationIcon(48)}) {
            QCOMPARE(p.devicePixelRatio(), ratio);
            QVERIFY(p.width() > p.deviceIndependentSize().width());
        }
        QCOMPARE(TFormatPickerDelegate::ExpandGlyph(false).deviceIndependentSize().toSize(),
                 QSize(11, 11));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    THiDpiTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "HiDpiTest.moc"
