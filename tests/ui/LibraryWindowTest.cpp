// A library through the main window: "Add Folder..." adds every media file below the folder
// (hidden ones, the link loop, pictures and text passed over and counted), the Destination File
// column follows the output names, Start keeps the folder tree, and a second Start with
// "Update" finds nothing to do. The preferences page shows the name a row would get and refuses
// a template it cannot use.
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/MainFormLogic.h"
#include "app/OutputNames.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "fixtures/LibraryTree.h"
#include "BatchRunSupport.h"
#include "RecordingServices.h"
#include "ui/AccessibleNames.h"
#include "ui/FmDirectory.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "ui/PrefOutputPage.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <set>

using namespace zelta;
namespace fs = std::filesystem;

namespace {


}  // namespace

class TLibraryWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;
    fixtures::TLibraryTree Library;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    std::string Out() const { return Home.filePath("out").toStdString(); }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        qputenv("ZELTA_SHUTDOWN_COMMAND", "true");
        Library = fixtures::MakeLibraryTree(Home.path().toStdString());
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        fs::remove_all(Out());
        QVERIFY(QDir().mkpath(QString::fromStdString(Out())));
        QVERIFY(WriteTwoAtOnceMp3Settings(SettingsPath(), QString::fromStdString(Out())));
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteInteger("settings", KeyOutputLayout, int(TOutputLayout::Tree)));
        Services.Clear();
    }

    void addFolderKeepsTheTreeAndUpdateFindsNothingToDo() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Services.FileAnswers << QString::fromStdString(Library.Root);
        w.AddFolderClick();
        QCOMPARE(Services.FileDialogs, 1);
        QCOMPARE(w.Files().RowCount(), int(Library.Media.size()));
        QCOMPARE(Services.Messages,
                 QStringList{QStringLiteral("Add Folder|5 files added, 3 others skipped")});
        for (int row = 0; row < w.Files().RowCount(); ++row) {
            QCOMPARE(w.Files().Caption(row), Library.Root + "/" + Library.Media[size_t(row)]);
            QCOMPARE(w.Files().Record(row).Root, Library.Root);
        }
        QCOMPARE(w.Files().SubItem(1, colDestination),
                 std::string("Artist Ä/Album 1/01 Ünïcode song.mp3"));
        // The same folder dropped again adds nothing twice.
        w.AddChosenFiles({Library.Root});
        QCOMPARE(w.Files().RowCount(), int(Library.Media.size()));

        Services.Clear();
        StartAndWatch(w, 120000, 20, [](TfrmProgress&) {});
        QVERIFY2(Services.Messages.isEmpty(), qPrintable(Services.Messages.join('\n')));
        const std::set<std::string> expected = {
            "top tone.mp3", "Artist Ä/Album 1/01 Ünïcode song.mp3",
            "Artist Ä/Album 1/02 second.mp3", "Artist Ä/Album 1/cover.jpg",
            "Artist Ä/Album 2/noext.mp3", "Artist Ä/Album 2/CD 1/track blank.mp3"};
        QCOMPARE(fixtures::FilesBelow(Out()), expected);

        // Again with "Update": every output is newer than its source.
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteInteger("settings", KeyIfExists, int(TIfExists::Update)));
        Services.Clear();
        w.btnStartClick();
        QCOMPARE(Services.Messages,
                 QStringList{QStringLiteral("Information|Nothing to convert: the outputs of all 5 "
                                            "files exist or are up to date.")});
        for (int row = 0; row < w.Files().RowCount(); ++row) {
            QCOMPARE(w.Files().SubItem(row, colProgress), std::string("Skipped"));
            QCOMPARE(w.Files().ProgressSkipped(row), std::string(SkipReasonUpToDate));
        }
        QCOMPARE(fixtures::FilesBelow(Out()), expected);
        w.close();
    }

    void outputNamesPageShowsTheNameAndRefusesABadTemplate() {
        MainFormCreateGlobals();
        struct TFree {
            ~TFree() { FreeGlobalObject(); }
        } freeGlobals;
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        TPrefOutputPage& page = *dlg.OutputPage;
        TPrefOutputPage::TExample example;
        example.Name.Source = Library.Root + "/Artist Ä/Album 1/02 second.mp3";
        example.Name.Root = Library.Root;
        example.Name.Tags = {{"artist", "AC/DC"}, {"title", "Hells?Bells"}, {"track", "2"}};
        page.SetExampleSource([&] { return example; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY2(UnnamedControls(&dlg).isEmpty(), qPrintable(UnnamedControls(&dlg).join(", ")));
        QCOMPARE(page.rdGrpLayout->checkedId(), int(TOutputLayout::Tree));
        QCOMPARE(page.lblNameExample->text(), QStringLiteral("Artist Ä/Album 1/02 second.mp3"));
        QVERIFY(!page.edtNameTemplate->isEnabled());

        page.rdGrpLayout->button(int(TOutputLayout::Tags))->click();
        QVERIFY(page.edtNameTemplate->isEnabled());
        QCOMPARE(page.lblNameExample->text(),
                 QStringLiteral("AC_DC/Unknown Album/02 Hells?Bells.mp3"));
        page.ckPortableNames->click();
        QCOMPARE(page.lblNameExample->text(),
                 QStringLiteral("AC_DC/Unknown Album/02 Hells_Bells.mp3"));

        // A template that cannot be used keeps the dialog open with the reason.
        page.edtNameTemplate->setText(QStringLiteral("{artist}/{tittle}"));
        QCOMPARE(page.lblNameExample->text(), QStringLiteral("unknown field {tittle}"));
        dlg.btnOk->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.tabPages->currentWidget(), &page);
        QCOMPARE(Services.Messages,
                 QStringList{QStringLiteral("Warning|The name cannot be used: unknown field "
                                            "{tittle}.")});
        page.edtNameTemplate->setText(QStringLiteral("{artist}/{title}"));
        page.cbIfExists->setCurrentIndex(page.cbIfExists->findData(int(TIfExists::Skip)));
        dlg.btnOk->click();
        QVERIFY(!dlg.isVisible());
        const TOutputNaming stored =
            ReadOutputNaming(TIniFile(SettingsPath().toStdString()), true);
        QCOMPARE(int(stored.Layout), int(TOutputLayout::Tags));
        QCOMPARE(stored.Template, std::string("{artist}/{title}"));
        QVERIFY(stored.Portable);
        QCOMPARE(int(stored.IfExists), int(TIfExists::Skip));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher; // the encoder's events come to the main thread
    TLibraryWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "LibraryWindowTest.moc"
