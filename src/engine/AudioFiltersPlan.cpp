// The run's side of the audio filter chains: what each output's chain holds (the user's "af"
// text; for normalisation, fades and silence trimming the measuring pass first, then the gain,
// the cuts and the fades), the decoded audio sent through it to the output stage, and its end.

#include "engine/Transcode.h"

#include "engine/AudioAnalysis.h"
#include "engine/AudioFilters.h"
#include "engine/FFLogger.h"
#include "engine/Loudness.h"
#include "engine/LoudnessAlbum.h"
#include "engine/Output.h"
#include "engine/UnicodeProtocol.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

bool IsPlainFile(const std::string& Url) {
    struct stat st {};
    return ::stat(URLToFileName(Url).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Several inputs joined one after the other, measured as one programme: each input's time line
// continues where the one before ended.
TAudioMeasurement Joined(std::vector<TAudioMeasurement>& Parts) {
    if (Parts.size() == 1)
        return std::move(Parts.front());
    TAudioMeasurement all;
    int64_t cursor = NoMediaTime; // where the next input's audio begins
    std::vector<float> blocks;
    for (TAudioMeasurement& p : Parts) {
        if (p.Start == NoMediaTime)
            continue;
        if (cursor == NoMediaTime)
            cursor = all.Start = p.Start;
        const int64_t shift = cursor - p.Start;
        if (p.SoundStart != NoMediaTime && all.SoundStart == NoMediaTime)
            all.SoundStart = p.SoundStart + shift;
        if (p.SoundEnd != NoMediaTime)
            all.SoundEnd = p.SoundEnd + shift;
        all.End = cursor = p.End + shift;
        all.SamplePeak = std::max(all.SamplePeak, p.SamplePeak);
        blocks.insert(blocks.end(), p.Blocks.begin(), p.Blocks.end());
        all.StepPeaks.insert(all.StepPeaks.end(), p.StepPeaks.begin(), p.StepPeaks.end());
    }
    all.IntegratedLufs = GatedLoudness(blocks);
    return all;
}

std::string Text(const char* Format, double A, double B = 0, double C = 0, double D = 0) {
    return FormatText(Format, A, B, C, D);
}

// Puts the input's position back after the chain's output was handed on at its own times.
struct TPtsRestore {
    TInputStream& Ist;
    int64_t Pts;
    ~TPtsRestore() { Ist.Pts = Pts; }
};

} // namespace

TAudioSource TTranscoder::AudioSourceOf(const TOutputStream& Ost) const {
    const TInputStream& ist = *Ost.Source;
    const TInputFileEntry& in = Session_.InputEntries()[size_t(ist.FileIndex)];
    TAudioSource s;
    s.Url = in.Context->url != nullptr ? in.Context->url : "";
    s.FormatName = in.Context->iformat != nullptr ? in.Context->iformat->name : "";
    // A demuxer serving several names ("mov,mp4,m4a,...") is found again by detection.
    if (s.FormatName.find(',') != std::string::npos)
        s.FormatName.clear();
    s.StreamIndex = ist.StreamIndex;
    s.InputStart = in.SeekStart;
    s.TsOffset = in.TsOffset;
    s.OutputStart = Options().StartTime;
    s.RecordingTime = Options().RecordingTime;
    const AVCodecParameters* par = ist.Stream->codecpar;
    if (Ost.Encoder != nullptr && Ost.Encoder->ch_layout.nb_channels < par->ch_layout.nb_channels)
        s.DownmixChannels = Ost.Encoder->ch_layout.nb_channels;
    return s;
}

void TTranscoder::PlanAudioFilters() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    // In join mode the first entry's streams carry the chains; they move on with the inputs.
    const size_t count = Session_.JoinMode() ? std::min<size_t>(1, outputs.size()) : outputs.size();
    for (size_t i = 0; i < count; ++i) {
        TOutputFileEntry& entry = outputs[i];
        if (entry.AudioFilters.empty() && !entry.Shaping.Active())
            continue;
        // A piece's end alone asks for no chain where the sound is copied: the copy ends at the
        // packet that holds it.
        TAudioShaping shaping = entry.Shaping;
        const int64_t segmentEnd = shaping.SegmentEnd;
        shaping.SegmentEnd = -1;
        const bool needsChain = !entry.AudioFilters.empty() || shaping.Active();
        std::vector<TOutputStream*> streams;
        for (const auto& p : OutputStreams_)
            if (p->FileIndex == int(i) && MediaTypeOf(*p) == AVMEDIA_TYPE_AUDIO) {
                if (!p->EncodingNeeded && needsChain)
                    throw FFmpegException(
                        "Audio filters, normalisation and fades need the sound encoded, not copied");
                if (p->EncodingNeeded)
                    streams.push_back(p.get());
            }
        if (streams.empty())
            continue;
        TAudioChainPlan plan;
        plan.UserFilters = entry.AudioFilters;
        if (shaping.Active() && !ShapeSound(entry, *streams.front(), plan))
            return; // stopped: the run ends at once
        if (segmentEnd >= 0) {
            const TInputStream& ist = *streams.front()->Source;
            const TInputFileEntry& in = Session_.InputEntries()[size_t(ist.FileIndex)];
            const int64_t firstTime =
                in.Context->start_time != AV_NOPTS_VALUE ? in.Context->start_time : 0;
            // The run's time 0 is the input's seek target (StartTime + the container's start).
            plan.TrimOrigin = in.SeekStart + firstTime;
            const int64_t end = segmentEnd - in.SeekStart;
            if (plan.TrimEnd == NoMediaTime || end < plan.TrimEnd)
                plan.TrimEnd = end;
        }
        for (TOutputStream* ost : streams)
            ost->Chain = std::make_shared<TAudioChain>(plan);
    }
}

bool TTranscoder::ShapeSound(const TOutputFileEntry& Entry, const TOutputStream& Ost,
                             TAudioChainPlan& Plan) {
    const TAudioShaping& sh = Entry.Shaping;
    const TOptionState& o = Options();
    auto keepGoing = [this] {
        if (Settings_.PausePoint)
            Settings_.PausePoint();
        return !StopRequested_.load();
    };
    auto warn = [&](const std::string& Text) { Session_.AddWarning(Text); };
    auto note = [&](const std::string& Text) { Session_.AddNote(Text); };
    bool pictures = false;
    for (const auto& p : OutputStreams_)
        pictures = pictures || (p->FileIndex == Ost.FileIndex && MediaTypeOf(*p) == AVMEDIA_TYPE_VIDEO);
    const bool trim = sh.TrimSilence && !pictures;
    if (sh.TrimSilence && pictures)
        warn("Silence is trimmed only from files without pictures (the picture would fall out of "
             "step with the sound)");
    Plan.FadeIn = sh.FadeIn;
    Plan.FadeInStart = o.StartTime;
    if (!sh.NeedsMeasuring())
        return true;

    TAudioMeasurement m;
    TGainDecision gain;
    double albumLufs = NAN;
    int albumFiles = 0;
    if (sh.Album && sh.Target) {
        TLoudnessAlbum::TResult r = sh.Album->Result(sh.AlbumMember, keepGoing);
        if (r.Stopped)
            return false;
        if (!r.Error.empty())
            throw FFmpegException("The loudness cannot be measured: " + r.Error);
        m = std::move(r.Own);
        gain = r.Gain;
        albumLufs = r.AlbumLufs;
        albumFiles = r.Files;
    } else {
        // Every input of a joined output, each on its own time line.
        std::vector<TAudioSource> sources;
        for (const auto& p : OutputStreams_)
            if (MediaTypeOf(*p) == AVMEDIA_TYPE_AUDIO && p->StreamIndex == Ost.StreamIndex &&
                (p.get() == &Ost || (Session_.JoinMode() && p->GroupIndex > 0)))
                sources.push_back(AudioSourceOf(*p));
        std::vector<TAudioMeasurement> parts;
        for (const TAudioSource& source : sources) {
            if (!IsPlainFile(source.Url))
                throw FFmpegException(
                    URLToFileName(source.Url) +
                    ": normalisation, fade out and silence trimming read the sound twice, and "
                    "this is not a file that can be read twice");
            parts.push_back(MeasureAudio(source, sh.FromTags, trim || sh.FadeOut > 0,
                                         sources.size() > 1, keepGoing));
            if (parts.back().Stopped)
                return false;
            if (!parts.back().Error.empty())
                throw FFmpegException("The loudness cannot be measured: " + parts.back().Error);
        }
        m = Joined(parts);
        if (sh.Target) {
            bool stopped = false;
            gain = DecideGain(*sh.Target, sh.Ceiling, m.IntegratedLufs, m.SamplePeak,
                              [&](double Above) {
                                  double peak = 0;
                                  for (size_t k = 0; k < sources.size(); ++k) {
                                      const double p =
                                          MeasureTruePeak(sources[k], parts.size() == 1 ? m : parts[k],
                                                          Above, keepGoing);
                                      stopped = stopped || p < 0;
                                      peak = std::max(peak, p);
                                  }
                                  return peak;
                              });
            if (stopped && StopRequested_.load())
                return false;
        }
    }

    if (sh.Target) {
        const double volumeDb = 20.0 * std::log10(std::max(o.AudioVolume, 1) / 256.0);
        const char* from = m.FromTags ? " (from its tags)" : "";
        if (!gain.Measured) {
            warn("Too quiet to measure its loudness: the level is left as it was");
        } else if (albumFiles > 1) {
            // (a file alone in its album gets the plain note below)
            note(Text("Album loudness %.1f LUFS over %.0f files, this file %.1f LUFS", albumLufs,
                      albumFiles, m.IntegratedLufs) +
                 from + Text(": gain %+.1f dB", gain.GainDb));
        } else {
            note(Text("Loudness %.1f LUFS, range %.1f LU", m.IntegratedLufs, m.RangeLu) + from +
                 Text(": gain %+.1f dB to %.1f LUFS", gain.GainDb,
                      m.IntegratedLufs + gain.GainDb));
        }
        if (gain.Limited)
            warn(Text("Gain held to %+.1f dB by the true-peak ceiling of %.1f dBTP (true peak "
                      "%.1f dBTP): %.1f LUFS",
                      gain.GainDb, sh.Ceiling, gain.TruePeakDb,
                      (albumFiles > 0 ? albumLufs : m.IntegratedLufs) + gain.GainDb) +
                 Text(" instead of %.1f LUFS", *sh.Target));
        if (gain.Measured)
            Plan.GainDb = gain.GainDb - volumeDb;
    }

    int64_t start = m.Start != NoMediaTime ? m.Start : o.StartTime;
    int64_t end = m.End;
    if (trim) {
        if (m.SoundStart == NoMediaTime) {
            warn("Nothing but silence: nothing trimmed");
        } else {
            const int64_t head = m.SoundStart - start;
            const int64_t tail = end != NoMediaTime ? end - m.SoundEnd : 0;
            if (head >= ShortestTrimmedSilence) {
                Plan.TrimStart = m.SoundStart;
                start = m.SoundStart;
            }
            if (tail >= ShortestTrimmedSilence) {
                Plan.TrimEnd = m.SoundEnd;
                end = m.SoundEnd;
            }
            if (Plan.TrimStart != NoMediaTime || Plan.TrimEnd != NoMediaTime)
                note(Text("Silence trimmed: %.2f s at the start, %.2f s at the end",
                          Plan.TrimStart != NoMediaTime ? double(head) / 1e6 : 0.0,
                          Plan.TrimEnd != NoMediaTime ? double(tail) / 1e6 : 0.0));
        }
    }
    Plan.FadeInStart = start;
    Plan.FadeOut = sh.FadeOut;
    Plan.FadeOutEnd = end;
    return true;
}

void TTranscoder::OutputAudio(TOutputStream& Ost, TInputStream& Ist, AVFrame* Frame) {
    if (!Ost.Chain) {
        AudioOut(*OutputContext_, Ost, Ist, Frame);
        return;
    }
    // What comes out of the chain is stamped on its own continuous time line; the output stage
    // reads it as the input's position for the call.
    const TPtsRestore restore{Ist, Ist.Pts};
    Ost.Chain->Push(Frame, Ist.Pts, [&](AVFrame* Filtered, int64_t Time) {
        Ist.Pts = Time;
        AudioOut(*OutputContext_, Ost, Ist, Filtered);
    });
}

void TTranscoder::FlushAudioChains(TInputStream& Ist) {
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (ost.Source != &Ist || !ost.Chain)
            continue;
        const TPtsRestore restore{Ist, Ist.Pts};
        ost.Chain->Flush([&](AVFrame* Filtered, int64_t Time) {
            Ist.Pts = Time;
            AudioOut(*OutputContext_, ost, Ist, Filtered);
        });
    }
}
