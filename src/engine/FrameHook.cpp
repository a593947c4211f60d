// Hook modules, the hook state of a task and deinterlacing; the task's side is in
// CustomFFmpegHooks.cpp.

#include "engine/FrameHook.h"

#include "engine/FFLogger.h"

#include <cstring>
#include <new>
#include <utility>

#include <dlfcn.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

namespace {

// Every module file loaded by this program: loaded once, never unloaded.
struct TModuleFiles {
    std::mutex Lock; // guards Files
    std::vector<std::pair<std::string, void*>> Files;
};

TModuleFiles& ModuleFiles() {
    static TModuleFiles files;
    return files;
}

// The module's handle, loading it on first use; null (reason logged) when it cannot be loaded.
void* ModuleHandle(const std::string& FileName) {
    TModuleFiles& files = ModuleFiles();
    std::lock_guard g(files.Lock);
    for (const auto& [name, handle] : files.Files)
        if (name == FileName)
            return handle;
    void* handle = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        av_log(nullptr, AV_LOG_ERROR, "%s\n", reason != nullptr ? reason : FileName.c_str());
        return nullptr;
    }
    files.Files.emplace_back(FileName, handle);
    return handle;
}

template <class TFunction> TFunction EntryPoint(void* Handle, const char* Name) {
    return reinterpret_cast<TFunction>(dlsym(Handle, Name));
}



} // namespace

std::vector<std::string> SplitHookArguments(const std::string& Text) {
    const char delimiter = Text.find('|') != std::string::npos ? '|' : ' ';
    std::vector<std::string> tokens;
    size_t start = 0;
    while (start <= Text.size()) {
        size_t end = Text.find(delimiter, start);
        if (end == std::string::npos)
            end = Text.size();
        if (end > start)
            tokens.push_back(Text.substr(start, end - start));
        start = end + 1;
    }
    return tokens;
}

// ---- hook modules ----

THookModuleList::~THookModuleList() {
    Release();
}

int THookModuleList::Add(const std::string& Arguments) {
    std::vector<std::string> tokens = SplitHookArguments(Arguments);
    const int argc = int(tokens.size());
    if (argc == 0)
        return -2;
    const std::string& name = tokens[0];
    if (argc > MaxHookArguments) {
        av_log(nullptr, AV_LOG_ERROR, "Too many arguments for %s (at most %d)\n", name.c_str(),
               MaxHookArguments);
        return -7;
    }
    void* handle = ModuleHandle(name);
    if (handle == nullptr)
        return -1;
    try {
        Modules_.reserve(Modules_.size() + 1);
    } catch (const std::bad_alloc&) {
        return -12;
    }
    TModule module;
    module.Configure = EntryPoint<TVHookConfigure>(handle, "Configure");
    module.Process = EntryPoint<TVHookProcess>(handle, "Process");
    module.Release = EntryPoint<TVHookRelease>(handle, "Release");
    if (module.Process == nullptr) {
        av_log(nullptr, AV_LOG_ERROR, "Failed to find Process entrypoint in %s\n", name.c_str());
        return -2;
    }
    if (module.Configure == nullptr && argc > 1) {
        av_log(nullptr, AV_LOG_ERROR, "Failed to find Configure entrypoint in %s\n", name.c_str());
        return -2;
    }
    if (module.Configure != nullptr) {
        std::vector<char*> argv(MaxHookArguments + 1, nullptr);
        for (int i = 0; i < argc; ++i)
            argv[size_t(i)] = tokens[size_t(i)].data();
        if (module.Configure(&module.Context, argc, argv.data(), MaxHookArguments) != 0) {
            av_log(nullptr, AV_LOG_ERROR, "Failed to Configure %s\n", name.c_str());
            return -22;
        }
    }
    Modules_.push_back(module);
    return 0;
}

void THookModuleList::Process(AVFrame* Picture, int64_t PTS) {
    TVHookPicture picture{};
    for (int i = 0; i < 4; ++i) {
        picture.Data[i] = Picture->data[i];
        picture.Linesize[i] = Picture->linesize[i];
    }
    for (const TModule& m : Modules_)
        m.Process(m.Context, &picture, Picture->format, Picture->width, Picture->height, PTS);
}

void THookModuleList::Release() {
    for (const TModule& m : Modules_)
        if (m.Release != nullptr)
            m.Release(m.Context);
    Modules_.clear();
}

// ---- deinterlacing ----

bool DeinterlacePicture(AVFrame* Dst, const AVFrame* Src) {
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(AVPixelFormat(Src->format));
    if (desc == nullptr || Dst->format != Src->format || Dst->width != Src->width ||
        Dst->height != Src->height || Src->height < 1 ||
        (desc->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL |
                        AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_FLOAT)))
        return false;
    for (int c = 0; c < desc->nb_components; ++c)
        if (desc->comp[c].depth != 8 || desc->comp[c].step != 1 || desc->comp[c].offset != 0)
            return false;
    const int planes = av_pix_fmt_count_planes(AVPixelFormat(Src->format));
    for (int p = 0; p < planes; ++p) {
        const bool chroma = p == 1 || p == 2;
        const int w = chroma ? AV_CEIL_RSHIFT(Src->width, desc->log2_chroma_w) : Src->width;
        const int h = chroma ? AV_CEIL_RSHIFT(Src->height, desc->log2_chroma_h) : Src->height;
        for (int y = 0; y < h; ++y) {
            const uint8_t* above = Src->data[p] + ptrdiff_t(y > 0 ? y - 1 : y) * Src->linesize[p];
            const uint8_t* line = Src->data[p] + ptrdiff_t(y) * Src->linesize[p];
            const uint8_t* below =
                Src->data[p] + ptrdiff_t(y + 1 < h ? y + 1 : y) * Src->linesize[p];
            uint8_t* out = Dst->data[p] + ptrdiff_t(y) * Dst->linesize[p];
            for (int x = 0; x < w; ++x)
                out[x] = uint8_t((above[x] + 2 * line[x] + below[x] + 2) >> 2);
        }
    }
    return true;
}

std::recursive_timed_mutex& EnginePreviewLock() {
    static std::recursive_timed_mutex lock;
    return lock;
}

void TFrameHookState::ResetBuffers() {
    HookPicture.reset();
    PicturePool.reset();
    PicturePoolSize = 0;
    ResetConverter(HookConverter);
    ResetConverter(PreviewConverter);
    LastPreview = 0;
    PreviewDone = false;
}

