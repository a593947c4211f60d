// The batch driver's side of files converted track by track: one output per audio track, each
// named by the track's number and language.

#include "app/BatchDriver.h"

namespace zelta {

TBatchDriver::TRowOutcome TBatchDriver::ChooseTrackOutputs(
    int Row, const TTrackPick& Pick, std::string& Destination, TOutputOptions& Output,
    std::vector<TFFConverter::TMoreOutput>& More, std::string& Error, TBuildResult* Result)
{
    More.clear();
    Destination.clear();
    std::string passedReason;
    for (const TAudioTrack& track : Pick.Tracks) {
        std::string name, passed;
        bool replace = false;
        const TRowOutcome chosen =
            ChooseDestination(Row, name, replace, Error, Result, &track, true, &passed);
        if (chosen == TRowOutcome::Stop)
            return chosen;
        if (chosen == TRowOutcome::Skipped) {
            if (passed.empty())
                return chosen; // the row failed, and says why
            passedReason = passed;
            continue;
        }
        TOutputOptions options = Output;
        options.FileName = name;
        options.ReplaceExisting = replace;
        options.AudioStream = track.StreamIndex;
        if (Destination.empty())
            Destination = std::move(name), Output = std::move(options);
        else
            More.push_back({std::move(name), std::move(options)});
    }
    if (Destination.empty()) {
        PassRow(Row, passedReason, Result);
        return TRowOutcome::Skipped;
    }
    return TRowOutcome::Task;
}

}  // namespace zelta
