// The preferences dialog's settings rules and the folder chooser's rules, on real settings files.
#include "app/BatchDriver.h"
#include "app/FolderChooserLogic.h"
#include "app/JobBuilder.h"
#include "app/PreferenceLogic.h"
#include "app/SettingsKeys.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zelta;

TEST(PreferenceLogic, ShowReadsStoredValuesAndKeepsBoxesUnlessStoredOne) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    TPreferenceShowValues s = ReadPreferenceSettings(ini);
    EXPECT_EQ(s.SnapFolder, DefaultOutputFolder());
    EXPECT_TRUE(s.CheckFullSize && s.CheckSmallSize && s.CheckBmp && s.CheckJpg);
    EXPECT_TRUE(s.QualityEnabled);
    EXPECT_EQ(s.Quality, 30);
    EXPECT_EQ(s.Priority, 1);

    test::WriteBytes(ini.FileName(), "[Settings]\nsnapoutputdir=/srv/snaps\nsnapFullSize=0\n"
                                     "snapSmallSize=2\nsnapBmp=1\nsnapJpg=0\njpgCmp=250\nPRIORITY=7\n");
    s = ReadPreferenceSettings(ini);
    EXPECT_EQ(s.SnapFolder, "/srv/snaps");
    EXPECT_FALSE(s.CheckFullSize);
    EXPECT_FALSE(s.CheckSmallSize); // only 1 checks a box
    EXPECT_TRUE(s.CheckBmp);
    EXPECT_FALSE(s.QualityEnabled);
    EXPECT_EQ(s.Quality, 100); // the controls' range
    EXPECT_EQ(s.Priority, 3);

    TPreferenceValues current;
    current.FullSize = true;
    current.SmallSize = false;
    current.Bmp = false;
    current.Jpg = false;
    const TPreferenceValues shown = ApplyShowValues(s, current);
    EXPECT_FALSE(shown.FullSize);  // stored 0 unchecks it, whatever it showed before
    EXPECT_FALSE(shown.SmallSize);
    EXPECT_TRUE(shown.Bmp);        // stored 1 checks it
    EXPECT_FALSE(shown.Jpg);
    EXPECT_EQ(shown.SnapFolder, "/srv/snaps");

    test::WriteBytes(ini.FileName(), "[settings]\npriority=-5\njpgCmp=0\n");
    s = ReadPreferenceSettings(ini);
    EXPECT_EQ(s.Priority, -1);
    EXPECT_EQ(s.Quality, 1);
}

TEST(PreferenceLogic, DefaultsAndPairRule) {
    const TPreferenceValues d = DefaultPreferenceValues();
    EXPECT_EQ(d.SnapFolder, DefaultOutputFolder());
    EXPECT_TRUE(d.Bmp);
    EXPECT_FALSE(d.Jpg);
    EXPECT_TRUE(d.FullSize);
    EXPECT_FALSE(d.SmallSize);
    EXPECT_EQ(d.Priority, PriorityNormal);
    EXPECT_EQ(d.Quality, 20);

    EXPECT_TRUE(KeepOneOfPair(false, false)); // the last box of a pair cannot be unchecked
    EXPECT_FALSE(KeepOneOfPair(false, true));
    EXPECT_TRUE(KeepOneOfPair(true, false));
    EXPECT_TRUE(KeepOneOfPair(true, true));

    EXPECT_FALSE(IsJpegQuality(0));
    EXPECT_TRUE(IsJpegQuality(1));
    EXPECT_TRUE(IsJpegQuality(100));
    EXPECT_FALSE(IsJpegQuality(101));
}

TEST(PreferenceLogic, OkWritesEveryKeyWithItsSpelling) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    TPreferenceValues v;
    v.SnapFolder.clear(); // an empty box stores the default folder
    v.FullSize = false;
    v.SmallSize = true;
    v.Bmp = true;
    v.Jpg = false;
    v.Quality = 42;
    v.Priority = 3;
    v.Simultaneous = 6;
    ASSERT_TRUE(WritePreferenceSettings(ini, v));
    const std::string text = test::ReadBytes(ini.FileName());
    EXPECT_NE(text.find("snapOutPutDir=" + DefaultOutputFolder() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("snapBmp=1\n"), std::string::npos);
    EXPECT_NE(text.find("snapJpg=0\n"), std::string::npos);
    EXPECT_NE(text.find("snapFullSize=0\n"), std::string::npos);
    EXPECT_NE(text.find("snapSmallSize=1\n"), std::string::npos);
    EXPECT_NE(text.find("jpgCmp=42\n"), std::string::npos);
    EXPECT_NE(text.find("priority=3\n"), std::string::npos);

    // The show values read back what OK wrote.
    const TPreferenceShowValues s = ReadPreferenceSettings(ini);
    EXPECT_EQ(s.Quality, 42);
    EXPECT_EQ(s.Priority, 3);
    EXPECT_EQ(s.Simultaneous, 6);
    EXPECT_FALSE(s.CheckJpg);

    // A quality of 0 leaves the stored one; an existing key keeps its spelling.
    v.Quality = 0;
    v.SnapFolder = "/data/pictures";
    ASSERT_TRUE(WritePreferenceSettings(ini, v));
    EXPECT_EQ(ReadPreferenceSettings(ini).Quality, 42);
    EXPECT_NE(test::ReadBytes(ini.FileName()).find("snapOutPutDir=/data/pictures\n"),
              std::string::npos);
}

TEST(PreferenceLogic, BrowseStoresAtOnceUnderItsSpelling) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    EXPECT_FALSE(StoreBrowsedSnapFolder(ini, "", "/a"));
    EXPECT_FALSE(StoreBrowsedSnapFolder(ini, "/a", "/a"));
    EXPECT_FALSE(std::filesystem::exists(ini.FileName()));
    EXPECT_TRUE(StoreBrowsedSnapFolder(ini, "/b", "/a"));
    EXPECT_EQ(test::ReadBytes(ini.FileName()), "[settings]\nSnapOutPutDir=/b\n");

    // A folder that cannot be written reports the failure.
    TIniFile blocked(dir.File("settings.ini/inside.ini"));
    EXPECT_FALSE(StoreBrowsedSnapFolder(blocked, "/c", "/a"));
    EXPECT_FALSE(blocked.LastError().empty());
}

TEST(PreferenceLogic, OpenNeedsMoreThanTwoCharactersInTheBox) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    EXPECT_EQ(SnapFolderToOpen(ini, "/ab"), DefaultOutputFolder());
    test::WriteBytes(ini.FileName(), "[settings]\nSnapOutPutDir=/srv/snaps\nOutPutDir=/srv/out\n");
    EXPECT_EQ(SnapFolderToOpen(ini, "/ab"), "/srv/snaps"); // the stored folder, not the box
    EXPECT_EQ(SnapFolderToOpen(ini, "/a"), "");
    EXPECT_EQ(SnapFolderToOpen(ini, "éé"), ""); // characters, not bytes
    EXPECT_EQ(FolderToOpen(ini, KeyOutPutDir, "C:/"), "/srv/out");
    EXPECT_EQ(FolderToOpen(ini, KeyOutPutDir, "C:"), "");
}

TEST(FolderChooserLogic, OkRuleOnTheTreesTopEntries) {
    EXPECT_FALSE(FolderChooserOkEnabled(false, 3, true));
    EXPECT_FALSE(FolderChooserOkEnabled(true, 0, false)); // "/" for a normal user
    EXPECT_FALSE(FolderChooserOkEnabled(true, 1, false)); // "/usr"
    EXPECT_TRUE(FolderChooserOkEnabled(true, 1, true));   // "/tmp"
    EXPECT_TRUE(FolderChooserOkEnabled(true, 2, false));  // deeper: refused on Ok if read-only

    EXPECT_EQ(FolderDepth("/"), 0);
    EXPECT_EQ(FolderDepth(""), 0);
    EXPECT_EQ(FolderDepth("/home"), 1);
    EXPECT_EQ(FolderDepth("/home/user/"), 2);
    EXPECT_EQ(FolderDepth("//srv//media"), 2);

    EXPECT_TRUE(IsUserVolumeMount("/media/user/STICK"));
    EXPECT_TRUE(IsUserVolumeMount("/run/media/user/DISK"));
    EXPECT_TRUE(IsUserVolumeMount("/mnt/backup"));
    EXPECT_TRUE(IsUserVolumeMount("/media/STICK"));
    EXPECT_FALSE(IsUserVolumeMount("/mnt/"));
    EXPECT_FALSE(IsUserVolumeMount("/mnt/a/b")); // nested mounts belong to other programs
    EXPECT_FALSE(IsUserVolumeMount("/run/media/user"));
    EXPECT_FALSE(IsUserVolumeMount("/media/a/b/c"));
    EXPECT_FALSE(IsUserVolumeMount("/mediax/a"));
    EXPECT_FALSE(IsUserVolumeMount("/"));
    EXPECT_FALSE(IsUserVolumeMount("/home"));
}

TEST(FolderChooserLogic, ReadOnlyAndWritableFolders) {
    test::TTempFolder dir;
    EXPECT_FALSE(IsReadOnlyFolder(dir.Path().string()));
    EXPECT_TRUE(IsWritableFolder(dir.Path().string()));
    // A path that cannot be examined is not called read-only (nor writable).
    EXPECT_FALSE(IsReadOnlyFolder(dir.File("missing")));
    EXPECT_FALSE(IsWritableFolder(dir.File("missing")));
    EXPECT_FALSE(IsReadOnlyFolder(""));

    EXPECT_TRUE(TakesChosenFolder("/b", "/a"));
    EXPECT_FALSE(TakesChosenFolder("/a", "/a"));
    EXPECT_FALSE(TakesChosenFolder("", "/a"));
}

// "Simultaneous conversions": Auto unless a number on offer is stored; Auto follows the profile.
TEST(PreferenceLogic, SimultaneousConversionsAreStoredAndAutoFollowsTheProfile) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    EXPECT_EQ(ReadPreferenceSettings(ini).Simultaneous, SimultaneousAuto);
    EXPECT_EQ(DefaultPreferenceValues().Simultaneous, SimultaneousAuto);
    for (const char* bad : {"5", "9", "-1", "many"}) {
        test::WriteBytes(ini.FileName(), std::string("[settings]\nsimultaneous=") + bad + "\n");
        EXPECT_EQ(StoredSimultaneous(ini), SimultaneousAuto) << bad;
    }
    test::WriteBytes(ini.FileName(), "[settings]\nSimultaneous=3\n");
    EXPECT_EQ(StoredSimultaneous(ini), 3);

    const TIniFile catalogue(dir.File("catalogue.ini"));
    test::WriteBytes(catalogue.FileName(), "");
    EXPECT_EQ(ConversionJobCount(ini, catalogue), 3);
    // Auto: the built-in MP3 profile has no video, so one file per core.
    test::WriteBytes(ini.FileName(), "[settings]\nFormatCode=0\n");
    const unsigned cores = std::thread::hardware_concurrency();
    EXPECT_EQ(ConversionJobCount(ini, catalogue), AutoJobCount(false, cores));
    EXPECT_GE(ConversionJobCount(ini, catalogue), 1);
}
