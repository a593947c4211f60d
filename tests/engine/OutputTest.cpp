// The output stage driven with hand-built encoder contexts and stream records: packets go to a
// recording writer, no file is written.
#include "engine/Output.h"

#include "engine/AudioEncoderThread.h"

#include "EngineTestSupport.h"
#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
}

using ::testing::HasSubstr;

namespace {

struct TCodecDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct TFormatDeleter {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};
struct TAVFrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecDeleter>;
using TFormatPtr = std::unique_ptr<AVFormatContext, TFormatDeleter>;
using TTestFrame = std::unique_ptr<AVFrame, TAVFrameDeleter>;

struct TPacketRecord {
    int64_t Pts, Dts, Duration;
    bool Key;
    int StreamIndex;
    std::vector<uint8_t> Data;
};

TTestFrame AudioFrame(AVSampleFormat Fmt, int Channels, int Rate, int Samples, double Value) {
    TTestFrame f(av_frame_alloc());
    f->format = Fmt;
    f->sample_rate = Rate;
    f->nb_samples = Samples;
    av_channel_layout_default(&f->ch_layout, Channels);
    EXPECT_GE(av_frame_get_buffer(f.get(), 0), 0);
    const bool planar = av_sample_fmt_is_planar(Fmt);
    for (int p = 0; p < (planar ? Channels : 1); ++p)
        for (int i = 0; i < Samples * (planar ? 1 : Channels); ++i) {
            if (Fmt == AV_SAMPLE_FMT_S16 || Fmt == AV_SAMPLE_FMT_S16P)
                reinterpret_cast<int16_t*>(f->extended_data[p])[i] = int16_t(Value);
            else
                reinterpret_cast<float*>(f->extended_data[p])[i] = float(Value);
        }
    return f;
}

// A picture with Inside in the rectangle (L, T, W, H) of every plane (chroma scaled) and
// Outside elsewhere; with Pattern, the inside instead holds a position-dependent pattern.
TTestFrame Picture(int Width, int Height, int L, int T, int W, int H, uint8_t Inside,
                   uint8_t Outside, bool Pattern = false) {
    TTestFrame f(av_frame_alloc());
    f->format = AV_PIX_FMT_YUV420P;
    f->width = Width;
    f->height = Height;
    EXPECT_GE(av_frame_get_buffer(f.get(), 0), 0);
    for (int p = 0; p < 3; ++p) {
        const int s = p == 0 ? 0 : 1;
        for (int y = 0; y < Height >> s; ++y)
            for (int x = 0; x < Width >> s; ++x) {
                const bool in = x >= L >> s && x < (L + W) >> s && y >= T >> s && y < (T + H) >> s;
                f->data[p][y * f->linesize[p] + x] =
                    in ? (Pattern ? uint8_t(x * 7 + y * 13 + p) : Inside) : Outside;
            }
    }
    return f;
}

class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        Core = std::make_unique<TCustomFFmpeg>();
        Core->PrepareTask();
        GetLogger().SetOnLog([this](const void*, uint32_t, TLogLevel Level,
                                    const std::string& Msg) { Log.emplace_back(Level, Msg); });
        Ctx = std::make_unique<TOutputContext>(TOutputContext{
            *Core,
            Counters,
            Stop,
            [this](TOutputStream&, AVPacket* P) {
                Packets.push_back({P->pts, P->dts, P->duration, (P->flags & AV_PKT_FLAG_KEY) != 0,
                                   P->stream_index,
                                   std::vector<uint8_t>(P->data, P->data + P->size)});
            },
            {},
            {}});
    }
    void TearDown() override { GetLogger().SetOnLog({}); }

    // An output stream on a fresh muxer context with an opened encoder.
    TOutputStream& NewStream(const char* Encoder, const char* Muxer, AVRational StreamBase,
                             const std::function<void(AVCodecContext*)>& Configure) {
        AVFormatContext* mux = nullptr;
        EXPECT_GE(avformat_alloc_output_context2(&mux, nullptr, Muxer, nullptr), 0);
        Muxers.emplace_back(mux);
        AVStream* st = avformat_new_stream(mux, nullptr);
        st->time_base = StreamBase;
        const AVCodec* codec = avcodec_find_encoder_by_name(Encoder);
        EXPECT_NE(codec, nullptr) << Encoder;
        Encoders.emplace_back(avcodec_alloc_context3(codec));
        AVCodecContext* enc = Encoders.back().get();
        Configure(enc);
        EXPECT_GE(avcodec_open2(enc, codec, nullptr), 0) << Encoder;
        auto& s = *Streams.emplace_back(std::make_unique<TOutputStream>());
        s.Stream = st;
        s.Encoder = enc;
        s.Container = mux;
        s.Source = s.Sync = &Input;
        s.EncodingNeeded = true;
        return s;
    }

    static std::function<void(AVCodecContext*)> Audio(AVSampleFormat Fmt, int Rate, int Channels) {
        return [=](AVCodecContext* c) {
            c->sample_fmt = Fmt;
            c->sample_rate = Rate;
            c->time_base = {1, Rate};
            c->bit_rate = 128000;
            av_channel_layout_default(&c->ch_layout, Channels);
        };
    }
    static std::function<void(AVCodecContext*)>
    Video(int W, int H, const std::function<void(AVCodecContext*)>& More = {}) {
        return [=](AVCodecContext* c) {
            c->pix_fmt = AV_PIX_FMT_YUV420P;
            c->width = W;
            c->height = H;
            c->time_base = {1, 25};
            if (More)
                More(c);
        };
    }

    bool Logged(TLogLevel Level, const std::string& Text) const {
        for (const auto& [l, m] : Log)
            if (l == Level && m == Text)
                return true;
        return false;
    }
    int64_t SamplesIn(const std::vector<TPacketRecord>& P, int Channels) const {
        int64_t n = 0;
        for (const auto& p : P)
            n += int64_t(p.Data.size()) / (2 * Channels);
        return n;
    }
    static void ExpectMonotonic(const std::vector<TPacketRecord>& P) {
        for (size_t i = 1; i < P.size(); ++i)
            EXPECT_GT(P[i].Pts, P[i - 1].Pts) << "packet " << i;
    }

    std::unique_ptr<TCustomFFmpeg> Core;
    TRunCounters Counters;
    std::atomic<bool> Stop{false};
    std::unique_ptr<TOutputContext> Ctx;
    TInputStream Input;
    std::vector<TPacketRecord> Packets;
    std::vector<std::pair<TLogLevel, std::string>> Log;
    std::vector<TFormatPtr> Muxers;
    std::vector<TCodecPtr> Encoders;
    std::vector<std::unique_ptr<TOutputStream>> Streams;
};

TEST_F(OutputTest, ChoosesSupportedRateAndFormat) {
    const int rates[] = {32000, 44100, 48000, 0};
    const AVSampleFormat formats[] = {AV_SAMPLE_FMT_S16P, AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_NONE};
    AVCodec codec{};
    codec.supported_samplerates = rates;
    codec.sample_fmts = formats;
    EXPECT_EQ(ChooseSampleRate(&codec, 44000), 44100);
    EXPECT_TRUE(
        Logged(llWarning, "Requested sampling rate unsupported using closest supported (44100)"));
    Log.clear();
    EXPECT_EQ(ChooseSampleRate(&codec, 48000), 48000);
    EXPECT_EQ(ChooseSampleRate(&codec, 38050), 32000); // a tie keeps the first listed
    EXPECT_EQ(Log.size(), 1u);
    EXPECT_EQ(ChooseSampleFormat(&codec, AV_SAMPLE_FMT_FLTP), AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(ChooseSampleFormat(&codec, AV_SAMPLE_FMT_S16), AV_SAMPLE_FMT_S16P);
    AVCodec open{};
    EXPECT_EQ(ChooseSampleRate(&open, 44000), 44000);
    EXPECT_EQ(ChooseSampleFormat(&open, AV_SAMPLE_FMT_DBL), AV_SAMPLE_FMT_DBL);
}

TEST_F(OutputTest, VolumeScalesSixteenBitExactlyAndFloatByTheSameGain) {
    struct TRow {
        int Volume;
        int In;
        int Out;
    };
    for (const TRow& r : {TRow{512, 1000, 2000}, TRow{384, -1001, -1501}, TRow{512, 30000, 32767},
                          TRow{512, -30000, -32768}, TRow{100, 257, 100}, TRow{256, 1234, 1234}}) {
        for (AVSampleFormat fmt : {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_S16P}) {
            TTestFrame f = AudioFrame(fmt, 2, 44100, 4, r.In);
            ASSERT_EQ(ApplyVolume(f.get(), r.Volume), 0);
            EXPECT_EQ(reinterpret_cast<int16_t*>(f->extended_data[0])[3], r.Out)
                << r.Volume << " " << r.In;
            EXPECT_EQ(
                reinterpret_cast<int16_t*>(f->extended_data[fmt == AV_SAMPLE_FMT_S16P ? 1 : 0])[1],
                r.Out);
        }
    }
    TTestFrame f = AudioFrame(AV_SAMPLE_FMT_FLTP, 2, 44100, 4, 0.25);
    ASSERT_EQ(ApplyVolume(f.get(), 640), 0);
    EXPECT_FLOAT_EQ(reinterpret_cast<float*>(f->extended_data[1])[3], 0.625f);
}

TEST_F(OutputTest, FifoIsCutIntoEncoderFramesAndDrainLeavesNothing) {
    TOutputStream& s = NewStream("mp2", "mp2", {1, 90000}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    ASSERT_EQ(s.Encoder->frame_size, 1152);
    for (int i = 0; i < 10; ++i) {
        Input.Pts = int64_t(i) * 1000 * 1000000 / 44100;
        TTestFrame f = AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1000, 100);
        AudioOut(*Ctx, s, Input, f.get());
        EXPECT_EQ(av_audio_fifo_size(s.Fifo.get()), (i + 1) * 1000 % 1152);
        EXPECT_EQ(int(Packets.size()), (i + 1) * 1000 / 1152);
    }
    EXPECT_FALSE(s.Resampler); // same rate, layout and format: no conversion
    DrainAudio(*Ctx, s);
    ASSERT_EQ(Packets.size(), 9u); // the short rest padded to a full frame
    EXPECT_EQ(av_audio_fifo_size(s.Fifo.get()), 0);
    int64_t bytes = 0;
    for (size_t i = 0; i < Packets.size(); ++i) {
        // In the stream time base, shifted by the encoder's delay.
        EXPECT_EQ(Packets[i].Pts,
                  av_rescale(int64_t(i) * 1152 - s.Encoder->initial_padding, 90000, 44100));
        EXPECT_EQ(Packets[i].Duration, av_rescale(1152, 90000, 44100));
        EXPECT_TRUE(Packets[i].Key);
        EXPECT_EQ(Packets[i].StreamIndex, 0);
        bytes += int64_t(Packets[i].Data.size());
    }
    EXPECT_EQ(Counters.AudioBytes, bytes);
    DrainAudio(*Ctx, s); // a second drain writes nothing
    EXPECT_EQ(Packets.size(), 9u);
}

TEST_F(OutputTest, AnEncoderOnItsOwnThreadGivesTheSamePacketsAndReportsItsFailure) {
    auto encode = [&](bool Threaded) {
        Packets.clear();
        Ctx->AudioEncoderThreads = Threaded;
        TOutputStream& s = NewStream("mp2", "mp2", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
        for (int i = 0; i < 60; ++i) {
            Input.Pts = int64_t(i) * 1000 * 1000000 / 44100;
            TTestFrame f = AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1000, 0.01 * (i % 50));
            AudioOut(*Ctx, s, Input, f.get());
        }
        EXPECT_EQ(bool(s.EncoderThread), Threaded);
        DrainAudio(*Ctx, s);
        EXPECT_FALSE(s.EncoderThread) << "the drain ends the thread";
        return Packets;
    };
    const std::vector<TPacketRecord> direct = encode(false);
    const std::vector<TPacketRecord> threaded = encode(true);
    ASSERT_EQ(direct.size(), 53u); // 60000 samples in 1152-sample frames, the rest padded
    ASSERT_EQ(threaded.size(), direct.size());
    for (size_t i = 0; i < direct.size(); ++i) {
        EXPECT_EQ(threaded[i].Pts, direct[i].Pts) << i;
        EXPECT_EQ(threaded[i].Data, direct[i].Data) << i;
    }

    // A frame the encoder refuses ends the thread's work; the run hears of it and is not left
    // waiting, and a thread stopped with frames still queued does not hang.
    TOutputStream& s = NewStream("mp2", "mp2", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    {
        TAudioEncoderThread thread(s.Encoder, 2);
        TTestFrame tooLong = AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 3000, 0.1);
        thread.Send(tooLong.get());
        TPacketPtr pkt(av_packet_alloc());
        EXPECT_THROW(
            {
                while (thread.Receive(pkt.get(), true))
                    av_packet_unref(pkt.get());
            },
            FFmpegException);
        EXPECT_THROW(thread.Send(tooLong.get()), FFmpegException);
    }
    TOutputStream& t = NewStream("mp2", "mp2", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    {
        TAudioEncoderThread thread(t.Encoder, 4);
        TTestFrame frame = AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1152, 0.1);
        for (int i = 0; i < 4; ++i)
            thread.Send(frame.get());
    }
}

TEST_F(OutputTest, ResampledAudioKeepsItsLengthThroughTheDrain) {
    TOutputStream& s = NewStream("mp2", "mp2", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    for (int i = 0; i < 10; ++i) {
        Input.Pts = int64_t(i) * 20000;
        TTestFrame f = AudioFrame(AV_SAMPLE_FMT_FLTP, 1, 48000, 960, 0.3);
        AudioOut(*Ctx, s, Input, f.get());
    }
    ASSERT_TRUE(s.Resampler);
    DrainAudio(*Ctx, s);
    const int64_t expected = 9600 * 44100 / 48000; // 8820
    const int64_t encoded = int64_t(Packets.size()) * 1152;
    EXPECT_GE(encoded, expected);
    EXPECT_LT(encoded, expected + 1152);
    ExpectMonotonic(Packets);
}

TEST_F(OutputTest, TimeLineInsertsSilenceAndDropsSamples) {
    Core->Options().AudioSyncMethod = 1;
    Core->Options().Verbose = 3;
    TOutputStream& s =
        NewStream("pcm_s16le", "wav", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    // Starting 0.5 s late: the first packet starts with 0.5 s of silence.
    Input.Pts = 500000;
    AudioOut(*Ctx, s, Input, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    ASSERT_EQ(Packets.size(), 1u);
    ASSERT_EQ(SamplesIn(Packets, 2), 22050 + 1024);
    const auto* v = reinterpret_cast<const int16_t*>(Packets[0].Data.data());
    EXPECT_EQ(v[2 * 22050 - 1], 0);
    EXPECT_EQ(v[2 * 22050], 1000);
    EXPECT_TRUE(Logged(llVerbose, "adding 22050 audio samples of silence"));
    EXPECT_FALSE(Input.IsStart);
    // On time: nothing added. A later gap of 0.2 s (above the 0.1 s threshold) is filled.
    Input.Pts = int64_t(22050 + 1024) * 1000000 / 44100;
    AudioOut(*Ctx, s, Input, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    EXPECT_EQ(SamplesIn({Packets[1]}, 2), 1024);
    Input.Pts += 1024 * 1000000 / 44100 + 200000;
    AudioOut(*Ctx, s, Input, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    EXPECT_NEAR(double(SamplesIn({Packets[2]}, 2)), 8820 + 1024, 2);
    ExpectMonotonic(Packets);

    // Starting 10 ms early: the first 441 samples are dropped.
    TInputStream early;
    early.Pts = -10000;
    TOutputStream& e =
        NewStream("pcm_s16le", "wav", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    e.Source = e.Sync = &early;
    Packets.clear();
    AudioOut(*Ctx, e, early, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    EXPECT_TRUE(Logged(llVerbose, "discarding 441 audio samples"));
    EXPECT_EQ(SamplesIn(Packets, 2), 1024 - 441);
}

TEST_F(OutputTest, SmallDriftNudgesTheResampler) {
    Core->Options().AudioSyncMethod = 1000;
    Core->Options().Verbose = 3;
    TOutputStream& s =
        NewStream("pcm_s16le", "wav", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    Input.IsStart = false;
    for (int i = 0; i < 40; ++i) {
        Input.Pts =
            int64_t(i) * 1054 * 1000000 / 44100; // 30 samples more per packet than delivered
        AudioOut(*Ctx, s, Input, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    }
    ASSERT_TRUE(s.Resampler);
    bool compensated = false, silence = false;
    for (const auto& [l, m] : Log) {
        compensated |= m.rfind("compensating audio timestamp drift:", 0) == 0 &&
                       m.find(" in:44100") != std::string::npos;
        silence |= m.find("silence") != std::string::npos;
    }
    EXPECT_TRUE(compensated);
    EXPECT_FALSE(silence);
    DrainAudio(*Ctx, s);
    EXPECT_GT(SamplesIn(Packets, 2), 40 * 1024 + 100); // stretched towards the time line
}

TEST_F(OutputTest, FrameRateIsKeptByDuplicatingAndDropping) {
    struct TRow {
        int Method;
        const char* Muxer;
        int64_t SyncOpts;
        int PtsFrames;
        std::vector<int64_t> Pts; // emitted packets, in frames
        int Dup, Drop, MaxFrames = 2147483647;
        bool Stop = false;
        const char* Message = nullptr;
    };
    const TRow rows[] = {
        {1, "avi", 0, 3, {0, 1, 2}, 2, 0, 2147483647, false, "*** 2 dup!"},
        {-1, "avi", 0, 3, {0, 1, 2}, 2, 0},
        {1, "avi", 5, 3, {}, 0, 1, 2147483647, false, "*** drop!"},
        {1, "avi", 3, 3, {3}, 0, 0},
        {0, "avi", 0, 3, {3}, 0, 0},
        {0, "avi", 9, 3, {3}, 0, 0},
        {2, "avi", 0, 3, {3}, 0, 0},
        {-1, "matroska", 0, 3, {3}, 0, 0},
        {-1, "matroska", 4, 3, {}, 0, 1},
        {1, "avi", 0, 3, {0, 1}, 2, 0, 2},
        {1, "avi", 0, 3, {}, 2, 0, 2147483647, true},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << "method " << r.Method << " " << r.Muxer << " from " << r.SyncOpts);
        Core->Options().VideoSyncMethod = r.Method;
        Core->Options().Verbose = 3;
        Core->Options().MaxFrames[skVideo] = r.MaxFrames;
        Stop = r.Stop;
        Counters = TRunCounters();
        Packets.clear();
        Log.clear();
        TOutputStream& s = NewStream("rawvideo", r.Muxer, {1, 90000}, Video(32, 16));
        s.SyncOpts = r.SyncOpts;
        Input.Pts = int64_t(r.PtsFrames) * 40000;
        TTestFrame p = Picture(32, 16, 0, 0, 32, 16, 50, 50);
        int size = -1;
        VideoOut(*Ctx, s, Input, p.get(), size);
        ASSERT_EQ(Packets.size(), r.Pts.size());
        for (size_t i = 0; i < r.Pts.size(); ++i)
            EXPECT_EQ(Packets[i].Pts, r.Pts[i] * 3600);
        EXPECT_EQ(size, int(r.Pts.size()) * 32 * 16 * 3 / 2);
        EXPECT_EQ(s.FrameNumber, int(r.Pts.size()));
        EXPECT_EQ(Counters.DupFrames, r.Dup);
        EXPECT_EQ(Counters.DropFrames, r.Drop);
        EXPECT_EQ(Counters.DupDropChanged, r.Dup + r.Drop > 0);
        if (r.Message != nullptr) {
            EXPECT_TRUE(Logged(llVerbose, r.Message));
        }
    }
}

TEST_F(OutputTest, PassThroughNeverRepeatsATimeStamp) {
    // vsync 0 at 10 frames a second from 25: pictures that round onto the slot of the one before
    // are dropped and counted; the others keep their own time.
    Core->Options().VideoSyncMethod = 0;
    TOutputStream& s = NewStream("rawvideo", "avi", {1, 10}, Video(32, 16, [](AVCodecContext* c) {
                                     c->time_base = {1, 10};
                                 }));
    TTestFrame p = Picture(32, 16, 0, 0, 32, 16, 50, 50);
    int size = 0;
    for (int i = 0; i < 10; ++i) {
        Input.Pts = int64_t(i) * 40000;
        VideoOut(*Ctx, s, Input, p.get(), size);
    }
    std::vector<int64_t> pts;
    for (const auto& k : Packets)
        pts.push_back(k.Pts);
    EXPECT_EQ(pts, (std::vector<int64_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Counters.DropFrames, 5);
    EXPECT_EQ(Counters.DupFrames, 0);
}

TEST_F(OutputTest, AudioOnAStillClockKeepsMovingForward) {
    // The sync clock (another stream's) stands still while audio arrives, then jumps ahead.
    TOutputStream& s =
        NewStream("pcm_s16le", "wav", {1, 44100}, Audio(AV_SAMPLE_FMT_S16, 44100, 2));
    TInputStream clock;
    s.Sync = &clock;
    for (int i = 0; i < 8; ++i) {
        clock.Pts = i < 4 ? 0 : 200000;
        AudioOut(*Ctx, s, Input, AudioFrame(AV_SAMPLE_FMT_S16, 2, 44100, 1024, 1000).get());
    }
    ASSERT_EQ(Packets.size(), 8u);
    ExpectMonotonic(Packets);
    EXPECT_EQ(Packets[3].Pts, 3 * 1024) << "a lagging clock does not move the audio back";
    EXPECT_EQ(Packets[4].Pts, 8820) << "a clock ahead of the audio leaves a gap";
    EXPECT_EQ(Packets[5].Pts, 8820 + 1024);
}

// Luma plane of a rawvideo yuv420p packet.
std::vector<uint8_t> Luma(const TPacketRecord& P, int W, int H) {
    return std::vector<uint8_t>(P.Data.begin(), P.Data.begin() + W * H);
}

TEST_F(OutputTest, CropsAndScalesAndFollowsSizeChanges) {
    Core->Options().VideoSyncMethod = 0;
    TOutputStream& s = NewStream("rawvideo", "avi", {1, 25}, Video(24, 16));
    s.CropNeeded = s.ResampleNeeded = true;
    s.OriginalBands = s.Bands = {8, 8, 16, 0};
    s.ExpectedWidth = 48, s.ExpectedHeight = 32, s.ExpectedPixFmt = AV_PIX_FMT_YUV420P;
    s.OriginalWidth = 64, s.OriginalHeight = 48;
    int size = 0;
    VideoOut(*Ctx, s, Input, Picture(64, 48, 16, 8, 48, 32, 200, 16).get(), size);
    Input.Pts += 40000;
    VideoOut(*Ctx, s, Input, Picture(128, 96, 32, 16, 96, 64, 200, 16).get(), size);
    ASSERT_EQ(Packets.size(), 2u);
    for (const auto& p : Packets) {
        ASSERT_EQ(p.Data.size(), 24u * 16 * 3 / 2);
        for (uint8_t y : Luma(p, 24, 16))
            ASSERT_NEAR(y, 200, 1);
    }
    EXPECT_TRUE(Logged(llQuiet, "Input Stream #0.0 frame size changed to 128x96, yuv420p"));
    EXPECT_EQ(s.Bands.Top, 16);
    EXPECT_EQ(s.Bands.Left, 32);
    EXPECT_EQ(s.ExpectedWidth, 96);

    // Cropping alone copies the exact region; a later size change sets up scaling.
    TOutputStream& c = NewStream("rawvideo", "avi", {1, 25}, Video(48, 32));
    c.CropNeeded = true;
    c.OriginalBands = c.Bands = {8, 8, 16, 0};
    c.ExpectedWidth = 48, c.ExpectedHeight = 32, c.ExpectedPixFmt = AV_PIX_FMT_YUV420P;
    Packets.clear();
    TTestFrame src = Picture(64, 48, 16, 8, 48, 32, 0, 16, true);
    VideoOut(*Ctx, c, Input, src.get(), size);
    ASSERT_EQ(Packets.size(), 1u);
    std::vector<uint8_t> expected(48 * 32 * 3 / 2);
    const uint8_t* planes[4] = {src->data[0] + 8 * src->linesize[0] + 16,
                                src->data[1] + 4 * src->linesize[1] + 8,
                                src->data[2] + 4 * src->linesize[2] + 8, nullptr};
    ASSERT_GE(av_image_copy_to_buffer(expected.data(), int(expected.size()), planes, src->linesize,
                                      AV_PIX_FMT_YUV420P, 48, 32, 1),
              0);
    EXPECT_EQ(Packets[0].Data, expected);
    EXPECT_FALSE(c.ResampleNeeded);
    Input.Pts += 40000;
    VideoOut(*Ctx, c, Input, Picture(128, 96, 32, 16, 96, 64, 200, 16).get(), size);
    EXPECT_TRUE(c.ResampleNeeded);
    ASSERT_EQ(Packets.size(), 2u);
    ASSERT_EQ(Packets[1].Data.size(), expected.size());
    for (uint8_t y : Luma(Packets[1], 48, 32))
        ASSERT_NEAR(y, 200, 1);
}

TEST_F(OutputTest, EncodedVideoWritesStatisticsPassLogAndPreview) {
    enginetest::TTempDir dir;
    Core->Options().VideoSyncMethod = 0;
    Core->Options().VStatsFileName = dir.File("vstats.log");
    TOutputStream& s =
        NewStream("mpeg4", "avi", {1, 25}, Video(32, 32, [](AVCodecContext* c) {
                      c->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_PSNR | AV_CODEC_FLAG_PASS1;
                      c->global_quality = 5 * FF_QP2LAMBDA;
                  }));
    s.PassLogFile.reset(std::fopen(dir.File("pass.log").c_str(), "w"));
    int previews = 0;
    Ctx->PreviewHandOff = [&](TOutputStream&, const AVFrame* P) {
        ++previews;
        EXPECT_EQ(P->width, 32);
    };
    for (int i = 0; i < 2; ++i) {
        Input.Pts = int64_t(i) * 40000;
        int size = 0;
        VideoOut(*Ctx, s, Input, Picture(32, 32, 4 * i, 0, 16, 16, 0, 90, true).get(), size);
        ASSERT_EQ(Packets.size(), size_t(i + 1));
        EXPECT_EQ(size, int(Packets.back().Data.size()));
        WriteVideoStats(*Ctx, s, size);
    }
    DrainVideo(*Ctx, s);
    EXPECT_EQ(previews, 2);
    EXPECT_TRUE(Packets[0].Key);
    EXPECT_EQ(Packets[1].Pts, 1);
    Counters.VStatsFile.reset();
    s.PassLogFile.reset();
    const std::string stats = enginetest::ReadBytes(dir.File("vstats.log"));
    const std::regex line(
        R"(frame= +(\d) q= 5\.0 PSNR= +[0-9.]+ f_size= +\d+ s_size= +\d+kB time= (0\.\d+) )"
        R"(br= +[0-9.]+kbits/s avg_br= +[0-9.]+kbits/s type= ([IP])\n)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(stats, m, line)) << stats;
    EXPECT_EQ(m[1], "1");
    EXPECT_EQ(m[2], "0.040");
    EXPECT_EQ(m[3], "I");
    EXPECT_THAT(stats.substr(size_t(m.length(0))), testing::StartsWith("frame=     2 q= 5.0"));
    EXPECT_FALSE(enginetest::ReadBytes(dir.File("pass.log")).empty());
}

TEST_F(OutputTest, SubtitlesAreRetimedAndNeedAPts) {
    TFormatPtr in(avformat_alloc_context());
    Input.Stream = avformat_new_stream(in.get(), nullptr);
    Input.Stream->time_base = {1, 90000};
    TOutputStream& s = NewStream("srt", "srt", {1, 1000}, [](AVCodecContext* c) {
        c->time_base = {1, 1000};
        const char* header = "[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, "
                             "End, Style, Text\n";
        c->subtitle_header = reinterpret_cast<uint8_t*>(av_strdup(header));
        c->subtitle_header_size = int(std::strlen(header));
    });
    AVSubtitle sub{};
    sub.start_display_time = 500;
    sub.end_display_time = 2500;
    sub.num_rects = 1;
    sub.rects = static_cast<AVSubtitleRect**>(av_mallocz(sizeof(AVSubtitleRect*)));
    sub.rects[0] = static_cast<AVSubtitleRect*>(av_mallocz(sizeof(AVSubtitleRect)));
    sub.rects[0]->type = SUBTITLE_ASS;
    sub.rects[0]->ass = av_strdup("0,0,Default,,0,0,0,,Hello");
    SubtitleOut(*Ctx, s, Input, &sub, 90000);
    ASSERT_EQ(Packets.size(), 1u);
    EXPECT_EQ(Packets[0].Pts, 1500);
    EXPECT_EQ(Packets[0].Duration, 2000);
    EXPECT_THAT(std::string(Packets[0].Data.begin(), Packets[0].Data.end()), HasSubstr("Hello"));

    SubtitleOut(*Ctx, s, Input, &sub, AV_NOPTS_VALUE);
    EXPECT_EQ(Packets.size(), 1u);
    EXPECT_TRUE(Logged(llError, "Subtitle packets must have a pts"));
    Core->Options().ExitOnError = true;
    EXPECT_THROW(SubtitleOut(*Ctx, s, Input, &sub, AV_NOPTS_VALUE), FFmpegException);
    avsubtitle_free(&sub);
}

} // namespace
