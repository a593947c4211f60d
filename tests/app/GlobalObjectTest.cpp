#include "app/GlobalObject.h"

#include <gtest/gtest.h>

#include "app/SettingsKeys.h"
#include "EnvOverride.h"
#include "TempFolder.h"

using namespace zelta;
using zelta::test::TEnvOverride;
using zelta::test::TTempFolder;
using zelta::test::WriteBytes;

namespace {

TEST(GlobalObject, TextSettersIgnoreEmptyValues)
{
    TGlobalObject G;
    G.SetProductName("Zelta");
    G.SetProductName("");
    EXPECT_EQ(G.ProductName(), "Zelta");
    G.SetVersionText(" ver 2.10 ");
    G.SetVersionText("");
    EXPECT_EQ(G.VersionText(), " ver 2.10 ");
    G.SetHelpPage("h");
    G.SetHelpPage("");
    EXPECT_EQ(G.HelpPage(), "h");
    G.SetHomePage("w");
    G.SetHomePage("");
    EXPECT_EQ(G.HomePage(), "w");
    // Each field is its own.
    EXPECT_TRUE(G.SettingsFile().empty());
    EXPECT_TRUE(G.CatalogueFile().empty());
}

TEST(GlobalObject, PathSettersNeedMoreThanThreeCharacters)
{
    TGlobalObject G;
    G.SetSettingsFile("/a.ini");
    G.SetSettingsFile("abc");
    EXPECT_EQ(G.SettingsFile(), "/a.ini");
    G.SetSettingsFile("abcd");
    EXPECT_EQ(G.SettingsFile(), "abcd");
    // Characters, not bytes: three two-byte letters are still three characters.
    G.SetSettingsFile("\xC3\xA4\xC3\xB6\xC3\xBC");
    EXPECT_EQ(G.SettingsFile(), "abcd");

    G.SetCatalogueFile("/c.ini");
    G.SetCatalogueFile("");
    G.SetCatalogueFile("/cc");
    EXPECT_EQ(G.CatalogueFile(), "/c.ini");
}

TEST(GlobalObject, RightStr)
{
    EXPECT_EQ(TGlobalObject::RightStr("Hello", 3), "llo");
    EXPECT_EQ(TGlobalObject::RightStr("Hello", 5), "Hello");
    EXPECT_EQ(TGlobalObject::RightStr("Hi", 5), "Hi");
    EXPECT_EQ(TGlobalObject::RightStr("Hello", 0), "");
    EXPECT_EQ(TGlobalObject::RightStr("Hello", -2), "");
    EXPECT_EQ(TGlobalObject::RightStr("", 2), "");
    // "Grüße": the last three characters are five bytes.
    EXPECT_EQ(TGlobalObject::RightStr("Gr\xC3\xBC\xC3\x9F" "e", 3), "\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(TGlobalObject::RightStr("a\xE2\x82\xAC", 1), "\xE2\x82\xAC");
}

TEST(GlobalObject, FileVersionText)
{
    EXPECT_EQ(FormatFileVersionText(3, 6, 7, 37), " 3.6737 ");
    EXPECT_EQ(FormatFileVersionText(1, 2, 3, 4), " 1.234 ");
    EXPECT_EQ(FormatFileVersionText(2, 10, 0, 0), " 2.1000 ");
    EXPECT_EQ(TGlobalObject::GetFileVersionText(),
              FormatFileVersionText(ZELTA_VERSION_MAJOR + 0, ZELTA_VERSION_MINOR + 0,
                                    ZELTA_VERSION_PATCH + 0, ZELTA_VERSION_TWEAK + 0));
}

TEST(GlobalObject, LifecycleOfTheGlobalInstance)
{
    FreeGlobalObject();
    EXPECT_EQ(GlobalObject(), nullptr);
    TGlobalObject& First = CreateGlobalObject();
    EXPECT_EQ(GlobalObject(), &First);
    First.SetProductName("first");
    // Creating again gives a fresh object.
    TGlobalObject& Second = CreateGlobalObject();
    EXPECT_EQ(GlobalObject(), &Second);
    EXPECT_TRUE(Second.ProductName().empty());
    FreeGlobalObject();
    EXPECT_EQ(GlobalObject(), nullptr);
    FreeGlobalObject();
    EXPECT_EQ(GlobalObject(), nullptr);
}

TEST(GlobalObject, InitialisedAsTheMainWindowDoes)
{
    TTempFolder Folder;
    WriteBytes(Folder.File("zeltaaudioformat.ini"), "[formatInfo1]\nDescription=MP3\n");
    TEnvOverride Home("ZELTA_HOME", Folder.Path().string());

    TGlobalObject G;
    InitialiseGlobalObject(G);
    EXPECT_EQ(G.SettingsFile(), Folder.File("zeltavideoaudioconverter.ini"));
    EXPECT_EQ(G.CatalogueFile(), Folder.File("zeltaaudioformat.ini"));
    EXPECT_EQ(G.ProductName(), "Zelta Video to Audio Converter");
    EXPECT_EQ(G.VersionText(), " ver 2.10 ");
    EXPECT_FALSE(G.HelpPage().empty());
    EXPECT_FALSE(G.HomePage().empty());

    // The accessors work on those files, without caching.
    EXPECT_EQ(G.Catalogue().ReadString("formatInfo1", "Description", ""), "MP3");
    TIniFile Settings = G.Settings();
    ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeyVolume, 77));
    EXPECT_EQ(G.Settings().ReadInteger("SETTINGS", "Volume", 0), 77);
}

TEST(SettingsKeys, DefaultsOfAnEmptySettingsFile)
{
    TTempFolder Folder;
    TEnvOverride Home("HOME", Folder.File("user"));
    TIniFile Ini(Folder.File("none.ini"));

    EXPECT_EQ(ReadSettingInteger(Ini, KeySkinIndex), 0);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyVolume), VolumeMax);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyMute), 0);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyPriority), PriorityNormal);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyFormatCode), 1);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyJpgCmp), 30);
    for (auto Key : {KeySnapFullSize, KeySnapSmallSize, KeySnapBmp, KeySnapJpg})
        EXPECT_EQ(ReadSettingInteger(Ini, Key), 1) << Key;
    EXPECT_EQ(ReadSettingText(Ini, KeyFormatName), "AAC Advenced Audio Codec (*.aac)");
    EXPECT_EQ(ReadSettingText(Ini, KeyFormatCode), "1");
    EXPECT_EQ(ReadSettingText(Ini, KeyOutPutDir), Folder.File("user") + "/videoconverter");
    EXPECT_EQ(ReadSettingText(Ini, KeySnapOutPutDir), Folder.File("user") + "/videoconverter");
    EXPECT_EQ(DefaultOutputFolder("/"), "/videoconverter");
}

TEST(SettingsKeys, StoredValuesWinAndNamesFoldCase)
{
    TTempFolder Folder;
    WriteBytes(Folder.File("s.ini"),
               "[Settings]\nSNAPOUTPUTDIR=/snaps\nPriority=3\nvolume=200\n");
    TIniFile Ini(Folder.File("s.ini"));
    EXPECT_EQ(ReadSettingText(Ini, "snapOutPutDir"), "/snaps");
    EXPECT_EQ(ReadSettingInteger(Ini, KeyPriority), PriorityLowest);
    EXPECT_EQ(ReadSettingInteger(Ini, KeyVolume), 200);
    EXPECT_NE(FindSettingKey("JPGCMP"), nullptr);
    EXPECT_EQ(FindSettingKey("unknown"), nullptr);
    EXPECT_EQ(FormatInfoSection(1), "formatInfo1");
    EXPECT_EQ(LstFormatKey(0), "0");
}

}  // namespace
