#include "app/ListKeeper.h"

#include "app/ListStore.h"
#include "engine/SafeWrite.h"

#include <QMetaObject>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

// The whole file, or nothing when it cannot be read; Missing tells whether it is not there.
std::optional<std::string> ReadWhole(const std::string& File, bool& Missing)
{
    struct stat Info {};
    Missing = ::stat(File.c_str(), &Info) != 0 && errno == ENOENT;
    if (Missing || !S_ISREG(Info.st_mode))
        return std::nullopt;
    std::ifstream In(File, std::ios::binary);
    if (!In)
        return std::nullopt;
    std::ostringstream Text;
    Text << In.rdbuf();
    return std::move(Text).str();
}

}  // namespace

int RestoreList(TSourceListModel& Files, const std::string& File)
{
    bool Missing = false;
    const std::optional<std::string> Text = ReadWhole(File, Missing);
    if (!Text)
        return 0;
    std::vector<TListRow> Rows = DecodeList(*Text);
    if (Rows.empty() && !Text->empty() && Text->rfind("zelta-list ", 0) != 0) {
        // Not a list of ours: keep it aside rather than write over it.
        std::error_code Ec;
        fs::rename(File, File + ".unreadable", Ec);
        return 0;
    }
    const int First = Files.RowCount();
    const int Added = Files.AppendKeptRows(std::move(Rows));
    for (int Row = First; Row < First + Added; ++Row) {
        struct stat Info {};
        if (::stat(Files.Caption(Row).c_str(), &Info) != 0 && errno == ENOENT)
            Files.SetProgressMissing(Row);
    }
    return Added;
}

TListKeeper::TListKeeper(TSourceListModel& Files, std::string File, int DelayMs, QObject* Parent)
    : QObject(Parent), FFiles(Files), FFile(std::move(File))
{
    FDelay.setSingleShot(true);
    FDelay.setInterval(DelayMs);
    connect(&FDelay, &QTimer::timeout, this, &TListKeeper::Save);
    connect(&Files, &QAbstractItemModel::rowsInserted, this, &TListKeeper::Changed);
    connect(&Files, &QAbstractItemModel::rowsRemoved, this, &TListKeeper::Changed);
    connect(&Files, &QAbstractItemModel::rowsMoved, this, &TListKeeper::Changed);
    connect(&Files, &QAbstractItemModel::modelReset, this, &TListKeeper::Changed);
    connect(&Files, &QAbstractItemModel::layoutChanged, this, &TListKeeper::Changed);
    connect(&Files, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& From, const QModelIndex& To) {
                if (From.column() == colProgress && To.column() == colProgress)
                    return; // a run reporting, not a change of the list
                Changed();
            });
    FWriter = std::thread([this] { WriterLoop(); });
}

TListKeeper::~TListKeeper()
{
    Flush();
    {
        std::lock_guard<std::mutex> Hold(FLock);
        FEnd = true;
    }
    FWake.notify_all();
    FWriter.join();
}

void TListKeeper::Changed()
{
    FDirty = true;
    FDelay.start();
}

void TListKeeper::Save()
{
    FDelay.stop();
    if (!FDirty)
        return;
    FDirty = false;
    std::string Text = EncodeList(FFiles);
    {
        std::lock_guard<std::mutex> Hold(FLock);
        FNext = std::move(Text);
    }
    FWake.notify_one();
}

std::string TListKeeper::Flush()
{
    Save();
    std::unique_lock<std::mutex> Hold(FLock);
    FIdle.wait(Hold, [this] { return !FNext && !FWriting; });
    return FLastError;
}

void TListKeeper::WriterLoop()
{
    std::unique_lock<std::mutex> Hold(FLock);
    for (;;) {
        FWake.wait(Hold, [this] { return FEnd || FNext.has_value(); });
        if (!FNext) {
            if (FEnd)
                return;
            continue;
        }
        std::string Text = std::move(*FNext);
        FNext.reset();
        FWriting = true;
        Hold.unlock();
        const int Error = WriteFileSafely(FFile, Text, TSafeFile::TPublish::Replace, true);
        std::string Reason = Error == 0 ? std::string() : SafeWriteErrorText(Error);
        Hold.lock();
        FWriting = false;
        FLastError = Reason;
        // The window hears of it on the main thread.
        QMetaObject::invokeMethod(
            this, [this, Reason = std::move(Reason)]() mutable { Report(std::move(Reason)); },
            Qt::QueuedConnection);
        FIdle.notify_all();
    }
}

void TListKeeper::Report(std::string Reason)
{
    if (Reason.empty()) {
        FReported = false;
        return;
    }
    if (FReported)
        return;
    FReported = true;
    emit Failed(QString::fromStdString(Reason));
}

}  // namespace zelta
