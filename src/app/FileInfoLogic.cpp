#include "app/FileInfoLogic.h"

#include "app/GlobalObject.h"
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

TFileInfoTexts DescribeFileInfo(TCustomAVProbe& Probe) {
    TFileInfoTexts t;
    if (Probe.VideoStreamCount() <= 0)
        return t;

    const TSourceNameLabel name = ShortenSourceName(Probe.FileName());
    t.SourceName = name.Text;
    t.SourceNameShortened = name.Shortened;
    TFileStreamInfo file;
    Probe.GetFileStreamInfo(file);
    t.FileLength = FormatSecondsMs(file.Duration) + " Second";
    t.FormatSet = true;
    t.Format = Probe.FormatName();

    t.VideoSet = true;
    const int video = Probe.FirstVideoStream();
    TVideoStreamInfo v;
    if (Probe.IsVideoStream(video) && Probe.GetVideoStreamInfo(video, v)) {
        t.Resolution = std::to_string(v.Width) + "x" + std::to_string(v.Height);
        t.BitRate = std::to_string(v.BitRate);
        t.FrameRate = std::to_string(v.FrameRateNum);
        t.TotalFrame = std::to_string(v.FrameRateDen);
    }

    t.AudioSet = true;
    const int audio = Probe.FirstAudioStream();
    TAudioStreamInfo a;
    if (!Probe.IsAudioStream(audio) || !Probe.GetAudioStreamInfo(audio, a))
        return t;
    t.AudioBitRate = std::to_string(a.BitRate);
    t.SampleRate = std::to_string(a.SampleRate);
    t.Channel = std::to_string(a.Channels);
    std::string info;
    if (Probe.GetInfoText(info))
        t.AudioFormat = AudioFormatFromInfoText(info);
    return t;
}

}  // namespace zelta
