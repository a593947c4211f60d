// Album mode of loudness normalisation: one gain for every file of an album, so the files keep
// their levels relative to each other. An album is the files sharing their album and album
// artist tags (a file without an album tag is an album of its own), or the whole batch.
//
// One object serves a whole batch. The batch lists its files first (AddMember, before any task
// runs); each conversion task of a member then asks for its album's gain (Result) on its own
// worker. Nobody knows the albums before every file was measured, so the first tasks measure
// the files no one measures yet, one after the other, each on its own thread, until all are
// measured; a task only waits while another task measures the file it needs. No task converts
// before every file of the batch was measured; none waits for a task that cannot run (every
// file waited for is being measured by a running task, or is free for the waiting one to take).
//
// Thread: AddMember on one thread before any Result; Result from any number of threads.
#pragma once

#include "engine/AudioAnalysis.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class TLoudnessAlbum {
public:
    enum class TGrouping { ByTags, WholeBatch };
    // Target and Ceiling as TAudioShaping's; UseTags lets tags spare a file's measuring;
    // NeedEdges: every member needs where its sound begins and ends (tags never suffice).
    TLoudnessAlbum(TGrouping Grouping, double Target, double Ceiling, bool UseTags,
                   bool NeedEdges);

    // Lists one file of the batch; returns its member number.
    int AddMember(TAudioSource Source);
    int MemberCount() const;

    struct TResult {
        std::string Error;          // the member's own file could not be measured
        bool Stopped = false;       // KeepGoing said stop
        TAudioMeasurement Own;      // the member's own measurement
        TGainDecision Gain;         // the album's gain (source levels)
        double AlbumLufs = -HUGE_VAL;
        int Files = 0;              // measured files of the album
    };
    // The gain of Member's album. Measures the files nobody measures yet on the calling thread
    // and waits for those others measure. KeepGoing as for MeasureAudio.
    TResult Result(int Member, const TKeepGoing& KeepGoing);

private:
    enum class TState { Waiting, Measuring, Done };
    struct TMember {
        TAudioSource Source;
        TState State = TState::Waiting;
        TAudioMeasurement Measured;
    };
    struct TAlbum {
        bool Deciding = false;
        bool Decided = false;
        TGainDecision Gain;
        double Lufs = -HUGE_VAL;
        int Files = 0;
    };
    std::string KeyOf(const TMember& M) const;
    // Decides Key's gain (measuring true peaks where needed) with the lock released; false
    // when stopped.
    bool Decide(std::unique_lock<std::mutex>& Lock, const std::string& Key,
                const TKeepGoing& KeepGoing);

    const TGrouping FGrouping;
    const double FTarget, FCeiling;
    const bool FUseTags, FNeedEdges;

    mutable std::mutex FLock; // guards everything below
    std::condition_variable FChanged;
    std::vector<TMember> FMembers;
    std::map<std::string, TAlbum> FAlbums;
};
