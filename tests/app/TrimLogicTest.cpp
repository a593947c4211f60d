// The trim dialog's logic: the caption rule, the range a showing starts from, OK's record values
// and column text, and typed times.
#include "app/TrimLogic.h"

#include "app/SourceList.h"

#include <gtest/gtest.h>

using namespace zelta;

namespace {
constexpr int64_t S = 1000000; // one second
}

TEST(TrimLogic, CaptionShortensNamesAboveFiftyCharacters) {
    const std::string fifty = "/media/clips/" + std::string(33, 'a') + ".mp4"; // 50 characters
    ASSERT_EQ(fifty.size(), 50u);
    EXPECT_EQ(TrimCaption(fifty), fifty);
    const std::string fiftyOne = "/media/clips/" + std::string(34, 'a') + ".mp4";
    EXPECT_EQ(TrimCaption(fiftyOne), "Trim   " + fiftyOne.substr(0, 50) + ".." + ".mp4  ");
    // Characters, not bytes: 50 Cyrillic letters are 100 bytes and stay whole.
    std::string cyrillic;
    for (int i = 0; i < 46; ++i)
        cyrillic += "\xD0\xB6";
    cyrillic += ".avi";
    EXPECT_EQ(TrimCaption(cyrillic), cyrillic);
    EXPECT_EQ(TrimCaption(cyrillic + "x"), "Trim   " + cyrillic.substr(0, 92) + ".avi" + ".." +
                                               ".avix" + "  ");
}

TEST(TrimLogic, StoredRangeAndBarMarks) {
    TlvFilesRecord r;
    EXPECT_EQ(StoredTrimRange(r, 30 * S), (TTrimRange{0, 30 * S}));
    r.TrimStart = 2 * S;
    EXPECT_EQ(StoredTrimRange(r, 30 * S), (TTrimRange{2 * S, 30 * S}));
    r.TrimLength = 3 * S;
    EXPECT_EQ(StoredTrimRange(r, 30 * S), (TTrimRange{2 * S, 5 * S}));
    r.TrimStart = -1;
    EXPECT_EQ(StoredTrimRange(r, 30 * S).Start, 0);
    EXPECT_EQ(TrimBarMark(5 * S, 564, 10 * S), 282);
    EXPECT_EQ(TrimBarMark(10 * S, 564, 10 * S), 564);
    EXPECT_EQ(TrimBarMark(5 * S, 564, 0), 0);
}

TEST(TrimLogic, OkRules) {
    const int64_t d = 30 * S;
    // The whole file, and a start of 0 with the end at the duration: no trim.
    EXPECT_EQ(TrimOkResult(0, d, d), (TTrimResult{0, 0, "30"}));
    // 10 s .. 20 s.
    EXPECT_EQ(TrimOkResult(10 * S, 20 * S, d), (TTrimResult{10 * S, 10 * S, "10"}));
    // Less than 1 ms kept: the start, but "to the end".
    EXPECT_EQ(TrimOkResult(10 * S, 10 * S + 500, d), (TTrimResult{10 * S, 0, "0"}));
    // The end within 1 ms of the duration: to the end.
    EXPECT_EQ(TrimOkResult(10 * S, d - 999, d), (TTrimResult{10 * S, 0, "19"}));
    EXPECT_EQ(TrimOkResult(10 * S, d - 1000, d), (TTrimResult{10 * S, 20 * S - 1000, "19"}));
    // An end before the start or beyond the duration keeps all from the start to the end.
    EXPECT_EQ(TrimOkResult(10 * S, 5 * S, d), (TTrimResult{10 * S, 0, "30"}));
    EXPECT_EQ(TrimOkResult(10 * S, d + S, d), (TTrimResult{10 * S, 0, "30"}));
    EXPECT_EQ(TrimOkResult(0, 0, d), (TTrimResult{0, 0, "30"}));
    // Nothing known about the file: no trim, the column stays.
    EXPECT_EQ(TrimOkResult(0, 0, 0), (TTrimResult{0, 0, std::nullopt}));
    EXPECT_EQ(TrimOkResult(2 * S, 5 * S, -1), (TTrimResult{0, 0, std::nullopt}));
}

TEST(TrimLogic, TypedTimes) {
    EXPECT_EQ(ParseTrimTime("00:00:10.000"), 10 * S);
    EXPECT_EQ(ParseTrimTime(" 1:02:03.5 "), (3723 * S + 500000));
    EXPECT_EQ(ParseTrimTime("2:05"), 125 * S);
    EXPECT_EQ(ParseTrimTime("12"), 12 * S);
    EXPECT_EQ(ParseTrimTime("12.25"), 12 * S + 250000);
    EXPECT_EQ(ParseTrimTime("10.0005"), 10 * S + 500);
    EXPECT_EQ(ParseTrimTime("125:00:00"), 450000 * S); // hours are not limited
    for (const char* bad : {"", " ", "abc", "-3", "1:60", "1:2:3:4", "1.2.3", "12.", ".5",
                            "1:-2", "0.1234567", "1e3", "99999999999999"})
        EXPECT_FALSE(ParseTrimTime(bad)) << bad;
    EXPECT_EQ(AcceptTrimTime("5", 10 * S), 5 * S);
    EXPECT_EQ(AcceptTrimTime("10", 10 * S), 10 * S);
    EXPECT_FALSE(AcceptTrimTime("10.001", 10 * S));
    EXPECT_EQ(TrimTimeRefusal(" 1:60 ", 10 * S),
              "\"1:60\" is not a time of this file. Type h:mm:ss.mmm or a number of seconds, "
              "from 00:00:00.000 to 00:00:10.000.");
}
