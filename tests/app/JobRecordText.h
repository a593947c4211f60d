// Every field of a job's two option records as one text, for tests that compare what the job
// builder made (equal texts: the engine is given exactly the same job).
#pragma once

#include "engine/OptionRecords.h"

#include <string>
#include <type_traits>

namespace jobtest {

// Every field of both records, in declaration order.
inline std::string RecordText(const TOutputOptions& O, const TInputOptions& I)
{
    std::string t;
    auto add = [&](const auto& V) {
        if constexpr (std::is_convertible_v<decltype(V), std::string>)
            t += V;
        else
            t += std::to_string(V);
        t += '|';
    };
    add(O.FileName), add(O.FileFormat), add(O.PacketSize), add(O.MuxRate), add(O.MuxDelay);
    add(O.MuxPreload), add(O.AudioCodec), add(O.AudioPreset), add(O.DisableAudio);
    add(O.AudioVolume), add(O.AudioChannels), add(O.AudioSampleRate), add(O.AudioBitrate);
    add(O.AudioBitrateTolerance), add(O.AudioLanguage), add(O.AudioSync), add(O.AudioTag);
    add(O.VideoCodec), add(O.VideoPreset), add(O.DisableVideo), add(O.FrameRate);
    add(O.FrameSize), add(O.AspectRatio), add(O.CropTop), add(O.CropBottom), add(O.CropLeft);
    add(O.CropRight), add(O.GopSize), add(O.VideoBitrate), add(O.VideoMaxRate);
    add(O.VideoMinRate), add(O.VideoBitrateTolerance), add(O.VideoBufferSize), add(O.VideoSync);
    add(O.VideoTag), add(O.VideoFilters), add(O.VideoLanguage), add(O.SubtitleCodec);
    add(O.SubtitlePreset), add(O.DisableSubtitle), add(O.SubtitleLanguage), add(O.InputSync);
    add(O.CopyTimestamps), add(O.StartTime), add(O.Duration), add(O.Target), add(O.TargetNorm);
    add(O.DefaultNorm), add(O.Hook), add(O.Join), add(O.ExtOptions);
    add(I.FileName), add(I.FileFormat), add(I.StartTime), add(I.ProgramId), add(I.ExtOptions);
    return t;
}

}  // namespace jobtest
