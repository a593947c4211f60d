#include "app/DesktopNotices.h"

#include "app/Translation.h"

#include "app/BatchDriver.h"
#include "app/SourceList.h"

#include <QCoreApplication>
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

} // namespace

TBatchOutcome BatchOutcome(const TBatchDriver& Driver, const TSourceListModel& List) {
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

QString BatchEndTitle(const TBatchOutcome& Outcome) {
    if (Outcome.Stopped)
        return QString::fromStdString(TrText("DesktopNotices", "Conversion stopped"));
    return Outcome.Failed > 0
               ? QString::fromStdString(TrText("DesktopNotices", "Conversion finished with errors"))
               : QString::fromStdString(TrText("DesktopNotices", "Conversion finished"));
}

QString BatchEndText(const TBatchOutcome& Outcome) {
    const int Total = Outcome.Total;
    QString Text;
    if (Outcome.Converted == Total && !Outcome.Stopped)
        Text = Total == 1 ? QString::fromStdString(
                                TrText("DesktopNotices", "%n file converted", nullptr, Total))
                          : QString::fromStdString(
                                TrText("DesktopNotices", "%n files converted", nullptr, Total));
    else
        Text =
            (Total == 1 ? QString::fromStdString(
                              TrText("DesktopNotices", "%1 of %n file converted", nullptr, Total))
                        : QString::fromStdString(
                              TrText("DesktopNotices", "%1 of %n files converted", nullptr, Total)))
                .arg(Outcome.Converted);
    //: added to "18 of 20 files converted" when files failed
    if (Outcome.Failed > 0)
        Text += QString::fromStdString(
            TrText("DesktopNotices", ", %n failed", nullptr, Outcome.Failed));
    //: added to "18 of 20 files converted" when files were passed over
    if (Outcome.Skipped > 0)
        Text += QString::fromStdString(
            TrText("DesktopNotices", ", %n skipped", nullptr, Outcome.Skipped));
    if (Outcome.Stopped)
        Text = QString::fromStdString(TrText("DesktopNotices", "Conversion stopped: %1")).arg(Text);
    return Text;
}

TDesktopNotices::TDesktopNotices(QDBusConnection Bus, QObject* Parent)
    : QObject(Parent), FBus(std::move(Bus)) {
    if (!FBus.isConnected())
        return;
    FBus.connect(NotificationsService, NotificationsPath, NotificationsService,
                 QStringLiteral("ActionInvoked"), this, SLOT(ActionInvoked(uint, QString)));
    FBus.connect(NotificationsService, NotificationsPath, NotificationsService,
                 QStringLiteral("NotificationClosed"), this, SLOT(NotificationClosed(uint, uint)));
}

bool TDesktopNotices::NotifyBatchEnd(const TBatchOutcome& Outcome,
                                     std::function<void()> OpenFolder) {
    if (!FBus.isConnected())
        return false;
    QDBusMessage Call = QDBusMessage::createMethodCall(
        NotificationsService, NotificationsPath, NotificationsService, QStringLiteral("Notify"));
    //: the button of the notice at the end of a batch
    const QString OpenFolderLabel = QString::fromStdString(TrText("DesktopNotices", "Open Folder"));
    const QStringList Actions = {QStringLiteral("default"), OpenFolderLabel, OpenFolderAction,
                                 OpenFolderLabel};
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

void TDesktopNotices::NotifyAnswered(const QDBusMessage& Reply) {
    if (Reply.arguments().isEmpty())
        return;
    FId = Reply.arguments().constFirst().toUInt();
    FOpenFolder = std::move(FPending);
}

void TDesktopNotices::NotifyFailed(const QDBusError&, const QDBusMessage&) {
    FPending = nullptr; // no notification service: nothing to show, nothing to open
}

void TDesktopNotices::ActionInvoked(uint Id, const QString& Key) {
    if (Id == 0 || Id != FId || !FOpenFolder)
        return;
    if (Key == OpenFolderAction || Key == QStringLiteral("default"))
        FOpenFolder();
}

void TDesktopNotices::NotificationClosed(uint Id, uint) {
    if (Id != FId)
        return;
    FId = 0;
    FOpenFolder = nullptr;
}

void TDesktopNotices::ShowProgress(bool Visible, int Percent, int FilesLeft) {
    if (!FBus.isConnected())
        return;
    // The dock is told only what changed.
    if (Visible == FLastVisible &&
        (!Visible || (Percent == FLastPercent && FilesLeft == FLastLeft)))
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
    Signal << QString::fromUtf8(DesktopEntryUri.data(), int(DesktopEntryUri.size())) << Properties;
    FBus.send(Signal);
}

} // namespace zelta
