// Renders every window in each colour theme ("Follow system" taken as the dark one) to PNG
// files, to look at layouts without a desktop: "<output folder>/<window>-<theme>.png". The main window is taken empty,
// with its format picker open and with rows (a film with two audio tracks among them, its
// French track chosen in the audio track chooser, which is taken too); the trim and crop dialogs
// with a playing picture; the progress window during a run.
//
// Themes are the seven colour themes and "Follow system" on a dark desktop ("<window>-dark.png").
//
// Usage: zelta-screenshots [--scale FACTOR] [--language CODE] [output folder]  (default:
// "screenshots" in the current folder). With --scale the windows are drawn at that scaling
// (QT_SCALE_FACTOR; 2 for 200 %), and only the main window with rows, the progress window and the
// preferences dialog are taken, in the dark theme: "<window>-dark-200.png". With --language
// (de, zh_CN, ...) the interface speaks that language and the main, settings, watermark and
// progress windows are taken in the light and the dark theme: "<window>-dark-de[-200].png".
// Runs under the offscreen platform unless QT_QPA_PLATFORM names another; the settings file goes
// to a temporary folder (ZELTA_HOME), so no real settings are read or written. The file
// information dialog shows a generated test file when the build has the test media builder.
#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "app/Translation.h"
#include "ui/DialogServices.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmAudioTrack.h"
#include "ui/FrmCover.h"
#include "ui/FrmCrop.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "effects/FrameEffects.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/FrmTrim.h"
#include "ui/FrmWaterMark.h"
#include "ui/FormatPicker.h"
#include "ui/Themes.h"
#include "ui/TrackBar2.h"
#include "ui/WaterMarkPreview.h"
#include "ui/ZeltaApplication.h"

#ifdef ZELTA_SCREENSHOTS_FIXTURES
#include "fixtures/Fixtures.h"
#endif

#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QEventLoop>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QToolButton>
#include <QPixmap>
#include <QPainter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// Lets queued work (layouts, the folder tree's background listing) finish.
void Settle(int Milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Added to every file name: "" or "-200" for --scale 2.
struct TShotNames {
    QString ScaleSuffix;
    QString Language; // "-de" when taken in another language
    QString FileName(const QString& Window, int Theme) const {
        const QString theme = Theme == zelta::FollowSystemTheme
                                  ? QString::fromLatin1(DarkThemeColors().Name)
                                  : QString::fromLatin1(ThemeColors(Theme).Name);
        return Window + "-" + theme.toLower().replace(' ', '-') + Language + ScaleSuffix + ".png";
    }
};

bool Save(QWidget& Window, const QString& Folder, const QString& Name, int Theme,
          const TShotNames& Names) {
    Window.show();
    Settle(50);
    const QString file = QDir(Folder).filePath(Names.FileName(Name, Theme));
    const bool ok = Window.grab().save(file, "PNG");
    Window.hide();
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot write",
                 file.toLocal8Bit().constData());
    return ok;
}

// The preferences dialog's pages after the first, each as "preference-<n>".
bool SavePreferencePages(TfrmPreference& Dialog, const QString& Folder, int Theme,
                         const TShotNames& Names) {
    bool ok = true;
    for (int page = 1; page < Dialog.tabPages->count(); ++page) {
        Dialog.tabPages->setCurrentIndex(page);
        ok = Save(Dialog, Folder, QStringLiteral("preference-%1").arg(page), Theme, Names) && ok;
    }
    Dialog.tabPages->setCurrentIndex(0);
    return ok;
}

// The two-thumb bar in its thumb, track and tick styles, horizontal and vertical.
class TTrackBarGallery : public QWidget {
public:
    TTrackBarGallery() {
        setObjectName(QStringLiteral("TrackBarGallery"));
        resize(640, 420);
        struct TStyle {
            zelta::TThumbStyle Thumb;
            zelta::TTrackStyle Track;
            zelta::TTickStyle Tick;
            zelta::TTickOrientation Side;
        };
        const TStyle styles[] = {
            {zelta::tsRectangle, zelta::trFlat, zelta::tiLine, zelta::toBoth},
            {zelta::tsRaisedRectangle, zelta::trLowered, zelta::tiRaisedSquare, zelta::toBoth},
            {zelta::tsLoweredRectangle, zelta::trRaised, zelta::tiLoweredSquare, zelta::toTopLeft},
            {zelta::tsSmallPointer, zelta::trLowered, zelta::tiSquare, zelta::toBottomRight},
            {zelta::tsMediumPointer, zelta::trLowered, zelta::tiLine, zelta::toTopLeft},
            {zelta::tsLargePointer, zelta::trFlat, zelta::tiRaisedSquare, zelta::toBottomRight},
        };
        int y = 8;
        int index = 0;
        for (const TStyle& st : styles) {
            auto* bar = new TTrackBar2(this);
            bar->setGeometry(8, y, 480, 50);
            bar->SetSecondThumb(index % 2 == 0);
            bar->SetThumbStyle(st.Thumb);
            bar->SetTrackStyle(st.Track);
            bar->SetTickStyle(st.Tick);
            bar->SetTickOrientation(st.Side);
            bar->SetPositions(4, 14);
            bar->setEnabled(index != 5); // the last one hatched
            y += 66;
            ++index;
        }
        for (int i = 0; i < 3; ++i) {
            auto* bar = new TTrackBar2(this);
            bar->setGeometry(512 + i * 40, 8, 36, 390);
            bar->SetThumbStyle(i == 0 ? zelta::tsRaisedRectangle
                                      : i == 1 ? zelta::tsMediumPointer : zelta::tsSmallPointer);
            bar->SetTickOrientation(i == 2 ? zelta::toBottomRight : zelta::toTopLeft);
            bar->SetSecondThumb(i != 1);
            bar->SetPositions(6, 15);
            bar->setEnabled(i != 2);
        }
    }
};

#ifdef ZELTA_SCREENSHOTS_FIXTURES
// The watermark dialog on a playing picture with a text and a picture layer, both pages.
bool WaterMarkShots(const QString& Folder, const std::string& Media, const QString& Home,
                    const std::vector<int>& Themes, const TShotNames& Names) {
    QImage logo(96, 48, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(230, 60, 40, 220));
        p.setPen(QPen(Qt::white, 3));
        p.drawEllipse(QRect(4, 4, 88, 40));
    }
    const QString logoFile = QDir(Home).filePath("logo.png");
    logo.save(logoFile);
    zelta::TlvFilesRecord record;
    record.SrcFile = Media;
    record.Duration = 2;
    auto text = std::make_unique<zelta::TWmRec>();
    text->Text = "Zelta Video";
    text->Font = std::make_unique<zelta::TWmFont>();
    text->Font->Name = "DejaVu Sans";
    text->Font->Size = 20;
    text->Font->Style = zelta::fsBold;
    text->Font->Color = zelta::RGBColor(255, 255, 0);
    text->BackFilled = true;
    text->BackColor = zelta::RGBColor(0, 0, 128);
    text->TextLeft = 20;
    text->TextTop = 20;
    const QSize size = zelta::TextLayerSize(text->Text, *text->Font);
    text->TextWidth = size.width();
    text->TextHeight = size.height();
    text->TextAlpha = 200;
    text->EndTime = 2;
    auto picture = std::make_unique<zelta::TWmRec>();
    picture->Kind = zelta::WmKindImage;
    picture->ImageFile = logoFile.toStdString();
    picture->ImageLeft = 200;
    picture->ImageTop = 170;
    picture->ImageAlpha = 255;
    picture->EndTime = 2;
    record.WaterMarks.push_back(std::move(text));
    record.WaterMarks.push_back(std::move(picture));
    record.Saturation = 400;

    TfrmWaterMark dialog(record, TDialogServices::Default());
    dialog.show();
    for (int i = 0; i < 100 && dialog.ImgView->FramesShown() < 10; ++i)
        Settle(20);
    dialog.spdBtnPauseClick();
    Settle(200);
    bool ok = true;
    for (int theme : Themes) {
        ApplyTheme(theme);
        dialog.pageControl1->setCurrentWidget(dialog.tsWatermark);
        ok = Save(dialog, Folder, "watermark", theme, Names) && ok;
        dialog.pageControl1->setCurrentWidget(dialog.tsEffect);
        ok = Save(dialog, Folder, "watermark-effect", theme, Names) && ok;
    }
    dialog.btnCancelClick();
    return ok;
}
#endif

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // "Follow system" is taken on a dark desktop.
    qputenv("ZELTA_COLOR_SCHEME", "dark");
    TShotNames names;
    std::vector<int> themes;
    for (int theme = 0; theme < ThemeMenuCount; ++theme)
        themes.push_back(theme);
    QString out = QStringLiteral("screenshots");
    std::string language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc) {
            const std::string factor = argv[++i];
            qputenv("QT_SCALE_FACTOR", QByteArray::fromStdString(factor));
            names.ScaleSuffix = "-" + QString::number(qRound(std::stod(factor) * 100));
            themes = {zelta::FollowSystemTheme};
        } else if (arg == "--language" && i + 1 < argc) {
            language = argv[++i];
            names.Language = "-" + QString::fromStdString(language);
        } else {
            out = QString::fromLocal8Bit(argv[i]);
        }
    }
    // In another language: the windows with the most text, light and dark.
    if (!language.empty())
        themes = {0, zelta::FollowSystemTheme};
    const bool everyWindow = names.ScaleSuffix.isEmpty() && language.empty();
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "zelta-screenshots: cannot make a temporary folder\n");
        return 1;
    }
    qputenv("ZELTA_HOME", home.path().toUtf8());
    TZeltaApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    zelta::TQtMainThreadDispatcher dispatcher;
    if (!language.empty() && !zelta::LoadTranslations(language)) {
        std::fprintf(stderr, "zelta-screenshots: no translation for %s\n", language.c_str());
        return 1;
    }
    // Converted files of the progress window's run stay in the temporary folder too.
    zelta::TIniFile(zelta::JoinPath(home.path().toStdString(), "zeltavideoaudioconverter.ini"))
        .WriteString("settings", "OutPutDir", zelta::JoinPath(home.path().toStdString(), "out"));

    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "zelta-screenshots: cannot create %s\n", out.toLocal8Bit().constData());
        return 1;
    }

    std::string media;
    std::string film; // two audio tracks
    std::vector<std::string> rows;
#ifdef ZELTA_SCREENSHOTS_FIXTURES
    try {
        media = fixtures::Fixtures().Mp4H264Aac;
        // A long file so that the run reports progress before it ends.
        const std::string longWav = zelta::JoinPath(home.path().toStdString(), "long tone.wav");
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.Seconds = 120;
        fixtures::MakeMedia(longWav, spec);
        film = fixtures::TwoLanguageFilm(1);
        rows = {longWav, fixtures::Fixtures().Mp4H264Aac, fixtures::Fixtures().Wav,
                fixtures::Fixtures().AviMpeg4Mp3, fixtures::Fixtures().NonAscii, film};
    } catch (const std::exception& E) {
        std::fprintf(stderr, "zelta-screenshots: no test media: %s\n", E.what());
    }
#endif

    const TDialogServices& services = TDialogServices::Default();
    TfrmMain main(services); // creates the global object and loads the media libraries
    TfrmCover cover(QString::fromStdString(zelta::FindDataFile("skin/videoaudiocover.jpg")));
    TfrmPreference preference([&]() -> TfmDirectory& { return main.FolderChooser(); }, services,
                              &main);
    TfrmFileInfo fileInfo(&main);
    fileInfo.SetSourceFile(media);
    TfrmAbout about(services, &main);
    TfrmSettings settings(services, &main);
    const zelta::TIniFile settingsFile(
        zelta::JoinPath(home.path().toStdString(), "zeltavideoaudioconverter.ini"));
    // The settings dialog shows the stored profile: an audio one, then a video one.
    auto storeProfile = [&](int Code, const char* Name) {
        zelta::TIniFile file = settingsFile;
        file.WriteString("settings", "FormatCode", std::to_string(Code));
        file.WriteString("settings", "FormatName", Name);
    };
    TfmDirectory& chooser = main.FolderChooser();

    main.show();
    chooser.show();
    Settle(500); // the first listing of the folder tree
    chooser.hide();

    bool ok = true;
    if (!everyWindow) {
        for (int theme : themes) {
            ApplyTheme(theme);
            ok = Save(main, out, "main", theme, names) && ok;
            ok = Save(preference, out, "preference", theme, names) && ok;
            ok = SavePreferencePages(preference, out, theme, names) && ok;
            if (language.empty())
                continue;
            storeProfile(0, "MP3 MPEG Layer-3 Audio (*.mp3)");
            ok = Save(settings, out, "settings-audio", theme, names) && ok;
            storeProfile(100, "MP4 MPEG-4 H.264 Video (*.mp4)");
            ok = Save(settings, out, "settings-video", theme, names) && ok;
            storeProfile(1, "AAC Advenced Audio Codec (*.aac)");
        }
    }
    for (int theme = 0; everyWindow && theme < ThemeMenuCount; ++theme) {
        ApplyTheme(theme);
        ok = Save(main, out, "main", theme, names) && ok;
        main.show();
        main.imgbtn1->click(); // the format picker open above its box
        ok = Save(main, out, "main-picker", theme, names) && ok;
        main.lst1->hide();
        ok = Save(cover, out, "splash", theme, names) && ok;
        ok = Save(preference, out, "preference", theme, names) && ok;
        ok = SavePreferencePages(preference, out, theme, names) && ok;
        ok = Save(fileInfo, out, "fileinfo", theme, names) && ok;
        ok = Save(chooser, out, "directory", theme, names) && ok;
        ok = Save(about, out, "about", theme, names) && ok;
        storeProfile(0, "MP3 MPEG Layer-3 Audio (*.mp3)");
        ok = Save(settings, out, "settings-audio", theme, names) && ok;
        storeProfile(100, "MP4 MPEG-4 H.264 Video (*.mp4)");
        ok = Save(settings, out, "settings-video", theme, names) && ok;
        settings.show();
        settings.imgbtn1->click(); // the profile list open below its box
        ok = Save(settings, out, "settings-list", theme, names) && ok;
        storeProfile(1, "AAC Advenced Audio Codec (*.aac)");
    }

    TTrackBarGallery gallery;
    for (int theme = 0; everyWindow && theme < ThemeMenuCount; ++theme) {
        ApplyTheme(theme);
        ok = Save(gallery, out, "trackbar", theme, names) && ok;
    }
#ifdef ZELTA_SCREENSHOTS_FIXTURES
    if (!media.empty() && (everyWindow || !language.empty()))
        ok = WaterMarkShots(out, media, home.path(), themes, names) && ok;
#endif

    // The list with rows, then a run with the progress window: the first task is paused while
    // the progress window is taken in every theme.
    main.show();
    main.AddChosenFiles(rows);
    // The film's chooser with its French track picked; OK lists the choice on its row.
    if (const int filmRow = film.empty() ? -1 : main.Files().FindCaption(film); filmRow >= 0) {
        TfrmAudioTrack audioTrack(main.Files(), filmRow, zelta::TTrackRule{}, &main);
        audioTrack.lstTracks->setCurrentRow(2);
        for (int theme = 0; everyWindow && theme < ThemeMenuCount; ++theme) {
            ApplyTheme(theme);
            ok = Save(audioTrack, out, "audiotrack", theme, names) && ok;
        }
        audioTrack.accept();
    }
    for (int theme : themes) {
        ApplyTheme(theme);
        ok = Save(main, out, "main-rows", theme, names) && ok;
    }
#ifdef ZELTA_SCREENSHOTS_FIXTURES
    // The tracks of an album image with its CUE sheet, one row each.
    try {
        const std::string album = zelta::JoinPath(home.path().toStdString(), "Live at the Hall");
        QDir().mkpath(QString::fromStdString(album));
        fixtures::TMediaSpec image;
        image.Format = "flac";
        image.AudioEncoders = {"flac"};
        image.Seconds = 30;
        fixtures::MakeMedia(zelta::JoinPath(album, "Live at the Hall.flac"), image);
        std::ofstream(zelta::JoinPath(album, "Live at the Hall.cue"), std::ios::binary)
            << "PERFORMER \"The Zelta Quartet\"\nTITLE \"Live at the Hall\"\n"
               "FILE \"Live at the Hall.wav\" WAVE\n"
               "  TRACK 01 AUDIO\n    TITLE \"Overture\"\n    INDEX 01 00:00:00\n"
               "  TRACK 02 AUDIO\n    TITLE \"Night Song\"\n    INDEX 01 00:09:12\n"
               "  TRACK 03 AUDIO\n    TITLE \"Dance in Three\"\n"
               "    PERFORMER \"The Zelta Quartet & Guests\"\n    INDEX 01 00:21:40\n";
        main.AddChosenFiles({zelta::JoinPath(album, "Live at the Hall.cue")});
        for (int theme : themes) {
            ApplyTheme(theme);
            ok = Save(main, out, "main-cue-rows", theme, names) && ok;
        }
    } catch (const std::exception& E) {
        std::fprintf(stderr, "zelta-screenshots: no album image: %s\n", E.what());
    }
#endif

    // The trim and crop dialogs playing the H.264 row, paused once a picture shows, taken in
    // every theme.
    const int playing = main.Files().FindCaption(media);
    if (playing >= 0 && language.empty()) {
        auto playingDialog = [&](QDialog& Dialog, const QString& Name,
                                 const std::function<bool()>& PictureShown,
                                 const std::function<void()>& Pause) {
            Dialog.show();
            for (int i = 0; i < 100 && !PictureShown(); ++i)
                Settle(20);
            Settle(300); // past the first second, so the bar and time have moved
            Pause();
            Settle(200);
            for (int theme = 0; theme < ThemeMenuCount; ++theme) {
                ApplyTheme(theme);
                Settle(50);
                const QString file =
                    QDir(out).filePath(names.FileName(Name, theme));
                const bool saved = Dialog.grab().save(file, "PNG");
                std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
                             file.toLocal8Bit().constData());
                ok = saved && ok;
            }
            Dialog.reject();
        };
        TfrmTrim trim(services, &main);
        trim.SetRow(&main.Files(), playing);
        playingDialog(
            trim, QStringLiteral("trim"),
            [&] { return trim.Player().Position() > 600000; },
            [&] {
                trim.imgbtnpauseClick();
                trim.btnSetEndClick();
                trim.edtStart->setText(QStringLiteral("0.4"));
                emit trim.edtStart->editingFinished();
            });
        TfrmCrop crop(&main);
        crop.SetRow(&main.Files(), playing);
        playingDialog(
            crop, QStringLiteral("crop"), [&] { return !crop.BufferedFrame().isNull(); },
            [&] {
                crop.spedUp->stepBy(20);
                crop.spedLeft->stepBy(30);
                crop.TimerTimer();
                crop.imgbtnpauseClick();
            });
    }
    main.show();
    bool progressTaken = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TfrmProgress* progress = main.ProgressWindow();
        if (progress == nullptr || !progress->isVisible() || progressTaken ||
            progress->lblProgress->text().isEmpty())
            return;
        progressTaken = true;
        poll.stop();
        main.Ovren().PauseTasks();
        Settle(300);
        for (int theme : themes) {
            ApplyTheme(theme);
            Settle(50);
            const QString file = QDir(out).filePath(names.FileName("progress", theme));
            const bool saved = progress->grab().save(file, "PNG");
            std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
                         file.toLocal8Bit().constData());
            ok = saved && ok;
        }
        main.Ovren().ResumeTasks();
        progress->close(); // stops the run
    });
    if (!rows.empty()) {
        poll.start(20);
        main.btnStartClick();
        if (!progressTaken) {
            std::fprintf(stderr, "zelta-screenshots: the progress window did not show\n");
            ok = false;
        }
    }
    main.close();
    return ok ? 0 : 1;
}
