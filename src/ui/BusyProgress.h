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
    // Verb starts the text: "Adding", "Preparing".
    TBusyProgress(QWidget* Parent, QString Verb);
    ~TBusyProgress();
    TBusyProgress(const TBusyProgress&) = delete;
    TBusyProgress& operator=(const TBusyProgress&) = delete;

    // Done of Total files so far; false once the user has cancelled.
    bool Step(int Done, int Total);
    // The dialog, once it was made (null before the operation lasted long enough).
    QProgressDialog* Dialog() const { return Dialog_.get(); }

    // "Adding 340 of 2,000…"
    static QString Text(const QString& Verb, int Done, int Total);

private:
    QWidget* Parent_;
    QString Verb_;
    QElapsedTimer Started_;
    QElapsedTimer LastPump_;
    std::unique_ptr<QProgressDialog> Dialog_;
    bool Cancelled_ = false;
};
