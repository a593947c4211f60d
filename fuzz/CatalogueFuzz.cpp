// The profile catalogue loader on arbitrary bytes: categories, entries and every profile's data
// read without a crash, and every listed profile has a code of the table.
#include "FuzzSupport.h"

#include "app/FormatCatalogue.h"

using namespace zelta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Path = fuzz::ScratchFile(".catalogue.ini");
    fuzz::WriteFile(Path, fuzz::AsText(Data, Size));
    for (const TDamagedFile Policy : {TDamagedFile::Keep, TDamagedFile::StartOver}) {
        const TIniFile Catalogue(Path, Policy);
        const TFormatCatalogue Table = ReadFormatCatalogue(Catalogue);
        const std::vector<TFormatProfile> Profiles = ListFormatProfiles(Table);
        for (const TFormatProfile& P : Profiles)
            fuzz::Expect(IsFormatCode(P.Code), "a listed profile has a table code");
        // Every lookup reads the whole file: the data of a few profiles keeps an input fast.
        for (size_t I = 0; I < Profiles.size() && I < 3; ++I) {
            const TFormatProfile& P = Profiles[I];
            (void)CatalogueFormat(Catalogue, P.Code);
            (void)CatalogueFileExt(Catalogue, P.Code);
            for (const TCatalogueListKey& K : CatalogueListKeys) {
                (void)CatalogueList(Catalogue, P.Code, K.List);
                (void)CatalogueDefaultIndex(Catalogue, P.Code, K.Index);
                (void)CatalogueDefaultItem(Catalogue, P.Code, K);
            }
        }
    }
    ::unlink(Path.c_str());
    return 0;
}
