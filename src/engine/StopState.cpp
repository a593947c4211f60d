#include "engine/StopState.h"

namespace {

int InputInterrupt(void* Opaque) {
    return static_cast<const TStopState*>(Opaque)->Requested() ? 1 : 0;
}

int OutputInterrupt(void* Opaque) {
    return static_cast<const TStopState*>(Opaque)->RequestedFor(TStopState::OutputGrace) ? 1 : 0;
}

} // namespace

int64_t TStopState::Now() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TStopState::Request() {
    // The time first, so a reader that sees the flag also sees when it was set.
    int64_t unset = 0;
    Since_.compare_exchange_strong(unset, Now());
    Requested_ = true;
}

void TStopState::Clear() {
    Requested_ = false;
    Since_ = 0;
}

bool TStopState::Requested() const {
    if (Requested_.load())
        return true;
    const TStopState* outer = Outer_.load();
    return outer != nullptr && outer->Requested();
}

bool TStopState::RequestedFor(std::chrono::milliseconds Age) const {
    if (Requested_.load()) {
        const int64_t since = Since_.load();
        if (since != 0 && Now() - since >= int64_t(Age.count()) * 1000)
            return true;
    }
    const TStopState* outer = Outer_.load();
    return outer != nullptr && outer->RequestedFor(Age);
}

AVIOInterruptCB TStopState::InputCallback() const {
    return AVIOInterruptCB{InputInterrupt, const_cast<TStopState*>(this)};
}

AVIOInterruptCB TStopState::OutputCallback() const {
    return AVIOInterruptCB{OutputInterrupt, const_cast<TStopState*>(this)};
}

bool Interrupted(const AVIOInterruptCB& Callback) {
    return Callback.callback != nullptr && Callback.callback(Callback.opaque) != 0;
}
