// Value conversions of the option parser: trimming, Booleans, strict numbers and the lenient
// number readers that some option syntaxes use.
#pragma once

#include "engine/FFTypes.h"

#include <cstdint>
#include <string>

// A value that is not a number of the wanted kind, as "'%s' is not a valid integer value".
// A refusal like the engine's other refusals, so it derives from FFmpegException.
class EConvertError : public FFmpegException {
public:
    using FFmpegException::FFmpegException;
};

namespace ffopt {

// Text without leading and trailing white space and control characters (<= ' ').
std::string Trim(const std::string& Text);
// Text with ASCII letters in lower case (option and preset names).
std::string LowerCase(std::string Text);

// True unless Text is exactly "0" (an empty text is true).
bool OptionBool(const std::string& Text);

// Strict decimal conversion: an optional sign and digits only, within the type's range; anything
// else raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& Text);
int64_t StrToInt64(const std::string& Text);
// Strict conversion of a real ("1.5", "-2", "1e3"; the decimal point is always "."); anything
// else, infinities and NaN included, raises EConvertError "'%s' is not a valid floating point
// value".
double StrToFloat(const std::string& Text);
// As StrToFloat, Default for text that is not a real.
double StrToFloatDef(const std::string& Text, double Default);

// Lenient readers in the manner of the C library's strtol/strtod (but always decimal and with
// "." as the decimal point): white space, an optional sign and as many digits as there are, from
// Pos; Pos moves past what was read; no digits read give 0 and leave Pos unchanged.
long ReadLeadingInt(const std::string& Text, size_t& Pos);
double ReadLeadingFloat(const std::string& Text, size_t& Pos);

} // namespace ffopt
