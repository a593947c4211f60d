#include "effects/LayerPictures.h"

#include "engine/FFLogger.h"

#include <QByteArray>
#include <QImage>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

struct TFd {
    int Value = -1;
    ~TFd()
    {
        if (Value >= 0)
            ::close(Value);
    }
};

int64_t Nanoseconds(const timespec& Time)
{
    return int64_t(Time.tv_sec) * 1000000000 + Time.tv_nsec;
}

// The whole content of a regular file; false with the reason in Error.
bool ReadRegularFile(const std::string& FileName, QByteArray& Content, struct stat& Info,
                     std::string& Error)
{
    TFd Fd;
    Fd.Value = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (Fd.Value < 0 || ::fstat(Fd.Value, &Info) != 0) {
        Error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(Info.st_mode)) {
        Error = "not a file";
        return false;
    }
    Content.clear();
    char Buffer[65536];
    for (;;) {
        const ssize_t Got = ::read(Fd.Value, Buffer, sizeof Buffer);
        if (Got < 0) {
            if (errno == EINTR)
                continue;
            Error = std::strerror(errno);
            return false;
        }
        if (Got == 0)
            break;
        Content.append(Buffer, qsizetype(Got));
    }
    return true;
}

std::shared_ptr<TLayerPicture> DecodePictureFile(const QByteArray& Content, std::string& Error)
{
    QImage Image;
    if (!Image.loadFromData(Content) || Image.isNull()) {
        Error = "not a picture file";
        return nullptr;
    }
    auto Picture = std::make_shared<TLayerPicture>();
    TBitmap24& Bitmap = Picture->Pixels;
    const int W = Image.width(), H = Image.height();
    Bitmap.SetSize(W, H);
    if (Image.hasAlphaChannel()) {
        const QImage Argb = Image.convertToFormat(QImage::Format_ARGB32);
        if (Argb.isNull()) {
            Error = "cannot convert the picture to 24 bits per pixel";
            return nullptr;
        }
        Picture->Alpha.resize(size_t(W) * size_t(H));
        for (int Row = 0; Row < H; ++Row) {
            const QRgb* In = reinterpret_cast<const QRgb*>(Argb.constScanLine(Row));
            uint8_t* Out = Bitmap.ScanLine(Row);
            uint8_t* Cover = Picture->Alpha.data() + size_t(Row) * size_t(W);
            for (int X = 0; X < W; ++X, Out += 3) {
                Out[0] = uint8_t(qBlue(In[X]));
                Out[1] = uint8_t(qGreen(In[X]));
                Out[2] = uint8_t(qRed(In[X]));
                Cover[X] = uint8_t(qAlpha(In[X]));
            }
        }
        return Picture;
    }
    const QImage Bgr = Image.convertToFormat(QImage::Format_BGR888);
    if (Bgr.isNull()) {
        Error = "cannot convert the picture to 24 bits per pixel";
        return nullptr;
    }
    const size_t RowBytes = size_t(W) * 3;
    for (int Row = 0; Row < H; ++Row)
        std::memcpy(Bitmap.ScanLine(Row), Bgr.constScanLine(Row), RowBytes);
    return Picture;
}

}  // namespace

std::shared_ptr<TLayerPicture> LoadLayerPictureWithAlpha(const std::string& FileName,
                                                         std::string& Error)
{
    QByteArray Content;
    struct stat Info {};
    if (!ReadRegularFile(FileName, Content, Info, Error))
        return nullptr;
    return DecodePictureFile(Content, Error);
}

std::shared_ptr<TBitmap24> LoadLayerPicture(const std::string& FileName, std::string& Error)
{
    std::shared_ptr<TLayerPicture> Picture = LoadLayerPictureWithAlpha(FileName, Error);
    if (!Picture)
        return nullptr;
    return std::shared_ptr<TBitmap24>(Picture, &Picture->Pixels);
}

TLayerPictures::TLayerPictures()
    : FOnReport([this](const std::string& Message) {
          GetLogger().LogMessage(this, llWarning, Message);
      })
{
}

TLayerPictures::TLayerPictures(TReportEvent OnReport) : FOnReport(std::move(OnReport)) {}

int TLayerPictures::DecodeCount() const
{
    std::lock_guard Guard(FLock);
    return FDecodeCount;
}

void TLayerPictures::Report(const std::string& Message)
{
    if (FOnReport)
        FOnReport(Message);
}

std::shared_ptr<const TLayerPicture> TLayerPictures::Picture(const std::string& FileName)
{
    std::string Error;
    std::shared_ptr<const TLayerPicture> Result;
    bool ReportNow = false;
    {
        std::lock_guard Guard(FLock);
        TEntry& Entry = FEntries[FileName];

        struct stat Info {};
        bool Readable = ::stat(FileName.c_str(), &Info) == 0;
        TFileStamp Now;
        if (Readable) {
            Now = {Info.st_dev, Info.st_ino, Info.st_size, Nanoseconds(Info.st_mtim),
                   Nanoseconds(Info.st_ctim)};
            if (Entry.Known && Entry.Stamp == Now)
                return Entry.Bitmap; // unchanged since the last attempt, good or bad
        } else {
            Error = std::strerror(errno);
        }

        if (Readable) {
            QByteArray Content;
            struct stat Opened {};
            ++FDecodeCount;
            if (ReadRegularFile(FileName, Content, Opened, Error)) {
                // The stamp of what was actually read, so a change between stat and read is
                // caught on the next frame.
                Entry.Stamp = {Opened.st_dev, Opened.st_ino, Opened.st_size,
                               Nanoseconds(Opened.st_mtim), Nanoseconds(Opened.st_ctim)};
                Entry.Known = true;
                Entry.Bitmap = DecodePictureFile(Content, Error);
            } else {
                Entry.Known = false;
                Entry.Bitmap.reset();
            }
        } else {
            Entry.Known = false;
            Entry.Bitmap.reset();
        }

        Result = Entry.Bitmap;
        if (Result) {
            Entry.Reported = false;
        } else if (!Entry.Reported) {
            Entry.Reported = true;
            ReportNow = true;
        }
    }
    if (ReportNow)
        Report("Cannot read the watermark picture \"" + FileName + "\": " + Error +
               ". Frames that show it are left unchanged.");
    return Result;
}

}  // namespace zelta
