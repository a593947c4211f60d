#include "engine/MainThread.h"

#include <atomic>

namespace {

// Both are set at start-up on the main thread and only read while engine threads run.
std::atomic<std::thread::id> gMainThread{std::this_thread::get_id()};
std::atomic<TMainThreadDispatcher*> gDispatcher{nullptr};

} // namespace

void SetMainThread(std::thread::id Id) { gMainThread.store(Id); }

bool IsMainThread() { return std::this_thread::get_id() == gMainThread.load(); }

void SetMainThreadDispatcher(TMainThreadDispatcher* Dispatcher) { gDispatcher.store(Dispatcher); }

TMainThreadDispatcher* MainThreadDispatcher() { return gDispatcher.load(); }

void RunInMainThread(const std::function<void()>& Routine) {
    TMainThreadDispatcher* d = gDispatcher.load();
    if (d == nullptr || IsMainThread()) {
        Routine();
        return;
    }
    d->RunAndWait(Routine);
}

void ProcessMessages() {
    TMainThreadDispatcher* d = gDispatcher.load();
    if (d != nullptr && IsMainThread())
        d->ProcessPendingEvents();
}
