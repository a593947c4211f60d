#include "app/ProfileParams.h"

#include "app/FormatCatalogue.h"

#include <charconv>
#include <cmath>

namespace zelta {

namespace {

// from_chars refuses a leading "+", which the value texts may carry.
std::string_view WithoutPlus(std::string_view Text)
{
    if (!Text.empty() && Text.front() == '+') {
        Text.remove_prefix(1);
        if (!Text.empty() && Text.front() == '-')
            return {}; // "+-1" is no number
    }
    return Text;
}

char LowerAscii(char C)
{
    return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C;
}

std::string Lower(std::string_view Text)
{
    std::string Result(Text);
    for (char& C : Result)
        C = LowerAscii(C);
    return Result;
}

bool SameKey(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (LowerAscii(A[I]) != LowerAscii(B[I]))
            return false;
    return true;
}

struct TItemName {
    std::string_view Item;
    std::string_view Value;
};

constexpr TItemName VideoEncoderNames[] = {
    {"mpeg-4", "mpeg4"},         {"3gp", "3gp"},
    {"3g2", "3g2"},              {"xvid", "libxvid"},
    {"mov", "mov"},              {"wmv1", "wmv1"},
    {"wmv2", "wmv2"},            {"wmv3", "wmv3"},
    {"flv", "flv"},              {"msmpeg4", "msmpeg4"},
    {"msmpeg4v1", "msmpeg4v1"},  {"msmpeg4v2", "msmpeg4v2"},
    {"mpeg1video", "mpeg1video"}, {"mpeg2video", "mpeg2video"},
    {"h263", "h263"},            {"h263p", "h263p"},
    {"rawvideo", "rawvideo"},    {"swf", "swf"},
    {"rv10", "rv10"},            {"rv20", "rv20"},
    {"dvvideo", "dvvideo"},      {"huffyuv", "huffyuv"},
    {"ljpeg", "ljpeg"},          {"mjpeg", "mjpeg"},
    {"svq1", "svq1"},            {"zlib", "zlib"},
    {"h264", "libx264"},
};

constexpr TItemName AudioEncoderNames[] = {
    {"mp3", "libmp3lame"},   {"ogg", "vorbis"},
    {"mp2", "mp2"},          {"aac", "libfaac"},
    {"ac-3", "ac3"},         {"flac", "libflac"},
    {"amr_nb", "libopencore_amrnb"}, {"pcm_s16", "pcm_s16le"},
    {"pcm_u16", "pcm_u16le"}, {"pcm_alaw", "pcm_alaw"},
    {"pcm_mulaw", "pcm_mulaw"},  {"adpcm_ms", "adpcm_ms"},
    {"adpcm_ima_wav", "adpcm_ima_wav"}, {"wma1", "wmav1"},
    {"wma2", "wmav2"},       {"opus", "libopus"},
    {"alac", "alac"},
};

constexpr TItemName ChannelNames[] = {
    {"as source", "as source"},
    {"mono 1 channel", "1"},
    {"stereo 2 channels", "2"},
};

struct TVolumeStep {
    int Percent;
    std::string_view Value;
};
constexpr TVolumeStep VolumeSteps[] = {
    {25, "64"},   {50, "128"},  {75, "192"},  {100, "256"}, {125, "320"}, {150, "384"},
    {175, "448"}, {200, "512"}, {250, "640"}, {300, "768"}, {350, "896"}, {400, "1024"},
};

std::optional<std::string> Lookup(const TItemName* First, const TItemName* Last,
                                  std::string_view Item)
{
    for (; First != Last; ++First)
        if (First->Item == Item)
            return std::string(First->Value);
    return std::nullopt;
}

// How the dialog turns the selected item of a list into the stored value.
enum class TMapping { Text, VideoEncoder, AudioEncoder, Channel, Volume };

struct TParaSource {
    std::string_view ParaKey;
    TCatalogueListKey List;
    TMapping Mapping;
};
constexpr TParaSource ParaSources[] = {
    {KeyParaVideoSize, {KeyListVideoSize, KeyIVideoSize}, TMapping::Text},
    {KeyParaVideoBitRate, {KeyListVideoBitRate, KeyIVideoBitRate}, TMapping::Text},
    {KeyParaFrameRate, {KeyListFrameRate, KeyIFrameRate}, TMapping::Text},
    {KeyParaVideoEncoder, {KeyListVideoEncoder, KeyIVideoEncoder}, TMapping::VideoEncoder},
    {KeyParaSampleRate, {KeyListSampleRate, KeyISampleRate}, TMapping::Text},
    {KeyParaAudioBitRate, {KeyListAudioBitRate, KeyIAudioBitRate}, TMapping::Text},
    {KeyParaChannel, {KeyListChannel, KeyIChannel}, TMapping::Channel},
    {KeyParaVolume, {KeyListVolume, KeyIVolume}, TMapping::Volume},
    {KeyParaAudioEncoder, {KeyListAudioEncoder, KeyIAudioEncoder}, TMapping::AudioEncoder},
};

}  // namespace

bool ParaIsInteger(std::string_view Text, int& Value)
{
    const std::string_view Digits = WithoutPlus(Text);
    if (Digits.empty())
        return false;
    int Result = 0;
    const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Result);
    if (Error != std::errc() || End != Digits.data() + Digits.size())
        return false;
    Value = Result;
    return true;
}

bool ParaIsNumber(std::string_view Text, double& Value)
{
    const std::string_view Digits = WithoutPlus(Text);
    if (Digits.empty())
        return false;
    double Result = 0;
    const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Result,
                                              std::chars_format::general);
    if (Error != std::errc() || End != Digits.data() + Digits.size() || !std::isfinite(Result))
        return false;
    Value = Result;
    return true;
}

std::optional<std::string> VideoEncoderParaValue(std::string_view Item)
{
    return Lookup(std::begin(VideoEncoderNames), std::end(VideoEncoderNames), Lower(Item));
}

std::optional<std::string> AudioEncoderParaValue(std::string_view Item)
{
    // Catalogues have written "pcm_mulaw " with a trailing blank; an item is the same encoder
    // with or without trailing blanks.
    while (!Item.empty() && Item.back() == ' ')
        Item.remove_suffix(1);
    return Lookup(std::begin(AudioEncoderNames), std::end(AudioEncoderNames), Lower(Item));
}

std::optional<std::string> ChannelParaValue(std::string_view Item)
{
    return Lookup(std::begin(ChannelNames), std::end(ChannelNames), Item);
}

std::optional<std::string> VolumeParaValue(std::string_view Item)
{
    if (Item.empty())
        return std::nullopt;
    int Percent = 0;
    if (!ParaIsInteger(Item.substr(0, Item.size() - 1), Percent))
        return std::nullopt;
    for (const TVolumeStep& Step : VolumeSteps)
        if (Step.Percent == Percent)
            return std::string(Step.Value);
    return std::nullopt;
}

std::optional<std::string> CatalogueParaValue(const TIniFile& Catalogue, int Code,
                                              std::string_view ParaKey)
{
    for (const TParaSource& Source : ParaSources) {
        if (!SameKey(Source.ParaKey, ParaKey))
            continue;
        // A value the profile does not offer: the dialog's disabled, empty combo, which OK
        // stores as it shows it.
        if (Source.Mapping == TMapping::Text &&
            Catalogue.ReadString(FormatInfoSection(Code), Source.List.List, "") == ListNotApplicable)
            return std::string();
        const std::optional<std::string> Item = CatalogueDefaultItem(Catalogue, Code, Source.List);
        if (!Item)
            return std::nullopt;
        switch (Source.Mapping) {
        case TMapping::Text:
            return Item;
        case TMapping::VideoEncoder:
            return VideoEncoderParaValue(*Item);
        case TMapping::AudioEncoder:
            return AudioEncoderParaValue(*Item);
        case TMapping::Channel:
            return ChannelParaValue(*Item);
        case TMapping::Volume:
            return VolumeParaValue(*Item);
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadProfilePara(const TIniFile& Settings, const TIniFile& Catalogue,
                                           int Code, std::string_view ParaKey)
{
    const std::string Section = FormatInfoSection(Code);
    if (Settings.ValueExists(Section, ParaKey))
        return Settings.ReadString(Section, ParaKey, "");
    std::optional<std::string> Value = CatalogueParaValue(Catalogue, Code, ParaKey);
    if (!Value && SameKey(ParaKey, KeyParaVolume))
        Value = std::string(ParaVolumeUnchanged);
    return Value;
}

std::string ReadProfilePara(const TIniFile& Settings, const TIniFile& Catalogue, int Code,
                            std::string_view ParaKey, std::string_view Default)
{
    return ReadProfilePara(Settings, Catalogue, Code, ParaKey).value_or(std::string(Default));
}

}  // namespace zelta
