#include "app/GlobalObject.h"

#include <memory>

#include "app/AppPaths.h"
#include "app/Translation.h"

namespace zelta {

namespace {

bool IsContinuationByte(char C)
{
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

// The single instance the design calls for; owned here, reached through GlobalObject().
std::unique_ptr<TGlobalObject>& Instance()
{
    static std::unique_ptr<TGlobalObject> Object;
    return Object;
}

}  // namespace

void TGlobalObject::SetHelpPage(std::string Value)
{
    if (!Value.empty())
        FHelpPage = std::move(Value);
}

void TGlobalObject::SetSettingsFile(std::string Value)
{
    if (Utf8Length(Value) > 3)
        FSettingsFile = std::move(Value);
}

void TGlobalObject::SetCatalogueFile(std::string Value)
{
    if (Utf8Length(Value) > 3)
        FCatalogueFile = std::move(Value);
}

void TGlobalObject::SetProductName(std::string Value)
{
    if (!Value.empty())
        FProductName = std::move(Value);
}

void TGlobalObject::SetVersionText(std::string Value)
{
    if (!Value.empty())
        FVersionText = std::move(Value);
}

void TGlobalObject::SetHomePage(std::string Value)
{
    if (!Value.empty())
        FHomePage = std::move(Value);
}

std::size_t Utf8Length(std::string_view S)
{
    std::size_t N = 0;
    for (const char C : S)
        if (!IsContinuationByte(C))
            ++N;
    return N;
}

std::string TGlobalObject::RightStr(std::string_view S, int N)
{
    if (N <= 0)
        return {};
    // Walk back over N code points; a code point starts at a byte that is not a continuation.
    std::size_t Pos = S.size();
    int Count = 0;
    while (Pos > 0) {
        --Pos;
        if (!IsContinuationByte(S[Pos]) && ++Count == N)
            return std::string(S.substr(Pos));
    }
    return std::string(S);
}

std::string FormatFileVersionText(unsigned Major, unsigned Minor, unsigned Release,
                                  unsigned Build)
{
    return " " + std::to_string(Major) + "." + std::to_string(Minor) + std::to_string(Release) +
           std::to_string(Build) + " ";
}

std::string TGlobalObject::GetFileVersionText()
{
    // "+ 0" keeps an empty definition (a project version without that component) compiling as 0.
    return FormatFileVersionText(ZELTA_VERSION_MAJOR + 0, ZELTA_VERSION_MINOR + 0,
                                 ZELTA_VERSION_PATCH + 0, ZELTA_VERSION_TWEAK + 0);
}

void InitialiseGlobalObject(TGlobalObject& Object)
{
    Object.SetSettingsFile(SettingsFilePath());
    Object.SetCatalogueFile(CatalogueFilePath());
    Object.SetProductName(std::string(ProductNameText));
    Object.SetVersionText(std::string(InitialVersionText));
    Object.SetHelpPage(std::string(HelpPageAddress));
    Object.SetHomePage(std::string(HomePageAddress));
}

TGlobalObject& CreateGlobalObject()
{
    Instance() = std::make_unique<TGlobalObject>();
    return *Instance();
}

void FreeGlobalObject()
{
    Instance().reset();
}

TGlobalObject* GlobalObject()
{
    return Instance().get();
}

std::string DamagedFilesMessage(const TGlobalObject& Object)
{
    std::string Message;
    const auto Add = [&Message](const std::string& Paragraph) {
        if (!Message.empty())
            Message += "\n\n";
        Message += Paragraph;
    };
    const TIniFile Settings = Object.Settings();
    if (const TIniDamage D = InspectIniFile(Settings.FileName()); D != TIniDamage::None)
        //: %2 says what is wrong with the file ("it is empty")
        Add(FillText(TrText("GlobalObject",
                            "The settings file %1 cannot be used: %2. The program starts with the "
                            "default settings and leaves the file as it is until a setting is "
                            "changed; it is then kept as %3."),
                     {Settings.FileName(), IniDamageText(D), Settings.DamagedCopyName()}));
    const std::string& Catalogue = Object.CatalogueFile();
    if (const TIniDamage D = InspectIniFile(Catalogue); D != TIniDamage::None)
        //: %2 says what is wrong with the file ("it is empty")
        Add(FillText(TrText("GlobalObject",
                            "The profile catalogue %1 cannot be used: %2. Only the built-in audio "
                            "formats are offered, with their default values."),
                     {Catalogue, IniDamageText(D)}));
    return Message;
}

}  // namespace zelta
