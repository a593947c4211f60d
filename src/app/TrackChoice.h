// Which audio track of a file is converted: the batch rule (the track flagged default, the
// first, a number, a list of preferred languages, or every track into a file of its own), a
// row's own choice over it, and what a track adds to an output's name.
//
// The rule is stored as its text under "AudioTrack" in section "settings" and given as the same
// text to zelta-convert's --audio-track: "default", "first", "2", "eng,fre", "all".
//
// No widgets; plain functions, any thread.
#pragma once

#include "app/IniFile.h"
#include "app/OutputNames.h"
#include "probe/AudioTracks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

inline constexpr std::string_view KeyAudioTrack = "AudioTrack";

struct TTrackRule {
    enum TKind { Default, First, Number, Preferred, All };
    TKind Kind = Default;
    int Track = 0;                       // Number: the track's number, from 1
    std::vector<std::string> Languages;  // Preferred: lower-case codes, most wanted first

    bool operator==(const TTrackRule&) const = default;
};

// "default", "first", a number from 1, "all", or ISO 639-2 languages separated by commas
// ("eng, fre"; either code of a language that has two matches the other), any case. Blanks around words are ignored; nullopt for anything
// else.
std::optional<TTrackRule> ParseTrackRule(std::string_view Text);
// The rule's text as ParseTrackRule reads it.
std::string TrackRuleText(const TTrackRule& Rule);
// The stored rule; a missing or unreadable value reads as Default.
TTrackRule ReadTrackRule(const TIniFile& Settings);
bool WriteTrackRule(TIniFile& Settings, const TTrackRule& Rule);

// The tracks a file is converted with. Empty Tracks with no Error: the file has no audio
// track and converts as it is (a video alone).
struct TTrackPick {
    std::vector<TAudioTrack> Tracks; // one, or every track for "all" on a file with several
    std::string Error;               // the row fails with it ("there is no audio track 3 ...")
    bool EachOwnFile() const { return Tracks.size() > 1; }
};
// RowTrack >= 1 is the row's own choice (its track number) and overrides Rule. Default takes the
// track flagged default, else the first; Preferred the first track in the most wanted language
// that has one, else as Default; All every track (one output each).
TTrackPick ChooseTracks(const TTrackRule& Rule, int RowTrack, const std::vector<TAudioTrack>& Tracks);

// What a file's output of Track adds to its name when each track has a file of its own:
// "_2_fre" ("_2" when the track has no language).
std::string TrackNameTail(const TAudioTrack& Track);
// Tags with the template fields {tracknumber} and {tracklang} of Track.
TNameTags WithTrackFields(TNameTags Tags, const TAudioTrack& Track);
// Whether a name template spells the track's number or language itself.
bool TemplateNamesTracks(std::string_view Template);

}  // namespace zelta
