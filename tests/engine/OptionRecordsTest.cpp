#include "EngineTestSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/FFmpegLoader.h"
#include "engine/FFUtils.h"
#include "engine/GenericOptions.h"
#include "engine/OptionRecords.h"
#include "engine/SessionTypes.h"

#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/opt.h>
}

using enginetest::TTempDir;

namespace {

// The option state as the session seams see it.
struct TSeamCall {
    std::string What; // "input", "output", "newaudio", "newvideo", "newsubtitle", "hook"
    std::string File;
    bool Join = false;
    TOptionValues State;
};

// A core whose session steps only record the call and the option state at that moment. With
// OpenInputs the input is really opened (for the frame rate and size of a real file).
class TRecordingCore : public TCustomFFmpeg {
public:
    bool OpenInputs = false;
    std::vector<TSeamCall> Calls;

    bool AddInputFile(const std::string& FileName) override {
        Record("input", FileName, false);
        return !OpenInputs || TCustomFFmpeg::AddInputFile(FileName);
    }
    int AddOutputFile(const std::string& FileName, bool Join) override {
        Record("output", FileName, Join);
        OutputEntries().emplace_back(); // counted, nothing created
        return OutputFileCount();
    }
    void NewAudioStream(int) override { Record("newaudio", "", false); }
    void NewVideoStream(int) override { Record("newvideo", "", false); }
    void NewSubtitleStream(int) override { Record("newsubtitle", "", false); }
    void Record(const std::string& What, const std::string& File, bool Join) {
        Calls.push_back({What, File, Join, Options()});
    }

    std::vector<std::string> Sequence() const {
        std::vector<std::string> s;
        for (const TSeamCall& c : Calls)
            s.push_back(c.What);
        return s;
    }
};

class OptionRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        Core.PrepareTask();
    }

    int64_t IntOn(void* Holder, const char* Name) {
        int64_t v = -12345;
        EXPECT_GE(av_opt_get_int(Holder, Name, 0, &v), 0) << Name;
        return v;
    }
    int64_t VideoInt(const char* Name) { return IntOn(Core.OptionContexts().Video(), Name); }
    int64_t AudioInt(const char* Name) { return IntOn(Core.OptionContexts().Audio(), Name); }

    // The output call, which every output test expects exactly once.
    const TSeamCall& Output() {
        for (const TSeamCall& c : Core.Calls)
            if (c.What == "output")
                return c;
        static const TSeamCall none{"<no output call>", "", false, {}};
        ADD_FAILURE() << "AddOutputFile was not called";
        return none;
    }

    TRecordingCore Core;
};

// Sets TZ for a scope and restores the previous value.
class TTimeZoneScope {
public:
    explicit TTimeZoneScope(const char* Zone) {
        if (const char* old = std::getenv("TZ"))
            Old_ = old;
        ::setenv("TZ", Zone, 1);
        ::tzset();
    }
    ~TTimeZoneScope() {
        if (Old_)
            ::setenv("TZ", Old_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    TTimeZoneScope(const TTimeZoneScope&) = delete;
    TTimeZoneScope& operator=(const TTimeZoneScope&) = delete;

private:
    std::optional<std::string> Old_;
};

std::string CodecName(const std::optional<std::string>& Name) { return Name.value_or("<none>"); }

} // namespace

TEST(OptionRecordResetTest, ResetValues) {
    TInputOptions in;
    in.FileName = "a.avi";
    in.FileFormat = "avi";
    in.StartTime = 5;
    in.ProgramId = 2;
    in.ExtOptions = "x=1";
    ResetInputOptions(in);
    EXPECT_EQ(in.FileName, "");
    EXPECT_EQ(in.FileFormat, "");
    EXPECT_EQ(in.StartTime, NoMediaTime);
    EXPECT_EQ(in.ProgramId, -1);
    EXPECT_EQ(in.ExtOptions, "");

    TOutputOptions out;
    out.FileName = "b.mp4";
    out.AudioCodec = "aac";
    out.AudioVolume = 300;
    out.AudioSync = 1;
    out.VideoSync = 2;
    out.CropTop = 8;
    out.MuxDelay = 0.3f;
    out.Duration = 10;
    out.Metadata.Timestamp = 40000;
    out.Metadata.Title = "t";
    out.Metadata.Year = 1999;
    out.Target = 3;
    out.TargetNorm = 2;
    out.DefaultNorm = 2;
    out.Hook = out.Join = out.DisableAudio = out.InputSync = out.CopyTimestamps = true;
    ResetOutputOptions(out);

    EXPECT_EQ(out.FileName, "");
    EXPECT_EQ(out.AudioCodec, "");
    for (int v : {out.PacketSize, out.MuxRate, out.AudioVolume, out.AudioChannels, out.AudioSampleRate,
                  out.AudioBitrate, out.AudioBitrateTolerance, out.CropTop, out.CropBottom, out.CropLeft,
                  out.CropRight, out.GopSize, out.VideoBitrate, out.VideoMaxRate, out.VideoMinRate,
                  out.VideoBitrateTolerance, out.VideoBufferSize, out.VideoSync, out.Metadata.Year,
                  out.Metadata.Track})
        EXPECT_EQ(v, -1);
    EXPECT_EQ(out.MuxDelay, -1.0f);
    EXPECT_EQ(out.MuxPreload, -1.0f);
    EXPECT_EQ(out.AudioSync, 0);
    EXPECT_EQ(out.StartTime, NoMediaTime);
    EXPECT_EQ(out.Duration, NoMediaTime);
    EXPECT_EQ(out.Metadata.Timestamp, -1.0);
    EXPECT_EQ(out.Metadata.Title, "");
    EXPECT_EQ(out.Target, 0);
    EXPECT_EQ(out.TargetNorm, 0);
    EXPECT_EQ(out.DefaultNorm, 1);
    EXPECT_FALSE(out.Hook || out.Join || out.DisableAudio || out.DisableVideo || out.DisableSubtitle ||
                 out.InputSync || out.CopyTimestamps);
}

TEST(ExtOptionsTest, Parsing) {
    const auto p = ParseExtOptions("  \r\nACodec=ac3\r\nvf=scale=320:240\rNewAudio\nS =  640x480 <CRLF>Shortest=1\n=x\n\t");
    const std::vector<std::pair<std::string, std::string>> want = {
        {"acodec", "ac3"}, {"vf", "scale=320:240"}, {"newaudio", ""}, {"s ", "  640x480 "}, {"shortest", "1"},
        {"", "x"}};
    ASSERT_EQ(p.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(p[i].Name, want[i].first) << i;
        EXPECT_EQ(p[i].Value, want[i].second) << i;
    }
    EXPECT_TRUE(ParseExtOptions("").empty());
    EXPECT_TRUE(ParseExtOptions(" \r\n\t").empty());
    // A blank line inside the text is a line of its own.
    ASSERT_EQ(ParseExtOptions("a=1\n\nb=2").size(), 3u);
}

TEST(ExtOptionsTest, StreamDefaults) {
    TOutputOptions o;
    o.ExtOptions = "ACodec=ac3\nvfilters=hflip\nacodec=mp2\napre=\nvpre=fast\nbf=2\ns=320x240";
    TStreamDefaults d(o);
    EXPECT_EQ(d.Default("acodec"), "ac3"); // the first line fills an empty default
    EXPECT_EQ(d.Default("vf"), "hflip");
    EXPECT_EQ(d.Default("vpre"), "fast");
    EXPECT_EQ(d.Default("apre"), "");
    EXPECT_EQ(d.Default("s"), "320x240");
    EXPECT_EQ(d.Default("bf"), "");
    ASSERT_EQ(d.Entries().size(), 5u); // the empty apre and bf are not listed
    EXPECT_EQ(d.Entries()[1].Name, "vf");

    o.AudioCodec = "aac";
    o.VideoFilters = "vflip";
    TStreamDefaults kept(o);
    EXPECT_EQ(kept.Default("acodec"), "aac");
    EXPECT_EQ(kept.Default("vf"), "vflip");
    // Entries are consumed in text order, then the default serves.
    EXPECT_EQ(kept.Take("acodec"), "ac3");
    EXPECT_EQ(kept.Take("acodec"), "mp2");
    EXPECT_EQ(kept.Take("acodec"), "aac");
    EXPECT_EQ(kept.Take("vf"), "hflip");
    EXPECT_EQ(kept.Take("vf"), "vflip");
}

TEST_F(OptionRecordsTest, InputRecordOrder) {
    TInputOptions in;
    in.FileName = "ignored.avi";
    in.ExtOptions = "ACodec=mp3\nf=avi\nss=5\ns=320x240\nnewaudio\nvf=hflip\nre";
    in.FileFormat = "mpeg";
    in.StartTime = 2000000;
    in.ProgramId = 3;
    ApplyInputOptions(Core, in, "/media/in.mpg");

    ASSERT_EQ(Core.Sequence(), std::vector<std::string>{"input"});
    const TSeamCall& c = Core.Calls[0];
    EXPECT_EQ(c.File, "/media/in.mpg");
    EXPECT_EQ(CodecName(c.State.AudioCodecName), "mp3");
    EXPECT_EQ(c.State.FrameWidth, 320); // codec and size options count for inputs
    // The typed fields override the same options given as text.
    EXPECT_EQ(c.State.ForcedFormat, "mpeg");
    EXPECT_EQ(c.State.StartTime, 2000000);
    EXPECT_EQ(c.State.ProgramId, 3);
    EXPECT_TRUE(c.State.RateEmu);
    EXPECT_EQ(c.State.VideoFilters, ""); // stream lines are not input options

    // Reset values leave the text's options standing.
    TRecordingCore other;
    other.PrepareTask();
    TInputOptions plain;
    plain.ExtOptions = "ss=7\nprogramid=4";
    ApplyInputOptions(other, plain, "x");
    ASSERT_EQ(other.Calls.size(), 1u);
    EXPECT_EQ(other.Calls[0].State.StartTime, 7000000);
    EXPECT_EQ(other.Calls[0].State.ProgramId, 4);
}

TEST_F(OptionRecordsTest, ResetOutputRecordOnlyAssignsTheAlwaysAssignedOptions) {
    // State a previous output left behind: the always-assigned options restore their defaults.
    Core.SetOption("alang", "eng");
    Core.SetOption("vlang", "ger");
    Core.SetOption("slang", "fre");
    Core.SetOption("async", "1");
    Core.SetOption("vsync", "2");
    Core.SetOption("isync", "1");
    TOutputOptions out;
    ApplyOutputOptions(Core, out, "/out/a.mp4");

    ASSERT_EQ(Core.Sequence(), std::vector<std::string>{"output"});
    EXPECT_EQ(Output().File, "/out/a.mp4");
    EXPECT_FALSE(Output().Join);
    EXPECT_TRUE(Output().State == TOptionValues()) << "the output state differs from the defaults";
    EXPECT_TRUE(Core.OptionContexts().SetOptions().empty());
    EXPECT_EQ(Core.TotalDuration, -1);
}

TEST_F(OptionRecordsTest, TypedOutputFields) {
    TRecordingCore& c = Core;
    c.OpenInputs = true;
    TInputOptions in;
    ApplyInputOptions(c, in, fixtures::Fixtures().AviMpeg4Mp3); // 320x240

    TOutputOptions o;
    o.FileFormat = "matroska";
    o.PacketSize = 4096;
    o.MuxRate = 2000000;
    o.MuxDelay = 0.25f;
    o.MuxPreload = 0.125f;
    o.AudioVolume = 512;
    o.AudioChannels = 1;
    o.AudioSampleRate = 22050;
    o.AudioBitrate = 96000;
    o.AudioBitrateTolerance = 5000;
    o.AudioLanguage = "eng";
    o.AudioSync = 1;
    o.AudioTag = "mp4a";
    o.FrameRate = "30000/1001";
    o.FrameSize = "160x120";
    o.AspectRatio = "16:9";
    o.CropTop = 10;
    o.CropBottom = 20;
    o.CropLeft = 30;
    o.CropRight = 40;
    o.GopSize = 12;
    o.VideoBitrate = 800000;
    o.VideoMaxRate = 900000;
    o.VideoMinRate = 100000;
    o.VideoBitrateTolerance = 70000;
    o.VideoBufferSize = 1000000;
    o.VideoSync = 0;
    o.VideoTag = "XVID";
    o.VideoFilters = "hflip";
    o.VideoLanguage = "ger";
    o.SubtitleLanguage = "fre";
    o.InputSync = true;
    o.CopyTimestamps = true;
    o.StartTime = 1500000;
    o.Duration = 3000000;
    o.Metadata.Year = 2010;
    o.Metadata.Track = 7;
    o.Metadata.Title = "Title";
    o.Metadata.Author = "Author";
    o.Metadata.Copyright = "(c)";
    o.Metadata.Comment = "Comment";
    o.Metadata.Album = "Album";
    o.Metadata.Genre = "Genre";
    o.DisableSubtitle = true;
    o.Join = true;
    ApplyOutputOptions(c, o, "/out/b.mkv");

    ASSERT_EQ(c.Sequence(), (std::vector<std::string>{"input", "output"}));
    const TOptionValues& s = Output().State;
    EXPECT_TRUE(Output().Join);
    EXPECT_EQ(s.ForcedFormat, "matroska");
    EXPECT_EQ(IntOn(c.OptionContexts().Format(), "packetsize"), 4096);
    ASSERT_NE(c.OptionContexts().FindSetOption("muxrate"), nullptr); // a muxer's private option
    EXPECT_EQ(c.OptionContexts().FindSetOption("muxrate")->PrivateValue.value_or(""), "2000000");
    EXPECT_FLOAT_EQ(s.MuxMaxDelay, 0.25f);
    EXPECT_FLOAT_EQ(s.MuxPreload, 0.125f);
    EXPECT_EQ(s.AudioVolume, 512);
    EXPECT_EQ(s.AudioChannels, 1);
    EXPECT_EQ(s.AudioSampleRate, 22050);
    EXPECT_EQ(AudioInt("b"), 96000);
    EXPECT_EQ(AudioInt("bt"), 5000);
    EXPECT_EQ(s.AudioLanguage, "eng");
    EXPECT_EQ(s.AudioSyncMethod, 1);
    EXPECT_EQ(s.AudioCodecTag, MKTAG('m', 'p', '4', 'a'));
    EXPECT_EQ(s.FrameRate.Num, 30000);
    EXPECT_EQ(s.FrameRate.Den, 1001);
    EXPECT_FLOAT_EQ(s.FrameAspectRatio, 16.0f / 9.0f);
    EXPECT_EQ(s.CropTop, 10);
    EXPECT_EQ(s.CropBottom, 20);
    EXPECT_EQ(s.CropLeft, 30);
    EXPECT_EQ(s.CropRight, 40);
    // Cropping came first, so the size scales the cropped picture.
    EXPECT_EQ(s.FrameWidth, 160);
    EXPECT_EQ(s.FrameHeight, 120);
    EXPECT_EQ(s.VideoFilters, "hflip");
    EXPECT_EQ(VideoInt("g"), 12);
    EXPECT_EQ(VideoInt("b"), 800000);
    EXPECT_EQ(VideoInt("maxrate"), 900000);
    EXPECT_EQ(VideoInt("minrate"), 100000);
    EXPECT_EQ(VideoInt("bt"), 70000);
    EXPECT_EQ(VideoInt("bufsize"), 1000000);
    EXPECT_EQ(s.VideoSyncMethod, 0);
    EXPECT_EQ(s.VideoCodecTag, MKTAG('X', 'V', 'I', 'D'));
    EXPECT_EQ(s.VideoLanguage, "ger");
    EXPECT_TRUE(s.SubtitleDisable);
    EXPECT_FALSE(s.AudioDisable);
    EXPECT_FALSE(s.VideoDisable);
    EXPECT_EQ(s.SubtitleLanguage, "fre");
    EXPECT_TRUE(s.InputSync);
    EXPECT_TRUE(s.CopyTs);
    EXPECT_EQ(s.StartTime, 1500000);
    EXPECT_EQ(s.RecordingTime, 3000000);
    EXPECT_EQ(c.TotalDuration, 3000000);
    const std::vector<std::pair<std::string, std::string>> meta = {
        {"year", "2010"},     {"track", "7"},         {"title", "Title"}, {"author", "Author"},
        {"copyright", "(c)"}, {"comment", "Comment"}, {"album", "Album"}, {"genre", "Genre"}};
    EXPECT_EQ(s.Metadata, meta);
    EXPECT_EQ(s.RecTimestamp, 0);
}

TEST_F(OptionRecordsTest, DisableFlagsAndCropLimits) {
    TOutputOptions o;
    o.DisableAudio = o.DisableVideo = true;
    ApplyOutputOptions(Core, o, "x.mp4");
    EXPECT_TRUE(Output().State.AudioDisable);
    EXPECT_TRUE(Output().State.VideoDisable);
    EXPECT_FALSE(Output().State.SubtitleDisable);

    // The crop is checked against the size the option layer holds; nothing is created then.
    TRecordingCore c;
    c.PrepareTask();
    c.SetFrameSize("320x240");
    TOutputOptions crop;
    crop.CropTop = 240;
    try {
        ApplyOutputOptions(c, crop, "y.mp4");
        ADD_FAILURE() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Vertical crop dimensions are outside the range of the original image.\n"
                  "Remember to crop first and scale second.");
    }
    EXPECT_TRUE(c.Calls.empty());

    TOutputOptions tag;
    tag.AudioTag = "abc";
    EXPECT_THROW(ApplyOutputOptions(c, tag, "y.mp4"), EAssertionFailed);
    TOutputOptions rate;
    rate.FrameRate = "fast";
    EXPECT_THROW(ApplyOutputOptions(c, rate, "y.mp4"), FFmpegException);
    EXPECT_TRUE(c.Calls.empty());
}

TEST_F(OptionRecordsTest, ExtOptionsInOutputRecords) {
    TOutputOptions o;
    // Two options on one line; codec, size, stream and preset lines are not passed as options.
    o.ExtOptions = "shortest=1<CRLF>re=1\nS=320x240\nacodec=mp3\nvcodec=mpeg4\nvfilters=hflip\nqmin=3";
    ApplyOutputOptions(Core, o, "x.mkv");
    const TOptionValues& s = Output().State;
    EXPECT_TRUE(s.Shortest);
    EXPECT_TRUE(s.RateEmu);
    EXPECT_EQ(VideoInt("qmin"), 3);
    // They serve as the first streams' defaults instead (the record's fields being empty).
    EXPECT_EQ(CodecName(s.AudioCodecName), "mp3");
    EXPECT_EQ(CodecName(s.VideoCodecName), "mpeg4");
    EXPECT_EQ(s.FrameWidth, 320);
    EXPECT_EQ(s.VideoFilters, "hflip");

    // A record value wins over the text's line.
    TRecordingCore c;
    c.PrepareTask();
    TOutputOptions r;
    r.AudioCodec = "mp2";
    r.ExtOptions = "ACodec=ac3";
    ApplyOutputOptions(c, r, "y.mkv");
    ASSERT_EQ(c.Calls.size(), 1u);
    EXPECT_EQ(CodecName(c.Calls[0].State.AudioCodecName), "mp2");

    // A preset named by the text is loaded for the first stream.
    TRecordingCore p;
    p.PrepareTask();
    TOutputOptions pre;
    pre.ExtOptions = "vpre=nosuch";
    EXPECT_THROW(ApplyOutputOptions(p, pre, "z.mkv"), FFmpegException);
    EXPECT_TRUE(p.Calls.empty());
}

TEST_F(OptionRecordsTest, ExtraStreamsTakeTheirOptionsInOrder) {
    TOutputOptions o;
    o.AudioCodec = "mp2";
    o.ExtOptions = "newaudio\nacodec=ac3\nnewaudio";
    ApplyOutputOptions(Core, o, "x.mkv");
    ASSERT_EQ(Core.Sequence(), (std::vector<std::string>{"output", "newaudio", "newaudio"}));
    EXPECT_EQ(CodecName(Core.Calls[0].State.AudioCodecName), "mp2");
    EXPECT_EQ(CodecName(Core.Calls[1].State.AudioCodecName), "ac3");
    EXPECT_EQ(CodecName(Core.Calls[2].State.AudioCodecName), "mp2");

    // Video streams take codec, preset, size and filters; the first entry serves the first new
    // stream even when it already was the first stream's default.
    TRecordingCore v;
    v.PrepareTask();
    TOutputOptions ov;
    ov.ExtOptions = "vcodec=mpeg4\ns=320x240\nnewvideo\nvfilters=hflip\nvcodec=mjpeg\ns=160x120\n"
                    "newsubtitle=x\nscodec=ass\nnewvideo\nnewvideo";
    ov.VideoFilters = "vflip";
    ApplyOutputOptions(v, ov, "y.mkv");
    ASSERT_EQ(v.Sequence(), (std::vector<std::string>{"output", "newvideo", "newsubtitle", "newvideo", "newvideo"}));
    const auto& calls = v.Calls;
    EXPECT_EQ(CodecName(calls[0].State.VideoCodecName), "mpeg4");
    EXPECT_EQ(calls[0].State.FrameWidth, 320);
    EXPECT_EQ(calls[0].State.VideoFilters, "vflip");
    EXPECT_EQ(CodecName(calls[1].State.VideoCodecName), "mpeg4");
    EXPECT_EQ(calls[1].State.FrameWidth, 320);
    EXPECT_EQ(calls[1].State.VideoFilters, "hflip");
    EXPECT_EQ(CodecName(calls[2].State.SubtitleCodecName), "ass");
    EXPECT_EQ(CodecName(calls[3].State.VideoCodecName), "mjpeg");
    EXPECT_EQ(calls[3].State.FrameWidth, 160);
    EXPECT_EQ(calls[3].State.VideoFilters, "vflip");
    EXPECT_EQ(CodecName(calls[4].State.VideoCodecName), "mpeg4"); // the default again
    EXPECT_EQ(calls[4].State.FrameWidth, 320);
}

TEST_F(OptionRecordsTest, HookIsConnectedBeforeTheOutputIsCreated) {
    TOutputOptions o;
    int connected = 0;
    ApplyOutputOptions(Core, o, "x.mkv", [&] { ++connected; });
    EXPECT_EQ(connected, 0);
    o.Hook = true;
    ApplyOutputOptions(Core, o, "y.mkv", [&] {
        ++connected;
        Core.Record("hook", "", false);
    });
    EXPECT_EQ(connected, 1);
    EXPECT_EQ(Core.Sequence(), (std::vector<std::string>{"output", "hook", "output"}));
}

TEST_F(OptionRecordsTest, Timestamp) {
    TTimeZoneScope utc("UTC");
    struct {
        double Timestamp;
        int64_t Expected;
    } cases[] = {{-1.0, 777}, {25569.0, 0}, {25569.5, 43200}, {25570.25, 86400 + 21600}};
    for (const auto& t : cases) {
        TRecordingCore c;
        c.PrepareTask();
        c.Options().RecTimestamp = 777; // a value left by an earlier option
        TOutputOptions o;
        o.Metadata.Timestamp = t.Timestamp;
        ApplyOutputOptions(c, o, "x.mkv");
        ASSERT_EQ(c.Calls.size(), 1u);
        EXPECT_EQ(c.Calls[0].State.RecTimestamp, t.Expected) << t.Timestamp;
        EXPECT_TRUE(c.Calls[0].State.Metadata.empty());
    }

    TRecordingCore now;
    now.PrepareTask();
    TOutputOptions o;
    o.Metadata.Timestamp = 0;
    const int64_t before = int64_t(std::time(nullptr));
    ApplyOutputOptions(now, o, "x.mkv");
    const int64_t after = int64_t(std::time(nullptr));
    ASSERT_EQ(now.Calls.size(), 1u);
    EXPECT_GE(now.Calls[0].State.RecTimestamp, before);
    EXPECT_LE(now.Calls[0].State.RecTimestamp, after + 1);
}

TEST_F(OptionRecordsTest, TimestampIsLocalTime) {
    TTimeZoneScope east("XST-2"); // two hours east of UTC
    int64_t seconds = 0;
    ASSERT_TRUE(MetadataTimestamp(25569.0, seconds));
    EXPECT_EQ(seconds, -7200);
    EXPECT_FALSE(MetadataTimestamp(-0.5, seconds));
}

TEST_F(OptionRecordsTest, TargetThenExplicitBitrate) {
    Core.OpenInputs = true;
    TInputOptions in;
    ApplyInputOptions(Core, in, fixtures::Fixtures().AviMpeg4Mp3); // 25 fps

    TOutputOptions o;
    o.Target = 3;
    o.TargetNorm = 0;
    o.DefaultNorm = 2; // would give NTSC if the material did not decide
    ApplyOutputOptions(Core, o, "x.vob");
    {
        const TOptionValues& s = Output().State;
        EXPECT_EQ(s.ForcedFormat, "dvd");
        EXPECT_EQ(CodecName(s.VideoCodecName), "mpeg2video");
        EXPECT_EQ(CodecName(s.AudioCodecName), "ac3");
        EXPECT_EQ(s.FrameWidth, 720);
        EXPECT_EQ(s.FrameHeight, 576);
        EXPECT_EQ(s.FrameRate.Num, 25);
        EXPECT_EQ(s.FrameRate.Den, 1);
        EXPECT_EQ(s.AudioSampleRate, 48000);
        EXPECT_EQ(VideoInt("g"), 15);
        EXPECT_EQ(VideoInt("b"), 6000000);
        EXPECT_EQ(AudioInt("b"), 448000);
    }

    TRecordingCore c;
    c.OpenInputs = true;
    c.PrepareTask();
    ApplyInputOptions(c, in, fixtures::Fixtures().AviMpeg4Mp3);
    o.VideoBitrate = 4000000;
    o.TargetNorm = 2;
    o.ExtOptions = "g=9";
    ApplyOutputOptions(c, o, "y.vob");
    int64_t b = 0, g = 0;
    ASSERT_GE(av_opt_get_int(c.OptionContexts().Video(), "b", 0, &b), 0);
    ASSERT_GE(av_opt_get_int(c.OptionContexts().Video(), "g", 0, &g), 0);
    EXPECT_EQ(b, 4000000);
    EXPECT_EQ(g, 9);
    ASSERT_EQ(c.Calls.size(), 2u);
    EXPECT_EQ(c.Calls[1].State.FrameHeight, 480); // NTSC as asked
}
