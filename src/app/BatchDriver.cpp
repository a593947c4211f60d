#include "app/BatchDriver.h"

#include "app/FolderPictures.h"
#include "app/FormatCatalogue.h"
#include "app/JobBuilder.h"
#include "app/LoudnessPreferences.h"
#include "app/PreferenceLogic.h"
#include "app/Segments.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "component/FFConverter.h"
#include "effects/FrameEffects.h"
#include "engine/LoudnessAlbum.h"
#include "engine/SafeWrite.h"
#include "engine/UnicodeProtocol.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <thread>

namespace zelta {

namespace {

constexpr int ShortCaptionLimit = 51; // captions shorter than this are shown whole
constexpr int ShortCaptionHead = 44;

bool IsContinuationByte(char C) { return (static_cast<unsigned char>(C) & 0xC0) == 0x80; }

// Byte offset of code point N of Text (Text.size() when it has fewer).
size_t CodePointOffset(const std::string& Text, int N)
{
    size_t i = 0;
    for (int k = 0; k < N && i < Text.size(); ++k) {
        ++i;
        while (i < Text.size() && IsContinuationByte(Text[i]))
            ++i;
    }
    return i;
}

int CodePointCount(const std::string& Text)
{
    int n = 0;
    for (char c : Text)
        if (!IsContinuationByte(c))
            ++n;
    return n;
}

// The extension of the file name part of Path with its dot, or "".
std::string ExtensionOf(const std::string& Path)
{
    const size_t slash = Path.find_last_of('/');
    const size_t dot = Path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return Path.substr(dot);
}

void AppendLines(std::string& Text, const std::string& Lines)
{
    if (Lines.empty())
        return;
    if (!Text.empty() && Text.back() != '\n' && Text.back() != '\r')
        Text += '\n';
    Text += Lines;
}

}  // namespace

std::optional<TThreadPriority> PriorityFromSetting(int Value)
{
    switch (Value) {
    case PriorityIdle:
        return tpIdle;
    case PriorityNormal:
        return tpNormal;
    case PriorityLower:
        return tpLower;
    case PriorityLowest:
        return tpLowest;
    default:
        return std::nullopt;
    }
}

std::string ShortenedFileName(const std::string& Caption)
{
    if (CodePointCount(Caption) < ShortCaptionLimit)
        return Caption;
    return Caption.substr(0, CodePointOffset(Caption, ShortCaptionHead)) + ".." +
           ExtensionOf(Caption);
}

TProgressTexts FormatProgress(const TProgressInfo& Info, int TaskCount, const std::string& Caption)
{
    TProgressTexts t;
    t.TaskIndex = Info.TaskIndex;
    // The engine reports a total of -1 when the length is unknown; no percentage then.
    t.Percent = Info.TotalDuration > 0 ? int(Info.CurrentDuration * 100 / Info.TotalDuration) : 0;
    t.RowProgress = std::to_string(t.Percent) + "%";
    const int doneSeconds = int(Info.CurrentDuration / 1000000);
    const int totalSeconds = int(Info.TotalDuration / 1000000);
    //: time converted so far and the file's length, in whole seconds
    t.Time = TrText("BatchDriver", "%n Second", nullptr, doneSeconds);
    t.Length = TrText("BatchDriver", "%n Second", nullptr, totalSeconds);
    //: size written so far, in kilobytes
    t.Size = FillText(TrText("BatchDriver", "%1 kb"), {std::to_string(Info.CurrentSize / 1000)});
    t.Progress = "[" + std::to_string(Info.TaskIndex + 1) + "/" + std::to_string(TaskCount) + "]";
    t.File = ShortenedFileName(Caption);
    return t;
}

int ConversionJobCount(const TIniFile& Settings, const TIniFile& Catalogue)
{
    if (const int chosen = StoredSimultaneous(Settings); chosen > 0)
        return chosen;
    const int formatCode = Settings.ReadInteger(SectionSettings, KeyFormatCode, FormatCodeDefault);
    return AutoJobCount(ProfileHasVideo(Settings, Catalogue, formatCode),
                        std::thread::hardware_concurrency());
}

bool NeedsFrameHook(const TlvFilesRecord& Record)
{
    if (Record.Brightness != NeutralBrightness || Record.Contrast != NeutralContrast ||
        Record.Saturation != NeutralSaturation || Record.Exposure != NeutralExposure)
        return true;
    // Any layer with content needs the hook, not only the first one: an empty first layer must
    // not hide the ones after it.
    for (const std::unique_ptr<TWmRec>& layer : Record.WaterMarks)
        if (layer && (!layer->Text.empty() || !layer->ImageFile.empty()))
            return true;
    return false;
}

// ---- the driver ----

TBatchDriver::TBatchDriver(TFFConverter& Converter, TSourceListModel& List, TBatchHost& Host)
    : FConverter(Converter), FList(List), FHost(Host)
{
}

TBatchDriver::~TBatchDriver()
{
    if (FConnected) {
        FConverter.SetOnProgress(nullptr);
        FConverter.SetOnCustomHook(nullptr);
        FConverter.SetOnPreviewBitmap(nullptr);
        FConverter.SetOnTerminate(nullptr);
    }
}

std::vector<TRunFailure> TBatchDriver::Failures() const
{
    std::lock_guard guard(FRowLock);
    return FFailures;
}

std::vector<TRunFailure> TBatchDriver::Warnings() const
{
    std::lock_guard guard(FRowLock);
    return FWarnings;
}

std::vector<TRunFailure> TBatchDriver::Passed() const
{
    std::lock_guard guard(FRowLock);
    return FPassed;
}

int TBatchDriver::PassedCount() const
{
    std::lock_guard guard(FRowLock);
    return int(FPassed.size());
}

namespace {

// "\n<file name>: <reason>" for each of the first MaxListed, then "\n... and N more.".
std::string ListedRows(const std::vector<TRunFailure>& Rows, std::size_t MaxListed)
{
    std::string text;
    for (std::size_t i = 0; i < Rows.size() && i < MaxListed; ++i)
        text += "\n" +
                FillText(TrText("BatchDriver", "%1: %2"),
                         {std::filesystem::path(Rows[i].File).filename().string(), Rows[i].Reason});
    if (Rows.size() > MaxListed)
        text +=
            "\n" + TrText("BatchDriver", "... and %n more.", nullptr, int(Rows.size() - MaxListed));
    return text;
}

}  // namespace

std::string FailureReport(const std::vector<TRunFailure>& Failures, int Total,
                          std::size_t MaxListed)
{
    if (Failures.empty())
        return {};
    std::string text;
    if (int(Failures.size()) >= Total)
        text = TrText("BatchDriver", "No file could be converted.") + "\n";
    else
        text = FillText(Total == 1 ? TrText("BatchDriver", "%1 of %n file could not be converted.",
                                            nullptr, Total)
                                   : TrText("BatchDriver", "%1 of %n files could not be converted.",
                                            nullptr, Total),
                        {std::to_string(Failures.size())}) +
               "\n";
    return text + ListedRows(Failures, MaxListed);
}

std::string WarningReport(const std::vector<TRunFailure>& Warnings, std::size_t MaxListed)
{
    if (Warnings.empty())
        return {};
    return TrText("BatchDriver", "Converted with warnings:") + "\n" +
           ListedRows(Warnings, MaxListed);
}

std::string PassedReport(int Passed)
{
    return Passed == 1 ? TrText("BatchDriver", "Nothing to convert: the output of the file "
                                               "exists or is up to date.")
                       : TrText("BatchDriver",
                                "Nothing to convert: the outputs of all %n files "
                                "exist or are up to date.",
                                nullptr, Passed);
}

void TBatchDriver::ConnectEvents()
{
    FConverter.SetOnProgress(
        [this](TCustomFFConverter&, PProgressInfo Info) { OnProgress(*Info); });
    FConverter.SetOnCustomHook([this](TCustomFFConverter&, PHookInfo Info) { OnCustomHook(*Info); });
    FConverter.SetOnPreviewBitmap(
        [this](TCustomFFConverter&, const TPreviewInfo& Info) { OnPreviewBitmap(Info); });
    FConverter.SetOnTerminate(
        [this](TCustomFFConverter&, const TTerminateInfo& Info) { OnTerminate(Info); });
    FConnected = true;
}

void TBatchDriver::MakeAlbum(TStartContext& Start) const
{
    const TLoudnessPreferences loudness = ReadLoudnessPreferences(Start.Settings);
    if (!loudness.Normalize || loudness.Album == 0)
        return;
    auto album = std::make_shared<TLoudnessAlbum>(
        loudness.Album == 2 ? TLoudnessAlbum::TGrouping::WholeBatch
                            : TLoudnessAlbum::TGrouping::ByTags,
        ChosenTarget(loudness).value_or(LoudnessTargets[1]), loudness.Ceiling, loudness.FromTags,
        loudness.TrimSilence || loudness.FadeOut > 0);
    // Every checked row is listed now, before any task runs: the first tasks measure them all.
    Start.AlbumMembers.assign(size_t(FList.RowCount()), -1);
    for (int row = 0; row < FList.RowCount(); ++row) {
        if (!FList.Checked(row))
            continue;
        const TlvFilesRecord& record = FList.Record(row);
        TAudioSource source;
        source.Url = FileNameToURL(FList.Caption(row));
        const TSourceRange range = RowRange(record);
        source.InputStart = range.Start;
        if (range.Length != NoMediaTime)
            source.RecordingTime = range.Length;
        Start.AlbumMembers[size_t(row)] = album->AddMember(std::move(source));
    }
    Start.Album = std::move(album);
}

bool TBatchDriver::Begin(TIniFile& Settings, const TIniFile& Catalogue,
                         std::string ExtraOutputOptions, std::string& Error)
{
    if (const auto priority =
            PriorityFromSetting(Settings.ReadInteger(SectionSettings, KeyPriority, PriorityNormal)))
        FConverter.SetThreadPriority(*priority);
    FStart.reset();
    FCheckedTotal = FList.CheckedCount();
    if (FCheckedTotal == 0)
        return true;

    {
        std::lock_guard guard(FTaskLock);
        FCheckedRows.clear();
        FDestinations.clear();
        FCheckedRows.reserve(size_t(FCheckedTotal));
        FDestinations.reserve(size_t(FCheckedTotal));
    }
    {
        std::lock_guard guard(FRowLock);
        FFailures.clear();
        FWarnings.clear();
        FPassed.clear();
        FPlannedTasks = FCheckedTotal;
        FSkipped = 0;
        // Every checked row counts from the start; a skipped one counts as done.
        FBatch.Begin(FCheckedTotal, TBatchProgress::TClock::now());
        FAnyStopped = false;
        FAnyFinished = false;
    }
    FPictures = std::make_unique<TLayerPictures>();
    try {
        FConverter.ClearTasks();
    } catch (const std::exception& e) {
        Error = e.what();
        return false;
    }
    auto start = std::make_unique<TStartContext>(Settings, Catalogue);
    MakeAlbum(*start);
    start->ExtraOutputOptions = std::move(ExtraOutputOptions);
    start->FormatCode = Settings.ReadInteger(SectionSettings, KeyFormatCode, FormatCodeDefault);
    start->Suffix = "." + CatalogueFileExt(Catalogue, start->FormatCode);
    start->Zoom = Settings.ReadString(FormatInfoSection(start->FormatCode), KeyParaZoom,
                                      JobDefaults::ParaZoom);
    FAudioProfile = !ProfileHasVideo(Settings, Catalogue, start->FormatCode);
    start->Analysis = FAudioProfile ? TAVProbe::TVideoAnalysis::HeaderOnly
                                    : TAVProbe::TVideoAnalysis::Decode;
    start->Naming = ReadOutputNaming(Settings, FAudioProfile);
    start->TrackRule = ReadTrackRule(Settings);
    FStart = std::move(start);
    return true;
}

void TBatchDriver::DropTasks()
{
    FConverter.Probe().Close();
    try {
        FConverter.ClearTasks();
    } catch (const std::exception&) {
        // Only a running batch refuses, and no run has been started.
    }
    std::lock_guard guard(FTaskLock);
    FCheckedRows.clear();
    FDestinations.clear();
}

void TBatchDriver::SkipRow(int Row, std::string Reason, TBuildResult* Result)
{
    {
        std::lock_guard guard(FRowLock);
        FList.SetProgressError(Row, Reason);
        FFailures.push_back({Row, FList.Caption(Row), Reason});
        FBatch.Skipped();
        --FPlannedTasks;
        ++FSkipped;
    }
    if (Result != nullptr) {
        Result->SkippedRows.emplace_back(Row, std::move(Reason));
        ++Result->Skipped;
    }
}

void TBatchDriver::PassRow(int Row, std::string Reason, TBuildResult* Result)
{
    {
        std::lock_guard guard(FRowLock);
        FList.SetProgressSkipped(Row, Reason);
        FPassed.push_back({Row, FList.Caption(Row), std::move(Reason)});
        FBatch.Skipped();
        --FPlannedTasks;
    }
    if (Result != nullptr)
        ++Result->Passed;
    FHost.RowPassed(Row, FList.ProgressSkipped(Row));
}

TBatchDriver::TRowOutcome TBatchDriver::ChooseDestination(int Row, std::string& Destination,
                                                          bool& Replace, std::string& Error,
                                                          TBuildResult* Result,
                                                          const TAudioTrack* Track, bool OwnFile,
                                                          std::string* Passed)
{
    TStartContext& start = *FStart;
    const TlvFilesRecord& record = FList.Record(Row);
    const std::string& source = FList.Caption(Row);
    const std::string folder = FList.OutputFolderFor(start.Settings, FHost);
    if (folder.empty()) {
        const std::string tried =
            start.Settings.ReadString(SectionSettings, KeyOutPutDir, DefaultOutputFolder());
        Error = FillText(TasksBuilt() == 0
                             ? TrText("BatchDriver", "No output folder can be created (tried "
                                                     "\"%1\" and \"%2\"): nothing was converted.")
                             : TrText("BatchDriver",
                                      "No output folder can be created (tried \"%1\" and "
                                      "\"%2\"): the files not started yet were not converted."),
                         {tried, DefaultOutputFolder()});
        return TRowOutcome::Stop;
    }
    const TNameTags pieceTags = SegmentNameTags(record.NameTags, record.Segment);
    const TNameTags tags = Track ? WithTrackFields(pieceTags, *Track) : pieceTags;
    const std::string planned =
        PlannedOutput(folder, NamingSource(source, record.Segment, start.Naming.Layout),
                      record.Root, tags, start.Suffix, start.Naming);
    const bool tail = Track && OwnFile &&
                      !(start.Naming.Layout == TOutputLayout::Tags &&
                        TemplateNamesTracks(start.Naming.Template));
    TOutputChoice choice = ChooseOutput(planned, source, start.Naming, start.Reserved,
                                        tail ? TrackNameTail(*Track) : std::string());
    if (choice.Skipped && Passed != nullptr) {
        *Passed = choice.Reason;
        return TRowOutcome::Skipped;
    }
    if (choice.Skipped) {
        PassRow(Row, choice.Reason, Result);
        return TRowOutcome::Skipped;
    }
    if (choice.Name.empty()) {
        SkipRow(Row, choice.Error, Result);
        return TRowOutcome::Skipped;
    }
    const std::string outputFolder = std::filesystem::path(choice.Name).parent_path().string();
    if (start.Naming.Layout != TOutputLayout::Flat) {
        std::error_code ec;
        std::filesystem::create_directories(outputFolder, ec);
        if (ec) {
            SkipRow(Row,
                    FillText(TrText("BatchDriver", "cannot create the folder %1: %2"),
                             {outputFolder, ec.message()}),
                    Result);
            return TRowOutcome::Skipped;
        }
        const std::string sourceFolder = std::filesystem::path(source).parent_path().string();
        if (start.Naming.FolderPictures &&
            start.Pictured.insert({sourceFolder, outputFolder}).second) {
            // A picture that cannot be copied does not keep the music from converting.
            std::string pictureError;
            CopyFolderPictures(sourceFolder, outputFolder, pictureError);
        }
    }
    // Temporaries that killed runs left in the folder go once per Start (those of runs still
    // going are locked and stay).
    if (start.Swept.insert(outputFolder).second)
        RemoveLeftovers(outputFolder);
    Destination = std::move(choice.Name);
    Replace = choice.Replace;
    return TRowOutcome::Task;
}

TBatchDriver::TRowOutcome TBatchDriver::BuildRow(int Row, std::string& Error, TBuildResult* Result)
{
    TStartContext& start = *FStart;
    TIniFile& settings = start.Settings;
    TlvFilesRecord& record = FList.Record(Row);
    TAVProbe& probe = FConverter.Probe();

    if (!record.SegmentError.empty()) {
        SkipRow(Row, record.SegmentError, Result);
        return TRowOutcome::Skipped;
    }
    TInputOptions input;
    ResetInputOptions(input);
    input.FileName = FList.Caption(Row);
    // The "exists" rule is decided before the file is opened (a stat, no probe), unless the
    // name is made of tags not read yet.
    const bool tagsFirst = start.Naming.Layout == TOutputLayout::Tags && !record.TagsRead;
    // So is a name that tells the audio track, or one name per track.
    const bool tracksFirst =
        (start.TrackRule.Kind == TTrackRule::All && record.AudioTrack < 1) ||
        (start.Naming.Layout == TOutputLayout::Tags && TemplateNamesTracks(start.Naming.Template));
    std::string destination;
    bool replace = false;
    if (!tagsFirst && !tracksFirst) {
        if (const TRowOutcome chosen = ChooseDestination(Row, destination, replace, Error, Result);
            chosen != TRowOutcome::Task)
            return chosen;
    }
    bool opened = false;
    try {
        opened = probe.Open(input.FileName, "", start.Analysis);
    } catch (const std::exception& e) {
        Error = e.what();
        return TRowOutcome::Stop;
    }
    if (!opened) {
        SkipRow(Row, probe.LastError(), Result);
        return TRowOutcome::Skipped;
    }
    input.FileFormat = probe.FormatName();
    if (record.TrimStart >= 0)
        input.StartTime = record.TrimStart;
    const std::vector<TAudioTrack> tracks = probe.AudioTracks();
    const TTrackPick pick = ChooseTracks(start.TrackRule, record.AudioTrack, tracks);
    if (!pick.Error.empty()) {
        probe.Close();
        SkipRow(Row, pick.Error, Result);
        return TRowOutcome::Skipped;
    }
    if (tagsFirst) {
        record.NameTags = ReadNameTags(probe.FormatContext());
        record.TagsRead = true;
    }
    if ((tagsFirst || tracksFirst) && !pick.EachOwnFile()) {
        if (const TRowOutcome chosen =
                ChooseDestination(Row, destination, replace, Error, Result,
                                  pick.Tracks.empty() ? nullptr : &pick.Tracks.front());
            chosen != TRowOutcome::Task) {
            probe.Close();
            return chosen;
        }
    }
    record.ZoomMode = start.Zoom;

    TOutputOptions output;
    ResetOutputOptions(output);
    // A file of several audio tracks converts the chosen one (the engine's own choice is the
    // longest).
    if (tracks.size() > 1 && !pick.Tracks.empty())
        output.AudioStream = pick.Tracks.front().StreamIndex;
    output.FileName = destination;
    if (record.CropTop > 0 || record.CropBottom > 0 || record.CropLeft > 0 ||
        record.CropRight > 0) {
        output.CropTop = record.CropTop;
        output.CropBottom = record.CropBottom;
        output.CropLeft = record.CropLeft;
        output.CropRight = record.CropRight;
    }
    // The job builder also bounds the output to TrimLength.
    try {
        BuildJobOptions(record, start.FormatCode, output, input, probe, settings, start.Catalogue,
                        FHost);
    } catch (const std::exception& e) {
        probe.Close();
        Error = e.what();
        return TRowOutcome::Stop;
    }
    ApplySegment(record, input, output);
    AppendLines(output.ExtOptions, start.ExtraOutputOptions);
    output.Hook = NeedsFrameHook(record);
    if (start.Album) {
        output.Album = start.Album;
        output.AlbumMember = start.AlbumMembers.at(size_t(Row));
    }
    output.ReplaceExisting = replace;
    // Each track a file of its own: the outputs differ in their track and name alone.
    std::vector<TFFConverter::TMoreOutput> more;
    if (pick.EachOwnFile()) {
        if (const TRowOutcome chosen =
                ChooseTrackOutputs(Row, pick, destination, output, more, Error, Result);
            chosen != TRowOutcome::Task) {
            probe.Close();
            return chosen;
        }
    }

    // The task opens the file itself; the component's probe is done with it.
    probe.Close();
    if (start.Deferred) {
        // The task's row is known before it is queued: in a run under way it may start, and
        // even end, before QueueTask returns.
        {
            std::lock_guard guard(FTaskLock);
            FCheckedRows.push_back(Row);
            FDestinations.push_back(destination);
        }
        // Nothing is opened until the task's turn: a row costs its probe and the job builder.
        try {
            FConverter.QueueTask(input.FileName, &input, destination, &output, more);
        } catch (const std::exception& e) {
            std::lock_guard guard(FTaskLock);
            FCheckedRows.pop_back();
            FDestinations.pop_back();
            Error = e.what();
            return TRowOutcome::Stop;
        }
        return TRowOutcome::Task;
    } else {
        int task = -1;
        try {
            task = FConverter.AddTask(input.FileName, &input);
        } catch (const std::exception& e) {
            Error = e.what();
            return TRowOutcome::Stop;
        }
        if (task < 0) {
            SkipRow(Row, FConverter.LastError(), Result);
            return TRowOutcome::Skipped;
        }
        bool added = false;
        try {
            added = FConverter.SetOutputFile(task, destination, &output);
            for (size_t i = 0; added && i < more.size(); ++i)
                added = FConverter.SetOutputFile(task, more[i].FileName, &more[i].Options);
        } catch (const std::exception& e) {
            Error = e.what();
            return TRowOutcome::Stop;
        }
        if (!added) {
            // The engine refused this file's output (a target that needs a video frame rate on
            // a file without video, say): the other files still convert.
            const std::string reason = FConverter.LastError();
            FConverter.RemoveTask(task);
            SkipRow(Row, reason, Result);
            return TRowOutcome::Skipped;
        }
    }
    std::lock_guard guard(FTaskLock);
    FCheckedRows.push_back(Row);
    FDestinations.push_back(destination);
    return TRowOutcome::Task;
}

TBatchDriver::TBuildResult TBatchDriver::BuildTasks(TIniFile& Settings, const TIniFile& Catalogue,
                                                    const std::string& ExtraOutputOptions,
                                                    const TSourceListModel::TStepProgress& Progress)
{
    TBuildResult result;
    // Everything that ends Start early goes through here: no half-built run is left behind.
    auto stop = [&](std::string Error) {
        DropTasks();
        FStart.reset();
        result.Tasks = 0;
        result.Stopped = true;
        result.Error = std::move(Error);
        return result;
    };
    if (std::string error; !Begin(Settings, Catalogue, ExtraOutputOptions, error))
        return stop(std::move(error));
    if (!FStart)
        return result;

    const int checked = FCheckedTotal;
    int done = 0;
    for (int row = 0; row < FList.RowCount(); ++row) {
        if (!FList.Checked(row))
            continue;
        if (Progress && !Progress(done++, checked)) {
            stop({});
            result.Stopped = false;
            result.Cancelled = true;
            return result;
        }
        std::string error;
        if (BuildRow(row, error, &result) == TRowOutcome::Stop)
            return stop(std::move(error));
    }
    FStart.reset();
    result.Tasks = TasksBuilt();
    {
        std::lock_guard guard(FRowLock);
        // The run's clock starts now; the skipped rows count as done.
        FBatch.Begin(checked, TBatchProgress::TClock::now());
        for (int i = 0; i < result.Skipped; ++i)
            FBatch.Skipped();
    }
    return result;
}

TBatchDriver::TBuildResult TBatchDriver::BeginTasks(TIniFile& Settings, const TIniFile& Catalogue,
                                                    const std::string& ExtraOutputOptions)
{
    TBuildResult result;
    if (std::string error; !Begin(Settings, Catalogue, ExtraOutputOptions, error)) {
        DropTasks();
        FStart.reset();
        result.Stopped = true;
        result.Error = std::move(error);
        return result;
    }
    if (FStart)
        FStart->Deferred = true;
    return result;
}

TBatchDriver::TBuildStep TBatchDriver::BuildMore(std::chrono::milliseconds Budget, int MaxWaiting)
{
    if (!FStart || FStart->Finished)
        return {};
    TStartContext& start = *FStart;
    if (start.Busy)
        return {TBuildStatus::More, {}};
    start.Busy = true;
    struct TNotBusy {
        TStartContext& S;
        ~TNotBusy() { S.Busy = false; }
    } notBusy{start};

    const auto began = std::chrono::steady_clock::now();
    bool built = false;
    for (;;) {
        // Cancel or a stop closed the run, or its end came (from a message box of this step).
        if (start.Finished || (start.RunStarted && !FConverter.AcceptsTasks())) {
            start.Finished = true;
            return {};
        }
        while (start.NextRow < FList.RowCount() && !FList.Checked(start.NextRow))
            ++start.NextRow;
        if (start.NextRow >= FList.RowCount()) {
            start.Finished = true;
            if (start.RunStarted)
                FConverter.CloseRun();
            return {};
        }
        if (FConverter.WaitingTaskCount() >= MaxWaiting)
            return {TBuildStatus::Waiting, {}};
        if (built && std::chrono::steady_clock::now() - began >= Budget)
            return {TBuildStatus::More, {}};
        std::string error;
        const int row = start.NextRow++;
        built = true;
        if (BuildRow(row, error, nullptr) == TRowOutcome::Stop) {
            start.Finished = true;
            if (start.RunStarted) {
                // The files under way end stopped; the run's end closes the progress window.
                FConverter.StopTasks(false);
            } else {
                DropTasks();
            }
            return {TBuildStatus::Stopped, std::move(error)};
        }
    }
}

void TBatchDriver::StartRun(int Jobs)
{
    const bool more = !AllBuilt();
    if (FStart)
        FStart->RunStarted = true;
    FConverter.StartTask(Jobs, more);
}

void TBatchDriver::CancelTasks()
{
    if (!FStart || FStart->RunStarted)
        return;
    DropTasks();
    FStart.reset();
}

bool TBatchDriver::AllBuilt() const
{
    if (!FStart)
        return true;
    for (int row = FStart->NextRow; row < FList.RowCount(); ++row)
        if (FList.Checked(row))
            return false;
    return true;
}

std::string TBatchDriver::Destination(int Task) const
{
    std::lock_guard guard(FTaskLock);
    return FDestinations[size_t(Task)];
}

int TBatchDriver::TasksBuilt() const
{
    std::lock_guard guard(FTaskLock);
    return int(FCheckedRows.size());
}

int TBatchDriver::SkippedCount() const
{
    std::lock_guard guard(FRowLock);
    return FSkipped;
}

int TBatchDriver::RowOf(int Task) const
{
    return RowOfTask(Task);
}

int TBatchDriver::RowOfTask(int TaskIndex) const
{
    std::lock_guard guard(FTaskLock);
    if (TaskIndex < 0 || size_t(TaskIndex) >= FCheckedRows.size())
        return -1;
    return FCheckedRows[size_t(TaskIndex)];
}

void TBatchDriver::OnProgress(const TProgressInfo& Info)
{
    const int row = RowOfTask(Info.TaskIndex);
    if (row < 0)
        return;
    TProgressTexts texts;
    TBatchView batch;
    {
        std::lock_guard guard(FRowLock);
        texts = FormatProgress(Info, FPlannedTasks, FList.Caption(row));
        FList.SetSubItem(row, colProgress, texts.RowProgress);
        // A running file's line names the file itself: with several at once, the start of a
        // long folder would show the same text on every line.
        FBatch.Report(Info.TaskIndex,
                      ShortenedFileName(std::filesystem::path(FList.Caption(row)).filename().string()),
                      texts.Percent);
        batch = FBatch.View(TBatchProgress::TClock::now());
    }
    FHost.ShowProgress(texts);
    FHost.ShowBatch(batch);
}

void TBatchDriver::OnCustomHook(THookInfo& Info)
{
    const int row = RowOfTask(Info.TaskIndex);
    if (row < 0 || Info.Bitmap == nullptr || !FPictures)
        return;
    // The component holds the frame's canvas around this event.
    ApplyFrameEffectsLocked(*Info.Bitmap, FList.Record(row), Info.PTS, *FPictures);
    Info.Update = true;
    Info.StopHook = false;
}

void TBatchDriver::OnPreviewBitmap(const TPreviewInfo& Info)
{
    const TBitmap24* source = Info.Bitmap;
    if (source == nullptr || source->Width() <= 0 || source->Height() <= 0)
        return;
    std::lock_guard guard(FPreviewLock);
    FPreviewFrame.SetSize(source->Width(), source->Height());
    std::memcpy(FPreviewFrame.Bits(), source->Bits(),
                size_t(source->ScanlineSize()) * size_t(source->Height()));
}

bool TBatchDriver::CopyPreviewFrame(TBitmap24& Target) const
{
    std::lock_guard guard(FPreviewLock);
    if (FPreviewFrame.Width() <= 0 || FPreviewFrame.Height() <= 0)
        return false;
    Target.SetSize(FPreviewFrame.Width(), FPreviewFrame.Height());
    std::memcpy(Target.Bits(), FPreviewFrame.Bits(),
                size_t(FPreviewFrame.ScanlineSize()) * size_t(FPreviewFrame.Height()));
    return true;
}

namespace {

// A failed task's reason as the row, the failure report and the command line say it: the
// engine's text, or for a source without anything the profile takes (the engine's "does not
// contain any stream") a person's words.
std::string FailureReason(const std::string& EngineText, bool AudioProfile)
{
    if (EngineText.empty())
        return TrText("BatchDriver", "the conversion failed");
    if (EngineText.find("does not contain any stream") != std::string::npos)
        return AudioProfile ? TrText("BatchDriver", "has no sound to convert")
                            : TrText("BatchDriver", "has no picture or sound to convert");
    return EngineText;
}

}  // namespace

void TBatchDriver::OnTerminate(const TTerminateInfo& Info)
{
    if (Info.TaskIndex < 0) {
        bool completed = false;
        {
            std::lock_guard guard(FRowLock);
            completed = FAnyFinished && !FAnyStopped;
        }
        // A run ended while rows were still to be built (Cancel) did not convert them all.
        completed = completed && AllBuilt();
        if (FStart)
            FStart->Finished = true;
        // Once, after the last file, however the tasks' ends interleaved.
        if (completed) {
            if (FHost.OpenFolderAfterConversion())
                FHost.OpenOutputFolder();
            if (FHost.ShutDownAfterConversion())
                FHost.ShutDownComputer();
        }
        try {
            FConverter.ClearTasks();
        } catch (const std::exception&) {
            // The final notification allows clearing; nothing else can refuse here.
        }
        FHost.RunEnded();
        return;
    }
    const int row = RowOfTask(Info.TaskIndex);
    if (Info.Finished && row >= 0) {
        if (!Info.OutputFile.empty()) {
            std::lock_guard guard(FTaskLock);
            FDestinations[size_t(Info.TaskIndex)] = Info.OutputFile;
        }
        {
            std::lock_guard guard(FRowLock);
            std::string notes;
            for (const std::string& note : Info.Notes)
                notes += (notes.empty() ? "" : "; ") + note;
            if (Info.Warnings.empty()) {
                FList.SetProgressNote(row, notes);
            } else {
                std::string text;
                for (const std::string& warning : Info.Warnings)
                    text += (text.empty() ? "" : "; ") + warning;
                FList.SetProgressWarning(row, notes.empty() ? text : text + "; " + notes);
                FWarnings.push_back({row, FList.Caption(row), std::move(text)});
            }
            // The name the file got: another one than planned when that was taken meanwhile.
            if (!Info.OutputFile.empty()) {
                // A file converted track by track names its first output and the count.
                const size_t more = Info.OutputFiles.size() > 1 ? Info.OutputFiles.size() - 1 : 0;
                FList.SetSubItem(row, colDestination,
                                 std::filesystem::path(Info.OutputFile).filename().string() +
                                     (more > 0 ? " (+" + std::to_string(more) + ")" : ""));
                FList.Record(row).DstFile = Info.OutputFile;
            }
        }
        FHost.ShowProgressBar(100);
    } else if (Info.Exception && row >= 0) {
        // The engine removed what the task wrote: nothing unfinished ever has a final name.
        // The engine's own words stay in the log; the row and the host get the reason.
        TTerminateInfo said = Info;
        said.ExceptionMsg = FailureReason(Info.ExceptionMsg, FAudioProfile);
        {
            std::lock_guard guard(FRowLock);
            FList.SetProgressError(row, said.ExceptionMsg);
            FFailures.push_back({row, FList.Caption(row), said.ExceptionMsg});
        }
        EndTask(said);
        return;
    }
    EndTask(Info);
}

void TBatchDriver::EndTask(const TTerminateInfo& Info)
{
    TBatchView batch;
    {
        std::lock_guard guard(FRowLock);
        if (Info.Finished)
            FAnyFinished = true;
        else if (!Info.Exception)
            FAnyStopped = true;
        FBatch.Ended(Info.TaskIndex);
        batch = FBatch.View(TBatchProgress::TClock::now());
    }
    FHost.TaskEnded(Info);
    FHost.ShowBatch(batch);
}

}  // namespace zelta
