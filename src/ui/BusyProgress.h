// A long operation of the main window (adding many files, preparing the tasks of a Start) that
// runs on the main thread one file at a time keeps the window alive through this: at most every
// 20 ms it lets the event loop run (without user input until the dialog is up) and, from 300 ms
// on (a short operation shows nothing), shows "Adding 340 of 2,000…" in a window-modal progress
// dialog whose Cancel it reports.
//
// Thread: GUI thread only. Use Step as the operation's TStepProgress.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

class TBusyProgress {
public:
    // Title names the operation ("Adding", "Preparing"); Pattern is the dialog's text with %1
    // for the files done and %2 for all of them ("Adding %1 of %2…").
    TBusyProgress(QWidget* Parent, QString Title, QString Pattern);
    ~TBusyProgress();
    TBusyProgress(const TBusyProgress&) = delete;
    TBusyProgress& operator=(const TBusyProgress&) = delete;

    // Done of Total files so far; false once the user has cancelled.
    bool Step(int Done, int Total);
    // The dialog, once it was made (null before the operation lasted long enough).
    QProgressDialog* Dialog() const { return Dialog_.get(); }

    // Pattern with the counts put in: "Adding 340 of 2,000…"
    static QString Text(const QString& Pattern, int Done, int Total);

private:
    QWidget* Parent_;
    QString Title_;
    QString Pattern_;
    QElapsedTimer Started_;
    QElapsedTimer LastPump_;
    std::unique_ptr<QProgressDialog> Dialog_;
    bool Cancelled_ = false;
};
