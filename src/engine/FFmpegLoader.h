// The process-wide media library loader.
//
// The media libraries and SDL are linked at build time; the RPATH "$ORIGIN/LibAV" lets copies
// placed in LibAV beside the program win. The loader keeps the design's library sets and its
// observable behaviour: a library counts as loaded once its run-time major version has been
// checked against the one the program was built with and its one-time initialisation has run
// (the logger's library callback after avutil, the Unicode file protocol after avformat).
// Components ask for their set; a library already loaded is not loaded again.
//
// Thread: load and unload on the main thread while no conversion or playback runs; the query
// functions may be called from any thread afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

enum TLibraryKind : int {
    lkAVCodec,
    lkAVDevice,
    lkAVFilter,
    lkAVFormat,
    lkAVUtil,
    lkSWScale,
    lkMSVCRT,
    lkSDL,
};
inline constexpr int LibraryKindCount = 8;

// A library set: bit n stands for TLibraryKind n.
using TLibrarySet = uint32_t;
constexpr TLibrarySet LibrarySetOf(TLibraryKind Kind) { return 1u << Kind; }
inline constexpr TLibrarySet EngineLibraries = 0x7D; // avcodec, avfilter, avformat, avutil, swscale, C runtime
inline constexpr TLibrarySet PlayerLibraries = 0xFD; // the engine set plus SDL

// One row of the library table.
struct TLibraryItem {
    TLibraryKind Kind;
    std::string Name;        // base name, as "avcodec"
    int Version;             // major version built against; -1 = not versioned
    std::string FileName;    // the shared object's file name, as "libavcodec.so.59"
    // The run-time version as (major << 16 | minor << 8 | micro); empty when the program was
    // built without this library.
    std::function<unsigned()> RuntimeVersion;
    // One-time initialisation run after a successful load; may throw to refuse the load.
    std::function<void()> AfterLoad;
};
using TLibraryTable = std::array<TLibraryItem, LibraryKindCount>;

// The table of the libraries this program was built with.
TLibraryTable BuiltInLibraryTable();

struct TLibraryStatus {
    TLibraryKind Kind;
    bool Loaded = false; // the library is present in the process with the right version
    bool Bound = false;  // its one-time initialisation has run
};

class TFFmpegLoader {
public:
    // The global loader uses BuiltInLibraryTable(); tests build loaders over tables of their own.
    explicit TFFmpegLoader(TLibraryTable Table);
    ~TFFmpegLoader();
    TFFmpegLoader(const TFFmpegLoader&) = delete;
    TFFmpegLoader& operator=(const TFFmpegLoader&) = delete;

    void SetLibraryPath(const std::string& Folder);
    std::string LibraryPath() const;
    std::string LastError() const;

    // LibraryPath (with a trailing "/") followed by the library's file name; the bare file name
    // while no path is set.
    std::string LibraryFileName(TLibraryKind Kind) const;

    bool LoadLib(TLibraryKind Kind);
    // Loads the set in kind order; when one fails the whole set is unloaded again.
    bool LoadLibs(TLibrarySet Set);
    bool LibLoaded(TLibraryKind Kind) const;
    bool LibsLoaded(TLibrarySet Set) const;
    void UnloadLib(TLibraryKind Kind);
    void UnloadLibs(TLibrarySet Set);

    const TLibraryItem& Item(TLibraryKind Kind) const { return Table_[Kind]; }

private:
    TLibraryTable Table_;
    mutable std::mutex Lock_; // guards everything below
    std::array<TLibraryStatus, LibraryKindCount> Status_;
    std::string LibraryPath_;
    std::string LastError_;
    int SavedFloatTraps_ = 0;
};

// The process-wide loader (created on first use, lives until exit).
TFFmpegLoader& FFLoader();

// Serialises codec opening and closing and stream-information probing across all conversion
// tasks, probes and players.
std::mutex& CodecLock();

// Version text "major.minor.micro" of a packed library version.
std::string VersionString(unsigned Packed);
