// Shared fixture of the option-layer tests: loaded libraries, a fresh conversion core, and the
// engine log captured on the calling thread (level, handler and trigger mode restored after).
#pragma once

#include <type_traits>

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/GenericOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <typeinfo>
#include <vector>

namespace optiontest {

class TOptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        SavedLevel_ = GetLogger().LogLevel();
        SavedTrigger_ = GetLogger().TriggerEventInMainThread();
        GetLogger().SetLogLevel(llInfo);
        GetLogger().SetTriggerEventInMainThread(false);
        GetLogger().SetOnLog([this](const void*, uint32_t, TLogLevel Level, const std::string& Msg) {
            std::lock_guard g(Lock_);
            Lines_.push_back({nullptr, 0, Level, Msg});
        });
        Core = std::make_unique<TCustomFFmpeg>();
        Core->PrepareTask();
    }

    void TearDown() override {
        Core.reset();
        GetLogger().SetOnLog(nullptr);
        GetLogger().SetTriggerEventInMainThread(SavedTrigger_);
        GetLogger().SetLogLevel(SavedLevel_);
    }

    TOptionState& State() { return Core->Options(); }
    TOptionContexts& Contexts() { return Core->OptionContexts(); }

    void Set(const std::string& Name, const std::string& Value) { Core->SetOption(Name, Value); }

    // The what() of the exception Body raises when it is of type E; "<none>" when Body raises
    // nothing, "<other: ...>" for an exception of another type.
    template <class E = std::exception>
    static std::string Raised(const std::function<void()>& Body) {
        if constexpr (std::is_same_v<E, std::exception>) {
            try {
                Body();
            } catch (const std::exception& e) {
                return e.what();
            }
        } else {
            try {
                Body();
            } catch (const E& e) {
                return e.what();
            } catch (const std::exception& e) {
                return std::string("<other: ") + e.what() + ">";
            }
        }
        return "<none>";
    }
    template <class E = std::exception>
    std::string RaisedBy(const std::string& Name, const std::string& Value) {
        return Raised<E>([&] { Set(Name, Value); });
    }

    std::vector<TLogInfo> Lines() {
        std::lock_guard g(Lock_);
        return Lines_;
    }
    void ClearLines() {
        std::lock_guard g(Lock_);
        Lines_.clear();
    }
    // Number of lines at Level whose text is exactly Text.
    int Logged(TLogLevel Level, const std::string& Text) {
        int n = 0;
        for (const TLogInfo& l : Lines())
            n += l.LogLevel == Level && l.LogMsg == Text;
        return n;
    }
    // Number of lines at Level that contain Text.
    int LoggedContaining(TLogLevel Level, const std::string& Text) {
        int n = 0;
        for (const TLogInfo& l : Lines())
            n += l.LogLevel == Level && l.LogMsg.find(Text) != std::string::npos;
        return n;
    }

    std::unique_ptr<TCustomFFmpeg> Core;

private:
    TLogLevel SavedLevel_ = llInfo;
    bool SavedTrigger_ = true;
    std::mutex Lock_;
    std::vector<TLogInfo> Lines_;
};

} // namespace optiontest
