#include "engine/OptionConvert.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ffopt {

namespace {

template <typename T> bool StrictInteger(const std::string& Text, T& Value) {
    const char* first = Text.data();
    const char* last = first + Text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-')
            return false;
    }
    if (first == last)
        return false;
    const auto [p, ec] = std::from_chars(first, last, Value, 10);
    return ec == std::errc() && p == last;
}

bool StrictFloat(const std::string& Text, double& Value) {
    const char* first = Text.data();
    const char* last = first + Text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-')
            return false;
    }
    if (first == last)
        return false;
    const auto [p, ec] = std::from_chars(first, last, Value, std::chars_format::general);
    return ec == std::errc() && p == last && std::isfinite(Value);
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::string Trim(const std::string& Text) {
    size_t b = 0, e = Text.size();
    while (b < e && static_cast<unsigned char>(Text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(Text[e - 1]) <= ' ')
        --e;
    return Text.substr(b, e - b);
}

std::string LowerCase(std::string Text) {
    for (char& c : Text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return Text;
}

bool OptionBool(const std::string& Text) {
    return Text != "0";
}

int StrToInt(const std::string& Text) {
    int v = 0;
    if (!StrictInteger(Text, v))
        throw EConvertError("'" + Text + "' is not a valid integer value");
    return v;
}

int64_t StrToInt64(const std::string& Text) {
    int64_t v = 0;
    if (!StrictInteger(Text, v))
        throw EConvertError("'" + Text + "' is not a valid integer value");
    return v;
}

double StrToFloat(const std::string& Text) {
    double v = 0;
    if (!StrictFloat(Text, v))
        throw EConvertError("'" + Text + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const std::string& Text, double Default) {
    double v = 0;
    return StrictFloat(Text, v) ? v : Default;
}

long ReadLeadingInt(const std::string& Text, size_t& Pos) {
    size_t p = Pos;
    while (p < Text.size() && IsSpace(Text[p]))
        ++p;
    bool negative = false;
    if (p < Text.size() && (Text[p] == '+' || Text[p] == '-'))
        negative = Text[p++] == '-';
    const size_t digits = p;
    long v = 0;
    constexpr long limit = std::numeric_limits<long>::max();
    while (p < Text.size() && Text[p] >= '0' && Text[p] <= '9') {
        const int d = Text[p++] - '0';
        v = v > (limit - d) / 10 ? limit : v * 10 + d; // saturates as strtol does
    }
    if (p == digits)
        return 0;
    Pos = p;
    return negative ? -v : v;
}

double ReadLeadingFloat(const std::string& Text, size_t& Pos) {
    size_t p = Pos;
    while (p < Text.size() && IsSpace(Text[p]))
        ++p;
    bool negative = false;
    if (p < Text.size() && (Text[p] == '+' || Text[p] == '-'))
        negative = Text[p++] == '-';
    double v = 0;
    const auto [end, ec] = std::from_chars(Text.data() + p, Text.data() + Text.size(), v,
                                           std::chars_format::general);
    if (end == Text.data() + p || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return 0;
    Pos = size_t(end - Text.data());
    return negative ? -v : v;
}

} // namespace ffopt
