#include "engine/Tags.h"

#include "engine/FFTypes.h"
#include "engine/SafeWrite.h"
#include "engine/UnicodeProtocol.h"

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <cerrno>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/base64.h>
#include <libavutil/dict.h>
#include <libavutil/mem.h>
}

namespace zeltatags {

namespace {

struct TAlias {
    const char* Source;
    const char* Generic;
};
// Spellings demuxers leave for the generic names; the generic name itself comes first so that
// it wins when a source holds both.
constexpr TAlias Aliases[] = {
    {"title", "title"},
    {"artist", "artist"},
    {"author", "artist"},
    {"album_artist", "album_artist"},
    {"album artist", "album_artist"},
    {"albumartist", "album_artist"},
    {"album", "album"},
    {"track", "track"},
    {"tracknumber", "track"},
    {"disc", "disc"},
    {"discnumber", "disc"},
    {"date", "date"},
    {"year", "date"},
    {"genre", "genre"},
    {"comment", "comment"},
    {"description", "comment"},
    {"copyright", "copyright"},
    {"composer", "composer"},
};

void Set(AVDictionary** Dict, const std::string& Key, const std::string& Value, int Flags) {
    if (av_dict_set(Dict, Key.c_str(), Value.c_str(), Flags) < 0)
        throw FFmpegException("av_dict_set failed");
}

// Renames Key to Generic inside Dict unless Generic is already there.
void Rename(AVDictionary** Dict, const char* Key, const char* Generic) {
    const AVDictionaryEntry* e = av_dict_get(*Dict, Key, nullptr, AV_DICT_MATCH_CASE);
    if (e == nullptr)
        return;
    const std::string value = e->value;
    if (av_dict_get(*Dict, Generic, nullptr, AV_DICT_MATCH_CASE) == nullptr)
        Set(Dict, Generic, value, 0);
    if (av_dict_set(Dict, Key, nullptr, AV_DICT_MATCH_CASE) < 0) // a null value removes it
        throw FFmpegException("av_dict_set failed");
}

void PutBE32(std::string& Out, uint32_t V) {
    Out.push_back(char(V >> 24));
    Out.push_back(char(V >> 16));
    Out.push_back(char(V >> 8));
    Out.push_back(char(V));
}

uint32_t GetBE32(const unsigned char* P) {
    return uint32_t(P[0]) << 24 | uint32_t(P[1]) << 16 | uint32_t(P[2]) << 8 | uint32_t(P[3]);
}

std::string MimeOf(int CodecId) {
    switch (CodecId) {
    case AV_CODEC_ID_MJPEG: return "image/jpeg";
    case AV_CODEC_ID_PNG: return "image/png";
    case AV_CODEC_ID_BMP: return "image/bmp";
    case AV_CODEC_ID_GIF: return "image/gif";
    default: return "image/";
    }
}

bool FormatIs(const AVOutputFormat* Format, std::initializer_list<const char*> Names) {
    if (Format == nullptr)
        return false;
    for (const char* n : Names)
        if (std::strcmp(Format->name, n) == 0)
            return true;
    return false;
}

bool IsMp4Family(const std::string& Name) {
    return Name == "ipod" || Name == "mp4" || Name == "mov" || Name == "3gp" || Name == "3g2" ||
           Name == "psp";
}

// ---- exact reads and writes at an offset of the output's file ----

bool ReadAt(int Fd, uint64_t Pos, void* Buf, size_t Size) {
    auto* p = static_cast<char*>(Buf);
    while (Size > 0) {
        const ssize_t n = ::pread(Fd, p, Size, off_t(Pos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        Pos += uint64_t(n);
        Size -= size_t(n);
    }
    return true;
}

// 0 or the errno value of the failed write.
int WriteAt(int Fd, uint64_t Pos, std::string_view Data) {
    while (!Data.empty()) {
        const ssize_t n = ::pwrite(Fd, Data.data(), Data.size(), off_t(Pos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        Pos += uint64_t(n);
        Data.remove_prefix(size_t(n));
    }
    return 0;
}

// Writes Block at Pos; when that fails, puts Original back (and the file's old size), so a
// failed rewrite leaves the file as playable as before. False with Error set on failure.
bool ReplaceBlock(int Fd, uint64_t Pos, const std::string& Block, const std::string& Original,
                  uint64_t FileSize, const std::string& Name, std::string& Error) {
    const int r = WriteAt(Fd, Pos, Block);
    if (r == 0)
        return true;
    Error = "cannot write " + Name + ": " + SafeWriteErrorText(r);
    if (WriteAt(Fd, Pos, Original) != 0 || ::ftruncate(Fd, off_t(FileSize)) != 0)
        Error += " (the file could not be put back as it was)";
    return false;
}

uint64_t SizeOf(int Fd) {
    struct stat st;
    return ::fstat(Fd, &st) == 0 ? uint64_t(st.st_size) : 0;
}

// ---- MP4 item list ----

std::string Atom(const char* Type, const std::string& Body) {
    std::string out;
    PutBE32(out, uint32_t(8 + Body.size()));
    out.append(Type, 4);
    out += Body;
    return out;
}

std::string FreeformAtom(const std::string& Name, const std::string& Value) {
    std::string zero(4, '\0');
    std::string data;
    PutBE32(data, 1); // UTF-8 text
    PutBE32(data, 0); // locale
    data += Value;
    return Atom("----", Atom("mean", zero + "com.apple.iTunes") + Atom("name", zero + Name) +
                            Atom("data", data));
}

// Finds the child atom Type inside [Begin, End) of Buf; its offset or npos.
size_t FindChild(const std::string& Buf, size_t Begin, size_t End, const char* Type) {
    size_t p = Begin;
    while (p + 8 <= End) {
        const uint32_t size = GetBE32(reinterpret_cast<const unsigned char*>(Buf.data() + p));
        if (size < 8 || p + size > End)
            return std::string::npos;
        if (std::memcmp(Buf.data() + p + 4, Type, 4) == 0)
            return p;
        p += size;
    }
    return std::string::npos;
}

void Grow(std::string& Buf, size_t At, size_t By) {
    const uint32_t size = GetBE32(reinterpret_cast<const unsigned char*>(Buf.data() + At));
    std::string v;
    PutBE32(v, uint32_t(size + By));
    Buf.replace(At, 4, v);
}

bool AddMp4Freeform(int Fd, const std::string& FileName, const TTagList& Tags, std::string& Error) {
    const uint64_t fileSize = SizeOf(Fd);
    // The movie box must be the file's last box: growing it then moves no sample data.
    uint64_t pos = 0, moovAt = UINT64_MAX, moovSize = 0;
    while (pos + 8 <= fileSize) {
        unsigned char h[16];
        if (!ReadAt(Fd, pos, h, 8))
            break;
        uint64_t size = GetBE32(h);
        if (size == 1) {
            if (!ReadAt(Fd, pos + 8, h + 8, 8))
                break;
            size = uint64_t(GetBE32(h + 8)) << 32 | GetBE32(h + 12);
        } else if (size == 0) {
            size = fileSize - pos;
        }
        if (size < 8)
            break;
        if (std::memcmp(h + 4, "moov", 4) == 0) {
            moovAt = pos;
            moovSize = size;
        }
        pos += size;
    }
    if (moovAt == UINT64_MAX || moovAt + moovSize != fileSize || moovSize > (64u << 20)) {
        Error = "the movie box is not at the end of " + FileName;
        return false;
    }
    std::string moov(size_t(moovSize), '\0');
    if (!ReadAt(Fd, moovAt, moov.data(), moov.size())) {
        Error = "cannot read " + FileName;
        return false;
    }
    const std::string original = moov;
    const size_t udta = FindChild(moov, 8, moov.size(), "udta");
    const size_t udtaEnd = udta == std::string::npos
                               ? 0
                               : udta + GetBE32(reinterpret_cast<const unsigned char*>(&moov[udta]));
    const size_t meta = udta == std::string::npos ? udta : FindChild(moov, udta + 8, udtaEnd, "meta");
    const size_t metaEnd = meta == std::string::npos
                               ? 0
                               : meta + GetBE32(reinterpret_cast<const unsigned char*>(&moov[meta]));
    // The metadata box carries a version and flags word before its children.
    const size_t ilst = meta == std::string::npos ? meta : FindChild(moov, meta + 12, metaEnd, "ilst");
    if (ilst == std::string::npos) {
        Error = "no item list in " + FileName;
        return false;
    }
    std::string items;
    for (const auto& [name, value] : Tags)
        items += FreeformAtom(name, value);
    const size_t ilstEnd = ilst + GetBE32(reinterpret_cast<const unsigned char*>(&moov[ilst]));
    moov.insert(ilstEnd, items);
    for (size_t at : {size_t(0), udta, meta, ilst})
        Grow(moov, at, items.size());
    return ReplaceBlock(Fd, moovAt, moov, original, fileSize, FileName, Error);
}

// ---- tags written into room the muxer left ----

enum class TInPlace { Done, NoRoom, Failed };

void PutLE32(std::string& Out, uint32_t V) {
    Out.push_back(char(V));
    Out.push_back(char(V >> 8));
    Out.push_back(char(V >> 16));
    Out.push_back(char(V >> 24));
}

uint32_t GetLE32(const unsigned char* P) {
    return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}

// FLAC: the comment block grows into the padding block right after it (the muxer leaves 8 KiB).
TInPlace AddFlacComments(int Fd, const std::string& FileName, const TTagList& Tags,
                         std::string& Error) {
    unsigned char h[4];
    if (!ReadAt(Fd, 0, h, 4) || std::memcmp(h, "fLaC", 4) != 0)
        return TInPlace::NoRoom;
    uint64_t pos = 4, comment = 0, commentSize = 0;
    for (;;) {
        if (!ReadAt(Fd, pos, h, 4))
            return TInPlace::NoRoom;
        const uint32_t size = uint32_t(h[1]) << 16 | uint32_t(h[2]) << 8 | h[3];
        const int type = h[0] & 0x7F;
        const bool last = (h[0] & 0x80) != 0;
        if (type == 4) {
            comment = pos;
            commentSize = size;
        } else if (type == 1 && comment != 0 && comment + 4 + commentSize == pos) {
            std::string added;
            for (const auto& [name, value] : Tags) {
                PutLE32(added, uint32_t(name.size() + 1 + value.size()));
                added += name + "=" + value;
            }
            if (added.size() > size)
                return TInPlace::NoRoom;
            std::string body(size_t(commentSize), '\0');
            if (!ReadAt(Fd, comment + 4, body.data(), body.size()) || body.size() < 8)
                return TInPlace::NoRoom;
            // The two blocks as they are, to put back should the write fail.
            std::string original(size_t(4 + commentSize + 4 + size), '\0');
            if (!ReadAt(Fd, comment, original.data(), original.size()))
                return TInPlace::NoRoom;
            const uint32_t vendor = GetLE32(reinterpret_cast<const unsigned char*>(body.data()));
            if (uint64_t(vendor) + 8 > body.size())
                return TInPlace::NoRoom;
            auto* countAt = reinterpret_cast<unsigned char*>(body.data() + 4 + vendor);
            std::string count;
            PutLE32(count, GetLE32(countAt) + uint32_t(Tags.size()));
            body.replace(4 + vendor, 4, count);
            body += added;
            const uint32_t padding = size - uint32_t(added.size());
            std::string block;
            block.push_back(char(4));
            block.push_back(char(body.size() >> 16));
            block.push_back(char(body.size() >> 8));
            block.push_back(char(body.size()));
            block += body;
            block.push_back(char(1 | (last ? 0x80 : 0)));
            block.push_back(char(padding >> 16));
            block.push_back(char(padding >> 8));
            block.push_back(char(padding));
            block.append(padding, '\0');
            return ReplaceBlock(Fd, comment, block, original, SizeOf(Fd), FileName, Error)
                       ? TInPlace::Done
                       : TInPlace::Failed;
        }
        if (last)
            return TInPlace::NoRoom;
        pos += 4 + size;
    }
}

uint32_t SyncSafe(const unsigned char* P) {
    return uint32_t(P[0] & 0x7F) << 21 | uint32_t(P[1] & 0x7F) << 14 | uint32_t(P[2] & 0x7F) << 7 |
           uint32_t(P[3] & 0x7F);
}

// MP3: TXXX frames go into the padding of an ID3v2.4 tag (asked for when the file was made).
TInPlace AddId3Frames(int Fd, const std::string& FileName, const TTagList& Tags,
                      std::string& Error) {
    unsigned char h[10];
    if (!ReadAt(Fd, 0, h, 10) || std::memcmp(h, "ID3", 3) != 0 || h[3] != 4 || h[5] != 0)
        return TInPlace::NoRoom;
    const uint64_t end = 10 + uint64_t(SyncSafe(h + 6));
    uint64_t pos = 10;
    while (pos + 10 <= end) {
        if (!ReadAt(Fd, pos, h, 10))
            return TInPlace::NoRoom;
        if (h[0] == 0)
            break;
        pos += 10 + uint64_t(SyncSafe(h + 4));
    }
    std::string frames;
    for (const auto& [name, value] : Tags) {
        const std::string body = std::string(1, '\x03') + name + std::string(1, '\0') + value;
        const uint32_t n = uint32_t(body.size());
        frames += "TXXX";
        for (int shift : {21, 14, 7, 0})
            frames.push_back(char((n >> shift) & 0x7F));
        frames.append(2, '\0');
        frames += body;
    }
    if (pos > end || end - pos < frames.size())
        return TInPlace::NoRoom;
    // The padding holds zero bytes only: that is what goes back should the write fail.
    const std::string original(frames.size(), '\0');
    return ReplaceBlock(Fd, pos, frames, original, SizeOf(Fd), FileName, Error) ? TInPlace::Done
                                                                              : TInPlace::Failed;
}

// ---- remux ----

// An input read from an open descriptor of ours; closed with its file.
struct TFdInput {
    AVFormatContext* Context = nullptr;
    AVIOContext* File = nullptr;
    ~TFdInput() {
        avformat_close_input(&Context);
        UnicodeIOClose(&File);
    }
};
struct TOutDeleter {
    void operator()(AVFormatContext* c) const {
        UnicodeIOClose(&c->pb);
        avformat_free_context(c);
    }
};
struct TPacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

// A context over a second descriptor of Fd (the same file), from its start.
int OpenCopyOf(int Fd, AVIOContext** Context, int Flags) {
    const int copy = ::fcntl(Fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return AVERROR(errno);
    if (::lseek(copy, 0, SEEK_SET) < 0) {
        const int error = errno;
        ::close(copy);
        return AVERROR(error);
    }
    return UnicodeIOOpenFd(Context, copy, Flags);
}

// The packets of File's temporary copied into a new temporary for the same name, with Tags;
// that one then takes the old one's place in File.
bool Remux(TSafeFile& File, const std::string& FormatName, const TTagList& Tags,
           std::string& Error) {
    const std::string& FileName = File.Planned();
    auto fail = [&](const std::string& Step, int Code) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(Code, text, sizeof text);
        Error = Step + ": " + text;
        return false;
    };
    TFdInput in;
    int r = OpenCopyOf(File.Fd(), &in.File, AVIO_FLAG_READ);
    if (r < 0)
        return fail("cannot open " + FileName, r);
    in.Context = avformat_alloc_context();
    if (in.Context == nullptr)
        return fail("cannot open " + FileName, AVERROR(ENOMEM));
    in.Context->pb = in.File;
    in.Context->flags |= AVFMT_FLAG_CUSTOM_IO;
    // The name only helps to recognise the format.
    r = avformat_open_input(&in.Context, FileName.c_str(), nullptr, nullptr);
    if (r < 0)
        return fail("cannot open " + FileName, r);
    AVFormatContext* ic = in.Context;
    // The file was just written by the libraries: its headers normally describe every stream,
    // and the analysis (which decodes) is needed only when one lacks its parameters.
    bool complete = true;
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVCodecParameters* par = ic->streams[i]->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_AUDIO &&
            (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0))
            complete = false;
    }
    if (!complete && (r = avformat_find_stream_info(ic, nullptr)) < 0)
        return fail("cannot read " + FileName, r);

    TSafeFile next;
    if (const int e = next.Create(FileName); e != 0) {
        Error = "cannot write " + FileName + ": " + SafeWriteErrorText(e);
        return false;
    }
    const std::string temp = FileNameToURL(next.TemporaryPath());
    AVFormatContext* rawOut = nullptr;
    if ((r = avformat_alloc_output_context2(&rawOut, nullptr, FormatName.c_str(), temp.c_str())) < 0)
        return fail("cannot make a " + FormatName + " file", r);
    std::unique_ptr<AVFormatContext, TOutDeleter> oc(rawOut);
    InstallUnicodeIO(oc.get());
    const bool coverAsComment = StoresCoverComment(oc->oformat);
    std::vector<int> map(ic->nb_streams, -1);
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVStream* in = ic->streams[i];
        if ((in->disposition & AV_DISPOSITION_ATTACHED_PIC) && coverAsComment) {
            const std::string block = PictureBlockComment(in);
            if (!block.empty())
                Set(&oc->metadata, "METADATA_BLOCK_PICTURE", block, 0);
            continue;
        }
        AVStream* out = avformat_new_stream(oc.get(), nullptr);
        if (out == nullptr || avcodec_parameters_copy(out->codecpar, in->codecpar) < 0)
            return fail("cannot copy a stream", AVERROR(ENOMEM));
        out->codecpar->codec_tag = 0;
        out->time_base = in->time_base;
        out->disposition = in->disposition;
        if (av_dict_copy(&out->metadata, in->metadata, 0) < 0)
            return fail("cannot copy tags", AVERROR(ENOMEM));
        map[i] = out->index;
    }
    if (av_dict_copy(&oc->metadata, ic->metadata, AV_DICT_DONT_OVERWRITE) < 0)
        return fail("cannot copy tags", AVERROR(ENOMEM));
    // The Ogg demuxer reports the encoder's vendor text as a tag; the muxer writes its own.
    for (const auto& [name, value] : Tags)
        Set(&oc->metadata, name, value, 0);

    if ((r = OpenCopyOf(next.Fd(), &oc->pb, AVIO_FLAG_WRITE)) < 0)
        return fail("cannot write " + FileName, r);
    // From here on a failure removes the new temporary with `next`.
    if ((r = avformat_write_header(oc.get(), nullptr)) < 0)
        return fail("cannot write the header of " + FileName, r);
    std::unique_ptr<AVPacket, TPacketFree> pkt(av_packet_alloc());
    if (!pkt)
        return fail("out of memory", AVERROR(ENOMEM));
    while ((r = av_read_frame(ic, pkt.get())) >= 0) {
        const int to = pkt->stream_index < int(map.size()) ? map[size_t(pkt->stream_index)] : -1;
        if (to < 0) {
            av_packet_unref(pkt.get());
            continue;
        }
        av_packet_rescale_ts(pkt.get(), ic->streams[pkt->stream_index]->time_base,
                             oc->streams[to]->time_base);
        pkt->stream_index = to;
        pkt->pos = -1;
        if ((r = av_interleaved_write_frame(oc.get(), pkt.get())) < 0)
            return fail("cannot write " + FileName, r);
    }
    if (r != AVERROR_EOF)
        return fail("cannot read " + FileName, r);
    if ((r = av_write_trailer(oc.get())) < 0)
        return fail("cannot finish " + FileName, r);
    avio_flush(oc->pb);
    if ((r = oc->pb->error) < 0)
        return fail("cannot write " + FileName, r);
    File = std::move(next); // the old temporary goes
    return true;
}

} // namespace

const std::vector<std::string>& CarriedTagNames() {
    static const std::vector<std::string> names = {
        "title", "artist",  "album_artist", "album",     "track",   "disc",
        "date",  "genre",   "comment",      "copyright", "composer"};
    return names;
}

TTagList SourceTags(const AVDictionary* Source) {
    TTagList tags;
    for (const std::string& generic : CarriedTagNames())
        for (const TAlias& a : Aliases) {
            if (generic != a.Generic)
                continue;
            const AVDictionaryEntry* e = av_dict_get(Source, a.Source, nullptr, 0);
            if (e != nullptr && e->value != nullptr && *e->value != '\0') {
                tags.emplace_back(generic, e->value);
                break;
            }
        }
    return tags;
}

void CarryTags(AVDictionary** Output, const AVDictionary* Source) {
    Rename(Output, "author", "artist");
    Rename(Output, "year", "date");
    for (const auto& [name, value] : SourceTags(Source))
        Set(Output, name, value, AV_DICT_DONT_OVERWRITE);
}

const AVStream* FindCover(const AVFormatContext* Source) {
    if (Source == nullptr)
        return nullptr;
    for (unsigned i = 0; i < Source->nb_streams; ++i) {
        const AVStream* st = Source->streams[i];
        if ((st->disposition & AV_DISPOSITION_ATTACHED_PIC) && st->attached_pic.size > 0)
            return st;
    }
    return nullptr;
}

bool StoresCoverStream(const AVOutputFormat* Format) {
    return FormatIs(Format, {"mp3", "ipod", "mp4", "mov", "flac"});
}

bool StoresCoverComment(const AVOutputFormat* Format) {
    return FormatIs(Format, {"ogg", "opus", "oga"});
}

std::string PictureBlockComment(const AVStream* Cover) {
    if (Cover == nullptr || Cover->attached_pic.size <= 0)
        return {};
    const std::string mime = MimeOf(Cover->codecpar->codec_id);
    std::string block;
    PutBE32(block, 3); // front cover
    PutBE32(block, uint32_t(mime.size()));
    block += mime;
    PutBE32(block, 0); // no description
    PutBE32(block, uint32_t(std::max(0, Cover->codecpar->width)));
    PutBE32(block, uint32_t(std::max(0, Cover->codecpar->height)));
    PutBE32(block, 24);
    PutBE32(block, 0);
    PutBE32(block, uint32_t(Cover->attached_pic.size));
    block.append(reinterpret_cast<const char*>(Cover->attached_pic.data),
                 size_t(Cover->attached_pic.size));
    std::string text(size_t(AV_BASE64_SIZE(block.size())), '\0');
    if (av_base64_encode(text.data(), int(text.size()),
                         reinterpret_cast<const uint8_t*>(block.data()), int(block.size())) == nullptr)
        return {};
    text.resize(std::strlen(text.c_str()));
    return text;
}

AVStream* AddCoverStream(AVFormatContext* Output, const AVStream* Cover) {
    AVStream* st = avformat_new_stream(Output, nullptr);
    if (st == nullptr)
        return nullptr;
    if (avcodec_parameters_copy(st->codecpar, Cover->codecpar) < 0)
        return nullptr;
    st->codecpar->codec_tag = 0;
    st->disposition = AV_DISPOSITION_ATTACHED_PIC;
    st->time_base = Cover->time_base.num > 0 ? Cover->time_base : AVRational{1, 90000};
    // The picture kind the ID3 muxer writes; the others take every picture as the front cover.
    if (av_dict_set(&st->metadata, "comment", "Cover (front)", 0) < 0)
        return nullptr;
    return st;
}

int WriteCover(AVFormatContext* Output, AVStream* Stream, const AVStream* Cover) {
    std::unique_ptr<AVPacket, TPacketFree> pkt(av_packet_alloc());
    if (!pkt)
        return AVERROR(ENOMEM);
    int r = av_packet_ref(pkt.get(), &Cover->attached_pic);
    if (r < 0)
        return r;
    pkt->stream_index = Stream->index;
    pkt->pts = pkt->dts = 0;
    pkt->duration = 0;
    pkt->pos = -1;
    pkt->flags |= AV_PKT_FLAG_KEY;
    return av_write_frame(Output, pkt.get());
}

bool HoldsFreeTags(const std::string& FormatName) {
    return !(FormatName == "wav" || FormatName == "ac3" || FormatName == "adts" ||
             FormatName == "eac3");
}

bool RewriteWithTags(TSafeFile& File, const std::string& FormatName, const TTagList& Tags,
                     std::string& Error) {
    if (!File.HoldsTemporary()) {
        Error = "cannot write " + File.Planned() + ": " + SafeWriteErrorText(EBADF);
        return false;
    }
    if (IsMp4Family(FormatName))
        return AddMp4Freeform(File.Fd(), File.Planned(), Tags, Error);
    // Where the muxer left room the tags are written in place; otherwise the file is remuxed.
    TInPlace r = TInPlace::NoRoom;
    if (FormatName == "flac")
        r = AddFlacComments(File.Fd(), File.Planned(), Tags, Error);
    else if (FormatName == "mp3")
        r = AddId3Frames(File.Fd(), File.Planned(), Tags, Error);
    if (r != TInPlace::NoRoom)
        return r == TInPlace::Done;
    return Remux(File, FormatName, Tags, Error);
}

} // namespace zeltatags
