// The command-line parser of zelta-convert on arbitrary argument lists (NUL-separated): it
// accepts or refuses with a reason, and an accepted --jobs is in range.
#include "FuzzSupport.h"

#include "app/ConvertArgs.h"

#include <string>
#include <vector>

using namespace zelta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::vector<std::string> Arguments = fuzz::SplitAtNul(fuzz::AsText(Data, Size));
    std::string Error;
    const std::optional<TConvertArgs> Args = ParseConvertArgs(Arguments, Error);
    fuzz::Expect(Args.has_value() || !Error.empty(), "a refusal says why");
    if (Args)
        fuzz::Expect(Args->Jobs >= 0 && Args->Jobs <= MaxConvertJobs, "--jobs stays in range");
    (void)ParseSeconds(fuzz::AsText(Data, Size));
    return 0;
}
