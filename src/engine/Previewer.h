// The floating preview window of a running conversion task, as the engine sees it.
//
// The engine never touches a window: a task whose preview bit 0 is set (and bit 1 is not) hands
// each preview frame to a TPreviewer, which the program supplies through a TPreviewerFactory
// (the Qt application's window is in ui/FrmPreviewer). Without a factory bit 0 has no effect.
//
// Ownership and threads: the task creates its previewer at its first preview frame, on its
// worker thread, and owns it. ShowFrame is called on the worker; an implementation copies what
// it needs and shows the frame on the main thread, the worker waiting until it has been shown
// (RunInMainThread). When ShowFrame reports the window closed, the task clears its bit 0 and
// destroys the previewer; the destructor may run on any thread and must itself get the window
// destroyed on the main thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class TBitmap24;

class TPreviewer {
public:
    virtual ~TPreviewer() = default;

    // Shows one frame (BGR24, valid only during the call) captioned with PTS (microseconds of
    // the encoded frame). The window is created on the first call: a stay-on-top tool window
    // centred on the screen whose client area has the frame's size. Returns false, without
    // showing anything, once the user has closed the window.
    virtual bool ShowFrame(const TBitmap24& Bitmap, int FrameNumber, int64_t PTS) = 0;
};

// Makes the previewer of one task; may return null (no preview window then). Called on the
// task's worker thread.
using TPreviewerFactory = std::function<std::unique_ptr<TPreviewer>()>;
