// Every window at a HiDPI scaling (QT_SCALE_FACTOR, 2 unless the environment sets another) and in
// the desktop's language (LANG; run in English and in German): the windows keep their logical
// sizes, no caption is cut off, and the pictures the program draws
// itself are made at the screen's pixel density instead of being blown up.
#include "app/QtDispatcher.h"
#include "app/Translation.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"
#include "CutCaptions.h"
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

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

class THiDpiTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        // Scaled, unless the run checks the captions at 100 %.
        QVERIFY(qApp->devicePixelRatio() > 1.0 || qgetenv("QT_SCALE_FACTOR") == "1");
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
        if (ratio == 1.0)
            QSKIP("drawn at 100 %");
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
    // In the desktop's language: German captions are the longest the windows must hold.
    zelta::LoadTranslations(
        zelta::LanguageFromEnvironment([](const char* Name) { return std::getenv(Name); }));
    THiDpiTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "HiDpiTest.moc"
