// The conversion job builder: completes the input and output option records of one source file
// from the output profile (the catalogue's "Format" and the user's "para" keys, read through
// ReadProfilePara so that an unconfirmed profile converts with its catalogue defaults), the
// source's probe data and the file's record (crop margins, zoom mode and trim length).
//
// The batch driver resets both records and sets the file names, the input's FileFormat and
// StartTime, and (when the record has any margin above 0) the output's four crop fields; then it
// calls BuildJobOptions and hands the records unchanged to the encoder component. The builder
// sets the output's Duration to the row's TrimLength when that is above 0, so the kept range is
// StartTime to StartTime + TrimLength. The same inputs always give the same records, except
// where the invalid-size question is asked.
//
// Main thread (reads the settings and catalogue files).
#pragma once

#include "app/IniFile.h"
#include "app/SourceList.h"
#include "app/UserPrompts.h"
#include "engine/OptionRecords.h"

#include <cstdint>
#include <string_view>

class TAVProbe;

namespace zelta {

// The question asked once per row when "paraVideoSize" has no usable "WxH" form (the text is
// asked translated; the caption goes as it is, see TUserPrompts).
inline constexpr std::string_view VideoSizeQuestionCaption = "Warning";
inline constexpr std::string_view VideoSizeQuestionText =
    QT_TRANSLATE_NOOP("JobBuilder", "Error output Video Size.Use the default size 320x240?");

// FitPad(T, n) = ((T - 2 * (n div 2)) div 4) * 2: half the space left when n is rounded down to
// an even number, itself rounded down to an even number. Computed wide, so extreme arguments
// cannot overflow.
constexpr int FitPad(int T, int N)
{
    return int(((int64_t(T) - 2 * int64_t(N / 2)) / 4) * 2);
}

// What the builder reads from the source's probe: the video stream count and the first video
// stream's size and bit rate (-1 when unknown). Width, Height and the pixel aspect are those of
// the upright picture (the engine turns a picture with a display rotation before cropping and
// scaling it), so every size rule and crop margin works on the picture as it is shown.
struct TSourceVideo {
    int StreamCount = 0;
    int Width = -1;
    int Height = -1;
    int64_t BitRate = -1;
    int PixelAspectNum = 1; // of the upright picture; 1:1 when unknown
    int PixelAspectDen = 1;
    int Rotation = 0;       // the clockwise turn the engine applies (for information)
};

// The source data of a probe open on the source file (the first video stream's values stay -1
// when it has none).
TSourceVideo SourceVideoOf(TAVProbe& Probe);

// True when profile FormatCode writes video: its video encoder (the stored choice, else the
// catalogue's default) is not empty. An audio profile's job builds no video stream.
bool ProfileHasVideo(const TIniFile& Settings, const TIniFile& Catalogue, int FormatCode);

// How many files an automatic choice converts at once: one per core (at least one) for an audio
// profile; one for a video profile, whose encoders already use every core.
int AutoJobCount(bool HasVideo, unsigned Cores);
inline constexpr unsigned MaxAutoJobs = 8;

// Fills Output and Input in place for the file of Row converted with profile FormatCode; the
// records must be prepared as described above. Throws EConvertError ("'x' is not a valid
// integer value") when "paraVolume" is neither "256" nor an integer; the records are then
// partly filled.
void BuildJobOptions(const TlvFilesRecord& Row, int FormatCode, TOutputOptions& Output,
                     TInputOptions& Input, const TSourceVideo& Source, const TIniFile& Settings,
                     const TIniFile& Catalogue, TUserPrompts& Prompts);
// The same with the source data read from Probe, which is open on the source.
void BuildJobOptions(const TlvFilesRecord& Row, int FormatCode, TOutputOptions& Output,
                     TInputOptions& Input, TAVProbe& Probe, const TIniFile& Settings,
                     const TIniFile& Catalogue, TUserPrompts& Prompts);

}  // namespace zelta
