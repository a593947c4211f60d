// The watermark dialog's rules without a window: the range bar for short files, the list
// operations, OK's write-back and the restore, the selection frame's resize, the preview hook's
// frame work and the schedule the hook reads while the dialog changes the rows.
#include "app/WaterMarkLogic.h"

#include "effects/FrameEffects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace zelta;

namespace {

TWmItemRec TextRow(const std::string& Text, int Start = 0, int End = 10)
{
    TWmItemRec Row;
    Row.Kind = WmKindText;
    Row.Text = Text;
    Row.Font.Name = "DejaVu Sans";
    Row.Font.Size = 40;
    Row.Font.Style = fsBold;
    Row.Font.Color = RGBColor(0, 0, 255);
    Row.BackColor = RGBColor(0, 128, 0);
    Row.BackFilled = true;
    Row.Rect = {10.4, 20.6, 100.5, 30.2};
    Row.Alpha = 125;
    Row.StartTime = Start;
    Row.EndTime = End;
    return Row;
}

TWmItemRec ImageRow(const std::string& File)
{
    TWmItemRec Row;
    Row.Kind = WmKindImage;
    Row.ImageFile = File;
    Row.Rect = {-5, 7, 64, 32};
    Row.Alpha = 200;
    Row.StartTime = 3;
    Row.EndTime = 8;
    return Row;
}

std::vector<std::string> Texts(const TWaterMarkLayers& Layers)
{
    std::vector<std::string> Result;
    for (const TWmItemRec& Row : Layers.Rows())
        Result.push_back(Row.RowText());
    return Result;
}

void Fill(TBitmap24& Frame, int W, int H, uint8_t B, uint8_t G, uint8_t R)
{
    Frame.SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            uint8_t* P = Frame.ScanLine(Y) + X * 3;
            P[0] = B;
            P[1] = G;
            P[2] = R;
        }
}

bool IsGreen(const TBitmap24& Frame, int X, int Y)
{
    const uint8_t* P = Frame.ScanLine(Y) + X * 3;
    return P[0] == 0 && P[1] == 128 && P[2] == 0;
}

}  // namespace

TEST(WaterMarkRules, RangeBarAndNewLayerRange)
{
    EXPECT_EQ(NewLayerEndTime(59'900'000), 59);
    EXPECT_EQ(RangeBarMaximum(59'900'000), 59);
    // Shorter than a second, or unknown: the bar still has a range.
    EXPECT_EQ(NewLayerEndTime(400'000), 0);
    EXPECT_EQ(RangeBarMaximum(400'000), 1);
    EXPECT_EQ(RangeBarMaximum(-1), 1);
    EXPECT_EQ(NewLayerEndTime(-1), 0);

    EXPECT_EQ(RangeBarPositions(0, 0, 1).Lower, 0);
    EXPECT_EQ(RangeBarPositions(0, 0, 1).Upper, 1);
    EXPECT_EQ(RangeBarPositions(70, 90, 59).Upper, 59);
    EXPECT_EQ(RangeBarPositions(70, 90, 59).Lower, 58);
    EXPECT_EQ(RangeBarPositions(5, 5, 59).Lower, 5);
    EXPECT_EQ(RangeBarPositions(5, 5, 59).Upper, 6);
}

TEST(WaterMarkRules, RangeBarTicksStayApart)
{
    EXPECT_EQ(RangeBarTickInterval(6, 280), 1);
    EXPECT_EQ(RangeBarTickInterval(59, 280), 2);
    EXPECT_EQ(RangeBarTickInterval(3600, 280), 120);
    EXPECT_EQ(RangeBarTickInterval(0, 280), 1);
    EXPECT_EQ(RangeBarTickInterval(100 * 3600, 280), 3 * 3600);
    EXPECT_EQ(RangeBarTickInterval(10, 0), 120); // no room: sparse, and no division by 0
}

TEST(WaterMarkRules, CaptionShortensLongNames)
{
    EXPECT_EQ(WaterMarkCaption("/v/clip.mp4"), "Water Mark  /v/clip.mp4");
    const std::string Long = "/home/user/videos/" + std::string(40, 'a') + ".mkv"; // 62
    EXPECT_EQ(WaterMarkCaption(Long), "Water Mark  " + Long.substr(0, 50) + "...mkv  "); // "..", then ".mkv"
}

TEST(WaterMarkRows, DeleteSelectsThePreviousRowOrTheNewFirst)
{
    TWaterMarkLayers Layers;
    for (const char* T : {"a", "b", "c"})
        Layers.Add(TextRow(T));
    EXPECT_EQ(Layers.Delete(0), 0); // the new first row
    EXPECT_EQ(Texts(Layers), (std::vector<std::string>{"b", "c"}));
    Layers.Add(TextRow("d"));
    EXPECT_EQ(Layers.Delete(2), 1); // the third: the second
    EXPECT_EQ(Texts(Layers), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(Layers.Delete(5), -1);
    Layers.Delete(0);
    EXPECT_EQ(Layers.Delete(0), -1); // empty now
    EXPECT_EQ(Layers.Count(), 0);
}

TEST(WaterMarkRows, MovingKeepsIdsAndStopsAtTheEnds)
{
    TWaterMarkLayers Layers;
    for (const char* T : {"a", "b", "c"})
        Layers.Add(TextRow(T));
    const int IdC = Layers.Row(2).Id;
    EXPECT_EQ(Layers.MoveUp(2), 1);
    EXPECT_EQ(Texts(Layers), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(Layers.IndexOfId(IdC), 1);
    EXPECT_EQ(Layers.MoveUp(0), 0);
    EXPECT_EQ(Layers.MoveDown(2), 2);
    EXPECT_EQ(Layers.MoveDown(0), 1);
    EXPECT_EQ(Texts(Layers), (std::vector<std::string>{"c", "a", "b"}));
    // Ids stay unique after deletions.
    Layers.Delete(0);
    const int Fresh = Layers.Row(Layers.Add(TextRow("d"))).Id;
    for (int I = 0; I < Layers.Count() - 1; ++I)
        EXPECT_NE(Layers.Row(I).Id, Fresh);
}

TEST(WaterMarkRows, WriteBackAndRestore)
{
    TFrameEffectsRecord Record;
    TWaterMarkLayers Empty;
    Record.WaterMarks.push_back(std::make_unique<TWmRec>());
    Empty.WriteBack(Record);
    EXPECT_TRUE(Record.WaterMarks.empty()); // OK on an empty list: an empty array

    TWaterMarkLayers Layers;
    Layers.Add(TextRow("Zelta", 5, 5));
    Layers.Add(ImageRow("/pics/logo.png"));
    Record.WaterMarks.push_back(std::make_unique<TWmRec>());
    const TWmRec* Kept = Record.WaterMarks[0].get();
    Layers.WriteBack(Record);
    ASSERT_EQ(Record.WaterMarks.size(), 2u);
    EXPECT_EQ(Record.WaterMarks[0].get(), Kept); // existing objects keep their places
    const TWmRec& Text = *Record.WaterMarks[0];
    EXPECT_EQ(Text.Kind, WmKindText);
    EXPECT_EQ(Text.Text, "Zelta");
    EXPECT_EQ(Text.TextLeft, 10);
    EXPECT_EQ(Text.TextTop, 21);
    EXPECT_EQ(Text.TextWidth, 100); // 100.5 to even
    EXPECT_EQ(Text.TextHeight, 30);
    EXPECT_EQ(Text.TextAlpha, 125);
    ASSERT_TRUE(Text.Font);
    EXPECT_EQ(Text.Font->Size, 40);
    EXPECT_EQ(Text.Font->Style, fsBold);
    EXPECT_EQ(Text.Font->Name, "DejaVu Sans");
    EXPECT_TRUE(Text.BackFilled);
    EXPECT_EQ(Text.BackColor, RGBColor(0, 128, 0));
    EXPECT_EQ(Text.StartTime, 5);
    EXPECT_EQ(Text.EndTime, 5);
    const TWmRec& Image = *Record.WaterMarks[1];
    EXPECT_EQ(Image.Kind, WmKindImage);
    EXPECT_EQ(Image.ImageFile, "/pics/logo.png");
    EXPECT_EQ(Image.ImageLeft, -5);
    EXPECT_EQ(Image.ImageWidth, 64);
    EXPECT_EQ(Image.ImageAlpha, 200);
    EXPECT_FALSE(Image.Font);

    // The restored rows give the same array again.
    TWaterMarkLayers Again;
    Again.Restore(Record);
    ASSERT_EQ(Again.Count(), 2);
    EXPECT_EQ(Texts(Again), (std::vector<std::string>{"Zelta", "/pics/logo.png"}));
    EXPECT_NE(Again.Row(0).Id, Again.Row(1).Id);
    TFrameEffectsRecord Copy;
    Again.WriteBack(Copy);
    for (size_t I = 0; I < 2; ++I) {
        const TWmRec &A = *Record.WaterMarks[I], &B = *Copy.WaterMarks[I];
        EXPECT_EQ(A.Text, B.Text);
        EXPECT_EQ(A.TextLeft, B.TextLeft);
        EXPECT_EQ(A.TextTop, B.TextTop);
        EXPECT_EQ(A.TextWidth, B.TextWidth);
        EXPECT_EQ(A.ImageLeft, B.ImageLeft);
        EXPECT_EQ(A.ImageTop, B.ImageTop);
        EXPECT_EQ(A.TextAlpha, B.TextAlpha);
        EXPECT_EQ(A.ImageAlpha, B.ImageAlpha);
        EXPECT_EQ(A.StartTime, B.StartTime);
        EXPECT_EQ(A.EndTime, B.EndTime);
    }

    // Fewer rows release the surplus objects.
    Again.Delete(0);
    Again.WriteBack(Record);
    ASSERT_EQ(Record.WaterMarks.size(), 1u);
    EXPECT_EQ(Record.WaterMarks[0]->Kind, WmKindImage);
}

TEST(WaterMarkRows, BlankTextsHaveNoContent)
{
    EXPECT_TRUE(TextRow("  \t ").BlankText());
    EXPECT_TRUE(TextRow("").BlankText());
    EXPECT_FALSE(TextRow(" x ").BlankText());
    EXPECT_FALSE(ImageRow("").BlankText());
}

TEST(WaterMarkFrame, DraggingHandlesAndKeepingTheCentre)
{
    const TLayerRect R{100, 100, 40, 20};
    EXPECT_EQ(DragFrame(R, TFrameHandle::Move, 5, -3, false), (TLayerRect{105, 97, 40, 20}));
    EXPECT_EQ(DragFrame(R, TFrameHandle::Left, -10, 50, false), (TLayerRect{90, 100, 50, 20}));
    EXPECT_EQ(DragFrame(R, TFrameHandle::BottomRight, 10, 5, false), (TLayerRect{100, 100, 50, 25}));
    // Never narrower than the minimum, from either side.
    EXPECT_EQ(DragFrame(R, TFrameHandle::Left, 100, 0, false).Width, 4);
    EXPECT_EQ(DragFrame(R, TFrameHandle::Left, 100, 0, false).Right(), 140);
    EXPECT_EQ(DragFrame(R, TFrameHandle::Top, 0, 100, false).Height, 4);
    // Ctrl: the centre (120, 110) stays; the half sizes come from the dragged sides.
    EXPECT_EQ(DragFrame(R, TFrameHandle::Left, -10, 0, true), (TLayerRect{90, 100, 60, 20}));
    EXPECT_EQ(DragFrame(R, TFrameHandle::TopRight, 5, -4, true), (TLayerRect{95, 96, 50, 28}));
    // ... and both halves are at least 2 pixels.
    EXPECT_EQ(DragFrame(R, TFrameHandle::Right, -100, 0, true), (TLayerRect{118, 100, 4, 20}));
    EXPECT_EQ(DragFrame(R, TFrameHandle::None, 7, 7, true), R);
}

TEST(WaterMarkPreviewHook, NeutralValuesOnlyDrawTheCropFrame)
{
    TPreviewFrameSettings Settings;
    TBitmap24 Frame;
    Fill(Frame, 16, 12, 10, 100, 200);
    PreviewProcessFrame(Frame, Settings);
    // Zero margins: two pixels along the picture's border, nothing else changed.
    for (int Y = 0; Y < 12; ++Y)
        for (int X = 0; X < 16; ++X) {
            const bool Border = X < 2 || X >= 14 || Y < 2 || Y >= 10;
            const uint8_t* P = Frame.ScanLine(Y) + X * 3;
            if (Border)
                EXPECT_TRUE(IsGreen(Frame, X, Y)) << X << "," << Y;
            else
                EXPECT_TRUE(P[0] == 10 && P[1] == 100 && P[2] == 200) << X << "," << Y;
        }

    Settings.CropLeft = 4;
    Settings.CropTop = 2;
    Settings.CropRight = 2;
    Settings.CropBottom = 4;
    Fill(Frame, 16, 12, 10, 100, 200);
    PreviewProcessFrame(Frame, Settings);
    EXPECT_TRUE(IsGreen(Frame, 4, 2));
    EXPECT_TRUE(IsGreen(Frame, 5, 6));
    EXPECT_TRUE(IsGreen(Frame, 13, 7)); // right edge at 16 - 2, two pixels inside
    EXPECT_TRUE(IsGreen(Frame, 8, 7));  // bottom edge at 12 - 4
    EXPECT_FALSE(IsGreen(Frame, 3, 6));
    EXPECT_FALSE(IsGreen(Frame, 8, 8));
    EXPECT_FALSE(IsGreen(Frame, 8, 5));
    EXPECT_FALSE(IsGreen(Frame, 14, 5));
}

TEST(WaterMarkPreviewHook, AnyChangedValueRunsBothAdjustments)
{
    TPreviewFrameSettings Settings;
    Settings.CropLeft = Settings.CropRight = 8; // the frame leaves the middle alone
    Settings.CropTop = Settings.CropBottom = 6;
    Settings.SetEffects({NeutralBrightness, NeutralContrast, NeutralSaturation, 100, false, false});
    TBitmap24 Frame, Expected;
    Fill(Frame, 32, 24, 10, 100, 200);
    Fill(Expected, 32, 24, 10, 100, 200);
    PreviewProcessFrame(Frame, Settings);
    // Both run although only the exposure differs (brightness 255 lowers levels by one).
    AdjustPicture(Expected, 255, 0, 255);
    AdjustExposure(Expected, 100);
    EXPECT_EQ(std::memcmp(Frame.ScanLine(12) + 16 * 3, Expected.ScanLine(12) + 16 * 3, 3), 0);
    const uint8_t* P = Frame.ScanLine(12) + 16 * 3;
    EXPECT_NE(P[1], 100);
}

TEST(WaterMarkSchedule, RangeOfWholeSecondsAndBlankTexts)
{
    TLayerSchedule Schedule;
    std::vector<TWmItemRec> Rows{TextRow("five", 5, 5), TextRow("  ", 0, 100), ImageRow("")};
    Rows[0].Id = 1;
    Rows[1].Id = 2;
    Rows[2].Id = 3;
    Schedule.Publish(Rows);
    const auto Shown = [&](int64_t PTS) { return Schedule.ShownAt(PTS)[0].Visible; };
    EXPECT_FALSE(Shown(4'999'999));
    EXPECT_TRUE(Shown(5'000'000));
    EXPECT_TRUE(Shown(5'999'999));
    EXPECT_FALSE(Shown(6'000'000));
    for (int64_t PTS : {0, 5'000'000, 50'000'000}) {
        const auto All = Schedule.ShownAt(PTS);
        ASSERT_EQ(All.size(), 3u);
        EXPECT_FALSE(All[1].Visible); // blank text
        EXPECT_FALSE(All[2].Visible); // no picture file
        EXPECT_EQ(All[2].Id, 3);
    }
}

// The hook walks the schedule on the video thread while the dialog replaces it: every walk sees
// one whole list, never a half-changed one (and the run is clean under ThreadSanitizer).
TEST(WaterMarkSchedule, WalksSeeWholeListsWhileTheRowsChange)
{
    TLayerSchedule Schedule;
    std::atomic<bool> Stop{false};
    std::atomic<int> Torn{0}, Walks{0};
    std::thread Hook([&] {
        while (!Stop) {
            const auto Shown = Schedule.ShownAt(1'000'000);
            // Lists are published as n rows with ids n*100+1 .. n*100+n.
            if (!Shown.empty()) {
                const int N = int(Shown.size());
                for (int I = 0; I < N; ++I)
                    if (Shown[size_t(I)].Id != N * 100 + I + 1 || !Shown[size_t(I)].Visible)
                        ++Torn;
            }
            ++Walks;
        }
    });
    for (int Round = 0; Round < 2000; ++Round) {
        const int N = 1 + Round % 7;
        std::vector<TWmItemRec> Rows;
        for (int I = 0; I < N; ++I) {
            Rows.push_back(TextRow("t", 0, 5));
            Rows.back().Id = N * 100 + I + 1;
        }
        Schedule.Publish(Rows);
    }
    while (Walks < 10)
        std::this_thread::yield();
    Stop = true;
    Hook.join();
    EXPECT_EQ(Torn, 0);
}
