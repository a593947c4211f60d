// What the audio track chooser shows for a row and what its OK does: "Follow the rule" (saying
// which track the rule takes for this file), then one entry per audio track of the file.
//
// Main thread (it opens the file with a probe of its own); no widgets.
#pragma once

#include "app/SourceList.h"
#include "app/TrackChoice.h"

#include <string>
#include <vector>

namespace zelta {

struct TTrackChooserModel {
    std::vector<TAudioTrack> Tracks; // the file's audio tracks
    std::vector<std::string> Items;  // Items[0] follows the rule; Items[k] is Tracks[k - 1]
    int Selected = 0;                // the row's choice now
    std::string Note;                // a line about the file: its track count, or why it could
                                     // not be read
};

// The rule's words for the first entry ("Follow the rule: the default track (1: eng ...)").
// A track as the windows and zelta-convert --info list it, in the interface language:
// "2: fre, aac, 2 channels, \"Commentary\" (default)" (the probe's AudioTrackText in English).
std::string ShownAudioTrackText(const TAudioTrack& Track);

std::string FollowRuleText(const TTrackRule& Rule, const std::vector<TAudioTrack>& Tracks);

// The chooser's entries for a row: File opened (its header only), Record's choice selected, the
// rule in force described for this file. A file that cannot be opened lists only the first
// entry, with the reason as the note.
TTrackChooserModel TrackChooserFor(const std::string& File, const TlvFilesRecord& Record,
                                   const TTrackRule& Rule);

// OK: entry 0 lets the row follow the rule, entry k takes Model.Tracks[k - 1].
void ApplyTrackChoice(TSourceListModel& List, int Row, const TTrackChooserModel& Model, int Item);

}  // namespace zelta
