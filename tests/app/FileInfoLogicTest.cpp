// The file information dialog's texts: the helpers on their own and the whole set from real
// media files.
#include "app/FileInfoLogic.h"
#include "engine/FFmpegLoader.h"
#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"

#include <gtest/gtest.h>

using namespace zelta;

TEST(FileInfoLogic, SecondsWithMilliseconds) {
    EXPECT_EQ(FormatSecondsMs(215040000), "215.040");
    EXPECT_EQ(FormatSecondsMs(0), "0.000");
    EXPECT_EQ(FormatSecondsMs(1999999), "1.999");
    EXPECT_EQ(FormatSecondsMs(-1), "0.000"); // the container's "no duration"
    EXPECT_EQ(FormatSecondsMs(int64_t(5000000000000)), "5000000.000");
}

TEST(FileInfoLogic, LongPathsAreShortened) {
    const std::string short45 = "/media/videos/holiday/" + std::string(19, 'a') + ".avi";
    ASSERT_EQ(short45.size(), 45u);
    EXPECT_EQ(ShortenSourceName(short45).Text, short45);
    EXPECT_FALSE(ShortenSourceName(short45).Shortened);

    const std::string path60 = "/media/videos/holiday/" + std::string(34, 'b') + ".mp4";
    ASSERT_EQ(path60.size(), 60u);
    const TSourceNameLabel l = ShortenSourceName(path60);
    EXPECT_TRUE(l.Shortened);
    EXPECT_EQ(l.Text, path60.substr(0, 40) + "...mp4  ");

    // Counted in characters; a dot in a folder name is no extension.
    const std::string wide = "/v.d/" + std::string(30, 'x') + "/" + std::string(10, 'y') + "é" +
                             std::string(10, 'z');
    const TSourceNameLabel w = ShortenSourceName(wide);
    EXPECT_EQ(w.Text, wide.substr(0, 5 + 30 + 1 + 4) + "..  ");
    const std::string accents = std::string(45, 'a') + "é";  // 46 characters
    EXPECT_EQ(ShortenSourceName(accents).Text, std::string(40, 'a') + "..  ");
    EXPECT_FALSE(ShortenSourceName(std::string(44, 'a') + "é").Shortened);
}

TEST(FileInfoLogic, AudioFormatIsCutAfterAudio) {
    EXPECT_EQ(AudioFormatFromInfoText("Stream #0:0: Video: h264, 320x240\n"
                                      "Stream #0:1(und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz"),
              "aac (LC) (mp4a / 0x6134706D)");
    EXPECT_EQ(AudioFormatFromInfoText("Audio: mp3, 44100 Hz\nStream #0:2: Audio: ac3, x"), "mp3");
    EXPECT_EQ(AudioFormatFromInfoText("Stream #0:0: Video: h264, 320x240"), "");
    EXPECT_EQ(AudioFormatFromInfoText("Stream #0:1: Audio: pcm_s16le"), "");
    EXPECT_EQ(AudioFormatFromInfoText("Audio:,"), "");
}

class FileInfoMedia : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    }
};

TEST(FileInfoLogic, FrameRatesAndFrameCounts) {
    EXPECT_EQ(FrameRateText(25, 1), "25");
    EXPECT_EQ(FrameRateText(30000, 1001), "29.97");
    EXPECT_EQ(FrameRateText(24000, 1001), "23.976");
    EXPECT_EQ(FrameRateText(0, 1), NotApplicable);
    EXPECT_EQ(FrameRateText(25, 0), NotApplicable);
    // The container's count wins; without one the estimate says so.
    EXPECT_EQ(TotalFrameText(123, 10000000, 25, 1), "123");
    EXPECT_EQ(TotalFrameText(-1, 10000000, 30000, 1001), "300 (estimated)");
    EXPECT_EQ(TotalFrameText(-1, -1, 25, 1), NotApplicable);
}

TEST_F(FileInfoMedia, ResolutionIsTheShownSizeWithItsGeometry) {
    struct TCase {
        int Rotation, Num, Den;
        const char* Text;
    };
    const TCase cases[] = {
        {0, 1, 1, "320x180"},
        {90, 1, 1, "180x320 (stored 320x180, display aspect 0.56, rotated 90\xC2\xB0)"},
        {0, 32, 27, "427x240 (stored 360x240, pixel aspect 32:27, display aspect 1.78)"},
    };
    for (const TCase& c : cases) {
        const std::string file = fixtures::GeometryFixture(c.Rotation, c.Num, c.Den);
        TAVProbe probe;
        ASSERT_TRUE(probe.Open(file)) << probe.LastError();
        EXPECT_EQ(DescribeFileInfo(probe, file).Resolution, c.Text);
    }
}

TEST_F(FileInfoMedia, VideoFileFillsEveryText) {
    const std::string& file = fixtures::Fixtures().Mp4H264Aac;
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(file)) << probe.LastError();
    const TFileInfoTexts t = DescribeFileInfo(probe, file);
    EXPECT_EQ(t.SourceName, ShortenSourceName(file).Text);
    EXPECT_EQ(t.FileLength.substr(0, 2), "2.");
    EXPECT_EQ(t.FileLength.substr(t.FileLength.size() - 7), " Second");
    EXPECT_EQ(t.Format, probe.FormatName());
    EXPECT_EQ(t.Resolution, "320x240");
    EXPECT_EQ(t.FrameRate, "25");
    EXPECT_EQ(t.TotalFrame, "50"); // 2 s at 25 fps, counted by the MP4 index
    EXPECT_GT(std::stoi(t.BitRate), 0);
    EXPECT_EQ(t.SampleRate, "44100");
    EXPECT_EQ(t.Channel, "2");
    EXPECT_GT(std::stoi(t.AudioBitRate), 0);
    EXPECT_EQ(t.AudioFormat.substr(0, 3), "aac");
    std::string info;
    ASSERT_TRUE(probe.GetInfoText(info));
    EXPECT_NE(info.find("Audio: " + t.AudioFormat + ","), std::string::npos) << info;
}

TEST_F(FileInfoMedia, AudioOnlyAndUnreadableFilesMarkWhatDoesNotApply) {
    for (const std::string* file : {&fixtures::Fixtures().Wav, &fixtures::Fixtures().Mp3}) {
        TAVProbe probe;
        ASSERT_TRUE(probe.Open(*file)) << *file;
        const TFileInfoTexts t = DescribeFileInfo(probe, *file);
        EXPECT_EQ(t.SourceName, ShortenSourceName(*file).Text);
        EXPECT_EQ(t.FileLength.substr(t.FileLength.size() - 7), " Second") << *file;
        EXPECT_EQ(t.Format, probe.FormatName());
        for (const std::string* video : {&t.Resolution, &t.BitRate, &t.FrameRate, &t.TotalFrame})
            EXPECT_EQ(*video, NotApplicable) << *file;
        EXPECT_EQ(t.SampleRate, "44100") << *file;
        EXPECT_EQ(t.Channel, "2") << *file;
        EXPECT_NE(t.AudioFormat, NotApplicable) << *file;
    }
    const std::string& broken = fixtures::Fixtures().Truncated;
    TAVProbe probe;
    probe.Open(broken);
    const TFileInfoTexts t = DescribeFileInfo(probe, broken);
    EXPECT_EQ(t.SourceName, ShortenSourceName(broken).Text);
    for (const std::string* text : {&t.FileLength, &t.Format, &t.Resolution, &t.FrameRate,
                                    &t.AudioFormat, &t.SampleRate, &t.Channel})
        EXPECT_EQ(*text, NotApplicable);
}
