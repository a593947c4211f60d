// Writes the seed corpora of the fuzz targets: one folder per target under the given folder.
// Text seeds are written here; media seeds are made through the media libraries with the test
// fixture builder. Usage: zelta-fuzz-seeds OUTPUT_FOLDER SOURCE_FOLDER
#include "fixtures/Fixtures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& Folder, const std::string& Name, const std::string& Bytes) {
    fs::create_directories(Folder);
    std::ofstream Out(Folder / Name, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), std::streamsize(Bytes.size()));
}

std::string Read(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// Arguments separated by NUL, as the argument and option targets split them.
std::string Joined(const std::vector<std::string>& Parts) {
    std::string S;
    for (const std::string& P : Parts)
        S.append(P).push_back('\0');
    return S;
}

void IniSeeds(const fs::path& Out, const fs::path& Source) {
    const fs::path D = Out / "fuzz_ini";
    Write(D, "settings.ini",
          "[settings]\nskinIndex=3\nOutPutDir=/home/u/Music\nFormatCode=1\nvolume=90\nmute=0\n"
          "[lstformat]\n0=0\n1=1\n[formatInfo1]\nparaAudioBitRate=128\niAudioBitRate=-1\n");
    Write(D, "crlf-bom.ini", "\xEF\xBB\xBF; comment\r\n[Settings]\r\n  Volume = 12 \r\n\r\n[x]\r\n");
    Write(D, "duplicates.ini", "[a]\nk=1\nk=2\n[A]\nk=3\n[b]\n=empty key\n[c\njunk line\n");
    Write(D, "catalogue.ini", Read(Source / "data" / "zeltaaudioformat.ini"));
    Write(D, "binary.ini", std::string("[s]\nk=1\n\0\xFF\xFE[t]\nv=2", 18));
}

void CatalogueSeeds(const fs::path& Out, const fs::path& Source) {
    const fs::path D = Out / "fuzz_catalogue";
    Write(D, "shipped.ini", Read(Source / "data" / "zeltaaudioformat.ini"));
    Write(D, "declared.ini",
          "[Categories]\n1=Video\n2=\n50=Last\n[formatInfo100]\nName=DVD\nFormat=dvd\nFileExt=mpg\n"
          "VideoSize=720x480,352x240\niVideoSize=1\nAudioBitRate=null\n[formatInfo5050]\nName=x\n");
}

void ArgsSeeds(const fs::path& Out) {
    const fs::path D = Out / "fuzz_args";
    Write(D, "convert", Joined({"--profile", "3", "--output", "/tmp/out", "--jobs", "2", "a.mp4"}));
    Write(D, "edits", Joined({"--trim", "1.5,2", "--crop=2,2,4,4", "--text", "Hi@10,20,1,3", "f.avi"}));
    Write(D, "ext", Joined({"--ext", "ab=128k", "--ext=ar=22050", "--", "-file"}));
    Write(D, "info", Joined({"--info", "x.mp3"}));
    Write(D, "lists", Joined({"--list-profiles"}));
    Write(D, "help", Joined({"--help", "--version"}));
}

void OptionSeeds(const fs::path& Out) {
    const fs::path D = Out / "fuzz_options";
    Write(D, "audio", Joined({"ab", "128k", "ar", "44100", "ac", "2", "acodec", "mp2"}));
    Write(D, "video", Joined({"vcodec", "mpeg4", "s", "320x240", "r", "25", "b", "800k",
                              "aspect", "4:3", "vf", "scale=100:50"}));
    Write(D, "times", Joined({"ss", "00:00:01.500", "t", "2", "itsoffset", "-1"}));
    Write(D, "maps", Joined({"map", "0:0", "map_metadata", "0:0", "metadata", "title=x"}));
    Write(D, "ext", Joined({"threads", "1"}) + "--ext--\nab=96k\r\nsample_fmt=s16\\nq=3\n");
    Write(D, "presets", Joined({"vpre", "medium", "apre", "x", "fpre", "/nonexistent"}));
}

void PresetSeeds(const fs::path& Out) {
    const fs::path D = Out / "fuzz_presets";
    Write(D, "libx264.ffpreset",
          "coder=1\nflags=+loop\ncmp=+chroma\npartitions=+parti8x8+parti4x4+partp8x8+partb8x8\n"
          "me_method=hex\nsubq=7\nme_range=16\ng=250\nkeyint_min=25\nsc_threshold=40\n"
          "i_qfactor=0.71\nb_strategy=1\nqcomp=0.6\nqmin=10\nqmax=51\nqdiff=4\nbf=3\nrefs=3\n"
          "directpred=1\ntrellis=1\nflags2=+bpyramid+mixed_refs+wpred+dct8x8+fastpskip\n");
    Write(D, "mpeg.ffpreset", "me_method=x1\r\nmbd=2\r\n\r\n  trellis=1\n");
}

void MediaSeeds(const fs::path& Out) {
    const fs::path D = Out / "fuzz_media";
    fs::create_directories(D);
    // Short and small: a mutated copy converts in milliseconds.
    struct TSeed {
        const char* Name;
        fixtures::TMediaSpec Spec;
    };
    const auto Spec = [](const char* Format, const char* Video, std::vector<std::string> Audio) {
        fixtures::TMediaSpec S;
        S.Format = Format;
        S.VideoEncoder = Video;
        S.AudioEncoders = std::move(Audio);
        S.Width = 64;
        S.Height = 48;
        S.Seconds = 0.3;
        S.SampleRate = 22050;
        S.Channels = 1;
        return S;
    };
    std::vector<TSeed> Seeds = {
        {"tone.wav", Spec("wav", "", {"pcm_s16le"})},
        {"tone.mp3", Spec("mp3", "", {"libmp3lame"})},
        {"tone.flac", Spec("flac", "", {"flac"})},
        {"clip.avi", Spec("avi", "mpeg4", {"libmp3lame"})},
        {"clip.mp4", Spec("mp4", "libx264", {"aac"})},
        {"clip.mpg", Spec("mpeg", "mpeg2video", {"mp2"})},
        {"two-audio.mkv", Spec("matroska", "", {"mp2", "aac"})},
    };
    fixtures::TMediaSpec Subtitled = Spec("matroska", "mpeg4", {"aac"});
    Subtitled.Subtitles = true;
    Subtitled.Seconds = 1.0;
    Seeds.push_back({"subtitled.mkv", Subtitled});
    for (const TSeed& S : Seeds)
        fixtures::MakeMedia((D / S.Name).string(), S.Spec);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SOURCE_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const fs::path Out = argv[1];
        const fs::path Source = argv[2];
        IniSeeds(Out, Source);
        CatalogueSeeds(Out, Source);
        ArgsSeeds(Out);
        OptionSeeds(Out);
        PresetSeeds(Out);
        MediaSeeds(Out);
    } catch (const std::exception& E) {
        std::fprintf(stderr, "zelta-fuzz-seeds: %s\n", E.what());
        return 1;
    }
    return 0;
}
