// The player's per-stream packet queue: the read thread puts demultiplexed packets in, one
// decoding thread takes them out. Besides data packets it carries two markers: the flush marker
// put in after a seek (the decoder flushes on it) and the end marker (an empty packet at the end
// of the input, so that the decoder gives out its delayed pictures).
//
// Thread: any; every member takes the queue's own lock.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/packet.h>
}

namespace player {

struct TPacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;

enum class TPacketKind { Data, Flush, End };

struct TQueuedPacket {
    TPacketKind Kind = TPacketKind::Data;
    TPacketPtr Packet; // set for Data only
};

class TPacketQueue {
public:
    // Bytes counted per queued entry on top of the packet's size.
    static constexpr int64_t NodeOverhead = 72;

    TPacketQueue() = default;
    TPacketQueue(const TPacketQueue&) = delete;
    TPacketQueue& operator=(const TPacketQueue&) = delete;

    // Called (without the queue's lock) each time a consumer took an entry, so a producer that
    // waits for room can look again.
    void SetOnTaken(std::function<void()> Handler);

    // Clears the abort flag and the content and puts the flush marker in.
    void Start();
    // Appends a data packet (its data made reference-counted). False (packet freed) when the
    // packet cannot be kept or the queue is aborted.
    bool Put(TPacketPtr Packet);
    void PutFlush();
    void PutEnd();
    // Blocking: waits until an entry arrives or the queue is aborted. Results: -1 aborted,
    // 0 empty (non-blocking only), 1 an entry in Out.
    int Get(TQueuedPacket& Out, bool Block);
    // Frees every queued entry.
    void Flush();
    // Makes every waiting and later Get return -1.
    void Abort();
    bool Aborted() const;

    int Count() const;
    int64_t Size() const; // packet bytes plus NodeOverhead per entry

private:
    void Append(TQueuedPacket Item, int64_t Bytes);

    mutable std::mutex Lock_; // guards everything below
    std::condition_variable Cond_;
    std::deque<TQueuedPacket> Items_;
    int64_t Size_ = 0;
    bool Abort_ = false;
    std::function<void()> OnTaken_;
};

} // namespace player
