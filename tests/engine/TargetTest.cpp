#include "OptionTestSupport.h"

#include "EngineTestSupport.h"
#include "engine/FFUtils.h"
#include "fixtures/Fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libavutil/pixfmt.h>
}

using optiontest::TOptionTest;
using ::testing::HasSubstr;

namespace {

struct TCodecDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecDeleter>;

struct TFormatDeleter {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};
using TFormatPtr = std::unique_ptr<AVFormatContext, TFormatDeleter>;

int64_t IntOf(void* Object, const char* Name) {
    int64_t v = -12345;
    EXPECT_GE(av_opt_get_int(Object, Name, AV_OPT_SEARCH_CHILDREN, &v), 0) << Name;
    return v;
}

} // namespace

class TargetTest : public TOptionTest {
protected:
    int64_t Video(const char* Name) { return IntOf(Contexts().Video(), Name); }
    int64_t Audio(const char* Name) { return IntOf(Contexts().Audio(), Name); }
    const std::string& Avi() { return fixtures::Fixtures().AviMpeg4Mp3; }
};

TEST_F(TargetTest, FilmDvd) {
    Set("target", " film-dvd ");
    const TOptionState& o = State();
    EXPECT_EQ(o.FrameWidth, 720);
    EXPECT_EQ(o.FrameHeight, 480);
    EXPECT_EQ(o.FrameRate, (TRational{24000, 1001}));
    EXPECT_EQ(Video("g"), 18);
    EXPECT_EQ(o.VideoCodecName, "mpeg2video");
    EXPECT_EQ(o.AudioCodecName, "ac3");
    EXPECT_EQ(o.ForcedFormat, "dvd");
    EXPECT_EQ(o.AudioSampleRate, 48000);
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_EQ(Video("b"), 6000000);
    EXPECT_EQ(Video("maxrate"), 9000000);
    EXPECT_EQ(Video("minrate"), 0);
    EXPECT_EQ(Video("bufsize"), 1835008);
    EXPECT_EQ(Audio("b"), 448000);
    EXPECT_EQ(IntOf(Contexts().Format(), "packetsize"), 2048);
    ASSERT_NE(Contexts().FindSetOption("muxrate"), nullptr);
    EXPECT_EQ(Contexts().FindSetOption("muxrate")->PrivateValue, "10080000");
    EXPECT_FLOAT_EQ(o.FrameAspectRatio, 16.0f / 9.0f);
    EXPECT_EQ(Logged(llInfo, "Assuming 16:9 for aspect ratio"), 1);
    EXPECT_EQ(LoggedContaining(llVerbose, "for target."), 0) << "the norm was given";
    EXPECT_FLOAT_EQ(o.MuxPreload, 0.5f);
}

TEST_F(TargetTest, AutomaticNormNeedsAFrameRate) {
    const TOptionValues before = State();
    EXPECT_EQ(RaisedBy<FFmpegException>("target", "dvd"), "frame_rate is invalid.");
    EXPECT_EQ(RaisedBy<FFmpegException>("target", "nosuchkind"), "frame_rate is invalid.");
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == before);
    EXPECT_EQ(RaisedBy<FFmpegException>("target", "pal-nosuchkind"), "Unknown target type");
    EXPECT_EQ(RaisedBy<FFmpegException>("target", "film-"), "Unknown target type");
    EXPECT_TRUE(static_cast<const TOptionValues&>(State()) == before);
}

TEST_F(TargetTest, DvdAfterA25FpsInputIsPal) {
    ASSERT_TRUE(Core->AddInputFile(Avi())) << Core->LastErrMsg();
    ASSERT_EQ(Core->InputFileCount(), 1);
    Set("target", "dvd");
    const TOptionState& o = State();
    EXPECT_EQ(o.FrameWidth, 720);
    EXPECT_EQ(o.FrameHeight, 576);
    EXPECT_EQ(o.FrameRate, (TRational{25, 1}));
    EXPECT_EQ(Video("g"), 15);
    EXPECT_EQ(Logged(llVerbose, "Assuming PAL for target."), 1);
    // The input's aspect ratio stays.
    EXPECT_NEAR(o.FrameAspectRatio, 4.0 / 3.0, 1e-5);
    EXPECT_EQ(LoggedContaining(llInfo, "for aspect ratio"), 0);
}

TEST_F(TargetTest, AutomaticNormFromRateStreamsOrDefault) {
    Set("r", "30000/1001");
    Set("target", "vcd");
    EXPECT_EQ(State().FrameWidth, 352);
    EXPECT_EQ(State().FrameHeight, 240);
    EXPECT_EQ(State().FrameRate, (TRational{30000, 1001}));
    EXPECT_EQ(Video("g"), 18);
    EXPECT_EQ(Logged(llVerbose, "Assuming NTSC for target."), 1);

    // A rate that decides nothing: the opened inputs' video streams are asked.
    Core->PrepareTask();
    ClearLines();
    ASSERT_TRUE(Core->AddInputFile(Avi())) << Core->LastErrMsg();
    Set("r", "10");
    Set("target", "vcd");
    EXPECT_EQ(State().FrameHeight, 288);
    EXPECT_EQ(Logged(llVerbose, "Assuming PAL for target."), 1);

    // Nothing decides: the default norm of the option, NTSC.
    Core->PrepareTask();
    ClearLines();
    Set("r", "10");
    Set("target", "svcd");
    EXPECT_EQ(State().FrameHeight, 480);
    EXPECT_EQ(State().FrameRate, (TRational{30000, 1001}));
    EXPECT_EQ(Logged(llVerbose, "Assuming NTSC for target."), 1);

    // ApplyTarget's own default norm; film is logged as NTSC; no line without verbosity.
    Core->PrepareTask();
    ClearLines();
    Set("r", "10");
    Core->ApplyTarget("dvd", "auto", "film");
    EXPECT_EQ(State().FrameRate, (TRational{24000, 1001}));
    EXPECT_EQ(Logged(llVerbose, "Assuming NTSC for target."), 1);
    Core->PrepareTask();
    ClearLines();
    Set("r", "10");
    Core->ApplyTarget("dvd", "", "pal");
    EXPECT_EQ(State().FrameHeight, 576);
    Core->PrepareTask();
    ClearLines();
    Set("v", "0");
    Set("r", "25");
    Set("target", "dvd");
    EXPECT_EQ(LoggedContaining(llVerbose, "for target."), 0);
}

TEST_F(TargetTest, VcdAndSvcd) {
    Set("ac", "1");
    Set("target", "pal-vcd");
    const TOptionState& o = State();
    EXPECT_EQ(o.VideoCodecName, "mpeg1video");
    EXPECT_EQ(o.AudioCodecName, "mp2");
    EXPECT_EQ(o.ForcedFormat, "vcd");
    EXPECT_EQ(o.FrameWidth, 352);
    EXPECT_EQ(o.FrameHeight, 288);
    EXPECT_EQ(o.FrameRate, (TRational{25, 1}));
    EXPECT_EQ(Video("g"), 15);
    EXPECT_EQ(Video("b"), 1150000);
    EXPECT_EQ(Video("maxrate"), 1150000);
    EXPECT_EQ(Video("minrate"), 1150000);
    EXPECT_EQ(Video("bufsize"), 327680);
    EXPECT_EQ(Audio("b"), 224000);
    EXPECT_EQ(o.AudioSampleRate, 44100);
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_FLOAT_EQ(o.MuxPreload, 0.44f);
    EXPECT_NEAR(o.FrameAspectRatio, 4.0 / 3.0, 1e-6);
    EXPECT_EQ(Logged(llInfo, "Assuming 4:3 for aspect ratio"), 1);

    Core->PrepareTask();
    Set("ac", "6");
    Set("aspect", "16:9");
    Set("target", "ntsc-svcd");
    EXPECT_EQ(State().VideoCodecName, "mpeg2video");
    EXPECT_EQ(State().ForcedFormat, "svcd");
    EXPECT_EQ(State().FrameWidth, 480);
    EXPECT_EQ(State().FrameHeight, 480);
    EXPECT_EQ(Video("b"), 2040000);
    EXPECT_EQ(Video("maxrate"), 2516000);
    EXPECT_EQ(Video("minrate"), 0);
    EXPECT_EQ(State().AudioChannels, 6) << "only mono becomes stereo";
    EXPECT_NEAR(State().FrameAspectRatio, 16.0 / 9.0, 1e-6);
    EXPECT_FLOAT_EQ(State().MuxPreload, 0.5f);
    Core->PrepareTask();
    Set("ac", "1");
    Set("target", "pal-svcd");
    EXPECT_EQ(State().AudioChannels, 2);
    EXPECT_EQ(State().FrameHeight, 576);
}

TEST_F(TargetTest, DvKeepsTheCodecsAndPicksThePixelFormat) {
    Set("vcodec", "mpeg4");
    Set("target", "pal-dv");
    EXPECT_EQ(State().ForcedFormat, "dv");
    EXPECT_EQ(State().VideoCodecName, "mpeg4");
    EXPECT_FALSE(State().AudioCodecName.has_value());
    EXPECT_EQ(State().FrameWidth, 720);
    EXPECT_EQ(State().FrameHeight, 576);
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(State().AudioSampleRate, 48000);
    EXPECT_EQ(State().AudioChannels, 2);
    EXPECT_TRUE(Contexts().SetOptions().empty()) << "no GOP, no generic options";
    Set("target", "ntsc-dv");
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV411P);
    EXPECT_EQ(State().FrameHeight, 480);
    Set("target", "film-dv50");
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV422P);
    Set("target", "pal-dv50");
    EXPECT_EQ(State().FramePixFmt, AV_PIX_FMT_YUV422P);
    EXPECT_EQ(State().FrameAspectRatio, 0.0f);
}

// Every generic option of a target reaches the real muxer and encoders of that target.
TEST_F(TargetTest, EveryTargetOptionReachesTheRealContexts) {
    struct TCase {
        const char* Target;
        const char* Muxer;
        const char* VideoEncoder;
        const char* AudioEncoder;
        int PacketSize;
        int MuxRate; // 0: none
        int64_t VideoRate, MaxRate, MinRate, BufSize, AudioRate;
        bool ScanOffset;
    };
    const TCase cases[] = {
        {"pal-vcd", "vcd", "mpeg1video", "mp2", 2324, 1411200, 1150000, 1150000, 1150000, 327680, 224000, false},
        {"pal-svcd", "svcd", "mpeg2video", "mp2", 2324, 0, 2040000, 2516000, 0, 1835008, 224000, true},
        {"pal-dvd", "dvd", "mpeg2video", "ac3", 2048, 10080000, 6000000, 9000000, 0, 1835008, 448000, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Target);
        Core->PrepareTask();
        ClearLines();
        Set("target", c.Target);
        EXPECT_EQ(LoggedContaining(llWarning, "was not applied"), 0);

        AVFormatContext* raw = nullptr;
        ASSERT_GE(avformat_alloc_output_context2(&raw, nullptr, c.Muxer, nullptr), 0);
        TFormatPtr mux(raw);
        EXPECT_EQ(Contexts().CopyOptionsTo(mux.get(), AV_OPT_FLAG_ENCODING_PARAM), 0);
        EXPECT_EQ(mux->packet_size, unsigned(c.PacketSize));
        EXPECT_EQ(IntOf(mux.get(), "muxrate"), c.MuxRate);

        TCodecPtr video(avcodec_alloc_context3(avcodec_find_encoder_by_name(c.VideoEncoder)));
        ASSERT_TRUE(video);
        EXPECT_EQ(Contexts().CopyOptionsTo(video.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 0);
        EXPECT_EQ(video->gop_size, 15);
        EXPECT_EQ(video->bit_rate, c.VideoRate);
        EXPECT_EQ(video->rc_max_rate, c.MaxRate);
        EXPECT_EQ(video->rc_min_rate, c.MinRate);
        EXPECT_EQ(video->rc_buffer_size, c.BufSize);
        if (std::string(c.VideoEncoder) == "mpeg2video") {
            EXPECT_EQ(IntOf(video.get(), "scan_offset"), c.ScanOffset ? 1 : 0);
        }

        TCodecPtr audio(avcodec_alloc_context3(avcodec_find_encoder_by_name(c.AudioEncoder)));
        ASSERT_TRUE(audio);
        EXPECT_EQ(Contexts().CopyOptionsTo(audio.get(), AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 0);
        EXPECT_EQ(audio->bit_rate, c.AudioRate);
    }
}

class InputFileTest : public TOptionTest {};

TEST_F(InputFileTest, OpeningAnInputTakesItsVideoAndAudioProperties) {
    Set("vcodec", "mpeg4");
    Set("f", "avi");
    ASSERT_TRUE(Core->AddInputFile(fixtures::Fixtures().AviMpeg4Mp3)) << Core->LastErrMsg();
    ASSERT_EQ(Core->InputFileCount(), 1);
    ASSERT_NE(Core->InputFile(0), nullptr);
    EXPECT_EQ(Core->InputFile(1), nullptr);
    EXPECT_EQ(Core->InputFile(-1), nullptr);
    const TOptionState& o = State();
    EXPECT_EQ(o.FrameWidth, 320);
    EXPECT_EQ(o.FrameHeight, 240);
    EXPECT_EQ(o.FrameRate, (TRational{25, 1}));
    EXPECT_NEAR(o.FrameAspectRatio, 4.0 / 3.0, 1e-5);
    EXPECT_EQ(o.AudioSampleRate, 44100);
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_EQ(o.ChannelLayout, int64_t(AV_CH_LAYOUT_STEREO));
    EXPECT_TRUE(o.ForcedFormat.empty());
    EXPECT_FALSE(o.VideoCodecName.has_value()) << "codec names serve one input";
    EXPECT_GT(Core->TotalDuration, 1500000);
    EXPECT_LT(Core->TotalDuration, 2500000);

    // Crop options after the input check its size.
    EXPECT_THAT(RaisedBy<FFmpegException>("croptop", "240"), HasSubstr("Vertical crop"));
    Set("croptop", "239");
    EXPECT_EQ(State().FrameHeight, 1);

    Core->FreeSession();
    EXPECT_EQ(Core->InputFileCount(), 0);
}

TEST_F(InputFileTest, DemuxerOptionsReachTheOpenedInput) {
    ASSERT_TRUE(Core->SetGenericOption("ignore_length", "1")); // private to the WAV demuxer
    ASSERT_TRUE(Core->SetGenericOption("probesize", "65536"));
    ASSERT_TRUE(Core->AddInputFile(fixtures::Fixtures().Wav)) << Core->LastErrMsg();
    ASSERT_EQ(Core->InputFileCount(), 1);
    EXPECT_EQ(IntOf(Core->InputFile(0), "ignore_length"), 1);
    EXPECT_EQ(Core->InputFile(0)->probesize, 65536);
    EXPECT_EQ(State().FrameWidth, 0) << "no video stream";
}

TEST_F(InputFileTest, RefusedInputs) {
    enginetest::TTempDir dir;
    const std::string missing = dir.File("missing.avi");
    EXPECT_FALSE(Core->AddInputFile(missing));
    EXPECT_EQ(Core->LastErrMsg(), ErrorText(missing, AVERROR(ENOENT)));
    Set("f", "nosuchformat");
    EXPECT_EQ(Raised<FFmpegException>([&] { Core->AddInputFile(fixtures::Fixtures().Wav); }),
              "Unknown input format: \"nosuchformat\"");
    EXPECT_EQ(Core->InputFileCount(), 0);
    Core->ResetOptions();

    for (int i = 0; i < MaxFiles; ++i)
        ASSERT_TRUE(Core->AddInputFile(fixtures::Fixtures().Wav)) << Core->LastErrMsg();
    EXPECT_EQ(Core->InputFileCount(), MaxFiles);
    EXPECT_FALSE(Core->AddInputFile(fixtures::Fixtures().Wav));
    EXPECT_EQ(Core->LastErrMsg(), "Too many input files (at most 20)");
    EXPECT_EQ(Core->InputFileCount(), MaxFiles);
    // itsscale belongs to the next input, and none fits any more.
    EXPECT_NE(RaisedBy<FFmpegException>("itsscale", "0:2"), "<none>");
    Core->PrepareTask();
    EXPECT_EQ(Core->InputFileCount(), 0);
}
