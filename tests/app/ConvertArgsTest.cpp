// The command line of zelta-convert: every option's forms and refusals, and how the options
// reach a row's record.
#include "app/ConvertArgs.h"

#include <gtest/gtest.h>

using namespace zelta;

namespace {

std::optional<TConvertArgs> Parse(std::vector<std::string> Arguments, std::string* Error = nullptr)
{
    std::string E;
    auto R = ParseConvertArgs(Arguments, E);
    if (Error)
        *Error = E;
    return R;
}

}  // namespace

TEST(ConvertArgs, AllOptionsInBothForms)
{
    const auto A = Parse({"--profile", "100", "--output=/out", "--jobs", "2", "--trim", "1.5,2",
                          "--crop=4,6,8,10", "--text", "Hi@20,30,1,3", "--text", "mail@x.org",
                          "--ext", "t=1", "--ext=ab=96k", "a.mp4", "--", "--odd.wav"});
    ASSERT_TRUE(A);
    EXPECT_EQ(A->Profile, 100);
    EXPECT_EQ(A->OutputDir, "/out");
    EXPECT_EQ(A->Jobs, 2);
    EXPECT_EQ(A->TrimStart, 1500000);
    EXPECT_EQ(A->TrimLength, 2000000);
    EXPECT_TRUE(A->Crop);
    EXPECT_EQ(A->CropTop, 4);
    EXPECT_EQ(A->CropBottom, 6);
    EXPECT_EQ(A->CropLeft, 8);
    EXPECT_EQ(A->CropRight, 10);
    ASSERT_EQ(A->Texts.size(), 2u);
    EXPECT_EQ(A->Texts[0].Text, "Hi");
    EXPECT_EQ(A->Texts[0].X, 20);
    EXPECT_EQ(A->Texts[0].Y, 30);
    EXPECT_EQ(A->Texts[0].From, 1);
    EXPECT_EQ(A->Texts[0].To, 3);
    // An "@" not followed by numbers belongs to the text; default place and the whole file.
    EXPECT_EQ(A->Texts[1].Text, "mail@x.org");
    EXPECT_EQ(A->Texts[1].X, 10);
    EXPECT_EQ(A->Texts[1].From, 0);
    EXPECT_EQ(A->Texts[1].To, INT32_MAX);
    EXPECT_EQ(A->ExtOptions, (std::vector<std::string>{"t=1", "ab=96k"}));
    EXPECT_EQ(A->Files, (std::vector<std::string>{"a.mp4", "--odd.wav"}));
}

TEST(ConvertArgs, DefaultsAndActions)
{
    const auto A = Parse({"song.wav"});
    ASSERT_TRUE(A);
    EXPECT_FALSE(A->Profile);
    EXPECT_FALSE(A->OutputDir);
    EXPECT_EQ(A->Jobs, 0); // auto
    EXPECT_EQ(Parse({"--jobs", "auto", "song.wav"})->Jobs, 0);
    EXPECT_EQ(A->TrimStart, 0);
    EXPECT_EQ(A->TrimLength, 0);
    EXPECT_FALSE(A->Crop);

    EXPECT_TRUE(Parse({"--help"})->Help);
    EXPECT_TRUE(Parse({"-h"})->Help);
    EXPECT_TRUE(Parse({"--version"})->Version);
    EXPECT_TRUE(Parse({"--list-profiles"})->ListProfiles);
    EXPECT_EQ(Parse({"--info", "a.mp4"})->InfoFile, "a.mp4");
    // A negative text position is a place partly outside the frame.
    const auto T = Parse({"--text", "x@-5,-6", "f"});
    ASSERT_TRUE(T);
    EXPECT_EQ(T->Texts[0].X, -5);
    EXPECT_EQ(T->Texts[0].Y, -6);
}

TEST(ConvertArgs, WrongCommandLinesAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> Wrong = {
        {},                                  // nothing to convert
        {"--bogus", "f"},                    // unknown option
        {"-x", "f"},                         // unknown short option
        {"--profile"},                       // value missing
        {"--profile", "abc", "f"},
        {"--profile", "-1", "f"},
        {"--jobs", "0", "f"},
        {"--jobs", "65", "f"},
        {"--trim", "-1", "f"},
        {"--trim", "1,2,3", "f"},
        {"--trim", "1,x", "f"},
        {"--trim", "", "f"},
        {"--crop", "1,2,3", "f"},
        {"--crop", "1,2,3,-4", "f"},
        {"--text", "@1,2", "f"},             // empty text
        {"--text", "a@1", "f"},              // one number
        {"--text", "a@1,2,3", "f"},          // three numbers
        {"--text", "a@1,2,5,4", "f"},        // TO before FROM
        {"--ext", "novalue", "f"},
        {"--ext", "=1", "f"},
        {"--list-profiles", "f"},            // a file beside an action
        {"--info"},
        {"--info", "a", "b"},
        {"--info", "a", "--list-profiles"},
    };
    for (const auto& Arguments : Wrong) {
        std::string Error;
        std::string Line;
        for (const auto& A : Arguments)
            Line += A + " ";
        EXPECT_FALSE(Parse(Arguments, &Error)) << Line;
        EXPECT_FALSE(Error.empty()) << Line;
    }
    std::string Error;
    Parse({"--jobs", "0", "f"}, &Error);
    EXPECT_EQ(Error, "--jobs: '0' is not \"auto\" or a number from 1 to 64");
}

TEST(ConvertArgs, SecondsWithDecimals)
{
    EXPECT_EQ(ParseSeconds("12"), 12000000);
    EXPECT_EQ(ParseSeconds("1.5"), 1500000);
    EXPECT_EQ(ParseSeconds(".25"), 250000);
    EXPECT_EQ(ParseSeconds("0"), 0);
    EXPECT_EQ(ParseSeconds("-1"), std::nullopt);
    EXPECT_EQ(ParseSeconds("+1"), std::nullopt);
    EXPECT_EQ(ParseSeconds("1e3"), std::nullopt);
    EXPECT_EQ(ParseSeconds("1,5"), std::nullopt);
    EXPECT_EQ(ParseSeconds("nan"), std::nullopt);
    EXPECT_EQ(ParseSeconds(""), std::nullopt);
}

TEST(ConvertArgs, TrimAndCropReachTheRecord)
{
    const auto A = Parse({"--trim", "2,3.5", "--crop", "1,2,3,4", "f"});
    ASSERT_TRUE(A);
    TlvFilesRecord R;
    ApplyConvertArgs(*A, R);
    EXPECT_EQ(R.TrimStart, 2000000);
    EXPECT_EQ(R.TrimLength, 3500000);
    EXPECT_EQ(R.CropTop, 1);
    EXPECT_EQ(R.CropBottom, 2);
    EXPECT_EQ(R.CropLeft, 3);
    EXPECT_EQ(R.CropRight, 4);
    EXPECT_TRUE(R.WaterMarks.empty());
    EXPECT_FALSE(R.ProcessText);

    // Without --crop the record keeps its margins.
    TlvFilesRecord Kept;
    Kept.CropLeft = 7;
    ApplyConvertArgs(*Parse({"f"}), Kept);
    EXPECT_EQ(Kept.CropLeft, 7);
}
