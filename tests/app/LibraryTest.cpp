// Adding folders and naming outputs without windows: the walk of a library tree, the names made
// from layouts and tags, and the "exists" rules decided from the file system alone.
#include "app/LibraryWalker.h"
#include "app/OutputNames.h"
#include "fixtures/LibraryTree.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/time.h>

using namespace zelta;
using zelta::test::TTempFolder;
namespace fs = std::filesystem;

namespace {

std::string Relative(const std::string& Folder, const std::string& Path)
{
    return DestinationColumnText(Folder, Path);
}

void SetModified(const std::string& Path, time_t Seconds)
{
    const timeval times[2] = {{Seconds, 0}, {Seconds, 0}};
    ASSERT_EQ(::utimes(Path.c_str(), times), 0) << Path;
}

}  // namespace

TEST(LibraryWalk, FindsEveryMediaFileOnceAndCountsTheOthers)
{
    TTempFolder temp;
    const fixtures::TLibraryTree tree = fixtures::MakeLibraryTree(temp.Path().string());
    const std::string single = tree.Root + "/top tone.wav";
    const std::string missing = temp.File("missing.wav");
    // The folder given with a trailing "/", a file of it named again, a name that does not exist.
    const TLibraryWalk walk = CollectMedia({tree.Root + "/", single, missing});
    EXPECT_EQ(walk.Folders, 1);
    EXPECT_EQ(walk.Others, tree.Others);
    EXPECT_FALSE(walk.Cancelled);
    std::vector<std::string> found;
    for (const TLibraryFile& f : walk.Files)
        found.push_back(f.Path);
    std::vector<std::string> expected;
    for (const std::string& m : tree.Media)
        expected.push_back(tree.Root + "/" + m);
    // Files named themselves pass on unchanged with their own folder; the adding judges them.
    expected.push_back(single);
    expected.push_back(missing);
    EXPECT_EQ(found, expected);
    for (size_t i = 0; i < tree.Media.size(); ++i)
        EXPECT_EQ(walk.Files[i].Root, tree.Root);
    EXPECT_EQ(walk.Files.back().Root, temp.Path().string());

    // A step callback that says stop ends the walk with what was found so far.
    const TLibraryWalk cancelled = CollectMedia({tree.Root}, [](int) { return false; });
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_LT(cancelled.Files.size(), tree.Media.size());
    EXPECT_EQ(AddSummary(1204, 37), "1,204 files added, 37 others skipped");
    EXPECT_EQ(AddSummary(1, 0), "1 file added");
}

TEST(OutputNames, LayoutsAndTemplatesGiveTheExpectedPaths)
{
    const std::string out = "/out";
    const std::string root = "/Music";
    const std::string song = "/Music/Artist/Album/CD 1/05 Song.flac";
    TOutputNaming flat, tree, tags;
    tree.Layout = TOutputLayout::Tree;
    tags.Layout = TOutputLayout::Tags;
    const TNameTags none;
    EXPECT_EQ(PlannedOutput(out, song, root, none, ".mp3", flat), "/out/05 Song_(new).mp3");
    EXPECT_EQ(PlannedOutput(out, song, root, none, ".mp3", tree), "/out/Artist/Album/CD 1/05 Song.mp3");
    // A file added by itself (its root its own folder), or lying outside its root: no folders.
    EXPECT_EQ(PlannedOutput(out, song, "/Music/Artist/Album/CD 1", none, ".mp3", tree),
              "/out/05 Song.mp3");
    EXPECT_EQ(PlannedOutput(out, song, "/Other", none, ".mp3", tree), "/out/05 Song.mp3");

    // Missing tags fall back; empty parts go.
    EXPECT_EQ(PlannedOutput(out, song, root, none, ".mp3", tags),
              "/out/Unknown Artist/Unknown Album/05 Song.mp3");
    const TNameTags artistOnly = {{"artist", "Solo"}, {"title", "Tune"}, {"track", "3/12"}};
    EXPECT_EQ(PlannedOutput(out, song, root, artistOnly, ".mp3", tags),
              "/out/Solo/Unknown Album/03 Tune.mp3");

    // Forbidden characters inside values; portable names also for memory cards.
    const TNameTags odd = {{"album_artist", "AC/DC"},       {"album", "Live: Part*2..."},
                           {"title", ".hidden\tname?"},     {"track", "12"},
                           {"date", "1980-07-25"},          {"disc", "2/2"},
                           {"genre", "Rock"}};
    EXPECT_EQ(PlannedOutput(out, song, root, odd, ".mp3", tags),
              "/out/AC_DC/Live: Part*2.../12 .hidden_name?.mp3");
    tags.Portable = true;
    EXPECT_EQ(PlannedOutput(out, song, root, odd, ".mp3", tags),
              "/out/AC_DC/Live_ Part_2/12 .hidden_name_.mp3");
    // A name never starts hidden.
    tags.Template = "{title}";
    EXPECT_EQ(PlannedOutput(out, song, root, odd, ".mp3", tags), "/out/_.hidden_name_.mp3");
    tags.Template = "{genre}/{year}/{disc}-{track} {name} ({ext}) {folder}/x";
    EXPECT_EQ(PlannedOutput(out, song, root, odd, ".mp3", tags),
              "/out/Rock/1980/2-12 05 Song (flac) Artist/Album/CD 1/x.mp3");

    EXPECT_EQ(TemplateError(DefaultNameTemplate), "");
    EXPECT_EQ(TemplateError("{artst}/{title}"), "unknown field {artst}");
    EXPECT_EQ(TemplateError("{artist"), "a \"{\" without \"}\"");
    EXPECT_NE(TemplateError("same name"), "");
    EXPECT_NE(TemplateError("  "), "");
}

TEST(OutputNames, EachExistsRuleDecidesFromTheFileSystemAlone)
{
    TTempFolder temp;
    const std::string source = temp.File("song.wav");
    std::ofstream(source) << "source";
    const std::string planned = temp.File("song.mp3");
    TOutputNaming naming;
    naming.Layout = TOutputLayout::Tree;
    auto choose = [&](TIfExists Rule) {
        naming.IfExists = Rule;
        TReservedNames reserved;
        return ChooseOutput(planned, source, naming, reserved);
    };
    // Nothing there yet: every rule writes the planned name, none replaces.
    for (TIfExists rule : {TIfExists::Number, TIfExists::Skip, TIfExists::Replace, TIfExists::Update}) {
        const TOutputChoice c = choose(rule);
        EXPECT_EQ(c.Name, planned);
        EXPECT_FALSE(c.Replace || c.Skipped);
    }
    std::ofstream(planned) << "converted earlier";
    SetModified(source, 1000);
    SetModified(planned, 2000);
    EXPECT_EQ(choose(TIfExists::Number).Name, temp.File("song_(new_1).mp3"));
    const TOutputChoice skip = choose(TIfExists::Skip);
    EXPECT_TRUE(skip.Skipped);
    EXPECT_EQ(skip.Reason, SkipReasonExists);
    const TOutputChoice replace = choose(TIfExists::Replace);
    EXPECT_EQ(replace.Name, planned);
    EXPECT_TRUE(replace.Replace);
    // Update: an output newer than its source is up to date; an older one is replaced.
    const TOutputChoice upToDate = choose(TIfExists::Update);
    EXPECT_TRUE(upToDate.Skipped);
    EXPECT_EQ(upToDate.Reason, SkipReasonUpToDate);
    SetModified(source, 3000);
    const TOutputChoice stale = choose(TIfExists::Update);
    EXPECT_EQ(stale.Name, planned);
    EXPECT_TRUE(stale.Replace);

    // Two files of one Start planned onto one name: the second is numbered whatever the rule.
    naming.IfExists = TIfExists::Replace;
    TReservedNames reserved;
    EXPECT_EQ(ChooseOutput(planned, source, naming, reserved).Name, planned);
    EXPECT_EQ(ChooseOutput(planned, source, naming, reserved).Name,
              temp.File("song_(new_1).mp3"));
    // The flat layout numbers as ever: "_(new)", then "_(new_1)".
    naming.Layout = TOutputLayout::Flat;
    naming.IfExists = TIfExists::Number;
    std::ofstream(temp.File("song_(new).mp3")) << "taken";
    TReservedNames flatReserved;
    EXPECT_EQ(ChooseOutput(temp.File("song_(new).mp3"), source, naming, flatReserved).Name,
              temp.File("song_(new_1).mp3"));
    // A name below a file is no folder: the reason, no name.
    const TOutputChoice blocked = ChooseOutput(temp.File("song.wav/x.mp3"), source, naming,
                                               flatReserved);
    EXPECT_TRUE(blocked.Name.empty());
    EXPECT_NE(blocked.Error.find("cannot look for a free name"), std::string::npos) << blocked.Error;
    EXPECT_EQ(Relative("/out", "/out/a/b.mp3"), "a/b.mp3");
}
