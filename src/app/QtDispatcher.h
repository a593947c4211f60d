// Main-thread dispatch for the engine built on the Qt event loop.
//
// Install one on the main thread after the QCoreApplication exists and remove it (destroy it)
// before the application object goes. While a worker waits in RunAndWait, the main thread must
// keep its event loop running (ProcessMessages in any wait of its own) so the call can run.
#pragma once

#include "engine/MainThread.h"

#include <QObject>

namespace zelta {

class TQtMainThreadDispatcher : public QObject, public TMainThreadDispatcher {
    Q_OBJECT
public:
    // Creates the dispatcher in the calling (main) thread and installs it for the engine.
    TQtMainThreadDispatcher();
    ~TQtMainThreadDispatcher() override;

    void RunAndWait(const std::function<void()>& Routine) override;
    void ProcessPendingEvents() override;
};

}  // namespace zelta
