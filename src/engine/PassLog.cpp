// The two-pass statistics of an encoder: the pass log file named after the output stream,
// written in the first pass and read back whole for the second (libx264 is handed the name and
// keeps its statistics itself).

#include "engine/SafeWrite.h"
#include "engine/Transcode.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

void TTranscoder::OpenPassLog(TOutputStream& Ost) {
    const std::string& base = Options().PassLogFileName;
    std::string name = (base.empty() ? std::string("ffmpeg2pass") : base) + "-" +
                       std::to_string(Ost.OverallIndex) + ".log";
    if (name.size() > 1023)
        name.resize(1023);
    // libx264 keeps its statistics itself, by default in a file of the current folder that
    // every two-pass task would share: it gets the task's pass log file instead, and writes and
    // reads it on its own.
    const AVCodec* codec = Ost.Encoder->codec != nullptr ? Ost.Encoder->codec : Ost.Setup->Encoder;
    if (codec != nullptr && std::strcmp(codec->name, "libx264") == 0) {
        const bool first = (Ost.Encoder->flags & AV_CODEC_FLAG_PASS1) != 0;
        if (!first) {
            std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(name.c_str(), "rb"), &std::fclose);
            if (!in)
                throw FFmpegException(FormatText(
                    "Cannot read file: Error reading log file \"%s\" for pass-2 encoding",
                    name.c_str()));
        }
        if (av_opt_set(Ost.Encoder, "stats", name.c_str(), AV_OPT_SEARCH_CHILDREN) < 0)
            throw FFmpegException(first ? FormatText("Cannot write log file %s for pass-1 encoding",
                                                     name.c_str())
                                        : FormatText("Cannot read file: Error reading log file "
                                                     "\"%s\" for pass-2 encoding",
                                                     name.c_str()));
        return;
    }
    if (Ost.Encoder->flags & AV_CODEC_FLAG_PASS1) {
        FILE* f = OpenWorkingFile(name);
        if (f == nullptr)
            throw FFmpegException(
                FormatText("Cannot write log file %s for pass-1 encoding", name.c_str()));
        Ost.PassLogFile.reset(f);
    } else {
        TWholeFile file = ReadWholeFile(name);
        if (file.Result == -12)
            throw FFmpegException(FormatText(
                "Could not allocate file buffer: Error reading log file \"%s\" for pass-2 encoding",
                name.c_str()));
        if (file.Result < 0)
            throw FFmpegException(
                FormatText("Cannot read file: Error reading log file \"%s\" for pass-2 encoding",
                           name.c_str()));
        Ost.PassLogIn = std::move(file);
        Ost.Encoder->stats_in = reinterpret_cast<char*>(Ost.PassLogIn.Buffer.get());
    }
}
