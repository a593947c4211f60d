// What the windows ask of the desktop: message boxes, opening web pages and folders with the
// desktop's handler, and the read-only check of the folder chooser. Windows keep a reference to
// one (never owned; it must outlive them). Tests pass their own to keep modal boxes and other
// programs out of the way. Main thread only.
#pragma once

#include <QString>

#include <string_view>

class QUrl;
class QWidget;

class TDialogServices {
public:
    virtual ~TDialogServices() = default;

    // A modal box with the information icon.
    virtual void Information(QWidget* Parent, const QString& Caption, const QString& Text) const;
    // A modal box with the warning icon.
    virtual void Warning(QWidget* Parent, const QString& Caption, const QString& Text) const;
    // Opens Url with the desktop's handler (never through a shell); false when that failed.
    virtual bool OpenUrl(const QUrl& Url) const;
    // True when Path lies on a read-only file system.
    virtual bool IsReadOnlyFolder(const QString& Path) const;
    // A folder chosen in the desktop's folder dialog; empty when cancelled.
    virtual QString ChooseFolder(QWidget* Parent, const QString& Caption) const;

    // The real desktop: QMessageBox, QDesktopServices and statvfs.
    static const TDialogServices& Default();
};

// A box caption the application core gives in English (zelta::PromptCaptionTexts), as shown:
// translated; any other caption as it is.
QString PromptCaption(std::string_view Caption);
