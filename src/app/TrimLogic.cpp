#include "app/TrimLogic.h"

#include "app/FileInfoLogic.h"
#include "app/SourceList.h"
#include "app/Translation.h"
#include "engine/FFUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zelta {

namespace {

constexpr int64_t OneSecond = 1000000;
constexpr int64_t OneMillisecond = 1000;

// Digits only, at least one.
std::optional<int64_t> Digits(const std::string& Text) {
    if (Text.empty() || Text.size() > 12)
        return std::nullopt;
    int64_t v = 0;
    for (const char c : Text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string Trimmed(const std::string& Text) {
    const size_t first = Text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = Text.find_last_not_of(" \t");
    return Text.substr(first, last - first + 1);
}

}  // namespace

std::string TrimCaption(const std::string& FileName) {
    const std::string shortened = ShortenedName(FileName, 50, 50, "  ");
    //: title of the trim window; %1 is the file
    return shortened == FileName ? shortened
                                 : FillText(TrText("TrimLogic", "Trim   %1"), {shortened});
}

TTrimRange StoredTrimRange(const TlvFilesRecord& Record, int64_t Duration) {
    TTrimRange r{0, Duration};
    // A track or chapter without a trim of its own shows its piece of the file.
    if (Record.Segment.Active() && Record.TrimStart <= 0 && Record.TrimLength <= 0) {
        r.Start = std::min(Record.Segment.Start, Duration);
        if (Record.Segment.End >= 0 && Record.Segment.End < Duration)
            r.End = Record.Segment.End;
        return r;
    }
    if (Record.TrimStart >= 0)
        r.Start = Record.TrimStart;
    if (Record.TrimLength > 0)
        r.End = Record.TrimStart + Record.TrimLength;
    return r;
}

int TrimBarMark(int64_t Point, int BarMaximum, int64_t Duration) {
    if (Duration <= 0)
        return 0;
    return int(int64_t(BarMaximum) * Point / Duration);
}

TTrimResult TrimOkResult(int64_t Start, int64_t End, int64_t Duration) {
    const int64_t kept =
        Start >= 0 && End > 0 && Start < End && End <= Duration ? End - Start : Duration;
    TTrimResult r;
    if (kept <= 0)
        return r;
    r.TrimStart = Start > 0 ? Start : 0;
    // An end within 1 ms of the duration means "to the end" whatever the start; measuring that
    // on the kept length alone would catch it only for ranges that begin at 0.
    const int64_t end = r.TrimStart + kept;
    const bool toTheEnd = kept < OneMillisecond || Duration - kept < OneMillisecond ||
                          Duration - end < OneMillisecond || kept == Duration;
    r.TrimLength = toTheEnd ? 0 : kept;
    r.Column = std::to_string(kept / OneSecond);
    return r;
}

std::optional<int64_t> ParseTrimTime(const std::string& Text) {
    const std::string t = Trimmed(Text);
    if (t.empty())
        return std::nullopt;
    // The fraction after the last dot, when it follows the seconds.
    std::string whole = t;
    int64_t fraction = 0;
    if (const size_t dot = t.find('.'); dot != std::string::npos) {
        const std::string digits = t.substr(dot + 1);
        if (digits.empty() || digits.size() > 6 || !Digits(digits))
            return std::nullopt;
        fraction = *Digits(digits);
        for (size_t i = digits.size(); i < 6; ++i)
            fraction *= 10;
        whole = t.substr(0, dot);
    }
    std::vector<std::string> parts;
    for (size_t from = 0;;) {
        const size_t colon = whole.find(':', from);
        parts.push_back(whole.substr(from, colon == std::string::npos ? colon : colon - from));
        if (colon == std::string::npos)
            break;
        from = colon + 1;
    }
    if (parts.size() > 3)
        return std::nullopt;
    int64_t seconds = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::optional<int64_t> v = Digits(parts[i]);
        if (!v)
            return std::nullopt;
        // After a colon, minutes and seconds stay below 60; the first part may be any size.
        if (i > 0 && *v >= 60)
            return std::nullopt;
        seconds = seconds * 60 + *v;
    }
    if (seconds > std::numeric_limits<int64_t>::max() / OneSecond - 1)
        return std::nullopt;
    return seconds * OneSecond + fraction;
}

std::string TrimTimeRefusal(const std::string& Text, int64_t Duration) {
    return FillText(TrText("TrimLogic", "\"%1\" is not a time of this file. Type h:mm:ss.mmm or a "
                                        "number of seconds, from 00:00:00.000 to %2."),
                    {Trimmed(Text), FormatMediaTime(std::max<int64_t>(Duration, 0))});
}

std::optional<int64_t> AcceptTrimTime(const std::string& Text, int64_t Duration) {
    const std::optional<int64_t> t = ParseTrimTime(Text);
    if (!t || *t > Duration)
        return std::nullopt;
    return t;
}

}  // namespace zelta
