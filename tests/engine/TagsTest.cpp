// Tags, cover pictures and loudness tags end to end: a tagged source with a cover converted into
// every audio format, read back with the libraries; the task's own metadata against the source's;
// a cover next to real video; lossless outputs against the source samples; loudness tags of
// tones of known loudness in every format that holds them.
#include "EngineTestSupport.h"
#include "TranscodeTestSupport.h"

#include "engine/Loudness.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>

using namespace transcodetest;

namespace {

const fixtures::TFixtureSet& Media() {
    return fixtures::Fixtures();
}

// Container and stream tags (Ogg keeps its comments on the stream), the attached pictures and
// the first audio stream's rate.
struct TTagged {
    std::string Error;
    std::map<std::string, std::string> Tags;
    std::vector<std::string> Covers;
    int VideoStreams = 0; // not counting covers
    int SampleRate = 0;
};

TTagged ReadTags(const std::string& Path) {
    TTagged t;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, Path.c_str(), nullptr, nullptr) < 0) {
        t.Error = "cannot open " + Path;
        return t;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0) {
        t.Error = "no stream info in " + Path;
        return t;
    }
    auto take = [&](const AVDictionary* d) {
        const AVDictionaryEntry* e = nullptr;
        while ((e = av_dict_get(d, "", e, AV_DICT_IGNORE_SUFFIX)))
            t.Tags.emplace(e->key, e->value);
    };
    take(ic->metadata);
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVStream* st = ic->streams[i];
        if (st->disposition & AV_DISPOSITION_ATTACHED_PIC) {
            t.Covers.emplace_back(reinterpret_cast<const char*>(st->attached_pic.data),
                                  size_t(st->attached_pic.size));
            continue;
        }
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            ++t.VideoStreams;
        if (st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO && t.SampleRate == 0) {
            t.SampleRate = st->codecpar->sample_rate;
            take(st->metadata);
        }
    }
    return t;
}

std::string TagOf(const TTagged& T, const std::string& Key) {
    for (const auto& [k, v] : T.Tags)
        if (strcasecmp(k.c_str(), Key.c_str()) == 0)
            return v;
    return {};
}

// An audio conversion as the job builder asks for one: video left out at the input.
TConversion AudioJob(const std::string& Source, const std::string& Codec, const std::string& Output) {
    TConversion c;
    c.Inputs = {{Source, {{"vn", "1"}}}};
    c.Options = {{"acodec", Codec}, {"keep_tags", "1"}};
    c.Output = Output;
    return c;
}

struct TFormatCase {
    const char* Name;
    const char* Codec;
    const char* Ext;
    bool Cover;
    std::vector<std::string> Dropped; // generic tags the format has no place for
};

std::vector<TFormatCase> FormatCases() {
    return {
        {"Mp3", "libmp3lame", "mp3", true, {}},
        {"M4aAac", "aac", "m4a", true, {}},
        {"M4aAlac", "alac", "m4a", true, {}},
        {"Wma", "wmav2", "wma", false, {}},
        {"Wav", "pcm_s16le", "wav", false, {"album_artist", "disc", "composer"}},
        {"OggVorbis", "libvorbis", "ogg", true, {}},
        {"Opus", "libopus", "opus", true, {}},
        {"Flac", "flac", "flac", true, {}},
        {"AdtsAac", "aac", "aac", false, {"*"}},
        {"Ac3", "ac3", "ac3", false, {"*"}},
    };
}

class EveryAudioFormat : public ::testing::TestWithParam<TFormatCase> {};

} // namespace

TEST_P(EveryAudioFormat, KeepsEveryTagItCanHoldAndTheCoverByteForByte) {
    const TFormatCase& f = GetParam();
    TOutputDir dir;
    const TConversion c = AudioJob(Media().TaggedCover, f.Codec, dir.File(std::string("out.") + f.Ext));
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    ASSERT_TRUE(o.Completed);
    const TTagged t = ReadTags(c.Output);
    ASSERT_EQ(t.Error, "");
    const bool none = !f.Dropped.empty() && f.Dropped[0] == "*";
    for (const auto& [key, value] : fixtures::TaggedCoverTags()) {
        SCOPED_TRACE(key);
        const bool dropped =
            none || std::find(f.Dropped.begin(), f.Dropped.end(), key) != f.Dropped.end();
        EXPECT_EQ(TagOf(t, key), dropped ? "" : value);
    }
    if (f.Cover) {
        ASSERT_EQ(t.Covers.size(), 1u);
        EXPECT_TRUE(t.Covers[0] == fixtures::CoverPicture()) << "the cover changed";
    } else {
        EXPECT_TRUE(t.Covers.empty());
    }
    EXPECT_EQ(t.VideoStreams, 0);
    if (std::string(f.Ext) == "mp3") {
        std::ifstream in(c.Output, std::ios::binary);
        char head[4] = {};
        in.read(head, 4);
        EXPECT_EQ(std::string(head, 3), "ID3");
        EXPECT_EQ(int(head[3]), 4) << "ID3v2.4 expected";
    }
}

INSTANTIATE_TEST_SUITE_P(Tags, EveryAudioFormat, ::testing::ValuesIn(FormatCases()),
                         [](const auto& I) { return std::string(I.param.Name); });

TEST(Tags, TheTasksOwnMetadataWinsAndWithoutKeepingNothingIsCarried) {
    TOutputDir dir;
    TConversion c = AudioJob(Media().TaggedCover, "libmp3lame", dir.File("own.mp3"));
    c.Options.push_back({"metadata", "title=Record Title"});
    c.Options.push_back({"metadata", "author=Record Artist"});
    c.Options.push_back({"metadata", "year=1999"});
    ASSERT_EQ(Convert(c).Error, "");
    TTagged t = ReadTags(c.Output);
    EXPECT_EQ(TagOf(t, "title"), "Record Title");
    EXPECT_EQ(TagOf(t, "artist"), "Record Artist");
    EXPECT_EQ(TagOf(t, "date"), "1999");
    EXPECT_EQ(TagOf(t, "album"), "Generated Sounds");
    EXPECT_EQ(t.Covers.size(), 1u);

    c.Options = {{"acodec", "libmp3lame"}, {"metadata", "title=Record Title"}};
    c.Output = dir.File("bare.mp3");
    ASSERT_EQ(Convert(c).Error, "");
    t = ReadTags(c.Output);
    EXPECT_EQ(TagOf(t, "title"), "Record Title");
    for (const char* key : {"artist", "album", "track", "genre", "comment"})
        EXPECT_EQ(TagOf(t, key), "") << key;
    EXPECT_TRUE(t.Covers.empty());
}

// The video of an audio job is never analysed, but the cover beside it still is and goes along.
TEST(Tags, AnAudioJobFromAVideoWithACoverKeepsTheCover) {
    TOutputDir dir;
    const TConversion c = AudioJob(Media().VideoCover, "libmp3lame", dir.File("audio.mp3"));
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    const TTagged t = ReadTags(c.Output);
    ASSERT_EQ(t.Error, "");
    EXPECT_EQ(t.VideoStreams, 0);
    ASSERT_EQ(t.Covers.size(), 1u);
    EXPECT_TRUE(t.Covers[0] == fixtures::CoverPicture());
    EXPECT_GT(t.SampleRate, 0);
}

TEST(Tags, AVideoConversionTakesTheRealVideoAndNeverTheCover) {
    TOutputDir dir;
    TConversion c;
    c.Inputs = {{Media().VideoCover, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "aac"}, {"keep_tags", "1"}};
    c.Output = dir.File("video.mp4");
    TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llVerbose, "  Stream #0.0 -> #0.0 (Video)"));
    TMediaFacts f = Inspect(c.Output);
    ASSERT_TRUE(f.Opened) << f.Error;
    const TStreamFacts* v = f.First(AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Width, 320);
    EXPECT_EQ(v->Height, 240);
    EXPECT_NEAR(double(v->Frames), 25, 2);
    TTagged t = ReadTags(c.Output);
    EXPECT_EQ(t.VideoStreams, 1);
    ASSERT_EQ(t.Covers.size(), 1u);
    EXPECT_TRUE(t.Covers[0] == fixtures::CoverPicture());

    // An audio source with a cover gets no video stream from a video format.
    c.Inputs = {{Media().TaggedCover, {}}};
    c.Options = {{"vcodec", "mpeg4"}, {"acodec", "aac"}};
    c.Output = dir.File("audio.mp4");
    o = Convert(c);
    ASSERT_EQ(o.Error, "");
    t = ReadTags(c.Output);
    EXPECT_EQ(t.VideoStreams, 0);
    EXPECT_TRUE(t.Covers.empty());
    EXPECT_GT(t.SampleRate, 0);
}

namespace {

// Every sample of the first audio stream, as 16-bit values.
std::vector<int> DecodedSamples(const std::string& Path) {
    std::vector<int> out;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, Path.c_str(), nullptr, nullptr) < 0)
        return out;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0)
        return out;
    const int index = av_find_best_stream(ic.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return out;
    const AVStream* st = ic->streams[index];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    if (avcodec_parameters_to_context(dec.get(), st->codecpar) < 0 ||
        avcodec_open2(dec.get(), codec, nullptr) < 0)
        return out;
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(),
                                                       [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    auto receive = [&] {
        while (avcodec_receive_frame(dec.get(), frame.get()) >= 0) {
            for (int i = 0; i < frame->nb_samples; ++i)
                for (int ch = 0; ch < frame->ch_layout.nb_channels; ++ch)
                    out.push_back(int(std::lround(detail::SampleAt(frame.get(), ch, i) * 32768)));
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(ic.get(), pkt.get()) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec.get(), pkt.get()) >= 0)
            receive();
        av_packet_unref(pkt.get());
    }
    avcodec_send_packet(dec.get(), nullptr);
    receive();
    return out;
}

} // namespace

TEST(NewAudioProfiles, FlacAndAlacDecodeToTheSourceSamplesAndOpusPlaysAt48kHz) {
    TOutputDir dir;
    const std::vector<int> source = DecodedSamples(Media().Wav);
    ASSERT_GT(source.size(), 100000u);
    for (const auto& [codec, ext] : {std::pair{"flac", "flac"}, std::pair{"alac", "m4a"}}) {
        SCOPED_TRACE(codec);
        const TConversion c = AudioJob(Media().Wav, codec, dir.File(std::string("lossless.") + ext));
        ASSERT_EQ(Convert(c).Error, "");
        const std::vector<int> back = DecodedSamples(c.Output);
        ASSERT_EQ(back.size(), source.size());
        EXPECT_TRUE(back == source) << "the samples differ";
    }

    TConversion c = AudioJob(Media().Wav, "libopus", dir.File("tone.opus"));
    c.Options.push_back({"ar", "48000"});
    ASSERT_EQ(Convert(c).Error, "");
    const TMediaFacts f = Inspect(c.Output);
    ASSERT_TRUE(f.Opened) << f.Error;
    const TStreamFacts* a = f.First(AVMEDIA_TYPE_AUDIO);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Codec, "opus");
    EXPECT_EQ(a->SampleRate, 48000);
    EXPECT_NEAR(a->AudioSeconds(), 2.0, 0.05);
    EXPECT_GT(a->Peak, 0.2);
}

namespace {

double GainOf(const TTagged& T) {
    const std::string text = TagOf(T, "REPLAYGAIN_TRACK_GAIN");
    return text.empty() ? 1e9 : std::atof(text.c_str());
}

} // namespace

TEST(ReplayGain, TonesOfKnownLoudnessGetTheirGainInEveryTaggableFormat) {
    TOutputDir dir;
    struct TTone {
        std::string File;
        double Gain;
        double Peak;
    };
    const TTone tones[] = {{Media().Tone20Lufs, 2.0, 0.1}, {Media().Tone10Lufs, -8.0, 0.316}};
    for (const TTone& tone : tones) {
        TConversion c =
            AudioJob(tone.File, "flac", dir.File("tone" + std::to_string(tone.Gain) + ".flac"));
        c.Options.push_back({"replaygain", "1"});
        ASSERT_EQ(Convert(c).Error, "");
        const TTagged t = ReadTags(c.Output);
        EXPECT_NEAR(GainOf(t), tone.Gain, 0.1) << TagOf(t, "REPLAYGAIN_TRACK_GAIN");
        EXPECT_TRUE(TagOf(t, "REPLAYGAIN_TRACK_GAIN").ends_with(" dB"));
        EXPECT_NEAR(std::atof(TagOf(t, "REPLAYGAIN_TRACK_PEAK").c_str()), tone.Peak, 0.005);
        EXPECT_NEAR(double(DecodedSamples(c.Output).size()), 3.0 * 48000 * 2, 2);
        // Written into the muxer's padding block, not by rewriting the file: the block shrank.
        const std::string bytes = enginetest::ReadBytes(c.Output);
        size_t at = 4;
        int paddingSize = -1;
        while (at + 4 <= bytes.size()) {
            const int type = bytes[at] & 0x7F;
            const size_t size = size_t(uint8_t(bytes[at + 1])) << 16 |
                                size_t(uint8_t(bytes[at + 2])) << 8 | uint8_t(bytes[at + 3]);
            if (type == 1)
                paddingSize = int(size);
            if (bytes[at] & 0x80)
                break;
            at += 4 + size;
        }
        EXPECT_GT(paddingSize, 0);
        EXPECT_LT(paddingSize, 8192);
    }

    // The other formats: the tags arrive, the source's tags and cover survive the rewrite, the
    // audio stays whole.
    for (const auto& [codec, ext] : {std::pair{"libmp3lame", "mp3"}, std::pair{"aac", "m4a"},
                                     std::pair{"alac", "m4a"}, std::pair{"libvorbis", "ogg"},
                                     std::pair{"libopus", "opus"}, std::pair{"wmav2", "wma"}}) {
        SCOPED_TRACE(std::string(codec) + " " + ext);
        TConversion c = AudioJob(Media().TaggedCover, codec, dir.File(std::string("rg.") + ext));
        c.Options.push_back({"replaygain", "1"});
        if (std::string(codec) == "libopus")
            c.Options.push_back({"ar", "48000"});
        const TOutcome o = Convert(c);
        ASSERT_EQ(o.Error, "");
        EXPECT_FALSE(o.Logged(llWarning, "No loudness tags")) << "not written";
        const TTagged t = ReadTags(c.Output);
        ASSERT_EQ(t.Error, "");
        // The fixture's 440 Hz tone peaks at 0.3 of full scale: about -11 LUFS over its
        // second (less with the encoder's silent start).
        EXPECT_NEAR(GainOf(t), -6.7, 0.7) << TagOf(t, "REPLAYGAIN_TRACK_GAIN");
        EXPECT_FALSE(TagOf(t, "REPLAYGAIN_TRACK_PEAK").empty());
        EXPECT_EQ(TagOf(t, "title"), "Fixture Tone");
        if (std::string(ext) != "wma") {
            ASSERT_EQ(t.Covers.size(), 1u);
            EXPECT_TRUE(t.Covers[0] == fixtures::CoverPicture());
        }
        const TMediaFacts f = Inspect(c.Output);
        ASSERT_NE(f.First(AVMEDIA_TYPE_AUDIO), nullptr);
        EXPECT_NEAR(f.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 1.0, 0.1);
    }

    // A format without free tags is left as it is, with a warning.
    TConversion c = AudioJob(Media().Tone20Lufs, "pcm_s16le", dir.File("tone.wav"));
    c.Options.push_back({"replaygain", "1"});
    const TOutcome o = Convert(c);
    ASSERT_EQ(o.Error, "");
    EXPECT_TRUE(o.Logged(llWarning, "No loudness tags written to"));
    EXPECT_EQ(TagOf(ReadTags(c.Output), "REPLAYGAIN_TRACK_GAIN"), "");
}

namespace {

// Seconds of a 997 Hz tone of the given peak in the listed channels of Layout (silence in the
// others), fed to Meter in frames of 1024 samples, float planar at 48 kHz.
void Feed(TLoudnessMeter& Meter, const AVChannelLayout& Layout, double Seconds, double Peak,
          const std::vector<int>& Sounding) {
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> f(av_frame_alloc(),
                                                   [](AVFrame* p) { av_frame_free(&p); });
    f->format = AV_SAMPLE_FMT_FLTP;
    f->sample_rate = 48000;
    f->nb_samples = 1024;
    ASSERT_EQ(av_channel_layout_copy(&f->ch_layout, &Layout), 0);
    ASSERT_EQ(av_frame_get_buffer(f.get(), 0), 0);
    const int64_t total = int64_t(Seconds * 48000);
    for (int64_t at = 0; at < total; at += 1024) {
        for (int c = 0; c < Layout.nb_channels; ++c) {
            const bool on = std::find(Sounding.begin(), Sounding.end(), c) != Sounding.end();
            auto* p = reinterpret_cast<float*>(f->extended_data[c]);
            for (int i = 0; i < 1024; ++i)
                p[i] = on ? float(Peak * std::sin(2 * M_PI * 997.0 * double(at + i) / 48000)) : 0.f;
        }
        Meter.AddFrame(f.get());
    }
}

} // namespace

TEST(LoudnessMeter, GatesSilenceAndWeighsTheChannelsAsTheMeasureDoes) {
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    const AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    const AVChannelLayout surround = AV_CHANNEL_LAYOUT_5POINT1;

    TLoudnessMeter m;
    EXPECT_FALSE(m.HasLoudness());
    Feed(m, stereo, 0.3, 0.1, {0, 1}); // shorter than one block
    EXPECT_FALSE(m.HasLoudness());
    Feed(m, stereo, 2.7, 0.1, {0, 1});
    EXPECT_NEAR(m.IntegratedLufs(), -20.0, 0.05);
    EXPECT_EQ(m.GainText(), "2.00 dB");
    // Silence after it falls below the absolute gate: only the blocks across the end count a
    // little (ungated, half of the time silent would read -23).
    Feed(m, stereo, 3.0, 0.0, {});
    EXPECT_NEAR(m.IntegratedLufs(), -20.2, 0.1);
    EXPECT_NEAR(m.Peak(), 0.1, 1e-4);
    EXPECT_EQ(m.PeakText(), "0.100000");

    TLoudnessMeter one;
    Feed(one, mono, 3.0, 0.1, {0}); // one channel: half the power of two
    EXPECT_NEAR(one.IntegratedLufs(), -23.01, 0.05);

    // 5.1: the low-frequency channel is left out, a surround channel counts 1.41 times.
    TLoudnessMeter lfe;
    Feed(lfe, surround, 3.0, 0.5, {3});
    EXPECT_FALSE(lfe.HasLoudness());
    EXPECT_NEAR(lfe.Peak(), 0.5, 1e-4);
    TLoudnessMeter side;
    Feed(side, surround, 3.0, 0.1, {4});
    EXPECT_NEAR(side.IntegratedLufs(), -23.01 + 10 * std::log10(1.41), 0.05);

    // A quiet passage more than 10 LU below the rest is gated out relatively.
    TLoudnessMeter mixed;
    Feed(mixed, stereo, 3.0, 0.1, {0, 1});
    Feed(mixed, stereo, 3.0, 0.01, {0, 1});
    EXPECT_NEAR(mixed.IntegratedLufs(), -20.2, 0.1);
}
