// zelta-convert on whole-album images with CUE sheets (a sheet added itself, one in Latin-1
// beside its image in a folder, one inside the FLAC file as a tag and as a CUESHEET block, one
// naming a file that is not there)
// and on a chaptered audiobook split by chapter: the files are named and tagged by track or
// chapter and join back to their source sample for sample.

#include "CliTestSupport.h"

#include "fixtures/SoundLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;
using namespace clitest;

namespace {

constexpr int WavProfile = 4;
constexpr int FlacProfile = 7;

// The image: 6 s at 44.1 kHz, one tone per track; the tracks start at 00:00:00, 00:02:00 and
// 00:04:37 (frames of 1/75 s: 588 samples each).
constexpr long long Track2 = 2 * 44100;
constexpr long long Track3 = 4 * 44100 + 37 * 588;

std::string Sheet(const std::string& File, const std::string& SecondTitle)
{
    return "REM GENRE Test\r\nREM DATE 2009\r\nPERFORMER \"Zelta Band\"\r\nTITLE \"Tones\"\r\n"
           "FILE \"" + File + "\" WAVE\r\n"
           "  TRACK 01 AUDIO\r\n    TITLE \"First\"\r\n    INDEX 01 00:00:00\r\n"
           "  TRACK 02 AUDIO\r\n    TITLE \"" + SecondTitle + "\"\r\n    PERFORMER \"Guest\"\r\n"
           "    INDEX 00 00:01:50\r\n    INDEX 01 00:02:00\r\n"
           "  TRACK 03 AUDIO\r\n    TITLE \"Third\"\r\n    INDEX 01 00:04:37\r\n";
}

fixtures::TMediaSpec ImageSpec()
{
    fixtures::TMediaSpec spec;
    spec.Format = "flac";
    spec.AudioEncoders = {"flac"};
    spec.SampleRate = 44100;
    spec.Channels = 2;
    spec.Seconds = 6.0;
    spec.ToneSteps = {{0, 440.0}, {Track2, 660.0}, {Track3, 990.0}};
    return spec;
}

void WriteBytes(const std::string& Path, const std::string& Bytes)
{
    std::ofstream(Path, std::ios::binary) << Bytes;
}

std::map<std::string, std::string> Tags(const std::string& File)
{
    std::map<std::string, std::string> tags;
    AVFormatContext* ic = nullptr;
    if (avformat_open_input(&ic, File.c_str(), nullptr, nullptr) < 0)
        return tags;
    const AVDictionaryEntry* e = nullptr;
    while ((e = av_dict_get(ic->metadata, "", e, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        std::string key = e->key;
        for (char& c : key)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        tags[key] = e->value;
    }
    avformat_close_input(&ic);
    return tags;
}

// The files' samples one after the other, with each file's length in samples per channel.
struct TJoined {
    std::vector<float> Samples;
    std::vector<size_t> Lengths;
    std::string Error;
};

TJoined Join(const std::vector<std::string>& Files)
{
    TJoined j;
    for (const std::string& f : Files) {
        const fixtures::TSound s = fixtures::DecodeSound(f);
        if (!s.Error.empty()) {
            j.Error = f + ": " + s.Error;
            return j;
        }
        j.Samples.insert(j.Samples.end(), s.Samples.begin(), s.Samples.end());
        j.Lengths.push_back(s.Samples.size() / size_t(std::max(s.Channels, 1)));
    }
    return j;
}

// Puts a CUESHEET metadata block with tracks at Starts (samples) into the FLAC file at Path, as
// "flac --cuesheet" does.
void AddCueSheetBlock(const std::string& Path, const std::vector<long long>& Starts,
                      long long Samples)
{
    const std::string file = ReadAll(Path);
    std::string out = "fLaC";
    auto be = [](unsigned long long V, int Bytes) {
        std::string b;
        for (int i = Bytes - 1; i >= 0; --i)
            b += char((V >> (8 * i)) & 0xFF);
        return b;
    };
    auto track = [&](long long Offset, int Number, bool Index) {
        std::string t = be(static_cast<unsigned long long>(Offset), 8) + char(Number) +
                        std::string(12, '\0') + std::string(14, '\0') + char(Index ? 1 : 0);
        if (Index)
            t += be(0, 8) + char(1) + std::string(3, '\0');
        return t;
    };
    std::string sheet = std::string(128, '\0') + be(88200, 8) + char(0x80) +
                        std::string(258, '\0') + char(Starts.size() + 1);
    for (size_t i = 0; i < Starts.size(); ++i)
        sheet += track(Starts[i], int(i) + 1, true);
    sheet += track(Samples, 170, false);
    // STREAMINFO first, then the sheet, then the blocks that followed it.
    size_t at = 4;
    bool last = false;
    bool first = true;
    while (!last) {
        const auto header = static_cast<unsigned char>(file[at]);
        last = (header & 0x80) != 0;
        const size_t length = (size_t(static_cast<unsigned char>(file[at + 1])) << 16) |
                              (size_t(static_cast<unsigned char>(file[at + 2])) << 8) |
                              size_t(static_cast<unsigned char>(file[at + 3]));
        out += char(header & 0x7F) + file.substr(at + 1, 3 + length);
        if (first)
            out += char(5) + be(sheet.size(), 3) + sheet;
        first = false;
        at += 4 + length;
    }
    // The block last written is the last one.
    size_t lastHeader = 4;
    for (size_t p = 4; p < out.size();) {
        lastHeader = p;
        p += 4 + ((size_t(static_cast<unsigned char>(out[p + 1])) << 16) |
                  (size_t(static_cast<unsigned char>(out[p + 2])) << 8) |
                  size_t(static_cast<unsigned char>(out[p + 3])));
    }
    out[lastHeader] = char(out[lastHeader] | 0x80);
    WriteBytes(Path, out + file.substr(at));
}

class CliSegments : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(Home); }

    TRun Run(const std::vector<std::string>& Arguments)
    {
        return TProcess(Arguments, Home, Dir.File("run" + std::to_string(Runs++))).Wait(120);
    }

    std::vector<std::string> Outputs(const std::string& Folder, const std::string& Stem,
                                     const std::vector<std::string>& Titles,
                                     const std::string& Ext)
    {
        std::vector<std::string> files;
        for (size_t i = 0; i < Titles.size(); ++i)
            files.push_back(Folder + "/" + Stem + " - 0" + std::to_string(i + 1) + " " +
                            Titles[i] + "_(new)." + Ext);
        return files;
    }

    TTemp Dir;
    const std::string Home = Dir.File("home");
    int Runs = 0;
};

}  // namespace

TEST_F(CliSegments, CueTracksAreNamedTaggedAndJoinBackToTheImageExactly)
{
    const std::string Image = Dir.File("Tones.flac");
    fixtures::MakeMedia(Image, ImageSpec());
    const std::string CueFile = Dir.File("Tones.cue");
    WriteBytes(CueFile, Sheet("Tones.wav", "Zweite Straße")); // the sheet of the CD's rip
    const fixtures::TSound Whole = fixtures::DecodeSound(Image);
    ASSERT_EQ(Whole.Error, "");

    for (const auto& [Profile, Ext] : {std::pair{WavProfile, "wav"}, std::pair{FlacProfile, "flac"}}) {
        SCOPED_TRACE(Ext);
        const std::string Out = Dir.File(std::string("out-") + Ext);
        const TRun R = Run({"--profile", std::to_string(Profile), "--jobs", "2", "--output", Out,
                            CueFile});
        ASSERT_EQ(R.Status, 0) << R.Err;
        const std::vector<std::string> Files =
            Outputs(Out, "Tones", {"First", "Zweite Straße", "Third"}, Ext);
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(Out))
            count += entry.is_regular_file() ? 1 : 0;
        EXPECT_EQ(count, 3u);
        const TJoined J = Join(Files);
        ASSERT_EQ(J.Error, "");
        EXPECT_EQ(J.Lengths, (std::vector<size_t>{size_t(Track2), size_t(Track3 - Track2),
                                                  size_t(6 * 44100 - Track3)}));
        EXPECT_TRUE(J.Samples == Whole.Samples) << "the tracks do not join back to the image";

        if (std::string(Ext) == "flac") {
            const auto T2 = Tags(Files[1]);
            EXPECT_EQ(T2.count("title") ? T2.at("title") : "", "Zweite Straße");
            EXPECT_EQ(T2.count("artist") ? T2.at("artist") : "", "Guest");
            EXPECT_EQ(T2.count("album") ? T2.at("album") : "", "Tones");
            EXPECT_EQ(T2.count("track") ? T2.at("track").substr(0, 1) : "", "2");
            const auto T3 = Tags(Files[2]);
            EXPECT_EQ(T3.count("artist") ? T3.at("artist") : "", "Zelta Band");
            EXPECT_EQ(T3.count("cuesheet"), 0u);
        }
    }

    // The tag layout's template takes the sheet's values and the piece's fields.
    const std::string Tagged = Dir.File("out-tags");
    const TRun R = Run({"--profile", std::to_string(WavProfile), "--name",
                        "{album}/{chapter}. {chaptertitle} ({artist})", "--output", Tagged,
                        CueFile});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_TRUE(fs::exists(Tagged + "/Tones/02. Zweite Straße (Guest).wav"));
    EXPECT_TRUE(fs::exists(Tagged + "/Tones/03. Third (Zelta Band).wav"));
}

TEST_F(CliSegments, AFolderWithALatin1SheetAddsItsTracksOnceAndAnEmbeddedSheetSplitsItsFile)
{
    const std::string Album = Dir.File("album");
    fs::create_directories(Album);
    fixtures::MakeMedia(Album + "/Tones.flac", ImageSpec());
    // "Café Noël" in Latin-1.
    WriteBytes(Album + "/Tones.cue", Sheet("Tones.flac", "Caf\xE9 No\xEBl"));

    fixtures::TMediaSpec embedded = ImageSpec();
    embedded.Metadata = {{"cuesheet", Sheet("Inner.wav", "Second")}, {"artist", "Tag Band"}};
    const std::string Inner = Dir.File("Inner.flac");
    fixtures::MakeMedia(Inner, embedded);

    const std::string Block = Dir.File("Block.flac");
    fixtures::MakeMedia(Block, ImageSpec());
    AddCueSheetBlock(Block, {0, Track2, Track3}, 6 * 44100);

    const std::string Out = Dir.File("out");
    const TRun R = Run({"--profile", std::to_string(FlacProfile), "--jobs", "2", "--output", Out,
                        Album, Inner, Block});
    ASSERT_EQ(R.Status, 0) << R.Err;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Out))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Block - 01_(new).flac", "Block - 02_(new).flac", "Block - 03_(new).flac",
                         "Inner - 01 First_(new).flac", "Inner - 02 Second_(new).flac",
                         "Inner - 03 Third_(new).flac", "Tones - 01 First_(new).flac",
                         "Tones - 02 Café Noël_(new).flac", "Tones - 03 Third_(new).flac"}));
    const TJoined J = Join(Outputs(Out, "Inner", {"First", "Second", "Third"}, "flac"));
    ASSERT_EQ(J.Error, "");
    EXPECT_TRUE(J.Samples == fixtures::DecodeSound(Inner).Samples);
    const TJoined B = Join({Out + "/Block - 01_(new).flac", Out + "/Block - 02_(new).flac",
                            Out + "/Block - 03_(new).flac"});
    ASSERT_EQ(B.Error, "");
    EXPECT_EQ(B.Lengths[1], size_t(Track3 - Track2));
    EXPECT_TRUE(B.Samples == fixtures::DecodeSound(Block).Samples);
    const auto T = Tags(Out + "/Tones - 02 Café Noël_(new).flac");
    EXPECT_EQ(T.count("title") ? T.at("title") : "", "Café Noël");
}

TEST_F(CliSegments, ASheetNamingAMissingFileFailsWithItsNameAndWritesNothing)
{
    const std::string CueFile = Dir.File("Lost.cue");
    WriteBytes(CueFile, Sheet("Lost Album.wav", "Second"));
    const std::string Garbage = Dir.File("Garbage.cue");
    WriteBytes(Garbage, std::string("\x01\x02 not a sheet at all\n", 22));
    const std::string Out = Dir.File("out");
    const TRun R = Run({"--profile", std::to_string(WavProfile), "--output", Out, CueFile,
                        Garbage});
    EXPECT_NE(R.Status, 0);
    EXPECT_NE(R.Err.find("the CUE sheet names a file that is not there: Lost Album.wav"),
              std::string::npos)
        << R.Err;
    EXPECT_NE(R.Err.find("Garbage.cue"), std::string::npos) << R.Err;
    EXPECT_TRUE(!fs::exists(Out) || fs::is_empty(Out));
}

TEST_F(CliSegments, ChaptersBecomeNamedFilesThatJoinBackToTheWholeBook)
{
    // Lossless sound joins back to the sample; AAC only to its length, as a decoder started
    // elsewhere makes its substituted noise anew.
    for (const std::string Encoder : {"alac", "aac"}) {
        SCOPED_TRACE(Encoder);
        fixtures::TMediaSpec book;
        book.Format = "ipod";
        book.AudioEncoders = {Encoder};
        book.SampleRate = 44100;
        book.Seconds = 6.0;
        book.ToneSteps = {{0, 440.0}, {110250, 550.0}, {185220, 660.0}};
        book.Chapters = {{0.0, "Opening"}, {2.5, "Middle"}, {4.2, "End"}};
        book.Metadata = {{"title", "Book"}};
        const std::string Folder = Dir.File(Encoder);
        fs::create_directories(Folder);
        const std::string Source = Folder + "/Book.m4b";
        fixtures::MakeMedia(Source, book);

        const std::string Whole = Folder + "/whole";
        ASSERT_EQ(Run({"--profile", std::to_string(WavProfile), "--output", Whole, Source}).Status,
                  0);
        const fixtures::TSound All = fixtures::DecodeSound(Whole + "/Book_(new).wav");
        ASSERT_EQ(All.Error, "");

        const std::string Out = Folder + "/chapters";
        const TRun R = Run({"--profile", std::to_string(WavProfile), "--split", "chapters",
                            "--jobs", "2", "--output", Out, Source});
        ASSERT_EQ(R.Status, 0) << R.Err;
        const std::vector<std::string> Files = Outputs(Out, "Book", {"Opening", "Middle", "End"}, "wav");
        const TJoined J = Join(Files);
        ASSERT_EQ(J.Error, "");
        ASSERT_EQ(J.Lengths.size(), 3u);
        EXPECT_EQ(J.Lengths[0], 110250u);
        EXPECT_EQ(J.Lengths[1], 185220u - 110250u);
        ASSERT_EQ(J.Samples.size(), All.Samples.size());
        float worst = 0;
        for (size_t i = 0; i < J.Samples.size(); ++i)
            worst = std::max(worst, std::abs(J.Samples[i] - All.Samples[i]));
        if (Encoder == "alac")
            EXPECT_EQ(worst, 0.0f) << "the chapters do not join back to the book";
        else
            EXPECT_LT(worst, 0.01f) << "the chapters do not join back to the book";
        const auto T = Tags(Files[1]);
        EXPECT_EQ(T.count("title") ? T.at("title") : "", "Middle");
    }

    // Without --split the book stays one file.
    const std::string One = Dir.File("one");
    ASSERT_EQ(Run({"--profile", std::to_string(WavProfile), "--output", One,
                   Dir.File("aac/Book.m4b")})
                  .Status,
              0);
    EXPECT_TRUE(fs::exists(One + "/Book_(new).wav"));
}
