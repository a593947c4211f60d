#include "ui/AppExceptionHandler.h"

#include "app/AppException.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

using namespace zelta;

namespace {

bool gShowing = false; // GUI thread only: a box is up

bool CanShowBox() {
    if (qApp == nullptr || QThread::currentThread() != qApp->thread() || gShowing)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void Present(const TAppExceptionReport& Report) noexcept {
    try {
        if (!CanShowBox()) {
            std::fprintf(stderr, "%s\n", Report.Message.c_str());
            return;
        }
        gShowing = true;
        const QString title = QApplication::applicationDisplayName();
        const QString text = QString::fromStdString(Report.Message);
        if (Report.Presentation == TExceptionPresentation::Warning)
            QMessageBox::warning(nullptr, title, text);
        else
            QMessageBox::critical(nullptr, title, text);
        gShowing = false;
    } catch (...) {
        gShowing = false;
        std::fprintf(stderr, "%s\n", Report.Message.c_str());
    }
}

} // namespace

void ShowAppException(const std::exception& E) {
    TAppExceptionReport r;
    try {
        r = DescribeException(E);
    } catch (...) {
        std::fputs("Unhandled exception.\n", stderr);
        return;
    }
    Present(r);
}

void ShowCurrentAppException() {
    TAppExceptionReport r;
    try {
        r = DescribeCurrentException();
    } catch (...) {
        std::fputs("Unhandled exception.\n", stderr);
        return;
    }
    Present(r);
}
