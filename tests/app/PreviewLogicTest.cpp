// The preview panel's window-free logic: time texts, the fitted picture, bar arithmetic, the
// play/pause/stop states and the snapshot files with their folder fallback.
#include "app/PreviewLogic.h"

#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "EnvOverride.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace zelta;
using zelta::test::TEnvOverride;
using zelta::test::TTempFolder;

namespace {

class TRecordingPrompts : public TUserPrompts {
public:
    void ShowMessage(std::string_view Caption, std::string_view Text) override {
        Messages.emplace_back(Caption, Text);
    }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    std::vector<std::pair<std::string, std::string>> Messages;
};

std::vector<std::string> FilesIn(const std::filesystem::path& Folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QImage Solid(int Width, int Height, QColor Colour) {
    QImage image(Width, Height, QImage::Format_RGB888);
    image.fill(Colour);
    return image;
}

} // namespace

TEST(PreviewTimeText, HoursUnpaddedMinutesAndSecondsTwoDigits) {
    EXPECT_EQ(FormatHMS(3725), "1:02:05");
    EXPECT_EQ(FormatHMS(5), "0:00:05");
    EXPECT_EQ(FormatHMS(90 * 60), "1:30:00");
    EXPECT_EQ(FormatHMS(0), "0:00:00");
    EXPECT_EQ(FormatHMS(-7), "0:00:00");
    EXPECT_EQ(FormatHMS(100 * 3600 + 59), "100:00:59");
}

TEST(PreviewTimeText, MicrosecondsRoundToTheNearestSecondHalvesToEven) {
    EXPECT_EQ(RoundedSeconds(5'400'000'000LL), 5400); // a 90-minute file
    EXPECT_EQ(FormatHMS(RoundedSeconds(5'400'000'000LL)), "1:30:00");
    EXPECT_EQ(RoundedSeconds(1'499'999), 1);
    EXPECT_EQ(RoundedSeconds(1'500'000), 2);
    EXPECT_EQ(RoundedSeconds(2'500'000), 2);
    EXPECT_EQ(RoundedSeconds(2'500'001), 3);
    EXPECT_EQ(RoundedSeconds(-1), 0);
}

TEST(PreviewFitRect, KeepsTheAspectAndCentres) {
    // Wider than the target: full width, 30 pixels off the top and bottom.
    EXPECT_EQ(FitRect(1280, 720, 320, 240), (TFitRect{0, 30, 320, 210}));
    // Taller: full height, centred horizontally.
    EXPECT_EQ(FitRect(240, 320, 320, 240), (TFitRect{70, 0, 250, 240}));
    // Same aspect: the whole target.
    EXPECT_EQ(FitRect(640, 480, 320, 240), (TFitRect{0, 0, 320, 240}));
    // Insets that fall on a half round to even: (11 - 10) / 2 = 0.5 -> 0.
    EXPECT_EQ(FitRect(10, 10, 10, 11), (TFitRect{0, 0, 10, 11}));
    // (13 - 10) / 2 = 1.5 -> 2 (even)
    EXPECT_EQ(FitRect(10, 10, 10, 13), (TFitRect{0, 2, 10, 11}));
    EXPECT_EQ(FitRect(0, 0, 320, 240), (TFitRect{0, 0, 320, 240}));
}

TEST(PreviewFitRect, ProgressPictureDrawsTheFrameOnTheBackground) {
    const QImage picture = ProgressPicture(Solid(1280, 720, Qt::red), 320, 240);
    ASSERT_EQ(picture.size(), QSize(320, 240));
    const QColor background = QColor::fromRgb(ProgressPictureBackground);
    EXPECT_EQ(background, QColor(166, 202, 240));
    EXPECT_EQ(picture.pixelColor(160, 29), background);
    EXPECT_EQ(picture.pixelColor(160, 30), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(0, 209), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(319, 210), background);
    // Without a frame only the background.
    const QImage empty = ProgressPicture(QImage(), 40, 30);
    ASSERT_EQ(empty.size(), QSize(40, 30));
    EXPECT_EQ(empty.pixelColor(20, 15), background);
}

TEST(PreviewBar, PositionAndSeekArithmetic) {
    // 64-bit: a 10-hour file at its end on a 300-pixel bar.
    EXPECT_EQ(BarPosition(36'000'000'000LL, 300, 36'000'000'000LL), 300);
    EXPECT_EQ(BarPosition(1'000'000, 300, 2'000'000), 150);
    EXPECT_EQ(BarPosition(1'999'999, 300, 2'000'000), 299); // div truncates
    EXPECT_EQ(BarPosition(5, 300, 0), 0);
    EXPECT_EQ(BarPosition(5, 300, -1), 0);

    EXPECT_EQ(SeekPosition(150, 300, 2'000'000), 1'000'000);
    EXPECT_EQ(SeekPosition(1, 3, 1'000'000), 333'333); // truncated
    EXPECT_EQ(SeekPosition(300, 300, 36'000'000'000LL), 36'000'000'000LL);
    EXPECT_EQ(SeekPosition(10, 0, 1'000'000), 0);
}

TEST(PreviewStates, ButtonsFollowTheStateTable) {
    EXPECT_EQ(PreviewButtons(TPreviewState::Stopped), (TPreviewButtons{true, false, false, false}));
    EXPECT_EQ(PreviewButtons(TPreviewState::Playing), (TPreviewButtons{false, true, true, true}));
    EXPECT_EQ(PreviewButtons(TPreviewState::Paused), (TPreviewButtons{true, false, true, true}));
}

TEST(PreviewStates, TransitionsAndWhatTheyAskOfThePlayer) {
    TPreviewStateMachine m;
    EXPECT_TRUE(m.PlayerStopped());
    EXPECT_FALSE(m.PlayerPaused());
    EXPECT_FALSE(m.Pause()); // nothing plays: nothing to pause
    EXPECT_FALSE(m.Stop());
    EXPECT_TRUE(m.PlayerStopped());

    EXPECT_EQ(m.Play(), TPreviewStateMachine::TPlayAction::Open);
    EXPECT_TRUE(m.PlayerStopped()); // until the file plays
    m.Opened();
    EXPECT_EQ(m.State(), TPreviewState::Playing);

    EXPECT_TRUE(m.Pause());
    EXPECT_TRUE(m.PlayerPaused());
    EXPECT_FALSE(m.PlayerStopped());
    EXPECT_FALSE(m.Pause());
    // Play while paused resumes; it does not open the file again.
    EXPECT_EQ(m.Play(), TPreviewStateMachine::TPlayAction::Resume);
    EXPECT_EQ(m.State(), TPreviewState::Playing);
    // Play while playing (a double click on a row) opens the row's file.
    EXPECT_EQ(m.Play(), TPreviewStateMachine::TPlayAction::Open);

    EXPECT_TRUE(m.Pause());
    EXPECT_TRUE(m.Stop());
    EXPECT_TRUE(m.PlayerStopped());
    EXPECT_FALSE(m.PlayerPaused());

    m.Opened();
    m.Ended();
    EXPECT_EQ(m.Buttons(), (TPreviewButtons{true, false, false, false}));
    EXPECT_FALSE(m.Stop());
}

TEST(PreviewSnapshot, BitmapCopiesSkipTheRowPadding) {
    TBitmap24 bitmap;
    bitmap.SetSize(3, 2); // 9 bytes a row, padded to 12
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = bitmap.ScanLine(y) + x * 3;
            p[0] = uint8_t(10 * x);      // blue
            p[1] = uint8_t(100 + y);     // green
            p[2] = uint8_t(200 + x + y); // red
        }
    const QImage image = BitmapToImage(bitmap);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(203, 101, 20));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(200, 100, 0));
    EXPECT_TRUE(BitmapToImage(TBitmap24()).isNull());

    const QImage stretched = StretchedPicture(Solid(64, 36, Qt::green), 30, 40);
    EXPECT_EQ(stretched.size(), QSize(30, 40)); // aspect not kept
    EXPECT_TRUE(StretchedPicture(QImage(), 30, 40).isNull());
}

class TSnapshotFilesTest : public ::testing::Test {
protected:
    TTempFolder Temp;
    TEnvOverride Home{"HOME", (Temp.Path() / "home").string()};
    TIniFile Settings{Temp.File("zeltavideoaudioconverter.ini")};
    TRecordingPrompts Prompts;
    QImage Full = Solid(64, 36, QColor(10, 20, 200));
    QImage Small = Solid(32, 24, QColor(200, 20, 10));

    void SetKeys(int Full, int Small, int Bmp, int Jpg) {
        ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeySnapFullSize, Full));
        ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeySnapSmallSize, Small));
        ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeySnapBmp, Bmp));
        ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeySnapJpg, Jpg));
    }
};

TEST_F(TSnapshotFilesTest, FullBmpOnlyWritesExactlyOneFile) {
    const std::string folder = Temp.File("snaps");
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeySnapOutPutDir, folder));
    SetKeys(1, 0, 1, 0);
    const TSnapshotResult r = WriteSnapshots(Full, Small, Settings, Prompts);
    EXPECT_EQ(r.Folder, folder);
    EXPECT_EQ(r.Written, std::vector<std::string>{folder + "/Snapshot_full.bmp"});
    EXPECT_TRUE(r.Failed.empty());
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Snapshot_full.bmp"});
    EXPECT_TRUE(Prompts.Messages.empty());
    const QImage back(QString::fromStdString(r.Written[0]));
    EXPECT_EQ(back.size(), QSize(64, 36));
    EXPECT_EQ(back.pixelColor(5, 5), QColor(10, 20, 200));
}

TEST_F(TSnapshotFilesTest, DefaultsWriteAllFourInOrderAndReplaceOldFiles) {
    const std::string folder = Temp.File("snaps/");
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeySnapOutPutDir, folder)); // trailing "/"
    std::filesystem::create_directories(folder);
    zelta::test::WriteBytes(folder + "Snapshot_small.jpg", "old");
    const TSnapshotResult r = WriteSnapshots(Full, Small, Settings, Prompts);
    EXPECT_EQ(r.Written, (std::vector<std::string>{
                             folder + "Snapshot_full.bmp", folder + "Snapshot_small.bmp",
                             folder + "Snapshot_full.jpg", folder + "Snapshot_small.jpg"}));
    const QImage small(QString::fromStdString(folder + "Snapshot_small.jpg"));
    EXPECT_EQ(small.size(), QSize(32, 24));
    EXPECT_EQ(QImage(QString::fromStdString(folder + "Snapshot_small.bmp")).size(), QSize(32, 24));
}

TEST_F(TSnapshotFilesTest, JpegQualityComesFromJpgCmp) {
    const std::string folder = Temp.File("q");
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeySnapOutPutDir, folder));
    SetKeys(1, 0, 0, 1);
    QImage noisy(256, 256, QImage::Format_RGB888);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            noisy.setPixelColor(x, y, QColor((x * 7 + y * 13) & 255, (x * y) & 255, (x ^ y) & 255));
    auto sizeAt = [&](int Quality) {
        EXPECT_TRUE(Settings.WriteInteger(SectionSettings, KeyJpgCmp, Quality));
        const TSnapshotResult r = WriteSnapshots(noisy, Small, Settings, Prompts);
        EXPECT_EQ(r.Written.size(), 1u);
        return std::filesystem::file_size(folder + "/Snapshot_full.jpg");
    };
    EXPECT_LT(sizeAt(5), sizeAt(95));
}

TEST_F(TSnapshotFilesTest, AFolderThatCannotBeMadeFallsBackToTheDefault) {
    zelta::test::WriteBytes(Temp.File("plain"), "x");
    const std::string bad = Temp.File("plain") + "/snaps";
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeySnapOutPutDir, bad));
    SetKeys(1, 0, 1, 0);
    const std::string fallback = (Temp.Path() / "home" / "videoconverter").string();
    const TSnapshotResult r = WriteSnapshots(Full, Small, Settings, Prompts);
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].first, "Warning");
    EXPECT_EQ(Prompts.Messages[0].second, "Cannot create output directory:" + bad +
                                              ".It will create default directory " + fallback +
                                              "!");
    EXPECT_EQ(r.Folder, fallback);
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeySnapOutPutDir, ""), fallback);
    EXPECT_EQ(FilesIn(fallback), std::vector<std::string>{"Snapshot_full.bmp"});
}

TEST_F(TSnapshotFilesTest, NoFolderAtAllWritesNothing) {
    // The home folder is a plain file, so neither the stored folder nor the default can be made.
    zelta::test::WriteBytes(Temp.File("home"), "x");
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeySnapOutPutDir, Temp.File("home") + "/a"));
    const TSnapshotResult r = WriteSnapshots(Full, Small, Settings, Prompts);
    ASSERT_EQ(Prompts.Messages.size(), 2u);
    EXPECT_EQ(Prompts.Messages[1].first, "Error");
    EXPECT_EQ(Prompts.Messages[1].second.rfind("Cannot create output directory: " +
                                                   Temp.File("home") + "/videoconverter (",
                                               0),
              0u);
    EXPECT_TRUE(r.Folder.empty());
    EXPECT_TRUE(r.Written.empty());
}
