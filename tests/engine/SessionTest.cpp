// Session set-up: codec look-up, opening inputs, creating outputs and their streams, join mode
// and the release of the session.
#include "OptionTestSupport.h"

#include "EngineTestSupport.h"
#include "engine/FFUtils.h"
#include "engine/OptionRecords.h"
#include "engine/SessionTypes.h"
#include "engine/UnicodeProtocol.h"
#include "fixtures/Fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/opt.h>
}

using enginetest::TTempDir;
using optiontest::TOptionTest;
using ::testing::HasSubstr;

namespace {

const fixtures::TFixtureSet& Media() { return fixtures::Fixtures(); }

std::string Tag(const AVDictionary* Dict, const char* Key) {
    const AVDictionaryEntry* e = av_dict_get(Dict, Key, nullptr, 0);
    return e != nullptr ? e->value : "<none>";
}

int64_t PrivateInt(AVFormatContext* Oc, const char* Name) {
    int64_t v = -12345;
    EXPECT_GE(av_opt_get_int(Oc, Name, AV_OPT_SEARCH_CHILDREN, &v), 0) << Name;
    return v;
}

bool Exists(const std::string& Path) { return std::filesystem::exists(Path); }

} // namespace

class SessionTest : public TOptionTest {
protected:
    void Open(const std::string& File) { ASSERT_TRUE(Core->AddInputFile(File)) << Core->LastErrMsg(); }
    // Adds an output and expects it to be accepted; the new entry.
    TOutputFileEntry& Output(const std::string& Name, bool Join = false) {
        const int n = Core->AddOutputFile(Name, Join);
        EXPECT_GT(n, 0) << Core->LastErrMsg();
        return Core->OutputEntries().at(Core->OutputEntries().size() - 1);
    }
    std::vector<TOutputStreamSetup>& Streams(int File = 0) {
        return *Core->OutputEntries().at(size_t(File)).Streams;
    }
    TTempDir Dir;
};

TEST_F(SessionTest, FindCodecTextsAndFormerEncoderNames) {
    const AVCodec* c = avcodec_find_encoder_by_name("aac");
    EXPECT_TRUE(Core->FindCodec("", AVMEDIA_TYPE_AUDIO, true, 0, c));
    EXPECT_EQ(c, nullptr);

    struct TCase {
        const char* Name;
        int Type;
        bool Encoder;
        int Strictness;
        const char* Text; // empty: accepted
    } cases[] = {
        {"nosuchcodec", AVMEDIA_TYPE_AUDIO, true, 0, "Unknown encoder 'nosuchcodec'"},
        {"nosuchcodec", AVMEDIA_TYPE_AUDIO, false, 0, "Unknown decoder 'nosuchcodec'"},
        {"libopencore_amrnb", AVMEDIA_TYPE_AUDIO, true, 0, "Unknown encoder 'libopencore_amrnb'"},
        {"libmp3lame", AVMEDIA_TYPE_VIDEO, true, 0, "Invalid encoder type 'libmp3lame'"},
        {"libmp3lame", AVMEDIA_TYPE_AUDIO, false, 0, "Unknown decoder 'libmp3lame'"},
        {"h264", AVMEDIA_TYPE_AUDIO, false, 0, "Invalid decoder type 'h264'"},
        {"sonic", AVMEDIA_TYPE_AUDIO, true, -1,
         "encoder 'sonic' is experimental and might produce bad results.\r\n"
         "Add '-strict experimental' if you want to use it."},
        {"sonic", AVMEDIA_TYPE_AUDIO, true, -2, ""},
        {"mpeg4", AVMEDIA_TYPE_VIDEO, true, 0, ""},
    };
    for (const TCase& t : cases) {
        SCOPED_TRACE(t.Name);
        if (std::string(t.Name) == "sonic" && avcodec_find_encoder_by_name("sonic") == nullptr)
            continue;
        Core->LastErrMsg() = "unchanged";
        const bool ok = Core->FindCodec(t.Name, t.Type, t.Encoder, t.Strictness, c);
        EXPECT_EQ(ok, *t.Text == 0);
        EXPECT_EQ(Core->LastErrMsg(), *t.Text ? t.Text : "unchanged");
        EXPECT_EQ(c != nullptr, ok);
    }
    // An experimental encoder whose codec has a standard one names it.
    if (avcodec_find_encoder_by_name("opus") && avcodec_find_encoder_by_name("libopus")) {
        EXPECT_FALSE(Core->FindCodec("opus", AVMEDIA_TYPE_AUDIO, true, 0, c));
        EXPECT_EQ(Core->LastErrMsg(),
                  "encoder 'opus' is experimental and might produce bad results.\r\n"
                  "Add '-strict experimental' if you want to use it.\r\n"
                  "Or use the non experimental encoder 'libopus'.");
    }

    // Names stored by older settings reach today's encoders, with a line each.
    const std::pair<const char*, const char*> former[] = {
        {"libfaac", "aac"}, {"vorbis", "libvorbis"}, {"libflac", "flac"}};
    for (const auto& [stored, current] : former) {
        SCOPED_TRACE(stored);
        ClearLines();
        ASSERT_TRUE(Core->FindCodec(stored, AVMEDIA_TYPE_AUDIO, true, 0, c)) << Core->LastErrMsg();
        EXPECT_STREQ(c->name, current);
        EXPECT_EQ(LoggedContaining(llInfo, std::string("'") + stored + "'"), 1);
    }
    // Decoders are not renamed.
    EXPECT_TRUE(Core->FindCodec("vorbis", AVMEDIA_TYPE_AUDIO, false, 0, c));
    EXPECT_STREQ(c->name, "vorbis");
}

TEST_F(SessionTest, AnInputRecordsItsStreamsAndDecoderSetups) {
    ASSERT_TRUE(Core->SetGenericOption("skip_loop_filter", "all")); // video decoding only
    Set("acodec", "mp3float");
    Set("itsoffset", "2");
    Set("ss", "0.5");
    ClearLines();
    Open(Media().AviMpeg4Mp3);
    ASSERT_TRUE(Core->SetGenericOption("skip_idct", "all")); // after the input: not for it

    const TInputFileEntry& in = Core->InputEntries().at(0);
    const AVFormatContext* ic = in.Context.get();
    ASSERT_EQ(ic->nb_streams, 2u);
    ASSERT_EQ(in.Decoders.size(), 2u);
    ASSERT_EQ(in.DecoderSetups.size(), 2u);
    EXPECT_EQ(in.Decoders[0], nullptr);
    ASSERT_NE(in.Decoders[1], nullptr);
    EXPECT_STREQ(in.Decoders[1]->name, "mp3float");

    const AVCodecContext* video = in.DecoderSetups[0].get();
    const AVCodecContext* audio = in.DecoderSetups[1].get();
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(avcodec_is_open(const_cast<AVCodecContext*>(video)), 0) << "opened only by the run";
    EXPECT_STREQ(video->codec->name, "mpeg4");
    EXPECT_EQ(audio->codec, in.Decoders[1]);
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->skip_loop_filter, AVDISCARD_ALL);
    EXPECT_EQ(video->skip_idct, AVDISCARD_DEFAULT);
    EXPECT_EQ(audio->sample_rate, 44100);
    EXPECT_EQ(video->thread_count, 0) << "automatic threads";

    const TOptionState& o = State();
    EXPECT_EQ(o.FramePixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(o.FrameRate, (TRational{25, 1}));
    EXPECT_EQ(o.AudioSampleFmt, AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(o.StartTime, 0) << "an input seek is used up";
    EXPECT_FALSE(o.AudioCodecName.has_value());
    const int64_t start = ic->start_time == AV_NOPTS_VALUE ? 0 : ic->start_time;
    EXPECT_EQ(in.TsOffset, 2000000 - (500000 + start));
    EXPECT_EQ(LoggedContaining(llInfo, "Seems stream"), 0) << "MPEG-4 in AVI has one rate";

    // H.264 counts two ticks a frame; the rates agree. With copyts the offset is kept as given.
    Set("copyts", "1");
    Set("itsoffset", "1");
    Open(Media().Mp4H264Aac);
    EXPECT_EQ(Core->InputEntries().at(1).TsOffset, 1000000);
    EXPECT_EQ(LoggedContaining(llInfo, "Seems stream"), 0);
    EXPECT_EQ(Core->InputFileCount(), 2);

    // Through the engine's own file routines for names the code page lacks.
    Open(Media().NonAscii);
    EXPECT_EQ(Core->InputFileCount(), 3);
}

TEST_F(SessionTest, RefusedInputsLeaveNoTrace) {
    Set("vcodec", "nosuchdecoder");
    Set("acodec", "mp3float");
    EXPECT_FALSE(Core->AddInputFile(Media().AviMpeg4Mp3));
    EXPECT_EQ(Core->LastErrMsg(), "Unknown decoder 'nosuchdecoder'");
    EXPECT_FALSE(State().AudioCodecName.has_value()) << "the codec names are used up";

    const std::string missing = Dir.File("missing.wav");
    EXPECT_FALSE(Core->AddInputFile(missing));
    EXPECT_EQ(Core->LastErrMsg(), missing + ": No such file or directory");

    EXPECT_FALSE(Core->AddInputFile(Media().TextFile));
    EXPECT_EQ(Core->LastErrMsg(), Media().TextFile + ": Invalid data found when processing input");

    // A name that does not fit its buffer once converted, and one that fits (in a folder of
    // plain letters: the test folder's name may hold others).
    const std::string folder = "/zelta-no-such-folder";
    const std::string longAscii = folder + "/" + std::string(2040 - folder.size(), 'a');
    EXPECT_FALSE(Core->AddInputFile(longAscii));
    EXPECT_THAT(Core->LastErrMsg(), ::testing::Not(HasSubstr("once converted")));
    const std::string longer = longAscii + "\xC3\xA9" + std::string(20, 'b');
    EXPECT_FALSE(Core->AddInputFile(longer));
    EXPECT_THAT(Core->LastErrMsg(), HasSubstr(": File name too long ("));

    // Program selection: an audio file has no programs; a transport stream has program 1.
    Core->SetProgramId(5);
    EXPECT_FALSE(Core->AddInputFile(Media().Wav));
    EXPECT_EQ(Core->LastErrMsg(), "Specified program id not found");
    EXPECT_EQ(Core->InputFileCount(), 0);

    const std::string ts = Dir.File("programs.ts");
    fixtures::TMediaSpec spec;
    spec.Format = "mpegts";
    spec.AudioEncoders = {"mp2"};
    spec.Seconds = 0.5;
    fixtures::MakeMedia(ts, spec);
    Core->SetProgramId(1);
    Open(ts);
    EXPECT_EQ(State().ProgramId, 0);
    EXPECT_NE(Core->InputFile(0)->streams[0]->discard, AVDISCARD_ALL);
}

// With video disabled before an input, its video pictures are not decoded while the input is
// opened: the pixel format (which only decoding tells) stays unknown, while the header's facts,
// the audio parameters, the file's start and length and the decoder set-ups are those of the
// full analysis. A cover picture is still analysed. Containers that make their streams while
// being read (MPEG-PS) are analysed as before.
TEST_F(SessionTest, AnInputWithVideoDisabledIsOpenedWithoutDecodingItsVideo) {
    const std::vector<std::string> files = {Media().Mp4H264Aac, Media().MpegPsMpeg2Mp2,
                                            Media().Subtitled, Media().VideoCover};
    for (const std::string& file : files)
        Open(file);
    Set("vn", "1");
    for (const std::string& file : files)
        Open(file);
    ASSERT_EQ(Core->InputFileCount(), int(2 * files.size()));
    for (size_t f = 0; f < files.size(); ++f) {
        SCOPED_TRACE(files[f]);
        const AVFormatContext* full = Core->InputFile(int(f));
        const AVFormatContext* lean = Core->InputFile(int(f + files.size()));
        EXPECT_EQ(lean->start_time, full->start_time);
        EXPECT_EQ(lean->duration, full->duration);
        ASSERT_EQ(lean->nb_streams, full->nb_streams);
        for (unsigned i = 0; i < full->nb_streams; ++i) {
            const AVStream* a = full->streams[i];
            const AVStream* b = lean->streams[i];
            const AVCodecParameters* pa = a->codecpar;
            const AVCodecParameters* pb = b->codecpar;
            EXPECT_NE(a->discard, AVDISCARD_ALL);
            if (pa->codec_type == AVMEDIA_TYPE_AUDIO) {
                EXPECT_NE(b->discard, AVDISCARD_ALL);
                EXPECT_EQ(pb->sample_rate, pa->sample_rate);
                EXPECT_EQ(pb->ch_layout.nb_channels, pa->ch_layout.nb_channels);
                EXPECT_EQ(pb->format, pa->format);
                EXPECT_EQ(pb->frame_size, pa->frame_size);
                EXPECT_EQ(b->start_time, a->start_time);
                continue;
            }
            if (pa->codec_type != AVMEDIA_TYPE_VIDEO)
                continue;
            EXPECT_EQ(b->discard, AVDISCARD_ALL);
            EXPECT_EQ(av_cmp_q(b->r_frame_rate, a->r_frame_rate), 0);
            EXPECT_NE(pa->format, AV_PIX_FMT_NONE) << "the full analysis decodes a picture";
            const bool cover = (a->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
            if (cover || files[f] == Media().MpegPsMpeg2Mp2) {
                EXPECT_EQ(pb->format, pa->format) << "analysed as before";
                EXPECT_EQ(pb->width, pa->width);
            } else {
                EXPECT_EQ(pb->format, AV_PIX_FMT_NONE) << "no picture decoded";
                // The size as the header states it; MPEG-4 Part 2 in MP4 leaves it to the
                // decoder.
                EXPECT_TRUE(pb->width == pa->width || pb->width == 0) << pb->width;
            }
            if (files[f] == Media().Mp4H264Aac) {
                EXPECT_EQ(pb->width, pa->width) << "H.264 states its size in the header";
            }
            EXPECT_EQ(pb->height == 0, pb->width == 0);
        }
        const TInputFileEntry& entry = Core->InputEntries().at(f + files.size());
        ASSERT_EQ(entry.DecoderSetups.size(), size_t(lean->nb_streams));
        for (const auto& setup : entry.DecoderSetups)
            EXPECT_NE(setup, nullptr);
    }
}

// Which streams an output gets, from its format and the open inputs.
TEST_F(SessionTest, StreamKindsFollowTheFormatAndTheInputs) {
    struct TCase {
        std::string Input; // empty: none
        std::vector<std::pair<const char*, const char*>> Options;
        const char* Output;
        std::vector<std::string> Expected; // per stream: encoder name, or "copy"
    };
    const TCase cases[] = {
        {Media().Wav, {}, "a.mp4", {"aac"}},
        {Media().AviMpeg4Mp3, {}, "b.avi", {"mpeg4", "libmp3lame"}},
        {Media().AviMpeg4Mp3, {{"vn", "1"}}, "c.avi", {"libmp3lame"}},
        {Media().AviMpeg4Mp3, {{"vcodec", "copy"}, {"acodec", "copy"}}, "d.avi", {"copy", "copy"}},
        {Media().Subtitled, {{"scodec", "srt"}, {"an", "1"}}, "e.mkv", {"libx264", "srt"}},
        {"", {}, "f.mp3", {"png", "libmp3lame"}}, // no input: the format decides
        {Media().Mp3, {{"f", "adts"}}, "g.out", {"aac"}},
    };
    for (const TCase& t : cases) {
        SCOPED_TRACE(t.Output);
        Core->PrepareTask();
        if (!t.Input.empty())
            Open(t.Input);
        for (const auto& [name, value] : t.Options)
            Set(name, value);
        TOutputFileEntry& out = Output(Dir.File(t.Output));
        ASSERT_EQ(out.Streams->size(), t.Expected.size());
        ASSERT_EQ(out.Context->nb_streams, t.Expected.size());
        for (size_t i = 0; i < t.Expected.size(); ++i) {
            const TOutputStreamSetup& s = (*out.Streams)[i];
            EXPECT_EQ(s.Stream, out.Context->streams[i]);
            EXPECT_EQ(s.StreamCopy, t.Expected[i] == "copy");
            EXPECT_EQ(s.StreamCopy ? "copy" : s.Encoder ? s.Encoder->name : "<none>", t.Expected[i]);
            EXPECT_EQ(avcodec_is_open(s.Codec.get()), 0);
        }
        EXPECT_FALSE(State().VideoStreamCopy || State().AudioStreamCopy);
    }

    // A copy stream never consults the codec name.
    Core->PrepareTask();
    Open(Media().AviMpeg4Mp3);
    Set("vcodec", "copy");
    State().VideoCodecName = "nosuchencoder";
    Set("an", "1");
    TOutputFileEntry& copy = Output(Dir.File("h.avi"));
    ASSERT_EQ(copy.Streams->size(), 1u);
    EXPECT_TRUE((*copy.Streams)[0].StreamCopy);
    EXPECT_EQ((*copy.Streams)[0].Codec->codec_type, AVMEDIA_TYPE_VIDEO);
    EXPECT_FALSE(State().VideoCodecName.has_value());

    // newaudio adds to the last output file.
    Set("acodec", "ac3");
    Set("newaudio", "");
    ASSERT_EQ(copy.Streams->size(), 2u);
    EXPECT_STREQ((*copy.Streams)[1].Encoder->name, "ac3");
    EXPECT_EQ(copy.Context->streams[1], (*copy.Streams)[1].Stream);
}

TEST_F(SessionTest, VideoStreamSettings) {
    Open(Media().AviMpeg4Mp3);
    const std::pair<const char*, const char*> options[] = {
        {"vcodec", "mpeg1video"}, {"r", "26"}, {"s", "320x240"}, {"aspect", "16:9"},
        {"pix_fmt", "rgb24"}, {"qscale", "3"}, {"rc_override", "0,10,2/20,30,-50"},
        {"bufsize", "1000000"}, {"dc", "10"}, {"psnr", "1"}, {"pass", "1"}, {"intra", "1"},
        {"vtag", "mp1v"}, {"streamid", "0:33"}, {"vlang", "eng"}, {"g", "7"}, {"b", "900000"},
        {"ab", "64000"}, {"vglobal", "3"}, {"an", "1"}};
    for (const auto& [name, value] : options)
        Set(name, value);
    std::string matrix = "9";
    for (int i = 1; i < 64; ++i)
        matrix += ",9";
    Set("intra_matrix", matrix);
    TOutputFileEntry& out = Output(Dir.File("v.mpg"));
    ASSERT_EQ(out.Streams->size(), 1u);
    const TOutputStreamSetup& s = (*out.Streams)[0];
    const AVCodecContext* c = s.Codec.get();
    EXPECT_STREQ(s.Encoder->name, "mpeg1video");
    EXPECT_EQ(c->time_base.num, 1);
    EXPECT_EQ(c->time_base.den, 25) << "the nearest rate mpeg1video supports";
    EXPECT_EQ(c->width, 320);
    EXPECT_EQ(c->height, 240);
    EXPECT_EQ(av_cmp_q(c->sample_aspect_ratio, AVRational{4, 3}), 0);
    EXPECT_EQ(av_cmp_q(s.Stream->sample_aspect_ratio, AVRational{4, 3}), 0);
    EXPECT_EQ(c->pix_fmt, AV_PIX_FMT_YUV420P) << "rgb24 is not an mpeg1video format";
    EXPECT_TRUE(c->flags & AV_CODEC_FLAG_QSCALE);
    EXPECT_EQ(c->global_quality, 3 * FF_QP2LAMBDA);
    ASSERT_EQ(c->rc_override_count, 2);
    EXPECT_EQ(c->rc_override[0].start_frame, 0);
    EXPECT_EQ(c->rc_override[0].end_frame, 10);
    EXPECT_EQ(c->rc_override[0].qscale, 2);
    EXPECT_FLOAT_EQ(c->rc_override[0].quality_factor, 1.0f);
    EXPECT_EQ(c->rc_override[1].qscale, 0);
    EXPECT_FLOAT_EQ(c->rc_override[1].quality_factor, 0.5f);
    ASSERT_NE(c->intra_matrix, nullptr);
    EXPECT_EQ(c->intra_matrix[63], 9);
    EXPECT_EQ(c->inter_matrix, nullptr);
    EXPECT_EQ(c->rc_buffer_size, 1000000);
    EXPECT_EQ(c->rc_initial_buffer_occupancy, 750000);
    EXPECT_EQ(c->intra_dc_precision, 2);
    EXPECT_TRUE(c->flags & AV_CODEC_FLAG_PSNR);
    EXPECT_TRUE(c->flags & AV_CODEC_FLAG_PASS1);
    EXPECT_EQ(c->gop_size, 0) << "intra only wins over g";
    EXPECT_EQ(c->bit_rate, 900000);
    EXPECT_EQ(c->codec_tag, MKTAG('m', 'p', '1', 'v'));
    EXPECT_TRUE(c->flags & AV_CODEC_FLAG_GLOBAL_HEADER) << "vglobal bit 0";
    EXPECT_TRUE(c->flags2 & AV_CODEC_FLAG2_LOCAL_HEADER) << "vglobal bit 1";
    EXPECT_EQ(s.Stream->id, 33);
    EXPECT_EQ(State().StreamIdMap[0], 0) << "stream ids serve one output";
    EXPECT_EQ(Tag(s.Stream->metadata, "language"), "eng");
    EXPECT_TRUE(State().VideoLanguage.empty());
    EXPECT_EQ(State().FramePixFmt, -1);

    // force_fps keeps the rate; a bad rc_override refuses the output and creates nothing.
    Set("force_fps", "1");
    Set("r", "26");
    Set("vcodec", "mpeg1video");
    Set("newvideo", "");
    EXPECT_EQ((*out.Streams)[1].Codec->time_base.den, 26);
    Set("rc_override", "0,x,2");
    EXPECT_EQ(Core->AddOutputFile(Dir.File("bad.mpg"), false), -1);
    EXPECT_EQ(Core->LastErrMsg(), "new_video_stream fail: error parsing rc_override");
    EXPECT_FALSE(Exists(Dir.File("bad.mpg")));
    EXPECT_EQ(Core->OutputFileCount(), 1);
}

TEST_F(SessionTest, AudioAndSubtitleStreamSettings) {
    Open(Media().Subtitled);
    Set("vn", "1");
    Set("acodec", "ac3");
    Set("ar", "12345");
    Set("ac", "1");
    Set("aq", "4");
    Set("atag", "abcd");
    Set("alang", "ger");
    Set("ab", "96000");
    Set("scodec", "srt");
    Set("slang", "fre");
    ClearLines();
    TOutputFileEntry& out = Output(Dir.File("a.mkv"));
    ASSERT_EQ(out.Streams->size(), 2u);
    const AVCodecContext* a = (*out.Streams)[0].Codec.get();
    EXPECT_EQ(a->sample_rate, 32000) << "the nearest rate ac3 supports";
    EXPECT_EQ(Logged(llWarning, "Requested sampling rate unsupported using closest supported (32000)"), 1);
    EXPECT_EQ(a->time_base.den, 32000);
    EXPECT_EQ(a->ch_layout.nb_channels, 1);
    AVChannelLayout mono{};
    av_channel_layout_default(&mono, 1);
    EXPECT_EQ(av_channel_layout_compare(&a->ch_layout, &mono), 0)
        << "the input's stereo layout does not fit one channel";
    EXPECT_EQ(a->sample_fmt, AV_SAMPLE_FMT_FLTP);
    EXPECT_TRUE(a->flags & AV_CODEC_FLAG_QSCALE);
    EXPECT_EQ(a->global_quality, 4 * FF_QP2LAMBDA);
    EXPECT_EQ(a->bit_rate, 96000);
    EXPECT_EQ(a->codec_tag, MKTAG('a', 'b', 'c', 'd'));
    EXPECT_TRUE(a->flags & AV_CODEC_FLAG_GLOBAL_HEADER) << "matroska wants global headers";
    EXPECT_EQ(Tag((*out.Streams)[0].Stream->metadata, "language"), "ger");
    const TOutputStreamSetup& sub = (*out.Streams)[1];
    EXPECT_STREQ(sub.Encoder->name, "srt");
    EXPECT_EQ(sub.Codec->codec_type, AVMEDIA_TYPE_SUBTITLE);
    EXPECT_EQ(Tag(sub.Stream->metadata, "language"), "fre");
    EXPECT_TRUE(State().AudioLanguage.empty() && State().SubtitleLanguage.empty());
    EXPECT_FALSE(State().AudioCodecName || State().SubtitleCodecName);

    // The input's own layout when the channel count agrees; a copy stream takes the state's.
    Core->PrepareTask();
    Open(Media().Surround51);
    Set("acodec", "copy");
    TOutputFileEntry& copy = Output(Dir.File("b.ac3"));
    EXPECT_EQ((*copy.Streams)[0].Codec->ch_layout.nb_channels, 6);
    EXPECT_EQ((*copy.Streams)[0].Codec->sample_rate, Core->InputFile(0)->streams[0]->codecpar->sample_rate);
    Set("acodec", "ac3");
    Set("newaudio", "");
    EXPECT_EQ((*copy.Streams)[1].Codec->ch_layout.u.mask, State().ChannelLayout);
}

TEST_F(SessionTest, MetadataAndMuxerSettings) {
    Open(Media().Wav);
    Set("metadata", "title=A");
    Set("metadata", "title=B");
    Set("metadata", "album=C");
    Set("timestamp", "2010-01-02 03:04:05Z");
    Set("target", "pal-vcd");
    TOutputFileEntry& vcd = Output(Dir.File("m.mpg"));
    EXPECT_EQ(Tag(vcd.Context->metadata, "title"), "A");
    EXPECT_EQ(Tag(vcd.Context->metadata, "album"), "C");
    EXPECT_EQ(Tag(vcd.Context->metadata, "creation_time"), "2010-01-02T03:04:05.000000Z");
    EXPECT_TRUE(State().Metadata.empty());
    EXPECT_STREQ(vcd.Context->oformat->name, "vcd");
    EXPECT_EQ(vcd.Context->max_delay, 700000);
    EXPECT_EQ(PrivateInt(vcd.Context, "preload"), 440000);
    EXPECT_EQ(PrivateInt(vcd.Context, "muxrate"), 1411200);
    EXPECT_EQ(vcd.Context->packet_size, 2324u);

    // The output loop count reaches the muxer that has one.
    Set("loop_output", "3");
    TOutputFileEntry& gif = Output(Dir.File("l.gif"));
    EXPECT_EQ(PrivateInt(gif.Context, "loop"), 3);
}

TEST_F(SessionTest, JoinModeServesEveryInputFromOneOutput) {
    for (const std::string* f : {&Media().Wav, &Media().Mp3, &Media().Flac})
        Open(*f);
    int64_t sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += Core->InputFile(i)->duration;
    EXPECT_EQ(Core->AddOutputFile(Dir.File("joined.wav"), true), 3);
    EXPECT_TRUE(Core->JoinMode());
    EXPECT_EQ(Core->TotalDuration, sum);
    const auto& entries = Core->OutputEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[0].Owned);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_FALSE(entries[i].Owned);
        EXPECT_EQ(entries[i].Context, entries[0].Context);
        EXPECT_EQ(entries[i].Streams, entries[0].Streams);
    }
    for (bool join : {true, false}) {
        EXPECT_EQ(Core->AddOutputFile(Dir.File("more.wav"), join), -1);
        EXPECT_EQ(Core->LastErrMsg(), "Cannot join more than one output file.");
    }
    EXPECT_EQ(Core->OutputFileCount(), 3);
    EXPECT_FALSE(Exists(Dir.File("more.wav")));
    // A stream added in join mode belongs to the one container.
    Set("newaudio", "");
    EXPECT_EQ(entries[2].Streams->size(), 2u);
    EXPECT_EQ(entries[0].Context->nb_streams, 2u);

    // Only the first input decides the kinds; one input is no join.
    Core->PrepareTask();
    Open(Media().Wav);
    Open(Media().AviMpeg4Mp3);
    EXPECT_EQ(Core->AddOutputFile(Dir.File("joined.avi"), true), 2);
    EXPECT_EQ(Streams().size(), 1u);
    EXPECT_EQ(Streams()[0].Codec->codec_type, AVMEDIA_TYPE_AUDIO);
    Core->PrepareTask();
    Open(Media().Wav);
    EXPECT_EQ(Core->AddOutputFile(Dir.File("single.wav"), true), 1);
    EXPECT_FALSE(Core->JoinMode());
}

TEST_F(SessionTest, RefusedOutputsGiveClearTextsAndTouchNoSource) {
    Open(Media().AviMpeg4Mp3);
    const std::string source = enginetest::ReadBytes(Media().AviMpeg4Mp3);

    Set("f", "nosuchformat");
    EXPECT_EQ(Core->AddOutputFile(Dir.File("x.avi"), false), -1);
    EXPECT_EQ(Core->LastErrMsg(), "Requested output format 'nosuchformat' is not a suitable output format");
    State().ForcedFormat.clear();
    EXPECT_EQ(Core->AddOutputFile(Dir.File("x.nosuchext"), false), -1);
    EXPECT_EQ(Core->LastErrMsg(), "Unable to find a suitable output format for '" + Dir.File("x.nosuchext") + "'");
    Set("vcodec", "nosuchencoder");
    EXPECT_EQ(Core->AddOutputFile(Dir.File("x.avi"), false), -1);
    EXPECT_EQ(Core->LastErrMsg(), "new_video_stream fail: Unknown encoder 'nosuchencoder'");
    Set("vcodec", "mpeg4");
    Set("acodec", "libmp3lame");

    // A folder nobody may write into, the input itself.
    std::string locked;
    if (::geteuid() != 0) {
        const std::string dir = Dir.File("locked");
        ASSERT_TRUE(std::filesystem::create_directory(dir));
        ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
        locked = dir + "/out.avi";
    } else if (Exists("/sys/kernel")) {
        locked = "/sys/zelta-session-test.avi"; // not even root may create files there
    }
    if (!locked.empty()) {
        EXPECT_EQ(Core->AddOutputFile(locked, false), -1);
        EXPECT_EQ(Core->LastErrMsg(), locked + ": Permission denied");
    }
    EXPECT_EQ(Core->AddOutputFile(Media().AviMpeg4Mp3, false), -1);
    EXPECT_EQ(Core->LastErrMsg(), Media().AviMpeg4Mp3 + ": Output file is input file #0");
    EXPECT_EQ(Core->OutputFileCount(), 0);

    // An empty file that was never opened stays; the refusals left the options for the next try.
    const std::string existing = Dir.File("existing.avi");
    enginetest::WriteBytes(existing, "");
    Set("vcodec", "nosuchencoder");
    EXPECT_EQ(Core->AddOutputFile(existing, false), -1);
    EXPECT_TRUE(Exists(existing));
    Core->FreeSession();
    EXPECT_EQ(enginetest::ReadBytes(Media().AviMpeg4Mp3), source);
}

// Outputs are written under private temporaries: only a published one with data gets its name,
// whatever was at the name stays, and the session leaves nothing else behind.
TEST_F(SessionTest, OnlyPublishedOutputsWithDataGetTheirNames) {
    Open(Media().Wav);
    const std::string empty = Dir.File("empty.wav");
    const std::string unicode = Dir.File("\xD0\xBF\xD1\x83\xD1\x81\xD1\x82\xD0\xBE.wav"); // "пусто"
    const std::string written = Dir.File("written.wav");
    const std::string folder = Dir.File("folder.wav");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string* name : {&empty, &unicode, &written, &folder}) {
        Set("acodec", "pcm_s16le");
        Output(*name);
    }
    EXPECT_FALSE(Exists(written)); // a temporary until published
    for (size_t i : {size_t(2), size_t(3)}) {
        AVIOContext* pb = Core->OutputEntries().at(i).Context->pb;
        ASSERT_NE(pb, nullptr);
        avio_write(pb, reinterpret_cast<const unsigned char*>("RIFF"), 4);
    }
    Core->PublishOutputs();
    // The folder at its name stays; that file takes the next free name.
    const std::string numbered = Dir.File("folder_(new).wav");
    EXPECT_EQ(Core->WrittenFiles(), (std::vector<std::string>{written, numbered}));
    Core->FreeSession();
    EXPECT_EQ(Core->OutputFileCount(), 0);
    EXPECT_EQ(Core->InputFileCount(), 0);
    EXPECT_FALSE(Exists(empty));
    EXPECT_FALSE(Exists(unicode));
    EXPECT_EQ(enginetest::ReadBytes(written), "RIFF");
    EXPECT_EQ(enginetest::ReadBytes(numbered), "RIFF");
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    // An unpublished output goes with the session, written or not.
    Open(Media().Wav);
    Set("acodec", "pcm_s16le");
    avio_write(Output(Dir.File("dropped.wav")).Context->pb,
               reinterpret_cast<const unsigned char*>("RIFF"), 4);
    Core->FreeSession();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()),
                            std::filesystem::directory_iterator()),
              3);

    // A name too long once converted is refused before anything is created.
    const std::string longName = Dir.Path() + "/\xC3\xA9" + std::string(2040 - Dir.Path().size(), 'a');
    if (NeedsUnicodeName(longName)) {
        EXPECT_EQ(Core->AddOutputFile(longName, false), -1);
        EXPECT_THAT(Core->LastErrMsg(), HasSubstr(": File name too long ("));
    }
}

// The option records turn a refused step into an exception carrying its reason.
TEST_F(SessionTest, RecordsRaiseTheReasonOfARefusal) {
    TInputOptions in;
    in.FileName = Dir.File("missing.mp3");
    EXPECT_EQ(Raised<FFmpegException>([&] { ApplyInputOptions(*Core, in, in.FileName); }),
              in.FileName + ": No such file or directory");
    TInputOptions wav;
    wav.FileName = Media().Wav;
    ApplyInputOptions(*Core, wav, wav.FileName);
    TOutputOptions out;
    out.FileFormat = "nosuchformat";
    EXPECT_EQ(Raised<FFmpegException>([&] { ApplyOutputOptions(*Core, out, Dir.File("o.mp3")); }),
              "Requested output format 'nosuchformat' is not a suitable output format");
    EXPECT_EQ(Core->InputFileCount(), 1);
    EXPECT_EQ(Core->OutputFileCount(), 0);
}
