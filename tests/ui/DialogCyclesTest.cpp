// Every dialog opened and closed a hundred times, the editing dialogs with their players on a
// real file: open files, threads and heap are where they were after the first few times.
#include "EditDialogTestSupport.h"
#include "RecordingServices.h"

#include "app/GlobalObject.h"
#include "app/MainFormLogic.h"
#include "app/QtDispatcher.h"
#include "fixtures/ProcessUsage.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmCrop.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmPreference.h"
#include "ui/FrmSettings.h"
#include "ui/FrmTrim.h"
#include "ui/FrmWaterMark.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace zelta;
using namespace edittest;

class TDialogCyclesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    TRecordingServices Services;
    QTemporaryDir Home;
    std::string Clip;

    // Opens (shows) and closes the dialog Make creates, a hundred times after a warm-up.
    void Cycle(const std::function<std::unique_ptr<QDialog>()>& Make) {
        const auto once = [&] {
            std::unique_ptr<QDialog> d = Make();
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            d->reject();
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 3; ++i)
            once();
        const int files = fixtures::OpenFileCount();
        const int threads = fixtures::ProcessThreadCount();
        const std::size_t heap = fixtures::HeapInUse();
        for (int i = 0; i < 100; ++i) {
            once();
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE_LE(fixtures::OpenFileCount(), files);
        QCOMPARE_LE(fixtures::ThreadCountSettledAt(threads), threads);
        QCOMPARE_LE(fixtures::HeapInUse(), heap + fixtures::HeapGrowthAllowed);
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        MainFormCreateGlobals();
        std::string error;
        QVERIFY2(LoadPreviewLibraries(error), error.c_str());
        Clip = Movie("cycles-160x120-2s.mp4", 2, 160, 120);
    }
    void cleanupTestCase() {
        FreeGlobalObject();
        Dispatcher.reset();
    }

    void smallDialogs() {
        TfmDirectory chooser(Services);
        Cycle([&] { return std::make_unique<TfmDirectory>(Services); });
        Cycle([&] {
            return std::make_unique<TfrmPreference>([&]() -> TfmDirectory& { return chooser; },
                                                    Services);
        });
        Cycle([&] { return std::make_unique<TfrmAbout>(Services); });
        Cycle([&] { return std::make_unique<TfrmSettings>(Services); });
        Cycle([&] {
            auto d = std::make_unique<TfrmFileInfo>();
            d->SetSourceFile(Clip);
            return d;
        });
    }

    void editingDialogsWithTheirPlayers() {
        TSourceRows rows;
        const int row = rows.Add(Clip);
        QVERIFY(row >= 0);
        Cycle([&] {
            auto d = std::make_unique<TfrmTrim>(Services);
            d->SetRow(&rows.Files, row);
            return d;
        });
        Cycle([&] {
            auto d = std::make_unique<TfrmCrop>();
            d->SetRow(&rows.Files, row);
            return d;
        });
        Cycle([&] { return std::make_unique<TfrmWaterMark>(rows.Files.Record(row), Services); });
    }
};

QTEST_MAIN(TDialogCyclesTest)
#include "DialogCyclesTest.moc"
