#include "OptionTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

using optiontest::TOptionTest;
using ::testing::HasSubstr;

namespace {

struct TCodecDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecDeleter>;

struct TFormatDeleter {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};
using TFormatPtr = std::unique_ptr<AVFormatContext, TFormatDeleter>;

TCodecPtr Encoder(const char* Name) {
    const AVCodec* codec = avcodec_find_encoder_by_name(Name);
    return TCodecPtr(codec ? avcodec_alloc_context3(codec) : nullptr);
}

TFormatPtr Muxer(const char* Name) {
    AVFormatContext* ctx = nullptr;
    avformat_alloc_output_context2(&ctx, nullptr, Name, nullptr);
    return TFormatPtr(ctx);
}

int64_t IntOf(void* Object, const char* Name) {
    int64_t v = -12345;
    EXPECT_GE(av_opt_get_int(Object, Name, AV_OPT_SEARCH_CHILDREN, &v), 0) << Name;
    return v;
}

constexpr unsigned Bit(int Holder) {
    return 1u << Holder;
}

} // namespace

class GenericOptionTest : public TOptionTest {
protected:
    bool SetG(const std::string& Name, const std::string& Value) {
        return Core->SetGenericOption(Name, Value);
    }
    const TSetGenericOption* Listed(const std::string& Name) { return Contexts().FindSetOption(Name); }
};

TEST_F(GenericOptionTest, CodecHoldersTakeOptionsCarryingTheirMask) {
    EXPECT_EQ(TOptionContexts::CodecMask(ohVideo), 16);
    EXPECT_EQ(TOptionContexts::CodecMask(ohAudio), 8);
    EXPECT_EQ(TOptionContexts::CodecMask(ohData), 0);
    EXPECT_EQ(TOptionContexts::CodecMask(ohSubtitle), 32);
    EXPECT_EQ(TOptionContexts::CodecMask(ohAttachment), 0);
    constexpr std::array<AVMediaType, CodecHolderCount> types = {
        AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_DATA, AVMEDIA_TYPE_SUBTITLE,
        AVMEDIA_TYPE_ATTACHMENT};
    for (int h = 0; h < CodecHolderCount; ++h)
        EXPECT_EQ(Contexts().Codec(h)->codec_type, types[size_t(h)]) << h;

    // "g" is a video option: video, and the two holders of mask 0.
    ASSERT_TRUE(SetG("g", "18"));
    ASSERT_NE(Listed("g"), nullptr);
    EXPECT_EQ(Listed("g")->SetOn, Bit(ohVideo) | Bit(ohData) | Bit(ohAttachment));
    EXPECT_EQ(Contexts().Video()->gop_size, 18);
    EXPECT_NE(Contexts().Audio()->gop_size, 18);
    EXPECT_NE(Contexts().Subtitle()->gop_size, 18);

    // "ar" is an audio option.
    ASSERT_TRUE(SetG("ar", "22050"));
    EXPECT_EQ(Listed("ar")->SetOn, Bit(ohAudio) | Bit(ohData) | Bit(ohAttachment));
    EXPECT_EQ(Contexts().Audio()->sample_rate, 22050);
    EXPECT_EQ(Contexts().Video()->sample_rate, 0);

    // "strict" is for audio and video (not flagged for subtitles).
    ASSERT_TRUE(SetG("strict", "experimental"));
    EXPECT_EQ(Listed("strict")->SetOn, Bit(ohVideo) | Bit(ohAudio) | Bit(ohData) | Bit(ohAttachment));
    EXPECT_EQ(Contexts().Audio()->strict_std_compliance, FF_COMPLIANCE_EXPERIMENTAL);
    EXPECT_EQ(Contexts().Subtitle()->strict_std_compliance, 0);
    EXPECT_EQ(Contexts().Format()->strict_std_compliance, 0) << "found on a codec: container not tried";

    // Set twice, listed once.
    ASSERT_TRUE(SetG("g", "25"));
    int count = 0;
    for (const TSetGenericOption& o : Contexts().SetOptions())
        count += o.Name == "g";
    EXPECT_EQ(count, 1);
}

TEST_F(GenericOptionTest, BitRateNamesAndTypePrefixes) {
    const int64_t audioBefore = Contexts().Audio()->bit_rate;
    ASSERT_TRUE(SetG("b", "1150000"));
    EXPECT_EQ(Contexts().Video()->bit_rate, 1150000);
    EXPECT_EQ(Contexts().Audio()->bit_rate, audioBefore);
    EXPECT_EQ(Listed("b")->SetOn, Bit(ohVideo));

    ASSERT_TRUE(SetG("ab", "224000"));
    EXPECT_EQ(Contexts().Audio()->bit_rate, 224000);
    EXPECT_EQ(Contexts().Video()->bit_rate, 1150000);

    ASSERT_TRUE(SetG("vb", "2000000"));
    EXPECT_EQ(Contexts().Video()->bit_rate, 2000000);
    EXPECT_EQ(Contexts().Audio()->bit_rate, 224000);

    // "s" + a subtitle option: found on the subtitle holder only through the prefix.
    ASSERT_TRUE(SetG("ssub_charenc", "CP1252"));
    uint8_t* text = nullptr;
    ASSERT_GE(av_opt_get(Contexts().Subtitle(), "sub_charenc", 0, &text), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "CP1252");
    av_free(text);
    ASSERT_NE(Listed("sub_charenc"), nullptr);
    EXPECT_EQ(Listed("sub_charenc")->SetOn, Bit(ohSubtitle));

    // The prefix is only tried when nothing else has the name.
    EXPECT_FALSE(SetG("anosuch", "1"));
    EXPECT_FALSE(SetG("vnosuch", "1"));
}

TEST_F(GenericOptionTest, ContainerAndScalerHolders) {
    ASSERT_TRUE(SetG("packetsize", "2324"));
    EXPECT_EQ(Contexts().Format()->packet_size, 2324u);
    EXPECT_EQ(Listed("packetsize")->SetOn, Bit(ohFormat));

    EXPECT_EQ(Contexts().ScalerFlags(), SWS_BICUBIC);
    ASSERT_TRUE(SetG("sws_flags", "bilinear"));
    EXPECT_EQ(Contexts().ScalerFlags(), SWS_BILINEAR);
    EXPECT_EQ(Listed("sws_flags")->SetOn, Bit(ohScaler));
}

TEST_F(GenericOptionTest, TrimmingEmptyTextsAndRejectedValues) {
    ASSERT_TRUE(SetG("  g ", " 30  "));
    EXPECT_EQ(Contexts().Video()->gop_size, 30);
    EXPECT_FALSE(SetG("", "1"));
    EXPECT_FALSE(SetG("g", "   "));
    EXPECT_FALSE(SetG("   ", "1"));

    const size_t listed = Contexts().SetOptions().size();
    ClearLines();
    EXPECT_FALSE(SetG("g", "many"));
    EXPECT_EQ(LoggedContaining(llError, "Invalid value \"many\" for option \"g\""), 1);
    EXPECT_EQ(Contexts().Video()->gop_size, 30);
    EXPECT_FALSE(SetG("packetsize", "huge"));
    EXPECT_EQ(LoggedContaining(llError, "Invalid value \"huge\" for option \"packetsize\""), 1);
    EXPECT_EQ(Contexts().SetOptions().size(), listed);

    // A name nothing declares: false, and no invalid-value line.
    ClearLines();
    EXPECT_FALSE(SetG("nosuchoption", "1"));
    EXPECT_EQ(LoggedContaining(llError, "Invalid value"), 0);
    EXPECT_EQ(Contexts().SetOptions().size(), listed);
}

TEST_F(GenericOptionTest, DebugValuesRaiseTheLoggerLevel) {
    ASSERT_EQ(GetLogger().LogLevel(), llInfo);
    ASSERT_TRUE(SetG("g", "12"));
    EXPECT_EQ(GetLogger().LogLevel(), llInfo);
    ASSERT_TRUE(SetG("debug", "pict"));
    EXPECT_EQ(GetLogger().LogLevel(), llDebug);

    Core->PrepareTask();
    GetLogger().SetLogLevel(llInfo);
    ASSERT_TRUE(SetG("fdebug", "ts"));
    EXPECT_EQ(GetLogger().LogLevel(), llDebug);
    GetLogger().SetLogLevel(llInfo);
}

TEST_F(GenericOptionTest, PrivateOptionsAreKeptAsText) {
    ASSERT_TRUE(SetG("preset", "slow"));
    ASSERT_TRUE(SetG("muxrate", "1411200"));
    const TSetGenericOption* preset = Listed("preset");
    ASSERT_NE(preset, nullptr);
    ASSERT_TRUE(preset->PrivateValue.has_value());
    EXPECT_EQ(*preset->PrivateValue, "slow");
    EXPECT_TRUE(preset->Flags & AV_OPT_FLAG_VIDEO_PARAM);
    EXPECT_TRUE(preset->SetOn & Bit(ohVideo));
    const TSetGenericOption* muxrate = Listed("muxrate");
    ASSERT_NE(muxrate, nullptr);
    EXPECT_EQ(muxrate->PrivateValue, "1411200");
    EXPECT_EQ(muxrate->SetOn, Bit(ohFormat));
}

TEST_F(GenericOptionTest, CopyByMaskOntoRealContexts) {
    ASSERT_TRUE(SetG("g", "18"));
    ASSERT_TRUE(SetG("b", "1150000"));
    ASSERT_TRUE(SetG("bufsize", "327680"));
    ASSERT_TRUE(SetG("ab", "224000"));
    ASSERT_TRUE(SetG("packetsize", "2324"));
    ASSERT_TRUE(SetG("muxrate", "1411200"));
    ASSERT_TRUE(SetG("scan_offset", "1"));
    ASSERT_TRUE(SetG("flags", "+gray"));
    ASSERT_TRUE(SetG("flags", "+psnr")); // values accumulate on the holder

    TCodecPtr video = Encoder("mpeg2video");
    ASSERT_TRUE(video);
    EXPECT_EQ(Contexts().CopyOptionsTo(video.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 0);
    EXPECT_EQ(video->gop_size, 18);
    EXPECT_EQ(video->bit_rate, 1150000);
    EXPECT_EQ(video->rc_buffer_size, 327680);
    EXPECT_EQ(video->flags & (AV_CODEC_FLAG_GRAY | AV_CODEC_FLAG_PSNR), AV_CODEC_FLAG_GRAY | AV_CODEC_FLAG_PSNR);
    EXPECT_EQ(IntOf(video.get(), "scan_offset"), 1);

    TCodecPtr audio = Encoder("mp2");
    ASSERT_TRUE(audio);
    const int audioGop = audio->gop_size;
    EXPECT_EQ(Contexts().CopyOptionsTo(audio.get(), AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 0);
    EXPECT_EQ(audio->bit_rate, 224000);
    EXPECT_EQ(audio->gop_size, audioGop);
    EXPECT_NE(audio->bit_rate, 1150000);

    TFormatPtr mux = Muxer("vcd");
    ASSERT_TRUE(mux);
    EXPECT_EQ(Contexts().CopyOptionsTo(mux.get(), AV_OPT_FLAG_ENCODING_PARAM), 0);
    EXPECT_EQ(mux->packet_size, 2324u);
    EXPECT_EQ(IntOf(mux.get(), "muxrate"), 1411200);

    // Input side: packetsize and muxrate are muxing options only.
    TFormatPtr input(avformat_alloc_context());
    EXPECT_EQ(Contexts().CopyOptionsTo(input.get(), AV_OPT_FLAG_DECODING_PARAM), 0);
    EXPECT_EQ(input->packet_size, 0u);
}

TEST_F(GenericOptionTest, CopyReportsValuesTheTargetRejects) {
    TCodecPtr x264 = Encoder("libx264");
    if (!x264)
        GTEST_SKIP() << "no libx264 encoder";
    ASSERT_TRUE(SetG("crf", "soft")); // private: checked only by the real encoder
    ASSERT_TRUE(SetG("preset", "veryfast"));
    ClearLines();
    EXPECT_EQ(Contexts().CopyOptionsTo(x264.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM), 1);
    EXPECT_EQ(LoggedContaining(llError, "Invalid value \"soft\" for option \"crf\""), 1);
    uint8_t* text = nullptr;
    ASSERT_GE(av_opt_get(x264.get(), "preset", AV_OPT_SEARCH_CHILDREN, &text), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "veryfast");
    av_free(text);
}

TEST_F(GenericOptionTest, FreeSessionDropsTheSetOptions) {
    ASSERT_TRUE(SetG("g", "40"));
    Core->FreeSession();
    EXPECT_TRUE(Contexts().SetOptions().empty());
    EXPECT_EQ(Contexts().Video()->gop_size, 12);
}
