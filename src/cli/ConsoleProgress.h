// What zelta-convert shows while it works, and its account of how each file ended.
//
// On a terminal one line rewrites itself: files done of all, the batch's percentage, the files
// being converted with theirs, the time since the start and the time left; a failure is printed
// above it as it happens. Elsewhere (a log file, a pipe) every file gets its own line when it
// ends ("[12/200] SOURCE -> OUTPUT: done", "... skipped: the output exists", "... failed: WHY")
// and a running file one at each quarter.
//
// The batch driver calls in from the component's threads (progress from the workers, ends from
// its delivery thread) and from the main thread while building; everything is guarded by one
// lock. Questions are answered "yes" and messages printed, as there is nobody to ask.
#pragma once

#include "app/BatchDriver.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TStopSignals;

namespace zelta {

// How one row ended.
struct TRowEnd {
    enum TKind { Open, Converted, Passed, Failed, Stopped } Kind = Open;
    std::string Text;                  // the output (Converted), the reason (otherwise)
    std::vector<std::string> Warnings; // of a converted file
};

// Whether Reason is the libraries' text of an operation given up on a stop ("... Immediate exit
// requested"): a file that ends so after a stop signal was stopped, not failed.
bool EndedByStop(const std::string& Reason);

class TConsoleHost final : public TBatchHost {
public:
    explicit TConsoleHost(bool Terminal);

    // Whether a stop signal came (a stopped task is then named "stopped").
    void SetSignals(const TStopSignals* Signals) { FSignals = Signals; }
    // The list and driver of the run: task ends are matched to their rows through them. Rows is
    // how many files the run has.
    void Begin(const TSourceListModel& List, const TBatchDriver& Driver);

    void ShowMessage(std::string_view Caption, std::string_view Text) override;
    bool AskYesNo(std::string_view Caption, std::string_view Text) override;
    void ShowProgress(const TProgressTexts& Texts) override;
    void ShowBatch(const TBatchView& View) override;
    void TaskEnded(const TTerminateInfo& Info) override;
    void RowPassed(int Row, const std::string& Reason) override;
    void RunEnded() override;

    // Waits up to Timeout for something to end (a task, the run).
    void WaitForChange(std::chrono::milliseconds Timeout);
    // Waits for the end of the run; Interrupt is called once when a stop signal arrives.
    void WaitForRunEnd(const std::function<void()>& Interrupt);
    bool RunHasEnded() const;

    std::vector<TRowEnd> Ends() const;
    // A line of text above the progress line.
    void Print(const std::string& Line);
    // The report of a run given up on (a second signal, or a stop that did not end in time):
    // the rows that had not ended are named, and Files (the files given, while there are no
    // rows yet), then the summary: converted of Total.
    void ReportGivingUp(const std::vector<std::string>& Files, size_t Total);

private:
    bool Interrupted() const;
    void ClearLine();
    void DrawLine(const TBatchView& View);
    // "[12/200] " for a file that has just ended.
    std::string Counter();

    const bool FTerminal;
    const TStopSignals* FSignals = nullptr;
    const TSourceListModel* FList = nullptr;
    const TBatchDriver* FDriver = nullptr;
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    std::vector<TRowEnd> FEnds;      // by row
    std::vector<int> FPlainStep;     // by row: the quarters printed
    int FEnded = 0;
    bool FLineShown = false;
    bool FRunEnded = false;
    std::chrono::steady_clock::time_point FLastDraw{};
};

}  // namespace zelta
