// zelta-convert writing into folders other programs and runs write into: runs racing for one
// name, links and foreign files planted where it writes, a run killed in the middle, names at
// the file system's limit, folder names with blanks at their end. Sources are read at the pace
// they play ("re") where a run must still be going when something happens to it.
#include "cli/CliTestSupport.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace clitest;

namespace {

class SafeOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Media = std::make_unique<TTemp>();
        fixtures::TMediaSpec A;
        A.Format = "wav";
        A.AudioEncoders = {"pcm_s16le"};
        A.Seconds = 1.0;
        fs::create_directories(Media->File("a"));
        fs::create_directories(Media->File("b"));
        OneSecond = Media->File("a/song.wav");
        fixtures::MakeMedia(OneSecond, A);
        A.Seconds = 2.0;
        TwoSeconds = Media->File("b/song.wav");
        fixtures::MakeMedia(TwoSeconds, A);
        A.Seconds = 20.0;
        Long = Media->File("long.wav");
        fixtures::MakeMedia(Long, A);
    }
    static void TearDownTestSuite() { Media.reset(); }

    // A folder of this test whose name has blanks and letters beyond ASCII.
    std::string Folder(const std::string& Name)
    {
        const std::string F = Dir.File(Name + " é");
        fs::create_directories(F);
        return F;
    }
    std::string Home() { return Folder("home"); }
    TProcess Start(const std::vector<std::string>& Arguments, const std::string& Capture,
                   const std::vector<std::string>& Env = {})
    {
        return TProcess(Arguments, Home(), Dir.File(Capture), 0, Env);
    }

    static inline std::unique_ptr<TTemp> Media;
    static inline std::string OneSecond, TwoSeconds, Long;
    TTemp Dir;
};

std::set<std::string> Names(const std::string& Folder)
{
    std::set<std::string> Found;
    for (const auto& E : fs::directory_iterator(Folder))
        Found.insert(E.path().filename().string());
    return Found;
}

double Seconds(const std::string& File)
{
    const TProbed P = Probe(File);
    return P.Opened ? P.Seconds : -1;
}

}  // namespace

// Two runs choose the same name for their song.wav at Start, and a person saves a file under
// that name while both convert: every file keeps its own content under a name of its own, and
// each run names the file it made.
TEST_F(SafeOutput, RunsRacingForOneNameKeepEveryFile)
{
    const std::string Out = Folder("out");
    TProcess A = Start({"--profile", "0", "--ext", "re=1", "--output", Out, OneSecond}, "a");
    TProcess B = Start({"--profile", "0", "--ext", "re=1", "--output", Out, TwoSeconds}, "b");
    ASSERT_TRUE(WaitForWrittenTemporary(Out));
    // Both runs are still converting (each takes its length at least).
    ASSERT_TRUE(WriteNewFile(Out + "/song_(new).mp3", "saved by a person"));
    const TRun RA = A.Wait(120);
    const TRun RB = B.Wait(120);
    ASSERT_EQ(RA.Status, 0) << RA.Err;
    ASSERT_EQ(RB.Status, 0) << RB.Err;

    EXPECT_EQ(ReadAll(Out + "/song_(new).mp3"), "saved by a person");
    EXPECT_EQ(Names(Out), (std::set<std::string>{"song_(new).mp3", "song_(new_1).mp3",
                                                  "song_(new_2).mp3"}));
    // Each run's summary names the file it wrote, and that file is its own length.
    for (const auto& [Run, Length] : {std::pair{&RA, 1.0}, std::pair{&RB, 2.0}}) {
        const size_t Arrow = Run->Err.find(" -> ");
        ASSERT_NE(Arrow, std::string::npos) << Run->Err;
        const std::string Given = Run->Err.substr(Arrow + 4, Run->Err.find(": done", Arrow) - Arrow - 4);
        EXPECT_NE(Given, Out + "/song_(new).mp3");
        EXPECT_NEAR(Seconds(Given), Length, 0.2) << Given;
    }
}

// Links and files planted at the name being written, at names of the temporaries' pattern and
// at the old fixed name of the loudness rewrite are never followed, replaced or removed.
TEST_F(SafeOutput, PlantedLinksAndFilesAreNeverFollowedOrReplaced)
{
    const std::string Out = Folder("out");
    const std::string Victims = Folder("victims");
    const std::vector<std::string> Links = {"tone_(new).ogg.tags-part",
                                            ".tone_(new).ogg.zelta-AAAAAAAA.part"};
    for (size_t I = 0; I < Links.size(); ++I) {
        ASSERT_TRUE(WriteNewFile(Victims + "/" + std::to_string(I), "victim"));
        fs::create_symlink(Victims + "/" + std::to_string(I), Out + "/" + Links[I]);
    }
    const std::string Source = Dir.File("tone.wav");
    fs::copy_file(OneSecond, Source);
    // OGG keeps loudness tags only by rewriting the whole file.
    TProcess P = Start({"--profile", "5", "--replaygain", "--ext", "re=1", "--output", Out, Source},
                       "planted");
    ASSERT_TRUE(WaitForWrittenTemporary(Out));
    ASSERT_TRUE(WriteNewFile(Victims + "/late", "victim"));
    fs::create_symlink(Victims + "/late", Out + "/tone_(new).ogg");
    const TRun R = P.Wait(120);
    ASSERT_EQ(R.Status, 0) << R.Err;

    for (const std::string& Name : {std::string("0"), std::string("1"), std::string("late")})
        EXPECT_EQ(ReadAll(Victims + "/" + Name), "victim") << Name;
    for (const std::string& Name : {Links[0], Links[1], std::string("tone_(new).ogg")})
        EXPECT_TRUE(fs::is_symlink(Out + "/" + Name)) << Name;
    const std::string Written = Out + "/tone_(new_1).ogg";
    EXPECT_NEAR(Seconds(Written), 1.0, 0.2);
    EXPECT_NE(ReadAll(Written).find("REPLAYGAIN_TRACK_GAIN"), std::string::npos);
    EXPECT_EQ(Names(Out).size(), 4u);
}

// SIGKILL in the middle of a file leaves no partial file under a final name, and the next run
// into the folder removes what the killed one left: its temporary and its scratch folder.
TEST_F(SafeOutput, AKilledRunLeavesNoPartialFileAndTheNextRunClearsUp)
{
    const std::string Out = Folder("out");
    const std::string Tmp = Folder("tmp");
    const std::vector<std::string> Env = {"TMPDIR=" + Tmp};
    TProcess Killed = Start({"--profile", "0", "--ext", "re=1", "--output", Out, Long}, "killed", Env);
    ASSERT_TRUE(WaitForWrittenTemporary(Out));
    Killed.Signal(SIGKILL);
    Killed.Wait();
    EXPECT_EQ(Temporaries(Out).size(), 1u);
    EXPECT_FALSE(fs::exists(Out + "/long_(new).mp3"));
    ASSERT_EQ(Names(Tmp).size(), 1u); // the killed run's scratch folder

    const TRun R = Start({"--profile", "0", "--output", Out, OneSecond}, "rerun", Env).Wait(120);
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(Names(Out), std::set<std::string>{"song_(new).mp3"});
    EXPECT_TRUE(Names(Tmp).empty());
}

// Names at the file system's limit (255 bytes): a 250-byte name and an 85-character Japanese
// name (255 bytes, no extension) convert, and convert again under the next number, each cut
// on a character boundary to fit.
TEST_F(SafeOutput, NamesAtTheLengthLimitConvertAgainUnderTheNextNumber)
{
    const std::string Out = Folder("out");
    const std::string Sources = Folder("long names");
    const std::string Latin = Sources + "/" + std::string(246, 'n') + ".wav";
    std::string Japanese = Sources + "/";
    for (int I = 0; I < 85; ++I)
        Japanese += "\xE9\x9F\xB3"; // 音
    fs::copy_file(OneSecond, Latin);
    fs::copy_file(OneSecond, Japanese);
    for (int Round = 0; Round < 2; ++Round) {
        const TRun R =
            Start({"--profile", "0", "--output", Out, Latin, Japanese}, "long" + std::to_string(Round))
                .Wait(120);
        ASSERT_EQ(R.Status, 0) << R.Err;
    }
    const std::set<std::string> Written = Names(Out);
    ASSERT_EQ(Written.size(), 4u);
    int Latins = 0;
    for (const std::string& Name : Written) {
        EXPECT_LE(Name.size(), 255u) << Name;
        const bool IsLatin = Name[0] == 'n';
        Latins += IsLatin;
        const std::string Stem = Name.substr(0, Name.find("_(new"));
        // Whole characters only: the Japanese stem is a run of three-byte characters.
        EXPECT_TRUE(IsLatin ? Stem.find_first_not_of('n') == std::string::npos
                            : Stem.size() % 3 == 0 && Japanese.find(Stem) != std::string::npos)
            << Name;
        EXPECT_NEAR(Seconds(Out + "/" + Name), 1.0, 0.2) << Name;
    }
    EXPECT_EQ(Latins, 2);
    for (const std::string& End : {"_(new).mp3", "_(new_1).mp3"})
        EXPECT_EQ(std::count_if(Written.begin(), Written.end(),
                                [&](const std::string& N) {
                                    return N.size() > End.size() &&
                                           N.compare(N.size() - End.size(), End.size(), End) == 0;
                                }),
                  2)
            << End;
}

// A folder given with a blank at its end is the folder written to.
TEST_F(SafeOutput, AFolderNameKeepsItsTrailingBlank)
{
    const std::string Out = Dir.File("out ");
    const TRun R = Start({"--profile", "0", "--output", Out, OneSecond}, "blank").Wait(120);
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NEAR(Seconds(Out + "/song_(new).mp3"), 1.0, 0.2);
    EXPECT_FALSE(fs::exists(Dir.File("out")));
}
