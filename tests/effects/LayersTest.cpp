#include "EffectsTestSupport.h"

#include "effects/FrameEffects.h"
#include "engine/FFLogger.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

using namespace zelta;
using namespace effectstest;

namespace {

constexpr TBgr Grey{90, 90, 90};

void MakeFrame(TBitmap24& Frame, int Width, int Height, TBgr Colour)
{
    Frame.SetSize(Width, Height);
    Fill(Frame, Colour);
}

std::unique_ptr<TWmRec> TextLayer(const std::string& Text, int Left, int Top, int Width,
                                  int Height)
{
    auto L = std::make_unique<TWmRec>();
    L->Kind = WmKindText;
    L->Text = Text;
    L->Font = std::make_unique<TWmFont>();
    L->Font->Name = "DejaVu Sans";
    L->Font->Size = 20;
    L->Font->Color = RGBColor(255, 255, 0);
    L->TextLeft = Left;
    L->TextTop = Top;
    L->TextWidth = Width;
    L->TextHeight = Height;
    L->TextAlpha = 255;
    L->StartTime = 0;
    L->EndTime = 1000;
    return L;
}

std::unique_ptr<TWmRec> ImageLayer(const std::string& File, int Left, int Top, int Alpha = 255)
{
    auto L = std::make_unique<TWmRec>();
    L->Kind = WmKindImage;
    L->ImageFile = File;
    L->ImageLeft = Left;
    L->ImageTop = Top;
    L->ImageAlpha = Alpha;
    L->StartTime = 0;
    L->EndTime = 1000;
    return L;
}

// A blended channel as the layers compute it.
uint8_t Mix(int Dest, int Source, int Alpha)
{
    return uint8_t(((256 - Alpha) * Dest + Alpha * Source) >> 8);
}

class TReports {
public:
    TLayerPictures::TReportEvent Sink()
    {
        return [this](const std::string& Message) { Messages.push_back(Message); };
    }
    std::vector<std::string> Messages;
};

// ---- BlendBitmap ----

TEST(BlendBitmap, AlphaZeroKeepsAndAlpha255NearlyTakesTheSource)
{
    TBitmap24 Dest, Source, Original;
    Dest.SetSize(9, 6);
    FillNoise(Dest, 10);
    CopyBitmap(Original, Dest);
    Source.SetSize(4, 3);
    FillNoise(Source, 11);

    BlendBitmap(Dest, Source, 2, 1, 0);
    EXPECT_EQ(Bytes(Dest), Bytes(Original));

    BlendBitmap(Dest, Source, 2, 1, 255);
    for (int Y = 0; Y < Dest.Height(); ++Y)
        for (int X = 0; X < Dest.Width(); ++X) {
            const TBgr D = PixelAt(Original, X, Y);
            const bool Inside = X >= 2 && X < 6 && Y >= 1 && Y < 4;
            if (!Inside) {
                ASSERT_EQ(PixelAt(Dest, X, Y), D);
                continue;
            }
            const TBgr S = PixelAt(Source, X - 2, Y - 1);
            ASSERT_EQ(PixelAt(Dest, X, Y),
                      (TBgr{Mix(D.B, S.B, 255), Mix(D.G, S.G, 255), Mix(D.R, S.R, 255)}));
        }
}

TEST(BlendBitmap, ClipsAtEveryEdgeAndDrawsNothingOutside)
{
    // (X, Y) of the source's corner, and the destination rectangle expected to change.
    struct TCase {
        int X, Y, Left, Top, Right, Bottom;
    };
    const TCase Cases[] = {
        {0, 0, 0, 0, 4, 3},     // from the top-left edges
        {-2, -1, 0, 0, 2, 2},   // negative: only the visible lower-right part
        {7, 4, 7, 4, 10, 6},    // over the right and bottom edges
        {-3, 2, 0, 2, 1, 5},    // left edge cut, full height
        {-4, 0, 0, 0, 0, 0},    // exactly left of the frame
        {10, 0, 0, 0, 0, 0},    // right of the frame
        {0, 6, 0, 0, 0, 0},     // below
        {-1, -5, 0, 0, 0, 0},   // above
    };
    TBitmap24 Source;
    Source.SetSize(4, 3);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 4; ++X)
            SetPixel(Source, X, Y, {uint8_t(X * 60), uint8_t(Y * 100), 250});
    for (const TCase& C : Cases) {
        TBitmap24 Dest;
        MakeFrame(Dest, 10, 6, Grey);
        BlendBitmap(Dest, Source, C.X, C.Y, 128);
        for (int Y = 0; Y < Dest.Height(); ++Y)
            for (int X = 0; X < Dest.Width(); ++X) {
                const bool Inside = X >= C.Left && X < C.Right && Y >= C.Top && Y < C.Bottom;
                TBgr Expected = Grey;
                if (Inside) {
                    const TBgr S = PixelAt(Source, X - C.X, Y - C.Y);
                    Expected = {Mix(Grey.B, S.B, 128), Mix(Grey.G, S.G, 128), Mix(Grey.R, S.R, 128)};
                }
                ASSERT_EQ(PixelAt(Dest, X, Y), Expected)
                    << "corner " << C.X << "," << C.Y << " pixel " << X << "," << Y;
            }
    }
}

TEST(BlendBitmap, SourceLargerThanTheFrameCoversItExactly)
{
    TBitmap24 Dest, Source;
    MakeFrame(Dest, 5, 3, Grey);
    MakeFrame(Source, 12, 9, {0, 0, 255});
    BlendBitmap(Dest, Source, -3, -2, 255);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 5; ++X)
            ASSERT_EQ(PixelAt(Dest, X, Y), (TBgr{Mix(90, 0, 255), Mix(90, 0, 255), Mix(90, 255, 255)}));
    for (int Y = 0; Y < 3; ++Y)
        for (int I = 15; I < Dest.ScanlineSize(); ++I)
            ASSERT_EQ(Dest.ScanLine(Y)[I], 0) << "padding";
}

// ---- text layers ----

TEST(TextLayer, TheFontIsTheRequestedFaceWithoutAntiAliasing)
{
    TWmFont Font;
    Font.Name = "DejaVu Sans";
    Font.Size = 30;
    Font.Style = fsBold | fsItalic;
    const QFont F = LayerFont(Font);
    EXPECT_EQ(QFontInfo(F).family(), QString("DejaVu Sans"));
    EXPECT_EQ(F.pixelSize(), 40); // 30 pt at 96 pixels per inch
    EXPECT_TRUE(F.bold());
    EXPECT_TRUE(F.italic());
    EXPECT_FALSE(F.underline());
    EXPECT_EQ(F.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST(TextLayer, TransparentBoxChangesOnlyLetterPixelsInsideItsRectangle)
{
    TBitmap24 Frame, Original;
    MakeFrame(Frame, 200, 80, Grey);
    CopyBitmap(Original, Frame);
    const auto Layer = TextLayer("Zelta", 30, 20, 120, 40);
    RenderTextLayer(Frame, *Layer);

    const auto Changed = Differences(Frame, Original);
    ASSERT_FALSE(Changed.empty()) << "no letter was drawn";
    std::set<std::tuple<int, int, int>> Colours;
    int MinX = 1 << 30, MinY = 1 << 30;
    for (const auto& [X, Y] : Changed) {
        ASSERT_GE(X, 30);
        ASSERT_LT(X, 150);
        ASSERT_GE(Y, 20);
        ASSERT_LT(Y, 60);
        MinX = std::min(MinX, X);
        MinY = std::min(MinY, Y);
        const TBgr P = PixelAt(Frame, X, Y);
        Colours.insert({P.B, P.G, P.R});
    }
    // Without anti-aliasing every letter pixel is the text colour blended at 255.
    ASSERT_EQ(Colours.size(), 1u);
    EXPECT_EQ(*Colours.begin(),
              std::make_tuple(int(Mix(90, 0, 255)), int(Mix(90, 255, 255)), int(Mix(90, 255, 255))));
    // The text starts at the box's top-left corner (a glyph's side bearing is a few pixels).
    EXPECT_LT(MinX, 30 + 6);
    EXPECT_LT(MinY, 20 + 12);
}

TEST(TextLayer, FilledBoxCoversItsWholeRectangle)
{
    TBitmap24 Frame;
    MakeFrame(Frame, 100, 50, Grey);
    auto Layer = TextLayer("Hi", 10, 5, 60, 30);
    Layer->BackFilled = true;
    Layer->BackColor = RGBColor(0, 0, 200);
    RenderTextLayer(Frame, *Layer);
    const TBgr Back{Mix(90, 200, 255), Mix(90, 0, 255), Mix(90, 0, 255)};
    const TBgr Letter{Mix(90, 0, 255), Mix(90, 255, 255), Mix(90, 255, 255)};
    int Letters = 0;
    for (int Y = 0; Y < 50; ++Y)
        for (int X = 0; X < 100; ++X) {
            const TBgr P = PixelAt(Frame, X, Y);
            if (X < 10 || X >= 70 || Y < 5 || Y >= 35) {
                ASSERT_EQ(P, Grey) << X << "," << Y;
            } else {
                ASSERT_TRUE(P == Back || P == Letter) << X << "," << Y;
                Letters += P == Letter;
            }
        }
    EXPECT_GT(Letters, 20);
}

TEST(TextLayer, AlphaZeroLeavesTheFrameUnchanged)
{
    TBitmap24 Frame, Original;
    MakeFrame(Frame, 100, 50, Grey);
    CopyBitmap(Original, Frame);
    auto Layer = TextLayer("Hidden", 0, 0, 100, 50);
    Layer->BackFilled = true;
    Layer->TextAlpha = 0;
    RenderTextLayer(Frame, *Layer);
    EXPECT_EQ(Bytes(Frame), Bytes(Original));
}

TEST(TextLayer, NegativePositionDrawsTheVisiblePartAndTextIsCutAtTheBox)
{
    // The same text drawn fully inside a large frame, and shifted up-left out of a frame.
    TBitmap24 Whole;
    MakeFrame(Whole, 300, 100, Grey);
    RenderTextLayer(Whole, *TextLayer("WWWWWWWWWWWWWWWWWWWW", 50, 40, 100, 30));

    TBitmap24 Cut;
    MakeFrame(Cut, 300, 100, Grey);
    RenderTextLayer(Cut, *TextLayer("WWWWWWWWWWWWWWWWWWWW", -20, -10, 100, 30));
    for (int Y = 0; Y < 100; ++Y)
        for (int X = 0; X < 300; ++X) {
            TBgr Expected = Grey;
            if (X < 80 && Y < 20)
                Expected = PixelAt(Whole, X + 70, Y + 50);
            ASSERT_EQ(PixelAt(Cut, X, Y), Expected) << X << "," << Y;
        }
    // The long line stops at the box's right edge.
    for (int Y = 0; Y < 100; ++Y)
        for (int X = 150; X < 300; ++X)
            ASSERT_EQ(PixelAt(Whole, X, Y), Grey);

    TBitmap24 Outside, Original;
    MakeFrame(Outside, 50, 50, Grey);
    CopyBitmap(Original, Outside);
    RenderTextLayer(Outside, *TextLayer("W", -200, 10, 100, 30));
    RenderTextLayer(Outside, *TextLayer("W", 10, 60, 100, 30));
    EXPECT_EQ(Bytes(Outside), Bytes(Original));
}

// ---- the pipeline: time ranges and drawing order ----

class TPictureFiles : public testing::Test {
protected:
    TTempDir Dir;
    std::string Red = Dir.File("red.bmp");
    std::string Blue = Dir.File("blue.bmp");
    void SetUp() override
    {
        WriteBmp(Red, 6, 4, [](int, int) { return TBgr{0, 0, 255}; });
        WriteBmp(Blue, 6, 4, [](int, int) { return TBgr{255, 0, 0}; });
    }
};

TEST_F(TPictureFiles, ALayerFrom5To5IsDrawnOnlyWithinThatSecond)
{
    TReports Reports;
    TLayerPictures Pictures(Reports.Sink());
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Red, 1, 1));
    Record.WaterMarks[0]->StartTime = 5;
    Record.WaterMarks[0]->EndTime = 5;
    const std::pair<int64_t, bool> Frames[] = {
        {0, false},       {4999999, false}, {5000000, true}, {5500000, true},
        {5999999, true},  {6000000, false}, {-5000000, false}, {NoMediaTime, false},
    };
    for (const auto& [Pts, Drawn] : Frames) {
        TBitmap24 Frame;
        MakeFrame(Frame, 10, 8, Grey);
        ASSERT_TRUE(ApplyFrameEffects(Frame, Record, Pts, Pictures));
        EXPECT_EQ(PixelAt(Frame, 2, 2) == Grey, !Drawn) << Pts;
    }
    EXPECT_TRUE(Reports.Messages.empty());
}

TEST_F(TPictureFiles, SecondsAreTruncatedTowardZero)
{
    TLayerPictures Pictures([](const std::string&) {});
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Red, 0, 0));
    Record.WaterMarks[0]->StartTime = 0;
    Record.WaterMarks[0]->EndTime = 0;
    TBitmap24 Frame;
    MakeFrame(Frame, 10, 8, Grey);
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, -999999, Pictures)); // second 0, not -1
    EXPECT_NE(PixelAt(Frame, 0, 0), Grey);
}

TEST_F(TPictureFiles, LaterLayersLieOverEarlierOnes)
{
    TLayerPictures Pictures([](const std::string&) {});
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Red, 0, 0));
    Record.WaterMarks.push_back(ImageLayer(Blue, 3, 2, 200));
    TBitmap24 Frame;
    MakeFrame(Frame, 12, 8, Grey);
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    const TBgr RedOnGrey{Mix(90, 0, 255), Mix(90, 0, 255), Mix(90, 255, 255)};
    EXPECT_EQ(PixelAt(Frame, 1, 1), RedOnGrey);
    // The overlap: blue blended over the red result.
    EXPECT_EQ(PixelAt(Frame, 4, 3),
              (TBgr{Mix(RedOnGrey.B, 255, 200), Mix(RedOnGrey.G, 0, 200), Mix(RedOnGrey.R, 0, 200)}));
    EXPECT_EQ(PixelAt(Frame, 8, 5), (TBgr{Mix(90, 255, 200), Mix(90, 0, 200), Mix(90, 0, 200)}));
    EXPECT_EQ(PixelAt(Frame, 10, 7), Grey);

    // Swapping the array order puts red on top.
    std::swap(Record.WaterMarks[0], Record.WaterMarks[1]);
    Record.WaterMarks[0]->ImageAlpha = Record.WaterMarks[1]->ImageAlpha = 255;
    MakeFrame(Frame, 12, 8, Grey);
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    EXPECT_EQ(PixelAt(Frame, 4, 3), (TBgr{Mix(Mix(90, 255, 255), 0, 255), Mix(Mix(90, 0, 255), 0, 255),
                                          Mix(Mix(90, 0, 255), 255, 255)}));
}

TEST_F(TPictureFiles, EmptyTextAndEmptyFileNamesAreSkipped)
{
    TReports Reports;
    TLayerPictures Pictures(Reports.Sink());
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(TextLayer("", 0, 0, 50, 20));
    Record.WaterMarks.back()->BackFilled = true;
    Record.WaterMarks.push_back(ImageLayer("", 0, 0));
    // A layer's own kind decides which fields count.
    Record.WaterMarks.push_back(ImageLayer(Red, 0, 0));
    Record.WaterMarks.back()->Kind = WmKindText;
    TBitmap24 Frame, Original;
    MakeFrame(Frame, 20, 10, Grey);
    CopyBitmap(Original, Frame);
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    EXPECT_EQ(Bytes(Frame), Bytes(Original));
    EXPECT_TRUE(Reports.Messages.empty());
}

TEST_F(TPictureFiles, TextAndPictureLayersTogetherWithAdjustments)
{
    TLayerPictures Pictures([](const std::string&) {});
    TFrameEffectsRecord Record;
    Record.Brightness = 256;
    Record.Saturation = 0;
    Record.WaterMarks.push_back(TextLayer("A", 0, 0, 30, 30));
    Record.WaterMarks.push_back(ImageLayer(Red, 20, 20));
    TBitmap24 Frame;
    MakeFrame(Frame, 40, 30, {10, 100, 200});
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    // Adjusted background (grey 103), a picture on top of it, letters in the text box.
    EXPECT_EQ(PixelAt(Frame, 39, 0), (TBgr{103, 103, 103}));
    EXPECT_EQ(PixelAt(Frame, 22, 22), (TBgr{Mix(103, 0, 255), Mix(103, 0, 255), Mix(103, 255, 255)}));
    int Letters = 0;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 20; ++X)
            Letters += PixelAt(Frame, X, Y) != TBgr{103, 103, 103};
    EXPECT_GT(Letters, 10);
}

// ---- pictures: reuse and failures ----

TEST_F(TPictureFiles, CachedPicturesEqualReadingTheFileForEveryFrame)
{
    TReports Reports;
    TLayerPictures Pictures(Reports.Sink());
    const std::string Logo = Dir.File("logo.bmp");
    WriteBmp(Logo, 7, 5, [](int X, int Y) { return TBgr{uint8_t(X * 30), uint8_t(Y * 50), 77}; });
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Logo, -2, 3, 180));

    const auto Check = [&](int Frame) {
        TBitmap24 Cached, Direct;
        MakeFrame(Cached, 16, 9, Grey);
        FillNoise(Cached, unsigned(Frame));
        CopyBitmap(Direct, Cached);
        const bool CachedDrawn = ApplyFrameEffects(Cached, Record, 0, Pictures);
        const bool DirectDrawn = RenderImageLayer(Direct, *Record.WaterMarks[0]);
        EXPECT_EQ(CachedDrawn, DirectDrawn) << Frame;
        EXPECT_EQ(Bytes(Cached), Bytes(Direct)) << Frame;
    };
    for (int Frame = 0; Frame < 5; ++Frame)
        Check(Frame);
    EXPECT_EQ(Pictures.DecodeCount(), 1);

    // Replaced by another picture of the same size and name: the next frame shows the new one.
    const std::string Other = Dir.File("other.bmp");
    WriteBmp(Other, 7, 5, [](int X, int) { return TBgr{200, uint8_t(X * 10), 3}; });
    std::filesystem::rename(Other, Logo);
    for (int Frame = 5; Frame < 8; ++Frame)
        Check(Frame);
    EXPECT_EQ(Pictures.DecodeCount(), 2);

    // Rewritten in place with a different size.
    WriteBmp(Logo, 3, 9, [](int, int Y) { return TBgr{1, 2, uint8_t(Y * 20)}; });
    Check(8);
    Check(9);
    EXPECT_EQ(Pictures.DecodeCount(), 3);
    EXPECT_TRUE(Reports.Messages.empty());
}

TEST_F(TPictureFiles, AnUnreadablePictureLeavesItsFramesUnchangedAndIsReportedOnce)
{
    TReports Reports;
    TLayerPictures Pictures(Reports.Sink());
    const std::string Gone = Dir.File("gone.bmp");
    TFrameEffectsRecord Record;
    Record.Brightness = 400;
    Record.Exposure = 100;
    Record.WaterMarks.push_back(TextLayer("Text", 0, 0, 50, 20));
    Record.WaterMarks.push_back(ImageLayer(Gone, 0, 0));
    Record.WaterMarks[1]->StartTime = 2;
    Record.WaterMarks[1]->EndTime = 3;

    for (int Second = 0; Second < 6; ++Second) {
        TBitmap24 Frame, Original;
        MakeFrame(Frame, 60, 30, Grey);
        CopyBitmap(Original, Frame);
        const bool Due = Second == 2 || Second == 3;
        for (int64_t Pts : {int64_t(Second) * 1000000, int64_t(Second) * 1000000 + 500000}) {
            TBitmap24 F;
            CopyBitmap(F, Original);
            EXPECT_EQ(ApplyFrameEffects(F, Record, Pts, Pictures), !Due);
            // Due: none of the frame's changes; otherwise the other effects still apply.
            EXPECT_EQ(Bytes(F) == Bytes(Original), Due) << Pts;
        }
    }
    ASSERT_EQ(Reports.Messages.size(), 1u);
    EXPECT_NE(Reports.Messages[0].find(Gone), std::string::npos);

    // Once the file is there it is drawn; losing it again is a new fault, reported again.
    WriteBmp(Gone, 2, 2, [](int, int) { return TBgr{0, 255, 0}; });
    TBitmap24 Frame;
    MakeFrame(Frame, 60, 30, Grey);
    EXPECT_TRUE(ApplyFrameEffects(Frame, Record, 2000000, Pictures));
    std::filesystem::remove(Gone);
    EXPECT_FALSE(ApplyFrameEffects(Frame, Record, 2000000, Pictures));
    EXPECT_FALSE(ApplyFrameEffects(Frame, Record, 2000000, Pictures));
    EXPECT_EQ(Reports.Messages.size(), 2u);
}

TEST_F(TPictureFiles, AFileThatIsNotABitmapIsDecodedOnceAndReportedOnce)
{
    TReports Reports;
    TLayerPictures Pictures(Reports.Sink());
    const std::string Text = Dir.File("notes.bmp");
    std::ofstream(Text) << "not a picture";
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Text, 0, 0));
    for (int I = 0; I < 4; ++I) {
        TBitmap24 Frame;
        MakeFrame(Frame, 8, 8, Grey);
        EXPECT_FALSE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    }
    EXPECT_EQ(Reports.Messages.size(), 1u);
    EXPECT_EQ(Pictures.DecodeCount(), 1);
    std::string Error;
    EXPECT_EQ(LoadLayerPicture(Text, Error), nullptr);
    EXPECT_EQ(Error, "not a picture file");
    EXPECT_EQ(LoadLayerPicture(Dir.File("missing.bmp"), Error), nullptr);
    EXPECT_EQ(LoadLayerPicture(Dir.File(""), Error), nullptr); // a folder
}

TEST_F(TPictureFiles, TheDefaultReportGoesToTheEngineLoggerAsAWarning)
{
    std::vector<std::pair<TLogLevel, std::string>> Lines;
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel Level, const std::string& Msg) {
        Lines.emplace_back(Level, Msg);
    });
    {
        TLayerPictures Pictures;
        TFrameEffectsRecord Record;
        Record.WaterMarks.push_back(ImageLayer(Dir.File("none.bmp"), 0, 0));
        for (int I = 0; I < 3; ++I) {
            TBitmap24 Frame;
            MakeFrame(Frame, 8, 8, Grey);
            ApplyFrameEffects(Frame, Record, 0, Pictures);
        }
    }
    GetLogger().SetOnLog({});
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].first, llWarning);
    EXPECT_NE(Lines[0].second.find("none.bmp"), std::string::npos);
}

TEST_F(TPictureFiles, PicturesOfOtherDepthsAreConvertedTo24Bits)
{
    const std::string Indexed = Dir.File("indexed.bmp");
    QImage Image(3, 2, QImage::Format_Indexed8);
    Image.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    Image.fill(0);
    Image.setPixel(1, 1, 1);
    ASSERT_TRUE(Image.save(QString::fromStdString(Indexed), "BMP"));
    std::string Error;
    const auto Bitmap = LoadLayerPicture(Indexed, Error);
    ASSERT_NE(Bitmap, nullptr) << Error;
    EXPECT_EQ(Bitmap->Width(), 3);
    EXPECT_EQ(Bitmap->Height(), 2);
    EXPECT_EQ(PixelAt(*Bitmap, 0, 0), (TBgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(*Bitmap, 1, 1), (TBgr{255, 0, 0}));
}

}  // namespace

namespace {

TEST_F(TPictureFiles, PngCoverageWeighsEachPixelAndJpegLoadsToo)
{
    // One row: transparent, half covered, opaque; all pure red.
    const std::string Png = Dir.File("cover.png");
    QImage Image(3, 1, QImage::Format_ARGB32);
    Image.setPixel(0, 0, qRgba(255, 0, 0, 0));
    Image.setPixel(1, 0, qRgba(255, 0, 0, 128));
    Image.setPixel(2, 0, qRgba(255, 0, 0, 255));
    ASSERT_TRUE(Image.save(QString::fromStdString(Png), "PNG"));
    TLayerPictures Pictures;
    TFrameEffectsRecord Record;
    Record.WaterMarks.push_back(ImageLayer(Png, 1, 1, 200));
    TBitmap24 Frame;
    MakeFrame(Frame, 5, 3, Grey);
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    EXPECT_EQ(PixelAt(Frame, 1, 1), Grey); // no coverage: untouched
    const int Half = (200 * 128 + 127) / 255;
    const auto Mix = [](int A, int D, int S) { return uint8_t(((256 - A) * D + A * S) >> 8); };
    EXPECT_EQ(PixelAt(Frame, 2, 1), (TBgr{Mix(Half, 90, 0), Mix(Half, 90, 0), Mix(Half, 90, 255)}));
    // Full coverage blends exactly as an opaque bitmap does.
    EXPECT_EQ(PixelAt(Frame, 3, 1), (TBgr{Mix(200, 90, 0), Mix(200, 90, 0), Mix(200, 90, 255)}));
    EXPECT_EQ(PixelAt(Frame, 4, 1), Grey);

    const std::string Jpeg = Dir.File("photo.jpg");
    QImage Photo(16, 8, QImage::Format_RGB32);
    Photo.fill(QColor(20, 200, 40));
    ASSERT_TRUE(Photo.save(QString::fromStdString(Jpeg), "JPEG", 95));
    std::string Error;
    const auto Loaded = LoadLayerPictureWithAlpha(Jpeg, Error);
    ASSERT_NE(Loaded, nullptr) << Error;
    EXPECT_TRUE(Loaded->Alpha.empty());
    EXPECT_EQ(Loaded->Pixels.Width(), 16);
    const TBgr P = PixelAt(Loaded->Pixels, 8, 4);
    EXPECT_NEAR(P.G, 200, 6);
    EXPECT_NEAR(P.R, 20, 6);
}

}  // namespace
