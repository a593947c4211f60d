// The trim dialog with the real player under the offscreen platform and SDL's dummy audio: the
// stored range of a showing, OK's rules through typed and marked points, the caption rule, the
// position bar (selection, seeking by release, the end of the file), a file that cannot be
// opened, accessible names and many openings without threads left behind.
#include "EditDialogTestSupport.h"

#include "app/QtDispatcher.h"
#include "app/TrimLogic.h"
#include "ui/AccessibleNames.h"
#include "ui/FrmTrim.h"
#include "ui/SelectionBar.h"
#include "ui/VideoView.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

using namespace zelta;
using namespace edittest;

namespace {

constexpr int64_t S = 1000000;

// A point typed into a box and confirmed with Enter.
void Type(QLineEdit* Box, const QString& Text) {
    Box->setFocus();
    Box->selectAll();
    Box->setText(Text);
    emit Box->editingFinished();
}

// Microseconds as seconds with six decimals, the finest a user can type.
QString Seconds(int64_t T) {
    return QStringLiteral("%1.%2").arg(T / S).arg(T % S, 6, 10, QChar('0'));
}

} // namespace

class TTrimDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    TRecordingServices Services;
    std::string Long;  // 30 s
    std::string Short; // 2 s

    // A shown dialog on Row of Rows.
    std::unique_ptr<TfrmTrim> Show(TSourceRows& Rows, int Row) {
        auto d = std::make_unique<TfrmTrim>(Services);
        d->SetRow(&Rows.Files, Row);
        d->show();
        return d;
    }

private slots:
    void initTestCase() {
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        Long = Movie("trim-160x120-30s.mp4", 30, 160, 120);
        Short = Movie("trim-160x120-2s.mp4", 2, 160, 120);
    }
    void cleanupTestCase() { Dispatcher.reset(); }
    void init() { Services.Messages.clear(); }

    void okRulesOnTheOpenedFile() {
        TSourceRows rows;
        const int row = rows.Add(Long);
        QVERIFY(row >= 0);
        auto d = Show(rows, row);
        QVERIFY(d->FileOpened());
        const int64_t duration = d->Duration();
        QVERIFY2(duration >= 30 * S && duration < 31 * S, qPrintable(QString::number(duration)));
        QCOMPARE(d->size(), QSize(598, 460));
        QCOMPARE(d->windowTitle(), QString::fromStdString(Long).length() > 50
                                       ? QString::fromStdString(TrimCaption(Long))
                                       : QString::fromStdString(Long));
        QCOMPARE(d->lblLength->text(),
                 QStringLiteral("Duration:    ") + QString::fromStdString(FormatMediaTime(duration)));
        QCOMPARE(d->edtStart->text(), QStringLiteral("00:00:00.000"));
        QCOMPARE(d->edtTrimLength->text(), QString::fromStdString(FormatMediaTime(duration)));
        QVERIFY(!d->imgbtnPlay->isEnabled() && d->imgbtnpause->isEnabled());
        QCOMPARE(d->trcPreview->maximum(), d->trcPreview->width());
        QCOMPARE(d->trcPreview->SelStart(), 0);
        QCOMPARE(d->trcPreview->SelEnd(), d->trcPreview->maximum());
        QVERIFY(UnnamedControls(d.get()).isEmpty());

        TlvFilesRecord& record = rows.Files.Record(row);
        // 0 and the duration: no trim; the column shows the whole length.
        d->btnOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(record.TrimStart, 0);
        QCOMPARE(record.TrimLength, 0);
        QCOMPARE(rows.Files.SubItem(row, colTrimmedLength), std::to_string(duration / S));

        // 10 s .. 20 s; Enter in a box takes the time and leaves the dialog open.
        d->show();
        d->edtStart->setText(QStringLiteral("10"));
        QTest::keyClick(d->edtStart, Qt::Key_Return);
        QVERIFY(d->isVisible());
        QCOMPARE(d->StartPoint(), 10 * S);
        Type(d->edtTrimLength, QStringLiteral("0:00:20"));
        QCOMPARE(d->edtStart->text(), QStringLiteral("00:00:10.000"));
        QCOMPARE(d->trcPreview->SelStart(), TrimBarMark(10 * S, d->trcPreview->maximum(), duration));
        QCOMPARE(d->trcPreview->SelEnd(), TrimBarMark(20 * S, d->trcPreview->maximum(), duration));
        d->btnOk->click();
        QCOMPARE(record.TrimStart, 10 * S);
        QCOMPARE(record.TrimLength, 10 * S);
        QCOMPARE(rows.Files.SubItem(row, colTrimmedLength), std::string("10"));

        // The next showing starts from the stored range; Cancel stores nothing.
        d->show();
        QCOMPARE(d->StartPoint(), 10 * S);
        QCOMPARE(d->EndPoint(), 20 * S);
        QCOMPARE(d->edtTrimLength->text(), QStringLiteral("00:00:20.000"));
        Type(d->edtStart, QStringLiteral("3"));
        d->btnCancel->click();
        QCOMPARE(record.TrimStart, 10 * S);

        // 10 s .. 10.0005 s: below 1 ms, so no length ("to the end").
        d->show();
        Type(d->edtTrimLength, QStringLiteral("10.0005"));
        QCOMPARE(d->EndPoint(), 10 * S + 500);
        d->btnOk->click();
        QCOMPARE(record.TrimStart, 10 * S);
        QCOMPARE(record.TrimLength, 0);
        QCOMPARE(rows.Files.SubItem(row, colTrimmedLength), std::string("0"));

        // An end within 1 ms of the duration: to the end.
        d->show();
        Type(d->edtStart, QStringLiteral("4"));
        Type(d->edtTrimLength, Seconds(duration - 500));
        QCOMPARE(d->EndPoint(), duration - 500);
        d->btnOk->click();
        QCOMPARE(record.TrimStart, 4 * S);
        QCOMPARE(record.TrimLength, 0);

        // Reset marks the whole file again.
        d->show();
        d->btnDefaultClick();
        QCOMPARE(d->edtStart->text(), QStringLiteral("00:00:00"));
        QCOMPARE(d->trcPreview->SelEnd(), d->trcPreview->maximum());
        d->btnOk->click();
        QCOMPARE(record.TrimStart, 0);
        QCOMPARE(record.TrimLength, 0);
    }

    void typedTimesAreCheckedAndAtZeroSetStartDoesNothing() {
        TSourceRows rows;
        const int row = rows.Add(Long);
        auto d = Show(rows, row);
        QVERIFY(d->FileOpened());
        Type(d->edtStart, QStringLiteral("1:2:3:4"));
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY2(Services.Messages[0].startsWith("Warning|\"1:2:3:4\" is not a time of this file."),
                 qPrintable(Services.Messages[0]));
        QCOMPARE(d->edtStart->text(), QStringLiteral("00:00:00.000"));
        QCOMPARE(d->StartPoint(), 0);
        Type(d->edtTrimLength, QStringLiteral("31"));
        QCOMPARE(Services.Messages.size(), 2);
        QCOMPARE(d->EndPoint(), d->Duration());

        // Rewound to the very start and paused: the position is 0 and Set Start keeps 0.
        Type(d->edtStart, QStringLiteral("5"));
        d->imgbtnpauseClick();
        d->Player().Seek(sfAny, false, 0);
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() == 0, Patience);
        d->btnSetStartClick();
        QCOMPARE(d->StartPoint(), 5 * S);
        QCOMPARE(d->edtStart->text(), QStringLiteral("00:00:05.000"));
        d->btnCancel->click();
    }

    void pointsAreMarkedAtThePlayingPosition() {
        TSourceRows rows;
        const int row = rows.Add(Long);
        auto d = Show(rows, row);
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > S, Patience);
        d->imgbtnpause->click();
        QVERIFY(d->imgbtnPlay->isEnabled() && !d->imgbtnpause->isEnabled());
        QTest::qWait(100); // the last position report
        d->btnSetStart->click();
        const int64_t start = d->Player().Position();
        QCOMPARE(d->StartPoint(), start);
        QCOMPARE(d->edtStart->text(), QString::fromStdString(FormatMediaTime(start)));
        QCOMPARE(d->trcPreview->SelStart(), d->trcPreview->value());
        QVERIFY(d->lblPTS->text().startsWith(QStringLiteral("Time:    00:00:0")));

        d->imgbtnPlay->click();
        QVERIFY(!d->imgbtnPlay->isEnabled() && d->imgbtnpause->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > start + S, Patience);
        d->imgbtnpause->click();
        QTest::qWait(100);
        d->btnSetEnd->click();
        const int64_t end = d->Player().Position();
        QCOMPARE(d->EndPoint(), end);
        QCOMPARE(d->trcPreview->SelEnd(), d->trcPreview->value());
        d->btnOk->click();
        QCOMPARE(rows.Files.Record(row).TrimStart, start);
        QCOMPARE(rows.Files.Record(row).TrimLength, end - start);
        QCOMPARE(rows.Files.SubItem(row, colTrimmedLength), std::to_string((end - start) / S));
    }

    void releasingTheBarSeeks() {
        TSourceRows rows;
        const int row = rows.Add(Long);
        auto d = Show(rows, row);
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > 0, Patience);
        TSelectionBar* bar = d->trcPreview;
        const QPoint middle(bar->width() / 2, bar->height() / 2);
        SendMouse(bar, QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(d->Dragging());
        const int held = bar->value();
        QVERIFY(held > bar->maximum() / 3);
        QTest::qWait(300); // reports do not move a held bar
        QCOMPARE(bar->value(), held);
        SendMouse(bar, QEvent::MouseButtonRelease, middle, Qt::LeftButton, Qt::NoButton);
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > 10 * S, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!d->Dragging(), Patience);
        // Keys move the bar without seeking.
        d->imgbtnpause->click();
        const int64_t before = d->Player().Position();
        bar->setValue(1);
        QTest::qWait(300);
        QVERIFY(d->Player().Position() >= before);
        d->btnCancel->click();
    }

    void theEndRewindsPausesAndDisablesTheBar() {
        TSourceRows rows;
        const int row = rows.Add(Short);
        auto d = Show(rows, row);
        QTRY_VERIFY_WITH_TIMEOUT(d->imgbtnPlay->isEnabled(), Patience);
        QVERIFY(!d->imgbtnpause->isEnabled());
        QVERIFY(!d->trcPreview->isEnabled());
        // The bar is back at the start; the rewound player may then report the position of
        // its first picture (a frame or two in), which moves the bar and the time that little.
        QVERIFY2(d->trcPreview->value() <= d->trcPreview->maximum() / 20,
                 qPrintable(QString::number(d->trcPreview->value())));
        QCOMPARE(d->trcPreview->SelStart(), d->trcPreview->SelEnd());
        QVERIFY2(d->lblPTS->text() == QStringLiteral("00:00:00") ||
                     d->lblPTS->text().startsWith(QStringLiteral("Time:    00:00:00.")),
                 qPrintable(d->lblPTS->text()));
        QCOMPARE(d->lblLength->text(), QStringLiteral("00:00:00"));
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Paused(), Patience);
        // Play goes on from the start.
        d->imgbtnPlay->click();
        QVERIFY(d->trcPreview->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(d->Player().Position() > 0 && !d->Player().Paused(), Patience);
        d->btnCancel->click();
    }

    void captionRule() {
        // Names of exactly 50 and 51 characters need a short folder, whatever TMPDIR is.
        QTemporaryDir dir(QStringLiteral("/tmp/t"));
        QVERIFY(dir.isValid());
        TSourceRows rows;
        auto named = [&](int Length) {
            const QString base = dir.path() + "/";
            const QString name = base + QString(Length - base.length() - 4, 'c') + ".mp4";
            QFile::copy(QString::fromStdString(Short), name);
            return name.toStdString();
        };
        const std::string fifty = named(50);
        const std::string fiftyOne = named(51);
        auto d = std::make_unique<TfrmTrim>(Services);
        d->SetRow(&rows.Files, rows.Add(fifty));
        d->show();
        QCOMPARE(d->windowTitle(), QString::fromStdString(fifty));
        d->btnCancel->click();
        d->SetRow(&rows.Files, rows.Add(fiftyOne));
        d->show();
        QCOMPARE(d->windowTitle(),
                 QStringLiteral("Trim   ") + QString::fromStdString(fiftyOne).left(50) +
                     QStringLiteral("...mp4  "));
        d->btnCancel->click();
    }

    void okAfterAFileThatCannotOpenStoresNothing() {
        TSourceRows rows;
        QTemporaryDir dir;
        const QString broken = dir.filePath("broken.mp4");
        QVERIFY(QFile::copy(QString::fromStdString(Long), broken));
        const int good = rows.Add(Long);
        const int bad = rows.Add(broken.toStdString());
        QVERIFY(bad >= 0);
        // Gone after it was added: the player cannot open it any more.
        QVERIFY(QFile::remove(broken));
        TlvFilesRecord& record = rows.Files.Record(bad);
        record.TrimStart = 7 * S;
        record.TrimLength = 2 * S;
        const std::string column = rows.Files.SubItem(bad, colTrimmedLength);

        auto d = Show(rows, good);
        Type(d->edtStart, QStringLiteral("10"));
        Type(d->edtTrimLength, QStringLiteral("20"));
        d->btnCancel->click();
        // The previous showing's 10 s .. 20 s must not reach the broken file's row.
        d->SetRow(&rows.Files, bad);
        d->show();
        QVERIFY(!d->FileOpened());
        QVERIFY(!d->imgPreview->Current().Bitmap);
        d->btnOk->click();
        QCOMPARE(record.TrimStart, 7 * S);
        QCOMPARE(record.TrimLength, 2 * S);
        QCOMPARE(rows.Files.SubItem(bad, colTrimmedLength), column);

        // No row at all: an empty preview, and OK stores nothing anywhere.
        d->SetRow(&rows.Files, -1);
        d->show();
        QVERIFY(!d->FileOpened());
        d->btnOk->click();
        QCOMPARE(rows.Files.Record(good).TrimStart, 0);
    }

    void manyOpeningsLeaveNoPlayerThreads() {
        TSourceRows rows;
        const int row = rows.Add(Short);
        {
            auto warm = Show(rows, row); // the first showing starts what lives for the process
            QTRY_VERIFY_WITH_TIMEOUT(warm->Player().Position() > 0, Patience);
            warm->btnCancel->click();
        }
        QTest::qWait(200);
        const int before = ThreadCount();
        auto d = std::make_unique<TfrmTrim>(Services);
        d->SetRow(&rows.Files, row);
        for (int i = 0; i < 100; ++i) {
            d->show();
            QVERIFY(d->FileOpened());
            QTest::qWait(1);
            d->btnCancel->click();
        }
        d.reset();
        QTRY_VERIFY_WITH_TIMEOUT(ThreadCount() <= before, Patience);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    TTrimDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "TrimDialogTest.moc"
