// The texts of the file information dialog, made from a probe that has the file open. Kept apart
// from the widgets so they can be tested without a display. Main thread (the probe's thread).
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TCustomAVProbe;

namespace zelta {

// Whole seconds and milliseconds of a time in microseconds, "%d.%.3d": 215040000 -> "215.040".
std::string FormatSecondsMs(int64_t Microseconds);

// The file name label: the path itself when it has fewer than 46 characters (code points);
// otherwise its first 40 characters, "..", its extension (with the dot, "" when it has none) and
// two blanks. Shortened tells the dialog to give the label its fixed width.
struct TSourceNameLabel {
    std::string Text;
    bool Shortened = false;
};
TSourceNameLabel ShortenSourceName(const std::string& Path);

// A file name shortened for a caption or label: Path itself when it has at most Limit
// characters (code points); otherwise its first Head characters, "..", its extension (with the
// dot, "" when it has none) and Tail.
std::string ShortenedName(const std::string& Path, std::size_t Limit, std::size_t Head,
                          const std::string& Tail);

// The codec name after "Audio: " in a probe description: the text from the character after
// "Audio: " up to (not including) the first "," after the first "Audio:". "" when the text has no
// "Audio:" or no "," after it.
std::string AudioFormatFromInfoText(const std::string& InfoText);

// What the dialog shows for one file. Every text is set for every file, so nothing of a file
// shown before stays: what does not apply (no video stream, no audio stream, an unknown value, a
// file that cannot be opened) reads NotApplicable, translated (context "FileInfoLogic").
//: file information: a value that does not apply or is unknown
inline constexpr const char* NotApplicable = QT_TRANSLATE_NOOP("FileInfoLogic", "n/a");

struct TFileInfoTexts {
    std::string SourceName;        // file name label
    bool SourceNameShortened = false;
    std::string FileLength;        // duration label: FormatSecondsMs + " Second"

    std::string Format;            // container short name

    std::string Resolution;        // Width "x" Height as shown (upright, pixel aspect applied)
    std::string BitRate;
    std::string FrameRate;         // frames per second, up to three decimals ("25", "29.97")
    std::string TotalFrame;        // the stream's frame count, else duration x rate + " (estimated)"

    std::string AudioFormat;
    std::string SampleRate;
    std::string Channel;
    std::string AudioBitRate;
    // Every audio track as listed (AudioTrackText); empty when the file has none.
    std::vector<std::string> AudioTracks;
};

// A frame rate as a reader expects it: "25" for 25/1, "29.97" for 30000/1001; NotApplicable for
// a rate that is not positive.
std::string FrameRateText(int Num, int Den);

// The frame count of a video stream: the container's count when it has one, otherwise the
// duration (microseconds) times the frame rate, rounded, with " (estimated)"; NotApplicable when
// neither is known.
std::string TotalFrameText(int64_t FrameCount, int64_t DurationUs, int RateNum, int RateDen);

// Reads the texts of SourceFile from a probe that has opened it (or failed to: then the name is
// shown and every other text reads NotApplicable).
TFileInfoTexts DescribeFileInfo(TCustomAVProbe& Probe, const std::string& SourceFile);

}  // namespace zelta
