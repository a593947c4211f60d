#include "app/SettingsLogic.h"

#include "app/FormatCatalogue.h"
#include "app/FormatPickerModel.h"
#include "app/ProfileParams.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"

#include <algorithm>
#include <utility>

namespace zelta {

namespace {

enum class TMapping { Text, VideoEncoder, AudioEncoder, Channel, Volume, Zoom };

struct TComboInfo {
    std::string_view List;         // catalogue list key; empty for the zoom combo
    std::string_view Index;        // index key; empty for the zoom combo
    std::string_view Para;         // value key
    std::string_view ParaDefault;  // value key default where a saved typed value is shown
    bool Editable;
    bool Video;
    bool EnabledWhenEmpty;         // an empty (not "null") list leaves the combo enabled
    bool ShowsTypedValue;          // a saved negative index shows the value key's text
    TMapping Mapping;
};

// In TParamCombo order.
constexpr TComboInfo ComboInfos[ParamComboCount] = {
    {KeyListVideoSize, KeyIVideoSize, KeyParaVideoSize, DialogDefaults::ParaVideoSize, true, true,
     true, true, TMapping::Text},
    {KeyListVideoBitRate, KeyIVideoBitRate, KeyParaVideoBitRate, DialogDefaults::ParaVideoBitRate,
     true, true, true, true, TMapping::Text},
    {KeyListFrameRate, KeyIFrameRate, KeyParaFrameRate, DialogDefaults::ParaFrameRate, false, true,
     true, true, TMapping::Text},
    {KeyListVideoEncoder, KeyIVideoEncoder, KeyParaVideoEncoder, {}, false, true, false, false,
     TMapping::VideoEncoder},
    {{}, {}, KeyParaZoom, DialogDefaults::ParaZoom, false, true, true, false, TMapping::Zoom},
    {KeyListSampleRate, KeyISampleRate, KeyParaSampleRate, DialogDefaults::ParaSampleRate, true,
     false, false, true, TMapping::Text},
    {KeyListAudioBitRate, KeyIAudioBitRate, KeyParaAudioBitRate, DialogDefaults::ParaAudioBitRate,
     true, false, false, true, TMapping::Text},
    {KeyListAudioEncoder, KeyIAudioEncoder, KeyParaAudioEncoder, {}, false, false, false, false,
     TMapping::AudioEncoder},
    {KeyListChannel, KeyIChannel, KeyParaChannel, {}, false, false, false, false,
     TMapping::Channel},
    {KeyListVolume, KeyIVolume, KeyParaVolume, {}, false, false, false, false, TMapping::Volume},
};

const TComboInfo& Info(TParamCombo Combo) { return ComboInfos[size_t(Combo)]; }

constexpr TParamCombo AllCombos[ParamComboCount] = {
    TParamCombo::VideoSize,  TParamCombo::VideoBitRate, TParamCombo::FrameRate,
    TParamCombo::VideoEncoder, TParamCombo::Zoom,       TParamCombo::SampleRate,
    TParamCombo::AudioBitRate, TParamCombo::AudioEncoder, TParamCombo::Channel,
    TParamCombo::Volume,
};

std::string Lower(std::string_view Text)
{
    std::string Result(Text);
    for (char& C : Result)
        if (C >= 'A' && C <= 'Z')
            C = char(C - 'A' + 'a');
    return Result;
}

bool IsDigit(char32_t Key) { return Key >= '0' && Key <= '9'; }

// The item at Index, or "" when Index selects nothing.
std::string ItemAt(const TParamComboState& State, int Index)
{
    return Index >= 0 && size_t(Index) < State.Items.size() ? State.Items[size_t(Index)]
                                                             : std::string();
}

void Select(TParamComboState& State, int Index)
{
    State.Index = Index >= 0 && size_t(Index) < State.Items.size() ? Index : -1;
    State.Text = ItemAt(State, State.Index);
}

void SetGroupEnabling(TProfileParamsView& View)
{
    View.VideoGroupEnabled = !View[TParamCombo::VideoEncoder].Items.empty();
    View.AudioGroupEnabled = !View[TParamCombo::AudioEncoder].Items.empty();
    for (TParamCombo C : AllCombos)
        if (!(IsVideoCombo(C) ? View.VideoGroupEnabled : View.AudioGroupEnabled))
            View[C].Enabled = false;
}

TTypedCheck Invalid(std::string_view Message)
{
    TTypedCheck Check;
    Check.Result = TTypedCheck::Invalid;
    Check.Message = std::string(Message);
    return Check;
}

TTypedCheck CheckFrameSize(std::string_view Text)
{
    TTypedCheck Check;
    if (Lower(Text).find(ParaAsSource) != std::string::npos) {
        Check.Text = std::string(ParaAsSource);
        return Check;
    }
    const std::size_t X = Text.rfind('x');
    int W = 0;
    int H = 0;
    // A negative size is no frame size even though it is a whole number.
    if (X == std::string_view::npos || !ParaIsInteger(Text.substr(0, X), W) ||
        !ParaIsInteger(Text.substr(X + 1), H) || W < 0 || H < 0)
        return Invalid(TrText("SettingsLogic", "Frame Size is not a valid value!"));
    if (W % 2 == 0 && H % 2 == 0 && W != 0 && H != 0) {
        Check.Text = std::string(Text);
        return Check;
    }
    const auto Even = [](int V) { return V / 2 * 2 == 0 ? 2 : V / 2 * 2; };
    const std::string Corrected = std::to_string(Even(W)) + "x" + std::to_string(Even(H));
    Check.Result = TTypedCheck::Corrected;
    Check.Text = Corrected;
    Check.Caption = TrText("SettingsLogic", FrameSizeCorrectionCaption.data());
    Check.Message = FillText(
        TrText("SettingsLogic", "Frame Size must be a multiple of 2.\nThe correct value:%1"),
        {Corrected});
    return Check;
}

// The text a combo's value key takes: a typed value as its check gives it, an item as it is.
std::string ShownText(TParamCombo Combo, const TParamComboState& State)
{
    if (!IsEditableCombo(Combo))
        return ItemAt(State, SavedIndex(Combo, State));
    return State.Text;
}

std::optional<std::string> MappedValue(TParamCombo Combo, const TParamComboState& State)
{
    const int Index = SavedIndex(Combo, State);
    if (Index < 0)
        return std::nullopt;
    const std::string Item = ItemAt(State, Index);
    switch (Info(Combo).Mapping) {
    case TMapping::VideoEncoder:
        return VideoEncoderParaValue(Item);
    case TMapping::AudioEncoder:
        return AudioEncoderParaValue(Item);
    case TMapping::Channel:
        return ChannelParaValue(Item);
    case TMapping::Volume:
        return VolumeParaValue(Item);
    case TMapping::Zoom:
        return size_t(Index) < ZoomParaValues.size()
                   ? std::optional<std::string>(std::string(ZoomParaValues[size_t(Index)]))
                   : std::nullopt;
    case TMapping::Text:
        return Item;
    }
    return std::nullopt;
}

// A combo whose choice was never confirmed shows what a conversion with the profile uses: the
// item that gives the value key's text (a value stored without its index, as older versions
// and the command line's defaults leave it), otherwise the catalogue's default item, which is
// what the conversion reads for a missing value key. So opening the dialog and pressing OK
// changes nothing in the output.
void SelectValueInForce(const TIniFile& Settings, const TIniFile& Catalogue, int Code,
                        TParamCombo Combo, TParamComboState& State)
{
    const TComboInfo& I = Info(Combo);
    const std::string Section = FormatInfoSection(Code);
    if (!Settings.ValueExists(Section, I.Para)) {
        Select(State, CatalogueDefaultIndex(Catalogue, Code, I.Index));
        return;
    }
    const std::string Value = Settings.ReadString(Section, I.Para, "");
    Select(State, -1);
    for (std::size_t At = 0; At < State.Items.size(); ++At) {
        TParamComboState Candidate = State;
        Select(Candidate, int(At));
        if (MappedValue(Combo, Candidate) == Value) {
            State = std::move(Candidate);
            return;
        }
    }
    if (I.Editable)
        State.Text = Value;
}

using TWrites = std::vector<std::pair<std::string, std::string>>;

// The catalogue's libx264 parameters of profile Code that OK copies: "paraBitExact" when it reads
// "true", the numbers when above 0 ("paraCoder": 0 or more). A number that is not a whole number
// refuses the whole OK. An empty value counts as missing.
bool CollectX264Writes(const TIniFile& Catalogue, int Code, TWrites& Writes, std::string& Error)
{
    const std::string Section = FormatInfoSection(Code);
    for (std::string_view Key : FormatX264Keys) {
        const std::string Value = Catalogue.ReadString(Section, Key, "");
        if (Value.empty())
            continue;
        if (Key == KeyParaBitExact) {
            if (Lower(Value) == "true")
                Writes.emplace_back(Key, Value);
            continue;
        }
        int Number = 0;
        if (!ParaIsInteger(Value, Number)) {
            Error = FillText(TrText("SettingsLogic", "'%1' is not a valid integer value"), {Value});
            return false;
        }
        if (Key == KeyParaCoder ? Number >= 0 : Number > 0)
            Writes.emplace_back(Key, Value);
    }
    return true;
}

}  // namespace

bool IsEditableCombo(TParamCombo Combo) { return Info(Combo).Editable; }
bool IsVideoCombo(TParamCombo Combo) { return Info(Combo).Video; }

TProfileParamsView LoadProfileParams(const TIniFile& Settings, const TIniFile& Catalogue, int Code,
                                     TLoadMode Mode)
{
    TProfileParamsView View;
    const std::string Section = FormatInfoSection(Code);
    for (TParamCombo C : AllCombos) {
        const TComboInfo& I = Info(C);
        TParamComboState& State = View[C];
        if (I.Mapping == TMapping::Zoom) {
            // Shown translated; the choice is kept by its place (ZoomParaValues).
            State.Items.clear();
            for (std::string_view Item : ZoomItems)
                State.Items.push_back(TrText("SettingsLogic", Item.data()));
            State.Enabled = true;
            // A profile never confirmed shows the fitting a conversion uses.
            const std::string Zoom = Settings.ReadString(Section, KeyParaZoom, JobDefaults::ParaZoom);
            const auto* At = std::find(ZoomParaValues.begin(), ZoomParaValues.end(), Zoom);
            Select(State, At == ZoomParaValues.end() ? -1 : int(At - ZoomParaValues.begin()));
            continue;
        }
        const std::optional<std::vector<std::string>> List = CatalogueList(Catalogue, Code, I.List);
        const std::string Raw = Catalogue.ReadString(Section, I.List, ListNotApplicable);
        if (List && !Raw.empty())
            State.Items = *List;
        State.Enabled = List.has_value() && (!Raw.empty() || I.EnabledWhenEmpty);

        if (!Settings.ValueExists(Section, I.Index)) {
            SelectValueInForce(Settings, Catalogue, Code, C, State);
            continue;
        }
        const int Index = Settings.ReadInteger(Section, I.Index, DialogDefaults::IndexKey);
        Select(State, Index);
        if (Index < 0 && I.ShowsTypedValue && Mode == TLoadMode::OnShow) {
            const std::string Typed = Settings.ReadString(Section, I.Para, I.ParaDefault);
            if (I.Editable) {
                State.Text = Typed;
            } else {
                // A combo without an edit part can only show one of its items.
                const auto At = std::find(State.Items.begin(), State.Items.end(), Typed);
                Select(State, At == State.Items.end() ? -1 : int(At - State.Items.begin()));
            }
        }
    }
    SetGroupEnabling(View);
    return View;
}

void ApplyCatalogueDefaults(const TIniFile& Catalogue, int Code, TProfileParamsView& View)
{
    for (TParamCombo C : AllCombos) {
        const TComboInfo& I = Info(C);
        Select(View[C], I.Mapping == TMapping::Zoom ? 0 : CatalogueDefaultIndex(Catalogue, Code, I.Index));
    }
}

TKeyVerdict TypedKeyVerdict(TParamCombo Combo, char32_t Key, std::string_view Result)
{
    switch (Combo) {
    case TParamCombo::VideoSize:
        if (IsDigit(Key))
            return TKeyVerdict::Accept;
        if (Key == 'x' && std::count(Result.begin(), Result.end(), 'x') <= 1)
            return TKeyVerdict::Accept;
        return TKeyVerdict::Refuse;
    case TParamCombo::VideoBitRate:
    case TParamCombo::SampleRate:
    case TParamCombo::AudioBitRate:
        return IsDigit(Key) ? TKeyVerdict::Accept : TKeyVerdict::RefuseWithMessage;
    default:
        return TKeyVerdict::Accept;
    }
}

TTypedCheck CheckTypedValue(TParamCombo Combo, std::string_view Text)
{
    TTypedCheck Accepted;
    Accepted.Text = std::string(Text);
    int Whole = 0;
    double Number = 0;
    switch (Combo) {
    case TParamCombo::VideoSize:
        return CheckFrameSize(Text);
    case TParamCombo::VideoBitRate:
        if (Text == ParaAsSource || ParaIsInteger(Text, Whole))
            return Accepted;
        return Invalid(TrText("SettingsLogic", "Video BitRate is not a valid value!"));
    case TParamCombo::AudioBitRate:
        if (Text == ParaAsSource || ParaIsNumber(Text, Number))
            return Accepted;
        return Invalid(TrText("SettingsLogic", "Audio BitRate is not a valid value!"));
    case TParamCombo::SampleRate:
        if (Text == ParaAsSource || ParaIsInteger(Text, Whole))
            return Accepted;
        return Invalid(TrText("SettingsLogic", "Audio SampleRate is not a valid value!"));
    default:
        return Accepted;
    }
}

int SavedIndex(TParamCombo Combo, const TParamComboState& State)
{
    const int Index = State.Index;
    if (Index < 0 || size_t(Index) >= State.Items.size())
        return -1;
    if (IsEditableCombo(Combo) && State.Text != State.Items[size_t(Index)])
        return -1;
    return Index;
}

TSaveResult SaveProfileSettings(TIniFile& Settings, const TIniFile& Catalogue,
                                const TSettingsChoice& Choice, const TFormatPickerModel* List)
{
    TSaveResult Result;
    const auto State = [&](TParamCombo C) -> const TParamComboState& {
        return Choice.Combos[size_t(C)];
    };

    // Everything is checked before the first write.
    std::array<std::string, ParamComboCount> Texts;
    for (TParamCombo C : AllCombos) {
        Texts[size_t(C)] = ShownText(C, State(C));
        // Only a typed text is checked: an item is what the catalogue offers, and an empty
        // text is no value at all (the conversion takes its own default for it).
        if (!IsEditableCombo(C) || !State(C).Enabled || SavedIndex(C, State(C)) >= 0 ||
            State(C).Text.empty())
            continue;
        const TTypedCheck Check = CheckTypedValue(C, State(C).Text);
        if (Check.Result != TTypedCheck::Accepted) {
            Result.Failure = TSaveResult::BadTypedValue;
            Result.Combo = C;
            Result.Check = Check;
            return Result;
        }
        Texts[size_t(C)] = Check.Text;
    }

    TWrites Writes;
    Writes.emplace_back(KeyDescription, Choice.ProfileName);
    for (TParamCombo C : AllCombos)
        if (!Info(C).Index.empty())
            Writes.emplace_back(Info(C).Index, std::to_string(SavedIndex(C, State(C))));
    for (TParamCombo C : {TParamCombo::VideoSize, TParamCombo::VideoBitRate, TParamCombo::FrameRate})
        Writes.emplace_back(Info(C).Para, Texts[size_t(C)]);
    for (TParamCombo C : {TParamCombo::Zoom, TParamCombo::VideoEncoder})
        if (const std::optional<std::string> Value = MappedValue(C, State(C)))
            Writes.emplace_back(Info(C).Para, *Value);
    const TParamComboState& Encoder = State(TParamCombo::VideoEncoder);
    if (Lower(ItemAt(Encoder, SavedIndex(TParamCombo::VideoEncoder, Encoder))) == "h264" &&
        !CollectX264Writes(Catalogue, Choice.Code, Writes, Result.Error)) {
        Result.Failure = TSaveResult::BadCatalogueValue;
        return Result;
    }
    for (TParamCombo C : {TParamCombo::SampleRate, TParamCombo::AudioBitRate})
        Writes.emplace_back(Info(C).Para, Texts[size_t(C)]);
    for (TParamCombo C : {TParamCombo::Channel, TParamCombo::Volume, TParamCombo::AudioEncoder})
        if (const std::optional<std::string> Value = MappedValue(C, State(C)))
            Writes.emplace_back(Info(C).Para, *Value);

    const auto Failed = [&] {
        Result.Failure = TSaveResult::WriteFailed;
        Result.Error = Settings.LastError();
        return Result;
    };
    const std::string Section = FormatInfoSection(Choice.Code);
    for (const auto& [Key, Value] : Writes)
        if (!Settings.WriteString(Section, Key, Value))
            return Failed();
    if (List != nullptr && !List->SaveFormatListState(Settings))
        return Failed();
    if (!StoreFormatChoice(Settings, Choice.ProfileName, Choice.Code))
        return Failed();
    Result.Saved = true;
    return Result;
}

}  // namespace zelta
