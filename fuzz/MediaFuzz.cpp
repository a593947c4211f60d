// The probe and a short conversion on mutated media (seeded with the test fixtures): opening,
// the stream and information texts, then at most a fraction of a second converted to MPEG-4 and
// MP2 in Matroska. Refusals are results or FFmpegException; a crash, a hang or a leak is a
// finding.
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/Transcode.h"
#include "probe/AVProbe.h"

#include <atomic>
#include <string>

namespace {

void ProbeFile(const std::string& Path) {
    TAVProbe Probe;
    if (!Probe.Open(Path))
        return;
    TFileStreamInfo Info;
    (void)Probe.GetFileStreamInfo(Info);
    std::string Text;
    (void)Probe.GetInfoText(Text);
    Probe.Close();
}

void ConvertFile(const std::string& Path, const std::string& Output) {
    TCustomFFmpeg Core;
    Core.PrepareTask();
    std::atomic<bool> Stop{false};
    int Reports = 0;
    try {
        Core.SetOption("analyzeduration", "500000");
        if (!Core.AddInputFile(Path)) {
            Core.FreeSession();
            return;
        }
        Core.SetOption("t", "0.3");
        Core.SetOption("vcodec", "mpeg4");
        Core.SetOption("acodec", "mp2");
        Core.SetOption("s", "64x48");
        Core.SetOption("f", "matroska");
        if (Core.AddOutputFile(Output, false) >= 0) {
            // A stop after a few reports bounds a run that the time limit does not end.
            const TRunProgress Progress = [&](int, int64_t, int64_t, int64_t, float, float, int,
                                              int) {
                if (++Reports > 50) // a second
                    Stop = true;
            };
            TTranscodeSettings Settings;
            Settings.ReportInterval = 20000;
            (void)Transcode(Core, Stop, Progress, Settings);
        }
    } catch (const FFmpegException&) {
    }
    Core.FreeSession();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (!fuzz::EngineLoaded())
        return 0;
    const std::string Path = fuzz::ScratchFile(".media");
    const std::string Output = fuzz::ScratchFile(".out.mkv");
    fuzz::WriteFile(Path, fuzz::AsText(Data, Size));
    ProbeFile(Path);
    ConvertFile(Path, Output);
    ::unlink(Output.c_str());
    ::unlink(Path.c_str());
    return 0;
}
