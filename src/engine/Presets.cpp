#include "engine/Presets.h"

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/OptionConvert.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

namespace {

// ---- the built-in table ----

// One row of the speed family. Lines come in a fixed order; the eight lines every row shares
// are filled in by SpeedText, a "-" value leaves its line out.
struct TSpeedRow {
    const char* Name;
    bool Lossless; // no bf and trellis lines, "cqp=0" before wpredp
    std::array<const char*, 14> V; // coder flags partitions me_method subq me_range sc_threshold
                                   // b_strategy bf refs directpred trellis flags2 wpredp
};

enum { sCoder, sFlags, sPartitions, sMeMethod, sSubq, sMeRange, sScThreshold, sBStrategy, sBf,
       sRefs, sDirectPred, sTrellis, sFlags2, sWpredp };

// The fastfirstpass text ends with a stray control character after its last value.
const TSpeedRow SpeedRows[] = {
    {"libx264-default", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "7", "16", "40", "1", "3", "3", "1", "1", "+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-fast", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "6", "16", "40", "1", "3", "2", "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-fast_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "2"}},
    {"libx264-faster", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "4", "16", "40", "1", "3", "2", "1", "1", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip", "1"}},
    {"libx264-faster_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "1"}},
    {"libx264-fastfirstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "3", "0", "-bpyramid-wpred-mixed_refs-dct8x8+fastpskip", "2\x01"}},
    {"libx264-hq", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "umh", "8", "16", "40", "2", "3", "4", "3", "1", "+wpred+mixed_refs+dct8x8+fastpskip", "2"}},
    {"libx264-lossless_fast", true, {"0", "+loop", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", "hex", "3", "16", "40", "1", "-", "-", "1", "-", "+fastpskip", "0"}},
    {"libx264-lossless_max", true, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "esa", "8", "16", "40", "1", "-", "16", "1", "-", "+mixed_refs+dct8x8+fastpskip", "2"}},
    {"libx264-lossless_medium", true, {"1", "+loop", "-parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "hex", "5", "16", "40", "1", "-", "-", "1", "-", "+fastpskip", "2"}},
    {"libx264-lossless_slow", true, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "umh", "6", "16", "40", "1", "-", "2", "1", "-", "+dct8x8+fastpskip", "2"}},
    {"libx264-lossless_slower", true, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "umh", "8", "16", "40", "1", "-", "4", "1", "-", "+mixed_refs+dct8x8+fastpskip", "2"}},
    {"libx264-lossless_ultrafast", true, {"0", "+loop", "-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8", "dia", "0", "16", "40", "1", "-", "-", "1", "-", "+fastpskip", "-"}},
    {"libx264-max", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8", "tesa", "10", "24", "40", "2", "3", "16", "3", "2", "+wpred+mixed_refs+dct8x8-fastpskip", "2"}},
    {"libx264-medium", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "7", "16", "40", "1", "3", "3", "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-medium_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "2"}},
    {"libx264-normal", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "6", "16", "40", "1", "3", "2", "3", "0", "+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-placebo", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8", "tesa", "10", "24", "40", "2", "16", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8-fastpskip", "2"}},
    {"libx264-placebo_firstpass", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8", "tesa", "10", "24", "40", "2", "16", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8-fastpskip", "2"}},
    {"libx264-slow", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "umh", "8", "16", "40", "2", "3", "5", "3", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-slow_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "2", "3", "1", "3", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "2"}},
    {"libx264-slower", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8", "umh", "9", "16", "40", "2", "3", "8", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-slower_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "2", "3", "1", "3", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "2"}},
    {"libx264-slowfirstpass", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "6", "16", "40", "2", "3", "1", "3", "0", "+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-superfast", false, {"1", "+loop", "+parti8x8+parti4x4-partp8x8-partb8x8", "dia", "1", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-superfast_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "1", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-ultrafast", false, {"0", "-loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "0", "16", "0", "0", "0", "1", "1", "0", "-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-ultrafast_firstpass", false, {"0", "-loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "0", "16", "0", "0", "0", "1", "1", "0", "-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-veryfast", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partb8x8", "hex", "2", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-veryfast_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "0"}},
    {"libx264-veryslow", false, {"1", "+loop", "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8", "umh", "10", "24", "40", "2", "8", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2"}},
    {"libx264-veryslow_firstpass", false, {"1", "+loop", "-parti8x8-parti4x4-partp8x8-partb8x8", "dia", "2", "24", "40", "2", "8", "1", "3", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip", "2"}},
};

std::string SpeedText(const TSpeedRow& R) {
    std::vector<std::string> lines;
    auto add = [&](const char* Key, const char* Value) {
        if (std::string(Value) != "-")
            lines.push_back(std::string(Key) + "=" + Value);
    };
    add("coder", R.V[sCoder]);
    add("flags", R.V[sFlags]);
    add("cmp", "+chroma");
    add("partitions", R.V[sPartitions]);
    add("me_method", R.V[sMeMethod]);
    add("subq", R.V[sSubq]);
    add("me_range", R.V[sMeRange]);
    add("g", "250");
    add("keyint_min", "25");
    add("sc_threshold", R.V[sScThreshold]);
    add("i_qfactor", "0.71");
    add("b_strategy", R.V[sBStrategy]);
    add("qcomp", "0.6");
    add("qmin", "10");
    add("qmax", "51");
    add("qdiff", "4");
    add("bf", R.V[sBf]);
    add("refs", R.V[sRefs]);
    add("directpred", R.V[sDirectPred]);
    add("trellis", R.V[sTrellis]);
    add("flags2", R.V[sFlags2]);
    if (R.Lossless)
        add("cqp", "0");
    add("wpredp", R.V[sWpredp]);
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

// The device family differs only in the coder, the partitions, the presence of bf and the
// rate lines.
std::string DeviceText(const char* Coder, const char* Partitions, bool BFrames, const char* Rates) {
    std::string text = std::string("coder=") + Coder +
                       "\nflags=+loop\nlevel=30\ncmp=+chroma\npartitions=" + Partitions +
                       "\nme_method=umh\nsubq=7\nme_range=16\ng=250\nkeyint_min=25\n"
                       "sc_threshold=40\ni_qfactor=0.71\nb_strategy=1\nqcomp=0.6\nqmin=10\n"
                       "qmax=51\nqdiff=4\n";
    if (BFrames)
        text += "bf=3\n";
    text += "refs=1\ndirectpred=1\ntrellis=2\n";
    text += Rates;
    text += "\nsc_threshold=40";
    return text;
}

std::vector<TOptionsPreset> BuildPresets() {
    const char* full = "+parti4x4+parti8x8+partp8x8+partb8x8";
    const std::vector<TOptionsPreset> whole = {
        {"libx264-baseline", "coder=0\nbf=0\nflags2=-wpred-dct8x8\nwpredp=0"},
        {"libx264-main", "flags2=-dct8x8"},
        {"libx264-ipod320", "coder=0\nbf=0\nflags2=-wpred-dct8x8\nlevel=13\nmaxrate=768000\n"
                            "bufsize=3000000\nwpredp=0"},
        {"libx264-ipod640", "coder=0\nbf=0\nrefs=1\nflags2=-wpred-dct8x8\nlevel=30\n"
                            "maxrate=10000000\nbufsize=10000000\nwpredp=0"},
        {"libx264-psp", DeviceText("1", full, true, "b=1250000\nmaxrate=1500000\nbufsize=4000000\nbt=256000")},
        {"libx264-ps3", DeviceText("1", full, true, "maxrate=3500000\nbufsize=4000000\nbt=256000")},
        {"libx264-ipod", DeviceText("0", "+parti4x4+parti8x8+partp8x8", false,
                                    "b=1000000\nmaxrate=1250000\nbufsize=4000000\nbt=256000")},
        {"libx264-mp4", DeviceText("1", full, true, "b=1250000\nmaxrate=1500000\nbufsize=4000000\nbt=256000")},
    };
    const char* order[] = {
        "libx264-baseline", "libx264-default", "libx264-fast", "libx264-fast_firstpass",
        "libx264-faster", "libx264-faster_firstpass", "libx264-fastfirstpass", "libx264-hq",
        "libx264-ipod320", "libx264-ipod640", "libx264-lossless_fast", "libx264-lossless_max",
        "libx264-lossless_medium", "libx264-lossless_slow", "libx264-lossless_slower",
        "libx264-lossless_ultrafast", "libx264-main", "libx264-max", "libx264-medium",
        "libx264-medium_firstpass", "libx264-normal", "libx264-placebo",
        "libx264-placebo_firstpass", "libx264-slow", "libx264-slow_firstpass", "libx264-slower",
        "libx264-slower_firstpass", "libx264-slowfirstpass", "libx264-superfast",
        "libx264-superfast_firstpass", "libx264-ultrafast", "libx264-ultrafast_firstpass",
        "libx264-veryfast", "libx264-veryfast_firstpass", "libx264-veryslow",
        "libx264-veryslow_firstpass", "libx264-psp", "libx264-ps3", "libx264-ipod", "libx264-mp4"};
    std::vector<TOptionsPreset> table;
    for (const char* name : order) {
        const std::string n = name;
        if (auto w = std::find_if(whole.begin(), whole.end(), [&](const auto& p) { return p.Name == n; });
            w != whole.end()) {
            table.push_back(*w);
            continue;
        }
        for (const TSpeedRow& r : SpeedRows)
            if (n == r.Name)
                table.push_back({n, SpeedText(r)});
    }
    return table;
}

std::string Printf(const char* Format, const std::string& A, const std::string& B = {},
                   const std::string& C = {}, const std::string& D = {}) {
    const int n = std::snprintf(nullptr, 0, Format, A.c_str(), B.c_str(), C.c_str(), D.c_str());
    std::string out(size_t(n > 0 ? n : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, Format, A.c_str(), B.c_str(), C.c_str(), D.c_str());
    return out;
}

// ---- the translation of the 2010 libx264 wrapper's options ----

// One flag of an old flag-syntax value ("+a-b+c").
struct TFlag {
    char Sign; // '+', '-' or 0 for a leading flag without sign
    std::string Name;
};

std::vector<TFlag> ParseFlags(const std::string& Value) {
    std::vector<TFlag> flags;
    size_t i = 0;
    while (i < Value.size()) {
        char sign = 0;
        if (Value[i] == '+' || Value[i] == '-')
            sign = Value[i++];
        size_t j = i;
        while (j < Value.size() && Value[j] != '+' && Value[j] != '-')
            ++j;
        flags.push_back({sign, Value.substr(i, j - i)});
        i = j;
    }
    return flags;
}

std::string JoinFlags(const std::vector<TFlag>& Flags) {
    std::string text;
    for (const TFlag& f : Flags) {
        if (f.Sign)
            text += f.Sign;
        text += f.Name;
    }
    return text;
}

// An old flag bit and the private option of the libx264 wrapper that took it over. A set bit
// gives OnValue, a cleared one OffValue.
struct TFlagOption {
    const char* OldFlag;
    const char* Option; // nullptr: no current meaning
    const char* OnValue;
    const char* OffValue;
};

const TFlagOption Flags2Options[] = {
    {"bpyramid", "b-pyramid", "normal", "none"},
    {"wpred", "weightb", "1", "0"},
    {"mixed_refs", "mixed-refs", "1", "0"},
    {"dct8x8", "8x8dct", "1", "0"},
    {"fastpskip", "fast-pskip", "1", "0"},
    {"mbtree", "mbtree", "1", "0"},
    {"aud", "aud", "1", "0"},
    {"psy", "psy", "1", "0"},
    {"ssim", "ssim", "1", "0"},
    {"intra_refresh", "intra-refresh", "1", "0"},
    // B-frame RD refinement (folded into x264's subq) and the strict-GOP flag exist no more.
    {"brdo", nullptr, nullptr, nullptr},
    {"sgop", nullptr, nullptr, nullptr},
};

// The "flags" bits x264 reads from a private option now; the bit itself stays, other encoders
// still use it.
const TFlagOption FlagsOptions[] = {
    {"loop", "deblock", "true", "false"},
};

// Old options of the libx264 wrapper that are private options of the current one, with the
// values that were renamed.
struct TRenamedOption {
    const char* OldName;
    const char* Option;
    std::vector<std::pair<const char*, const char*>> Values; // old value -> current value
};

const TRenamedOption RenamedOptions[] = {
    {"coder", "coder", {}},
    {"me_method", "motion-est", {{"epzs", "dia"}, {"full", "esa"}}},
    {"sc_threshold", "sc_threshold", {}},
    {"b_strategy", "b_strategy", {}},
    {"directpred", "direct-pred", {}},
    {"wpredp", "wpredp", {}},
    {"cqp", "qp", {}},
};

// Old partition flags and the names in the current comma-separated list.
const std::pair<const char*, const char*> PartitionNames[] = {
    {"parti4x4", "i4x4"}, {"parti8x8", "i8x8"}, {"partp4x4", "p4x4"},
    {"partp8x8", "p8x8"}, {"partb8x8", "b8x8"},
};

// Splits a flag-syntax value into the flags that moved to private options and the rest, which
// stays a generic option of OldName.
void TranslateFlags(const std::string& OldName, const std::string& Value,
                    const TFlagOption* Table, size_t Count, bool KeepMoved,
                    std::vector<TRoutedOption>& Out) {
    std::vector<TFlag> rest;
    for (const TFlag& f : ParseFlags(Value)) {
        const TFlagOption* t = std::find_if(Table, Table + Count, [&](const TFlagOption& o) {
            return f.Name == o.OldFlag;
        });
        if (t == Table + Count) {
            rest.push_back(f);
            continue;
        }
        if (t->Option == nullptr)
            Out.push_back({TOptionRoute::Dropped, OldName, (f.Sign ? std::string(1, f.Sign) : "") + f.Name});
        else
            Out.push_back({TOptionRoute::Encoder, t->Option, f.Sign == '-' ? t->OffValue : t->OnValue});
        if (KeepMoved)
            rest.push_back(f);
    }
    if (!rest.empty())
        Out.push_back({TOptionRoute::Generic, OldName, JoinFlags(rest)});
}

// "+parti8x8-partp4x4..." as the current list ("i8x8,...", "none" when nothing is left); false
// when a flag is not an old partition name (the value is then passed on as written).
bool TranslatePartitions(const std::string& Value, std::string& List) {
    std::vector<std::string> on;
    for (const TFlag& f : ParseFlags(Value)) {
        const auto* p = std::find_if(std::begin(PartitionNames), std::end(PartitionNames),
                                     [&](const auto& n) { return f.Name == n.first; });
        if (p == std::end(PartitionNames))
            return false;
        const std::string name = p->second;
        on.erase(std::remove(on.begin(), on.end(), name), on.end());
        if (f.Sign != '-')
            on.push_back(name);
    }
    List.clear();
    for (const std::string& n : on)
        List += (List.empty() ? "" : ",") + n;
    if (List.empty())
        List = "none";
    return true;
}

// A libx264 context used only to try values of its private options.
TCodecContextPtr NewPresetEncoderContext() {
    const AVCodec* codec = avcodec_find_encoder_by_name(PresetEncoderName);
    if (codec == nullptr)
        return nullptr;
    return TCodecContextPtr(avcodec_alloc_context3(codec));
}

// True when the MPEG video encoders take Value for their "motion_est" (the chosen video codec's
// own option when it has one, else MPEG-4's), so a bad value fails at its preset line.
bool MotionEstimationAccepted(const std::optional<std::string>& VideoCodec, const std::string& Value) {
    for (const char* name : {VideoCodec ? VideoCodec->c_str() : "", "mpeg4"}) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name);
        if (codec == nullptr)
            continue;
        TCodecContextPtr ctx(avcodec_alloc_context3(codec));
        if (!ctx)
            continue;
        const int r = av_opt_set(ctx.get(), "motion_est", Value.c_str(), AV_OPT_SEARCH_CHILDREN);
        if (r != AVERROR_OPTION_NOT_FOUND)
            return r >= 0;
    }
    return false;
}

} // namespace

const std::vector<TOptionsPreset>& BuiltInPresets() {
    static const std::vector<TOptionsPreset> table = BuildPresets();
    return table;
}

const TOptionsPreset* FindPreset(const std::string& Name) {
    const std::string key = ffopt::LowerCase(Name);
    for (const TOptionsPreset& p : BuiltInPresets())
        if (ffopt::LowerCase(p.Name) == key)
            return &p;
    return nullptr;
}

std::vector<std::string> PresetLines(const std::string& Text) {
    std::vector<std::string> lines;
    const std::string text = ffopt::Trim(Text);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (std::string line = ffopt::Trim(text.substr(start, end - start)); !line.empty())
            lines.push_back(std::move(line));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

std::vector<TRoutedOption> TranslatePresetOption(const std::string& Key, const std::string& Value,
                                                 bool ForLibx264) {
    std::vector<TRoutedOption> out;
    if (!ForLibx264) {
        if (Key == "me_method")
            out.push_back({TOptionRoute::Generic, "motion_est", Value == "x1" ? "xone" : Value});
        else
            out.push_back({TOptionRoute::Generic, Key, Value});
        return out;
    }
    if (Key == "flags2") {
        TranslateFlags(Key, Value, Flags2Options, std::size(Flags2Options), false, out);
        return out;
    }
    if (Key == "flags") {
        TranslateFlags(Key, Value, FlagsOptions, std::size(FlagsOptions), true, out);
        return out;
    }
    if (Key == "partitions") {
        std::string list;
        out.push_back({TOptionRoute::Encoder, "partitions", TranslatePartitions(Value, list) ? list : Value});
        return out;
    }
    for (const TRenamedOption& r : RenamedOptions)
        if (Key == r.OldName) {
            std::string value = Value;
            for (const auto& [from, to] : r.Values)
                if (value == from)
                    value = to;
            out.push_back({TOptionRoute::Encoder, r.Option, value});
            return out;
        }
    out.push_back({TOptionRoute::Generic, Key, Value});
    return out;
}

void TCustomFFmpeg::ApplyPreset(const std::string& OptionName, const std::string& PresetName) {
    if (OptionName.empty() || PresetName.empty())
        return;

    std::string name = PresetName;
    const TOptionsPreset* preset = nullptr;
    if (OptionName[0] != 'f') {
        preset = FindPreset(name);
        if (preset == nullptr) {
            const TOptionState& o = Options();
            const std::optional<std::string>* codec = nullptr;
            if (OptionName[0] == 'v' && o.VideoCodecName)
                codec = &o.VideoCodecName;
            else if (OptionName[0] == 'a' && o.AudioCodecName)
                codec = &o.AudioCodecName;
            else if (o.SubtitleCodecName)
                codec = &o.SubtitleCodecName;
            if (codec != nullptr) {
                name = **codec + "-" + PresetName;
                preset = FindPreset(name);
            }
        }
    }

    std::string text;
    if (preset != nullptr) {
        text = preset->Text;
    } else {
        if (!FileExists(PresetName))
            throw FFmpegException(Printf("Preset \"%s\" not found", PresetName));
        const TWholeFile file = ReadWholeFile(PresetName);
        if (file.Result != 0)
            throw FFmpegException(Printf("Preset \"%s\" not found", PresetName));
        text.assign(reinterpret_cast<const char*>(file.Buffer.get()), size_t(file.Size > 0 ? file.Size - 1 : 0));
    }

    // The old names are translated for libx264 presets only. Without any codec in sight (an
    // unqualified preset file, no video codec chosen) the preset is taken for one of libx264,
    // for which those names were written.
    const auto isX264 = [](const std::string& Codec) { return ffopt::LowerCase(Codec) == PresetEncoderName; };
    bool forX264 = true;
    if (ffopt::LowerCase(name).rfind(std::string(PresetEncoderName) + "-", 0) == 0)
        forX264 = true;
    else if (OptionName[0] == 'a' || OptionName[0] == 's')
        forX264 = false;
    else if (const std::optional<std::string>& codec = Options().VideoCodecName; codec)
        forX264 = isX264(*codec);

    TCodecContextPtr encoder; // made on the first private option
    bool encoderMissing = false;
    for (const std::string& line : PresetLines(text)) {
        const size_t eq = line.find('=');
        const std::string key = eq == std::string::npos ? std::string() : line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key.empty() || value.empty())
            throw FFmpegException(Printf("%s: Invalid syntax: \"%s\"", name, line));

        const std::string lkey = ffopt::LowerCase(key);
        if (lkey == "acodec") {
            SetAudioCodec(value);
            continue;
        }
        if (lkey == "vcodec") {
            SetVideoCodec(value);
            forX264 = isX264(value);
            continue;
        }
        if (lkey == "scodec") {
            SetSubtitleCodec(value);
            continue;
        }

        const auto invalid = [&] {
            return FFmpegException(Printf("%s: Invalid option or argument: \"%s\", parsed as \"%s\" = \"%s\"",
                                          name, line, key, value));
        };
        for (const TRoutedOption& r : TranslatePresetOption(key, value, forX264)) {
            switch (r.Route) {
            case TOptionRoute::Generic:
                if ((r.Name == "motion_est" && !MotionEstimationAccepted(Options().VideoCodecName, r.Value)) ||
                    !SetGenericOption(r.Name, r.Value))
                    throw invalid();
                break;
            case TOptionRoute::Encoder:
                if (!encoder && !encoderMissing) {
                    encoder = NewPresetEncoderContext();
                    encoderMissing = !encoder;
                }
                if (encoderMissing) {
                    GetLogger().LogFormat(this, llWarning,
                                          "%s: \"%s\" needs the %s encoder, which is not available; skipped",
                                          name.c_str(), line.c_str(), PresetEncoderName);
                    break;
                }
                // Values are tried on a scratch encoder so that a bad one fails here, at its
                // line, rather than when the real encoder opens.
                if (av_opt_set(encoder->priv_data, r.Name.c_str(), r.Value.c_str(), 0) < 0 ||
                    !SetGenericOption(r.Name, r.Value))
                    throw invalid();
                break;
            case TOptionRoute::Dropped:
                GetLogger().LogFormat(this, llWarning,
                                      "%s: \"%s\" in \"%s\" has no equivalent in the current libraries; skipped",
                                      name.c_str(), r.Value.c_str(), line.c_str());
                break;
            }
        }
    }
}
