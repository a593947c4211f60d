// The engine's option parser on arbitrary input: name/value pairs for SetOption (NUL-separated,
// name then value) and, after a line "--ext--", an ExtOptions text. A refusal is an
// FFmpegException with a message; any other exception, a crash or a leak is a finding.
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/OptionRecords.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (!fuzz::EngineLoaded())
        return 0;
    std::string_view Text = fuzz::AsText(Data, Size);
    std::string Ext;
    if (const auto At = Text.find("--ext--\n"); At != std::string_view::npos) {
        Ext = std::string(Text.substr(At + 8));
        Text = Text.substr(0, At);
    }
    const std::vector<std::string> Parts = fuzz::SplitAtNul(Text);

    TCustomFFmpeg Core;
    Core.PrepareTask();
    for (size_t I = 0; I + 1 < Parts.size() && I < 64; I += 2) {
        try {
            Core.SetOption(Parts[I], Parts[I + 1]);
        } catch (const FFmpegException& E) {
            fuzz::Expect(E.what()[0] != '\0', "a refusal has a message");
        }
    }
    for (const TExtOption& O : ParseExtOptions(Ext))
        (void)O;
    try {
        ApplyExtOptions(Core, Ext, true);
    } catch (const FFmpegException& E) {
        fuzz::Expect(E.what()[0] != '\0', "a refusal has a message");
    }
    Core.FreeSession();
    return 0;
}
