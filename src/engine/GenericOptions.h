// The generic option contexts of one conversion task: library objects that only hold AVOption
// values until the session creates the real codec and container contexts.
//
// One codec context per media type (video, audio, data, subtitle, attachment; allocated without
// a codec), one container context and one scaler context. SetOption finds a name on them in a
// fixed order and remembers every option it set; CopyOptionsTo later copies the remembered
// options that carry a wanted flag mask onto a newly created codec or container context.
//
// Options private to one codec or container (x264's "preset", "x264-params", mpeg2video's
// "scan_offset", the MPEG muxers' "muxrate") do not exist on these codec-less holders. They are
// accepted when some codec or container of the libraries declares the name, kept as text and
// applied when copied onto a real context whose private part has them (AV_OPT_SEARCH_CHILDREN);
// a value such an option rejects is reported only then.
//
// Ownership: owns every library object it holds. Thread: used by one thread at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct SwsContext;

// The holders, as bits of TSetGenericOption::SetOn.
enum TOptionHolder : int {
    ohVideo = 0,
    ohAudio = 1,
    ohData = 2,
    ohSubtitle = 3,
    ohAttachment = 4,
    ohFormat = 5,
    ohScaler = 6,
};
inline constexpr int CodecHolderCount = 5;

// One option that SetOption has set.
struct TSetGenericOption {
    std::string Name;   // the library's name of the option ("b" for "ab")
    int Flags = 0;      // its AV_OPT_FLAG_* bits (for private options: of every declaration)
    unsigned SetOn = 0; // bit (1 << TOptionHolder) for each holder whose value was set
    // Private options only: the value as given, applied as text when copied.
    std::optional<std::string> PrivateValue;
};

class TOptionContexts {
public:
    // Allocates every holder; the scaler is made for a 16x16 picture with SwsFlags. Raises
    // FFmpegException when the libraries cannot allocate one.
    explicit TOptionContexts(int SwsFlags);
    ~TOptionContexts();
    TOptionContexts(const TOptionContexts&) = delete;
    TOptionContexts& operator=(const TOptionContexts&) = delete;

    // The type mask each codec holder's options must carry: video 16, audio 8, data 0,
    // subtitle 32, attachment 0 (0 accepts every option of the holder).
    static int CodecMask(int Holder);

    // Sets Name to Value (both trimmed first; either empty gives false):
    //  1. on each codec holder, in order video, audio, data, subtitle, attachment, that has an
    //     option of that name carrying the holder's mask; a rejected value stops the loop;
    //  2. when no codec holder has it: on the container holder, then on the scaler holder;
    //  3. still none: "aNAME", "vNAME", "sNAME" as NAME on the audio, video, subtitle holder;
    //  4. still none: a private option of some codec, then of some container (kept as text).
    // "b" is the video bit rate only (the libraries flag it for audio too; "ab" is the audio
    // one). A rejected value logs "Invalid value \"%s\" for option \"%s\"\n" through the
    // library log on that holder and gives false. True when set; the option is then listed.
    bool SetOption(const std::string& Name, const std::string& Value);

    // Copies onto Target (a codec or container context) every listed option whose flags include
    // every bit of Mask and that was set on the source holder chosen by Mask: the video, audio
    // or subtitle holder for a mask with AV_OPT_FLAG_VIDEO_PARAM, _AUDIO_PARAM or
    // _SUBTITLE_PARAM, otherwise the container holder (masks 1 encoding, 2 decoding). Values
    // are read from the holder (av_opt_get) and set with AV_OPT_SEARCH_CHILDREN, so a codec's
    // or muxer's private options are reached once Target has its codec or format. Private
    // options whose flags match are applied from their text. An option Target does not have is
    // skipped; a value Target rejects logs "Invalid value ..." on Target. Returns the number of
    // options Target rejected.
    int CopyOptionsTo(void* Target, int Mask) const;

    // The private options among those CopyOptionsTo(Target, Mask) would copy, as a dictionary
    // for the open call that creates the private part (avformat_open_input, avcodec_open2):
    // a container context has no demuxer options before it is opened. The caller frees the
    // result with av_dict_free; null when there is none.
    AVDictionary* PrivateOptions(int Mask) const;

    // The listed options, in the order first set.
    const std::vector<TSetGenericOption>& SetOptions() const { return SetOptions_; }
    const TSetGenericOption* FindSetOption(const std::string& Name) const;

    // Holder 0..4 (video, audio, data, subtitle, attachment).
    AVCodecContext* Codec(int Holder) const;
    AVCodecContext* Video() const { return Codec(ohVideo); }
    AVCodecContext* Audio() const { return Codec(ohAudio); }
    AVCodecContext* Subtitle() const { return Codec(ohSubtitle); }
    AVFormatContext* Format() const { return Format_.get(); }
    SwsContext* Scaler() const { return Scaler_.get(); }
    void* Holder(int Holder) const;

    // The scaler holder's "sws_flags" (the flags for scalers the session makes).
    int ScalerFlags() const;
    // True when the video holder's or the container holder's debug value is non-zero.
    bool DebugRequested() const;

private:
    struct TCodecDeleter {
        void operator()(AVCodecContext* c) const;
    };
    struct TFormatDeleter {
        void operator()(AVFormatContext* c) const;
    };
    struct TScalerDeleter {
        void operator()(SwsContext* c) const;
    };

    // Sets the option on one holder; logs and returns the library's result.
    int SetOn(int Holder, const std::string& Name, const std::string& Value);
    void Remember(const std::string& Name, int Flags, int Holder);
    static int SourceHolder(int Mask);
    bool SetPrivate(const std::string& Name, const std::string& Value);

    std::unique_ptr<AVCodecContext, TCodecDeleter> Codecs_[CodecHolderCount];
    std::unique_ptr<AVFormatContext, TFormatDeleter> Format_;
    std::unique_ptr<SwsContext, TScalerDeleter> Scaler_;
    std::vector<TSetGenericOption> SetOptions_;
};
