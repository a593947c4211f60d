// The profile settings dialog under the offscreen platform, driven like a user: the profile list
// below its box, a disabled video group, typed values and their messages, Default, OK's writes and
// refusals, and the end to end path: choosing MP3 192 kbps / 22050 Hz / mono in the dialog opened
// from the main window, then converting in the window and with zelta-convert on the same settings
// folder; a video profile with a typed 640x360 frame size.
#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "app/FormatPickerModel.h"
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/JobBuilder.h"
#include "app/JobRecordText.h"
#include "app/SettingsKeys.h"
#include "app/MainFormLogic.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "engine/FFmpegLoader.h"
#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"
#include "ui/AccessibleNames.h"
#include "RecordingServices.h"
#include "ui/FormatPicker.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <vector>

using namespace zelta;

namespace {

QString ReadFile(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WriteFile(const QString& Path, const QString& Text) {
    QFile f(Path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(Text.toUtf8());
}

struct TOutput {
    bool Opened = false;
    TAudioStreamInfo Audio;
    TVideoStreamInfo Video;
    int VideoStreams = 0;
};

TOutput ProbeOutput(const std::string& File) {
    TOutput out;
    if (!FFLoader().LoadLibs(EngineLibraries))
        return out;
    TAVProbe probe;
    out.Opened = probe.Open(File);
    if (!out.Opened)
        return out;
    if (probe.AudioStreamCount() > 0)
        probe.GetAudioStreamInfo(probe.FirstAudioStream(), out.Audio);
    out.VideoStreams = probe.VideoStreamCount();
    if (out.VideoStreams > 0)
        probe.GetVideoStreamInfo(probe.FirstVideoStream(), out.Video);
    return out;
}

// A row of the dialog's list by its text.
int Row(TfrmSettings& D, const QString& Text) {
    return D.Picker->Model().FindRow(Text.toStdString());
}

void ClickRow(TfrmSettings& D, int Row, int X = -1) {
    QVERIFY(Row >= 0);
    const QRect r = D.lst1->visualRect(D.Picker->Model().index(Row));
    QTest::mouseClick(D.lst1->viewport(), Qt::LeftButton, {},
                      QPoint(X < 0 ? r.center().x() : r.left() + X, r.center().y()));
}

// Opens the list, expands the header of the entry's category when needed and clicks the entry.
void ChooseProfile(TfrmSettings& D, const QString& Header, const QString& Entry) {
    if (!D.lst1->isVisible())
        QTest::mouseClick(D.imgbtn1, Qt::LeftButton);
    QVERIFY(D.lst1->isVisible());
    if (Row(D, Entry) < 0)
        ClickRow(D, Row(D, Header), 8); // the glyph column
    ClickRow(D, Row(D, Entry));
    QVERIFY(!D.lst1->isVisible());
    QCOMPARE(D.edt1->text(), Entry);
}

void Pick(QComboBox* C, const QString& Item) {
    const int i = C->findText(Item);
    QVERIFY2(i >= 0, qPrintable(Item));
    C->setCurrentIndex(i);
}

// Types into an editable combo as a user does: focus, everything selected, the keys.
void TypeInto(QComboBox* C, const QString& Text) {
    C->setFocus();
    C->lineEdit()->selectAll();
    QTest::keyClicks(C, Text);
}

// A question of the job builder fails the test: every shipped default is a valid size.
class TNoQuestions : public TUserPrompts {
public:
    void ShowMessage(std::string_view, std::string_view Text) override {
        QFAIL(std::string(Text).c_str());
    }
    bool AskYesNo(std::string_view, std::string_view Text) override {
        [&] { QFAIL(std::string(Text).c_str()); }();
        return false;
    }
};

// What Start gives the engine for a 1280x720 movie with profile Code on these settings.
std::string JobRecords(const TIniFile& Settings, const TIniFile& Catalogue, int Code) {
    TlvFilesRecord row;
    row.ZoomMode = Settings.ReadString(FormatInfoSection(Code), KeyParaZoom, JobDefaults::ParaZoom);
    TOutputOptions output;
    TInputOptions input;
    ResetOutputOptions(output);
    ResetInputOptions(input);
    input.FileName = "movie.mp4";
    output.FileName = "movie_(new).out";
    TNoQuestions prompts;
    BuildJobOptions(row, Code, output, input, TSourceVideo{1, 1280, 720, 2000000}, Settings,
                    Catalogue, prompts);
    return jobtest::RecordText(output, input);
}

const QString Mp3Name = QStringLiteral("MP3 MPEG Layer-3 Audio (*.mp3)");
const QString AudioHeader = QStringLiteral("General Audio formates");
const QString VideoHeader = QStringLiteral("General Video formats");
const QString AviName = QStringLiteral("AVI MPEG-4 Video with MP3 Audio (*.avi)");
const QString Mp4Name = QStringLiteral("MP4 MPEG-4 H.264 Video (*.mp4)");

} // namespace

class TSettingsDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString CataloguePath() const { return Home.filePath("zeltaaudioformat.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }
    TIniFile Settings() const { return TIniFile(SettingsPath().toStdString()); }
    std::string Para(int Code, const char* Key) const {
        return Settings().ReadString("formatInfo" + std::to_string(Code), Key, "<none>");
    }
    void Store(const std::string& Section, const char* Key, const std::string& Value) {
        QVERIFY(Settings().WriteString(Section, Key, Value));
    }
    void StoreProfile(int Code, const QString& Name) {
        Store("settings", "FormatCode", std::to_string(Code));
        Store("settings", "FormatName", Name.toStdString());
    }
    // A catalogue of the test's own beside the settings (found before the shipped one).
    void UseCatalogue(const QString& Text) {
        WriteFile(CataloguePath(), Text);
        FreeGlobalObject();
        MainFormCreateGlobals();
    }
    void Show(TfrmSettings& D) {
        D.show();
        QVERIFY(QTest::qWaitForWindowExposed(&D));
        D.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&D));
    }

    // zelta-convert on the same settings folder; the output in Folder.
    std::string Convert(const QStringList& Arguments, const QString& Folder) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZELTA_HOME", Home.path());
        env.insert("HOME", Home.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZELTA_CONVERT), QStringList{"--output", Folder} + Arguments);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0) {
            qWarning("%s", p.readAllStandardError().constData());
            return {};
        }
        const QStringList made = QDir(Folder).entryList(QDir::Files);
        return made.size() == 1 ? QDir(Folder).filePath(made[0]).toStdString() : std::string();
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        qputenv("ZELTA_SHUTDOWN_COMMAND", "true");
        fixtures::Fixtures();
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        QFile::remove(CataloguePath());
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        Services.Messages.clear();
        MainFormCreateGlobals();
        QApplication::setApplicationDisplayName(QStringLiteral("Zelta"));
    }
    void cleanup() { FreeGlobalObject(); }

    void audioProfileShowsItsVideoGroupDisabledAndOkWritesItsKeys() {
        StoreProfile(0, Mp3Name);
        TfrmSettings d(Services);
        Show(d);
        QCOMPARE(d.size(), QSize(475, 370));
        QVERIFY(UnnamedControls(&d).isEmpty());
        QCOMPARE(d.edt1->text(), Mp3Name);
        for (QComboBox* c :
             {d.cmbVideoSize, d.cmbVideoBitRate, d.cmbFrameRate, d.cmbVideoEncoder, d.cmbZoom})
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        // Greyed in every theme.
        for (int theme = 0; theme < ThemeCount; ++theme) {
            ApplyTheme(theme);
            QCOMPARE(d.cmbVideoEncoder->palette().color(QPalette::Disabled, QPalette::ButtonText),
                     DisabledTextColor);
            QCOMPARE(d.cmbVideoSize->palette().color(QPalette::Disabled, QPalette::Text),
                     DisabledTextColor);
        }
        ApplyTheme(0);
        for (QComboBox* c :
             {d.cmbAudioEncoder, d.cmbAudioBitRate, d.cmbSamplerate, d.cmbChannel, d.cmbVolume})
            QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
        QCOMPARE(d.cmbVolume->maxVisibleItems(), d.cmbVolume->count());

        Pick(d.cmbVolume, "100%");
        QTest::mouseClick(d.btnOk, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(Para(0, "iVideoSize"), std::string("-1"));
        QCOMPARE(Para(0, "paraVideoSize"), std::string());
        QCOMPARE(Para(0, "paraVideoBitRate"), std::string());
        QCOMPARE(Para(0, "paraVolume"), std::string("256"));
        QCOMPARE(Para(0, "paraAudioEncoder"), std::string("libmp3lame"));
        QCOMPARE(Para(0, "Description"), Mp3Name.toStdString());
        QCOMPARE(Settings().ReadString("settings", "FormatCode", ""), std::string("0"));
        QVERIFY(Services.Messages.isEmpty());
    }

    void listOpensBelowAndTypedValueShowsOnlyOnOpening() {
        StoreProfile(100, Mp4Name);
        Store("formatInfo100", "iVideoSize", "-1");
        Store("formatInfo100", "paraVideoSize", "720x576");
        TfrmSettings d(Services);
        Show(d);
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("720x576"));
        QVERIFY(d.cmbVideoEncoder->isEnabled() && d.cmbZoom->isEnabled());
        QCOMPARE(d.cmbZoom->currentText(), QStringLiteral("Letterbox")); // what Start uses

        QTest::mouseClick(d.imgbtn1, Qt::LeftButton);
        QVERIFY(d.lst1->isVisible());
        const QRect box = d.edt1->geometry();
        QCOMPARE(d.lst1->y(), box.y() + box.height() - 1);
        QCOMPARE(d.lst1->height(), d.Picker->Model().RowCount() * 20 + 20);
        // A press elsewhere closes it without a choice.
        QTest::mouseClick(d.btnDefault, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!d.lst1->isVisible());

        ChooseProfile(d, VideoHeader, AviName);
        QCOMPARE(d.ProfileCode(), 101);
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("as source"));
        QCOMPARE(d.cmbVideoEncoder->currentText(), QStringLiteral("MPEG-4"));
        ChooseProfile(d, VideoHeader, Mp4Name);
        QCOMPARE(d.ProfileCode(), 100);
        QCOMPARE(d.cmbVideoSize->currentIndex(), -1);
        QCOMPARE(d.cmbVideoSize->currentText(), QString());
        // Nothing is stored before OK.
        QCOMPARE(Settings().ReadString("settings", "FormatCode", ""), std::string("100"));
        QTest::mouseClick(d.btnCancel, Qt::LeftButton);
        QCOMPARE(Para(101, "Description"), std::string("<none>"));
    }

    void typedValuesAreCheckedWhileTypingAndOnLeaving() {
        StoreProfile(101, AviName);
        TfrmSettings d(Services);
        Show(d);
        // Only digits and one lower-case x get in.
        TypeInto(d.cmbVideoSize, "72a1Xx48x0");
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("721x480"));
        QVERIFY(Services.Messages.isEmpty());
        d.cmbVideoBitRate->setFocus();
        QTRY_COMPARE(Services.Messages.size(), 1);
        QCOMPARE(Services.Messages[0], QStringLiteral("Input Error!|Frame Size must be a multiple of "
                                                   "2.\nThe correct value:720x480"));
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("720x480"));

        TypeInto(d.cmbVideoSize, "0x0");
        d.cmbVideoBitRate->setFocus();
        QTRY_COMPARE(Services.Messages.size(), 2);
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("2x2"));

        // A pasted "As Source" is accepted, in the spelling the conversion reads.
        d.cmbVideoSize->setFocus();
        d.cmbVideoSize->setEditText("As Source");
        d.cmbVideoBitRate->setFocus();
        QTest::qWait(20);
        QCOMPARE(Services.Messages.size(), 2);
        QCOMPARE(d.cmbVideoSize->currentText(), QStringLiteral("as source"));

        // A letter in a number box gives the message and stays out.
        TypeInto(d.cmbVideoBitRate, "12k");
        QCOMPARE(d.cmbVideoBitRate->currentText(), QStringLiteral("12"));
        QCOMPARE(Services.Messages.back(), QStringLiteral("Zelta|Please enter numerical."));
        // A pasted bad value: the message, the second item, the focus back.
        d.cmbVideoBitRate->setEditText("12k");
        d.cmbSamplerate->setFocus();
        QTRY_COMPARE(Services.Messages.back(),
                     QStringLiteral("Zelta|Video BitRate is not a valid value!"));
        QCOMPARE(d.cmbVideoBitRate->currentIndex(), 1);
        QCOMPARE(d.cmbVideoBitRate->currentText(), QStringLiteral("256"));
        QTRY_VERIFY(d.cmbVideoBitRate->hasFocus());

        // OK checks a typed value the user never left, and writes nothing for it.
        const qsizetype boxes = Services.Messages.size();
        d.cmbAudioBitRate->setEditText("1,5");
        d.btnOkClick();
        QCOMPARE(Services.Messages.size(), boxes + 1);
        QCOMPARE(Services.Messages.back(),
                 QStringLiteral("Zelta|Audio BitRate is not a valid value!"));
        QVERIFY(d.isVisible());
        QCOMPARE(Para(101, "Description"), std::string("<none>"));
        d.cmbAudioBitRate->setEditText("96.5");
        d.btnOkClick();
        QVERIFY(!d.isVisible());
        QCOMPARE(Para(101, "paraAudioBitRate"), std::string("96.5"));
        QCOMPARE(Para(101, "iAudioBitRate"), std::string("-1"));
        QCOMPARE(Para(101, "paraVideoSize"), std::string("as source"));
        QCOMPARE(Para(101, "iVideoSize"), std::string("0")); // the text is the item's
        QCOMPARE(Para(101, "paraVideoBitRate"), std::string("256"));
    }

    void defaultShowsTheCatalogueChoicesWithoutSaving() {
        StoreProfile(0, Mp3Name);
        Store("formatInfo0", "iAudioBitRate", "0");
        Store("formatInfo0", "paraZoom", "lbox");
        const QString before = ReadFile(SettingsPath());
        TfrmSettings d(Services);
        Show(d);
        QCOMPARE(d.cmbAudioBitRate->currentText(), QStringLiteral("32"));
        QCOMPARE(d.cmbZoom->currentText(), QStringLiteral("Letterbox"));
        QTest::mouseClick(d.btnDefault, Qt::LeftButton);
        QCOMPARE(d.cmbAudioBitRate->currentText(), QStringLiteral("128")); // catalogue index 5
        QCOMPARE(d.cmbSamplerate->currentText(), QStringLiteral("44100"));
        QCOMPARE(d.cmbChannel->currentText(), QStringLiteral("stereo 2 channels"));
        QCOMPARE(d.cmbZoom->currentText(), QStringLiteral("Full screen"));
        QCOMPARE(ReadFile(SettingsPath()), before);
        QTest::mouseClick(d.btnCancel, Qt::LeftButton);
        QCOMPARE(ReadFile(SettingsPath()), before);
        // The next showing reloads what is stored.
        Show(d);
        QCOMPARE(d.cmbAudioBitRate->currentText(), QStringLiteral("32"));
        d.reject();
    }

    void itemsMapOrWriteNothingAndABadCatalogueNumberStopsOk() {
        UseCatalogue(QStringLiteral(
            "[Categories]\n1=Test videos\n"
            "[formatInfo0]\nVideoEncoder=null\nAudioEncoder=pcm_mulaw ,PCM_S16,pcm_mulaw\n"
            "Volume=100%,225%\nChannel=stereo 2 channels\n"
            "[formatInfo100]\nName=X264 test\nVideoEncoder=H264,MPEG-4\nAudioEncoder=AAC\n"
            "VideoSize=320x240\nparaGop=abc\nparaBitExact=true\n"));
        StoreProfile(0, Mp3Name);
        TfrmSettings d(Services);
        Show(d);
        QVERIFY(d.cmbAudioBitRate->isEnabled() == false); // missing list
        Pick(d.cmbAudioEncoder, "PCM_S16");
        Pick(d.cmbVolume, "225%");
        d.btnOkClick();
        QCOMPARE(Para(0, "paraAudioEncoder"), std::string("pcm_s16le"));
        QCOMPARE(Para(0, "paraVolume"), std::string("<none>"));
        QCOMPARE(Para(0, "iVolume"), std::string("1"));
        for (const char* item : {"pcm_mulaw", "pcm_mulaw "}) {
            Store("formatInfo0", "paraAudioEncoder", "");
            Show(d);
            Pick(d.cmbAudioEncoder, item);
            d.btnOkClick();
            QCOMPARE(Para(0, "paraAudioEncoder"), std::string("pcm_mulaw"));
        }

        // The h264 profile: its catalogue's paraGop is no whole number.
        Show(d);
        ChooseProfile(d, "Test videos", "X264 test");
        const QString before = ReadFile(SettingsPath());
        d.btnOkClick();
        QVERIFY(d.isVisible());
        QCOMPARE(Services.Messages.back(),
                 QStringLiteral("Zelta|'abc' is not a valid integer value"));
        QCOMPARE(ReadFile(SettingsPath()), before);
        // Another encoder does not need them.
        Pick(d.cmbVideoEncoder, "MPEG-4");
        d.btnOkClick();
        QVERIFY(!d.isVisible());
        QCOMPARE(Para(100, "paraVideoEncoder"), std::string("mpeg4"));
        QCOMPARE(Para(100, "paraBitExact"), std::string("<none>"));
        QCOMPARE(Settings().ReadString("settings", "FormatName", ""), std::string("X264 test"));
    }

    void mp3ChosenInTheDialogConvertsInTheWindowAndOnTheCommandLine() {
        Store("settings", "OutPutDir", OutFolder().toStdString());
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY2(UnnamedControls(&w).isEmpty(), qPrintable(UnnamedControls(&w).join(", ")));
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        w.AddChosenFiles({f.AviMpeg4Mp3});
        QVERIFY(QString::fromStdString(w.Files().SubItem(0, colDestination)).endsWith(".aac"));

        // The dialog is modal: it is worked from a timer while btnOptions waits for it.
        bool driven = false;
        QTimer::singleShot(0, [&] {
            TfrmSettings* d = w.SettingsWindow();
            QVERIFY(d != nullptr && d->isVisible());
            QCOMPARE(d->edt1->text(), QStringLiteral("AAC Advenced Audio Codec (*.aac)"));
            ChooseProfile(*d, AudioHeader, Mp3Name);
            Pick(d->cmbAudioBitRate, "192");
            Pick(d->cmbSamplerate, "22050");
            Pick(d->cmbChannel, "mono 1 channel");
            driven = true;
            QTest::mouseClick(d->btnOk, Qt::LeftButton);
        });
        QTest::mouseClick(w.btnOptions, Qt::LeftButton);
        QVERIFY(driven);
        QCOMPARE(w.edt1->text(), Mp3Name);
        QCOMPARE(Para(0, "paraAudioBitRate"), std::string("192"));
        QCOMPARE(w.Picker->Model().RowCount(), 4 + 10); // the dialog expanded the audio category
        QVERIFY(
            QString::fromStdString(w.Files().SubItem(0, colDestination)).endsWith("_(new).mp3"));

        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (w.ProgressWindow() != nullptr)
                w.ProgressWindow()->close();
        });
        guard.start(60000);
        w.btnStartClick();
        guard.stop();
        const std::string windowOut = w.Driver().Destination(0);
        QVERIFY2(QString::fromStdString(windowOut).endsWith("_(new).mp3"), windowOut.c_str());
        const std::string cliOut =
            Convert({QString::fromStdString(f.AviMpeg4Mp3)}, Home.filePath("cli"));
        QVERIFY(!cliOut.empty());
        for (const std::string& out : {windowOut, cliOut}) {
            const TOutput probed = ProbeOutput(out);
            QVERIFY2(probed.Opened, out.c_str());
            QCOMPARE(probed.VideoStreams, 0);
            QVERIFY(QString::fromStdString(probed.Audio.CodecName).startsWith("mp3"));
            // MP3 at 22050 Hz is MPEG-2 layer III, whose rates end at 160 kbps: the encoder is
            // given 192 and writes the nearest it has (the profile's default choice, 128 kbps,
            // would give 128).
            QCOMPARE(probed.Audio.BitRate, 160000);
            QCOMPARE(probed.Audio.SampleRate, 22050);
            QCOMPARE(probed.Audio.Channels, 1);
        }

        // Choosing in the main window's own picker moves the destinations along too.
        QTest::mouseClick(w.imgbtn1, Qt::LeftButton);
        const int aac = w.Picker->Model().FindRow("AAC Advenced Audio Codec (*.aac)");
        QVERIFY(aac >= 0);
        QTest::mouseClick(w.lst1->viewport(), Qt::LeftButton, {},
                          w.lst1->visualRect(w.Picker->Model().index(aac)).center());
        QVERIFY(
            QString::fromStdString(w.Files().SubItem(0, colDestination)).endsWith("_(new).aac"));
        w.close();
    }

    // A profile never confirmed shows what a conversion with it uses, so opening the dialog and
    // pressing OK changes nothing in the output, on every shipped profile.
    void okOnAProfileNeverSetChangesNothingInTheOutput() {
        const TIniFile catalogue(CatalogueFilePath());
        const std::vector<TFormatProfile> profiles =
            ListFormatProfiles(ReadFormatCatalogue(catalogue));
        QVERIFY(profiles.size() >= 20);
        for (const TFormatProfile& p : profiles) {
            QFile::remove(SettingsPath());
            QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
            StoreProfile(p.Code, QString::fromStdString(p.Name));
            const std::string before = JobRecords(Settings(), catalogue, p.Code);
            TfrmSettings d(Services);
            Show(d);
            QCOMPARE(d.edt1->text(), QString::fromStdString(p.Name));
            QTest::mouseClick(d.btnOk, Qt::LeftButton);
            QCOMPARE(d.result(), int(QDialog::Accepted));
            const std::string after = JobRecords(Settings(), catalogue, p.Code);
            QVERIFY2(after == before, qPrintable(QString::fromStdString(
                                          p.Name + "\n  before " + before + "\n  after  " + after)));
        }
        QVERIFY(Services.Messages.isEmpty());

        // The MP3 file made after such an OK is the profile's 44.1 kHz, 128 kbps stereo file
        // at the source's volume, as the dialog showed it.
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        StoreProfile(0, Mp3Name);
        {
            TfrmSettings d(Services);
            Show(d);
            QCOMPARE(d.cmbSamplerate->currentText(), QStringLiteral("44100"));
            QCOMPARE(d.cmbAudioBitRate->currentText(), QStringLiteral("128"));
            QCOMPARE(d.cmbChannel->currentText(), QStringLiteral("stereo 2 channels"));
            QCOMPARE(d.cmbVolume->currentText(), QStringLiteral("100%"));
            QTest::mouseClick(d.btnOk, Qt::LeftButton);
        }
        const std::string out =
            Convert({QString::fromStdString(fixtures::Fixtures().Wav)}, Home.filePath("fresh"));
        QVERIFY(!out.empty());
        const TOutput probed = ProbeOutput(out);
        QVERIFY2(probed.Opened, out.c_str());
        QCOMPARE(probed.Audio.SampleRate, 44100);
        QCOMPARE(probed.Audio.Channels, 2);
        QCOMPARE(probed.Audio.BitRate, 128000);

        // A video profile shows the letterbox fitting a conversion uses.
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        StoreProfile(101, AviName);
        TfrmSettings d(Services);
        Show(d);
        QCOMPARE(d.cmbZoom->currentText(), QStringLiteral("Letterbox"));
    }

    void videoProfileWithATypedFrameSize() {
        StoreProfile(101, AviName);
        TfrmSettings d(Services);
        Show(d);
        TypeInto(d.cmbVideoSize, "640x360");
        QTest::mouseClick(d.btnOk, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(Para(101, "paraVideoSize"), std::string("640x360"));
        QCOMPARE(Para(101, "paraZoom"), std::string("lbox"));
        const std::string out = Convert({QString::fromStdString(fixtures::Fixtures().AviMpeg4Mp3)},
                                        Home.filePath("video"));
        QVERIFY(!out.empty());
        const TOutput probed = ProbeOutput(out);
        QVERIFY2(probed.Opened, out.c_str());
        QCOMPARE(probed.VideoStreams, 1);
        QCOMPARE(probed.Video.Width, 640);
        QCOMPARE(probed.Video.Height, 360);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TSettingsDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "SettingsDialogTest.moc"
