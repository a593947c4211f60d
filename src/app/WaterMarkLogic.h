// The window-free part of the video effect and watermark dialog and its live preview: the rows of
// the layer list with their operations, restoring them from a file's record and writing them
// back on OK, the range and time rules, the selection frame's resize arithmetic, the frame work
// of the preview hook, and the schedule through which the hook (on the player's video thread)
// learns which layers its frame shows.
//
// Everything but TLayerSchedule and TPreviewFrameSettings is plain values for the main thread.
#pragma once

#include "app/SourceList.h"
#include "effects/WmRec.h"
#include "engine/FFUtils.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

inline constexpr std::string_view WaterMarkHelpPageAddress =
    "https://zelta.example.org/help/add-watermark.html";

// ---- texts and range rules ----

// "Water Mark  " and the file name when that has fewer than 56 characters, otherwise its first
// 50 characters, "..", its extension (with the dot) and "  ".
std::string WaterMarkCaption(const std::string& FileName);
// The range bar's maximum for a file of Duration microseconds: its whole seconds, but at least 1
// so that the bar always has a range (a file shorter than a second, or of unknown length, gets
// 0..1).
int RangeBarMaximum(int64_t Duration);
// The last second of a new layer's range: the file's whole seconds (59.9 s gives 59); 0 when
// the length is unknown.
int NewLayerEndTime(int64_t Duration);
// A tick step for a range bar of 0..Maximum seconds drawn over Pixels, so that ticks lie at
// least 8 pixels apart: 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800 or 3600 seconds (or
// whole hours beyond).
int RangeBarTickInterval(int Maximum, int Pixels);
// The bar positions for a stored range: the range limited to 0..Maximum with the end above the
// start, as the bar's own rules would make it.
struct TRangePositions {
    int Lower = 0;
    int Upper = 1;
};
TRangePositions RangeBarPositions(int StartTime, int EndTime, int Maximum);

// ---- the rows ----

// A layer rectangle in frame pixels (fractions come from dragging in a scaled view).
struct TLayerRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    double Right() const { return Left + Width; }
    double Bottom() const { return Top + Height; }
    bool operator==(const TLayerRect&) const = default;
};

// One row of the layer list while the dialog is open: the stored layer's fields plus the id of
// its layer in the view. The row is the authority for position, size and opacity.
struct TWmItemRec {
    int Id = 0;                      // unique within one opening of the dialog
    int Kind = WmKindText;
    std::string Text;                // the row text of a text layer
    TWmFont Font;
    TColor BackColor = RGBColor(255, 255, 255);
    bool BackFilled = false;
    std::string ImageFile;           // the row text of an image layer
    TLayerRect Rect;
    int Alpha = 255;                 // the layer's master alpha 0..255
    int StartTime = 0;
    int EndTime = 0;
    // What the row's list entry reads.
    const std::string& RowText() const { return Kind == WmKindImage ? ImageFile : Text; }
    // A text whose trimmed form is empty is kept in its row but has no visible layer.
    bool BlankText() const;
};

// A frame coordinate to the nearest whole pixel, halves to even.
int WholePixel(double Value);

// A rectangle of Width x Height centred on (CentreX, CentreY).
TLayerRect CentredRect(double CentreX, double CentreY, double Width, double Height);

class TWaterMarkLayers {
public:
    const std::vector<TWmItemRec>& Rows() const { return Rows_; }
    int Count() const { return int(Rows_.size()); }
    TWmItemRec& Row(int Index) { return Rows_.at(size_t(Index)); }
    const TWmItemRec& Row(int Index) const { return Rows_.at(size_t(Index)); }
    // The row of a layer id; -1 when none.
    int IndexOfId(int Id) const;

    // Appends Row with a fresh id; returns its index.
    int Add(TWmItemRec Row);
    // Removes a row; returns the row the list selects afterwards: the previous one, or row 0 when
    // the first was removed and rows remain; -1 when the list is empty or Index is no row.
    int Delete(int Index);
    // Moves a row one place towards the start (Up) or the end; the list order is the drawing
    // order, earlier rows below later ones. Returns the row's new index (unchanged when it was
    // already first or last, or not a row).
    int MoveUp(int Index);
    int MoveDown(int Index);
    void Clear() { Rows_.clear(); }

    // Rows for the stored layers of Record, in order; ids are fresh.
    void Restore(const TFrameEffectsRecord& Record);
    // OK: Record's WaterMarks become the rows in list order. Existing TWmRec objects are kept at
    // their positions and rewritten, missing ones created, surplus ones released. Positions and
    // sizes are rounded to whole pixels.
    void WriteBack(TFrameEffectsRecord& Record) const;

private:
    std::vector<TWmItemRec> Rows_;
    int NextId_ = 1;
};

// The Effect page's values as OK stores them.
struct TEffectValues {
    int Brightness = NeutralBrightness;
    int Contrast = NeutralContrast;
    int Saturation = NeutralSaturation;
    int Exposure = NeutralExposure;
    bool ProcessText = false;
    bool ProcessImage = false;
    bool Neutral() const;
    static TEffectValues From(const TlvFilesRecord& Record);
    void WriteTo(TlvFilesRecord& Record) const;
};

// ---- the selection frame ----

enum class TFrameHandle {
    None, Move, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left,
};
// The rectangle after dragging Handle of Start by (DX, DY) in frame pixels. Move shifts it;
// a side or corner moves only its own edges, never making the rectangle narrower or lower than
// MinSize. With KeepCentre the centre of Start stays: the half sizes come from the dragged
// side(s) (for the left side the centre's x minus the new left edge) and are at least 2 pixels.
TLayerRect DragFrame(const TLayerRect& Start, TFrameHandle Handle, double DX, double DY,
                     bool KeepCentre, double MinSize = 4);

// ---- the preview hook ----

// What the hook reads besides the frame; written on the main thread, read on the video thread.
struct TPreviewFrameSettings {
    std::atomic<int> Brightness{NeutralBrightness};
    std::atomic<int> Contrast{NeutralContrast};
    std::atomic<int> Saturation{NeutralSaturation};
    std::atomic<int> Exposure{NeutralExposure};
    std::atomic<int> CropLeft{0};
    std::atomic<int> CropTop{0};
    std::atomic<int> CropRight{0};
    std::atomic<int> CropBottom{0};
    void SetEffects(const TEffectValues& Values);
};

// The crop area's outline in green (red 0, green 128, blue 0), two pixels wide inside the
// rectangle from (CropLeft, CropTop) to (width - CropRight, height - CropBottom); then, when any
// effect value differs from its neutral value, AdjustPicture and AdjustExposure. The caller holds
// the frame's canvas.
void PreviewProcessFrame(TBitmap24& Frame, const TPreviewFrameSettings& Settings);

// The time ranges of the layers, shared by the dialog and the preview hook. The hook walks it
// under its lock for every frame; the dialog replaces it under the same lock after every change
// of the rows, so a walk that is running when the rows change finishes first and every later
// walk sees the new rows. The lock is held only for the walk or the swap, never across a wait
// on the other thread.
class TLayerSchedule {
public:
    struct TEntry {
        int Id = 0;
        int StartTime = 0;
        int EndTime = 0;
        bool HasContent = true; // false: never shown (a blank text)
    };
    struct TShown {
        int Id = 0;
        bool Visible = false;
        bool operator==(const TShown&) const = default;
    };
    // Main thread: the rows' ranges in list order.
    void Publish(const std::vector<TWmItemRec>& Rows);
    // Any thread: for each layer, whether a frame at PTS (microseconds) shows it: StartTime <=
    // PTS div 1 000 000 <= EndTime.
    std::vector<TShown> ShownAt(int64_t PTS) const;

private:
    mutable std::mutex Lock_; // guards Entries_
    std::vector<TEntry> Entries_;
};

}  // namespace zelta
