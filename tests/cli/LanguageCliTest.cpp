// zelta-convert speaks the desktop's language (here French) in its errors and its summary, with
// the plural forms of the count, and the "Language" preference overrides the desktop.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

using namespace clitest;

namespace {

const std::vector<std::string> French = {"LANG=fr_FR.UTF-8", "LANGUAGE=", "LC_ALL=",
                                         "LC_MESSAGES="};

class LanguageCli : public ::testing::Test {
protected:
    TTemp Dir;
    std::string Home() {
        const std::string home = Dir.File("home");
        fs::create_directories(home);
        return home;
    }
    TRun Run(const std::vector<std::string>& Arguments,
             const std::vector<std::string>& Env = French) {
        return TProcess(Arguments, Home(), Dir.File("run"), 0, Env).Wait(120);
    }
};

} // namespace

TEST_F(LanguageCli, ErrorsAndTheSummaryAreInTheDesktopsLanguage) {
    const TRun usage = Run({"--bogus"});
    EXPECT_EQ(usage.Status, 2);
    EXPECT_NE(usage.Err.find("option inconnue '--bogus'"), std::string::npos) << usage.Err;

    // One missing file: its reason and the batch's summary, singular.
    const std::string missing = Dir.File("absent.wav");
    const TRun one = Run({"--profile", "0", "--output", Dir.File("out"), missing});
    EXPECT_EQ(one.Status, 1);
    EXPECT_NE(one.Err.find("fichier introuvable"), std::string::npos) << one.Err;
    EXPECT_NE(one.Err.find("0 sur 1 fichier converti, 1 en échec"), std::string::npos) << one.Err;
    // Two of them: the plural.
    const TRun two =
        Run({"--profile", "0", "--output", Dir.File("out"), missing, Dir.File("gone.wav")});
    EXPECT_NE(two.Err.find("0 sur 2 fichiers convertis, 2 en échec"), std::string::npos) << two.Err;

    // Without the desktop's language the program stays English, word for word.
    const TRun english = Run({"--bogus"}, {"LANG=C.UTF-8", "LANGUAGE=", "LC_ALL=", "LC_MESSAGES="});
    EXPECT_NE(english.Err.find("unknown option '--bogus'"), std::string::npos) << english.Err;
}

TEST_F(LanguageCli, TheLanguagePreferenceOverridesTheDesktop) {
    ASSERT_TRUE(WriteNewFile(Home() + "/zeltavideoaudioconverter.ini", "[settings]\nLanguage=de\n"));
    const TRun usage = Run({"--bogus"});
    EXPECT_EQ(usage.Status, 2);
    EXPECT_NE(usage.Err.find("unbekannte Option '--bogus'"), std::string::npos) << usage.Err;
}
