// The fault run: zelta-convert batches stopped at random moments by SIGKILL, SIGTERM and
// SIGINT, and pairs of runs racing into one output folder, in which foreign files and links
// were planted. Afterwards one more run goes into the folder, and the run checks what is left:
// every file under a final name decodes completely to the length of its source, no foreign
// file or link target changed, no temporary and no scratch folder is left. Prints the counts;
// exits 1 when a check failed.
//   FaultBench [--media DIR] [--batches N] [--seed S]
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "engine/SafeWrite.h"
#include "fixtures/Fixtures.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace {

// The sources: the first letter of each output name tells its source's length.
struct TSource {
    std::string Stem;
    double Seconds;
};
const TSource Sources[] = {{"a05", 0.5}, {"b10", 1.0}, {"c15", 1.5}};

std::string ReadAll(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Seconds of audio the whole file decodes to; negative when any part of it does not decode.
double DecodedSeconds(const std::string& File) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, File.c_str(), nullptr, nullptr) < 0)
        return -1;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0)
        return -1;
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(ic.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (index < 0 || codec == nullptr)
        return -1;
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    if (!dec || avcodec_parameters_to_context(dec.get(), ic->streams[index]->codecpar) < 0 ||
        avcodec_open2(dec.get(), codec, nullptr) < 0)
        return -1;
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(),
                                                       [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    int64_t samples = 0;
    bool broken = false;
    auto drain = [&] {
        int r;
        while ((r = avcodec_receive_frame(dec.get(), frame.get())) >= 0) {
            samples += frame->nb_samples;
            av_frame_unref(frame.get());
        }
        if (r != AVERROR(EAGAIN) && r != AVERROR_EOF)
            broken = true;
    };
    int r;
    while ((r = av_read_frame(ic.get(), pkt.get())) >= 0) {
        if (pkt->stream_index == index) {
            if (avcodec_send_packet(dec.get(), pkt.get()) < 0)
                broken = true;
            drain();
        }
        av_packet_unref(pkt.get());
    }
    if (r != AVERROR_EOF)
        broken = true;
    avcodec_send_packet(dec.get(), nullptr);
    drain();
    if (broken || dec->sample_rate <= 0)
        return -1;
    return double(samples) / dec->sample_rate;
}

// Waits for Pid up to Seconds; kills it when it is still there. 0 exited 0, 1 exited otherwise,
// 2 ended by a signal, 3 had to be killed.
int Reap(pid_t Pid, double Seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
    int status = 0;
    while (::waitpid(Pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            ::kill(Pid, SIGKILL);
            ::waitpid(Pid, &status, 0);
            return 3;
        }
        ::usleep(5000);
    }
    if (WIFSIGNALED(status))
        return 2;
    return WEXITSTATUS(status) == 0 ? 0 : 1;
}

int CountIf(const std::string& Folder, bool (*Pred)(const std::string&)) {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec))
        n += Pred(it->path().filename().string());
    return n;
}

bool IsTemporary(const std::string& Name) { return IsTemporaryName(Name); }
bool IsScratch(const std::string& Name) { return Name.rfind("zelta-convert-", 0) == 0; }

} // namespace

int main(int argc, char** argv) {
    const TBenchArgs args(argc, argv);
    av_log_set_level(AV_LOG_ERROR); // the decoder's notes on encoder padding are no finding
    std::string media = args.Text("--media", "bench-fault-media");
    const int batches = args.Int("--batches", 200, 1);
    std::mt19937 random(unsigned(args.Int("--seed", 29, 0)));
    fs::create_directories(media);
    media = fs::absolute(media).string();

    std::vector<std::string> inputs;
    for (const TSource& s : Sources) {
        const std::string file = media + "/" + s.Stem + ".wav";
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.Seconds = s.Seconds;
        try {
            fixtures::MakeMediaOnce(file, spec);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "cannot make the media: %s\n", e.what());
            return 1;
        }
        inputs.push_back(file);
    }
    // Folders with blanks and letters beyond ASCII, as people name them.
    const std::string out = media + "/out é";
    const std::string tmp = media + "/tmp é";
    const std::string home = media + "/home";
    const std::string victims = media + "/victims";
    for (const std::string& f : {out, tmp, victims})
        fs::remove_all(f);
    for (const std::string& f : {out, tmp, home, victims})
        fs::create_directories(f);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home, "TMPDIR=" + tmp};

    // Foreign files and links where the runs write: at names the runs would choose and at a name
    // of the temporaries' pattern.
    std::map<std::string, std::string> foreign = {{"foreign.txt", "a person's notes"},
                                                  {"a05_(new_3).mp3", "not an mp3 of ours"}};
    for (const auto& [name, text] : foreign)
        std::ofstream(out + "/" + name, std::ios::binary) << text;
    const std::map<std::string, std::string> links = {
        {"b10_(new_2).mp3", victims + "/one"}, {".c15_(new).mp3.zelta-AAAAAAAA.part", victims + "/two"}};
    for (const auto& [name, target] : links) {
        std::ofstream(target, std::ios::binary) << "victim " << name;
        fs::create_symlink(target, out + "/" + name);
    }

    std::vector<std::string> command = {ZELTA_CONVERT, "--profile", "0", "--jobs", "2", "--ext",
                                        "re=1", "--output", out};
    command.insert(command.end(), inputs.begin(), inputs.end());
    const int signals[] = {SIGKILL, SIGTERM, SIGINT};
    const char* signalNames[] = {"SIGKILL", "SIGTERM", "SIGINT"};
    int sent[3] = {}, races = 0, temporariesSeen = 0, scratchSeen = 0;
    int outcomes[4] = {}; // exited 0, exited otherwise, ended by a signal, hung and killed
    std::uniform_real_distribution<double> moment(0.0, 2.2);
    const auto began = std::chrono::steady_clock::now();
    for (int b = 0; b < batches; ++b) {
        const int which = b % 3;
        const bool race = b % 4 == 3;
        const pid_t victim = StartQuietChild(command, env);
        const pid_t rival = race ? StartQuietChild(command, env) : -1;
        races += race;
        ::usleep(useconds_t(moment(random) * 1e6));
        if (::kill(victim, signals[which]) == 0)
            ++sent[which];
        ++outcomes[Reap(victim, 30)];
        if (rival > 0)
            ++outcomes[Reap(rival, 30)];
        // What the stopped runs left for the next one to clear (the planted link not counted).
        temporariesSeen += CountIf(out, IsTemporary) - 1;
        scratchSeen += CountIf(tmp, IsScratch);
    }
    // The last batch is killed in the middle of its files for certain, so the next run below
    // finds their temporaries and its scratch folder.
    {
        const pid_t last = StartQuietChild(command, env);
        ::usleep(800000);
        ::kill(last, SIGKILL);
        Reap(last, 30);
    }
    const double faultSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    const int temporariesBefore = CountIf(out, IsTemporary) - 1; // the planted link stays
    const int scratchBefore = CountIf(tmp, IsScratch);
    const bool nextRan = RunTimed({ZELTA_CONVERT, "--profile", "0", "--output", out, inputs[0]}, env) >= 0;
    const int temporariesAfter = CountIf(out, IsTemporary) - 1;
    const int scratchAfter = CountIf(tmp, IsScratch);

    int checked = 0, whole = 0;
    std::vector<std::string> bad;
    for (const auto& e : fs::directory_iterator(out)) {
        const std::string name = e.path().filename().string();
        if (name[0] == '.' || foreign.count(name) || links.count(name))
            continue;
        ++checked;
        double expected = -1;
        for (const TSource& s : Sources)
            if (name.rfind(s.Stem + "_(new", 0) == 0)
                expected = s.Seconds;
        const double got = e.is_regular_file() ? DecodedSeconds(e.path().string()) : -1;
        // The MP3 encoder's delay and padding add up to about 0.05 s.
        if (expected > 0 && got > 0 && std::abs(got - expected) < 0.1)
            ++whole;
        else
            bad.push_back(name + " (" + std::to_string(got) + " s)");
    }
    int foreignChanged = 0;
    for (const auto& [name, text] : foreign)
        foreignChanged += ReadAll(out + "/" + name) != text;
    for (const auto& [name, target] : links) {
        std::error_code ec;
        foreignChanged += !fs::is_symlink(out + "/" + name) ||
                          fs::read_symlink(out + "/" + name, ec) != target ||
                          ReadAll(target) != "victim " + name;
    }

    std::printf("fault run: %d batches of 3 WAV files (0.5, 1, 1.5 s) -> MP3, --jobs 2, read at "
                "playing pace, %d of them racing a second run into the same folder (%.0f s)\n",
                batches, races, faultSeconds);
    for (int i = 0; i < 3; ++i)
        std::printf("  %-9s sent %4d\n", signalNames[i], sent[i]);
    std::printf("  runs: %d exited 0, %d exited with failures, %d ended by the signal, %d hung "
                "(killed after 30 s)\n",
                outcomes[0], outcomes[1], outcomes[2], outcomes[3]);
    std::printf("  files under a final name: %d, decoding whole to their length: %d\n", checked,
                whole);
    for (const std::string& b : bad)
        std::printf("    NOT whole: %s\n", b.c_str());
    std::printf("  foreign files and links changed: %d of %zu\n", foreignChanged,
                foreign.size() + links.size());
    std::printf("  temporaries found right after a batch: %d in all;"
                " after a last SIGKILL: %d, after the next run: %d\n",
                temporariesSeen, temporariesBefore, temporariesAfter);
    std::printf("  scratch folders found right after a batch: %d in all; after a last SIGKILL: %d, after "
                "the next run: %d\n",
                scratchSeen, scratchBefore, scratchAfter);
    const bool ok = nextRan && bad.empty() && foreignChanged == 0 && temporariesBefore > 0 &&
                    temporariesAfter == 0 &&
                    scratchAfter == 0 && outcomes[3] == 0;
    std::printf("  %s\n", ok ? "all checks met" : "CHECKS FAILED");
    return ok ? 0 : 1;
}
