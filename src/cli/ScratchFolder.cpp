#include "cli/ScratchFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

constexpr std::string_view Prefix = "zelta-convert-";

bool IsScratchName(std::string_view Name)
{
    return Name.size() == Prefix.size() + 6 && Name.substr(0, Prefix.size()) == Prefix;
}

// Removes the plain files in the open folder Fd (the settings copy and its temporaries; a
// scratch folder holds nothing else), then the folder Name in Parent when it still is that
// folder. True when the folder is gone.
bool RemoveLockedFolder(int Parent, const char* Name, int Fd)
{
    struct stat own, there;
    if (::fstat(Fd, &own) != 0)
        return false;
    const int copy = ::fcntl(Fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return false;
    if (DIR* dir = ::fdopendir(copy)) {
        while (const dirent* e = ::readdir(dir))
            if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
                (void)::unlinkat(Fd, e->d_name, 0);
        ::closedir(dir);
    } else {
        ::close(copy);
    }
    return ::fstatat(Parent, Name, &there, AT_SYMLINK_NOFOLLOW) == 0 &&
           there.st_dev == own.st_dev && there.st_ino == own.st_ino &&
           ::unlinkat(Parent, Name, AT_REMOVEDIR) == 0;
}

}  // namespace

std::string ScratchBase()
{
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : base.string();
}

int RemoveStaleScratchFolders(const std::string& Base)
{
    DIR* dir = ::opendir(Base.c_str());
    if (dir == nullptr)
        return 0;
    const int parent = ::dirfd(dir);
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (!IsScratchName(e->d_name))
            continue;
        const int fd = ::openat(parent, e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        // A free lock: its run is gone.
        if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && RemoveLockedFolder(parent, e->d_name, fd))
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

TScratchFolder::TScratchFolder()
{
    const std::string base = ScratchBase();
    RemoveStaleScratchFolders(base);
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string pattern = base + "/" + std::string(Prefix) + "XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        const int fd = ::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        // Another run's clearing may have taken the new folder for a stale one and removed it
        // before it could be opened: make another.
        if (fd < 0 && errno == ENOENT)
            continue;
        int r = fd < 0 ? -1 : 0;
        while (r == 0 && ::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR)
                r = -1;
        }
        struct stat own, there;
        // Another run's clearing may have taken the new folder for a stale one before the lock.
        if (r == 0 && ::fstat(fd, &own) == 0 && ::lstat(pattern.c_str(), &there) == 0 &&
            own.st_dev == there.st_dev && own.st_ino == there.st_ino) {
            FPath = std::move(pattern);
            FFd = fd;
            return;
        }
        if (fd >= 0)
            ::close(fd);
        if (r != 0) {
            ::rmdir(pattern.c_str()); // made here a moment ago, still empty
            return;
        }
    }
}

TScratchFolder::~TScratchFolder()
{
    if (FFd < 0)
        return;
    const std::string base = std::filesystem::path(FPath).parent_path().string();
    const std::string name = std::filesystem::path(FPath).filename().string();
    const int parent = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent >= 0) {
        RemoveLockedFolder(parent, name.c_str(), FFd);
        ::close(parent);
    }
    ::close(FFd);
}

}  // namespace zelta
