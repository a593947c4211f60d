// CUE sheets: the tracks of a whole-album image, with their titles, performers and start times.
//
// A sheet is read as bytes and decoded before it is parsed: a UTF-8 or UTF-16 byte order mark
// decides; otherwise valid UTF-8 is UTF-8, text that reads plausibly as Shift-JIS (with Japanese
// kana, without half-width katakana) is Shift-JIS, and anything else is Windows-1252
// (which holds Latin-1's letters). The parser is libcue's; its calls are serialised (it keeps
// state between them), so sheets may be read on any thread.
//
// Times are CD frames of 1/75 s from the start of the file the track lies in. The FILE line
// names that file relative to the sheet's folder; File holds the full path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

struct TCueTrack {
    int Number = 0;          // position in the sheet, from 1
    std::string Title;
    std::string Performer;
    std::string File;        // the audio file it lies in (full path, as the sheet names it)
    int64_t Start = 0;       // INDEX 01, frames
    int64_t Pregap = -1;     // INDEX 00 when the sheet gives one, frames; else -1
};

struct TCueSheet {
    std::string Title;       // the album
    std::string Performer;   // the album's performer
    std::string Date;        // REM DATE
    std::string Genre;       // REM GENRE
    std::vector<TCueTrack> Tracks;
    std::string Error;       // why the sheet cannot be used; empty when it can
};

// The sheet's bytes as UTF-8 (see above).
std::string DecodeSheetText(std::string_view Bytes);

// Parses Bytes (any of the encodings above); Folder resolves the FILE names.
TCueSheet ParseCueSheet(std::string_view Bytes, const std::string& Folder);
// Reads and parses the sheet at Path. A file that cannot be read or parsed, or one without
// tracks, has Error ("the CUE sheet cannot be read: ...").
TCueSheet ReadCueSheet(const std::string& Path);

// A frame count of 1/75 s as microseconds, rounded to the nearest.
constexpr int64_t CueFramesToMicroseconds(int64_t Frames) {
    return (Frames * 1000000 + 37) / 75;
}

}  // namespace zelta
