#include "app/FormatCatalogue.h"

#include <algorithm>
#include <charconv>

namespace zelta {

static_assert(FormatNameDefault == AudioProfileNames[FormatCodeDefault],
              "the default FormatName names the profile of the default FormatCode");

namespace {

const std::string EmptyName;

bool SameAsciiPrefix(std::string_view Text, std::string_view Prefix)
{
    if (Text.size() < Prefix.size())
        return false;
    for (std::size_t I = 0; I < Prefix.size(); ++I) {
        char A = Text[I], B = Prefix[I];
        if (A >= 'A' && A <= 'Z')
            A = char(A - 'A' + 'a');
        if (B >= 'A' && B <= 'Z')
            B = char(B - 'A' + 'a');
        if (A != B)
            return false;
    }
    return true;
}

// A decimal number written as std::to_string writes it (no sign, blank or leading zero).
std::optional<int> CanonicalNumber(std::string_view Text)
{
    int Value = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Error != std::errc() || End != Text.data() + Text.size() || Value < 0 ||
        std::to_string(Value) != Text)
        return std::nullopt;
    return Value;
}

}  // namespace

bool IsFormatCode(int Code)
{
    return Code >= 0 && CategoryOfFormatCode(Code) < FormatCategoryCount &&
           SlotOfFormatCode(Code) < FormatSlotCount;
}

void TFormatNameTable::Clear()
{
    for (auto& Category : FNames)
        for (auto& Name : Category)
            Name.clear();
}

const std::string& TFormatNameTable::Name(int Category, int Slot) const
{
    if (Category < 0 || Category >= FormatCategoryCount || Slot < 0 || Slot >= FormatSlotCount)
        return EmptyName;
    return FNames[size_t(Category)][size_t(Slot)];
}

void TFormatNameTable::SetName(int Category, int Slot, std::string Name)
{
    if (Category < 0 || Category >= FormatCategoryCount || Slot < 0 || Slot >= FormatSlotCount)
        return;
    FNames[size_t(Category)][size_t(Slot)] = std::move(Name);
}

TFormatCatalogue BuiltInFormatCatalogue()
{
    TFormatCatalogue Result;
    Result.Categories.push_back({AudioCategory, std::string(AudioCategoryName), TCategoryIcon::Audio});
    for (std::size_t Slot = 0; Slot < AudioProfileNames.size(); ++Slot)
        Result.Names.SetName(AudioCategory, int(Slot), std::string(AudioProfileNames[Slot]));
    return Result;
}

TFormatCatalogue ReadFormatCatalogue(const TIniFile& Catalogue)
{
    TFormatCatalogue Result = BuiltInFormatCatalogue();

    std::array<std::string, FormatCategoryCount> Declared;
    for (const auto& [Key, Value] : Catalogue.ReadSectionValues(SectionCategories)) {
        const std::optional<int> Number = CanonicalNumber(Key);
        if (Number && *Number >= 1 && *Number < FormatCategoryCount && Declared[size_t(*Number)].empty())
            Declared[size_t(*Number)] = Value;
    }

    // One pass over the section names finds the entries; only those sections are read.
    for (const std::string& Section : Catalogue.ReadSections()) {
        if (!SameAsciiPrefix(Section, SectionFormatInfoPrefix))
            continue;
        const std::optional<int> Code =
            CanonicalNumber(std::string_view(Section).substr(SectionFormatInfoPrefix.size()));
        if (!Code || !IsFormatCode(*Code))
            continue;
        const int Category = CategoryOfFormatCode(*Code);
        if (Category == AudioCategory || Declared[size_t(Category)].empty())
            continue;
        std::string Name = Catalogue.ReadString(Section, KeyProfileName, "");
        if (!Name.empty())
            Result.Names.SetName(Category, SlotOfFormatCode(*Code), std::move(Name));
    }

    for (int Number = 1; Number < FormatCategoryCount; ++Number)
        if (!Declared[size_t(Number)].empty())
            Result.Categories.push_back({Number, Declared[size_t(Number)], TCategoryIcon::Video});
    return Result;
}

std::vector<TFormatProfile> ListFormatProfiles(const TFormatCatalogue& Catalogue)
{
    std::vector<TFormatProfile> Result;
    for (const TFormatCategory& Category : Catalogue.Categories)
        for (int Slot = 0; Slot < FormatSlotCount; ++Slot) {
            const std::string& Name = Catalogue.Names.Name(Category.Number, Slot);
            if (!Name.empty())
                Result.push_back({FormatCodeOf(Category.Number, Slot), Name});
        }
    return Result;
}

const std::string& FormatProfileName(const TFormatCatalogue& Catalogue, int Code)
{
    if (!IsFormatCode(Code))
        return EmptyName;
    return Catalogue.Names.Name(CategoryOfFormatCode(Code), SlotOfFormatCode(Code));
}

std::string CatalogueFormat(const TIniFile& Catalogue, int Code)
{
    return Catalogue.ReadString(FormatInfoSection(Code), KeyFormat, FormatDefault);
}

std::string CatalogueFileExt(const TIniFile& Catalogue, int Code)
{
    return Catalogue.ReadString(FormatInfoSection(Code), KeyFileExt, FileExtDefault);
}

std::vector<std::string> SplitCatalogueList(std::string_view Value)
{
    std::vector<std::string> Items;
    std::size_t Start = 0;
    for (;;) {
        const std::size_t Comma = Value.find(',', Start);
        if (Comma == std::string_view::npos) {
            Items.emplace_back(Value.substr(Start));
            return Items;
        }
        Items.emplace_back(Value.substr(Start, Comma - Start));
        Start = Comma + 1;
    }
}

std::optional<std::vector<std::string>> CatalogueList(const TIniFile& Catalogue, int Code,
                                                      std::string_view ListKey)
{
    const std::string Value =
        Catalogue.ReadString(FormatInfoSection(Code), ListKey, ListNotApplicable);
    if (Value == ListNotApplicable)
        return std::nullopt;
    return SplitCatalogueList(Value);
}

int CatalogueDefaultIndex(const TIniFile& Catalogue, int Code, std::string_view IndexKey)
{
    return Catalogue.ReadInteger(FormatInfoSection(Code), IndexKey, 0);
}

std::optional<std::string> CatalogueDefaultItem(const TIniFile& Catalogue, int Code,
                                                const TCatalogueListKey& Key)
{
    const auto Items = CatalogueList(Catalogue, Code, Key.List);
    if (!Items)
        return std::nullopt;
    const int Index = CatalogueDefaultIndex(Catalogue, Code, Key.Index);
    if (Index < 0 || std::size_t(Index) >= Items->size())
        return std::nullopt;
    return (*Items)[size_t(Index)];
}

TStoredFormat ReadStoredFormat(const TIniFile& Settings)
{
    TStoredFormat Result;
    Result.Name = Settings.ReadString(SectionSettings, KeyFormatName, FormatNameDefault);
    Result.Code = Settings.ReadInteger(SectionSettings, KeyFormatCode, FormatCodeDefault);
    return Result;
}

bool StoreFormatChoice(TIniFile& Settings, std::string_view Name, int Code)
{
    const bool NameStored = Settings.WriteString(SectionSettings, KeyFormatName, Name);
    const bool CodeStored = Settings.WriteString(SectionSettings, KeyFormatCode, std::to_string(Code));
    return NameStored && CodeStored;
}

int AudioFormatComboDropDownCount()
{
    return std::min(int(AudioFormatComboItems.size()), 20);
}

int ReadOutputFormatIndex(const TIniFile& Settings)
{
    return Settings.ReadInteger(SectionSettings, KeyOutPutFormat, 0);
}

bool StoreOutputFormatIndex(TIniFile& Settings, int Index)
{
    return Settings.WriteInteger(SectionSettings, KeyOutPutFormat, Index);
}

}  // namespace zelta
