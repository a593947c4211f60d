// The splash window: a borderless picture centred on the screen while the program starts. It
// closes itself on the first tick of its one-second timer after the main window is showing.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class TfrmCover : public QWidget {
    Q_OBJECT
public:
    // CoverFile, when it names a readable picture, replaces the built-in one.
    explicit TfrmCover(const QString& CoverFile, QWidget* Parent = nullptr);

    // The window whose showing closes the splash.
    void SetMainWindow(QWidget* Main) { Main_ = Main; }
    const QImage& Picture() const { return Picture_; }

    static QImage BuiltInPicture();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FormCreate(const QString& CoverFile);
    void FormShow();
    void tmr1Timer();

    QLabel* imgCover;
    QTimer tmr1;
    QImage Picture_;
    QPointer<QWidget> Main_;
};
