#include "engine/UnicodeProtocol.h"

#include "engine/StopState.h"

#include <cstring>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <memory>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
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

// The per-file state behind one of the engine's own AVIOContexts.
struct TUnicodeFile {
    int Fd = -1;
    // A pipe, FIFO, socket or device: data comes when the other end sends it, so reads wait in
    // short slices and ask Interrupt between them (every read asks it first).
    bool Stream = false;
    AVIOInterruptCB Interrupt{nullptr, nullptr};
    bool OwnsFd = true; // closed with the context
};

// How long a read of a stream waits before it asks again whether to give up.
constexpr int WaitSliceMs = 100;

int FileRead(void* Opaque, uint8_t* Buf, int Size) {
    const auto* file = static_cast<TUnicodeFile*>(Opaque);
    for (;;) {
        // As the libraries' own protocols do, a stopped context reads nothing more.
        if (Interrupted(file->Interrupt))
            return AVERROR_EXIT;
        if (file->Stream) {
            pollfd wait{file->Fd, POLLIN, 0};
            const int ready = ::poll(&wait, 1, WaitSliceMs);
            if (ready < 0 && errno != EINTR)
                return AVERROR(errno);
            if (ready <= 0)
                continue;
        }
        const ssize_t n = ::read(file->Fd, Buf, size_t(Size));
        if (n < 0 && (errno == EINTR || (file->Stream && (errno == EAGAIN || errno == EWOULDBLOCK))))
            continue;
        if (n < 0)
            return AVERROR(errno);
        if (n == 0)
            return AVERROR_EOF;
        return int(n);
    }
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
    const auto* file = static_cast<TUnicodeFile*>(Opaque);
    const int fd = file->Fd;
    if (file->Stream)
        return AVERROR(ESPIPE); // neither a size nor a position to go to
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

// The file a URL the engine reads itself names: a "unicode:utf8:" URL, a name without a protocol
// (no ":" before its first "/") or a "file:" URL, as the libraries' file protocol takes them.
// False for URLs of other protocols.
bool LocalFileName(const std::string& URL, std::string& Name) {
    if (HasUnicodePrefix(URL)) {
        Name = URLToFileName(URL);
        return true;
    }
    if (URL.rfind("file:", 0) == 0) {
        Name = URL.substr(5);
        return !Name.empty();
    }
    const size_t colon = URL.find(':');
    if (colon != std::string::npos && URL.find('/') > colon)
        return false;
    Name = URL;
    return !Name.empty();
}

// False when the caller's protocol white- or blacklist of Context leaves the libraries' file
// protocol out: such a context reads no local file, not even through the engine.
bool FileProtocolAllowed(const AVFormatContext* Context) {
    auto lists = [](const char* List) {
        if (List == nullptr)
            return false;
        const std::string padded = "," + std::string(List) + ",";
        return padded.find(",file,") != std::string::npos;
    };
    return (Context->protocol_whitelist == nullptr || lists(Context->protocol_whitelist)) &&
           !lists(Context->protocol_blacklist);
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
    // Files a muxer creates itself are created anew as well, never through what is there.
    std::string local;
    const bool creates = (Flags & AVIO_FLAG_WRITE) && LocalFileName(url, local) &&
                         FileProtocolAllowed(S);
    if (HasUnicodePrefix(url) || creates || url.size() > MaxURLBytes || DefaultIO().Open == nullptr)
        return UnicodeIOOpen(Pb, url, Flags, Options, &S->interrupt_callback);
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

namespace {

// A context over File's descriptor (the context owns File from here on).
int OpenContext(AVIOContext** Context, std::unique_ptr<TUnicodeFile> File, int Flags) {
    auto closeFd = [&] {
        if (File->OwnsFd)
            ::close(File->Fd);
    };
    constexpr int BufferSize = 32768;
    auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
    if (buffer == nullptr) {
        closeFd();
        return AVERROR(ENOMEM);
    }
    const bool writing = (Flags & AVIO_FLAG_WRITE) != 0;
    AVIOContext* pb = avio_alloc_context(buffer, BufferSize, writing ? 1 : 0, File.get(),
                                         FileRead, writing ? FileWrite : nullptr, FileSeek);
    if (pb == nullptr) {
        av_free(buffer);
        closeFd();
        return AVERROR(ENOMEM);
    }
    pb->seekable = File->Stream ? 0 : AVIO_SEEKABLE_NORMAL;
    File.release(); // owned by the context from here on; freed in UnicodeIOClose
    *Context = pb;
    return 0;
}

} // namespace

int UnicodeIOOpen(AVIOContext** Context, const std::string& URL, int Flags, AVDictionary** Options,
                  const AVIOInterruptCB* Interrupt) {
    *Context = nullptr;
    if (URL.size() > MaxURLBytes)
        return AVERROR(ENAMETOOLONG);
    std::string name;
    if (HasUnicodePrefix(URL))
        name = URLToFileName(URL);
    else if (!LocalFileName(URL, name))
        return avio_open2(Context, URL.c_str(), Flags, Interrupt, Options);

    int mode = O_RDONLY | O_NONBLOCK; // a FIFO without a writer yet must not block the open
    // A file is only ever created anew: nothing that is there already is emptied, replaced or
    // followed (a link).
    if ((Flags & AVIO_FLAG_READ_WRITE) == AVIO_FLAG_READ_WRITE)
        mode = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
    else if (Flags & AVIO_FLAG_WRITE)
        mode = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
    if (Interrupt != nullptr && Interrupted(*Interrupt))
        return AVERROR_EXIT;
    auto file = std::make_unique<TUnicodeFile>();
    file->Fd = ::open(name.c_str(), mode | O_CLOEXEC, 0666);
    if (file->Fd < 0)
        return AVERROR(errno); // a permission problem is not a missing file
    struct stat st {};
    if (::fstat(file->Fd, &st) != 0) {
        const int error = errno;
        ::close(file->Fd);
        return AVERROR(error);
    }
    file->Stream = !S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode) && !S_ISDIR(st.st_mode);
    if (Interrupt != nullptr)
        file->Interrupt = *Interrupt;
    // Files and disks are read with plain blocking reads; a stream keeps O_NONBLOCK for its
    // waits (FileRead polls it).
    if ((mode & O_NONBLOCK) && !file->Stream)
        ::fcntl(file->Fd, F_SETFL, ::fcntl(file->Fd, F_GETFL) & ~O_NONBLOCK);
    return OpenContext(Context, std::move(file), Flags);
}

int UnicodeIOOpenFd(AVIOContext** Context, int Fd, int Flags, bool OwnsFd) {
    *Context = nullptr;
    auto file = std::make_unique<TUnicodeFile>();
    file->Fd = Fd;
    file->OwnsFd = OwnsFd;
    return OpenContext(Context, std::move(file), Flags);
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
    std::string local;
    if (LocalFileName(URL, local) && FileProtocolAllowed(ctx)) {
        // Files are read through the engine's own routines, whose waits on a pipe or FIFO the
        // context's interrupt callback can end. The library closes a main file it opened itself
        // with avio_close, which cannot close ours: open it here and mark it as the caller's.
        const int r = UnicodeIOOpen(&own, URL, AVIO_FLAG_READ, nullptr, &ctx->interrupt_callback);
        if (r < 0) {
            avformat_free_context(ctx);
            *Context = nullptr;
            return r;
        }
        ctx->pb = own;
        ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
        // What the libraries' file protocol allows the files a demuxer opens itself (a
        // playlist's entries), unless the caller chose.
        if (ctx->protocol_whitelist == nullptr)
            av_opt_set(ctx, "protocol_whitelist", "file,crypto,data", 0);
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
