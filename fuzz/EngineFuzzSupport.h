// The media libraries for the engine's fuzz targets: loaded once per process, the logger quiet so
// that mutated input does not flood the output.
#pragma once

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"

namespace fuzz {

inline bool EngineLoaded() {
    static const bool Ok = [] {
        GetLogger().SetLogLevel(llQuiet);
        return FFLoader().LoadLibs(EngineLibraries);
    }();
    return Ok;
}

} // namespace fuzz
