// How a stored video picture is meant to be shown: the display rotation a camera records beside
// the picture (display-matrix side data, or the older "rotate" tag) and the pixel aspect. Shared
// by the conversion engine, the probe and the player, so that all three turn a picture upright
// the same way.
//
// TPictureTurner turns decoded pictures upright through a small filter graph; one turner serves
// one picture sequence on one thread.
#pragma once

#include <memory>
#include <string>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
}

struct AVFilterGraph;
struct AVFilterContext;
struct AVFrame;
struct AVStream;

// The clockwise turn, in degrees (0, 90, 180 or 270), that shows the stream's stored picture
// upright: from its display matrix when it has one, else from its "rotate" tag; other angles
// are rounded to the nearest quarter turn. 0 for null and for streams without either.
int StreamRotation(const AVStream* St);

// True for quarter turns (90, 270), which swap the picture's width and height.
inline bool RotationSwapsSides(int Rotation) { return Rotation == 90 || Rotation == 270; }

// The filter chain that turns a picture clockwise by Rotation: "transpose=clock" (90),
// "hflip,vflip" (180), "transpose=cclock" (270); empty for 0.
std::string RotationFilterText(int Rotation);

// The stream's pixel aspect as stored (the stream's, else the codec's); 1:1 when unknown.
AVRational StreamPixelAspect(const AVStream* St);

// The stored width and height and pixel aspect as they are once turned by Rotation.
struct TUprightSize {
    int Width = 0;
    int Height = 0;
    AVRational PixelAspect{1, 1};
};
TUprightSize UprightSize(int Width, int Height, AVRational PixelAspect, int Rotation);

// Turns pictures clockwise by a fixed quarter-turn multiple. The graph is made for the first
// picture and made again when the size, format or pixel aspect changes.
class TPictureTurner {
public:
    explicit TPictureTurner(int Rotation);
    ~TPictureTurner();
    TPictureTurner(const TPictureTurner&) = delete;
    TPictureTurner& operator=(const TPictureTurner&) = delete;

    int Rotation() const { return Rotation_; }
    // The upright picture: Picture itself when the rotation is 0, else a picture the turner
    // owns until the next call (null with LastError set when the library fails). Picture is
    // left as it was; the turned picture keeps its time stamp.
    AVFrame* Turn(AVFrame* Picture);
    const std::string& LastError() const { return LastError_; }

private:
    bool Configure(const AVFrame* Picture);

    struct TGraphDeleter {
        void operator()(AVFilterGraph* g) const;
    };
    struct TFrameDeleter {
        void operator()(AVFrame* f) const;
    };
    int Rotation_ = 0;
    std::unique_ptr<AVFilterGraph, TGraphDeleter> Graph_;
    AVFilterContext* Source_ = nullptr;
    AVFilterContext* Sink_ = nullptr;
    std::unique_ptr<AVFrame, TFrameDeleter> Out_;
    int Width_ = 0, Height_ = 0;
    int Format_ = AV_PIX_FMT_NONE;
    AVRational Aspect_{0, 1};
    std::string LastError_;
};
