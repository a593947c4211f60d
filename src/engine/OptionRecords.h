// The per-task input and output option records and their translation into option calls on a
// conversion core.
//
// The application never writes engine option text itself: for each task it resets and fills one
// TInputOptions and one TOutputOptions, and the encoder component applies them to the task's
// TCustomFFmpeg with ApplyInputOptions and ApplyOutputOptions. A field at its reset value (-1,
// empty, NoMediaTime) leaves the engine's own default in force. The records are plain values.
//
// Thread: the apply functions run on the thread that configures the task (normally the main
// thread), before the task's worker starts. They raise FFmpegException (or the option layer's
// conversion and assertion exceptions) on a refused value; options applied before the failing
// one stay applied.
#pragma once

#include "engine/FFTypes.h"
#include "engine/FFUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomFFmpeg;
class TLoudnessAlbum;

// Metadata written into the output container.
struct TStreamInfo {
    // < 0: no timestamp; exactly 0: the current local time; > 0: that local moment.
    TDateTime Timestamp = -1.0;
    int Year = -1;  // "year", when > 0
    int Track = -1; // "track", when > 0
    std::string Title;
    std::string Author;
    std::string Copyright;
    std::string Comment;
    std::string Album;
    std::string Genre;
};

struct TInputOptions {
    std::string FileName;             // UTF-8
    std::string FileFormat;           // "f"; empty = detect
    int64_t StartTime = NoMediaTime;  // "ss" before opening, microseconds
    int ProgramId = -1;               // "programid", when >= 0
    std::string ExtOptions;           // name=value lines
};

struct TOutputOptions {
    std::string FileName; // UTF-8
    std::string FileFormat;
    int PacketSize = -1;
    int MuxRate = -1;
    float MuxDelay = -1.0f;   // seconds
    float MuxPreload = -1.0f; // seconds
    std::string AudioCodec;
    std::string AudioPreset;
    bool DisableAudio = false;
    int AudioVolume = -1; // 256 = unchanged
    int AudioChannels = -1;
    int AudioSampleRate = -1;
    int AudioBitrate = -1;
    int AudioBitrateTolerance = -1;
    std::string AudioLanguage;
    int AudioSync = 0;
    std::string AudioTag; // empty or exactly 4 characters
    std::string VideoCodec;
    std::string VideoPreset;
    bool DisableVideo = false;
    std::string FrameRate;
    std::string FrameSize;
    std::string AspectRatio;
    int CropTop = -1;
    int CropBottom = -1;
    int CropLeft = -1;
    int CropRight = -1;
    int GopSize = -1;
    int VideoBitrate = -1;
    int VideoMaxRate = -1;
    int VideoMinRate = -1;
    int VideoBitrateTolerance = -1;
    int VideoBufferSize = -1;
    int VideoSync = -1; // -1 = automatic
    std::string VideoTag;
    std::string VideoFilters;
    std::string VideoLanguage;
    std::string SubtitleCodec;
    std::string SubtitlePreset;
    bool DisableSubtitle = false;
    std::string SubtitleLanguage;
    bool InputSync = false;
    bool CopyTimestamps = false;
    int64_t StartTime = NoMediaTime; // "ss" after the input is open, microseconds
    int64_t Duration = NoMediaTime;  // "t", microseconds
    TStreamInfo Metadata;
    int Target = 0;      // 0 none, 1 "vcd", 2 "svcd", 3 "dvd"
    int TargetNorm = 0;  // 0 "auto", 1 "pal", 2 "ntsc", other "auto"
    int DefaultNorm = 1; // 1 "pal", other "ntsc"
    bool Hook = false;   // decoded video frames are offered to the component's hook event
    bool Join = false;   // all inputs of the task are joined into this output
    bool KeepTags = false;   // the source's container tags and cover go into the output
    bool ReplayGain = false; // loudness tags (ReplayGain 2.0) measured while converting
    std::string AudioFilters;     // "af": the audio streams' filter chain
    double Normalize = 0;         // "normalize": the loudness target, LUFS; 0 = none
    double TruePeak = -1;         // "truepeak": the normalised true peak's ceiling, dBTP
    bool LoudnessTags = false;    // "loudness_tags": tags stating the loudness spare measuring
    double FadeIn = 0;            // "fade_in", seconds; 0 = none
    double FadeOut = 0;           // "fade_out", seconds; 0 = none
    bool TrimSilence = false;     // "trim_silence": silence of 0.5 s or more at either end
    // "segment_end": the end of the piece of the source this output holds (a CUE track, a
    // chapter), microseconds from the source's start; the input's StartTime is its start. The
    // sound is cut to the sample there (NoMediaTime: the source's end).
    int64_t SegmentEnd = NoMediaTime;
    // Album mode: one gain for the album's files (LoudnessAlbum.h); null = each file its own.
    std::shared_ptr<TLoudnessAlbum> Album;
    int AlbumMember = -1;
    // The finished file replaces a file of its name instead of taking the next free number;
    // it is given the name only once complete, as every output.
    bool ReplaceExisting = false;
    // "audio_stream": the input stream (its index in the container) the audio is taken from;
    // -1 = the usual choice (the audio stream with the most frames).
    int AudioStream = -1;
    std::string ExtOptions;
};

void ResetInputOptions(TInputOptions& Options);
void ResetOutputOptions(TOutputOptions& Options);

// One line of an ExtOptions text: the name lower-cased, the value as written.
struct TExtOption {
    std::string Name;
    std::string Value;
};

// Splits an ExtOptions text into its lines: the text is trimmed, CR LF, CR and the literal
// "<CRLF>" become line breaks, each line is split at its first "=" (a line without one is a
// name with an empty value). Nothing else is trimmed. An empty text has no lines.
std::vector<TExtOption> ParseExtOptions(const std::string& Text);

// Passes the lines of an ExtOptions text to Core.SetOption, skipping the names that the
// per-stream rules handle (newvideo, newaudio, newsubtitle, apre, vpre, spre, vfilters, vf) and,
// unless IncludeCodecOptions, the codec and size names (acodec, vcodec, scodec, s).
void ApplyExtOptions(TCustomFFmpeg& Core, const std::string& Text, bool IncludeCodecOptions);

// The codecs, presets, frame sizes and filters of an output's streams: the record's values as
// the defaults ("def_acodec", ...) and the ExtOptions entries of those names in text order,
// consumed one per extra stream.
class TStreamDefaults {
public:
    explicit TStreamDefaults(const TOutputOptions& Options);

    // The value stored under "def_" + Name (empty for other names).
    std::string Default(const std::string& Name) const;
    // The first entry named Name, removed from the list; the default when none is left.
    std::string Take(const std::string& Name);
    const std::vector<TExtOption>& Entries() const { return Entries_; }

private:
    std::vector<TExtOption> Defaults_; // "def_" + name, value
    std::vector<TExtOption> Entries_;
};

// Applies an input record and opens the input: ExtOptions (codec options included), the
// forced format, the start time and the program id, then Core.AddInputFile(FileName). A refused
// input raises FFmpegException with Core.LastErrMsg().
void ApplyInputOptions(TCustomFFmpeg& Core, const TInputOptions& Options,
                       const std::string& FileName);

// Applies an output record around the creation of the output file: target, first-stream codecs
// and presets, ExtOptions, the typed fields, the first video stream's size and filters, then
// Core.AddOutputFile(FileName, Options.Join) (a refusal raises FFmpegException with
// Core.LastErrMsg()), then one extra stream per newaudio, newvideo and newsubtitle line with the
// values it takes from TStreamDefaults. ConnectHook, when given, is
// called just before the output is created if Options.Hook is set (the component connects its
// frame-hook callback there).
void ApplyOutputOptions(TCustomFFmpeg& Core, const TOutputOptions& Options,
                        const std::string& FileName,
                        const std::function<void()>& ConnectHook = {});

// The recording timestamp, in whole seconds since 1970-01-01 UTC, that a metadata Timestamp
// stands for; false when the timestamp is not written (negative).
bool MetadataTimestamp(TDateTime Timestamp, int64_t& UnixSeconds);
