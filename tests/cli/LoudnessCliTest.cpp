// zelta-convert with normalisation, fades and silence trimming through every audio profile of
// the shipped catalogue, and a filter text refused before anything is converted.

#include "CliTestSupport.h"

#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "fixtures/SoundLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace clitest;

namespace {

std::vector<int> AudioProfiles()
{
    const zelta::TIniFile catalogue(zelta::JoinPath(zelta::ProgramFolder(), zelta::CatalogueFileName));
    std::vector<int> codes;
    for (const zelta::TFormatProfile& P :
         zelta::ListFormatProfiles(zelta::ReadFormatCatalogue(catalogue)))
        if (zelta::CategoryOfFormatCode(P.Code) == zelta::AudioCategory)
            codes.push_back(P.Code);
    return codes;
}

} // namespace

TEST(CliLoudness, EveryAudioProfileNormalisesFadesAndTrims)
{
    TTemp Dir;
    const std::string Home = Dir.File("home");
    fs::create_directories(Home);
    // Half a second of silence, then a -30 LUFS tone, then silence again.
    fixtures::TMediaSpec spec = fixtures::ToneSpec("wav", "pcm_s16le", 44100, 3.0, std::pow(10.0, -30 / 20.0));
    spec.LeadingSilence = 0.6;
    spec.TrailingSilence = 0.6;
    const std::string Source = fixtures::SoundFixture("cli_quiet_in_silence.wav", spec);
    const std::vector<int> Codes = AudioProfiles();
    ASSERT_GE(Codes.size(), 7u);
    const zelta::TIniFile catalogue(zelta::JoinPath(zelta::ProgramFolder(), zelta::CatalogueFileName));
    for (const int Code : Codes) {
        SCOPED_TRACE("profile " + std::to_string(Code));
        const std::string Out = Dir.File("out" + std::to_string(Code));
        const TRun R = TProcess({"--profile", std::to_string(Code), "--normalize=podcast",
                                 "--fade-in", "0.2", "--fade-out", "0.3", "--trim-silence",
                                 "--output", Out, Source},
                                Home, Dir.File("run" + std::to_string(Code)))
                           .Wait();
        ASSERT_EQ(R.Status, 0) << R.Err;
        // The source measures -30.7 LUFS: the blocks straddling the silence count, quieter.
        EXPECT_NE(R.Err.find("  Loudness -30.7 LUFS, range 0.0 LU: gain +14.7 dB to -16.0 LUFS"),
                  std::string::npos)
            << R.Err;
        EXPECT_EQ(R.Err.find("warning"), std::string::npos) << R.Err;
        EXPECT_NE(R.Err.find("  Silence trimmed: 0.60 s at the start, 0.60 s at the end"),
                  std::string::npos);
        const fixtures::TSound S = fixtures::DecodeSound(
            Out + "/" + fs::path(Source).stem().string() + "_(new)." +
            zelta::CatalogueFileExt(catalogue, Code));
        ASSERT_EQ(S.Error, "");
        EXPECT_NEAR(S.Seconds(), 1.8, 0.1);
        // The fades leave the middle at the target (the ends are quieter).
        EXPECT_NEAR(S.Lufs(), -16.0, 1.0);
        // (lossy codecs smear a little of the sound into the first milliseconds)
        EXPECT_LT(S.RmsDb(0, 0.01), S.RmsDb(0.5, 1.0) - 10);
    }
}

TEST(CliLoudness, AFilterTextTheLibrariesCannotUseStopsTheRunBeforeItStarts)
{
    TTemp Dir;
    const std::string Home = Dir.File("home");
    fs::create_directories(Home);
    const std::string Out = Dir.File("out");
    const TRun R = TProcess({"--ext", "af=lowpass=f=loud", "--output", Out,
                             fixtures::Fixtures().Wav},
                            Home, Dir.File("run"))
                       .Wait();
    EXPECT_EQ(R.Status, 2);
    EXPECT_NE(R.Err.find("--ext 'af=lowpass=f=loud': The audio filters \"lowpass=f=loud\" cannot be used"),
              std::string::npos)
        << R.Err;
    EXPECT_FALSE(fs::exists(Out));
}
