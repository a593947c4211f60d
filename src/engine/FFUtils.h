// Small utilities shared by the engine, the probe and the player: media-time and file-size
// texts, library error texts, stream kind names, codec descriptions, the frame-to-bitmap
// converter, whole-file reading, text splitting, date-time conversions and path helpers.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}

struct AVCodecParameters;
struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct AVFrame;
struct SwsContext;

// "HH:MM:SS.mmm" (hours not wrapped), "N/A" for NoMediaTime.
std::string FormatMediaTime(int64_t Microseconds);
// "%d Byte", "%.2f KB", "%.2f MB", "%.2f GB".
std::string FormatFileSize(int64_t Bytes);
// Name + ": " + the text of a library error code.
std::string ErrorText(const std::string& Name, int Code);
// "Video", "Audio", "Data", "Subtitle", "Attachment" or "Unknown".
std::string StreamKindName(int MediaType);

// The codec of a stream as "name(long name)", falling back to the codec tag.
std::string CodecDescription(const AVCodecParameters* Par, bool Encoder);
std::string CodecDescription(const AVCodecContext* Ctx, bool Encoder);

// Value of the first tag whose key is exactly Key, else Default.
std::string MetadataValue(const AVDictionary* Metadata, const std::string& Key,
                          const std::string& Default = {});

// Marks every video stream of an opened input but its cover pictures AVDISCARD_ALL, before
// avformat_find_stream_info, for a use that takes nothing from the video: the pass then
// decodes none of its pictures (H.264 alone takes seven at full size, on one thread) and the
// demuxers skip its packets. What the container's header states stays (codec, frame rate,
// rotation, mostly the size); what the pass learns from the pictures is left unknown (the pixel
// format and aspect, the decoder delay, for some codecs the size). The start
// time and duration of the file and its other streams come out as with the full pass for the
// common containers. Covers are one picture each and go with the tags, so they keep theirs.
void DiscardVideoStreams(AVFormatContext* Context);

// The engine's 24-bit raster: BGR byte order, top row first, rows padded to 4 bytes, as a
// 24-bit bitmap. Canvas() guards the pixels while another thread may draw or read them.
class TBitmap24 {
public:
    void SetSize(int Width, int Height);
    int Width() const { return Width_; }
    int Height() const { return Height_; }
    int ScanlineSize() const { return (Width_ * 3 + 3) & ~3; }
    uint8_t* ScanLine(int Row) { return Pixels_.data() + size_t(Row) * ScanlineSize(); }
    const uint8_t* ScanLine(int Row) const { return Pixels_.data() + size_t(Row) * ScanlineSize(); }
    uint8_t* Bits() { return Pixels_.data(); }
    const uint8_t* Bits() const { return Pixels_.data(); }
    std::mutex& Canvas() { return Canvas_; }

private:
    int Width_ = 0;
    int Height_ = 0;
    std::vector<uint8_t> Pixels_;
    std::mutex Canvas_;
};

struct TSwsContextDeleter {
    void operator()(SwsContext* c) const;
};
using TSwsContextPtr = std::unique_ptr<SwsContext, TSwsContextDeleter>;

struct TAVFreeDeleter {
    void operator()(void* p) const;
};

// Converts decoded pictures to a TBitmap24 and back. One per use site; not shared between
// threads.
struct TFrameConverter {
    std::unique_ptr<TBitmap24> Bitmap;
    AVPixelFormat RGBFormat = AV_PIX_FMT_BGR24;
    int BitmapBits = 24;
    std::unique_ptr<uint8_t, TAVFreeDeleter> RGBBuffer;
    int RGBBufferSize = 0;
    uint8_t* RGBData[4] = {};
    int RGBLinesize[4] = {};
    const uint8_t* const* LastPicture = nullptr; // the planes last converted
    TSwsContextPtr ToRGB;
    TSwsContextPtr FromRGB;
};

// True when the scaler can read and write the bitmap's rows in place (16-byte aligned rows).
bool BitmapScalable(const TBitmap24& Bitmap);

// Puts the picture (planes and line sizes as in AVFrame) into Converter.Bitmap, converting to
// BGR24 with a cached bicubic scaler unless the picture already has the bitmap's layout.
// False when no scaler exists for the format.
bool FrameToBitmap(TFrameConverter& Converter, const uint8_t* const Data[], const int Linesize[],
                   AVPixelFormat PixFmt, int Height, int Width);
bool FrameToBitmap(TFrameConverter& Converter, const AVFrame* Picture);
void ResetConverter(TFrameConverter& Converter);

// The whole file plus a terminating zero, read with the libraries' allocator. Result 0 on
// success, -1 when the file cannot be opened or read, -12 when memory runs out; Size counts the
// terminating zero.
struct TWholeFile {
    int Result = -1;
    std::unique_ptr<uint8_t, TAVFreeDeleter> Buffer;
    int64_t Size = 0;
};
TWholeFile ReadWholeFile(const std::string& Name);

// The part of Text before the first Delimiter (all of Text when absent); with Remove, Text keeps
// only what follows the delimiter (nothing when absent).
std::string SplitFirst(std::string& Text, const std::string& Delimiter, bool Remove);

// Date-times are days since 1899-12-30 with the time of day as the fraction, in local time.
using TDateTime = double;
inline constexpr double UnixDateDelta = 25569.0;
// Local offset from UTC in days (positive east of Greenwich).
double LocalTimeOffset();
TDateTime UnixTimeToDateTime(int64_t Seconds);
// 0 means "now".
int64_t DateTimeToUnixTime(TDateTime DateTime);
TDateTime NowDateTime();
// "yyyy-mm-dd hh:nn:ss".
std::string FormatDateTime(TDateTime DateTime);

// Path helpers. Paths use "/"; the directory part ends at the last "/" (inclusive).
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExtractFilePath(const std::string& Name);
std::string ExtractFileName(const std::string& Name);
bool FileExists(const std::string& Name); // a regular file, not a folder
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& Dir);
std::string GetEnvVar(const std::string& Name);
int64_t GetFileSizeByName(const std::string& Name); // -1 for missing files and folders
