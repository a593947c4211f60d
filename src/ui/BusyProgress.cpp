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

TBusyProgress::TBusyProgress(QWidget* Parent, QString Title, QString Pattern)
    : Parent_(Parent), Title_(std::move(Title)), Pattern_(std::move(Pattern)) {
    Started_.start();
    LastPump_.start();
}

TBusyProgress::~TBusyProgress() = default;

QString TBusyProgress::Text(const QString& Pattern, int Done, int Total) {
    const QLocale english(QLocale::English);
    return Pattern.arg(english.toString(Done), english.toString(Total));
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
        Dialog_->setWindowTitle(Title_);
        Dialog_->setWindowModality(Qt::WindowModal);
        Dialog_->setMinimumDuration(0);
        Dialog_->setAutoReset(false);
        Dialog_->setAutoClose(false);
        Dialog_->setCancelButtonText(QCoreApplication::translate("TBusyProgress", "Cancel"));
        NameControls(Dialog_.get());
        Dialog_->show();
    }
    if (Dialog_) {
        Dialog_->setMaximum(Total);
        Dialog_->setValue(Done);
        Dialog_->setLabelText(Text(Pattern_, Done, Total));
    }
    // Until the modal dialog is up nothing may reach the window that is busy: paint and timers
    // only.
    QCoreApplication::processEvents(Dialog_ ? QEventLoop::AllEvents
                                            : QEventLoop::ExcludeUserInputEvents);
    if (Dialog_ && Dialog_->wasCanceled())
        Cancelled_ = true;
    return !Cancelled_;
}
