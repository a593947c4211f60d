// Keeps the source list in the settings folder while the program runs, so that the next start
// finds it again after a normal exit as after a crash or a log-out.
//
// Every change of the list (rows added, removed or re-checked, a record edited: the model's
// signals) starts a short delay; when it has passed without another change, the list is encoded
// on the main thread (a few milliseconds for ten thousand rows) and handed to the keeper's
// writer thread, which writes it through the safe writer (a private temporary, durable, then
// renamed over the list file, which is the program's own). Only the newest text waits to be
// written: nothing queues up. Changes of the Progress column alone (a run reporting) are not
// changes of the list. A write that fails is reported once through the Failed signal until a
// write succeeds again.
//
// Thread: the object lives on the main thread; its writer thread touches nothing but the text
// it was given and the file.
#pragma once

#include "app/SourceList.h"

#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace zelta {

// Reads the list kept in File into Files (appended after its rows); rows whose file is gone are
// marked "Missing". A file that is there but does not read as a kept list is set aside as
// File + ".unreadable" (replacing an older one) so that the next write does not destroy it.
// Returns the rows appended.
int RestoreList(TSourceListModel& Files, const std::string& File);

class TListKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultDelayMs = 400;
    TListKeeper(TSourceListModel& Files, std::string File, int DelayMs = DefaultDelayMs,
                QObject* Parent = nullptr);
    // Writes a pending change before it ends.
    ~TListKeeper() override;
    TListKeeper(const TListKeeper&) = delete;
    TListKeeper& operator=(const TListKeeper&) = delete;

    // Writes the list now (when it changed since the last write) and waits until the writer is
    // done. The reason of the last failed write, "" when it was written.
    std::string Flush();
    const std::string& File() const { return FFile; }

signals:
    // The list could not be kept (Reason in a person's words, such as "the disk is full").
    void Failed(const QString& Reason);

private:
    void Changed();
    void Save();
    void WriterLoop();
    void Report(std::string Reason); // on the main thread

    TSourceListModel& FFiles;
    std::string FFile;
    QTimer FDelay;
    bool FDirty = false;

    std::mutex FLock;
    std::condition_variable FWake;
    std::condition_variable FIdle;
    std::optional<std::string> FNext; // the newest text not yet taken by the writer
    bool FWriting = false;
    bool FEnd = false;
    std::string FLastError;           // of the last write
    bool FReported = false;           // the current run of failures was reported (main thread)
    std::thread FWriter;
};

}  // namespace zelta
