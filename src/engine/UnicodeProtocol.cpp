#include "engine/UnicodeProtocol.h"

#include <cstring>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace {

std::atomic<bool> gRegistered{false};

// Converts Text from one character set to another; false when a character has no equivalent.
bool Convert(const std::string& Text, const char* From, const char* To, std::string& Out) {
    iconv_t cd = iconv_open(To, From);
    if (cd == iconv_t(-1))
        return false;
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
    std::string in = Text;
    Out.clear();
    char* src = in.data();
    size_t left = in.size();
    char buf[256];
    while (left > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        const size_t r = iconv(cd, &src, &left, &dst, &room);
        Out.append(buf, dst - buf);
        if (r == size_t(-1) && errno != E2BIG)
            return false;
        if (r != size_t(-1) && r > 0)
            return false; // irreversible (approximated) conversions count as failures
    }
    return true;
}

// The per-file state behind a unicode AVIOContext.
struct TUnicodeFile {
    int Fd = -1;
    bool OwnsFd = true; // closed with the context
};

int FileRead(void* Opaque, uint8_t* Buf, int Size) {
    const int fd = static_cast<TUnicodeFile*>(Opaque)->Fd;
    ssize_t n;
    do
        n = ::read(fd, Buf, size_t(Size));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return AVERROR(errno);
    if (n == 0)
        return AVERROR_EOF;
    return int(n);
}

int FileWrite(void* Opaque, uint8_t* Buf, int Size) {
    const int fd = static_cast<TUnicodeFile*>(Opaque)->Fd;
    int done = 0;
    while (done < Size) {
        const ssize_t n = ::write(fd, Buf + done, size_t(Size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return AVERROR(errno);
        }
        done += int(n);
    }
    return done;
}

int64_t FileSeek(void* Opaque, int64_t Pos, int Whence) {
    const int fd = static_cast<TUnicodeFile*>(Opaque)->Fd;
    if (Whence & AVSEEK_SIZE) {
        struct stat st;
        return fstat(fd, &st) == 0 ? int64_t(st.st_size) : AVERROR(errno);
    }
    Whence &= ~AVSEEK_FORCE;
    if (Whence != SEEK_SET && Whence != SEEK_CUR && Whence != SEEK_END)
        return AVERROR(EINVAL);
    const off_t r = ::lseek(fd, off_t(Pos), Whence);
    return r < 0 ? AVERROR(errno) : int64_t(r);
}

bool HasUnicodePrefix(const std::string& URL) {
    return URL.size() >= 14 && URL.compare(0, 13, UnicodeURLPrefix) == 0;
}

// True when URL names a local file (no protocol, or "file:"), which the engine then writes
// itself.
bool IsPlainFile(const std::string& URL) {
    const char* protocol = avio_find_protocol_name(URL.c_str());
    return protocol == nullptr || std::strcmp(protocol, "file") == 0;
}

using TIOOpen = int (*)(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**);
using TIOClose2 = int (*)(AVFormatContext*, AVIOContext*);

// The libraries' own io_open/io_close2. Other URLs go through them so that the context's
// protocol whitelist and interrupt callback keep applying to them.
struct TDefaultIO {
    TIOOpen Open = nullptr;
    TIOClose2 Close2 = nullptr;
};

const TDefaultIO& DefaultIO() {
    static const TDefaultIO io = [] {
        TDefaultIO d;
        if (AVFormatContext* c = avformat_alloc_context()) {
            d.Open = c->io_open;
            d.Close2 = c->io_close2;
            avformat_free_context(c);
        }
        return d;
    }();
    return io;
}

// Flushes and frees a context served by the file routines below; the flush error, if any.
int CloseUnicodeFile(AVIOContext* Pb);

int IOOpenCallback(AVFormatContext* S, AVIOContext** Pb, const char* Url, int Flags,
                   AVDictionary** Options) {
    const std::string url = Url != nullptr ? Url : "";
    if (HasUnicodePrefix(url) || url.size() > MaxURLBytes || DefaultIO().Open == nullptr)
        return UnicodeIOOpen(Pb, url, Flags, Options);
    return DefaultIO().Open(S, Pb, Url, Flags, Options);
}

int IOClose2Callback(AVFormatContext* S, AVIOContext* Pb) {
    if (IsUnicodeIO(Pb))
        return CloseUnicodeFile(Pb);
    if (DefaultIO().Close2 != nullptr)
        return DefaultIO().Close2(S, Pb);
    return avio_close(Pb);
}

void IOCloseCallback(AVFormatContext* S, AVIOContext* Pb) { IOClose2Callback(S, Pb); }

} // namespace

std::string SystemCodePage() {
    const char* cs = nl_langinfo(CODESET);
    return cs != nullptr && *cs ? cs : "ANSI_X3.4-1968";
}

bool NeedsUnicodeName(const std::string& Name, const std::string& CodePage) {
    const size_t colon = Name.find(':', 1);
    if (colon != std::string::npos && Name.find(':') == colon) {
        const std::string scheme = ":" + Name.substr(0, colon) + ":";
        if (std::string(KnownProtocols).find(scheme) != std::string::npos)
            return false;
    }
    std::string narrow, back;
    if (!Convert(Name, "UTF-8", CodePage.c_str(), narrow))
        return true;
    if (!Convert(narrow, CodePage.c_str(), "UTF-8", back))
        return true;
    return back != Name;
}

bool NeedsUnicodeName(const std::string& Name) { return NeedsUnicodeName(Name, SystemCodePage()); }

std::string FileNameToURL(const std::string& Name, const std::string& CodePage) {
    if (NeedsUnicodeName(Name, CodePage))
        return UnicodeURLPrefix + Name;
    return Name;
}

std::string FileNameToURL(const std::string& Name) { return FileNameToURL(Name, SystemCodePage()); }

std::string URLToFileName(const std::string& URL) {
    if (!HasUnicodePrefix(URL))
        return URL;
    // Drop "unicode:" and then "utf8:".
    std::string rest = URL.substr(URL.find(':') + 1);
    return rest.substr(rest.find(':') + 1);
}

void RegisterUnicodeProtocol() { gRegistered.store(true); }

bool UnicodeProtocolRegistered() { return gRegistered.load(); }

int UnicodeIOOpen(AVIOContext** Context, const std::string& URL, int Flags, AVDictionary** Options) {
    *Context = nullptr;
    if (URL.size() > MaxURLBytes)
        return AVERROR(ENAMETOOLONG);
    const bool writing = (Flags & AVIO_FLAG_WRITE) != 0;
    if (!HasUnicodePrefix(URL) && !(writing && IsPlainFile(URL)))
        return avio_open2(Context, URL.c_str(), Flags, nullptr, Options);

    std::string name = URLToFileName(URL);
    if (name.compare(0, 5, "file:") == 0)
        name.erase(0, 5);
    int mode = O_RDONLY;
    // A file is only ever created anew: nothing that is there already is emptied, replaced or
    // followed (a link).
    if ((Flags & AVIO_FLAG_READ_WRITE) == AVIO_FLAG_READ_WRITE)
        mode = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
    else if (writing)
        mode = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
    const int fd = ::open(name.c_str(), mode | O_CLOEXEC, 0666);
    if (fd < 0)
        return AVERROR(errno); // a permission problem is not a missing file
    return UnicodeIOOpenFd(Context, fd, Flags);
}

int UnicodeIOOpenFd(AVIOContext** Context, int Fd, int Flags, bool OwnsFd) {
    *Context = nullptr;
    auto file = std::make_unique<TUnicodeFile>();
    file->Fd = Fd;
    file->OwnsFd = OwnsFd;
    auto closeFd = [&] {
        if (OwnsFd)
            ::close(Fd);
    };
    constexpr int BufferSize = 32768;
    auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
    if (buffer == nullptr) {
        closeFd();
        return AVERROR(ENOMEM);
    }
    const bool writing = (Flags & AVIO_FLAG_WRITE) != 0;
    AVIOContext* pb = avio_alloc_context(buffer, BufferSize, writing ? 1 : 0, file.get(),
                                         FileRead, writing ? FileWrite : nullptr, FileSeek);
    if (pb == nullptr) {
        av_free(buffer);
        closeFd();
        return AVERROR(ENOMEM);
    }
    pb->seekable = AVIO_SEEKABLE_NORMAL;
    file.release(); // owned by the context from here on; freed in UnicodeIOClose
    *Context = pb;
    return 0;
}

bool IsUnicodeIO(const AVIOContext* Context) {
    return Context != nullptr && Context->seek == FileSeek;
}

namespace {

int CloseUnicodeFile(AVIOContext* Pb) {
    avio_flush(Pb);
    int result = Pb->error;
    std::unique_ptr<TUnicodeFile> file(static_cast<TUnicodeFile*>(Pb->opaque));
    if (file && file->OwnsFd && file->Fd >= 0 && ::close(file->Fd) != 0 && result == 0)
        result = AVERROR(errno);
    av_freep(&Pb->buffer);
    avio_context_free(&Pb);
    return result;
}

} // namespace

void UnicodeIOClose(AVIOContext** Context) {
    AVIOContext* pb = *Context;
    if (pb == nullptr)
        return;
    if (!IsUnicodeIO(pb)) {
        avio_closep(Context);
        return;
    }
    *Context = nullptr;
    CloseUnicodeFile(pb);
}

void InstallUnicodeIO(AVFormatContext* Context) {
    Context->io_open = IOOpenCallback;
    Context->io_close2 = IOClose2Callback;
    // Nested contexts of some muxers and demuxers copy only io_close, others only io_close2;
    // setting both makes every copy close our files with our routine.
    Context->io_close = IOCloseCallback;
}

int UnicodeOpenInput(AVFormatContext** Context, const std::string& URL, const AVInputFormat* Format,
                     AVDictionary** Options) {
    if (URL.size() > MaxURLBytes) {
        // Failing, avformat_open_input frees a context the caller allocated; do the same.
        avformat_free_context(*Context);
        *Context = nullptr;
        return AVERROR(ENAMETOOLONG);
    }
    if (*Context == nullptr) {
        *Context = avformat_alloc_context();
        if (*Context == nullptr)
            return AVERROR(ENOMEM);
    }
    AVFormatContext* ctx = *Context;
    InstallUnicodeIO(ctx);
    AVIOContext* own = nullptr;
    if (HasUnicodePrefix(URL)) {
        // The library closes a main file it opened itself with avio_close, which cannot close
        // ours: open it here and mark it as the caller's.
        const int r = UnicodeIOOpen(&own, URL, AVIO_FLAG_READ);
        if (r < 0) {
            avformat_free_context(ctx);
            *Context = nullptr;
            return r;
        }
        ctx->pb = own;
        ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
    }
    const int r = avformat_open_input(Context, URL.c_str(), Format, Options);
    if (r < 0)
        UnicodeIOClose(&own); // the library freed the context but leaves a custom file to us
    else
        LimitHeaderDeclaredProbe(*Context);
    return r;
}

void LimitHeaderDeclaredProbe(AVFormatContext* Context) {
    // The libraries' own default probe size; a different value was asked for by the caller.
    constexpr int64_t DefaultProbeSize = 5000000;
    constexpr int64_t WaveProbeSize = 65536;
    if (Context == nullptr || Context->iformat == nullptr || Context->probesize != DefaultProbeSize)
        return;
    const char* name = Context->iformat->name;
    if (std::strcmp(name, "wav") == 0 || std::strcmp(name, "w64") == 0)
        Context->probesize = WaveProbeSize;
}

void UnicodeCloseInput(AVFormatContext** Context) {
    if (*Context == nullptr)
        return;
    AVIOContext* own = nullptr;
    if (((*Context)->flags & AVFMT_FLAG_CUSTOM_IO) && IsUnicodeIO((*Context)->pb))
        own = (*Context)->pb;
    avformat_close_input(Context);
    UnicodeIOClose(&own);
}
