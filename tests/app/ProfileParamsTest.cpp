// The profile parameters: the dialog's item tables, the value text tests, and how a key the user
// never confirmed reads from the catalogue's default choice.
#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "app/ProfileParams.h"
#include "app/SettingsKeys.h"

#include "EnvOverride.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace zelta;
using namespace zelta::test;

namespace {

TEST(ProfileParamTables, ItemsMapByTheirDesignedComparison)
{
    EXPECT_EQ(VideoEncoderParaValue("H264"), "libx264"); // lower-case comparison
    EXPECT_EQ(VideoEncoderParaValue("MPEG-4"), "mpeg4");
    EXPECT_FALSE(VideoEncoderParaValue("h265"));
    EXPECT_EQ(AudioEncoderParaValue("PCM_S16"), "pcm_s16le");
    EXPECT_EQ(AudioEncoderParaValue("PCM_MULAW "), "pcm_mulaw");
    EXPECT_EQ(AudioEncoderParaValue("pcm_mulaw"), "pcm_mulaw"); // with or without the blank
    EXPECT_FALSE(AudioEncoderParaValue(" pcm_mulaw"));
    EXPECT_EQ(ChannelParaValue("stereo 2 channels"), "2");
    EXPECT_FALSE(ChannelParaValue("Stereo 2 channels")); // exact text
    EXPECT_EQ(VolumeParaValue("100%"), "256");
    EXPECT_FALSE(VolumeParaValue("225%"));
    EXPECT_FALSE(VolumeParaValue("100")); // the last character is dropped: 10
    EXPECT_FALSE(VolumeParaValue(""));
}

TEST(ProfileParamTables, IntegerAndNumberTexts)
{
    int I = 7;
    EXPECT_TRUE(ParaIsInteger("+12", I));
    EXPECT_EQ(I, 12);
    for (const char* Bad : {"", "+-1", " 1", "2147483648", "12abc", "1.5"}) {
        I = 7;
        EXPECT_FALSE(ParaIsInteger(Bad, I)) << Bad;
        EXPECT_EQ(I, 7);
    }
    double D = 0;
    EXPECT_TRUE(ParaIsNumber("96.5", D));
    EXPECT_DOUBLE_EQ(D, 96.5);
    EXPECT_TRUE(ParaIsNumber("99999999999", D)); // beyond an int, still a number
    for (const char* Bad : {"", "inf", "nan", "1,5", "30000/1001", " 2"})
        EXPECT_FALSE(ParaIsNumber(Bad, D)) << Bad;
}

class TProfileParaRead : public testing::Test {
protected:
    TTempFolder Folder;
    TIniFile Settings{Folder.File("zeltavideoaudioconverter.ini")};
    TIniFile Catalogue{Folder.File("zeltaaudioformat.ini")};
};

TEST_F(TProfileParaRead, SettingsWinThenTheCatalogueDefaultThenNothing)
{
    WriteBytes(Catalogue.FileName(), "[formatInfo7]\n"
                                     "AudioEncoder=MP3,OGG\niAudioEncoder=1\n"
                                     "Channel=mono 1 channel,surround\niChannel=1\n"
                                     "SampleRate=22050,44100\n"
                                     "AudioBitRate=64,96\niAudioBitRate=5\n"
                                     "Volume=50%,100%\niVolume=0\n"
                                     "VideoEncoder=null\nFrameRate=null\n");
    WriteBytes(Settings.FileName(), "[formatInfo7]\nparaSampleRate=\nparazoom=pan\n");

    // A key in the settings file is taken as it is, an empty value included.
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaSampleRate), "");
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaZoom, "lbox"), "pan");
    // Otherwise the default choice, mapped as the dialog stores it.
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaAudioEncoder), "vorbis");
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaVolume), "128");
    EXPECT_EQ(CatalogueParaValue(Catalogue, 7, KeyParaSampleRate), "22050"); // index 0 by default
    // An item the table lacks, an index outside the list and a "null" list give nothing.
    EXPECT_FALSE(ReadProfilePara(Settings, Catalogue, 7, KeyParaChannel));
    EXPECT_FALSE(ReadProfilePara(Settings, Catalogue, 7, KeyParaAudioBitRate));
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaVideoEncoder, "x"), "x");
    // A value the profile does not offer reads as the dialog stores its empty combo.
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 7, KeyParaFrameRate, "x"), "");
    // No list at all: the volume stays unchanged, other keys take the caller's default.
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 8, KeyParaVolume), "256");
    EXPECT_EQ(ReadProfilePara(Settings, Catalogue, 8, KeyParaChannel, "2"), "2");
    EXPECT_FALSE(ReadProfilePara(Settings, Catalogue, 7, KeyParaGop));
}

// The catalogue shipped beside the program: what an unconfirmed profile converts with.
class TShippedProfileParams : public testing::Test {
protected:
    TEnvOverride NoHome{"ZELTA_HOME", ""};
    TIniFile Catalogue{CatalogueFilePath()};

    std::string Para(int Code, std::string_view Key)
    {
        return CatalogueParaValue(Catalogue, Code, Key).value_or("<none>");
    }
};

TEST_F(TShippedProfileParams, EveryDefaultChoiceMapsToAValue)
{
    const std::string_view Keys[] = {KeyParaVideoSize,    KeyParaVideoBitRate, KeyParaFrameRate,
                                     KeyParaVideoEncoder, KeyParaSampleRate,   KeyParaAudioBitRate,
                                     KeyParaChannel,      KeyParaVolume,       KeyParaAudioEncoder};
    const TFormatCatalogue Content = ReadFormatCatalogue(Catalogue);
    for (const TFormatProfile& Profile : ListFormatProfiles(Content)) {
        SCOPED_TRACE("profile " + std::to_string(Profile.Code));
        for (std::size_t I = 0; I < std::size(Keys); ++I) {
            const bool Offered = CatalogueList(Catalogue, Profile.Code, CatalogueListKeys[I].List)
                                     .has_value();
            const std::optional<std::string> Value =
                CatalogueParaValue(Catalogue, Profile.Code, Keys[I]);
            EXPECT_EQ(Value.has_value() && !Value->empty(), Offered) << Keys[I];
        }
        EXPECT_EQ(Para(Profile.Code, KeyParaVolume), "256");
    }
}

TEST_F(TShippedProfileParams, DefaultsOfSomeProfiles)
{
    // MP3: the natural encoder at 128 kbit/s, 44100 Hz, stereo.
    EXPECT_EQ(Para(0, KeyParaAudioEncoder), "libmp3lame");
    EXPECT_EQ(Para(0, KeyParaAudioBitRate), "128");
    EXPECT_EQ(Para(0, KeyParaSampleRate), "44100");
    EXPECT_EQ(Para(0, KeyParaChannel), "2");
    EXPECT_EQ(Para(0, KeyParaVideoEncoder), "<none>");
    // WAV offers no bit rate.
    EXPECT_EQ(Para(4, KeyParaAudioEncoder), "pcm_s16le");
    EXPECT_EQ(Para(4, KeyParaAudioBitRate), "");
    // MP4 H.264.
    EXPECT_EQ(Para(100, KeyParaVideoEncoder), "libx264");
    EXPECT_EQ(Para(100, KeyParaVideoSize), "as source");
    EXPECT_EQ(Para(100, KeyParaVideoBitRate), "1500");
    EXPECT_EQ(Para(100, KeyParaAudioEncoder), "libfaac");
    // 3GP: h263 at a size it takes, mono.
    EXPECT_EQ(Para(303, KeyParaVideoEncoder), "h263");
    EXPECT_EQ(Para(303, KeyParaVideoSize), "176x144");
    EXPECT_EQ(Para(303, KeyParaFrameRate), "15");
    EXPECT_EQ(Para(303, KeyParaChannel), "1");
}

}  // namespace
