// The big batch through the real main window (offscreen): N generated one-second WAV files
// (2,000 by default, the sources of BigBatchBench) are added, the MP3 profile is chosen with
// "Simultaneous conversions" at Auto, and Start is clicked. A 10 ms timer on the main thread
// records the longest gap between its firings, the event loop's longest stall, in each phase:
// adding (the add until the list is shown), running (Start until every file has ended) and
// ending (from there until Start has returned, the tasks cleared and the window idle again).
// Also timed: Start to the progress window shown, and to its first painting. The goals: Start
// to shown < 0.5 s, no stall of 100 ms or more in any phase, every file converted.
//   WindowBatchBench [--media DIR] [--files N]
#include "BenchSupport.h"
#include "BigBatchMedia.h"

#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "ui/DialogServices.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/ZeltaApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

namespace {

double Ms(TClock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

// Message boxes are counted, never shown; folders are not opened.
class TQuietServices : public TDialogServices {
public:
    void Information(QWidget*, const QString&, const QString&) const override { ++Boxes; }
    void Warning(QWidget*, const QString&, const QString& Text) const override {
        ++Boxes;
        std::fprintf(stderr, "warning: %s\n", Text.left(300).toUtf8().constData());
    }
    bool OpenUrl(const QUrl&) const override { return true; }
    mutable int Boxes = 0;
};

// The longest gap between the firings of a 10 ms timer, per phase.
class TStallMeter {
public:
    TStallMeter() {
        QObject::connect(&Timer_, &QTimer::timeout, [this] { Note(TClock::now()); });
        Timer_.setTimerType(Qt::PreciseTimer);
        Timer_.start(10);
        Last_ = TClock::now();
    }
    // Later gaps count for Phase; the gap under way is closed now.
    void Enter(int Phase) {
        Note(TClock::now());
        Phase_ = Phase;
    }
    double LongestMs(int Phase) const { return Ms(Longest_[Phase]); }
    // When the longest stall of Phase ended.
    TClock::time_point LongestEnded(int Phase) const { return LongestAt_[Phase]; }

private:
    void Note(TClock::time_point Now) {
        if (Now - Last_ > Longest_[Phase_]) {
            Longest_[Phase_] = Now - Last_;
            LongestAt_[Phase_] = Now;
        }
        Last_ = Now;
    }

    QTimer Timer_;
    TClock::time_point Last_;
    int Phase_ = 0;
    TClock::duration Longest_[4]{};
    TClock::time_point LongestAt_[4]{};
};

enum { Idle, Adding, Running, Ending };

// When the progress window is first shown and first painted after Start.
class TProgressWatcher : public QObject {
public:
    explicit TProgressWatcher(TfrmMain& W) : W_(W) { qApp->installEventFilter(this); }
    ~TProgressWatcher() override { qApp->removeEventFilter(this); }
    TClock::time_point Shown{}, Painted{};

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override {
        if (W_.ProgressWindow() == nullptr || Object != W_.ProgressWindow())
            return false;
        if (Event->type() == QEvent::Show && Shown == TClock::time_point{})
            Shown = TClock::now();
        if (Event->type() == QEvent::Paint && Painted == TClock::time_point{})
            Painted = TClock::now();
        return false;
    }

private:
    TfrmMain& W_;
};

const char* Goal(bool Met) { return Met ? "met" : "NOT met"; }

}  // namespace

int main(int argc, char** argv) {
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-bigbatch-media");
    const int files = args.Int("--files", 2000, 1);
    const std::vector<std::string> names = BigBatchSources(media, files);
    if (names.empty())
        return 1;
    media = fs::absolute(media).string();
    const std::string home = media + "/window-home";
    const std::string out = media + "/window-out";
    fs::remove_all(home);
    fs::remove_all(out);
    fs::create_directories(home);
    fs::create_directories(out);
    {
        zelta::TIniFile settings(home + "/zeltavideoaudioconverter.ini");
        settings.WriteString("settings", "OutPutDir", out);
        settings.WriteString("settings", "FormatCode", "0"); // MP3, "Simultaneous" at Auto
    }
    ::setenv("ZELTA_HOME", home.c_str(), 1);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);

    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TQuietServices services;
    TfrmMain w(services);
    w.show();
    QCoreApplication::processEvents();

    TStallMeter meter;
    meter.Enter(Adding);
    const TClock::time_point addBegan = TClock::now();
    w.AddChosenFiles(names);
    QCoreApplication::processEvents();
    const TClock::duration adding = TClock::now() - addBegan;

    TProgressWatcher watcher(w);
    const QString allEnded = QStringLiteral("%1 of %1 files").arg(files);
    TClock::time_point lastEnded{};
    QTimer lookForEnd;
    QObject::connect(&lookForEnd, &QTimer::timeout, [&] {
        TfrmProgress* p = w.ProgressWindow();
        if (lastEnded == TClock::time_point{} && p != nullptr && p->lblFiles->text() == allEnded) {
            lastEnded = TClock::now();
            meter.Enter(Ending);
        }
    });
    lookForEnd.start(1);
    meter.Enter(Running);
    const TClock::time_point clicked = TClock::now();
    w.btnStartClick();
    const TClock::time_point returned = TClock::now();
    if (lastEnded == TClock::time_point{}) {
        lastEnded = returned;
        meter.Enter(Ending);
    }
    // Whatever the run's end left queued is handled while the window idles a moment.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    meter.Enter(Idle);
    lookForEnd.stop();

    int converted = 0;
    std::error_code ec;
    for (fs::directory_iterator it(out, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".mp3" && it->file_size() > 0)
            ++converted;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const double toShown =
        watcher.Shown == TClock::time_point{} ? -1 : Ms(watcher.Shown - clicked);
    const double toPainted =
        watcher.Painted == TClock::time_point{} ? -1 : Ms(watcher.Painted - clicked);
    double longest = 0;
    for (int phase : {Adding, Running, Ending})
        longest = std::max(longest, meter.LongestMs(phase));

    std::printf("window batch: %d one-second WAV -> MP3 through the main window (offscreen), "
                "Simultaneous conversions Auto on %u cores\n",
                files, cores);
    std::printf("  adding:  %8.2f s, longest event-loop stall %6.1f ms, ended %.2f s after the "
                "add began\n",
                Ms(adding) / 1000, meter.LongestMs(Adding),
                Ms(meter.LongestEnded(Adding) - addBegan) / 1000);
    std::printf("  running: %8.2f s, longest event-loop stall %6.1f ms, ended %.2f s after Start\n",
                Ms(lastEnded - clicked) / 1000, meter.LongestMs(Running),
                Ms(meter.LongestEnded(Running) - clicked) / 1000);
    std::printf("  ending:  %8.3f s, longest event-loop stall %6.1f ms\n",
                Ms(returned - lastEnded) / 1000, meter.LongestMs(Ending));
    std::printf("  Start to the progress window shown %.1f ms, painted %.1f ms (goal < 500 ms: "
                "%s)\n",
                toShown, toPainted, Goal(toShown >= 0 && toShown < 500));
    std::printf("  longest event-loop stall %.1f ms (goal < 100 ms: %s)\n", longest,
                Goal(longest < 100));
    std::printf("  converted %d of %d (goal all: %s), %d message boxes\n", converted, files,
                Goal(converted == files), services.Boxes);
    fs::remove_all(out);
    return converted == files ? 0 : 1;
}
