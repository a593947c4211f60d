// The main window. This is the shell the later windows' work fills: fixed size, caption,
// the hidden log memo, the output folder box and the preview's volume and Mute controls.
// Creation, first showing and closing follow the designed order; the settings and library work
// lives in app/MainFormLogic.
#pragma once

#include "engine/FFUtils.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* Parent = nullptr);
    ~TfrmMain() override;

    QPlainTextEdit* mmoLog;   // hidden log: library load failures land here
    QLineEdit* edtOutputDir;  // output folder box
    QSlider* tbVolume;        // preview volume 0..128
    QCheckBox* chkMute;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();

    bool Shown_ = false;
    bool Closed_ = false;
    std::unique_ptr<TBitmap24> PreviewFrame;
};
