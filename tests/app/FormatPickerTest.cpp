#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "app/FormatPickerModel.h"
#include "app/SettingsKeys.h"

#include "EnvOverride.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

using namespace zelta;
using namespace zelta::test;

namespace {

const std::string AacName = "AAC Advenced Audio Codec (*.aac)";

std::vector<std::string> Rows(const TFormatPickerModel& Model)
{
    std::vector<std::string> Result;
    for (int Row = 0; Row < Model.RowCount(); ++Row)
        Result.push_back(Model.RowText(Row));
    return Result;
}

std::vector<std::string> AudioNames()
{
    return std::vector<std::string>(AudioProfileNames.begin(), AudioProfileNames.end());
}

std::string Lower(std::string S)
{
    for (char& C : S)
        C = char(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

// A settings file and a catalogue in a fresh folder.
class TPicker : public testing::Test {
protected:
    TTempFolder Folder;
    TIniFile Settings{Folder.File("zeltavideoaudioconverter.ini")};
    TIniFile Catalogue{Folder.File("zeltaaudioformat.ini")};
    TFormatPickerModel Model;

    void WriteCatalogue(const std::string& Text) { WriteBytes(Catalogue.FileName(), Text); }
};

TEST_F(TPicker, FirstStartShowsTheDefaultProfileAndOneCollapsedCategory)
{
    const auto Fill = Model.FillFormatList(Settings, Catalogue); // neither file exists
    EXPECT_EQ(Rows(Model), std::vector<std::string>{"General Audio formates"});
    ASSERT_EQ(Model.RowCount(), 1);
    EXPECT_TRUE(Model.Item(0).IsCategory);
    EXPECT_FALSE(Model.Item(0).IsEntry);
    EXPECT_TRUE(Model.Item(0).Collapsed);
    EXPECT_EQ(Model.Item(0).Code, 0);
    // The text box names the profile that Add and Start use: FormatCode 1, AAC.
    EXPECT_EQ(Fill.Text, AacName);
    EXPECT_EQ(Fill.SelectedRow, -1);
    const TStoredFormat Stored = ReadStoredFormat(Settings);
    EXPECT_EQ(Stored.Code, 1);
    EXPECT_EQ(Stored.Name, FormatProfileName(Model.Catalogue(), Stored.Code));
    EXPECT_FALSE(std::filesystem::exists(Settings.FileName())) << "filling writes nothing";
}

TEST_F(TPicker, ClickingTheAacEntryStoresItsNameAndCode)
{
    Model.FillFormatList(Settings, Catalogue);
    // A press on the header outside the glyph column does nothing.
    auto Click = Model.MouseDown(0, 20, Settings);
    EXPECT_FALSE(Click.Toggled);
    EXPECT_FALSE(Click.Chosen);
    EXPECT_EQ(Model.RowCount(), 1);

    Click = Model.MouseDown(0, 19, Settings);
    EXPECT_TRUE(Click.Toggled);
    EXPECT_FALSE(Click.Chosen);
    ASSERT_EQ(Model.RowCount(), 11);

    Click = Model.MouseDown(2, 150, Settings);
    EXPECT_TRUE(Click.Chosen);
    EXPECT_FALSE(Click.Toggled);
    EXPECT_TRUE(Click.Stored);
    EXPECT_EQ(Click.Name, AacName);
    EXPECT_EQ(Click.Code, 1);
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeyFormatName, ""), AacName);
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeyFormatCode, ""), "1");

    // An entry is chosen wherever it is pressed, also in the glyph column.
    Click = Model.MouseDown(7, 3, Settings);
    EXPECT_TRUE(Click.Chosen);
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeyFormatName, ""), "AC-3 Audio Codec (*.ac3)");
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeyFormatCode, ""), "6");

    EXPECT_FALSE(Model.MouseDown(-1, 5, Settings).Chosen);
    EXPECT_FALSE(Model.MouseDown(11, 5, Settings).Chosen);
}

TEST_F(TPicker, CollapsingAndExpandingRestoresTheEntriesInSlotOrder)
{
    WriteCatalogue("[Categories]\n1=Video\n[formatInfo100]\nName=V0\n[formatInfo101]\nName=V1\n");
    Model.FillFormatList(Settings, Catalogue);
    ASSERT_EQ(Rows(Model), (std::vector<std::string>{"General Audio formates", "Video"}));

    Model.ExpandCategory(1);
    Model.ExpandCategory(0);
    std::vector<std::string> Expected = {"General Audio formates"};
    for (const auto& Name : AudioNames())
        Expected.push_back(Name);
    Expected.insert(Expected.end(), {"Video", "V0", "V1"});
    ASSERT_EQ(Rows(Model), Expected);
    for (int Slot = 0; Slot < 10; ++Slot) {
        EXPECT_TRUE(Model.Item(1 + Slot).IsEntry);
        EXPECT_EQ(Model.Item(1 + Slot).Code, Slot);
    }
    EXPECT_EQ(Model.Item(12).Code, 100);
    EXPECT_EQ(Model.Item(13).Code, 101);

    // Collapsing removes only the header's own entries.
    Model.CollapseCategory(0);
    EXPECT_EQ(Rows(Model), (std::vector<std::string>{"General Audio formates", "Video", "V0", "V1"}));
    EXPECT_TRUE(Model.Item(0).Collapsed);
    Model.DoubleClick(0);
    EXPECT_EQ(Rows(Model), Expected);
    EXPECT_FALSE(Model.Item(0).Collapsed);

    // A double click on an entry, or a toggle of a non-header row, changes nothing.
    Model.DoubleClick(3);
    Model.ToggleCategory(10);
    Model.ExpandCategory(14); // no such row
    Model.ExpandCategory(0);  // already open
    EXPECT_EQ(Rows(Model), Expected);

    Model.DoubleClick(11); // the last header
    EXPECT_TRUE(Model.Item(11).Collapsed);
    EXPECT_EQ(Model.RowCount(), 12);
}

TEST_F(TPicker, TheModelReportsEveryRowChangeToItsViews)
{
    Model.FillFormatList(Settings, Catalogue);
    std::vector<std::pair<int, int>> Inserted, Removed;
    QObject::connect(&Model, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int First, int Last) { Inserted.emplace_back(First, Last); });
    QObject::connect(&Model, &QAbstractItemModel::rowsRemoved,
                     [&](const QModelIndex&, int First, int Last) { Removed.emplace_back(First, Last); });
    Model.ExpandCategory(0);
    Model.CollapseCategory(0);
    EXPECT_EQ(Inserted, (std::vector<std::pair<int, int>>{{1, 10}}));
    EXPECT_EQ(Removed, (std::vector<std::pair<int, int>>{{1, 10}}));

    Model.ExpandCategory(0);
    EXPECT_EQ(Model.rowCount(), 11);
    const QModelIndex Header = Model.index(0), Entry = Model.index(2);
    EXPECT_EQ(Model.data(Header).toString().toStdString(), "General Audio formates");
    EXPECT_TRUE(Model.data(Header, Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(Model.data(Header, TFormatPickerModel::IsCategoryRole).toBool());
    EXPECT_EQ(Model.data(Header, TFormatPickerModel::CategoryIconRole).toInt(), int(TCategoryIcon::Audio));
    EXPECT_EQ(Model.data(Entry).toString().toStdString(), AacName);
    EXPECT_EQ(Model.data(Entry, TFormatPickerModel::CodeRole).toInt(), 1);
    EXPECT_EQ(Model.data(Entry, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 128));
    EXPECT_EQ(Model.data(Entry, TFormatPickerModel::CategoryIconRole).toInt(), -1);
}

TEST_F(TPicker, TheCollapseStateIsStoredAndRestored)
{
    WriteCatalogue("[Categories]\n1=One\n2=Two\n[formatInfo100]\nName=A\n[formatInfo200]\nName=B\n"
                   "[formatInfo201]\nName=C\n");
    Model.FillFormatList(Settings, Catalogue);
    Model.ExpandCategory(0);
    Model.ExpandCategory(12); // "Two", below the ten audio entries and "One"
    ASSERT_TRUE(Model.SaveFormatListState(Settings));
    EXPECT_EQ(Settings.ReadString(SectionLstFormat, "0", ""), "0");
    EXPECT_EQ(Settings.ReadString(SectionLstFormat, "1", ""), "1");
    EXPECT_EQ(Settings.ReadString(SectionLstFormat, "2", ""), "0");

    // The stored choice is an entry of an expanded category: the next start selects it.
    StoreFormatChoice(Settings, "B", 200);
    TFormatPickerModel Next;
    const auto Fill = Next.FillFormatList(Settings, Catalogue);
    std::vector<std::string> Expected = {"General Audio formates"};
    for (const auto& Name : AudioNames())
        Expected.push_back(Name);
    Expected.insert(Expected.end(), {"One", "Two", "B", "C"});
    EXPECT_EQ(Rows(Next), Expected);
    EXPECT_FALSE(Next.Item(0).Collapsed);
    EXPECT_TRUE(Next.Item(11).Collapsed);
    EXPECT_FALSE(Next.Item(12).Collapsed);
    EXPECT_EQ(Fill.Text, "B");
    EXPECT_EQ(Fill.SelectedRow, 13);

    // The selection matches the trimmed stored text without letter case.
    Settings.WriteString(SectionSettings, KeyFormatName, "  aac ADVENCED audio codec (*.AAC)  ");
    EXPECT_EQ(Next.FillFormatList(Settings, Catalogue).SelectedRow, 2);
    EXPECT_EQ(Next.FindRow("AAC Advenced Audio Codec"), -1);
}

TEST_F(TPicker, DeclaredCategoriesFollowTheAudioCategoryInNumberOrder)
{
    WriteCatalogue("[Categories]\n"
                   "7=Seven\n"
                   "0=Not the audio category\n"
                   "2=Two\n"
                   "12=Twelve\n"
                   "02=Leading zero\n"
                   "51=Out of range\n"
                   "9=\n"
                   "2=Second Two\n"
                   "[formatInfo0]\nName=Not an audio name\n"
                   "[formatInfo7]\nName=Not a new audio entry\n"
                   "[formatInfo201]\nName=Two-1\n"
                   "[formatInfo200]\nName=Two-0\n"
                   "[formatInfo202]\nFormat=mp4\n"
                   "[FORMATINFO700]\nName=Seven-0\n"
                   "[formatInfo900]\nName=Undeclared\n"
                   "[formatInfo1250]\nName=Twelve-50\n"
                   "[formatInfo1251]\nName=Beyond the slots\n"
                   "[formatInfo0700]\nName=Not canonical\n");
    const TFormatCatalogue C = ReadFormatCatalogue(Catalogue);
    std::vector<std::pair<int, std::string>> Categories;
    for (const auto& Category : C.Categories)
        Categories.emplace_back(Category.Number, Category.Name);
    EXPECT_EQ(Categories, (std::vector<std::pair<int, std::string>>{
                              {0, "General Audio formates"}, {2, "Two"}, {7, "Seven"}, {12, "Twelve"}}));
    EXPECT_EQ(C.Categories[0].Icon, TCategoryIcon::Audio);
    for (std::size_t I = 1; I < C.Categories.size(); ++I)
        EXPECT_EQ(C.Categories[I].Icon, TCategoryIcon::Video);

    std::vector<std::pair<int, std::string>> Profiles;
    for (const auto& P : ListFormatProfiles(C))
        Profiles.emplace_back(P.Code, P.Name);
    std::vector<std::pair<int, std::string>> Expected;
    for (int Slot = 0; Slot < 10; ++Slot)
        Expected.emplace_back(Slot, AudioNames()[size_t(Slot)]);
    Expected.insert(Expected.end(), {{200, "Two-0"}, {201, "Two-1"}, {700, "Seven-0"}, {1250, "Twelve-50"}});
    EXPECT_EQ(Profiles, Expected);

    Model.FillFormatList(Settings, Catalogue);
    EXPECT_EQ(Rows(Model), (std::vector<std::string>{"General Audio formates", "Two", "Seven", "Twelve"}));
    EXPECT_EQ(Model.Item(3).Code, 12);
    EXPECT_EQ(Model.data(Model.index(1), TFormatPickerModel::CategoryIconRole).toInt(),
              int(TCategoryIcon::Video));
}

TEST_F(TPicker, FillingShowsSlots0To30AndExpandingSlots0To49WithoutGaps)
{
    WriteCatalogue("[Categories]\n5=Five\n"
                   "[formatInfo500]\nName=S0\n[formatInfo502]\nName=S2\n[formatInfo530]\nName=S30\n"
                   "[formatInfo531]\nName=S31\n[formatInfo549]\nName=S49\n[formatInfo550]\nName=S50\n");
    Settings.WriteBool(SectionLstFormat, "5", false);
    Model.FillFormatList(Settings, Catalogue);
    EXPECT_EQ(Rows(Model),
              (std::vector<std::string>{"General Audio formates", "Five", "S0", "S2", "S30"}));

    Model.CollapseCategory(1);
    Model.ExpandCategory(1);
    EXPECT_EQ(Rows(Model), (std::vector<std::string>{"General Audio formates", "Five", "S0", "S2",
                                                     "S30", "S31", "S49"}));
    EXPECT_EQ(Model.Item(6).Code, 549);
}

TEST(PickerGeometry, HeightsAndTops)
{
    EXPECT_EQ(PickerFillGeometry(1, 300).Height, 40);
    EXPECT_EQ(PickerFillGeometry(1, 300).Top, 300 - 40 + 412);
    EXPECT_EQ(PickerFillGeometry(18, 0).Height, 380);
    EXPECT_EQ(PickerFillGeometry(19, 0).Height, 379);
    EXPECT_EQ(PickerClickGeometry(8, 100).Height, 180);
    EXPECT_EQ(PickerClickGeometry(8, 100).Top, 100 - 180 + 423);
    EXPECT_EQ(PickerClickGeometry(18, 0).Height, 379);
    EXPECT_EQ(PickerClickGeometry(19, 0).Height, 379);
}

TEST(AudioFormatCombo, ItemsAndStoredIndex)
{
    EXPECT_EQ(AudioFormatComboItems.size(), 6u);
    EXPECT_EQ(AudioFormatComboItems[0], "WAV - Waveform Audio (*.wav)");
    EXPECT_EQ(AudioFormatComboItems[5], "OGG Vorbis Audio Codec (*.ogg)");
    EXPECT_EQ(AudioFormatComboDropDownCount(), 6);
    TTempFolder Folder;
    TIniFile Settings(Folder.File("s.ini"));
    EXPECT_EQ(ReadOutputFormatIndex(Settings), 0);
    ASSERT_TRUE(StoreOutputFormatIndex(Settings, 4));
    EXPECT_EQ(ReadOutputFormatIndex(Settings), 4);
    ASSERT_TRUE(StoreOutputFormatIndex(Settings, -1)); // the profile dialog's never-filled combo
    EXPECT_EQ(Settings.ReadString(SectionSettings, KeyOutPutFormat, ""), "-1");
}

TEST(CatalogueLists, SplitAsWrittenAndNullMeansNotApplicable)
{
    EXPECT_EQ(SplitCatalogueList("a,b,"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(SplitCatalogueList("pcm_mulaw , x"), (std::vector<std::string>{"pcm_mulaw ", " x"}));
    EXPECT_EQ(SplitCatalogueList(""), (std::vector<std::string>{""}));

    TTempFolder Folder;
    WriteBytes(Folder.File("c.ini"), "[formatInfo3]\nVideoSize=null\nChannel=mono 1 channel,stereo 2 channels\n"
                                     "iChannel=1\nVolume=100%\niVolume=4\n");
    TIniFile Catalogue(Folder.File("c.ini"));
    EXPECT_FALSE(CatalogueList(Catalogue, 3, KeyListVideoSize));
    EXPECT_FALSE(CatalogueList(Catalogue, 3, KeyListAudioEncoder)); // missing reads as "null"
    EXPECT_EQ(CatalogueDefaultItem(Catalogue, 3, {KeyListChannel, KeyIChannel}), "stereo 2 channels");
    EXPECT_FALSE(CatalogueDefaultItem(Catalogue, 3, {KeyListVolume, KeyIVolume})); // index outside
    EXPECT_EQ(CatalogueFormat(Catalogue, 3), "null");
    EXPECT_EQ(CatalogueFileExt(Catalogue, 3), "mp4");
    EXPECT_EQ(CatalogueFileExt(Catalogue, 99), "mp4");
}

// ---- the catalogue shipped beside the program ----

class TShippedCatalogue : public testing::Test {
protected:
    TEnvOverride NoHome{"ZELTA_HOME", ""};
    TIniFile Catalogue{CatalogueFilePath()};
    TFormatCatalogue Content = ReadFormatCatalogue(Catalogue);
};

TEST_F(TShippedCatalogue, DeclaresTheVideoCategoriesAfterTheAudioOne)
{
    ASSERT_TRUE(std::filesystem::exists(Catalogue.FileName())) << Catalogue.FileName();
    std::vector<std::string> Names;
    for (const auto& C : Content.Categories)
        Names.push_back(std::to_string(C.Number) + " " + C.Name);
    EXPECT_EQ(Names, (std::vector<std::string>{"0 General Audio formates", "1 General Video formats",
                                               "2 DVD / VCD / SVCD", "3 Devices"}));
    EXPECT_EQ(FormatProfileName(Content, 100), "MP4 MPEG-4 H.264 Video (*.mp4)");
    EXPECT_EQ(CatalogueFormat(Catalogue, 200), "pal-dvd");
    std::set<std::string> Targets, Devices;
    for (int Slot = 0; Slot < 6; ++Slot)
        Targets.insert(CatalogueFormat(Catalogue, FormatCodeOf(2, Slot)));
    for (int Slot = 0; Slot < 4; ++Slot)
        Devices.insert(CatalogueFormat(Catalogue, FormatCodeOf(3, Slot)));
    EXPECT_EQ(Targets, (std::set<std::string>{"pal-dvd", "ntsc-dvd", "pal-vcd", "ntsc-vcd",
                                              "pal-svcd", "ntsc-svcd"}));
    EXPECT_EQ(Devices, (std::set<std::string>{"ipod", "psp", "ps3", "3gp"}));
}

TEST_F(TShippedCatalogue, EveryProfileIsReachableAndDescribed)
{
    TTempFolder Folder;
    TIniFile Settings(Folder.File("s.ini"));
    TFormatPickerModel Model;
    Model.FillFormatList(Settings, Catalogue);
    for (int Row = Model.RowCount() - 1; Row >= 0; --Row)
        Model.MouseDown(Row, 5, Settings); // expand every header, bottom up
    std::vector<int> Reached;
    for (int Row = 0; Row < Model.RowCount(); ++Row)
        if (Model.Item(Row).IsEntry)
            Reached.push_back(Model.Item(Row).Code);
    std::vector<int> Listed;
    for (const auto& P : ListFormatProfiles(Content))
        Listed.push_back(P.Code);
    EXPECT_EQ(Reached, Listed);
    EXPECT_EQ(Listed.size(), 10u + 6u + 6u + 4u);

    // The dialog's item tables (lower-case item text), by which the defaults become encoders.
    const std::set<std::string> VideoItems = {"mpeg-4", "xvid", "h264", "wmv1", "wmv2", "flv",
                                              "mpeg1video", "mpeg2video", "h263", "msmpeg4v2"};
    const std::set<std::string> AudioItems = {"mp3", "aac", "ogg", "ac-3", "mp2", "wma1", "wma2",
                                              "pcm_s16", "pcm_alaw", "adpcm_ms", "adpcm_ima_wav",
                                              "flac", "opus", "alac"};
    std::set<std::string> Names;
    for (const int Code : Listed) {
        SCOPED_TRACE("profile " + std::to_string(Code));
        const std::string Section = FormatInfoSection(Code);
        const std::string& Name = FormatProfileName(Content, Code);
        EXPECT_TRUE(Names.insert(Name).second) << "duplicate name " << Name;
        ASSERT_TRUE(Catalogue.ValueExists(Section, KeyFormat));
        ASSERT_TRUE(Catalogue.ValueExists(Section, KeyFileExt));
        // The entry name states the extension the profile writes.
        EXPECT_TRUE(Name.ends_with("(*." + CatalogueFileExt(Catalogue, Code) + ")")) << Name;
        for (const auto& Key : CatalogueListKeys) {
            ASSERT_TRUE(Catalogue.ValueExists(Section, Key.List)) << Key.List;
            const auto Items = CatalogueList(Catalogue, Code, Key.List);
            if (Items) {
                EXPECT_TRUE(CatalogueDefaultItem(Catalogue, Code, Key)) << Key.Index;
            }
        }
        const bool Video = CategoryOfFormatCode(Code) != AudioCategory;
        const auto VideoEncoder = CatalogueDefaultItem(Catalogue, Code, CatalogueListKeys[3]);
        EXPECT_EQ(VideoEncoder.has_value(), Video);
        if (VideoEncoder) {
            EXPECT_TRUE(VideoItems.count(Lower(*VideoEncoder))) << *VideoEncoder;
        }
        const auto AudioEncoder = CatalogueDefaultItem(Catalogue, Code, CatalogueListKeys[8]);
        ASSERT_TRUE(AudioEncoder);
        EXPECT_TRUE(AudioItems.count(Lower(*AudioEncoder))) << *AudioEncoder;
        EXPECT_EQ(CatalogueDefaultItem(Catalogue, Code, CatalogueListKeys[7]), "100%");
    }
}

TEST_F(TShippedCatalogue, AudioProfilesDefaultToTheirNaturalEncoderAndCommonValues)
{
    struct TExpect {
        const char* Format;
        const char* Ext;
        const char* Encoder;
        const char* BitRate; // "" when the profile has no bit rate list
    };
    const TExpect Expected[] = {
        {"mp3", "mp3", "MP3", "128"},     {"adts", "aac", "AAC", "128"},  {"ipod", "m4a", "AAC", "128"},
        {"asf", "wma", "WMA2", "128"},    {"wav", "wav", "PCM_S16", ""},  {"ogg", "ogg", "OGG", "128"},
        {"ac3", "ac3", "AC-3", "192"},
    };
    for (int Code = 0; Code < 7; ++Code) {
        SCOPED_TRACE("profile " + std::to_string(Code));
        const TExpect& E = Expected[Code];
        EXPECT_EQ(CatalogueFormat(Catalogue, Code), E.Format);
        EXPECT_EQ(CatalogueFileExt(Catalogue, Code), E.Ext);
        EXPECT_EQ(CatalogueDefaultItem(Catalogue, Code, {KeyListAudioEncoder, KeyIAudioEncoder}), E.Encoder);
        const auto BitRate = CatalogueDefaultItem(Catalogue, Code, {KeyListAudioBitRate, KeyIAudioBitRate});
        EXPECT_EQ(BitRate.value_or(""), E.BitRate);
        EXPECT_EQ(CatalogueDefaultItem(Catalogue, Code, {KeyListSampleRate, KeyISampleRate}), "44100");
        EXPECT_EQ(CatalogueDefaultItem(Catalogue, Code, {KeyListChannel, KeyIChannel}), "stereo 2 channels");
        EXPECT_EQ(CatalogueDefaultItem(Catalogue, Code, {KeyListVolume, KeyIVolume}), "100%");
        for (const auto& Key : {KeyListVideoSize, KeyListVideoBitRate, KeyListFrameRate, KeyListVideoEncoder})
            EXPECT_FALSE(CatalogueList(Catalogue, Code, Key)) << Key;
    }
}

}  // namespace
