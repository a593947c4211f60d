#include "EngineTestSupport.h"

#include "engine/FFTypes.h"
#include "engine/FFUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/macros.h>
}

using enginetest::TTempDir;
using enginetest::WriteBytes;

TEST(FormatTextTest, MediaTimesAndFileSizes) {
    const int64_t hms = ((1 * 60 + 2) * 60 + 3) * int64_t(1000000);
    EXPECT_EQ(FormatMediaTime(hms + 4000), "01:02:03.004");
    EXPECT_EQ(FormatMediaTime(hms + 4999), "01:02:03.004"); // milliseconds are cut, not rounded
    EXPECT_EQ(FormatMediaTime(0), "00:00:00.000");
    EXPECT_EQ(FormatMediaTime(NoMediaTime), "N/A");
    EXPECT_EQ(FormatMediaTime(int64_t(123) * 3600 * 1000000 + 59 * 1000000), "123:00:59.000");

    EXPECT_EQ(FormatFileSize(0), "0 Byte");
    EXPECT_EQ(FormatFileSize(1024), "1024 Byte");
    EXPECT_EQ(FormatFileSize(1025), "1.00 KB");
    EXPECT_EQ(FormatFileSize(1048576), "1024.00 KB");
    EXPECT_EQ(FormatFileSize(1048577), "1.00 MB");
    EXPECT_EQ(FormatFileSize(1073741824), "1024.00 MB");
    EXPECT_EQ(FormatFileSize(int64_t(3) * 1073741824 / 2), "1.50 GB");
    EXPECT_EQ(FormatFileSize(int64_t(5) << 40), "5120.00 GB");
    EXPECT_EQ(FormatFileSize(-5), "-5 Byte");
}

TEST(FormatTextTest, ErrorTextsAndStreamKinds) {
    const struct {
        int Code;
        const char* Text;
    } designed[] = {{-1163346256, "Not yet implemented in FFmpeg"},
                    {-10043, "Unsupported network protocol"},
                    {-42, "Unknown format"},
                    {-33, "Number syntax expected in filename"},
                    {-32, "End of file"},
                    {-22, "Invalid data found when processing input"},
                    {-12, "Not enough memory"},
                    {-5, "I/O error"},
                    {-2, "No such file or directory"},
                    // The current libraries' codes for the same conditions.
                    {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
                    {AVERROR_EOF, "End of file"},
                    {AVERROR_PATCHWELCOME, "Not yet implemented in FFmpeg"},
                    {AVERROR(ENOENT), "No such file or directory"}};
    for (const auto& d : designed)
        EXPECT_EQ(ErrorText("clip.avi", d.Code), std::string("clip.avi: ") + d.Text) << d.Code;
    // Codes outside the table: the system's own text, or the number when it has none.
    EXPECT_EQ(ErrorText("clip.avi", AVERROR(EFBIG)), "clip.avi: File too large");
    EXPECT_EQ(ErrorText("clip.avi", AVERROR(ENOSPC)), "clip.avi: No space left on device");
    EXPECT_EQ(ErrorText("clip.avi", AVERROR(EACCES)), "clip.avi: Permission denied");
    EXPECT_EQ(ErrorText("clip.avi", -123456789), "clip.avi: Error number -123456789 occurred");
    EXPECT_EQ(ErrorText("x", 0), "x: Error number 0 occurred");

    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_VIDEO), "Video");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_AUDIO), "Audio");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_DATA), "Data");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_SUBTITLE), "Subtitle");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_ATTACHMENT), "Attachment");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_UNKNOWN), "Unknown");
    EXPECT_EQ(StreamKindName(AVMEDIA_TYPE_NB), "Unknown");
}

namespace {

struct TParDeleter {
    void operator()(AVCodecParameters* p) const { avcodec_parameters_free(&p); }
};
struct TCodecContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};

std::string Describe(AVCodecID Id, uint32_t Tag, bool Encoder = false) {
    std::unique_ptr<AVCodecParameters, TParDeleter> par(avcodec_parameters_alloc());
    par->codec_id = Id;
    par->codec_tag = Tag;
    return CodecDescription(par.get(), Encoder);
}

} // namespace

TEST(CodecDescriptionTest, CodecNamesAndTagFallbacks) {
    EXPECT_EQ(Describe(AV_CODEC_ID_PCM_S16LE, 0), "pcm_s16le(PCM signed 16-bit little-endian)");
    EXPECT_EQ(Describe(AV_CODEC_ID_FLAC, 0, true), "flac(FLAC (Free Lossless Audio Codec))");
    EXPECT_EQ(Describe(AV_CODEC_ID_MPEG2TS, 0), "mpeg2ts");
    // No decoder: the codec's own name when the libraries know one.
    EXPECT_EQ(Describe(AV_CODEC_ID_TTF, MKTAG('a', 'b', 'c', 'd')), "ttf");

    const AVCodecID unknown = AVCodecID(0x1FFF0); // unassigned, inside the enumeration's range
    EXPECT_EQ(Describe(unknown, MKTAG('D', 'X', '5', '0')), "DX50 / 0x30355844");
    EXPECT_EQ(Describe(AV_CODEC_ID_NONE, MKTAG('x', 'v', 'i', 'd')), "xvid / 0x64697678");
    EXPECT_EQ(Describe(unknown, 0x0055), "0x0055");
    EXPECT_EQ(Describe(unknown, 0x12345678), "0x12345678");
    EXPECT_EQ(Describe(AV_CODEC_ID_NONE, 0), "0x0000");

    std::unique_ptr<AVCodecContext, TCodecContextDeleter> ctx(avcodec_alloc_context3(nullptr));
    ASSERT_NE(ctx, nullptr);
    ctx->codec_id = AV_CODEC_ID_NONE;
    ctx->codec_tag = MKTAG('D', 'I', 'V', 'X');
    EXPECT_EQ(CodecDescription(ctx.get(), false), "DIVX / 0x58564944");
}

TEST(MetadataValueTest, FirstTagWithExactlyThatKey) {
    AVDictionary* d = nullptr;
    const int flags = AV_DICT_MATCH_CASE | AV_DICT_MULTIKEY;
    ASSERT_EQ(av_dict_set(&d, "title", "first", flags), 0);
    ASSERT_EQ(av_dict_set(&d, "Title", "capital", flags), 0);
    ASSERT_EQ(av_dict_set(&d, "title", "second", flags), 0);
    ASSERT_EQ(av_dict_set(&d, "titles", "plural", flags), 0);
    EXPECT_EQ(MetadataValue(d, "title", "none"), "first");
    EXPECT_EQ(MetadataValue(d, "Title", "none"), "capital");
    EXPECT_EQ(MetadataValue(d, "TITLE", "none"), "none");
    EXPECT_EQ(MetadataValue(d, "tit", "none"), "none");
    EXPECT_EQ(MetadataValue(d, "titles"), "plural");
    EXPECT_EQ(MetadataValue(nullptr, "title", "none"), "none");
    av_dict_free(&d);
}

namespace {

// A packed picture with its own rows: Linesize bytes each, Width * 3 of them pixels.
struct TPicture {
    int Width, Height, Linesize;
    std::vector<uint8_t> Bytes;
    const uint8_t* Data[4] = {};
    int Lines[4] = {};

    TPicture(int W, int H, int L) : Width(W), Height(H), Linesize(L), Bytes(size_t(L) * H, 0xEE) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W * 3; ++x)
                Bytes[size_t(y) * L + x] = uint8_t(y * 31 + x * 7 + 1);
        Data[0] = Bytes.data();
        Lines[0] = L;
    }
    const uint8_t* Row(int y) const { return Bytes.data() + size_t(y) * Linesize; }
};

// Compares the bitmap's pixels (not its row padding) with the picture's.
::testing::AssertionResult SamePixels(const TBitmap24& Bmp, const TPicture& Pic) {
    if (Bmp.Width() != Pic.Width || Bmp.Height() != Pic.Height)
        return ::testing::AssertionFailure() << "size " << Bmp.Width() << "x" << Bmp.Height();
    for (int y = 0; y < Pic.Height; ++y)
        for (int x = 0; x < Pic.Width * 3; ++x)
            if (Bmp.ScanLine(y)[x] != Pic.Row(y)[x])
                return ::testing::AssertionFailure()
                       << "byte " << x << " of row " << y << ": " << int(Bmp.ScanLine(y)[x])
                       << " instead of " << int(Pic.Row(y)[x]);
    return ::testing::AssertionSuccess();
}

struct TFrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};

} // namespace

TEST(FrameToBitmapTest, BGRPicturesAreCopiedDirectlyOnlyWithTheBitmapLayout) {
    {
        // Even size, line size equal to the padded scanline (18 bytes of pixels in 20).
        TFrameConverter conv;
        const TPicture pic(6, 2, 20);
        ASSERT_TRUE(FrameToBitmap(conv, pic.Data, pic.Lines, AV_PIX_FMT_BGR24, pic.Height, pic.Width));
        ASSERT_NE(conv.Bitmap, nullptr);
        EXPECT_EQ(conv.Bitmap->ScanlineSize(), 20);
        EXPECT_TRUE(SamePixels(*conv.Bitmap, pic));
        EXPECT_EQ(conv.ToRGB, nullptr);
    }
    {
        // Even size but unpadded rows: converted.
        TFrameConverter conv;
        const TPicture pic(6, 2, 18);
        ASSERT_TRUE(FrameToBitmap(conv, pic.Data, pic.Lines, AV_PIX_FMT_BGR24, pic.Height, pic.Width));
        EXPECT_TRUE(SamePixels(*conv.Bitmap, pic));
        EXPECT_NE(conv.ToRGB, nullptr);
    }
    {
        // Odd width, then odd height: converted through the scaler, and the buffer grows.
        TFrameConverter conv;
        const TPicture odd(5, 4, 16);
        ASSERT_TRUE(FrameToBitmap(conv, odd.Data, odd.Lines, AV_PIX_FMT_BGR24, odd.Height, odd.Width));
        EXPECT_TRUE(SamePixels(*conv.Bitmap, odd));
        EXPECT_NE(conv.ToRGB, nullptr);
        const int small = conv.RGBBufferSize;

        const TPicture larger(32, 17, 96);
        ASSERT_TRUE(FrameToBitmap(conv, larger.Data, larger.Lines, AV_PIX_FMT_BGR24, larger.Height,
                                  larger.Width));
        EXPECT_TRUE(SamePixels(*conv.Bitmap, larger)); // 96-byte rows: scaled in place

        const TPicture unaligned(33, 17, 100); // 100-byte rows: through the buffer, which grows
        ASSERT_TRUE(FrameToBitmap(conv, unaligned.Data, unaligned.Lines, AV_PIX_FMT_BGR24,
                                  unaligned.Height, unaligned.Width));
        EXPECT_TRUE(SamePixels(*conv.Bitmap, unaligned));
        EXPECT_GT(conv.RGBBufferSize, small);

        ResetConverter(conv);
        EXPECT_EQ(conv.Bitmap, nullptr);
        EXPECT_EQ(conv.ToRGB, nullptr);
        EXPECT_EQ(conv.RGBBuffer, nullptr);
        EXPECT_EQ(conv.RGBBufferSize, 0);
        EXPECT_EQ(conv.RGBData[0], nullptr);
        EXPECT_EQ(conv.RGBFormat, AV_PIX_FMT_BGR24);
        EXPECT_EQ(conv.BitmapBits, 24);

        // Usable again after the reset.
        ASSERT_TRUE(FrameToBitmap(conv, odd.Data, odd.Lines, AV_PIX_FMT_BGR24, odd.Height, odd.Width));
        EXPECT_TRUE(SamePixels(*conv.Bitmap, odd));
    }
}

TEST(FrameToBitmapTest, YUVPicturesConvertToTheirColours) {
    std::unique_ptr<AVFrame, TFrameDeleter> frame(av_frame_alloc());
    ASSERT_NE(frame, nullptr);
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 16;
    frame->height = 16;
    ASSERT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    // Top half red, bottom half blue (BT.601, limited range).
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            frame->data[0][y * frame->linesize[0] + x] = y < 8 ? 81 : 41;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            frame->data[1][y * frame->linesize[1] + x] = y < 4 ? 90 : 240;
            frame->data[2][y * frame->linesize[2] + x] = y < 4 ? 240 : 110;
        }

    TFrameConverter conv;
    ASSERT_TRUE(FrameToBitmap(conv, frame.get()));
    ASSERT_NE(conv.Bitmap, nullptr);
    EXPECT_NE(conv.ToRGB, nullptr);
    const TBitmap24& bmp = *conv.Bitmap;
    ASSERT_EQ(bmp.Width(), 16);
    ASSERT_EQ(bmp.Height(), 16);
    for (int x = 0; x < 16; ++x) {
        const uint8_t* red = bmp.ScanLine(1) + 3 * x;
        const uint8_t* blue = bmp.ScanLine(14) + 3 * x;
        EXPECT_LT(red[0], 40);
        EXPECT_LT(red[1], 40);
        EXPECT_GT(red[2], 215);
        EXPECT_GT(blue[0], 215);
        EXPECT_LT(blue[1], 40);
        EXPECT_LT(blue[2], 40);
    }

    // Formats the scaler cannot read are refused, not fatal.
    EXPECT_FALSE(FrameToBitmap(conv, frame->data, frame->linesize, AV_PIX_FMT_NONE, 16, 16));
    EXPECT_FALSE(FrameToBitmap(conv, frame->data, frame->linesize, AV_PIX_FMT_VAAPI, 16, 16));
    EXPECT_FALSE(FrameToBitmap(conv, frame->data, frame->linesize, AV_PIX_FMT_YUV420P, 0, 16));
}

TEST(ReadWholeFileTest, SizeCountsTheTerminatingZero) {
    TTempDir dir;
    WriteBytes(dir.File("a.txt"), "hello");
    TWholeFile f = ReadWholeFile(dir.File("a.txt"));
    ASSERT_EQ(f.Result, 0);
    EXPECT_EQ(f.Size, 6);
    ASSERT_NE(f.Buffer, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.Buffer.get()), 6), std::string("hello\0", 6));

    WriteBytes(dir.File("empty.txt"), "");
    f = ReadWholeFile(dir.File("empty.txt"));
    EXPECT_EQ(f.Result, 0);
    EXPECT_EQ(f.Size, 1);

    EXPECT_EQ(ReadWholeFile(dir.File("missing.txt")).Result, -1);
    f = ReadWholeFile(dir.Path());
    EXPECT_EQ(f.Result, -1);
    EXPECT_EQ(f.Buffer, nullptr);
}

TEST(SplitFirstTest, HeadAndRestBothWays) {
    std::string text = "key=value=more";
    EXPECT_EQ(SplitFirst(text, "=", false), "key");
    EXPECT_EQ(text, "key=value=more");
    EXPECT_EQ(SplitFirst(text, "=", true), "key");
    EXPECT_EQ(text, "value=more");
    EXPECT_EQ(SplitFirst(text, "=", true), "value");
    EXPECT_EQ(SplitFirst(text, "=", true), "more");
    EXPECT_EQ(text, "");

    text = "a, b, c";
    EXPECT_EQ(SplitFirst(text, ", ", true), "a");
    EXPECT_EQ(text, "b, c");
    text = "no delimiter";
    EXPECT_EQ(SplitFirst(text, ";", false), "no delimiter");
    EXPECT_EQ(text, "no delimiter");
    EXPECT_EQ(SplitFirst(text, ";", true), "no delimiter");
    EXPECT_EQ(text, "");
    text = ";leading";
    EXPECT_EQ(SplitFirst(text, ";", true), "");
    EXPECT_EQ(text, "leading");
}

namespace {

// Sets TZ for a scope and restores the previous value.
class TTimeZoneScope {
public:
    explicit TTimeZoneScope(const char* Zone) {
        if (const char* old = std::getenv("TZ"))
            Saved_ = old;
        setenv("TZ", Zone, 1);
        tzset();
    }
    ~TTimeZoneScope() {
        if (Saved_)
            setenv("TZ", Saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TTimeZoneScope(const TTimeZoneScope&) = delete;
    TTimeZoneScope& operator=(const TTimeZoneScope&) = delete;

private:
    std::optional<std::string> Saved_;
};

} // namespace

TEST(DateTimeTest, UnixTimesRoundTripInALocalZone) {
    TTimeZoneScope zone("ZLT-05:30"); // 5.5 hours east of Greenwich, no daylight saving
    const double offset = 5.5 / 24;
    EXPECT_DOUBLE_EQ(LocalTimeOffset(), offset);
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(0), 25569.0 + offset);
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(86400), 25570.0 + offset);
    EXPECT_EQ(DateTimeToUnixTime(25569.0 + offset), 0);
    for (int64_t t : {int64_t(1), int64_t(1262304000), int64_t(1700000000), int64_t(4102444799)})
        EXPECT_EQ(DateTimeToUnixTime(UnixTimeToDateTime(t)), t) << t;
    EXPECT_EQ(FormatDateTime(UnixTimeToDateTime(0)), "1970-01-01 05:30:00");
    EXPECT_EQ(FormatDateTime(UnixTimeToDateTime(1262304000)), "2010-01-01 05:30:00");

    // Zero stands for now.
    const int64_t before = std::time(nullptr);
    const int64_t now = DateTimeToUnixTime(0);
    const int64_t after = std::time(nullptr);
    EXPECT_GE(now, before);
    EXPECT_LE(now, after + 1);
}

TEST(PathTest, PathPartsFilesAndFolders) {
    EXPECT_EQ(ExtractFilePath("/home/user/clip.avi"), "/home/user/");
    EXPECT_EQ(ExtractFileName("/home/user/clip.avi"), "clip.avi");
    EXPECT_EQ(ExtractFilePath("clip.avi"), "");
    EXPECT_EQ(ExtractFileName("clip.avi"), "clip.avi");
    EXPECT_EQ(ExtractFilePath("/home/user/"), "/home/user/");
    EXPECT_EQ(ExtractFileName("/home/user/"), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/home/user"), "/home/user/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/home/user/"), "/home/user/");

    TTempDir dir;
    WriteBytes(dir.File("clip.bin"), "12345");
    EXPECT_TRUE(FileExists(dir.File("clip.bin")));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.File("missing.bin")));
    EXPECT_EQ(GetFileSizeByName(dir.File("clip.bin")), 5);
    EXPECT_EQ(GetFileSizeByName(dir.Path()), -1);
    EXPECT_EQ(GetFileSizeByName(dir.File("missing.bin")), -1);

    const std::string cwd = GetCurrentDir();
    ASSERT_FALSE(cwd.empty());
    ASSERT_TRUE(SetCurrentDir(dir.Path()));
    EXPECT_TRUE(FileExists("clip.bin"));
    EXPECT_TRUE(SetCurrentDir(cwd));
    EXPECT_EQ(GetCurrentDir(), cwd);
    EXPECT_FALSE(SetCurrentDir(dir.File("missing")));

    const std::string longValue(3000, 'v');
    setenv("ZELTA_ENGINE_TEST_VAR", longValue.c_str(), 1);
    EXPECT_EQ(GetEnvVar("ZELTA_ENGINE_TEST_VAR"), longValue);
    unsetenv("ZELTA_ENGINE_TEST_VAR");
    EXPECT_EQ(GetEnvVar("ZELTA_ENGINE_TEST_VAR"), "");
}
