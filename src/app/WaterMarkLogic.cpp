#include "app/WaterMarkLogic.h"
#include "app/Translation.h"

#include "effects/FrameEffects.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelta {

std::string WaterMarkCaption(const std::string& FileName)
{
    const QString Name = QString::fromStdString(FileName);
    if (Name.size() < 56)
        //: title of the watermark window; %1 is the file
        return FillText(TrText("WaterMarkLogic", "Water Mark  %1"), {FileName});
    const qsizetype Slash = Name.lastIndexOf('/');
    const qsizetype Dot = Name.lastIndexOf('.');
    const QString Extension = Dot > Slash ? Name.mid(Dot) : QString();
    return FillText(TrText("WaterMarkLogic", "Water Mark  %1"),
                    {(Name.left(50) + ".." + Extension).toStdString()}) +
           "  ";
}

int RangeBarMaximum(int64_t Duration)
{
    return std::max(1, NewLayerEndTime(Duration));
}

int NewLayerEndTime(int64_t Duration)
{
    if (Duration <= 0)
        return 0;
    return int(std::min<int64_t>(Duration / 1000000, INT32_MAX));
}

int RangeBarTickInterval(int Maximum, int Pixels)
{
    const int64_t Need = int64_t(std::max(Maximum, 1)) * 8; // seconds x pixels wanted per tick
    const int64_t Room = std::max(Pixels, 1);
    for (int Step : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600})
        if (Need <= Room * Step)
            return Step;
    const int64_t Hours = (Need + Room * 3600 - 1) / (Room * 3600);
    return int(std::min<int64_t>(Hours * 3600, INT32_MAX));
}

TRangePositions RangeBarPositions(int StartTime, int EndTime, int Maximum)
{
    TRangePositions P;
    const int Max = std::max(1, Maximum);
    P.Lower = std::clamp(StartTime, 0, Max - 1);
    P.Upper = std::clamp(EndTime, P.Lower + 1, Max);
    return P;
}

bool TWmItemRec::BlankText() const
{
    return Kind == WmKindText &&
           std::all_of(Text.begin(), Text.end(), [](char C) { return C == ' ' || (C >= 9 && C <= 13); });
}

int WholePixel(double Value)
{
    return int(std::nearbyint(Value));
}

TLayerRect CentredRect(double CentreX, double CentreY, double Width, double Height)
{
    return {CentreX - Width / 2, CentreY - Height / 2, Width, Height};
}

int TWaterMarkLayers::IndexOfId(int Id) const
{
    for (size_t I = 0; I < Rows_.size(); ++I)
        if (Rows_[I].Id == Id)
            return int(I);
    return -1;
}

int TWaterMarkLayers::Add(TWmItemRec Row)
{
    Row.Id = NextId_++;
    Rows_.push_back(std::move(Row));
    return int(Rows_.size()) - 1;
}

int TWaterMarkLayers::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return -1;
    Rows_.erase(Rows_.begin() + Index);
    if (Rows_.empty())
        return -1;
    return Index > 0 ? Index - 1 : 0;
}

int TWaterMarkLayers::MoveUp(int Index)
{
    if (Index <= 0 || Index >= Count())
        return Index;
    std::swap(Rows_[size_t(Index)], Rows_[size_t(Index - 1)]);
    return Index - 1;
}

int TWaterMarkLayers::MoveDown(int Index)
{
    if (Index < 0 || Index >= Count() - 1)
        return Index;
    std::swap(Rows_[size_t(Index)], Rows_[size_t(Index + 1)]);
    return Index + 1;
}

void TWaterMarkLayers::Restore(const TFrameEffectsRecord& Record)
{
    Rows_.clear();
    for (const std::unique_ptr<TWmRec>& Stored : Record.WaterMarks) {
        if (!Stored)
            continue;
        TWmItemRec Row;
        Row.Kind = Stored->Kind == WmKindImage ? WmKindImage : WmKindText;
        Row.StartTime = Stored->StartTime;
        Row.EndTime = Stored->EndTime;
        if (Row.Kind == WmKindText) {
            Row.Text = Stored->Text;
            if (Stored->Font)
                Row.Font = *Stored->Font;
            Row.BackColor = Stored->BackColor;
            Row.BackFilled = Stored->BackFilled;
            Row.Rect = {double(Stored->TextLeft), double(Stored->TextTop),
                        double(Stored->TextWidth), double(Stored->TextHeight)};
            Row.Alpha = Stored->TextAlpha;
        } else {
            Row.ImageFile = Stored->ImageFile;
            Row.Rect = {double(Stored->ImageLeft), double(Stored->ImageTop),
                        double(Stored->ImageWidth), double(Stored->ImageHeight)};
            Row.Alpha = Stored->ImageAlpha;
        }
        Add(std::move(Row));
    }
}

void TWaterMarkLayers::WriteBack(TFrameEffectsRecord& Record) const
{
    Record.WaterMarks.resize(Rows_.size());
    for (size_t I = 0; I < Rows_.size(); ++I) {
        std::unique_ptr<TWmRec>& Slot = Record.WaterMarks[I];
        if (!Slot)
            Slot = std::make_unique<TWmRec>();
        TWmRec& Out = *Slot;
        const TWmItemRec& Row = Rows_[I];
        const auto Whole = [](double V) { return int32_t(WholePixel(V)); };
        if (Row.Kind == WmKindText) {
            Out.Text = Row.Text;
            Out.TextLeft = Whole(Row.Rect.Left);
            Out.TextTop = Whole(Row.Rect.Top);
            Out.TextWidth = Whole(Row.Rect.Width);
            Out.TextHeight = Whole(Row.Rect.Height);
            Out.TextAlpha = Row.Alpha;
            Out.Kind = WmKindText;
            Out.Font = std::make_unique<TWmFont>(Row.Font);
            Out.BackColor = Row.BackColor;
            Out.BackFilled = Row.BackFilled;
        } else {
            Out.ImageFile = Row.ImageFile;
            Out.ImageLeft = Whole(Row.Rect.Left);
            Out.ImageTop = Whole(Row.Rect.Top);
            Out.ImageWidth = Whole(Row.Rect.Width);
            Out.ImageHeight = Whole(Row.Rect.Height);
            Out.ImageAlpha = Row.Alpha;
            Out.Kind = WmKindImage;
            Out.Font.reset();
        }
        Out.StartTime = Row.StartTime;
        Out.EndTime = Row.EndTime;
    }
}

bool TEffectValues::Neutral() const
{
    return Brightness == NeutralBrightness && Contrast == NeutralContrast &&
           Saturation == NeutralSaturation && Exposure == NeutralExposure;
}

TEffectValues TEffectValues::From(const TlvFilesRecord& Record)
{
    return {Record.Brightness, Record.Contrast,    Record.Saturation,
            Record.Exposure,   Record.ProcessText, Record.ProcessImage};
}

void TEffectValues::WriteTo(TlvFilesRecord& Record) const
{
    Record.Brightness = Brightness;
    Record.Contrast = Contrast;
    Record.Saturation = Saturation;
    Record.Exposure = Exposure;
    Record.ProcessText = ProcessText;
    Record.ProcessImage = ProcessImage;
}

TLayerRect DragFrame(const TLayerRect& Start, TFrameHandle Handle, double DX, double DY,
                     bool KeepCentre, double MinSize)
{
    if (Handle == TFrameHandle::None)
        return Start;
    if (Handle == TFrameHandle::Move)
        return {Start.Left + DX, Start.Top + DY, Start.Width, Start.Height};

    const bool Left = Handle == TFrameHandle::Left || Handle == TFrameHandle::TopLeft ||
                      Handle == TFrameHandle::BottomLeft;
    const bool Right = Handle == TFrameHandle::Right || Handle == TFrameHandle::TopRight ||
                       Handle == TFrameHandle::BottomRight;
    const bool Top = Handle == TFrameHandle::Top || Handle == TFrameHandle::TopLeft ||
                     Handle == TFrameHandle::TopRight;
    const bool Bottom = Handle == TFrameHandle::Bottom || Handle == TFrameHandle::BottomLeft ||
                        Handle == TFrameHandle::BottomRight;

    if (KeepCentre) {
        const double CX = Start.Left + Start.Width / 2;
        const double CY = Start.Top + Start.Height / 2;
        double HalfW = Start.Width / 2, HalfH = Start.Height / 2;
        if (Left)
            HalfW = CX - (Start.Left + DX);
        else if (Right)
            HalfW = (Start.Right() + DX) - CX;
        if (Top)
            HalfH = CY - (Start.Top + DY);
        else if (Bottom)
            HalfH = (Start.Bottom() + DY) - CY;
        HalfW = std::max(HalfW, 2.0);
        HalfH = std::max(HalfH, 2.0);
        return {CX - HalfW, CY - HalfH, 2 * HalfW, 2 * HalfH};
    }

    double L = Start.Left, T = Start.Top, R = Start.Right(), B = Start.Bottom();
    if (Left)
        L = std::min(L + DX, R - MinSize);
    if (Right)
        R = std::max(R + DX, L + MinSize);
    if (Top)
        T = std::min(T + DY, B - MinSize);
    if (Bottom)
        B = std::max(B + DY, T + MinSize);
    return {L, T, R - L, B - T};
}

void TPreviewFrameSettings::SetEffects(const TEffectValues& Values)
{
    Brightness = Values.Brightness;
    Contrast = Values.Contrast;
    Saturation = Values.Saturation;
    Exposure = Values.Exposure;
}

void PreviewProcessFrame(TBitmap24& Frame, const TPreviewFrameSettings& Settings)
{
    const int W = Frame.Width(), H = Frame.Height();
    const int Left = Settings.CropLeft, Top = Settings.CropTop;
    const int Right = W - Settings.CropRight, Bottom = H - Settings.CropBottom;
    if (Right > Left && Bottom > Top) {
        static constexpr uint8_t Green[3] = {0, 128, 0}; // blue, green, red
        const auto Paint = [&](int X0, int Y0, int X1, int Y1) {
            X0 = std::max(X0, 0);
            Y0 = std::max(Y0, 0);
            X1 = std::min(X1, W);
            Y1 = std::min(Y1, H);
            for (int Y = Y0; Y < Y1; ++Y) {
                uint8_t* P = Frame.ScanLine(Y) + size_t(std::max(X0, 0)) * 3;
                for (int X = X0; X < X1; ++X, P += 3)
                    std::memcpy(P, Green, 3);
            }
        };
        const int Pen = 2;
        Paint(Left, Top, Right, std::min(Top + Pen, Bottom));       // top
        Paint(Left, std::max(Bottom - Pen, Top), Right, Bottom);    // bottom
        Paint(Left, Top, std::min(Left + Pen, Right), Bottom);      // left
        Paint(std::max(Right - Pen, Left), Top, Right, Bottom);     // right
    }

    const int B = Settings.Brightness, C = Settings.Contrast, S = Settings.Saturation,
              X = Settings.Exposure;
    if (B != NeutralBrightness || C != NeutralContrast || S != NeutralSaturation ||
        X != NeutralExposure) {
        AdjustPicture(Frame, B, C, S);
        AdjustExposure(Frame, float(X));
    }
}

void TLayerSchedule::Publish(const std::vector<TWmItemRec>& Rows)
{
    std::vector<TEntry> Entries;
    Entries.reserve(Rows.size());
    for (const TWmItemRec& Row : Rows)
        Entries.push_back({Row.Id, Row.StartTime, Row.EndTime,
                           Row.Kind == WmKindImage ? !Row.ImageFile.empty() : !Row.BlankText()});
    std::lock_guard Guard(Lock_);
    Entries_.swap(Entries);
}

std::vector<TLayerSchedule::TShown> TLayerSchedule::ShownAt(int64_t PTS) const
{
    const int64_t Second = PTS / 1000000;
    std::lock_guard Guard(Lock_);
    std::vector<TShown> Result;
    Result.reserve(Entries_.size());
    for (const TEntry& E : Entries_)
        Result.push_back({E.Id, E.HasContent && E.StartTime <= Second && Second <= E.EndTime});
    return Result;
}

}  // namespace zelta
