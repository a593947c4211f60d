#include "app/FolderChooserLogic.h"

#include "app/GlobalObject.h"
#include "app/SettingsKeys.h"

#include <sys/statvfs.h>
#include <unistd.h>

namespace zelta {

bool IsReadOnlyFolder(const std::string& Path) {
    struct statvfs fs {};
    if (Path.empty() || ::statvfs(Path.c_str(), &fs) != 0)
        return false;
    return (fs.f_flag & ST_RDONLY) != 0;
}

bool IsWritableFolder(const std::string& Path) {
    return !Path.empty() && ::access(Path.c_str(), W_OK | X_OK) == 0;
}

bool FolderChooserOkEnabled(bool HasEntry, int Depth, bool Writable) {
    if (!HasEntry)
        return false;
    return Depth > 1 || Writable;
}

int FolderDepth(std::string_view Path) {
    int depth = 0;
    bool inName = false;
    for (char c : Path) {
        if (c == '/') {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++depth;
        }
    }
    return depth;
}

bool IsUserVolumeMount(std::string_view MountPoint) {
    // Parent folder and how many names may follow it: /mnt/NAME, /media/NAME or
    // /media/USER/NAME, /run/media/USER/NAME. Deeper mounts belong to other programs.
    struct TVolumeParent {
        std::string_view Folder;
        int MinNames, MaxNames;
    };
    static constexpr TVolumeParent Parents[] = {
        {"/media/", 1, 2}, {"/run/media/", 2, 2}, {"/mnt/", 1, 1}};
    for (const TVolumeParent& parent : Parents) {
        if (MountPoint.substr(0, parent.Folder.size()) != parent.Folder)
            continue;
        const int names = FolderDepth(MountPoint.substr(parent.Folder.size()));
        return names >= parent.MinNames && names <= parent.MaxNames;
    }
    return false;
}

bool TakesChosenFolder(const std::string& Chosen, const std::string& Shown) {
    return !Chosen.empty() && Chosen != Shown;
}

bool StoreChosenFolder(TIniFile& Settings, std::string_view Key, const std::string& Chosen,
                       const std::string& Shown) {
    if (!TakesChosenFolder(Chosen, Shown))
        return false;
    return Settings.WriteString(SectionSettings, Key, Chosen);
}

std::string FolderToOpen(const TIniFile& Settings, std::string_view Key,
                         const std::string& BoxText) {
    if (Utf8Length(BoxText) <= 2)
        return {};
    return Settings.ReadString(SectionSettings, Key, DefaultOutputFolder());
}

}  // namespace zelta
