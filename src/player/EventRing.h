// The player component's event ring: decouples the playback threads, which post positions and
// state changes, from the event thread, which delivers them to the handlers. Posting never
// waits; an undelivered entry is replaced by a newer one of the same kind, so a slow handler
// only ever sees the latest position or state.
//
// Thread: any; every member takes the ring's own lock.
#pragma once

#include "player/PlayerSync.h"
#include "player/PlayerTypes.h"

#include <array>
#include <cstdint>
#include <mutex>

namespace player {

enum TPlayerEventKind : int { ekPosition = 1, ekState = 2, ekQuit = 3 };

struct TPlayerEvent {
    int Kind = 0;
    TPlayState State = psPlay;
    int64_t Position = 0;
    int Generation = 0; // the open it belongs to: events of an earlier file are never merged away
};

class TEventRing {
public:
    static constexpr int Capacity = 10; // entries; one stays free, so nine can wait

    // Under the ring lock: when the ring is not empty and the most recently written entry has the
    // same kind and generation, that entry is overwritten; otherwise the write index advances and, when it
    // reaches the read index, the oldest entry is dropped. Sets the event-available signal.
    void Post(const TPlayerEvent& Event);
    // Takes the oldest entry; false when the ring is empty. Clears the event-available signal
    // when the ring becomes empty.
    bool Take(TPlayerEvent& Event);
    void Clear();
    bool Empty() const;

    // Set while entries wait.
    TManualEvent& Available() { return Available_; }

private:
    mutable std::mutex Lock_; // guards the entries and both indexes
    std::array<TPlayerEvent, Capacity> Entries_{};
    int Read_ = 0;  // the entry last taken
    int Write_ = 0; // the entry last written; equal to Read_ when empty
    TManualEvent Available_{false};
};

} // namespace player
