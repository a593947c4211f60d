// What the trim dialog computes: its caption, the kept range it starts from, the selection
// marks on its position bar, the record values OK stores, and the times a user may type into
// the start and end boxes.
//
// Plain values; no thread of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelta {

struct TlvFilesRecord;

// The window caption for a file name (UTF-8, counted in characters): the name itself when it has
// at most 50 characters, else "Trim   " + its first 50 characters + ".." + its extension (with
// the dot, as "ExtractFileExt" gives it) + two blanks.
std::string TrimCaption(const std::string& FileName);

// The start and end points of a showing, from the record and the file's duration: the start is
// TrimStart when that is not negative (else 0); the end is TrimStart + TrimLength when the length
// is above 0, else the duration. A row holding a piece of its file (a CUE track, a chapter) and
// no trim shows the piece: its start and end (the duration for the last).
struct TTrimRange {
    int64_t Start = 0;
    int64_t End = 0;
    bool operator==(const TTrimRange&) const = default;
};
TTrimRange StoredTrimRange(const TlvFilesRecord& Record, int64_t Duration);

// A point's mark on a bar of BarMaximum: BarMaximum * Point div Duration; 0 when the duration is
// not above 0.
int TrimBarMark(int64_t Point, int BarMaximum, int64_t Duration);

// What OK stores. The kept length L is End - Start when 0 <= Start < End, End > 0 and End <=
// Duration, else the duration. L <= 0 stores no trim (both 0) and leaves the column as it is.
// Otherwise TrimStart is Start when above 0 (else 0) and TrimLength is L, except 0 ("to the
// end") when L is below 1 ms, when the duration exceeds L (or the kept range's end) by less
// than 1 ms, or when L is the whole duration; the "Trimmed Length" column shows L in whole
// seconds.
struct TTrimResult {
    int64_t TrimStart = 0;
    int64_t TrimLength = 0;
    std::optional<std::string> Column; // the new "Trimmed Length" text, none to keep it
    bool operator==(const TTrimResult&) const = default;
};
TTrimResult TrimOkResult(int64_t Start, int64_t End, int64_t Duration);

// A typed time: "h:mm:ss.mmm" (hours and the fraction optional, "mm:ss" and "ss.mmm" too; up
// to six fraction digits, down to the microsecond) or a plain number of seconds with an optional fraction. Blanks
// around it are ignored. None for anything else (negative, empty, minutes or seconds of 60 and
// more after a colon).
std::optional<int64_t> ParseTrimTime(const std::string& Text);
// The message that refuses a typed text: not a time, or a time beyond the duration.
std::string TrimTimeRefusal(const std::string& Text, int64_t Duration);
// A typed time of this file: ParseTrimTime, and no later than the duration.
std::optional<int64_t> AcceptTrimTime(const std::string& Text, int64_t Duration);

}  // namespace zelta
