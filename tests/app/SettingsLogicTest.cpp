// The profile settings dialog's logic on real INI files: what a profile's combos show on opening
// and after switching, the typed-value checks, Default, and what OK writes (or refuses to write).
#include "app/FormatCatalogue.h"
#include "app/FormatPickerModel.h"
#include "app/SettingsKeys.h"
#include "app/SettingsLogic.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace zelta;
using namespace zelta::test;

namespace {

constexpr const char* Catalogue = R"([formatInfo0]
Format=mp3
FileExt=mp3
VideoSize=null
VideoBitRate=null
FrameRate=null
VideoEncoder=null
AudioEncoder=MP3
AudioBitRate=64,128,192
SampleRate=22050,44100
Channel=mono 1 channel,stereo 2 channels
Volume=50%,100%,225%
iAudioBitRate=1
iSampleRate=1
iChannel=1
iVolume=1

[formatInfo4]
AudioEncoder=PCM_S16,pcm_mulaw,pcm_mulaw ,PCM_X
AudioBitRate=null
SampleRate=
Channel=stereo 2 channels
Volume=100%

[formatInfo100]
Name=Video
VideoSize=as source,320x240,720x576
VideoBitRate=
FrameRate=25,29.97
VideoEncoder=H264,MPEG-4,unknown
AudioEncoder=AAC
AudioBitRate=96,128
SampleRate=44100
Channel=stereo 2 channels
Volume=100%
iVideoSize=2
iVideoEncoder=1
iFrameRate=7
paraBitExact=TRUE
paraGop=250
paraLevel=0
paraCoder=0
paraQscale=
)";

class SettingsLogic : public ::testing::Test {
protected:
    TTempFolder Dir;
    TIniFile Settings{Dir.File("settings.ini")};
    TIniFile Cat{Dir.File("catalogue.ini")};

    void SetUp() override { WriteBytes(Cat.FileName(), Catalogue); }

    std::string Para(int Code, std::string_view Key) const
    {
        return Settings.ReadString(FormatInfoSection(Code), Key, "<none>");
    }
    TSettingsChoice Choice(const TProfileParamsView& View, int Code) const
    {
        TSettingsChoice C;
        C.ProfileName = "Profile " + std::to_string(Code);
        C.Code = Code;
        C.Combos = View.Combos;
        return C;
    }
    static void Pick(TProfileParamsView& View, TParamCombo C, std::string_view Item)
    {
        TParamComboState& S = View[C];
        for (size_t I = 0; I < S.Items.size(); ++I)
            if (S.Items[I] == Item) {
                S.Index = int(I);
                S.Text = S.Items[I];
                return;
            }
        FAIL() << "no item " << Item;
    }
    static void Type(TProfileParamsView& View, TParamCombo C, std::string_view Text)
    {
        View[C].Text = std::string(Text);
    }
};

TEST_F(SettingsLogic, AudioProfileShowsItsVideoGroupDisabledAndOkStillWritesTheVideoKeys)
{
    TProfileParamsView View = LoadProfileParams(Settings, Cat, 0, TLoadMode::OnShow);
    EXPECT_FALSE(View.VideoGroupEnabled);
    EXPECT_TRUE(View.AudioGroupEnabled);
    for (TParamCombo C : {TParamCombo::VideoSize, TParamCombo::VideoBitRate, TParamCombo::FrameRate,
                          TParamCombo::VideoEncoder, TParamCombo::Zoom})
        EXPECT_FALSE(View[C].Enabled);
    EXPECT_TRUE(View[TParamCombo::VideoSize].Items.empty());
    // Never saved: the catalogue's default choice, which a conversion uses.
    EXPECT_EQ(View[TParamCombo::AudioBitRate].Text, "128");
    EXPECT_EQ(View[TParamCombo::AudioBitRate].Index, 1);

    Pick(View, TParamCombo::AudioBitRate, "192");
    Pick(View, TParamCombo::SampleRate, "22050");
    Pick(View, TParamCombo::Channel, "mono 1 channel");
    Pick(View, TParamCombo::Volume, "100%");
    TFormatPickerModel List;
    List.FillFormatList(Settings, Cat);
    List.ExpandCategory(0);
    const TSaveResult R = SaveProfileSettings(Settings, Cat, Choice(View, 0), &List);
    ASSERT_TRUE(R.Saved) << R.Error;

    EXPECT_EQ(Para(0, "Description"), "Profile 0");
    EXPECT_EQ(Para(0, "iVideoSize"), "-1");
    EXPECT_EQ(Para(0, "paraVideoSize"), "");
    EXPECT_EQ(Para(0, "paraFrameRate"), "");
    EXPECT_EQ(Para(0, "paraVideoEncoder"), "<none>"); // nothing selected: left as it was
    EXPECT_EQ(Para(0, "paraZoom"), "lbox"); // the fitting in force, as shown
    EXPECT_EQ(Para(0, "iAudioBitRate"), "2");
    EXPECT_EQ(Para(0, "paraAudioBitRate"), "192");
    EXPECT_EQ(Para(0, "paraSampleRate"), "22050");
    EXPECT_EQ(Para(0, "paraChannel"), "1");
    EXPECT_EQ(Para(0, "paraVolume"), "256");
    EXPECT_EQ(Para(0, "paraAudioEncoder"), "libmp3lame");
    EXPECT_EQ(Settings.ReadString("settings", "FormatName", ""), "Profile 0");
    EXPECT_EQ(Settings.ReadString("settings", "FormatCode", ""), "0");
    EXPECT_EQ(Settings.ReadString("lstformat", "0", ""), "0"); // expanded
}

TEST_F(SettingsLogic, SavedTypedValueShowsOnOpeningButNotAfterSwitching)
{
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "iVideoSize", "-1"));
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "paraVideoSize", "720x576"));
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "iVideoBitRate", "-1"));
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "iFrameRate", "-1"));
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "paraFrameRate", "29.97"));

    const TProfileParamsView Shown = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnShow);
    EXPECT_EQ(Shown[TParamCombo::VideoSize].Text, "720x576");
    EXPECT_EQ(Shown[TParamCombo::VideoSize].Index, -1);
    EXPECT_EQ(SavedIndex(TParamCombo::VideoSize, Shown[TParamCombo::VideoSize]), -1);
    EXPECT_EQ(Shown[TParamCombo::VideoBitRate].Text, "800"); // the dialog's default
    EXPECT_TRUE(Shown[TParamCombo::VideoBitRate].Enabled);   // an empty list stays enabled
    EXPECT_EQ(Shown[TParamCombo::FrameRate].Index, 1);       // no edit part: the matching item
    EXPECT_EQ(Shown[TParamCombo::SampleRate].Text, "44100");

    const TProfileParamsView Switched = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnSwitch);
    EXPECT_EQ(Switched[TParamCombo::VideoSize].Text, "");
    EXPECT_EQ(Switched[TParamCombo::VideoSize].Index, -1);
    EXPECT_EQ(Switched[TParamCombo::FrameRate].Index, -1);
}

TEST_F(SettingsLogic, NullAndEmptyListsDisableTheirCombosInsideAnEnabledGroup)
{
    const TProfileParamsView View = LoadProfileParams(Settings, Cat, 4, TLoadMode::OnShow);
    EXPECT_TRUE(View.AudioGroupEnabled);
    EXPECT_FALSE(View[TParamCombo::AudioBitRate].Enabled); // "null"
    EXPECT_FALSE(View[TParamCombo::SampleRate].Enabled);   // empty
    EXPECT_TRUE(View[TParamCombo::Channel].Enabled);
    // A missing section disables everything.
    const TProfileParamsView Missing = LoadProfileParams(Settings, Cat, 7, TLoadMode::OnShow);
    for (const TParamComboState& S : Missing.Combos)
        EXPECT_FALSE(S.Enabled);
}

TEST_F(SettingsLogic, EncoderChannelAndVolumeItemsMapOrWriteNothing)
{
    TProfileParamsView View = LoadProfileParams(Settings, Cat, 4, TLoadMode::OnShow);
    const auto EncoderAfterOk = [&](std::string_view Item) {
        Pick(View, TParamCombo::AudioEncoder, Item);
        EXPECT_TRUE(SaveProfileSettings(Settings, Cat, Choice(View, 4), nullptr).Saved);
        return Para(4, "paraAudioEncoder");
    };
    EXPECT_EQ(EncoderAfterOk("PCM_S16"), "pcm_s16le");
    EXPECT_EQ(EncoderAfterOk("pcm_mulaw "), "pcm_mulaw");
    ASSERT_TRUE(Settings.DeleteKey("formatInfo4", "paraAudioEncoder"));
    EXPECT_EQ(EncoderAfterOk("pcm_mulaw"), "pcm_mulaw");
    EXPECT_EQ(EncoderAfterOk("PCM_X"), "pcm_mulaw"); // not in the table: left as it was
    // A disabled combo's empty text is written as shown, no check refuses it.
    EXPECT_EQ(Para(4, "paraSampleRate"), "");

    TProfileParamsView Mp3 = LoadProfileParams(Settings, Cat, 0, TLoadMode::OnShow);
    Pick(Mp3, TParamCombo::Volume, "225%");
    ASSERT_TRUE(SaveProfileSettings(Settings, Cat, Choice(Mp3, 0), nullptr).Saved);
    EXPECT_EQ(Para(0, "paraVolume"), "<none>");
    EXPECT_EQ(Para(0, "iVolume"), "2");
}

TEST_F(SettingsLogic, H264ChoiceCopiesTheCatalogueNumbersOrRefusesEverything)
{
    TProfileParamsView View = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnShow);
    Pick(View, TParamCombo::VideoEncoder, "H264");
    Pick(View, TParamCombo::Zoom, "Pan and Scan");
    Type(View, TParamCombo::VideoSize, "640x360");
    Type(View, TParamCombo::VideoBitRate, "1200");
    ASSERT_TRUE(SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr).Saved);
    EXPECT_EQ(Para(100, "paraVideoEncoder"), "libx264");
    EXPECT_EQ(Para(100, "iVideoSize"), "-1");
    EXPECT_EQ(Para(100, "paraVideoSize"), "640x360");
    EXPECT_EQ(Para(100, "paraVideoBitRate"), "1200");
    EXPECT_EQ(Para(100, "paraZoom"), "pan");
    EXPECT_EQ(Para(100, "paraBitExact"), "TRUE");
    EXPECT_EQ(Para(100, "paraGop"), "250");
    EXPECT_EQ(Para(100, "paraCoder"), "0");
    EXPECT_EQ(Para(100, "paraLevel"), "<none>");  // not above 0
    EXPECT_EQ(Para(100, "paraQscale"), "<none>"); // empty

    // A number that is not a whole number refuses OK before anything is written.
    const std::string Before = ReadBytes(Settings.FileName());
    WriteBytes(Cat.FileName(), std::string(Catalogue) + "paraMaxBitrate=12k\n");
    Type(View, TParamCombo::VideoSize, "320x240");
    const TSaveResult R = SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr);
    EXPECT_FALSE(R.Saved);
    EXPECT_EQ(R.Failure, TSaveResult::BadCatalogueValue);
    EXPECT_EQ(R.Error, "'12k' is not a valid integer value");
    EXPECT_EQ(ReadBytes(Settings.FileName()), Before);

    // Another encoder does not look at them.
    Pick(View, TParamCombo::VideoEncoder, "MPEG-4");
    EXPECT_TRUE(SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr).Saved);
    EXPECT_EQ(Para(100, "paraVideoEncoder"), "mpeg4");
}

TEST_F(SettingsLogic, OkRefusesABadTypedValueOfAnEnabledComboAndWritesNothing)
{
    TProfileParamsView View = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnShow);
    Type(View, TParamCombo::VideoSize, "721x480");
    TSaveResult R = SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr);
    EXPECT_EQ(R.Failure, TSaveResult::BadTypedValue);
    EXPECT_EQ(R.Combo, TParamCombo::VideoSize);
    EXPECT_EQ(R.Check.Text, "720x480");
    Type(View, TParamCombo::VideoSize, "As Source");
    Type(View, TParamCombo::AudioBitRate, "1,5");
    R = SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr);
    EXPECT_EQ(R.Combo, TParamCombo::AudioBitRate);
    EXPECT_EQ(R.Check.Message, "Audio BitRate is not a valid value!");
    EXPECT_FALSE(std::filesystem::exists(Settings.FileName()));

    // "As Source" is stored in the spelling the conversion reads.
    Type(View, TParamCombo::AudioBitRate, "96.5");
    ASSERT_TRUE(SaveProfileSettings(Settings, Cat, Choice(View, 100), nullptr).Saved);
    EXPECT_EQ(Para(100, "paraVideoSize"), "as source");
    EXPECT_EQ(Para(100, "paraAudioBitRate"), "96.5");
}

TEST(SettingsTypedValues, LeavingChecks)
{
    const auto Check = [](TParamCombo C, std::string_view Text) { return CheckTypedValue(C, Text); };
    TTypedCheck R = Check(TParamCombo::VideoSize, "721x480");
    EXPECT_EQ(R.Result, TTypedCheck::Corrected);
    EXPECT_EQ(R.Caption, "Input Error!");
    EXPECT_EQ(R.Message, "Frame Size must be a multiple of 2.\nThe correct value:720x480");
    EXPECT_EQ(Check(TParamCombo::VideoSize, "0x0").Text, "2x2");
    EXPECT_EQ(Check(TParamCombo::VideoSize, "1x3").Text, "2x2");
    EXPECT_EQ(Check(TParamCombo::VideoSize, "640x360").Result, TTypedCheck::Accepted);
    R = Check(TParamCombo::VideoSize, "My AS SOURCE size");
    EXPECT_EQ(R.Result, TTypedCheck::Accepted);
    EXPECT_EQ(R.Text, "as source");
    for (std::string_view Bad : {"640", "640x", "x480", "64ax480", "-2x4", ""})
        EXPECT_EQ(Check(TParamCombo::VideoSize, Bad).Message, "Frame Size is not a valid value!")
            << Bad;
    EXPECT_EQ(Check(TParamCombo::VideoSize, "2x640x480").Message,
              "Frame Size is not a valid value!"); // the width is "2x640"

    EXPECT_EQ(Check(TParamCombo::VideoBitRate, "as source").Result, TTypedCheck::Accepted);
    EXPECT_EQ(Check(TParamCombo::VideoBitRate, "As source").Message,
              "Video BitRate is not a valid value!");
    EXPECT_EQ(Check(TParamCombo::VideoBitRate, "1.5").Result, TTypedCheck::Invalid);
    EXPECT_EQ(Check(TParamCombo::AudioBitRate, "1.5").Result, TTypedCheck::Accepted);
    EXPECT_EQ(Check(TParamCombo::SampleRate, "44.1").Message,
              "Audio SampleRate is not a valid value!");
    EXPECT_EQ(Check(TParamCombo::FrameRate, "anything").Result, TTypedCheck::Accepted);
}

TEST(SettingsTypedValues, KeysWhileTyping)
{
    EXPECT_EQ(TypedKeyVerdict(TParamCombo::VideoSize, '7', "7"), TKeyVerdict::Accept);
    EXPECT_EQ(TypedKeyVerdict(TParamCombo::VideoSize, 'x', "640x"), TKeyVerdict::Accept);
    EXPECT_EQ(TypedKeyVerdict(TParamCombo::VideoSize, 'x', "640xx"), TKeyVerdict::Refuse);
    EXPECT_EQ(TypedKeyVerdict(TParamCombo::VideoSize, 'X', "640X"), TKeyVerdict::Refuse);
    EXPECT_EQ(TypedKeyVerdict(TParamCombo::VideoSize, 'a', "a"), TKeyVerdict::Refuse);
    for (TParamCombo C : {TParamCombo::VideoBitRate, TParamCombo::SampleRate, TParamCombo::AudioBitRate}) {
        EXPECT_EQ(TypedKeyVerdict(C, '5', "5"), TKeyVerdict::Accept);
        EXPECT_EQ(TypedKeyVerdict(C, '.', "5."), TKeyVerdict::RefuseWithMessage);
    }
}

TEST_F(SettingsLogic, DefaultSelectsTheCatalogueChoicesAndFullScreen)
{
    ASSERT_TRUE(Settings.WriteString("formatInfo100", "paraZoom", "center"));
    TProfileParamsView View = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnShow);
    EXPECT_EQ(View[TParamCombo::Zoom].Index, -1); // "center" has no item
    Type(View, TParamCombo::VideoSize, "640x360");
    ApplyCatalogueDefaults(Cat, 100, View);
    EXPECT_EQ(View[TParamCombo::VideoSize].Text, "720x576");
    EXPECT_EQ(View[TParamCombo::VideoEncoder].Index, 1);
    EXPECT_EQ(View[TParamCombo::FrameRate].Index, -1); // 7 is outside the list
    EXPECT_EQ(View[TParamCombo::Zoom].Index, 0);
    EXPECT_EQ(View[TParamCombo::AudioBitRate].Index, 0);
    EXPECT_EQ(Para(100, "paraZoom"), "center"); // nothing written

    // OK with no zoom selected leaves a stored "center" alone.
    TProfileParamsView Again = LoadProfileParams(Settings, Cat, 100, TLoadMode::OnShow);
    ASSERT_TRUE(SaveProfileSettings(Settings, Cat, Choice(Again, 100), nullptr).Saved);
    EXPECT_EQ(Para(100, "paraZoom"), "center");
}

}  // namespace
