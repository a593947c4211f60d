// What the run of a conversion task works on: the option state, the libraries' generic option
// contexts and the session tables (opened inputs, created outputs). The option layer and the
// session fill it on the configuring thread; the stream mapping, the transcoding loop and the
// output functions read and use it on the thread of the run. It knows nothing of how a task is
// run or controlled.
#pragma once

#include "engine/OptionState.h"
#include "engine/SessionTypes.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct AVFormatContext;
class TOptionContexts; // the libraries' generic option contexts (GenericOptions.h)

class TSessionState {
public:
    // LogSender: who the run's log lines are from (the task).
    explicit TSessionState(const void* LogSender);
    ~TSessionState();
    TSessionState(const TSessionState&) = delete;
    TSessionState& operator=(const TSessionState&) = delete;

    TOptionState& Options() { return Options_; }
    const TOptionState& Options() const { return Options_; }
    // The generic option contexts; made on first use and again after FreeContexts.
    TOptionContexts& OptionContexts();

    int InputFileCount() const;
    // The number of output file entries (in join mode one per input).
    int OutputFileCount() const;
    // An opened input's container (null outside 0..InputFileCount()-1).
    AVFormatContext* InputFile(int Index) const;

    // The session tables for the run (SessionTypes.h).
    std::vector<TInputFileEntry>& InputEntries() { return InputEntries_; }
    const std::vector<TInputFileEntry>& InputEntries() const { return InputEntries_; }
    std::vector<TOutputFileEntry>& OutputEntries() { return OutputEntries_; }
    const std::vector<TOutputFileEntry>& OutputEntries() const { return OutputEntries_; }
    bool JoinMode() const { return JoinMode_; }
    // The reason of the last refused step.
    std::string& LastErrMsg() { return LastErrMsg_; }
    const std::string& LastErrMsg() const { return LastErrMsg_; }

    const void* LogSender() const { return LogSender_; }

    // Gives every finished output file its name (TSafeFile::Publish; unless the output was asked
    // to replace what has its name ("replace_existing"), never replacing: a name
    // taken meanwhile gets the next free number); a file that received nothing is removed
    // instead. Raises FFmpegException naming the file and the reason when one cannot be put in
    // place (its temporary then goes with the session). Run thread, after a finished run.
    void PublishOutputs();
    // The names the last PublishOutputs gave, in output order; they may differ from the planned
    // names. Read once the run has ended.
    const std::vector<std::string>& WrittenFiles() const { return WrittenFiles_; }

    // What a run that went through has to tell besides: an output shorter than its source
    // announced, loudness tags that could not be written. Each is logged at llWarning when
    // added. Any thread; ClearWarnings before a task is set up again.
    void AddWarning(std::string Text);
    std::vector<std::string> Warnings() const;
    // ... and the warnings' quieter kin, what it did that is worth a line: the loudness
    // measured and the gain applied, the silence trimmed. Logged at llInfo when added;
    // ClearWarnings clears them too.
    void AddNote(std::string Text);
    std::vector<std::string> Notes() const;
    void ClearWarnings();

    int64_t TotalDuration = -1;

protected:
    TOptionState Options_;
    std::unique_ptr<TOptionContexts> Contexts_;
    std::vector<TInputFileEntry> InputEntries_;
    std::vector<TOutputFileEntry> OutputEntries_;
    std::string LastErrMsg_;
    bool JoinMode_ = false;
    std::vector<std::string> WrittenFiles_;

private:
    const void* LogSender_;
    mutable std::mutex WarningLock_; // guards Warnings_ and Notes_
    std::vector<std::string> Warnings_;
    std::vector<std::string> Notes_;
};
