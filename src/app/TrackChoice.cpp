#include "app/TrackChoice.h"

#include "app/SettingsKeys.h"
#include "app/Translation.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zelta {

namespace {

std::string_view Trim(std::string_view Text)
{
    while (!Text.empty() && std::isspace(static_cast<unsigned char>(Text.front())))
        Text.remove_prefix(1);
    while (!Text.empty() && std::isspace(static_cast<unsigned char>(Text.back())))
        Text.remove_suffix(1);
    return Text;
}

std::string Lower(std::string_view Text)
{
    std::string out(Text);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsLanguageCode(std::string_view Word)
{
    return Word.size() == 3 &&
           std::all_of(Word.begin(), Word.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

// ISO 639-2 gives some languages two codes (bibliographic and terminological); files use both.
constexpr std::string_view SameLanguage[][2] = {
    {"alb", "sqi"}, {"arm", "hye"}, {"baq", "eus"}, {"bur", "mya"}, {"chi", "zho"}, {"cze", "ces"},
    {"dut", "nld"}, {"fre", "fra"}, {"geo", "kat"}, {"ger", "deu"}, {"gre", "ell"}, {"ice", "isl"},
    {"mac", "mkd"}, {"mao", "mri"}, {"may", "msa"}, {"per", "fas"}, {"rum", "ron"}, {"slo", "slk"},
    {"tib", "bod"}, {"wel", "cym"}};

bool LanguageMatches(const std::string& Tagged, const std::string& Wanted)
{
    const std::string tagged = Lower(Tagged);
    if (tagged == Wanted)
        return true;
    for (const auto& pair : SameLanguage)
        if ((tagged == pair[0] && Wanted == pair[1]) || (tagged == pair[1] && Wanted == pair[0]))
            return true;
    return false;
}

const TAudioTrack* DefaultTrack(const std::vector<TAudioTrack>& Tracks)
{
    for (const TAudioTrack& t : Tracks)
        if (t.Default)
            return &t;
    return Tracks.empty() ? nullptr : &Tracks.front();
}

std::string TrackCount(size_t Count)
{
    if (Count == 0)
        return TrText("TrackChoice", "the file has no audio track");
    return Count == 1 ? TrText("TrackChoice", "the file has %n audio track", nullptr, 1)
                      : TrText("TrackChoice", "the file has %n audio tracks", nullptr, int(Count));
}

}  // namespace

std::optional<TTrackRule> ParseTrackRule(std::string_view Text)
{
    const std::string word = Lower(Trim(Text));
    TTrackRule rule;
    if (word == "default")
        return rule;
    if (word == "first") {
        rule.Kind = TTrackRule::First;
        return rule;
    }
    if (word == "all") {
        rule.Kind = TTrackRule::All;
        return rule;
    }
    if (!word.empty() && std::isdigit(static_cast<unsigned char>(word.front()))) {
        int n = 0;
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
        if (ec != std::errc() || end != word.data() + word.size() || n < 1)
            return std::nullopt;
        rule.Kind = TTrackRule::Number;
        rule.Track = n;
        return rule;
    }
    rule.Kind = TTrackRule::Preferred;
    std::string_view rest = word;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view part = Trim(rest.substr(0, comma));
        if (!IsLanguageCode(part))
            return std::nullopt;
        rule.Languages.emplace_back(part);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return rule;
}

std::string TrackRuleText(const TTrackRule& Rule)
{
    switch (Rule.Kind) {
    case TTrackRule::First:
        return "first";
    case TTrackRule::Number:
        return std::to_string(Rule.Track);
    case TTrackRule::All:
        return "all";
    case TTrackRule::Preferred: {
        std::string text;
        for (const std::string& l : Rule.Languages)
            text += (text.empty() ? "" : ",") + l;
        return text;
    }
    case TTrackRule::Default:
        break;
    }
    return "default";
}

TTrackRule ReadTrackRule(const TIniFile& Settings)
{
    return ParseTrackRule(Settings.ReadString(SectionSettings, KeyAudioTrack, "default"))
        .value_or(TTrackRule{});
}

bool WriteTrackRule(TIniFile& Settings, const TTrackRule& Rule)
{
    return Settings.WriteString(SectionSettings, KeyAudioTrack, TrackRuleText(Rule));
}

TTrackPick ChooseTracks(const TTrackRule& Rule, int RowTrack, const std::vector<TAudioTrack>& Tracks)
{
    TTrackPick pick;
    const int wanted = RowTrack >= 1 ? RowTrack : Rule.Kind == TTrackRule::Number ? Rule.Track : 0;
    if (wanted >= 1) {
        if (size_t(wanted) > Tracks.size())
            //: %2 is "the file has 2 audio tracks" or the like
            pick.Error = FillText(TrText("TrackChoice", "there is no audio track %1 (%2)"),
                                  {std::to_string(wanted), TrackCount(Tracks.size())});
        else
            pick.Tracks.push_back(Tracks[size_t(wanted) - 1]);
        return pick;
    }
    if (Tracks.empty())
        return pick;
    switch (Rule.Kind) {
    case TTrackRule::All:
        pick.Tracks = Tracks;
        return pick;
    case TTrackRule::First:
        pick.Tracks.push_back(Tracks.front());
        return pick;
    case TTrackRule::Preferred:
        for (const std::string& language : Rule.Languages)
            for (const TAudioTrack& t : Tracks)
                if (LanguageMatches(t.Language, language)) {
                    pick.Tracks.push_back(t);
                    return pick;
                }
        break;
    default:
        break;
    }
    pick.Tracks.push_back(*DefaultTrack(Tracks));
    return pick;
}

std::string TrackNameTail(const TAudioTrack& Track)
{
    std::string tail = "_" + std::to_string(Track.Number);
    const std::string language = CleanNamePart(Track.Language, true);
    if (!language.empty())
        tail += "_" + language;
    return tail;
}

TNameTags WithTrackFields(TNameTags Tags, const TAudioTrack& Track)
{
    Tags[std::string(TrackNumberField)] = std::to_string(Track.Number);
    Tags[std::string(TrackLanguageField)] = Track.Language;
    return Tags;
}

bool TemplateNamesTracks(std::string_view Template)
{
    return Template.find("{tracknumber}") != std::string_view::npos ||
           Template.find("{tracklang}") != std::string_view::npos;
}

}  // namespace zelta
