// Types shared by every part of the conversion engine, the probe and the player.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

// Media times are signed 64-bit microseconds; this value means "no time".
inline constexpr int64_t NoMediaTime = std::numeric_limits<int64_t>::min();

// Raised inside the engine for refused options and failed set-up steps. The component catches it
// into its LastError text; the application's exception handler shows it with a warning icon.
class FFmpegException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A programming error inside the engine (a precondition the caller broke). The text names the
// unit, as in "Assertion failure (Src/FFmpegLoader)".
class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] void AssertionFailure(const std::string& unit, const std::string& detail = {});

// Common base of the engine's components (logger, probe, converter, player). Components are
// non-copyable objects owned by whoever created them.
class TFFBaseComponent {
public:
    TFFBaseComponent() = default;
    virtual ~TFFBaseComponent() = default;
    TFFBaseComponent(const TFFBaseComponent&) = delete;
    TFFBaseComponent& operator=(const TFFBaseComponent&) = delete;

    // The class name used in log prefixes and messages.
    virtual const char* ClassName() const { return "TFFBaseComponent"; }
};
