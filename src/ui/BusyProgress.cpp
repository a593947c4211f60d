#include "ui/BusyProgress.h"

#include "ui/AccessibleNames.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <QProgressDialog>

namespace {

constexpr qint64 ShowAfterMs = 300;
constexpr qint64 PumpEveryMs = 20;

} // namespace

TBusyProgress::TBusyProgress(QWidget* Parent, QString Verb)
    : Parent_(Parent), Verb_(std::move(Verb)) {
    Started_.start();
    LastPump_.start();
}

TBusyProgress::~TBusyProgress() = default;

QString TBusyProgress::Text(const QString& Verb, int Done, int Total) {
    const QLocale english(QLocale::English);
    return Verb + QLatin1Char(' ') + english.toString(Done) + QStringLiteral(" of ") +
           english.toString(Total) + QChar(0x2026);
}

bool TBusyProgress::Step(int Done, int Total) {
    if (Cancelled_)
        return false;
    if (LastPump_.elapsed() < PumpEveryMs)
        return true;
    LastPump_.restart();
    if (!Dialog_ && Started_.elapsed() >= ShowAfterMs) {
        Dialog_ = std::make_unique<QProgressDialog>(Parent_);
        Dialog_->setObjectName(QStringLiteral("dlgBusy"));
        Dialog_->setWindowTitle(Verb_);
        Dialog_->setWindowModality(Qt::WindowModal);
        Dialog_->setMinimumDuration(0);
        Dialog_->setAutoReset(false);
        Dialog_->setAutoClose(false);
        Dialog_->setCancelButtonText(QStringLiteral("Cancel"));
        NameControls(Dialog_.get());
        Dialog_->show();
    }
    if (Dialog_) {
        Dialog_->setMaximum(Total);
        Dialog_->setValue(Done);
        Dialog_->setLabelText(Text(Verb_, Done, Total));
    }
    // Until the modal dialog is up nothing may reach the window that is busy: paint and timers
    // only.
    QCoreApplication::processEvents(Dialog_ ? QEventLoop::AllEvents
                                            : QEventLoop::ExcludeUserInputEvents);
    if (Dialog_ && Dialog_->wasCanceled())
        Cancelled_ = true;
    return !Cancelled_;
}
