// The batch driver tests' fixture: a recording host, a driver over a source list and the real
// component, settings and catalogue in a private folder, and the helpers that make progress
// reports and terminate notifications.
#pragma once

#include "app/AppPaths.h"
#include "app/BatchDriver.h"
#include "app/SettingsKeys.h"
#include "app/SystemCommands.h"
#include "EnvOverride.h"
#include "TempFolder.h"
#include "fixtures/Fixtures.h"
#include "fixtures/SoundLevels.h"
#include "component/FFConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <thread>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}


namespace batchtest {

using namespace zelta;
namespace fs = std::filesystem;

// Records what the driver asks; the component may call in from its threads during a background
// run, so the lists are filled under a lock and read after WaitForRunEnd.
class TRecordingHost : public TBatchHost {
public:
    void WaitForRunEnd()
    {
        std::unique_lock Guard(Lock);
        Changed.wait(Guard, [&] { return RunsEnded > 0; });
    }

    void ShowMessage(std::string_view Caption, std::string_view Text) override
    {
        Messages.emplace_back(std::string(Caption), std::string(Text));
    }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void ShowProgress(const TProgressTexts& Texts) override
    {
        std::lock_guard Guard(Lock);
        Progress.push_back(Texts);
        if (OnReport)
            OnReport(Texts);
    }
    void ShowProgressBar(int Percent) override
    {
        std::lock_guard Guard(Lock);
        Bars.push_back(Percent);
    }
    void ShowBatch(const TBatchView& View) override
    {
        std::lock_guard Guard(Lock);
        Batches.push_back(View);
        Changed.notify_all();
    }
    void TaskEnded(const TTerminateInfo& Info) override
    {
        std::lock_guard Guard(Lock);
        Ends.push_back(Info);
    }
    bool OpenFolderAfterConversion() const override { return OpenFolderChecked; }
    bool ShutDownAfterConversion() const override { return ShutDownChecked; }
    void OpenOutputFolder() override { ++FolderOpened; }
    void ShutDownComputer() override { ++ShutDowns; }
    void RunEnded() override
    {
        std::lock_guard Guard(Lock);
        ++RunsEnded;
        Changed.notify_all();
    }

    std::mutex Lock;
    std::condition_variable Changed;
    std::function<void(const TProgressTexts&)> OnReport; // called under Lock
    bool OpenFolderChecked = false;
    bool ShutDownChecked = false;
    std::vector<std::pair<std::string, std::string>> Messages;
    std::vector<TProgressTexts> Progress;
    std::vector<int> Bars;
    std::vector<TTerminateInfo> Ends;
    std::vector<TBatchView> Batches;
    int FolderOpened = 0;
    int ShutDowns = 0;
    int RunsEnded = 0;
};

// Profile 0 (MP3) of the shipped catalogue, an output folder and a home folder of our own.
class BatchDriver : public ::testing::Test {
protected:
    BatchDriver()
        : Home(Dir.File("home")), HomeVar("HOME", Home), Settings(Dir.File("zelta.ini")),
          Catalogue(JoinPath(ProgramFolder(), CatalogueFileName)), Out(Dir.File("out")),
          Driver(Converter, List, Host)
    {
        fs::create_directories(Home);
        test::WriteBytes(Settings.FileName(), "[settings]\nFormatCode=0\nOutPutDir=" + Out +
                                                  "\npriority=2\n");
        Driver.ConnectEvents();
    }

    void Add(const std::vector<std::string>& Paths)
    {
        const auto R = List.AddFiles(Paths, Converter, "", Settings, Catalogue, Host);
        ASSERT_EQ(R.Added, int(Paths.size()));
    }

    // Builds the remaining tasks one at a time while the run goes on, then waits for its end.
    void BuildTheRestAndWait()
    {
        TBatchDriver::TBuildStatus Status = TBatchDriver::TBuildStatus::More;
        while (Status != TBatchDriver::TBuildStatus::Done) {
            Status = Driver.BuildMore(std::chrono::milliseconds(20), 1).Status;
            ASSERT_NE(Status, TBatchDriver::TBuildStatus::Stopped);
            if (Status == TBatchDriver::TBuildStatus::Waiting)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        Host.WaitForRunEnd();
    }

    std::string Copy(const std::string& From, const std::string& Name)
    {
        const std::string To = Dir.File(Name);
        fs::create_directories(fs::path(To).parent_path());
        fs::copy_file(From, To, fs::copy_options::overwrite_existing);
        return To;
    }

    static double DurationSeconds(TFFConverter& Converter, const std::string& File)
    {
        TAVProbe& Probe = Converter.Probe();
        if (!Probe.Open(File))
            return -1;
        TFileStreamInfo Info;
        Probe.GetFileStreamInfo(Info);
        Probe.Close();
        return double(Info.Duration) / 1e6;
    }

    test::TTempFolder Dir;
    std::string Home;
    test::TEnvOverride HomeVar;
    TIniFile Settings;
    TIniFile Catalogue;
    std::string Out;
    TRecordingHost Host;
    TFFConverter Converter;
    TSourceListModel List;
    TBatchDriver Driver;
};

inline TProgressInfo Report(int Task, int64_t Current, int64_t Total, int64_t Size = 0)
{
    TProgressInfo I;
    I.TaskIndex = Task;
    I.CurrentDuration = Current;
    I.TotalDuration = Total;
    I.CurrentSize = Size;
    return I;
}

inline TTerminateInfo End(int Task, bool Finished)
{
    TTerminateInfo I;
    I.TaskIndex = Task;
    I.Finished = Finished;
    return I;
}

}  // namespace batchtest
