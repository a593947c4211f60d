// The source file list on real media: adding (probing, skipping, duplicates), destination names
// with numbering, reservation and the folder fallback, removing, clearing, checking, and the
// Qt model's data.
#include "app/SettingsKeys.h"
#include "app/SourceList.h"
#include "EnvOverride.h"
#include "TempFolder.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

using namespace zelta;
namespace fs = std::filesystem;

namespace {

class TRecordingPrompts : public TUserPrompts {
public:
    void ShowMessage(std::string_view Caption, std::string_view Text) override
    {
        Messages.emplace_back(std::string(Caption), std::string(Text));
    }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    std::vector<std::pair<std::string, std::string>> Messages;
};

// A home folder, settings with profile 0 (FileExt "mp3", parazoom "pan") and an output folder,
// all in a temporary folder.
class SourceList : public ::testing::Test {
protected:
    SourceList()
        : Home(Dir.File("home")), HomeVar("HOME", Home), Settings(Dir.File("settings/zelta.ini")),
          Catalogue(Dir.File("catalogue.ini")), Out(Dir.File("out"))
    {
        fs::create_directories(Home);
        test::WriteBytes(Catalogue.FileName(), "[formatInfo0]\nFormat=mp3\nFileExt=mp3\n");
        fs::create_directories(fs::path(Settings.FileName()).parent_path());
        test::WriteBytes(Settings.FileName(), "[settings]\nFormatCode=0\nOutPutDir=" + Out +
                                                  "\n[formatInfo0]\nparaZoom=pan\n");
    }

    TSourceListModel::TAddResult Add(const std::vector<std::string>& Paths)
    {
        return List.AddFiles(Paths, Converter, "", Settings, Catalogue, Prompts);
    }

    // A copy of a fixture under a name of our own.
    std::string Copy(const std::string& From, const std::string& Name)
    {
        const std::string To = Dir.File(Name);
        fs::create_directories(fs::path(To).parent_path());
        fs::copy_file(From, To, fs::copy_options::overwrite_existing);
        return To;
    }

    test::TTempFolder Dir;
    std::string Home;
    test::TEnvOverride HomeVar;
    TIniFile Settings;
    TIniFile Catalogue;
    std::string Out;
    TRecordingPrompts Prompts;
    TFFConverter Converter;
    TSourceListModel List;
};

} // namespace

TEST_F(SourceList, AddProbesEachFileIntoACheckedRowWithItsRecord)
{
    const auto& F = fixtures::Fixtures();
    const auto R = Add({F.Wav, F.AviMpeg4Mp3, F.Mp4H264Aac});
    EXPECT_EQ(R.Added, 3);
    EXPECT_FALSE(R.LibrariesFailed || R.Stopped);
    ASSERT_EQ(List.RowCount(), 3);
    EXPECT_EQ(Converter.TaskCount(), 0); // adding only probes
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_TRUE(fs::is_directory(Out)); // the stored folder is made on demand

    const std::vector<std::string> Sources = {F.Wav, F.AviMpeg4Mp3, F.Mp4H264Aac};
    for (int Row = 0; Row < 3; ++Row) {
        SCOPED_TRACE(Row);
        const TlvFilesRecord& Rec = List.Record(Row);
        EXPECT_EQ(List.Caption(Row), Sources[size_t(Row)]);
        EXPECT_TRUE(List.Checked(Row));
        EXPECT_EQ(Rec.PickIndex, Row);
        EXPECT_EQ(Rec.SrcFile, Sources[size_t(Row)]);
        EXPECT_EQ(Rec.Duration, 2);
        EXPECT_EQ(List.SubItem(Row, colLength), "2");
        EXPECT_EQ(List.SubItem(Row, colTrimmedLength), "2");
        EXPECT_EQ(List.SubItem(Row, colProgress), "");
        // The name that Start writes: "." + FileExt, no "_ipod".
        const std::string Stem = fs::path(Sources[size_t(Row)]).stem().string();
        EXPECT_EQ(Rec.DstFile, Out + "/" + Stem + "_(new).mp3");
        EXPECT_EQ(List.SubItem(Row, colDestination), Stem + "_(new).mp3");
        EXPECT_EQ(Rec.ZoomMode, "pan");
        EXPECT_EQ(Rec.TrimStart, 0);
        EXPECT_EQ(Rec.TrimLength, 0);
        EXPECT_EQ(Rec.Brightness, 255);
        EXPECT_EQ(Rec.Saturation, 255);
        EXPECT_EQ(Rec.Contrast, 0);
        EXPECT_EQ(Rec.Exposure, 0);
        EXPECT_TRUE(Rec.WaterMarks.empty());
    }

    // Without a stored profile zoom the record takes "lbox".
    ASSERT_TRUE(Settings.DeleteKey("formatInfo0", "paraZoom"));
    ASSERT_EQ(Add({F.Mp3}).Added, 1);
    EXPECT_EQ(List.Record(3).ZoomMode, "lbox");
}

TEST_F(SourceList, AddSkipsFoldersMissingUnopenableAndDuplicatePaths)
{
    const auto& F = fixtures::Fixtures();
    const auto R = Add({Dir.Path().string(), Dir.File("missing.wav"), F.TextFile, F.ZeroByte,
                        F.Truncated, F.Wav});
    EXPECT_EQ(R.Added, 1);
    ASSERT_EQ(List.RowCount(), 1);
    EXPECT_EQ(List.Caption(0), F.Wav);
    EXPECT_EQ(List.Record(0).PickIndex, 5); // position among the chosen paths
    EXPECT_EQ(Converter.TaskCount(), 0);
    EXPECT_TRUE(Prompts.Messages.empty());

    // The same path again, in a second add and twice in one: still one row.
    EXPECT_EQ(Add({F.Wav, F.Wav}).Added, 0);
    EXPECT_EQ(List.RowCount(), 1);

    // Captions compare case-sensitively: two files whose names differ only in case are two rows.
    const std::string Lower = Copy(F.Wav, "case/song.wav");
    const std::string Upper = Copy(F.Wav, "case/SONG.WAV");
    EXPECT_EQ(Add({Lower, Upper, Lower}).Added, 2);
    EXPECT_EQ(List.FindCaption(Lower), 1);
    EXPECT_EQ(List.FindCaption(Upper), 2);
    EXPECT_EQ(List.FindCaption(Dir.File("case/Song.wav")), -1);
}

TEST_F(SourceList, NonWholeDurationIsTruncated)
{
    fixtures::TMediaSpec Spec;
    Spec.Format = "wav";
    Spec.AudioEncoders = {"pcm_s16le"};
    Spec.SampleRate = 8000;
    Spec.Channels = 1;
    Spec.Seconds = 59.9;
    const std::string File = Dir.File("long.wav");
    fixtures::MakeMedia(File, Spec);

    ASSERT_EQ(Add({File}).Added, 1);
    EXPECT_EQ(List.Record(0).Duration, 59);
    EXPECT_EQ(List.SubItem(0, colLength), "59");
    EXPECT_EQ(List.SubItem(0, colTrimmedLength), "59");
}

TEST_F(SourceList, DestinationNumberingAndReservation)
{
    fs::create_directories(Out);
    test::WriteBytes(Out + "/song_(new).mp3", "x");
    test::WriteBytes(Out + "/song_(new_1).mp3", "x");

    EXPECT_EQ(BuildDestName("/music/song.wav", ".mp3", Settings, Prompts).Name,
              Out + "/song_(new_2).mp3");
    // Another suffix is another name; only the last extension of the source goes.
    EXPECT_EQ(BuildDestName("/music/song.wav", ".aac", Settings, Prompts).Name,
              Out + "/song_(new).aac");
    EXPECT_EQ(BuildDestName("/music/song.live.wav", ".mp3", Settings, Prompts).Name,
              Out + "/song.live_(new).mp3");

    // Two sources with the same name in one Start: the second gets the next free number.
    TReservedNames Reserved;
    EXPECT_EQ(BuildDestName("/a/song.wav", ".mp3", Settings, Prompts, &Reserved).Name,
              Out + "/song_(new_2).mp3");
    EXPECT_EQ(BuildDestName("/b/song.flac", ".mp3", Settings, Prompts, &Reserved).Name,
              Out + "/song_(new_3).mp3");
    EXPECT_EQ(Reserved, (TReservedNames{Out + "/song_(new_2).mp3", Out + "/song_(new_3).mp3"}));
    // Without the set nothing is held back.
    EXPECT_EQ(BuildDestName("/b/song.flac", ".mp3", Settings, Prompts).Name,
              Out + "/song_(new_2).mp3");

    // A stored folder with a trailing "/" gives no double slash; missing parents are made.
    ASSERT_TRUE(Settings.WriteString("settings", "OutPutDir", Out + "/deep/er/"));
    EXPECT_EQ(BuildDestName("/a/song.wav", ".mp3", Settings, Prompts).Name,
              Out + "/deep/er/song_(new).mp3");
    EXPECT_TRUE(fs::is_directory(Out + "/deep/er"));
    EXPECT_TRUE(Prompts.Messages.empty());

    // The row of an add shows the numbered name.
    ASSERT_TRUE(Settings.WriteString("settings", "OutPutDir", Out));
    const std::string Song = Copy(fixtures::Fixtures().Wav, "src/song.wav");
    ASSERT_EQ(Add({Song}).Added, 1);
    EXPECT_EQ(List.SubItem(0, colDestination), "song_(new_2).mp3");
}

// A look-up that fails other than with "no such file" ends the search with its reason instead of
// counting on: here the folder's path alone is longer than any path the system takes.
TEST_F(SourceList, AFailedLookUpEndsTheNameSearchWithItsReason)
{
    const std::string Deep = Out + "/" + std::string(5000, 'd');
    const TDestName Name = FreeDestName(Deep, "/a/song.wav", ".mp3");
    EXPECT_TRUE(Name.Name.empty());
    EXPECT_NE(Name.Error.find("the name is too long for the file system"), std::string::npos)
        << Name.Error;
}

TEST_F(SourceList, UncreatableFolderFallsBackToDefaultThenStops)
{
    // A folder under a regular file can never be made.
    test::WriteBytes(Dir.File("plain"), "x");
    const std::string Bad = Dir.File("plain") + "/out";
    ASSERT_TRUE(Settings.WriteString("settings", "OutPutDir", Bad));
    const std::string Default = DefaultOutputFolder();
    ASSERT_EQ(Default, Home + "/videoconverter");

    EXPECT_EQ(BuildDestName("/a/song.wav", ".mp3", Settings, Prompts).Name,
              Default + "/song_(new).mp3");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].first, "Warning");
    EXPECT_EQ(Prompts.Messages[0].second, "Cannot create output directory:" + Bad +
                                              ".It will create default directory " + Default +
                                              "!");
    EXPECT_TRUE(fs::is_directory(Default));
    EXPECT_EQ(Settings.ReadString("settings", "OutPutDir", ""), Default);

    // Neither folder can be made: the user is told, no name, and an add stops.
    ASSERT_TRUE(Settings.WriteString("settings", "OutPutDir", Bad));
    const test::TEnvOverride BadHome("HOME", Dir.File("plain"));
    Prompts.Messages.clear();
    EXPECT_TRUE(BuildDestName("/a/song.wav", ".mp3", Settings, Prompts).NoFolder);
    ASSERT_EQ(Prompts.Messages.size(), 2u);
    EXPECT_EQ(Prompts.Messages[1].first, "Error");
    EXPECT_NE(Prompts.Messages[1].second.find("Cannot create output directory: " +
                                              DefaultOutputFolder()),
              std::string::npos);

    Prompts.Messages.clear();
    const auto& F = fixtures::Fixtures();
    const auto R = Add({F.Wav, F.Mp3});
    EXPECT_TRUE(R.Stopped);
    EXPECT_EQ(R.Added, 0);
    EXPECT_TRUE(List.Empty());
    EXPECT_EQ(Prompts.Messages.size(), 2u); // told once, the second file not tried
    EXPECT_EQ(Converter.TaskCount(), 0);
}

TEST_F(SourceList, RemoveSelectsNeighbourAndClearEmpties)
{
    const auto& F = fixtures::Fixtures();
    TFFConverter Unused;
    EXPECT_FALSE(List.Clear(Unused)); // empty: nothing to do

    ASSERT_EQ(Add({F.Wav, F.Mp3, F.Flac}).Added, 3);
    EXPECT_EQ(List.RemoveRow(-1), -1); // no selection: nothing removed
    EXPECT_EQ(List.RemoveRow(3), -1);
    EXPECT_EQ(List.RowCount(), 3);

    EXPECT_EQ(List.RemoveRow(2), 1); // the last row: the new last row
    EXPECT_EQ(List.RowCount(), 2);
    EXPECT_EQ(List.RemoveRow(0), 0); // the row that took its index
    ASSERT_EQ(List.RowCount(), 1);
    EXPECT_EQ(List.Caption(0), F.Mp3);
    EXPECT_EQ(List.Record(0).SrcFile, F.Mp3);
    EXPECT_EQ(List.RemoveRow(0), -1); // the only row: the list is empty
    EXPECT_TRUE(List.Empty());

    ASSERT_EQ(Add({F.Wav, F.Mp3}).Added, 2);
    ASSERT_GE(Converter.AddTask(F.Wav), 0);
    EXPECT_TRUE(List.Clear(Converter));
    EXPECT_TRUE(List.Empty());
    EXPECT_EQ(Converter.TaskCount(), 0);
    // A cleared list takes the same files again.
    EXPECT_EQ(Add({F.Wav}).Added, 1);
}

TEST_F(SourceList, CheckCommandsAndModelData)
{
    const auto& F = fixtures::Fixtures();
    ASSERT_EQ(Add({F.Wav, F.Mp3, F.Flac}).Added, 3);
    int Changes = 0;
    QObject::connect(&List, &QAbstractItemModel::dataChanged,
                     [&Changes](const QModelIndex& A, const QModelIndex& B) {
                         EXPECT_EQ(A, B);
                         ++Changes;
                     });
    auto States = [this] {
        std::vector<bool> S;
        for (int Row = 0; Row < List.RowCount(); ++Row)
            S.push_back(List.Checked(Row));
        return S;
    };

    List.SetChecked(1, false);
    EXPECT_EQ(States(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(List.CheckedCount(), 2);
    List.ReverseCheck();
    EXPECT_EQ(States(), (std::vector<bool>{false, true, false}));
    List.CheckAll();
    EXPECT_EQ(States(), (std::vector<bool>{true, true, true}));
    List.UncheckAll();
    EXPECT_EQ(List.CheckedCount(), 0);
    EXPECT_EQ(Changes, 1 + 3 + 2 + 3);

    // The view's check box goes through the check-state role of column 0 only.
    const QModelIndex First = List.index(0, colSource);
    EXPECT_EQ(List.data(First, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(List.setData(First, Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(List.Checked(0));
    EXPECT_EQ(List.data(First, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(List.data(List.index(0, colLength), Qt::CheckStateRole).isValid());
    EXPECT_FALSE(List.setData(List.index(0, colLength), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(List.setData(First, QString("x"), Qt::EditRole));
    EXPECT_TRUE(List.flags(First) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(List.flags(List.index(0, colDestination)) & Qt::ItemIsUserCheckable);

    // Texts and headers.
    EXPECT_EQ(List.rowCount(), 3);
    EXPECT_EQ(List.columnCount(), 5);
    EXPECT_EQ(List.rowCount(First), 0); // a flat table
    EXPECT_EQ(List.data(First).toString().toStdString(), F.Wav);
    EXPECT_EQ(List.data(List.index(0, colLength)).toString(), "2");
    EXPECT_EQ(List.data(List.index(0, colDestination)).toString().toStdString(),
              fs::path(F.Wav).stem().string() + "_(new).mp3");
    const char* Captions[] = {"Source", "Length", "Trimmed Length", "Destination File",
                              "Progress"};
    for (int C = 0; C < 5; ++C)
        EXPECT_EQ(List.headerData(C, Qt::Horizontal).toString(), Captions[C]);
    EXPECT_FALSE(List.headerData(5, Qt::Horizontal).isValid());

    // The batch driver writes Progress, the trim dialog Trimmed Length; the caption stays.
    List.SetSubItem(2, colProgress, "45%");
    List.SetSubItem(2, colSource, "/elsewhere");
    EXPECT_EQ(List.data(List.index(2, colProgress)).toString(), "45%");
    EXPECT_EQ(List.Caption(2), F.Flac);
}

TEST(SourceListLook, RowColoursPerThemeAndDialogFilters)
{
    EXPECT_EQ(OddRowColor(0), qRgb(226, 230, 246)); // Default
    EXPECT_EQ(OddRowColor(1), qRgb(236, 236, 236)); // Gray
    EXPECT_EQ(OddRowColor(4), qRgb(247, 225, 225)); // Red
    EXPECT_EQ(OddRowColor(5), qRgb(226, 247, 225)); // Green
    EXPECT_EQ(OddRowColor(6), qRgb(225, 240, 247)); // Light blue
    EXPECT_EQ(OddRowColor(7), qRgb(235, 235, 235));
    EXPECT_EQ(OddRowColor(-1), qRgb(235, 235, 235));
    EXPECT_EQ(RowBackground(0, 2), qRgb(255, 255, 255));
    EXPECT_EQ(RowBackground(3, 2), qRgb(248, 242, 224)); // Orange
    EXPECT_EQ(RowBackground(5, 3), qRgb(246, 230, 241)); // Purple

    const std::vector<std::string> Filters = AddDialogFilters();
    ASSERT_EQ(Filters.size(), 36u);
    EXPECT_EQ(Filters[0].rfind("All Supported Video Formats (*.AVI *.avi *.AVM *.avm *.ASF", 0),
              0u);
    EXPECT_TRUE(Filters[0].ends_with("*.TP *.tp *.IFO *.ifo *.NSV *.nsv *.SWF *.swf)"));
    // The designed duplicate *.OGG appears once per case.
    const std::string& Audio = Filters[1];
    EXPECT_EQ(Audio.find("*.OGG"), Audio.rfind("*.OGG"));
    EXPECT_NE(Audio.find("*.ogg"), std::string::npos);
    EXPECT_EQ(Filters[2], "AVI files (*.avi) (*.AVI *.avi)");
    EXPECT_EQ(Filters[4], "MPEG files (*.mpg,*.mpeg) (*.MPG *.mpg *.MPEG *.mpeg)");
    EXPECT_EQ(Filters.back(), "All files (*.*) (*)");
}
