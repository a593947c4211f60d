// Preset file lines on arbitrary text: split into lines, each key=value translated for the current
// encoder and applied to a conversion core as a preset file would be. A refusal is an
// FFmpegException with a message; anything else is a finding.
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/Presets.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (!fuzz::EngineLoaded())
        return 0;
    const std::string Text(fuzz::AsText(Data, Size));
    for (const std::string& Line : PresetLines(Text)) {
        const auto Eq = Line.find('=');
        const std::string Key = Line.substr(0, Eq);
        const std::string Value = Eq == std::string::npos ? std::string() : Line.substr(Eq + 1);
        for (const bool Libx264 : {true, false})
            for (const TRoutedOption& R : TranslatePresetOption(Key, Value, Libx264))
                fuzz::Expect(R.Route != TOptionRoute::Generic || !R.Name.empty() || Key.empty(),
                             "a generic option has a name");
    }
    // The same text as a preset file named by "fpre" before any output.
    const std::string Path = fuzz::ScratchFile(".ffpreset");
    fuzz::WriteFile(Path, Text);
    TCustomFFmpeg Core;
    Core.PrepareTask();
    try {
        Core.SetOption("fpre", Path);
    } catch (const FFmpegException& E) {
        fuzz::Expect(E.what()[0] != '\0', "a refusal has a message");
    }
    Core.FreeSession();
    ::unlink(Path.c_str());
    return 0;
}
