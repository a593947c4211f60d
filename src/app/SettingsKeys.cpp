#include "app/SettingsKeys.h"

#include "app/AppPaths.h"

namespace zelta {

namespace {

bool SameAsciiName(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        char X = A[I];
        char Y = B[I];
        if (X >= 'A' && X <= 'Z')
            X = static_cast<char>(X - 'A' + 'a');
        if (Y >= 'A' && Y <= 'Z')
            Y = static_cast<char>(Y - 'A' + 'a');
        if (X != Y)
            return false;
    }
    return true;
}

}  // namespace

std::string FormatInfoSection(int FormatCode)
{
    return std::string(SectionFormatInfoPrefix) + std::to_string(FormatCode);
}

std::string LstFormatKey(int Category)
{
    return std::to_string(Category);
}

const TSettingKey* FindSettingKey(std::string_view Key)
{
    for (const TSettingKey& Entry : SettingsTable)
        if (SameAsciiName(Entry.Key, Key))
            return &Entry;
    return nullptr;
}

int ReadSettingInteger(const TIniFile& Ini, std::string_view Key)
{
    const TSettingKey* Entry = FindSettingKey(Key);
    return Ini.ReadInteger(SectionSettings, Key, Entry ? Entry->IntegerDefault : 0);
}

std::string ReadSettingText(const TIniFile& Ini, std::string_view Key)
{
    const TSettingKey* Entry = FindSettingKey(Key);
    if (!Entry)
        return Ini.ReadString(SectionSettings, Key, "");
    switch (Entry->Type) {
    case TSettingType::Folder:
        return Ini.ReadString(SectionSettings, Key, DefaultOutputFolder());
    case TSettingType::Text:
        return Ini.ReadString(SectionSettings, Key, Entry->TextDefault);
    case TSettingType::Integer:
    case TSettingType::Boolean:
        break;
    }
    return Ini.ReadString(SectionSettings, Key,
                          Entry->TextDefault.empty() ? std::to_string(Entry->IntegerDefault)
                                                     : std::string(Entry->TextDefault));
}

std::string DefaultOutputFolder(std::string_view Home)
{
    return JoinPath(Home, "videoconverter");
}

std::string DefaultOutputFolder()
{
    return DefaultOutputFolder(HomeFolder());
}

}  // namespace zelta
