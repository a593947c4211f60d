// "Follow system", the eighth entry of the Skin menu: the first start on a dark desktop takes it,
// it gives dark windows and list rows there and the "Default" theme on a light desktop, and a
// stored choice of any entry survives whatever the desktop prefers.
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "fixtures/Fixtures.h"
#include "RecordingServices.h"
#include "ui/FrmMain.h"
#include "ui/SourceListView.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace zelta;

class TFollowSystemThemeTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    std::string Setting(const char* Key) const {
        return TIniFile(SettingsPath().toStdString()).ReadString("settings", Key, "<none>");
    }
    static std::vector<int> MarkedItems(TfrmMain& W) {
        emit W.Skin1->aboutToShow();
        std::vector<int> marked;
        for (int i = 0; i < ThemeMenuCount; ++i)
            if (W.SkinItems[size_t(i)]->isChecked())
                marked.push_back(i);
        return marked;
    }
    static bool PaletteIsDark() {
        const QPalette p = QApplication::palette();
        return p.color(QPalette::Window).lightness() < 100 &&
               p.color(QPalette::WindowText).lightness() > 200 &&
               p.color(QPalette::Base).lightness() < 100 && p.color(QPalette::Text).lightness() > 200;
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        fixtures::Fixtures();
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
    }

    void cleanup() {
        qunsetenv("ZELTA_COLOR_SCHEME");
        ApplyTheme(0);
    }

    void menuListsTheSevenThemesThenFollowSystem() {
        TfrmMain w(Services);
        const QList<QAction*> items = w.Skin1->actions();
        QCOMPARE(items.size(), 8);
        const QStringList names = {"Default", "Gray",  "Orange",     "Purple",
                                   "Red",     "Green", "Light blue", "Follow system"};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(items[i]->text(), names[i]);
            QCOMPARE(items[i], w.SkinItems[size_t(i)]);
        }
    }

    void firstStartOnADarkDesktopFollowsIt() {
        qputenv("ZELTA_COLOR_SCHEME", "dark");
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(CurrentTheme(), FollowSystemTheme);
        QVERIFY(DarkThemeInForce());
        QVERIFY(PaletteIsDark());
        QCOMPARE(MarkedItems(w), std::vector<int>{FollowSystemTheme});
        QCOMPARE(Setting("skinIndex"), std::string("<none>")); // nothing written by looking

        // The list's rows are dark with light text; the window behind the toolbar is dark too.
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        w.AddChosenFiles({f.Wav, f.Mp3});
        w.lvFiles->clearSelection();
        const QImage list = w.lvFiles->viewport()->grab().toImage();
        for (int row = 0; row < 2; ++row) {
            const QRect cell = w.lvFiles->visualRect(w.Files().index(row, colLength));
            const QColor back = list.pixelColor(cell.right() - 1, cell.center().y());
            QVERIFY2(back.lightness() < 100, qPrintable(back.name()));
            const QRect box = TSourceRowDelegate::CheckBoxRect(
                w.lvFiles->visualRect(w.Files().index(row, colSource)));
            QVERIFY(list.pixelColor(box.left(), box.center().y()).lightness() > 200);
        }
        const QImage window = w.grab().toImage();
        QVERIFY(window.pixelColor(window.width() - 3, window.height() / 2).lightness() < 100);
        w.close();
    }

    void firstStartOnALightDesktopIsDefault() {
        qputenv("ZELTA_COLOR_SCHEME", "light");
        TfrmMain w(Services);
        QCOMPARE(CurrentTheme(), 0);
        QVERIFY(!DarkThemeInForce());
        QCOMPARE(MarkedItems(w), std::vector<int>{0});
    }

    void choosingFollowSystemIsStoredAndFollowsTheDesktop() {
        TIniFile(SettingsPath().toStdString()).WriteInteger("settings", "skinIndex", 2);
        qputenv("ZELTA_COLOR_SCHEME", "dark");
        {
            TfrmMain w(Services);
            w.show();
            QCOMPARE(CurrentTheme(), 2); // a stored theme stays on a dark desktop
            QVERIFY(!PaletteIsDark());
            QCOMPARE(MarkedItems(w), std::vector<int>{2});
            w.SkinItems[size_t(FollowSystemTheme)]->trigger();
            QCOMPARE(CurrentTheme(), FollowSystemTheme);
            QVERIFY(PaletteIsDark());
            QCOMPARE(Setting("skinIndex"), std::string("7"));
            QCOMPARE(MarkedItems(w), std::vector<int>{FollowSystemTheme});
            // Back to a colour theme: every dark colour is gone.
            w.SkinItems[5]->trigger();
            QCOMPARE(QApplication::palette().color(QPalette::Window), ThemeColors(5).Window);
            QCOMPARE(QApplication::palette().color(QPalette::Base), QColor(Qt::white));
            QVERIFY(!DarkThemeInForce());
            w.SkinItems[size_t(FollowSystemTheme)]->trigger();
            w.close();
        }
        // The stored entry on a light desktop: the "Default" colours, "Follow system" marked.
        qputenv("ZELTA_COLOR_SCHEME", "light");
        TfrmMain w(Services);
        QCOMPARE(CurrentTheme(), FollowSystemTheme);
        QVERIFY(!DarkThemeInForce());
        QCOMPARE(QApplication::palette().color(QPalette::Window), ThemeColors(0).Window);
        QCOMPARE(QApplication::palette().color(QPalette::AlternateBase), QColor(OddRowColor(0)));
        QCOMPARE(MarkedItems(w), std::vector<int>{FollowSystemTheme});
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TFollowSystemThemeTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "FollowSystemThemeTest.moc"
