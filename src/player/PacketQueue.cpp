#include "player/PacketQueue.h"

namespace player {

namespace {
int64_t EntryBytes(const TQueuedPacket& Item) {
    return (Item.Packet ? Item.Packet->size : 0) + TPacketQueue::NodeOverhead;
}
} // namespace

void TPacketQueue::SetOnTaken(std::function<void()> Handler) {
    std::lock_guard g(Lock_);
    OnTaken_ = std::move(Handler);
}

void TPacketQueue::Start() {
    {
        std::lock_guard g(Lock_);
        Items_.clear();
        Size_ = 0;
        Abort_ = false;
    }
    PutFlush();
}

void TPacketQueue::Append(TQueuedPacket Item, int64_t Bytes) {
    std::lock_guard g(Lock_);
    if (Abort_)
        return;
    Items_.push_back(std::move(Item));
    Size_ += Bytes;
    Cond_.notify_one();
}

bool TPacketQueue::Put(TPacketPtr Packet) {
    if (!Packet || av_packet_make_refcounted(Packet.get()) < 0)
        return false;
    TQueuedPacket item{TPacketKind::Data, std::move(Packet)};
    const int64_t bytes = EntryBytes(item);
    std::lock_guard g(Lock_);
    if (Abort_)
        return false;
    Items_.push_back(std::move(item));
    Size_ += bytes;
    Cond_.notify_one();
    return true;
}

void TPacketQueue::PutFlush() { Append(TQueuedPacket{TPacketKind::Flush, nullptr}, NodeOverhead); }

void TPacketQueue::PutEnd() { Append(TQueuedPacket{TPacketKind::End, nullptr}, NodeOverhead); }

int TPacketQueue::Get(TQueuedPacket& Out, bool Block) {
    std::function<void()> taken;
    {
        std::unique_lock l(Lock_);
        if (Block)
            Cond_.wait(l, [this] { return Abort_ || !Items_.empty(); });
        if (Abort_)
            return -1;
        if (Items_.empty())
            return 0;
        Out = std::move(Items_.front());
        Items_.pop_front();
        Size_ -= EntryBytes(Out);
        taken = OnTaken_;
    }
    if (taken)
        taken();
    return 1;
}

void TPacketQueue::Flush() {
    std::deque<TQueuedPacket> gone;
    {
        std::lock_guard g(Lock_);
        gone.swap(Items_);
        Size_ = 0;
    }
}

void TPacketQueue::Abort() {
    std::lock_guard g(Lock_);
    Abort_ = true;
    Cond_.notify_all();
}

bool TPacketQueue::Aborted() const {
    std::lock_guard g(Lock_);
    return Abort_;
}

int TPacketQueue::Count() const {
    std::lock_guard g(Lock_);
    return int(Items_.size());
}

int64_t TPacketQueue::Size() const {
    std::lock_guard g(Lock_);
    return Size_;
}

} // namespace player
