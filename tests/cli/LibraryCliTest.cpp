// Whole libraries through zelta-convert: a folder tree with nested and hidden folders, a link
// loop, pictures, text and names with blanks and non-ASCII letters, converted with each layout
// to exact paths, and each "when the output exists" rule run twice.
#include "CliTestSupport.h"
#include "fixtures/LibraryTree.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>
#include <sys/time.h>

using namespace clitest;

namespace {

ino_t Inode(const std::string& Path)
{
    struct stat St{};
    return ::stat(Path.c_str(), &St) == 0 ? St.st_ino : 0;
}

class LibraryCli : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Temp = new TTemp;
        Library = fixtures::MakeLibraryTree(Temp->File(""));
    }
    static void TearDownTestSuite()
    {
        delete Temp;
        Temp = nullptr;
    }

    TRun Convert(const std::string& Out, std::vector<std::string> Options)
    {
        const std::string Home = Temp->File("home");
        fs::create_directories(Home);
        std::vector<std::string> Args = {"--profile", "0", "--output", Out};
        Args.insert(Args.end(), Options.begin(), Options.end());
        Args.push_back(Library.Root);
        TProcess P(Args, Home, Temp->File("run"));
        return P.Wait(300);
    }

    static TTemp* Temp;
    static fixtures::TLibraryTree Library;
};

TTemp* LibraryCli::Temp = nullptr;
fixtures::TLibraryTree LibraryCli::Library;

}  // namespace

TEST_F(LibraryCli, EachLayoutGivesExactPaths)
{
    struct TCase {
        std::vector<std::string> Options;
        std::set<std::string> Expected;
    };
    const std::vector<TCase> Cases = {
        {{},
         {"top tone_(new).mp3", "01 Ünïcode song_(new).mp3", "02 second_(new).mp3",
          "noext_(new).mp3", "track blank_(new).mp3"}},
        {{"--layout", "tree"},
         {"top tone.mp3", "Artist Ä/Album 1/01 Ünïcode song.mp3", "Artist Ä/Album 1/02 second.mp3",
          "Artist Ä/Album 1/cover.jpg", "Artist Ä/Album 2/noext.mp3",
          "Artist Ä/Album 2/CD 1/track blank.mp3"}},
        // Sounds without tags fall back; the tagged song's "/" is replaced, its ":", "*" and
        // "?" kept (they are fine on Linux file systems).
        {{"--name", "{albumartist}/{album}/{track} {title}"},
         {"Unknown Artist/Unknown Album/top tone.mp3",
          "Unknown Artist/Unknown Album/01 Ünïcode song.mp3",
          "Unknown Artist/Unknown Album/noext.mp3", "Unknown Artist/Unknown Album/track blank.mp3",
          "Unknown Artist/Unknown Album/cover.jpg", "AC_DC/Live: Part*2/02 Hells?Bells.mp3",
          "AC_DC/Live: Part*2/cover.jpg"}},
    };
    int N = 0;
    for (const TCase& C : Cases) {
        const std::string Out = Temp->File("layout" + std::to_string(N++));
        const TRun R = Convert(Out, C.Options);
        EXPECT_EQ(R.Status, 0) << R.Err;
        EXPECT_NE(R.Err.find("5 files added, 3 others skipped"), std::string::npos) << R.Err;
        EXPECT_NE(R.Err.find("5 of 5 files converted, 0 failed"), std::string::npos) << R.Err;
        EXPECT_EQ(fixtures::FilesBelow(Out), C.Expected) << R.Err;
    }
    EXPECT_NEAR(Probe(Temp->File("layout1") + "/Artist Ä/Album 1/01 Ünïcode song.mp3").Seconds,
                0.3, 0.1);
}

TEST_F(LibraryCli, PortableNamesAndAWrongTemplate)
{
    const std::string Out = Temp->File("portable");
    // A setting the command line does not give comes from the settings file.
    fs::create_directories(Temp->File("home"));
    {
        std::ofstream(Temp->File("home/zeltavideoaudioconverter.ini"))
            << "[settings]\nPortableNames=1\nFolderPictures=0\n";
    }
    const TRun R = Convert(Out, {"--name", "{artist}/{album}/{track}-{title}"});
    fs::remove(Temp->File("home/zeltavideoaudioconverter.ini"));
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(fixtures::FilesBelow(Out).count("AC_DC/Live_ Part_2/02-Hells_Bells.mp3"), 1u) << R.Err;
    EXPECT_EQ(fixtures::FilesBelow(Out).size(), 5u) << R.Err; // no pictures

    const TRun Bad = Convert(Temp->File("bad"), {"--name", "{artst}/{title}"});
    EXPECT_EQ(Bad.Status, 2);
    EXPECT_NE(Bad.Err.find("unknown field {artst}"), std::string::npos) << Bad.Err;
    EXPECT_FALSE(fs::exists(Temp->File("bad")));
}

TEST_F(LibraryCli, EachExistsRuleRunTwice)
{
    const std::string Song = "Artist Ä/Album 1/01 Ünïcode song.mp3";
    for (const std::string Rule : {"number", "skip", "replace", "update"}) {
        SCOPED_TRACE(Rule);
        const std::string Out = Temp->File("exists-" + Rule);
        const TRun First = Convert(Out, {"--layout", "tree", "--if-exists", Rule});
        ASSERT_EQ(First.Status, 0) << First.Err;
        const std::set<std::string> Before = fixtures::FilesBelow(Out);
        const ino_t Inode1 = Inode(Out + "/" + Song);
        const TRun Second = Convert(Out, {"--layout", "tree", "--if-exists", Rule});
        EXPECT_EQ(Second.Status, 0) << Second.Err;
        const std::set<std::string> After = fixtures::FilesBelow(Out);
        if (Rule == "number") {
            EXPECT_NE(Second.Err.find("5 of 5 files converted, 0 failed\n"), std::string::npos);
            EXPECT_EQ(After.size(), Before.size() + 5);
            EXPECT_EQ(After.count("Artist Ä/Album 1/01 Ünïcode song_(new_1).mp3"), 1u);
        } else if (Rule == "replace") {
            EXPECT_NE(Second.Err.find("5 of 5 files converted, 0 failed\n"), std::string::npos);
            EXPECT_EQ(After, Before);
            // A new file took the name (written aside, then put in place).
            EXPECT_NE(Inode(Out + "/" + Song), Inode1);
        } else {
            EXPECT_NE(Second.Err.find("0 of 5 files converted, 0 failed, 5 skipped"),
                      std::string::npos)
                << Second.Err;
            EXPECT_EQ(After, Before);
            EXPECT_EQ(Inode(Out + "/" + Song), Inode1);
        }
    }
    // Update converts again what changed since: a source newer than its output.
    const std::string Out = Temp->File("exists-update");
    const std::string Source = Library.Root + "/Artist Ä/Album 1/01 Ünïcode song.wav";
    const timeval Later[2] = {{time(nullptr) + 60, 0}, {time(nullptr) + 60, 0}};
    ASSERT_EQ(::utimes(Source.c_str(), Later), 0);
    const TRun Third = Convert(Out, {"--layout", "tree", "--if-exists", "update"});
    EXPECT_EQ(Third.Status, 0) << Third.Err;
    EXPECT_NE(Third.Err.find("1 of 5 files converted, 0 failed, 4 skipped"), std::string::npos)
        << Third.Err;
    EXPECT_NE(Third.Err.find(Source + " -> " + Out + "/" + Song + ": done"), std::string::npos)
        << Third.Err;
}

TEST_F(LibraryCli, SkippedFilesAreNoFailuresButABrokenFileIs)
{
    const std::string Out = Temp->File("status");
    const TRun First = Convert(Out, {"--layout", "tree", "--if-exists", "skip"});
    ASSERT_EQ(First.Status, 0) << First.Err;
    // A file named on the command line that is no media, beside the library already converted.
    const std::string Text = Temp->File("words.mp3");
    std::ofstream(Text) << "not a sound";
    const std::string Home = Temp->File("home");
    TProcess P({"--profile", "0", "--output", Out, "--layout", "tree", "--if-exists", "skip",
                Library.Root, Text},
               Home, Temp->File("status-run"));
    const TRun R = P.Wait(300);
    EXPECT_EQ(R.Status, 1) << R.Err;
    EXPECT_NE(R.Err.find("skipped: the output exists"), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("failed: " + Text), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("0 of 6 files converted, 1 failed, 5 skipped"), std::string::npos)
        << R.Err;
}
