// Display rotation read from a stream, and pictures turned upright pixel by pixel.
#include "engine/PictureGeometry.h"

#include <gtest/gtest.h>

#include <memory>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/frame.h>
}

namespace {

struct TContextDeleter {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};

// A stream with an optional display matrix (clockwise Degrees) and "rotate" tag.
class TStreamHolder {
public:
    TStreamHolder() : Context_(avformat_alloc_context()) {
        Stream = avformat_new_stream(Context_.get(), nullptr);
    }
    void Matrix(double ClockwiseDegrees) {
        auto* m = reinterpret_cast<int32_t*>(
            av_stream_new_side_data(Stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
        ASSERT_NE(m, nullptr);
        av_display_rotation_set(m, ClockwiseDegrees);
    }
    void Tag(const char* Value) { av_dict_set(&Stream->metadata, "rotate", Value, 0); }
    AVStream* Stream = nullptr;

private:
    std::unique_ptr<AVFormatContext, TContextDeleter> Context_;
};

TEST(PictureGeometry, RotationComesFromTheMatrixElseTheTag) {
    EXPECT_EQ(StreamRotation(nullptr), 0);
    {
        TStreamHolder s;
        EXPECT_EQ(StreamRotation(s.Stream), 0);
    }
    for (const auto& [degrees, expected] :
         {std::pair{90.0, 90}, {180.0, 180}, {270.0, 270}, {-90.0, 270}, {88.0, 90}, {0.0, 0}}) {
        TStreamHolder s;
        s.Matrix(degrees);
        EXPECT_EQ(StreamRotation(s.Stream), expected) << degrees;
    }
    for (const auto& [tag, expected] : {std::pair{"90", 90}, {"-90", 270}, {"450", 90},
                                        {"180", 180}, {"sideways", 0}, {"90x", 0}}) {
        TStreamHolder s;
        s.Tag(tag);
        EXPECT_EQ(StreamRotation(s.Stream), expected) << tag;
    }
    TStreamHolder both; // the matrix is what the demuxer read from the file itself
    both.Matrix(270);
    both.Tag("90");
    EXPECT_EQ(StreamRotation(both.Stream), 270);
}

TEST(PictureGeometry, UprightSizeSwapsSidesAndPixelAspectForQuarterTurns) {
    const TUprightSize turned = UprightSize(720, 480, AVRational{32, 27}, 90);
    EXPECT_EQ(turned.Width, 480);
    EXPECT_EQ(turned.Height, 720);
    EXPECT_EQ(turned.PixelAspect.num, 27);
    EXPECT_EQ(turned.PixelAspect.den, 32);
    const TUprightSize half = UprightSize(720, 480, AVRational{32, 27}, 180);
    EXPECT_EQ(half.Width, 720);
    EXPECT_EQ(half.PixelAspect.num, 32);
}

// A 3x2 grey picture whose pixels are numbered 10, 20, ... row by row.
std::unique_ptr<AVFrame, void (*)(AVFrame*)> NumberedPicture() {
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> f(av_frame_alloc(),
                                                   [](AVFrame* p) { av_frame_free(&p); });
    f->format = AV_PIX_FMT_GRAY8;
    f->width = 3;
    f->height = 2;
    f->pts = 1234;
    EXPECT_GE(av_frame_get_buffer(f.get(), 0), 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            f->data[0][y * f->linesize[0] + x] = uint8_t(10 * (1 + y * 3 + x));
    return f;
}

TEST(PictureGeometry, TurnerTurnsClockwiseAndKeepsTheTime) {
    // Stored:  10 20 30     90:  40 10    180:  60 50 40    270:  30 60
    //          40 50 60          50 20          30 20 10          20 50
    //                            60 30                            10 40
    struct TCase {
        int Rotation, Width, Height;
        std::vector<int> Pixels;
    };
    const TCase cases[] = {
        {90, 2, 3, {40, 10, 50, 20, 60, 30}},
        {180, 3, 2, {60, 50, 40, 30, 20, 10}},
        {270, 2, 3, {30, 60, 20, 50, 10, 40}},
    };
    for (const TCase& c : cases) {
        auto picture = NumberedPicture();
        TPictureTurner turner(c.Rotation);
        const AVFrame* out = turner.Turn(picture.get());
        ASSERT_NE(out, nullptr) << turner.LastError();
        ASSERT_EQ(out->width, c.Width) << c.Rotation;
        ASSERT_EQ(out->height, c.Height) << c.Rotation;
        EXPECT_EQ(out->pts, 1234);
        for (int y = 0; y < c.Height; ++y)
            for (int x = 0; x < c.Width; ++x)
                EXPECT_EQ(out->data[0][y * out->linesize[0] + x], c.Pixels[size_t(y * c.Width + x)])
                    << c.Rotation << " at " << x << "," << y;
        // The stored picture is left as it was, and a second one goes through the same graph.
        EXPECT_EQ(picture->data[0][0], 10);
        EXPECT_NE(turner.Turn(picture.get()), nullptr);
    }
    auto picture = NumberedPicture();
    TPictureTurner none(0);
    EXPECT_EQ(none.Turn(picture.get()), picture.get());
}

} // namespace
