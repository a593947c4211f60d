// Choosing the audio track: the rule's text as people type it, and a Start over a film with an
// English (440 Hz) and a French (1000 Hz) track where one row has its own track chosen through
// the chooser's model and another converts every track into a file of its own.
#include "BatchDriverFixture.h"

#include "app/AudioTrackChooser.h"
#include "app/TrackChoice.h"

#include <gtest/gtest.h>

using namespace zelta;
using namespace batchtest;
namespace fs = std::filesystem;

TEST(TrackRule, TextsAndChoicesOfTwoTracks)
{
    for (const char* Bad : {"", "0", "-1", "2x", "en", "eng,", "eng;fre", "al l"})
        EXPECT_FALSE(ParseTrackRule(Bad)) << Bad;
    const auto Preferred = ParseTrackRule(" Eng , FRA ");
    ASSERT_TRUE(Preferred);
    EXPECT_EQ(TrackRuleText(*Preferred), "eng,fra");
    for (const char* Good : {"default", "first", "all", "12"})
        EXPECT_EQ(TrackRuleText(ParseTrackRule(Good).value()), Good);

    const std::vector<TAudioTrack> Tracks = {{1, 1, "eng", "aac", 2, "", false},
                                             {3, 2, "fre", "ac3", 6, "", true}};
    auto Chosen = [&](const char* Rule, int Row = -1) {
        const TTrackPick P = ChooseTracks(ParseTrackRule(Rule).value(), Row, Tracks);
        std::string S = P.Error;
        for (const TAudioTrack& T : P.Tracks)
            S += std::to_string(T.Number);
        return S;
    };
    EXPECT_EQ(Chosen("default"), "2"); // flagged, though not first
    EXPECT_EQ(Chosen("first"), "1");
    EXPECT_EQ(Chosen("spa,fra,eng"), "2"); // "fra" is "fre"
    EXPECT_EQ(Chosen("spa"), "2");
    EXPECT_EQ(Chosen("all"), "12");
    EXPECT_EQ(Chosen("all", 1), "1"); // the row's own choice wins
    EXPECT_EQ(Chosen("3"), "there is no audio track 3 (the file has 2 audio tracks)");
    EXPECT_EQ(Chosen("first", 5), "there is no audio track 5 (the file has 2 audio tracks)");
    EXPECT_TRUE(ChooseTracks(*ParseTrackRule("all"), -1, {}).Tracks.empty());
    EXPECT_EQ(TrackNameTail(Tracks[1]), "_2_fre");
}

TEST_F(BatchDriver, ARowsOwnTrackAndEveryTrackOfAnother)
{
    ASSERT_TRUE(Settings.WriteString(SectionSettings, KeyAudioTrack, "all"));
    const std::string Film = Copy(fixtures::TwoLanguageFilm(1), "film.mkv");
    const std::string Other = Copy(fixtures::TwoLanguageFilm(1), "other.mkv");
    Add({Film, Other});

    // The chooser of the first row: the rule, then the tracks; the French one taken.
    TTrackChooserModel Model = TrackChooserFor(Film, List.Record(0), ReadTrackRule(Settings));
    ASSERT_EQ(Model.Items.size(), 3u) << Model.Note;
    EXPECT_EQ(Model.Items[0], "Follow the rule: every track, a file each");
    EXPECT_EQ(Model.Items[2], "2: fre, aac, 2 channels, \"Doublage\"");
    EXPECT_EQ(Model.Selected, 0);
    ApplyTrackChoice(List, 0, Model, 2);
    EXPECT_EQ(List.Record(0).AudioTrack, 2);
    EXPECT_EQ(List.data(List.index(0, colSource)).toString().toStdString(),
              "[audio 2: fre] " + Film);
    EXPECT_EQ(TrackChooserFor(Film, List.Record(0), ReadTrackRule(Settings)).Selected, 2);

    const auto R = Driver.BuildTasks(Settings, Catalogue);
    ASSERT_FALSE(R.Stopped) << R.Error;
    ASSERT_EQ(R.Tasks, 2);
    Converter.StartTask(2);
    Host.WaitForRunEnd();
    ASSERT_EQ(Host.Ends.size(), 2u);
    for (const TTerminateInfo& E : Host.Ends) {
        EXPECT_TRUE(E.Finished) << E.ExceptionMsg;
        EXPECT_EQ(E.OutputFiles.size(), E.TaskIndex == 0 ? 1u : 2u);
    }
    const std::pair<std::string, double> Expected[] = {{"film_(new).mp3", 1000},
                                                       {"other_(new)_1_eng.mp3", 440},
                                                       {"other_(new)_2_fre.mp3", 1000}};
    for (const auto& [Name, Hz] : Expected) {
        const fixtures::TSound S = fixtures::DecodeSound(Out + "/" + Name);
        ASSERT_TRUE(S.Error.empty()) << Name << ": " << S.Error;
        EXPECT_NEAR(S.ToneHz(), Hz, Hz * 0.02) << Name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(Out), fs::directory_iterator()), 3);
    EXPECT_EQ(List.SubItem(1, colDestination), "other_(new)_1_eng.mp3 (+1)");

    // Back to the rule: the row lists as before.
    ApplyTrackChoice(List, 0, Model, 0);
    EXPECT_EQ(List.Record(0).AudioTrack, -1);
    EXPECT_EQ(List.data(List.index(0, colSource)).toString().toStdString(), Film);
}

// A track's tail never makes a name longer than the file system takes: the file's own name gives
// way, the number and the tail stay whole, in every layout.
TEST(TrackNames, TheTailFitsANameAtTheLengthLimit)
{
    test::TTempFolder Dir;
    const std::string Source = "/films/" + std::string(300, 'x') + ".mkv";
    const TAudioTrack French{2, 2, "fre", "aac", 2, "", false};
    for (const TOutputLayout Layout : {TOutputLayout::Flat, TOutputLayout::Tree}) {
        TOutputNaming Naming;
        Naming.Layout = Layout;
        TReservedNames Reserved;
        const std::string Folder = Dir.File(std::to_string(int(Layout)));
        fs::create_directories(Folder);
        const std::string Planned = PlannedOutput(Folder, Source, "/films", {}, ".mp3", Naming);
        const bool Flat = Layout == TOutputLayout::Flat;
        for (const char* Ending : {Flat ? "x_(new)_2_fre.mp3" : "x_2_fre.mp3", "x_(new_1)_2_fre.mp3"}) {
            const TOutputChoice C =
                ChooseOutput(Planned, Source, Naming, Reserved, TrackNameTail(French));
            ASSERT_TRUE(C.Error.empty()) << C.Error;
            const std::string Name = fs::path(C.Name).filename().string();
            EXPECT_LE(Name.size(), MaxNameBytes(Folder));
            EXPECT_TRUE(Name.ends_with(Ending)) << Name;
            test::WriteBytes(C.Name, "taken");
        }
    }
}
