// The generated test media are what the other tests assume: reopened through the demuxers,
// every file has the streams, codecs, lengths and tags it is meant to have.

#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using fixtures::TFixtureSet;

struct TInputDeleter {
    void operator()(AVFormatContext* ctx) const { avformat_close_input(&ctx); }
};
struct TCodecDeleter {
    void operator()(AVCodecContext* ctx) const { avcodec_free_context(&ctx); }
};
struct TPacketDeleter {
    void operator()(AVPacket* pkt) const { av_packet_free(&pkt); }
};
struct TFrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using TInputPtr = std::unique_ptr<AVFormatContext, TInputDeleter>;
using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecDeleter>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;

// Opens and probes a file; the error code is 0 on success.
std::pair<TInputPtr, int> Open(const std::string& path) {
    AVFormatContext* raw = nullptr;
    int ret = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (ret < 0) {
        return {nullptr, ret};
    }
    TInputPtr ctx(raw);
    ret = avformat_find_stream_info(ctx.get(), nullptr);
    return {std::move(ctx), std::min(ret, 0)};
}

// What a stream really holds, measured from its packets.
struct TStreamSpan {
    int Packets = 0;
    double Seconds = 0; // last packet end minus first packet start
};

std::vector<TStreamSpan> ReadSpans(AVFormatContext* ctx) {
    const size_t n = ctx->nb_streams;
    std::vector<int64_t> first(n, std::numeric_limits<int64_t>::max());
    std::vector<int64_t> last(n, std::numeric_limits<int64_t>::min());
    std::vector<TStreamSpan> spans(n);
    TPacketPtr pkt(av_packet_alloc());
    EXPECT_NE(pkt, nullptr);
    while (pkt && av_read_frame(ctx, pkt.get()) >= 0) {
        const auto i = static_cast<size_t>(pkt->stream_index);
        const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (ts != AV_NOPTS_VALUE) {
            first[i] = std::min(first[i], ts);
            last[i] = std::max(last[i], ts + pkt->duration);
        }
        ++spans[i].Packets;
        av_packet_unref(pkt.get());
    }
    for (size_t i = 0; i < n; ++i) {
        if (spans[i].Packets && first[i] <= last[i]) {
            spans[i].Seconds =
                static_cast<double>(last[i] - first[i]) * av_q2d(ctx->streams[i]->time_base);
        }
    }
    return spans;
}

struct TStreamWant {
    AVMediaType Type;
    AVCodecID Codec;
    double Seconds;
    int Channels; // audio only
};

struct TFileWant {
    const char* Name;
    std::string TFixtureSet::*Path;
    const char* Demuxer; // one of the names in AVInputFormat::name
    std::vector<TStreamWant> Streams;
};

std::string ErrorText(int code) {
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    return buf;
}

const char* TypeName(AVMediaType type) {
    const char* name = av_get_media_type_string(type);
    return name ? name : "?";
}

// Decodes the luma planes of the first `count` pictures of the first video stream.
std::vector<std::vector<uint8_t>> LumaPlanes(const std::string& path, size_t count) {
    std::vector<std::vector<uint8_t>> planes;
    auto [ctx, err] = Open(path);
    if (err < 0) {
        ADD_FAILURE() << "cannot open " << path;
        return planes;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(ctx.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || !codec) {
        ADD_FAILURE() << "no video decoder for " << path;
        return planes;
    }
    TCodecPtr dec(avcodec_alloc_context3(codec));
    TPacketPtr pkt(av_packet_alloc());
    TFramePtr frame(av_frame_alloc());
    if (!dec || !pkt || !frame ||
        avcodec_parameters_to_context(dec.get(), ctx->streams[index]->codecpar) < 0 ||
        avcodec_open2(dec.get(), codec, nullptr) < 0) {
        ADD_FAILURE() << "cannot open the video decoder for " << path;
        return planes;
    }
    bool draining = false;
    while (planes.size() < count) {
        int ret = avcodec_receive_frame(dec.get(), frame.get());
        if (ret == 0) {
            std::vector<uint8_t> luma;
            for (int y = 0; y < frame->height; ++y) {
                const uint8_t* row =
                    frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0];
                luma.insert(luma.end(), row, row + frame->width);
            }
            planes.push_back(std::move(luma));
            continue;
        }
        if (ret != AVERROR(EAGAIN) || draining) {
            break;
        }
        ret = av_read_frame(ctx.get(), pkt.get());
        if (ret < 0) {
            draining = true;
            avcodec_send_packet(dec.get(), nullptr);
            continue;
        }
        if (pkt->stream_index == index && avcodec_send_packet(dec.get(), pkt.get()) < 0) {
            ADD_FAILURE() << "decoding error in " << path;
            break;
        }
        av_packet_unref(pkt.get());
    }
    return planes;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(FixturesTest, MediaFilesReopenWithTheirStreamsLengthsAndTags) {
    const TFixtureSet& set = fixtures::Fixtures();
    constexpr auto V = AVMEDIA_TYPE_VIDEO;
    constexpr auto A = AVMEDIA_TYPE_AUDIO;
    constexpr auto S = AVMEDIA_TYPE_SUBTITLE;
    const std::vector<TFileWant> files = {
        {"AviMpeg4Mp3",
         &TFixtureSet::AviMpeg4Mp3,
         "avi",
         {{V, AV_CODEC_ID_MPEG4, 2, 0}, {A, AV_CODEC_ID_MP3, 2, 2}}},
        {"Mp4H264Aac",
         &TFixtureSet::Mp4H264Aac,
         "mp4",
         {{V, AV_CODEC_ID_H264, 2, 0}, {A, AV_CODEC_ID_AAC, 2, 2}}},
        {"MpegPsMpeg2Mp2",
         &TFixtureSet::MpegPsMpeg2Mp2,
         "mpeg",
         {{V, AV_CODEC_ID_MPEG2VIDEO, 2, 0}, {A, AV_CODEC_ID_MP2, 2, 2}}},
        {"Wav", &TFixtureSet::Wav, "wav", {{A, AV_CODEC_ID_PCM_S16LE, 2, 2}}},
        {"Mp3", &TFixtureSet::Mp3, "mp3", {{A, AV_CODEC_ID_MP3, 2, 2}}},
        {"Flac", &TFixtureSet::Flac, "flac", {{A, AV_CODEC_ID_FLAC, 2, 2}}},
        {"Surround51", &TFixtureSet::Surround51, "ac3", {{A, AV_CODEC_ID_AC3, 2, 6}}},
        {"Tagged", &TFixtureSet::Tagged, "mp3", {{A, AV_CODEC_ID_MP3, 1, 2}}},
        {"TwoAudio",
         &TFixtureSet::TwoAudio,
         "matroska",
         {{A, AV_CODEC_ID_MP3, 2, 2}, {A, AV_CODEC_ID_AAC, 1, 2}}},
        {"Subtitled",
         &TFixtureSet::Subtitled,
         "matroska",
         {{V, AV_CODEC_ID_MPEG4, 2, 0}, {A, AV_CODEC_ID_AAC, 2, 2}, {S, AV_CODEC_ID_SUBRIP, 0, 0}}},
        {"NonAscii",
         &TFixtureSet::NonAscii,
         "mp4",
         {{V, AV_CODEC_ID_MPEG4, 1, 0}, {A, AV_CODEC_ID_AAC, 1, 2}}},
    };

    for (const TFileWant& want : files) {
        const std::string& path = set.*want.Path;
        SCOPED_TRACE(std::string(want.Name) + " " + path);
        EXPECT_EQ(fs::path(path).parent_path(), fs::path(set.Dir));
        auto [ctx, err] = Open(path);
        ASSERT_EQ(err, 0) << ErrorText(err);

        // The demuxer's name list ("mov,mp4,m4a,...") must hold the wanted name.
        const std::string names = std::string(",") + ctx->iformat->name + ",";
        EXPECT_NE(names.find(std::string(",") + want.Demuxer + ","), std::string::npos)
            << ctx->iformat->name;

        // Program streams list their streams in the order packets arrive, so compare in
        // (type, codec) order.
        ASSERT_EQ(ctx->nb_streams, want.Streams.size());
        std::vector<TStreamWant> wanted = want.Streams;
        std::vector<unsigned> order(ctx->nb_streams);
        for (unsigned i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        auto key = [&](unsigned i) {
            const AVCodecParameters* par = ctx->streams[i]->codecpar;
            return std::make_tuple(par->codec_type, par->codec_id);
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](unsigned a, unsigned b) { return key(a) < key(b); });
        std::stable_sort(wanted.begin(), wanted.end(), [](const auto& a, const auto& b) {
            return std::make_tuple(a.Type, a.Codec) < std::make_tuple(b.Type, b.Codec);
        });

        const std::vector<TStreamSpan> spans = ReadSpans(ctx.get());
        for (size_t k = 0; k < wanted.size(); ++k) {
            const unsigned i = order[k];
            const AVCodecParameters* par = ctx->streams[i]->codecpar;
            SCOPED_TRACE("stream " + std::to_string(i));
            EXPECT_EQ(par->codec_type, wanted[k].Type) << TypeName(par->codec_type);
            EXPECT_EQ(par->codec_id, wanted[k].Codec) << avcodec_get_name(par->codec_id);
            EXPECT_GT(spans[i].Packets, 0);
            if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
                EXPECT_EQ(par->width, 320);
                EXPECT_EQ(par->height, 240);
            }
            if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
                EXPECT_EQ(par->ch_layout.nb_channels, wanted[k].Channels);
            }
            if (par->codec_type == AVMEDIA_TYPE_SUBTITLE) {
                // Several timed events, all inside the 2 s of the file.
                EXPECT_GE(spans[i].Packets, 2);
                EXPECT_GT(spans[i].Seconds, 0.5);
                EXPECT_LE(spans[i].Seconds, 2.0);
            } else {
                // Pictures are exact to the frame; audio may gain encoder delay and a padded
                // last frame.
                const double slack = par->codec_type == AVMEDIA_TYPE_VIDEO ? 0.02 : 0.12;
                EXPECT_NEAR(spans[i].Seconds, wanted[k].Seconds, slack);
            }
        }
    }

    {
        SCOPED_TRACE("Tagged");
        auto [ctx, err] = Open(set.Tagged);
        ASSERT_EQ(err, 0);
        for (const auto& [name, value] : fixtures::TaggedTags()) {
            const AVDictionaryEntry* tag = av_dict_get(ctx->metadata, name.c_str(), nullptr, 0);
            ASSERT_NE(tag, nullptr) << name;
            EXPECT_STREQ(tag->value, value.c_str()) << name;
        }
    }
    {
        SCOPED_TRACE("TwoAudio");
        auto [ctx, err] = Open(set.TwoAudio);
        ASSERT_EQ(err, 0);
        ASSERT_EQ(ctx->nb_streams, 2u);
        const char* langs[] = {"eng", "ger"};
        for (unsigned i = 0; i < 2; ++i) {
            const AVDictionaryEntry* tag =
                av_dict_get(ctx->streams[i]->metadata, "language", nullptr, 0);
            ASSERT_NE(tag, nullptr) << "stream " << i;
            EXPECT_STREQ(tag->value, langs[i]);
        }
    }
    {
        // A 440 Hz tone crosses zero about 880 times a second in each channel.
        SCOPED_TRACE("Wav tone");
        auto [ctx, err] = Open(set.Wav);
        ASSERT_EQ(err, 0);
        std::vector<int16_t> left;
        TPacketPtr pkt(av_packet_alloc());
        ASSERT_NE(pkt, nullptr);
        while (left.size() < 44100 && av_read_frame(ctx.get(), pkt.get()) >= 0) {
            for (int off = 0; off + 4 <= pkt->size; off += 4) {
                int16_t s;
                std::memcpy(&s, pkt->data + off, sizeof s);
                left.push_back(s);
            }
            av_packet_unref(pkt.get());
        }
        ASSERT_GE(left.size(), 44100u);
        left.resize(44100);
        int crossings = 0;
        for (size_t i = 1; i < left.size(); ++i) {
            crossings += (left[i - 1] < 0) != (left[i] < 0);
        }
        EXPECT_NEAR(crossings, 880, 4);
        EXPECT_GT(*std::max_element(left.begin(), left.end()), 8000);
    }
    {
        // Coding noise alone changes a still picture by far less than one level a pixel.
        SCOPED_TRACE("moving picture");
        const auto planes = LumaPlanes(set.AviMpeg4Mp3, 6);
        ASSERT_EQ(planes.size(), 6u);
        ASSERT_EQ(planes[0].size(), 320u * 240u);
        ASSERT_EQ(planes[5].size(), planes[0].size());
        double diff = 0;
        for (size_t i = 0; i < planes[0].size(); ++i) {
            diff += std::abs(int{planes[0][i]} - int{planes[5][i]});
        }
        EXPECT_GT(diff / static_cast<double>(planes[0].size()), 3.0);
    }
}

TEST(FixturesTest, BrokenFilesAndTheBuilderItself) {
    const TFixtureSet& set = fixtures::Fixtures();
    EXPECT_EQ(&set, &fixtures::Fixtures());

    // The cut-off copy keeps the start of its source but loses the index at the end.
    const std::string full = ReadAll(set.Mp4H264Aac);
    const std::string cut = ReadAll(set.Truncated);
    EXPECT_EQ(cut.size(), 3000u);
    EXPECT_LT(cut.size(), full.size());
    EXPECT_EQ(full.compare(0, cut.size(), cut), 0);
    EXPECT_LT(Open(set.Truncated).second, 0);

    EXPECT_EQ(fs::path(set.ZeroByte).extension(), ".avi");
    ASSERT_TRUE(fs::exists(set.ZeroByte));
    EXPECT_EQ(fs::file_size(set.ZeroByte), 0u);

    EXPECT_EQ(fs::path(set.TextFile).extension(), ".mp4");
    const std::string text = ReadAll(set.TextFile);
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                            [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); }));

    const std::string name = fs::path(set.NonAscii).filename().string();
    EXPECT_TRUE(std::any_of(name.begin(), name.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));

    // Failures name the step and what was asked for.
    fixtures::TMediaSpec bad;
    bad.Format = "matroska";
    bad.AudioEncoders = {"no_such_encoder"};
    const std::string scratch = (fs::path(set.Dir).parent_path() / "never-made.mkv").string();
    try {
        fixtures::MakeMedia(scratch, bad);
        ADD_FAILURE() << "an unknown encoder was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no_such_encoder"), std::string::npos) << e.what();
    }
    fixtures::TMediaSpec tone;
    tone.Format = "wav";
    tone.AudioEncoders = {"pcm_s16le"};
    try {
        fixtures::MakeMedia("/nonexistent-folder/tone.wav", tone);
        ADD_FAILURE() << "a file in a missing folder was made";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("avio_open"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(scratch));

    // Two builders racing on an empty folder end with one complete set and no leftovers; a
    // stamp from another format version makes the next call rebuild.
    std::string base = (fs::temp_directory_path() / "zelta-fixtures-XXXXXX").string();
    ASSERT_NE(::mkdtemp(base.data()), nullptr);
    std::vector<TFixtureSet> results(2);
    std::vector<std::string> errors(2);
    {
        std::vector<std::jthread> builders;
        for (size_t i = 0; i < 2; ++i) {
            builders.emplace_back([&, i] {
                try {
                    results[i] = fixtures::BuildFixtures(base);
                } catch (const std::exception& e) {
                    errors[i] = e.what();
                }
            });
        }
    }
    EXPECT_EQ(errors[0], "");
    EXPECT_EQ(errors[1], "");
    EXPECT_EQ(results[0].Dir, results[1].Dir);
    EXPECT_EQ(fs::path(results[0].Dir).parent_path(), fs::path(base));
    std::vector<std::string> entries;
    for (const auto& e : fs::directory_iterator(base)) {
        entries.push_back(e.path().filename().string());
    }
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries,
              (std::vector<std::string>{".lock", fs::path(results[0].Dir).filename().string()}));
    EXPECT_EQ(fs::file_size(results[0].Wav), fs::file_size(set.Wav));

    const fs::path stamp = fs::path(results[0].Dir) / "stamp";
    ASSERT_TRUE(fs::exists(stamp));
    const std::string stampText = ReadAll(stamp.string());
    fs::remove(results[0].Flac);
    std::ofstream(stamp, std::ios::trunc) << "zelta test media, format 0\n";
    const TFixtureSet again = fixtures::BuildFixtures(base);
    EXPECT_EQ(again.Dir, results[0].Dir);
    EXPECT_TRUE(fs::exists(again.Flac));
    EXPECT_EQ(ReadAll(stamp.string()), stampText);

    std::error_code ec;
    fs::remove_all(base, ec);
}

} // namespace
