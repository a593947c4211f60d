// Focused tests of the run: the mapping and its refusals, the automatic stream choice, progress
// reports and status lines, two-pass file names, sync streams and bit-stream filters.
#include "TranscodeTestSupport.h"

#include "fixtures/Fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

using namespace transcodetest;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const fixtures::TFixtureSet& Media() {
    return fixtures::Fixtures();
}

struct TRefusal {
    const char* Name;
    std::string Input;
    TOptionList Options;
    const char* Ext;
    std::string Error;
    TFrameHooks Hooks;
};

void PrintTo(const TRefusal& R, std::ostream* Os) {
    *Os << R.Name;
}

std::vector<TRefusal> Refusals() {
    const std::string avi = Media().AviMpeg4Mp3;
    TFrameHooks hook;
    hook.CustomHook = true;
    TFrameHooks modules;
    modules.HookModules = true;
    TFrameHooks preview;
    preview.PreviewWanted = [] { return true; };
    return {
        {"MapCount",
         Media().Subtitled,
         {{"vcodec", "copy"},
          {"acodec", "copy"},
          {"scodec", "copy"},
          {"map", "0.0"},
          {"map", "0.1"}},
         "mkv",
         "Number of stream maps must match number of output streams",
         {}},
        {"MapStream",
         avi,
         {{"map", "0.0"}, {"map", "0.5"}},
         "avi",
         "Could not find input stream #0.5",
         {}},
        {"MapFile",
         avi,
         {{"map", "1.0"}, {"map", "0.1"}},
         "avi",
         "Could not find input stream #1.0",
         {}},
        {"MapSync",
         avi,
         {{"map", "0.0"}, {"map", "0.1:0.7"}},
         "avi",
         "Could not find sync stream #0.7",
         {}},
        {"MapType",
         avi,
         {{"map", "0.1"}, {"map", "0.0"}},
         "avi",
         "Codec type mismatch for mapping #0.1 (Audio) -> #0.0 (Video)",
         {}},
        {"CopyWithHook",
         avi,
         {{"vcodec", "copy"}},
         "avi",
         "-vcodec copy and CustomHook are incompatible (frames are not decoded)",
         hook},
        {"CopyWithModules",
         avi,
         {{"vcodec", "copy"}},
         "avi",
         "-vcodec copy and -vhook are incompatible (frames are not decoded)",
         modules},
        {"CopyWithPreview",
         avi,
         {{"vcodec", "copy"}},
         "avi",
         "-vcodec copy and PostHooks are incompatible (frames are not decoded)",
         preview},
        {"CopyWithVolume",
         avi,
         {{"acodec", "copy"}, {"vol", "512"}},
         "avi",
         "-acodec copy and -vol are incompatible (frames are not decoded)",
         {}},
        {"MetaDataMapOutput",
         avi,
         {{"map_meta_data", "3:0"}},
         "avi",
         "Invalid output file index 3 map_meta_data(3,0)",
         {}},
        {"MetaDataMapInput",
         avi,
         {{"map_meta_data", "0:5"}},
         "avi",
         "Invalid input file index 5 map_meta_data(0,5)",
         {}},
        {"UnknownFilter",
         avi,
         {{"vcodec", "mpeg4"}, {"vf", "nosuchfilter=1"}},
         "avi",
         "Error opening filters: \"nosuchfilter=1\": Invalid argument",
         {}},
        {"FilterForOtherCodec",
         avi,
         {{"vcodec", "copy"}, {"vbsf", "h264_mp4toannexb"}},
         "mkv",
         "h264_mp4toannexb failed for stream 0, codec copy: Invalid data found when processing "
         "input",
         {}},
    };
}

class RunRefusals : public ::testing::TestWithParam<TRefusal> {};

} // namespace

TEST_P(RunRefusals, BeforeAnyPacketWithTheDesignedText) {
    const TRefusal& r = GetParam();
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{r.Input, {}}};
    c.Options = r.Options;
    c.Output = dir.File(std::string("out.") + r.Ext);
    c.Settings.Hooks = r.Hooks;
    const TOutcome o = Convert(c);
    EXPECT_EQ(o.Error, r.Error);
    EXPECT_FALSE(std::filesystem::exists(c.Output)) << "an empty output is removed";
}

INSTANTIATE_TEST_SUITE_P(Mapping, RunRefusals, ::testing::ValuesIn(Refusals()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Run, OutputWithoutStreamsIsRefused) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {}}};
    c.Options = {{"vn", ""}, {"an", ""}};
    c.Output = dir.File("nothing.avi");
    const TOutcome o = Convert(c);
    EXPECT_EQ(o.Error, "Output file #0 does not contain any stream");
}

TEST(Run, AutomaticChoiceTakesTheStreamWithMostFrames) {
    TOutputDir dir;
    // Two AAC streams of 0.25 s (about 11 frames) and 1 s (about 43 frames).
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.AudioEncoders = {"aac", "aac"};
    spec.AudioSeconds = {0.25, 1.0};
    spec.Seconds = 1.0;
    const std::string two = dir.File("two.mp4");
    fixtures::MakeMedia(two, spec);
    {
        AVFormatContext* ic = nullptr;
        ASSERT_EQ(avformat_open_input(&ic, two.c_str(), nullptr, nullptr), 0);
        ASSERT_GE(avformat_find_stream_info(ic, nullptr), 0);
        EXPECT_NEAR(double(ProbedFrameCount(ic->streams[0], ic)), 11, 2);
        EXPECT_NEAR(double(ProbedFrameCount(ic->streams[1], ic)), 44, 2);
        avformat_close_input(&ic);
    }
    TConversion c;
    c.Inputs = {{two, {}}};
    c.Options = {{"acodec", "pcm_s16le"}};
    c.Output = dir.File("picked.wav");
    TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.1 -> #0.0 (Audio)"));
    TMediaFacts f = Inspect(c.Output);
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 1.0, 0.05);

    // The fixture's first stream is the longer one: it wins, and a second audio output stream
    // takes the other one.
    c.Inputs = {{Media().TwoAudio, {}}};
    c.Output = dir.File("both.mkv");
    c.After = {{"newaudio", ""}};
    o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.0 -> #0.0 (Audio)"));
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.1 -> #0.1 (Audio)"));
}

TEST(Run, ProgressReportsOfAnAudioConversion) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Wav, {}}};
    c.Options = {{"acodec", "libmp3lame"}};
    c.Output = dir.File("tone.mp3");
    c.Settings.ReportInterval = 0;
    c.WithProgress = true;
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    ASSERT_GE(o.Reports.size(), 10u);
    int64_t last = 0;
    for (size_t i = 0; i < o.Reports.size(); ++i) {
        const TReport& r = o.Reports[i];
        EXPECT_EQ(r.FileIndex, i + 1 < o.Reports.size() ? 0 : -1);
        EXPECT_EQ(r.FrameNumber, -1);
        EXPECT_EQ(r.FPS, -1);
        EXPECT_FLOAT_EQ(r.Quality, -1.0f);
        EXPECT_NEAR(double(r.TotalDuration), 2e6, 1e4);
        EXPECT_GE(r.CurrentDuration, last);
        last = r.CurrentDuration;
    }
    const TReport& final = o.Reports.back();
    EXPECT_NEAR(double(final.CurrentDuration), 2e6, 6e4);
    EXPECT_EQ(final.CurrentSize, int64_t(std::filesystem::file_size(c.Output)));
    EXPECT_NEAR(final.BitRate,
                double(final.CurrentSize) * 8 / (double(final.CurrentDuration) / 1e6) / 1000, 1);
    // With a callback the status text is not logged.
    EXPECT_EQ(o.CountLogged("size="), 0);
}

TEST(Run, ProgressReportsOfAVideoConversion) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Mp4H264Aac, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("clip.avi");
    c.Settings.ReportInterval = 0;
    c.WithProgress = true;
    TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    ASSERT_FALSE(o.Reports.empty());
    for (const TReport& r : o.Reports) {
        EXPECT_GE(r.FrameNumber, 1) << "no report before the first picture";
        EXPECT_GT(r.Quality, 0);
        EXPECT_GE(r.FPS, 0);
    }
    EXPECT_EQ(o.Reports.back().FileIndex, -1);
    EXPECT_EQ(o.Reports.back().FrameNumber, 50);

    // A long interval leaves only the final report.
    c.Settings.ReportInterval = int64_t(1) << 50;
    o = Convert(c);
    ASSERT_EQ(o.Error, "");
    ASSERT_EQ(o.Reports.size(), 1u);
    EXPECT_EQ(o.Reports[0].FileIndex, -1);
}

TEST(Run, StatusLinesWithoutACallback) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("clip.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    std::vector<std::string> status;
    for (const TLogInfo& l : o.Log)
        if (l.LogMsg.find("size=") != std::string::npos)
            status.push_back(l.LogMsg);
    ASSERT_FALSE(status.empty());
    EXPECT_THAT(status.back(),
                ::testing::MatchesRegex(
                    "frame=   50 fps= *[0-9]+ q=[0-9.]+ Lsize= +[0-9]+kB time=2\\.[0-9]+ "
                    "bitrate= *[0-9.]+kbits/s"));
    EXPECT_TRUE(o.Logged(llVerbose, "video:"));
    EXPECT_TRUE(o.Logged(llVerbose, "kB global headers:0kB muxing overhead "));
    EXPECT_TRUE(o.Logged(llVerbose, "Stream mapping:"));
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.0 -> #0.0 (Video)"));
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.1 -> #0.1 (Audio)"));
}

TEST(Run, SyncStreamIsNamedInTheMapping) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {}}};
    c.Options = {{"map", "0.0:0.1"}, {"map", "0.1"}, {"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("sync.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.0 -> #0.0 (Video)"));
    EXPECT_TRUE(o.Logged(llVerbose, " [sync #0.1 (Audio)]"));
    EXPECT_EQ(o.CountLogged(" [sync #"), 1);
}

TEST(Run, FirstPassStatisticsFileName) {
    TOutputDir dir;
    const std::string saved = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"pass", "1"}, {"an", ""}};
    c.Output = dir.File("pass1.avi");
    const TOutcome o = Convert(c);
    std::filesystem::current_path(saved);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(std::filesystem::exists(dir.File("ffmpeg2pass-0.log")));
    EXPECT_GT(std::filesystem::file_size(dir.File("ffmpeg2pass-0.log")), 0u);
}

TEST(Run, BitstreamFiltersRunBeforeTheMuxer) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Mp4H264Aac, {}}};
    c.Options = {{"vcodec", "copy"}, {"vbsf", "h264_mp4toannexb"}, {"an", ""}, {"f", "h264"}};
    c.Output = dir.File("raw.h264");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    const std::string bytes = [&] {
        std::ifstream in(c.Output, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\0\0\0\1", 4)) << "Annex B start code";
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_EQ(f.First(AVMEDIA_TYPE_VIDEO)->Frames, 50);
}

TEST(Run, UnusedStreamsAreNeitherDecodedNorMapped) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Subtitled, {}}};
    c.Options = {{"vn", ""}, {"sn", ""}, {"acodec", "libvorbis"}};
    c.Output = dir.File("audio.ogg");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_EQ(o.CountLogged("Decoder "), 1);
    EXPECT_TRUE(o.Logged(llVerbose, "Decoder aac opened for input stream #0.1 (Audio)"));
}

// An input opened with its video disabled skips the video in the stream information pass too.
// The audio that comes out must be the same as when the video was analysed and dropped later:
// every sample, starting and ending at the same times, whatever the container.
TEST(Run, AnAudioOnlyJobFromAVideoFileKeepsEverySampleAndItsTimes) {
    TOutputDir dir;
    for (const std::string& source : {Media().Mp4H264Aac, Media().MpegPsMpeg2Mp2,
                                      Media().Subtitled, Media().AviMpeg4Mp3}) {
        SCOPED_TRACE(source);
        TConversion c;
        c.Inputs = {{source, {}}};
        c.Options = {{"vn", ""}, {"sn", ""}, {"acodec", "libmp3lame"}, {"ar", "44100"}};
        c.Output = dir.File("analysed.mp3");
        ASSERT_EQ(Convert(c).Error, "");
        const TMediaFacts analysed = Inspect(c.Output);

        c.Inputs = {{source, {{"vn", ""}}}};
        c.Output = dir.File("skipped.mp3");
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        EXPECT_TRUE(o.Completed);
        EXPECT_EQ(o.CountLogged("Decoder "), 1) << "only the audio decoder is opened";
        const TMediaFacts skipped = Inspect(c.Output);

        const TStreamFacts* a = analysed.First(AVMEDIA_TYPE_AUDIO);
        const TStreamFacts* b = skipped.First(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(a != nullptr && b != nullptr);
        EXPECT_GT(a->AudioSeconds(), 1.5);
        EXPECT_EQ(b->Frames, a->Frames);
        EXPECT_DOUBLE_EQ(b->FirstTime, a->FirstTime);
        EXPECT_DOUBLE_EQ(b->EndTime, a->EndTime);
        EXPECT_NEAR(skipped.Duration, analysed.Duration, 0.001);
        EXPECT_EQ(skipped.Count(AVMEDIA_TYPE_VIDEO), 0);
    }
}

TEST(Run, FrameLimitsEndTheRun) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Mp4H264Aac, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"vframes", "10"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("ten.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_EQ(f.First(AVMEDIA_TYPE_VIDEO)->Frames, 10);
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_LT(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 1.0) << "reading stopped with the limit";
}

TEST(Run, TimeStampScaleStretchesTheInput) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {{"itsscale", "0:2"}}}};
    c.Options = {{"vcodec", "mpeg4"}, {"an", ""}};
    c.Output = dir.File("slow.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_VIDEO)->EndTime, 4.0, 0.1);
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 100, 2) << "each picture twice";
}

TEST(Run, DiscontinuousTimeStampsAreJoinedUp) {
    TOutputDir dir;
    // Two program streams one after the other: the second one's clock starts again.
    const std::string twice = dir.File("twice.mpg");
    {
        std::ifstream in(Media().MpegPsMpeg2Mp2, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream out(twice, std::ios::binary);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    TConversion c;
    c.Inputs = {{twice, {{"v", "3"}}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("joined.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "timestamp discontinuity "));
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_TRUE(f.First(AVMEDIA_TYPE_VIDEO) && f.First(AVMEDIA_TYPE_AUDIO));
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 100, 4);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 4.0, 0.15);
}

TEST(Run, QualityHistogramAndPsnrInTheStatusText) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().AviMpeg4Mp3, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"psnr", ""}, {"qphist", ""}, {"an", ""}};
    c.Output = dir.File("psnr.avi");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    std::string last;
    for (const TLogInfo& l : o.Log)
        if (l.LogMsg.find("size=") != std::string::npos)
            last = l.LogMsg;
    EXPECT_THAT(last, ::testing::MatchesRegex(
                          "frame=   50 fps= *[0-9]+ q=[0-9.]+ L[0-9A-F]{32}PSNR=Y:[0-9.]+ "
                          "U:[0-9.]+ V:[0-9.]+ \\*:[0-9.]+ size=.*"));
}

namespace {

// Times (seconds) of the packets of the first stream of Type in Path, in file order.
std::vector<double> PacketTimes(const std::string& Path, AVMediaType Type) {
    std::vector<double> times;
    AVFormatContext* ic = nullptr;
    if (avformat_open_input(&ic, Path.c_str(), nullptr, nullptr) < 0)
        return times;
    // The container's packets as stored: no decoding, so damaged content still counts.
    int index = -1;
    for (unsigned i = 0; i < ic->nb_streams && index < 0; ++i)
        if (ic->streams[i]->codecpar->codec_type == Type)
            index = int(i);
    AVPacket* pkt = av_packet_alloc();
    while (index >= 0 && pkt != nullptr && av_read_frame(ic, pkt) >= 0) {
        if (pkt->stream_index == index && pkt->pts != AV_NOPTS_VALUE)
            times.push_back(double(pkt->pts) * av_q2d(ic->streams[index]->time_base));
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avformat_close_input(&ic);
    return times;
}

// The stream header fields of the first Vorbis stream in Path: maximum, nominal and minimum bit
// rate as the encoder wrote them (0 or less: not set).
std::array<int32_t, 3> VorbisBitRates(const std::string& Path) {
    std::array<int32_t, 3> rates{-1, -1, -1};
    AVFormatContext* ic = nullptr;
    if (avformat_open_input(&ic, Path.c_str(), nullptr, nullptr) < 0)
        return rates;
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVCodecParameters* par = ic->streams[i]->codecpar;
        if (par->codec_id != AV_CODEC_ID_VORBIS || par->extradata == nullptr)
            continue;
        const std::string data(reinterpret_cast<const char*>(par->extradata), size_t(par->extradata_size));
        const size_t id = data.find("\x01vorbis");
        if (id == std::string::npos || id + 28 > data.size())
            break;
        // type, "vorbis", version (4), channels (1), rate (4), then the three bit rates.
        for (int k = 0; k < 3; ++k) {
            int32_t v = 0;
            std::memcpy(&v, data.data() + id + 16 + 4 * k, 4);
            rates[size_t(k)] = v;
        }
        break;
    }
    avformat_close_input(&ic);
    return rates;
}

} // namespace

TEST(Run, SubtitlesFollowTheOutputStartTimeLikeAudioAndVideo) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Subtitled, {}}};
    // The events start at 0.2, 0.8 and 1.4 s; the output starts 1 s into the input.
    c.Options = {{"ss", "1"}, {"vcodec", "mpeg4"}, {"acodec", "libvorbis"}, {"scodec", "srt"}};
    c.Output = dir.File("late.mkv");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    const std::vector<double> subs = PacketTimes(c.Output, AVMEDIA_TYPE_SUBTITLE);
    ASSERT_EQ(subs.size(), 1u);
    // Within the input's own start offset (the AAC priming of the fixture), not a second late.
    EXPECT_NEAR(subs[0], 0.4, 0.03);
    const std::vector<double> video = PacketTimes(c.Output, AVMEDIA_TYPE_VIDEO);
    ASSERT_FALSE(video.empty());
    EXPECT_NEAR(*std::min_element(video.begin(), video.end()), 0.0, 0.011);
}

TEST(Run, AudioFrameLimitEndsAnEncodedAudioOutput) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Wav, {}}};
    c.Options = {{"acodec", "libmp3lame"}, {"aframes", "10"}};
    c.Output = dir.File("ten.mp3");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_EQ(f.First(AVMEDIA_TYPE_AUDIO)->Packets, 10);
}

TEST(Run, AudioEncodedOnItsOwnThreadWritesTheSameFile) {
    TOutputDir dir;
    // A second, shorter input whose end ends a "shortest" run: where the run stands then must
    // not depend on how far the encoder's thread has got.
    const std::string shortWav = dir.File("short.wav");
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 1.0;
    fixtures::MakeMedia(shortWav, spec);
    struct TCase {
        std::vector<std::string> Inputs;
        TOptionList Options;
        std::string Output;
        bool Join = false;
    };
    const std::vector<TCase> cases = {
        {{Media().Mp4H264Aac}, {{"vn", ""}, {"acodec", "libmp3lame"}, {"ar", "44100"}}, "a.mp3"},
        {{Media().Wav}, {{"acodec", "libmp3lame"}, {"aframes", "10"}}, "ten.mp3"},
        {{Media().Wav, Media().Wav}, {{"acodec", "libmp3lame"}, {"ar", "48000"}}, "joined.mp3",
         true},
        {{Media().AviMpeg4Mp3}, {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, "both.avi"},
        {{Media().AviMpeg4Mp3, shortWav},
         {{"map", "0.0"}, {"map", "1.0"}, {"vcodec", "mpeg4"}, {"acodec", "libmp3lame"},
          {"shortest", ""}},
         "shortest.avi"},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Output);
        std::vector<std::string> bytes;
        for (const bool threaded : {false, true}) {
            TConversion c;
            for (const std::string& in : k.Inputs)
                c.Inputs.push_back({in, {}});
            c.Options = k.Options;
            c.Join = k.Join;
            c.Settings.AudioEncoderThreads = threaded;
            c.Output = dir.File(std::string(threaded ? "t-" : "d-") + k.Output);
            const TOutcome o = Convert(c);
            ASSERT_EQ(o.Error, "");
            EXPECT_TRUE(o.Completed);
            std::ifstream f(c.Output, std::ios::binary);
            bytes.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        }
        EXPECT_GT(bytes[0].size(), 1000u);
        EXPECT_TRUE(bytes[0] == bytes[1]) << "the files differ";
    }
}

TEST(Run, VideoRateLimitsStayOffTheAudioEncoder) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Wav, {}}};
    // As a VCD target sets them; libvorbis would switch to managed bit rate with them.
    c.Options = {{"acodec", "libvorbis"}, {"ab", "128000"}, {"maxrate", "1150000"},
                 {"minrate", "1150000"}, {"bufsize", "327680"}};
    c.Output = dir.File("limits.ogg");
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    const std::array<int32_t, 3> rates = VorbisBitRates(c.Output);
    EXPECT_EQ(rates[1], 128000) << "nominal bit rate";
    EXPECT_LE(rates[0], 0) << "maximum bit rate";
    EXPECT_LE(rates[2], 0) << "minimum bit rate";
}

TEST(Run, TwoPassLibx264KeepsItsStatisticsInTheTaskPassLog) {
    TOutputDir dir;
    TOutputDir logs;
    const std::string saved = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    const std::string base = logs.File("task7");
    TOutcome passes[2];
    for (int pass = 1; pass <= 2; ++pass) {
        TConversion c;
        c.Inputs = {{Media().AviMpeg4Mp3, {}}};
        c.Options = {{"vcodec", "libx264"}, {"b", "300000"}, {"pass", std::to_string(pass)},
                     {"passlogfile", base}, {"an", ""}};
        c.Output = dir.File("pass" + std::to_string(pass) + ".mkv");
        passes[pass - 1] = Convert(c);
        if (pass == 1) {
            // Nothing lands in the current folder, where parallel tasks would collide.
            for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
                EXPECT_EQ(e.path().filename().string().rfind("x264_2pass", 0), std::string::npos)
                    << e.path();
        }
    }
    std::filesystem::current_path(saved);
    ASSERT_EQ(passes[0].Error, "");
    ASSERT_EQ(passes[1].Error, "");
    EXPECT_TRUE(passes[1].Completed);
    ASSERT_TRUE(std::filesystem::exists(base + "-0.log"));
    EXPECT_GT(std::filesystem::file_size(base + "-0.log"), 0u);
}

TEST(Run, BitstreamFilterArgumentsReachTheFilterAndAFailedPacketStillGoesOut) {
    TOutputDir dir;
    {
        // Every second packet dropped: the argument took effect.
        TConversion c;
        c.Inputs = {{Media().Mp4H264Aac, {}}};
        c.Options = {{"vcodec", "copy"}, {"vbsf", "noise=dropamount=2"}, {"an", ""}};
        c.Output = dir.File("dropped.mkv");
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        const size_t kept = PacketTimes(c.Output, AVMEDIA_TYPE_VIDEO).size();
        EXPECT_GT(kept, 0u);
        EXPECT_LT(kept, 50u);
    }
    {
        // Every byte damaged (a bare value sets the filter's first option), so the next filter
        // fails on each packet; each still reaches the file, unfiltered.
        TConversion c;
        c.Inputs = {{Media().Mp4H264Aac, {}}};
        c.Options = {{"vcodec", "copy"}, {"vbsf", "noise=1"}, {"vbsf", "h264_mp4toannexb"}, {"an", ""}};
        c.Output = dir.File("damaged.nut");
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        EXPECT_TRUE(o.Logged(llError, "h264_mp4toannexb failed for stream 0"));
        EXPECT_EQ(PacketTimes(c.Output, AVMEDIA_TYPE_VIDEO).size(), 50u);
    }
    {
        TConversion c;
        c.Inputs = {{Media().Mp4H264Aac, {}}};
        c.Options = {{"vcodec", "copy"}, {"vbsf", "h264_mp4toannexb=fast"}};
        c.Output = dir.File("refused.mkv");
        EXPECT_EQ(Convert(c).Error, "Bitstream filter h264_mp4toannexb takes no arguments: \"fast\"");
        c.Options = {{"vcodec", "copy"}, {"vbsf", "noise=nosuchoption=3"}};
        EXPECT_EQ(Convert(c).Error, "Invalid arguments for bitstream filter noise: \"nosuchoption=3\"");
    }
}

TEST(Run, JoinedInputsKeepEverySampleAndTheFinalReportNamesTheFrames) {
    TOutputDir dir;
    {
        // Resampled at every input: what the resampler holds at a boundary is not lost.
        TConversion c;
        c.Inputs = {{Media().Wav, {}}, {Media().Wav, {}}, {Media().Wav, {}}};
        c.Options = {{"acodec", "pcm_s16le"}, {"ar", "48000"}};
        c.Join = true;
        c.Output = dir.File("joined.wav");
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        const TMediaFacts in = Inspect(Media().Wav);
        const TMediaFacts out = Inspect(c.Output);
        ASSERT_NE(in.First(AVMEDIA_TYPE_AUDIO), nullptr);
        ASSERT_NE(out.First(AVMEDIA_TYPE_AUDIO), nullptr);
        const double expected = 3.0 * double(in.First(AVMEDIA_TYPE_AUDIO)->Frames) * 48000.0 /
                                double(in.First(AVMEDIA_TYPE_AUDIO)->SampleRate);
        EXPECT_NEAR(double(out.First(AVMEDIA_TYPE_AUDIO)->Frames), expected, 3.0);
    }
    {
        TConversion c;
        c.Inputs = {{Media().AviMpeg4Mp3, {}}, {Media().AviMpeg4Mp3, {}}};
        c.Options = {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
        c.Join = true;
        c.WithProgress = true;
        c.Output = dir.File("joined.avi");
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        ASSERT_FALSE(o.Reports.empty());
        const TReport& last = o.Reports.back();
        const TMediaFacts out = Inspect(c.Output);
        ASSERT_NE(out.First(AVMEDIA_TYPE_VIDEO), nullptr);
        EXPECT_EQ(last.FrameNumber, out.First(AVMEDIA_TYPE_VIDEO)->Frames);
        EXPECT_GE(last.FPS, 0);
        EXPECT_GE(last.Quality, 0.0f);
    }
}
