// zelta-convert's scratch folders when several runs start at once: each run clears the folders
// that killed runs left, and none may take a live run's new folder for one of them.
#include "cli/ScratchFolder.h"

#include "engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(ScratchFolder, RunsStartingTogetherEachGetAFolderAndLeaveNone)
{
    enginetest::TTempDir Dir;
    const std::string Base = Dir.File("tmp");
    fs::create_directories(Base);
    const char* Old = std::getenv("TMPDIR");
    const std::string Kept = Old != nullptr ? Old : "";
    ::setenv("TMPDIR", Base.c_str(), 1);

    // Locks are per open folder, so threads race here as processes do.
    std::atomic<int> Failed{0}, Made{0};
    std::vector<std::thread> Runs;
    for (int T = 0; T < 4; ++T)
        Runs.emplace_back([&] {
            for (int I = 0; I < 300; ++I) {
                zelta::TScratchFolder Scratch;
                if (Scratch.Path().empty() || !fs::is_directory(Scratch.Path()))
                    ++Failed;
                else
                    ++Made;
            }
        });
    for (std::thread& T : Runs)
        T.join();

    if (Old != nullptr)
        ::setenv("TMPDIR", Kept.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_EQ(Failed.load(), 0);
    EXPECT_EQ(Made.load(), 1200);
    EXPECT_TRUE(fs::is_empty(Base));
}

} // namespace
