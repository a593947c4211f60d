// The frame hook pipeline of a conversion task: the hook picture buffer, deinterlacing, the
// custom hook (picture -> BGR24 bitmap -> callback -> back into the picture), video hook modules,
// and the preview frames.
//
// Video hook modules are shared libraries with plain C entry points, looked up by name:
//   int  Configure(void** Context, int Argc, char* Argv[], int MaxArgs);
//        optional unless arguments follow the file name; 0 = success. Argv[0] is the module's
//        file name, MaxArgs is always MaxHookArguments.
//   void Process(void* Context, TVHookPicture* Picture, int PixelFormat, int Width, int Height,
//                int64_t PTS);
//        required; changes the picture in place (PixelFormat an AVPixelFormat, PTS in
//        microseconds).
//   void Release(void* Context);
//        optional; called when the task's session is freed.
// A module file is loaded once for the life of the program (the process-wide module list); a
// second vhook naming the same file reuses it. Libraries a module needs beside itself are found
// through its own run path ($ORIGIN): the loader changes neither the current folder nor the
// environment of a program that may be running other tasks.
//
// Threads: a task's state is used by the thread of its run only. The module list and the
// engine preview lock are process-wide and guarded.
#pragma once

#include "engine/FFUtils.h"
#include "engine/Previewer.h"
#include "engine/SessionTypes.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct AVFrame;

// The picture a module's Process receives: four plane pointers, then four line sizes.
struct TVHookPicture {
    uint8_t* Data[4];
    int Linesize[4];
};

extern "C" {
using TVHookConfigure = int (*)(void** Context, int Argc, char* Argv[], int MaxArgs);
using TVHookProcess = void (*)(void* Context, TVHookPicture* Picture, int PixelFormat, int Width,
                               int Height, int64_t PTS);
using TVHookRelease = void (*)(void* Context);
}

// The argument vector holds MaxHookArguments + 1 entries (the last one null).
inline constexpr int MaxHookArguments = 63;

// Splits a vhook text into its tokens: at "|" when the text holds one, otherwise at spaces;
// empty tokens are skipped, the others kept as they stand (a "|" token keeps its spaces).
std::vector<std::string> SplitHookArguments(const std::string& Text);

// The loaded hook modules of one task, in the order added.
class THookModuleList {
public:
    THookModuleList() = default;
    // Releases every module.
    ~THookModuleList();
    THookModuleList(const THookModuleList&) = delete;
    THookModuleList& operator=(const THookModuleList&) = delete;

    // Loads the module the text names and configures it with the text's arguments. Result 0
    // (appended), -2 (no tokens, no "Process", or arguments without "Configure"), -1 (the file
    // cannot be loaded), -7 (more than MaxHookArguments arguments), -12 (out of memory) or -22
    // (Configure failed). Reasons go to the libraries' log at error level: the system's message,
    // "Failed to find Process entrypoint in %s", "Failed to find Configure entrypoint in %s",
    // "Failed to Configure %s".
    int Add(const std::string& Arguments);
    // Calls each module's Process in list order on Picture (changed in place).
    void Process(AVFrame* Picture, int64_t PTS);
    // Calls Release of the modules that have one and empties the list (the files stay loaded).
    void Release();
    bool Empty() const { return Modules_.empty(); }
    size_t Count() const { return Modules_.size(); }

private:
    struct TModule {
        TVHookConfigure Configure = nullptr;
        TVHookProcess Process = nullptr;
        TVHookRelease Release = nullptr;
        void* Context = nullptr;
    };
    std::vector<TModule> Modules_;
};

// Deinterlaces Src into Dst (same size and format, buffers allocated) by blending every line
// with its two neighbours (1/4, 1/2, 1/4; the first and last line use themselves in place of
// the missing neighbour), plane by plane. The deinterlacer of the old libraries is gone and the
// libraries' filters (yadif, bwdif) hold pictures back; this keeps one picture in, one out.
// 8-bit planar YUV and gray formats only; false for others (nothing written).
bool DeinterlacePicture(AVFrame* Dst, const AVFrame* Src);

// The one lock of all tasks around the preview flags' use and the preview production.
// Recursive: a preview callback may change the flags of its own task. Timed: a main thread
// waiting for it keeps its pending calls running.
std::recursive_timed_mutex& EnginePreviewLock();

// One task's hook and preview state: created with the task, reset by ResetOptions and
// FreeSession, used by the thread of its run.
struct TFrameHookState {
    // The hook picture buffer: pictures of the decoder's size and format from a pool, so that a
    // picture the encoder still holds is never overwritten.
    TBufferPoolPtr PicturePool;
    int PicturePoolSize = 0;
    TFramePtr HookPicture;
    TFrameConverter HookConverter;
    TFrameConverter PreviewConverter;
    THookModuleList Modules;
    std::unique_ptr<TPreviewer> Previewer; // guarded by the engine preview lock
    int64_t LastPreview = 0;               // microseconds, monotonic clock
    bool PreviewDone = false;              // a preview was made in this run
    bool InPreview = false;                // the worker is inside its preview step
    // For the current run: the custom hook and the modules are still on.
    bool HookActive = false;
    bool ModulesActive = false;

    // Frees the buffer and both conversion states (bitmap format back to 24-bit BGR).
    void ResetBuffers();
};
