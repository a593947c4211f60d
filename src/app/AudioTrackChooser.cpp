#include "app/AudioTrackChooser.h"

#include "probe/AVProbe.h"

namespace zelta {

std::string FollowRuleText(const TTrackRule& Rule, const std::vector<TAudioTrack>& Tracks)
{
    std::string text = "Follow the rule: ";
    switch (Rule.Kind) {
    case TTrackRule::Default:
        text += "the default track";
        break;
    case TTrackRule::First:
        text += "the first track";
        break;
    case TTrackRule::Number:
        text += "track " + std::to_string(Rule.Track);
        break;
    case TTrackRule::Preferred:
        text += "language " + TrackRuleText(Rule);
        break;
    case TTrackRule::All:
        text += "every track, a file each";
        break;
    }
    if (Tracks.empty())
        return text;
    const TTrackPick pick = ChooseTracks(Rule, -1, Tracks);
    if (!pick.Error.empty())
        return text + " (" + pick.Error + ")";
    if (pick.Tracks.size() == 1) {
        const TAudioTrack& t = pick.Tracks.front();
        return text + " (now track " + std::to_string(t.Number) +
               (t.Language.empty() ? "" : ", " + t.Language) + ")";
    }
    return text;
}

TTrackChooserModel TrackChooserFor(const std::string& File, const TlvFilesRecord& Record,
                                   const TTrackRule& Rule)
{
    TTrackChooserModel model;
    TAVProbe probe;
    if (probe.Open(File, "", TAVProbe::TVideoAnalysis::HeaderOnly)) {
        model.Tracks = probe.AudioTracks();
        const size_t n = model.Tracks.size();
        model.Note = n == 0 ? "The file has no audio track."
                     : n == 1 ? "The file has 1 audio track."
                              : "The file has " + std::to_string(n) + " audio tracks.";
    } else {
        model.Note = "The file cannot be read: " + probe.LastError();
    }
    model.Items.push_back(FollowRuleText(Rule, model.Tracks));
    for (const TAudioTrack& t : model.Tracks)
        model.Items.push_back(AudioTrackText(t));
    if (Record.AudioTrack >= 1 && size_t(Record.AudioTrack) <= model.Tracks.size())
        model.Selected = Record.AudioTrack;
    return model;
}

void ApplyTrackChoice(TSourceListModel& List, int Row, const TTrackChooserModel& Model, int Item)
{
    if (Item >= 1 && size_t(Item) <= Model.Tracks.size()) {
        const TAudioTrack& t = Model.Tracks[size_t(Item) - 1];
        List.SetAudioTrack(Row, t.Number, AudioTrackText(t));
    } else {
        List.SetAudioTrack(Row, -1, {});
    }
}

}  // namespace zelta
