#include "ui/ZeltaApplication.h"

#include "app/AppException.h"

#include <cstdio>
#include <cstdlib>

using namespace zelta;

TZeltaApplication::TZeltaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZeltaApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        if (Handler_ != nullptr) {
            Handler_();
        } else {
            const TAppExceptionReport r = DescribeCurrentException();
            std::fprintf(stderr, "%s\n", r.Message.c_str());
        }
    }
    return false;
}

bool TZeltaApplication::DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0')
        return true;
    const char* x = std::getenv("DISPLAY");
    const char* wl = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wl != nullptr && *wl != '\0');
}
