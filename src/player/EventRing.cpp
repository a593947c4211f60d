#include "player/EventRing.h"

namespace player {

void TEventRing::Post(const TPlayerEvent& Event) {
    {
        std::lock_guard g(Lock_);
        if (Read_ == Write_ || Entries_[Write_].Kind != Event.Kind ||
            Entries_[Write_].Generation != Event.Generation) {
            Write_ = (Write_ + 1) % Capacity;
            if (Write_ == Read_)
                Read_ = (Read_ + 1) % Capacity;
        }
        Entries_[Write_] = Event;
    }
    Available_.Set();
}

bool TEventRing::Take(TPlayerEvent& Event) {
    std::lock_guard g(Lock_);
    if (Read_ == Write_) {
        Available_.Reset();
        return false;
    }
    Read_ = (Read_ + 1) % Capacity;
    Event = Entries_[Read_];
    if (Read_ == Write_)
        Available_.Reset();
    return true;
}

void TEventRing::Clear() {
    std::lock_guard g(Lock_);
    Read_ = Write_ = 0;
    Available_.Reset();
}

bool TEventRing::Empty() const {
    std::lock_guard g(Lock_);
    return Read_ == Write_;
}

} // namespace player
