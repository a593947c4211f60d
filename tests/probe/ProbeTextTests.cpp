// The text helpers behind the probe's description, without any media file.

#include "probe/AVProbe.h"

#include <gtest/gtest.h>

#include <memory>

extern "C" {
#include <libavutil/dict.h>
}

namespace {

struct TDictDeleter {
    void operator()(AVDictionary* d) const { av_dict_free(&d); }
};
using TDictPtr = std::unique_ptr<AVDictionary, TDictDeleter>;

TDictPtr MakeDict(const std::vector<std::pair<const char*, const char*>>& Tags) {
    AVDictionary* d = nullptr;
    for (const auto& [k, v] : Tags)
        EXPECT_GE(av_dict_set(&d, k, v, 0), 0);
    return TDictPtr(d);
}

std::vector<std::string> Block(const AVDictionary* d, const std::string& Prefix) {
    std::vector<std::string> lines;
    AppendMetadataBlock(lines, d, Prefix);
    return lines;
}

} // namespace

TEST(ProbeText, RateTextPicksDecimalsWholeOrThousands) {
    EXPECT_EQ(FormatRate(25.0, "fps"), ", 25 fps");
    EXPECT_EQ(FormatRate(30000.0 / 1001.0, "fps"), ", 29.97 fps");
    EXPECT_EQ(FormatRate(24000.0 / 1001.0, "tbr"), ", 23.98 tbr");
    EXPECT_EQ(FormatRate(0.5, "fps"), ", 0.50 fps");
    // Hundredths are rounded first: 24.999 counts as whole.
    EXPECT_EQ(FormatRate(24.999, "fps"), ", 25 fps");
    EXPECT_EQ(FormatRate(90000.0, "tbn"), ", 90k tbn");
    EXPECT_EQ(FormatRate(1000.0, "tbn"), ", 1k tbn");
    EXPECT_EQ(FormatRate(12800.0, "tbn"), ", 12800 tbn");
    EXPECT_EQ(FormatRate(44100.0, "tbn"), ", 44100 tbn");
}

TEST(ProbeText, TimeBaseRepairAndReducedText) {
    const AVRational oneOverZero = RepairTimeBase({1, 0});
    EXPECT_EQ(oneOverZero.num, 1);
    EXPECT_EQ(oneOverZero.den, 1);
    const AVRational fiveOverZero = RepairTimeBase({5, 0});
    EXPECT_EQ(fiveOverZero.den, 5);
    const AVRational zero = RepairTimeBase({0, 0});
    EXPECT_EQ(zero.num, 0);
    EXPECT_EQ(zero.den, 1);
    const AVRational normal = RepairTimeBase({1, 90000});
    EXPECT_EQ(normal.num, 1);
    EXPECT_EQ(normal.den, 90000);

    EXPECT_EQ(TimeBaseText({2, 50}), ", 1/25");
    EXPECT_EQ(TimeBaseText({32, 1225}), ", 32/1225");
    EXPECT_EQ(TimeBaseText({1, 0}), ", 1/0");
    EXPECT_EQ(TimeBaseText({0, 0}), ", 0/0"); // a divisor of 0 counts as 1
}

TEST(ProbeText, StartTimeHasSixDigitFraction) {
    EXPECT_EQ(FormatStartTime(0), "0.000000");
    EXPECT_EQ(FormatStartTime(25057), "0.025057");
    EXPECT_EQ(FormatStartTime(61500000), "61.500000");
    EXPECT_EQ(FormatStartTime(-23000), "-0.023000");
}

TEST(ProbeText, TagNumberTakesTheLeadingInteger) {
    EXPECT_EQ(TagNumber("7", 0), 7);
    EXPECT_EQ(TagNumber("7/12", 0), 7);
    EXPECT_EQ(TagNumber("2010-05-06", 0), 2010);
    EXPECT_EQ(TagNumber(" 42", 0), 42);
    EXPECT_EQ(TagNumber("", 0), 0);
    EXPECT_EQ(TagNumber("unknown", -1), -1);
}

TEST(ProbeText, KeyTableRenamesId3FrameNames) {
    EXPECT_EQ(MetadataKeyName("TPE1"), "artist");
    EXPECT_EQ(MetadataKeyName("TP1"), "artist");
    EXPECT_EQ(MetadataKeyName("TYER"), "year");
    EXPECT_EQ(MetadataKeyName("TSOP"), "authorsort");
    EXPECT_EQ(MetadataKeyName("TDRL"), "date");
    EXPECT_EQ(MetadataKeyName("title"), "title");
    EXPECT_EQ(MetadataKeyName("tpe1"), "tpe1"); // the frame names are matched exactly
}

TEST(ProbeText, MetadataBlock) {
    // Nothing at all, and a lone language tag, give no block.
    EXPECT_TRUE(Block(nullptr, "").empty());
    auto onlyLanguage = MakeDict({{"language", "eng"}});
    EXPECT_TRUE(Block(onlyLanguage.get(), "  ").empty());

    // Language is left out of a block that other tags open; order and renames are kept.
    auto tags = MakeDict({{"TPE1", "Band"}, {"language", "eng"}, {"custom", "x"}, {"TALB", "Al"}});
    const std::vector<std::string> expected = {
        "  Metadata:",
        "    artist          : Band",
        "    custom          : x",
        "    album           : Al",
    };
    EXPECT_EQ(Block(tags.get(), "  "), expected);

    // Keys longer than the column are written whole.
    auto longKey = MakeDict({{"compatible_brands", "isom"}});
    const std::vector<std::string> expectedLong = {"Metadata:", "  compatible_brands: isom"};
    EXPECT_EQ(Block(longKey.get(), ""), expectedLong);

    // Long values are kept whole.
    const std::string lyrics(5000, 'l');
    auto longValue = MakeDict({{"lyrics", lyrics.c_str()}});
    EXPECT_EQ(Block(longValue.get(), "").at(1), "  lyrics          : " + lyrics);

    // The block is appended after what is there.
    std::vector<std::string> lines = {"first"};
    AppendMetadataBlock(lines, longKey.get(), "");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "first");
}
