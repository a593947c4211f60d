// Dialog services for window tests: none may block the test with a message box.
#pragma once

#include "ui/DialogServices.h"

#include <QUrl>

#include <vector>

class TQuietServices : public TDialogServices {
public:
    void Information(QWidget*, const QString&, const QString&) const override {}
    void Warning(QWidget*, const QString&, const QString&) const override {}
    bool OpenUrl(const QUrl&) const override { return true; }
};

// Keeps every message box ("Caption: Text") and every opened address instead of showing them.
class TRecordingServices : public TDialogServices {
public:
    void Information(QWidget*, const QString& Caption, const QString& Text) const override {
        Boxes.push_back(Caption + ": " + Text);
    }
    void Warning(QWidget*, const QString& Caption, const QString& Text) const override {
        Boxes.push_back(Caption + ": " + Text);
    }
    bool OpenUrl(const QUrl& Url) const override {
        Opened.push_back(Url);
        return true;
    }
    mutable std::vector<QString> Boxes;
    mutable std::vector<QUrl> Opened;
};
