// A page of the preferences dialog beyond its first ("General"): each page is a module of its
// own that reads its settings when the dialog shows, puts its defaults in on Default and writes
// its settings on OK. The dialog keeps the pages in its tabs and calls them in order.
//
// Main thread only.
#pragma once

#include "app/IniFile.h"

#include <QString>
#include <QWidget>

#include <string>

class TPreferencePage : public QWidget {
public:
    using QWidget::QWidget;

    // The tab's caption.
    virtual QString Title() const = 0;
    // Showing the dialog: the controls take the stored values.
    virtual void ShowSettings(const zelta::TIniFile& Settings) = 0;
    // Default: the controls take the defaults; nothing is written.
    virtual void ShowDefaults() = 0;
    // OK, before anything is written: why the values cannot be kept ("" when they can). The
    // dialog then shows the page with the reason and stays open.
    virtual std::string CheckValues() const { return {}; }
    // OK: writes the page's values; false at the first failed write (Settings.LastError()).
    virtual bool SaveSettings(zelta::TIniFile& Settings) = 0;
};
