#include "engine/FFUtils.h"

#include "engine/FFTypes.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

void TSwsContextDeleter::operator()(SwsContext* c) const { sws_freeContext(c); }
void TAVFreeDeleter::operator()(void* p) const { av_free(p); }

std::string FormatMediaTime(int64_t Microseconds) {
    if (Microseconds == NoMediaTime)
        return "N/A";
    const int64_t s = Microseconds / 1000000;
    const int64_t ms = ((Microseconds % 1000000) * 1000) / 1000000;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2lld:%.2lld:%.2lld.%.3lld", (long long)(s / 60 / 60),
                  (long long)((s / 60) % 60), (long long)(s % 60), (long long)ms);
    return buf;
}

std::string FormatFileSize(int64_t Bytes) {
    char buf[64];
    if (Bytes <= 1024)
        std::snprintf(buf, sizeof buf, "%lld Byte", (long long)Bytes);
    else if (Bytes <= 1048576)
        std::snprintf(buf, sizeof buf, "%.2f KB", double(Bytes) / 1024);
    else if (Bytes <= 1073741824)
        std::snprintf(buf, sizeof buf, "%.2f MB", double(Bytes) / 1048576);
    else
        std::snprintf(buf, sizeof buf, "%.2f GB", double(Bytes) / 1073741824);
    return buf;
}

namespace {

struct TErrorEntry {
    int Code;
    const char* Text;
};

// The designed codes first, then the current libraries' codes with the same meaning.
const TErrorEntry ErrorTable[] = {
    {-1163346256, "Not yet implemented in FFmpeg"},
    {-10043, "Unsupported network protocol"},
    {-42, "Unknown format"},
    {-33, "Number syntax expected in filename"},
    {-32, "End of file"},
    {-22, "Invalid data found when processing input"},
    {-12, "Not enough memory"},
    {-5, "I/O error"},
    {-2, "No such file or directory"},
    {AVERROR_PROTOCOL_NOT_FOUND, "Unsupported network protocol"},
    {AVERROR(ENOPROTOOPT), "Unsupported network protocol"},
    {AVERROR(EILSEQ), "Unknown format"},
    {AVERROR_DEMUXER_NOT_FOUND, "Unknown format"},
    {AVERROR_EOF, "End of file"},
    {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
};

} // namespace

std::string ErrorText(const std::string& Name, int Code) {
    for (const TErrorEntry& e : ErrorTable)
        if (e.Code == Code)
            return Name + ": " + e.Text;
    // Any other failure in the system's own words ("Permission denied", "No space left on
    // device"); only a code without any text is shown as a number.
    char text[AV_ERROR_MAX_STRING_SIZE * 2] = {};
    if (Code < 0 && av_strerror(Code, text, sizeof text) == 0 && text[0] != '\0')
        return Name + ": " + text;
    return Name + ": Error number " + std::to_string(Code) + " occurred";
}

std::string StreamKindName(int MediaType) {
    static const char* const Names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment"};
    if (MediaType >= 0 && MediaType < 5)
        return Names[MediaType];
    return "Unknown";
}

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::string DescribeCodec(AVCodecID Id, uint32_t Tag, bool Encoder) {
    const AVCodec* codec = Encoder ? avcodec_find_encoder(Id) : avcodec_find_decoder(Id);
    char buf[512];
    if (codec != nullptr) {
        const std::string longName = codec->long_name ? Trim(codec->long_name) : std::string();
        if (longName.empty())
            return codec->name;
        std::snprintf(buf, sizeof buf, "%s(%s)", codec->name, codec->long_name);
        return buf;
    }
    if (Id == AV_CODEC_ID_MPEG2TS)
        return "mpeg2ts";
    if (Id != AV_CODEC_ID_NONE) {
        const AVCodecDescriptor* d = avcodec_descriptor_get(Id);
        if (d != nullptr && d->name != nullptr && !Trim(d->name).empty())
            return Trim(d->name);
    }
    const unsigned char c[4] = {uint8_t(Tag & 0xFF), uint8_t((Tag >> 8) & 0xFF),
                                uint8_t((Tag >> 16) & 0xFF), uint8_t((Tag >> 24) & 0xFF)};
    bool printable = true;
    for (unsigned char ch : c)
        printable = printable && ch >= 32 && ch <= 126;
    if (printable)
        std::snprintf(buf, sizeof buf, "%c%c%c%c / 0x%04X", c[0], c[1], c[2], c[3], Tag);
    else
        std::snprintf(buf, sizeof buf, "0x%04x", Tag);
    return buf;
}

} // namespace

std::string CodecDescription(const AVCodecParameters* Par, bool Encoder) {
    return DescribeCodec(Par->codec_id, Par->codec_tag, Encoder);
}

std::string CodecDescription(const AVCodecContext* Ctx, bool Encoder) {
    return DescribeCodec(Ctx->codec_id, Ctx->codec_tag, Encoder);
}

std::string MetadataValue(const AVDictionary* Metadata, const std::string& Key,
                          const std::string& Default) {
    const AVDictionaryEntry* e = av_dict_get(Metadata, Key.c_str(), nullptr, AV_DICT_MATCH_CASE);
    return e != nullptr && e->value != nullptr ? e->value : Default;
}

void DiscardVideoStreams(AVFormatContext* Context) {
    if (Context == nullptr)
        return;
    for (unsigned i = 0; i < Context->nb_streams; ++i) {
        AVStream* st = Context->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            st->discard = AVDISCARD_ALL;
    }
}

void TBitmap24::SetSize(int Width, int Height) {
    Width_ = Width > 0 ? Width : 0;
    Height_ = Height > 0 ? Height : 0;
    Pixels_.assign(size_t(ScanlineSize()) * size_t(Height_), 0);
}

bool BitmapScalable(const TBitmap24& Bitmap) {
    // The scaler works on unaligned rows too, but slowly and with a warning.
    return Bitmap.ScanlineSize() % 16 == 0 &&
           reinterpret_cast<uintptr_t>(Bitmap.Bits()) % 16 == 0;
}

bool FrameToBitmap(TFrameConverter& Converter, const uint8_t* const Data[], const int Linesize[],
                   AVPixelFormat PixFmt, int Height, int Width) {
    if (Width <= 0 || Height <= 0 || Data == nullptr || Data[0] == nullptr)
        return false;
    if (!Converter.Bitmap)
        Converter.Bitmap = std::make_unique<TBitmap24>();
    TBitmap24& bmp = *Converter.Bitmap;
    {
        // Resizing reallocates the pixels another thread may be reading under the canvas lock.
        std::lock_guard g(bmp.Canvas());
        if (bmp.Width() != Width || bmp.Height() != Height)
            bmp.SetSize(Width, Height);
    }

    const bool direct = PixFmt == Converter.RGBFormat && Width % 2 == 0 && Height % 2 == 0 &&
                        Linesize[0] == bmp.ScanlineSize();
    // The scaler aborts the process on formats it does not know instead of failing.
    if (!direct && !sws_isSupportedInput(PixFmt))
        return false;
    const uint8_t* const* planes = Data;
    const int* lines = Linesize;
    if (!direct && BitmapScalable(bmp)) {
        // Straight into the bitmap: a 720p picture is 2.7 MB that need not be copied twice.
        SwsContext* sws = sws_getCachedContext(Converter.ToRGB.release(), Width, Height, PixFmt,
                                               Width, Height, Converter.RGBFormat, SWS_BICUBIC,
                                               nullptr, nullptr, nullptr);
        Converter.ToRGB.reset(sws);
        if (sws == nullptr)
            return false;
        uint8_t* dst[4] = {bmp.Bits(), nullptr, nullptr, nullptr};
        const int dstLines[4] = {bmp.ScanlineSize(), 0, 0, 0};
        std::lock_guard g(bmp.Canvas());
        if (sws_scale(sws, Data, Linesize, 0, Height, dst, dstLines) <= 0)
            return false;
        Converter.LastPicture = Data;
        return true;
    }
    if (!direct) {
        const int needed = av_image_get_buffer_size(Converter.RGBFormat, Width, Height, 4);
        if (needed < 0)
            return false;
        if (Converter.RGBBufferSize < needed) {
            Converter.RGBBuffer.reset(static_cast<uint8_t*>(av_malloc(size_t(needed))));
            if (!Converter.RGBBuffer) {
                Converter.RGBBufferSize = 0;
                return false;
            }
            Converter.RGBBufferSize = needed;
        }
        if (av_image_fill_arrays(Converter.RGBData, Converter.RGBLinesize, Converter.RGBBuffer.get(),
                                 Converter.RGBFormat, Width, Height, 4) < 0)
            return false;
        SwsContext* sws = sws_getCachedContext(Converter.ToRGB.release(), Width, Height, PixFmt,
                                               Width, Height, Converter.RGBFormat, SWS_BICUBIC,
                                               nullptr, nullptr, nullptr);
        Converter.ToRGB.reset(sws);
        if (sws == nullptr)
            return false;
        if (sws_scale(sws, Data, Linesize, 0, Height, Converter.RGBData, Converter.RGBLinesize) <= 0)
            return false;
        planes = Converter.RGBData;
        lines = Converter.RGBLinesize;
    }
    Converter.LastPicture = Data;
    const size_t rowBytes = size_t(Width) * 3;
    std::lock_guard g(bmp.Canvas());
    for (int y = 0; y < Height; ++y)
        std::copy_n(planes[0] + size_t(y) * size_t(lines[0]), rowBytes, bmp.ScanLine(y));
    return true;
}

bool FrameToBitmap(TFrameConverter& Converter, const AVFrame* Picture) {
    return FrameToBitmap(Converter, Picture->data, Picture->linesize,
                         AVPixelFormat(Picture->format), Picture->height, Picture->width);
}

void ResetConverter(TFrameConverter& Converter) {
    Converter.Bitmap.reset();
    Converter.RGBBuffer.reset();
    Converter.RGBBufferSize = 0;
    Converter.ToRGB.reset();
    Converter.FromRGB.reset();
    Converter.RGBFormat = AV_PIX_FMT_BGR24;
    Converter.BitmapBits = 24;
    for (int i = 0; i < 4; ++i) {
        Converter.RGBData[i] = nullptr;
        Converter.RGBLinesize[i] = 0;
    }
    Converter.LastPicture = nullptr;
}

TWholeFile ReadWholeFile(const std::string& Name) {
    TWholeFile r;
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(Name.c_str(), "rb"), std::fclose);
    if (!f)
        return r;
    struct stat st;
    if (fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode))
        return r;
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        return r;
    const long size = std::ftell(f.get());
    if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return r;
    r.Buffer.reset(static_cast<uint8_t*>(av_malloc(size_t(size) + 1)));
    if (!r.Buffer) {
        r.Result = -12;
        return r;
    }
    if (std::fread(r.Buffer.get(), 1, size_t(size), f.get()) != size_t(size)) {
        r.Buffer.reset();
        return r;
    }
    r.Buffer.get()[size] = 0;
    r.Size = int64_t(size) + 1;
    r.Result = 0;
    return r;
}

std::string SplitFirst(std::string& Text, const std::string& Delimiter, bool Remove) {
    const size_t p = Delimiter.empty() ? std::string::npos : Text.find(Delimiter);
    if (p == std::string::npos) {
        std::string head = Text;
        if (Remove)
            Text.clear();
        return head;
    }
    std::string head = Text.substr(0, p);
    if (Remove)
        Text.erase(0, p + Delimiter.size());
    return head;
}

double LocalTimeOffset() {
    const time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    return double(local.tm_gmtoff) / 86400.0;
}

TDateTime UnixTimeToDateTime(int64_t Seconds) {
    return LocalTimeOffset() + double(Seconds) / 86400.0 + UnixDateDelta;
}

TDateTime NowDateTime() {
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    const double ms = std::floor(double(ts.tv_nsec) / 1e6);
    return UnixTimeToDateTime(int64_t(ts.tv_sec)) + ms / 86400000.0;
}

int64_t DateTimeToUnixTime(TDateTime DateTime) {
    if (DateTime == 0)
        DateTime = NowDateTime();
    return int64_t(std::llround((DateTime - UnixDateDelta - LocalTimeOffset()) * 86400.0));
}

std::string FormatDateTime(TDateTime DateTime) {
    // Back to a UTC instant, then shown in local time.
    const double secs = (DateTime - UnixDateDelta - LocalTimeOffset()) * 86400.0;
    const time_t t = time_t(std::llround(secs));
    struct tm local;
    localtime_r(&t, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    return buf;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
    if (!Path.empty() && Path.back() == '/')
        return Path;
    return Path + "/";
}

std::string ExtractFilePath(const std::string& Name) {
    const size_t p = Name.rfind('/');
    return p == std::string::npos ? std::string() : Name.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& Name) {
    const size_t p = Name.rfind('/');
    return p == std::string::npos ? Name : Name.substr(p + 1);
}

bool FileExists(const std::string& Name) {
    struct stat st;
    return ::stat(Name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string GetCurrentDir() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

bool SetCurrentDir(const std::string& Dir) { return ::chdir(Dir.c_str()) == 0; }

std::string GetEnvVar(const std::string& Name) {
    const char* v = std::getenv(Name.c_str());
    return v != nullptr ? v : "";
}

int64_t GetFileSizeByName(const std::string& Name) {
    struct stat st;
    if (::stat(Name.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int64_t(st.st_size);
}
