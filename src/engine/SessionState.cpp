#include "engine/SessionState.h"

#include <cerrno>

#include "engine/FFTypes.h"
#include "engine/FFUtils.h"
#include "engine/FFLogger.h"
#include "engine/GenericOptions.h"
#include "engine/UnicodeProtocol.h"

extern "C" {
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
}

void TBSFDeleter::operator()(AVBSFContext* c) const {
    av_bsf_free(&c);
}

TSessionState::TSessionState(const void* LogSender) : LogSender_(LogSender) {}

TSessionState::~TSessionState() = default;

// The option contexts (some 60 KB of library objects) are made on first use: a task waiting in
// a long queue has none.
TOptionContexts& TSessionState::OptionContexts() {
    if (!Contexts_)
        Contexts_ = std::make_unique<TOptionContexts>(Options_.SwsFlags);
    return *Contexts_;
}

int TSessionState::InputFileCount() const {
    return int(InputEntries_.size());
}

int TSessionState::OutputFileCount() const {
    return int(OutputEntries_.size());
}

AVFormatContext* TSessionState::InputFile(int Index) const {
    if (Index < 0 || Index >= InputFileCount())
        return nullptr;
    return InputEntries_[size_t(Index)].Context.get();
}

void TSessionState::PublishOutputs() {
    WrittenFiles_.clear();
    for (TOutputFileEntry& entry : OutputEntries_) {
        if (!entry.Safe)
            continue;
        TSafeFile& file = *entry.Safe;
        if (AVIOContext*& pb = entry.Context->pb) {
            avio_flush(pb);
            const int error = pb->error;
            UnicodeIOClose(&pb);
            if (error < 0)
                throw FFmpegException(ErrorText(file.Planned(), error));
        }
        // A file that received nothing is not left behind.
        if (file.Size() == 0) {
            file.Discard();
            continue;
        }
        if (const int e = file.Publish(entry.Replace ? TSafeFile::TPublish::Replace
                                                     : TSafeFile::TPublish::Keep);
            e != 0)
            throw FFmpegException(file.Planned() + ": the finished file cannot be given its name: " +
                                  (e == EEXIST ? "every numbered name up to " +
                                                     std::to_string(MaxNameNumber) + " is taken"
                                               : SafeWriteErrorText(e)));
        WrittenFiles_.push_back(file.Name());
    }
}

void TSessionState::AddWarning(std::string Text) {
    GetLogger().LogMessage(LogSender_, llWarning, Text);
    std::lock_guard g(WarningLock_);
    Warnings_.push_back(std::move(Text));
}

std::vector<std::string> TSessionState::Warnings() const {
    std::lock_guard g(WarningLock_);
    return Warnings_;
}

void TSessionState::AddNote(std::string Text) {
    GetLogger().LogMessage(LogSender_, llInfo, Text);
    std::lock_guard g(WarningLock_);
    Notes_.push_back(std::move(Text));
}

std::vector<std::string> TSessionState::Notes() const {
    std::lock_guard g(WarningLock_);
    return Notes_;
}

void TSessionState::ClearWarnings() {
    std::lock_guard g(WarningLock_);
    Warnings_.clear();
    Notes_.clear();
}
