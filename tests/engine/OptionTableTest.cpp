#include "OptionTestSupport.h"

#include "engine/FFUtils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

extern "C" {
#include <libavcodec/bsf.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
}

using optiontest::TOptionTest;
using ::testing::HasSubstr;

namespace {

std::string Values(int From, int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i)
        text += (i ? "," : "") + std::to_string(From + i);
    return text;
}

} // namespace

class OptionStateTest : public TOptionTest {};

TEST_F(OptionStateTest, FreshCoreHoldsTheDefaults) {
    const TOptionState& o = State();
    EXPECT_TRUE(static_cast<const TOptionValues&>(o) == TOptionValues());
    EXPECT_EQ(o.MaxFrames[skVideo], 2147483647);
    EXPECT_EQ(o.MaxFrames[skSubtitle], 2147483647);
    EXPECT_EQ(o.RecordingTime, INT64_MAX);
    EXPECT_EQ(o.AudioSampleRate, 44100);
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_EQ(o.AudioQScale, -99999.0f);
    EXPECT_EQ(o.IntraDcPrecision, 8);
    EXPECT_EQ(o.AudioVolume, 256);
    EXPECT_EQ(o.SwsFlags, 4);
    EXPECT_FLOAT_EQ(o.MuxPreload, 0.5f);
    EXPECT_FLOAT_EQ(o.MuxMaxDelay, 0.7f);
    EXPECT_FLOAT_EQ(o.DtsDeltaThreshold, 10.0f);
    EXPECT_FLOAT_EQ(o.AudioDriftThreshold, 0.1f);
    EXPECT_EQ(o.TopFieldFirst, -1);
    EXPECT_EQ(o.LoopOutput, -1);
    EXPECT_EQ(o.VideoSyncMethod, -1);
    EXPECT_EQ(o.FramePixFmt, -1);
    EXPECT_EQ(o.AudioSampleFmt, -1);
    EXPECT_EQ(o.Verbose, 1);
    EXPECT_EQ(Core->TotalDuration, -1);
    // A fresh core is usable without PrepareTask.
    TCustomFFmpeg fresh;
    EXPECT_TRUE(fresh.SetGenericOption("g", "30"));
}

TEST_F(OptionStateTest, ResetOptionsAndPrepareTaskRestoreEverything) {
    Set("s", "640x480");
    Set("map", "0.1");
    Set("map_meta_data", "0:0");
    Set("streamid", "3:9");
    Set("metadata", "title=x");
    Set("vbsf", "null");
    Set("intra_matrix", Values(1, 64));
    Set("vcodec", "copy");
    Set("t", "5");
    ASSERT_TRUE(Core->SetGenericOption("g", "99"));
    ASSERT_FALSE(static_cast<const TOptionValues&>(State()) == TOptionValues());

    Core->ResetOptions();
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == TOptionValues());
    EXPECT_TRUE(State().BitstreamFilters[0].empty());

    Set("s", "640x480");
    Set("t", "5");
    EXPECT_EQ(Core->TotalDuration, 5000000);
    Core->PrepareTask();
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == TOptionValues());
    EXPECT_EQ(Core->TotalDuration, -1);
    // Fresh option contexts: nothing listed, library defaults back.
    EXPECT_TRUE(Contexts().SetOptions().empty());
    int64_t g = 0;
    ASSERT_GE(av_opt_get_int(Contexts().Video(), "g", 0, &g), 0);
    EXPECT_EQ(g, 12);
}

TEST_F(OptionStateTest, UnknownNamesAndOtherCaseChangeNothing) {
    Set("s", "320x240");
    const TOptionValues before = State();
    for (const char* name : {"nosuchoption", "VN", "Croptop", "TARGET", "-vn"}) {
        EXPECT_EQ(Raised([&] { Set(name, "1"); }), "<none>") << name;
        EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == before) << name;
    }
    EXPECT_TRUE(Contexts().SetOptions().empty());
    EXPECT_TRUE(Lines().empty());
}

TEST_F(OptionStateTest, SimpleOptionsSetTheirOwnField) {
    struct TCase {
        const char* Name;
        const char* Value;
        std::function<bool(const TOptionState&)> Holds;
    };
    const TCase cases[] = {
        {"dump", "1", [](const TOptionState& o) { return o.DoPktDump && !o.DoHexDump; }},
        {"hex", "", [](const TOptionState& o) { return o.DoHexDump && !o.DoPktDump; }},
        {"re", "1", [](const TOptionState& o) { return o.RateEmu; }},
        {"loop_input", "1", [](const TOptionState& o) { return o.LoopInput; }},
        {"loop_output", "3", [](const TOptionState& o) { return o.LoopOutput == 3; }},
        {"v", "-1", [](const TOptionState& o) { return o.Verbose == -1; }},
        {"vsync", "2", [](const TOptionState& o) { return o.VideoSyncMethod == 2 && o.AudioSyncMethod == 0; }},
        {"async", "5", [](const TOptionState& o) { return o.AudioSyncMethod == 5 && o.VideoSyncMethod == -1; }},
        {"adrift_threshold", "0.25", [](const TOptionState& o) { return o.AudioDriftThreshold == 0.25f; }},
        {"vglobal", "2", [](const TOptionState& o) { return o.VideoGlobalHeader == 2; }},
        {"copyts", "0", [](const TOptionState& o) { return o.CopyTs; }},
        {"shortest", "1", [](const TOptionState& o) { return o.Shortest; }},
        {"dts_delta_threshold", "2.5", [](const TOptionState& o) { return o.DtsDeltaThreshold == 2.5f; }},
        {"programid", "7", [](const TOptionState& o) { return o.ProgramId == 7; }},
        {"xerror", "0", [](const TOptionState& o) { return o.ExitOnError; }},
        {"copyinkf", "1", [](const TOptionState& o) { return o.CopyInitialNonKeyframes == 1; }},
        {"dframes", "5", [](const TOptionState& o) { return o.MaxFrames[skData] == 5 && o.MaxFrames[skVideo] == 2147483647; }},
        {"vframes", "6", [](const TOptionState& o) { return o.MaxFrames[skVideo] == 6 && o.MaxFrames[skAudio] == 2147483647; }},
        {"aframes", "7", [](const TOptionState& o) { return o.MaxFrames[skAudio] == 7 && o.MaxFrames[skData] == 2147483647; }},
        {"fs", "5000000000", [](const TOptionState& o) { return o.LimitFileSize == 5000000000LL; }},
        {"intra", "1", [](const TOptionState& o) { return o.IntraOnly; }},
        {"vdt", "16", [](const TOptionState& o) { return o.VideoDiscard == 16; }},
        {"rc_override", "0,10,5", [](const TOptionState& o) { return o.VideoRcOverride == "0,10,5"; }},
        {"me_threshold", "4", [](const TOptionState& o) { return o.MeThreshold == 4; }},
        {"sameq", "1", [](const TOptionState& o) { return o.SameQuality; }},
        {"passlogfile", "stats", [](const TOptionState& o) { return o.PassLogFileName == "stats"; }},
        {"deinterlace", "1", [](const TOptionState& o) { return o.DoDeinterlace && !o.DoPsnr; }},
        {"psnr", "1", [](const TOptionState& o) { return o.DoPsnr && !o.DoDeinterlace; }},
        {"vstats_file", "v.log", [](const TOptionState& o) { return o.VStatsFileName == "v.log"; }},
        {"vfilters", "hflip", [](const TOptionState& o) { return o.VideoFilters == "hflip"; }},
        {"vf", "vflip", [](const TOptionState& o) { return o.VideoFilters == "vflip"; }},
        {"top", "1", [](const TOptionState& o) { return o.TopFieldFirst == 1; }},
        {"dc", "10", [](const TOptionState& o) { return o.IntraDcPrecision == 10; }},
        {"vlang", "eng", [](const TOptionState& o) { return o.VideoLanguage == "eng" && o.AudioLanguage.empty(); }},
        {"alang", "ger", [](const TOptionState& o) { return o.AudioLanguage == "ger" && o.SubtitleLanguage.empty(); }},
        {"slang", "fre", [](const TOptionState& o) { return o.SubtitleLanguage == "fre" && o.VideoLanguage.empty(); }},
        {"qphist", "1", [](const TOptionState& o) { return o.QpHist; }},
        {"force_fps", "1", [](const TOptionState& o) { return o.ForceFps; }},
        {"aq", "3.5", [](const TOptionState& o) { return o.AudioQScale == 3.5f; }},
        {"ar", "22050", [](const TOptionState& o) { return o.AudioSampleRate == 22050; }},
        {"ar", "0", [](const TOptionState& o) { return o.AudioSampleRate == 44100; }},
        {"ac", "6", [](const TOptionState& o) { return o.AudioChannels == 6; }},
        {"ac", "-1", [](const TOptionState& o) { return o.AudioChannels == 2; }},
        {"an", "1", [](const TOptionState& o) { return o.AudioDisable && !o.VideoDisable; }},
        {"sn", "1", [](const TOptionState& o) { return o.SubtitleDisable && !o.AudioDisable; }},
        {"vol", "512", [](const TOptionState& o) { return o.AudioVolume == 512; }},
        {"vc", "2", [](const TOptionState& o) { return o.VideoChannel == 2; }},
        {"tvstd", "pal", [](const TOptionState& o) { return o.VideoStandard == "pal"; }},
        {"isync", "1", [](const TOptionState& o) { return o.InputSync; }},
        {"muxdelay", "0.2", [](const TOptionState& o) { return o.MuxMaxDelay == 0.2f && o.MuxPreload == 0.5f; }},
        {"muxpreload", "0.3", [](const TOptionState& o) { return o.MuxPreload == 0.3f && o.MuxMaxDelay == 0.7f; }},
    };
    for (const TCase& c : cases) {
        Core->ResetOptions();
        Set(c.Name, c.Value);
        EXPECT_TRUE(c.Holds(State())) << c.Name << "=" << c.Value;
    }
}

TEST_F(OptionStateTest, BooleanAndNumberConversions) {
    Set("vn", "");
    EXPECT_TRUE(State().VideoDisable);
    Set("vn", "0");
    EXPECT_FALSE(State().VideoDisable);
    Set("vn", "false"); // only "0" is false
    EXPECT_TRUE(State().VideoDisable);

    EXPECT_EQ(RaisedBy<EConvertError>("vframes", "abc"), "'abc' is not a valid integer value");
    EXPECT_EQ(RaisedBy<EConvertError>("vframes", "12x"), "'12x' is not a valid integer value");
    EXPECT_EQ(RaisedBy<EConvertError>("vframes", ""), "'' is not a valid integer value");
    EXPECT_EQ(RaisedBy<EConvertError>("vframes", "99999999999"),
              "'99999999999' is not a valid integer value");
    EXPECT_EQ(State().MaxFrames[skVideo], 2147483647);
    Set("vframes", "-5");
    EXPECT_EQ(State().MaxFrames[skVideo], -5);
    Set("vframes", "+5");
    EXPECT_EQ(State().MaxFrames[skVideo], 5);

    EXPECT_EQ(RaisedBy<EConvertError>("adrift_threshold", "x"),
              "'x' is not a valid floating point value");
    EXPECT_EQ(RaisedBy<EConvertError>("adrift_threshold", "0,5"),
              "'0,5' is not a valid floating point value");
    EXPECT_EQ(RaisedBy<EConvertError>("aq", "inf"), "'inf' is not a valid floating point value");
    EXPECT_EQ(RaisedBy<EConvertError>("fs", "1.5"), "'1.5' is not a valid integer value");
    Set("adrift_threshold", "1e-1");
    EXPECT_FLOAT_EQ(State().AudioDriftThreshold, 0.1f);
}

TEST_F(OptionStateTest, TimesGoThroughTheLibraryParser) {
    Set("ss", "1:02.5");
    EXPECT_EQ(State().StartTime, 62500000);
    Set("itsoffset", "-2");
    EXPECT_EQ(State().InputTsOffset, -2000000);
    Set("t", "00:00:03");
    EXPECT_EQ(State().RecordingTime, 3000000);
    EXPECT_EQ(Core->TotalDuration, 3000000);
    EXPECT_EQ(RaisedBy<FFmpegException>("t", "bad"), "Invalid duration specification for t: bad");
    EXPECT_EQ(RaisedBy<FFmpegException>("ss", "1:xx"), "Invalid duration specification for ss: 1:xx");
    EXPECT_EQ(RaisedBy<FFmpegException>("itsoffset", "?"),
              "Invalid duration specification for itsoffset: ?");
    EXPECT_EQ(State().RecordingTime, 3000000);

    Set("timestamp", "1970-01-02 00:00:00Z");
    EXPECT_EQ(State().RecTimestamp, 86400);
    Set("timestamp", "1970-01-01 00:00:10.6Z"); // rounded to the nearest second
    EXPECT_EQ(State().RecTimestamp, 11);
    EXPECT_EQ(RaisedBy<FFmpegException>("timestamp", "nonsense"),
              "Invalid date specification for timestamp: nonsense");
}

TEST_F(OptionStateTest, TypedSettersIgnoreTheNoValueMarkers) {
    Core->SetRecordingTime(NoMediaTime);
    Core->SetStartTime(NoMediaTime);
    Core->SetProgramId(-1);
    Core->SetAudioVolume(-1);
    Core->SetAudioSampleRate(0);
    Core->SetAudioChannels(0);
    Core->SetMuxPreload(0);
    Core->SetMuxMaxDelay(-1);
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == TOptionValues());
    EXPECT_EQ(Core->TotalDuration, -1);

    Core->SetRecordingTime(7000000);
    Core->SetStartTime(1000);
    Core->SetProgramId(0);
    Core->SetAudioVolume(0);
    Core->SetMuxPreload(0.25);
    Core->SetMuxMaxDelay(1.5);
    Core->SetVerbose(3);
    Core->SetAudioSyncMethod(1);
    Core->SetVideoSyncMethod(0);
    Core->AddMetadata("a=b", "c");
    EXPECT_EQ(State().RecordingTime, 7000000);
    EXPECT_EQ(Core->TotalDuration, 7000000);
    EXPECT_EQ(State().StartTime, 1000);
    EXPECT_EQ(State().AudioVolume, 0);
    EXPECT_FLOAT_EQ(State().MuxPreload, 0.25f);
    EXPECT_FLOAT_EQ(State().MuxMaxDelay, 1.5f);
    EXPECT_EQ(State().Verbose, 3);
    EXPECT_EQ(State().AudioSyncMethod, 1);
    EXPECT_EQ(State().VideoSyncMethod, 0);
    ASSERT_EQ(State().Metadata.size(), 1u);
    EXPECT_EQ(State().Metadata[0].first, "a=b"); // appended without parsing
    EXPECT_TRUE(Core->SetGenericOption("g", int64_t(30)));
    int64_t g = 0;
    ASSERT_GE(av_opt_get_int(Contexts().Video(), "g", 0, &g), 0);
    EXPECT_EQ(g, 30);
}

class OptionMessageTest : public TOptionTest {};

TEST_F(OptionMessageTest, InformationalOptionsDoNothingButLog) {
    const TOptionValues before = State();
    for (const char* name :
         {"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters", "i", "y", "benchmark"}) {
        ClearLines();
        Set(name, "whatever");
        EXPECT_EQ(Logged(llInfo, std::string("Do nothing: option - ") + name), 1) << name;
    }
    ClearLines();
    Set("timelimit", "10");
    EXPECT_EQ(Logged(llWarning, "Warning: -timelimit not implemented on Windows"), 1);
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == before);
}

TEST_F(OptionMessageTest, Refusals) {
    EXPECT_EQ(RaisedBy<FFmpegException>("threads", "4"), "TODO: option - threads");
    for (const char* pad : {"padtop", "padbottom", "padleft", "padright", "padcolor"})
        EXPECT_EQ(RaisedBy<FFmpegException>(pad, "8"), "Please use vfilters=pad") << pad;
    for (const char* q : {"0", "-1", "255.5", "256"})
        EXPECT_EQ(RaisedBy<FFmpegException>("qscale", q), "qscale must be > 0.0 and <= 255") << q;
    Set("qscale", "255");
    EXPECT_FLOAT_EQ(State().VideoQScale, 255.0f);
    Set("qscale", "0.5");
    EXPECT_FLOAT_EQ(State().VideoQScale, 0.5f);
    for (const char* p : {"0", "3", "-1"})
        EXPECT_EQ(RaisedBy<FFmpegException>("pass", p), "pass number can be only 1 or 2") << p;
    Set("pass", "2");
    EXPECT_EQ(State().DoPass, 2);
    EXPECT_EQ(RaisedBy<FFmpegException>("pix_fmt", "nosuchfmt"),
              "Unknown pixel format requested: nosuchfmt");
    for (const char* r : {"abc", "25/0x", ""})
        EXPECT_EQ(RaisedBy<FFmpegException>("r", r), "Incorrect frame rate") << r;
    for (const char* s : {"abc", "640x", "x480"})
        EXPECT_EQ(RaisedBy<FFmpegException>("s", s), "Incorrect frame size") << s;
    for (const char* n : {"newvideo", "newaudio", "newsubtitle"})
        EXPECT_EQ(RaisedBy<FFmpegException>(n, ""), "At least one output file must be specified") << n;
    EXPECT_EQ(RaisedBy<FFmpegException>("vhook", "/usr/lib/vhook/drawtext.so -t x"),
              "Failed to add video hook function: /usr/lib/vhook/drawtext.so -t x");
    EXPECT_EQ(RaisedBy<FFmpegException>("metadata", "title"), "Missing =");
    const TLogLevel level = GetLogger().LogLevel();
    EXPECT_NE(RaisedBy<FFmpegException>("loglevel", "chatty"), "<none>");
    EXPECT_EQ(GetLogger().LogLevel(), level);
}

TEST_F(OptionMessageTest, TagsMustHaveFourCharacters) {
    Set("vtag", "XVID");
    EXPECT_EQ(State().VideoCodecTag, uint32_t('X') | uint32_t('V') << 8 | uint32_t('I') << 16 |
                                         uint32_t('D') << 24);
    Set("atag", "mp4a");
    EXPECT_EQ(State().AudioCodecTag, MKTAG('m', 'p', '4', 'a'));
    Set("stag", "tx3g");
    EXPECT_EQ(State().SubtitleCodecTag, MKTAG('t', 'x', '3', 'g'));
    EXPECT_EQ(RaisedBy<EAssertionFailed>("vtag", "XVI"), "video tag parameter must be 4 chars");
    EXPECT_EQ(RaisedBy<EAssertionFailed>("vtag", "XVIDX"), "video tag parameter must be 4 chars");
    EXPECT_EQ(RaisedBy<EAssertionFailed>("atag", ""), "audio tag parameter must be 4 chars");
    EXPECT_EQ(RaisedBy<EAssertionFailed>("stag", "ab"), "subtitle tag parameter must be 4 chars");
    EXPECT_EQ(Raised<EAssertionFailed>([&] { Core->SetAudioTag("abcde"); }),
              "audio tag parameter must be 4 chars");
    EXPECT_EQ(State().VideoCodecTag, MKTAG('X', 'V', 'I', 'D'));
}

TEST_F(OptionMessageTest, ForcedFormatAndLogLevel) {
    Set("f", "avi");
    EXPECT_EQ(State().ForcedFormat, "avi");
    EXPECT_FALSE(State().PgmYuvHack);
    Set("f", "pgmyuv");
    EXPECT_EQ(State().ForcedFormat, "image2");
    EXPECT_TRUE(State().PgmYuvHack);
    EXPECT_EQ(Logged(llInfo, "pgmyuv format is deprecated, use image2"), 1);

    Set("loglevel", "warning");
    EXPECT_EQ(GetLogger().LogLevel(), llWarning);
    Set("loglevel", "48");
    EXPECT_EQ(GetLogger().LogLevel(), llDebug);
}

TEST_F(OptionMessageTest, VStatsNamesAFileBesideTheProgram) {
    Set("vstats", "");
    ASSERT_TRUE(State().VStatsFileName.has_value());
    const std::string folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(TCustomFFmpeg::ProgramFolder(), folder);
    const std::string name = *State().VStatsFileName;
    ASSERT_EQ(name.compare(0, folder.size(), folder), 0) << name;
    EXPECT_TRUE(std::regex_match(name.substr(folder.size()), std::regex(R"(vstats_\d{6}\.log)")))
        << name;
}

class VideoOptionTest : public TOptionTest {};

TEST_F(VideoOptionTest, RateSizeAndAspect) {
    Set("r", "30000/1001");
    EXPECT_EQ(State().FrameRate, (TRational{30000, 1001}));
    Set("r", "pal");
    EXPECT_EQ(State().FrameRate, (TRational{25, 1}));
    Set("r", "ntsc-film");
    EXPECT_EQ(State().FrameRate, (TRational{24000, 1001}));
    Set("s", "640x480");
    EXPECT_EQ(State().FrameWidth, 640);
    EXPECT_EQ(State().FrameHeight, 480);
    Set("s", "hd720");
    EXPECT_EQ(State().FrameWidth, 1280);
    EXPECT_EQ(State().FrameHeight, 720);

    for (const char* bad : {"16:0", "0", "abc", "0:9", "16:-9", ""})
        EXPECT_EQ(RaisedBy<FFmpegException>("aspect", bad), "Incorrect aspect ratio specification.")
            << bad;
    EXPECT_EQ(State().FrameAspectRatio, 0.0f);
    Set("aspect", "4:3");
    EXPECT_NEAR(State().FrameAspectRatio, 1.3333, 1e-4);
    Set("aspect", "16:9junk"); // the integer before and after the first ":"
    EXPECT_NEAR(State().FrameAspectRatio, 16.0 / 9.0, 1e-6);
    Set("aspect", "2.35");
    EXPECT_FLOAT_EQ(State().FrameAspectRatio, 2.35f);
}

TEST_F(VideoOptionTest, CropChecksTheCurrentFrameSize) {
    Set("s", "320x240");
    EXPECT_EQ(RaisedBy<FFmpegException>("croptop", "240"),
              "Vertical crop dimensions are outside the range of the original image.\n"
              "Remember to crop first and scale second.");
    EXPECT_EQ(RaisedBy<FFmpegException>("cropbottom", "241"),
              "Vertical crop dimensions are outside the range of the original image.\n"
              "Remember to crop first and scale second.");
    EXPECT_EQ(RaisedBy<FFmpegException>("cropleft", "320"),
              "Horizontal crop dimensions are outside the range of the original image.\n"
              "Remember to crop first and scale second.");
    EXPECT_EQ(State().FrameHeight, 240);
    EXPECT_EQ(State().CropTop, 0);
    EXPECT_TRUE(Lines().empty());

    Set("croptop", "239");
    EXPECT_EQ(State().CropTop, 239);
    EXPECT_EQ(State().FrameHeight, 1);
    EXPECT_EQ(Logged(llWarning, "CropTop is deprecated in favor of the crop avfilter"), 1);
    // The band is taken from what is left.
    EXPECT_EQ(RaisedBy<FFmpegException>("cropbottom", "1"),
              "Vertical crop dimensions are outside the range of the original image.\n"
              "Remember to crop first and scale second.");

    Set("cropleft", "10");
    Set("cropright", "20");
    EXPECT_EQ(State().CropLeft, 10);
    EXPECT_EQ(State().CropRight, 20);
    EXPECT_EQ(State().FrameWidth, 290);
    EXPECT_EQ(Logged(llWarning, "CropLeft is deprecated in favor of the crop avfilter"), 1);
    EXPECT_EQ(Logged(llWarning, "CropRight is deprecated in favor of the crop avfilter"), 1);

    ClearLines();
    Set("croptop", "0");
    Set("cropright", "-4");
    EXPECT_EQ(State().CropTop, 239);
    EXPECT_EQ(State().FrameWidth, 290);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(RaisedBy<EConvertError>("croptop", "ten"), "'ten' is not a valid integer value");

    Core->ResetOptions();
    Set("s", "320x240");
    Core->SetCropBottom(40);
    EXPECT_EQ(State().CropBottom, 40);
    EXPECT_EQ(State().FrameHeight, 200);
    EXPECT_EQ(Logged(llWarning, "CropBottom is deprecated in favor of the crop avfilter"), 1);
}

TEST_F(VideoOptionTest, CodecNamesAndCopy) {
    Set("vcodec", "mpeg4");
    EXPECT_EQ(State().VideoCodecName, "mpeg4");
    Set("vcodec", "");
    EXPECT_EQ(State().VideoCodecName, "mpeg4");
    Set("vcodec", "copy");
    EXPECT_TRUE(State().VideoStreamCopy);
    EXPECT_FALSE(State().VideoCodecName.has_value());
    EXPECT_FALSE(State().AudioStreamCopy);

    Set("acodec", "libmp3lame");
    Set("acodec", "aac");
    EXPECT_EQ(State().AudioCodecName, "aac");
    EXPECT_FALSE(State().AudioStreamCopy);
    Set("scodec", "copy");
    EXPECT_TRUE(State().SubtitleStreamCopy);
    EXPECT_FALSE(State().SubtitleCodecName.has_value());
    Core->SetSubtitleCodec("srt");
    EXPECT_EQ(State().SubtitleCodecName, "srt");
}

TEST_F(VideoOptionTest, PixelAndSampleFormats) {
    Set("pix_fmt", "yuv422p");
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV422P);
    Set("sample_fmt", "s16");
    EXPECT_EQ(State().AudioSampleFmt, AV_SAMPLE_FMT_S16);
    Set("sample_fmt", "nosuch"); // no preference
    EXPECT_EQ(State().AudioSampleFmt, -1);

    Set("pix_fmt", "list");
    std::vector<TLogInfo> lines = Lines();
    ASSERT_EQ(lines.size(), size_t(AV_PIX_FMT_NB) + 1);
    EXPECT_EQ(lines[0].LogMsg, "name nb_components nb_bits");
    EXPECT_EQ(lines[0].LogLevel, llInfo);
    EXPECT_THAT(lines[1 + AV_PIX_FMT_YUV420P].LogMsg, ::testing::StartsWith("yuv420p "));
    for (const TLogInfo& l : lines)
        EXPECT_EQ(l.LogMsg, ffopt::Trim(l.LogMsg));
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV422P);

    ClearLines();
    Set("sample_fmt", "list");
    lines = Lines();
    ASSERT_EQ(lines.size(), size_t(AV_SAMPLE_FMT_NB) + 1);
    EXPECT_THAT(lines[0].LogMsg, ::testing::StartsWith("name"));
    EXPECT_THAT(lines[1 + AV_SAMPLE_FMT_S16].LogMsg, ::testing::StartsWith("s16 "));
}

TEST_F(VideoOptionTest, Matrices) {
    const std::string v63 = Values(1, 63);
    EXPECT_EQ(RaisedBy<FFmpegException>("intra_matrix", v63),
              "Syntax error in matrix \"" + v63 + "\" at coeff 62");
    EXPECT_EQ(RaisedBy<FFmpegException>("inter_matrix", "8"), "Syntax error in matrix \"8\" at coeff 0");

    Set("intra_matrix", Values(1, 64));
    ASSERT_TRUE(State().IntraMatrix.has_value());
    EXPECT_EQ((*State().IntraMatrix)[0], 1);
    EXPECT_EQ((*State().IntraMatrix)[63], 64);

    Set("inter_matrix", Values(100, 70));
    ASSERT_TRUE(State().InterMatrix.has_value());
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ((*State().InterMatrix)[size_t(i)], 100 + i);

    // A later use starts from zeros; a position without a number reads as 0.
    Set("intra_matrix", "," + Values(2, 63));
    EXPECT_EQ((*State().IntraMatrix)[0], 0);
    EXPECT_EQ((*State().IntraMatrix)[1], 2);
    EXPECT_EQ((*State().IntraMatrix)[63], 64);
}

class AudioOptionTest : public TOptionTest {};

TEST_F(AudioOptionTest, BitRatesWarnBelowOneKilobit) {
    int64_t audioBefore = 0;
    ASSERT_GE(av_opt_get_int(Contexts().Audio(), "b", 0, &audioBefore), 0);
    Set("b", "64");
    EXPECT_EQ(Logged(llWarning, "WARNING: The bitrate parameter is set too low. It takes bits/s as "
                                "argument, not kbits/s"),
              1);
    int64_t v = 0;
    ASSERT_GE(av_opt_get_int(Contexts().Video(), "b", 0, &v), 0);
    EXPECT_EQ(v, 64);
    ASSERT_GE(av_opt_get_int(Contexts().Audio(), "b", 0, &v), 0);
    EXPECT_EQ(v, audioBefore) << "b is the video bit rate only";

    ClearLines();
    Set("ab", "128000");
    Set("vb", "1000");
    EXPECT_TRUE(Lines().empty());
    ASSERT_GE(av_opt_get_int(Contexts().Audio(), "b", 0, &v), 0);
    EXPECT_EQ(v, 128000);
    ASSERT_GE(av_opt_get_int(Contexts().Video(), "b", 0, &v), 0);
    EXPECT_EQ(v, 1000);

    Set("ab", "96");
    EXPECT_EQ(LoggedContaining(llWarning, "The bitrate parameter is set too low"), 1);

    // A value the library rejects: its own message, no bit-rate warning.
    ClearLines();
    Set("b", "lots");
    EXPECT_EQ(LoggedContaining(llError, "Invalid value \"lots\" for option \"b\""), 1);
    EXPECT_EQ(LoggedContaining(llWarning, "bitrate"), 0);
    ASSERT_GE(av_opt_get_int(Contexts().Video(), "b", 0, &v), 0);
    EXPECT_EQ(v, 1000);
}

class TableOptionTest : public TOptionTest {};

TEST_F(TableOptionTest, StreamMaps) {
    Set("map", "0.1");
    Set("map", "1.2:3.4");
    Set("map", "2:5");
    const auto& maps = State().StreamMaps;
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(maps[0], (TStreamMap{0, 1, 0, 1}));
    EXPECT_EQ(maps[1], (TStreamMap{1, 2, 3, 4}));
    EXPECT_EQ(maps[2], (TStreamMap{2, 5, 2, 5}));
    for (int i = 3; i < MaxStreamMaps; ++i)
        Set("map", "0.0");
    EXPECT_EQ(RaisedBy<FFmpegException>("map", "0.0"),
              "Too many stream maps: at most 400 map options fit");
    EXPECT_EQ(State().StreamMaps.size(), size_t(MaxStreamMaps));

    Set("map_meta_data", "1:0");
    ASSERT_EQ(State().MetaDataMaps.size(), 1u);
    EXPECT_EQ(State().MetaDataMaps[0], (TMetaDataMap{1, 0}));
    for (int i = 1; i < MaxFiles; ++i)
        Set("map_meta_data", "0:0");
    EXPECT_EQ(RaisedBy<FFmpegException>("map_meta_data", "0:0"),
              "Too many metadata maps: at most 20 map_meta_data options fit");
    EXPECT_EQ(State().MetaDataMaps.size(), size_t(MaxFiles));
}

TEST_F(TableOptionTest, StreamIdsAndTimeStampScales) {
    Set("streamid", "2:7");
    Set("streamid", "19:300");
    EXPECT_EQ(State().StreamIdMap[2], 7);
    EXPECT_EQ(State().StreamIdMap[19], 300);
    for (const char* bad : {"5", "5:", ":5", ""})
        EXPECT_EQ(RaisedBy<FFmpegException>("streamid", bad),
                  std::string("Invalid value \"") + bad +
                      "\" for option \"streamid\", required syntax is \"index:value\"")
            << bad;
    EXPECT_EQ(RaisedBy<FFmpegException>("streamid", "20:1"),
              "Invalid stream index 20 for option \"streamid\": it must lie in 0..19");
    EXPECT_EQ(RaisedBy<FFmpegException>("streamid", "-1:1"),
              "Invalid stream index -1 for option \"streamid\": it must lie in 0..19");
    EXPECT_EQ(RaisedBy<EConvertError>("streamid", "a:1"), "'a' is not a valid integer value");

    Set("itsscale", "1:0.5");
    EXPECT_DOUBLE_EQ(State().TsScale[0][1], 0.5);
    Set("itsscale", "19:2");
    EXPECT_DOUBLE_EQ(State().TsScale[0][19], 2.0);
    EXPECT_EQ(RaisedBy<FFmpegException>("itsscale", "20:1"), "stream index over MAX_STREAMS(20)");
    EXPECT_THAT(RaisedBy<FFmpegException>("itsscale", "-1:1"), HasSubstr("-1:1"));
}

TEST_F(TableOptionTest, Metadata) {
    Set("metadata", "title=A=B");
    Set("metadata", "comment=");
    ASSERT_EQ(State().Metadata.size(), 2u);
    EXPECT_EQ(State().Metadata[0], (std::pair<std::string, std::string>{"title", "A=B"}));
    EXPECT_EQ(State().Metadata[1], (std::pair<std::string, std::string>{"comment", ""}));
}

TEST_F(TableOptionTest, BitstreamFiltersJoinTheChainOfTheirKind) {
    Set("vbsf", "h264_mp4toannexb");
    Set("vbsf", "null");
    Set("absf", "aac_adtstoasc");
    // A filter without options refuses arguments rather than drop them unseen.
    EXPECT_EQ(RaisedBy<FFmpegException>("absf", "aac_adtstoasc=ignored"),
              "Bitstream filter aac_adtstoasc takes no arguments: \"ignored\"");
    Set("sbsf", "null");
    Set("vbsf", "=h264_mp4toannexb"); // ignored
    const auto& chains = State().BitstreamFilters;
    ASSERT_EQ(chains[0].size(), 2u);
    ASSERT_EQ(chains[1].size(), 1u);
    ASSERT_EQ(chains[2].size(), 1u);
    EXPECT_STREQ(chains[0][0]->filter->name, "h264_mp4toannexb");
    EXPECT_STREQ(chains[0][1]->filter->name, "null");
    EXPECT_STREQ(chains[1][0]->filter->name, "aac_adtstoasc");
    EXPECT_EQ(RaisedBy<FFmpegException>("vbsf", " nosuchfilter=1 "),
              "Unknown bitstream filter nosuchfilter=1");
    EXPECT_EQ(chains[0].size(), 2u);
}
