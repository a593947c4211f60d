#include "app/AudioTrackChooser.h"
#include "app/Translation.h"

#include "probe/AVProbe.h"

namespace zelta {

std::string FollowRuleText(const TTrackRule& Rule, const std::vector<TAudioTrack>& Tracks)
{
    // The first item of the track list: the stored rule for audio tracks.
    std::string text;
    switch (Rule.Kind) {
    case TTrackRule::Default:
        text = TrText("AudioTrackChooser", "Follow the rule: the default track");
        break;
    case TTrackRule::First:
        text = TrText("AudioTrackChooser", "Follow the rule: the first track");
        break;
    case TTrackRule::Number:
        text = FillText(TrText("AudioTrackChooser", "Follow the rule: track %1"),
                        {std::to_string(Rule.Track)});
        break;
    case TTrackRule::Preferred:
        //: %1 lists language codes, such as eng,fre
        text = FillText(TrText("AudioTrackChooser", "Follow the rule: language %1"),
                        {TrackRuleText(Rule)});
        break;
    case TTrackRule::All:
        text = TrText("AudioTrackChooser", "Follow the rule: every track, a file each");
        break;
    }
    if (Tracks.empty())
        return text;
    const TTrackPick pick = ChooseTracks(Rule, -1, Tracks);
    if (!pick.Error.empty())
        //: %1 is the rule ("Follow the rule: track 3"), %2 why it finds no track
        return FillText(TrText("AudioTrackChooser", "%1 (%2)"), {text, pick.Error});
    if (pick.Tracks.size() == 1) {
        const TAudioTrack& t = pick.Tracks.front();
        //: %1 is the rule ("Follow the rule: the default track"), %2 the track it picks now
        return t.Language.empty() ? FillText(TrText("AudioTrackChooser", "%1 (now track %2)"),
                                             {text, std::to_string(t.Number)})
                                  //: %3 is the track's language code
                                  : FillText(TrText("AudioTrackChooser", "%1 (now track %2, %3)"),
                                             {text, std::to_string(t.Number), t.Language});
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
        model.Note =
            n == 0 ? TrText("AudioTrackChooser", "The file has no audio track.")
            : n == 1
                ? TrText("AudioTrackChooser", "The file has %n audio track.", nullptr, 1)
                : TrText("AudioTrackChooser", "The file has %n audio tracks.", nullptr, int(n));
    } else {
        model.Note = FillText(TrText("AudioTrackChooser", "The file cannot be read: %1"),
                              {probe.LastError()});
    }
    model.Items.push_back(FollowRuleText(Rule, model.Tracks));
    for (const TAudioTrack& t : model.Tracks)
        model.Items.push_back(ShownAudioTrackText(t));
    if (Record.AudioTrack >= 1 && size_t(Record.AudioTrack) <= model.Tracks.size())
        model.Selected = Record.AudioTrack;
    return model;
}

std::string ShownAudioTrackText(const TAudioTrack& Track)
{
    //: %1 the track's number, %2 its language code or "no language"
    std::string s = FillText(TrText("AudioTrackChooser", "%1: %2"),
                             {std::to_string(Track.Number),
                              Track.Language.empty() ? TrText("AudioTrackChooser", "no language")
                                                     : Track.Language});
    if (!Track.Codec.empty())
        s += ", " + Track.Codec;
    if (Track.Channels == 1)
        s += ", " + TrText("AudioTrackChooser", "%n channel", nullptr, 1);
    else if (Track.Channels > 1)
        s += ", " + TrText("AudioTrackChooser", "%n channels", nullptr, Track.Channels);
    if (!Track.Title.empty())
        s += ", \"" + Track.Title + "\"";
    if (Track.Default)
        //: after a track's description: the track the file plays unless told otherwise
        s += TrText("AudioTrackChooser", " (default)");
    return s;
}

void ApplyTrackChoice(TSourceListModel& List, int Row, const TTrackChooserModel& Model, int Item)
{
    if (Item >= 1 && size_t(Item) <= Model.Tracks.size()) {
        const TAudioTrack& t = Model.Tracks[size_t(Item) - 1];
        List.SetAudioTrack(Row, t.Number, ShownAudioTrackText(t));
    } else {
        List.SetAudioTrack(Row, -1, {});
    }
}

}  // namespace zelta
