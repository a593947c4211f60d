// Types shared by the player engine, the player component and the output layer that shows its
// pictures.
#pragma once

#include "engine/FFTypes.h"
#include "engine/FFUtils.h"

#include <cstdint>
#include <functional>
#include <memory>

enum TPlayState : int { psPlay, psPause, psResume, psStep, psStop, psEnd };

// Audio back ends of the original platform. None of them exists on Linux, so every value leaves
// the choice to SDL (which honours SDL_AUDIODRIVER, "dummy" in tests).
enum TAudioDriver : int { adDefault, adDirectSound, adWaveOut };
// Video back ends of the original platform; pictures go to a TPictureSink instead, so the value
// is kept for the property only.
enum TVideoDriver : int { vdDefault, vdDirectDraw, vdGDI };

// Seek flags, passed to the libraries as their seek flags.
inline constexpr uint8_t sfBackward = 1;
inline constexpr uint8_t sfByte = 2;
inline constexpr uint8_t sfAny = 4;
inline constexpr uint8_t sfFrame = 8;

class TFFPlayer;

// OnFileOpen: ADuration in microseconds (0 for still-image sequences, -1 when unknown), the
// coded picture size (-1 x -1 without video); the handler may set the output size.
using TFileOpenEvent = std::function<void(TFFPlayer* Sender, int64_t ADuration, int AFrameWidth,
                                          int AFrameHeight, int& AScreenWidth, int& AScreenHeight)>;
// OnHook: the decoded picture as a 24-bit bitmap of the picture's size, its time in microseconds
// from the file start. Runs on the player's video thread while the bitmap's canvas is locked;
// what the handler draws is shown. The handler must not lock the canvas again.
using THookEvent = std::function<void(TFFPlayer* Sender, TBitmap24& ABitmap, int64_t APTS)>;
// OnPosition: the playing position in microseconds from the file start.
using TPositionEvent = std::function<void(TFFPlayer* Sender, int64_t APTS)>;
using TPlayStateEvent = std::function<void(TFFPlayer* Sender, TPlayState AState)>;

// One picture handed to the output. Bitmap holds exactly the display rectangle (already scaled
// to it, aspect and centring applied), placed at (Left, Top) on an output surface of
// SurfaceWidth x SurfaceHeight; the rest of the surface is black. The bitmap is never written
// again once handed over, so the receiver may keep it as long as it likes.
struct TShownPicture {
    std::shared_ptr<const TBitmap24> Bitmap;
    int SurfaceWidth = 0;
    int SurfaceHeight = 0;
    int Left = 0;
    int Top = 0;
    int64_t PTS = NoMediaTime; // microseconds from the file start; NoMediaTime for the audio
                               // visualisation of files without video
};

// Where the player shows its pictures (a panel of a window). The player never waits for the
// sink: ShowPicture must return at once (keep the newest picture, drop older undisplayed ones).
// The sink must outlive the playback it was opened with (stop the player before freeing it).
class TPictureSink {
public:
    virtual ~TPictureSink() = default;
    // Called on the player's play thread at the picture's due time.
    virtual void ShowPicture(TShownPicture Picture) = 0;
    // The size of the output area in pixels; 0 x 0 when unknown. Called from the player's
    // threads and the caller of Open; must be safe from any thread.
    virtual void ClientSize(int& Width, int& Height) const = 0;
};
