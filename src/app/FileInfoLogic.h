// The texts of the file information dialog, made from a probe that has the file open. Kept apart
// from the widgets so they can be tested without a display. Main thread (the probe's thread).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// What the dialog shows for one file. Labels are always set (empty when the file has no video);
// the box groups are set only when their Set flag is true, otherwise the boxes keep what they
// showed before.
struct TFileInfoTexts {
    std::string SourceName;        // file name label
    bool SourceNameShortened = false;
    std::string FileLength;        // duration label: FormatSecondsMs + " Second"

    bool FormatSet = false;
    std::string Format;            // container short name

    bool VideoSet = false;         // the four video boxes below (empty when no video stream)
    std::string Resolution;        // Width "x" Height
    std::string BitRate;
    std::string FrameRate;         // frame-rate numerator
    std::string TotalFrame;        // frame-rate denominator

    bool AudioSet = false;         // the four audio boxes below (empty when no audio stream)
    std::string AudioFormat;
    std::string SampleRate;
    std::string Channel;
    std::string AudioBitRate;
};

// Reads the texts from a probe that has the file open (or failed to open it: then nothing is
// set). A probe without video streams sets nothing: the labels stay empty, the boxes as they were.
TFileInfoTexts DescribeFileInfo(TCustomAVProbe& Probe);

}  // namespace zelta
