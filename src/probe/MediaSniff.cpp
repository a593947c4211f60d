#include "probe/MediaSniff.h"

#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace zelta {

namespace {

// Bytes read: enough for the containers' headers and a few MP3 frames.
constexpr size_t SniffBytes = 8192;

// Demuxers that recognise things that are not audio or video to convert.
bool IsPictureOrText(std::string_view Name)
{
    constexpr std::array<std::string_view, 22> Refused = {
        "image2", "tty", "ffmetadata", "srt", "ass", "webvtt", "subviewer", "subviewer1",
        "microdvd", "mpl2", "sami", "realtext", "pjs", "jacosub", "vplayer", "stl", "lrc",
        "aqtitle", "mpsub", "scc", "mpjpeg", "sup"};
    for (std::string_view r : Refused)
        if (Name == r)
            return true;
    constexpr std::string_view Pipe = "_pipe";
    return Name.size() > Pipe.size() && Name.substr(Name.size() - Pipe.size()) == Pipe;
}

}  // namespace

bool LooksLikeMedia(const std::string& Path)
{
    // O_NONBLOCK: a FIFO given a media-like name never hangs the check.
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    std::vector<unsigned char> buffer(SniffBytes + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    size_t got = 0;
    while (got < SniffBytes) {
        const ssize_t n = ::read(fd, buffer.data() + got, SniffBytes - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    ::close(fd);
    if (got == 0)
        return false;
    AVProbeData probe{};
    probe.filename = ""; // the content alone decides
    probe.buf = buffer.data();
    probe.buf_size = int(got);
    int score = 0;
    const AVInputFormat* format = av_probe_input_format3(&probe, 1, &score);
    return format != nullptr && score > AVPROBE_SCORE_RETRY && !IsPictureOrText(format->name);
}

}  // namespace zelta
