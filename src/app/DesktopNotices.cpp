#include "app/DesktopNotices.h"

#include "app/BatchDriver.h"
#include "app/SourceList.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>

namespace zelta {

namespace {

const QString NotificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString NotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString LauncherInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString LauncherPath = QStringLiteral("/org/zelta/LauncherEntry");
const QString OpenFolderAction = QStringLiteral("open-folder");

QString Files(int Count)
{
    return Count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(Count);
}

}  // namespace

TBatchOutcome BatchOutcome(const TBatchDriver& Driver, const TSourceListModel& List)
{
    TBatchOutcome Outcome;
    Outcome.Total = Driver.CheckedTotal();
    Outcome.Failed = int(Driver.Failures().size());
    Outcome.Skipped = Driver.PassedCount();
    for (const int Row : Driver.CheckedRows()) {
        if (Row >= 0 && Row < List.RowCount() &&
            (List.SubItem(Row, colProgress) == "100%" || !List.ProgressWarning(Row).empty()))
            ++Outcome.Converted;
    }
    Outcome.Stopped = Outcome.Converted + Outcome.Failed + Outcome.Skipped < Outcome.Total;
    return Outcome;
}

QString BatchEndTitle(const TBatchOutcome& Outcome)
{
    if (Outcome.Stopped)
        return QStringLiteral("Conversion stopped");
    return Outcome.Failed > 0 ? QStringLiteral("Conversion finished with errors")
                              : QStringLiteral("Conversion finished");
}

QString BatchEndText(const TBatchOutcome& Outcome)
{
    QString Text;
    if (Outcome.Converted == Outcome.Total && !Outcome.Stopped)
        Text = Files(Outcome.Total) + QStringLiteral(" converted");
    else
        Text = QStringLiteral("%1 of %2 converted").arg(Outcome.Converted).arg(Files(Outcome.Total));
    if (Outcome.Failed > 0)
        Text += QStringLiteral(", %1 failed").arg(Outcome.Failed);
    if (Outcome.Skipped > 0)
        Text += QStringLiteral(", %1 skipped").arg(Outcome.Skipped);
    if (Outcome.Stopped)
        Text = QStringLiteral("Conversion stopped: ") + Text;
    return Text;
}

TDesktopNotices::TDesktopNotices(QDBusConnection Bus, QObject* Parent)
    : QObject(Parent), FBus(std::move(Bus))
{
    if (!FBus.isConnected())
        return;
    FBus.connect(NotificationsService, NotificationsPath, NotificationsService,
                 QStringLiteral("ActionInvoked"), this, SLOT(ActionInvoked(uint, QString)));
    FBus.connect(NotificationsService, NotificationsPath, NotificationsService,
                 QStringLiteral("NotificationClosed"), this,
                 SLOT(NotificationClosed(uint, uint)));
}

bool TDesktopNotices::NotifyBatchEnd(const TBatchOutcome& Outcome,
                                     std::function<void()> OpenFolder)
{
    if (!FBus.isConnected())
        return false;
    QDBusMessage Call = QDBusMessage::createMethodCall(NotificationsService, NotificationsPath,
                                                       NotificationsService,
                                                       QStringLiteral("Notify"));
    const QStringList Actions = {QStringLiteral("default"), QStringLiteral("Open Folder"),
                                 OpenFolderAction, QStringLiteral("Open Folder")};
    QVariantMap Hints;
    Hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("zelta"));
    Hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    Call << QStringLiteral("Zelta") << FId << QStringLiteral("zelta") << BatchEndTitle(Outcome)
         << BatchEndText(Outcome) << Actions << Hints << int(-1);
    FPending = std::move(OpenFolder);
    // The answer (the notification's id) comes later; nothing waits for it.
    return FBus.callWithCallback(Call, this, SLOT(NotifyAnswered(QDBusMessage)),
                                 SLOT(NotifyFailed(QDBusError, QDBusMessage)));
}

void TDesktopNotices::NotifyAnswered(const QDBusMessage& Reply)
{
    if (Reply.arguments().isEmpty())
        return;
    FId = Reply.arguments().constFirst().toUInt();
    FOpenFolder = std::move(FPending);
}

void TDesktopNotices::NotifyFailed(const QDBusError&, const QDBusMessage&)
{
    FPending = nullptr; // no notification service: nothing to show, nothing to open
}

void TDesktopNotices::ActionInvoked(uint Id, const QString& Key)
{
    if (Id == 0 || Id != FId || !FOpenFolder)
        return;
    if (Key == OpenFolderAction || Key == QStringLiteral("default"))
        FOpenFolder();
}

void TDesktopNotices::NotificationClosed(uint Id, uint)
{
    if (Id != FId)
        return;
    FId = 0;
    FOpenFolder = nullptr;
}

void TDesktopNotices::ShowProgress(bool Visible, int Percent, int FilesLeft)
{
    if (!FBus.isConnected())
        return;
    // The dock is told only what changed.
    if (Visible == FLastVisible && (!Visible || (Percent == FLastPercent && FilesLeft == FLastLeft)))
        return;
    FLastVisible = Visible;
    FLastPercent = Percent;
    FLastLeft = FilesLeft;
    QDBusMessage Signal =
        QDBusMessage::createSignal(LauncherPath, LauncherInterface, QStringLiteral("Update"));
    QVariantMap Properties;
    Properties.insert(QStringLiteral("progress"), Visible ? Percent / 100.0 : 0.0);
    Properties.insert(QStringLiteral("progress-visible"), Visible);
    Properties.insert(QStringLiteral("count"), qint64(Visible ? FilesLeft : 0));
    Properties.insert(QStringLiteral("count-visible"), Visible && FilesLeft > 0);
    Signal << QString::fromUtf8(DesktopEntryUri.data(), int(DesktopEntryUri.size()))
           << Properties;
    FBus.send(Signal);
}

}  // namespace zelta
