// Films with an English (440 Hz) and a French (1000 Hz) sound track through zelta-convert: each
// --audio-track rule converts the track it names, heard in the output; "all" gives one file per
// track, tagged with its language, also for files found in folders and converted in parallel.
#include "CliTestSupport.h"
#include "fixtures/Fixtures.h"
#include "fixtures/SoundLevels.h"

#include <gtest/gtest.h>

#include <map>

extern "C" {
#include <libavformat/avformat.h>
}

using namespace clitest;

namespace {

class AudioTrackCli : public ::testing::Test {
protected:
    TRun Convert(const std::string& Out, std::vector<std::string> Options,
                 const std::vector<std::string>& Sources)
    {
        const std::string Home = Dir.File("home");
        fs::create_directories(Home);
        std::vector<std::string> Args = {"--profile", "0", "--output", Out};
        Args.insert(Args.end(), Options.begin(), Options.end());
        Args.insert(Args.end(), Sources.begin(), Sources.end());
        TProcess P(Args, Home, Dir.File("run"));
        return P.Wait(300);
    }
    // Every file below Folder, by its path relative to it.
    static std::map<std::string, std::string> Outputs(const std::string& Folder)
    {
        std::map<std::string, std::string> Found;
        for (const auto& E : fs::recursive_directory_iterator(Folder))
            if (E.is_regular_file())
                Found[fs::relative(E.path(), Folder).string()] = E.path().string();
        return Found;
    }
    // The "language" tag of the file, from its container or its first audio stream.
    static std::string Language(const std::string& File)
    {
        TAVProbe P;
        if (!P.Open(File))
            return "(" + P.LastError() + ")";
        const AVFormatContext* C = P.FormatContext();
        if (const AVDictionaryEntry* E = av_dict_get(C->metadata, "language", nullptr, 0))
            return E->value;
        TAudioStreamInfo Info;
        return P.GetAudioStreamInfo(-1, Info) ? Info.Language : "";
    }
    static double Tone(const std::string& File)
    {
        const fixtures::TSound S = fixtures::DecodeSound(File);
        EXPECT_TRUE(S.Error.empty()) << File << ": " << S.Error;
        return S.ToneHz();
    }

    TTemp Dir;
};

}  // namespace

TEST_F(AudioTrackCli, EachRuleConvertsTheTrackItNames)
{
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    const std::string EnglishFlagged = fixtures::TwoLanguageFilm(1);
    const std::string FrenchFlagged = fixtures::TwoLanguageFilm(2);
    struct TCase {
        std::vector<std::string> Options; // none: the stored rule, "default"
        std::string Source;
        double Hz;
        std::string Language;
    } Cases[] = {
        {{}, EnglishFlagged, 440, "eng"},
        {{}, FrenchFlagged, 1000, "fre"},
        {{"--audio-track", "first"}, FrenchFlagged, 440, "eng"},
        {{"--audio-track", "2"}, EnglishFlagged, 1000, "fre"},
        {{"--audio-track", "ger,FRA"}, EnglishFlagged, 1000, "fre"},
        {{"--audio-track=spa"}, FrenchFlagged, 1000, "fre"}, // no Spanish: the default track
    };
    int N = 0;
    for (const TCase& C : Cases) {
        const std::string Out = Dir.File("out" + std::to_string(N++));
        const TRun R = Convert(Out, C.Options, {C.Source});
        SCOPED_TRACE(::testing::PrintToString(C.Options) + " " + C.Source);
        ASSERT_EQ(R.Status, 0) << R.Err;
        const auto Found = Outputs(Out);
        ASSERT_EQ(Found.size(), 1u);
        EXPECT_EQ(Found.begin()->first, fs::path(C.Source).stem().string() + "_(new).mp3");
        EXPECT_NEAR(Tone(Found.begin()->second), C.Hz, C.Hz * 0.02);
        EXPECT_EQ(Language(Found.begin()->second), C.Language);
    }
}

TEST_F(AudioTrackCli, AllGivesATaggedFilePerTrackFromFoldersInParallel)
{
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    const std::string Films = Dir.File("films");
    fs::create_directories(Films + "/more");
    fs::copy_file(fixtures::TwoLanguageFilm(1), Films + "/film.mkv");
    fs::copy_file(fixtures::TwoLanguageFilm(2), Films + "/more/other film.mkv");
    fs::copy_file(fixtures::Fixtures().Wav, Films + "/more/song.wav");

    const std::string Out = Dir.File("all");
    TRun R = Convert(Out, {"--audio-track", "all", "--jobs", "3"}, {Films});
    ASSERT_EQ(R.Status, 0) << R.Err;
    std::map<std::string, std::string> Found = Outputs(Out);
    const std::map<std::string, std::pair<double, std::string>> Expected = {
        {"film_(new)_1_eng.mp3", {440, "eng"}},
        {"film_(new)_2_fre.mp3", {1000, "fre"}},
        {"other film_(new)_1_eng.mp3", {440, "eng"}},
        {"other film_(new)_2_fre.mp3", {1000, "fre"}},
        {"song_(new).mp3", {440, ""}}, // a single track converts as usual
    };
    ASSERT_EQ(Found.size(), Expected.size()) << ::testing::PrintToString(Found);
    for (const auto& [Name, Want] : Expected) {
        SCOPED_TRACE(Name);
        ASSERT_EQ(Found.count(Name), 1u) << ::testing::PrintToString(Found);
        EXPECT_NEAR(Tone(Found[Name]), Want.first, Want.first * 0.02);
        EXPECT_EQ(Language(Found[Name]), Want.second);
    }

    // The same again numbers both tracks' names on; with a template the fields name them.
    R = Convert(Out, {"--audio-track", "all"}, {Films + "/film.mkv"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find(Films + "/film.mkv -> " + Out + "/film_(new_1)_1_eng.mp3, " + Out +
                         "/film_(new_1)_2_fre.mp3: done"),
              std::string::npos)
        << R.Err;
    Found = Outputs(Out);
    EXPECT_EQ(Found.count("film_(new_1)_1_eng.mp3"), 1u) << ::testing::PrintToString(Found);
    EXPECT_EQ(Found.count("film_(new_1)_2_fre.mp3"), 1u) << ::testing::PrintToString(Found);
    // "skip" passes over a track whose output is there and converts the one missing.
    fs::remove(Out + "/film_(new)_2_fre.mp3");
    R = Convert(Out, {"--audio-track", "all", "--if-exists", "skip"}, {Films + "/film.mkv"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(Outputs(Out).size(), Found.size());
    EXPECT_NEAR(Tone(Out + "/film_(new)_2_fre.mp3"), 1000, 20);
    R = Convert(Out, {"--audio-track", "all", "--if-exists", "skip"}, {Films + "/film.mkv"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find("skipped"), std::string::npos) << R.Err;
    EXPECT_EQ(Outputs(Out).size(), Found.size());

    const std::string Named = Dir.File("named");
    R = Convert(Named, {"--audio-track", "all", "--name", "{name} {tracknumber}-{tracklang}"},
                {Films + "/film.mkv"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    Found = Outputs(Named);
    ASSERT_EQ(Found.size(), 2u) << ::testing::PrintToString(Found);
    EXPECT_NEAR(Tone(Found["film 2-fre.mp3"]), 1000, 20);
    EXPECT_NEAR(Tone(Found["film 1-eng.mp3"]), 440, 9);
}

TEST_F(AudioTrackCli, AMissingTrackFailsTheFileAndInfoListsTheTracks)
{
    const std::string Film = fixtures::TwoLanguageFilm(1);
    const std::string Out = Dir.File("out");
    TRun R = Convert(Out, {"--audio-track", "3"}, {Film, fixtures::Fixtures().Wav});
    EXPECT_EQ(R.Status, 1);
    EXPECT_NE(R.Err.find("failed: " + Film +
                         ": there is no audio track 3 (the file has 2 audio tracks)"),
              std::string::npos)
        << R.Err;
    EXPECT_FALSE(fs::exists(Out + "/" + fs::path(Film).stem().string() + "_(new).mp3"));

    R = Convert(Out, {"--audio-track", "en"}, {Film});
    EXPECT_EQ(R.Status, 2);
    EXPECT_NE(R.Err.find("--audio-track: 'en' is not default"), std::string::npos) << R.Err;

    TProcess P({"--info", Film}, Dir.File(""), Dir.File("info"));
    R = P.Wait(60);
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Out.find("Audio tracks:\n  1: eng, aac, 2 channels, \"Original\" (default)\n"
                         "  2: fre, aac, 2 channels, \"Doublage\"\n"),
              std::string::npos)
        << R.Out;
}
