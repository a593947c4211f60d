// zelta-convert run as a program: every shipped profile on a video and an audio source (the
// results read back with the project's probe), a text watermark found in the output picture at
// its place and only in its seconds, the informational actions, wrong command lines, failures
// named and no partial output left behind.
#include "app/AppPaths.h"
#include "app/FormatCatalogue.h"
#include "app/IniFile.h"
#include "engine/FFmpegLoader.h"
#include "cli/CliTestSupport.h"
#include "fixtures/Fixtures.h"
#include "probe/AVProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libswscale/swscale.h>
}

extern char** environ;

namespace fs = std::filesystem;
using namespace clitest;

namespace {

// ---- media ----

// The shipped catalogue (copied beside the programs by the build).
zelta::TIniFile Catalogue() { return zelta::TIniFile(zelta::JoinPath(zelta::ProgramFolder(), zelta::CatalogueFileName)); }

std::vector<int> ShippedProfiles()
{
    std::vector<int> Codes;
    for (const zelta::TFormatProfile& P : zelta::ListFormatProfiles(zelta::ReadFormatCatalogue(Catalogue())))
        Codes.push_back(P.Code);
    return Codes;
}

// The decoded pictures of a file's first video stream as 8-bit luma, with their times.
struct TGreyFrame {
    double Time = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Luma;
    int At(int X, int Y) const { return Luma[size_t(Y) * size_t(Width) + size_t(X)]; }
};

std::vector<TGreyFrame> DecodeLuma(const std::string& File)
{
    std::vector<TGreyFrame> Frames;
    AVFormatContext* Raw = nullptr;
    if (avformat_open_input(&Raw, File.c_str(), nullptr, nullptr) < 0)
        return Frames;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> Ic(
        Raw, [](AVFormatContext* C) { avformat_close_input(&C); });
    if (avformat_find_stream_info(Ic.get(), nullptr) < 0)
        return Frames;
    const int Index = av_find_best_stream(Ic.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (Index < 0)
        return Frames;
    const AVStream* St = Ic->streams[Index];
    const AVCodec* Codec = avcodec_find_decoder(St->codecpar->codec_id);
    if (Codec == nullptr)
        return Frames;
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> Dec(
        avcodec_alloc_context3(Codec), [](AVCodecContext* C) { avcodec_free_context(&C); });
    if (!Dec || avcodec_parameters_to_context(Dec.get(), St->codecpar) < 0 ||
        avcodec_open2(Dec.get(), Codec, nullptr) < 0)
        return Frames;
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> Pkt(av_packet_alloc(),
                                                       [](AVPacket* P) { av_packet_free(&P); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> Frame(av_frame_alloc(),
                                                       [](AVFrame* F) { av_frame_free(&F); });
    std::unique_ptr<SwsContext, void (*)(SwsContext*)> Sws(nullptr, sws_freeContext);
    auto Receive = [&] {
        while (avcodec_receive_frame(Dec.get(), Frame.get()) >= 0) {
            TGreyFrame G;
            G.Width = Frame->width;
            G.Height = Frame->height;
            G.Time = Frame->best_effort_timestamp == AV_NOPTS_VALUE
                         ? -1
                         : double(Frame->best_effort_timestamp) * av_q2d(St->time_base);
            Sws.reset(sws_getCachedContext(Sws.release(), G.Width, G.Height,
                                           AVPixelFormat(Frame->format), G.Width, G.Height,
                                           AV_PIX_FMT_GRAY8, SWS_POINT, nullptr, nullptr,
                                           nullptr));
            if (!Sws)
                return;
            G.Luma.resize(size_t(G.Width) * size_t(G.Height));
            uint8_t* Dst[4] = {G.Luma.data(), nullptr, nullptr, nullptr};
            int DstStride[4] = {G.Width, 0, 0, 0};
            sws_scale(Sws.get(), Frame->data, Frame->linesize, 0, G.Height, Dst, DstStride);
            Frames.push_back(std::move(G));
            av_frame_unref(Frame.get());
        }
    };
    while (av_read_frame(Ic.get(), Pkt.get()) >= 0) {
        if (Pkt->stream_index == Index && avcodec_send_packet(Dec.get(), Pkt.get()) >= 0)
            Receive();
        av_packet_unref(Pkt.get());
    }
    avcodec_send_packet(Dec.get(), nullptr);
    Receive();
    return Frames;
}

// Mean absolute luma difference of two frames over a rectangle.
double MeanDifference(const TGreyFrame& A, const TGreyFrame& B, int X0, int Y0, int X1, int Y1)
{
    double Sum = 0;
    for (int Y = Y0; Y < Y1; ++Y)
        for (int X = X0; X < X1; ++X)
            Sum += std::abs(A.At(X, Y) - B.At(X, Y));
    return Sum / double((X1 - X0) * (Y1 - Y0));
}

// Short sources of their own, made once per test program: a 1-second H.264/AAC video and a
// 1-second WAV keep the profile matrix affordable.
struct TSources {
    std::string Video;
    std::string Audio;
    std::string LongVideo; // 3 s, for the watermark seconds
};

class Cli : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Media = std::make_unique<TTemp>();
        fixtures::TMediaSpec V;
        V.Format = "mp4";
        V.VideoEncoder = "libx264";
        V.AudioEncoders = {"aac"};
        V.Seconds = 1.0;
        Sources.Video = Media->File("clip.mp4");
        fixtures::MakeMedia(Sources.Video, V);
        V.Seconds = 3.0;
        Sources.LongVideo = Media->File("three.mp4");
        fixtures::MakeMedia(Sources.LongVideo, V);
        fixtures::TMediaSpec A;
        A.Format = "wav";
        A.AudioEncoders = {"pcm_s16le"};
        A.Seconds = 1.0;
        Sources.Audio = Media->File("tone.wav");
        fixtures::MakeMedia(Sources.Audio, A);
    }
    static void TearDownTestSuite() { Media.reset(); }

    TRun Run(const std::vector<std::string>& Arguments)
    {
        return TProcess(Arguments, Home(), Dir.File("run")).Wait();
    }
    std::string Home()
    {
        const std::string H = Dir.File("home");
        fs::create_directories(H);
        return H;
    }

    static inline std::unique_ptr<TTemp> Media;
    static inline TSources Sources;
    TTemp Dir;
};

class CliProfile : public Cli, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(CliProfile, ConvertsAVideoAndAnAudioSource)
{
    const int Code = GetParam();
    const std::string Out = Dir.File("out");
    const TRun R = Run({"--profile", std::to_string(Code), "--jobs", "2", "--output", Out,
                        Sources.Video, Sources.Audio});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find("2 of 2 files converted, 0 failed"), std::string::npos) << R.Err;

    const std::string Ext = zelta::CatalogueFileExt(Catalogue(), Code);
    const bool AudioProfile = zelta::CategoryOfFormatCode(Code) == zelta::AudioCategory;
    for (const std::string& Source : {Sources.Video, Sources.Audio}) {
        const bool HasVideo = Source == Sources.Video;
        const std::string File = Out + "/" + fs::path(Source).stem().string() + "_(new)." + Ext;
        SCOPED_TRACE(File);
        const TProbed P = Probe(File);
        ASSERT_TRUE(P.Opened) << P.Error;
        EXPECT_GE(P.Audio, 1);
        EXPECT_EQ(P.Video, AudioProfile || !HasVideo ? 0 : 1);
        // The whole second is there: no early end, no padding to a multiple of some frame.
        EXPECT_NEAR(P.Seconds, 1.0, 0.35);
    }
    // Nothing else was written.
    EXPECT_EQ(std::distance(fs::directory_iterator(Out), fs::directory_iterator()), 2);
}

INSTANTIATE_TEST_SUITE_P(Shipped, CliProfile, ::testing::ValuesIn(ShippedProfiles()),
                         [](const ::testing::TestParamInfo<int>& I) {
                             return "Profile" + std::to_string(I.param);
                         });

namespace {

// The container tags and the number of cover pictures of a file.
std::pair<std::map<std::string, std::string>, int> TagsAndCovers(const std::string& File)
{
    std::map<std::string, std::string> Tags;
    int Covers = 0;
    AVFormatContext* Ic = nullptr;
    if (avformat_open_input(&Ic, File.c_str(), nullptr, nullptr) < 0)
        return {Tags, -1};
    const AVDictionaryEntry* E = nullptr;
    while ((E = av_dict_get(Ic->metadata, "", E, AV_DICT_IGNORE_SUFFIX)))
        Tags[E->key] = E->value;
    for (unsigned I = 0; I < Ic->nb_streams; ++I)
        Covers += (Ic->streams[I]->disposition & AV_DISPOSITION_ATTACHED_PIC) ? 1 : 0;
    avformat_close_input(&Ic);
    return {Tags, Covers};
}

}  // namespace

TEST_F(Cli, TagsAreKeptUnlessRefusedAndLoudnessTagsOnRequest)
{
    const std::string Source = fixtures::Fixtures().TaggedCover;
    const std::string Out = Dir.File("out");
    const std::string File = Out + "/" + fs::path(Source).stem().string() + "_(new).flac";
    TRun R = Run({"--profile", "7", "--output", Out, Source});
    ASSERT_EQ(R.Status, 0) << R.Err;
    auto [Tags, Covers] = TagsAndCovers(File);
    EXPECT_EQ(Tags["title"], "Fixture Tone");
    EXPECT_EQ(Tags["album_artist"], "Zelta Test Orchestra");
    EXPECT_EQ(Tags.count("REPLAYGAIN_TRACK_GAIN"), 0u);
    EXPECT_EQ(Covers, 1);

    fs::remove(File);
    R = Run({"--profile", "7", "--no-tags", "--replaygain", "--output", Out, Source});
    ASSERT_EQ(R.Status, 0) << R.Err;
    std::tie(Tags, Covers) = TagsAndCovers(File);
    EXPECT_EQ(Tags.count("title"), 0u);
    EXPECT_EQ(Covers, 0);
    EXPECT_EQ(Tags.count("REPLAYGAIN_TRACK_GAIN"), 1u);
    EXPECT_EQ(Tags.count("REPLAYGAIN_TRACK_PEAK"), 1u);
    // The flags hold for the run only.
    EXPECT_FALSE(fs::exists(zelta::JoinPath(Home(), zelta::SettingsFileName)) &&
                 ReadAll(zelta::JoinPath(Home(), zelta::SettingsFileName)).find("KeepTags") !=
                     std::string::npos);

    R = Run({"--info", Source});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Out.find("Tags carried:\n  title         : Fixture Tone\n"), std::string::npos) << R.Out;
    EXPECT_NE(R.Out.find("  composer      : A. Fixture\n"), std::string::npos);
    EXPECT_NE(R.Out.find("  cover         : " + std::to_string(fixtures::CoverPicture().size()) + " bytes"),
              std::string::npos);
}

TEST_F(Cli, TextWatermarkAppearsAtItsPlaceOnlyInItsSeconds)
{
    const std::string Plain = Dir.File("plain");
    const std::string Marked = Dir.File("marked");
    ASSERT_EQ(Run({"--profile", "100", "--output", Plain, Sources.LongVideo}).Status, 0);
    const TRun R = Run({"--profile", "100", "--output", Marked, "--text", "ZELTA@40,60,1,1",
                        Sources.LongVideo});
    ASSERT_EQ(R.Status, 0) << R.Err;

    const std::vector<TGreyFrame> A = DecodeLuma(Plain + "/three_(new).mp4");
    const std::vector<TGreyFrame> B = DecodeLuma(Marked + "/three_(new).mp4");
    ASSERT_EQ(A.size(), B.size());
    ASSERT_GE(A.size(), 60u);
    int Shown = 0, Hidden = 0;
    for (size_t I = 0; I < A.size(); ++I) {
        ASSERT_EQ(A[I].Time, B[I].Time);
        const double T = A[I].Time;
        // Letters of 21 pixels from (40, 60); a far corner of the picture is never touched.
        const double Inside = MeanDifference(A[I], B[I], 40, 62, 100, 80);
        const double Far = MeanDifference(A[I], B[I], 200, 150, 300, 230);
        SCOPED_TRACE("t=" + std::to_string(T));
        EXPECT_LT(Far, 3.0);
        if (T > 1.1 && T < 1.9) {
            EXPECT_GT(Inside, 20.0);
            ++Shown;
        } else if (T < 0.9 || T > 2.1) {
            EXPECT_LT(Inside, 3.0);
            ++Hidden;
        }
    }
    EXPECT_GE(Shown, 15);
    EXPECT_GE(Hidden, 40);
}

TEST_F(Cli, ListProfilesInPickerOrder)
{
    const TRun R = Run({"--list-profiles"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    std::string Expected;
    for (const zelta::TFormatProfile& P : zelta::ListFormatProfiles(zelta::ReadFormatCatalogue(Catalogue())))
        Expected += std::to_string(P.Code) + "\t" + P.Name + "\n";
    EXPECT_EQ(R.Out, Expected);
    EXPECT_EQ(R.Out.substr(0, 33), "0\tMP3 MPEG Layer-3 Audio (*.mp3)\n");
}

TEST_F(Cli, InfoHelpAndVersion)
{
    const TRun I = Run({"--info", Sources.Video});
    ASSERT_EQ(I.Status, 0) << I.Err;
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries));
    TAVProbe P;
    ASSERT_TRUE(P.Open(Sources.Video));
    std::string Text;
    ASSERT_TRUE(P.GetInfoText(Text));
    EXPECT_EQ(I.Out, Text + "\nAudio tracks:\n  1: no language, aac, 2 channels (default)\n"
                            "Tags carried: none\n");

    EXPECT_EQ(Run({"--info", Dir.File("missing.mp4")}).Status, 1);

    const TRun H = Run({"--help"});
    EXPECT_EQ(H.Status, 0);
    EXPECT_EQ(H.Out.rfind("Usage: zelta-convert", 0), 0u);
    const TRun V = Run({"--version"});
    EXPECT_EQ(V.Status, 0);
    EXPECT_EQ(V.Out.rfind("zelta-convert 2.", 0), 0u) << V.Out;
}

TEST_F(Cli, WrongArgumentsExitTwoWithUsage)
{
    for (const std::vector<std::string>& Arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"--jobs", "0", Sources.Audio},
                                               {"--bogus", Sources.Audio},
                                               {"--profile", "999", Sources.Audio},
                                               {"--crop", "1,2", Sources.Audio}}) {
        const TRun R = Run(Arguments);
        EXPECT_EQ(R.Status, 2) << R.Err;
        EXPECT_NE(R.Err.find("Usage: zelta-convert"), std::string::npos) << R.Err;
        EXPECT_TRUE(R.Out.empty());
    }
    EXPECT_FALSE(fs::exists(Home() + "/videoconverter")); // nothing was converted
}

TEST_F(Cli, AnOutputFolderThatCannotBeCreatedIsAnError)
{
    const std::string Blocker = Home() + "/blocker";
    { std::ofstream(Blocker) << "a file, not a folder"; }
    const TRun R = Run({"--profile", "4", "--output", Blocker + "/out", Sources.Audio});
    EXPECT_EQ(R.Status, 2) << R.Err;
    EXPECT_NE(R.Err.find("cannot create the output folder " + Blocker + "/out"), std::string::npos)
        << R.Err;
    // Nothing went to the default folder instead.
    EXPECT_FALSE(fs::exists(Home() + "/videoconverter"));
}

TEST_F(Cli, StoredSettingsAreTheDefaultsAndStayUnchanged)
{
    const std::string Out = Dir.File("stored");
    const std::string Ini = Home() + "/zeltavideoaudioconverter.ini";
    const std::string Content = "[settings]\nFormatCode=4\nOutPutDir=" + Out + "\n";
    {
        std::ofstream(Ini) << Content;
    }
    const TRun R = Run({Sources.Audio, Sources.Audio});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_TRUE(fs::is_regular_file(Out + "/tone_(new).wav"));
    // A second run numbers its output.
    ASSERT_EQ(Run({Sources.Audio}).Status, 0);
    EXPECT_TRUE(fs::is_regular_file(Out + "/tone_(new_1).wav"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Out), fs::directory_iterator()), 2);
    // --profile and --output do not become the stored choice.
    ASSERT_EQ(Run({"--profile", "0", "--output", Dir.File("other"), Sources.Audio}).Status, 0);
    EXPECT_EQ(ReadAll(Ini), Content);
}

TEST_F(Cli, FailuresAreNamedAndTheOthersStillConvert)
{
    const std::string Out = Dir.File("out");
    const std::string Missing = Dir.File("missing.wav");
    const std::string NotMedia = Dir.File("notes.mp3");
    {
        std::ofstream(NotMedia) << "plain text, not a sound";
    }
    // A film without a sound track has nothing for an audio profile.
    const std::string Silent = Dir.File("silent film.mp4");
    fixtures::TMediaSpec V;
    V.Format = "mp4";
    V.VideoEncoder = "mpeg4";
    V.Seconds = 0.5;
    fixtures::MakeMedia(Silent, V);
    const TRun R =
        Run({"--profile", "0", "--output", Out, Missing, Sources.Audio, NotMedia, Silent});
    EXPECT_EQ(R.Status, 1);
    EXPECT_NE(R.Err.find("failed: " + Missing + ": no such file"), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("failed: " + NotMedia), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("failed: " + Silent + ": has no sound to convert\n"), std::string::npos)
        << R.Err;
    EXPECT_NE(R.Err.find("1 of 4 files converted, 3 failed"), std::string::npos) << R.Err;
    EXPECT_TRUE(fs::is_regular_file(Out + "/tone_(new).mp3"));
}

TEST_F(Cli, StoppedConversionLeavesNoPartialOutput)
{
    // Read at the pace it plays ("re"), a 20 s source converts for 20 s.
    fixtures::TMediaSpec Spec;
    Spec.Format = "wav";
    Spec.AudioEncoders = {"pcm_s16le"};
    Spec.Seconds = 20;
    const std::string Long = Dir.File("long.wav");
    fixtures::MakeMedia(Long, Spec);
    const std::string Out = Dir.File("out");

    TProcess P({"--profile", "0", "--ext", "re=1", "--output", Out, Long}, Home(),
               Dir.File("stop"));
    // Stop it once it has written something; nothing carries the final name meanwhile.
    ASSERT_TRUE(WaitForWrittenTemporary(Out));
    EXPECT_FALSE(fs::exists(Out + "/long_(new).mp3"));
    P.Signal(SIGINT);
    const TRun R = P.Wait();
    EXPECT_EQ(R.Status, 1) << R.Err;
    EXPECT_NE(R.Err.find("failed: " + Long), std::string::npos) << R.Err;
    EXPECT_TRUE(fs::is_empty(Out)) << "a partial output or its temporary was left";
}

// The disk fills while the first file converts (a file size limit on the program): that file
// fails with the system's reason and leaves nothing behind, and the next one still converts.
TEST_F(Cli, AFullDiskFailsThatFileAloneAndLeavesNoPartialOutput)
{
    fixtures::TMediaSpec Spec;
    Spec.Format = "wav";
    Spec.AudioEncoders = {"pcm_s16le"};
    Spec.Seconds = 20; // about 320 kB as MP3, the limit is 128 kB; the 1 s tone stays below it
    const std::string Big = Dir.File("big.wav");
    fixtures::MakeMedia(Big, Spec);
    const std::string Out = Dir.File("out");
    const TRun R =
        TProcess({"--profile", "0", "--output", Out, Big, Sources.Audio}, Home(), Dir.File("full"),
                 128 * 1024)
            .Wait();
    EXPECT_EQ(R.Status, 1) << R.Err;
    EXPECT_NE(R.Err.find("failed: " + Big), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("File too large"), std::string::npos) << R.Err;
    EXPECT_NE(R.Err.find("1 of 2 files converted, 1 failed"), std::string::npos) << R.Err;
    EXPECT_FALSE(fs::exists(Out + "/big_(new).mp3"));
    const TProbed Tone = Probe(Out + "/tone_(new).mp3");
    ASSERT_TRUE(Tone.Opened) << Tone.Error;
    EXPECT_NEAR(Tone.Seconds, 1.0, 0.2);
}

// A damaged settings file is named, the run uses the defaults, and the file stays as it was.
TEST_F(Cli, ADamagedSettingsFileIsNamedAndLeftAlone)
{
    const std::string Ini = Home() + "/zeltavideoaudioconverter.ini";
    const std::string Junk("[settings]\nFormatCode=4\n\0\0\x7F\x01garbage", 35);
    {
        std::ofstream(Ini, std::ios::binary) << Junk;
    }
    const std::string Out = Dir.File("out");
    const TRun R = Run({"--output", Out, Sources.Audio});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Err.find(Ini + " cannot be used (it is not a text file); using defaults"),
              std::string::npos) << R.Err;
    // The default profile (AAC, code 1), not the code 4 (WAV) of the damaged file.
    EXPECT_TRUE(fs::is_regular_file(Out + "/tone_(new).aac")) << R.Err;
    EXPECT_EQ(ReadAll(Ini), Junk);
}

namespace {

// A library file planted in the folder the program is started from must never be loaded in
// place of the real one: the program's library search path holds only its own LibAV folder.
TEST(CliLibraries, ALibraryInTheCurrentFolderIsNeverLoaded)
{
    TTemp Planted;
    for (const char* Name : {"libavformat.so.59", "libavcodec.so.59", "libavutil.so.57",
                             "libSDL2-2.0.so.0"}) {
        std::ofstream(Planted.File(Name)) << "not a library\n";
    }
    const std::string Command = "cd '" + Planted.File("") + "' && '" ZELTA_CONVERT
                                "' --version >/dev/null 2>&1";
    const int Status = std::system(Command.c_str());
    ASSERT_TRUE(WIFEXITED(Status));
    EXPECT_EQ(WEXITSTATUS(Status), 0) << "the program loaded a planted library";
}

} // namespace
