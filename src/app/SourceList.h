// The batch's source files: the per-file record, the list's rows and their commands, and the
// destination names.
//
// TSourceListModel is the model behind the main window's list: one row per source file with a
// check box, the caption (full source path) and four sub-items, and the row's TlvFilesRecord,
// which the trim, crop and effects dialogs edit and the job builder and batch driver read. The
// view shows it in report view while it has rows and in list view while it is empty; the
// selection belongs to the view, the commands return the row the view should select.
//
// Main thread only, like every model. The records are owned by the rows: a record lives exactly
// as long as its row.
#pragma once

#include "app/IniFile.h"
#include "app/SegmentRecord.h"
#include "app/UserPrompts.h"
#include "effects/WmRec.h"

#include <QAbstractTableModel>
#include <QRgb>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class TCustomFFConverter;

namespace zelta {

// The tags an output name is made of, under the libraries' generic names (artist, album_artist,
// album, title, track, disc, date, genre).
using TNameTags = std::map<std::string, std::string>;

// Everything the user has set for one source file. The picture values and the watermark layers
// are the part the frame effects read (TFrameEffectsRecord).
struct TlvFilesRecord : TFrameEffectsRecord {
    int PickIndex = 0;       // position among the files of the add that brought it, from 0
    std::string SrcFile;     // full path, equal to the row caption
    std::string DstFile;     // destination computed when the row was added
    int Duration = 0;        // source duration in whole seconds (truncated)
    int64_t TrimStart = 0;   // microseconds; 0 = from the beginning
    int64_t TrimLength = 0;  // microseconds; 0 = to the end
    std::string ZoomMode = "lbox"; // "full", "lbox", "pan" or "center"
    int CropTop = 0;
    int CropLeft = 0;
    int CropBottom = 0;
    int CropRight = 0;
    int CropUpView = 0;      // the crop dialog's own entries, only to restore it
    int CropLeftView = 0;
    int CropDownView = 0;
    int CropRightView = 0;
    bool ProcessText = false;
    bool ProcessImage = false;
    // The folder the file was added from (a folder added whole), else the file's own folder:
    // "Keep the folder tree" keeps the folders between it and the file.
    std::string Root;
    TNameTags NameTags;      // read when the file was probed (TagsRead)
    bool TagsRead = false;
    // ---- audio track ----
    int AudioTrack = -1;        // the audio track chosen for this file (its number from 1);
                                // -1 follows the batch rule (TrackChoice)
    std::string AudioTrackText; // the chosen track as listed (AudioTrackText), "" with none
    // The piece of the file this row converts (a CUE track, a chapter; Segments.h), and for a
    // row that stands for a sheet that cannot be used, why (the row cannot convert).
    TSegment Segment;
    std::string SegmentError;
};

// A file to add and the folder it was added from ("" for the file's own folder).
struct TAddEntry {
    std::string Path;
    std::string Root;
    // Set by ExpandSegments (Segments.h): the piece of Path the row converts, or why the sheet
    // the entry came from cannot be used (the row then shows the error).
    TSegment Segment;
    std::string Error;
};

// Columns of the report view.
enum TSourceColumn {
    colSource = 0,
    colLength = 1,
    colTrimmedLength = 2,
    colDestination = 3,
    colProgress = 4,
    SourceColumnCount = 5,
};
struct TSourceColumnInfo {
    std::string_view Caption;
    int Width;
};
inline constexpr TSourceColumnInfo SourceColumns[SourceColumnCount] = {
    // Column headers: translated where shown (headerData), collected from here.
    {QT_TRANSLATE_NOOP("SourceList", "Source"), 140},
    {QT_TRANSLATE_NOOP("SourceList", "Length"), 65},
    {QT_TRANSLATE_NOOP("SourceList", "Trimmed Length"), 90},
    {QT_TRANSLATE_NOOP("SourceList", "Destination File"), 120},
    {QT_TRANSLATE_NOOP("SourceList", "Progress"), 60},
};

// Drawing colours of the rows (the delegate paints them; nothing here draws).
inline constexpr QRgb RowEvenColor = qRgb(255, 255, 255);
inline constexpr QRgb RowSelectedFocusFill = qRgb(185, 204, 236);
inline constexpr QRgb RowSelectedFill = qRgb(229, 236, 248);
inline constexpr QRgb RowSelectedFocusFrame = qRgb(122, 160, 218);
inline constexpr QRgb RowSelectedFrame = qRgb(152, 181, 226);
// Background of an odd row under theme ThemeIndex (0..6); other values give the colour used
// when no built-in theme is in force.
QRgb OddRowColor(int ThemeIndex);
// Background of row Row (even rows white).
QRgb RowBackground(int Row, int ThemeIndex);

// The open dialog's filter, one Qt name filter per entry ("All Supported Video Formats (*.AVI
// *.avi ...)", "AVI files (*.avi) (*.avi *.AVI)"), in the designed order. Each entry is the
// designed description followed by its patterns, each pattern in upper and lower case (Qt and
// GTK match name filters case-sensitively on Linux), "*.*" as "*". The view sets
// QFileDialog::HideNameFilterDetails so that exactly the designed descriptions are shown.
std::vector<std::string> AddDialogFilters();

// The Source column's tool tip of a row: for a track or chapter the file (and the sheet) it
// comes from, else "".
std::string SourceTip(const TlvFilesRecord& Record);

// ---- destination names ----

// Names handed out during one Start: a name in the set counts as existing, so two rows whose
// sources share a file name get different destinations.
using TReservedNames = std::set<std::string>;

// A destination name, or why there is none.
struct TDestName {
    std::string Name;      // the free name; empty when there is none
    std::string Error;     // why this file has none, in a person's words (a folder exists)
    bool NoFolder = false; // no output folder could be had at all (the user was told)
};

// The destination of Source: folder "OutPutDir" (default DefaultOutputFolder()) + "/" + the file
// name without its extension + "_(new)" + Suffix, or "_(new_N)" with the smallest N = 1, 2, ...
// up to MaxNameNumber that names no existing (or reserved) file. A name longer than the folder's
// file system takes is cut on a character boundary before "_(new...)", which is kept with the
// suffix. A look-up that fails other than with "no such file" ends the search with its reason
// in Error, as does a folder holding every number. A folder that does not exist is created with
// its parents; when that fails, the user is told with the "Warning" message ("Cannot create
// output directory:" + folder + ".It will create default directory ~/videoconverter!"), the
// default folder is created, stored as "OutPutDir" and used (no warning when the stored folder
// is the default itself). When the default folder cannot be created either, the user is told
// with an "Error" message ("Cannot create output directory: <folder> (<reason>)") and the result
// has NoFolder: nothing can be written. A path that exists but is no folder counts as a folder
// that cannot be created. A returned name is added to Reserved when given.
TDestName BuildDestName(const std::string& Source, std::string_view Suffix, TIniFile& Settings,
                        TUserPrompts& Prompts, TReservedNames* Reserved = nullptr);

// The first free destination name in Folder (the numbering of BuildDestName), without creating
// anything or asking; the name is added to Reserved when given.
TDestName FreeDestName(const std::string& Folder, const std::string& Source,
                       std::string_view Suffix, TReservedNames* Reserved = nullptr);

// What the Destination File column shows of Name: its path below Folder ("Album/01 Song.mp3"),
// else its file name.
std::string DestinationColumnText(const std::string& Folder, const std::string& Name);

// Tool tip of a kept row whose file is not there any more.
inline constexpr std::string_view MissingFileText =
    QT_TRANSLATE_NOOP("SourceList", "The file is not there any more.");

// ---- the list ----

// A row as the list keeps it across restarts (see ListStore.h).
struct TListRow {
    bool Checked = true;
    std::string Length;        // the "Length" column's text
    std::string TrimmedLength; // the "Trimmed Length" column's text
    TlvFilesRecord Record;     // SrcFile is the row's caption
};

class TSourceListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TSourceListModel(QObject* Parent = nullptr);
    ~TSourceListModel() override;

    // Qt model: five columns; column 0 carries the check state (Qt::CheckStateRole, user
    // checkable); DisplayRole gives the texts; horizontal headers give the captions. The column
    // widths are SourceColumns[].Width: the view applies them (QHeaderView::resizeSection); the
    // model gives no Qt::SizeHintRole, because QHeaderView takes the header's height from that
    // size too.
    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation,
                        int Role = Qt::DisplayRole) const override;

    struct TAddResult {
        int Added = 0;           // rows appended
        bool LibrariesFailed = false; // the media libraries could not be loaded: nothing added
        bool Stopped = false;    // no destination folder could be made: the rest was not added
        bool Cancelled = false;  // Progress asked to stop: the rest was not added
    };
    // Called before each file of a long operation with the files done so far and the total; a
    // window shows it and keeps its events flowing. Returning false stops the operation.
    using TStepProgress = std::function<bool(int Done, int Total)>;
    // Adds the chosen files in the given order, as the Add command does after its dialog:
    // loads the libraries through Converter, clears its tasks, and for each path skips folders,
    // unreadable paths, exact duplicates of a caption and files the engine cannot open; the
    // others get a checked row with Length and Trimmed Length = the probed duration in whole
    // seconds, Destination File = the file name of BuildDestName(path, "." + FileExt) of the
    // current profile ("FormatCode", the catalogue's "FileExt"), an empty Progress, and a
    // record whose ZoomMode is the profile's "parazoom" (default "lbox"). Probing leaves no task
    // behind. LibraryFolder is where the media libraries are loaded from. Afterwards the view
    // selects and focuses row 0 when the list has rows. Raises the component's FFmpegException
    // when called while a conversion runs (the window disables Add meanwhile).
    // Progress, when given, is called before each path (see TStepProgress).
    TAddResult AddFiles(const std::vector<std::string>& Paths, TCustomFFConverter& Converter,
                        const std::string& LibraryFolder, TIniFile& Settings,
                        const TIniFile& Catalogue, TUserPrompts& Prompts,
                        const TStepProgress& Progress = {});
    // The same for files found below added folders: each row remembers its Root, and the
    // probe's tags are kept for names made from tags.
    TAddResult AddFiles(const std::vector<TAddEntry>& Entries, TCustomFFConverter& Converter,
                        const std::string& LibraryFolder, TIniFile& Settings,
                        const TIniFile& Catalogue, TUserPrompts& Prompts,
                        const TStepProgress& Progress = {});
    // Rows for Entries without opening anything (the command line: each file is opened when
    // its task is built, so the first conversion starts at once). Folders and exact duplicates
    // get no row; Length is 0 and the destination is found at Start. ZoomMode is the current
    // profile's "parazoom". Returns the rows appended.
    int AddUnprobed(const std::vector<TAddEntry>& Entries, const TIniFile& Settings);
    // Appends Rows as they were kept (one insertion for all), passing over duplicates of a
    // caption; the Destination File column is left for UpdateDestinations, the Progress column
    // empty. Returns the rows appended.
    int AppendKeptRows(std::vector<TListRow> Rows);
    // A row's record was edited in place (a dialog's OK): observers of the list hear of it.
    void RecordEdited(int Row);

    // Removes Row with its record. Returns the row to select (and focus) afterwards: the one now
    // at Row, else the new last row; -1 when the list is empty (the caller then switches to list
    // view and stops the preview). A row outside the list (as -1 for "no selection") removes
    // nothing and returns -1. The encoder's tasks are not touched.
    int RemoveRow(int Row);
    // Row makes way for a row per piece of its file (Pieces in order), each with the record's
    // file, root, tags and zoom (no trim, crop or effects) and its piece's length; pieces the list has already are left out.
    // Destinations are left to UpdateDestinations. Returns the rows inserted.
    int ReplaceWithPieces(int Row, const std::vector<TSegment>& Pieces);
    // Removes every row and record and clears Converter's tasks. False (and nothing done) when
    // the list was empty already.
    bool Clear(TCustomFFConverter& Converter);

    void CheckAll();
    void UncheckAll();
    void ReverseCheck();
    void SetChecked(int Row, bool Checked);
    bool Checked(int Row) const;
    int CheckedCount() const;

    int RowCount() const { return int(FRows.size()); }
    bool Empty() const { return FRows.empty(); }
    // Row must be valid.
    const std::string& Caption(int Row) const;
    // Column colSource gives the caption; SetSubItem ignores it (the caption is the source).
    std::string SubItem(int Row, TSourceColumn Column) const;
    void SetSubItem(int Row, TSourceColumn Column, std::string Text);
    // Destination File of every row again, for the stored profile's extension, output folder
    // and output names (after one of them changed); creates nothing, asks nothing.
    void UpdateDestinations(const TIniFile& Settings, const TIniFile& Catalogue);
    // The Progress column shows "Error" and its tool tip the reason; any later text in the
    // Progress column clears the reason.
    void SetProgressError(int Row, std::string Reason);
    // The reason of the last SetProgressError, "" when the row has none.
    std::string ProgressError(int Row) const;
    // A file converted with something to tell: the Progress column shows "Warning" and its tool
    // tip the text; any later text in the Progress column clears it.
    void SetProgressWarning(int Row, std::string Text);
    // The text of the last SetProgressWarning, "" when the row has none.
    std::string ProgressWarning(int Row) const;
    // A file converted: the Progress column shows "100%", with Text (what the conversion did,
    // such as the gain it applied) as its tool tip when not empty.
    void SetProgressNote(int Row, std::string Text);
    // A file the "exists" rule passed over: "Skipped", the reason as its tool tip.
    void SetProgressSkipped(int Row, std::string Reason);
    std::string ProgressSkipped(int Row) const;
    // Row's own audio track: its number from 1 with the track's listed text, or -1 (and "") to
    // follow the batch rule. The Source column names a chosen track before the caption ("[audio
    // 2: fre] /films/film.mkv") and in its tool tip.
    void SetAudioTrack(int Row, int Track, std::string Text);
    // A kept row whose file is gone: "Missing", with the tool tip MissingFileText.
    void SetProgressMissing(int Row);
    bool ProgressMissing(int Row) const;
    TlvFilesRecord& Record(int Row);
    const TlvFilesRecord& Record(int Row) const;
    // The row captioned exactly Caption (case-sensitive), or -1.
    int FindCaption(std::string_view Caption) const;
    // Whether a row is captioned exactly Caption; does not grow with the list.
    bool HasCaption(const std::string& Caption) const { return FCaptions.count(Caption) > 0; }

    // A folder every destination goes into as it is given, instead of "OutPutDir" (the command
    // line's --output: the settings file would drop blanks around it). The folder must exist.
    // Empty (the default): "OutPutDir".
    void SetOutputFolder(std::string Folder) { FOutputFolder = std::move(Folder); }
    const std::string& OutputFolder() const { return FOutputFolder; }
    // The destination of Source for a Start or an Add: in OutputFolder() when set, otherwise
    // BuildDestName's.
    TDestName DestinationOf(const std::string& Source, std::string_view Suffix, TIniFile& Settings,
                            TUserPrompts& Prompts, TReservedNames* Reserved = nullptr) const;
    // The folder the outputs go into: OutputFolder() when set, else "OutPutDir" made when
    // missing, with BuildDestName's fallback to the default folder and its messages. Empty when
    // no folder can be had (the user was told).
    std::string OutputFolderFor(TIniFile& Settings, TUserPrompts& Prompts) const;

private:
    // The Progress texts that carry a tool tip. They are kept and compared as written here;
    // data() shows them translated.
    //: Progress column status of a file that could not be converted
    static constexpr const char* ProgressErrorText = QT_TRANSLATE_NOOP("SourceList", "Error");
    //: Progress column status of a file converted with warnings
    static constexpr const char* ProgressWarningText = QT_TRANSLATE_NOOP("SourceList", "Warning");
    static constexpr const char* ProgressDoneText = "100%";
    //: Progress column status of a file that was passed over (its output exists)
    static constexpr const char* ProgressSkippedText = QT_TRANSLATE_NOOP("SourceList", "Skipped");
    //: Progress column status of a kept row whose file is gone
    static constexpr const char* ProgressMissingText = QT_TRANSLATE_NOOP("SourceList", "Missing");
    void SetProgressTip(int Row, const char* Text, std::string Tip);
    // The tool tip while the Progress column shows Text, else "".
    std::string ProgressTip(int Row, const char* Text) const;

    struct TRow;
    // Appends a row (main thread).
    void AppendRow(std::unique_ptr<TRow> Row);
    // A row for an entry that cannot convert (a CUE sheet that cannot be used): its
    // Progress shows "Error" with the reason. False when the list has it already.
    bool AppendErrorRow(const TAddEntry& Entry);
    std::vector<std::unique_ptr<TRow>> FRows;
    std::unordered_set<std::string> FCaptions; // the captions of FRows
    std::string FOutputFolder;
};

}  // namespace zelta
