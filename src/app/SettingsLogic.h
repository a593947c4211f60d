// What the profile settings dialog reads, checks and writes, kept apart from its widgets: the
// parameter combos of one profile as loaded from the catalogue's lists and the user's saved
// choices, the checks of typed values, the Default button, and OK's writes into the settings
// file.
//
// A profile's offered values come from the catalogue section "formatInfo" + code (comma-separated
// lists, "null" when a parameter does not apply); the user's choice lives in the settings file's
// section of the same name as an index key ("iVideoSize", negative = a typed value) and a value
// key ("paraVideoSize"). The value keys hold what the job builder reads: engine names and numbers
// for the encoder, channel and volume items (the tables of app/ProfileParams.h).
//
// OK checks everything before it writes anything, so a refused value leaves the settings file as
// it was. Plain functions; main thread (settings work), like the dialog that calls them.
#pragma once

#include "app/IniFile.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

class TFormatPickerModel;

// The parameter combos, in the order of their groups.
enum class TParamCombo {
    VideoSize,    // editable
    VideoBitRate, // editable
    FrameRate,
    VideoEncoder,
    Zoom,         // fixed items, stored as "paraZoom"
    SampleRate,   // editable
    AudioBitRate, // editable
    AudioEncoder,
    Channel,
    Volume,
};
inline constexpr int ParamComboCount = 10;

// The fixed items of the zoom combo and the "paraZoom" value of each index ("center" has no
// item: a stored "center" shows no selection and stays stored).
// Shown translated (context "SettingsLogic").
inline constexpr std::array<std::string_view, 3> ZoomItems = {
    QT_TRANSLATE_NOOP("SettingsLogic", "Full screen"),
    QT_TRANSLATE_NOOP("SettingsLogic", "Letterbox"),
    QT_TRANSLATE_NOOP("SettingsLogic", "Pan and Scan")};
inline constexpr std::array<std::string_view, 4> ZoomParaValues = {"full", "lbox", "pan", "center"};

bool IsEditableCombo(TParamCombo Combo);
bool IsVideoCombo(TParamCombo Combo);

// What one combo shows.
struct TParamComboState {
    std::vector<std::string> Items;
    bool Enabled = false;
    int Index = -1;    // the selected item; -1 for none (or a typed value)
    std::string Text;  // the text shown: the selected item's, a typed value, or ""
};

struct TProfileParamsView {
    std::array<TParamComboState, ParamComboCount> Combos;
    bool VideoGroupEnabled = false; // the profile has a video encoder to choose
    bool AudioGroupEnabled = false; // the profile has an audio encoder to choose

    TParamComboState& operator[](TParamCombo C) { return Combos[size_t(C)]; }
    const TParamComboState& operator[](TParamCombo C) const { return Combos[size_t(C)]; }
};

enum class TLoadMode {
    OnShow,   // a saved negative index shows the saved typed value
    OnSwitch, // another profile chosen inside the dialog: every index is applied as it is
};

// The combos of profile Code: items from the catalogue's lists, the saved choices from the
// settings file (index keys default 0, value keys their dialog defaults, "paraZoom" "full"). A
// combo whose list is "null" or missing is disabled; an empty list disables it too except for the
// frame size, video bit rate and frame rate, which stay enabled and empty. A combo is enabled
// only when its group is: the video group when the profile offers a video encoder, the audio
// group when it offers an audio encoder.
TProfileParamsView LoadProfileParams(const TIniFile& Settings, const TIniFile& Catalogue, int Code,
                                     TLoadMode Mode);

// The Default button: the catalogue's default indexes of the nine lists ("iXxx", default 0) and
// "Full screen"; an index outside its list selects nothing. Writes nothing.
void ApplyCatalogueDefaults(const TIniFile& Catalogue, int Code, TProfileParamsView& View);

// ---- typed values ----

enum class TKeyVerdict {
    Accept,
    Refuse,           // dropped with the system beep
    RefuseWithMessage // dropped with NumericalMessage and the beep
};
// Shown translated by the window (context "SettingsLogic").
inline constexpr std::string_view NumericalMessage =
    QT_TRANSLATE_NOOP("SettingsLogic", "Please enter numerical.");

// A printable character typed into an editable combo; Result is the text the key would give
// (a lower-case "x" is refused when Result holds a second one). Other combos accept everything.
TKeyVerdict TypedKeyVerdict(TParamCombo Combo, char32_t Key, std::string_view Result);

struct TTypedCheck {
    enum TResult {
        Accepted,  // Text is what the combo should show (it may differ in spelling)
        Corrected, // the frame size was made even: show Caption/Message, then Text
        Invalid,   // show Message; the combo selects its second item and takes the focus back
    };
    TResult Result = Accepted;
    std::string Text;
    std::string Caption; // "Input Error!" for a correction, else empty
    std::string Message;
};
inline constexpr std::string_view FrameSizeCorrectionCaption =
    QT_TRANSLATE_NOOP("SettingsLogic", "Input Error!");

// The check of an editable combo's text when the user leaves it. A frame size containing "as
// source" in any letter case is accepted as "as source", the spelling the job builder reads.
TTypedCheck CheckTypedValue(TParamCombo Combo, std::string_view Text);

// ---- OK ----

struct TSettingsChoice {
    std::string ProfileName;
    int Code = 0;
    // As the controls hold them: the current index and the text shown.
    std::array<TParamComboState, ParamComboCount> Combos;
};

// The index OK stores for a combo: its selected item, or -1 when nothing is selected or an
// editable combo shows a text other than that item's (a typed value).
int SavedIndex(TParamCombo Combo, const TParamComboState& State);

struct TSaveResult {
    bool Saved = false;
    // Why nothing (or, after a failed write, not everything) was saved.
    enum TFailure { None, BadTypedValue, BadCatalogueValue, WriteFailed } Failure = None;
    TParamCombo Combo = TParamCombo::VideoSize; // BadTypedValue: the combo to go back to
    TTypedCheck Check;                          // BadTypedValue: its check
    std::string Error;                          // BadCatalogueValue, WriteFailed: the text
};

// OK: checks every enabled combo's typed (non-empty) value and the catalogue's libx264 numbers of an "h264"
// choice, then writes the profile section (Description, the nine index keys, the value keys),
// the category collapse states of List ("lstformat") and the chosen profile ("FormatName",
// "FormatCode"). A failed check writes nothing. The video and audio values of a disabled group
// are written as shown (index -1, empty texts).
TSaveResult SaveProfileSettings(TIniFile& Settings, const TIniFile& Catalogue,
                                const TSettingsChoice& Choice, const TFormatPickerModel* List);

}  // namespace zelta
