// The interface language a person gets from the desktop's variables and the preference, and
// texts with numbers in the languages that have plural forms.
#include "app/DesktopNotices.h"
#include "app/Translation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace zelta;

namespace {

std::string LanguageOf(const std::map<std::string, std::string>& Env,
                       const std::string& Preference = SystemLanguage) {
    return InterfaceLanguage(Preference, [&Env](const char* Name) -> const char* {
        const auto it = Env.find(Name);
        return it != Env.end() ? it->second.c_str() : nullptr;
    });
}

struct TLoadedLanguage {
    explicit TLoadedLanguage(const std::string& Code) { Ok = LoadTranslations(Code); }
    ~TLoadedLanguage() { LoadTranslations("en"); }
    bool Ok = false;
};

} // namespace

TEST(Translation, TheDesktopsVariablesPickTheLanguageAsGettextDoes) {
    EXPECT_EQ(LanguageOf({}), "en");
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_EQ(LanguageOf({{"LANG", "de_AT.UTF-8@euro"}}), "de");
    // LC_ALL overrides LC_MESSAGES, which overrides LANG.
    EXPECT_EQ(LanguageOf({{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "es_ES"}, {"LANG", "de_DE"}}),
              "fr");
    EXPECT_EQ(LanguageOf({{"LC_MESSAGES", "es_ES.UTF-8"}, {"LANG", "de_DE.UTF-8"}}), "es");
    // LANGUAGE's list comes first, its first shipped entry wins; English in it is a choice too.
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "sv:pt_BR:fr"}, {"LANG", "sv_SE.UTF-8"}}), "pt_BR");
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "en_GB:de"}, {"LANG", "de_DE.UTF-8"}}), "en");
    // ... but not under the C locale, which means untranslated messages.
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "fr"}, {"LANG", "C.UTF-8"}}), "en");
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "fr"}, {"LC_ALL", "POSIX"}, {"LANG", "de_DE"}}), "en");
    // The same language of another country; Traditional Chinese is not served Simplified.
    EXPECT_EQ(LanguageOf({{"LANG", "pt_PT.UTF-8"}}), "pt_BR");
    EXPECT_EQ(LanguageOf({{"LANG", "zh_CN.UTF-8"}}), "zh_CN");
    EXPECT_EQ(LanguageOf({{"LANG", "zh_TW.UTF-8"}}), "en");
    EXPECT_EQ(LanguageOf({{"LANG", "ja_JP.UTF-8"}}), "en");
    // The preference wins over the desktop; "System" or an unknown value follows it.
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}, "zh_CN"), "zh_CN");
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}, "en"), "en");
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}, "xx"), "de");
}

TEST(Translation, CountsTakeEachLanguagesPluralForms) {
    TBatchOutcome one;
    one.Total = 1;
    one.Converted = 1;
    TBatchOutcome many;
    many.Total = 20;
    many.Converted = 18;
    many.Failed = 2;
    const std::string englishOne = BatchEndText(one).toStdString();
    const std::string englishMany = BatchEndText(many).toStdString();
    EXPECT_EQ(englishOne, "1 file converted");
    EXPECT_EQ(englishMany, "18 of 20 files converted, 2 failed");
    {
        TLoadedLanguage german("de");
        ASSERT_TRUE(german.Ok);
        EXPECT_EQ(BatchEndText(one).toStdString(), "1 Datei konvertiert");
        EXPECT_EQ(BatchEndText(many).toStdString(), "18 von 20 Dateien konvertiert, 2 fehlgeschlagen");
    }
    {
        TLoadedLanguage french("fr");
        ASSERT_TRUE(french.Ok);
        EXPECT_EQ(BatchEndText(one).toStdString(), "1 fichier converti");
    }
    // Back in English, nothing of the other languages is left.
    EXPECT_EQ(BatchEndText(one).toStdString(), englishOne);
    EXPECT_EQ(BatchEndText(many).toStdString(), englishMany);

    EXPECT_EQ(FillText("%2 / %1 (%1)", {"a", "b"}), "b / a (a)");
    EXPECT_EQ(FillText("100% of %1", {"x"}), "100% of x");
}
