#include "app/FileInfoLogic.h"

#include "app/GlobalObject.h"
#include "app/AudioTrackChooser.h"
#include "app/Translation.h"
#include "probe/AVProbe.h"

#include <cstdio>

namespace zelta {

namespace {

// Byte offset of code point N (or the text's size when it has fewer).
std::size_t Utf8Offset(std::string_view S, std::size_t N) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
        if ((static_cast<unsigned char>(S[i]) & 0xC0) != 0x80) {
            if (count == N)
                return i;
            ++count;
        }
    }
    return S.size();
}

// The extension with its dot, taken after the last "/"; "" when there is none.
std::string FileExtension(const std::string& Path) {
    const std::size_t dot = Path.rfind('.');
    const std::size_t slash = Path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return Path.substr(dot);
}

}  // namespace

std::string FormatSecondsMs(int64_t Microseconds) {
    const long long seconds = Microseconds / 1000000;
    const long long millis = (Microseconds / 1000) % 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%.3lld", seconds, millis);
    return text;
}

std::string ShortenedName(const std::string& Path, std::size_t Limit, std::size_t Head,
                          const std::string& Tail) {
    if (Utf8Length(Path) <= Limit)
        return Path;
    return Path.substr(0, Utf8Offset(Path, Head)) + ".." + FileExtension(Path) + Tail;
}

TSourceNameLabel ShortenSourceName(const std::string& Path) {
    if (Utf8Length(Path) < 46)
        return {Path, false};
    return {ShortenedName(Path, 45, 40, "  "), true};
}

std::string AudioFormatFromInfoText(const std::string& InfoText) {
    static constexpr std::string_view Marker = "Audio:";
    const std::size_t p = InfoText.find(Marker);
    if (p == std::string::npos)
        return {};
    const std::size_t comma = InfoText.find(',', p);
    const std::size_t start = p + Marker.size() + 1;  // after "Audio: "
    if (comma == std::string::npos || comma <= start)
        return {};
    return InfoText.substr(start, comma - start);
}

std::string FrameRateText(int Num, int Den) {
    if (Num <= 0 || Den <= 0)
        return TrText("FileInfoLogic", NotApplicable);
    if (Num % Den == 0)
        return std::to_string(Num / Den);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", double(Num) / Den);
    std::string out = text;
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out;
}

std::string TotalFrameText(int64_t FrameCount, int64_t DurationUs, int RateNum, int RateDen) {
    if (FrameCount > 0)
        return std::to_string(FrameCount);
    if (DurationUs <= 0 || RateNum <= 0 || RateDen <= 0)
        return TrText("FileInfoLogic", NotApplicable);
    const double frames = double(DurationUs) / 1e6 * RateNum / RateDen;
    //: a frame count worked out from the length and the frame rate
    return FillText(TrText("FileInfoLogic", "%1 (estimated)"),
                    {std::to_string(static_cast<long long>(frames + 0.5))});
}

namespace {

// The size as shown; a turned or non-square picture also names its stored size, pixel aspect,
// display aspect and turn, so the user can tell why it differs from the stored one.
std::string ResolutionText(const TVideoStreamInfo& V) {
    const std::string stored = std::to_string(V.Width) + "x" + std::to_string(V.Height);
    const bool square = V.PixelAspectNum == V.PixelAspectDen;
    if (V.Rotation <= 0 && square)
        return stored;
    // Each remark in the brackets is a text of its own; they are joined with ", ".
    //: the picture's size as stored in the file (a remark after the size shown)
    std::string text = std::to_string(V.DisplayWidth) + "x" + std::to_string(V.DisplayHeight) +
                       " (" + FillText(TrText("FileInfoLogic", "stored %1"), {stored});
    if (!square)
        text +=
            ", " + FillText(TrText("FileInfoLogic", "pixel aspect %1:%2"),
                            {std::to_string(V.PixelAspectNum), std::to_string(V.PixelAspectDen)});
    char aspect[32];
    std::snprintf(aspect, sizeof aspect, "%.2f", double(V.DisplayAspect));
    if (V.DisplayAspect > 0)
        text += ", " + FillText(TrText("FileInfoLogic", "display aspect %1"), {aspect});
    //: %1 is the turn in degrees, followed by the degree sign
    if (V.Rotation > 0)
        text +=
            ", " + FillText(TrText("FileInfoLogic", "rotated %1°"), {std::to_string(V.Rotation)});
    return text + ")";
}

std::string PositiveOrNA(int64_t Value) {
    return Value > 0 ? std::to_string(Value) : TrText("FileInfoLogic", NotApplicable);
}

}  // namespace

TFileInfoTexts DescribeFileInfo(TCustomAVProbe& Probe, const std::string& SourceFile) {
    TFileInfoTexts t;
    const TSourceNameLabel name = ShortenSourceName(SourceFile);
    t.SourceName = name.Text;
    t.SourceNameShortened = name.Shortened;
    const std::string notApplicable = TrText("FileInfoLogic", NotApplicable);
    t.FileLength = t.Format = notApplicable;
    t.Resolution = t.BitRate = t.FrameRate = t.TotalFrame = notApplicable;
    t.AudioFormat = t.SampleRate = t.Channel = t.AudioBitRate = notApplicable;
    TFileStreamInfo file;
    if (!Probe.GetFileStreamInfo(file)) // nothing open
        return t;
    if (file.Duration >= 0)
        //: the file's length in seconds, with milliseconds ("12.345 Second")
        t.FileLength =
            FillText(TrText("FileInfoLogic", "%1 Second"), {FormatSecondsMs(file.Duration)});
    const std::string format = Probe.FormatName();
    if (!format.empty())
        t.Format = format;

    const int video = Probe.FirstVideoStream();
    TVideoStreamInfo v;
    if (Probe.IsVideoStream(video) && Probe.GetVideoStreamInfo(video, v)) {
        if (v.Width > 0 && v.Height > 0)
            t.Resolution = ResolutionText(v);
        t.BitRate = PositiveOrNA(v.BitRate);
        t.FrameRate = FrameRateText(v.FrameRateNum, v.FrameRateDen);
        const int64_t duration = v.DurationUs > 0 ? v.DurationUs : file.Duration;
        t.TotalFrame = TotalFrameText(v.FrameCount, duration, v.FrameRateNum, v.FrameRateDen);
    }

    for (const TAudioTrack& track : Probe.AudioTracks())
        t.AudioTracks.push_back(ShownAudioTrackText(track));
    const int audio = Probe.FirstAudioStream();
    TAudioStreamInfo a;
    if (!Probe.IsAudioStream(audio) || !Probe.GetAudioStreamInfo(audio, a))
        return t;
    t.AudioBitRate = PositiveOrNA(a.BitRate);
    t.SampleRate = PositiveOrNA(a.SampleRate);
    t.Channel = PositiveOrNA(a.Channels);
    std::string info;
    if (Probe.GetInfoText(info)) {
        const std::string codec = AudioFormatFromInfoText(info);
        t.AudioFormat = codec.empty() ? a.CodecName : codec;
    } else if (!a.CodecName.empty()) {
        t.AudioFormat = a.CodecName;
    }
    return t;
}

}  // namespace zelta
