// The audio filter chain end to end: normalisation to a loudness target under a true-peak
// ceiling, album mode, fades, silence trimming and the user's "af" text, each measured on the
// decoded output by libebur128 directly.

#include "TranscodeTestSupport.h"

#include "engine/LoudnessAlbum.h"
#include "fixtures/SoundLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace transcodetest;
using fixtures::DecodeSound;
using fixtures::SoundFixture;
using fixtures::TMediaSpec;
using fixtures::TSound;
using fixtures::ToneSpec;
using fixtures::ToneAt;

namespace {

TConversion SoundJob(const std::string& Source, const std::string& Codec, const std::string& Output,
                     TOptionList Options) {
    TConversion c;
    c.Inputs = {{Source, {{"vn", "1"}}}};
    c.Options = {{"acodec", Codec}};
    c.Options.insert(c.Options.end(), Options.begin(), Options.end());
    c.Output = Output;
    return c;
}

TSound Converted(const TConversion& C, TOutcome* Outcome = nullptr) {
    const TOutcome o = Convert(C);
    EXPECT_EQ(o.Error, "");
    if (Outcome != nullptr)
        *Outcome = o;
    TSound s = DecodeSound(C.Output);
    EXPECT_EQ(s.Error, "") << C.Output;
    return s;
}

} // namespace

TEST(Normalize, QuietAndLoudTonesReachTheTarget) {
    TOutputDir dir;
    for (const double lufs : {-30.0, -8.0}) {
        SCOPED_TRACE(lufs);
        TOutcome o;
        const TSound s = Converted(SoundJob(ToneAt(lufs), "libmp3lame", dir.File("n.mp3"),
                                            {{"normalize", "-16"}}),
                                   &o);
        EXPECT_NEAR(s.Lufs(), -16.0, 0.5);
        EXPECT_TRUE(o.Logged(llInfo, FormatText("Loudness %.1f LUFS", lufs)));
        EXPECT_TRUE(o.Logged(llInfo, FormatText("gain %+.1f dB to -16.0 LUFS", -16.0 - lufs)));
        EXPECT_FALSE(o.Logged(llWarning, "held"));
        EXPECT_NEAR(s.Seconds(), 3.0, 0.06);
    }
}

TEST(Normalize, APeakHeavyFileIsHeldAtTheCeilingAndSaysSo) {
    TOutputDir dir;
    TMediaSpec spec = ToneSpec("wav", "pcm_s16le", 48000, 3.0, std::pow(10.0, -30.0 / 20.0));
    spec.BurstAmplitude = 0.9;
    const std::string source = SoundFixture("bursts_2ms.wav", spec);
    const TSound in = DecodeSound(source);
    for (const auto& [codec, ext] : {std::pair{"flac", "flac"}, std::pair{"pcm_s16le", "wav"}}) {
        SCOPED_TRACE(codec);
        TOutcome o;
        const TSound s = Converted(
            SoundJob(source, codec, dir.File(std::string("held.") + ext), {{"normalize", "-16"}}), &o);
        EXPECT_LE(s.TruePeakDb(), -1.0 + 0.05);
        EXPECT_GT(s.TruePeakDb(), -1.5);
        // Held: the level rose by the room the peak left, far below the target.
        EXPECT_NEAR(s.Lufs() - in.Lufs(), -1.0 - in.TruePeakDb(), 0.2);
        EXPECT_LT(s.Lufs(), -17.0);
        EXPECT_TRUE(o.Logged(llWarning, "Gain held to")) << "the row says so";
        EXPECT_TRUE(o.Logged(llWarning, "instead of -16.0 LUFS"));
    }
    // A lower ceiling holds it lower.
    const TSound low = Converted(SoundJob(source, "flac", dir.File("low.flac"),
                                          {{"normalize", "-16"}, {"truepeak", "-6"}}));
    EXPECT_LE(low.TruePeakDb(), -6.0 + 0.05);
    EXPECT_GT(low.TruePeakDb(), -6.5);
}

TEST(Normalize, AnAlbumKeepsTheDifferenceBetweenItsFiles) {
    TOutputDir dir;
    auto member = [](const char* Name, double Lufs, const char* Album) {
        TMediaSpec spec = ToneSpec("flac", "flac", 44100, 3.0, std::pow(10.0, Lufs / 20.0));
        spec.Metadata = {{"album", Album}, {"album_artist", "Zelta Test Band"}};
        return SoundFixture(Name, spec);
    };
    const std::string loud = member("album_loud.flac", -20, "Two Levels");
    const std::string quiet = member("album_quiet.flac", -26, "Two Levels");
    const std::string other = member("other_album.flac", -30, "Another One");
    auto album = std::make_shared<TLoudnessAlbum>(TLoudnessAlbum::TGrouping::ByTags, -16.0, -1.0,
                                                  false, false);
    TAudioSource a, b, c;
    a.Url = loud;
    b.Url = quiet;
    c.Url = other;
    const int ma = album->AddMember(a), mb = album->AddMember(b), mc = album->AddMember(c);

    // The conversions run one after the other here, the first measuring the whole album.
    std::vector<TSound> out;
    for (const auto& [source, member, name] : {std::tuple{loud, ma, "a.flac"},
                                               std::tuple{quiet, mb, "b.flac"},
                                               std::tuple{other, mc, "c.flac"}}) {
        TConversion job = SoundJob(source, "flac", dir.File(name), {{"normalize", "-16"}});
        job.BeforeOutput = [&, m = member](TCustomFFmpeg& Core) { Core.SetLoudnessAlbum(album, m); };
        out.push_back(Converted(job));
    }
    EXPECT_NEAR(out[0].Lufs() - out[1].Lufs(), 6.0, 0.2);
    // The album's mean loudness went to the target: -20 and -26 LUFS give -22.0 as one programme.
    EXPECT_NEAR(out[0].Lufs(), -16.0 + (-20.0 - (-21.96)), 0.1);
    // A file of another album is its own album, measured as alone.
    EXPECT_NEAR(out[2].Lufs(), -16.0, 0.1);
}

// With "loudness_tags" a file whose ReplayGain tags state its loudness is taken at its word (the
// tags here claim 10 dB more than the sound has, so the gain shows which was used); without it
// the file is measured.
TEST(Normalize, ReplayGainTagsSpareTheMeasuringOnlyWhenAsked) {
    TOutputDir dir;
    TMediaSpec spec = ToneSpec("flac", "flac", 44100, 2.0, std::pow(10.0, -30.0 / 20.0));
    spec.Metadata = {{"REPLAYGAIN_TRACK_GAIN", "+2.00 dB"}, {"REPLAYGAIN_TRACK_PEAK", "0.031623"}};
    const std::string source = SoundFixture("tagged_as_minus20.flac", spec);
    TOutcome o;
    const TSound tagged = Converted(SoundJob(source, "flac", dir.File("tags.flac"),
                                             {{"normalize", "-16"}, {"loudness_tags", "1"}}),
                                    &o);
    EXPECT_NEAR(tagged.Lufs(), -26.0, 0.3);
    EXPECT_TRUE(o.Logged(llInfo, "Loudness -20.0 LUFS, range 0.0 LU (from its tags): gain +4.0 dB"));
    const TSound measured =
        Converted(SoundJob(source, "flac", dir.File("measured.flac"), {{"normalize", "-16"}}));
    EXPECT_NEAR(measured.Lufs(), -16.0, 0.3);
}

TEST(Fades, InAndOutAreSilentAtTheirEndsAndWholeBeyond) {
    TOutputDir dir;
    const TSound s = Converted(SoundJob(ToneAt(-20, 4.0), "pcm_s16le", dir.File("fades.wav"),
                                        {{"fade_in", "1"}, {"fade_out", "1.5"}}));
    const double full = s.RmsDb(1.5, 2.0);
    EXPECT_NEAR(full, -23.0, 0.5);
    EXPECT_LT(s.RmsDb(0, 0.02), full - 30);       // the first 20 ms nearly silent
    EXPECT_NEAR(s.RmsDb(0.45, 0.55), full - 6, 1); // half way: half the amplitude
    EXPECT_NEAR(s.RmsDb(1.0, 1.1), full, 0.3);
    EXPECT_NEAR(s.RmsDb(2.4, 2.5), full, 0.3);
    EXPECT_NEAR(s.RmsDb(3.2, 3.3), full - 6, 1.2);
    EXPECT_LT(s.RmsDb(3.98, 4.0), full - 30);     // the last 20 ms nearly silent
    EXPECT_NEAR(s.Seconds(), 4.0, 0.01);
}

TEST(TrimSilence, CutsWithinTwentyMillisecondsOfTheSound) {
    TOutputDir dir;
    TMediaSpec spec = ToneSpec("wav", "pcm_s16le", 44100, 4.0, 0.1);
    spec.LeadingSilence = 1.2;
    spec.TrailingSilence = 0.8;
    const std::string source = SoundFixture("silence_around.wav", spec);
    for (const auto& [codec, ext] : {std::pair{"flac", "flac"}, std::pair{"libmp3lame", "mp3"}}) {
        SCOPED_TRACE(codec);
        TOutcome o;
        const TSound s = Converted(SoundJob(source, codec, dir.File(std::string("trim.") + ext),
                                            {{"trim_silence", "1"}, {"fade_in", "0.1"}}),
                                   &o);
        EXPECT_NEAR(s.Seconds(), 2.0, 0.02 + (std::string(ext) == "mp3" ? 0.03 : 0));
        EXPECT_LT(s.FirstAbove(0.001), 0.02);
        EXPECT_GT(s.LastAbove(0.001), s.Seconds() - 0.02);
        EXPECT_TRUE(o.Logged(llInfo, "Silence trimmed: 1.20 s at the start, 0.80 s at the end"));
    }
    // Shorter than half a second stays.
    spec.LeadingSilence = 0.3;
    spec.TrailingSilence = 0;
    const TSound kept = Converted(SoundJob(SoundFixture("short_silence.wav", spec), "flac",
                                           dir.File("kept.flac"), {{"trim_silence", "1"}}));
    EXPECT_NEAR(kept.Seconds(), 4.0, 0.01);
    EXPECT_NEAR(kept.FirstAbove(0.001), 0.3, 0.01);
}

TEST(AudioFilters, AFilterTextTheLibrariesCannotUseIsRefusedBeforeTheRun) {
    TCustomFFmpeg core;
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries));
    core.PrepareTask();
    try {
        core.SetOption("af", "volume=0.5,echoo=0.8");
        ADD_FAILURE() << "accepted";
    } catch (const FFmpegException& e) {
        EXPECT_STREQ(e.what(), "There is no audio filter \"echoo\"");
    }
    try {
        core.SetOption("af", "volume=loud");
        ADD_FAILURE() << "accepted";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("The audio filters \"volume=loud\" cannot be used: ", 0), 0u)
            << e.what();
    }
    EXPECT_THROW(core.SetOption("af", "hflip"), FFmpegException); // a video filter
    EXPECT_NO_THROW(core.SetOption("af", "[in]aecho=0.8:0.8:40:0.3[out]"));
    EXPECT_THROW(core.SetOption("normalize", "-80"), FFmpegException);
    EXPECT_THROW(core.SetOption("fade_in", "-1"), FFmpegException);
    core.FreeSession();
}

TEST(AudioFilters, TheUserChainWorksAcrossJoinedInputsAndAfterTheProgramsOwn) {
    TOutputDir dir;
    const std::string tone = ToneAt(-20, 2.0);
    TConversion c;
    c.Inputs = {{tone, {{"vn", "1"}}}, {tone, {{"vn", "1"}}}};
    c.Options = {{"acodec", "flac"}, {"af", "volume=-6dB"}, {"fade_out", "0.5"}};
    c.Output = dir.File("joined.flac");
    c.Join = true;
    const TSound s = Converted(c);
    EXPECT_NEAR(s.Seconds(), 4.0, 0.05);
    EXPECT_NEAR(s.RmsDb(0.5, 1.5), -23.0 - 6.0, 0.3);
    EXPECT_NEAR(s.RmsDb(2.5, 3.4), -23.0 - 6.0, 0.3); // the second input through the same chain
    EXPECT_LT(s.RmsDb(3.98, 4.0), -23 - 6 - 25);       // faded at the joined end
}
