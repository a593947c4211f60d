// The pending option state of a conversion task: what the option layer sets and the session
// and the run read. Plain values (copyable, comparable) plus the bit-stream filter chains, which
// own library objects.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct AVBSFContext;
class TLoudnessAlbum; // LoudnessAlbum.h

inline constexpr int MaxFiles = 20;          // inputs, outputs, metadata maps, ts scale files
inline constexpr int MaxStreams = 20;        // streamid entries, ts scale streams
inline constexpr int MaxStreamMaps = 400;

struct TStreamMap {
    int FileIndex = 0;
    int StreamIndex = 0;
    int SyncFileIndex = 0;
    int SyncStreamIndex = 0;
    bool operator==(const TStreamMap&) const = default;
};

struct TMetaDataMap {
    int OutFile = 0;
    int InFile = 0;
    bool operator==(const TMetaDataMap&) const = default;
};

struct TBSFDeleter {
    void operator()(AVBSFContext* c) const;
};
using TBSFContextPtr = std::unique_ptr<AVBSFContext, TBSFDeleter>;
// A chain of bit-stream filters for the next stream of one kind, in application order.
using TBitstreamFilterChain = std::vector<TBSFContextPtr>;

struct TRational {
    int Num = 0;
    int Den = 0;
    bool operator==(const TRational&) const = default;
};

// Media type indexes used by per-kind arrays: video, audio, data, subtitle (as the libraries).
enum TStreamKind : int { skVideo = 0, skAudio = 1, skData = 2, skSubtitle = 3 };

// What the program does to an output's sound besides the user's filters: loudness
// normalisation, fades and the trimming of silence at both ends (AudioFilters.h builds the
// chain, AudioAnalysis.h measures).
struct TAudioShaping {
    std::optional<double> Target; // "normalize": integrated loudness wanted, LUFS
    double Ceiling = -1.0;        // "truepeak": highest true peak after the gain, dBTP
    bool FromTags = false;        // "loudness_tags": ReplayGain/R128 tags spare the measuring
    double FadeIn = 0;            // "fade_in", seconds
    double FadeOut = 0;           // "fade_out", seconds
    bool TrimSilence = false;     // "trim_silence": below -50 dBFS for 0.5 s or more
    // "segment_end": where the output's piece of the source ends, microseconds from the
    // source's start (< 0: at its end). With the input's start time as the piece's start, the
    // sound is cut at exactly the samples both round to, so consecutive pieces join without a
    // gap or an overlap.
    int64_t SegmentEnd = -1;
    // Album mode: one gain for the album's files, measured together (set by the typed setter).
    std::shared_ptr<TLoudnessAlbum> Album;
    int AlbumMember = -1;

    bool Active() const {
        return Target || FadeIn > 0 || FadeOut > 0 || TrimSilence || SegmentEnd >= 0;
    }
    // The whole file must be measured first: the gain, the sound's edges or its end.
    bool NeedsMeasuring() const { return Target || FadeOut > 0 || TrimSilence; }
    bool operator==(const TAudioShaping&) const = default;
};

// The pending option state. Names and defaults as the option table gives them; ResetOptions
// restores every default. TOptionValues is the copyable part (the bit-stream filter chains own
// library objects), so a state can be saved and compared.
struct TOptionValues {
    std::string ForcedFormat;
    int FrameWidth = 0;
    int FrameHeight = 0;
    float FrameAspectRatio = 0;
    int FramePixFmt = -1;
    int AudioSampleFmt = -1;
    int CropTop = 0, CropBottom = 0, CropLeft = 0, CropRight = 0;
    std::array<int, 4> MaxFrames{2147483647, 2147483647, 2147483647, 2147483647};
    TRational FrameRate;
    float VideoQScale = 0;
    std::optional<std::array<uint16_t, 64>> IntraMatrix;
    std::optional<std::array<uint16_t, 64>> InterMatrix;
    std::optional<std::string> VideoRcOverride;
    bool VideoDisable = false;
    int VideoDiscard = 0;
    std::optional<std::string> VideoCodecName;
    uint32_t VideoCodecTag = 0;
    std::string VideoLanguage;
    bool SameQuality = false;
    bool DoDeinterlace = false;
    int TopFieldFirst = -1;
    int MeThreshold = 0;
    int IntraDcPrecision = 8;
    bool LoopInput = false;
    int LoopOutput = -1;
    bool QpHist = false;
    std::string VideoFilters;
    std::string AudioFilters; // af: the user's audio filter chain of the next outputs
    bool IntraOnly = false;
    int AudioSampleRate = 44100;
    int64_t ChannelLayout = 0;
    float AudioQScale = -99999;
    bool AudioDisable = false;
    int AudioChannels = 2;
    std::optional<std::string> AudioCodecName;
    uint32_t AudioCodecTag = 0;
    std::string AudioLanguage;
    bool SubtitleDisable = false;
    std::optional<std::string> SubtitleCodecName;
    std::string SubtitleLanguage;
    uint32_t SubtitleCodecTag = 0;
    float MuxPreload = 0.5f;
    float MuxMaxDelay = 0.7f;
    int64_t RecordingTime = INT64_MAX;
    int64_t StartTime = 0;
    int64_t RecTimestamp = 0;
    int64_t InputTsOffset = 0;
    std::vector<std::pair<std::string, std::string>> Metadata;
    bool DoHexDump = false, DoPktDump = false, DoPsnr = false;
    int DoPass = 0;
    std::string PassLogFileName;
    bool AudioStreamCopy = false, VideoStreamCopy = false, SubtitleStreamCopy = false;
    int VideoSyncMethod = -1;
    int AudioSyncMethod = 0;
    float AudioDriftThreshold = 0.1f;
    bool CopyTs = false;
    bool Shortest = false;
    int VideoGlobalHeader = 0;
    std::optional<std::string> VStatsFileName;
    int ProgramId = 0;
    int CopyInitialNonKeyframes = 0;
    bool RateEmu = false;
    int VideoChannel = 0;
    std::optional<std::string> VideoStandard;
    int AudioVolume = 256;
    bool ExitOnError = false;
    int Verbose = 1;
    int ThreadCount = 1;
    bool InputSync = false;
    bool KeepTags = false;   // the next output takes the first input's tags and cover
    bool ReplayGain = false; // the next output gets loudness tags measured while encoding
    TAudioShaping Shaping;   // the next output's normalisation, fades and trimmed silence
    bool ReplaceExisting = false; // the next output's finished file replaces what has its name
    int AudioStream = -1; // the input stream the next output's audio takes; -1: the usual choice
    int64_t LimitFileSize = 0;
    bool ForceFps = false;
    bool PgmYuvHack = false;
    float DtsDeltaThreshold = 10;
    int SwsFlags = 4;
    std::array<int, MaxStreams> StreamIdMap{};
    std::vector<TStreamMap> StreamMaps;       // at most MaxStreamMaps
    std::vector<TMetaDataMap> MetaDataMaps;   // at most MaxFiles
    // itsscale by input file and stream (0: none); a file's row exists once one of its streams
    // got a scale, so a task without any carries no table.
    std::vector<std::array<double, MaxStreams>> TsScale;

    bool operator==(const TOptionValues&) const = default;
};

struct TOptionState : TOptionValues {
    std::array<TBitstreamFilterChain, 3> BitstreamFilters; // video, audio, subtitle
};
