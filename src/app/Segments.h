// The rows a source gives when it holds several pieces: one per track of its CUE sheet (a sheet
// added itself, a sheet of the same name beside the file, or one inside a FLAC file: a
// "cuesheet" tag, or a CUESHEET block, which the libraries give as chapters), and with
// "One file per chapter" one per chapter of a chaptered file. Each piece converts into a file of
// its own, named "{name} - NN {title}" in the flat layout, tagged with its title, number,
// performer and album.
//
// The pieces of a file cover it whole: the first starts at the file's start, each other at its
// INDEX 01 (a chapter at its start), and each ends where the next starts, the last at the file's
// end. A track's pre-gap (INDEX 00 to INDEX 01) thus ends the track before it, as a CD player
// plays it. The engine cuts at exactly the samples these times round to, so the files join back
// to the source.
//
// No widgets. Main thread or any other: the media files are opened with the libraries, which
// the caller has loaded.
#pragma once

#include "app/CueSheet.h"
#include "app/IniFile.h"
#include "app/OutputNames.h"
#include "app/SegmentRecord.h"
#include "app/SourceList.h"
#include "engine/OptionRecords.h"

#include <string>
#include <string_view>
#include <vector>

struct AVFormatContext;

namespace zelta {

// Section "settings": "One file per chapter" (Boolean, default off).
inline constexpr std::string_view KeySplitChapters = "SplitChapters";
bool ReadSplitChapters(const TIniFile& Settings);
bool WriteSplitChapters(TIniFile& Settings, bool Split);

struct TSegmentOptions {
    bool SplitChapters = false;
};

// Entries with the pieces of their sources: a ".cue" entry becomes the tracks of the files it
// names (an error entry, Path = the sheet, when the sheet cannot be read or names a file that is
// not there), a file with a sheet of its name beside it or inside it becomes its tracks, and
// with SplitChapters a file of two or more chapters its chapters. A file whose tracks came from
// a sheet of this call is not added as well, nor is a sheet twice. Other entries pass unchanged.
std::vector<TAddEntry> ExpandSegments(const std::vector<TAddEntry>& Entries,
                                      const TSegmentOptions& Options);

// The pieces of AudioFile that Sheet lists (tracks naming another file are left out).
std::vector<TSegment> SheetSegments(const TCueSheet& Sheet, const std::string& AudioFile,
                                    bool AnyFile = false);
// The chapters of an open file, one piece each (empty for fewer than two).
std::vector<TSegment> ChapterSegments(const AVFormatContext* Context);
// The tracks of the sheet inside an open file ("cuesheet" tag), empty when it has none.
std::vector<TSegment> EmbeddedSheetSegments(const AVFormatContext* Context,
                                            const std::string& AudioFile);
// The chapters of the file at Path; empty when it has fewer than two or cannot be opened.
std::vector<TSegment> ReadChapterSegments(const std::string& Path);

// What the Source column shows of a piece: "03 Title - Performer" ("03 Title" without a
// performer, "Chapter 3" without a title).
// It names the output's title tag and file as well, so it stays in English.
std::string SegmentCaption(const TSegment& Segment);
// SegmentCaption as the list shows it: "Chapter 3" and "Track 3" translated.
std::string SegmentShownCaption(const TSegment& Segment);
// The name the output is made from: "dir/stem - 03 Title.ext" for a piece (the layouts that
// use the source's name), Path itself for a whole file or the tag layout.
std::string NamingSource(const std::string& Path, const TSegment& Segment, TOutputLayout Layout);
// Tags overlaid by the piece's: title, track, artist, album, album artist, date, genre (a
// chapter: title and track), and the template fields' "chapter" and "chaptertitle".
TNameTags SegmentNameTags(TNameTags Tags, const TSegment& Segment);
// PlannedOutput for the file Source of a row, named and tagged by the row's piece.
std::string PlannedRowOutput(const std::string& Folder, const std::string& Source,
                             const TlvFilesRecord& Row, std::string_view Suffix,
                             const TOutputNaming& Naming);
// What tells two rows of one file apart in the list: Path for the whole file.
std::string SegmentKey(const std::string& Path, const TSegment& Segment);
// The piece's length in microseconds; FileLength (microseconds, <= 0 unknown) bounds the last.
int64_t SegmentLength(const TSegment& Segment, int64_t FileLength);

// "One file per chapter" on a row of the list: the row makes way for a row per chapter of its
// file, named and destined as an add would. Returns the rows now standing for it; 0 when the
// file has fewer than two chapters or the row holds a piece already (nothing changes).
int SplitRowIntoChapters(TSourceListModel& List, int Row, const TIniFile& Settings,
                         const TIniFile& Catalogue);

// The part of the source a row converts: Start (microseconds from the source's start) and
// Length (microseconds; NoMediaTime: to the end). A piece's trim is a range of the whole file
// (as the trim dialog shows it), kept where it overlaps the piece; one that misses the piece is
// passed over.
struct TSourceRange {
    int64_t Start = 0;
    int64_t Length = NoMediaTime;
    int64_t ExactEnd = NoMediaTime; // the piece's end, when the range reaches it
};
TSourceRange RowRange(const TlvFilesRecord& Row);

// Sets what a row's piece asks of its task: the input's start, the output's length and exact
// end, and the piece's tags (title, track, artist, album, year, genre). A whole file: nothing.
void ApplySegment(const TlvFilesRecord& Row, TInputOptions& Input, TOutputOptions& Output);

}  // namespace zelta
