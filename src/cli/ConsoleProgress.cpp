#include "cli/ConsoleProgress.h"

#include "app/LibraryWalker.h"
#include "app/Translation.h"
#include "cli/StopSignals.h"
#include "component/FFConverter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <sys/ioctl.h>
#include <unistd.h>

extern "C" {
#include <libavutil/error.h>
}

namespace zelta {

namespace {

// The line is redrawn at most this often (a report comes with every progress event of every
// running file).
constexpr std::chrono::milliseconds RedrawEvery{100};

std::string FileNameOf(const std::string& Path)
{
    return std::filesystem::path(Path).filename().string();
}

int TerminalWidth()
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20)
        return size.ws_col;
    return 100;
}

// Text cut to Width characters (UTF-8 code points), "..." at the end when cut.
std::string Fitted(const std::string& Text, size_t Width)
{
    size_t chars = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if ((static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80)
            continue;
        if (++chars > Width) {
            size_t cut = i;
            // Room for "...": back three characters.
            for (int back = 0; back < 3 && cut > 0;) {
                --cut;
                if ((static_cast<unsigned char>(Text[cut]) & 0xC0) != 0x80)
                    ++back;
            }
            return Text.substr(0, cut) + "...";
        }
    }
    return Text;
}

}  // namespace

bool EndedByStop(const std::string& Reason)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(AVERROR_EXIT, text, sizeof text);
    const std::string_view stop(text);
    return Reason.size() >= stop.size() &&
           Reason.compare(Reason.size() - stop.size(), stop.size(), stop) == 0;
}

TConsoleHost::TConsoleHost(bool Terminal) : FTerminal(Terminal) {}

void TConsoleHost::Begin(const TSourceListModel& List, const TBatchDriver& Driver)
{
    std::lock_guard guard(FLock);
    FList = &List;
    FDriver = &Driver;
    FEnds.assign(size_t(List.RowCount()), TRowEnd{});
    FPlainStep.assign(size_t(List.RowCount()), 0);
    FEnded = 0;
    FRunEnded = false;
}

bool TConsoleHost::Interrupted() const
{
    return FSignals != nullptr && FSignals->Interrupted();
}

void TConsoleHost::ShowMessage(std::string_view Caption, std::string_view Text)
{
    std::lock_guard guard(FLock);
    ClearLine();
    const std::string caption = TrText("UserPrompts", std::string(Caption).c_str());
    std::fprintf(stderr, "%s: %.*s\n", caption.c_str(), int(Text.size()), Text.data());
}

bool TConsoleHost::AskYesNo(std::string_view Caption, std::string_view Text)
{
    std::lock_guard guard(FLock);
    ClearLine();
    //: the answer the command line gives itself to a yes/no question, printed after it
    const std::string yes = TrText("ConsoleProgress", "yes");
    const std::string caption = TrText("UserPrompts", std::string(Caption).c_str());
    std::fprintf(stderr, "%s: %.*s %s\n", caption.c_str(), int(Text.size()), Text.data(),
                 yes.c_str());
    return true;
}

void TConsoleHost::Print(const std::string& Line)
{
    std::lock_guard guard(FLock);
    ClearLine();
    std::fprintf(stderr, "%s\n", Line.c_str());
}

void TConsoleHost::ShowProgress(const TProgressTexts& Texts)
{
    if (FTerminal)
        return; // the batch line shows it
    std::lock_guard guard(FLock);
    if (FDriver == nullptr)
        return;
    const int row = FDriver->RowOf(Texts.TaskIndex);
    if (row < 0 || size_t(row) >= FPlainStep.size())
        return;
    // One line per quarter, so a log file stays readable.
    const int step = std::clamp(Texts.Percent, 0, 100) / 25;
    if (step > FPlainStep[size_t(row)] && step < 4) {
        FPlainStep[size_t(row)] = step;
        std::fprintf(stderr, "%s: %d%%\n", FileNameOf(FList->Caption(row)).c_str(),
                     Texts.Percent);
    }
}

void TConsoleHost::ShowBatch(const TBatchView& View)
{
    if (!FTerminal)
        return;
    std::lock_guard guard(FLock);
    const auto now = std::chrono::steady_clock::now();
    if (FLineShown && now - FLastDraw < RedrawEvery && View.Done < View.Total)
        return;
    FLastDraw = now;
    DrawLine(View);
}

std::string TConsoleHost::Counter()
{
    return "[" + GroupedNumber(++FEnded) + "/" + GroupedNumber(long(FEnds.size())) + "] ";
}

void TConsoleHost::TaskEnded(const TTerminateInfo& Info)
{
    std::lock_guard guard(FLock);
    if (FDriver == nullptr)
        return;
    const int row = FDriver->RowOf(Info.TaskIndex);
    if (row < 0 || size_t(row) >= FEnds.size())
        return;
    TRowEnd& end = FEnds[size_t(row)];
    const std::string& source = FList->Caption(row);
    if (Info.Finished) {
        end.Kind = TRowEnd::Converted;
        // The name the file got, which is another one when the planned one was taken meanwhile.
        end.Text = Info.OutputFile.empty() ? FDriver->Destination(Info.TaskIndex) : Info.OutputFile;
        // A file converted track by track names every output.
        for (size_t i = 1; i < Info.OutputFiles.size(); ++i)
            end.Text += ", " + Info.OutputFiles[i];
        end.Warnings = Info.Warnings;
    } else if (Info.Exception && !(Interrupted() && EndedByStop(Info.ExceptionMsg))) {
        end.Kind = TRowEnd::Failed;
        end.Text = Info.ExceptionMsg.empty() ? TrText("ConsoleProgress", "the conversion failed")
                                             : Info.ExceptionMsg;
    } else {
        end.Kind = TRowEnd::Stopped;
        //: a file's reason for not being converted: the run was stopped
        end.Text = Interrupted() ? TrText("ConsoleProgress", "stopped")
                                 : TrText("ConsoleProgress", "the conversion did not finish");
    }
    ClearLine();
    const std::string counter = Counter();
    if (end.Kind == TRowEnd::Converted) {
        if (!FTerminal)
            std::fprintf(stderr, "%s%s\n", counter.c_str(),
                         FillText(end.Warnings.empty()
                                      ? TrText("ConsoleProgress", "%1 -> %2: done")
                                      : TrText("ConsoleProgress", "%1 -> %2: done, with warnings"),
                                  {source, end.Text})
                             .c_str());
        // What the conversion did worth a line (the loudness measured, the gain applied): under
        // the file's line, or named by the file above the progress line of a terminal.
        for (const std::string& note : Info.Notes)
            if (FTerminal)
                std::fprintf(stderr, "%s: %s\n", source.c_str(), note.c_str());
            else
                std::fprintf(stderr, "  %s\n", note.c_str());
    } else {
        std::fprintf(
            stderr, "%s%s\n", counter.c_str(),
            FillText(TrText("ConsoleProgress", "%1: failed: %2"), {source, end.Text}).c_str());
    }
    FChanged.notify_all();
}

void TConsoleHost::RowPassed(int Row, const std::string& Reason)
{
    std::lock_guard guard(FLock);
    if (Row < 0 || size_t(Row) >= FEnds.size())
        return;
    FEnds[size_t(Row)] = {TRowEnd::Passed, Reason, {}};
    const std::string counter = Counter();
    if (!FTerminal)
        std::fprintf(
            stderr, "%s%s\n", counter.c_str(),
            FillText(TrText("ConsoleProgress", "%1: skipped: %2"), {FList->Caption(Row), Reason})
                .c_str());
}

void TConsoleHost::RunEnded()
{
    std::lock_guard guard(FLock);
    ClearLine();
    FRunEnded = true;
    FChanged.notify_all();
}

void TConsoleHost::WaitForChange(std::chrono::milliseconds Timeout)
{
    std::unique_lock guard(FLock);
    FChanged.wait_for(guard, Timeout);
}

bool TConsoleHost::RunHasEnded() const
{
    std::lock_guard guard(FLock);
    return FRunEnded;
}

void TConsoleHost::WaitForRunEnd(const std::function<void()>& Interrupt)
{
    std::unique_lock guard(FLock);
    bool interrupted = false;
    while (!FRunEnded) {
        // The signal watcher does not notify this wait; look at the flag now and then.
        FChanged.wait_for(guard, std::chrono::milliseconds(50));
        if (Interrupted() && !interrupted) {
            interrupted = true;
            guard.unlock();
            Interrupt();
            guard.lock();
        }
    }
}

std::vector<TRowEnd> TConsoleHost::Ends() const
{
    std::lock_guard guard(FLock);
    return FEnds;
}

void TConsoleHost::ReportGivingUp(const std::vector<std::string>& Files, size_t Total)
{
    std::lock_guard guard(FLock);
    ClearLine();
    size_t converted = 0;
    for (size_t row = 0; row < FEnds.size(); ++row) {
        if (FEnds[row].Kind == TRowEnd::Converted)
            ++converted;
        else if (FEnds[row].Kind == TRowEnd::Open && FList != nullptr)
            std::fprintf(stderr, "zelta-convert: %s\n",
                         FillText(TrText("ConsoleProgress", "failed: %1: stopped"),
                                  {FList->Caption(int(row))})
                             .c_str());
    }
    for (const std::string& file : Files)
        std::fprintf(stderr, "zelta-convert: %s\n",
                     FillText(TrText("ConsoleProgress", "failed: %1: stopped"), {file}).c_str());
    std::fprintf(stderr, "zelta-convert: %s\n",
                 FillText(TrText("ConsoleProgress",
                                 "stopped without waiting for the conversion to end; "
                                 "%1 of %n files converted",
                                 nullptr, int(Total)),
                          {std::to_string(converted)})
                     .c_str());
}

void TConsoleHost::ClearLine()
{
    if (FTerminal && FLineShown) {
        std::fputs("\r\033[K", stderr);
        FLineShown = false;
    }
}

void TConsoleHost::DrawLine(const TBatchView& View)
{
    // Grouped numbers ("1,204") go in as %1 and %2; the count picks the plural.
    //: the progress line: %1 done of %2 files, %3 percent
    std::string line = FillText(
        TrText("ConsoleProgress", "%1 of %2 files %3%", nullptr, int(View.Total)),
        {GroupedNumber(View.Done), GroupedNumber(View.Total), std::to_string(View.Percent)});
    std::string running;
    for (const TRunningFile& f : View.Running)
        running += (running.empty() ? "" : ", ") + f.File + " " + std::to_string(f.Percent) + "%";
    const std::string times =
        View.Remaining.empty() ? FillText(TrText("ConsoleProgress", "%1 elapsed"), {View.Elapsed})
                               : FillText(TrText("ConsoleProgress", "%1 elapsed, %2 left"),
                                          {View.Elapsed, View.Remaining});
    const int width = TerminalWidth() - 1;
    const int room = width - int(line.size()) - int(times.size()) - 6;
    if (!running.empty() && room > 10)
        line += " | " + Fitted(running, size_t(room));
    line += " | " + times;
    std::fprintf(stderr, "\r\033[K%s", Fitted(line, size_t(width)).c_str());
    std::fflush(stderr);
    FLineShown = true;
}

}  // namespace zelta
