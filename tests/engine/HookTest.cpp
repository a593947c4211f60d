// The frame hook pipeline: the custom hook with its StopHook, Update and exception rules, the
// direct path for BGR24 pictures, video hook modules, deinterlacing and the preview frames.
#include "RunTestSupport.h"

#include "EngineTestSupport.h"
#include "engine/FrameHook.h"

#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

using namespace runtest;
using transcodetest::TLogCapture;
using transcodetest::TOutputDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr int FullPictures = 50;

struct TSquare {
    int X = 100, Y = 60, Size = 40;
};

// Paints the square in the colour (B, G, R) on the bitmap.
void Paint(TBitmap24& Bitmap, const TSquare& Square, uint8_t B, uint8_t G, uint8_t R) {
    for (int y = Square.Y; y < Square.Y + Square.Size; ++y)
        for (int x = Square.X; x < Square.X + Square.Size; ++x) {
            uint8_t* p = Bitmap.ScanLine(y) + x * 3;
            p[0] = B;
            p[1] = G;
            p[2] = R;
        }
}

// Runs a set-up task on the calling thread; true when it completed without error.
bool RunTask(TCustomFFmpeg& Core) {
    Core.StartConvert(false, tpNormal);
    EXPECT_FALSE(Core.ErrorOccurred()) << Core.ErrorMessage();
    return Core.Completed() && !Core.ErrorOccurred();
}

// Converts Input to Output with an optional hook.
void Convert(const std::string& Input, const std::string& Output, THookCallback Hook,
             const TOptionList& Options = {}) {
    TCustomFFmpeg core;
    SetUpTask(core, Input, Output, Options);
    core.HookCallback = std::move(Hook);
    EXPECT_TRUE(RunTask(core));
}

bool IsRed(const std::array<int, 3>& C) {
    return C[2] > 200 && C[1] < 60 && C[0] < 60;
}

// A vhook text: the module and its arguments (given with blanks) separated by "|", so that a
// module whose folder name holds blanks stays one word.
std::string Hook(const char* Path, const std::string& Arguments = {}) {
    std::string text = std::string(Path) + "|";
    for (const char c : Arguments)
        text += c == ' ' ? '|' : c;
    return text;
}

} // namespace

TEST(FrameHook, HookSeesEveryPictureInOrderAndStopHookEndsIt) {
    TOutputDir dir;
    std::vector<int> numbers;
    std::vector<int64_t> times;
    Convert(Media().AviMpeg4Mp3, dir.File("all.avi"),
            [&](TCustomFFmpeg& Core, TBitmap24& Bitmap, bool& StopHook, bool& Update, int64_t PTS,
                int FrameNumber) {
                EXPECT_FALSE(StopHook);
                EXPECT_TRUE(Update);
                EXPECT_EQ(Bitmap.Width(), 320);
                EXPECT_EQ(Bitmap.Height(), 240);
                EXPECT_EQ(Core.HookFrameCount(), FrameNumber);
                numbers.push_back(FrameNumber);
                times.push_back(PTS);
                Update = false;
            });
    ASSERT_EQ(numbers.size(), size_t(FullPictures));
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], int(i) + 1);
    EXPECT_EQ(times.front(), 0);
    EXPECT_EQ(times.back(), 49 * 40000);

    int calls = 0;
    TCustomFFmpeg core;
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("once.avi"));
    core.HookCallback = [&](TCustomFFmpeg&, TBitmap24&, bool& StopHook, bool&, int64_t, int) {
        ++calls;
        StopHook = true;
    };
    EXPECT_TRUE(RunTask(core));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(core.HookFrameCount(), FullPictures); // still counted without a hook
}

TEST(FrameHook, UpdateFalseAndAThrowingHookLeaveThePicturesUnchanged) {
    TOutputDir dir;
    std::vector<TLogInfo> log;
    TLogCapture capture(log, llError);
    Convert(Media().AviMpeg4Mp3, dir.File("plain.avi"), {});
    int calls = 0;
    Convert(Media().AviMpeg4Mp3, dir.File("hooked.avi"),
            [&](TCustomFFmpeg&, TBitmap24& Bitmap, bool&, bool& Update, int64_t, int) {
                Paint(Bitmap, TSquare{0, 0, 240}, 0, 0, 255);
                if (++calls == 1)
                    throw std::runtime_error("boom");
                Update = false;
            });
    EXPECT_EQ(calls, FullPictures);
    const std::string plain = enginetest::ReadBytes(dir.File("plain.avi"));
    ASSERT_GT(plain.size(), 10000u);
    EXPECT_TRUE(plain == enginetest::ReadBytes(dir.File("hooked.avi")));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const TLogInfo& l) {
                                return l.LogLevel == llError &&
                                       l.LogMsg == "Error occurs OnCustomHook: boom";
                            }),
              1);
}

TEST(FrameHook, APaintedSquareAppearsInTheOutputAtItsPlace) {
    TOutputDir dir;
    const TSquare square;
    Convert(Media().AviMpeg4Mp3, dir.File("red.avi"),
            [&](TCustomFFmpeg&, TBitmap24& Bitmap, bool&, bool&, int64_t, int) {
                Paint(Bitmap, square, 0, 0, 255);
            });
    const auto inside = PixelOfEachPicture(dir.File("red.avi"), square.X + 20, square.Y + 20);
    const auto outside = PixelOfEachPicture(dir.File("red.avi"), square.X - 8, square.Y + 20);
    ASSERT_EQ(inside.size(), size_t(FullPictures));
    EXPECT_TRUE(std::all_of(inside.begin(), inside.end(), IsRed));
    EXPECT_TRUE(std::none_of(outside.begin(), outside.end(), IsRed));
}

TEST(FrameHook, Bgr24PicturesAreHookedInPlaceExactly) {
    TOutputDir dir;
    const std::string raw = dir.File("bgr.nut");
    const TOptionList rawVideo = {{"vcodec", "rawvideo"}, {"pix_fmt", "bgr24"}, {"vframes", "5"}};
    Convert(Media().AviMpeg4Mp3, raw, {}, rawVideo);
    const TSquare square{10, 20, 30};
    Convert(raw, dir.File("bgr-hooked.nut"),
            [&](TCustomFFmpeg&, TBitmap24& Bitmap, bool&, bool&, int64_t, int) {
                Paint(Bitmap, square, 1, 2, 3);
            },
            rawVideo);
    EXPECT_THAT(PixelOfEachPicture(dir.File("bgr-hooked.nut"), 10, 20),
                ElementsAre(std::array<int, 3>{1, 2, 3}, std::array<int, 3>{1, 2, 3},
                            std::array<int, 3>{1, 2, 3}, std::array<int, 3>{1, 2, 3},
                            std::array<int, 3>{1, 2, 3}));
    // Outside the square every byte is the input's.
    EXPECT_EQ(PixelOfEachPicture(dir.File("bgr-hooked.nut"), 9, 20),
              PixelOfEachPicture(raw, 9, 20));
}

TEST(FrameHook, VideoHookModulesChangePicturesAndTheirRefusalsAreReported) {
    TOutputDir dir;
    // The module paints the top left corner of the luma plane with its argument.
    int reference = -1;
    ForEachPicture(Media().AviMpeg4Mp3, [&](const AVFrame* F) {
        if (reference < 0)
            reference = F->data[0][8 * F->linesize[0] + 8];
    });
    const int value = reference < 128 ? 230 : 20;
    {
        TCustomFFmpeg core;
        SetUpTask(core, Media().AviMpeg4Mp3, dir.File("vhook.avi"),
                  {{"vhook", Hook(ZELTA_TEST_HOOK, std::to_string(value))}});
        EXPECT_TRUE(core.UsingHookModules());
        EXPECT_TRUE(RunTask(core));
        EXPECT_FALSE(core.UsingHookModules()); // released with the session
    }
    std::vector<int> corner;
    ForEachPicture(dir.File("vhook.avi"),
                   [&](const AVFrame* F) { corner.push_back(F->data[0][8 * F->linesize[0] + 8]); });
    ASSERT_EQ(corner.size(), size_t(FullPictures));
    for (int y : corner)
        EXPECT_NEAR(y, value, 6);

    std::vector<TLogInfo> log;
    TLogCapture capture(log, llError);
    TCustomFFmpeg core;
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("refused.avi"));
    const struct {
        std::string Text;
        std::string Logged;
    } refusals[] = {
        {Hook(ZELTA_TEST_HOOK_NOPROCESS, "1 2"),
         std::string("Failed to find Process entrypoint in ") + ZELTA_TEST_HOOK_NOPROCESS},
        {Hook(ZELTA_TEST_HOOK, "fail"), std::string("Failed to Configure ") + ZELTA_TEST_HOOK},
        {"/nonexistent/hook.so -x", "/nonexistent/hook.so"},
    };
    for (const auto& r : refusals) {
        try {
            core.SetOption("vhook", r.Text);
            ADD_FAILURE() << r.Text;
        } catch (const FFmpegException& e) {
            EXPECT_EQ(e.what(), "Failed to add video hook function: " + r.Text);
        }
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const TLogInfo& l) {
            return l.LogMsg.find(r.Logged) != std::string::npos;
        })) << r.Logged;
    }
    EXPECT_FALSE(core.UsingHookModules());
}

TEST(FrameHook, HookModuleListResultsAndArgumentSplitting) {
    EXPECT_THAT(SplitHookArguments("mod.so|two words|x"), ElementsAre("mod.so", "two words", "x"));
    EXPECT_THAT(SplitHookArguments("mod.so two words x"),
                ElementsAre("mod.so", "two", "words", "x"));
    EXPECT_THAT(SplitHookArguments("  a  b "), ElementsAre("a", "b"));
    EXPECT_TRUE(SplitHookArguments("").empty());

    THookModuleList list;
    EXPECT_EQ(list.Add(""), -2);
    EXPECT_EQ(list.Add("|"), -2);
    EXPECT_EQ(list.Add(Hook(ZELTA_TEST_HOOK)), 0);
    EXPECT_EQ(list.Add(Hook(ZELTA_TEST_HOOK, "12")), 0); // the loaded file again
    EXPECT_EQ(list.Add(Hook(ZELTA_TEST_HOOK_NOPROCESS)), -2);
    EXPECT_EQ(list.Add(Hook(ZELTA_TEST_HOOK, "fail")), -22);
    EXPECT_EQ(list.Add("/nonexistent/hook.so"), -1);
    std::string many = Hook(ZELTA_TEST_HOOK);
    for (int i = 0; i < MaxHookArguments; ++i)
        many += "|a";
    EXPECT_EQ(list.Add(many), -7);
    EXPECT_EQ(list.Count(), 2u);

    // Process runs the modules in list order: the last one's value stays.
    TFramePtr frame(av_frame_alloc());
    frame->format = AV_PIX_FMT_GRAY8;
    frame->width = 32;
    frame->height = 32;
    ASSERT_GE(av_frame_get_buffer(frame.get(), 0), 0);
    std::memset(frame->data[0], 7, size_t(frame->linesize[0]) * 32);
    list.Process(frame.get(), 0);
    EXPECT_EQ(frame->data[0][0], 12);
    EXPECT_EQ(frame->data[0][16], 7);
    list.Release();
    EXPECT_TRUE(list.Empty());
}

TEST(FrameHook, DeinterlacingBlendsLinesOfPlanarYuv) {
    auto picture = [](AVPixelFormat Format) {
        TFramePtr f(av_frame_alloc());
        f->format = Format;
        f->width = 16;
        f->height = 8;
        EXPECT_GE(av_frame_get_buffer(f.get(), 0), 0);
        return f;
    };
    TFramePtr src = picture(AV_PIX_FMT_YUV420P), dst = picture(AV_PIX_FMT_YUV420P);
    for (int y = 0; y < 8; ++y)
        std::memset(src->data[0] + y * src->linesize[0], y % 2 ? 200 : 0, 16);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < 4; ++y)
            std::memset(src->data[p] + y * src->linesize[p], 90, 8);
    ASSERT_TRUE(DeinterlacePicture(dst.get(), src.get()));
    EXPECT_EQ(dst->data[0][0], 50);                      // (0 + 0 + 200) / 4, rounded
    EXPECT_EQ(dst->data[0][3 * dst->linesize[0]], 100);  // (0 + 400 + 0) / 4
    EXPECT_EQ(dst->data[0][4 * dst->linesize[0]], 100);  // (200 + 0 + 200) / 4
    EXPECT_EQ(dst->data[0][7 * dst->linesize[0] + 15], 150); // (0 + 400 + 200) / 4
    EXPECT_EQ(dst->data[2][3 * dst->linesize[2] + 7], 90);
    TFramePtr rgb = picture(AV_PIX_FMT_RGB24), rgbOut = picture(AV_PIX_FMT_RGB24);
    EXPECT_FALSE(DeinterlacePicture(rgbOut.get(), rgb.get()));
    EXPECT_FALSE(DeinterlacePicture(rgbOut.get(), src.get()));

    // In a run: a BGR24 input cannot be deinterlaced, the hook still sees its pictures.
    TOutputDir dir;
    std::vector<TLogInfo> log;
    TLogCapture capture(log, llError);
    const std::string raw = dir.File("bgr.nut");
    Convert(Media().AviMpeg4Mp3, raw, {}, {{"vcodec", "rawvideo"}, {"pix_fmt", "bgr24"}, {"vframes", "3"}});
    int calls = 0;
    Convert(raw, dir.File("d.avi"), [&](TCustomFFmpeg&, TBitmap24&, bool&, bool&, int64_t, int) { ++calls; },
            {{"deinterlace", "1"}});
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const TLogInfo& l) { return l.LogMsg == "Deinterlacing failed."; }),
              3);
}

namespace {

class TFakePreviewer : public TPreviewer {
public:
    TFakePreviewer(int& Shown, int& Destroyed, int CloseAfter)
        : Shown_(Shown), Destroyed_(Destroyed), CloseAfter_(CloseAfter) {}
    ~TFakePreviewer() override { ++Destroyed_; }
    bool ShowFrame(const TBitmap24& Bitmap, int, int64_t) override {
        EXPECT_EQ(Bitmap.Width(), 320);
        return ++Shown_ < CloseAfter_;
    }

private:
    int& Shown_;
    int& Destroyed_;
    int CloseAfter_;
};

} // namespace

TEST(FrameHook, PreviewFramesComeAtMostEveryPreviewInterval) {
    TOutputDir dir;
    using TClock = std::chrono::steady_clock;
    std::vector<TClock::time_point> when;
    std::vector<int64_t> times;
    std::vector<int> numbers;
    TCustomFFmpeg core;
    // One second encoded at real time.
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("preview.avi"), {{"t", "1"}});
    core.Options().RateEmu = true;
    core.SetPreviewFlags(2);
    core.PreviewCallback = [&](TCustomFFmpeg&, const TBitmap24& Bitmap, int64_t PTS, int Number) {
        EXPECT_EQ(Bitmap.Width(), 320);
        when.push_back(TClock::now());
        times.push_back(PTS);
        numbers.push_back(Number);
    };
    const TClock::time_point start = TClock::now();
    EXPECT_TRUE(RunTask(core));
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    ASSERT_GE(when.size(), 2u);
    EXPECT_LE(double(when.size()), 1 + seconds * 10);
    for (size_t i = 1; i < when.size(); ++i) {
        // The interval is measured where the picture is taken; the bitmap conversion before
        // the callback varies by a few milliseconds under load.
        EXPECT_GE(when[i] - when[i - 1], std::chrono::microseconds(90000));
        EXPECT_GT(times[i], times[i - 1]);
        EXPECT_GT(numbers[i], numbers[i - 1]);
    }

    // Bit 0 without bit 1: the previewer window, until it reports itself closed.
    int shown = 0, destroyed = 0;
    TCustomFFmpeg windowed;
    SetUpTask(windowed, Media().AviMpeg4Mp3, dir.File("window.avi"));
    windowed.PreviewInterval = -1; // every picture
    windowed.SetPreviewFlags(1);
    windowed.PreviewerFactory = [&] { return std::make_unique<TFakePreviewer>(shown, destroyed, 3); };
    EXPECT_TRUE(RunTask(windowed));
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(windowed.PreviewFlags(), 0);
}

// A phone's portrait video (stored 320x180, shown turned a quarter) reaches the hook and the
// preview upright, with its marker in the top-left corner, and the output keeps it so.
TEST(FrameHook, HookAndPreviewSeeTurnedPicturesUpright) {
    TOutputDir dir;
    TCustomFFmpeg core;
    SetUpTask(core, fixtures::GeometryFixture(90), dir.File("upright.mp4"));
    int hooked = 0;
    bool hookUpright = true, hookMarker = true;
    core.HookCallback = [&](TCustomFFmpeg&, TBitmap24& Bitmap, bool&, bool& Update, int64_t, int) {
        Update = false;
        ++hooked;
        hookUpright = hookUpright && Bitmap.Width() == 180 && Bitmap.Height() == 320;
        const uint8_t* corner = Bitmap.ScanLine(5) + 5 * 3;
        const uint8_t* opposite = Bitmap.ScanLine(Bitmap.Height() - 6) + (Bitmap.Width() - 6) * 3;
        hookMarker = hookMarker && corner[1] > 200 && opposite[1] < 120;
    };
    int previews = 0;
    bool previewUpright = true;
    core.SetPreviewFlags(2);
    core.PreviewCallback = [&](TCustomFFmpeg&, const TBitmap24& Bitmap, int64_t, int) {
        ++previews;
        previewUpright = previewUpright && Bitmap.Width() == 180 && Bitmap.Height() == 320 &&
                         Bitmap.ScanLine(5)[5 * 3 + 1] > 200;
    };
    ASSERT_TRUE(RunTask(core));
    EXPECT_GT(hooked, 0);
    EXPECT_TRUE(hookUpright);
    EXPECT_TRUE(hookMarker);
    EXPECT_GT(previews, 0);
    EXPECT_TRUE(previewUpright);
}
