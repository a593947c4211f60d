#include "app/ListStore.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <variant>

namespace zelta {

namespace {

constexpr std::string_view Header = "zelta-list 1";
constexpr std::string_view RowWord = "row";
constexpr std::string_view LayerWord = "layer";
constexpr std::string_view TagPrefix = "tag.";

// ---- escaping ----

void AppendEscaped(std::string& Out, std::string_view Value)
{
    for (const char C : Value) {
        switch (C) {
        case '\\': Out += "\\\\"; break;
        case '\t': Out += "\\t"; break;
        case '\n': Out += "\\n"; break;
        case '\r': Out += "\\r"; break;
        default: Out += C;
        }
    }
}

std::string Unescaped(std::string_view Value)
{
    std::string Out;
    Out.reserve(Value.size());
    for (size_t I = 0; I < Value.size(); ++I) {
        if (Value[I] != '\\' || I + 1 == Value.size()) {
            Out += Value[I];
            continue;
        }
        switch (Value[++I]) {
        case 't': Out += '\t'; break;
        case 'n': Out += '\n'; break;
        case 'r': Out += '\r'; break;
        default: Out += Value[I];
        }
    }
    return Out;
}

// ---- the fields ----

// A stored field of T: a member of one of the kinds below.
template <typename T>
struct TField {
    std::string_view Key;
    std::variant<int T::*, int64_t T::*, std::string T::*, bool T::*, uint32_t T::*> Member;
};

// Base members of the record reached through the derived type.
const TField<TlvFilesRecord> RecordFields[] = {
    {"pick", &TlvFilesRecord::PickIndex},
    {"src", &TlvFilesRecord::SrcFile},
    {"dst", &TlvFilesRecord::DstFile},
    {"duration", &TlvFilesRecord::Duration},
    {"trimstart", &TlvFilesRecord::TrimStart},
    {"trimlength", &TlvFilesRecord::TrimLength},
    {"zoom", &TlvFilesRecord::ZoomMode},
    {"croptop", &TlvFilesRecord::CropTop},
    {"cropleft", &TlvFilesRecord::CropLeft},
    {"cropbottom", &TlvFilesRecord::CropBottom},
    {"cropright", &TlvFilesRecord::CropRight},
    {"cropupview", &TlvFilesRecord::CropUpView},
    {"cropleftview", &TlvFilesRecord::CropLeftView},
    {"cropdownview", &TlvFilesRecord::CropDownView},
    {"croprightview", &TlvFilesRecord::CropRightView},
    {"processtext", &TlvFilesRecord::ProcessText},
    {"processimage", &TlvFilesRecord::ProcessImage},
    {"root", &TlvFilesRecord::Root},
    {"tagsread", &TlvFilesRecord::TagsRead},
    {"brightness", static_cast<int TlvFilesRecord::*>(&TFrameEffectsRecord::Brightness)},
    {"contrast", static_cast<int TlvFilesRecord::*>(&TFrameEffectsRecord::Contrast)},
    {"saturation", static_cast<int TlvFilesRecord::*>(&TFrameEffectsRecord::Saturation)},
    {"exposure", static_cast<int TlvFilesRecord::*>(&TFrameEffectsRecord::Exposure)},
    {"audiotrack", &TlvFilesRecord::AudioTrack},
    {"audiotracktext", &TlvFilesRecord::AudioTrackText},
    {"segmenterror", &TlvFilesRecord::SegmentError},
};

// The piece of the file a row converts (a CUE track, a chapter), under "seg." keys.
const TField<TSegment> SegmentFields[] = {
    {"seg.number", &TSegment::Number},
    {"seg.count", &TSegment::Count},
    {"seg.title", &TSegment::Title},
    {"seg.performer", &TSegment::Performer},
    {"seg.album", &TSegment::Album},
    {"seg.albumperformer", &TSegment::AlbumPerformer},
    {"seg.date", &TSegment::Date},
    {"seg.genre", &TSegment::Genre},
    {"seg.start", &TSegment::Start},
    {"seg.end", &TSegment::End},
    {"seg.sheet", &TSegment::Sheet},
};
constexpr std::string_view SegmentKindKey = "seg.kind";

const TField<TWmRec> LayerFields[] = {
    {"kind", &TWmRec::Kind},
    {"text", &TWmRec::Text},
    {"textleft", &TWmRec::TextLeft},
    {"texttop", &TWmRec::TextTop},
    {"textwidth", &TWmRec::TextWidth},
    {"textheight", &TWmRec::TextHeight},
    {"textalpha", &TWmRec::TextAlpha},
    {"backcolor", &TWmRec::BackColor},
    {"backfilled", &TWmRec::BackFilled},
    {"image", &TWmRec::ImageFile},
    {"imageleft", &TWmRec::ImageLeft},
    {"imagetop", &TWmRec::ImageTop},
    {"imagewidth", &TWmRec::ImageWidth},
    {"imageheight", &TWmRec::ImageHeight},
    {"imagealpha", &TWmRec::ImageAlpha},
    {"start", &TWmRec::StartTime},
    {"end", &TWmRec::EndTime},
};

template <typename N>
void AppendNumber(std::string& Out, N Value)
{
    char Buffer[24];
    const auto R = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
    Out.append(Buffer, R.ptr);
}

void AppendPair(std::string& Out, std::string_view Key, std::string_view Value)
{
    Out += '\t';
    Out += Key;
    Out += '=';
    AppendEscaped(Out, Value);
}

template <typename T, size_t Count>
void AppendFields(std::string& Out, const T& Object, const TField<T> (&Fields)[Count])
{
    for (const TField<T>& F : Fields) {
        Out += '\t';
        Out += F.Key;
        Out += '=';
        std::visit(
            [&](auto Member) {
                using V = std::decay_t<decltype(Object.*Member)>;
                if constexpr (std::is_same_v<V, std::string>)
                    AppendEscaped(Out, Object.*Member);
                else if constexpr (std::is_same_v<V, bool>)
                    Out += (Object.*Member) ? '1' : '0';
                else
                    AppendNumber(Out, Object.*Member);
            },
            F.Member);
    }
}

template <typename N>
bool ParseNumber(std::string_view Text, N& Value)
{
    N Parsed{};
    const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), Parsed);
    if (R.ec != std::errc() || R.ptr != Text.data() + Text.size())
        return false;
    Value = Parsed;
    return true;
}

// Sets the field Key of Object from its stored text; false when no field has that key (or the
// number does not read).
template <typename T, size_t Count>
bool SetField(T& Object, const TField<T> (&Fields)[Count], std::string_view Key,
              std::string_view Raw)
{
    for (const TField<T>& F : Fields) {
        if (F.Key != Key)
            continue;
        return std::visit(
            [&](auto Member) {
                auto& Target = Object.*Member;
                using V = std::decay_t<decltype(Target)>;
                if constexpr (std::is_same_v<V, std::string>) {
                    Target = Unescaped(Raw);
                    return true;
                } else if constexpr (std::is_same_v<V, bool>) {
                    Target = Raw == "1";
                    return true;
                } else {
                    return ParseNumber(Raw, Target);
                }
            },
            F.Member);
    }
    return false;
}

// Calls Each(key, raw value) for every "key=value" of Line after its first word.
template <typename F>
void ForEachPair(std::string_view Line, F&& Each)
{
    size_t At = Line.find('\t');
    while (At != std::string_view::npos) {
        const size_t Next = Line.find('\t', At + 1);
        const std::string_view Pair =
            Line.substr(At + 1, Next == std::string_view::npos ? std::string_view::npos
                                                               : Next - At - 1);
        const size_t Eq = Pair.find('=');
        if (Eq != std::string_view::npos)
            Each(Pair.substr(0, Eq), Pair.substr(Eq + 1));
        At = Next;
    }
}

std::string_view FirstWord(std::string_view Line)
{
    return Line.substr(0, Line.find('\t'));
}

}  // namespace

std::string ListFilePath(const std::string& SettingsFile)
{
    return (std::filesystem::path(SettingsFile).parent_path() / std::string(ListFileName))
        .string();
}

std::string EncodeList(const TSourceListModel& Files)
{
    std::string Out;
    Out.reserve(size_t(Files.RowCount()) * 400 + 32);
    Out += Header;
    Out += '\n';
    for (int Row = 0; Row < Files.RowCount(); ++Row) {
        const TlvFilesRecord& R = Files.Record(Row);
        Out += RowWord;
        AppendPair(Out, "checked", Files.Checked(Row) ? "1" : "0");
        AppendPair(Out, "length", Files.SubItem(Row, colLength));
        AppendPair(Out, "trimmed", Files.SubItem(Row, colTrimmedLength));
        AppendPair(Out, "caption", Files.Caption(Row));
        AppendFields(Out, R, RecordFields);
        if (R.Segment.Active()) {
            Out += '\t';
            Out += SegmentKindKey;
            Out += '=';
            AppendNumber(Out, int(R.Segment.Kind));
            AppendFields(Out, R.Segment, SegmentFields);
        }
        for (const auto& [Name, Value] : R.NameTags)
            AppendPair(Out, std::string(TagPrefix) + Name, Value);
        Out += '\n';
        for (const std::unique_ptr<TWmRec>& Layer : R.WaterMarks) {
            if (!Layer)
                continue;
            Out += LayerWord;
            AppendFields(Out, *Layer, LayerFields);
            if (Layer->Font) {
                AppendPair(Out, "font", Layer->Font->Name);
                Out += "\tfontsize=";
                AppendNumber(Out, Layer->Font->Size);
                Out += "\tfontstyle=";
                AppendNumber(Out, int(Layer->Font->Style));
                Out += "\tfontcolor=";
                AppendNumber(Out, Layer->Font->Color);
            }
            Out += '\n';
        }
    }
    return Out;
}

std::vector<TStoredRow> DecodeList(std::string_view Text)
{
    std::vector<TStoredRow> Rows;
    size_t At = 0;
    bool SawHeader = false;
    // Whether the last "row" line was taken (its layers follow it).
    bool RowOpen = false;
    while (At < Text.size()) {
        size_t End = Text.find('\n', At);
        if (End == std::string_view::npos)
            End = Text.size();
        const std::string_view Line = Text.substr(At, End - At);
        At = End + 1;
        if (!SawHeader) {
            if (Line != Header)
                return Rows; // not a list file of this kind
            SawHeader = true;
            continue;
        }
        const std::string_view Word = FirstWord(Line);
        if (Word == RowWord) {
            TStoredRow Row;
            std::string Caption;
            ForEachPair(Line, [&](std::string_view Key, std::string_view Raw) {
                if (Key == "checked")
                    Row.Checked = Raw != "0";
                else if (Key == "length")
                    Row.Length = Unescaped(Raw);
                else if (Key == "trimmed")
                    Row.TrimmedLength = Unescaped(Raw);
                else if (Key == "caption")
                    Caption = Unescaped(Raw);
                else if (Key.substr(0, TagPrefix.size()) == TagPrefix)
                    Row.Record.NameTags[std::string(Key.substr(TagPrefix.size()))] =
                        Unescaped(Raw);
                else if (Key == SegmentKindKey) {
                    int Kind = 0;
                    if (ParseNumber(Raw, Kind) && Kind >= int(TSegmentKind::None) &&
                        Kind <= int(TSegmentKind::Chapter))
                        Row.Record.Segment.Kind = TSegmentKind(Kind);
                } else if (!SetField(Row.Record, RecordFields, Key, Raw))
                    SetField(Row.Record.Segment, SegmentFields, Key, Raw);
            });
            if (!Caption.empty())
                Row.Record.SrcFile = Caption;
            RowOpen = !Row.Record.SrcFile.empty();
            if (RowOpen)
                Rows.push_back(std::move(Row));
        } else if (Word == LayerWord && RowOpen) {
            auto Layer = std::make_unique<TWmRec>();
            std::unique_ptr<TWmFont> Font;
            auto Fonted = [&]() -> TWmFont& {
                if (!Font)
                    Font = std::make_unique<TWmFont>();
                return *Font;
            };
            ForEachPair(Line, [&](std::string_view Key, std::string_view Raw) {
                if (Key == "font")
                    Fonted().Name = Unescaped(Raw);
                else if (Key == "fontsize")
                    ParseNumber(Raw, Fonted().Size);
                else if (Key == "fontstyle") {
                    int Style = 0;
                    if (ParseNumber(Raw, Style))
                        Fonted().Style = uint8_t(Style);
                } else if (Key == "fontcolor")
                    ParseNumber(Raw, Fonted().Color);
                else
                    SetField(*Layer, LayerFields, Key, Raw);
            });
            // A text layer always has its font; an image layer never.
            if (Layer->Kind == WmKindText)
                Layer->Font = Font ? std::move(Font) : std::make_unique<TWmFont>();
            Rows.back().Record.WaterMarks.push_back(std::move(Layer));
        }
        // Anything else (a newer program's lines, a damaged line) is passed over.
    }
    return Rows;
}

}  // namespace zelta
