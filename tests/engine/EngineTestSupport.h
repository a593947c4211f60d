// Helpers shared by the engine tests: a temporary folder, whole-file I/O and a main-thread
// dispatcher whose queue the test's own main thread services.
#pragma once

#include "engine/MainThread.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include <stdlib.h>

namespace enginetest {

// A uniquely named folder under the system's temporary folder, removed with its content.
class TTempDir {
public:
    TTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelta-engine-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path_ = pattern;
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path_, ec);
    }
    const std::string& Path() const { return Path_; }
    std::string File(const std::string& Name) const { return Path_ + "/" + Name; }

private:
    std::string Path_;
};

inline void WriteBytes(const std::string& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(Bytes.data(), std::streamsize(Bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + Path);
}

inline std::string ReadBytes(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A dispatcher as a GUI program would install it, built on a plain queue: RunAndWait queues the
// routine and blocks; the test's main thread runs queued routines in Serve() until the worker
// started by RunWorker has finished. Install it with SetMainThreadDispatcher for the test's
// duration (TDispatcherScope).
class TQueueDispatcher : public TMainThreadDispatcher {
public:
    void RunAndWait(const std::function<void()>& Routine) override {
        auto task = std::make_shared<TTask>();
        task->Routine = &Routine;
        std::unique_lock l(Lock_);
        Queue_.push_back(task);
        ++Queued_;
        Wake_.notify_all();
        Wake_.wait(l, [&] { return task->Done; });
        if (task->Error)
            std::rethrow_exception(task->Error);
    }

    void ProcessPendingEvents() override {
        {
            std::lock_guard g(Lock_);
            ++ProcessCalls_;
        }
        RunQueued();
    }

    // Starts Body on a new thread and services the queue on the calling (main) thread until
    // Body has returned; an exception of Body is rethrown here.
    void RunWorker(const std::function<void()>& Body) {
        std::exception_ptr error;
        {
            std::lock_guard g(Lock_);
            WorkerDone_ = false;
        }
        std::thread worker([&] {
            try {
                Body();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard g(Lock_);
            WorkerDone_ = true;
            Wake_.notify_all();
        });
        for (;;) {
            std::unique_lock l(Lock_);
            Wake_.wait(l, [&] { return WorkerDone_ || !Queue_.empty(); });
            if (Queue_.empty())
                break;
            l.unlock();
            RunQueued();
        }
        worker.join();
        if (error)
            std::rethrow_exception(error);
    }

    int Queued() const {
        std::lock_guard g(Lock_);
        return Queued_;
    }
    int ProcessCalls() const {
        std::lock_guard g(Lock_);
        return ProcessCalls_;
    }

private:
    struct TTask {
        const std::function<void()>* Routine = nullptr;
        bool Done = false;
        std::exception_ptr Error;
    };

    void RunQueued() {
        for (;;) {
            std::shared_ptr<TTask> task;
            {
                std::lock_guard g(Lock_);
                if (Queue_.empty())
                    return;
                task = Queue_.front();
                Queue_.pop_front();
            }
            std::exception_ptr error;
            try {
                (*task->Routine)();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard g(Lock_);
            task->Error = error;
            task->Done = true;
            Wake_.notify_all();
        }
    }

    mutable std::mutex Lock_; // guards everything below
    std::condition_variable Wake_;
    std::deque<std::shared_ptr<TTask>> Queue_;
    int Queued_ = 0;
    int ProcessCalls_ = 0;
    bool WorkerDone_ = true;
};

// Installs a dispatcher for a scope and removes it again.
class TDispatcherScope {
public:
    explicit TDispatcherScope(TMainThreadDispatcher* D) { SetMainThreadDispatcher(D); }
    ~TDispatcherScope() { SetMainThreadDispatcher(nullptr); }
    TDispatcherScope(const TDispatcherScope&) = delete;
    TDispatcherScope& operator=(const TDispatcherScope&) = delete;
};

// Ends the process when a test body does not finish in time: a deadlock fails loudly instead of
// hanging the test program.
class TWatchdog {
public:
    explicit TWatchdog(std::chrono::seconds Limit) {
        Thread_ = std::thread([this, Limit] {
            std::unique_lock g(Lock_);
            if (!Done_.wait_for(g, Limit, [this] { return Finished_; })) {
                std::fprintf(stderr, "watchdog: the test body is stuck (deadlock)\n");
                std::abort();
            }
        });
    }
    ~TWatchdog() {
        {
            std::lock_guard g(Lock_);
            Finished_ = true;
        }
        Done_.notify_all();
        Thread_.join();
    }

private:
    std::mutex Lock_;
    std::condition_variable Done_;
    bool Finished_ = false;
    std::thread Thread_;
};

} // namespace enginetest
