// zelta-convert stopped by a signal while its input stalls (a FIFO that stops delivering data):
// SIGTERM and SIGINT end it as an interrupted run, leaving no output under a final name. And the
// files that convert with something to tell: a source shorter than its header says, loudness
// tags that cannot be written; the run still counts as converted.
#include "CliTestSupport.h"

#include "fixtures/Fixtures.h"
#include "fixtures/StalledFifo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace clitest;
using namespace std::chrono_literals;

// The files a run left under names a person sees (temporaries are hidden, "." names).
std::vector<std::string> VisibleFiles(const std::string& Folder)
{
    std::vector<std::string> Names;
    std::error_code Ec;
    for (const auto& E : fs::directory_iterator(Folder, Ec))
        if (E.path().filename().string()[0] != '.')
            Names.push_back(E.path().filename().string());
    return Names;
}

// A tone of Seconds in Dir, as Name: WAV, or with MP4 its index first.
std::string MakeTone(const TTemp& Dir, const std::string& Name, double Seconds)
{
    fixtures::TMediaSpec Spec;
    Spec.Format = fs::path(Name).extension() == ".mp4" ? "mp4" : "wav";
    Spec.AudioEncoders = {Spec.Format == "mp4" ? "aac" : "pcm_s16le"};
    if (Spec.Format == "mp4")
        Spec.MuxerOptions = {{"movflags", "faststart"}};
    Spec.Seconds = Seconds;
    const std::string Path = Dir.File(Name);
    fixtures::MakeMedia(Path, Spec);
    return Path;
}

// SIGTERM, SIGINT, and SIGINT twice (the second while the first stop is under way, which ends
// the program at once when the stop has not ended yet): each ends the run as interrupted, names
// the file as stopped, leaves no output under a final name and no scratch folder.
TEST(CliStop, SigtermAndSigintEndARunWaitingForAStalledInput)
{
    TTemp Dir;
    const std::string Source = MakeTone(Dir, "ten.wav", 10);
    // Less than the format check reads: the program waits for more from its first look on.
    const std::string Head = fixtures::FileHead(Source, 1000);

    struct TCase {
        const char* Name;
        int Signal;
        bool Twice;
    };
    for (const TCase& Case : {TCase{"term", SIGTERM, false}, TCase{"int", SIGINT, false},
                              TCase{"int twice", SIGINT, true}}) {
        SCOPED_TRACE(Case.Name);
        const std::string Name = Case.Name;
        fixtures::TStalledFifo Fifo(Dir.File(Name + ".wav"), Head);
        const std::string Out = Dir.File(Name + "-out");
        const std::string Home = Dir.File(Name + "-home");
        const std::string Scratch = Dir.File(Name + "-tmp");
        fs::create_directories(Home);
        fs::create_directories(Scratch);
        TProcess P({"--profile", "0", "--output", Out, Fifo.Path()}, Home, Dir.File(Name), 0,
                   {"TMPDIR=" + Scratch});
        for (int I = 0; I < 1000 && Fifo.Written() < Head.size(); ++I)
            std::this_thread::sleep_for(10ms);
        ASSERT_EQ(Fifo.Written(), Head.size()) << "the program never read the FIFO";
        std::this_thread::sleep_for(300ms);

        P.Signal(Case.Signal);
        if (Case.Twice) {
            // Apart, so the two are not taken as one.
            std::this_thread::sleep_for(20ms);
            P.Signal(Case.Signal);
        }
        // A hang guard, not a speed goal: without the stop reaching the read it never ends.
        const TRun R = P.Wait(10);
        EXPECT_EQ(R.Status, 1) << R.Err;
        EXPECT_NE(R.Err.find("failed: " + Fifo.Path() + ": stopped"), std::string::npos) << R.Err;
        EXPECT_NE(R.Err.find("0 of 1 files converted"), std::string::npos) << R.Err;
        EXPECT_TRUE(VisibleFiles(Out).empty());
        EXPECT_TRUE(fs::is_empty(Scratch)) << "a scratch folder was left behind";
    }
}

// A 10 s AAC file in MP4 with its index first, cut after 60 % of its bytes: the index still
// promises 10 s, the samples end near 6 s.
TEST(CliWarnings, ASourceShorterThanItsHeaderSaysIsConvertedWithAWarningNamingBothLengths)
{
    TTemp Dir;
    const std::string Whole = MakeTone(Dir, "whole.mp4", 10);
    const std::string Cut = Dir.File("cut.mp4");
    {
        std::ofstream(Cut, std::ios::binary)
            << fixtures::FileHead(Whole, fs::file_size(Whole) * 6 / 10);
    }
    const std::string Out = Dir.File("out");
    const std::string Home = Dir.File("home");
    fs::create_directories(Home);
    const TRun R =
        TProcess({"--profile", "0", "--output", Out, Cut, Whole}, Home, Dir.File("run")).Wait();
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find("2 of 2 files converted, 0 failed, 1 with warnings"), std::string::npos)
        << R.Err;
    const size_t At = R.Err.find("zelta-convert: warning: " + Cut + ": The output lasts 00:00:0");
    ASSERT_NE(At, std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("shorter than the 00:00:10.0", At), std::string::npos) << R.Err;
    EXPECT_EQ(R.Err.find("warning: " + Whole), std::string::npos) << R.Err;
    const TProbed Converted = Probe(Out + "/cut_(new).mp3");
    ASSERT_TRUE(Converted.Opened) << Converted.Error;
    EXPECT_NEAR(Converted.Seconds, 6, 1.5);
}

// --replaygain on a disk that fills up just as the tags would go in (a file size limit on the
// program at the size of the file without them): the file converts, without its tags, and
// both the command line and its exit status say so as a warning, not as a failure.
TEST(CliWarnings, LoudnessTagsThatCannotBeWrittenAreAWarning)
{
    TTemp Dir;
    const std::string Source = MakeTone(Dir, "tone.wav", 2);
    const std::string Home = Dir.File("home");
    fs::create_directories(Home);
    // M4A grows its index at the end when the tags go in.
    const std::string Plain = Dir.File("plain");
    const TRun Untagged =
        TProcess({"--profile", "2", "--output", Plain, Source}, Home, Dir.File("plain")).Wait();
    ASSERT_EQ(Untagged.Status, 0) << Untagged.Err;
    const auto Size = fs::file_size(Plain + "/tone_(new).m4a");

    const std::string Out = Dir.File("out");
    const TRun R = TProcess({"--profile", "2", "--replaygain", "--output", Out, Source}, Home,
                            Dir.File("full"), Size + 16)
                       .Wait();
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find("zelta-convert: warning: " + Source + ": No loudness tags written: "),
              std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("1 of 1 files converted, 0 failed, 1 with warnings"), std::string::npos)
        << R.Err;
    EXPECT_EQ(fs::file_size(Out + "/tone_(new).m4a"), Size);
}

}  // namespace
