// Helpers of the window tests that run whole batches through the main window.
#pragma once

#include "app/IniFile.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"

#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>

namespace zelta {

// A fresh settings file at SettingsPath: output into OutFolder, the MP3 profile, two files at
// once. False when it could not be written.
inline bool WriteTwoAtOnceMp3Settings(const QString& SettingsPath, const QString& OutFolder) {
    TIniFile settings(SettingsPath.toStdString());
    return settings.WriteString("settings", "OutPutDir", OutFolder.toStdString()) &&
           settings.WriteString("settings", "FormatCode", "0") &&
           settings.WriteString("settings", "simultaneous", "2");
}

// Clicks Start on W and calls Look every EveryMs milliseconds with the visible progress window
// until the run ends; a run still going after TimeoutMs closes its window and fails the test.
inline void StartAndWatch(TfrmMain& W, int TimeoutMs, int EveryMs,
                          const std::function<void(TfrmProgress&)>& Look) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (W.ProgressWindow() != nullptr)
            W.ProgressWindow()->close();
        QFAIL("the run did not end");
    });
    guard.start(TimeoutMs);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TfrmProgress* p = W.ProgressWindow();
        if (p != nullptr && p->isVisible())
            Look(*p);
    });
    watch.start(EveryMs);
    W.btnStartClick();
}

} // namespace zelta
