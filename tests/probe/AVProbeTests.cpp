// The probe on real media: the shared fixture files and a few files made for one test.

#include "probe/AVProbe.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/UnicodeProtocol.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

namespace fs = std::filesystem;

struct TLogLine {
    const void* Sender;
    TLogLevel Level;
    std::string Msg;
};

// Collects the logger's lines while it lives.
class TLogCapture {
public:
    TLogCapture() {
        GetLogger().SetOnLog([this](const void* Sender, uint32_t, TLogLevel Level,
                                    const std::string& Msg) {
            std::lock_guard g(Lock_);
            Lines_.push_back({Sender, Level, Msg});
        });
    }
    ~TLogCapture() { GetLogger().SetOnLog({}); }
    TLogCapture(const TLogCapture&) = delete;
    TLogCapture& operator=(const TLogCapture&) = delete;

    bool Has(const void* Sender, TLogLevel Level, const std::string& Msg) {
        std::lock_guard g(Lock_);
        for (const TLogLine& l : Lines_)
            if (l.Sender == Sender && l.Level == Level && l.Msg == Msg)
                return true;
        return false;
    }

private:
    std::mutex Lock_;
    std::vector<TLogLine> Lines_;
};

// Restores the process locale on scope exit.
class TLocaleGuard {
public:
    TLocaleGuard() : Saved_(std::setlocale(LC_ALL, nullptr)) {}
    ~TLocaleGuard() { std::setlocale(LC_ALL, Saved_.c_str()); }
    TLocaleGuard(const TLocaleGuard&) = delete;
    TLocaleGuard& operator=(const TLocaleGuard&) = delete;

private:
    std::string Saved_;
};

// A private folder for files made by one test, removed afterwards.
class TTempDir {
public:
    TTempDir() {
        std::string pattern = (fs::temp_directory_path() / "zelta-probe-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path_ = pattern;
    }
    ~TTempDir() {
        std::error_code ec;
        fs::remove_all(Path_, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string File(const std::string& Name) const { return (Path_ / Name).string(); }

private:
    fs::path Path_;
};

// Loads the engine libraries again when a test unloaded some of them.
struct TReloadLibraries {
    ~TReloadLibraries() { FFLoader().LoadLibs(EngineLibraries); }
};

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> out;
    std::istringstream in(Text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// Index of the first line starting with Prefix, or -1.
int FindLine(const std::vector<std::string>& L, const std::string& Prefix) {
    for (size_t i = 0; i < L.size(); ++i)
        if (L[i].rfind(Prefix, 0) == 0)
            return int(i);
    return -1;
}

int CountLines(const std::vector<std::string>& L, const std::string& Prefix) {
    int n = 0;
    for (const std::string& line : L)
        n += line.rfind(Prefix, 0) == 0 ? 1 : 0;
    return n;
}

bool Contains(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

// A context opened the way a conversion task opens its input.
TOwnedInputPtr OpenContext(const std::string& Name) {
    AVFormatContext* ctx = nullptr;
    if (UnicodeOpenInput(&ctx, FileNameToURL(Name), nullptr, nullptr) < 0)
        return nullptr;
    TOwnedInputPtr owned(ctx);
    if (avformat_find_stream_info(ctx, nullptr) < 0)
        return nullptr;
    return owned;
}

class ProbeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    }
    static const fixtures::TFixtureSet& Media() { return fixtures::Fixtures(); }

    static void ExpectEmpty(const TAVProbe& Probe) {
        EXPECT_EQ(Probe.FormatContext(), nullptr);
        EXPECT_FALSE(Probe.OwnsContext());
        EXPECT_EQ(Probe.FileSize(), -1);
        EXPECT_EQ(Probe.StreamCount(), -1);
        EXPECT_EQ(Probe.ProgramCount(), -1);
        EXPECT_EQ(Probe.AudioStreamCount(), -1);
        EXPECT_EQ(Probe.VideoStreamCount(), -1);
        EXPECT_EQ(Probe.SubtitleStreamCount(), -1);
        EXPECT_EQ(Probe.FirstAudioStream(), -1);
        EXPECT_EQ(Probe.FirstVideoStream(), -1);
        EXPECT_EQ(Probe.FirstSubtitleStream(), -1);
    }

    // Records holding something, to see that a failed query resets them.
    static TAudioStreamInfo FilledAudio() {
        TAudioStreamInfo a;
        a.CodecName = "stale";
        a.StartTimeUs = a.Channels = 5;
        return a;
    }
    static TVideoStreamInfo FilledVideo() {
        TVideoStreamInfo v;
        v.CodecName = "stale";
        v.Width = v.FrameRateNum = 5;
        v.DisplayAspect = 5.0f;
        return v;
    }
};

// What each shared fixture holds.
struct TExpected {
    std::string fixtures::TFixtureSet::*File;
    const char* FormatName;
    int Streams, Audio, Video, Subtitles;
    int FirstAudio, FirstVideo, FirstSubtitle;
    double Seconds;
    int SampleRate, Channels;
    float DisplayAspect; // of the video stream; unused without video
};

constexpr float Aspect43 = 4.0f / 3.0f;

const TExpected ExpectedMedia[] = {
    {&fixtures::TFixtureSet::AviMpeg4Mp3, "avi", 2, 1, 1, 0, 1, 0, -1, 2.0, 44100, 2, Aspect43},
    // x264 writes no sample aspect ratio, so the display aspect is unknown.
    {&fixtures::TFixtureSet::Mp4H264Aac, "mov,mp4,m4a,3gp,3g2,mj2", 2, 1, 1, 0, 1, 0, -1, 2.0,
     44100, 2, 0.0f},
    {&fixtures::TFixtureSet::MpegPsMpeg2Mp2, "mpeg", 2, 1, 1, 0, 1, 0, -1, 2.0, 44100, 2, Aspect43},
    {&fixtures::TFixtureSet::Wav, "wav", 1, 1, 0, 0, 0, -1, -1, 2.0, 44100, 2, 0},
    {&fixtures::TFixtureSet::Mp3, "mp3", 1, 1, 0, 0, 0, -1, -1, 2.0, 44100, 2, 0},
    {&fixtures::TFixtureSet::Flac, "flac", 1, 1, 0, 0, 0, -1, -1, 2.0, 44100, 2, 0},
    {&fixtures::TFixtureSet::Surround51, "ac3", 1, 1, 0, 0, 0, -1, -1, 2.0, 48000, 6, 0},
    {&fixtures::TFixtureSet::Tagged, "mp3", 1, 1, 0, 0, 0, -1, -1, 1.0, 44100, 2, 0},
    {&fixtures::TFixtureSet::TwoAudio, "matroska,webm", 2, 2, 0, 0, 0, -1, -1, 2.0, 44100, 2, 0},
    {&fixtures::TFixtureSet::Subtitled, "matroska,webm", 3, 1, 1, 1, 1, 0, 2, 2.0, 44100, 2,
     Aspect43},
    {&fixtures::TFixtureSet::NonAscii, "mov,mp4,m4a,3gp,3g2,mj2", 2, 1, 1, 0, 1, 0, -1, 1.0,
     44100, 2, Aspect43},
};

constexpr int64_t DurationSlackUs = 100000; // encoder delay and last-frame rounding

} // namespace

// --- Nothing open ---

TEST_F(ProbeTest, EmptyProbeAnswersFileNotLoaded) {
    TLogCapture log;
    TAVProbe probe;
    ExpectEmpty(probe);
    EXPECT_TRUE(probe.LastError().empty());

    TFileStreamInfo file;
    file.Title = "stale";
    file.Duration = 5;
    EXPECT_FALSE(probe.GetFileStreamInfo(file));
    EXPECT_EQ(probe.LastError(), "file not loaded.");
    EXPECT_EQ(file, TFileStreamInfo{});
    EXPECT_EQ(file.Duration, -1);

    TAudioStreamInfo audio = FilledAudio();
    EXPECT_FALSE(probe.GetAudioStreamInfo(-1, audio));
    EXPECT_EQ(audio, TAudioStreamInfo{});
    TVideoStreamInfo video = FilledVideo();
    EXPECT_FALSE(probe.GetVideoStreamInfo(0, video));
    EXPECT_EQ(video, TVideoStreamInfo{});

    std::string text = "stale";
    EXPECT_FALSE(probe.GetInfoText(text));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(probe.FileName(), "");
    EXPECT_EQ(probe.FormatName(), "");
    EXPECT_FALSE(probe.IsAudioStream(0));
    EXPECT_FALSE(probe.IsVideoStream(0));
    EXPECT_EQ(probe.LastError(), "file not loaded.");
    EXPECT_TRUE(log.Has(&probe, llWarning, "file not loaded."));

    // Closing an empty probe is harmless.
    probe.Close();
    ExpectEmpty(probe);
}

TEST_F(ProbeTest, MissingLibrariesRaiseInCheckOrder) {
    struct TCase {
        TLibrarySet Unload;
        const char* Message;
    };
    const TCase cases[] = {
        {LibrarySetOf(lkAVFormat), "LibAVFormat not loaded."},
        {LibrarySetOf(lkAVCodec) | LibrarySetOf(lkAVFormat), "LibAVCodec not loaded."},
        {LibrarySetOf(lkAVUtil) | LibrarySetOf(lkSWScale), "LibAVUtil not loaded."},
        {LibrarySetOf(lkSWScale), "LibSwScale not loaded."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        TReloadLibraries reload;
        FFLoader().UnloadLibs(c.Unload);
        TAVProbe probe;
        try {
            probe.Open(Media().Wav);
            ADD_FAILURE() << "Open did not raise";
        } catch (const FFmpegException& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        try {
            probe.Attach(nullptr);
            ADD_FAILURE() << "Attach did not raise";
        } catch (const FFmpegException& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        ExpectEmpty(probe);
    }
    // With the libraries back the probe works again.
    TAVProbe probe;
    EXPECT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
}

// --- Properties of every fixture ---

TEST_F(ProbeTest, FixtureCountsIndexesAndRecords) {
    for (const TExpected& e : ExpectedMedia) {
        const std::string& name = Media().*e.File;
        SCOPED_TRACE(name);
        TAVProbe probe;
        ASSERT_TRUE(probe.Open(name)) << probe.LastError();
        EXPECT_TRUE(probe.OwnsContext());
        EXPECT_NE(probe.FormatContext(), nullptr);
        EXPECT_EQ(probe.FileName(), name);
        EXPECT_EQ(probe.FormatName(), e.FormatName);
        EXPECT_TRUE(probe.ForcedFormat().empty());
        EXPECT_EQ(probe.FileSize(), int64_t(fs::file_size(name)));
        EXPECT_EQ(probe.StreamCount(), e.Streams);
        EXPECT_EQ(probe.ProgramCount(), 0);
        EXPECT_EQ(probe.AudioStreamCount(), e.Audio);
        EXPECT_EQ(probe.VideoStreamCount(), e.Video);
        EXPECT_EQ(probe.SubtitleStreamCount(), e.Subtitles);
        EXPECT_EQ(probe.FirstAudioStream(), e.FirstAudio);
        EXPECT_EQ(probe.FirstVideoStream(), e.FirstVideo);
        EXPECT_EQ(probe.FirstSubtitleStream(), e.FirstSubtitle);
        EXPECT_TRUE(probe.IsAudioStream(e.FirstAudio));
        EXPECT_FALSE(probe.IsVideoStream(e.FirstAudio));
        EXPECT_FALSE(probe.IsAudioStream(e.Streams));
        EXPECT_FALSE(probe.IsAudioStream(-1));

        TFileStreamInfo file;
        ASSERT_TRUE(probe.GetFileStreamInfo(file));
        EXPECT_NEAR(double(file.Duration), e.Seconds * 1e6, double(DurationSlackUs));
        EXPECT_GT(file.BitRate, 0);

        TAudioStreamInfo audio;
        ASSERT_TRUE(probe.GetAudioStreamInfo(-1, audio)) << probe.LastError();
        EXPECT_EQ(audio.SampleRate, e.SampleRate);
        EXPECT_EQ(audio.Channels, e.Channels);
        EXPECT_GE(audio.SampleFormat, 0);
        EXPECT_FALSE(audio.CodecName.empty());
        if (audio.StartTime == AV_NOPTS_VALUE)
            EXPECT_EQ(audio.StartTimeUs, -1);
        else
            EXPECT_TRUE(audio.StartTimeUs >= 0 && audio.StartTimeUs < 1000000) << audio.StartTimeUs;
        // Matroska keeps stream lengths only as tags.
        if (audio.Duration != AV_NOPTS_VALUE)
            EXPECT_NEAR(double(audio.DurationUs), e.Seconds * 1e6, double(DurationSlackUs));
        else
            EXPECT_EQ(audio.DurationUs, -1);

        TVideoStreamInfo video;
        if (e.Video == 0) {
            EXPECT_FALSE(probe.GetVideoStreamInfo(-1, video));
            EXPECT_EQ(probe.LastError(), "no video stream.");
            EXPECT_EQ(video, TVideoStreamInfo{});
            continue;
        }
        ASSERT_TRUE(probe.GetVideoStreamInfo(-1, video)) << probe.LastError();
        EXPECT_TRUE(probe.IsVideoStream(e.FirstVideo));
        EXPECT_EQ(video.Width, 320);
        EXPECT_EQ(video.Height, 240);
        EXPECT_EQ(video.FrameRateNum, 25);
        EXPECT_EQ(video.FrameRateDen, 1);
        EXPECT_EQ(video.PixelFormat, AV_PIX_FMT_YUV420P);
        EXPECT_NEAR(video.DisplayAspect, e.DisplayAspect, 1e-4);
        // The index form gives the same record as the first-stream form.
        TVideoStreamInfo byIndex;
        ASSERT_TRUE(probe.GetVideoStreamInfo(e.FirstVideo, byIndex));
        EXPECT_EQ(byIndex.CodecName, video.CodecName);
        EXPECT_EQ(byIndex.StartTimeUs, video.StartTimeUs);
    }
}

TEST_F(ProbeTest, CodecNamesAndStreamTimes) {
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(Media().Surround51)) << probe.LastError();
    TAudioStreamInfo ac3;
    ASSERT_TRUE(probe.GetAudioStreamInfo(0, ac3));
    EXPECT_EQ(ac3.CodecName, "ac3(ATSC A/52A (AC-3))");
    EXPECT_EQ(ac3.BitRate, 384000);

    ASSERT_TRUE(probe.Open(Media().MpegPsMpeg2Mp2)) << probe.LastError();
    TVideoStreamInfo mpeg2;
    ASSERT_TRUE(probe.GetVideoStreamInfo(-1, mpeg2));
    EXPECT_EQ(mpeg2.CodecName, "mpeg2video(MPEG-2 video)");
    // Times as stored in 1/90000 and their microsecond forms.
    ASSERT_NE(mpeg2.StartTime, AV_NOPTS_VALUE);
    EXPECT_EQ(mpeg2.StartTimeUs * 9, mpeg2.StartTime * 100);
    EXPECT_EQ(mpeg2.DurationUs * 9, mpeg2.Duration * 100);
    TFileStreamInfo file;
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    EXPECT_GT(file.StartTime, 0); // program streams start late

    // WAV has no start time: the stored marker and -1.
    ASSERT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
    TAudioStreamInfo pcm;
    ASSERT_TRUE(probe.GetAudioStreamInfo(-1, pcm));
    EXPECT_EQ(pcm.StartTime, AV_NOPTS_VALUE);
    EXPECT_EQ(pcm.StartTimeUs, -1);
    EXPECT_EQ(pcm.BitRate, 44100 * 2 * 16);
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    EXPECT_EQ(file.StartTime, -1);

    // Stream languages.
    ASSERT_TRUE(probe.Open(Media().TwoAudio)) << probe.LastError();
    TAudioStreamInfo first, second;
    ASSERT_TRUE(probe.GetAudioStreamInfo(-1, first));
    ASSERT_TRUE(probe.GetAudioStreamInfo(1, second));
    EXPECT_EQ(first.Language, "eng");
    EXPECT_EQ(second.Language, "ger");
}

// For a use that takes only the audio the probe can leave the video pictures undecoded: the file
// and audio facts read exactly as with the full analysis; the video keeps what the header says.
TEST_F(ProbeTest, HeaderOnlyVideoAnalysisKeepsTheFileAndAudioFacts) {
    for (const std::string& file : {Media().Mp4H264Aac, Media().AviMpeg4Mp3, Media().Subtitled,
                                    Media().VideoCover}) {
        SCOPED_TRACE(file);
        TAVProbe full, lean;
        ASSERT_TRUE(full.Open(file)) << full.LastError();
        ASSERT_TRUE(lean.Open(file, "", TAVProbe::TVideoAnalysis::HeaderOnly)) << lean.LastError();
        TFileStreamInfo a, b;
        ASSERT_TRUE(full.GetFileStreamInfo(a));
        ASSERT_TRUE(lean.GetFileStreamInfo(b));
        EXPECT_EQ(b, a);
        EXPECT_EQ(lean.FormatName(), full.FormatName());
        ASSERT_EQ(lean.StreamCount(), full.StreamCount());
        ASSERT_EQ(lean.AudioStreamCount(), full.AudioStreamCount());
        ASSERT_EQ(lean.VideoStreamCount(), full.VideoStreamCount());
        for (int i = 0; i < full.StreamCount(); ++i) {
            if (full.IsAudioStream(i)) {
                TAudioStreamInfo x, y;
                ASSERT_TRUE(full.GetAudioStreamInfo(i, x));
                ASSERT_TRUE(lean.GetAudioStreamInfo(i, y));
                EXPECT_EQ(y, x) << "audio stream " << i;
            } else if (full.IsVideoStream(i)) {
                TVideoStreamInfo x, y;
                ASSERT_TRUE(full.GetVideoStreamInfo(i, x));
                ASSERT_TRUE(lean.GetVideoStreamInfo(i, y));
                const bool cover = (full.FormatContext()->streams[i]->disposition &
                                    AV_DISPOSITION_ATTACHED_PIC) != 0;
                EXPECT_NE(x.PixelFormat, -1);
                if (cover) {
                    EXPECT_EQ(y, x) << "a cover is analysed in full";
                    continue;
                }
                EXPECT_EQ(y.PixelFormat, -1) << "no picture decoded";
                EXPECT_EQ(y.CodecName, x.CodecName);
                EXPECT_EQ(y.FrameRateNum, x.FrameRateNum);
                EXPECT_EQ(y.FrameRateDen, x.FrameRateDen);
                EXPECT_EQ(y.FrameCount, x.FrameCount);
                EXPECT_EQ(y.Rotation, x.Rotation);
                EXPECT_TRUE(y.Width == x.Width || y.Width == 0) << y.Width;
                EXPECT_EQ(y.Height == 0, y.Width == 0);
            }
        }
    }
    TAVProbe h264;
    ASSERT_TRUE(h264.Open(Media().Mp4H264Aac, "", TAVProbe::TVideoAnalysis::HeaderOnly));
    TVideoStreamInfo v;
    ASSERT_TRUE(h264.GetVideoStreamInfo(-1, v));
    EXPECT_EQ(v.Width, 320) << "H.264 states its size in the header";
    EXPECT_EQ(v.Height, 240);
}

TEST_F(ProbeTest, StreamIndexErrors) {
    TLogCapture log;
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(Media().AviMpeg4Mp3)) << probe.LastError();

    TAudioStreamInfo audio = FilledAudio();
    EXPECT_FALSE(probe.GetAudioStreamInfo(2, audio));
    EXPECT_EQ(probe.LastError(), "stream index #2 is invalid.");
    EXPECT_EQ(audio, TAudioStreamInfo{});
    EXPECT_FALSE(probe.GetAudioStreamInfo(0, audio));
    EXPECT_EQ(probe.LastError(), "stream #0 is not audio stream.");
    EXPECT_EQ(audio, TAudioStreamInfo{});

    TVideoStreamInfo video = FilledVideo();
    EXPECT_FALSE(probe.GetVideoStreamInfo(7, video));
    EXPECT_EQ(probe.LastError(), "stream index #7 is invalid.");
    EXPECT_FALSE(probe.GetVideoStreamInfo(1, video));
    EXPECT_EQ(probe.LastError(), "stream #1 is not video stream.");
    EXPECT_EQ(video, TVideoStreamInfo{});
    EXPECT_TRUE(log.Has(&probe, llError, "stream #1 is not video stream."));

    ASSERT_TRUE(probe.Open(Media().Mp3)) << probe.LastError();
    video = FilledVideo();
    EXPECT_FALSE(probe.GetVideoStreamInfo(-1, video));
    EXPECT_EQ(probe.LastError(), "no video stream.");
    EXPECT_EQ(video, TVideoStreamInfo{});
    EXPECT_TRUE(log.Has(&probe, llError, "no video stream."));
}

TEST_F(ProbeTest, TaggedFileMetadata) {
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(Media().Tagged)) << probe.LastError();
    TFileStreamInfo file;
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    EXPECT_EQ(file.Title, "Fixture Tone");
    EXPECT_EQ(file.Author, "Zelta Test Band"); // no "author" tag: the artist stands in
    EXPECT_EQ(file.Album, "Generated Sounds");
    EXPECT_EQ(file.Genre, "Test");
    EXPECT_EQ(file.Comment, "made by the test fixture builder");
    EXPECT_EQ(file.Copyright, "2010 Zelta Tests");
    EXPECT_EQ(file.Year, 2010);
    EXPECT_EQ(file.Track, 7);
    EXPECT_EQ(file.Timestamp, 0);

    ASSERT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    EXPECT_TRUE(file.Title.empty());
    EXPECT_TRUE(file.Author.empty());
    EXPECT_EQ(file.Year, 0);
    EXPECT_EQ(file.Track, 0);
}

// --- The description ---

TEST_F(ProbeTest, InfoTextOfTaggedFile) {
    TAVProbe probe;
    const std::string& name = Media().Tagged;
    ASSERT_TRUE(probe.Open(name)) << probe.LastError();
    TFileStreamInfo file;
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    std::string text;
    ASSERT_TRUE(probe.GetInfoText(text));
    const std::vector<std::string> l = Lines(text);

    ASSERT_GE(l.size(), 8u);
    EXPECT_EQ(l[0], "File Name: " + name);
    EXPECT_EQ(l[1], "Format Name: mp3");
    EXPECT_EQ(l[2], std::string("Format Long Name: ") + av_find_input_format("mp3")->long_name);
    EXPECT_EQ(l[3], "File Size: " + FormatFileSize(int64_t(fs::file_size(name))));
    EXPECT_EQ(l[4], "Duration: " + FormatMediaTime(file.Duration));
    EXPECT_EQ(l[5], "StartTime: " + FormatStartTime(file.StartTime));
    EXPECT_EQ(l[6], "Bit Rate: " + std::to_string(file.BitRate / 1000) + " kb/s");
    EXPECT_EQ(l[7], "Metadata:");
    EXPECT_EQ(FindLine(l, "Time Stamp:"), -1);

    // Every written tag appears in the container block, in writing order.
    int at = 7;
    for (const auto& [key, value] : fixtures::TaggedTags()) {
        char expected[256];
        std::snprintf(expected, sizeof expected, "  %-16s: %s", key.c_str(), value.c_str());
        const int found = FindLine(l, expected);
        EXPECT_GT(found, at) << expected;
        at = found;
    }
    const int stream = FindLine(l, "Stream #0");
    ASSERT_GT(stream, at);
    EXPECT_EQ(CountLines(l, "Stream #"), 1);
    EXPECT_TRUE(Contains(l[size_t(stream)], ": Audio: mp3")) << l[size_t(stream)];
    EXPECT_TRUE(Contains(l[size_t(stream)], ", Duration: 00:00:01.")) << l[size_t(stream)];
    EXPECT_NE(text.back(), '\n'); // lines are joined, not terminated
}

TEST_F(ProbeTest, InfoTextStreamLines) {
    TAVProbe probe;
    std::string text;

    // Program streams show their ids and a 1/90000 time base as 90k.
    ASSERT_TRUE(probe.Open(Media().MpegPsMpeg2Mp2)) << probe.LastError();
    ASSERT_TRUE(probe.GetInfoText(text));
    std::vector<std::string> l = Lines(text);
    EXPECT_EQ(FindLine(l, "Metadata:"), -1);
    int video = FindLine(l, "Stream #0[0x1e0], 1/90000: Video: mpeg2video");
    ASSERT_GE(video, 0) << text;
    EXPECT_TRUE(Contains(l[size_t(video)], ", 25 fps, 25 tbr, 90k tbn, StartTime: ")) << l[size_t(video)];
    EXPECT_FALSE(Contains(l[size_t(video)], "tbc"));
    EXPECT_TRUE(Contains(l[size_t(video)], ", Duration: 00:00:02.000"));
    EXPECT_GE(FindLine(l, "Stream #1[0x1c0], 1/90000: Audio: mp2"), 0) << text;

    // AVI shows no ids; its video time base is the frame rate.
    ASSERT_TRUE(probe.Open(Media().AviMpeg4Mp3)) << probe.LastError();
    ASSERT_TRUE(probe.GetInfoText(text));
    l = Lines(text);
    video = FindLine(l, "Stream #0, 1/25: Video: mpeg4");
    ASSERT_GE(video, 0) << text;
    EXPECT_TRUE(Contains(l[size_t(video)], ", 25 fps, 25 tbr, 25 tbn")) << l[size_t(video)];
    EXPECT_FALSE(Contains(l[size_t(video)], "25.00"));

    // A WAV has no start time: neither a StartTime line nor a stream start.
    ASSERT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
    ASSERT_TRUE(probe.GetInfoText(text));
    l = Lines(text);
    EXPECT_EQ(FindLine(l, "StartTime:"), -1);
    const int pcm = FindLine(l, "Stream #0, 1/44100: Audio: pcm_s16le");
    ASSERT_GE(pcm, 0) << text;
    EXPECT_FALSE(Contains(l[size_t(pcm)], "StartTime"));
    EXPECT_TRUE(Contains(l[size_t(pcm)], ", Duration: 00:00:02.000"));

    // Languages in brackets; the language tag itself stays out of the stream blocks, the
    // Matroska length tags do not, and stream lengths are unknown.
    ASSERT_TRUE(probe.Open(Media().TwoAudio)) << probe.LastError();
    ASSERT_TRUE(probe.GetInfoText(text));
    l = Lines(text);
    const int eng = FindLine(l, "Stream #0(eng), 1/1000: Audio: mp3");
    const int ger = FindLine(l, "Stream #1(ger), 1/1000: Audio: aac");
    ASSERT_GE(eng, 0) << text;
    ASSERT_GT(ger, eng) << text;
    EXPECT_TRUE(Contains(l[size_t(eng)], ", Duration: N/A"));
    EXPECT_EQ(l[size_t(eng) + 1], "  Metadata:");
    EXPECT_EQ(l[size_t(eng) + 2].rfind("    DURATION        : 00:00:02.", 0), 0u) << text;
    EXPECT_FALSE(Contains(text, "language"));

    // Subtitle streams get a line too.
    ASSERT_TRUE(probe.Open(Media().Subtitled)) << probe.LastError();
    ASSERT_TRUE(probe.GetInfoText(text));
    l = Lines(text);
    EXPECT_GE(FindLine(l, "Stream #2, 1/1000: Subtitle: subrip"), 0) << text;
    EXPECT_EQ(CountLines(l, "Stream #"), 3);
}

TEST_F(ProbeTest, InfoTextProgramsAndTimeStamp) {
    TTempDir dir;

    // A transport stream has one program holding both streams; they are listed once.
    fixtures::TMediaSpec ts;
    ts.Format = "mpegts";
    ts.VideoEncoder = "mpeg2video";
    ts.AudioEncoders = {"mp2"};
    ts.Seconds = 1.0;
    ts.Metadata = {{"service_provider", "Zelta"}, {"service_name", "Probe Channel"}};
    const std::string tsName = dir.File("program.ts");
    fixtures::MakeMedia(tsName, ts);

    TAVProbe probe;
    ASSERT_TRUE(probe.Open(tsName)) << probe.LastError();
    EXPECT_EQ(probe.ProgramCount(), 1);
    std::string text;
    ASSERT_TRUE(probe.GetInfoText(text));
    std::vector<std::string> l = Lines(text);
    const int program = FindLine(l, "Program ");
    ASSERT_GE(program, 0) << text;
    EXPECT_EQ(l[size_t(program)], "Program 1 Zelta@Probe Channel");
    ASSERT_GT(l.size(), size_t(program) + 4);
    EXPECT_EQ(l[size_t(program) + 1], "  Metadata:");
    EXPECT_EQ(l[size_t(program) + 2], "    service_name    : Probe Channel");
    EXPECT_EQ(l[size_t(program) + 3], "    service_provider: Zelta");
    EXPECT_EQ(l[size_t(program) + 4].rfind("Stream #0[0x100], 1/90000: Video: mpeg2video", 0), 0u)
        << text;
    EXPECT_EQ(CountLines(l, "Stream #0"), 1);
    EXPECT_EQ(CountLines(l, "Stream #1"), 1);

    // A creation time becomes the time stamp, shown in local time after the bit rate.
    fixtures::TMediaSpec mkv;
    mkv.Format = "matroska";
    mkv.AudioEncoders = {"flac"};
    mkv.Seconds = 0.5;
    mkv.Metadata = {{"creation_time", "2010-05-06T07:08:09.000000Z"}};
    const std::string mkvName = dir.File("stamped.mkv");
    fixtures::MakeMedia(mkvName, mkv);

    ASSERT_TRUE(probe.Open(mkvName)) << probe.LastError();
    TFileStreamInfo file;
    ASSERT_TRUE(probe.GetFileStreamInfo(file));
    EXPECT_EQ(file.Timestamp, 1273129689);
    ASSERT_TRUE(probe.GetInfoText(text));
    l = Lines(text);
    const int stamp = FindLine(l, "Time Stamp: ");
    ASSERT_GT(stamp, 0) << text;
    EXPECT_EQ(l[size_t(stamp)], "Time Stamp: " + FormatDateTime(UnixTimeToDateTime(1273129689)));
    EXPECT_EQ(l[size_t(stamp) - 1].rfind("Bit Rate: ", 0), 0u);
}

// --- Failures ---

TEST_F(ProbeTest, OpenFailuresLeaveTheProbeEmpty) {
    TLogCapture log;
    TAVProbe probe;

    const std::string missing = Media().Dir + "/missing.avi";
    EXPECT_FALSE(probe.Open(missing));
    EXPECT_EQ(probe.LastError(), missing + ": No such file or directory");
    EXPECT_TRUE(log.Has(&probe, llError, missing + ": No such file or directory"));
    ExpectEmpty(probe);

    // A missing file behind a "unicode:utf8:" URL reads the same.
    const std::string missingWide = Media().Dir + "/fehlt_\xC3\xBC.avi";
    ASSERT_TRUE(NeedsUnicodeName(missingWide, "ANSI_X3.4-1968"));
    {
        TLocaleGuard locale;
        std::setlocale(LC_ALL, "C");
        EXPECT_FALSE(probe.Open(missingWide));
        EXPECT_EQ(probe.LastError(), missingWide + ": No such file or directory");
    }

    EXPECT_FALSE(probe.Open(Media().TextFile));
    EXPECT_EQ(probe.LastError(), Media().TextFile + ": Invalid data found when processing input");
    ExpectEmpty(probe);

    for (const std::string* broken : {&Media().Truncated, &Media().ZeroByte}) {
        SCOPED_TRACE(*broken);
        EXPECT_FALSE(probe.Open(*broken));
        EXPECT_EQ(probe.LastError().rfind(*broken + ": ", 0), 0u) << probe.LastError();
        EXPECT_GT(probe.LastError().size(), broken->size() + 2);
        ExpectEmpty(probe);
    }

    const std::string tooLong = Media().Dir + "/" + std::string(MaxURLBytes, 'a') + ".avi";
    EXPECT_FALSE(probe.Open(tooLong));
    EXPECT_EQ(probe.LastError(), tooLong + ": File name too long");
    ExpectEmpty(probe);

    // The probe is usable after every failure, and a failure drops the file open before.
    ASSERT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
    EXPECT_FALSE(probe.Open(missing));
    ExpectEmpty(probe);
}

TEST_F(ProbeTest, ForcedFormats) {
    TAVProbe probe;
    EXPECT_FALSE(probe.Open(Media().Wav, "nosuchformat"));
    EXPECT_EQ(probe.LastError(), "Unknown input format: nosuchformat");
    ExpectEmpty(probe);
    EXPECT_TRUE(probe.ForcedFormat().empty());

    ASSERT_TRUE(probe.Open(Media().Mp3, "mp3")) << probe.LastError();
    EXPECT_EQ(probe.ForcedFormat(), "mp3");
    EXPECT_EQ(probe.FormatName(), "mp3");
    EXPECT_EQ(probe.AudioStreamCount(), 1);

    probe.Close();
    EXPECT_TRUE(probe.ForcedFormat().empty());
    ExpectEmpty(probe);

    // A format that does not fit the file fails with the library's text.
    EXPECT_FALSE(probe.Open(Media().Mp3, "wav"));
    EXPECT_EQ(probe.LastError().rfind(Media().Mp3 + ": ", 0), 0u) << probe.LastError();
    EXPECT_TRUE(probe.ForcedFormat().empty());
}

// --- Names outside the code page ---

TEST_F(ProbeTest, NonAsciiNameThroughUnicodeProtocol) {
    TLocaleGuard locale;
    const std::string& name = Media().NonAscii;

    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    ASSERT_EQ(SystemCodePage(), "ANSI_X3.4-1968");
    TAVProbe probe;
    ASSERT_TRUE(probe.Open(name)) << probe.LastError();
    EXPECT_EQ(std::string(probe.FormatContext()->url), UnicodeURLPrefix + name);
    EXPECT_EQ(probe.FileName(), name);
    EXPECT_EQ(probe.FileSize(), int64_t(fs::file_size(name)));
    EXPECT_EQ(probe.StreamCount(), 2);
    std::string text;
    ASSERT_TRUE(probe.GetInfoText(text));
    EXPECT_EQ(Lines(text).front(), "File Name: " + name);
    probe.Close();

    // Under a UTF-8 locale the same name goes to the library unchanged.
    if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr)
        GTEST_SKIP() << "no C.UTF-8 locale on this system";
    ASSERT_TRUE(probe.Open(name)) << probe.LastError();
    EXPECT_EQ(std::string(probe.FormatContext()->url), name);
    EXPECT_EQ(probe.FileName(), name);
}

// --- Attached contexts ---

TEST_F(ProbeTest, AttachReadsWithoutOwning) {
    TOwnedInputPtr ctx = OpenContext(Media().AviMpeg4Mp3);
    ASSERT_TRUE(ctx);
    {
        TAVProbe probe;
        probe.Attach(ctx.get());
        EXPECT_FALSE(probe.OwnsContext());
        EXPECT_EQ(probe.FormatContext(), ctx.get());
        EXPECT_EQ(probe.StreamCount(), 2);
        EXPECT_EQ(probe.FirstVideoStream(), 0);
        EXPECT_EQ(probe.FileName(), Media().AviMpeg4Mp3);
        EXPECT_EQ(probe.FileSize(), int64_t(fs::file_size(Media().AviMpeg4Mp3)));

        // Opening a file lets go of the attached context without closing it.
        ASSERT_TRUE(probe.Open(Media().Wav)) << probe.LastError();
        EXPECT_TRUE(probe.OwnsContext());
        probe.Attach(ctx.get());
        EXPECT_EQ(probe.FormatContext(), ctx.get());
        probe.Close();
        ExpectEmpty(probe);
        probe.Attach(ctx.get());
    } // destroyed while attached

    // The context is still open and readable.
    AVPacket* pkt = av_packet_alloc();
    ASSERT_NE(pkt, nullptr);
    EXPECT_GE(av_read_frame(ctx.get(), pkt), 0);
    av_packet_free(&pkt);

    // Attaching nothing leaves an empty probe.
    TAVProbe probe;
    probe.Attach(nullptr);
    ExpectEmpty(probe);
}

TEST_F(ProbeTest, AttachedStreamWithBrokenTimeBaseOrAspect) {
    TOwnedInputPtr ctx = OpenContext(Media().Mp3);
    ASSERT_TRUE(ctx);
    AVStream* st = ctx->streams[0];
    ASSERT_NE(st->start_time, AV_NOPTS_VALUE);
    st->time_base = AVRational{1, 0};

    TAVProbe probe;
    probe.Attach(ctx.get());
    TAudioStreamInfo audio;
    ASSERT_TRUE(probe.GetAudioStreamInfo(-1, audio));
    EXPECT_EQ(audio.StartTime, st->start_time);
    EXPECT_EQ(audio.StartTimeUs, st->start_time * 1000000); // read as 1/1
    EXPECT_EQ(audio.DurationUs, st->duration * 1000000);
    std::string text;
    ASSERT_TRUE(probe.GetInfoText(text));
    EXPECT_GE(FindLine(Lines(text), "Stream #0, 1/0: Audio: mp3"), 0) << text;

    st->time_base = AVRational{0, 0}; // read as 0/1: every time is 0
    ASSERT_TRUE(probe.GetAudioStreamInfo(0, audio));
    EXPECT_EQ(audio.StartTimeUs, 0);
    probe.Close();

    // A stream aspect ratio that differs from the codec's adds PAR and DAR.
    TOwnedInputPtr avi = OpenContext(Media().AviMpeg4Mp3);
    ASSERT_TRUE(avi);
    avi->streams[0]->sample_aspect_ratio = AVRational{4, 3};
    probe.Attach(avi.get());
    ASSERT_TRUE(probe.GetInfoText(text));
    const std::vector<std::string> l = Lines(text);
    const int video = FindLine(l, "Stream #0, 1/25: Video:");
    ASSERT_GE(video, 0) << text;
    EXPECT_TRUE(Contains(l[size_t(video)], ", PAR 4:3 DAR 16:9, 25 fps")) << l[size_t(video)];
    // The record keeps the codec's ratio.
    TVideoStreamInfo info;
    ASSERT_TRUE(probe.GetVideoStreamInfo(0, info));
    EXPECT_NEAR(info.DisplayAspect, Aspect43, 1e-4);
}

// --- Picture geometry: display rotation and pixel aspect ---

TEST_F(ProbeTest, RotationAndPixelAspectAreReportedAsShown) {
    struct TCase {
        int Rotation, Num, Den;
        int StoredW, StoredH, ShownW, ShownH;
        float Aspect;
    };
    const TCase cases[] = {
        {0, 1, 1, 320, 180, 320, 180, 16.0f / 9},   {90, 1, 1, 320, 180, 180, 320, 9.0f / 16},
        {180, 1, 1, 320, 180, 320, 180, 16.0f / 9}, {270, 1, 1, 320, 180, 180, 320, 9.0f / 16},
        {0, 32, 27, 360, 240, 427, 240, 16.0f / 9}, {0, 8, 9, 360, 240, 320, 240, 4.0f / 3},
        {90, 32, 27, 360, 240, 203, 360, 9.0f / 16},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Rotation << " " << c.Num << ":" << c.Den);
        TAVProbe probe;
        ASSERT_TRUE(probe.Open(fixtures::GeometryFixture(c.Rotation, c.Num, c.Den)))
            << probe.LastError();
        TVideoStreamInfo v;
        ASSERT_TRUE(probe.GetVideoStreamInfo(-1, v));
        EXPECT_EQ(v.Width, c.StoredW);
        EXPECT_EQ(v.Height, c.StoredH);
        EXPECT_EQ(v.Rotation, c.Rotation);
        EXPECT_EQ(v.PixelAspectNum, c.Num);
        EXPECT_EQ(v.PixelAspectDen, c.Den);
        // A turned anamorphic picture keeps its shape: its upright rows are stretched by the
        // inverse pixel aspect (240 x 27/32 = 202.5).
        const int shownW = c.ShownW;
        const int shownH = c.ShownH;
        EXPECT_EQ(v.DisplayWidth, shownW);
        EXPECT_EQ(v.DisplayHeight, shownH);
        EXPECT_NEAR(v.DisplayAspect, c.Aspect, 0.01);
        std::string text;
        ASSERT_TRUE(probe.GetInfoText(text));
        const bool plain = c.Rotation == 0 && c.Num == c.Den;
        EXPECT_EQ(text.find("Displayed:") == std::string::npos, plain) << text;
        if (!plain) {
            EXPECT_NE(text.find("Displayed: " + std::to_string(shownW) + "x" +
                                std::to_string(shownH) + ", pixel aspect " +
                                std::to_string(c.Num) + ":" + std::to_string(c.Den)),
                      std::string::npos)
                << text;
            EXPECT_NE(text.find("rotation " + std::to_string(c.Rotation)), std::string::npos)
                << text;
        }
    }
}

// Every audio stream is a track with its number, language, title and default flag, whichever
// track the file flags.
TEST_F(ProbeTest, AudioTracksOfATwoLanguageFilm) {
    TAVProbe probe;
    EXPECT_TRUE(probe.AudioTracks().empty());
    for (int flagged : {1, 2}) {
        ASSERT_TRUE(probe.Open(fixtures::TwoLanguageFilm(flagged))) << probe.LastError();
        const std::vector<TAudioTrack> tracks = probe.AudioTracks();
        ASSERT_EQ(tracks.size(), 2u);
        EXPECT_EQ(tracks[0], (TAudioTrack{1, 1, "eng", "aac", 2, "Original", flagged == 1}));
        EXPECT_EQ(tracks[1], (TAudioTrack{2, 2, "fre", "aac", 2, "Doublage", flagged == 2}));
        EXPECT_EQ(AudioTrackText(tracks[1]),
                  std::string("2: fre, aac, 2 channels, \"Doublage\"") +
                      (flagged == 2 ? " (default)" : ""));
        EXPECT_TRUE(probe.Chapters().empty());
    }
    probe.Close();
    EXPECT_TRUE(probe.AudioTracks().empty());
}
