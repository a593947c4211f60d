// The run's progress reports: the status line (frames, rate, quality, size, time, bit rate,
// duplicated and dropped pictures), the progress callback and, at the end, the byte summary and
// the output's length held against what its sources announced.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/time.h>
}

void TTranscoder::ReportProgress(bool IsLast, int FileIndex) {
    const TOptionState& o = Options();
    const std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    int64_t totalSize = 0;
    if (!outputs.empty() && outputs[0].Context->pb != nullptr) {
        AVIOContext* pb = outputs[0].Context->pb;
        totalSize = avio_size(pb);
        if (totalSize < 0)
            totalSize = avio_tell(pb);
    }

    int frameNumber = -1;
    int fps = -1;
    float quality = -1.0f;
    std::string text;
    bool firstVideoSeen = false;
    const int64_t now = av_gettime_relative();
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (MediaTypeOf(ost) != AVMEDIA_TYPE_VIDEO)
            continue;
        const float q = ost.EncodingNeeded ? float(ost.CodedQuality) / float(FF_QP2LAMBDA) : -1.0f;
        if (firstVideoSeen) {
            text += FormatText("q=%2.1f ", double(q));
            continue;
        }
        if (!ost.ReportThis)
            continue;
        firstVideoSeen = true;
        const double elapsed = double(now - TimerStart_) / 1e6;
        frameNumber = ost.FrameNumber;
        if (frameNumber < 1)
            return;
        fps = elapsed > 1 ? int(frameNumber / elapsed + 0.5) : 0;
        quality = q;
        text += FormatText("frame=%5d fps=%3d q=%3.1f ", frameNumber, fps, double(quality));
        if (IsLast)
            text += "L";
        if (o.QpHist) {
            const int qp = int(std::lrint(quality));
            if (qp >= 0 && qp < int(Counters_.QpHistogram.size()))
                ++Counters_.QpHistogram[size_t(qp)];
            for (size_t j = 0; j < 32; ++j)
                text +=
                    FormatText("%X", unsigned(std::lrint(std::log2(Counters_.QpHistogram[j] + 1))));
        }
        if (ost.EncodingNeeded && (ost.Encoder->flags & AV_CODEC_FLAG_PSNR)) {
            const AVCodecContext* enc = ost.Encoder;
            double errorSum = 0, scaleSum = 0;
            const char planes[3] = {'Y', 'U', 'V'};
            text += "PSNR=";
            for (int j = 0; j < 3; ++j) {
                double error = IsLast ? double(enc->error[j]) : double(ost.CodedError[j]);
                double scale = double(enc->width) * enc->height * 255.0 * 255.0;
                if (j > 0)
                    scale /= 4;
                if (IsLast)
                    scale *= frameNumber;
                errorSum += error;
                scaleSum += scale;
                text += FormatText("%c:%2.2f ", planes[j], -10.0 * std::log10(error / scale));
            }
            text += FormatText("*:%2.2f ", -10.0 * std::log10(errorSum / scaleSum));
        }
    }

    double outputTime = 1e10;
    for (const auto& p : OutputStreams_) {
        const double t = double(p->CurrentTs) * av_q2d(p->Stream->time_base);
        if (t > 0 && t < outputTime)
            outputTime = t;
    }
    // Nothing written yet counts as the smallest time, not as the starting value.
    if (outputTime >= 1e10 || outputTime < 0.01)
        outputTime = 0.01;

    TFFLogger& log = GetLogger();
    if (Progress_ || o.Verbose > 0 || IsLast) {
        const double bitRate = double(totalSize) * 8 / outputTime / 1000;
        text += FormatText("size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", double(totalSize) / 1024,
                           outputTime, bitRate);
        if (Counters_.DupFrames != 0 || Counters_.DropFrames != 0)
            text += FormatText(" dup=%d drop=%d", Counters_.DupFrames, Counters_.DropFrames);
        if (text.size() > 1023)
            text.resize(1023);
        if (Counters_.DupDropChanged && o.Verbose >= 0 && Progress_) {
            Counters_.DupDropChanged = false;
            log.LogMessage(Session_.LogSender(), llVerbose, text);
        }
        if (Progress_)
            Progress_(FileIndex, Session_.TotalDuration, int64_t(outputTime * 1e6), totalSize,
                      float(bitRate), quality, fps, frameNumber);
        else if (o.Verbose >= 0)
            log.LogMessage(Session_.LogSender(), llVerbose, text);
    }

    if (IsLast && o.Verbose >= 0) {
        const double video = double(Counters_.VideoBytes), audio = double(Counters_.AudioBytes),
                     headers = double(Counters_.GlobalHeaderBytes);
        const double sum = video + audio + headers;
        const double overhead = sum > 0 ? (double(totalSize) - sum) * 100 / sum : 0;
        log.LogFormat(Session_.LogSender(), llVerbose,
                      "video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %f%%\r\n",
                      video / 1024, audio / 1024, headers / 1024, overhead);
    }
}

// A source cut short while it was converted, or whose index promises more than it holds, gives
// an output that ends early although the run went through: the user is told, with both lengths.
void TTranscoder::CheckOutputLength() {
    if (!InputsExhausted_ || Session_.JoinMode())
        return;
    const TOptionState& o = Options();
    int64_t expected = -1; // microseconds
    int64_t written = 0;
    for (const auto& p : OutputStreams_) {
        const TOutputStream& ost = *p;
        written =
            std::max(written, av_rescale_q(ost.CurrentTs, ost.Stream->time_base, AV_TIME_BASE_Q));
        const TInputStream* ist = ost.Source;
        if (ist == nullptr || ist->Stream == nullptr)
            continue;
        const TInputFileEntry& input = Session_.InputEntries()[size_t(ist->FileIndex)];
        const AVFormatContext* ic = input.Context.get();
        // A length guessed from the bit rate (a VBR MP3 without a header) promises nothing.
        if (ic->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE)
            return;
        const AVStream* st = ist->Stream;
        int64_t length = st->duration > 0
                             ? av_rescale_q(st->duration, st->time_base, AV_TIME_BASE_Q)
                             : ic->duration;
        if (length == AV_NOPTS_VALUE || length <= 0)
            continue;
        // From the trim start on, within the recording time.
        length -= input.SeekStart + o.StartTime;
        if (o.RecordingTime != INT64_MAX)
            length = std::min(length, o.RecordingTime);
        expected = std::max(expected, length);
    }
    const int64_t shortBy = expected - written;
    if (expected <= 0 || shortBy <= AV_TIME_BASE || shortBy * 50 <= expected)
        return;
    Session_.AddWarning(FormatText("The output lasts %s, shorter than the %s its source announced",
                                   FormatMediaTime(written).c_str(),
                                   FormatMediaTime(expected).c_str()));
}
