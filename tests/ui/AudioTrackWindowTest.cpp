// The audio track chooser as a person uses it: a film with an English (440 Hz, flagged default)
// and a French (1000 Hz) track, the French one chosen from the list's pop-up menu, then Start:
// the file converted sounds at 1000 Hz. And the preferences' rule, typed, checked and stored.
#include "EditDialogTestSupport.h"

#include "app/GlobalObject.h"
#include "app/QtDispatcher.h"
#include "app/TrackChoice.h"
#include "fixtures/SoundLevels.h"
#include "ui/AccessibleNames.h"
#include "ui/FrmAudioTrack.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/PrefOutputPage.h"
#include "ui/SourceListView.h"
#include "ui/ZeltaApplication.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

using namespace zelta;
using namespace edittest;

class TAudioTrackWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteString("settings", "OutPutDir", Home.filePath("out").toStdString()));
        QVERIFY(settings.WriteString("settings", "FormatCode", "0"));
    }

    void chosenFromThePopUpMenuThenConverted() {
        const std::string film = fixtures::TwoLanguageFilm(1);
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({film});
        QCOMPARE(w.Files().RowCount(), 1);
        w.lvFiles->SelectRow(0);
        emit w.PopupMenu1->aboutToShow();
        QVERIFY(w.AudioTrack2->isEnabled());

        bool chosen = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TfrmAudioTrack*>(QApplication::activeModalWidget());
            if (chosen || dialog == nullptr || !dialog->isVisible())
                return;
            chosen = true;
            poll.stop();
            QVERIFY2(UnnamedControls(dialog).isEmpty(),
                     qPrintable(UnnamedControls(dialog).join(", ")));
            QCOMPARE(dialog->lstTracks->count(), 3);
            QCOMPARE(dialog->lstTracks->currentRow(), 0);
            QCOMPARE(dialog->lstTracks->item(0)->text(),
                     QStringLiteral("Follow the rule: the default track (now track 1, eng)"));
            dialog->lstTracks->setCurrentRow(2);
            dialog->btnBox->button(QDialogButtonBox::Ok)->click();
        });
        poll.start();
        w.AudioTrack2->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(chosen, Patience);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(w.Files().Record(0).AudioTrack, 2);
        QVERIFY(w.Files().data(w.Files().index(0, 0), Qt::ToolTipRole).toString().contains("fre"));

        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (w.ProgressWindow() != nullptr)
                w.ProgressWindow()->close();
        });
        guard.start(120000);
        w.btnStartClick();
        QVERIFY(guard.isActive());
        const std::string out = w.Driver().Destination(0);
        const fixtures::TSound sound = fixtures::DecodeSound(out);
        QVERIFY2(sound.Error.empty(), (out + ": " + sound.Error).c_str());
        QVERIFY2(std::abs(sound.ToneHz() - 1000) < 20, qPrintable(QString::number(sound.ToneHz())));
        w.close();
    }

    void fileInformationListsEveryTrack() {
        TfrmFileInfo dlg;
        dlg.SetSourceFile(fixtures::TwoLanguageFilm(2));
        dlg.show();
        QCOMPARE(dlg.size(), QSize(420, 460)); // the tracks fit the designed size
        QCOMPARE(dlg.cbAudioTracks->count(), 2);
        QCOMPARE(dlg.cbAudioTracks->itemText(1),
                 QStringLiteral("2: fre, aac, 2 channels, \"Doublage\" (default)"));
        dlg.hide();
        dlg.SetSourceFile(fixtures::Fixtures().Truncated);
        dlg.show();
        QCOMPARE(dlg.cbAudioTracks->count(), 1);
        QCOMPARE(dlg.cbAudioTracks->itemText(0), QStringLiteral("n/a"));
    }

    void thePreferencesRuleIsCheckedAndStored() {
        TIniFile settings(SettingsPath().toStdString());
        TPrefOutputPage page;
        page.ShowSettings(settings);
        QCOMPARE(page.cbAudioTrack->currentText(), QStringLiteral("default"));
        NameControls(&page);
        QVERIFY2(UnnamedControls(&page).isEmpty(), qPrintable(UnnamedControls(&page).join(", ")));
        page.cbAudioTrack->setEditText(QStringLiteral("english"));
        QVERIFY(!page.CheckValues().empty());
        page.cbAudioTrack->setEditText(QStringLiteral(" FRE, eng"));
        QVERIFY(page.CheckValues().empty());
        QVERIFY(page.SaveSettings(settings));
        QCOMPARE(settings.ReadString("settings", "AudioTrack", ""), std::string("fre,eng"));
        page.ShowDefaults();
        QCOMPARE(page.cbAudioTrack->currentText(), QStringLiteral("default"));
        page.ShowSettings(settings);
        QCOMPARE(page.cbAudioTrack->currentText(), QStringLiteral("fre,eng"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TAudioTrackWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "AudioTrackWindowTest.moc"
