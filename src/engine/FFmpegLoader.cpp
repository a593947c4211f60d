#include "engine/FFmpegLoader.h"

#include "engine/FFLogger.h"
#include "engine/FFTypes.h"
#include "engine/UnicodeProtocol.h"

#include <cfenv>
#include <dlfcn.h>
#include <link.h>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include <SDL2/SDL.h>

namespace {

const char* const LoaderUnit = "Src/FFmpegLoader";

unsigned SdlRuntimeVersion() {
    SDL_version v;
    SDL_GetVersion(&v);
    return (unsigned(v.major) << 16) | (unsigned(v.minor) << 8) | unsigned(v.patch);
}

// libswresample took over the resampling that avcodec did, so it is checked with avcodec.
unsigned AVCodecRuntimeVersion() {
    if (swresample_version() >> 16 != LIBSWRESAMPLE_VERSION_MAJOR)
        return 0; // reported as a version mismatch of the avcodec set
    return avcodec_version();
}

std::string AddTrailingSlash(const std::string& Folder) {
    if (Folder.empty() || Folder.back() == '/')
        return Folder;
    return Folder + "/";
}

// The file the process actually uses for a library of this file name (from LibAV, from
// LD_LIBRARY_PATH or from the system, whichever the dynamic linker took); Fallback when the
// library is not loaded.
std::string LoadedFileName(const std::string& FileName, const std::string& Fallback) {
    void* handle = dlopen(FileName.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr)
        return Fallback;
    std::string path = Fallback;
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr &&
        map->l_name[0] != '\0')
        path = map->l_name;
    dlclose(handle);
    return path;
}

} // namespace

std::string VersionString(unsigned Packed) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u.%u.%u", Packed >> 16, (Packed >> 8) & 0xFF, Packed & 0xFF);
    return buf;
}

TLibraryTable BuiltInLibraryTable() {
    auto so = [](const char* name, int major) {
        return std::string("lib") + name + ".so." + std::to_string(major);
    };
    return TLibraryTable{{
        {lkAVCodec, "avcodec", LIBAVCODEC_VERSION_MAJOR, so("avcodec", LIBAVCODEC_VERSION_MAJOR),
         AVCodecRuntimeVersion, {}},
        // avdevice is listed but no set uses it; the program is not built with it.
        {lkAVDevice, "avdevice", LIBAVFORMAT_VERSION_MAJOR, so("avdevice", LIBAVFORMAT_VERSION_MAJOR),
         {}, {}},
        {lkAVFilter, "avfilter", LIBAVFILTER_VERSION_MAJOR, so("avfilter", LIBAVFILTER_VERSION_MAJOR),
         [] { return avfilter_version(); }, {}},
        {lkAVFormat, "avformat", LIBAVFORMAT_VERSION_MAJOR, so("avformat", LIBAVFORMAT_VERSION_MAJOR),
         [] { return avformat_version(); }, [] { RegisterUnicodeProtocol(); }},
        {lkAVUtil, "avutil", LIBAVUTIL_VERSION_MAJOR, so("avutil", LIBAVUTIL_VERSION_MAJOR),
         [] { return avutil_version(); }, InstallLibraryLogCallback},
        {lkSWScale, "swscale", LIBSWSCALE_VERSION_MAJOR, so("swscale", LIBSWSCALE_VERSION_MAJOR),
         [] { return swscale_version(); }, {}},
        // The C runtime the libraries use is the process's own.
        {lkMSVCRT, "c", -1, "libc.so.6", [] { return 0u; }, {}},
        {lkSDL, "SDL2", SDL_MAJOR_VERSION, "libSDL2-2.0.so.0", SdlRuntimeVersion, {}},
    }};
}

TFFmpegLoader::TFFmpegLoader(TLibraryTable Table) : Table_(std::move(Table)) {
    for (int k = 0; k < LibraryKindCount; ++k)
        Status_[k].Kind = TLibraryKind(k);
    // The libraries rely on masked floating-point exceptions (invalid operations and divisions
    // by zero give their default results). That is the Linux default; make sure of it.
    SavedFloatTraps_ = fegetexcept();
    if (SavedFloatTraps_ != 0)
        fedisableexcept(FE_ALL_EXCEPT);
}

TFFmpegLoader::~TFFmpegLoader() {
    if (SavedFloatTraps_ != 0)
        feenableexcept(SavedFloatTraps_);
}

void TFFmpegLoader::SetLibraryPath(const std::string& Folder) {
    std::lock_guard g(Lock_);
    LibraryPath_ = Folder;
}

std::string TFFmpegLoader::LibraryPath() const {
    std::lock_guard g(Lock_);
    return LibraryPath_;
}

std::string TFFmpegLoader::LastError() const {
    std::lock_guard g(Lock_);
    return LastError_;
}

std::string TFFmpegLoader::LibraryFileName(TLibraryKind Kind) const {
    std::lock_guard g(Lock_);
    return AddTrailingSlash(LibraryPath_) + Table_[Kind].FileName;
}

bool TFFmpegLoader::LoadLib(TLibraryKind Kind) {
    const TLibraryItem& item = Table_[Kind];
    std::function<void()> afterLoad;
    {
        std::lock_guard g(Lock_);
        TLibraryStatus& st = Status_[Kind];
        if (!st.Loaded) {
            const std::string file = AddTrailingSlash(LibraryPath_) + item.FileName;
            if (!item.RuntimeVersion) {
                LastError_ = "Load library " + file + " error: the program was built without this library";
                return false;
            }
            const unsigned v = item.RuntimeVersion();
            if (item.Version >= 0 && int(v >> 16) != item.Version) {
                // Named as found: the wrong version may well come from another folder.
                LastError_ = "Load library " + LoadedFileName(item.FileName, file) +
                             " error: version " + VersionString(v) +
                             " found, major version " + std::to_string(item.Version) + " required";
                return false;
            }
            st.Loaded = true;
        }
        if (st.Bound)
            return true;
        afterLoad = item.AfterLoad;
    }
    // The one-time initialisation may log, and logging may call back into the loader; run it
    // outside the lock.
    bool ok = true;
    std::string error;
    try {
        if (afterLoad)
            afterLoad();
    } catch (const std::exception& e) {
        ok = false;
        error = e.what();
    }
    std::lock_guard g(Lock_);
    if (ok) {
        Status_[Kind].Bound = true;
        return true;
    }
    LastError_ = error;
    Status_[Kind] = TLibraryStatus{Kind};
    return false;
}

bool TFFmpegLoader::LoadLibs(TLibrarySet Set) {
    if (Set == 0)
        AssertionFailure(LoaderUnit, "empty library set");
    for (int k = 0; k < LibraryKindCount; ++k) {
        if ((Set & LibrarySetOf(TLibraryKind(k))) && !LoadLib(TLibraryKind(k))) {
            UnloadLibs(Set);
            return false;
        }
    }
    return true;
}

bool TFFmpegLoader::LibLoaded(TLibraryKind Kind) const {
    std::lock_guard g(Lock_);
    return Status_[Kind].Loaded && Status_[Kind].Bound;
}

bool TFFmpegLoader::LibsLoaded(TLibrarySet Set) const {
    if (Set == 0)
        AssertionFailure(LoaderUnit, "empty library set");
    for (int k = 0; k < LibraryKindCount; ++k)
        if ((Set & LibrarySetOf(TLibraryKind(k))) && !LibLoaded(TLibraryKind(k)))
            return false;
    return true;
}

void TFFmpegLoader::UnloadLib(TLibraryKind Kind) {
    std::lock_guard g(Lock_);
    Status_[Kind] = TLibraryStatus{Kind};
}

void TFFmpegLoader::UnloadLibs(TLibrarySet Set) {
    if (Set == 0)
        AssertionFailure(LoaderUnit, "empty library set");
    for (int k = 0; k < LibraryKindCount; ++k)
        if (Set & LibrarySetOf(TLibraryKind(k)))
            UnloadLib(TLibraryKind(k));
}

TFFmpegLoader& FFLoader() {
    static TFFmpegLoader loader(BuiltInLibraryTable());
    return loader;
}

std::mutex& CodecLock() {
    static std::mutex lock;
    return lock;
}
