#include "engine/FFLogger.h"

#include "engine/MainThread.h"

#include <cstdio>
#include <memory>
#include <strings.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <unordered_map>

extern "C" {
#include <libavutil/log.h>
}

namespace {

// Library text of each thread that has not reached a line end yet. A thread's item goes once
// its text has ended with a line end: every task runs on a thread of its own, and a batch of
// many thousand files must not leave one item each behind.
class TLogList {
public:
    // Adds Text for Thread and returns the completed lines, in order.
    std::vector<std::string> Add(uint32_t Thread, const std::string& Prefix, const std::string& Text) {
        std::lock_guard g(Lock_);
        std::string& pending = Items_[Thread];
        if (pending.empty())
            pending = Prefix + Text;
        else
            pending += Text; // a continuation carries no prefix of its own
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t lf; (lf = pending.find('\n', start)) != std::string::npos; start = lf + 1)
            lines.push_back(pending.substr(start, lf - start));
        pending.erase(0, start);
        if (pending.empty())
            Items_.erase(Thread);
        return lines;
    }

private:
    std::mutex Lock_; // guards Items_
    std::unordered_map<uint32_t, std::string> Items_;
};

TLogList& LogList() {
    static TLogList list;
    return list;
}

std::atomic<TFFLogger*> gLogger{nullptr};
std::atomic<int> gLibraryLevel{AV_LOG_INFO};
// The libraries' callback and level are process-wide, like the logger that follows them.
std::atomic<bool> gCallbackInstalled{false};

void ApplyLibraryLevel(TLogLevel Level) {
    gLibraryLevel.store(LibraryLevelOf(Level));
    av_log_set_level(LibraryLevelOf(Level));
}

const char* const LevelNames[] = {"quiet", "panic", "fatal", "error",
                                  "warning", "info", "verbose", "debug"};

} // namespace

TLogLevel LogLevelFromLibrary(int Level) {
    int n = Level / 8 + 1; // C++ division truncates toward zero, as required
    if (n < llQuiet)
        n = llQuiet;
    if (n > llDebug)
        n = llDebug;
    return TLogLevel(n);
}

int LibraryLevelOf(TLogLevel Level) { return (int(Level) - 1) * 8; }

const char* LogLevelName(TLogLevel Level) { return LevelNames[Level]; }

int CurrentLibraryLogLevel() { return gLibraryLevel.load(); }

uint32_t CurrentThreadID() { return uint32_t(syscall(SYS_gettid)); }

TFFLogger::TFFLogger() {
    TFFLogger* expected = nullptr;
    if (!gLogger.compare_exchange_strong(expected, this))
        AssertionFailure("Src/FFmpegLogger", "Allow creating only one instance of TFFLogger.");
    LogLevel_.store(LogLevelFromLibrary(gLibraryLevel.load()));
}

TFFLogger::~TFFLogger() {
    TFFLogger* self = this;
    gLogger.compare_exchange_strong(self, nullptr);
}

void TFFLogger::SetLogLevel(TLogLevel Level) {
    if (LogLevel_.exchange(Level) == Level)
        return;
    if (gCallbackInstalled.load())
        ApplyLibraryLevel(Level);
}

void TFFLogger::SetLogLevelByName(const std::string& Text) {
    for (int i = 0; i < 8; ++i) {
        if (strcasecmp(Text.c_str(), LevelNames[i]) == 0) {
            SetLogLevel(TLogLevel(i));
            return;
        }
    }
    size_t used = 0;
    int n = 0;
    try {
        n = std::stoi(Text, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != Text.size())
        throw FFmpegException("'" + Text + "' is not a valid integer value");
    SetLogLevel(LogLevelFromLibrary(n));
}

void TFFLogger::SetOnLog(TLogEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnLog_ = std::move(Handler);
}

void TFFLogger::InstallLibraryCallback() {
    av_log_set_callback(&TFFLogger::LibraryLogCallback);
    gCallbackInstalled.store(true);
    ApplyLibraryLevel(LogLevel());
}

void InstallLibraryLogCallback() {
    if (TFFLogger* l = gLogger.load()) {
        l->InstallLibraryCallback();
        return;
    }
    av_log_set_callback(&TFFLogger::LibraryLogCallback);
    gCallbackInstalled.store(true);
    ApplyLibraryLevel(LogLevelFromLibrary(gLibraryLevel.load()));
}

bool TFFLogger::Deliverable(TLogLevel Level) const {
    // Quiet is the level of the error that stops a conversion before it starts, and verbose
    // carries status lines: both get through any filter but the quiet one.
    const TLogLevel filter = LogLevel();
    return Level <= filter || (Level == llVerbose && filter > llQuiet);
}

void TFFLogger::LogMessage(const void* Sender, TLogLevel Level, const std::string& Msg) {
    {
        std::lock_guard g(HandlerLock_);
        if (!OnLog_)
            return;
    }
    if (!Deliverable(Level))
        return;
    Fire(TLogInfo{Sender, CurrentThreadID(), Level, Msg});
}

void TFFLogger::LogFormat(const void* Sender, TLogLevel Level, const char* Format, ...) {
    char buf[2048];
    va_list args;
    va_start(args, Format);
    std::vsnprintf(buf, sizeof buf, Format, args);
    va_end(args);
    LogMessage(Sender, Level, buf);
}

void TFFLogger::LibraryLogCallback(void* Object, int Level, const char* Format, va_list Args) {
    if (Level > gLibraryLevel.load())
        return;
    std::string prefix;
    if (Object != nullptr) {
        const AVClass* cls = *static_cast<const AVClass**>(Object);
        const char* name = (cls != nullptr && cls->item_name != nullptr) ? cls->item_name(Object) : "";
        char buf[160];
        std::snprintf(buf, sizeof buf, "[%s @ %0*llX]", name ? name : "", int(2 * sizeof(void*)),
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(Object)));
        prefix = buf;
    }
    char text[2048];
    std::vsnprintf(text, sizeof text, Format, Args);
    GetLogger().AddLibraryText(Level, prefix, text);
}

void TFFLogger::AddLibraryText(int Level, const std::string& Prefix, const std::string& Text) {
    const uint32_t thread = CurrentThreadID();
    std::vector<std::string> lines = LogList().Add(thread, Prefix, Text);
    if (lines.empty())
        return;
    {
        std::lock_guard g(HandlerLock_);
        if (!OnLog_)
            return;
    }
    for (std::string& line : lines)
        Fire(TLogInfo{this, thread, LogLevelFromLibrary(Level), std::move(line)});
}

void TFFLogger::Fire(const TLogInfo& Info) {
    TLogEvent handler;
    {
        std::lock_guard g(HandlerLock_);
        handler = OnLog_;
    }
    if (!handler)
        return;
    auto call = [&] { handler(Info.Sender, Info.ThreadID, Info.LogLevel, Info.LogMsg); };
    // Calls handed to the main thread are serialised by it; holding the lock across that wait
    // would deadlock against the main thread logging meanwhile.
    if (TriggerEventInMainThread() && MainThreadDispatcher() != nullptr && !IsMainThread()) {
        RunInMainThread(call);
        return;
    }
    std::lock_guard g(FireLock_);
    call();
}

TFFLogger& GetLogger() {
    static std::unique_ptr<TFFLogger> hidden;
    static std::mutex createLock;
    if (TFFLogger* l = gLogger.load())
        return *l;
    std::lock_guard g(createLock);
    if (TFFLogger* l = gLogger.load())
        return *l;
    hidden = std::make_unique<TFFLogger>();
    return *hidden;
}
