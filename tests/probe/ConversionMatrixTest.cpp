// End-to-end conversions: each row converts a generated source with a set of options and checks
// the output as the application would see it (the probe) and by decoding it back (duration,
// channels, rate, peak level, picture size and frame counts).
#include "engine/TranscodeTestSupport.h"

#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <map>

using namespace transcodetest;
using ::testing::HasSubstr;

namespace {

const fixtures::TFixtureSet& Media() {
    return fixtures::Fixtures();
}

enum TSource { srcMp4, srcAvi, srcMpeg, srcWav, srcMp3, srcFlac, srcSurround };

std::string SourceFile(TSource S) {
    switch (S) {
    case srcMp4:
        return Media().Mp4H264Aac;
    case srcAvi:
        return Media().AviMpeg4Mp3;
    case srcMpeg:
        return Media().MpegPsMpeg2Mp2;
    case srcWav:
        return Media().Wav;
    case srcMp3:
        return Media().Mp3;
    case srcFlac:
        return Media().Flac;
    case srcSurround:
        return Media().Surround51;
    }
    return {};
}

const char* SourceName(TSource S) {
    static const char* const Names[] = {"Mp4", "Avi", "Mpeg", "Wav", "Mp3", "Flac", "Surround"};
    return Names[S];
}

bool HasVideo(TSource S) {
    return S == srcMp4 || S == srcAvi || S == srcMpeg;
}

// Peak level of the fixtures' tone, as decoded from the sources.
constexpr double SourcePeak = 0.29;

struct TExpect {
    std::string Format;     // contained in the probe's format name
    std::string AudioCodec; // empty: the output has no audio stream
    std::string VideoCodec; // empty: the output has no video stream
    int Channels = 2;
    int SampleRate = 44100;
    double Seconds = 0; // length of the decoded audio (else of the video); 0: the source's
    int Width = 0, Height = 0;
    double FrameRate = 25;
    double DisplayAspect = 0; // 0: not checked
    double Peak = SourcePeak; // expected peak level (within 15 %); 0: only "not silent"
    double Tolerance = 0.05;  // seconds
    int AudioBitRate = 0;     // bits/s the probe reports (within 10 %); 0: not checked
};

struct TRow {
    std::string Name;
    TSource Source;
    TOptionList Before; // before the input
    TOptionList Options;
    std::string Ext;
    TExpect Expect;
};

void PrintTo(const TRow& R, std::ostream* Os) {
    *Os << R.Name;
}

// The seven audio outputs of the built-in category, with what the probe reports for each.
struct TAudioOutput {
    const char* Name;
    const char* Ext;
    const char* Codec;   // encoder
    const char* Decoded; // codec name read back
    const char* Format;  // probe format name part
};
const TAudioOutput AudioOutputs[] = {
    {"Mp3", "mp3", "libmp3lame", "mp3", "mp3"},
    {"Aac", "aac", "aac", "aac", "aac"},
    {"M4a", "m4a", "aac", "aac", "m4a"},
    {"Wma", "wma", "wmav2", "wmav2", "asf"},
    {"Wav", "wav", "pcm_s16le", "pcm_s16le", "wav"},
    {"Ogg", "ogg", "libvorbis", "vorbis", "ogg"},
    {"Ac3", "ac3", "ac3", "ac3", "ac3"},
};

std::vector<TRow> AudioRows() {
    std::vector<TRow> rows;
    for (const TAudioOutput& a : AudioOutputs)
        for (TSource s : {srcMp4, srcAvi, srcMpeg, srcWav, srcMp3, srcFlac}) {
            TRow r;
            r.Name = std::string(a.Name) + "From" + SourceName(s);
            r.Source = s;
            r.Options = {{"vn", ""}, {"acodec", a.Codec}};
            r.Ext = a.Ext;
            r.Expect.Format = a.Format;
            r.Expect.AudioCodec = a.Decoded;
            rows.push_back(r);
        }
    auto add = [&](const std::string& Name, TSource S, TOptionList Before, TOptionList Options,
                   const std::string& Ext, TExpect E) {
        rows.push_back({Name, S, std::move(Before), std::move(Options), Ext, std::move(E)});
    };
    const TAudioOutput& mp3 = AudioOutputs[0];
    TExpect e;
    e.Format = mp3.Format;
    e.AudioCodec = mp3.Decoded;

    TExpect mono22 = e;
    mono22.Peak = 0; // the down-mix level depends on the channels' phase
    mono22.Channels = 1;
    mono22.SampleRate = 22050;
    mono22.AudioBitRate = 64000;
    add("Mp3MonoHalfRate", srcWav, {},
        {{"acodec", "libmp3lame"}, {"ar", "22050"}, {"ac", "1"}, {"ab", "64000"}}, "mp3", mono22);
    TExpect wav8k = e;
    wav8k.Format = "wav";
    wav8k.AudioCodec = "pcm_s16le";
    wav8k.Channels = 1;
    wav8k.Peak = 0;
    wav8k.SampleRate = 8000;
    add("WavMono8kFromMp4", srcMp4, {},
        {{"vn", ""}, {"acodec", "pcm_s16le"}, {"ar", "8000"}, {"ac", "1"}}, "wav", wav8k);
    TExpect ogg48 = e;
    ogg48.Format = "ogg";
    ogg48.AudioCodec = "vorbis";
    ogg48.SampleRate = 48000;
    add("Ogg48kFromFlac", srcFlac, {}, {{"acodec", "libvorbis"}, {"ar", "48000"}}, "ogg", ogg48);
    TExpect ac3mono = e;
    ac3mono.Format = "ac3";
    ac3mono.AudioCodec = "ac3";
    ac3mono.Channels = 1;
    ac3mono.Peak = 0;
    ac3mono.SampleRate = 48000;
    ac3mono.AudioBitRate = 96000;
    add("Ac3Mono48kFromAvi", srcAvi, {},
        {{"vn", ""}, {"acodec", "ac3"}, {"ac", "1"}, {"ar", "48000"}, {"ab", "96000"}}, "ac3",
        ac3mono);
    TExpect m4a = e;
    m4a.Format = "m4a";
    m4a.AudioCodec = "aac";
    m4a.SampleRate = 32000;
    m4a.AudioBitRate = 96000;
    add("M4a32kFromMpeg", srcMpeg, {},
        {{"vn", ""}, {"acodec", "aac"}, {"ar", "32000"}, {"ab", "96000"}}, "m4a", m4a);

    // 5.1 AC-3: mixed down by its decoder when asked for fewer channels, kept otherwise.
    TExpect stereo = e;
    stereo.Peak = 0;
    stereo.SampleRate = 48000;
    add("Mp3StereoFromSurround", srcSurround, {}, {{"acodec", "libmp3lame"}, {"ac", "2"}}, "mp3",
        stereo);
    TExpect six = stereo;
    six.Format = "wav";
    six.AudioCodec = "pcm_s16le";
    six.Channels = 6;
    add("WavSixChannelsFromSurround", srcSurround, {}, {{"acodec", "pcm_s16le"}}, "wav", six);

    TExpect half = e;
    half.Peak = SourcePeak / 2;
    add("Mp3VolumeHalf", srcWav, {}, {{"acodec", "libmp3lame"}, {"vol", "128"}}, "mp3", half);
    TExpect twice = e;
    twice.Peak = SourcePeak * 2;
    add("Mp3VolumeDouble", srcFlac, {}, {{"acodec", "libmp3lame"}, {"vol", "512"}}, "mp3", twice);
    TExpect wavHalf = e;
    wavHalf.Format = "wav";
    wavHalf.AudioCodec = "pcm_s16le";
    wavHalf.Peak = SourcePeak / 2;
    add("WavVolumeHalfFromMp4", srcMp4, {}, {{"vn", ""}, {"acodec", "pcm_s16le"}, {"vol", "128"}},
        "wav", wavHalf);

    TExpect cut = e;
    cut.Seconds = 1.0;
    add("Mp3Duration", srcWav, {}, {{"acodec", "libmp3lame"}, {"t", "1"}}, "mp3", cut);
    TExpect late = e;
    late.Seconds = 1.5;
    add("Mp3StartAfterInput", srcWav, {}, {{"acodec", "libmp3lame"}, {"ss", "0.5"}}, "mp3", late);
    add("Mp3StartBeforeInput", srcWav, {{"ss", "0.5"}}, {{"acodec", "libmp3lame"}}, "mp3", late);
    TExpect window = e;
    window.Seconds = 0.8;
    add("Mp3WindowFromMp4", srcMp4, {},
        {{"vn", ""}, {"acodec", "libmp3lame"}, {"ss", "0.5"}, {"t", "0.8"}}, "mp3", window);
    add("Mp3SeekFromFlac", srcFlac, {{"ss", "0.5"}}, {{"acodec", "libmp3lame"}}, "mp3", late);
    return rows;
}

std::vector<TRow> VideoRows() {
    std::vector<TRow> rows;
    auto add = [&](const std::string& Name, TSource S, TOptionList Options, const std::string& Ext,
                   const std::string& Format, const std::string& Video, int W, int H,
                   const std::string& Audio, int Rate = 44100) {
        TExpect e;
        e.Format = Format;
        e.VideoCodec = Video;
        e.Width = W;
        e.Height = H;
        e.AudioCodec = Audio;
        e.SampleRate = Rate;
        rows.push_back({Name, S, {}, std::move(Options), Ext, e});
    };
    add("Mpeg4Avi", srcMp4, {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, "avi", "avi", "mpeg4",
        320, 240, "mp3");
    add("X264Mp4Preset", srcAvi, {{"vcodec", "libx264"}, {"vpre", "ultrafast"}, {"acodec", "aac"}},
        "mp4", "mp4", "h264", 320, 240, "aac");
    add("VcdTarget", srcAvi, {{"target", "vcd"}}, "mpg", "mpeg", "mpeg1video", 352, 288, "mp2");
    add("DvdTarget", srcMp4, {{"target", "dvd"}}, "vob", "mpeg", "mpeg2video", 720, 576, "ac3",
        48000);
    rows.back().Expect.DisplayAspect = 4.0 / 3; // the source set the aspect; the target keeps it
    add("SvcdTarget", srcMpeg, {{"target", "svcd"}}, "mpg", "mpeg", "mpeg2video", 480, 576, "mp2");
    add("Flv", srcMp4, {{"ar", "44100"}}, "flv", "flv", "flv1", 320, 240, "mp3");
    add("Wmv2Asf", srcAvi, {{"vcodec", "wmv2"}, {"acodec", "wmav2"}}, "wmv", "asf", "wmv2", 320,
        240, "wmav2");
    add("H263In3gp", srcMp4,
        {{"vcodec", "h263"}, {"s", "352x288"}, {"acodec", "aac"}, {"ac", "1"}, {"ar", "16000"}},
        "3gp", "3gp", "h263", 352, 288, "aac", 16000);
    rows.back().Expect.Channels = 1;
    rows.back().Expect.Peak = 0;
    // MJPEG wants full-range pictures: limited-range sources are converted without being asked.
    add("Mjpeg", srcMpeg, {{"vcodec", "mjpeg"}, {"acodec", "pcm_s16le"}}, "avi", "avi", "mjpeg",
        320, 240, "pcm_s16le");
    add("MjpegThroughFilters", srcMp4,
        {{"vcodec", "mjpeg"}, {"vf", "pad=352:288:16:24"}, {"acodec", "pcm_s16le"}}, "avi", "avi",
        "mjpeg", 352, 288, "pcm_s16le");
    add("ScaledFrameSize", srcAvi,
        {{"vcodec", "mpeg4"}, {"s", "640x480"}, {"acodec", "libmp3lame"}}, "avi", "avi", "mpeg4",
        640, 480, "mp3");
    add("CropOptions", srcMp4,
        {{"croptop", "20"},
         {"cropbottom", "20"},
         {"cropleft", "16"},
         {"cropright", "16"},
         {"vcodec", "mpeg4"},
         {"acodec", "libmp3lame"}},
        "avi", "avi", "mpeg4", 288, 200, "mp3");
    add("CropAndScale", srcMp4,
        {{"croptop", "40"},
         {"cropbottom", "40"},
         {"s", "320x240"},
         {"vcodec", "mpeg4"},
         {"acodec", "libmp3lame"}},
        "avi", "avi", "mpeg4", 320, 240, "mp3");
    add("PadFilter", srcAvi,
        {{"vcodec", "mpeg4"}, {"vf", "pad=400:300:40:30"}, {"acodec", "libmp3lame"}}, "avi", "avi",
        "mpeg4", 400, 300, "mp3");
    add("LetterboxChain", srcMp4,
        {{"vcodec", "mpeg4"},
         {"vf", "crop=320:180:0:30,scale=640:360,pad=640:480:0:60"},
         {"acodec", "libmp3lame"}},
        "avi", "avi", "mpeg4", 640, 480, "mp3");
    add("FilterWithEngineScale", srcMpeg,
        {{"vcodec", "mpeg4"},
         {"s", "160x120"},
         {"vf", "pad=200:160:20:20"},
         {"acodec", "libmp3lame"}},
        "avi", "avi", "mpeg4", 200, 160, "mp3");
    add("RemuxCopy", srcMp4, {{"vcodec", "copy"}, {"acodec", "copy"}}, "mkv", "matroska", "h264",
        320, 240, "aac");
    add("VideoCopyAudioEncode", srcAvi, {{"vcodec", "copy"}, {"acodec", "aac"}}, "mp4", "mp4",
        "mpeg4", 320, 240, "aac");
    add("AudioCopyVideoEncode", srcMpeg, {{"vcodec", "mpeg4"}, {"acodec", "copy"}}, "avi", "avi",
        "mpeg4", 320, 240, "mp2");
    TExpect only;
    only.Format = "avi";
    only.VideoCodec = "mpeg4";
    only.Width = 320;
    only.Height = 240;
    rows.push_back({"AudioDisabled", srcMp4, {}, {{"vcodec", "mpeg4"}, {"an", ""}}, "avi", only});
    TExpect aspect = only;
    aspect.AudioCodec = "mp3";
    aspect.DisplayAspect = 16.0 / 9;
    rows.push_back({"AspectOption",
                    srcAvi,
                    {},
                    {{"vcodec", "mpeg4"}, {"aspect", "16:9"}, {"acodec", "libmp3lame"}},
                    "avi",
                    aspect});
    // Start and length on a video conversion: pictures and audio both cut.
    TExpect window = aspect;
    window.DisplayAspect = 0;
    window.Seconds = 1.0;
    rows.push_back({"VideoWindow",
                    srcMp4,
                    {},
                    {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}, {"ss", "0.5"}, {"t", "1"}},
                    "avi",
                    window});
    // An input seek lands on the key frame at or before the target (every 0.48 s here) and the
    // container's index places the audio near it: up to a few frames more than asked.
    window.Seconds = 1.5;
    window.Tolerance = 0.1;
    rows.push_back({"VideoSeekBeforeInput",
                    srcAvi,
                    {{"ss", "0.5"}},
                    {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}},
                    "avi",
                    window});
    TExpect letterbox = aspect;
    letterbox.Width = 640;
    letterbox.Height = 480;
    letterbox.DisplayAspect = 4.0 / 3;
    rows.push_back({"LetterboxKeepsAspect",
                    srcMp4,
                    {},
                    {{"vcodec", "mpeg4"},
                     {"vf", "crop=320:180:0:30,scale=640:360,pad=640:480:0:60"},
                     {"acodec", "libmp3lame"}},
                    "avi",
                    letterbox});
    return rows;
}

// The decoded length of a source's audio (else its video), seconds: encoders add priming that
// containers without gapless information keep, so the outputs are compared with it.
double SourceSeconds(TSource S) {
    static std::map<TSource, double> known;
    auto it = known.find(S);
    if (it != known.end())
        return it->second;
    const TMediaFacts f = Inspect(SourceFile(S));
    double seconds = 0;
    if (const TStreamFacts* a = f.First(AVMEDIA_TYPE_AUDIO))
        seconds = a->AudioSeconds();
    else if (const TStreamFacts* v = f.First(AVMEDIA_TYPE_VIDEO))
        seconds = v->EndTime - v->FirstTime;
    return known[S] = seconds;
}

class ConversionRows : public ::testing::TestWithParam<TRow> {};

std::string OutputName(const TRow& R) {
    return R.Name + "." + R.Ext;
}

} // namespace

TEST_P(ConversionRows, OutputHasTheAskedProperties) {
    const TRow& row = GetParam();
    TOutputDir dir;
    const std::string source = SourceFile(row.Source);
    const std::string sourceBytes = [&] {
        std::ifstream in(source, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();

    TConversion c;
    c.Inputs = {{source, row.Before}};
    c.Options = row.Options;
    c.Output = dir.File(OutputName(row));
    const TOutcome outcome = Convert(c);
    ASSERT_EQ(outcome.Error, "");
    EXPECT_TRUE(outcome.Completed);

    TExpect e = row.Expect;
    if (e.Seconds == 0)
        e.Seconds = SourceSeconds(row.Source);
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(c.Output)) << probe.LastError();
    EXPECT_THAT(probe.FormatName(), HasSubstr(e.Format));
    EXPECT_EQ(probe.VideoStreamCount(), e.VideoCodec.empty() ? 0 : 1);
    EXPECT_EQ(probe.AudioStreamCount(), e.AudioCodec.empty() ? 0 : 1);
    if (!e.AudioCodec.empty()) {
        TAudioStreamInfo info;
        ASSERT_TRUE(probe.GetAudioStreamInfo(-1, info));
        EXPECT_EQ(info.Channels, e.Channels);
        EXPECT_EQ(info.SampleRate, e.SampleRate);
        if (e.AudioBitRate > 0) {
            EXPECT_NEAR(info.BitRate, e.AudioBitRate, e.AudioBitRate / 10);
        }
    }
    if (!e.VideoCodec.empty()) {
        TVideoStreamInfo info;
        ASSERT_TRUE(probe.GetVideoStreamInfo(-1, info));
        EXPECT_EQ(info.Width, e.Width);
        EXPECT_EQ(info.Height, e.Height);
        if (e.DisplayAspect > 0) {
            EXPECT_NEAR(info.DisplayAspect, e.DisplayAspect, 0.01);
        }
    }
    probe.Close();

    const TMediaFacts facts = Inspect(c.Output);
    ASSERT_TRUE(facts.Opened) << facts.Error;
    EXPECT_EQ(facts.DecodeErrors, 0);
    if (const TStreamFacts* a = facts.First(AVMEDIA_TYPE_AUDIO)) {
        EXPECT_EQ(a->Codec, e.AudioCodec);
        EXPECT_EQ(a->Channels, e.Channels);
        EXPECT_EQ(a->SampleRate, e.SampleRate);
        EXPECT_NEAR(a->AudioSeconds(), e.Seconds, e.Tolerance);
        EXPECT_GT(a->Peak, 0.1) << "silent";
        if (e.Peak > 0) {
            EXPECT_NEAR(a->Peak, e.Peak, e.Peak * 0.15) << "peak level";
        }
    }
    if (const TStreamFacts* v = facts.First(AVMEDIA_TYPE_VIDEO)) {
        EXPECT_EQ(v->Codec, e.VideoCodec);
        EXPECT_EQ(v->Width, e.Width);
        EXPECT_EQ(v->Height, e.Height);
        // Audio priming shifted by the muxer may delay the first picture by one frame.
        EXPECT_NEAR(v->EndTime - v->FirstTime, e.Seconds, 0.1);
        EXPECT_NEAR(double(v->Frames), e.Seconds * e.FrameRate, 1.5);
    }
    if (e.VideoCodec.empty() && HasVideo(row.Source)) {
        EXPECT_EQ(outcome.CountLogged("(Video)"), 0) << "the unused video was decoded or mapped";
    }

    const std::string after = [&] {
        std::ifstream in(source, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_TRUE(after == sourceBytes) << "the source changed";
}

INSTANTIATE_TEST_SUITE_P(Audio, ConversionRows, ::testing::ValuesIn(AudioRows()),
                         [](const auto& Info) { return Info.param.Name; });
INSTANTIATE_TEST_SUITE_P(Video, ConversionRows, ::testing::ValuesIn(VideoRows()),
                         [](const auto& Info) { return Info.param.Name; });

// ---- scenarios beyond one source and one option set ----

namespace {

// Media made for single scenarios, once per test program, in a folder of its own.
class TExtraMedia {
public:
    static TExtraMedia& Get() {
        static TExtraMedia media;
        return media;
    }
    // 1 s of 29.97 fps MPEG-4 video with AAC audio.
    const std::string& Ntsc() {
        return Make(Ntsc_, "ntsc.avi", [](fixtures::TMediaSpec& s) {
            s.Format = "avi";
            s.VideoEncoder = "mpeg4";
            s.FrameRateNum = 30000;
            s.FrameRateDen = 1001;
            s.AudioEncoders = {"libmp3lame"};
            s.Seconds = 1.0;
        });
    }
    // 1 s of tone.
    const std::string& ShortWav() {
        return Make(ShortWav_, "short.wav", [](fixtures::TMediaSpec& s) {
            s.Format = "wav";
            s.AudioEncoders = {"pcm_s16le"};
            s.Seconds = 1.0;
        });
    }
    // The AVI fixture remuxed into Matroska with two chapters (0-1 s "One", 1-2 s "Two").
    const std::string& Chaptered() {
        if (Chaptered_.empty()) {
            Chaptered_ = Dir_.File("chapters.mkv");
            WriteChaptered(Media().AviMpeg4Mp3, Chaptered_);
        }
        return Chaptered_;
    }

private:
    template <class F> const std::string& Make(std::string& Path, const char* Name, F Fill) {
        if (Path.empty()) {
            fixtures::TMediaSpec spec;
            Fill(spec);
            MakeMedia(Dir_.File(Name), spec);
            Path = Dir_.File(Name);
        }
        return Path;
    }

    static void WriteChaptered(const std::string& From, const std::string& To) {
        AVFormatContext* ic = nullptr;
        if (avformat_open_input(&ic, From.c_str(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(ic, nullptr) < 0)
            throw std::runtime_error("cannot read " + From);
        AVFormatContext* oc = nullptr;
        if (avformat_alloc_output_context2(&oc, nullptr, "matroska", To.c_str()) < 0)
            throw std::runtime_error("cannot make " + To);
        for (unsigned i = 0; i < ic->nb_streams; ++i) {
            AVStream* st = avformat_new_stream(oc, nullptr);
            avcodec_parameters_copy(st->codecpar, ic->streams[i]->codecpar);
            st->codecpar->codec_tag = 0;
            st->time_base = ic->streams[i]->time_base;
        }
        const char* titles[] = {"One", "Two"};
        oc->chapters = static_cast<AVChapter**>(av_calloc(2, sizeof(AVChapter*)));
        for (int c = 0; c < 2; ++c) {
            auto* ch = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
            ch->id = c + 1;
            ch->time_base = AVRational{1, 1000};
            ch->start = c * 1000;
            ch->end = (c + 1) * 1000;
            av_dict_set(&ch->metadata, "title", titles[c], 0);
            oc->chapters[c] = ch;
        }
        oc->nb_chapters = 2;
        if (avio_open(&oc->pb, To.c_str(), AVIO_FLAG_WRITE) < 0 ||
            avformat_write_header(oc, nullptr) < 0)
            throw std::runtime_error("cannot write " + To);
        AVPacket* pkt = av_packet_alloc();
        while (av_read_frame(ic, pkt) >= 0) {
            av_packet_rescale_ts(pkt, ic->streams[pkt->stream_index]->time_base,
                                 oc->streams[pkt->stream_index]->time_base);
            pkt->pos = -1;
            av_interleaved_write_frame(oc, pkt);
        }
        av_packet_free(&pkt);
        av_write_trailer(oc);
        avio_closep(&oc->pb);
        avformat_free_context(oc);
        avformat_close_input(&ic);
    }

    TOutputDir Dir_;
    std::string Ntsc_, ShortWav_, Chaptered_;
};

std::string ReadAll(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string LastStatus(const TOutcome& O) {
    for (auto it = O.Log.rbegin(); it != O.Log.rend(); ++it)
        if (it->LogMsg.find("size=") != std::string::npos)
            return it->LogMsg;
    return "no status line";
}

TOutcome Conv(const std::vector<TInput>& Inputs, const TOptionList& Options,
              const std::string& Output, bool Join = false) {
    TConversion c;
    c.Inputs = Inputs;
    c.Options = Options;
    c.Output = Output;
    c.Join = Join;
    return Convert(c);
}

} // namespace

TEST(Conversion, NtscTargetChosenFromTheSourceRate) {
    TOutputDir dir;
    const TOutcome o =
        Conv({{TExtraMedia::Get().Ntsc(), {}}}, {{"target", "dvd"}}, dir.File("ntsc.vob"));
    ASSERT_EQ(o.Error, "");
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(dir.File("ntsc.vob"))) << probe.LastError();
    TVideoStreamInfo v;
    ASSERT_TRUE(probe.GetVideoStreamInfo(-1, v));
    EXPECT_EQ(v.Width, 720);
    EXPECT_EQ(v.Height, 480);
    EXPECT_EQ(v.FrameRateNum * 1001, v.FrameRateDen * 30000);
    EXPECT_TRUE(o.Logged(llVerbose, "Assuming NTSC for target."));
}

TEST(Conversion, FrameRateChangeCountsDroppedAndDuplicatedFrames) {
    TOutputDir dir;
    // 25 to 10 frames a second: 3 of every 5 pictures are dropped; the final line counts them.
    TOutcome o = Conv({{Media().AviMpeg4Mp3, {}}}, {{"vcodec", "mpeg4"}, {"r", "10"}, {"an", ""}},
                      dir.File("slow.avi"));
    ASSERT_EQ(o.Error, "");
    TMediaFacts f = Inspect(dir.File("slow.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 20, 1);
    EXPECT_TRUE(o.Logged(llVerbose, " dup=0 drop=29")) << LastStatus(o);

    // 25 to 50: every picture twice.
    o = Conv({{Media().AviMpeg4Mp3, {}}}, {{"vcodec", "mpeg4"}, {"r", "50"}, {"an", ""}},
             dir.File("fast.avi"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("fast.avi"));
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 100, 2);
    EXPECT_TRUE(o.Logged(llVerbose, " dup=48 drop=0")) << LastStatus(o);

    // vsync 0: every picture once, at the time it has.
    o = Conv({{Media().AviMpeg4Mp3, {}}}, {{"vcodec", "mpeg4"}, {"vsync", "0"}, {"an", ""}},
             dir.File("all.avi"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("all.avi"));
    EXPECT_EQ(f.First(AVMEDIA_TYPE_VIDEO)->Frames, 50);
    EXPECT_FALSE(o.Logged(llVerbose, "drop="));

    // vsync 0 with a lower rate: pictures that would repeat the previous time stamp are dropped.
    o = Conv({{Media().AviMpeg4Mp3, {}}},
             {{"vcodec", "mpeg4"}, {"vsync", "0"}, {"r", "10"}, {"an", ""}},
             dir.File("passthrough10.avi"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("passthrough10.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 20, 1);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_VIDEO)->EndTime, 2.0, 0.15);
    EXPECT_TRUE(o.Logged(llVerbose, " dup=0 drop=29")) << LastStatus(o);

    // async 1 keeps the audio on the time line of its time stamps.
    o = Conv({{Media().MpegPsMpeg2Mp2, {}}},
             {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}, {"async", "1"}},
             dir.File("async.avi"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("async.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 2.0, 0.1);
}

TEST(Conversion, JoinedInputsGiveOneContinuousTimeLine) {
    TOutputDir dir;
    const std::string out = dir.File("joined.avi");
    const TOutcome o = Conv({{Media().AviMpeg4Mp3, {}}, {Media().Mp4H264Aac, {}}},
                            {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, out, true);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    const TMediaFacts f = Inspect(out);
    const TStreamFacts* v = f.First(AVMEDIA_TYPE_VIDEO);
    const TStreamFacts* a = f.First(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(v != nullptr && a != nullptr);
    EXPECT_NEAR(double(v->Frames), 100, 3);
    EXPECT_NEAR(v->EndTime - v->FirstTime, 4.0, 0.12);
    EXPECT_LE(v->LargestGap, 0.045) << "a hole in the pictures where the inputs meet";
    EXPECT_NEAR(a->AudioSeconds(), 4.0, 0.12);
    EXPECT_GT(a->Peak, 0.1);
    EXPECT_EQ(o.CountLogged("Stream mapping:"), 1);
}

TEST(Conversion, StreamMapsAndMetadataMaps) {
    TOutputDir dir;
    const std::string out = dir.File("mapped.mp3");
    // The audio of the second input and the tags of the second.
    const TOutcome o =
        Conv({{Media().Wav, {}}, {Media().Tagged, {}}},
             {{"map", "1.0"}, {"map_meta_data", "0:1"}, {"acodec", "libmp3lame"}}, out);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #1.0 -> #0.0 (Audio)"));
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(out));
    TFileStreamInfo info;
    ASSERT_TRUE(probe.GetFileStreamInfo(info));
    const auto& tags = fixtures::TaggedTags();
    auto tag = [&](const std::string& k) {
        for (const auto& [key, value] : tags)
            if (key == k)
                return value;
        return std::string();
    };
    EXPECT_EQ(info.Title, tag("title"));
    EXPECT_EQ(info.Album, tag("album"));
    const TMediaFacts f = Inspect(out);
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 1.0, 0.05)
        << "the tagged input is 1 s long";
}

TEST(Conversion, AudioTimedByAVideoStream) {
    TOutputDir dir;
    // The audio takes its time line from the video stream's clock, which moves in picture steps.
    for (const char* ext : {"mp3", "avi"}) {
        const std::string out = dir.File(std::string("synced.") + ext);
        TOptionList options = {{"map", "0.1:0.0"}, {"vn", ""}, {"acodec", "libmp3lame"}};
        if (std::string(ext) == "avi")
            options = {{"map", "0.0"}, {"map", "0.1:0.0"}, {"vcodec", "mpeg4"},
                       {"acodec", "libmp3lame"}};
        const TOutcome o = Conv({{Media().AviMpeg4Mp3, {}}}, options, out);
        ASSERT_EQ(o.Error, "") << ext;
        const TMediaFacts f = Inspect(out);
        const TStreamFacts* a = f.First(AVMEDIA_TYPE_AUDIO);
        ASSERT_NE(a, nullptr) << ext;
        EXPECT_EQ(f.DecodeErrors, 0) << ext;
        EXPECT_NEAR(a->AudioSeconds(), 2.0, 0.1) << ext;
        EXPECT_NEAR(a->EndTime, 2.0, 0.1) << ext << ": the audio spread beyond its length";
        EXPECT_GT(a->Peak, 0.1) << ext;
    }
}

TEST(Conversion, TwoPassWithTheStatisticsFile) {
    TOutputDir dir;
    const std::string log = dir.File("stats");
    TOutcome o = Conv(
        {{Media().AviMpeg4Mp3, {}}},
        {{"vcodec", "mpeg4"}, {"b", "200000"}, {"pass", "1"}, {"passlogfile", log}, {"an", ""}},
        dir.File("pass1.avi"));
    ASSERT_EQ(o.Error, "");
    const std::string stats = ReadAll(log + "-0.log");
    EXPECT_THAT(stats, HasSubstr("in:0 out:0 type:1"));
    o = Conv(
        {{Media().AviMpeg4Mp3, {}}},
        {{"vcodec", "mpeg4"}, {"b", "200000"}, {"pass", "2"}, {"passlogfile", log}, {"an", ""}},
        dir.File("pass2.avi"));
    ASSERT_EQ(o.Error, "");
    const TMediaFacts f = Inspect(dir.File("pass2.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(double(f.First(AVMEDIA_TYPE_VIDEO)->Frames), 50, 1);

    // Pass 2 without the first pass's file.
    o = Conv({{Media().AviMpeg4Mp3, {}}},
             {{"vcodec", "mpeg4"}, {"pass", "2"}, {"passlogfile", dir.File("missing")}, {"an", ""}},
             dir.File("pass2b.avi"));
    EXPECT_EQ(o.Error, "Cannot read file: Error reading log file \"" + dir.File("missing") +
                           "-0.log\" for pass-2 encoding");
}

TEST(Conversion, SubtitlesCarriedIntoMatroska) {
    TOutputDir dir;
    TOutcome o =
        Conv({{Media().Subtitled, {}}},
             {{"vcodec", "copy"}, {"acodec", "copy"}, {"scodec", "copy"}}, dir.File("copy.mkv"));
    ASSERT_EQ(o.Error, "");
    TMediaFacts f = Inspect(dir.File("copy.mkv"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_SUBTITLE), nullptr);
    EXPECT_EQ(f.First(AVMEDIA_TYPE_SUBTITLE)->Codec, "subrip");
    EXPECT_GE(f.First(AVMEDIA_TYPE_SUBTITLE)->Packets, 2);
    const int64_t events = f.First(AVMEDIA_TYPE_SUBTITLE)->Packets;

    // Re-encoded into the container's own subtitle codec.
    o = Conv({{Media().Subtitled, {}}}, {{"vcodec", "mpeg4"}, {"acodec", "aac"}},
             dir.File("encoded.mkv"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("encoded.mkv"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_SUBTITLE), nullptr);
    EXPECT_EQ(f.First(AVMEDIA_TYPE_SUBTITLE)->Codec, "ass");
    EXPECT_EQ(f.First(AVMEDIA_TYPE_SUBTITLE)->Packets, events);
}

TEST(Conversion, MetadataAndChapters) {
    TOutputDir dir;
    TOutcome o = Conv({{TExtraMedia::Get().Chaptered(), {}}},
                      {{"metadata", "title=Zelta"},
                       {"metadata", "comment=joined"},
                       {"vcodec", "copy"},
                       {"acodec", "copy"}},
                      dir.File("chapters.mkv"));
    ASSERT_EQ(o.Error, "");
    TMediaFacts f = Inspect(dir.File("chapters.mkv"));
    EXPECT_EQ(f.Tag("title"), "Zelta");
    EXPECT_EQ(f.Tag("comment"), "joined");
    EXPECT_EQ(f.Chapters, 2);

    // A start time after the input moves the chapters; the one that ended before it is gone.
    o = Conv({{TExtraMedia::Get().Chaptered(), {}}},
             {{"ss", "1.2"}, {"vcodec", "mpeg4"}, {"acodec", "libvorbis"}}, dir.File("late.mkv"));
    ASSERT_EQ(o.Error, "");
    AVFormatContext* ic = nullptr;
    ASSERT_EQ(avformat_open_input(&ic, dir.File("late.mkv").c_str(), nullptr, nullptr), 0);
    ASSERT_EQ(ic->nb_chapters, 1u);
    EXPECT_EQ(ic->chapters[0]->start * ic->chapters[0]->time_base.num * 1000 /
                  ic->chapters[0]->time_base.den,
              0);
    EXPECT_NEAR(double(ic->chapters[0]->end) * av_q2d(ic->chapters[0]->time_base), 0.8, 0.01);
    avformat_close_input(&ic);
}

TEST(Conversion, LimitsAndShortest) {
    TOutputDir dir;
    // fs: the run ends at the first packet after the limit; the trailer is still written.
    TOutcome o = Conv({{Media().Wav, {}}}, {{"acodec", "pcm_s16le"}, {"fs", "100000"}},
                      dir.File("limited.wav"));
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    TMediaFacts f = Inspect(dir.File("limited.wav"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
    const double seconds = f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds();
    EXPECT_GT(seconds, 100000.0 / 176400);
    EXPECT_LT(seconds, 150000.0 / 176400);
    EXPECT_NEAR(f.Duration, seconds, 0.01) << "the header was finished";

    // shortest: the run ends with the first input that ends (the 1 s audio).
    o = Conv({{Media().AviMpeg4Mp3, {}}, {TExtraMedia::Get().ShortWav(), {}}},
             {{"map", "0.0"},
              {"map", "1.0"},
              {"vcodec", "mpeg4"},
              {"acodec", "libmp3lame"},
              {"shortest", ""}},
             dir.File("shortest.avi"));
    ASSERT_EQ(o.Error, "");
    f = Inspect(dir.File("shortest.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(f.First(AVMEDIA_TYPE_VIDEO)->EndTime, 1.0, 0.15);
}

// A stopped run still ends in order (the final report comes) but leaves no file: only a
// finished file is given its name.
TEST(Conversion, StopRequestEndsTheRunLeavingNoFile) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().Mp4H264Aac, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}};
    c.Output = dir.File("stopped.avi");
    c.Settings.ReportInterval = 0;
    c.StopAfter = [](int Call) { return Call == 10; };
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_FALSE(o.Completed);
    ASSERT_FALSE(o.Reports.empty());
    EXPECT_EQ(o.Reports.back().FileIndex, -1) << "the final report still comes";
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Conversion, BadInputsEndWithAClearMessage) {
    TOutputDir dir;
    // A file cut in the middle converts what it holds and ends normally.
    const std::string cut = dir.File("cut.mpg");
    {
        const std::string bytes = ReadAll(Media().MpegPsMpeg2Mp2);
        std::ofstream(cut, std::ios::binary)
            .write(bytes.data(), std::streamsize(bytes.size() * 6 / 10));
    }
    const std::string cutBytes = ReadAll(cut);
    TOutcome o =
        Conv({{cut, {}}}, {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, dir.File("cut.avi"));
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Completed);
    TMediaFacts f = Inspect(dir.File("cut.avi"));
    ASSERT_NE(f.First(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_GT(f.First(AVMEDIA_TYPE_VIDEO)->Frames, 10);
    EXPECT_LT(f.First(AVMEDIA_TYPE_VIDEO)->Frames, 45);
    EXPECT_EQ(ReadAll(cut), cutBytes) << "the source changed";

    // Files the libraries cannot read, an unknown forced format.
    o = Conv({{Media().TextFile, {}}}, {}, dir.File("text.mp3"));
    EXPECT_THAT(o.Error, HasSubstr(Media().TextFile));
    o = Conv({{Media().ZeroByte, {}}}, {}, dir.File("zero.mp3"));
    EXPECT_THAT(o.Error, HasSubstr(Media().ZeroByte));
    o = Conv({{Media().Wav, {{"f", "nosuchformat"}}}}, {}, dir.File("x.mp3"));
    EXPECT_EQ(o.Error, "Unknown input format: \"nosuchformat\"");

    // A file that opens but holds nothing to convert.
    const std::string subtitlesOnly = dir.File("subtitles.srt");
    std::ofstream(subtitlesOnly) << "1\n00:00:00,500 --> 00:00:01,500\nHello\n\n";
    o = Conv({{subtitlesOnly, {}}}, {}, dir.File("subtitles.mp3"));
    EXPECT_EQ(o.Error, "Output file #0 does not contain any stream");
    EXPECT_FALSE(std::filesystem::exists(dir.File("subtitles.mp3")));

    // Outputs that cannot be written.
    o = Conv({{Media().Wav, {}}}, {}, "/proc/zelta-cannot-write.mp3");
    EXPECT_THAT(o.Error, HasSubstr("/proc/zelta-cannot-write.mp3: "));
    // Whatever is at the name stays as it is (a folder here, a device or another program's
    // file elsewhere): the finished file takes the next free name. A full disk is the command
    // line's test.
    std::filesystem::create_directory(dir.File("folder.mp3"));
    o = Conv({{Media().Wav, {}}}, {}, dir.File("folder.mp3"));
    EXPECT_EQ(o.Error, "");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.mp3")));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("folder_(new).mp3")));
}
