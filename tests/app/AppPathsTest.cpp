#include "app/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "EnvOverride.h"
#include "TempFolder.h"

namespace fs = std::filesystem;
using namespace zelta;
using zelta::test::TEnvOverride;
using zelta::test::TTempFolder;
using zelta::test::WriteBytes;

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    AppPathsTest()
    {
        for (const char* Name : {"zelta-home", "program", "data", "home"})
            fs::create_directory(Root.Path() / Name);
        Context.ProgramFolder = Root.File("program") + "/";
        Context.Home = Root.File("home");
        Context.DataFolder = Root.File("data");
    }

    TTempFolder Root;
    TPathContext Context;
};

TEST_F(AppPathsTest, SettingsFileLocation)
{
    // Beside a writable program folder.
    EXPECT_EQ(SettingsFilePath(Context), Root.File("program") + "/zeltavideoaudioconverter.ini");

    // ZELTA_HOME wins over everything.
    Context.ZeltaHome = Root.File("zelta-home");
    EXPECT_EQ(SettingsFilePath(Context), Root.File("zelta-home") + "/zeltavideoaudioconverter.ini");
    Context.ZeltaHome = Root.File("zelta-home") + "/";
    EXPECT_EQ(SettingsFilePath(Context), Root.File("zelta-home") + "/zeltavideoaudioconverter.ini");
    Context.ZeltaHome.clear();

    // A program folder that cannot take files falls back to the XDG configuration folder.
    Context.ProgramFolder = Root.File("no-such-folder") + "/";
    Context.XdgConfigHome = Root.File("xdg");
    EXPECT_EQ(SettingsFilePath(Context), Root.File("xdg") + "/zelta/zeltavideoaudioconverter.ini");
    Context.XdgConfigHome.clear();
    EXPECT_EQ(SettingsFilePath(Context),
              Root.File("home") + "/.config/zelta/zeltavideoaudioconverter.ini");
    Context.XdgConfigHome = "relative/config";
    EXPECT_EQ(SettingsFilePath(Context),
              Root.File("home") + "/.config/zelta/zeltavideoaudioconverter.ini");
}

TEST_F(AppPathsTest, DataFilesAreLookedUpInOrder)
{
    const std::string Name = "zeltaaudioformat.ini";
    // None exists: the place beside the program.
    EXPECT_EQ(CatalogueFilePath(Context), Root.File("program") + "/" + Name);

    WriteBytes(Root.File("data") + "/" + Name, "");
    EXPECT_EQ(CatalogueFilePath(Context), Root.File("data") + "/" + Name);

    WriteBytes(Root.File("program") + "/" + Name, "");
    EXPECT_EQ(CatalogueFilePath(Context), Root.File("program") + "/" + Name);

    // ZELTA_HOME is looked at only when set, and then first.
    WriteBytes(Root.File("zelta-home") + "/" + Name, "");
    EXPECT_EQ(CatalogueFilePath(Context), Root.File("program") + "/" + Name);
    Context.ZeltaHome = Root.File("zelta-home");
    EXPECT_EQ(CatalogueFilePath(Context), Root.File("zelta-home") + "/" + Name);
}

TEST_F(AppPathsTest, FoldersAndNestedPicturesAreFound)
{
    fs::create_directories(Root.Path() / "data" / "LibAV");
    fs::create_directories(Root.Path() / "data" / "skin");
    WriteBytes(Root.File("data") + "/skin/lvBack.bmp", "BM");
    EXPECT_EQ(LibAVFolder(Context), Root.File("data") + "/LibAV");
    EXPECT_EQ(FindDataFile("skin/lvBack.bmp", Context), Root.File("data") + "/skin/lvBack.bmp");
    EXPECT_EQ(FindDataFile("skin/videoaudiocover.jpg", Context),
              Root.File("program") + "/skin/videoaudiocover.jpg");
}

// An installed tree (prefix/bin beside prefix/share/zelta), wherever it was put: its data is
// found from the program, and its settings never go into the program's folder.
TEST_F(AppPathsTest, InstalledTreeFindsItsDataAndKeepsSettingsInTheHome)
{
    const std::string Prefix = Root.File("staging/usr");
    fs::create_directories(Prefix + "/bin");
    EXPECT_EQ(InstalledDataFolderFor(Prefix + "/bin/", "../share/zelta"), "");
    fs::create_directories(Prefix + "/share/zelta");
    EXPECT_EQ(InstalledDataFolderFor(Prefix + "/bin/", "../share/zelta"), Prefix + "/share/zelta");
    EXPECT_EQ(InstalledDataFolderFor("", "../share/zelta"), "");

    Context.ProgramFolder = Prefix + "/bin/"; // writable, as for root
    Context.DataFolder = Prefix + "/share/zelta";
    Context.InstalledProgram = true;
    EXPECT_EQ(SettingsFilePath(Context),
              Root.File("home") + "/.config/zelta/zeltavideoaudioconverter.ini");
    WriteBytes(Prefix + "/share/zelta/zeltaaudioformat.ini", "");
    EXPECT_EQ(CatalogueFilePath(Context), Prefix + "/share/zelta/zeltaaudioformat.ini");
    // ZELTA_HOME still names the settings folder.
    Context.ZeltaHome = Root.File("zelta-home");
    EXPECT_EQ(SettingsFilePath(Context), Root.File("zelta-home") + "/zeltavideoaudioconverter.ini");
}

TEST(AppPathsProcess, ProgramFolderHoldsThisProgram)
{
    const std::string Folder = ProgramFolder();
    ASSERT_FALSE(Folder.empty());
    EXPECT_EQ(Folder.back(), '/');
    EXPECT_EQ(Folder.front(), '/');
    const fs::path Exe = fs::read_symlink("/proc/self/exe");
    EXPECT_TRUE(fs::equivalent(Folder + Exe.filename().string(), Exe));
}

TEST(AppPathsProcess, HomeFolder)
{
    EXPECT_EQ(HomeFolder("/home/user/"), "/home/user");
    EXPECT_EQ(HomeFolder("/"), "/");
    // Without $HOME the password database answers; always an absolute folder.
    const std::string FromDatabase = HomeFolder("");
    ASSERT_FALSE(FromDatabase.empty());
    EXPECT_EQ(FromDatabase.front(), '/');

    TEnvOverride Home("HOME", "/tmp/zelta-home-test");
    EXPECT_EQ(HomeFolder(), "/tmp/zelta-home-test");
}

TEST(AppPathsProcess, EnvironmentIsReadAtEachCall)
{
    TTempFolder Folder;
    {
        TEnvOverride Home("ZELTA_HOME", Folder.Path().string());
        EXPECT_EQ(SettingsFilePath(), Folder.File("zeltavideoaudioconverter.ini"));
        WriteBytes(Folder.File("zeltaaudioformat.ini"), "");
        EXPECT_EQ(CatalogueFilePath(), Folder.File("zeltaaudioformat.ini"));
    }
    {
        TEnvOverride Home("ZELTA_HOME", "");
        EXPECT_NE(SettingsFilePath(), Folder.File("zeltavideoaudioconverter.ini"));
    }
}

TEST(AppPathsProcess, JoinPath)
{
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(JoinPath("/", "videoconverter"), "/videoconverter");
}

}  // namespace
