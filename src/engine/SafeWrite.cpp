#include "engine/SafeWrite.h"

#include <cstdio>
#include <cstring>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view Mark = ".zelta-";
constexpr std::string_view End = ".part";
constexpr size_t RandomLetters = 8;
// "." + Mark + the letters + End around the final name.
constexpr size_t TemporaryOverhead = 1 + Mark.size() + RandomLetters + End.size();
constexpr std::string_view Letters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string RandomText() {
    unsigned char bytes[RandomLetters];
    if (getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes)) {
        std::random_device device;
        for (unsigned char& b : bytes)
            b = static_cast<unsigned char>(device());
    }
    std::string text;
    for (unsigned char b : bytes)
        text.push_back(Letters[b % Letters.size()]);
    return text;
}

// Folder part with its "/" (empty for a bare name) and the file name part.
void SplitPath(const std::string& Path, std::string& FolderPrefix, std::string& File) {
    const size_t slash = Path.rfind('/');
    FolderPrefix = slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
    File = slash == std::string::npos ? Path : Path.substr(slash + 1);
}

std::string FolderOf(const std::string& FolderPrefix) {
    if (FolderPrefix.empty())
        return ".";
    return FolderPrefix.size() == 1 ? FolderPrefix : FolderPrefix.substr(0, FolderPrefix.size() - 1);
}

bool SameFile(const struct stat& A, dev_t Dev, ino_t Ino) {
    return A.st_dev == Dev && A.st_ino == Ino;
}

bool NoHardLinks(int Error) {
    return Error == EPERM || Error == ENOTSUP || Error == EOPNOTSUPP || Error == EMLINK ||
           Error == ENOSYS || Error == EINVAL;
}

// Moves Temp to Name unless Name is taken: 0, EEXIST or another errno value.
int MoveWithoutReplacing(const std::string& Temp, const std::string& Name) {
    if (renameat2(AT_FDCWD, Temp.c_str(), AT_FDCWD, Name.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int refused = errno;
    if (refused != EINVAL && refused != ENOSYS && refused != ENOTSUP && refused != EOPNOTSUPP)
        return refused;
    // The file system knows no such rename: a hard link fails on a taken name as well.
    if (::link(Temp.c_str(), Name.c_str()) == 0) {
        ::unlink(Temp.c_str());
        return 0;
    }
    const int linkError = errno;
    if (!NoHardLinks(linkError))
        return linkError;
    // No hard links either (FAT, some network shares): the name is checked just before the
    // rename; only a file made in between could be replaced.
    struct stat st;
    if (::lstat(Name.c_str(), &st) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return ::rename(Temp.c_str(), Name.c_str()) == 0 ? 0 : errno;
}

} // namespace

size_t MaxNameBytes(const std::string& Folder) {
    const long max = ::pathconf(Folder.empty() ? "." : Folder.c_str(), _PC_NAME_MAX);
    return max > 0 ? size_t(max) : 255;
}

std::string Utf8Head(std::string_view Text, size_t MaxBytes) {
    if (Text.size() <= MaxBytes)
        return std::string(Text);
    size_t cut = MaxBytes;
    while (cut > 0 && (static_cast<unsigned char>(Text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(Text.substr(0, cut));
}

std::string NumberedName(std::string_view Stem, int Number, std::string_view Ext, size_t MaxBytes) {
    std::string tail = Number == 0 ? "_(new)" : "_(new_" + std::to_string(Number) + ")";
    tail += Ext;
    if (tail.size() >= MaxBytes)
        return Utf8Head(tail, MaxBytes);
    return Utf8Head(Stem, MaxBytes - tail.size()) + tail;
}

void SplitNumberedName(std::string_view FileName, std::string& Stem, int& Number, std::string& Ext) {
    const size_t dot = FileName.rfind('.');
    std::string_view base = FileName;
    Ext.clear();
    if (dot != std::string_view::npos && dot > 0) {
        Ext = std::string(FileName.substr(dot));
        base = FileName.substr(0, dot);
    }
    Number = -1;
    Stem = std::string(base);
    constexpr std::string_view First = "_(new)";
    constexpr std::string_view Open = "_(new_";
    if (base.size() >= First.size() && base.substr(base.size() - First.size()) == First) {
        Number = 0;
        Stem = std::string(base.substr(0, base.size() - First.size()));
        return;
    }
    const size_t open = base.rfind(Open);
    if (open == std::string_view::npos || base.back() != ')')
        return;
    const std::string_view digits = base.substr(open + Open.size(), base.size() - open - Open.size() - 1);
    if (digits.empty() || digits.size() > 6 || digits.front() == '0')
        return;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return;
        n = n * 10 + (c - '0');
    }
    Number = n;
    Stem = std::string(base.substr(0, open));
}

std::string SafeWriteErrorText(int Error) {
    switch (Error) {
    case TemporaryReplaced:
        return "its temporary file was moved or replaced by another program";
    case ENAMETOOLONG:
        return "the name is too long for the file system";
    case ENOSPC:
        return "the disk is full";
    default:
        return std::strerror(Error);
    }
}

bool IsTemporaryName(std::string_view FileName) {
    if (FileName.size() <= TemporaryOverhead || FileName.front() != '.' ||
        FileName.substr(FileName.size() - End.size()) != End)
        return false;
    const std::string_view tail =
        FileName.substr(FileName.size() - End.size() - RandomLetters - Mark.size(),
                        Mark.size() + RandomLetters);
    if (tail.substr(0, Mark.size()) != Mark)
        return false;
    for (char c : tail.substr(Mark.size()))
        if (Letters.find(c) == std::string_view::npos)
            return false;
    return true;
}

// ---- TSafeFile ----

TSafeFile::~TSafeFile() { Discard(); }

TSafeFile::TSafeFile(TSafeFile&& Other) noexcept
    : Planned_(std::move(Other.Planned_)), Temp_(std::move(Other.Temp_)),
      Name_(std::move(Other.Name_)), Fd_(Other.Fd_), Dev_(Other.Dev_), Ino_(Other.Ino_) {
    Other.Fd_ = -1;
}

TSafeFile& TSafeFile::operator=(TSafeFile&& Other) noexcept {
    if (this != &Other) {
        Discard();
        Planned_ = std::move(Other.Planned_);
        Temp_ = std::move(Other.Temp_);
        Name_ = std::move(Other.Name_);
        Fd_ = Other.Fd_;
        Dev_ = Other.Dev_;
        Ino_ = Other.Ino_;
        Other.Fd_ = -1;
    }
    return *this;
}

int TSafeFile::Create(const std::string& Planned, mode_t Mode) {
    Discard();
    Planned_ = Planned;
    Name_.clear();
    std::string prefix, file;
    SplitPath(Planned, prefix, file);
    if (file.empty() || file == "." || file == "..")
        return EISDIR;
    const size_t max = MaxNameBytes(FolderOf(prefix));
    const std::string head = Utf8Head(file, max > TemporaryOverhead ? max - TemporaryOverhead : 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = prefix + "." + head + std::string(Mark) + RandomText() + std::string(End);
        const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, Mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        int r;
        do
            r = ::flock(fd, LOCK_EX);
        while (r != 0 && errno == EINTR);
        struct stat own, there;
        // Between the open and the lock another process's RemoveLeftovers may have taken the
        // new file for a leftover: then it is gone, and a new name is tried.
        if (r != 0 || ::fstat(fd, &own) != 0 || ::lstat(temp.c_str(), &there) != 0 ||
            !SameFile(there, own.st_dev, own.st_ino)) {
            const int error = r != 0 ? errno : 0;
            ::close(fd);
            if (error != 0)
                return error;
            continue;
        }
        Temp_ = temp;
        Fd_ = fd;
        Dev_ = own.st_dev;
        Ino_ = own.st_ino;
        return 0;
    }
    return EEXIST;
}

bool TSafeFile::StillOurs() const {
    struct stat st;
    return Fd_ >= 0 && ::lstat(Temp_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           SameFile(st, Dev_, Ino_);
}

void TSafeFile::Reset() {
    if (Fd_ >= 0)
        ::close(Fd_);
    Fd_ = -1;
    Temp_.clear();
    Dev_ = 0;
    Ino_ = 0;
}

void TSafeFile::Discard() {
    if (Fd_ < 0)
        return;
    // Only the file created here is removed; whatever took its name stays.
    if (StillOurs())
        ::unlink(Temp_.c_str());
    Reset();
}

int64_t TSafeFile::Size() const {
    struct stat st;
    if (Fd_ < 0 || ::fstat(Fd_, &st) != 0)
        return -1;
    return int64_t(st.st_size);
}

int TSafeFile::Publish(TPublish How, bool Durable) {
    if (Fd_ < 0)
        return EBADF;
    if (Durable && ::fsync(Fd_) != 0)
        return errno;
    if (!StillOurs())
        return TemporaryReplaced;
    if (How == TPublish::Replace) {
        if (::rename(Temp_.c_str(), Planned_.c_str()) != 0)
            return errno;
        Name_ = Planned_;
        Reset();
        return 0;
    }
    return PublishKeeping();
}

int TSafeFile::PublishKeeping() {
    int r = MoveWithoutReplacing(Temp_, Planned_);
    std::string given = Planned_;
    if (r == EEXIST) {
        std::string prefix, file, stem, ext;
        int number = -1;
        SplitPath(Planned_, prefix, file);
        SplitNumberedName(file, stem, number, ext);
        const size_t max = MaxNameBytes(FolderOf(prefix));
        for (int n = number < 0 ? 0 : number + 1; n <= MaxNameNumber && r == EEXIST; ++n) {
            given = prefix + NumberedName(stem, n, ext, max);
            r = MoveWithoutReplacing(Temp_, given);
        }
    }
    if (r != 0)
        return r;
    Name_ = given;
    Reset();
    return 0;
}

int WriteFileSafely(const std::string& Planned, std::string_view Data, TSafeFile::TPublish How,
                    bool Durable, std::string* Given, mode_t Mode) {
    TSafeFile file;
    if (const int r = file.Create(Planned, Mode); r != 0)
        return r;
    while (!Data.empty()) {
        const ssize_t n = ::write(file.Fd(), Data.data(), Data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        Data.remove_prefix(size_t(n));
    }
    if (const int r = file.Publish(How, Durable); r != 0)
        return r;
    if (Given != nullptr)
        *Given = file.Name();
    return 0;
}

FILE* OpenWorkingFile(const std::string& Name) {
    const int fd = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return nullptr;
    struct stat st;
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    else if (::ftruncate(fd, 0) != 0)
        error = errno;
    FILE* f = error == 0 ? ::fdopen(fd, "w") : nullptr;
    if (f == nullptr) {
        error = error != 0 ? error : errno;
        ::close(fd);
        errno = error;
    }
    return f;
}

int RemoveLeftovers(const std::string& Folder) {
    DIR* dir = ::opendir(Folder.empty() ? "." : Folder.c_str());
    if (dir == nullptr)
        return 0;
    const int dfd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (!IsTemporaryName(e->d_name))
            continue;
        const int fd = ::openat(dfd, e->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat locked, there;
        // A free lock means its writer is gone; the name must still be that file when it goes.
        if (::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) && locked.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dfd, e->d_name, &there, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(there, locked.st_dev, locked.st_ino) && ::unlinkat(dfd, e->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}
