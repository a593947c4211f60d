// The engine's option parser on arbitrary input: name/value pairs for SetOption (NUL-separated,
// name then value) and, after a line "--ext--", an ExtOptions text. A refusal is one of the
// option layer's documented exceptions with a message (FFmpegException, EConvertError for a bad
// number, EAssertionFailed for a codec tag that is not 4 characters); any other
// exception, a crash or a leak is a finding.
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/OptionRecords.h"

#include <string>
#include <vector>

namespace {

// Runs Step; a refusal must be one of the documented kinds and carry a message.
template <class TStep>
void Refusable(TStep Step) {
    try {
        Step();
    } catch (const FFmpegException& E) { // EConvertError is one too
        fuzz::Expect(E.what()[0] != '\0', "a refusal has a message");
    } catch (const EAssertionFailed& E) {
        fuzz::Expect(E.what()[0] != '\0', "a refusal has a message");
    }
}

} // namespace

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
    for (size_t I = 0; I + 1 < Parts.size() && I < 64; I += 2)
        Refusable([&] { Core.SetOption(Parts[I], Parts[I + 1]); });
    for (const TExtOption& O : ParseExtOptions(Ext))
        (void)O;
    Refusable([&] { ApplyExtOptions(Core, Ext, true); });
    Core.FreeSession();
    return 0;
}
