// Helpers of the trim and crop dialog tests: a source list with real rows made by the add
// procedure, message boxes recorded instead of shown, generated movies beside the shared
// fixtures, the process's thread count and mouse events sent straight to a widget.
#pragma once

#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/SourceList.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"
#include "RecordingServices.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace edittest {

constexpr int Patience = 20000; // milliseconds; generous for a loaded machine

class TUnusedPrompts : public zelta::TUserPrompts {
public:
    void ShowMessage(std::string_view, std::string_view) override {}
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
};

// A list whose rows come from the add procedure, with its settings in a folder of its own.
struct TSourceRows {
    QTemporaryDir Home;
    zelta::TIniFile Settings{Home.filePath("settings.ini").toStdString()};
    zelta::TIniFile Catalogue{Home.filePath("catalogue.ini").toStdString()};
    TFFConverter Converter;
    TUnusedPrompts Prompts;
    zelta::TSourceListModel Files;

    TSourceRows() {
        Settings.WriteString("settings", "OutPutDir", Home.filePath("out").toStdString());
        Catalogue.WriteString("formatInfo1", "FileExt", "aac");
    }
    // The row of the added file, -1 when it was not added.
    int Add(const std::string& Path) {
        Files.AddFiles({Path}, Converter, zelta::LibAVFolder(), Settings, Catalogue, Prompts);
        return Files.FindCaption(Path);
    }
};

// A movie made once beside the shared fixtures.
inline std::string Movie(const std::string& Name, double Seconds, int Width = 320,
                         int Height = 240, int Border = 0) {
    const std::string path = fixtures::Fixtures().Dir + "/" + Name;
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "mpeg4";
    spec.AudioEncoders = {"aac"};
    spec.Width = Width;
    spec.Height = Height;
    spec.Seconds = Seconds;
    spec.Border = Border;
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

inline int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

// A mouse event sent straight to W at Local (widget coordinates), as the window system would
// deliver it.
inline void SendMouse(QWidget* W, QEvent::Type Type, QPoint Local, Qt::MouseButton Button,
                      Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers = {}) {
    const QPointF local(Local);
    QMouseEvent e(Type, local, QPointF(W->mapToGlobal(Local)), Button, Buttons, Modifiers);
    QApplication::sendEvent(W, &e);
}

// A press at From, moves in Steps to To (parent coordinates of W, so the pointer stays on the
// screen while W moves under it) and the release.
inline void DragInParent(QWidget* W, QPoint From, QPoint To, int Steps = 8) {
    auto local = [&](QPoint InParent) { return InParent - W->pos(); };
    SendMouse(W, QEvent::MouseButtonPress, local(From), Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= Steps; ++i) {
        const QPoint at = From + (To - From) * i / Steps;
        SendMouse(W, QEvent::MouseMove, local(at), Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(W, QEvent::MouseButtonRelease, local(To), Qt::LeftButton, Qt::NoButton);
}

} // namespace edittest
