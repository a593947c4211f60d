#include "app/BatchProgress.h"
#include "app/Translation.h"

#include <algorithm>
#include <cstdio>

namespace zelta {

std::string ClockText(int64_t Seconds)
{
    if (Seconds < 0)
        Seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2lld:%.2lld:%.2lld", static_cast<long long>(Seconds / 3600),
                  static_cast<long long>(Seconds / 60 % 60), static_cast<long long>(Seconds % 60));
    return text;
}

void TBatchProgress::Begin(int Total, TClock::time_point Now)
{
    Running_.clear();
    Total_ = std::max(Total, 0);
    Ended_.assign(size_t(Total_), false);
    Done_ = 0;
    Start_ = Now;
}

void TBatchProgress::Report(int TaskIndex, const std::string& File, int Percent)
{
    if (TaskIndex < 0 || TaskIndex >= Total_ || Ended_[size_t(TaskIndex)])
        return;
    Percent = std::clamp(Percent, 0, 100);
    for (TRunningFile& f : Running_)
        if (f.TaskIndex == TaskIndex) {
            f.Percent = Percent;
            f.File = File;
            return;
        }
    Running_.push_back({TaskIndex, File, Percent});
}

void TBatchProgress::Ended(int TaskIndex)
{
    if (TaskIndex < 0 || TaskIndex >= Total_ || Ended_[size_t(TaskIndex)])
        return;
    Ended_[size_t(TaskIndex)] = true;
    ++Done_;
    std::erase_if(Running_, [TaskIndex](const TRunningFile& f) { return f.TaskIndex == TaskIndex; });
}

void TBatchProgress::Skipped()
{
    if (Done_ < Total_)
        ++Done_;
}

TBatchView TBatchProgress::View(TClock::time_point Now) const
{
    TBatchView v;
    v.Running = Running_;
    v.Done = Done_;
    v.Total = Total_;
    // In hundredths of a file, so running files count by their share.
    int64_t hundredths = int64_t(Done_) * 100;
    for (const TRunningFile& f : Running_)
        hundredths += f.Percent;
    v.Percent = Total_ > 0 ? int(std::min<int64_t>(hundredths / Total_, 100)) : 0;
    //: files done of the batch's count
    v.Files = FillText(Total_ == 1 ? TrText("BatchProgress", "%1 of %n file", nullptr, Total_)
                                   : TrText("BatchProgress", "%1 of %n files", nullptr, Total_),
                       {std::to_string(Done_)});
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Now - Start_);
    v.Elapsed = ClockText(elapsed.count() / 1000);
    if (hundredths > 0 && Total_ > 0) {
        const int64_t all = int64_t(Total_) * 100;
        const int64_t left = elapsed.count() * (all - hundredths) / hundredths;
        v.Remaining = ClockText((left + 999) / 1000);
    }
    return v;
}

}  // namespace zelta
