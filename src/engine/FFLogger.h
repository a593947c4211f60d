// The engine logger: one process-wide sink for the diagnostic text of the engine, the probe, the
// player and the media libraries themselves.
//
// Engine text arrives whole through LogMessage/LogFormat. Library text arrives through the
// libraries' log callback in pieces; the logger assembles it into whole lines per thread and
// prefixes each line with the emitting object's name and address. Every line becomes one OnLog
// call, by default on the main thread (see MainThread.h).
#pragma once

#include "engine/FFTypes.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

enum TLogLevel : int { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

// The libraries' numeric level (quiet -8 ... debug 48) as a TLogLevel: n / 8 + 1 truncated toward
// zero and limited to llQuiet..llDebug.
TLogLevel LogLevelFromLibrary(int Level);
// (ordinal - 1) * 8: llQuiet -> -8, llDebug -> 48.
int LibraryLevelOf(TLogLevel Level);
const char* LogLevelName(TLogLevel Level);

// Sender is the object that logged (a component, a task) or the logger itself for library
// lines; AThreadID is the kernel thread id of the thread that produced the text.
using TLogEvent = std::function<void(const void* Sender, uint32_t AThreadID, TLogLevel ALogLevel,
                                     const std::string& ALogMsg)>;

struct TLogInfo {
    const void* Sender = nullptr;
    uint32_t ThreadID = 0;
    TLogLevel LogLevel = llInfo;
    std::string LogMsg;
};

// Kernel id of the calling thread, as reported in log events.
uint32_t CurrentThreadID();

class TFFLogger : public TFFBaseComponent {
public:
    // At most one logger exists; constructing a second one raises EAssertionFailed with
    // "Allow creating only one instance of TFFLogger.". The new logger becomes the global one.
    TFFLogger();
    ~TFFLogger() override;
    const char* ClassName() const override { return "TFFLogger"; }

    TLogLevel LogLevel() const { return LogLevel_.load(); }
    // Stores the level and, once the library callback is installed, passes it to the libraries.
    void SetLogLevel(TLogLevel Level);
    // "quiet", "panic", "fatal", "error", "warning", "info", "verbose", "debug" (any letter case)
    // or a decimal library level. Other text raises FFmpegException.
    void SetLogLevelByName(const std::string& Text);

    // True (the default): OnLog runs on the main thread, a worker waiting until it has run.
    bool TriggerEventInMainThread() const { return TriggerInMain_.load(); }
    void SetTriggerEventInMainThread(bool Value) { TriggerInMain_.store(Value); }

    void SetOnLog(TLogEvent Handler);

    // Installs the libraries' log callback and applies this logger's level.
    void InstallLibraryCallback();

    void LogMessage(const void* Sender, TLogLevel Level, const std::string& Msg);
    void LogFormat(const void* Sender, TLogLevel Level, const char* Format, ...)
        __attribute__((format(printf, 4, 5)));

    // The callback given to the libraries (av_log_set_callback).
    static void LibraryLogCallback(void* Object, int Level, const char* Format, va_list Args);

    // Library text from the calling thread: Prefix starts a new line; Text may hold any number
    // of line ends. Exposed so the line assembly can be driven without the libraries.
    void AddLibraryText(int Level, const std::string& Prefix, const std::string& Text);

private:
    bool Deliverable(TLogLevel Level) const;
    void Fire(const TLogInfo& Info);

    std::atomic<TLogLevel> LogLevel_{llInfo};
    std::atomic<bool> TriggerInMain_{true};

    std::mutex HandlerLock_; // guards OnLog_
    TLogEvent OnLog_;
    // Serialises deliveries made on the calling thread so that lines never mix; recursive so a
    // handler may log itself.
    std::recursive_mutex FireLock_;
};

// The global logger, created (without owner) on first use when none exists.
TFFLogger& GetLogger();

// Installs the libraries' log callback and applies the level of the global logger, or the
// current library level while none exists. Called by the loader once avutil is loaded; it does
// not create a logger, so the application may still create its own afterwards.
void InstallLibraryLogCallback();

// The library level currently in force (initially 32, info).
int CurrentLibraryLogLevel();
