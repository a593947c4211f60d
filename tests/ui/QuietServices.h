// Dialog services for window tests that expect no message box: none may block the test.
#pragma once

#include "ui/DialogServices.h"

#include <QUrl>

class TQuietServices : public TDialogServices {
public:
    void Information(QWidget*, const QString&, const QString&) const override {}
    void Warning(QWidget*, const QString&, const QString&) const override {}
    bool OpenUrl(const QUrl&) const override { return true; }
};
