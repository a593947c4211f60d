#include "app/JobBuilder.h"

#include "app/FormatCatalogue.h"
#include "app/LoudnessPreferences.h"
#include "app/ProfileParams.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "engine/OptionConvert.h"
#include "probe/AVProbe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>
#include <string>

namespace zelta {

namespace {

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

// The sizes the h263 encoder takes as they are.
constexpr std::string_view H263Sizes = "704x576,352x288,176x144,160x120,128x96";

// The video encoders the engine is given by name; the dialog's other names ("mov", "flv", ...)
// leave the choice to the container.
constexpr std::string_view NamedVideoEncoders[] = {
    "mpeg4",   "libxvid", "mpeg1video", "mpeg2video", "msmpeg4", "msmpeg4v1", "msmpeg4v2",
    "huffyuv", "dvvideo", "rawvideo",   "h263p",      "h263",    "rv10",      "rv20",
    "ljpeg",   "mjpeg",   "svq1",       "zlib",       "wmv1",    "wmv2",      "libx264",
};

// Formats whose name is also the output container's name.
constexpr std::string_view ContainerFormats[] = {
    "ipod", "3gp", "3g2", "avi", "psp", "mov", "vcd", "flv", "mpegts", "vob",
};

template <std::size_t N>
bool OneOf(const std::string_view (&Names)[N], std::string_view Name)
{
    for (const std::string_view Candidate : Names)
        if (Candidate == Name)
            return true;
    return false;
}

// A / B as IEEE arithmetic gives it, also for B = 0 (infinite, or NaN for 0 / 0).
template <typename T> T Ratio(T A, T B)
{
    if (B != 0)
        return A / B;
    if (A == 0)
        return std::numeric_limits<T>::quiet_NaN();
    return (A > 0) == !std::signbit(B) ? std::numeric_limits<T>::infinity()
                                       : -std::numeric_limits<T>::infinity();
}

// Truncation toward zero, saturated to the target range (NaN gives 0).
int Trunc(double X)
{
    if (std::isnan(X))
        return 0;
    if (X >= double(IntMax))
        return IntMax;
    if (X <= double(IntMin))
        return IntMin;
    return int(X);
}
int64_t TruncWide(long double X)
{
    constexpr int64_t Max = std::numeric_limits<int64_t>::max() / 4;
    if (std::isnan(X))
        return 0;
    if (X >= (long double)Max)
        return Max;
    if (X <= -(long double)Max)
        return -Max;
    return int64_t(X);
}

bool FitsInt(int64_t V) { return V >= IntMin && V <= IntMax; }

std::string Joined(int64_t A, std::string_view Separator, int64_t B)
{
    return std::to_string(A) + std::string(Separator) + std::to_string(B);
}

std::string BlackPad(int64_t Width, int64_t Height, int64_t X, int64_t Y)
{
    return "pad=" + std::to_string(Width) + ":" + std::to_string(Height) + ":" + std::to_string(X) +
           ":" + std::to_string(Y) + ":black";
}

// The profile's "para" keys and catalogue "Format" for one build.
struct TProfile {
    const TIniFile& Settings;
    const TIniFile& Catalogue;
    int Code;

    std::string Para(std::string_view Key, std::string_view Default) const
    {
        return ReadProfilePara(Settings, Catalogue, Code, Key, Default);
    }
    std::string Format() const { return CatalogueFormat(Catalogue, Code); }
};

// A positive integer (not "as source") into Field.
void SetPositiveInteger(const std::string& Text, int& Field)
{
    int Value = 0;
    if (Text != ParaAsSource && ParaIsInteger(Text, Value) && Value > 0)
        Field = Value;
}

// kbit/s, whole or fractional, into bit/s.
void SetAudioBitRate(const std::string& Text, TOutputOptions& Output)
{
    double Value = 0;
    if (Text == ParaAsSource || !ParaIsNumber(Text, Value))
        return;
    const double BitsPerSecond = Value * 1000;
    if (BitsPerSecond > 0 && BitsPerSecond < 2147483648.0)
        Output.AudioBitrate = int(BitsPerSecond);
}

// "256" is the unchanged volume; anything else must be an integer.
void SetVolume(const std::string& Text, TOutputOptions& Output)
{
    if (Text != ParaVolumeUnchanged)
        Output.AudioVolume = ffopt::StrToInt(Text);
}

void DetectTarget(const TProfile& Profile, TOutputOptions& Output)
{
    const std::string Format = ffopt::LowerCase(Profile.Format());
    const auto SizeIs = [&](std::string_view Size) {
        return Profile.Para(KeyParaVideoSize, JobDefaults::ParaVideoSize) == Size;
    };
    struct TTarget {
        std::string_view Format;
        int Target;
        int Norm;
        std::string_view WideSize; // the size that makes a DVD 16:9; empty: always 4:3
    };
    constexpr TTarget Targets[] = {
        {"ntsc-dvd", 3, 2, "720x480"}, {"pal-dvd", 3, 1, "720x576"}, {"ntsc-vcd", 1, 2, ""},
        {"pal-vcd", 1, 1, ""},         {"ntsc-svcd", 2, 2, ""},      {"pal-svcd", 2, 1, ""},
    };
    for (const TTarget& T : Targets) {
        if (T.Format != Format)
            continue;
        Output.Target = T.Target;
        Output.TargetNorm = T.Norm;
        Output.AspectRatio = !T.WideSize.empty() && SizeIs(T.WideSize) ? "16:9" : "4:3";
        return;
    }
}

void BuildAudioProfile(const TProfile& Profile, TOutputOptions& Output, TInputOptions& Input)
{
    Output.AudioCodec = Profile.Para(KeyParaAudioEncoder, JobDefaults::ParaAudioEncoderAudio);
    SetPositiveInteger(Profile.Para(KeyParaChannel, JobDefaults::ParaChannel), Output.AudioChannels);
    SetPositiveInteger(Profile.Para(KeyParaSampleRate, JobDefaults::ParaSampleRate),
                       Output.AudioSampleRate);
    SetAudioBitRate(Profile.Para(KeyParaAudioBitRate, JobDefaults::ParaAudioBitRate), Output);
    SetVolume(Profile.Para(KeyParaVolume, ParaVolumeUnchanged), Output);
    Input.ExtOptions = "vn=1";
    Output.DisableVideo = true;
    Output.DisableSubtitle = true;
}

void SetVideoBitRate(const TProfile& Profile, const TSourceVideo& Source, TOutputOptions& Output)
{
    const std::string Text = Profile.Para(KeyParaVideoBitRate, JobDefaults::ParaVideoBitRate);
    int Value = 0;
    if (Text != ParaAsSource && ParaIsInteger(Text, Value)) {
        const int64_t BitsPerSecond = int64_t(Value) * 1000;
        if (Value > 0 && FitsInt(BitsPerSecond))
            Output.VideoBitrate = int(BitsPerSecond);
    } else if (FitsInt(Source.BitRate)) {
        Output.VideoBitrate = int(Source.BitRate);
    }
}

void SetFrameRateAndContainer(const TProfile& Profile, TOutputOptions& Output)
{
    const std::string Rate = Profile.Para(KeyParaFrameRate, JobDefaults::ParaFrameRate);
    double Value = 0;
    if (Rate != ParaAsSource && ParaIsNumber(Rate, Value) && Value > 0)
        Output.FrameRate = Rate;
    const std::string Format = Profile.Format();
    if (OneOf(ContainerFormats, ffopt::LowerCase(Format)))
        Output.FileFormat = Format;
}

struct TPictureSize {
    int W = 0;
    int H = 0;
    bool AsSource = false; // the source's size, so also the source's pixel aspect
};

TPictureSize PictureSize(const TProfile& Profile, const TSourceVideo& Source,
                         const TOutputOptions& Output, TUserPrompts& Prompts)
{
    TPictureSize Size;
    std::string S = Profile.Para(KeyParaVideoSize, JobDefaults::ParaVideoSize);
    const std::size_t X = S.find('x');
    const std::size_t P = X == std::string::npos ? 0 : X + 1; // position from 1, 0 when none
    if (S != ParaAsSource && P > 1 && P < S.size()) {
        int Value = 0;
        Size.W = ParaIsInteger(std::string_view(S).substr(0, P - 1), Value) ? Value : Source.Width;
        Size.H = ParaIsInteger(std::string_view(S).substr(P), Value) ? Value : Source.Height;
        if (ffopt::LowerCase(Output.VideoCodec) == "h263" &&
            H263Sizes.find(S) == std::string_view::npos) {
            if (Size.W > 176 && Size.W <= 352)
                Size = {352, 288};
            if (Size.W > 352 && Size.W <= 704)
                Size = {704, 576};
            if (Size.W > 704)
                Size = {704, 576};
        }
    }
    if (S != ParaAsSource && (P <= 1 || P == S.size())) {
        if (Prompts.AskYesNo(VideoSizeQuestionCaption,
                             TrText("JobBuilder", VideoSizeQuestionText.data())))
            Size = {320, 240};
        else
            S = ParaAsSource;
    }
    if (S == ParaAsSource)
        Size = {Source.Width, Source.Height, true};
    return Size;
}

bool IsCropped(const TlvFilesRecord& Row)
{
    return Row.CropTop > 0 || Row.CropLeft > 0 || Row.CropBottom > 0 || Row.CropRight > 0;
}

// The source picture as the row's crop leaves it (upright, like the margins). Margins that
// leave nothing keep the whole picture here; the engine refuses them with its own message.
TSourceVideo CroppedSource(const TlvFilesRecord& Row, const TSourceVideo& Source)
{
    TSourceVideo Kept = Source;
    if (!IsCropped(Row))
        return Kept;
    const auto Margin = [](int M) { return int64_t(std::max(M, 0)); };
    const int64_t Width = int64_t(Source.Width) - Margin(Row.CropLeft) - Margin(Row.CropRight);
    const int64_t Height = int64_t(Source.Height) - Margin(Row.CropTop) - Margin(Row.CropBottom);
    if (Width > 0 && Height > 0) {
        Kept.Width = int(Width);
        Kept.Height = int(Height);
    }
    return Kept;
}

// A:B in lowest terms (unchanged when they share no factor, or are both 0).
std::pair<int64_t, int64_t> Reduced(int64_t A, int64_t B)
{
    const int64_t G = std::gcd(A, B);
    return G > 1 ? std::pair{A / G, B / G} : std::pair{A, B};
}

// The four ways of fitting the source picture (sw x sh) into the output picture (W x H).
// The picture is the one left after the row's crop: the engine cuts the output's margins off
// every decoded picture before it scales it and before the filter text runs, so the sizes,
// shapes and paddings here are those of the cropped picture and no filter crops again.
//
// Pictures may have non-square pixels. A fixed output size has square pixels, except a disc
// target's frame for a non-square source (see UseDiscFrame); the "as source" size keeps the
// source's pixel aspect. Letterbox and pan-and-scan compare shapes, so they
// measure the source's width in the output's pixels (fw: sw stretched by the source's pixel
// aspect, or sw itself when both share it); crop and pad texts stay in source pixels. The
// aspect ratios written are display aspects (frame pixels times the output's pixel aspect).
// Centring pads the picture unscaled and keeps measuring in source pixels. With square pixels
// everywhere fw is sw and every text is what it always was.
class TFitting {
public:
    TFitting(const TlvFilesRecord& Row, const TSourceVideo& Source, TPictureSize Size,
             TOutputOptions& Output)
        : Row(Row), sw(Source.Width), sh(Source.Height), W(Size.W), H(Size.H), Output(Output),
          Cropped(IsCropped(Row))
    {
        const bool square = Source.PixelAspectNum == Source.PixelAspectDen ||
                            Source.PixelAspectNum <= 0 || Source.PixelAspectDen <= 0;
        if (!square) {
            SourceAspect = (long double)Source.PixelAspectNum / Source.PixelAspectDen;
            if (Size.AsSource) {
                FrameAspectNum = Source.PixelAspectNum;
                FrameAspectDen = Source.PixelAspectDen;
            } else {
                if (Output.Target > 0)
                    UseDiscFrame(Output.Target);
                fw = Trunc(std::llround((long double)sw * SourceAspect * FrameAspectDen /
                                        FrameAspectNum));
            }
        }
        if (square || Size.AsSource)
            fw = sw;
        Stretch = square || Size.AsSource ? 1.0L : SourceAspect;
        // A stretched full-screen picture of a turned or non-square source states the shape
        // it shows (in the frame's pixels), so a player undoes the stretch; a disc frame has
        // only its flags, and square unturned sources keep the frame's shape as they always
        // did.
        ShownShape = (!square || Source.Rotation != 0) && !Size.AsSource && Output.Target == 0;
        ShownPixelNum = square ? 1 : Source.PixelAspectNum;
        ShownPixelDen = square ? 1 : Source.PixelAspectDen;
    }

    void Apply()
    {
        if (Cropped) {
            Output.CropTop = Row.CropTop;
            Output.CropBottom = Row.CropBottom;
            Output.CropLeft = Row.CropLeft;
            Output.CropRight = Row.CropRight;
        }
        if (Row.ZoomMode == "full")
            Full();
        else if (Row.ZoomMode == "lbox")
            Letterbox();
        else if (Row.ZoomMode == "pan")
            PanAndScan();
        else if (Row.ZoomMode == "center")
            Center();
        if (!F.empty())
            Output.VideoFilters = Output.VideoFilters.empty() ? F : Output.VideoFilters + "," + F;
    }

private:
    // A disc player shows the whole frame at one of the aspect flags of its format, so a source
    // with its own pixel shape is fitted into a frame of that shape, measured in the frame's
    // (non-square) pixels: 16:9 for a wide source on a DVD or an SVCD, else 4:3 (a VCD knows
    // only 4:3; pan and scan fills 4:3). Square sources keep the frame measured in square
    // pixels, as they always were.
    void UseDiscFrame(int Target)
    {
        const long double Shown = (long double)sw * SourceAspect / sh;
        // The geometric middle of 4:3 and 16:9: nearer 16:9 above it.
        const long double Middle = std::sqrt((4.0L / 3.0L) * (16.0L / 9.0L));
        const bool Wide = Target != 1 && Row.ZoomMode != "pan" && Shown > Middle;
        const int64_t Num = (Wide ? 16 : 4) * int64_t(H), Den = (Wide ? 9 : 3) * int64_t(W);
        if (Num > 0 && Den > 0)
            std::tie(FrameAspectNum, FrameAspectDen) = Reduced(Num, Den);
    }

    double U() const { return Ratio<double>(sw, W); }
    double V() const { return Ratio<double>(sh, H); }
    // The vertical padding when the width fills the picture at ratio K, and the horizontal one
    // when the height does.
    int PadYAt(double K) const { return FitPad(H, Trunc(Ratio<double>(sh, K))); }
    int PadXAt(double K) const { return FitPad(W, Trunc(Ratio<double>(sw, K))); }
    // The same measured by the shape of the source (letterbox).
    double FitU() const { return Ratio<double>(fw, W); }
    int FitPadXAt(double K) const { return FitPad(W, Trunc(Ratio<double>(fw, K))); }

    // The display aspect of Width x Height output pixels, as "w:h".
    std::string AspectText(int64_t Width, int64_t Height) const
    {
        if (FrameAspectNum == FrameAspectDen)
            return Joined(Width, ":", Height);
        const auto [A, B] = Reduced(Width * FrameAspectNum, Height * FrameAspectDen);
        return Joined(A, ":", B);
    }

    void SetSizeAndAspect(int64_t Width, int64_t Height)
    {
        Output.FrameSize = Joined(Width, "x", Height);
        Output.AspectRatio = AspectText(W, H);
    }

    void Full()
    {
        SetSizeAndAspect(W, H);
        if (ShownShape) {
            // The picture left after the crop, in display units.
            const int64_t A = int64_t(sw) * ShownPixelNum;
            const int64_t B = int64_t(sh) * ShownPixelDen;
            if (A > 0 && B > 0) {
                const auto [Num, Den] = Reduced(A, B);
                Output.AspectRatio = Joined(Num, ":", Den);
            }
        }
    }

    void Letterbox()
    {
        if (W <= fw && H >= sh) {
            padY = PadYAt(FitU());
            padX = 0;
        }
        if (W >= fw && H <= sh) {
            padX = FitPadXAt(V());
            padY = 0;
        }
        if (W >= fw && H >= sh) {
            const double u = FitU(), v = V();
            if (u > v) {
                padY = PadYAt(u);
                padX = 0;
            } else if (u < v) {
                padX = FitPadXAt(v);
                padY = 0;
            } else if (u == v) {
                padY = PadYAt(u);
                padX = FitPadXAt(v);
            }
        }
        if (W <= fw && H <= sh) {
            const double u = FitU(), v = V();
            if (u > v) {
                padY = PadYAt(u);
                padX = 0;
            } else if (u < v) {
                padX = FitPadXAt(v);
                padY = 0;
            } else if (u == v) {
                padX = FitPadXAt(v);
                padY = 0;
            }
        }
        if (W == fw && H == sh) {
            padX = 0;
            padY = 0;
        }
        const int64_t iw = int64_t(W) - 2 * int64_t(padX);
        const int64_t ih = int64_t(H) - 2 * int64_t(padY);
        const std::string Pad = "pad=" + Joined(W, ":", H) + ":" + Joined(padX, ":", padY);
        Output.AspectRatio = AspectText(iw, ih);
        Output.FrameSize = Joined(iw, "x", ih);
        F = Pad;
    }

    void PanAndScan()
    {
        // The picture is cut to the 4:3 shape, the same amount more on both ends of its long
        // axis; the shape is measured in display units (source pixels stretched by the source's
        // pixel aspect), the cut goes back to source pixels. The row's own margins stay cut.
        const long double a = (long double)sw * Stretch;
        const long double b = sh;
        const long double Wide = 4.0L / 3.0L;
        if (a > 0 && b > 0) {
            if (a / b > Wide) {
                const int64_t e = TruncWide((a - b * Wide) / Stretch / 2);
                Output.CropLeft = EvenMargin(e, Row.CropLeft);
                Output.CropRight = EvenMargin(e, Row.CropRight);
            } else if (a / b < Wide) {
                const int64_t e = TruncWide((b - a / Wide) / 2);
                Output.CropTop = EvenMargin(e, Row.CropTop);
                Output.CropBottom = EvenMargin(e, Row.CropBottom);
            }
        }
        SetSizeAndAspect(W, H);
    }

    // A margin of Extra more than the row's own, made even (chroma planes have half the
    // pixels) without giving back any of the row's margin.
    static int EvenMargin(int64_t Extra, int RowMargin)
    {
        const int64_t Margin = std::max<int64_t>(RowMargin, 0);
        const int64_t Total = std::max(Margin, ((Extra + Margin) / 2) * 2);
        return int(std::min<int64_t>(Total, IntMax));
    }

    // Black borders left and right (CenterPadX) or above and below (CenterPadY) the source
    // picture; CenterPadBoth does both.
    void CenterPadX(int Pad)
    {
        padX = Pad;
        SetSizeAndAspect(int64_t(W) - 2 * int64_t(padX), H);
        F = BlackPad(int64_t(sw) + 2 * int64_t(padX), sh, padX, 0);
    }
    void CenterPadY(int Pad)
    {
        padY = Pad;
        SetSizeAndAspect(W, H);
        F = BlackPad(sw, int64_t(sh) + 2 * int64_t(padY), 0, padY);
    }
    void CenterPadBoth()
    {
        padY = PadYAt(U());
        padX = PadXAt(V());
        // The height is narrowed by the horizontal padding, as designed.
        SetSizeAndAspect(int64_t(W) - 2 * int64_t(padX), int64_t(H) - 2 * int64_t(padX));
        F = BlackPad(int64_t(sw) + 2 * int64_t(padX), int64_t(sh) + 2 * int64_t(padY), padX, padY);
    }

    void Center()
    {
        if (W <= sw && H >= sh)
            CenterPadY(PadYAt(U()));
        if (W >= sw && H <= sh)
            CenterPadX(PadXAt(V()));
        if (W >= sw && H >= sh) {
            const double u = U(), v = V();
            if (u > v)
                CenterPadY(PadYAt(u));
            else if (u < v)
                CenterPadX(PadXAt(v));
            else if (u == v)
                CenterPadBoth();
        }
        if (W <= sw && H <= sh) {
            const double u = U(), v = V();
            if (u > v) {
                padY = PadYAt(u);
                SetSizeAndAspect(W, H);
                F = BlackPad(W, H, 0, padY);
            } else if (u < v) {
                CenterPadX(PadXAt(v));
            } else if (u == v) {
                CenterPadBoth();
            }
        }
        if (W == sw && H == sh)
            SetSizeAndAspect(W, H);
    }

    const TlvFilesRecord& Row;
    const int sw, sh, W, H;
    TOutputOptions& Output;
    const bool Cropped;
    int fw = 0;                      // sw in output pixels (see above)
    long double SourceAspect = 1.0L; // the source's pixel aspect
    long double Stretch = 1.0L;      // source pixels to display units when fitting by shape
    bool ShownShape = false;         // "full" states the source's shape (see the constructor)
    int64_t ShownPixelNum = 1;       // the source's pixel aspect
    int64_t ShownPixelDen = 1;
    int64_t FrameAspectNum = 1;      // the output's pixel aspect
    int64_t FrameAspectDen = 1;
    int padX = 0;
    int padY = 0;
    std::string F;
};

void BuildVideoAudio(const TProfile& Profile, TOutputOptions& Output)
{
    std::string Codec = Profile.Para(KeyParaAudioEncoder, JobDefaults::ParaAudioEncoderVideo);
    constexpr std::string_view OldAmr = "libamr_nb";
    constexpr std::string_view NewAmr = "libopencore_amrnb";
    for (std::size_t At = Codec.find(OldAmr); At != std::string::npos;
         At = Codec.find(OldAmr, At + NewAmr.size()))
        Codec.replace(At, OldAmr.size(), NewAmr);
    Output.AudioCodec = Codec;
    if (ffopt::Trim(Codec).empty())
        Output.DisableAudio = true;

    const std::string Channel = Profile.Para(KeyParaChannel, JobDefaults::ParaChannel);
    int Channels = 0;
    if (Channel != ParaAsSource && ParaIsInteger(Channel, Channels))
        Output.AudioChannels = Channels;
    SetVolume(Profile.Para(KeyParaVolume, ParaVolumeUnchanged), Output);
    SetPositiveInteger(Profile.Para(KeyParaSampleRate, JobDefaults::ParaSampleRate),
                       Output.AudioSampleRate);
    SetAudioBitRate(Profile.Para(KeyParaAudioBitRate, JobDefaults::ParaAudioBitRate), Output);
}

}  // namespace

TSourceVideo SourceVideoOf(TAVProbe& Probe)
{
    TSourceVideo Source;
    Source.StreamCount = Probe.VideoStreamCount();
    if (Source.StreamCount < 1)
        return Source;
    TVideoStreamInfo Info;
    if (Probe.GetVideoStreamInfo(Probe.FirstVideoStream(), Info)) {
        const bool swapped = TurnsSideways(Info);
        Source.Width = UprightWidth(Info);
        Source.Height = UprightHeight(Info);
        Source.BitRate = Info.BitRate;
        if (Info.PixelAspectNum > 0 && Info.PixelAspectDen > 0) {
            Source.PixelAspectNum = swapped ? Info.PixelAspectDen : Info.PixelAspectNum;
            Source.PixelAspectDen = swapped ? Info.PixelAspectNum : Info.PixelAspectDen;
        }
        Source.Rotation = Info.Rotation;
    }
    return Source;
}

bool ProfileHasVideo(const TIniFile& Settings, const TIniFile& Catalogue, int FormatCode)
{
    const TProfile Profile{Settings, Catalogue, FormatCode};
    return !ffopt::Trim(Profile.Para(KeyParaVideoEncoder, JobDefaults::ParaVideoEncoder)).empty();
}

int AutoJobCount(bool HasVideo, unsigned Cores)
{
    if (HasVideo)
        return 1;
    return Cores < 1 ? 1 : int(std::min<unsigned>(Cores, MaxAutoJobs));
}

void BuildJobOptions(const TlvFilesRecord& Row, int FormatCode, TOutputOptions& Output,
                     TInputOptions& Input, const TSourceVideo& Source, const TIniFile& Settings,
                     const TIniFile& Catalogue, TUserPrompts& Prompts)
{
    const TProfile Profile{Settings, Catalogue, FormatCode};
    if (Row.TrimLength > 0)
        Output.Duration = Row.TrimLength;
    Output.KeepTags = ReadSettingInteger(Settings, KeyKeepTags) != 0;
    Output.ReplayGain = ReadSettingInteger(Settings, KeyReplayGain) != 0;
    ApplyLoudnessSettings(Settings, Output);

    DetectTarget(Profile, Output);

    const std::string VideoEncoder =
        Profile.Para(KeyParaVideoEncoder, JobDefaults::ParaVideoEncoder);
    if (ffopt::Trim(VideoEncoder).empty()) {
        BuildAudioProfile(Profile, Output, Input);
        return;
    }

    if (OneOf(NamedVideoEncoders, VideoEncoder)) {
        Output.VideoCodec = VideoEncoder;
        // MPEG-2 video without a target is made a DVD; an SVCD profile (also MPEG-2) keeps
        // its own target, or it would be written as a DVD.
        if (VideoEncoder == "mpeg2video" && Output.Target == 0)
            Output.Target = 3;
    }
    if (VideoEncoder == "libx264") {
        const std::string Format = ffopt::LowerCase(Profile.Format());
        if (Format == "psp" || Format == "ipod" || Format == "ps3")
            Output.VideoPreset = "libx264-" + Format;
        else
            Output.VideoPreset = "libx264-mp4";
    }

    if (Source.StreamCount < 1) {
        Output.DisableVideo = true;
    } else {
        SetVideoBitRate(Profile, Source, Output);
        SetFrameRateAndContainer(Profile, Output);
        const TSourceVideo Kept = CroppedSource(Row, Source);
        TPictureSize Size = PictureSize(Profile, Kept, Output, Prompts);
        if (Size.AsSource && IsCropped(Row)) {
            // Encoders of subsampled pictures want even sizes.
            Size.W -= Size.W % 2;
            Size.H -= Size.H % 2;
        }
        for (int* Crop : {&Output.CropTop, &Output.CropBottom, &Output.CropLeft, &Output.CropRight})
            if (*Crop == -1)
                *Crop = 0;
        TFitting(Row, Kept, Size, Output).Apply();
    }

    BuildVideoAudio(Profile, Output);
}

void BuildJobOptions(const TlvFilesRecord& Row, int FormatCode, TOutputOptions& Output,
                     TInputOptions& Input, TAVProbe& Probe, const TIniFile& Settings,
                     const TIniFile& Catalogue, TUserPrompts& Prompts)
{
    BuildJobOptions(Row, FormatCode, Output, Input, SourceVideoOf(Probe), Settings, Catalogue,
                    Prompts);
}

}  // namespace zelta
