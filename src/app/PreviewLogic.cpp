#include "app/PreviewLogic.h"

#include "app/AppPaths.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "engine/SafeWrite.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zelta {

namespace {

int RoundHalfEven(double Value) { return int(std::nearbyint(Value)); }

// Creates Folder with its parents; false with Reason when it cannot be had as a folder.
bool EnsureFolder(const std::string& Folder, std::string& Reason) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(Folder);
    if (fs::is_directory(path, ec))
        return true;
    if (fs::exists(path, ec)) {
        Reason = TrText("PreviewLogic", "not a folder");
        return false;
    }
    fs::create_directories(path, ec);
    if (ec) {
        Reason = ec.message();
        return false;
    }
    if (!fs::is_directory(path, ec)) {
        Reason = TrText("PreviewLogic", "not a folder");
        return false;
    }
    return true;
}

struct TSnapshotFile {
    std::string_view Name;
    bool Full; // which picture
    bool Bmp;  // which format
};
constexpr TSnapshotFile SnapshotFiles[] = {
    {SnapshotFullBmp, true, true},
    {SnapshotSmallBmp, false, true},
    {SnapshotFullJpg, true, false},
    {SnapshotSmallJpg, false, false},
};

}  // namespace

std::string FormatHMS(int64_t Seconds) {
    if (Seconds < 0)
        Seconds = 0;
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(Seconds / 3600),
                  int(Seconds / 60 % 60), int(Seconds % 60));
    return text;
}

int64_t RoundedSeconds(int64_t Microseconds) {
    return int64_t(std::nearbyint(double(Microseconds) / 1000000.0));
}

TFitRect FitRect(int SourceWidth, int SourceHeight, int TargetWidth, int TargetHeight) {
    TFitRect r{0, 0, std::max(TargetWidth, 0), std::max(TargetHeight, 0)};
    if (SourceWidth <= 0 || SourceHeight <= 0 || TargetWidth <= 0 || TargetHeight <= 0)
        return r;
    const double a = double(SourceWidth) / TargetWidth;
    const double b = double(SourceHeight) / TargetHeight;
    if (a >= b) {
        const int inset = RoundHalfEven((TargetHeight - SourceHeight / a) / 2);
        r.Top += inset;
        r.Bottom -= inset;
    } else {
        const int inset = RoundHalfEven((TargetWidth - SourceWidth / b) / 2);
        r.Left += inset;
        r.Right -= inset;
    }
    return r;
}

QImage ProgressPicture(const QImage& Frame, int Width, int Height) {
    if (Width <= 0 || Height <= 0)
        return {};
    QImage picture(Width, Height, QImage::Format_RGB888);
    picture.fill(QColor::fromRgb(ProgressPictureBackground));
    if (Frame.isNull() || Frame.width() <= 0 || Frame.height() <= 0)
        return picture;
    const TFitRect r = FitRect(Frame.width(), Frame.height(), Width, Height);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), Frame);
    return picture;
}

int BarPosition(int64_t PTS, int BarMaximum, int64_t Duration) {
    if (Duration <= 0)
        return 0;
    const int64_t p = int64_t(BarMaximum) * PTS / Duration;
    return int(std::clamp<int64_t>(p, INT32_MIN, INT32_MAX));
}

int64_t SeekPosition(int Position, int BarMaximum, int64_t Duration) {
    if (BarMaximum <= 0)
        return 0;
    return int64_t(std::trunc(double(Position) / BarMaximum * double(Duration)));
}

TPreviewButtons PreviewButtons(TPreviewState State) {
    switch (State) {
    case TPreviewState::Playing:
        return {false, true, true, true};
    case TPreviewState::Paused:
        return {true, false, true, true};
    case TPreviewState::Stopped:
        break;
    }
    return {true, false, false, false};
}

TPreviewStateMachine::TPlayAction TPreviewStateMachine::Play() {
    if (State_ == TPreviewState::Paused) {
        State_ = TPreviewState::Playing;
        return TPlayAction::Resume;
    }
    return TPlayAction::Open;
}

bool TPreviewStateMachine::Pause() {
    if (State_ != TPreviewState::Playing)
        return false;
    State_ = TPreviewState::Paused;
    return true;
}

bool TPreviewStateMachine::Stop() {
    if (State_ == TPreviewState::Stopped)
        return false;
    State_ = TPreviewState::Stopped;
    return true;
}

QImage BitmapToImage(const TBitmap24& Bitmap) {
    if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0)
        return {};
    QImage image(Bitmap.Width(), Bitmap.Height(), QImage::Format_BGR888);
    const size_t rowBytes = size_t(Bitmap.Width()) * 3;
    for (int y = 0; y < Bitmap.Height(); ++y)
        std::memcpy(image.scanLine(y), Bitmap.ScanLine(y), rowBytes);
    return image;
}

QImage StretchedPicture(const QImage& Frame, int Width, int Height) {
    if (Frame.isNull() || Width <= 0 || Height <= 0)
        return {};
    return Frame.scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TSnapshotSettings ReadSnapshotSettings(const TIniFile& Settings) {
    TSnapshotSettings s;
    s.Full = ReadSettingInteger(Settings, KeySnapFullSize) == 1;
    s.Small = ReadSettingInteger(Settings, KeySnapSmallSize) == 1;
    s.Bmp = ReadSettingInteger(Settings, KeySnapBmp) == 1;
    s.Jpg = ReadSettingInteger(Settings, KeySnapJpg) == 1;
    s.JpgQuality = ReadSettingInteger(Settings, KeyJpgCmp);
    return s;
}

std::optional<std::string> SnapshotFolder(TIniFile& Settings, TUserPrompts& Prompts) {
    const std::string fallback = DefaultOutputFolder();
    const std::string folder = ReadSettingText(Settings, KeySnapOutPutDir);
    std::string reason;
    if (EnsureFolder(folder, reason))
        return folder;
    if (folder != fallback) {
        Prompts.ShowMessage("Warning",
                            FillText(TrText("PreviewLogic", "Cannot create output directory:%1.It "
                                                            "will create default directory %2!"),
                                     {folder, fallback}));
        if (EnsureFolder(fallback, reason)) {
            Settings.WriteString(SectionSettings, KeySnapOutPutDir, fallback);
            return fallback;
        }
    }
    Prompts.ShowMessage("Error",
                        FillText(TrText("PreviewLogic", "Cannot create output directory: %1 (%2)"),
                                 {fallback, reason}));
    return std::nullopt;
}

TSnapshotResult WriteSnapshots(const QImage& Full, const QImage& Small, TIniFile& Settings,
                               TUserPrompts& Prompts) {
    TSnapshotResult result;
    const std::optional<std::string> folder = SnapshotFolder(Settings, Prompts);
    if (!folder)
        return result;
    result.Folder = *folder;
    const TSnapshotSettings s = ReadSnapshotSettings(Settings);
    const int quality = std::clamp(s.JpgQuality, 1, 100);
    for (const TSnapshotFile& f : SnapshotFiles) {
        if (!(f.Full ? s.Full : s.Small) || !(f.Bmp ? s.Bmp : s.Jpg))
            continue;
        const QImage& picture = f.Full ? Full : Small;
        if (picture.isNull())
            continue;
        const std::string path = JoinPath(result.Folder, f.Name);
        // The picture is made in memory and written through a private temporary that replaces
        // the fixed name only when whole (a link there is replaced, never followed).
        QByteArray bytes;
        QBuffer buffer(&bytes);
        const bool encoded = buffer.open(QIODevice::WriteOnly) &&
                             (f.Bmp ? picture.save(&buffer, "BMP") : picture.save(&buffer, "JPG", quality));
        const bool ok =
            encoded && WriteFileSafely(path, std::string_view(bytes.constData(), size_t(bytes.size())),
                                       TSafeFile::TPublish::Replace, true) == 0;
        (ok ? result.Written : result.Failed).push_back(path);
    }
    RemoveLeftovers(result.Folder);
    return result;
}

}  // namespace zelta
