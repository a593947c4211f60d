// What the main window's creation and showing read from the settings, and the texts of the
// application's exception handler.
#include "app/AppException.h"
#include "app/MainFormLogic.h"
#include "app/SettingsKeys.h"
#include "engine/FFTypes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace zelta;

TEST(MainFormLogic, ShowSettingsDefaultsAndRanges) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    TMainFormShowSettings s = ReadMainFormShowSettings(ini);
    EXPECT_EQ(s.OutputFolder, DefaultOutputFolder());
    EXPECT_EQ(s.Volume, 128); // a first start plays at full volume, and the bar says so
    EXPECT_EQ(s.MuteState, 0);
    EXPECT_EQ(s.OutputFormat, 0);
    EXPECT_EQ(StoredThemeIndex(ini), 0);

    test::WriteBytes(ini.FileName(), "[SETTINGS]\nVolume=128\nmute=1\nOutPutFormat=4\nskinindex=9\n");
    s = ReadMainFormShowSettings(ini);
    EXPECT_EQ(s.Volume, 128);
    EXPECT_EQ(s.MuteState, 1);
    EXPECT_EQ(s.OutputFormat, 4);
    EXPECT_EQ(StoredThemeIndex(ini), 9);

    for (const char* bad : {"200", "-1", "loud"}) {
        test::WriteBytes(ini.FileName(), std::string("[settings]\nvolume=") + bad + "\nmute=2\n");
        s = ReadMainFormShowSettings(ini);
        // 200 and -1 are out of range (shown as 64); text is not an integer (the default).
        EXPECT_EQ(s.Volume, std::string(bad) == "loud" ? 128 : 64) << bad;
        EXPECT_EQ(s.MuteState, -1) << bad;
    }
}

TEST(MainFormLogic, CaptionJoinsProductAndVersion) {
    TGlobalObject g;
    g.SetProductName("Zelta Video to Audio Converter");
    g.SetVersionText(FormatFileVersionText(1, 2, 3, 4));
    EXPECT_EQ(MainCaption(g), "Zelta Video to Audio Converter 1.234 ");
}

TEST(AppException, DisplayTextAndPresentation) {
    EXPECT_EQ(ExceptionDisplayText("Cannot open file"), "Cannot open file.");
    EXPECT_EQ(ExceptionDisplayText("Error 42"), "Error 42.");
    EXPECT_EQ(ExceptionDisplayText("Done."), "Done.");
    EXPECT_EQ(ExceptionDisplayText("Stop!"), "Stop!");
    EXPECT_EQ(ExceptionDisplayText("trailing "), "trailing ");
    EXPECT_EQ(ExceptionDisplayText(""), "");

    const TAppExceptionReport engine = DescribeException(FFmpegException("Unknown encoder 'x' in stream 1"));
    EXPECT_EQ(engine.Presentation, TExceptionPresentation::Warning);
    EXPECT_EQ(engine.Message, "Unknown encoder 'x' in stream 1.");
    // A closing quote sorts before "." and gets nothing appended.
    EXPECT_EQ(ExceptionDisplayText("Unknown encoder 'x'"), "Unknown encoder 'x'");
    EXPECT_EQ(DescribeException(std::runtime_error("boom")).Presentation,
              TExceptionPresentation::Error);
    try {
        throw 42;
    } catch (...) {
        EXPECT_EQ(DescribeCurrentException().Presentation, TExceptionPresentation::Error);
    }
}
