#include "EngineTestSupport.h"

#include "engine/FFUtils.h"
#include "engine/UnicodeProtocol.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <fcntl.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
}

using enginetest::ReadBytes;
using enginetest::TTempDir;
using enginetest::WriteBytes;

namespace {

const std::string Ascii = "ANSI_X3.4-1968";
const std::string Latin1 = "ISO-8859-1";
const std::string Utf8 = "UTF-8";

// An output context whose file was opened with UnicodeIOOpen; both are released on scope exit.
struct TOutput {
    AVFormatContext* Ctx = nullptr;
    ~TOutput() {
        if (Ctx != nullptr) {
            UnicodeIOClose(&Ctx->pb);
            avformat_free_context(Ctx);
        }
    }
};

struct TPacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

struct TInput {
    AVFormatContext* Ctx = nullptr;
    ~TInput() { UnicodeCloseInput(&Ctx); }
};

constexpr int WavRate = 8000;

// Writes Samples of 16-bit mono PCM to URL with the given muxer through the engine's file
// routines. The WAV muxer seeks back at the end to fill in the sizes, so this exercises writing
// and seeking; muxers that open their files themselves do so through InstallUnicodeIO.
void WriteWav(const std::string& URL, int Samples, const char* Format = "wav",
              AVDictionary** Options = nullptr) {
    TOutput out;
    ASSERT_GE(avformat_alloc_output_context2(&out.Ctx, nullptr, Format, URL.c_str()), 0);
    InstallUnicodeIO(out.Ctx);
    AVStream* st = avformat_new_stream(out.Ctx, nullptr);
    ASSERT_NE(st, nullptr);
    AVCodecParameters* par = st->codecpar;
    par->codec_type = AVMEDIA_TYPE_AUDIO;
    par->codec_id = AV_CODEC_ID_PCM_S16LE;
    par->sample_rate = WavRate;
    av_channel_layout_default(&par->ch_layout, 1);
    par->format = AV_SAMPLE_FMT_S16;
    par->bits_per_coded_sample = 16;
    par->block_align = 2;
    par->bit_rate = 16 * WavRate;
    st->time_base = AVRational{1, WavRate};
    if (!(out.Ctx->oformat->flags & AVFMT_NOFILE)) {
        ASSERT_EQ(UnicodeIOOpen(&out.Ctx->pb, URL, AVIO_FLAG_WRITE), 0);
    }
    ASSERT_GE(avformat_write_header(out.Ctx, Options), 0);

    std::unique_ptr<AVPacket, TPacketDeleter> pkt(av_packet_alloc());
    ASSERT_NE(pkt, nullptr);
    constexpr int Chunk = 800;
    for (int done = 0; done < Samples; done += Chunk) {
        const int n = std::min(Chunk, Samples - done);
        ASSERT_EQ(av_new_packet(pkt.get(), 2 * n), 0);
        auto* s = reinterpret_cast<int16_t*>(pkt->data);
        for (int i = 0; i < n; ++i)
            s[i] = int16_t(8000 * std::sin(2 * M_PI * 440 * (done + i) / WavRate));
        pkt->stream_index = 0;
        pkt->flags |= AV_PKT_FLAG_KEY;
        pkt->pts = pkt->dts = av_rescale_q(done, AVRational{1, WavRate}, st->time_base);
        pkt->duration = av_rescale_q(n, AVRational{1, WavRate}, st->time_base);
        ASSERT_GE(av_write_frame(out.Ctx, pkt.get()), 0);
        av_packet_unref(pkt.get());
    }
    ASSERT_GE(av_write_trailer(out.Ctx), 0);
}

// Total payload bytes of all packets of an opened input.
int64_t ReadAllPackets(AVFormatContext* Ctx) {
    std::unique_ptr<AVPacket, TPacketDeleter> pkt(av_packet_alloc());
    int64_t total = 0;
    while (av_read_frame(Ctx, pkt.get()) >= 0) {
        total += pkt->size;
        av_packet_unref(pkt.get());
    }
    return total;
}

std::string Pattern(size_t Size) {
    std::string s(Size, '\0');
    for (size_t i = 0; i < Size; ++i)
        s[i] = char((i * 7 + i / 251) & 0xFF);
    return s;
}

} // namespace

TEST(UnicodeNameTest, NamesOutsideTheCodePageBecomeUnicodeURLs) {
    const std::string plain = "/home/user/video/clip 01.avi";
    const std::string accented = "/home/user/vidéo/clip.avi";
    const std::string cyrillic = "/home/user/тест.avi";
    EXPECT_FALSE(NeedsUnicodeName(plain, Ascii));
    EXPECT_EQ(FileNameToURL(plain, Ascii), plain);
    EXPECT_TRUE(NeedsUnicodeName(accented, Ascii));
    EXPECT_FALSE(NeedsUnicodeName(accented, Latin1));
    EXPECT_TRUE(NeedsUnicodeName(cyrillic, Latin1));
    EXPECT_FALSE(NeedsUnicodeName(cyrillic, Utf8));
    EXPECT_FALSE(NeedsUnicodeName("", Ascii));

    // URLs of the known protocols pass unchanged; the test is case-sensitive.
    EXPECT_FALSE(NeedsUnicodeName("http://example.com/vidéo.avi", Ascii));
    EXPECT_TRUE(NeedsUnicodeName("Http://example.com/vidéo.avi", Ascii));
    EXPECT_FALSE(NeedsUnicodeName("udp://239.0.0.1:1234/é", Ascii));
    EXPECT_TRUE(NeedsUnicodeName("ftp://example.com/é", Ascii));
    EXPECT_EQ(FileNameToURL("http://example.com/é", Ascii), "http://example.com/é");

    const std::string url = FileNameToURL(accented, Ascii);
    EXPECT_EQ(url, "unicode:utf8:" + accented);
    EXPECT_EQ(URLToFileName(url), accented);
    EXPECT_EQ(URLToFileName(FileNameToURL(cyrillic, Latin1)), cyrillic);
    EXPECT_EQ(URLToFileName(plain), plain);
    // The prefix alone (13 characters) is not a unicode URL.
    EXPECT_EQ(URLToFileName("unicode:utf8:"), "unicode:utf8:");
    EXPECT_EQ(URLToFileName("unicode:utf8:a:b"), "a:b");
}

TEST(UnicodeIOTest, WritesSeeksAndReadsANonAsciiFile) {
    TTempDir dir;
    const std::string name = dir.File("vidéo_тест_音.bin");
    const std::string url = FileNameToURL(name, Ascii);
    ASSERT_EQ(url.rfind(UnicodeURLPrefix, 0), 0u);
    const std::string data = Pattern(100000);

    AVIOContext* pb = nullptr;
    ASSERT_EQ(UnicodeIOOpen(&pb, url, AVIO_FLAG_WRITE), 0);
    ASSERT_NE(pb, nullptr);
    EXPECT_TRUE(IsUnicodeIO(pb));
    avio_write(pb, reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    UnicodeIOClose(&pb);
    EXPECT_EQ(pb, nullptr);
    // The decoded URL and the plain UTF-8 name reach the same file.
    EXPECT_EQ(ReadBytes(name), data);

    ASSERT_EQ(UnicodeIOOpen(&pb, url, AVIO_FLAG_READ), 0);
    EXPECT_EQ(avio_size(pb), int64_t(data.size()));
    EXPECT_EQ(pb->seek(pb->opaque, 0, AVSEEK_SIZE), int64_t(data.size()));
    EXPECT_EQ(avio_seek(pb, 5000, SEEK_SET), 5000);
    std::string got(10, '\0');
    ASSERT_EQ(avio_read(pb, reinterpret_cast<unsigned char*>(got.data()), 10), 10);
    EXPECT_EQ(got, data.substr(5000, 10));
    EXPECT_EQ(avio_seek(pb, 20, SEEK_SET), 20);
    std::string rest;
    unsigned char buf[4096];
    for (int n; (n = avio_read(pb, buf, sizeof buf)) > 0;)
        rest.append(reinterpret_cast<const char*>(buf), size_t(n));
    EXPECT_EQ(rest.size(), data.size() - 20);
    EXPECT_TRUE(rest == data.substr(20));
    EXPECT_TRUE(avio_feof(pb));
    // The file routine itself also seeks from the current position and from the end.
    EXPECT_EQ(pb->seek(pb->opaque, 100, SEEK_SET), 100);
    EXPECT_EQ(pb->seek(pb->opaque, 50, SEEK_CUR), 150);
    EXPECT_EQ(pb->seek(pb->opaque, -100, SEEK_END), int64_t(data.size()) - 100);
    EXPECT_EQ(pb->seek(pb->opaque, -1, SEEK_SET), AVERROR(EINVAL));
    UnicodeIOClose(&pb);

    // Opening for writing never empties, replaces or follows what is there: a file or a link.
    EXPECT_EQ(UnicodeIOOpen(&pb, url, AVIO_FLAG_WRITE), AVERROR(EEXIST));
    EXPECT_EQ(ReadBytes(name), data);
    std::filesystem::create_symlink(name, dir.File("link.bin"));
    EXPECT_EQ(UnicodeIOOpen(&pb, dir.File("link.bin"), AVIO_FLAG_WRITE), AVERROR(EEXIST));
    EXPECT_EQ(ReadBytes(name), data);

    // Plain names are written and read by the same routines.
    ASSERT_EQ(UnicodeIOOpen(&pb, dir.File("plain.bin"), AVIO_FLAG_WRITE), 0);
    EXPECT_TRUE(IsUnicodeIO(pb));
    avio_write(pb, reinterpret_cast<const unsigned char*>("xyz"), 3);
    UnicodeIOClose(&pb);
    EXPECT_EQ(pb, nullptr);
    EXPECT_EQ(ReadBytes(dir.File("plain.bin")), "xyz");
    ASSERT_EQ(UnicodeIOOpen(&pb, dir.File("plain.bin"), AVIO_FLAG_READ), 0);
    EXPECT_TRUE(IsUnicodeIO(pb));
    UnicodeIOClose(&pb);
}

TEST(UnicodeIOTest, FailedOpensAndTransfers) {
    TTempDir dir;
    AVIOContext* pb = nullptr;
    EXPECT_EQ(UnicodeIOOpen(&pb, FileNameToURL(dir.File("missing_é.bin"), Ascii), AVIO_FLAG_READ),
              AVERROR(ENOENT));
    EXPECT_EQ(AVERROR(ENOENT), -2);
    EXPECT_EQ(pb, nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing_é.bin")));
    // A folder that does not exist cannot take a new file either.
    EXPECT_EQ(UnicodeIOOpen(&pb, FileNameToURL(dir.File("nö/new.bin"), Ascii), AVIO_FLAG_WRITE),
              AVERROR(ENOENT));
    EXPECT_EQ(pb, nullptr);
    // Other failures keep their own code: a plain file used as a folder is not a missing one.
    WriteBytes(dir.File("plain.bin"), "x");
    EXPECT_EQ(UnicodeIOOpen(&pb, FileNameToURL(dir.File("plain.bin/ö.bin"), Ascii), AVIO_FLAG_READ),
              AVERROR(ENOTDIR));
    EXPECT_EQ(UnicodeIOOpen(&pb, "unicode:utf8:" + dir.Path(), AVIO_FLAG_WRITE), AVERROR(EEXIST));
    EXPECT_EQ(pb, nullptr);

    // A full device: the write error reaches the context.
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    ASSERT_EQ(UnicodeIOOpenFd(&pb, full, AVIO_FLAG_WRITE), 0);
    const std::string data = Pattern(1000);
    avio_write(pb, reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    avio_flush(pb);
    EXPECT_LT(pb->error, 0);
    UnicodeIOClose(&pb);
}

TEST(UnicodeIOTest, URLsLongerThan2047BytesAreRefused) {
    TTempDir dir;
    // Nest folders until a file name of about 150 bytes fills the URL, however long the test
    // folder's own name is.
    std::string folder = dir.Path();
    const size_t prefix = std::string(UnicodeURLPrefix).size();
    while (prefix + folder.size() + 1 + 150 + 201 <= MaxURLBytes)
        folder += "/" + std::string(200, 'd');
    const size_t rest = MaxURLBytes - prefix - folder.size() - 1 - 150;
    if (rest >= 2)
        folder += "/" + std::string(rest - 1, 'd');
    std::filesystem::create_directories(folder);
    const size_t nameLength = MaxURLBytes - prefix - folder.size() - 1;
    ASSERT_GT(nameLength, 10u);
    ASSERT_LT(nameLength, 250u);
    const std::string fits = folder + "/" + std::string(nameLength - 2, 'f') + "é"; // é: 2 bytes
    const std::string tooLong = folder + "/" + std::string(nameLength - 1, 'f') + "é";
    WriteBytes(fits, "fits");
    WriteBytes(tooLong, "too long");
    ASSERT_EQ(ReadBytes(tooLong), "too long"); // the file system itself takes the name

    const std::string fitsURL = FileNameToURL(fits, Ascii);
    const std::string tooLongURL = FileNameToURL(tooLong, Ascii);
    ASSERT_EQ(fitsURL.size(), MaxURLBytes);
    ASSERT_EQ(tooLongURL.size(), MaxURLBytes + 1);

    AVIOContext* pb = nullptr;
    EXPECT_EQ(UnicodeIOOpen(&pb, fitsURL, AVIO_FLAG_READ), 0);
    UnicodeIOClose(&pb);
    EXPECT_LT(UnicodeIOOpen(&pb, tooLongURL, AVIO_FLAG_READ), 0);
    EXPECT_EQ(pb, nullptr);
    EXPECT_LT(UnicodeIOOpen(&pb, tooLongURL, AVIO_FLAG_WRITE), 0);
    EXPECT_EQ(ReadBytes(tooLong), "too long");

    // The demuxer entry refuses it too, and frees a context the caller allocated, as a failed
    // avformat_open_input does.
    AVFormatContext* ctx = avformat_alloc_context();
    ASSERT_NE(ctx, nullptr);
    EXPECT_LT(UnicodeOpenInput(&ctx, tooLongURL, nullptr, nullptr), 0);
    EXPECT_EQ(ctx, nullptr);
    if (ctx != nullptr)
        avformat_free_context(ctx);
}

// Opening a WAV reads a small part of its samples for the stream information (the header
// states everything), unless the caller asked for a probe size of its own.
TEST(UnicodeInputTest, AWaveFileIsProbedBrieflyUnlessAProbeSizeWasAsked) {
    TTempDir dir;
    // Stereo 16-bit at 44.1 kHz: the layout compressed audio would hide in.
    const std::string name = dir.File("long.wav");
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 20;
    fixtures::MakeMedia(name, spec);
    int64_t briefRead = 0;
    {
        TInput in;
        ASSERT_EQ(UnicodeOpenInput(&in.Ctx, name, nullptr, nullptr), 0);
        EXPECT_EQ(in.Ctx->probesize, 65536);
        ASSERT_GE(avformat_find_stream_info(in.Ctx, nullptr), 0);
        EXPECT_EQ(in.Ctx->streams[0]->codecpar->codec_id, AV_CODEC_ID_PCM_S16LE);
        EXPECT_NEAR(double(in.Ctx->duration) / AV_TIME_BASE, 20.0, 0.05);
        briefRead = avio_tell(in.Ctx->pb);
        UnicodeCloseInput(&in.Ctx);
    }
    {
        TInput in;
        AVDictionary* options = nullptr;
        av_dict_set(&options, "probesize", "4000000", 0);
        ASSERT_EQ(UnicodeOpenInput(&in.Ctx, name, nullptr, &options), 0);
        av_dict_free(&options);
        EXPECT_EQ(in.Ctx->probesize, 4000000);
        ASSERT_GE(avformat_find_stream_info(in.Ctx, nullptr), 0);
        // The brief pass read (and probed) a fraction of what the long one did.
        EXPECT_LT(briefRead * 2, avio_tell(in.Ctx->pb));
        UnicodeCloseInput(&in.Ctx);
    }
}

TEST(UnicodeInputTest, OpensAndClosesMediaThroughAUnicodeURL) {
    TTempDir dir;
    const std::string name = dir.File("tön_тест.wav");
    const std::string url = FileNameToURL(name, Ascii);
    constexpr int Samples = 12000;
    WriteWav(url, Samples);
    if (HasFatalFailure())
        return;

    {
        TInput in;
        ASSERT_EQ(UnicodeOpenInput(&in.Ctx, url, nullptr, nullptr), 0);
        ASSERT_NE(in.Ctx, nullptr);
        EXPECT_TRUE(IsUnicodeIO(in.Ctx->pb));
        EXPECT_STREQ(in.Ctx->iformat->name, "wav");
        ASSERT_GE(avformat_find_stream_info(in.Ctx, nullptr), 0);
        ASSERT_EQ(in.Ctx->nb_streams, 1u);
        const AVCodecParameters* par = in.Ctx->streams[0]->codecpar;
        EXPECT_EQ(par->codec_id, AV_CODEC_ID_PCM_S16LE);
        EXPECT_EQ(par->sample_rate, WavRate);
        // The sizes the muxer wrote back after seeking give the right length.
        EXPECT_EQ(in.Ctx->duration, int64_t(Samples) * AV_TIME_BASE / WavRate);
        EXPECT_EQ(ReadAllPackets(in.Ctx), 2 * Samples);
        UnicodeCloseInput(&in.Ctx);
        EXPECT_EQ(in.Ctx, nullptr);
    }

    // A context the caller prepared, with a forced format, and the plain name of the same file
    // (read through the same routines).
    {
        TInput in;
        in.Ctx = avformat_alloc_context();
        ASSERT_NE(in.Ctx, nullptr);
        ASSERT_EQ(UnicodeOpenInput(&in.Ctx, name, av_find_input_format("wav"), nullptr), 0);
        EXPECT_TRUE(IsUnicodeIO(in.Ctx->pb));
        EXPECT_EQ(ReadAllPackets(in.Ctx), 2 * Samples);
    }
}

TEST(UnicodeInputTest, FilesAMuxerOpensItselfGoThroughTheUnicodeRoutines) {
    TTempDir dir;
    AVDictionary* options = nullptr;
    ASSERT_EQ(av_dict_set(&options, "segment_format", "wav", 0), 0);
    ASSERT_EQ(av_dict_set(&options, "segment_time", "0.5", 0), 0);
    WriteWav(FileNameToURL(dir.File("tön_%03d.wav"), Ascii), 3 * WavRate / 2, "segment", &options);
    av_dict_free(&options);
    if (HasFatalFailure())
        return;
    int64_t samples = 0;
    for (const char* part : {"tön_000.wav", "tön_001.wav", "tön_002.wav"}) {
        TInput in;
        ASSERT_EQ(UnicodeOpenInput(&in.Ctx, FileNameToURL(dir.File(part), Ascii), nullptr, nullptr), 0)
            << part;
        samples += ReadAllPackets(in.Ctx) / 2;
    }
    EXPECT_EQ(samples, 3 * WavRate / 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("tön_003.wav")));
}

TEST(UnicodeInputTest, PlainNamesKeepTheContextsWhitelistAndInterruptCallback) {
    TTempDir dir;
    const std::string name = dir.File("plain.wav");
    WriteWav(name, 800);
    if (HasFatalFailure())
        return;

    AVFormatContext* ctx = avformat_alloc_context();
    ASSERT_NE(ctx, nullptr);
    ctx->protocol_whitelist = av_strdup("http,tcp");
    EXPECT_LT(UnicodeOpenInput(&ctx, name, nullptr, nullptr), 0);
    EXPECT_EQ(ctx, nullptr);

    ctx = avformat_alloc_context();
    ASSERT_NE(ctx, nullptr);
    ctx->interrupt_callback.callback = [](void*) { return 1; };
    EXPECT_EQ(UnicodeOpenInput(&ctx, name, nullptr, nullptr), AVERROR_EXIT);
    EXPECT_EQ(ctx, nullptr);
}

TEST(UnicodeInputTest, FailedOpensLeaveNothingBehind) {
    TTempDir dir;
    const std::string text = dir.File("nötes.mp4");
    WriteBytes(text, "These are plain English notes, not a media file at all.\n");

    AVFormatContext* ctx = nullptr;
    EXPECT_LT(UnicodeOpenInput(&ctx, FileNameToURL(text, Ascii), nullptr, nullptr), 0);
    EXPECT_EQ(ctx, nullptr);

    ctx = avformat_alloc_context();
    ASSERT_NE(ctx, nullptr);
    EXPECT_LT(UnicodeOpenInput(&ctx, FileNameToURL(text, Ascii), nullptr, nullptr), 0);
    EXPECT_EQ(ctx, nullptr);

    ctx = avformat_alloc_context();
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(UnicodeOpenInput(&ctx, FileNameToURL(dir.File("missing_é.avi"), Ascii), nullptr,
                               nullptr),
              AVERROR(ENOENT));
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(ErrorText("Open", AVERROR(ENOENT)), "Open: No such file or directory");

    UnicodeCloseInput(&ctx); // closing nothing is harmless
}
