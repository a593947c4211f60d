// Main-thread dispatch for engine events.
//
// The engine never touches a window, but several of its events are delivered synchronously on
// the main thread (the logger's OnLog, progress and preview events). How that happens depends on
// the program: the Qt application installs a dispatcher built on its event loop; a program
// without one (the command-line converter, unit tests) gets the events on the calling thread.
#pragma once

#include <functional>
#include <thread>

class TMainThreadDispatcher {
public:
    virtual ~TMainThreadDispatcher() = default;
    // Runs Routine on the main thread and returns once it has run. Called only from threads
    // other than the main thread. An exception thrown by Routine is rethrown to the caller.
    virtual void RunAndWait(const std::function<void()>& Routine) = 0;
    // Handles pending events and queued cross-thread calls of the main thread once, without
    // blocking. Called only on the main thread.
    virtual void ProcessPendingEvents() = 0;
};

// The process's main thread is the thread that first touched this module (normally through the
// loader at program start); SetMainThread moves it (for tests and for programs that start the
// engine from a helper thread).
void SetMainThread(std::thread::id Id);
bool IsMainThread();

// Installs the dispatcher (not owned; the installer keeps it alive until it removes it with
// nullptr). Call on the main thread while no engine thread runs.
void SetMainThreadDispatcher(TMainThreadDispatcher* Dispatcher);
TMainThreadDispatcher* MainThreadDispatcher();

// Runs Routine on the main thread and waits for it; on the main thread, or when no dispatcher is
// installed, it runs at once on the calling thread.
void RunInMainThread(const std::function<void()>& Routine);

// Lets the main thread handle its pending events and cross-thread calls once. Does nothing off
// the main thread or without a dispatcher.
void ProcessMessages();
