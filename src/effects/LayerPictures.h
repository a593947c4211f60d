// The decoded pictures of the image layers of one conversion.
//
// Reading the picture file for every frame is what the layers mean; decoding it for every frame
// is what this avoids. A picture is decoded on first use and kept while the file stays the same
// (same file identity, size, modification and change times); when the file changes it is decoded
// again, so every frame shows exactly what reading the file at that moment would show. A file
// that cannot be read gives no picture; it is reported once (not per frame) until it has been
// read successfully again.
//
// Make one object per conversion (per task) and drop it with the task: it is not a process-wide
// cache. Thread-safe: Picture may be called from any thread; the report function is called
// without the object's lock held.
#pragma once

#include "engine/FFUtils.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <sys/types.h>

namespace zelta {

// A decoded layer picture: the colour of every pixel and, for pictures with an alpha channel
// (PNG), how much each pixel covers what lies below it (0..255, Width bytes per row, no
// padding); Alpha is empty for opaque pictures.
struct TLayerPicture {
    TBitmap24 Pixels;
    std::vector<uint8_t> Alpha;
};

// Decodes a picture file (Windows bitmap, PNG or JPEG; other bit depths are converted to 24
// bits) with its alpha channel. Null on failure, with a readable reason in Error.
std::shared_ptr<TLayerPicture> LoadLayerPictureWithAlpha(const std::string& FileName,
                                                         std::string& Error);
// The same picture's colours alone (an alpha channel is dropped).
std::shared_ptr<TBitmap24> LoadLayerPicture(const std::string& FileName, std::string& Error);

class TLayerPictures {
public:
    // Receives one text per unreadable picture file.
    using TReportEvent = std::function<void(const std::string& Message)>;

    // Reports through the engine logger at warning level.
    TLayerPictures();
    explicit TLayerPictures(TReportEvent OnReport);
    TLayerPictures(const TLayerPictures&) = delete;
    TLayerPictures& operator=(const TLayerPictures&) = delete;

    // The picture of FileName as it is on disk now, or null when it cannot be read. The picture
    // is shared and must not be changed; it stays valid while the caller holds it, even when the
    // file changes meanwhile.
    std::shared_ptr<const TLayerPicture> Picture(const std::string& FileName);

    // How many times a picture was decoded (for the tests of the reuse rule).
    int DecodeCount() const;

private:
    struct TFileStamp {
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = -1;
        int64_t Modified = 0; // nanoseconds
        int64_t Changed = 0;  // nanoseconds
        bool operator==(const TFileStamp&) const = default;
    };
    struct TEntry {
        TFileStamp Stamp;
        bool Known = false;    // Stamp/Bitmap describe a decoding attempt
        std::shared_ptr<const TLayerPicture> Bitmap; // null: that attempt failed
        bool Reported = false; // the current failure was reported
    };

    void Report(const std::string& Message);

    TReportEvent FOnReport;
    mutable std::mutex FLock; // guards FEntries and FDecodeCount
    std::map<std::string, TEntry> FEntries;
    int FDecodeCount = 0;
};

}  // namespace zelta
