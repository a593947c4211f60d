// The conversion job builder: the records it gives for audio and video profiles, the picture
// size and the four fitting modes (the designed worked examples), and unconfirmed profiles of
// the shipped catalogue.
#include "app/AppPaths.h"
#include "app/JobBuilder.h"
#include "app/ProfileParams.h"
#include "app/SettingsKeys.h"
#include "engine/FFmpegLoader.h"
#include "engine/OptionConvert.h"
#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"

#include "EnvOverride.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zelta;
using namespace zelta::test;

namespace {

class TRecordingPrompts : public TUserPrompts {
public:
    bool Answer = true;
    std::vector<std::string> Questions;

    void ShowMessage(std::string_view Caption, std::string_view Text) override
    {
        ADD_FAILURE() << "unexpected message " << Caption << ": " << Text;
    }
    bool AskYesNo(std::string_view Caption, std::string_view Text) override
    {
        Questions.push_back(std::string(Caption) + "|" + std::string(Text));
        return Answer;
    }
};

constexpr int Code = 7; // a profile of the test's own files

class TJobBuilder : public testing::Test {
protected:
    TTempFolder Folder;
    TIniFile Settings{Folder.File("zeltavideoaudioconverter.ini")};
    TIniFile Catalogue{Folder.File("zeltaaudioformat.ini")};
    TRecordingPrompts Prompts;
    TlvFilesRecord Row;
    TOutputOptions Output;
    TInputOptions Input;

    void SetUp() override
    {
        ResetOutputOptions(Output);
        ResetInputOptions(Input);
    }

    void Para(std::string_view Key, std::string_view Value)
    {
        ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), Key, Value));
    }
    // A video profile with the given encoder and size.
    void VideoProfile(std::string_view Encoder, std::string_view Size)
    {
        Para(KeyParaVideoEncoder, Encoder);
        Para(KeyParaVideoSize, Size);
    }
    void Build(TSourceVideo Source)
    {
        BuildJobOptions(Row, Code, Output, Input, Source, Settings, Catalogue, Prompts);
    }
    static TSourceVideo Video(int Width, int Height) { return {1, Width, Height, 900000}; }
};

// ---- audio profiles ----

TEST_F(TJobBuilder, AudioProfileWithoutSettingsOrCatalogueSection)
{
    Build(Video(640, 480));
    EXPECT_EQ(Output.AudioCodec, "libfaac");
    EXPECT_EQ(Output.AudioChannels, 2);
    EXPECT_EQ(Output.AudioSampleRate, 44100);
    EXPECT_EQ(Output.AudioBitrate, 128000);
    EXPECT_EQ(Output.AudioVolume, -1); // unchanged volume, not the nearly silent 3
    EXPECT_EQ(Input.ExtOptions, "vn=1");
    EXPECT_TRUE(Output.DisableVideo);
    EXPECT_TRUE(Output.DisableSubtitle);
    EXPECT_FALSE(Output.DisableAudio);
    EXPECT_EQ(Output.VideoCodec, "");
    EXPECT_EQ(Output.FrameSize, "");
    EXPECT_EQ(Output.Target, 0);
    EXPECT_EQ(Output.Duration, NoMediaTime);
    EXPECT_TRUE(Prompts.Questions.empty());
}

TEST_F(TJobBuilder, TagsAreKeptAndLoudnessTagsWrittenAsTheSettingsSay)
{
    Build(Video(640, 480));
    EXPECT_TRUE(Output.KeepTags);
    EXPECT_FALSE(Output.ReplayGain);

    ASSERT_TRUE(Settings.WriteBool(SectionSettings, KeyKeepTags, false));
    ASSERT_TRUE(Settings.WriteBool(SectionSettings, KeyReplayGain, true));
    ResetOutputOptions(Output);
    VideoProfile("mpeg4", "320x240");
    Build(Video(640, 480));
    EXPECT_FALSE(Output.KeepTags);
    EXPECT_TRUE(Output.ReplayGain);
}

TEST_F(TJobBuilder, AudioValuesAsWritten)
{
    Para(KeyParaVideoEncoder, "  ");
    Para(KeyParaAudioEncoder, "libmp3lame");
    Para(KeyParaAudioBitRate, "96.5");
    Para(KeyParaChannel, "0");
    Para(KeyParaSampleRate, "as source");
    Para(KeyParaVolume, "512");
    Build(Video(640, 480));
    EXPECT_EQ(Output.AudioCodec, "libmp3lame");
    EXPECT_EQ(Output.AudioBitrate, 96500);
    EXPECT_EQ(Output.AudioChannels, -1);
    EXPECT_EQ(Output.AudioSampleRate, -1);
    EXPECT_EQ(Output.AudioVolume, 512);
    EXPECT_TRUE(Output.DisableVideo);

    ResetOutputOptions(Output);
    Para(KeyParaAudioBitRate, "as source");
    Para(KeyParaVolume, "256");
    Build(Video(640, 480));
    EXPECT_EQ(Output.AudioBitrate, -1);
    EXPECT_EQ(Output.AudioVolume, -1);
}

TEST_F(TJobBuilder, AVolumeThatIsNoIntegerIsAConversionError)
{
    Para(KeyParaVolume, "loud");
    try {
        Build(Video(640, 480));
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& E) {
        EXPECT_STREQ(E.what(), "'loud' is not a valid integer value");
    }
}

TEST_F(TJobBuilder, TrimLengthBecomesTheDuration)
{
    Row.TrimLength = 2500000;
    Build(Video(640, 480));
    EXPECT_EQ(Output.Duration, 2500000);
}

// ---- video profiles ----

TEST_F(TJobBuilder, EncoderPresetContainerAndRates)
{
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\nFormat=IPod\n");
    VideoProfile("libx264", "as source");
    Para(KeyParaFrameRate, "25");
    Para(KeyParaVideoBitRate, "768");
    Para(KeyParaAudioEncoder, "libamr_nb");
    Para(KeyParaChannel, "-1"); // video profiles take any integer
    Row.ZoomMode = "full";
    Build(Video(320, 240));
    EXPECT_EQ(Output.VideoCodec, "libx264");
    EXPECT_EQ(Output.VideoPreset, "libx264-ipod");
    EXPECT_EQ(Output.FileFormat, "IPod");
    EXPECT_EQ(Output.FrameRate, "25");
    EXPECT_EQ(Output.VideoBitrate, 768000);
    EXPECT_EQ(Output.AudioCodec, "libopencore_amrnb");
    EXPECT_EQ(Output.AudioChannels, -1);
    EXPECT_EQ(Output.AudioBitrate, 128000);
    EXPECT_EQ(Input.ExtOptions, "");
    EXPECT_FALSE(Output.DisableVideo);
    EXPECT_FALSE(Output.DisableAudio);

    // A name the engine is not given, a rate that is no number, the source's bit rate, and a
    // video profile without audio encoder.
    ResetOutputOptions(Output);
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\nFormat=mp4\n");
    VideoProfile("flv", "as source");
    Para(KeyParaFrameRate, "30000/1001");
    Para(KeyParaVideoBitRate, "as source");
    Para(KeyParaAudioEncoder, "");
    Build(Video(320, 240));
    EXPECT_EQ(Output.VideoCodec, "");
    EXPECT_EQ(Output.VideoPreset, "");
    EXPECT_EQ(Output.FileFormat, "");
    EXPECT_EQ(Output.FrameRate, "");
    EXPECT_EQ(Output.VideoBitrate, 900000);
    EXPECT_TRUE(Output.DisableAudio);
}

TEST_F(TJobBuilder, TargetsByFormatAndEncoder)
{
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\nFormat=PAL-DVD\n");
    VideoProfile("mpeg4", "720x576");
    Build({0, -1, -1, -1}); // no video: the target's ratio stays
    EXPECT_EQ(Output.Target, 3);
    EXPECT_EQ(Output.TargetNorm, 1);
    EXPECT_EQ(Output.AspectRatio, "16:9");
    EXPECT_TRUE(Output.DisableVideo);
    EXPECT_EQ(Output.FrameSize, "");

    ResetOutputOptions(Output);
    Build(Video(720, 576)); // the fitting overwrites it
    EXPECT_EQ(Output.AspectRatio, "720:576");

    // The MPEG-2 encoder makes a profile without a target a DVD, but an SVCD stays an SVCD.
    ResetOutputOptions(Output);
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\nFormat=ntsc-svcd\n");
    VideoProfile("mpeg2video", "480x480");
    Build({0, -1, -1, -1});
    EXPECT_EQ(Output.Target, 2);
    EXPECT_EQ(Output.TargetNorm, 2);
    EXPECT_EQ(Output.AspectRatio, "4:3");

    ResetOutputOptions(Output);
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\nFormat=mpeg\n");
    Build({0, -1, -1, -1});
    EXPECT_EQ(Output.Target, 3);
}

TEST_F(TJobBuilder, SizeWithoutHeightAsksOnce)
{
    VideoProfile("mpeg4", "640x");
    Row.ZoomMode = "full";
    Prompts.Answer = false;
    Build(Video(720, 576));
    EXPECT_EQ(Prompts.Questions,
              std::vector<std::string>{"Warning|Error output Video Size.Use the default size 320x240?"});
    EXPECT_EQ(Output.FrameSize, "720x576");

    ResetOutputOptions(Output);
    Prompts.Answer = true;
    VideoProfile("mpeg4", "null");
    Build(Video(720, 576));
    EXPECT_EQ(Prompts.Questions.size(), 2u);
    EXPECT_EQ(Output.FrameSize, "320x240");
}

TEST_F(TJobBuilder, H263SnapsSizesItDoesNotTake)
{
    Row.ZoomMode = "full";
    VideoProfile("h263", "300x200");
    Build(Video(640, 480));
    EXPECT_EQ(Output.FrameSize, "352x288");

    ResetOutputOptions(Output);
    VideoProfile("h263", "176x144");
    Build(Video(640, 480));
    EXPECT_EQ(Output.FrameSize, "176x144");

    ResetOutputOptions(Output);
    VideoProfile("mpeg4", "300x200"); // other encoders keep the size
    Build(Video(640, 480));
    EXPECT_EQ(Output.FrameSize, "300x200");
}

TEST_F(TJobBuilder, FullScreenAtTheSourceSize)
{
    VideoProfile("mpeg4", "as source");
    Row.ZoomMode = "full";
    Build(Video(720, 576));
    EXPECT_EQ(Output.FrameSize, "720x576");
    EXPECT_EQ(Output.AspectRatio, "720:576");
    EXPECT_EQ(Output.CropTop, 0);
    EXPECT_EQ(Output.CropBottom, 0);
    EXPECT_EQ(Output.CropLeft, 0);
    EXPECT_EQ(Output.CropRight, 0);
    EXPECT_EQ(Output.VideoFilters, "");
}

TEST_F(TJobBuilder, LetterboxWideSourceIntoFourThree)
{
    VideoProfile("mpeg4", "640x480");
    Row.ZoomMode = "lbox";
    Build(Video(1280, 720));
    EXPECT_EQ(Output.FrameSize, "640x360");
    EXPECT_EQ(Output.AspectRatio, "640:360");
    EXPECT_EQ(Output.VideoFilters, "pad=640:480:0:60");
}

// The engine cuts the margins off before it scales: the picture the crop leaves is what is
// fitted, scaled and padded, and no filter crops again.
TEST_F(TJobBuilder, LetterboxFitsThePictureTheCropLeaves)
{
    VideoProfile("mpeg4", "as source");
    Row.ZoomMode = "lbox";
    Row.CropLeft = 8;
    Row.CropRight = 12;
    Row.CropTop = 10;
    Row.CropBottom = 10;
    Build(Video(720, 576));
    EXPECT_EQ(Output.CropLeft, 8);
    EXPECT_EQ(Output.CropRight, 12);
    EXPECT_EQ(Output.CropTop, 10);
    EXPECT_EQ(Output.CropBottom, 10);
    // The source's size is the cropped picture's own.
    EXPECT_EQ(Output.FrameSize, "700x556");
    EXPECT_EQ(Output.AspectRatio, "700:556");
    EXPECT_EQ(Output.VideoFilters, "pad=700:556:0:0");

    // 700x556 into 640x480: the height fills, 604 of the width (700 / 556 * 480), 18 each side.
    VideoProfile("mpeg4", "640x480");
    ResetOutputOptions(Output);
    Build(Video(720, 576));
    EXPECT_EQ(Output.FrameSize, "604x480");
    EXPECT_EQ(Output.AspectRatio, "604:480");
    EXPECT_EQ(Output.VideoFilters, "pad=640:480:18:0");
}

TEST_F(TJobBuilder, CenterPalSourceIntoFourThree)
{
    VideoProfile("mpeg4", "640x480");
    Row.ZoomMode = "center";
    Build(Video(720, 576));
    EXPECT_EQ(Output.FrameSize, "600x480");
    EXPECT_EQ(Output.AspectRatio, "640:480");
    EXPECT_EQ(Output.VideoFilters, "pad=760:576:20:0:black");
}

TEST_F(TJobBuilder, PanAndScanCropsTheSidesOfAWideSource)
{
    VideoProfile("mpeg4", "640x480");
    Row.ZoomMode = "pan";
    Build(Video(1920, 1080));
    // 1440 of the 1920 columns are 4:3 of 1080 rows: 240 go on each side.
    EXPECT_EQ(Output.CropLeft, 240);
    EXPECT_EQ(Output.CropRight, 240);
    EXPECT_EQ(Output.CropTop, 0);
    EXPECT_EQ(Output.FrameSize, "640x480");
    EXPECT_EQ(Output.AspectRatio, "640:480");
    EXPECT_EQ(Output.VideoFilters, "");
}

// ---- the shipped catalogue, profiles never confirmed ----

class TJobBuilderShipped : public TJobBuilder {
protected:
    TEnvOverride NoHome{"ZELTA_HOME", ""};
    TIniFile Shipped{CatalogueFilePath()};

    void BuildShipped(int ProfileCode, TSourceVideo Source)
    {
        BuildJobOptions(Row, ProfileCode, Output, Input, Source, Settings, Shipped, Prompts);
    }
};

TEST_F(TJobBuilderShipped, Mp3ConvertsWithLameAtFullVolume)
{
    BuildShipped(0, Video(640, 480));
    EXPECT_EQ(Output.AudioCodec, "libmp3lame");
    EXPECT_EQ(Output.AudioBitrate, 128000);
    EXPECT_EQ(Output.AudioSampleRate, 44100);
    EXPECT_EQ(Output.AudioChannels, 2);
    EXPECT_EQ(Output.AudioVolume, -1);
    EXPECT_TRUE(Output.DisableVideo);
}

TEST_F(TJobBuilderShipped, IPodConvertsWithX264IntoItsContainer)
{
    BuildShipped(300, Video(1280, 720)); // the row keeps the default zoom "lbox"
    EXPECT_EQ(Output.VideoCodec, "libx264");
    EXPECT_EQ(Output.VideoPreset, "libx264-ipod");
    EXPECT_EQ(Output.FileFormat, "ipod");
    EXPECT_EQ(Output.VideoBitrate, 768000);
    EXPECT_EQ(Output.FrameRate, "");
    EXPECT_EQ(Output.FrameSize, "320x180");
    EXPECT_EQ(Output.VideoFilters, "pad=320:240:0:30");
    EXPECT_EQ(Output.AudioCodec, "libfaac");
    EXPECT_EQ(Output.AudioBitrate, 128000);
    EXPECT_EQ(Output.AudioChannels, 2);
    EXPECT_EQ(Output.AudioVolume, -1);
    EXPECT_TRUE(Prompts.Questions.empty());
}

// ---- the probe's data ----

class TJobBuilderProbe : public TJobBuilder {
protected:
    void SetUp() override
    {
        TJobBuilder::SetUp();
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    }
};

TEST_F(TJobBuilderProbe, ReadsTheFirstVideoStream)
{
    TAVProbe Probe;
    ASSERT_TRUE(Probe.Open(fixtures::Fixtures().Mp4H264Aac)) << Probe.LastError();
    const TSourceVideo Source = SourceVideoOf(Probe);
    EXPECT_EQ(Source.StreamCount, 1);
    EXPECT_EQ(Source.Width, 320);
    EXPECT_EQ(Source.Height, 240);

    VideoProfile("mpeg4", "as source");
    Row.ZoomMode = "full";
    BuildJobOptions(Row, Code, Output, Input, Probe, Settings, Catalogue, Prompts);
    EXPECT_EQ(Output.FrameSize, "320x240");

    TAVProbe Audio;
    ASSERT_TRUE(Audio.Open(fixtures::Fixtures().Wav)) << Audio.LastError();
    EXPECT_EQ(SourceVideoOf(Audio).StreamCount, 0);
    EXPECT_EQ(SourceVideoOf(Audio).Width, -1);
}

}  // namespace

TEST(JobBuilderAuto, FilesAtOnceFollowTheProfile)
{
    test::TTempFolder Dir;
    TIniFile Settings(Dir.File("settings.ini"));
    const TIniFile Catalogue(JoinPath(ProgramFolder(), CatalogueFileName));
    // The shipped audio profiles write no video, the shipped video profiles do.
    for (int Code : {0, 1, 4, 6})
        EXPECT_FALSE(ProfileHasVideo(Settings, Catalogue, Code)) << Code;
    for (int Code : {100, 101})
        EXPECT_TRUE(ProfileHasVideo(Settings, Catalogue, Code)) << Code;
    EXPECT_EQ(AutoJobCount(false, 2), 2);
    EXPECT_EQ(AutoJobCount(false, 0), 1);  // the core count is unknown
    EXPECT_EQ(AutoJobCount(false, 64), 8); // a big machine still runs a bounded number
    EXPECT_EQ(AutoJobCount(true, 16), 1);
}
