#include "engine/AudioEncoderThread.h"

#include "engine/FFUtils.h"

#include <new>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

TAudioEncoderThread::TAudioEncoderThread(AVCodecContext* Encoder, size_t Depth)
    : Encoder_(Encoder), Depth_(Depth > 0 ? Depth : 1), Thread_([this] { Work(); }) {}

TAudioEncoderThread::~TAudioEncoderThread() {
    {
        std::lock_guard lock(Mutex_);
        Stop_ = true;
    }
    WorkReady_.notify_one();
    Thread_.join();
}

void TAudioEncoderThread::RaiseIfFailed(std::unique_lock<std::mutex>& Lock) {
    if (!Failed_)
        return;
    Lock.unlock();
    throw FFmpegException("Audio encoding failed");
}

void TAudioEncoderThread::Send(const AVFrame* Frame) {
    TFramePtr copy;
    if (Frame != nullptr) {
        copy.reset(av_frame_clone(Frame));
        if (!copy)
            throw FFmpegException("Out of memory in do_audio_out");
    }
    std::unique_lock lock(Mutex_);
    RaiseIfFailed(lock);
    if (Frames_.size() >= Depth_) {
        // Waking on every frame the encoder takes would cost a switch per frame; half the
        // queue keeps it busy just as well.
        WaitsForRoom_ = true;
        Progress_.wait(lock, [&] { return Failed_ || Frames_.size() <= Depth_ / 2; });
        WaitsForRoom_ = false;
        RaiseIfFailed(lock);
    }
    Frames_.push_back(std::move(copy));
    ++Pending_;
    lock.unlock();
    WorkReady_.notify_one();
}

bool TAudioEncoderThread::Receive(AVPacket* Packet, bool Wait) {
    std::unique_lock lock(Mutex_);
    if (Wait && Packets_.empty() && Pending_ > 0 && !Failed_) {
        WaitsForPacket_ = true;
        Progress_.wait(lock, [&] { return !Packets_.empty() || Pending_ == 0 || Failed_; });
        WaitsForPacket_ = false;
    }
    if (Packets_.empty()) {
        RaiseIfFailed(lock);
        return false;
    }
    TPacketPtr next = std::move(Packets_.front());
    Packets_.pop_front();
    lock.unlock();
    av_packet_move_ref(Packet, next.get());
    return true;
}

void TAudioEncoderThread::Work() {
    std::unique_lock lock(Mutex_);
    for (;;) {
        WorkReady_.wait(lock, [&] { return Stop_ || !Frames_.empty(); });
        if (Stop_)
            return;
        TFramePtr frame = std::move(Frames_.front());
        Frames_.pop_front();
        lock.unlock();

        const bool end = !frame;
        bool failed = false;
        std::deque<TPacketPtr> made;
        const int sent = avcodec_send_frame(Encoder_, frame.get());
        frame.reset();
        if (sent < 0 && !(end && sent == AVERROR_EOF))
            failed = true;
        try {
            while (!failed) {
                TPacketPtr packet(av_packet_alloc());
                if (!packet) {
                    failed = true;
                    break;
                }
                const int r = avcodec_receive_packet(Encoder_, packet.get());
                if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                    break;
                if (r < 0)
                    failed = true;
                else
                    made.push_back(std::move(packet));
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }

        lock.lock();
        const bool madeAny = !made.empty();
        for (TPacketPtr& p : made)
            Packets_.push_back(std::move(p));
        --Pending_;
        Failed_ = Failed_ || failed;
        const bool wake = failed ||
                          (WaitsForRoom_ && Frames_.size() <= Depth_ / 2) ||
                          (WaitsForPacket_ && (madeAny || Pending_ == 0));
        if (wake)
            Progress_.notify_one();
        // Nothing follows the end of the stream, and an encoder that failed gets no more.
        if (end || failed)
            return;
    }
}
