#include "app/QtDispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <exception>

namespace zelta {

TQtMainThreadDispatcher::TQtMainThreadDispatcher() {
    SetMainThread(std::this_thread::get_id());
    SetMainThreadDispatcher(this);
}

TQtMainThreadDispatcher::~TQtMainThreadDispatcher() {
    if (MainThreadDispatcher() == this)
        SetMainThreadDispatcher(nullptr);
}

void TQtMainThreadDispatcher::RunAndWait(const std::function<void()>& Routine) {
    std::exception_ptr failure;
    // A blocking queued call: the worker sleeps until the main thread's event loop has run it.
    const bool queued = QMetaObject::invokeMethod(
        this,
        [&] {
            try {
                Routine();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (!queued)
        Routine(); // no event loop to hand it to (application shutting down): run it here
    if (failure)
        std::rethrow_exception(failure);
}

void TQtMainThreadDispatcher::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace zelta
