// The Qt application object: routes exceptions escaping any event handler to the installed
// handler instead of letting them unwind through Qt.
#pragma once

#include <QApplication>

class TZeltaApplication : public QApplication {
    Q_OBJECT
public:
    TZeltaApplication(int& argc, char** argv);

    using THandler = void (*)();
    // Installed by the main window's creation; until then, exceptions go to standard error.
    void SetExceptionHandler(THandler Handler) { Handler_ = Handler; }

    bool notify(QObject* Receiver, QEvent* Event) override;

    // True when a windowing system can be reached (or QT_QPA_PLATFORM names one explicitly).
    static bool DisplayAvailable();

private:
    THandler Handler_ = nullptr;
};
