// CUE sheets in the encodings they come in, and the rows a sheet gives in the list: their
// captions, lengths, destinations and duplicates, through the adding a window does.
#include "app/CueSheet.h"
#include "app/Segments.h"
#include "app/SourceList.h"
#include "app/TrimLogic.h"
#include "EnvOverride.h"
#include "TempFolder.h"
#include "component/FFConverter.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>
#include <string>

using namespace zelta;
namespace fs = std::filesystem;

namespace {

std::string Sheet(const std::string& Performer, const std::string& Second)
{
    return "PERFORMER \"" + Performer + "\"\nTITLE \"Album\"\nFILE \"Tones.flac\" WAVE\n"
           "  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 01 00:00:00\n"
           "  TRACK 02 AUDIO\n    TITLE \"" + Second + "\"\n    INDEX 00 00:01:50\n"
           "    INDEX 01 00:02:00\n"
           "  TRACK 03 AUDIO\n    TITLE \"Three\"\n    PERFORMER \"Guest\"\n"
           "    INDEX 01 00:04:37\n";
}

std::string Encode(const char* To, const std::string& Utf8)
{
    iconv_t cd = iconv_open(To, "UTF-8");
    std::string out(Utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(Utf8.data());
    size_t inLeft = Utf8.size(), outLeft = out.size();
    char* dst = out.data();
    iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

class TSilentPrompts : public TUserPrompts {
public:
    void ShowMessage(std::string_view, std::string_view) override {}
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
};

// A home folder and settings with profile 0 (FileExt "mp3") in a temporary folder.
class SegmentRows : public ::testing::Test {
protected:
    SegmentRows()
    {
        fs::create_directories(Home);
        test::WriteBytes(Catalogue.FileName(), "[formatInfo0]\nFormat=mp3\nFileExt=mp3\n");
        fs::create_directories(Dir.File("settings"));
        test::WriteBytes(Settings.FileName(),
                         "[settings]\nFormatCode=0\nOutPutDir=" + Dir.File("out") + "\n");
    }

    test::TTempFolder Dir;
    const std::string Home = Dir.File("home");
    test::TEnvOverride HomeVar{"HOME", Home};
    TIniFile Settings{Dir.File("settings/zelta.ini")};
    TIniFile Catalogue{Dir.File("catalogue.ini")};
    TFFConverter Converter;
    TSilentPrompts Prompts;
};

}  // namespace

TEST(CueSheet, SheetsReadAlikeInEveryEncodingTheyComeIn)
{
    struct TCase {
        const char* Name;
        std::string Bytes;
        std::string Performer, Second;
    };
    const std::string japanese = Sheet("山田バンド", "ふたつめの曲");
    const std::string western = Sheet("Ærøskøbing Café", "Crème brûlée’s Noël");
    const TCase cases[] = {
        {"UTF-8", western, "Ærøskøbing Café", "Crème brûlée’s Noël"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + japanese, "山田バンド", "ふたつめの曲"},
        {"UTF-16LE with a mark", "\xFF\xFE" + Encode("UTF-16LE", japanese), "山田バンド",
         "ふたつめの曲"},
        {"Shift-JIS", Encode("CP932", japanese), "山田バンド", "ふたつめの曲"},
        // Its accents pair up as Shift-JIS kanji, yet it is Windows-1252.
        {"Windows-1252", Encode("CP1252", western), "Ærøskøbing Café", "Crème brûlée’s Noël"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TCueSheet s = ParseCueSheet(c.Bytes, "/music");
        ASSERT_EQ(s.Error, "");
        EXPECT_EQ(s.Performer, c.Performer);
        ASSERT_EQ(s.Tracks.size(), 3u);
        EXPECT_EQ(s.Tracks[1].Title, c.Second);
        EXPECT_EQ(s.Tracks[0].Performer, c.Performer);
        EXPECT_EQ(s.Tracks[2].Performer, "Guest");
        EXPECT_EQ(s.Tracks[1].File, "/music/Tones.flac");
        EXPECT_EQ(s.Tracks[1].Start, 150);
        EXPECT_EQ(s.Tracks[1].Pregap, 75 + 50);
        EXPECT_EQ(s.Tracks[2].Start, 4 * 75 + 37);
    }
    EXPECT_NE(ParseCueSheet("TRACK nonsense\n", "/").Error, "");
    EXPECT_NE(ParseCueSheet("", "/").Error, "");
}

TEST_F(SegmentRows, AnImageWithItsSheetGivesOneRowPerTrackOnce)
{

    fixtures::TMediaSpec spec;
    spec.Format = "flac";
    spec.AudioEncoders = {"flac"};
    spec.Seconds = 6.0;
    const std::string Image = Dir.File("Tones.flac");
    fixtures::MakeMedia(Image, spec);
    test::WriteBytes(Dir.File("Tones.cue"), Sheet("Band", "Two"));

    TSourceListModel List;
    // The image, then its sheet and the image again: three rows, each once.
    EXPECT_EQ(List.AddFiles({Image}, Converter, "", Settings, Catalogue, Prompts).Added, 3);
    EXPECT_EQ(List.AddFiles({Dir.File("Tones.cue"), Image}, Converter, "", Settings, Catalogue,
                            Prompts)
                  .Added,
              0);
    ASSERT_EQ(List.RowCount(), 3);
    const QModelIndex second = List.index(1, colSource);
    EXPECT_EQ(List.data(second).toString().toStdString(), "02 Two - Band");
    EXPECT_EQ(List.data(List.index(2, colSource)).toString().toStdString(), "03 Three - Guest");
    EXPECT_NE(List.data(second, Qt::ToolTipRole).toString().toStdString().find(Image),
              std::string::npos);
    EXPECT_EQ(List.Caption(1), Image);
    EXPECT_EQ(List.SubItem(0, colLength), "2");
    EXPECT_EQ(List.SubItem(1, colLength), "2"); // 2.49 s
    EXPECT_EQ(List.SubItem(2, colLength), "1"); // 1.51 s
    EXPECT_EQ(List.SubItem(1, colDestination), "Tones - 02 Two_(new).mp3");
    EXPECT_EQ(List.Record(2).Segment.Start, CueFramesToMicroseconds(4 * 75 + 37));
    EXPECT_EQ(List.Record(1).Segment.End, List.Record(2).Segment.Start);

    // A sheet whose file is missing is a row that says so.
    test::WriteBytes(Dir.File("Gone.cue"), "FILE \"Gone.wav\" WAVE\n  TRACK 01 AUDIO\n"
                                           "    INDEX 01 00:00:00\n");
    EXPECT_EQ(List.AddFiles({Dir.File("Gone.cue")}, Converter, "", Settings, Catalogue, Prompts)
                  .Added,
              1);
    EXPECT_EQ(List.ProgressError(3), "the CUE sheet names a file that is not there: Gone.wav");
}

TEST_F(SegmentRows, ARowSplitsIntoItsChaptersAndASheetTakesItsImageWhereverItStands)
{

    fixtures::TMediaSpec book;
    book.Format = "ipod";
    book.AudioEncoders = {"aac"};
    book.Seconds = 6.0;
    book.Chapters = {{0.0, "Opening"}, {2.5, "Middle"}, {4.2, "End"}};
    const std::string Book = Dir.File("Book.m4b");
    fixtures::MakeMedia(Book, book);
    TSourceListModel List;
    ASSERT_EQ(List.AddFiles({Book}, Converter, "", Settings, Catalogue, Prompts).Added, 1);
    EXPECT_EQ(SplitRowIntoChapters(List, 0, Settings, Catalogue), 3);
    ASSERT_EQ(List.RowCount(), 3);
    EXPECT_EQ(List.data(List.index(1, colSource)).toString().toStdString(), "02 Middle");
    EXPECT_EQ(List.SubItem(1, colDestination), "Book - 02 Middle_(new).mp3");
    EXPECT_EQ(List.SubItem(0, colLength), "2");
    EXPECT_EQ(SplitRowIntoChapters(List, 1, Settings, Catalogue), 0); // a piece already
    // With the preference on, adding splits at once.
    ASSERT_TRUE(WriteSplitChapters(Settings, true));
    TSourceListModel Split;
    EXPECT_EQ(Split.AddFiles({Book}, Converter, "", Settings, Catalogue, Prompts).Added, 3);

    // A sheet of another name than its image, after the image in the add: the tracks, once.
    fixtures::TMediaSpec image;
    image.Format = "flac";
    image.AudioEncoders = {"flac"};
    image.Seconds = 6.0;
    fixtures::MakeMedia(Dir.File("A.flac"), image);
    test::WriteBytes(Dir.File("Z.cue"), Sheet("Band", "Two").replace(
                                            Sheet("Band", "Two").find("Tones.flac"), 10, "A.flac"));
    TSourceListModel Tracks;
    EXPECT_EQ(Tracks.AddFiles({Dir.File("A.flac"), Dir.File("Z.cue")}, Converter, "", Settings,
                              Catalogue, Prompts)
                  .Added,
              3);
}

TEST(CueSheet, APiecesTrimIsARangeOfItsFileKeptWhereItOverlapsThePiece)
{
    TlvFilesRecord row;
    row.Segment.Kind = TSegmentKind::CueTrack;
    row.Segment.Start = 2000000;
    row.Segment.End = 5000000;
    // No trim: the piece, ending exactly at its end; the trim dialog shows it.
    TSourceRange r = RowRange(row);
    EXPECT_EQ(r.Start, 2000000);
    EXPECT_EQ(r.Length, 3000000);
    EXPECT_EQ(r.ExactEnd, 5000000);
    EXPECT_EQ(StoredTrimRange(row, 9000000), (TTrimRange{2000000, 5000000}));
    // A trim from 3 s to the file's end: from 3 s to the piece's end.
    row.TrimStart = 3000000;
    r = RowRange(row);
    EXPECT_EQ(r.Start, 3000000);
    EXPECT_EQ(r.Length, 2000000);
    EXPECT_EQ(r.ExactEnd, 5000000);
    // One ending inside the piece ends there, not exactly at a neighbour.
    row.TrimLength = 1000000;
    r = RowRange(row);
    EXPECT_EQ(r.Length, 1000000);
    EXPECT_EQ(r.ExactEnd, NoMediaTime);
    // One missing the piece is passed over.
    row.TrimStart = 6000000;
    r = RowRange(row);
    EXPECT_EQ(r.Start, 2000000);
    EXPECT_EQ(r.ExactEnd, 5000000);
}
