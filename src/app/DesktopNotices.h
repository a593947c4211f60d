// What the desktop hears of a batch: a notification when it ends while the window is not the
// active one (org.freedesktop.Notifications, with an action that opens the output folder), and
// the batch's progress and remaining count on the program's dock or task-bar entry while it
// runs (com.canonical.Unity.LauncherEntry, which the KDE and GNOME docks read).
//
// Without a session bus or a notification service nothing fails: the calls go out without
// waiting for an answer and the notice is simply not shown.
//
// Thread: main thread (the object lives there and hears the service's signals there).
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

namespace zelta {

// How a batch ended, as counted by the batch driver.
struct TBatchOutcome {
    int Total = 0;     // checked files of the Start
    int Converted = 0; // files written
    int Failed = 0;    // files that could not be converted
    int Skipped = 0;   // files the "exists" rule passed over
    bool Stopped = false;
};

class TBatchDriver;
class TSourceListModel;
// The outcome of the driver's last Start as the list shows it: converted rows show "100%" or
// "Warning"; a batch with rows neither converted, failed nor skipped was stopped.
TBatchOutcome BatchOutcome(const TBatchDriver& Driver, const TSourceListModel& List);

// The notification's title and text: "20 files converted", "18 of 20 files converted, 2 failed",
// "1 file converted", with ", 3 skipped" when files were passed over; a stopped batch says so
// ("Conversion stopped: 5 of 20 files converted").
QString BatchEndTitle(const TBatchOutcome& Outcome);
QString BatchEndText(const TBatchOutcome& Outcome);

// The desktop file the dock knows the program by.
inline constexpr std::string_view DesktopEntryUri = "application://zelta.desktop";

class TDesktopNotices : public QObject {
    Q_OBJECT
public:
    // Bus: the session bus (tests give a private one).
    explicit TDesktopNotices(QDBusConnection Bus = QDBusConnection::sessionBus(),
                             QObject* Parent = nullptr);

    // Shows the end of a batch; OpenFolder runs when the person picks the notification's
    // action (or clicks the notification itself). False when no bus is there to ask.
    bool NotifyBatchEnd(const TBatchOutcome& Outcome, std::function<void()> OpenFolder);
    // The dock entry shows Percent (0..100) and the files still to do; Visible false clears it.
    void ShowProgress(bool Visible, int Percent = 0, int FilesLeft = 0);

private slots:
    void ActionInvoked(uint Id, const QString& Key);
    void NotificationClosed(uint Id, uint Reason);
    void NotifyAnswered(const QDBusMessage& Reply);
    void NotifyFailed(const QDBusError& Error, const QDBusMessage& Call);

private:
    QDBusConnection FBus;
    uint FId = 0;                       // the notification shown now, 0 while none is known
    std::function<void()> FOpenFolder;  // its action
    std::function<void()> FPending;     // the action of a notification not yet answered
    int FLastPercent = -1;
    int FLastLeft = -1;
    bool FLastVisible = false;
};

}  // namespace zelta
