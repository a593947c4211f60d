// The application's one global object: the paths of the two INI files and the product strings.
//
// The main window creates it (CreateGlobalObject) when it is created and frees it
// (FreeGlobalObject) at the end of its close handler; every window reaches it through
// GlobalObject(), which is null outside that span. Main thread only.
#pragma once

#include <string>
#include <string_view>

#include "app/IniFile.h"

namespace zelta {

// Product strings the main window's creation puts into the global object.
inline constexpr std::string_view ProductNameText = "Zelta Video to Audio Converter";
inline constexpr std::string_view InitialVersionText = " ver 2.10 ";
inline constexpr std::string_view HelpPageAddress = "https://zelta.example.org/help/";
inline constexpr std::string_view HomePageAddress = "https://zelta.example.org/";
// The application title before the main window sets it to the product name.
inline constexpr std::string_view StartupApplicationTitle = "Zelta Video Converter";

class TGlobalObject {
public:
    // Setters that ignore a value keep the previous one, without a message.
    const std::string& HelpPage() const { return FHelpPage; }
    void SetHelpPage(std::string Value);          // ignored when empty
    const std::string& SettingsFile() const { return FSettingsFile; }
    void SetSettingsFile(std::string Value);      // ignored unless longer than 3 characters
    const std::string& CatalogueFile() const { return FCatalogueFile; }
    void SetCatalogueFile(std::string Value);     // ignored unless longer than 3 characters
    const std::string& ProductName() const { return FProductName; }
    void SetProductName(std::string Value);       // ignored when empty
    const std::string& VersionText() const { return FVersionText; }
    void SetVersionText(std::string Value);       // ignored when empty
    const std::string& HomePage() const { return FHomePage; }
    void SetHomePage(std::string Value);          // ignored when empty

    // The last N characters (UTF-8 code points) of S; all of S when it is shorter; "" for N <= 0.
    static std::string RightStr(std::string_view S, int N);

    // The program's own version (compiled in) as " major.minorreleasebuild ".
    static std::string GetFileVersionText();

    // The settings file; a fresh object per call, nothing is cached. A damaged file reads as
    // absent and is replaced (kept beside as a copy) by the first change of a setting.
    TIniFile Settings() const { return TIniFile(FSettingsFile, TDamagedFile::StartOver); }
    // The profile catalogue file (read only by the program); a damaged one reads as absent.
    TIniFile Catalogue() const { return TIniFile(FCatalogueFile, TDamagedFile::StartOver); }

private:
    std::string FHelpPage;
    std::string FSettingsFile;
    std::string FCatalogueFile;
    std::string FProductName;
    std::string FVersionText;
    std::string FHomePage;
};

// " " + Major + "." + Minor, Release and Build without separators + " ": 3.6.7.37 -> " 3.6737 ".
std::string FormatFileVersionText(unsigned Major, unsigned Minor, unsigned Release,
                                  unsigned Build);

// Number of code points in a UTF-8 text (bytes 0x80..0xBF continue a code point).
std::size_t Utf8Length(std::string_view S);

// Fills a new global object as the main window's creation does: the settings and catalogue paths
// (AppPaths), the product name, the initial version text and the two web addresses.
void InitialiseGlobalObject(TGlobalObject& Object);

// What the user is told at start-up about a damaged settings file or catalogue: one paragraph
// per damaged file naming it and why; empty when both are fine (or missing).
std::string DamagedFilesMessage(const TGlobalObject& Object);

// Creates the global object, replacing (and freeing) any existing one; returns it.
TGlobalObject& CreateGlobalObject();
// Frees the global object; GlobalObject() is null afterwards. Harmless when there is none.
void FreeGlobalObject();
// The global object, or null when none exists.
TGlobalObject* GlobalObject();

}  // namespace zelta
