// The piece of a source file a row of the list stands for: a track of a CUE sheet or a chapter.
// A row without one (Kind None) converts its whole file.
#pragma once

#include <cstdint>
#include <string>

namespace zelta {

enum class TSegmentKind { None = 0, CueTrack = 1, Chapter = 2 };

struct TSegment {
    TSegmentKind Kind = TSegmentKind::None;
    int Number = 0;             // track or chapter number, from 1
    int Count = 0;              // how many the source has
    std::string Title;          // the track's or chapter's
    std::string Performer;      // the track's (a sheet's tracks default to the album's)
    std::string Album;          // the sheet's title
    std::string AlbumPerformer; // the sheet's performer
    std::string Date;
    std::string Genre;
    int64_t Start = 0;          // microseconds from the source's start
    int64_t End = -1;           // microseconds from the source's start; -1: the source's end
    std::string Sheet;          // the CUE sheet read ("" for a sheet inside the file, a chapter)

    bool Active() const { return Kind != TSegmentKind::None; }
};

}  // namespace zelta
