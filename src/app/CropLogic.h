// What the crop dialog computes: the picture rectangle P where the video is drawn in the
// preview, the tracker's place for four margins, the spin-edit checks, the checks after a
// tracker drag, OK's scaling to even source-frame margins, the zoom selector, the result size,
// and the frame buffer shared by the player's video thread and the dialog's timer.
//
// The functions are plain values. TCropFrameBuffer is the one shared object: Store runs on the
// player's video thread, Latest and Clear on the main thread.
#pragma once

#include "app/PreviewLogic.h"
#include "app/RectTrackerLogic.h"

#include <QImage>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

class TBitmap24;

namespace zelta {

struct TlvFilesRecord;

// The four spin values: margins cut from each side, in preview pixels.
struct TCropMargins {
    int Up = 0;
    int Down = 0;
    int Left = 0;
    int Right = 0;
    bool operator==(const TCropMargins&) const = default;
};

enum class TCropSide { Up, Down, Left, Right };

// P in the coordinates of the preview's parent: the frame (FrameWidth x FrameHeight, the
// player's current picture) fitted into the preview at (PreviewLeft, PreviewTop) of PreviewWidth
// x PreviewHeight. When the player has no picture yet (an empty frame), the source frame size is
// fitted instead, so P matches what the timer will draw.
TFitRect CropPictureRect(int FrameWidth, int FrameHeight, int SourceWidth, int SourceHeight,
                         int PreviewLeft, int PreviewTop, int PreviewWidth, int PreviewHeight);

// The tracker inside P for the margins: left = P.left + left margin, top = P.top + up margin,
// width = P.width - left - right, height = P.height - up - down.
TTrackerBounds TrackerForMargins(const TFitRect& P, const TCropMargins& Margins);
// The margins a tracker leaves inside P, each raised to 0 when negative.
TCropMargins MarginsOfTracker(const TFitRect& P, const TTrackerBounds& Tracker);

// One change of a spin edit to Value. For up and down (left and right likewise with the width):
// while the tracker is at most 10 pixels high a value above the last accepted one is refused
// (set back); a value that would make the tracker lower than 10 pixels is limited to the
// largest that keeps 10; a negative value becomes 0. The tracker is then placed by the new
// margins, and DragStart (the drag-start corner) takes the new top (or left).
struct TCropSpinResult {
    int Value = 0;               // what the spin edit shows now
    TCropMargins Margins;        // the last accepted values from now on
    TTrackerBounds Tracker;
    int DragStartLeft = 0;
    int DragStartTop = 0;
};
TCropSpinResult CropSpinChange(TCropSide Side, int Value, const TCropMargins& Last,
                               const TTrackerBounds& Tracker, const TFitRect& P,
                               int DragStartLeft, int DragStartTop);

// The checks after the tracker moved or resized itself during a drag, in order: its inner
// rectangle r (bounds inset by 2) left of P.left + 3 puts it back at P.left + the current left
// margin; above P.top + 3 at P.top; r's right edge beyond P's with the pointer (X, Y in tracker
// coordinates) at or beyond it gives the width up to P's right edge less the current right
// margin; wider than P gives the width up to P's right edge; the same for the bottom; right and
// bottom both beyond P put the tracker at the drag start with its right and bottom on P's;
// right (bottom) beyond puts the left (top) back at the drag start with the edge on P's. The
// result's margins are those of the tracker left, each at least 0.
struct TCropDragResult {
    TTrackerBounds Tracker;
    TCropMargins Margins;
};
TCropDragResult CropDragChecks(const TFitRect& P, const TTrackerBounds& Tracker, int X, int Y,
                               const TCropMargins& Current, int DragStartLeft, int DragStartTop);

// A tracker moved by the arrow keys kept inside P: no larger than P, then moved back in.
TTrackerBounds KeepTrackerInside(const TFitRect& P, const TTrackerBounds& Tracker);

// A preview-pixel margin in source pixels: Margin x Source / Preview to the nearest whole number
// (halves to even), then made even by halving with truncation and doubling; 0 when the preview
// size is not above 0.
int ScaleCropMargin(int Margin, int SourceSize, int PreviewSize);

// The hidden zoom selector: "full" 0, "lbox" 1, "orig" 2, "cent" 3, anything else 0. An index
// the selector lacks (2, 3) shows no selection.
int ZoomIndexOf(const std::string& ZoomMode);
// What OK stores for a selector index: "full" for 0, "lbox" for 1, none (keep) otherwise.
std::optional<std::string> ZoomModeOfIndex(int Index);

// OK: the margins in CropUpView, CropLeftView, CropDownView and CropRightView, scaled by the
// source size over P's size into CropTop, CropBottom, CropLeft and CropRight, and ZoomMode from
// the selector index. Zero margins (no file, no video, nothing cut) store zeros everywhere.
void StoreCrop(TlvFilesRecord& Record, const TCropMargins& Margins, int SourceWidth,
               int SourceHeight, const TFitRect& P, int ZoomIndex);

// "Result: W x H": the source frame size less the margins OK would store; "" without a source.
std::string CropResultText(const TCropMargins& Margins, int SourceWidth, int SourceHeight,
                           const TFitRect& P);

// The latest video frame for the preview. Store copies the frame into a new image and swaps it
// in under the lock, so a reader always gets a whole picture; Latest hands out a shared copy.
class TCropFrameBuffer {
public:
    // Any thread (the player's video thread). An empty bitmap stores nothing.
    void Store(const TBitmap24& Frame);
    // The newest stored frame; a null image when none was stored since the last Clear.
    QImage Latest() const;
    void Clear();

private:
    mutable std::mutex Lock_; // guards Frame_
    QImage Frame_;
};

}  // namespace zelta
