// The main window under the offscreen platform: menu and pop-up enabling, theme switching, the
// Open button, adding files (the add procedure after its dialog, and dropped file URLs), the
// list's view modes and row painting, the format picker, and a whole Start run.
#include "RecordingServices.h"
#include "app/GlobalObject.h"
#include "app/QtDispatcher.h"
#include "app/IniFile.h"
#include "app/SourceList.h"
#include "probe/AVProbe.h"
#include "fixtures/Fixtures.h"
#include "ui/DialogServices.h"
#include "ui/FormatPicker.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/PreviewPanel.h"
#include "ui/SourceListView.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <vector>

using namespace zelta;

namespace {

// Counts the hide events of a window.
class THideCounter : public QObject {
public:
    int Hides = 0;
    bool eventFilter(QObject*, QEvent* E) override {
        if (E->type() == QEvent::Hide)
            ++Hides;
        return false;
    }
};

std::vector<QAction*> Actions(std::initializer_list<QAction*> List) { return List; }

} // namespace

class TMainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }
    std::string Setting(const char* Key) const {
        return TIniFile(SettingsPath().toStdString()).ReadString("settings", Key, "<none>");
    }

    static void AddThree(TfrmMain& W) {
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        W.AddChosenFiles({f.Wav, f.Mp3, f.Flac});
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        qputenv("ZELTA_SHUTDOWN_COMMAND", "true");
        fixtures::Fixtures(); // build the media before any window waits on them
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteString("settings", "OutPutDir", OutFolder().toStdString()));
        Services.Clear();
    }

    void emptyListDisablesEditCommands() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.lvFiles->ReportView());
        QVERIFY(w.btnAdd->isEnabled());
        QVERIFY(!w.btnRemove->isEnabled() && !w.btnStart->isEnabled());

        emit w.EditMenu->aboutToShow();
        for (QAction* a : Actions({w.Crop1, w.Trim1, w.WaterMark1, w.CheckAll1, w.UncheckAll1,
                                   w.ReserveCheck1, w.Check1, w.Uncheck1}))
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));

        // A right-button press in the list opens the pop-up, which offers only Add.
        QTest::mouseClick(w.lvFiles->viewport(), Qt::RightButton, {}, QPoint(40, 40));
        QTRY_VERIFY(w.PopupMenu1->isVisible());
        for (QAction* a : Actions({w.Crop2, w.Trim2, w.WaterMark2, w.Infomation1, w.Remove2,
                                   w.Clear2, w.Start2, w.SplitChapters2}))
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(w.AddFiles1->isEnabled());
        w.PopupMenu1->hide();

        // With rows and a selection everything is on again.
        AddThree(w);
        emit w.EditMenu->aboutToShow();
        emit w.PopupMenu1->aboutToShow();
        for (QAction* a : Actions({w.Crop1, w.Check1, w.Uncheck1, w.Crop2, w.Remove2, w.Start2,
                                   w.Infomation1, w.SplitChapters2}))
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        w.close();
    }

    void themeSwitchStoresIndexAndCheckedItemDoesNothing() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(CurrentTheme(), 0);
        emit w.Skin1->aboutToShow();
        QVERIFY(w.SkinItems[0]->isChecked());

        THideCounter hides;
        w.installEventFilter(&hides);
        w.SkinItems[0]->trigger();
        QCOMPARE(hides.Hides, 0);
        QVERIFY(w.SkinItems[0]->isChecked());
        QCOMPARE(Setting("skinIndex"), std::string("<none>"));

        w.SkinItems[3]->trigger();
        QCOMPARE(hides.Hides, 1);
        QVERIFY(w.isVisible());
        QCOMPARE(CurrentTheme(), 3);
        QCOMPARE(Setting("skinIndex"), std::string("3"));
        for (int i = 0; i < ThemeCount; ++i)
            QCOMPARE(w.SkinItems[size_t(i)]->isChecked(), i == 3);
        w.close();
        ApplyTheme(0);
    }

    void openNeedsMoreThanTwoCharacters() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.edDirectory->text(), OutFolder());
        w.edDirectory->setText("C:");
        QCOMPARE(Setting("OutPutDir"), std::string("C:")); // a change of the box is stored
        QTest::mouseClick(w.btnOpen, Qt::LeftButton);
        QVERIFY(Services.Opened.isEmpty());
        w.edDirectory->setText(OutFolder());
        QTest::mouseClick(w.btnOpen, Qt::LeftButton);
        QCOMPARE(Services.Opened.size(), 1);
        QCOMPARE(Services.Opened[0], QUrl::fromLocalFile(OutFolder()));
        w.close();
    }

    void addRemoveClearSwitchViewModes() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        AddThree(w);
        TSourceListModel& files = w.Files();
        QCOMPARE(files.RowCount(), 3);
        QVERIFY(w.lvFiles->ReportView());
        QCOMPARE(w.lvFiles->header()->sectionSize(colTrimmedLength), 90);
        QCOMPARE(w.lvFiles->SelectedRow(), 0);
        QVERIFY(w.btnRemove->isEnabled() && w.btnClear->isEnabled() && w.btnStart->isEnabled());
        QCOMPARE(QString::fromStdString(files.SubItem(1, colLength)), QStringLiteral("2"));
        QVERIFY(QString::fromStdString(files.SubItem(2, colDestination)).endsWith(".aac"));
        QVERIFY(files.Checked(0) && files.Checked(2));

        // The same file again, dropped on the list, is a duplicate; a folder URL and a web URL
        // add nothing.
        auto drop = [&](const QList<QUrl>& Urls) {
            QMimeData data;
            data.setUrls(Urls);
            const QPoint at(30, 30);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(w.lvFiles->viewport(), &enter);
            QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(w.lvFiles->viewport(), &dropEvent);
            return enter.isAccepted();
        };
        QVERIFY(drop({QUrl::fromLocalFile(QString::fromStdString(f.Wav)),
                      QUrl::fromLocalFile(Home.path())}));
        QCOMPARE(files.RowCount(), 3);
        QVERIFY(!drop({QUrl("https://example.org/a.mp3")}));
        QVERIFY(drop({QUrl::fromLocalFile(QString::fromStdString(f.Surround51))}));
        QCOMPARE(files.RowCount(), 4);
        QCOMPARE(files.Caption(3), f.Surround51);

        // Check commands work on the model and the selected row.
        w.UncheckAll1->trigger();
        QCOMPARE(files.CheckedCount(), 0);
        w.lvFiles->SelectRow(1);
        w.Check1->trigger();
        QCOMPARE(files.CheckedCount(), 1);
        QVERIFY(files.Checked(1));
        w.ReserveCheck1->trigger();
        QCOMPARE(files.CheckedCount(), 3);

        // Removing the last row selects the new last row; removing the only row empties the
        // columns.
        w.lvFiles->SelectRow(3);
        w.btnRemoveClick();
        QCOMPARE(files.RowCount(), 3);
        QCOMPARE(w.lvFiles->SelectedRow(), 2);
        w.btnClearClick();
        QCOMPARE(files.RowCount(), 0);
        QVERIFY(!w.lvFiles->ReportView());
        w.btnClearClick(); // nothing to clear
        w.AddChosenFiles({f.Mp3});
        QVERIFY(w.lvFiles->ReportView());
        w.btnRemoveClick();
        QVERIFY(!w.lvFiles->ReportView());
        QVERIFY(w.PreviewPanel->PlayerStopped());
        w.close();
    }

    void rowsArePaintedWithThemeColours() {
        ApplyTheme(2);
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ApplyTheme(2); // creation applied the stored (default) theme
        AddThree(w);
        w.Files().SetChecked(1, false);
        w.lvFiles->SelectRow(0);
        w.lvFiles->setFocus();
        QTRY_VERIFY(w.lvFiles->hasFocus());
        const QImage image = w.lvFiles->viewport()->grab().toImage();
        auto cell = [&](int Row, int Column) {
            return w.lvFiles->visualRect(w.Files().index(Row, Column));
        };
        // Points beside the texts: the right end of a cell.
        auto background = [&](const QRect& Cell) {
            return image.pixel(Cell.right() - 1, Cell.center().y());
        };
        QCOMPARE(background(cell(1, colLength)), OddRowColor(2));
        QCOMPARE(background(cell(2, colLength)), RowEvenColor);
        const QRect selected = cell(0, colDestination);
        QCOMPARE(background(selected), RowSelectedFocusFill);
        QCOMPARE(image.pixel(selected.left() + 2, selected.top()), RowSelectedFocusFrame);
        // The check box square: its left edge is black in every row; the tick's middle point
        // only in checked rows.
        for (int row = 0; row < 3; ++row) {
            const QRect box = TSourceRowDelegate::CheckBoxRect(cell(row, colSource));
            QCOMPARE(image.pixel(box.left(), box.center().y()), qRgb(0, 0, 0));
            const QRect c = cell(row, colSource);
            const QRgb tick = image.pixel(c.left() + 1 + 6, c.top() + 10);
            QCOMPARE(tick == qRgb(0, 0, 0), row != 1);
        }
        w.close();
        ApplyTheme(0);
    }

    void pickerOpensAboveAndClosesOnClickElsewhere() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TFormatPickerModel& model = w.Picker->Model();
        QCOMPARE(w.edt1->text(), QStringLiteral("AAC Advenced Audio Codec (*.aac)"));
        QCOMPARE(model.RowCount(), 4); // four collapsed categories
        QVERIFY(!w.lst1->isVisible());

        QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
        QVERIFY(w.lst1->isVisible());
        const QPoint editTop = w.edt1->mapTo(w.centralWidget(), QPoint(0, 0));
        QCOMPARE(w.lst1->geometry().bottom() + 1, editTop.y());
        QCOMPARE(w.lst1->height(), 4 * 20 + 20);

        // A press anywhere else closes it; the arrow toggles it.
        QTest::mouseClick(w.lvFiles->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!w.lst1->isVisible());
        QTest::mouseClick(w.edt1, Qt::LeftButton);
        QVERIFY(w.lst1->isVisible());
        QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
        QVERIFY(!w.lst1->isVisible());

        // Hot tracking, expanding by the glyph column, choosing an entry.
        QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
        const QRect header = w.lst1->visualRect(model.index(0));
        QTest::mouseMove(w.lst1->viewport(), header.center());
        QCOMPARE(w.lst1->currentIndex().row(), 0);
        QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {}, QPoint(header.left() + 8, header.center().y()));
        QCOMPARE(model.RowCount(), 14);
        QVERIFY(w.lst1->isVisible());
        QCOMPARE(w.lst1->height(), 14 * 20 + 20);
        const QRect aac = w.lst1->visualRect(model.index(2));
        QCOMPARE(Setting("FormatCode"), std::string("<none>"));
        QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {}, aac.center());
        QVERIFY(!w.lst1->isVisible());
        QCOMPARE(w.edt1->text(), QStringLiteral("AAC Advenced Audio Codec (*.aac)"));
        QCOMPARE(Setting("FormatCode"), std::string("1"));
        QCOMPARE(Setting("FormatName"), std::string("AAC Advenced Audio Codec (*.aac)"));
        QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
        const QRect m4a = w.lst1->visualRect(model.index(3));
        QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {}, m4a.center());
        QCOMPARE(w.edt1->text(), QStringLiteral("M4A MPEG-4 Audio (*.m4a)"));
        QCOMPARE(Setting("FormatCode"), std::string("2"));

        // The expanded category is stored at close.
        w.close();
        QCOMPARE(TIniFile(SettingsPath().toStdString()).ReadString("lstformat", "0", ""),
                 std::string("0"));
    }

    void displaysFollowTheStoredSettings() {
        // The stored folder lies below a file, so adding falls back to the default folder.
        const QString home = Home.filePath("home");
        QVERIFY(QDir().mkpath(home));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.toUtf8());
        QFile blocker(Home.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(TIniFile(SettingsPath().toStdString())
                    .WriteString("settings", "OutPutDir", Home.filePath("blocker/out").toStdString()));
        {
            TfrmMain w(Services);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const fixtures::TFixtureSet& f = fixtures::Fixtures();
            w.AddChosenFiles({f.Wav, f.Mp3});
            const QString fallback = home + "/videoconverter";
            QCOMPARE(QString::fromStdString(Setting("OutPutDir")), fallback);
            QCOMPARE(w.edDirectory->text(), fallback);
            QVERIFY(Services.Messages.size() >= 1);

            // Another profile: every row's destination takes its extension at once.
            QVERIFY(w.Files().SubItem(0, colDestination).ends_with(".aac"));
            QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
            TFormatPickerModel& model = w.Picker->Model();
            const QRect header = w.lst1->visualRect(model.index(0));
            QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {},
                              QPoint(header.left() + 8, header.center().y()));
            QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {},
                              w.lst1->visualRect(model.index(5)).center()); // WAV
            QCOMPARE(Setting("FormatCode"), std::string("4"));
            // Both fixtures are named "tone": the second row gets the next number, as at Start.
            QCOMPARE(w.Files().SubItem(0, colDestination), std::string("tone_(new).wav"));
            QCOMPARE(w.Files().SubItem(1, colDestination), std::string("tone_(new_1).wav"));
            w.close();
        }
        qputenv("HOME", oldHome);
    }

    void cancelledAddForgetsThePlayRequest() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Play on an empty list opens Add; the user cancels it.
        bool dialogSeen = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                dialogSeen = modal->inherits("QFileDialog");
                modal->close();
            }
        });
        QTest::mouseClick(w.PreviewPanel->imgbtnPlay, Qt::LeftButton);
        QVERIFY(dialogSeen);
        QCOMPARE(w.Files().RowCount(), 0);
        // A later Add (dropped files here) adds without playing.
        w.AddChosenFiles({fixtures::Fixtures().Wav});
        QCOMPARE(w.Files().RowCount(), 1);
        QVERIFY(w.PreviewPanel->PlayerStopped());
        w.close();
    }

    void pickerWorksFromTheKeyboardAndTheWindowStartsCentred() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint middle = w.screen()->availableGeometry().center();
        QVERIFY2((w.frameGeometry().center() - middle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(w.frameGeometry().center().x())
                                .arg(w.frameGeometry().center().y())));

        TFormatPickerModel& model = w.Picker->Model();
        w.edt1->setFocus();
        QTest::keyClick(w.edt1, Qt::Key_Down); // opens the list, focused, on the stored row
        QVERIFY(w.lst1->isVisible());
        QVERIFY(w.lst1->hasFocus());
        QTest::keyClick(w.lst1, Qt::Key_Escape); // closes it without a choice
        QVERIFY(!w.lst1->isVisible());
        QVERIFY(w.edt1->hasFocus());
        QCOMPARE(Setting("FormatCode"), std::string("<none>"));

        QTest::keyClick(w.edt1, Qt::Key_F4);
        QVERIFY(w.lst1->isVisible());
        w.lst1->setCurrentIndex(model.index(0)); // the first category, collapsed
        QTest::keyClick(w.lst1, Qt::Key_Right);  // opens it
        QCOMPARE(model.RowCount(), 14);
        QCOMPARE(w.lst1->height(), 14 * 20 + 20);
        QTest::keyClick(w.lst1, Qt::Key_Down);   // its first entry, MP3
        QTest::keyClick(w.lst1, Qt::Key_Return); // chosen and stored
        QVERIFY(!w.lst1->isVisible());
        QCOMPARE(w.edt1->text(), QStringLiteral("MP3 MPEG Layer-3 Audio (*.mp3)"));
        QCOMPARE(Setting("FormatCode"), std::string("0"));
        QTest::keyClick(w.edt1, Qt::Key_Space);
        w.lst1->setCurrentIndex(model.index(0));
        QTest::keyClick(w.lst1, Qt::Key_Left);   // closes the category again
        QCOMPARE(model.RowCount(), 4);
        QTest::keyClick(w.lst1, Qt::Key_Escape);
        w.close();
    }

    void startConvertsTheCheckedRows() {
        // A video profile, so the run also has preview pictures.
        QVERIFY(TIniFile(SettingsPath().toStdString()).WriteString("settings", "FormatCode", "101"));
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        w.AddChosenFiles({f.AviMpeg4Mp3, f.Wav, f.Mp4H264Aac});
        QCOMPARE(w.Files().RowCount(), 3);
        w.Files().SetChecked(1, false);
        // A run that hangs ends the test instead of the test program.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (w.ProgressWindow() != nullptr)
                w.ProgressWindow()->close();
            QFAIL("the run did not end");
        });
        guard.start(60000);
        // The progress window's task counter as it changes during the run.
        std::vector<QString> counters;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (TfrmProgress* p = w.ProgressWindow(); p != nullptr && p->isVisible()) {
                const QString text = p->lblProgress->text();
                if (!text.isEmpty() && (counters.empty() || counters.back() != text))
                    counters.push_back(text);
            }
        });
        watch.start(5);
        w.btnStartClick();
        watch.stop();
        guard.stop();
        // The first task's counter was on show during the run; the window keeps the last one
        // (the end of the run may close it before another look).
        QVERIFY(!counters.empty());
        QCOMPARE(counters.front(), QStringLiteral("[1/2]"));
        QCOMPARE(w.ProgressWindow()->lblProgress->text(), QStringLiteral("[2/2]"));
        TBitmap24 frame;
        QVERIFY(w.Driver().CopyPreviewFrame(frame));
        QCOMPARE(frame.Width(), 320);
        QVERIFY(w.ProgressWindow() != nullptr);
        QVERIFY(!w.ProgressWindow()->isVisible());
        QCOMPARE(w.Driver().CheckedRows(), (std::vector<int>{0, 2}));
        for (int task = 0; task < 2; ++task) {
            const QString out = QString::fromStdString(w.Driver().Destination(task));
            QVERIFY2(out.startsWith(OutFolder()), qPrintable(out));
            QVERIFY2(QFileInfo(out).size() > 1000, qPrintable(out));
        }
        QCOMPARE(w.Files().SubItem(0, colProgress), std::string("100%"));
        QCOMPARE(w.Files().SubItem(1, colProgress), std::string());
        QCOMPARE(w.Files().SubItem(2, colProgress), std::string("100%"));
        QCOMPARE(QDir(OutFolder()).entryList(QDir::Files).size(), 2);
        QVERIFY(w.Driver().Destination(0).ends_with(".avi"));
        // The run's end re-enables the commands; the output folder opened (checked by default).
        QVERIFY(w.btnAdd->isEnabled() && w.btnStart->isEnabled());
        QVERIFY(!w.btnPause->isEnabled() && !w.btnResume->isEnabled());
        QCOMPARE(Services.Opened.size(), 1);
        w.close();
    }

    void failedRowsAreNamedAfterTheRun() {
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        const QString gone = Home.filePath("gone.mp3");
        QFile::remove(gone);
        QVERIFY(QFile::copy(QString::fromStdString(f.Mp3), gone));
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({f.Wav, gone.toStdString()});
        QCOMPARE(w.Files().RowCount(), 2);
        {
            QFile broken(gone);
            QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
            broken.write("no longer media");
        }
        Services.Messages.clear();
        w.btnStartClick();
        QCOMPARE(w.Files().SubItem(0, colProgress), std::string("100%"));
        QCOMPARE(w.Files().SubItem(1, colProgress), std::string("Error"));
        const QString tip =
            w.Files().data(w.Files().index(1, colProgress), Qt::ToolTipRole).toString();
        QVERIFY(!tip.isEmpty());
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY2(Services.Messages[0].startsWith("Warning|1 of 2 files could not be converted."),
                 qPrintable(Services.Messages[0]));
        QVERIFY(Services.Messages[0].contains("gone.mp3: " + tip));

        // Only the broken row checked: no progress window, and the message says so.
        w.Files().SetChecked(0, false);
        Services.Messages.clear();
        w.btnStartClick();
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY2(Services.Messages[0].startsWith("Warning|No file could be converted."),
                 qPrintable(Services.Messages[0]));
        w.close();
    }

    void closingTheMainWindowDuringARunStopsIt() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // A long source, so the run is surely under way when the window closes.
        const QString wav = Home.filePath("long.wav");
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.Seconds = 120;
        fixtures::MakeMedia(wav.toStdString(), spec);
        w.AddChosenFiles({wav.toStdString(), fixtures::Fixtures().Wav});
        QCOMPARE(w.Files().RowCount(), 2);
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            // Once the first task has written something.
            TfrmProgress* p = w.ProgressWindow();
            const QString size = p != nullptr ? p->lblSize->text() : QString();
            if (p != nullptr && p->isVisible() && !size.isEmpty() && !size.startsWith("0 "))
                w.close();
            else
                closer.start(20);
        });
        closer.start(20);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] { QFAIL("closing did not end the run"); });
        guard.start(60000);
        w.btnStartClick();
        guard.stop();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.ProgressWindow()->isVisible());
        QCOMPARE(GlobalObject(), nullptr);
        // The running task was stopped: its unfinished file was never given its name and went
        // with the task.
        const std::string out = w.Driver().Destination(0);
        QVERIFY2(!QFileInfo::exists(QString::fromStdString(out)), out.c_str());
        for (const QString& name : QDir(QFileInfo(QString::fromStdString(out)).path())
                                       .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            QVERIFY2(!name.startsWith('.'), qPrintable(name)); // no temporary left behind
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher; // the encoder's events come to the main thread
    TMainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "MainWindowTest.moc"
