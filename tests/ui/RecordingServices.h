// The dialog services of every window test: nothing modal reaches the screen and no other
// program starts. Each message box is kept in Messages as "Caption|Text", each opened address in
// Opened. A window's file dialog is replaced by FileDialog(), which counts the request in
// FileDialogs and answers with the next of FileAnswers ("", cancelled, once none is left).
// ReadOnlyFolder is the one folder reported as read-only (none by default).
#pragma once

#include "ui/DialogServices.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

class TRecordingServices : public TDialogServices {
public:
    void Information(QWidget*, const QString& Caption, const QString& Text) const override {
        Messages << Caption + "|" + Text;
    }
    void Warning(QWidget*, const QString& Caption, const QString& Text) const override {
        Messages << Caption + "|" + Text;
    }
    bool OpenUrl(const QUrl& Url) const override {
        Opened << Url;
        return true;
    }
    bool IsReadOnlyFolder(const QString& Path) const override {
        return !ReadOnlyFolder.isEmpty() && Path == ReadOnlyFolder;
    }

    // The folder dialog takes its answer from FileAnswers too.
    QString ChooseFolder(QWidget* Parent, const QString&) const override {
        return FileDialog()(Parent);
    }

    std::function<QString(QWidget*)> FileDialog() const {
        return [this](QWidget*) {
            ++FileDialogs;
            return FileAnswers.isEmpty() ? QString() : FileAnswers.takeFirst();
        };
    }

    // Forgets everything recorded and every answer not given.
    void Clear() {
        Messages.clear();
        Opened.clear();
        FileAnswers.clear();
        FileDialogs = 0;
        ReadOnlyFolder.clear();
    }

    mutable QStringList Messages;
    mutable QList<QUrl> Opened;
    mutable QStringList FileAnswers;
    mutable int FileDialogs = 0;
    QString ReadOnlyFolder;
};
