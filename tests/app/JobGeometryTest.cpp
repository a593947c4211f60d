// The job builder and the picture as it is shown: square-pixel sources keep exactly the records
// they always had, sources with non-square pixels are fitted by their display shape, and the
// probe hands the builder the upright size of a turned picture.
#include "app/JobBuilder.h"
#include "app/SettingsKeys.h"
#include "engine/OptionConvert.h"
#include "engine/PictureGeometry.h"
#include "engine/TranscodeTestSupport.h"
#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"

#include "JobRecordText.h"
#include "ShownPicture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace zelta;
using namespace zelta::test;
using jobtest::RecordText;
using namespace shownpicture;

namespace {

class TNoPrompts : public TUserPrompts {
public:
    void ShowMessage(std::string_view, std::string_view Text) override
    {
        ADD_FAILURE() << "unexpected message " << Text;
    }
    bool AskYesNo(std::string_view, std::string_view Text) override
    {
        ADD_FAILURE() << "unexpected question " << Text;
        return true;
    }
};

constexpr int Code = 9;


uint64_t Fnv1a(const std::string& Text, uint64_t Hash)
{
    for (const unsigned char c : Text) {
        Hash ^= c;
        Hash *= 0x100000001b3ULL;
    }
    return Hash;
}

class TJobGeometry : public testing::Test {
protected:
    TTempFolder Folder;
    TIniFile Settings{Folder.File("zeltavideoaudioconverter.ini")};
    TIniFile Catalogue{Folder.File("zeltaaudioformat.ini")};
    TNoPrompts Prompts;

    void SetUp() override
    {
        if (!FFLoader().LoadLibs(EngineLibraries))
            GTEST_SKIP() << FFLoader().LastError();
    }

    void Profile(std::string_view Format, std::string_view Encoder, std::string_view Size)
    {
        ASSERT_TRUE(Catalogue.WriteString(FormatInfoSection(Code), "Format", Format));
        ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaVideoEncoder, Encoder));
        ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaVideoSize, Size));
    }

    // The records the batch driver would hand on for a row with these margins and zoom mode.
    TOutputOptions Build(const TSourceVideo& Source, std::string_view Zoom, int Crop = 0,
                         TInputOptions* Input = nullptr)
    {
        TlvFilesRecord row;
        row.ZoomMode = std::string(Zoom);
        TOutputOptions output;
        TInputOptions input;
        ResetOutputOptions(output);
        ResetInputOptions(input);
        output.FileName = "out.mp4";
        input.FileName = "in.mp4";
        if (Crop > 0) {
            row.CropTop = row.CropBottom = Crop;
            row.CropLeft = row.CropRight = 2 * Crop;
            output.CropTop = output.CropBottom = Crop;
            output.CropLeft = output.CropRight = 2 * Crop;
        }
        BuildJobOptions(row, Code, output, input, Source, Settings, Catalogue, Prompts);
        if (Input != nullptr)
            *Input = input;
        return output;
    }
    std::string Records(const TSourceVideo& Source, std::string_view Zoom, int Crop)
    {
        TInputOptions input;
        const TOutputOptions output = Build(Source, Zoom, Crop, &input);
        return RecordText(output, input);
    }
};

// The digests below were taken from the builder before it knew pixel aspects and rotations,
// over every combination of the profiles, sources, zoom modes and margins listed here, and
// taken again when cropped pictures came to be fitted as the crop leaves them and pan and scan
// came to cut to 4:3. A change in any record of a square-pixel, unrotated source changes its
// zoom mode's digest.
TEST_F(TJobGeometry, SquarePixelSourcesKeepTheirRecords)
{
    struct TProfileCase {
        const char* Format;
        const char* Encoder;
    };
    const TProfileCase profiles[] = {
        {"mp4", "libx264"}, {"ipod", "libx264"}, {"pal-dvd", "mpeg2video"},
        {"ntsc-vcd", "mpeg1video"}, {"3gp", "h263"},
    };
    const char* sizes[] = {"as source", "320x240", "640x480", "720x576", "1280x720", "300x200"};
    const std::pair<int, int> sources[] = {{1280, 720}, {720, 576}, {640, 480},
                                           {320, 240}, {1920, 1080}, {176, 144}};
    struct TZoomCase {
        const char* Zoom;
        uint64_t Digest;
    };
    const TZoomCase zooms[] = {
        {"full", 0x8167951dff750d95ULL},   {"lbox", 0x00ba356156a89f2fULL},
        {"pan", 0x53073529e587cee1ULL},    {"center", 0x919cb4eba26468caULL},
        {"orig", 0x59e48eb48fb5ebd9ULL},
    };
    for (const TZoomCase& z : zooms) {
        uint64_t hash = 0xcbf29ce484222325ULL;
        for (const TProfileCase& p : profiles)
            for (const char* size : sizes) {
                Profile(p.Format, p.Encoder, size);
                for (const auto& [w, h] : sources)
                    for (const int crop : {0, 8}) {
                        TSourceVideo source{1, w, h, 900000};
                        hash = Fnv1a(Records(source, z.Zoom, crop) + "\n", hash);
                    }
            }
        EXPECT_EQ(hash, z.Digest) << z.Zoom << std::hex << " 0x" << hash;
    }
}

TEST_F(TJobGeometry, NonSquarePixelsAreFittedByTheirDisplayShape)
{
    // 360x240 with pixel aspect 32:27 shows 16:9.
    const TSourceVideo wide{1, 360, 240, 900000, 32, 27};
    Profile("mp4", "libx264", "320x240");
    TOutputOptions o = Build(wide, "lbox");
    EXPECT_EQ(o.FrameSize, "320x180");
    EXPECT_EQ(o.AspectRatio, "320:180");
    EXPECT_EQ(o.VideoFilters, "pad=320:240:0:30");
    // Full screen stretches the picture into the frame and states the shape it shows.
    o = Build(wide, "full");
    EXPECT_EQ(o.FrameSize, "320x240");
    EXPECT_EQ(o.AspectRatio, "16:9");
    o = Build(wide, "full", 8); // 360-32 x 240-16, stretched by 32:27
    EXPECT_EQ(o.AspectRatio, "328:189");
    // Pan and scan cuts the sides by the display shape: 853 of 720 stretched columns show
    // 16:9, 540 of them (640 / 1.185, 4:3 of 480 rows) stay.
    Profile("mp4", "libx264", "640x480");
    o = Build(TSourceVideo{1, 720, 480, 900000, 32, 27}, "pan");
    EXPECT_EQ(o.CropLeft, 90);
    EXPECT_EQ(o.CropRight, 90);
    EXPECT_EQ(o.CropTop, 0);

    // 8:9 pixels of 360x240 show 4:3: they fill a 320x240 picture.
    Profile("mp4", "libx264", "320x240");
    o = Build(TSourceVideo{1, 360, 240, 900000, 8, 9}, "lbox");
    EXPECT_EQ(o.FrameSize, "320x240");
    EXPECT_EQ(o.VideoFilters, "pad=320:240:0:0");

    // The source's size keeps the source's pixels, so its display aspect is stated.
    Profile("mp4", "libx264", "as source");
    o = Build(wide, "lbox");
    EXPECT_EQ(o.FrameSize, "360x240");
    EXPECT_EQ(o.AspectRatio, "16:9");
    EXPECT_EQ(o.VideoFilters, "pad=360:240:0:0");
    o = Build(wide, "full");
    EXPECT_EQ(o.AspectRatio, "16:9");

    // A disc frame is shown at its format's 4:3 or 16:9: a wide source fills a 16:9 DVD frame,
    // a 4:3 one a 4:3 frame, and a VCD (4:3 only) letterboxes a wide source inside its frame.
    Profile("ntsc-dvd", "mpeg2video", "720x480");
    o = Build(TSourceVideo{1, 720, 480, 900000, 32, 27}, "lbox");
    EXPECT_EQ(o.FrameSize, "720x480");
    EXPECT_EQ(o.AspectRatio, "16:9");
    EXPECT_EQ(o.VideoFilters, "pad=720:480:0:0");
    Profile("pal-dvd", "mpeg2video", "720x576");
    o = Build(TSourceVideo{1, 720, 480, 900000, 8, 9}, "full");
    EXPECT_EQ(o.AspectRatio, "4:3");
    Profile("ntsc-vcd", "mpeg1video", "352x240");
    o = Build(TSourceVideo{1, 720, 480, 900000, 32, 27}, "lbox");
    EXPECT_EQ(o.FrameSize, "352x180");
    EXPECT_EQ(o.AspectRatio, "16:9");
    EXPECT_EQ(o.VideoFilters, "pad=352:240:0:30");
    // Pan and scan fills a 4:3 frame even on a DVD.
    Profile("ntsc-dvd", "mpeg2video", "720x480");
    o = Build(TSourceVideo{1, 720, 480, 900000, 32, 27}, "pan");
    EXPECT_EQ(o.AspectRatio, "4:3");
    EXPECT_EQ(o.CropLeft, 90);
}

TEST_F(TJobGeometry, ProbeGivesTheUprightSizeOfATurnedPicture)
{
    struct TCase {
        int Rotation, Num, Den, Width, Height, OutNum, OutDen;
    };
    for (const TCase& c : {TCase{0, 1, 1, 320, 180, 1, 1}, TCase{90, 1, 1, 180, 320, 1, 1},
                           TCase{180, 1, 1, 320, 180, 1, 1}, TCase{270, 1, 1, 180, 320, 1, 1},
                           TCase{90, 32, 27, 240, 360, 27, 32}}) {
        TAVProbe probe;
        ASSERT_TRUE(probe.Open(fixtures::GeometryFixture(c.Rotation, c.Num, c.Den)));
        const TSourceVideo v = SourceVideoOf(probe);
        EXPECT_EQ(v.Width, c.Width) << c.Rotation;
        EXPECT_EQ(v.Height, c.Height) << c.Rotation;
        EXPECT_EQ(v.PixelAspectNum, c.OutNum) << c.Rotation;
        EXPECT_EQ(v.PixelAspectDen, c.OutDen) << c.Rotation;
        EXPECT_EQ(v.Rotation, c.Rotation);
    }
}

// ---- end to end: a fixture through the builder and the engine ----

// Converts Source through the builder and the engine with the profile set up and the zoom
// mode, into OutName in the test folder; the output's first picture (empty on failure).
class TJobGeometryRun : public TJobGeometry {
protected:
    TShownPicture Converted(const std::string& Source, const char* Zoom, const char* OutName)
    {
        TAVProbe probe;
        if (!probe.Open(Source)) {
            ADD_FAILURE() << "cannot probe " << Source;
            return {};
        }
        TlvFilesRecord row;
        row.ZoomMode = Zoom;
        TOutputOptions output;
        TInputOptions input;
        ResetOutputOptions(output);
        ResetInputOptions(input);
        input.FileName = Source;
        output.FileName = Folder.File(OutName);
        BuildJobOptions(row, Code, output, input, probe, Settings, Catalogue, Prompts);

        TCustomFFmpeg core;
        core.PrepareTask();
        std::atomic<bool> stop{false};
        bool done = false;
        try {
            ApplyInputOptions(core, input, input.FileName);
            ApplyOutputOptions(core, output, output.FileName);
            done = Transcode(core, stop);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        core.FreeSession();
        if (!done || core.WrittenFiles().size() != 1) {
            ADD_FAILURE() << core.LastErrMsg();
            return {};
        }
        // The next case writes under the same name again.
        const std::string written = core.WrittenFiles().front();
        const TShownPicture picture = FirstPicture(written);
        std::filesystem::remove(written);
        return picture;
    }
};

TEST_F(TJobGeometryRun, ConvertedPicturesStandUprightWithTheirShape)
{
    struct TSourceCase {
        int Rotation, Num, Den;
        double Aspect; // the source's display aspect
    };
    const TSourceCase sources[] = {
        {0, 1, 1, 16.0 / 9},   {90, 1, 1, 9.0 / 16}, {180, 1, 1, 16.0 / 9},
        {270, 1, 1, 9.0 / 16}, {0, 32, 27, 16.0 / 9}, {0, 8, 9, 4.0 / 3},
    };
    struct TProfileCase {
        const char* Size;
        const char* Zoom;
    };
    const TProfileCase profiles[] = {{"as source", "lbox"}, {"320x240", "lbox"}, {"320x240", "full"}};
    for (const TSourceCase& src : sources)
        for (const TProfileCase& prof : profiles) {
            SCOPED_TRACE(testing::Message() << "rotation " << src.Rotation << ", pixels "
                                            << src.Num << ":" << src.Den << ", " << prof.Size
                                            << " " << prof.Zoom);
            const std::string source = fixtures::GeometryFixture(src.Rotation, src.Num, src.Den);
            Profile("mp4", "mpeg4", prof.Size);
            ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaAudioEncoder, ""));
            ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaFrameRate, "25"));
            const TShownPicture out = Converted(source, prof.Zoom, "out.mp4");
            ASSERT_GT(out.Width, 0);
            // Turned once: no rotation is left for a player to apply again.
            EXPECT_EQ(out.Rotation, 0);
            const TBox picture = Brighter(out, 40); // the grey picture without black bars
            const TBox marker = Brighter(out, 200);
            ASSERT_FALSE(picture.Empty());
            ASSERT_FALSE(marker.Empty());
            const double shown = double(picture.W()) * av_q2d(out.Sar) / picture.H();
            // Only a square, unturned source is stretched to the frame's shape, as it always
            // was; every other picture keeps the shape it shows.
            if (std::string(prof.Zoom) == "full" && src.Rotation == 0 && src.Num == src.Den)
                EXPECT_NEAR(double(out.Width) * av_q2d(out.Sar) / out.Height, 320.0 / 240, 0.01);
            else
                EXPECT_NEAR(shown / src.Aspect, 1.0, 0.01 + 2.0 / picture.H())
                    << picture.W() << "x" << picture.H() << " sar " << out.Sar.num << ":"
                    << out.Sar.den;
            // The marker fills the picture's top-left corner, and only that corner.
            EXPECT_LE(marker.X0 - picture.X0, 2);
            EXPECT_LE(marker.Y0 - picture.Y0, 2);
            EXPECT_LT(marker.X1, picture.X0 + picture.W() / 2);
            EXPECT_LT(marker.Y1, picture.Y0 + picture.H() / 2);
        }
}

// A disc frame carries its display aspect as the format's flag, so a player shows a DV or DVD
// source with its own shape: a 16:9 source fills a 16:9 DVD frame, a 4:3 one a 4:3 frame.
TEST_F(TJobGeometryRun, DiscFramesShowNonSquareSourcesWithTheirShape)
{
    struct TCase {
        int Num, Den;
        double Aspect;
    };
    for (const TCase& c : {TCase{32, 27, 16.0 / 9}, TCase{8, 9, 4.0 / 3}}) {
        SCOPED_TRACE(testing::Message() << "pixels " << c.Num << ":" << c.Den);
        Profile("pal-dvd", "mpeg2video", "720x576");
        ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaAudioEncoder, ""));
        ASSERT_TRUE(Settings.WriteString(FormatInfoSection(Code), KeyParaFrameRate, "25"));
        const TShownPicture out =
            Converted(fixtures::GeometryFixture(0, c.Num, c.Den), "lbox", "out.vob");
        ASSERT_EQ(out.Width, 720);
        ASSERT_EQ(out.Height, 576);
        EXPECT_NEAR(double(out.Width) * av_q2d(out.Sar) / out.Height / c.Aspect, 1.0, 0.01)
            << out.Sar.num << ":" << out.Sar.den;
        // The picture fills the frame: no bars.
        const TBox picture = Brighter(out, 40);
        EXPECT_LE(picture.X0, 4);
        EXPECT_LE(picture.Y0, 4);
        EXPECT_GE(picture.X1, out.Width - 5);
        EXPECT_GE(picture.Y1, out.Height - 5);
    }
}

}  // namespace

namespace {

TEST(PictureGeometryCopy, StreamCopyKeepsTheStoredPictureAndItsRotation)
{
    if (!FFLoader().LoadLibs(EngineLibraries))
        GTEST_SKIP() << FFLoader().LastError();
    TTempFolder folder;
    transcodetest::TConversion c;
    c.Inputs = {{fixtures::GeometryFixture(90), {}}};
    c.Options = {{"vcodec", "copy"}};
    c.Output = folder.File("copy.mp4");
    const transcodetest::TOutcome outcome = transcodetest::Convert(c);
    ASSERT_TRUE(outcome.Completed) << outcome.Error;
    const TShownPicture out = FirstPicture(c.Output);
    EXPECT_EQ(out.Width, 320);
    EXPECT_EQ(out.Height, 180);
    EXPECT_EQ(out.Rotation, 90);
}

}  // namespace
