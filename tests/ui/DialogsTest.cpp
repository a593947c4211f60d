// The preferences dialog, the file information dialog, the folder chooser, the about window and
// the main window's Tools, Help and Web Site commands, under the offscreen platform. Message
// boxes and the desktop's URL handler are replaced by a recorder; modal showings are closed by
// a queued call.
#include "app/FolderChooserLogic.h"
#include "app/GlobalObject.h"
#include "app/MainFormLogic.h"
#include "app/WebPages.h"
#include "fixtures/Fixtures.h"
#include "RecordingServices.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "ui/FrmPreviewer.h"
#include "ui/PrefLoudnessPage.h"
#include "ui/FrmProgress.h"
#include "ui/AccessibleNames.h"
#include "component/FFConverter.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <vector>

using namespace zelta;

namespace {

QByteArray ReadAll(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& Path, const QByteArray& Data) {
    QFile f(Path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(Data);
}

// Runs Action once the next modal loop (or the current one) processes events.
template <class F> void WhenModal(F Action) { QTimer::singleShot(0, Action); }

} // namespace

class TDialogsTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString Folder(const QString& Name) const {
        QDir(Home.path()).mkpath(Name);
        return Home.filePath(Name);
    }
    // Check boxes and radio buttons react only on their indicator and text: click the indicator.
    static void Click(QAbstractButton* B) {
        const bool indicator = qobject_cast<QCheckBox*>(B) || qobject_cast<QRadioButton*>(B);
        QTest::mouseClick(B, Qt::LeftButton, {},
                          indicator ? QPoint(6, B->height() / 2) : B->rect().center());
    }

private slots:
    void init() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        Services.Clear();
        MainFormCreateGlobals();
        QApplication::setApplicationDisplayName(QString::fromStdString(GlobalObject()->ProductName()));
    }
    void cleanup() { FreeGlobalObject(); }

    void preferencesShowAndPairRule() {
        WriteAll(SettingsPath(), "[settings]\nSnapOutPutDir=/srv/snaps\nsnapBmp=1\nsnapJpg=0\n"
                                 "snapFullSize=1\nsnapSmallSize=0\njpgCmp=55\npriority=2\n");
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.size(), QSize(520, 450));
        QCOMPARE(dlg.edtSnapDirectory->text(), QStringLiteral("/srv/snaps"));
        QVERIFY(dlg.ckBmp->isChecked() && !dlg.ckJpg->isChecked());
        QVERIFY(dlg.ckFullSize->isChecked() && !dlg.ckSmallSize->isChecked());
        QCOMPARE(dlg.spedCmp->value(), 55);
        QCOMPARE(dlg.trcCmp->value(), 55);
        QVERIFY(!dlg.spedCmp->isEnabled() && !dlg.trcCmp->isEnabled());
        QCOMPARE(dlg.rdGrpPriority->checkedId(), 2);

        Click(dlg.ckBmp); // the last of BMP/JPG stays checked
        QVERIFY(dlg.ckBmp->isChecked());
        Click(dlg.ckFullSize);
        QVERIFY(dlg.ckFullSize->isChecked());
        Click(dlg.ckJpg);
        QVERIFY(dlg.ckJpg->isChecked() && dlg.spedCmp->isEnabled() && dlg.trcCmp->isEnabled());
        Click(dlg.ckBmp);
        QVERIFY(!dlg.ckBmp->isChecked());
        Click(dlg.ckJpg);
        QVERIFY(dlg.ckJpg->isChecked() && dlg.spedCmp->isEnabled());

        // The quality controls follow each other.
        dlg.spedCmp->setValue(70);
        QCOMPARE(dlg.trcCmp->value(), 70);
        dlg.trcCmp->setValue(5);
        QCOMPARE(dlg.spedCmp->value(), 5);
        QCOMPARE(dlg.trcCmp->tickInterval(), 10);

        // Showing again reloads from the file: a stored 0 unchecks the box it left checked.
        Click(dlg.btnCancel);
        QVERIFY(!dlg.isVisible());
        dlg.show();
        QCOMPARE(dlg.spedCmp->value(), 55);
        QVERIFY(!dlg.ckJpg->isChecked() && !dlg.spedCmp->isEnabled());
        QVERIFY(dlg.ckBmp->isChecked());
    }

    void preferencesDefaultThenCancelWritesNothing() {
        const QByteArray stored = "; mine\r\n[Settings]\r\nsnapOutPutDir=/srv/x\r\njpgCmp=90\r\n"
                                  "snapJpg=1\r\nsnapBmp=0\r\npriority=0\r\n";
        WriteAll(SettingsPath(), stored);
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        Click(dlg.btnDefault);
        QCOMPARE(dlg.edtSnapDirectory->text(), QDir::homePath() + "/videoconverter");
        QVERIFY(dlg.ckBmp->isChecked() && !dlg.ckJpg->isChecked());
        QVERIFY(dlg.ckFullSize->isChecked() && !dlg.ckSmallSize->isChecked());
        QCOMPARE(dlg.rdGrpPriority->checkedId(), 1);
        QCOMPARE(dlg.spedCmp->value(), 20);
        QCOMPARE(dlg.trcCmp->value(), 20);
        QVERIFY(!dlg.spedCmp->isEnabled());
        Click(dlg.btnCancel);
        QCOMPARE(ReadAll(SettingsPath()), stored);
        // Shown again, the dialog shows what is stored, not what Default left in the boxes.
        dlg.show();
        QCOMPARE(dlg.edtSnapDirectory->text(), QStringLiteral("/srv/x"));
        QVERIFY(!dlg.ckBmp->isChecked() && dlg.ckJpg->isChecked());
        QCOMPARE(dlg.rdGrpPriority->checkedId(), 0);
        QCOMPARE(dlg.spedCmp->value(), 90);
        QVERIFY(dlg.spedCmp->isEnabled());
        Click(dlg.btnCancel);
    }

    void preferencesTagBoxesShowAndStoreTheirKeys() {
        WriteAll(SettingsPath(), "[settings]\nKeepTags=0\nReplayGain=1\n");
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(!dlg.ckKeepTags->isChecked() && dlg.ckReplayGain->isChecked());
        QVERIFY(dlg.ckKeepTags->geometry().bottom() < dlg.btnOk->geometry().top());
        QVERIFY(UnnamedControls(&dlg).isEmpty());
        Click(dlg.btnDefault);
        QVERIFY(dlg.ckKeepTags->isChecked() && !dlg.ckReplayGain->isChecked());
        Click(dlg.ckReplayGain);
        Click(dlg.btnOk);
        const TIniFile ini = GlobalObject()->Settings();
        QCOMPARE(ini.ReadInteger("settings", "KeepTags", -9), 1);
        QCOMPARE(ini.ReadInteger("settings", "ReplayGain", -9), 1);
        dlg.show();
        Click(dlg.ckKeepTags);
        Click(dlg.btnOk);
        QCOMPARE(GlobalObject()->Settings().ReadInteger("settings", "KeepTags", -9), 0);
    }

    // The "Loudness" page: a stored target of its own shows as typed, the normalisation's
    // controls follow their box, an unusable typed target keeps the dialog open with a warning
    // and writes nothing, an offered one is stored by OK.
    void preferencesLoudnessPageRefusesABadTargetAndStoresAGoodOne() {
        WriteAll(SettingsPath(), "[settings]\nNormalize=1\nNormalizeTarget=-20\nFadeIn=1.5\n");
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        TPrefLoudnessPage& page = *dlg.LoudnessPage;
        dlg.tabPages->setCurrentWidget(&page);
        QVERIFY(UnnamedControls(&page).isEmpty());
        QVERIFY(page.ckNormalize->isChecked() && page.edtTarget->isEnabled());
        QCOMPARE(page.cbTarget->currentIndex(), LoudnessTargetOther);
        QCOMPARE(page.edtTarget->text(), QStringLiteral("-20"));
        QCOMPARE(page.spedFadeIn->value(), 1.5);
        Click(page.ckNormalize);
        QVERIFY(!page.cbTarget->isEnabled() && !page.edtTarget->isEnabled());
        QVERIFY(page.spedFadeOut->isEnabled());
        Click(page.ckNormalize);

        const QByteArray stored = ReadAll(SettingsPath());
        page.edtTarget->setText(QStringLiteral("quiet"));
        dlg.tabPages->setCurrentIndex(0);
        Services.Messages.clear();
        Click(dlg.btnOk);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.tabPages->currentWidget(), &page);
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY(Services.Messages.front().contains(QStringLiteral("between -70 and -5 LUFS")));
        QCOMPARE(ReadAll(SettingsPath()), stored);

        page.cbTarget->setCurrentIndex(2);
        Click(dlg.btnOk);
        QVERIFY(!dlg.isVisible());
        const TIniFile ini = GlobalObject()->Settings();
        QCOMPARE(ini.ReadString("settings", "NormalizeTarget", ""), std::string("-14"));
        QCOMPARE(ini.ReadString("settings", "FadeIn", ""), std::string("1.5"));
    }

    void preferencesOkWritesTheRadioIndex() {
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        for (int index : {3, 0, 2}) {
            dlg.show();
            Click(dlg.rdGrpPriority->button(index));
            dlg.spedCmp->setValue(10 + index);
            Click(dlg.btnOk);
            QVERIFY(!dlg.isVisible());
            const TIniFile ini = GlobalObject()->Settings();
            QCOMPARE(ini.ReadInteger("settings", "priority", -9), index);
            QCOMPARE(ini.ReadInteger("settings", "jpgCmp", -9), 10 + index);
        }
        QVERIFY(ReadAll(SettingsPath()).contains("\nsnapOutPutDir=" +
                                                 QDir::homePath().toUtf8() + "/videoconverter\n"));
        QVERIFY(ReadAll(SettingsPath()).contains("\nsnapBmp=1\nsnapJpg=1\nsnapFullSize=1\n"
                                                 "snapSmallSize=1\n"));
        QVERIFY(Services.Messages.isEmpty());
    }

    void preferencesBrowseStoresAtOnceAndCancelKeepsIt() {
        const QString target = Folder("snaps");
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        WhenModal([&] {
            QVERIFY(chooser.isVisible());
            QVERIFY(chooser.SelectFolder(target));
            QVERIFY(chooser.btnOk->isEnabled());
            Click(chooser.btnOk);
        });
        Click(dlg.btnBrows);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(QString::fromStdString(chooser.ChosenFolder()), target);
        QCOMPARE(dlg.edtSnapDirectory->text(), target);
        QCOMPARE(ReadAll(SettingsPath()), "[settings]\nSnapOutPutDir=" + target.toUtf8() + "\n");
        Click(dlg.btnCancel);
        QCOMPARE(ReadAll(SettingsPath()), "[settings]\nSnapOutPutDir=" + target.toUtf8() + "\n");
        dlg.show();
        QCOMPARE(dlg.edtSnapDirectory->text(), target);

        // Open opens the stored folder with the desktop's handler.
        Click(dlg.btnOpen);
        QCOMPARE(Services.Opened.size(), 1);
        QCOMPARE(Services.Opened.back(), QUrl::fromLocalFile(target));
    }

    void folderChooserRefusesReadOnlyFolderAndCancelChangesNothing() {
        Services.ReadOnlyFolder = Folder("cdrom");
        const QString writable = Folder("out");
        const QByteArray stored = "[settings]\nSnapOutPutDir=/srv/old\n";
        WriteAll(SettingsPath(), stored);
        TfmDirectory chooser(Services);
        TfrmPreference dlg([&]() -> TfmDirectory& { return chooser; }, Services);
        dlg.show();
        WhenModal([&] {
            QCOMPARE(chooser.size(), QSize(322, 351));
            QVERIFY(chooser.SelectFolder(Services.ReadOnlyFolder));
            Click(chooser.btnOk);
            QVERIFY(chooser.isVisible()); // stays open for another choice
            QVERIFY(chooser.ChosenFolder().empty());
            QCOMPARE(Services.Messages.size(), 1);
            QCOMPARE(Services.Messages[0],
                     QStringLiteral("Zelta Video to Audio Converter|Output folder cannot be located "
                                    "in CD-ROM.Please select another folder."));
            Click(chooser.btnCancel);
        });
        Click(dlg.btnBrows);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(dlg.edtSnapDirectory->text(), QStringLiteral("/srv/old"));
        QCOMPARE(ReadAll(SettingsPath()), stored);

        // A choice made once does not survive a later showing closed by the window.
        WhenModal([&] {
            QVERIFY(chooser.SelectFolder(writable));
            Click(chooser.btnOk);
        });
        chooser.exec();
        QCOMPARE(QString::fromStdString(chooser.ChosenFolder()), writable);
        WhenModal([&] { chooser.close(); });
        chooser.exec();
        QVERIFY(chooser.ChosenFolder().empty());
    }

    void fileInfoShowsTheVideoAndAudioStreams() {
        std::string error;
        QVERIFY2(LoadPreviewLibraries(error), error.c_str());
        const std::string file = fixtures::Fixtures().Mp4H264Aac;
        TfrmFileInfo dlg;
        dlg.SetSourceFile(file);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.size(), QSize(420, 460));
        QVERIFY(dlg.lblSourceName->text().startsWith(QString::fromStdString(file).left(40)));
        QVERIFY(dlg.lblFileLength->text().startsWith("2."));
        QVERIFY(dlg.lblFileLength->text().endsWith(" Second"));
        QVERIFY(dlg.edtFormat->text().contains("mp4"));
        QCOMPARE(dlg.edtResloution->text(), QStringLiteral("320x240"));
        QCOMPARE(dlg.edtFrameRate->text(), QStringLiteral("25"));
        QCOMPARE(dlg.edtTotalFrame->text(), QStringLiteral("50"));
        QVERIFY(dlg.edtBitRate->text().toInt() > 0);
        QCOMPARE(dlg.edtSampleRate->text(), QStringLiteral("44100"));
        QCOMPARE(dlg.edtChannel->text(), QStringLiteral("2"));
        QVERIFY(dlg.edtAudioBitRate->text().toInt() > 0);
        QVERIFY(dlg.edtAudioForamt->text().startsWith("aac"));
        QVERIFY(!dlg.edtAudioForamt->text().contains(','));
        Click(dlg.btn1);
        QVERIFY(!dlg.isVisible());
    }

    void fileInfoNeverKeepsAnotherFilesValues() {
        std::string error;
        QVERIFY2(LoadPreviewLibraries(error), error.c_str());
        TfrmFileInfo dlg;
        dlg.SetSourceFile(fixtures::Fixtures().Mp4H264Aac);
        dlg.show();
        QCOMPARE(dlg.edtResloution->text(), QStringLiteral("320x240"));
        dlg.hide();
        // An audio-only file: its audio part, the video part marked as not applying.
        dlg.SetSourceFile(fixtures::Fixtures().Wav);
        dlg.show();
        for (QLineEdit* box : {dlg.edtResloution, dlg.edtBitRate, dlg.edtFrameRate,
                               dlg.edtTotalFrame})
            QCOMPARE(box->text(), QStringLiteral("n/a"));
        QCOMPARE(dlg.edtSampleRate->text(), QStringLiteral("44100"));
        QCOMPARE(dlg.edtChannel->text(), QStringLiteral("2"));
        QVERIFY(dlg.edtAudioForamt->text().startsWith("pcm_s16le"));
        QVERIFY(dlg.edtFormat->text().contains("wav"));
        QVERIFY(dlg.lblFileLength->text().endsWith(" Second"));
        dlg.hide();
        // A file that cannot be opened: its name, and nothing of the files before.
        dlg.SetSourceFile(fixtures::Fixtures().Truncated);
        dlg.show();
        QVERIFY(!dlg.lblSourceName->text().isEmpty());
        for (QLineEdit* box : dlg.findChildren<QLineEdit*>())
            QCOMPARE(box->text(), QStringLiteral("n/a"));
    }

    void everyControlOfEveryWindowHasAnAccessibleName() {
        TfmDirectory chooser(Services);
        TfrmPreference preference([&]() -> TfmDirectory& { return chooser; }, Services);
        TfrmFileInfo info;
        TfrmAbout about(Services);
        TFFConverter converter;
        TfrmProgress progress(converter);
        TfrmPreviewer previewer([] {});
        TfrmMain main(Services);
        QStringList unnamed;
        for (QWidget* window : std::initializer_list<QWidget*>{&chooser, &preference, &info,
                                                              &about, &progress, &previewer,
                                                              &main}) {
            for (const QString& control : UnnamedControls(window))
                unnamed << window->objectName() + ": " + control;
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        // Names are what a user reads, without the mnemonic marker.
        QCOMPARE(preference.btnDefault->accessibleName(), QStringLiteral("Default"));
        QCOMPARE(AccessibleText(QStringLiteral("&Video Effect && Water Mark")),
                 QStringLiteral("Video Effect & Water Mark"));
        QCOMPARE(AccessibleText(QStringLiteral("Frame Size:")), QStringLiteral("Frame Size"));
    }

    void mainWindowMenusAboutAndBrowse() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Options1->text(), QStringLiteral("&Preference"));
        const TGlobalObject& g = *GlobalObject();

        w.Help2->trigger();
        w.WebSite1->trigger();
        w.SupportandContact1->trigger();
        QCOMPARE(Services.Opened.size(), 3);
        QCOMPARE(Services.Opened[0], QUrl(QString::fromStdString(g.HelpPage())));
        QCOMPARE(Services.Opened[1], QUrl(QString::fromStdString(g.HomePage())));
        QCOMPARE(Services.Opened[2], QUrl(QString::fromUtf8(SupportPageAddress.data(),
                                                            int(SupportPageAddress.size()))));

        // The menu opens its window once the trigger has returned.
        w.About->trigger();
        WhenModal([&] {
            TfrmAbout* about = w.AboutWindow();
            QVERIFY(about != nullptr && about->isVisible());
            QCOMPARE(about->size(), QSize(340, 187));
            QCOMPARE(about->windowTitle(), QStringLiteral("About"));
            QCOMPARE(about->lblAppNameVer->text(),
                     QString::fromStdString(g.ProductName() + g.VersionText()));
            QVERIFY(about->lblHomePage->text().contains(QString::fromStdString(g.HomePage())));
            emit about->lblHomePage->linkActivated(QString::fromStdString(g.HomePage()));
            Click(about->btn1);
        });
        QTRY_COMPARE(Services.Opened.size(), 4);
        QCOMPARE(Services.Opened[3], QUrl(QString::fromStdString(g.HomePage())));

        // Browse uses the chooser the preferences dialog shares, and stores the folder at once.
        const QString target = Folder("converted");
        WhenModal([&] {
            QVERIFY(w.FolderChooser().SelectFolder(target));
            Click(w.FolderChooser().btnOk);
        });
        Click(w.btnBrows);
        QCOMPARE(w.edtOutputDir->text(), target);
        QCOMPARE(QString::fromStdString(GlobalObject()->Settings().ReadString("settings", "OutPutDir", "")),
                 target);

        bool cancelled = false;
        w.Options1->trigger();
        WhenModal([&] {
            TfrmPreference* pref = w.PreferenceWindow();
            QVERIFY(pref != nullptr && pref->isVisible());
            Click(pref->btnCancel);
            cancelled = true;
        });
        QTRY_VERIFY(cancelled);
        QVERIFY(!w.PreferenceWindow()->isVisible());
        w.close();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    TDialogsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "DialogsTest.moc"
