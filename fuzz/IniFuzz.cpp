// The settings store on arbitrary bytes: reading never fails or crashes, a written key reads back,
// the other keys of its section keep their values, and the damage policy never writes a damaged
// file until asked to.
#include "FuzzSupport.h"

#include "app/IniFile.h"

#include <fstream>
#include <iterator>
#include <string>

using namespace zelta;

namespace {

bool SameAscii(const std::string& A, const std::string& B) {
    if (A.size() != B.size())
        return false;
    for (size_t I = 0; I < A.size(); ++I) {
        const auto Fold = [](char C) { return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C; };
        if (Fold(A[I]) != Fold(B[I]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Path = fuzz::ScratchFile(".ini");
    const std::string_view Bytes = fuzz::AsText(Data, Size);
    fuzz::WriteFile(Path, Bytes);

    TIniFile Ini(Path);
    const std::vector<std::string> Sections = Ini.ReadSections();
    // Every call reads the whole file: a few sections and keys keep an input fast.
    for (size_t I = 0; I < Sections.size() && I < 4; ++I) {
        const auto Values = Ini.ReadSectionValues(Sections[I]);
        for (size_t K = 0; K < Values.size() && K < 8; ++K) {
            fuzz::Expect(Ini.ValueExists(Sections[I], Values[K].first), "a listed key exists");
            (void)Ini.ReadInteger(Sections[I], Values[K].first, 0);
        }
    }
    const TIniDamage Damage = InspectIniContent(Bytes);
    (void)IniDamageText(Damage);

    // The damage policy: a damaged file reads as nothing and survives a removal untouched.
    TIniFile Careful(Path, TDamagedFile::StartOver);
    if (Damage != TIniDamage::None) {
        fuzz::Expect(Careful.ReadSections().empty(), "a damaged file reads as empty");
        Careful.DeleteKey("settings", "volume");
        std::string Now;
        {
            std::ifstream In(Path, std::ios::binary);
            Now.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
        }
        fuzz::Expect(Now == Bytes, "a damaged file is not rewritten by a removal");
    }

    // A key written into the first section (or a new one) reads back, and every other key of
    // that section keeps its value.
    const std::string Section = Sections.empty() ? std::string("fuzz") : Sections.front();
    const bool SectionUsable = !Section.empty() && Section.find_first_of("\r\n") == std::string::npos;
    if (SectionUsable) {
        const auto Before = Ini.ReadSectionValues(Section);
        const std::string Value = "v" + std::to_string(Size);
        fuzz::Expect(Ini.WriteString(Section, "fuzzkey", Value), "a write into a file succeeds");
        fuzz::Expect(Ini.ReadString(Section, "fuzzkey", "") == Value, "a written key reads back");
        for (size_t K = 0; K < Before.size() && K < 16; ++K)
            if (const auto& [Key, Old] = Before[K]; !SameAscii(Key, "fuzzkey"))
                fuzz::Expect(Ini.ReadString(Section, Key, "\x01") == Old,
                             "other keys keep their values");
    }
    ::unlink(Path.c_str());
    return 0;
}
