// The window-free part of the main window's preview panel and of the progress window's live
// picture: time texts, the fitted picture rectangle, position-bar arithmetic, the preview's
// play/pause/stop states with the buttons each enables, and the writing of snapshot pictures
// (shared by both windows).
//
// Everything here is plain values and QImage work; call on the main thread (the snapshot writer
// may show a message through the given prompts).
#pragma once

#include "app/IniFile.h"
#include "app/UserPrompts.h"
#include "engine/FFUtils.h"

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// ---- time texts ----

// Hours in decimal without padding, ":", two-digit minutes, ":", two-digit seconds; a negative
// number of seconds counts as 0 (3725 -> "1:02:05").
std::string FormatHMS(int64_t Seconds);
// Microseconds to the nearest whole second, halves to even.
int64_t RoundedSeconds(int64_t Microseconds);
// What both time labels show while nothing plays.
inline constexpr std::string_view TimeResetText = "00:00:00";

// ---- the fitted picture ----

struct TFitRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // exclusive
    int Bottom = 0; // exclusive
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TFitRect&) const = default;
};
// Where a Source picture is drawn in a Target area with its aspect kept and centred: the full
// width with top and bottom moved inwards by Round((H - h / a) / 2) when a = w / W >= b = h / H,
// else the full height with left and right moved inwards by Round((W - w / b) / 2); Round is to
// the nearest integer, halves to even. An empty source or target gives the whole target.
TFitRect FitRect(int SourceWidth, int SourceHeight, int TargetWidth, int TargetHeight);

// Background of the progress window's picture, RGB(166, 202, 240).
inline constexpr QRgb ProgressPictureBackground = 0xFFA6CAF0u;
// The progress window's picture: Width x Height filled with the background, Frame stretched
// into FitRect. A null or empty Frame gives the background alone.
QImage ProgressPicture(const QImage& Frame, int Width, int Height);

// ---- the position bar ----

// Bar position for a position report: BarMaximum * PTS div Duration in 64-bit integers; 0 when
// Duration <= 0. Not limited to the bar's range (the bar clamps).
int BarPosition(int64_t PTS, int BarMaximum, int64_t Duration);
// Seek target for a released bar: Trunc(Position / BarMaximum * Duration) microseconds; 0 when
// BarMaximum <= 0.
int64_t SeekPosition(int Position, int BarMaximum, int64_t Duration);

// ---- player states ----

enum class TPreviewState { Stopped, Playing, Paused };

struct TPreviewButtons {
    bool Play = false;
    bool Pause = false;
    bool Stop = false;
    bool Snapshot = false;
    bool operator==(const TPreviewButtons&) const = default;
};
// Stopped: Play. Playing: Stop, Pause, Snapshot. Paused: Play, Stop, Snapshot.
TPreviewButtons PreviewButtons(TPreviewState State);

// The preview's state and what each button asks of the player. Starts stopped.
class TPreviewStateMachine {
public:
    enum class TPlayAction {
        Resume, // paused: the state is playing again; resume the player when it is paused
        Open    // open the selected file; call Opened once it plays
    };

    TPreviewState State() const { return State_; }
    bool PlayerStopped() const { return State_ == TPreviewState::Stopped; }
    bool PlayerPaused() const { return State_ == TPreviewState::Paused; }
    TPreviewButtons Buttons() const { return PreviewButtons(State_); }

    TPlayAction Play();
    // The file opened by a Play plays now.
    void Opened() { State_ = TPreviewState::Playing; }
    // Playing -> paused. True when the caller must pause the player; false (nothing changes)
    // when not playing.
    bool Pause();
    // Playing or paused -> stopped. True when the caller must stop the player; false when
    // stopped already.
    bool Stop();
    // The file has played to its end (it stays open, rewound and paused): stopped.
    void Ended() { State_ = TPreviewState::Stopped; }

private:
    TPreviewState State_ = TPreviewState::Stopped;
};

// ---- snapshots ----

// A deep copy of the bitmap as a 24-bit image; a null image for an empty bitmap.
QImage BitmapToImage(const TBitmap24& Bitmap);
// The frame stretched over Width x Height (aspect not kept); a null image when either is empty.
QImage StretchedPicture(const QImage& Frame, int Width, int Height);

// The snapshot keys of section "settings" (defaults: all on, quality 30).
struct TSnapshotSettings {
    bool Full = true;
    bool Small = true;
    bool Bmp = true;
    bool Jpg = true;
    int JpgQuality = 30; // "jpgCmp", used limited to 1..100
};
TSnapshotSettings ReadSnapshotSettings(const TIniFile& Settings);

// The four fixed file names, in writing order.
inline constexpr std::string_view SnapshotFullBmp = "Snapshot_full.bmp";
inline constexpr std::string_view SnapshotSmallBmp = "Snapshot_small.bmp";
inline constexpr std::string_view SnapshotFullJpg = "Snapshot_full.jpg";
inline constexpr std::string_view SnapshotSmallJpg = "Snapshot_small.jpg";

// The snapshot folder: "SnapOutPutDir" (default DefaultOutputFolder()), created with its parents
// when missing. When it cannot be created the user is told with the "Warning" message
// ("Cannot create output directory:" + folder + ".It will create default directory " +
// DefaultOutputFolder() + "!"), the default folder is created, stored as "SnapOutPutDir" and
// used (no warning when the stored folder is the default itself). When the default cannot be
// created either, an "Error" message ("Cannot create output directory: <folder> (<reason>)")
// and nullopt. A path that exists but is no folder counts as one that cannot be created.
std::optional<std::string> SnapshotFolder(TIniFile& Settings, TUserPrompts& Prompts);

struct TSnapshotResult {
    std::string Folder;               // empty when no folder could be had
    std::vector<std::string> Written; // full paths, in writing order
    std::vector<std::string> Failed;  // full paths whose writing failed
};
// Resolves the folder (SnapshotFolder), then writes each of the four files whose two keys are
// on: full/BMP, small/BMP, full/JPG, small/JPG (JPEG quality "jpgCmp"), replacing existing files.
// Each file is written whole under a private temporary name first and then renamed over its
// name, so a failed write leaves the previous file; a link at the name is replaced, not
// followed. A null picture writes none of its files.
TSnapshotResult WriteSnapshots(const QImage& Full, const QImage& Small, TIniFile& Settings,
                               TUserPrompts& Prompts);

}  // namespace zelta
