// The "Loudness" preferences as stored and as they reach an output record, and zelta-convert's
// options for them.

#include "app/ConvertArgs.h"
#include "app/LoudnessPreferences.h"
#include "app/SettingsKeys.h"
#include "engine/OptionRecords.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace zelta;

TEST(LoudnessPreferences, StoredValuesComeBackAsShownAndReachTheOutputRecord)
{
    test::TTempFolder dir;
    TIniFile settings(dir.File("zelta.ini"));
    EXPECT_EQ(ReadLoudnessPreferences(settings), DefaultLoudnessPreferences());
    TOutputOptions fresh;
    ApplyLoudnessSettings(settings, fresh);
    EXPECT_EQ(fresh.Normalize, 0);
    EXPECT_EQ(fresh.FadeIn, 0);

    TLoudnessPreferences v;
    v.Normalize = true;
    v.TargetChoice = LoudnessTargetOther;
    v.TargetText = " -18,5 LUFS";
    v.Ceiling = -2.0;
    v.Album = 2;
    v.FromTags = true;
    v.FadeIn = 1.5;
    v.FadeOut = 3;
    v.TrimSilence = true;
    ASSERT_TRUE(WriteLoudnessPreferences(settings, v)) << CheckLoudnessPreferences(v);
    EXPECT_EQ(settings.ReadString(SectionSettings, KeyNormalizeTarget, ""), "-18.5");
    TLoudnessPreferences back = ReadLoudnessPreferences(settings);
    EXPECT_EQ(back.TargetChoice, LoudnessTargetOther);
    EXPECT_EQ(back.TargetText, "-18.5");
    back.TargetText = v.TargetText;
    EXPECT_EQ(back, v);

    TOutputOptions out;
    ApplyLoudnessSettings(settings, out);
    EXPECT_EQ(out.Normalize, -18.5);
    EXPECT_EQ(out.TruePeak, -2.0);
    EXPECT_TRUE(out.LoudnessTags);
    EXPECT_EQ(out.FadeIn, 1.5);
    EXPECT_EQ(out.FadeOut, 3);
    EXPECT_TRUE(out.TrimSilence);
    EXPECT_EQ(out.Album, nullptr); // the batch's, given by the driver

    // A stored offered target selects its entry; stored nonsense reads as the default.
    ASSERT_TRUE(settings.WriteString(SectionSettings, KeyNormalizeTarget, "-14"));
    EXPECT_EQ(ReadLoudnessPreferences(settings).TargetChoice, 2);
    ASSERT_TRUE(settings.WriteString(SectionSettings, KeyNormalizeTarget, "loud"));
    ASSERT_TRUE(settings.WriteString(SectionSettings, KeyFadeIn, "-3"));
    EXPECT_EQ(ReadLoudnessPreferences(settings).TargetChoice, 1);
    EXPECT_EQ(ReadLoudnessPreferences(settings).FadeIn, 0);

    // A typed target that is no usable number is refused and nothing is written.
    v.TargetText = "-3";
    EXPECT_EQ(CheckLoudnessPreferences(v),
              "The loudness target must be a number between -70 and -5 LUFS.");
    EXPECT_FALSE(WriteLoudnessPreferences(settings, v));
    v.TargetText = "quiet";
    EXPECT_FALSE(WriteLoudnessPreferences(settings, v));
    EXPECT_EQ(settings.ReadString(SectionSettings, KeyNormalizeTarget, ""), "loud");
}

TEST(LoudnessPreferences, CommandLineOptionsGoIntoTheRunsSettings)
{
    std::string error;
    auto parse = [&](std::vector<std::string> Args) {
        Args.push_back("a.wav");
        return ParseConvertArgs(Args, error);
    };
    auto a = parse({"--normalize", "--true-peak", "-2.5", "--album-gain", "--fade-in=1.5",
                    "--fade-out", "2", "--trim-silence", "--loudness-tags"});
    ASSERT_TRUE(a) << error;
    EXPECT_TRUE(a->Normalize);
    EXPECT_FALSE(a->NormalizeTarget); // the stored one
    EXPECT_EQ(a->AlbumGain, 1);
    EXPECT_EQ(a->Files, std::vector<std::string>{"a.wav"}); // --normalize took no value

    test::TTempFolder dir;
    TIniFile settings(dir.File("zelta.ini"));
    ASSERT_TRUE(settings.WriteString(SectionSettings, KeyNormalizeTarget, "-23"));
    ASSERT_TRUE(WriteLoudnessArgs(*a, settings));
    TLoudnessPreferences p = ReadLoudnessPreferences(settings);
    EXPECT_TRUE(p.Normalize && p.TrimSilence && p.FromTags);
    EXPECT_EQ(p.TargetChoice, 0);
    EXPECT_EQ(p.Ceiling, -2.5);
    EXPECT_EQ(p.Album, 1);
    EXPECT_EQ(p.FadeIn, 1.5);
    EXPECT_EQ(p.FadeOut, 2);

    a = parse({"--normalize=streaming", "--album-gain=batch"});
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->NormalizeTarget, -14.0);
    EXPECT_EQ(a->AlbumGain, 2);
    a = parse({"--normalize=-20.5"});
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->NormalizeTarget, -20.5);

    EXPECT_FALSE(parse({"--normalize=-2"}));
    EXPECT_EQ(error, "--normalize: '-2' is not ebu, podcast, streaming or a level from -70 to -5 LUFS");
    EXPECT_FALSE(parse({"--album-gain=cd"}));
    EXPECT_FALSE(parse({"--fade-out", "-1"}));
    EXPECT_EQ(error, "--fade-out: '-1' is not a number of seconds from 0 to 3600");
    EXPECT_FALSE(parse({"--true-peak", "3"}));
    // A filter text the libraries cannot use fails before anything is converted.
    EXPECT_FALSE(parse({"--ext", "af=aecho=0.8:0.9:1000:0.3,nosuchfilter"}));
    EXPECT_EQ(error, "--ext 'af=aecho=0.8:0.9:1000:0.3,nosuchfilter': There is no audio filter "
                     "\"nosuchfilter\"");
    EXPECT_TRUE(parse({"--ext", "AF=aecho=0.8:0.9:1000:0.3"})) << error;
}
