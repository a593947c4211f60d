// The media probe: opens a media file (or reads a container context a conversion task has
// already opened) and reports the container, its audio and video streams and a multi-line
// description for the file information dialog.
//
// Everything comes from the libraries' container context after their stream-information
// analysis; nothing is decoded. Failures are reported by result and a LastError text (also sent
// to the engine logger); only missing libraries raise FFmpegException.
//
// Thread: a probe is used from one thread (the main thread in the application). Opening and
// the stream-information analysis run without the codec lock.
#pragma once

#include "engine/FFLogger.h"
#include "engine/FFTypes.h"
#include "engine/StopState.h"
#include "probe/AudioTracks.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

struct AVDictionary;
struct AVFormatContext;
struct AVStream;

// Container properties. The reset values are the "absent" values below.
struct TFileStreamInfo {
    int64_t StartTime = -1; // microseconds; -1 when the container has none
    int64_t Duration = -1;  // microseconds; -1 when the container has none
    int BitRate = 0;        // bits per second; 0 when unknown
    int64_t Timestamp = 0;  // seconds since 1970-01-01 UTC ("creation_time"); 0 when none
    int Year = 0;           // leading number of the "date" (else "year") tag; 0 when none
    int Track = 0;          // leading number of the "track" tag; 0 when none
    std::string Title;
    std::string Author; // "author", or "artist" when the container has no "author" tag
    std::string Copyright;
    std::string Comment;
    std::string Album;
    std::string Genre;

    bool operator==(const TFileStreamInfo&) const = default;
};

// One audio stream. After reset every integer is -1 and every string empty.
struct TAudioStreamInfo {
    std::string Language;
    std::string CodecName;
    int64_t StartTime = -1;   // in the stream's time base, as stored (AV_NOPTS_VALUE when absent)
    int64_t StartTimeUs = -1; // microseconds; -1 when absent
    int64_t Duration = -1;    // in the stream's time base, as stored
    int64_t DurationUs = -1;  // microseconds; -1 when absent
    int BitRate = -1;
    int Channels = -1;
    int SampleRate = -1;
    int SampleFormat = -1; // AVSampleFormat

    bool operator==(const TAudioStreamInfo&) const = default;
};

// One video stream; note that Height comes before Width. After reset every integer is -1,
// every string empty and DisplayAspect -1.0.
struct TVideoStreamInfo {
    std::string Language;
    std::string CodecName;
    int64_t StartTime = -1;
    int64_t StartTimeUs = -1;
    int64_t Duration = -1;
    int64_t DurationUs = -1;
    int BitRate = -1;
    int Height = -1;
    int Width = -1;
    // Display aspect of the picture as shown (upright): pixel aspect x DisplayWidth / ...
    // height; 0 when the stream states no pixel aspect.
    float DisplayAspect = -1.0f;
    int PixelFormat = -1;        // AVPixelFormat
    int FrameRateNum = -1;       // the stream's real base frame rate
    int FrameRateDen = -1;
    int64_t FrameCount = -1;     // frames the container counts for the stream; -1 when unknown
    // Clockwise turn (0, 90, 180, 270) that shows the stored Width x Height picture upright.
    int Rotation = -1;
    // Pixel aspect of the stored picture (1:1 when the stream states none).
    int PixelAspectNum = -1;
    int PixelAspectDen = -1;
    // The picture as shown: upright, its width stretched by the pixel aspect (rounded).
    int DisplayWidth = -1;
    int DisplayHeight = -1;

    bool operator==(const TVideoStreamInfo&) const = default;
};

// The stored picture's size once turned upright (a quarter turn swaps the sides): the frame
// pixels that crop margins and watermark positions are given in.
inline bool TurnsSideways(const TVideoStreamInfo& V) { return V.Rotation == 90 || V.Rotation == 270; }
inline int UprightWidth(const TVideoStreamInfo& V) { return TurnsSideways(V) ? V.Height : V.Width; }
inline int UprightHeight(const TVideoStreamInfo& V) { return TurnsSideways(V) ? V.Width : V.Height; }

// Closes a context the probe opened itself (through the Unicode file protocol).
struct TOwnedInputCloser {
    void operator()(AVFormatContext* Context) const;
};
using TOwnedInputPtr = std::unique_ptr<AVFormatContext, TOwnedInputCloser>;

class TCustomAVProbe : public TFFBaseComponent {
public:
    ~TCustomAVProbe() override;
    const char* ClassName() const override { return "TCustomAVProbe"; }

    // How much of the video Open analyses. Decode: every fact, as shown to the user.
    // HeaderOnly: for a use that takes only the audio; no video picture is decoded and no video
    // packet read (covers excepted), so a video stream reports what the container's header
    // states (codec, frame rate, frame count, rotation, mostly the size) and what the analysis
    // learns from the pictures reads as unknown or as the file's (the pixel format, the pixel
    // aspect, for some codecs the size; the stream's own start and length). The file's facts
    // and the audio streams' are the same either way.
    enum class TVideoAnalysis { Decode, HeaderOnly };

    // Opens FileName (UTF-8), detecting its format unless ForcedFormat names one. False with
    // LastError set on failure; the probe is then empty. Raises FFmpegException when a needed
    // library is not loaded.
    bool Open(const std::string& FileName, const std::string& ForcedFormat = "",
              TVideoAnalysis Video = TVideoAnalysis::Decode);
    // A stop state whose request makes an Open that waits for a stalled pipe or FIFO give up
    // (the component's own); it must outlive the files the probe opens. Null: none.
    void SetStopState(const TStopState* Stop) { Stop_ = Stop; }
    // Reads a context opened elsewhere without taking ownership; Context must outlive the
    // attachment (call Close or destroy the probe first). Null attaches nothing. Raises
    // FFmpegException when a needed library is not loaded.
    virtual void Attach(AVFormatContext* Context);
    // Releases the file (closing it only when owned) and resets the counts.
    virtual void Close();
    // Recomputes the file size, the counts and the first-stream indexes from the context.
    virtual void Analyse();

    // The queries below set LastError to "file not loaded." (logged as a warning) and return
    // reset values when nothing is open. Info records are reset first in every case.
    bool GetFileStreamInfo(TFileStreamInfo& Info);
    // Index -1 picks the first stream of the kind. False with LastError set when there is no
    // such stream or the stream has another kind.
    bool GetAudioStreamInfo(int Index, TAudioStreamInfo& Info);
    bool GetVideoStreamInfo(int Index, TVideoStreamInfo& Info);
    // The description, lines joined with "\n".
    bool GetInfoText(std::string& Text);
    // Every audio stream as a track people can choose, and the chapters; empty when nothing is
    // open.
    std::vector<TAudioTrack> AudioTracks() const { return ReadAudioTracks(FormatContext_); }
    std::vector<TChapter> Chapters() const { return ReadChapters(FormatContext_); }
    // The open file's name as given to Open (decoded from the "unicode:utf8:" form).
    std::string FileName();
    // Short name of the detected (or forced) container format.
    std::string FormatName();
    // False for indexes out of range.
    bool IsAudioStream(int Index);
    bool IsVideoStream(int Index);

    AVFormatContext* FormatContext() const { return FormatContext_; }
    bool OwnsContext() const { return OwnsContext_; }
    const std::string& LastError() const { return LastError_; }
    const std::string& ForcedFormat() const { return ForcedFormat_; }
    int64_t FileSize() const { return FileSize_; }
    int StreamCount() const { return StreamCount_; }
    int ProgramCount() const { return ProgramCount_; }
    int AudioStreamCount() const { return AudioStreamCount_; }
    int VideoStreamCount() const { return VideoStreamCount_; }
    int SubtitleStreamCount() const { return SubtitleStreamCount_; }
    int FirstAudioStream() const { return FirstAudioStream_; }
    int FirstVideoStream() const { return FirstVideoStream_; }
    int FirstSubtitleStream() const { return FirstSubtitleStream_; }

protected:
    TCustomAVProbe();

private:
    // Raises FFmpegException for the first of avcodec, avformat, avutil, swscale not loaded.
    static void CheckLibraries();
    void SetError(const std::string& Text, TLogLevel Level);
    bool Loaded();
    // The stream for an info query: Index, or the first of Kind when Index < 0; null with
    // LastError set when unusable. KindName is "audio" or "video".
    const AVStream* StreamFor(int Index, int Kind, int First, const char* KindName);
    std::string StreamLine(int Index) const;
    void AppendStream(std::vector<std::string>& Lines, int Index) const;

    AVFormatContext* FormatContext_ = nullptr; // owned or attached
    const TStopState* Stop_ = nullptr;
    TOwnedInputPtr Owned_;                     // set exactly when OwnsContext_
    bool OwnsContext_ = false;
    std::string LastError_;
    std::string ForcedFormat_;
    int64_t FileSize_ = -1;
    int StreamCount_ = -1;
    int ProgramCount_ = -1;
    int AudioStreamCount_ = -1;
    int VideoStreamCount_ = -1;
    int SubtitleStreamCount_ = -1;
    int FirstAudioStream_ = -1;
    int FirstVideoStream_ = -1;
    int FirstSubtitleStream_ = -1;
};

// The probe the application creates.
class TAVProbe final : public TCustomAVProbe {
public:
    TAVProbe() = default;
    const char* ClassName() const override { return "TAVProbe"; }
};

// --- Text helpers of the description, exposed for their own tests ---

// A rate with its unit: ", 29.97 fps" when it has hundredths, ", 25 fps" when whole, ", 90k tbn"
// when a whole multiple of 1000. Value is rounded to hundredths before the tests.
std::string FormatRate(double Value, const std::string& Unit);

// A stream time base made usable: a zero denominator becomes the numerator, and 1 when that is
// zero too.
AVRational RepairTimeBase(AVRational TimeBase);

// ", num/den" reduced by their greatest common divisor (a divisor of 0 counts as 1).
std::string TimeBaseText(AVRational TimeBase);

// Microseconds as "seconds.micro" ("1.500000"); negative values keep their sign.
std::string FormatStartTime(int64_t Microseconds);

// The name a tag key is shown under: the ID3 frame names of the key table map to their common
// names ("TPE1" -> "artist"), every other key is shown as it is.
std::string MetadataKeyName(const std::string& Key);

// Appends the metadata block: nothing when Metadata is empty or holds only a "language" tag;
// otherwise Prefix + "Metadata:" and one "Prefix  key             : value" line per tag except
// "language", in stored order.
void AppendMetadataBlock(std::vector<std::string>& Lines, const AVDictionary* Metadata,
                         const std::string& Prefix);

// The leading decimal number of a tag value ("7/12" -> 7, "2010-05-06" -> 2010); Default when
// the value does not start with a number.
int TagNumber(const std::string& Value, int Default);
