#include "app/AppPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

std::string Environment(const char* Name)
{
    const char* Value = std::getenv(Name);
    return Value ? std::string(Value) : std::string();
}

std::string WithTrailingSlash(std::string Folder)
{
    if (Folder.empty() || Folder.back() != '/')
        Folder.push_back('/');
    return Folder;
}

bool IsWritableFolder(const std::string& Folder)
{
    std::error_code Ec;
    // The settings file is replaced by renaming a new file into its folder, so the folder itself
    // must take new entries.
    return fs::is_directory(Folder, Ec) && ::access(Folder.c_str(), W_OK | X_OK) == 0;
}

bool PathExists(const std::string& Path)
{
    std::error_code Ec;
    return fs::exists(Path, Ec);
}

std::string PasswordHome()
{
    long Size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (Size <= 0)
        Size = 16384;
    std::vector<char> Buffer(static_cast<std::size_t>(Size));
    struct passwd Entry {};
    struct passwd* Result = nullptr;
    if (::getpwuid_r(::getuid(), &Entry, Buffer.data(), Buffer.size(), &Result) == 0 && Result &&
        Result->pw_dir && *Result->pw_dir)
        return Result->pw_dir;
    return {};
}

std::string WithoutTrailingSlash(std::string Folder)
{
    while (Folder.size() > 1 && Folder.back() == '/')
        Folder.pop_back();
    return Folder;
}

}  // namespace

std::string JoinPath(std::string_view Folder, std::string_view Name)
{
    std::string R(Folder);
    if (!R.empty() && R.back() != '/')
        R.push_back('/');
    while (!Name.empty() && Name.front() == '/')
        Name.remove_prefix(1);
    R.append(Name);
    return R;
}

std::string ProgramFolder()
{
    std::error_code Ec;
    fs::path Exe = fs::read_symlink("/proc/self/exe", Ec);
    if (!Ec && Exe.has_parent_path())
        return WithTrailingSlash(Exe.parent_path().string());
    fs::path Current = fs::current_path(Ec);
    return WithTrailingSlash(Ec ? std::string("/") : Current.string());
}

std::string HomeFolder()
{
    return HomeFolder(Environment("HOME"));
}

std::string HomeFolder(std::string_view HomeVariable)
{
    std::string Home(HomeVariable);
    if (Home.empty())
        Home = PasswordHome();
    if (Home.empty())
        Home = "/";
    return WithoutTrailingSlash(Home);
}

std::string InstalledDataFolderFor(std::string_view ProgramFolder,
                                   std::string_view RelativeDataFolder)
{
    if (ProgramFolder.empty() || RelativeDataFolder.empty())
        return {};
    const fs::path Candidate =
        (fs::path(std::string(ProgramFolder)) / std::string(RelativeDataFolder)).lexically_normal();
    std::error_code Ec;
    if (!fs::is_directory(Candidate, Ec))
        return {};
    return WithoutTrailingSlash(Candidate.string());
}

TPathContext CurrentPathContext()
{
    TPathContext C;
    C.ProgramFolder = ProgramFolder();
    C.ZeltaHome = Environment("ZELTA_HOME");
    C.XdgConfigHome = Environment("XDG_CONFIG_HOME");
    C.Home = HomeFolder();
    C.DataFolder = InstalledDataFolderFor(C.ProgramFolder, ZELTA_DATA_DIR_FROM_PROGRAM);
    C.InstalledProgram = !C.DataFolder.empty();
    if (C.DataFolder.empty())
        C.DataFolder = ZELTA_DATA_DIR;
    return C;
}

std::string SettingsFilePath(const TPathContext& Context)
{
    if (!Context.ZeltaHome.empty())
        return JoinPath(Context.ZeltaHome, SettingsFileName);
    if (!Context.InstalledProgram && !Context.ProgramFolder.empty() &&
        IsWritableFolder(Context.ProgramFolder))
        return JoinPath(Context.ProgramFolder, SettingsFileName);
    // The XDG rule: a relative XDG_CONFIG_HOME is invalid and ignored.
    const std::string ConfigHome =
        (!Context.XdgConfigHome.empty() && Context.XdgConfigHome.front() == '/')
            ? Context.XdgConfigHome
            : JoinPath(Context.Home, ".config");
    return JoinPath(JoinPath(ConfigHome, "zelta"), SettingsFileName);
}

std::string SettingsFilePath()
{
    return SettingsFilePath(CurrentPathContext());
}

std::string FindDataFile(std::string_view Relative, const TPathContext& Context)
{
    const std::string BesideProgram = JoinPath(Context.ProgramFolder, Relative);
    for (const std::string* Folder :
         {&Context.ZeltaHome, &Context.ProgramFolder, &Context.DataFolder}) {
        if (Folder->empty())
            continue;
        std::string Candidate = JoinPath(*Folder, Relative);
        if (PathExists(Candidate))
            return Candidate;
    }
    return BesideProgram;
}

std::string FindDataFile(std::string_view Relative)
{
    return FindDataFile(Relative, CurrentPathContext());
}

std::string CatalogueFilePath(const TPathContext& Context)
{
    return FindDataFile(CatalogueFileName, Context);
}

std::string CatalogueFilePath()
{
    return CatalogueFilePath(CurrentPathContext());
}

std::string LibAVFolder(const TPathContext& Context)
{
    return FindDataFile(LibAVFolderName, Context);
}

std::string LibAVFolder()
{
    return LibAVFolder(CurrentPathContext());
}

}  // namespace zelta
