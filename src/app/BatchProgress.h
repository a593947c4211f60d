// The account of a whole batch run for the progress window: which files are being converted
// now with their own percentages, how many of all have ended, the batch's percentage, the time
// since the run began and an estimate of the time left. Several files run at once, so the
// figures of one progress report no longer describe the run.
//
// Thread: not locked; the batch driver calls it under its row lock.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace zelta {

struct TRunningFile {
    int TaskIndex = 0;
    std::string File;   // the source's file name as the progress window shows it (shortened)
    int Percent = 0;
    bool operator==(const TRunningFile&) const = default;
};

struct TBatchView {
    std::vector<TRunningFile> Running; // in the order they started
    int Done = 0;                      // tasks ended, however they ended
    int Total = 0;
    int Percent = 0;                   // ended files count whole, running ones by their share
    std::string Files;                 // "3 of 20 files"
    std::string Elapsed;               // "00:00:12"
    std::string Remaining;             // "00:01:05"; empty until something has been done
};

class TBatchProgress {
public:
    using TClock = std::chrono::steady_clock;

    void Begin(int Total, TClock::time_point Now);
    // A report of a running task: it shows (or stays) among the running files.
    void Report(int TaskIndex, const std::string& File, int Percent);
    // The task has ended: it leaves the running files and counts as done (once).
    void Ended(int TaskIndex);
    // A file of the batch that got no task (it could not be opened): done at once.
    void Skipped();
    TBatchView View(TClock::time_point Now) const;

private:
    std::vector<TRunningFile> Running_;
    std::vector<bool> Ended_;
    int Done_ = 0;
    int Total_ = 0;
    TClock::time_point Start_{};
};

// Whole seconds as "hh:mm:ss".
std::string ClockText(int64_t Seconds);

}  // namespace zelta
