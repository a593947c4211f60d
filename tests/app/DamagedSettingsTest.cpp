// The settings store against damage and faults: damaged files are recognised, read as absent,
// left alone until a setting changes and then kept aside; a writer killed half-way leaves the old
// or the new file whole, never a mix (a refused write is covered with the store's own tests).
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace zelta;
using zelta::test::ReadBytes;
using zelta::test::TTempFolder;
using zelta::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

struct TDamaged {
    const char* Name;
    std::string Bytes;
    TIniDamage Damage;
};

// A settings file as the program writes it, then the ways it arrives broken.
const std::string Healthy = "[settings]\nOutPutDir=/music/out\nvolume=90\n[lstformat]\n0=0\n";

std::vector<TDamaged> DamagedFiles()
{
    return {
        {"empty", "", TIniDamage::Empty},
        {"blanks", "\xEF\xBB\xBF \r\n\n", TIniDamage::Empty},
        {"cut in a key name", Healthy.substr(0, 16), TIniDamage::Truncated},
        {"cut in a header", "[settings]\nvolume=90\n[lstfor", TIniDamage::Truncated},
        {"binary", std::string("[settings]\nvolume=90\n\0\x01\x02\xFF\xFE", 26), TIniDamage::Binary},
        {"text without section", "volume=90\nmute=1\n", TIniDamage::NoSection},
    };
}

std::vector<std::string> FolderEntries(const fs::path& Folder)
{
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(Folder))
        Names.push_back(E.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
}

}  // namespace

TEST(DamagedSettings, ProgramWrittenAndHandEditedFilesAreNotDamaged)
{
    EXPECT_EQ(InspectIniContent(Healthy), TIniDamage::None);
    EXPECT_EQ(InspectIniContent("\xEF\xBB\xBF[a]\r\nb=c\r\n"), TIniDamage::None);
    // A last line without line ending that is whole, and a code-page (not UTF-8) folder name.
    EXPECT_EQ(InspectIniContent("; mine\n[settings]\nOutPutDir=/m\xFCsik"), TIniDamage::None);
    EXPECT_EQ(InspectIniContent("[settings]\n\tvolume = 3\n[x]"), TIniDamage::None);
    TTempFolder Dir;
    EXPECT_EQ(InspectIniFile(Dir.File("missing.ini")), TIniDamage::None);
    EXPECT_EQ(InspectIniFile(Dir.Path().string()), TIniDamage::None); // a folder is unreadable
}

TEST(DamagedSettings, DamagedFileReadsAsDefaultsStaysUntouchedAndIsKeptAsideByTheFirstChange)
{
    for (const TDamaged& D : DamagedFiles()) {
        SCOPED_TRACE(D.Name);
        TTempFolder Dir;
        const std::string Path = Dir.File("zeltavideoaudioconverter.ini");
        WriteBytes(Path, D.Bytes);
        EXPECT_EQ(InspectIniFile(Path), D.Damage);

        TIniFile Ini(Path, TDamagedFile::StartOver);
        EXPECT_EQ(Ini.ReadInteger(SectionSettings, "volume", 7), 7);
        EXPECT_EQ(Ini.ReadString(SectionSettings, "OutPutDir", "dflt"), "dflt");
        EXPECT_FALSE(Ini.ValueExists(SectionSettings, "volume"));
        EXPECT_TRUE(Ini.ReadSections().empty());
        // Removing what the reader does not see changes nothing.
        EXPECT_TRUE(Ini.DeleteKey(SectionSettings, "volume"));
        EXPECT_TRUE(Ini.EraseSection(SectionLstFormat));
        EXPECT_EQ(ReadBytes(Path), D.Bytes);
        EXPECT_EQ(FolderEntries(Dir.Path()), std::vector<std::string>{"zeltavideoaudioconverter.ini"});

        // The plain object still sees the file as it is (the keys in the readable part).
        if (D.Damage == TIniDamage::Binary) {
            EXPECT_EQ(TIniFile(Path).ReadInteger(SectionSettings, "volume", 7), 90);
        }

        ASSERT_TRUE(Ini.WriteInteger(SectionSettings, "mute", 1)) << Ini.LastError();
        EXPECT_EQ(ReadBytes(Path), "[settings]\nmute=1\n");
        EXPECT_EQ(ReadBytes(Ini.DamagedCopyName()), D.Bytes);
        EXPECT_EQ(InspectIniFile(Path), TIniDamage::None);
        // From now on it is an ordinary file: a second change keeps the first.
        ASSERT_TRUE(Ini.WriteInteger(SectionSettings, "volume", 5));
        EXPECT_EQ(Ini.ReadInteger(SectionSettings, "mute", 0), 1);
        EXPECT_EQ(Ini.ReadInteger(SectionSettings, "volume", 0), 5);
        EXPECT_EQ(ReadBytes(Ini.DamagedCopyName()), D.Bytes);
    }
}

TEST(DamagedSettings, StartUpMessageNamesEachDamagedFile)
{
    TTempFolder Dir;
    TGlobalObject G;
    G.SetSettingsFile(Dir.File("settings.ini"));
    G.SetCatalogueFile(Dir.File("catalogue.ini"));
    EXPECT_EQ(DamagedFilesMessage(G), ""); // both missing: defaults without a word
    WriteBytes(G.CatalogueFile(), "[formatInfo0]\nFormat=mp3\n");
    WriteBytes(G.SettingsFile(), Healthy);
    EXPECT_EQ(DamagedFilesMessage(G), "");

    WriteBytes(G.SettingsFile(), std::string("\0\0\0\0", 4));
    std::string Message = DamagedFilesMessage(G);
    EXPECT_NE(Message.find(G.SettingsFile() + " cannot be used: it is not a text file"),
              std::string::npos) << Message;
    EXPECT_NE(Message.find(G.SettingsFile() + ".damaged"), std::string::npos) << Message;
    EXPECT_EQ(Message.find(G.CatalogueFile()), std::string::npos);

    WriteBytes(G.CatalogueFile(), "[formatInfo0]\nForm");
    Message = DamagedFilesMessage(G);
    EXPECT_NE(Message.find(G.CatalogueFile() + " cannot be used: it is cut off"), std::string::npos)
        << Message;
    EXPECT_EQ(G.Catalogue().ReadString("formatInfo0", "Format", "null"), "null");
}

// A writer killed at any moment leaves the file as it was before one of its writes or after it;
// never a mix, and never the wrong length; its temporary files go with the next write.
TEST(DamagedSettings, AWriterKilledAtAnyMomentLeavesAWholeFile)
{
    TTempFolder Dir;
    const std::string Path = Dir.File("settings.ini");
    const std::string A(200000, 'a');
    const std::string B(300000, 'b');
    const std::string Start = "[settings]\nbig=start\nkeep=1\n";
    const std::vector<std::string> Whole = {Start, "[settings]\nbig=" + A + "\nkeep=1\n",
                                            "[settings]\nbig=" + B + "\nkeep=1\n"};
    std::mt19937 Random(4711);
    for (int Round = 0; Round < 25; ++Round) {
        SCOPED_TRACE("round " + std::to_string(Round));
        WriteBytes(Path, Start);
        // The writer tells when its first write is done, so a slow machine (or a sanitizer
        // build) still kills it while it writes, not always before.
        int Ready[2];
        ASSERT_EQ(::pipe(Ready), 0);
        const pid_t Pid = ::fork();
        ASSERT_GE(Pid, 0);
        if (Pid == 0) {
            ::close(Ready[0]);
            TIniFile Ini(Path);
            for (int I = 0;; ++I) {
                Ini.WriteString("settings", "big", I % 2 ? B : A);
                if (I == 0 && ::write(Ready[1], "w", 1) != 1)
                    ::_exit(1);
            }
        }
        ::close(Ready[1]);
        char Byte = 0;
        ASSERT_EQ(::read(Ready[0], &Byte, 1), 1);
        ::close(Ready[0]);
        ::usleep(useconds_t(Random() % 20000));
        ::kill(Pid, SIGKILL);
        int Status = 0;
        ASSERT_EQ(::waitpid(Pid, &Status, 0), Pid);
        const std::string Now = ReadBytes(Path);
        EXPECT_NE(std::find(Whole.begin(), Whole.end(), Now), Whole.end())
            << "file of " << Now.size() << " bytes";
        EXPECT_EQ(TIniFile(Path).ReadString("settings", "keep", ""), "1");
    }
    // The next write clears what the killed writers left half-made.
    ASSERT_TRUE(TIniFile(Path).WriteString("settings", "big", "end"));
    EXPECT_EQ(FolderEntries(Dir.Path()), std::vector<std::string>{"settings.ini"});
}

// Two programs changing the settings at once (two windows, say) lose none of each other's
// updates: each read-modify-write holds the lock.
TEST(DamagedSettings, TwoWritersAtOnceLoseNoUpdate)
{
    TTempFolder Dir;
    const std::string Path = Dir.File("settings.ini");
    WriteBytes(Path, "[settings]\nkeep=1\n");
    constexpr int Keys = 25;
    std::vector<pid_t> Writers;
    for (const std::string Name : {"a", "b"}) {
        const pid_t Pid = ::fork();
        ASSERT_GE(Pid, 0);
        if (Pid == 0) {
            TIniFile Ini(Path);
            bool Ok = true;
            for (int I = 0; I < Keys; ++I)
                Ok = Ini.WriteInteger("settings", Name + std::to_string(I), I) && Ok;
            ::_exit(Ok ? 0 : 1);
        }
        Writers.push_back(Pid);
    }
    for (const pid_t Pid : Writers) {
        int Status = 0;
        ASSERT_EQ(::waitpid(Pid, &Status, 0), Pid);
        EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
    }
    const TIniFile Ini(Path);
    int Kept = 0;
    for (const std::string Name : {"a", "b"})
        for (int I = 0; I < Keys; ++I)
            Kept += Ini.ReadInteger("settings", Name + std::to_string(I), -1) == I;
    EXPECT_EQ(Kept, 2 * Keys);
    EXPECT_EQ(FolderEntries(Dir.Path()), std::vector<std::string>{"settings.ini"});
}
