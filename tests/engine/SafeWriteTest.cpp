// The safe writer on its own: what a private temporary may and may not touch, how a taken name
// is numbered, and which leftovers a later writer removes.
#include "EngineTestSupport.h"
#include "engine/SafeWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using enginetest::ReadBytes;
using enginetest::TTempDir;
using enginetest::WriteBytes;

namespace {

// The names in Folder, sorted.
std::vector<std::string> Names(const std::string& Folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Write(TSafeFile& File, const std::string& Text) {
    return ::write(File.Fd(), Text.data(), Text.size()) == ssize_t(Text.size());
}

} // namespace

// Files and links that appear at the name while the file is written are never replaced or
// followed: the file takes the next free number, and what was there stays as it was.
TEST(SafeWrite, APublishedFileNeverReplacesOrFollowsWhatAppearedAtItsName) {
    TTempDir dir;
    const std::string victim = dir.File("victim.txt");
    WriteBytes(victim, "keep me");
    const std::string planned = dir.File("song_(new).mp3");

    TSafeFile first;
    ASSERT_EQ(first.Create(planned), 0);
    EXPECT_TRUE(IsTemporaryName(fs::path(first.TemporaryPath()).filename().string()));
    EXPECT_FALSE(fs::exists(planned)); // nothing carries the final name while it is written
    ASSERT_TRUE(Write(first, "first"));
    // Meanwhile a link to another file and a foreign file take the first two names.
    fs::create_symlink(victim, planned);
    WriteBytes(dir.File("song_(new_1).mp3"), "foreign");
    ASSERT_EQ(first.Publish(), 0);
    EXPECT_EQ(first.Name(), dir.File("song_(new_2).mp3"));
    EXPECT_EQ(ReadBytes(first.Name()), "first");
    EXPECT_TRUE(fs::is_symlink(planned));
    EXPECT_EQ(ReadBytes(victim), "keep me");
    EXPECT_EQ(ReadBytes(dir.File("song_(new_1).mp3")), "foreign");

    // Replacing on purpose replaces the link itself, never its target.
    ASSERT_EQ(WriteFileSafely(planned, "snapshot", TSafeFile::TPublish::Replace, false), 0);
    EXPECT_FALSE(fs::is_symlink(planned));
    EXPECT_EQ(ReadBytes(planned), "snapshot");
    EXPECT_EQ(ReadBytes(victim), "keep me");

    // A plain name numbers from "_(new)"; the temporaries went with their publishing.
    std::string given;
    ASSERT_EQ(WriteFileSafely(victim, "x", TSafeFile::TPublish::Keep, false, &given), 0);
    EXPECT_EQ(given, dir.File("victim_(new).txt"));
    EXPECT_EQ(Names(dir.Path()),
              (std::vector<std::string>{"song_(new).mp3", "song_(new_1).mp3", "song_(new_2).mp3",
                                        "victim.txt", "victim_(new).txt"}));
}

// A temporary is removed only while its name still is the file it created; a file put in its
// place stays.
TEST(SafeWrite, DiscardRemovesOnlyTheFileItCreated) {
    TTempDir dir;
    TSafeFile file;
    ASSERT_EQ(file.Create(dir.File("a.mp3")), 0);
    const std::string temp = file.TemporaryPath();
    ASSERT_EQ(::unlink(temp.c_str()), 0);
    WriteBytes(temp, "someone else's");
    EXPECT_EQ(file.Publish(), TemporaryReplaced);
    file.Discard();
    EXPECT_EQ(ReadBytes(temp), "someone else's");
    EXPECT_FALSE(fs::exists(dir.File("a.mp3")));

    {
        TSafeFile gone;
        ASSERT_EQ(gone.Create(dir.File("b.mp3")), 0);
        ASSERT_TRUE(Write(gone, "half"));
    } // a writer that ends without publishing leaves nothing
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{fs::path(temp).filename().string()});
}

// Leftovers of writers that are gone are removed; a temporary still being written, links and
// folders of the same pattern stay.
TEST(SafeWrite, LeftoversGoOnlyWhenTheirWriterIsGone) {
    TTempDir dir;
    TTempDir elsewhere;
    const std::string target = elsewhere.File("target");
    WriteBytes(target, "target");
    const std::string leftover = dir.File(".a.mp3.zelta-AbCd1234.part");
    WriteBytes(leftover, "killed run");
    const std::string link = dir.File(".b.mp3.zelta-AbCd1234.part");
    fs::create_symlink(target, link);
    const std::string folder = dir.File(".c.mp3.zelta-AbCd1234.part");
    fs::create_directory(folder);
    WriteBytes(dir.File("d.zelta-AbCd1234.part"), "not hidden: not ours");

    TSafeFile live;
    ASSERT_EQ(live.Create(dir.File("e.mp3")), 0);
    EXPECT_EQ(RemoveLeftovers(dir.Path()), 1);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::exists(dir.File("d.zelta-AbCd1234.part")));
    EXPECT_TRUE(fs::exists(live.TemporaryPath()));
    EXPECT_EQ(ReadBytes(target), "target");
    ASSERT_EQ(live.Publish(), 0);
    EXPECT_TRUE(fs::exists(dir.File("e.mp3")));
}

// Names longer than the file system takes are cut on a character boundary, keeping the number
// and the extension.
TEST(SafeWrite, NumberedNamesFitTheNameLimit) {
    const std::string cjk = "\xE6\x97\xA5"; // three bytes
    std::string stem;
    for (int i = 0; i < 85; ++i)
        stem += cjk;
    const std::string first = NumberedName(stem, 0, ".mp3", 255);
    EXPECT_LE(first.size(), 255u);
    EXPECT_EQ(first.substr(first.size() - 10), "_(new).mp3");
    EXPECT_EQ((first.size() - 10) % 3, 0u); // whole characters only
    const std::string next = NumberedName(stem, 12, ".mp3", 255);
    EXPECT_LE(next.size(), 255u);
    EXPECT_EQ(next.substr(next.size() - 13), "_(new_12).mp3");
    EXPECT_EQ(NumberedName("song", 0, ".mp3", 255), "song_(new).mp3");

    std::string parsed, ext;
    int number = 0;
    SplitNumberedName("song.live_(new_12).mp3", parsed, number, ext);
    EXPECT_EQ(parsed, "song.live");
    EXPECT_EQ(number, 12);
    EXPECT_EQ(ext, ".mp3");
    SplitNumberedName("song_(new).mp3", parsed, number, ext);
    EXPECT_EQ(number, 0);
    SplitNumberedName("song_(new_x).mp3", parsed, number, ext);
    EXPECT_EQ(number, -1);
    EXPECT_EQ(parsed, "song_(new_x)");
}
