// Runs one opened audio encoder on a thread of its own, so that reading, decoding and resampling
// the next frames overlap with encoding the previous ones. An MP3 or AAC encoder costs several
// times what the rest of an audio conversion does; on its own thread it no longer waits for them.
//
// Frames go in and packets come out in the order the encoder makes them, exactly as the
// encoder would give them on the run's thread. The run's thread keeps everything else: the
// sample FIFO, the time stamps, the packet writer. While the thread lives, nobody else may call
// the encoder's send/receive functions, flush it or close it.
//
// Thread: Send, Receive and the destructor on the run's thread; the encoder calls on the
// encoder thread.
#pragma once

#include "engine/SessionTypes.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

class TAudioEncoderThread {
public:
    // Frames waiting for the encoder before Send waits for room.
    static constexpr size_t DefaultDepth = 16;

    explicit TAudioEncoderThread(AVCodecContext* Encoder, size_t Depth = DefaultDepth);
    // Stops after the frame being encoded; frames still waiting and packets not taken are
    // dropped. The encoder stays open, in whatever state that frame left it.
    ~TAudioEncoderThread();
    TAudioEncoderThread(const TAudioEncoderThread&) = delete;
    TAudioEncoderThread& operator=(const TAudioEncoderThread&) = delete;

    // Hands over a reference to Frame, or the end of the stream (null; nothing may follow).
    // Waits while Depth frames are waiting. Raises FFmpegException("Audio encoding failed")
    // once the encoder has failed.
    void Send(const AVFrame* Frame);
    // Moves the next packet into Packet (which must be empty). Without Wait: false when none is
    // ready now. With Wait: waits for one; false once everything sent is encoded and taken.
    // Raises like Send, but only after the packets made before the failure were taken.
    bool Receive(AVPacket* Packet, bool Wait);

private:
    void Work();
    void RaiseIfFailed(std::unique_lock<std::mutex>& Lock);

    AVCodecContext* Encoder_;
    const size_t Depth_;
    std::mutex Mutex_;
    std::condition_variable WorkReady_;  // a frame or the stop for the encoder thread
    std::condition_variable Progress_;   // room for frames, packets or the end for the run
    std::deque<TFramePtr> Frames_;       // waiting; a null entry is the end of the stream
    std::deque<TPacketPtr> Packets_;     // made, not yet taken
    size_t Pending_ = 0;                 // frames sent and not yet fully encoded
    bool Failed_ = false;
    bool Stop_ = false;
    bool WaitsForRoom_ = false;          // the run's thread sleeps in Send
    bool WaitsForPacket_ = false;        // the run's thread sleeps in Receive
    std::thread Thread_;
};
