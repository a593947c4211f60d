#include "engine/LoudnessAlbum.h"

#include "engine/Loudness.h"

#include <algorithm>
#include <chrono>

namespace {

// How often a waiting task asks whether it is to stop.
constexpr std::chrono::milliseconds StopCheck{100};

} // namespace

TLoudnessAlbum::TLoudnessAlbum(TGrouping Grouping, double Target, double Ceiling, bool UseTags,
                               bool NeedEdges)
    : FGrouping(Grouping), FTarget(Target), FCeiling(Ceiling), FUseTags(UseTags),
      FNeedEdges(NeedEdges) {}

int TLoudnessAlbum::AddMember(TAudioSource Source) {
    std::lock_guard lock(FLock);
    FMembers.push_back({std::move(Source), TState::Waiting, {}});
    return int(FMembers.size()) - 1;
}

int TLoudnessAlbum::MemberCount() const {
    std::lock_guard lock(FLock);
    return int(FMembers.size());
}

std::string TLoudnessAlbum::KeyOf(const TMember& M) const {
    if (FGrouping == TGrouping::WholeBatch)
        return {};
    if (M.Measured.AlbumKey.empty()) // a file without an album tag is its own album
        return "\x1e" + std::to_string(&M - FMembers.data());
    return M.Measured.AlbumKey;
}

TLoudnessAlbum::TResult TLoudnessAlbum::Result(int Member, const TKeepGoing& KeepGoing) {
    TResult result;
    std::unique_lock lock(FLock);
    if (Member < 0 || size_t(Member) >= FMembers.size()) {
        result.Error = "not a file of the album";
        return result;
    }
    for (;;) {
        lock.unlock();
        const bool go = !KeepGoing || KeepGoing();
        lock.lock();
        if (!go) {
            result.Stopped = true;
            return result;
        }
        // Measure a file nobody measures yet, this task's own first.
        int claim = FMembers[size_t(Member)].State == TState::Waiting ? Member : -1;
        for (size_t i = 0; claim < 0 && i < FMembers.size(); ++i)
            if (FMembers[i].State == TState::Waiting)
                claim = int(i);
        if (claim >= 0) {
            TMember& m = FMembers[size_t(claim)];
            m.State = TState::Measuring;
            const TAudioSource source = m.Source;
            lock.unlock();
            TAudioMeasurement measured = MeasureAudio(source, FUseTags, FNeedEdges, true, KeepGoing);
            lock.lock();
            FMembers[size_t(claim)].State = measured.Stopped ? TState::Waiting : TState::Done;
            if (!measured.Stopped)
                FMembers[size_t(claim)].Measured = std::move(measured);
            FChanged.notify_all();
            continue;
        }
        const bool measuring = std::any_of(FMembers.begin(), FMembers.end(), [](const TMember& M) {
            return M.State == TState::Measuring;
        });
        if (measuring) {
            FChanged.wait_for(lock, StopCheck);
            continue;
        }
        const TMember& own = FMembers[size_t(Member)];
        if (!own.Measured.Ok()) {
            result.Error = own.Measured.Error;
            return result;
        }
        const std::string key = KeyOf(own);
        TAlbum& album = FAlbums[key];
        if (album.Decided) {
            result.Own = own.Measured;
            result.Gain = album.Gain;
            result.AlbumLufs = album.Lufs;
            result.Files = album.Files;
            return result;
        }
        if (album.Deciding) {
            FChanged.wait_for(lock, StopCheck);
            continue;
        }
        if (!Decide(lock, key, KeepGoing)) {
            result.Stopped = true;
            return result;
        }
    }
}

bool TLoudnessAlbum::Decide(std::unique_lock<std::mutex>& Lock, const std::string& Key,
                            const TKeepGoing& KeepGoing) {
    FAlbums[Key].Deciding = true;
    // The album's gating blocks measured as one programme; a file measured by its tags counts
    // as blocks of its own loudness for its length.
    std::vector<float> blocks;
    std::vector<std::pair<TAudioSource, TAudioMeasurement>> files;
    double peak = 0;
    for (const TMember& m : FMembers) {
        if (m.State != TState::Done || !m.Measured.Ok() || KeyOf(m) != Key)
            continue;
        const TAudioMeasurement& a = m.Measured;
        blocks.insert(blocks.end(), a.Blocks.begin(), a.Blocks.end());
        if (a.FromTags && a.HasLoudness()) {
            const int64_t length = a.End != NoMediaTime && a.Start != NoMediaTime
                                       ? a.End - a.Start
                                       : 0;
            blocks.insert(blocks.end(), size_t(std::max<int64_t>(length / 100000, 1)),
                          float(EnergyOfLufs(a.IntegratedLufs)));
        }
        peak = std::max(peak, a.SamplePeak);
        files.emplace_back(m.Source, a);
    }
    Lock.unlock();
    bool stopped = false;
    const TKeepGoing keepGoing = [&] {
        stopped = stopped || (KeepGoing && !KeepGoing());
        return !stopped;
    };
    const double lufs = GatedLoudness(blocks);
    const TGainDecision gain =
        DecideGain(FTarget, FCeiling, lufs, peak, [&](double Above) {
            double truePeak = 0;
            for (const auto& [source, measured] : files) {
                const double p = MeasureTruePeak(source, measured, Above, keepGoing);
                if (p < 0)
                    return -1.0;
                truePeak = std::max(truePeak, p);
            }
            return truePeak;
        });
    Lock.lock();
    TAlbum& album = FAlbums[Key];
    album.Deciding = false;
    FChanged.notify_all();
    if (stopped)
        return false;
    album.Decided = true;
    album.Gain = gain;
    album.Lufs = lufs;
    album.Files = int(files.size());
    return true;
}
