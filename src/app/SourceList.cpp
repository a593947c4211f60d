#include "app/SourceList.h"

#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "app/JobBuilder.h"
#include "app/OutputNames.h"
#include "app/Segments.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "component/FFConverter.h"
#include "engine/OptionRecords.h"
#include "engine/SafeWrite.h"
#include "probe/AVProbe.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

// The filter of the open dialog as designed: description and patterns (";" between them).
// The descriptions are shown translated; the patterns stay as they are.
struct TDesignedFilter {
    const char* Description;
    std::string_view Patterns;
};
constexpr TDesignedFilter DesignedAddFilter[] = {
    {QT_TRANSLATE_NOOP("SourceList", "All Supported Video Formats"),
     "*.AVI;*.AVM;*.ASF;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.3G2;*.M4V;*.MP4;"
     "*.MPG;*.MPEG;*.DAT;*.OGM;*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.SWF;"},
    // (CUE sheets added too: an album image's tracks, Segments.h)
    {QT_TRANSLATE_NOOP("SourceList", "All Supported Audio Formats"),
     "*.MP3;*.AAC;*.WAV;*.WMA;*.OGG;*.CDA;*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;"
     "*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3;*.DTS;*.CUE;"},
    {QT_TRANSLATE_NOOP("SourceList", "AVI files (*.avi)"), "*.avi"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG4 files (*.mp4)"), "*.mp4"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG files (*.mpg,*.mpeg)"), "*.mpg;*.mpeg"},
    {QT_TRANSLATE_NOOP("SourceList", "3GP files (*.3gp,*.3g2)"), "*.3gp;*.3g2"},
    {QT_TRANSLATE_NOOP("SourceList", "Itunes Video files (*.m4v)"), "*.m4v"},
    {QT_TRANSLATE_NOOP("SourceList", "Windows Media files (*.wmv,*.asf)"), "*.wmv;*.asf"},
    {QT_TRANSLATE_NOOP("SourceList", "Real Media files (*.rm,*.rmvb)"), "*.rm;*.rmvb"},
    {QT_TRANSLATE_NOOP("SourceList", "Video CD files (*.dat)"), "*.dat"},
    {QT_TRANSLATE_NOOP("SourceList", "Quick Time files (*.mov)"), "*.mov"},
    {QT_TRANSLATE_NOOP("SourceList", "Flash Video files (*.flv)"), "*.flv"},
    {QT_TRANSLATE_NOOP("SourceList", "Matroska Video files (*.mkv)"), "*.mkv"},
    {QT_TRANSLATE_NOOP("SourceList", "MJPEG Video files (*.mjpg,*.mjpeg)"), "*.mjpg;*.mjpeg"},
    {QT_TRANSLATE_NOOP("SourceList", "Animated GIF files (*.gif)"), "*.gif"},
    {QT_TRANSLATE_NOOP("SourceList", "H.264/MPEG4 AVC Video files (*.mts,*.m2ts)"), "*.mts;*.m2ts"},
    {QT_TRANSLATE_NOOP("SourceList", "DVD video object files (*.vob)"), "*.vob"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG-1 Video files (*.mpv)"), "*.mpv"},
    {QT_TRANSLATE_NOOP("SourceList", "Video Transport Stream files (*.ts)"), "*.ts"},
    {QT_TRANSLATE_NOOP("SourceList", "TP Video files (*.tp)"), "*.tp"},
    {QT_TRANSLATE_NOOP("SourceList", "Maceomeida Flash files (*.swf)"), "*.swf"},
    {QT_TRANSLATE_NOOP("SourceList", "MP3 Audio files (*.mp3)"), "*.mp3"},
    {QT_TRANSLATE_NOOP("SourceList", "Advanced Audio Coding files (*.aac)"), "*.aac"},
    {QT_TRANSLATE_NOOP("SourceList", "Monkey's Audio files (*.ape)"), "*.ape"},
    {QT_TRANSLATE_NOOP("SourceList", "Ogg Vorbis Audio files (*.ogg)"), "*.ogg"},
    {QT_TRANSLATE_NOOP("SourceList", "Windows Media Audio files (*.wma)"), "*.wma"},
    {QT_TRANSLATE_NOOP("SourceList", "MusePack Audio files (*.mpc)"), "*.mpc"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG Audio files (*.mpa)"), "*.mpa"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG-4 Audio files (*.m4a)"), "*.m4a"},
    {QT_TRANSLATE_NOOP("SourceList", "Matroska Audio files (*.mka)"), "*.mka"},
    {QT_TRANSLATE_NOOP("SourceList", "DTS Audio files (*.dts)"), "*.dts"},
    {QT_TRANSLATE_NOOP("SourceList", "Audio Codec 3 files (*.ac3)"), "*.ac3"},
    {QT_TRANSLATE_NOOP("SourceList", "Speex Audio files (*.spx)"), "*.spx"},
    {QT_TRANSLATE_NOOP("SourceList", "Real Audio files (*.ra,*.ram)"), "*.ra;*.ram"},
    {QT_TRANSLATE_NOOP("SourceList", "MPEG Layer II Compressed Audio files (*.mp2)"), "*.mp2"},
    {QT_TRANSLATE_NOOP("SourceList", "All files (*.*)"), "*.*"},
};

// Odd-row backgrounds in theme index order (Default, Gray, Orange, Purple, Red, Green,
// Light blue), then the colour used when no built-in theme is in force.
constexpr std::array<QRgb, 7> ThemeOddRowColors = {
    qRgb(226, 230, 246), qRgb(236, 236, 236), qRgb(248, 242, 224), qRgb(246, 230, 241),
    qRgb(247, 225, 225), qRgb(226, 247, 225), qRgb(225, 240, 247),
};
constexpr QRgb NoThemeOddRowColor = qRgb(235, 235, 235);

std::vector<std::string_view> Split(std::string_view Text, char Separator)
{
    std::vector<std::string_view> Parts;
    for (;;) {
        const size_t At = Text.find(Separator);
        Parts.push_back(Text.substr(0, At));
        if (At == std::string_view::npos)
            return Parts;
        Text.remove_prefix(At + 1);
    }
}

std::string AsciiCase(std::string_view Text, bool Upper)
{
    std::string R(Text);
    for (char& C : R) {
        if (Upper && C >= 'a' && C <= 'z')
            C = char(C - 'a' + 'A');
        else if (!Upper && C >= 'A' && C <= 'Z')
            C = char(C - 'A' + 'a');
    }
    return R;
}

// The file name of Path without its extension ("/a/song.x.wav" -> "song.x"); a name that starts
// with its only dot is a hidden file's whole name.
std::string NameWithoutExtension(const std::string& Path)
{
    return fs::path(Path).stem().string();
}

std::string FileNamePart(const std::string& Path)
{
    const size_t Slash = Path.rfind('/');
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// True when Folder is a folder afterwards (it existed or was made with its parents); Reason
// tells why not.
bool EnsureFolder(const std::string& Folder, std::string& Reason)
{
    std::error_code Ec;
    if (fs::is_directory(Folder, Ec))
        return true;
    if (Folder.empty()) {
        Reason = TrText("SourceList", "no folder given");
        return false;
    }
    fs::create_directories(Folder, Ec);
    if (Ec) {
        Reason = Ec.message();
        return false;
    }
    // create_directories succeeds without making anything when the path exists as a file.
    if (!fs::is_directory(Folder, Ec)) {
        Reason = TrText("SourceList", "not a folder");
        return false;
    }
    return true;
}

// Whether a file (or a link, even a dangling one) is at Path: 0 free, EEXIST taken, or why
// that cannot be told.
int PathState(const std::string& Path)
{
    struct stat St;
    if (::lstat(Path.c_str(), &St) == 0)
        return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

} // namespace

QRgb OddRowColor(int ThemeIndex)
{
    if (ThemeIndex >= 0 && ThemeIndex < int(ThemeOddRowColors.size()))
        return ThemeOddRowColors[size_t(ThemeIndex)];
    return NoThemeOddRowColor;
}

QRgb RowBackground(int Row, int ThemeIndex)
{
    return Row % 2 == 0 ? RowEvenColor : OddRowColor(ThemeIndex);
}

std::vector<std::string> AddDialogFilters()
{
    std::vector<std::string> Filters;
    for (const TDesignedFilter& Designed : DesignedAddFilter) {
        std::vector<std::string> Patterns;
        auto AddPattern = [&Patterns](std::string Pattern) {
            for (const std::string& P : Patterns)
                if (P == Pattern)
                    return;
            Patterns.push_back(std::move(Pattern));
        };
        for (std::string_view Pattern : Split(Designed.Patterns, ';')) {
            if (Pattern.empty())
                continue;
            if (Pattern == "*.*") { // every file, also those without a dot
                AddPattern("*");
                continue;
            }
            AddPattern(AsciiCase(Pattern, true));
            AddPattern(AsciiCase(Pattern, false));
        }
        std::string Filter = TrText("SourceList", Designed.Description);
        Filter += " (";
        for (size_t P = 0; P < Patterns.size(); ++P) {
            if (P > 0)
                Filter += ' ';
            Filter += Patterns[P];
        }
        Filter += ')';
        Filters.push_back(std::move(Filter));
    }
    return Filters;
}

namespace {

// "OutPutDir", made when missing, or the default folder after the "Warning"; empty (after the
// "Error") when neither can be made.
std::string StoredOutputFolder(TIniFile& Settings, TUserPrompts& Prompts)
{
    std::string Folder = ReadSettingText(Settings, KeyOutPutDir);
    std::string Reason;
    if (!EnsureFolder(Folder, Reason)) {
        const std::string Default = DefaultOutputFolder();
        if (Folder != Default) {
            Prompts.ShowMessage(
                "Warning",
                FillText(TrText("SourceList", "Cannot create output directory:%1.It will create "
                                              "default directory %2!"),
                         {Folder, Default}));
        }
        if (!EnsureFolder(Default, Reason)) {
            Prompts.ShowMessage(
                "Error", FillText(TrText("SourceList", "Cannot create output directory: %1 (%2)"),
                                  {Default, Reason}));
            return {};
        }
        // The folder is used even when the settings file cannot be written; the next name
        // built then simply falls back again.
        (void)Settings.WriteString(SectionSettings, KeyOutPutDir, Default);
        Folder = Default;
    }
    return Folder;
}

}  // namespace

TDestName BuildDestName(const std::string& Source, std::string_view Suffix, TIniFile& Settings,
                        TUserPrompts& Prompts, TReservedNames* Reserved)
{
    const std::string Folder = StoredOutputFolder(Settings, Prompts);
    if (Folder.empty()) {
        TDestName None;
        None.NoFolder = true;
        return None;
    }
    return FreeDestName(Folder, Source, Suffix, Reserved);
}

std::string TSourceListModel::OutputFolderFor(TIniFile& Settings, TUserPrompts& Prompts) const
{
    return FOutputFolder.empty() ? StoredOutputFolder(Settings, Prompts) : FOutputFolder;
}

TDestName FreeDestName(const std::string& Folder, const std::string& Source,
                       std::string_view Suffix, TReservedNames* Reserved)
{
    const std::string Stem = NameWithoutExtension(Source);
    const size_t MaxBytes = MaxNameBytes(Folder);
    TDestName Result;
    for (int N = 0; N <= MaxNameNumber; ++N) {
        std::string Name = JoinPath(Folder, NumberedName(Stem, N, Suffix, MaxBytes));
        if (Reserved && Reserved->count(Name) > 0)
            continue;
        const int State = PathState(Name);
        if (State == EEXIST)
            continue;
        if (State != 0) {
            Result.Error = FillText(TrText("SourceList", "cannot look for a free name in %1: %2"),
                                    {Folder, SafeWriteErrorText(State)});
            return Result;
        }
        if (Reserved)
            Reserved->insert(Name);
        Result.Name = std::move(Name);
        return Result;
    }
    Result.Error = FillText(TrText("SourceList", "every name from %1 to %2 is taken in %3"),
                            {NumberedName(Stem, 0, Suffix, MaxBytes),
                             NumberedName(Stem, MaxNameNumber, Suffix, MaxBytes), Folder});
    return Result;
}

TDestName TSourceListModel::DestinationOf(const std::string& Source, std::string_view Suffix,
                                          TIniFile& Settings, TUserPrompts& Prompts,
                                          TReservedNames* Reserved) const
{
    if (!FOutputFolder.empty())
        return FreeDestName(FOutputFolder, Source, Suffix, Reserved);
    return BuildDestName(Source, Suffix, Settings, Prompts, Reserved);
}

void TSourceListModel::UpdateDestinations(const TIniFile& Settings, const TIniFile& Catalogue)
{
    const int Code = ReadSettingInteger(Settings, KeyFormatCode);
    const std::string Suffix = "." + CatalogueFileExt(Catalogue, Code);
    const std::string Folder =
        FOutputFolder.empty() ? ReadSettingText(Settings, KeyOutPutDir) : FOutputFolder;
    const TOutputNaming Naming =
        ReadOutputNaming(Settings, !ProfileHasVideo(Settings, Catalogue, Code));
    TReservedNames Reserved;
    for (int Row = 0; Row < RowCount(); ++Row) {
        TlvFilesRecord& R = Record(Row);
        const std::string Planned = PlannedRowOutput(Folder, Caption(Row), R, Suffix, Naming);
        TOutputChoice Choice = ChooseOutput(Planned, Caption(Row), Naming, Reserved);
        // A file the rule passes over shows the name it would have had.
        std::string Name = Choice.Skipped ? Planned : std::move(Choice.Name);
        SetSubItem(Row, colDestination, DestinationColumnText(Folder, Name));
        R.DstFile = std::move(Name);
    }
}

std::string DestinationColumnText(const std::string& Folder, const std::string& Name)
{
    if (Name.empty())
        return {};
    const std::string Prefix = JoinPath(Folder, "");
    if (Name.size() > Prefix.size() && Name.compare(0, Prefix.size(), Prefix) == 0)
        return Name.substr(Prefix.size());
    return FileNamePart(Name);
}

// ---- the list ----

struct TSourceListModel::TRow {
    bool Checked = true;
    std::string Caption;
    std::string Key; // what tells rows apart: the caption, with the piece for a track or chapter
    // Texts of colLength .. colProgress.
    std::array<std::string, SourceColumnCount - 1> SubItems;
    std::string ProgressTip; // the tool tip of an "Error" or "Warning" in the Progress column
    TlvFilesRecord Record;
};

TSourceListModel::TSourceListModel(QObject* Parent) : QAbstractTableModel(Parent) {}

TSourceListModel::~TSourceListModel() = default;

int TSourceListModel::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : RowCount();
}

int TSourceListModel::columnCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : SourceColumnCount;
}

QVariant TSourceListModel::data(const QModelIndex& Index, int Role) const
{
    if (!Index.isValid() || Index.row() < 0 || Index.row() >= RowCount() || Index.column() < 0 ||
        Index.column() >= SourceColumnCount)
        return {};
    const int Row = Index.row();
    const auto Column = TSourceColumn(Index.column());
    switch (Role) {
    case Qt::DisplayRole:
        if (Column == colSource) {
            const TlvFilesRecord& record = FRows[size_t(Row)]->Record;
            std::string caption = record.Segment.Active() ? SegmentShownCaption(record.Segment)
                                                          : SubItem(Row, Column);
            // The chosen track before the path, which a narrow column cuts at its end:
            // "[audio 2: fre] /films/..."
            if (record.AudioTrack >= 1) {
                const std::string& track = record.AudioTrackText;
                //: %1 is the chosen audio track ("2: fre"), %2 the file
                caption = FillText(TrText("SourceList", "[audio %1] %2"),
                                   {track.substr(0, track.find(',')), caption});
            }
            return QString::fromStdString(caption);
        }
        if (Column == colProgress) {
            // The status words are kept and compared in English; shown in the person's language.
            const std::string& text = SubItem(Row, Column);
            for (const char* word :
                 {ProgressErrorText, ProgressWarningText, ProgressSkippedText, ProgressMissingText})
                if (text == word)
                    return QString::fromStdString(TrText("SourceList", word));
        }
        return QString::fromStdString(SubItem(Row, Column));
    case Qt::ToolTipRole:
        if (Column == colProgress && !FRows[size_t(Row)]->ProgressTip.empty())
            return QString::fromStdString(FRows[size_t(Row)]->ProgressTip);
        if (Column == colSource) {
            const TlvFilesRecord& record = FRows[size_t(Row)]->Record;
            std::string tip = SourceTip(record);
            if (record.AudioTrack >= 1)
                tip = FillText(TrText("SourceList", "Audio track %1"), {record.AudioTrackText}) +
                      (tip.empty() ? "" : "\n" + tip);
            return QString::fromStdString(tip);
        }
        return {};
    case Qt::CheckStateRole:
        if (Column == colSource)
            return Checked(Row) ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool TSourceListModel::setData(const QModelIndex& Index, const QVariant& Value, int Role)
{
    if (Role != Qt::CheckStateRole || !Index.isValid() || Index.column() != colSource ||
        Index.row() < 0 || Index.row() >= RowCount())
        return false;
    SetChecked(Index.row(), Value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags TSourceListModel::flags(const QModelIndex& Index) const
{
    if (!Index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags F = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (Index.column() == colSource)
        F |= Qt::ItemIsUserCheckable;
    return F;
}

QVariant TSourceListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole || Section < 0 ||
        Section >= SourceColumnCount)
        return {};
    return QString::fromStdString(TrText("SourceList", SourceColumns[Section].Caption.data()));
}

TSourceListModel::TAddResult TSourceListModel::AddFiles(const std::vector<std::string>& Paths,
                                                        TCustomFFConverter& Converter,
                                                        const std::string& LibraryFolder,
                                                        TIniFile& Settings,
                                                        const TIniFile& Catalogue,
                                                        TUserPrompts& Prompts,
                                                        const TStepProgress& Progress)
{
    std::vector<TAddEntry> Entries;
    Entries.reserve(Paths.size());
    for (const std::string& Path : Paths)
        Entries.push_back(TAddEntry{Path, {}, {}, {}});
    return AddFiles(Entries, Converter, LibraryFolder, Settings, Catalogue, Prompts, Progress);
}

namespace {

std::string RootOf(const TAddEntry& Entry)
{
    return Entry.Root.empty() ? fs::path(Entry.Path).parent_path().string() : Entry.Root;
}

// Whole seconds of a length in microseconds, as the Length columns show it.
std::string SecondsText(int64_t Microseconds)
{
    return std::to_string(Microseconds > 0 ? Microseconds / 1000000 : 0);
}

}  // namespace

std::string SourceTip(const TlvFilesRecord& Record)
{
    if (!Record.Segment.Active())
        return {};
    std::string tip = Record.SrcFile;
    if (!Record.Segment.Sheet.empty())
        tip += "\n" + Record.Segment.Sheet;
    return tip;
}

namespace {

}  // namespace

void TSourceListModel::AppendRow(std::unique_ptr<TRow> Row)
{
    if (Row->Key.empty())
        Row->Key = Row->Caption;
    FCaptions.insert(Row->Key);
    const int At = RowCount();
    beginInsertRows(QModelIndex(), At, At);
    FRows.push_back(std::move(Row));
    endInsertRows();
}

bool TSourceListModel::AppendErrorRow(const TAddEntry& Entry)
{
    const std::string Key = Entry.Path + "\n#error";
    if (HasCaption(Key))
        return false;
    auto NewRow = std::make_unique<TRow>();
    NewRow->Checked = true; // Start reports it with the files that failed
    NewRow->Caption = Entry.Path;
    NewRow->Key = Key;
    NewRow->SubItems[colLength - 1] = "0";
    NewRow->SubItems[colTrimmedLength - 1] = "0";
    NewRow->SubItems[colProgress - 1] = ProgressErrorText;
    NewRow->ProgressTip = Entry.Error;
    TlvFilesRecord& R = NewRow->Record;
    R.SrcFile = Entry.Path;
    R.Root = RootOf(Entry);
    R.SegmentError = Entry.Error;
    AppendRow(std::move(NewRow));
    return true;
}

int TSourceListModel::AddUnprobed(const std::vector<TAddEntry>& Entries, const TIniFile& Settings)
{
    const int Code = ReadSettingInteger(Settings, KeyFormatCode);
    const std::string ZoomMode = Settings.ReadString(FormatInfoSection(Code), "parazoom", "lbox");
    int Added = 0;
    const std::vector<TAddEntry> Expanded =
        ExpandSegments(Entries, TSegmentOptions{ReadSplitChapters(Settings)});
    for (size_t P = 0; P < Expanded.size(); ++P) {
        const TAddEntry& Entry = Expanded[P];
        const std::string& Path = Entry.Path;
        std::error_code Ec;
        if (!Entry.Error.empty()) {
            Added += AppendErrorRow(Entry) ? 1 : 0;
            continue;
        }
        const std::string Key = SegmentKey(Path, Entry.Segment);
        if (fs::is_directory(Path, Ec) || HasCaption(Key))
            continue;
        auto NewRow = std::make_unique<TRow>();
        NewRow->Caption = Path;
        NewRow->Key = Key;
        const std::string Length = SecondsText(SegmentLength(Entry.Segment, 0));
        NewRow->SubItems[colLength - 1] = Length;
        NewRow->SubItems[colTrimmedLength - 1] = Length;
        TlvFilesRecord& R = NewRow->Record;
        R.PickIndex = int(P);
        R.SrcFile = Path;
        R.ZoomMode = ZoomMode;
        R.Root = RootOf(Entry);
        R.Segment = Entry.Segment;
        AppendRow(std::move(NewRow));
        ++Added;
    }
    return Added;
}

TSourceListModel::TAddResult TSourceListModel::AddFiles(const std::vector<TAddEntry>& Entries,
                                                        TCustomFFConverter& Converter,
                                                        const std::string& LibraryFolder,
                                                        TIniFile& Settings,
                                                        const TIniFile& Catalogue,
                                                        TUserPrompts& Prompts,
                                                        const TStepProgress& Progress)
{
    TAddResult Result;
    if (!Converter.LoadLibraries(LibraryFolder)) {
        Result.LibrariesFailed = true;
        return Result;
    }
    Converter.ClearTasks();

    const int Code = ReadSettingInteger(Settings, KeyFormatCode);
    const std::string Suffix = "." + CatalogueFileExt(Catalogue, Code);
    const std::string ZoomMode = Settings.ReadString(FormatInfoSection(Code), "parazoom", "lbox");
    // Adding reads only the length; with an audio profile the video is not analysed (its
    // pictures are not decoded), as the conversion itself will not read it.
    const bool AnalyseVideo = ProfileHasVideo(Settings, Catalogue, Code);

    const TOutputNaming Naming = ReadOutputNaming(Settings, !AnalyseVideo);
    std::string Folder;
    TReservedNames Reserved;
    const std::vector<TAddEntry> Expanded =
        ExpandSegments(Entries, TSegmentOptions{ReadSplitChapters(Settings)});
    // The pieces of one file follow each other: the file is probed once for all of them.
    std::string ProbedPath;
    int64_t ProbedLength = 0;
    TNameTags ProbedTags;
    for (size_t P = 0; P < Expanded.size(); ++P) {
        if (Progress && !Progress(int(P), int(Expanded.size()))) {
            Result.Cancelled = true;
            break;
        }
        const TAddEntry& Entry = Expanded[P];
        const std::string& Path = Entry.Path;
        if (!Entry.Error.empty()) {
            Result.Added += AppendErrorRow(Entry) ? 1 : 0;
            continue;
        }
        std::error_code Ec;
        const fs::file_status St = fs::status(Path, Ec);
        if (Ec || !fs::exists(St) || fs::is_directory(St))
            continue;
        const std::string Key = SegmentKey(Path, Entry.Segment);
        if (HasCaption(Key))
            continue;

        if (Folder.empty()) {
            Folder = OutputFolderFor(Settings, Prompts);
            if (Folder.empty()) {
                Result.Stopped = true;
                break;
            }
        }

        if (!Entry.Segment.Active() || Path != ProbedPath) {
            TInputOptions Options;
            ResetInputOptions(Options);
            Options.FileName = Path;
            if (!AnalyseVideo)
                Options.ExtOptions = "vn=1";
            ProbedPath.clear();
            const int Task = Converter.AddTask(Path, &Options);
            if (Task < 0)
                continue; // not media the engine can open
            ProbedLength = 0;
            ProbedTags.clear();
            if (TAVProbe* Probe = Converter.InputProbe(Task, 0)) {
                TFileStreamInfo Info;
                if (Probe->GetFileStreamInfo(Info) && Info.Duration > 0)
                    ProbedLength = Info.Duration;
                ProbedTags = ReadNameTags(Probe->FormatContext());
            }
            // Adding only probes the file; the tasks of a conversion are built at Start.
            Converter.RemoveTask(Task);
            Converter.ClearTasks();
            ProbedPath = Path;
        }
        const int64_t Length =
            Entry.Segment.Active() ? SegmentLength(Entry.Segment, ProbedLength) : ProbedLength;
        const int Duration = int(Length > 0 ? Length / 1000000 : 0);
        TNameTags Tags = ProbedTags;

        // A name not found now (a folder that cannot be read) is looked for again at Start,
        // which fails the file with the reason; the row shows no destination meanwhile. A file
        // the "exists" rule will pass over shows the name it would have had.
        const std::string Root = RootOf(Entry);
        const std::string Planned =
            PlannedOutput(Folder, NamingSource(Path, Entry.Segment, Naming.Layout), Root,
                          SegmentNameTags(Tags, Entry.Segment), Suffix, Naming);
        TOutputChoice Choice = ChooseOutput(Planned, Path, Naming, Reserved);
        const std::string Dest = Choice.Skipped ? Planned : Choice.Name;

        auto NewRow = std::make_unique<TRow>();
        NewRow->Checked = true;
        NewRow->Caption = Path;
        NewRow->Key = Key;
        NewRow->SubItems[colLength - 1] = std::to_string(Duration);
        NewRow->SubItems[colTrimmedLength - 1] = std::to_string(Duration);
        NewRow->SubItems[colDestination - 1] = DestinationColumnText(Folder, Dest);
        TlvFilesRecord& R = NewRow->Record;
        R.PickIndex = int(P);
        R.SrcFile = Path;
        R.DstFile = Dest;
        R.Duration = Duration;
        R.ZoomMode = ZoomMode;
        R.Root = Root;
        R.NameTags = std::move(Tags);
        R.TagsRead = true;
        R.Segment = Entry.Segment;
        AppendRow(std::move(NewRow));
        ++Result.Added;
    }
    return Result;
}

int TSourceListModel::RemoveRow(int Row)
{
    if (Row < 0 || Row >= RowCount())
        return -1;
    beginRemoveRows(QModelIndex(), Row, Row);
    FCaptions.erase(FRows[size_t(Row)]->Key);
    FRows.erase(FRows.begin() + Row);
    endRemoveRows();
    if (FRows.empty())
        return -1;
    return Row < RowCount() ? Row : RowCount() - 1;
}

int TSourceListModel::ReplaceWithPieces(int Row, const std::vector<TSegment>& Pieces)
{
    if (Row < 0 || Row >= RowCount() || Pieces.empty())
        return 0;
    const TRow& Old = *FRows[size_t(Row)];
    std::vector<std::unique_ptr<TRow>> Made;
    for (const TSegment& Piece : Pieces) {
        const std::string Key = SegmentKey(Old.Caption, Piece);
        if (HasCaption(Key))
            continue;
        // The pieces start without the whole file's edits (its trim, crop and effects).
        auto NewRow = std::make_unique<TRow>();
        NewRow->Checked = Old.Checked;
        NewRow->Caption = Old.Caption;
        NewRow->Key = Key;
        const std::string Length =
            SecondsText(SegmentLength(Piece, int64_t(Old.Record.Duration) * 1000000));
        NewRow->SubItems[colLength - 1] = Length;
        NewRow->SubItems[colTrimmedLength - 1] = Length;
        TlvFilesRecord& R = NewRow->Record;
        R.PickIndex = Old.Record.PickIndex;
        R.SrcFile = Old.Record.SrcFile;
        R.Duration = Old.Record.Duration;
        R.ZoomMode = Old.Record.ZoomMode;
        R.Root = Old.Record.Root;
        R.NameTags = Old.Record.NameTags;
        R.TagsRead = Old.Record.TagsRead;
        R.Segment = Piece;
        Made.push_back(std::move(NewRow));
    }
    if (Made.empty())
        return 0;
    RemoveRow(Row);
    const int Count = int(Made.size());
    beginInsertRows(QModelIndex(), Row, Row + Count - 1);
    for (int I = 0; I < Count; ++I) {
        FCaptions.insert(Made[size_t(I)]->Key);
        FRows.insert(FRows.begin() + Row + I, std::move(Made[size_t(I)]));
    }
    endInsertRows();
    return Count;
}

bool TSourceListModel::Clear(TCustomFFConverter& Converter)
{
    if (FRows.empty())
        return false;
    Converter.ClearTasks();
    beginResetModel();
    FRows.clear();
    FCaptions.clear();
    endResetModel();
    return true;
}

void TSourceListModel::CheckAll()
{
    for (int Row = 0; Row < RowCount(); ++Row)
        SetChecked(Row, true);
}

void TSourceListModel::UncheckAll()
{
    for (int Row = 0; Row < RowCount(); ++Row)
        SetChecked(Row, false);
}

void TSourceListModel::ReverseCheck()
{
    for (int Row = 0; Row < RowCount(); ++Row)
        SetChecked(Row, !Checked(Row));
}

void TSourceListModel::SetChecked(int Row, bool IsChecked)
{
    if (Row < 0 || Row >= RowCount() || FRows[size_t(Row)]->Checked == IsChecked)
        return;
    FRows[size_t(Row)]->Checked = IsChecked;
    const QModelIndex Cell = index(Row, colSource);
    emit dataChanged(Cell, Cell, {Qt::CheckStateRole});
}

bool TSourceListModel::Checked(int Row) const
{
    return Row >= 0 && Row < RowCount() && FRows[size_t(Row)]->Checked;
}

int TSourceListModel::CheckedCount() const
{
    int N = 0;
    for (const auto& R : FRows)
        N += R->Checked ? 1 : 0;
    return N;
}

const std::string& TSourceListModel::Caption(int Row) const
{
    return FRows.at(size_t(Row))->Caption;
}

std::string TSourceListModel::SubItem(int Row, TSourceColumn Column) const
{
    const TRow& R = *FRows.at(size_t(Row));
    if (Column == colSource)
        return R.Caption;
    if (Column > colSource && Column < SourceColumnCount)
        return R.SubItems[size_t(Column) - 1];
    return {};
}

void TSourceListModel::SetSubItem(int Row, TSourceColumn Column, std::string Text)
{
    if (Row < 0 || Row >= RowCount() || Column <= colSource || Column >= SourceColumnCount)
        return;
    TRow& R = *FRows[size_t(Row)];
    std::string& Item = R.SubItems[size_t(Column) - 1];
    const bool hadTip = Column == colProgress && !R.ProgressTip.empty();
    if (Item == Text && !hadTip)
        return;
    Item = std::move(Text);
    if (hadTip)
        R.ProgressTip.clear();
    const QModelIndex Cell = index(Row, Column);
    emit dataChanged(Cell, Cell, {Qt::DisplayRole, Qt::ToolTipRole});
}

void TSourceListModel::SetProgressTip(int Row, const char* Text, std::string Tip)
{
    if (Row < 0 || Row >= RowCount())
        return;
    SetSubItem(Row, colProgress, Text);
    FRows[size_t(Row)]->ProgressTip = std::move(Tip);
    const QModelIndex Cell = index(Row, colProgress);
    emit dataChanged(Cell, Cell, {Qt::ToolTipRole});
}

std::string TSourceListModel::ProgressTip(int Row, const char* Text) const
{
    if (Row < 0 || Row >= RowCount() || SubItem(Row, colProgress) != Text)
        return {};
    return FRows[size_t(Row)]->ProgressTip;
}

void TSourceListModel::SetProgressError(int Row, std::string Reason)
{
    SetProgressTip(Row, ProgressErrorText, std::move(Reason));
}

std::string TSourceListModel::ProgressError(int Row) const
{
    return ProgressTip(Row, ProgressErrorText);
}

void TSourceListModel::SetProgressWarning(int Row, std::string Text)
{
    SetProgressTip(Row, ProgressWarningText, std::move(Text));
}

void TSourceListModel::SetProgressNote(int Row, std::string Text)
{
    SetProgressTip(Row, ProgressDoneText, std::move(Text));
}

std::string TSourceListModel::ProgressWarning(int Row) const
{
    return ProgressTip(Row, ProgressWarningText);
}

void TSourceListModel::SetProgressSkipped(int Row, std::string Reason)
{
    SetProgressTip(Row, ProgressSkippedText, std::move(Reason));
}

std::string TSourceListModel::ProgressSkipped(int Row) const
{
    return ProgressTip(Row, ProgressSkippedText);
}

void TSourceListModel::SetAudioTrack(int Row, int Track, std::string Text)
{
    if (Row < 0 || Row >= RowCount())
        return;
    TlvFilesRecord& record = FRows[size_t(Row)]->Record;
    record.AudioTrack = Track >= 1 ? Track : -1;
    record.AudioTrackText = Track >= 1 ? std::move(Text) : std::string();
    const QModelIndex Cell = index(Row, colSource);
    emit dataChanged(Cell, Cell, {Qt::DisplayRole, Qt::ToolTipRole});
}

void TSourceListModel::SetProgressMissing(int Row)
{
    SetProgressTip(Row, ProgressMissingText, TrText("SourceList", MissingFileText.data()));
}

bool TSourceListModel::ProgressMissing(int Row) const
{
    return Row >= 0 && Row < RowCount() && SubItem(Row, colProgress) == ProgressMissingText;
}

int TSourceListModel::AppendKeptRows(std::vector<TListRow> Rows)
{
    std::vector<std::unique_ptr<TRow>> Taken;
    Taken.reserve(Rows.size());
    for (TListRow& Kept : Rows) {
        if (Kept.Record.SrcFile.empty())
            continue;
        std::string Key = SegmentKey(Kept.Record.SrcFile, Kept.Record.Segment);
        if (!FCaptions.insert(Key).second)
            continue;
        auto NewRow = std::make_unique<TRow>();
        NewRow->Key = std::move(Key);
        NewRow->Checked = Kept.Checked;
        NewRow->Caption = Kept.Record.SrcFile;
        NewRow->SubItems[colLength - 1] = std::move(Kept.Length);
        NewRow->SubItems[colTrimmedLength - 1] = std::move(Kept.TrimmedLength);
        NewRow->Record = std::move(Kept.Record);
        Taken.push_back(std::move(NewRow));
    }
    if (Taken.empty())
        return 0;
    const int At = RowCount();
    beginInsertRows(QModelIndex(), At, At + int(Taken.size()) - 1);
    for (std::unique_ptr<TRow>& Row : Taken)
        FRows.push_back(std::move(Row));
    endInsertRows();
    return int(Taken.size());
}

void TSourceListModel::RecordEdited(int Row)
{
    if (Row < 0 || Row >= RowCount())
        return;
    emit dataChanged(index(Row, 0), index(Row, SourceColumnCount - 1), {Qt::DisplayRole});
}

TlvFilesRecord& TSourceListModel::Record(int Row)
{
    return FRows.at(size_t(Row))->Record;
}

const TlvFilesRecord& TSourceListModel::Record(int Row) const
{
    return FRows.at(size_t(Row))->Record;
}

int TSourceListModel::FindCaption(std::string_view Caption) const
{
    for (size_t I = 0; I < FRows.size(); ++I)
        if (FRows[I]->Caption == Caption)
            return int(I);
    return -1;
}

} // namespace zelta
