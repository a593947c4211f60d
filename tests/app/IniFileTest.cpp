#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFolder.h"

namespace fs = std::filesystem;
using zelta::TIniFile;
using zelta::test::ReadBytes;
using zelta::test::TTempFolder;
using zelta::test::WriteBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    // An INI file in a fresh folder holding Content.
    TIniFile Make(const std::string& Content, const std::string& Name = "test.ini")
    {
        WriteBytes(Folder.File(Name), Content);
        return TIniFile(Folder.File(Name));
    }

    std::size_t EntriesInFolder() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(Folder.Path()), fs::directory_iterator()));
    }

    TTempFolder Folder;
};

// ---------------------------------------------------------------- reading

TEST_F(IniFileTest, NamesAreComparedWithoutLetterCase)
{
    auto Ini = Make("[Settings]\nSnapOutPutDir=/snaps\nPriority=2\nparazoom=pan\n");
    EXPECT_EQ(Ini.ReadString("settings", "snapOutPutDir", "x"), "/snaps");
    EXPECT_EQ(Ini.ReadInteger("SETTINGS", "priority", -1), 2);
    EXPECT_EQ(Ini.ReadString("settings", "paraZoom", "x"), "pan");
    // Only ASCII letters fold: other bytes must match exactly.
    auto Utf8 = Make("[s]\n\xC3\x84pfel=1\n", "utf8.ini");
    EXPECT_EQ(Utf8.ReadString("s", "\xC3\x84pfel", "d"), "1");
    EXPECT_EQ(Utf8.ReadString("s", "\xC3\xA4pfel", "d"), "d");
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin)
{
    auto Ini = Make("[a]\nk=first\nk=second\n[b]\nk=other\n[A]\nk=third\nonlyLater=1\n");
    EXPECT_EQ(Ini.ReadString("a", "k", "d"), "first");
    EXPECT_EQ(Ini.ReadString("b", "k", "d"), "other");
    // Keys of a repeated section are invisible.
    EXPECT_EQ(Ini.ReadString("a", "onlyLater", "d"), "d");
    EXPECT_FALSE(Ini.ValueExists("a", "onlyLater"));
    EXPECT_EQ(Ini.ReadSection("a"), (std::vector<std::string>{"k"}));
    EXPECT_EQ(Ini.ReadSections(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(IniFileTest, ValuesAreReadAsWritten)
{
    auto Ini = Make("[s]\n"
                    "quoted=\"a b\"\n"
                    "  spaced key  =  inner  text \t\n"
                    "eq=a=b\n"
                    "empty=\n"
                    "escape=c:\\new\\table\n"
                    "[ padded section ]trailing\n"
                    "x=1\n");
    EXPECT_EQ(Ini.ReadString("s", "quoted", "d"), "\"a b\"");
    EXPECT_EQ(Ini.ReadString("s", "spaced key", "d"), "inner  text");
    EXPECT_EQ(Ini.ReadString("s", "eq", "d"), "a=b");
    EXPECT_EQ(Ini.ReadString("s", "empty", "d"), "");
    EXPECT_TRUE(Ini.ValueExists("s", "empty"));
    EXPECT_EQ(Ini.ReadString("s", "escape", "d"), "c:\\new\\table");
    EXPECT_EQ(Ini.ReadString("padded section", "x", "d"), "1");
    EXPECT_EQ(Ini.ReadString(" padded section ", " x ", "d"), "1");
}

TEST_F(IniFileTest, NonKeyLinesAreNotKeys)
{
    auto Ini = Make("orphan=1\n"
                    "[s]\n"
                    ";commented=1\n"
                    "#hashed=1\n"
                    "noequals\n"
                    "=novalue\n"
                    "[broken\n"
                    "real=yes\n");
    EXPECT_EQ(Ini.ReadString("s", "orphan", "d"), "d");
    EXPECT_EQ(Ini.ReadString("s", ";commented", "d"), "d");
    EXPECT_EQ(Ini.ReadString("s", "#hashed", "d"), "d");
    EXPECT_EQ(Ini.ReadString("s", "noequals", "d"), "d");
    // "[broken" has no "]" and therefore does not end section "s".
    EXPECT_EQ(Ini.ReadString("s", "real", "d"), "yes");
    EXPECT_EQ(Ini.ReadSection("s"), (std::vector<std::string>{"real"}));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGiveDefaults)
{
    TIniFile Missing(Folder.File("absent.ini"));
    EXPECT_EQ(Missing.ReadString("s", "k", "def"), "def");
    EXPECT_EQ(Missing.ReadInteger("s", "k", 17), 17);
    EXPECT_TRUE(Missing.ReadBool("s", "k", true));
    EXPECT_FALSE(Missing.SectionExists("s"));
    EXPECT_TRUE(Missing.ReadSections().empty());
    EXPECT_FALSE(fs::exists(Folder.File("absent.ini")));

    auto Ini = Make("[s]\nk=v\n[empty]\n");
    EXPECT_EQ(Ini.ReadString("other", "k", "def"), "def");
    EXPECT_EQ(Ini.ReadString("s", "other", "def"), "def");
    EXPECT_TRUE(Ini.SectionExists("EMPTY"));
    EXPECT_TRUE(Ini.ReadSection("empty").empty());
}

TEST_F(IniFileTest, CrlfFilesAndByteOrderMarkRead)
{
    auto Ini = Make("\xEF\xBB\xBF[settings]\r\nvolume=12\r\nOutPutDir=/out dir\r\n");
    EXPECT_EQ(Ini.ReadInteger("settings", "volume", 0), 12);
    EXPECT_EQ(Ini.ReadString("settings", "OutPutDir", ""), "/out dir");
}

TEST_F(IniFileTest, IntegerRule)
{
    struct TCase {
        const char* Text;
        int Expected;
    };
    const TCase Cases[] = {
        {"42", 42},           {" -7 ", -7},          {"+3", 3},
        {"00012", 12},        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", -99},  {"-2147483649", -99},  {"99999999999999999999", -99},
        {"12abc", -99},       {"0x10", -99},         {"1.5", -99},
        {"", -99},            {"-", -99},            {"+ 1", -99},
        {"1 2", -99},         {"yes", -99},
    };
    std::string Content = "[n]\n";
    for (std::size_t I = 0; I < std::size(Cases); ++I)
        Content += "k" + std::to_string(I) + "=" + Cases[I].Text + "\n";
    auto Ini = Make(Content);
    for (std::size_t I = 0; I < std::size(Cases); ++I)
        EXPECT_EQ(Ini.ReadInteger("n", "k" + std::to_string(I), -99), Cases[I].Expected)
            << "text \"" << Cases[I].Text << "\"";

    int Value = 5;
    EXPECT_FALSE(zelta::ParseIniInteger("x", Value));
    EXPECT_EQ(Value, 5);
}

TEST_F(IniFileTest, BooleansAreIntegers)
{
    auto Ini = Make("[b]\none=1\nzero=0\ntwo=2\nminus=-1\nword=true\n");
    EXPECT_TRUE(Ini.ReadBool("b", "one", false));
    EXPECT_FALSE(Ini.ReadBool("b", "zero", true));
    EXPECT_TRUE(Ini.ReadBool("b", "two", false));
    EXPECT_TRUE(Ini.ReadBool("b", "minus", false));
    // Not an integer: the default, whichever it is.
    EXPECT_TRUE(Ini.ReadBool("b", "word", true));
    EXPECT_FALSE(Ini.ReadBool("b", "word", false));
    EXPECT_FALSE(Ini.ReadBool("b", "missing", false));
}

TEST_F(IniFileTest, SectionListings)
{
    auto Ini = Make("[formatInfo1]\nDescription=MP3\niVolume=2\nIVOLUME=9\n"
                    "[lstformat]\n0=1\n[FORMATINFO1]\nlater=1\n[formatInfo2]\n");
    EXPECT_EQ(Ini.ReadSections(),
              (std::vector<std::string>{"formatInfo1", "lstformat", "formatInfo2"}));
    const auto Values = Ini.ReadSectionValues("formatinfo1");
    ASSERT_EQ(Values.size(), 2u);
    EXPECT_EQ(Values[0], (std::pair<std::string, std::string>{"Description", "MP3"}));
    EXPECT_EQ(Values[1], (std::pair<std::string, std::string>{"iVolume", "2"}));
    EXPECT_TRUE(Ini.SectionExists("formatInfo2"));
    EXPECT_FALSE(Ini.SectionExists("formatInfo3"));
}

// ---------------------------------------------------------------- writing

TEST_F(IniFileTest, ChangingAKeyKeepsEveryOtherByte)
{
    const std::string Before = "; settings of the converter\r\n"
                               "\r\n"
                               "[unknown]\r\n"
                               "volume=99\r\n"
                               "\r\n"
                               "[Settings]\r\n"
                               "  Volume = 5\r\n"
                               "# a remark\r\n"
                               "mute=1\r\n"
                               "volume=6\r\n"
                               "\r\n"
                               "[settings]\r\n"
                               "volume=7\r\n";
    auto Ini = Make(Before);
    ASSERT_TRUE(Ini.WriteInteger("settings", "volume", 100)) << Ini.LastError();
    std::string Expected = Before;
    Expected.replace(Expected.find("  Volume = 5"), 12, "  Volume = 100");
    EXPECT_EQ(ReadBytes(Ini.FileName()), Expected);
    EXPECT_EQ(Ini.ReadInteger("settings", "volume", 0), 100);
    EXPECT_TRUE(Ini.LastError().empty());
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    const std::string Before = "[a]\n"
                               "x=1\n"
                               "; about b\n"
                               "\n"
                               "[b]\n"
                               "y=2\n"
                               "\n"
                               "\n";
    auto Ini = Make(Before);
    ASSERT_TRUE(Ini.WriteString("A", "z", "new"));
    ASSERT_TRUE(Ini.WriteString("b", "w", "also"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "[a]\n"
                                         "x=1\n"
                                         "z=new\n"
                                         "; about b\n"
                                         "\n"
                                         "[b]\n"
                                         "y=2\n"
                                         "w=also\n"
                                         "\n"
                                         "\n");
}

TEST_F(IniFileTest, NewKeyInKeylessSectionFollowsTheHeader)
{
    auto Ini = Make("[empty]\r\n; nothing yet\r\n[next]\r\nk=v\r\n");
    ASSERT_TRUE(Ini.WriteBool("empty", "0", true));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "[empty]\r\n0=1\r\n; nothing yet\r\n[next]\r\nk=v\r\n");
}

TEST_F(IniFileTest, NewSectionIsAppendedAtTheEnd)
{
    auto NoFinalNewline = Make("[a]\r\nx=1", "a.ini");
    ASSERT_TRUE(NoFinalNewline.WriteBool("lstformat", "0", false));
    EXPECT_EQ(ReadBytes(NoFinalNewline.FileName()), "[a]\r\nx=1\r\n\r\n[lstformat]\r\n0=0\r\n");

    auto EndsBlank = Make("[a]\nx=1\n\n", "b.ini");
    ASSERT_TRUE(EndsBlank.WriteString("b", "k", "v"));
    EXPECT_EQ(ReadBytes(EndsBlank.FileName()), "[a]\nx=1\n\n[b]\nk=v\n");

    // A key appended to a last line without a line ending gets one first.
    auto Unterminated = Make("[a]\nx=1", "c.ini");
    ASSERT_TRUE(Unterminated.WriteString("a", "y", "2"));
    EXPECT_EQ(ReadBytes(Unterminated.FileName()), "[a]\nx=1\ny=2\n");
}

TEST_F(IniFileTest, FirstWriteCreatesFileAndFolder)
{
    const std::string Path = (Folder.Path() / "deeper" / "zelta" / "new.ini").string();
    TIniFile Ini(Path);
    ASSERT_TRUE(Ini.WriteInteger("settings", "volume", -3)) << Ini.LastError();
    ASSERT_TRUE(Ini.WriteString("settings", "OutPutDir", "/home/u/videoconverter"));
    EXPECT_EQ(ReadBytes(Path), "[settings]\nvolume=-3\nOutPutDir=/home/u/videoconverter\n");
    EXPECT_EQ(Ini.ReadInteger("settings", "volume", 0), -3);
}

TEST_F(IniFileTest, WritesGoToTheFirstOccurrence)
{
    auto Ini = Make("[s]\nk=1\nk=2\n[S]\nk=3\nother=4\n");
    ASSERT_TRUE(Ini.WriteString("s", "k", "changed"));
    ASSERT_TRUE(Ini.WriteString("s", "other", "new"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "[s]\nk=changed\nk=2\nother=new\n[S]\nk=3\nother=4\n");
}

TEST_F(IniFileTest, WritesThatTheFileCannotHoldAreRefused)
{
    const std::string Before = "[s]\nk=1\n";
    auto Ini = Make(Before);
    EXPECT_FALSE(Ini.WriteString("s", "k", "two\nlines"));
    EXPECT_FALSE(Ini.LastError().empty());
    EXPECT_FALSE(Ini.WriteString("s", "a=b", "v"));
    EXPECT_FALSE(Ini.WriteString("s", ";k", "v"));
    EXPECT_FALSE(Ini.WriteString("s", "  ", "v"));
    EXPECT_FALSE(Ini.WriteString("", "k", "v"));
    EXPECT_FALSE(Ini.WriteString("a\r\nb", "k", "v"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), Before);
    // A later success clears the error.
    EXPECT_TRUE(Ini.WriteString("s", "k", "2"));
    EXPECT_TRUE(Ini.LastError().empty());
}

TEST_F(IniFileTest, DeleteKeyAndEraseSection)
{
    auto Ini = Make("top=1\n[a]\nk=1\nx=2\nK=3\n[b]\nk=4\n; b ends\n[A]\nk=5\n[c]\nz=6\n");
    ASSERT_TRUE(Ini.DeleteKey("a", "k"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "top=1\n[a]\nx=2\n[b]\nk=4\n; b ends\n[A]\nk=5\n[c]\nz=6\n");
    ASSERT_TRUE(Ini.EraseSection("A"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "top=1\n[b]\nk=4\n; b ends\n[c]\nz=6\n");
    EXPECT_FALSE(Ini.SectionExists("a"));

    TIniFile Missing(Folder.File("none.ini"));
    EXPECT_TRUE(Missing.DeleteKey("a", "k"));
    EXPECT_TRUE(Missing.EraseSection("a"));
    EXPECT_FALSE(fs::exists(Missing.FileName()));
}

TEST_F(IniFileTest, ReplacementKeepsModeAndSymbolicLink)
{
    auto Ini = Make("[s]\nk=1\n", "real.ini");
    ASSERT_EQ(::chmod(Ini.FileName().c_str(), 0640), 0);
    fs::create_symlink("real.ini", Folder.Path() / "link.ini");

    TIniFile ThroughLink(Folder.File("link.ini"));
    ASSERT_TRUE(ThroughLink.WriteString("s", "k", "2")) << ThroughLink.LastError();
    EXPECT_TRUE(fs::is_symlink(Folder.Path() / "link.ini"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "[s]\nk=2\n");
    EXPECT_EQ(fs::status(Ini.FileName()).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left behind.
    EXPECT_EQ(EntriesInFolder(), 2u);
}

TEST_F(IniFileTest, UnchangedWriteLeavesTheFileAlone)
{
    auto Ini = Make("[s]\nk=1\n");
    struct stat Before {};
    ASSERT_EQ(::stat(Ini.FileName().c_str(), &Before), 0);
    ASSERT_TRUE(Ini.WriteInteger("s", "k", 1));
    struct stat After {};
    ASSERT_EQ(::stat(Ini.FileName().c_str(), &After), 0);
    EXPECT_EQ(Before.st_ino, After.st_ino);
}

TEST_F(IniFileTest, RandomFilesWriteOneKeyAndNothingElse)
{
    // Random mixtures of headers, keys, duplicates, comments, junk and both line endings: a write
    // must make its key read back and leave every other key's value and every section alone.
    const char* Pieces[] = {"[a]", "[A]", "[b]", " [ c ] ", "k=1", "K = 2", "x=3", "y=",
                            "; k=9", "", "junk", "=v", "[bad", "\t x = 4 "};
    const char* Sections[] = {"a", "b", "c", "d"};
    const char* Keys[] = {"k", "x", "y", "z"};
    std::mt19937 Random(7);
    const std::string Path = Folder.File("random.ini");
    for (int Round = 0; Round < 300; ++Round) {
        std::string Content;
        const int Lines = static_cast<int>(Random() % 12);
        for (int L = 0; L < Lines; ++L) {
            Content += Pieces[Random() % std::size(Pieces)];
            if (L + 1 < Lines || Random() % 2)
                Content += (Random() % 2) ? "\r\n" : "\n";
        }
        WriteBytes(Path, Content);
        TIniFile Ini(Path);
        std::vector<std::string> Before;
        for (auto S : Sections)
            for (auto K : Keys)
                Before.push_back(Ini.ReadString(S, K, "<none>"));
        const auto SectionsBefore = Ini.ReadSections();

        const std::size_t S = Random() % std::size(Sections);
        const std::size_t K = Random() % std::size(Keys);
        const std::string Value = "v" + std::to_string(Round);
        ASSERT_TRUE(Ini.WriteString(Sections[S], Keys[K], Value)) << Ini.LastError();

        std::size_t I = 0;
        for (std::size_t Si = 0; Si < std::size(Sections); ++Si)
            for (std::size_t Ki = 0; Ki < std::size(Keys); ++Ki, ++I)
                EXPECT_EQ(Ini.ReadString(Sections[Si], Keys[Ki], "<none>"),
                          (Si == S && Ki == K) ? Value : Before[I])
                    << "round " << Round << ", content:\n" << Content;
        auto SectionsAfter = Ini.ReadSections();
        if (SectionsAfter.size() == SectionsBefore.size() + 1 &&
            SectionsAfter.back() == Sections[S])
            SectionsAfter.pop_back();
        EXPECT_EQ(SectionsAfter, SectionsBefore) << "round " << Round;
    }
}

// ---------------------------------------------------------------- failures

TEST_F(IniFileTest, WriteBelowARegularFileFailsWithReason)
{
    WriteBytes(Folder.File("plain"), "not a folder");
    const std::string Path = Folder.File("plain") + "/settings.ini";
    TIniFile Ini(Path);
    EXPECT_FALSE(Ini.WriteString("s", "k", "v"));
    EXPECT_EQ(Ini.LastError().rfind("Cannot write settings file " + Path + ": ", 0), 0u)
        << Ini.LastError();
    EXPECT_GT(Ini.LastError().size(), ("Cannot write settings file " + Path + ": ").size());
    EXPECT_EQ(ReadBytes(Folder.File("plain")), "not a folder");
    // Reads of such a path are plain defaults.
    EXPECT_EQ(Ini.ReadString("s", "k", "d"), "d");
}

TEST_F(IniFileTest, FolderOrPipeAtThePathReadsAsDefaultsAndIsNotReplaced)
{
    fs::create_directory(Folder.Path() / "dir.ini");
    fs::create_directory(Folder.Path() / "dir.ini" / "inside");
    TIniFile Dir(Folder.File("dir.ini"));
    EXPECT_EQ(Dir.ReadInteger("s", "k", 8), 8);
    EXPECT_TRUE(Dir.ReadSections().empty());
    EXPECT_FALSE(Dir.WriteString("s", "k", "v"));
    EXPECT_NE(Dir.LastError().find("Is a directory"), std::string::npos) << Dir.LastError();
    EXPECT_FALSE(Dir.EraseSection("s"));
    EXPECT_TRUE(fs::is_directory(Folder.Path() / "dir.ini" / "inside"));

    // A pipe must neither block the read nor be replaced by a write.
    ASSERT_EQ(::mkfifo(Folder.File("pipe.ini").c_str(), 0600), 0);
    TIniFile Pipe(Folder.File("pipe.ini"));
    EXPECT_EQ(Pipe.ReadString("s", "k", "d"), "d");
    EXPECT_FALSE(Pipe.WriteString("s", "k", "v"));
    EXPECT_EQ(fs::status(Folder.File("pipe.ini")).type(), fs::file_type::fifo);
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileByteIdentical)
{
    // A file-size limit makes the write of the new content fail the way a full disk does, and it
    // binds root as well. The old file was written before the limit was set.
    const std::string Before = "[s]\r\nk=1\r\n; keep me\r\n";
    auto Ini = Make(Before);
    const std::string Big(64 * 1024, 'x');

    struct rlimit Old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &Old), 0);
    const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit Small = Old;
    Small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &Small), 0);
    const bool Written = Ini.WriteString("s", "k", Big);
    ::setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, OldHandler);

    EXPECT_FALSE(Written);
    EXPECT_EQ(Ini.LastError().rfind("Cannot write settings file " + Ini.FileName() + ": ", 0), 0u)
        << Ini.LastError();
    EXPECT_EQ(ReadBytes(Ini.FileName()), Before);
    EXPECT_EQ(EntriesInFolder(), 1u) << "temporary file left behind";
}

TEST_F(IniFileTest, WriteIntoReadOnlyFolderFailsForOrdinaryUsers)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root; the size-limit test covers this path";
    const std::string Before = "[s]\nk=1\n";
    auto Ini = Make(Before);
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0555), 0);
    const bool Written = Ini.WriteString("s", "k", "2");
    ::chmod(Folder.Path().c_str(), 0755);
    EXPECT_FALSE(Written);
    EXPECT_EQ(Ini.LastError(), "Cannot write settings file " + Ini.FileName() +
                                   ": Permission denied");
    EXPECT_EQ(ReadBytes(Ini.FileName()), Before);
}

// ---------------------------------------------------------------- hostile content

TEST_F(IniFileTest, BinaryJunkYieldsTheValidLines)
{
    std::mt19937 Random(20240611);
    std::string Junk;
    for (int I = 0; I < 200000; ++I)
        Junk.push_back(static_cast<char>(Random() & 0xFF));
    Junk.append(std::string("\0\0\xFF\xFE", 4));
    const std::string Content = Junk + "\n[settings]\nvolume=5\nmute=1\n" + Junk;
    auto Ini = Make(Content);
    EXPECT_EQ(Ini.ReadInteger("settings", "volume", 0), 5);
    EXPECT_TRUE(Ini.ReadBool("settings", "mute", false));
    EXPECT_EQ(Ini.ReadInteger("nothing", "volume", -1), -1);
    EXPECT_TRUE(Ini.SectionExists("settings"));
    // A write keeps the junk byte for byte.
    ASSERT_TRUE(Ini.WriteInteger("settings", "volume", 6));
    std::string Expected = Content;
    Expected.replace(Expected.find("volume=5"), 8, "volume=6");
    EXPECT_EQ(ReadBytes(Ini.FileName()), Expected);
}

TEST_F(IniFileTest, MegabyteLinesAreHandled)
{
    const std::string Long(1 << 20, 'x');
    const std::string Tail = "\n" + Long + "\nvolume=5\n[" + Long;
    auto Ini = Make("[settings]\nlong=" + Long + Tail);
    EXPECT_EQ(Ini.ReadString("settings", "long", ""), Long);
    EXPECT_EQ(Ini.ReadInteger("settings", "volume", 0), 5);
    ASSERT_TRUE(Ini.WriteString("settings", "long", "short"));
    EXPECT_EQ(ReadBytes(Ini.FileName()), "[settings]\nlong=short" + Tail);
}

TEST_F(IniFileTest, LargeFilesStayLinear)
{
    // 200,000 sections and keys: a quadratic lookup or listing would not finish.
    std::string Content;
    for (int I = 0; I < 200000; ++I)
        Content += "[formatInfo" + std::to_string(I) + "]\nDescription=profile " +
                   std::to_string(I) + "\n";
    auto Ini = Make(Content);
    EXPECT_EQ(Ini.ReadSections().size(), 200000u);
    EXPECT_EQ(Ini.ReadString("FORMATINFO199999", "description", ""), "profile 199999");
    ASSERT_TRUE(Ini.WriteString("formatInfo199999", "paraZoom", "pan"));
    EXPECT_EQ(Ini.ReadString("formatInfo199999", "paraZoom", ""), "pan");
}

}  // namespace
