#include "EngineTestSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/FFmpegLoader.h"
#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/GenericOptions.h"
#include "engine/Presets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

using enginetest::TTempDir;
using enginetest::WriteBytes;

namespace {

std::string Lines(const std::vector<std::string>& L) {
    std::string s;
    for (size_t i = 0; i < L.size(); ++i)
        s += (i ? "\n" : "") + L[i];
    return s;
}

std::string TextOf(const std::string& Name) {
    const TOptionsPreset* p = FindPreset(Name);
    return p ? p->Text : std::string("<missing>");
}

// A core with fresh option contexts.
class PresetApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        Core = std::make_unique<TCustomFFmpeg>();
        Core->PrepareTask();
    }

    // The message of the FFmpegException that Body raises, or "<none>".
    template <class F>
    static std::string Raised(F Body) {
        try {
            Body();
        } catch (const FFmpegException& e) {
            return e.what();
        }
        return "<none>";
    }

    int64_t VideoInt(const char* Name) {
        int64_t v = -12345;
        EXPECT_GE(av_opt_get_int(Core->OptionContexts().Video(), Name, 0, &v), 0) << Name;
        return v;
    }

    std::string PrivateValue(const char* Name) {
        const TSetGenericOption* o = Core->OptionContexts().FindSetOption(Name);
        return o && o->PrivateValue ? *o->PrivateValue : std::string("<unset>");
    }

    std::unique_ptr<TCustomFFmpeg> Core;
};

// A libx264 encoder for 320x240 yuv420p at 25 fps that received the core's video options.
TCodecContextPtr OpenX264(TCustomFFmpeg& Core, std::string& Error) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) {
        Error = "no libx264 encoder";
        return nullptr;
    }
    TCodecContextPtr ctx(avcodec_alloc_context3(codec));
    ctx->width = 320;
    ctx->height = 240;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = AVRational{1, 25};
    const int rejected = Core.OptionContexts().CopyOptionsTo(ctx.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
    if (rejected != 0) {
        Error = std::to_string(rejected) + " options rejected";
        return nullptr;
    }
    if (const int r = avcodec_open2(ctx.get(), codec, nullptr); r < 0) {
        Error = ErrorText("avcodec_open2", r);
        return nullptr;
    }
    return ctx;
}

// The settings text x264 writes into its first picture ("cabac=1 ref=3 ...").
std::string X264Settings(AVCodecContext* Ctx) {
    std::unique_ptr<AVFrame, TFrameDeleter> frame(av_frame_alloc());
    frame->width = Ctx->width;
    frame->height = Ctx->height;
    frame->format = Ctx->pix_fmt;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return "<no frame>";
    for (int p = 0; p < 3; ++p)
        std::memset(frame->data[p], 128, size_t(frame->linesize[p]) * (p ? Ctx->height / 2 : Ctx->height));
    frame->pts = 0;
    if (avcodec_send_frame(Ctx, frame.get()) < 0 || avcodec_send_frame(Ctx, nullptr) < 0)
        return "<send failed>";
    std::unique_ptr<AVPacket, TPacketDeleter> pkt(av_packet_alloc());
    std::string settings;
    while (avcodec_receive_packet(Ctx, pkt.get()) == 0) {
        const std::string data(reinterpret_cast<const char*>(pkt->data), size_t(pkt->size));
        if (const size_t p = data.find("options: "); settings.empty() && p != std::string::npos)
            settings = " " + std::string(data.c_str() + p + 9) + " ";
        av_packet_unref(pkt.get());
    }
    return settings;
}

} // namespace

TEST(PresetTableTest, FortyRowsInOrder) {
    const std::vector<std::string> names = {
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
    const auto& table = BuiltInPresets();
    ASSERT_EQ(table.size(), 40u);
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(table[i].Name, names[i]) << i;
        EXPECT_FALSE(table[i].Text.empty()) << names[i];
        EXPECT_NE(table[i].Text.back(), '\n') << names[i];
    }
}

TEST(PresetTableTest, SmallProfilesAreWrittenOut) {
    EXPECT_EQ(TextOf("libx264-baseline"), Lines({"coder=0", "bf=0", "flags2=-wpred-dct8x8", "wpredp=0"}));
    EXPECT_EQ(TextOf("libx264-main"), "flags2=-dct8x8");
    EXPECT_EQ(TextOf("libx264-ipod320"), Lines({"coder=0", "bf=0", "flags2=-wpred-dct8x8", "level=13", "maxrate=768000",
                                                "bufsize=3000000", "wpredp=0"}));
    EXPECT_EQ(TextOf("libx264-ipod640"), Lines({"coder=0", "bf=0", "refs=1", "flags2=-wpred-dct8x8", "level=30",
                                                "maxrate=10000000", "bufsize=10000000", "wpredp=0"}));
}

TEST(PresetTableTest, SpeedFamilyTexts) {
    EXPECT_EQ(TextOf("libx264-default"),
              Lines({"coder=1", "flags=+loop", "cmp=+chroma", "partitions=+parti8x8+parti4x4+partp8x8+partb8x8",
                     "me_method=hex", "subq=7", "me_range=16", "g=250", "keyint_min=25", "sc_threshold=40",
                     "i_qfactor=0.71", "b_strategy=1", "qcomp=0.6", "qmin=10", "qmax=51", "qdiff=4", "bf=3",
                     "refs=3", "directpred=1", "trellis=1", "flags2=+mixed_refs+wpred+dct8x8+fastpskip",
                     "wpredp=2"}));
    EXPECT_EQ(TextOf("libx264-ultrafast"),
              Lines({"coder=0", "flags=-loop", "cmp=+chroma", "partitions=-parti8x8-parti4x4-partp8x8-partb8x8",
                     "me_method=dia", "subq=0", "me_range=16", "g=250", "keyint_min=25", "sc_threshold=0",
                     "i_qfactor=0.71", "b_strategy=0", "qcomp=0.6", "qmin=10", "qmax=51", "qdiff=4", "bf=0",
                     "refs=1", "directpred=1", "trellis=0",
                     "flags2=-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "wpredp=0"}));
    // Lossless rows: no bf and trellis, cqp=0 before wpredp or last.
    EXPECT_EQ(TextOf("libx264-lossless_max"),
              Lines({"coder=1", "flags=+loop", "cmp=+chroma", "partitions=+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8",
                     "me_method=esa", "subq=8", "me_range=16", "g=250", "keyint_min=25", "sc_threshold=40",
                     "i_qfactor=0.71", "b_strategy=1", "qcomp=0.6", "qmin=10", "qmax=51", "qdiff=4", "refs=16",
                     "directpred=1", "flags2=+mixed_refs+dct8x8+fastpskip", "cqp=0", "wpredp=2"}));
    EXPECT_EQ(TextOf("libx264-lossless_ultrafast"),
              Lines({"coder=0", "flags=+loop", "cmp=+chroma", "partitions=-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8",
                     "me_method=dia", "subq=0", "me_range=16", "g=250", "keyint_min=25", "sc_threshold=40",
                     "i_qfactor=0.71", "b_strategy=1", "qcomp=0.6", "qmin=10", "qmax=51", "qdiff=4",
                     "directpred=1", "flags2=+fastpskip", "cqp=0"}));
    const std::string ffp = TextOf("libx264-fastfirstpass");
    ASSERT_GE(ffp.size(), 10u);
    EXPECT_EQ(ffp.substr(ffp.size() - 9), std::string("wpredp=2\x01"));
    EXPECT_NE(ffp.find("\npartitions=-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8\n"), std::string::npos);
    EXPECT_NE(ffp.find("\nflags2=-bpyramid-wpred-mixed_refs-dct8x8+fastpskip\n"), std::string::npos);
    EXPECT_NE(TextOf("libx264-veryslow_firstpass").find("\nme_range=24\n"), std::string::npos);
    EXPECT_NE(TextOf("libx264-superfast").find("\nflags2=+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree\nwpredp=0"),
              std::string::npos);
}

TEST(PresetTableTest, DeviceFamilyTexts) {
    const std::vector<std::string> head = {"flags=+loop", "level=30", "cmp=+chroma"};
    const std::vector<std::string> middle = {"me_method=umh", "subq=7", "me_range=16", "g=250", "keyint_min=25",
                                             "sc_threshold=40", "i_qfactor=0.71", "b_strategy=1", "qcomp=0.6",
                                             "qmin=10", "qmax=51", "qdiff=4"};
    auto device = [&](const char* Coder, const char* Partitions, bool BFrames, std::vector<std::string> Rates) {
        std::vector<std::string> l = {std::string("coder=") + Coder};
        l.insert(l.end(), head.begin(), head.end());
        l.push_back(std::string("partitions=") + Partitions);
        l.insert(l.end(), middle.begin(), middle.end());
        if (BFrames)
            l.push_back("bf=3");
        l.insert(l.end(), {"refs=1", "directpred=1", "trellis=2"});
        l.insert(l.end(), Rates.begin(), Rates.end());
        l.push_back("sc_threshold=40");
        return Lines(l);
    };
    const char* full = "+parti4x4+parti8x8+partp8x8+partb8x8";
    EXPECT_EQ(TextOf("libx264-psp"), device("1", full, true, {"b=1250000", "maxrate=1500000", "bufsize=4000000", "bt=256000"}));
    EXPECT_EQ(TextOf("libx264-mp4"), TextOf("libx264-psp"));
    EXPECT_EQ(TextOf("libx264-ps3"), device("1", full, true, {"maxrate=3500000", "bufsize=4000000", "bt=256000"}));
    EXPECT_EQ(TextOf("libx264-ipod"), device("0", "+parti4x4+parti8x8+partp8x8", false,
                                             {"b=1000000", "maxrate=1250000", "bufsize=4000000", "bt=256000"}));
}

TEST(PresetTableTest, LookupIgnoresCaseAndLinesAreTrimmed) {
    ASSERT_NE(FindPreset("LIBX264-MEDIUM"), nullptr);
    EXPECT_EQ(FindPreset("LIBX264-MEDIUM")->Name, "libx264-medium");
    EXPECT_EQ(FindPreset("medium"), nullptr);
    EXPECT_EQ(FindPreset(""), nullptr);

    EXPECT_EQ(PresetLines(" \r\n a=1 \r\nb=2\rc=3\n\n\t\nd=4\x01 \n"),
              (std::vector<std::string>{"a=1", "b=2", "c=3", "d=4"}));
    EXPECT_TRUE(PresetLines("\n \r\n\t").empty());
    EXPECT_EQ(PresetLines("# note\nk = v"), (std::vector<std::string>{"# note", "k = v"}));
    EXPECT_EQ(PresetLines(TextOf("libx264-fastfirstpass")).back(), "wpredp=2");
}

TEST(PresetTranslationTest, OldX264NamesMapToCurrentOptions) {
    auto one = [](const char* K, const char* V) {
        const auto r = TranslatePresetOption(K, V);
        EXPECT_EQ(r.size(), 1u) << K;
        return r.empty() ? TRoutedOption{TOptionRoute::Dropped, "", ""} : r[0];
    };
    const auto expectRoute = [](const TRoutedOption& R, TOptionRoute Route, const char* Name, const char* Value) {
        EXPECT_EQ(R.Route, Route) << Name;
        EXPECT_EQ(R.Name, Name);
        EXPECT_EQ(R.Value, Value);
    };
    expectRoute(one("directpred", "3"), TOptionRoute::Encoder, "direct-pred", "3");
    expectRoute(one("cqp", "0"), TOptionRoute::Encoder, "qp", "0");
    expectRoute(one("me_method", "umh"), TOptionRoute::Encoder, "motion-est", "umh");
    expectRoute(one("me_method", "epzs"), TOptionRoute::Encoder, "motion-est", "dia");
    expectRoute(one("coder", "0"), TOptionRoute::Encoder, "coder", "0");
    expectRoute(one("wpredp", "2"), TOptionRoute::Encoder, "wpredp", "2");
    expectRoute(one("partitions", "+parti8x8+parti4x4+partp8x8+partb8x8"), TOptionRoute::Encoder, "partitions",
                "i8x8,i4x4,p8x8,b8x8");
    expectRoute(one("partitions", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8"), TOptionRoute::Encoder,
                "partitions", "i4x4,p8x8");
    expectRoute(one("partitions", "-parti8x8-parti4x4"), TOptionRoute::Encoder, "partitions", "none");
    expectRoute(one("partitions", "p8x8,b8x8"), TOptionRoute::Encoder, "partitions", "p8x8,b8x8");
    // Names that still exist pass unchanged.
    expectRoute(one("refs", "3"), TOptionRoute::Generic, "refs", "3");
    expectRoute(one("cmp", "+chroma"), TOptionRoute::Generic, "cmp", "+chroma");
    expectRoute(one("nosuchoption", "1"), TOptionRoute::Generic, "nosuchoption", "1");

    const auto f2 = TranslatePresetOption("flags2", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree");
    ASSERT_EQ(f2.size(), 6u);
    expectRoute(f2[0], TOptionRoute::Encoder, "b-pyramid", "normal");
    expectRoute(f2[1], TOptionRoute::Encoder, "mixed-refs", "0");
    expectRoute(f2[2], TOptionRoute::Encoder, "weightb", "1");
    expectRoute(f2[3], TOptionRoute::Encoder, "8x8dct", "0");
    expectRoute(f2[4], TOptionRoute::Encoder, "fast-pskip", "1");
    expectRoute(f2[5], TOptionRoute::Encoder, "mbtree", "0");

    // Bits the libraries still have stay on flags2; bits without a current meaning are dropped.
    const auto mixed = TranslatePresetOption("flags2", "-bpyramid+fast+brdo-local_header");
    ASSERT_EQ(mixed.size(), 3u);
    expectRoute(mixed[0], TOptionRoute::Encoder, "b-pyramid", "none");
    expectRoute(mixed[1], TOptionRoute::Dropped, "flags2", "+brdo");
    expectRoute(mixed[2], TOptionRoute::Generic, "flags2", "+fast-local_header");

    // The loop filter bit still exists on the codec options; x264 reads its own option.
    const auto loop = TranslatePresetOption("flags", "-loop");
    ASSERT_EQ(loop.size(), 2u);
    expectRoute(loop[0], TOptionRoute::Encoder, "deblock", "false");
    expectRoute(loop[1], TOptionRoute::Generic, "flags", "-loop");
}

TEST_F(PresetApplyTest, TableLookupsAndCodecQualifiedNames) {
    TTempDir dir;
    const std::string oldDir = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir.Path())); // no file named "medium" here

    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "LIBX264-MEDIUM"); }), "<none>");
    EXPECT_EQ(VideoInt("refs"), 3);
    EXPECT_EQ(PrivateValue("motion-est"), "hex");

    Core->PrepareTask();
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "medium"); }), "Preset \"medium\" not found");
    // An audio codec does not qualify a video preset.
    Core->SetAudioCodec("libx264");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "medium"); }), "Preset \"medium\" not found");
    // An audio preset takes the audio codec's name even when a video codec is set.
    Core->SetVideoCodec("mpeg4");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("apre", "slow"); }), "<none>");
    EXPECT_EQ(VideoInt("refs"), 5);

    Core->PrepareTask();
    Core->SetVideoCodec("libx264");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "fast"); }), "<none>");
    EXPECT_EQ(VideoInt("refs"), 2);
    // fpre always names a file.
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", "libx264-fast"); }), "Preset \"libx264-fast\" not found");

    // A subtitle codec qualifies whatever the option's letter.
    Core->PrepareTask();
    Core->SetSubtitleCodec("libx264");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "hq"); }), "<none>");
    EXPECT_EQ(VideoInt("refs"), 4);

    // Missing arguments do nothing.
    Core->PrepareTask();
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", ""); }), "<none>");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("", "medium"); }), "<none>");
    EXPECT_TRUE(Core->OptionContexts().SetOptions().empty());

    ASSERT_TRUE(SetCurrentDir(oldDir));
}

TEST_F(PresetApplyTest, PresetFiles) {
    TTempDir dir;
    const std::string blank = dir.File("blank.ffpreset");
    WriteBytes(blank, "\n   \r\n\t\r\n");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", blank); }), "<none>");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", blank); }), "<none>");
    const std::string empty = dir.File("empty.ffpreset");
    WriteBytes(empty, "");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", empty); }), "<none>");
    EXPECT_TRUE(Core->OptionContexts().SetOptions().empty());

    const std::string good = dir.File("good.ffpreset");
    WriteBytes(good, "  bf=5\r\nVCodec=mpeg4\racodec=copy\n  refs = 2 \n");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", good); }), "<none>");
    EXPECT_EQ(VideoInt("bf"), 5);
    EXPECT_EQ(VideoInt("refs"), 2);
    EXPECT_EQ(Core->Options().VideoCodecName.value_or("<none>"), "mpeg4");
    EXPECT_TRUE(Core->Options().AudioStreamCopy);
    EXPECT_FALSE(Core->Options().AudioCodecName.has_value());

    const std::string noValue = dir.File("novalue.ffpreset");
    WriteBytes(noValue, "qmin=3\n bf \n");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", noValue); }), noValue + ": Invalid syntax: \"bf\"");
    EXPECT_EQ(VideoInt("qmin"), 3); // lines before the failing one stay applied
    const std::string noKey = dir.File("nokey.ffpreset");
    WriteBytes(noKey, "=3");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", noKey); }), noKey + ": Invalid syntax: \"=3\"");
    WriteBytes(noKey, "bf=");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", noKey); }), noKey + ": Invalid syntax: \"bf=\"");
    WriteBytes(noKey, "# comment\nbf=1");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", noKey); }), noKey + ": Invalid syntax: \"# comment\"");

    const std::string unknown = dir.File("unknown.ffpreset");
    WriteBytes(unknown, "nosuchoption=1");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", unknown); }),
              unknown + ": Invalid option or argument: \"nosuchoption=1\", parsed as \"nosuchoption\" = \"1\"");
    // A known private name with a value it refuses fails at its line too.
    WriteBytes(unknown, "me_method=sideways");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", unknown); }),
              unknown + ": Invalid option or argument: \"me_method=sideways\", parsed as \"me_method\" = \"sideways\"");

    // With a video codec set, the messages name the codec-qualified name last searched.
    Core->SetVideoCodec("libx264");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", noValue); }), "libx264-" + noValue + ": Invalid syntax: \"bf\"");

    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", dir.File("missing")); }),
              "Preset \"" + dir.File("missing") + "\" not found");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", dir.Path()); }), "Preset \"" + dir.Path() + "\" not found");
}

TEST_F(PresetApplyTest, FlagsWithoutCurrentMeaningAreLoggedAndSkipped) {
    std::vector<std::pair<TLogLevel, std::string>> log;
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel Level, const std::string& Msg) {
        log.emplace_back(Level, Msg);
    });
    TTempDir dir;
    const std::string file = dir.File("old.ffpreset");
    WriteBytes(file, "flags2=+brdo+fast\nbf=2");
    const std::string raised = Raised([&] { Core->ApplyPreset("fpre", file); });
    GetLogger().SetOnLog(nullptr);

    EXPECT_EQ(raised, "<none>");
    EXPECT_EQ(VideoInt("bf"), 2);
    EXPECT_EQ(VideoInt("flags2"), AV_CODEC_FLAG2_FAST);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, llWarning);
    EXPECT_EQ(log[0].second,
              file + ": \"+brdo\" in \"flags2=+brdo+fast\" has no equivalent in the current libraries; skipped");
}

TEST_F(PresetApplyTest, LaterValueWins) {
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", "libx264-psp"); }), "<none>");
    EXPECT_EQ(PrivateValue("sc_threshold"), "40");
    // Private options are kept statement by statement and applied in order.
    int listed = 0;
    for (const TSetGenericOption& o : Core->OptionContexts().SetOptions())
        listed += o.Name == "sc_threshold";
    EXPECT_EQ(listed, 2);

    TTempDir dir;
    const std::string twice = dir.File("twice.ffpreset");
    WriteBytes(twice, "sc_threshold=10\nrefs=2\nsc_threshold=55\nrefs=4");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("fpre", twice); }), "<none>");
    EXPECT_EQ(VideoInt("refs"), 4);
    std::string error;
    TCodecContextPtr x264 = OpenX264(*Core, error);
    ASSERT_TRUE(x264) << error;
    int64_t scenecut = 0;
    EXPECT_GE(av_opt_get_int(x264.get(), "sc_threshold", AV_OPT_SEARCH_CHILDREN, &scenecut), 0);
    EXPECT_EQ(scenecut, 55);
}

TEST_F(PresetApplyTest, EveryBuiltInPresetOpensLibx264) {
    for (const TOptionsPreset& p : BuiltInPresets()) {
        SCOPED_TRACE(p.Name);
        Core->PrepareTask();
        ASSERT_EQ(Raised([&] { Core->ApplyPreset("vpre", p.Name); }), "<none>");
        std::string error;
        TCodecContextPtr x264 = OpenX264(*Core, error);
        ASSERT_TRUE(x264) << error;
        int64_t v = 0;
        if (p.Text.find("refs=") != std::string::npos) {
            const size_t at = p.Text.find("refs=") + 5;
            ASSERT_GE(av_opt_get_int(x264.get(), "refs", AV_OPT_SEARCH_CHILDREN, &v), 0);
            EXPECT_EQ(v, std::stoll(p.Text.substr(at)));
        }
        // -1 is the wrapper's "x264 decides".
        const int64_t fastPskip = p.Text.find("-fastpskip") != std::string::npos   ? 0
                                  : p.Text.find("+fastpskip") != std::string::npos ? 1
                                                                                   : -1;
        ASSERT_GE(av_opt_get_int(x264.get(), "fast-pskip", AV_OPT_SEARCH_CHILDREN, &v), 0);
        EXPECT_EQ(v, fastPskip);
        const size_t w = p.Text.find("wpredp=");
        uint8_t* wpredp = nullptr;
        ASSERT_GE(av_opt_get(x264.get(), "wpredp", AV_OPT_SEARCH_CHILDREN, &wpredp), 0);
        EXPECT_EQ(std::string(wpredp ? reinterpret_cast<char*>(wpredp) : ""),
                  w == std::string::npos ? std::string() : p.Text.substr(w + 7, 1));
        av_free(wpredp);
    }
}

TEST_F(PresetApplyTest, TranslatedValuesReachTheEncoder) {
    struct {
        const char* Preset;
        std::vector<const char*> Settings; // whole entries as x264 reports them
    } cases[] = {
        {"libx264-medium", {"cabac=1", "ref=3", "deblock=1:0:0", "me=hex", "subme=7", "mixed_ref=1", "trellis=1",
                            "8x8dct=1", "fast_pskip=1", "bframes=3", "b_pyramid=2", "b_adapt=1", "direct=1",
                            "weightb=1", "weightp=2", "keyint=250", "keyint_min=25", "scenecut=40",
                            "mbtree=1", "qcomp=0.60", "qpmin=10", "qpmax=51", "qpstep=4", "ip_ratio=1.41",
                            "chroma_me=1", "analyse=0x3:0x113"}},
        {"libx264-ultrafast", {"cabac=0", "ref=1", "deblock=0:0:0", "me=dia", "subme=0", "mixed_ref=0",
                               "8x8dct=0", "bframes=0", "weightp=0", "scenecut=0", "mbtree=0",
                               "analyse=0x1:0"}},
        {"libx264-veryslow", {"me=umh", "subme=10", "me_range=24", "trellis=2", "bframes=8", "b_adapt=2",
                              "direct=3", "ref=16", "analyse=0x3:0x133"}},
        {"libx264-lossless_ultrafast", {"cabac=0", "rc=cqp", "qp=0"}},
        {"libx264-baseline", {"cabac=0", "bframes=0", "8x8dct=0", "weightp=0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Preset);
        Core->PrepareTask();
        ASSERT_EQ(Raised([&] { Core->ApplyPreset("vpre", c.Preset); }), "<none>");
        std::string error;
        TCodecContextPtr x264 = OpenX264(*Core, error);
        ASSERT_TRUE(x264) << error;
        const std::string settings = X264Settings(x264.get());
        for (const char* s : c.Settings)
            EXPECT_NE(settings.find(std::string(" ") + s + " "), std::string::npos) << s << " in" << settings;
    }
}

TEST_F(PresetApplyTest, OldX264NamesAreTranslatedForLibx264OnlyAndOtherCodecsKeepTheirOptions) {
    std::vector<std::string> log;
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel, const std::string& Msg) { log.push_back(Msg); });
    TTempDir dir;
    const std::string file = dir.File("mpeg4.ffpreset");
    WriteBytes(file, "me_method=epzs\nflags=+mv4\n");
    Core->SetVideoCodec("mpeg4");
    const std::string raised = Raised([&] { Core->ApplyPreset("vpre", file); });
    GetLogger().SetOnLog(nullptr);
    EXPECT_EQ(raised, "<none>");
    for (const std::string& l : log)
        EXPECT_EQ(l.find("libx264"), std::string::npos) << l;
    EXPECT_EQ(PrivateValue("motion-est"), "<unset>");
    EXPECT_NE(VideoInt("flags") & AV_CODEC_FLAG_4MV, 0);

    // The MPEG-4 encoder gets the motion estimation method.
    const AVCodec* mpeg4 = avcodec_find_encoder_by_name("mpeg4");
    ASSERT_NE(mpeg4, nullptr);
    TCodecContextPtr ctx(avcodec_alloc_context3(mpeg4));
    EXPECT_EQ(Core->OptionContexts().CopyOptionsTo(ctx.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 0);
    TCodecContextPtr expected(avcodec_alloc_context3(mpeg4));
    ASSERT_GE(av_opt_set(expected.get(), "motion_est", "epzs", AV_OPT_SEARCH_CHILDREN), 0);
    int64_t got = -1, want = -2;
    ASSERT_GE(av_opt_get_int(ctx.get(), "motion_est", AV_OPT_SEARCH_CHILDREN, &got), 0);
    ASSERT_GE(av_opt_get_int(expected.get(), "motion_est", AV_OPT_SEARCH_CHILDREN, &want), 0);
    EXPECT_EQ(got, want);

    // For libx264 the same line still becomes its current option.
    Core->PrepareTask();
    Core->SetVideoCodec("libx264");
    EXPECT_EQ(Raised([&] { Core->ApplyPreset("vpre", file); }), "<none>");
    EXPECT_EQ(PrivateValue("motion-est"), "dia");
}
