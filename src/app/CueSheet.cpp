#include "app/CueSheet.h"
#include "app/Translation.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>

extern "C" {
#include <libcue.h>
}

namespace zelta {

namespace fs = std::filesystem;

namespace {

// Converts In from the iconv encoding From to UTF-8; false when a byte sequence is invalid.
bool ConvertToUtf8(const char* From, std::string_view In, std::string& Out)
{
    iconv_t cd = ::iconv_open("UTF-8", From);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result(In.size() * 3 + 16, '\0');
    char* src = const_cast<char*>(In.data());
    size_t srcLeft = In.size();
    char* dst = result.data();
    size_t dstLeft = result.size();
    const size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    ::iconv_close(cd);
    if (r == size_t(-1) || srcLeft != 0)
        return false;
    result.resize(result.size() - dstLeft);
    Out = std::move(result);
    return true;
}

bool ValidUtf8(std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        int more = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + size_t(k) >= Text.size())
                return false;
            const auto t = static_cast<unsigned char>(Text[i + size_t(k)]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += size_t(more) + 1;
    }
    return true;
}

// The code points of UTF-8 text (valid by construction).
std::vector<uint32_t> CodePoints(std::string_view Text)
{
    std::vector<uint32_t> cps;
    for (size_t i = 0; i < Text.size();) {
        const auto c = static_cast<unsigned char>(Text[i]);
        const int more = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        uint32_t cp = more == 0 ? c : more == 1 ? c & 0x1F : more == 2 ? c & 0x0F : c & 0x07;
        for (int k = 1; k <= more && i + size_t(k) < Text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(Text[i + size_t(k)]) & 0x3F);
        cps.push_back(cp);
        i += size_t(more) + 1;
    }
    return cps;
}

// Whether Bytes decode as Shift-JIS into text a Japanese sheet would hold. Latin-1 accents often
// form valid pairs too ("è" and the letter after it read as a kanji), but they give half-width
// katakana or kanji, never kana: kana come from the lead bytes 0x82 and 0x83, which Windows-1252
// text all but never holds.
bool PlausibleShiftJis(std::string_view Bytes, std::string& Utf8)
{
    std::string text;
    if (!ConvertToUtf8("CP932", Bytes, text) && !ConvertToUtf8("SHIFT_JIS", Bytes, text))
        return false;
    int kana = 0;
    for (const uint32_t cp : CodePoints(text)) {
        if (cp >= 0xFF61 && cp <= 0xFF9F)
            return false; // half-width katakana: Latin-1 capitals and accents land there
        if (cp >= 0xE000 && cp <= 0xF8FF)
            return false; // private use
        if (cp >= 0x3040 && cp <= 0x30FF)
            ++kana;
    }
    if (kana == 0)
        return false;
    Utf8 = std::move(text);
    return true;
}

std::string Windows1252ToUtf8(std::string_view Bytes)
{
    // 0x80..0x9F; 0 where the code page leaves a byte undefined (read as the C1 control).
    static constexpr uint16_t High[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
        0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    std::string out;
    out.reserve(Bytes.size() * 2);
    for (const char ch : Bytes) {
        const auto b = static_cast<unsigned char>(ch);
        uint32_t cp = b;
        if (b >= 0x80 && b <= 0x9F && High[b - 0x80] != 0)
            cp = High[b - 0x80];
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

struct TCdDeleter {
    void operator()(Cd* P) const { cd_delete(P); }
};

// libcue's parser keeps its state in globals.
std::mutex& ParserLock()
{
    static std::mutex Lock;
    return Lock;
}

std::string Field(const char* Text)
{
    return Text != nullptr ? std::string(Text) : std::string();
}

std::string Trimmed(std::string_view S)
{
    const size_t b = S.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos)
        return {};
    const size_t e = S.find_last_not_of(" \t\r\n");
    std::string r(S.substr(b, e - b + 1));
    if (r.size() >= 2 && r.front() == '"' && r.back() == '"')
        r = r.substr(1, r.size() - 2);
    return r;
}

// "REM NAME value" of the sheet's head (before the first TRACK); libcue keeps only some.
std::string HeadRemark(std::string_view Text, std::string_view Name)
{
    size_t at = 0;
    while (at < Text.size()) {
        size_t end = Text.find('\n', at);
        if (end == std::string_view::npos)
            end = Text.size();
        const std::string line = Trimmed(Text.substr(at, end - at));
        at = end + 1;
        if (line.rfind("TRACK ", 0) == 0)
            break;
        const std::string prefix = "REM " + std::string(Name) + " ";
        if (line.size() > prefix.size() && line.compare(0, prefix.size(), prefix) == 0)
            return Trimmed(std::string_view(line).substr(prefix.size()));
    }
    return {};
}

}  // namespace

std::string DecodeSheetText(std::string_view Bytes)
{
    std::string out;
    if (Bytes.size() >= 3 && Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return std::string(Bytes.substr(3));
    if (Bytes.size() >= 2 && (Bytes.compare(0, 2, "\xFF\xFE") == 0 ||
                              Bytes.compare(0, 2, "\xFE\xFF") == 0)) {
        const char* from = Bytes[0] == '\xFF' ? "UTF-16LE" : "UTF-16BE";
        if (ConvertToUtf8(from, Bytes.substr(2), out))
            return out;
    }
    if (ValidUtf8(Bytes))
        return std::string(Bytes);
    if (PlausibleShiftJis(Bytes, out))
        return out;
    return Windows1252ToUtf8(Bytes);
}

TCueSheet ParseCueSheet(std::string_view Bytes, const std::string& Folder)
{
    TCueSheet sheet;
    std::string text = DecodeSheetText(Bytes);
    // The parser wants line ends it knows and a last line that ends.
    std::string clean;
    clean.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            clean += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] != '\0') {
            clean += text[i];
        }
    }
    if (clean.empty() || clean.back() != '\n')
        clean += '\n';

    std::unique_ptr<Cd, TCdDeleter> cd;
    {
        const std::lock_guard<std::mutex> lock(ParserLock());
        cd.reset(cue_parse_string(clean.c_str()));
    }
    if (!cd) {
        sheet.Error =
            TrText("CueSheet", "the CUE sheet cannot be read: it is not written as a CUE sheet is");
        return sheet;
    }
    if (const Cdtext* t = cd_get_cdtext(cd.get())) {
        sheet.Title = Field(cdtext_get(PTI_TITLE, t));
        sheet.Performer = Field(cdtext_get(PTI_PERFORMER, t));
    }
    if (Rem* rem = cd_get_rem(cd.get()))
        sheet.Date = Field(rem_get(REM_DATE, rem));
    sheet.Genre = HeadRemark(clean, "GENRE");
    const int count = cd_get_ntrack(cd.get());
    for (int i = 1; i <= count; ++i) {
        const Track* track = cd_get_track(cd.get(), i);
        if (track == nullptr)
            continue;
        TCueTrack t;
        t.Number = i;
        if (const Cdtext* ct = track_get_cdtext(track)) {
            t.Title = Field(cdtext_get(PTI_TITLE, ct));
            t.Performer = Field(cdtext_get(PTI_PERFORMER, ct));
        }
        if (t.Performer.empty())
            t.Performer = sheet.Performer;
        const std::string file = Field(track_get_filename(track));
        if (!file.empty())
            t.File = (fs::path(Folder) / fs::path(file)).lexically_normal().string();
        const long index1 = track_get_index(track, 1);
        t.Start = index1 >= 0 ? index1 : track_get_start(track);
        const long index0 = track_get_index(track, 0);
        t.Pregap = index0 >= 0 && index0 <= t.Start ? index0 : -1;
        if (t.Start < 0) {
            sheet.Error = FillText(TrText("CueSheet", "the CUE sheet cannot be read: track %1 "
                                                      "has no start (INDEX 01)"),
                                   {std::to_string(i)});
            return sheet;
        }
        sheet.Tracks.push_back(std::move(t));
    }
    if (sheet.Tracks.empty())
        sheet.Error = TrText("CueSheet", "the CUE sheet cannot be read: it lists no tracks");
    for (const TCueTrack& t : sheet.Tracks)
        if (t.File.empty()) {
            sheet.Error =
                TrText("CueSheet", "the CUE sheet cannot be read: it names no audio file (FILE)");
            break;
        }
    return sheet;
}

TCueSheet ReadCueSheet(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    if (!in) {
        TCueSheet sheet;
        sheet.Error = FillText(TrText("CueSheet", "the CUE sheet cannot be read: %1"),
                               {std::strerror(errno)});
        return sheet;
    }
    // A sheet is a few kilobytes; anything far larger is not one.
    std::string bytes;
    bytes.resize(1 << 20);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    return ParseCueSheet(bytes, fs::path(Path).parent_path().string());
}

}  // namespace zelta
