// The file information dialog ("File infomation", the list's "Video &Infomation"): container,
// first video and first audio stream of the selected row's source file. Created on first use and
// kept. It owns a probe used only to open and read the file; the file is released when the dialog
// closes. The texts come from app/FileInfoLogic.
//
// Showing raises FFmpegException (through the probe) when the media libraries are not loaded; the
// main window loads them when it is created.
#pragma once

#include "probe/AVProbe.h"

#include <QDialog>
#include <string>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmFileInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFileInfo(QWidget* Parent = nullptr);
    ~TfrmFileInfo() override;

    // The selected row's source file, set before showing; empty when the list is empty or
    // nothing is selected (showing then only clears the labels).
    void SetSourceFile(std::string FileName) { SourceFile_ = std::move(FileName); }

    QLabel* lblSourceName;
    QLabel* lblFileLength;
    QLineEdit* edtFormat;
    QLineEdit* edtResloution;
    QLineEdit* edtFrameRate;
    QLineEdit* edtTotalFrame;
    QLineEdit* edtBitRate;
    QLineEdit* edtAudioForamt;
    QLineEdit* edtSampleRate;
    QLineEdit* edtChannel;
    QLineEdit* edtAudioBitRate;
    QComboBox* cbAudioTracks; // every audio track of the file, to read (choosing changes nothing)
    QPushButton* btn1;

public slots:
    void done(int Result) override;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    QFormLayout* TopForm_ = nullptr; // the file name and duration rows
    void FormShow();
    void FormCloseQuery();

    std::string SourceFile_;
    TAVProbe Probe;
};
