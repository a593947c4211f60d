// Helpers of the run-control and hook tests: a task set up from the shared test media, a
// recorder of end notifications, and a reader of the pictures of an output.
#pragma once

#include "TranscodeTestSupport.h"

#include "engine/CustomFFmpeg.h"
#include "engine/FFUtils.h"
#include "fixtures/Fixtures.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace runtest {

using transcodetest::TOptionList;

inline const fixtures::TFixtureSet& Media() { return fixtures::Fixtures(); }

// Prepares Core and adds Input and Output, Options stated between them. Video only, MPEG-4 at
// a fine quantiser, unless Options say otherwise.
inline void SetUpTask(TCustomFFmpeg& Core, const std::string& Input, const std::string& Output,
                      const TOptionList& Options = {}) {
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    Core.PrepareTask();
    ASSERT_TRUE(Core.AddInputFile(Input)) << Core.LastErrMsg();
    Core.SetOption("an", "1");
    Core.SetOption("vcodec", "mpeg4");
    Core.SetOption("qscale", "2");
    for (const auto& [name, value] : Options)
        Core.SetOption(name, value);
    ASSERT_GE(Core.AddOutputFile(Output, false), 0) << Core.LastErrMsg();
}

// Records the end notifications of tasks.
class TEnds {
public:
    struct TEnd {
        std::thread::id Thread;
        bool Completed = false;
        bool ErrorOccurred = false;
        std::string ErrorMessage;
        bool Running = true;
        bool Terminated = false;
    };

    void Install(TCustomFFmpeg& Core) {
        Core.TerminateCallback = [this](TCustomFFmpeg& Sender) { Record(Sender); };
    }
    void Record(TCustomFFmpeg& Sender) {
        std::lock_guard g(Lock_);
        Ends_.push_back({std::this_thread::get_id(), Sender.Completed(), Sender.ErrorOccurred(),
                         Sender.ErrorMessage(), Sender.Running(), Sender.Terminated()});
        Changed_.notify_all();
    }
    // Waits (bounded, so a fault fails instead of hanging) until Count ends were delivered.
    bool WaitFor(size_t Count) {
        std::unique_lock l(Lock_);
        return Changed_.wait_for(l, std::chrono::seconds(30), [&] { return Ends_.size() >= Count; });
    }
    size_t Count() const {
        std::lock_guard g(Lock_);
        return Ends_.size();
    }
    TEnd Last() const {
        std::lock_guard g(Lock_);
        return Ends_.empty() ? TEnd{} : Ends_.back();
    }

private:
    mutable std::mutex Lock_;
    std::condition_variable Changed_;
    std::vector<TEnd> Ends_;
};

// Waits (bounded) until Done holds, checking every millisecond.
inline bool Eventually(const std::function<bool()>& Done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Decodes every video picture of Path and hands it, in its own format, to Visit. The number of
// pictures, or -1 when the file cannot be read.
inline int ForEachPicture(const std::string& Path, const std::function<void(const AVFrame*)>& Visit) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, Path.c_str(), nullptr, nullptr) < 0)
        return -1;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0)
        return -1;
    const int index = av_find_best_stream(ic.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return -1;
    const AVCodecParameters* par = ic->streams[index]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    if (!dec || avcodec_parameters_to_context(dec.get(), par) < 0 ||
        avcodec_open2(dec.get(), codec, nullptr) < 0)
        return -1;
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(),
                                                       [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    int count = 0;
    auto receive = [&] {
        while (avcodec_receive_frame(dec.get(), frame.get()) >= 0) {
            Visit(frame.get());
            ++count;
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(ic.get(), pkt.get()) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec.get(), pkt.get()) >= 0)
            receive();
        av_packet_unref(pkt.get());
    }
    avcodec_send_packet(dec.get(), nullptr);
    receive();
    return count;
}

// The colour (B, G, R) of one pixel of every picture of Path.
inline std::vector<std::array<int, 3>> PixelOfEachPicture(const std::string& Path, int X, int Y) {
    std::vector<std::array<int, 3>> colours;
    TFrameConverter converter;
    ForEachPicture(Path, [&](const AVFrame* F) {
        if (!FrameToBitmap(converter, F))
            return;
        const uint8_t* p = converter.Bitmap->ScanLine(Y) + X * 3;
        colours.push_back({p[0], p[1], p[2]});
    });
    return colours;
}

// The number of threads of this process.
inline int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

} // namespace runtest
