#include "ui/FrmFileInfo.h"

#include "ui/AccessibleNames.h"

#include "app/FileInfoLogic.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace zelta;

namespace {

QString Text(const std::string& S) { return QString::fromStdString(S); }

QLineEdit* InfoBox(QWidget* Parent) {
    auto* box = new QLineEdit(Parent);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    box->setPalette(palette);
    return box;
}

} // namespace

TfrmFileInfo::TfrmFileInfo(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("frmFileInfo"));
    setWindowTitle(tr("File infomation"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblSourceName = new QLabel(this);
    lblFileLength = new QLabel(this);
    auto* top = new QFormLayout;
    TopForm_ = top;
    top->addRow(tr("File Name:"), lblSourceName);
    //: The file's playing length
    top->addRow(tr("Duration:"), lblFileLength);

    //: Group of the file's video stream details
    auto* video = new QGroupBox(tr("Video "), this);
    auto* videoForm = new QFormLayout(video);
    edtFormat = InfoBox(video);
    edtResloution = InfoBox(video);
    edtFrameRate = InfoBox(video);
    edtTotalFrame = InfoBox(video);
    edtBitRate = InfoBox(video);
    //: The video stream's codec
    videoForm->addRow(tr("Format:"), edtFormat);
    videoForm->addRow(tr("Resloution:"), edtResloution);
    videoForm->addRow(tr("Frame Rate:"), edtFrameRate);
    //: The number of frames of the video stream
    videoForm->addRow(tr("Total Frame:"), edtTotalFrame);
    videoForm->addRow(tr("Bit Rate:"), edtBitRate);

    //: Group of the file's audio stream details
    auto* audio = new QGroupBox(tr("Audio"), this);
    auto* audioForm = new QFormLayout(audio);
    edtAudioForamt = InfoBox(audio);
    edtSampleRate = InfoBox(audio);
    edtChannel = InfoBox(audio);
    edtAudioBitRate = InfoBox(audio);
    audioForm->addRow(tr("Format:"), edtAudioForamt);
    audioForm->addRow(tr("Sample Rate:"), edtSampleRate);
    //: The audio stream's channel layout (mono, stereo, ...)
    audioForm->addRow(tr("Channel:"), edtChannel);
    audioForm->addRow(tr("Bit Rate:"), edtAudioBitRate);
    cbAudioTracks = new QComboBox(audio);
    cbAudioTracks->setObjectName(QStringLiteral("cbAudioTracks"));
    //: The file's audio tracks
    audioForm->addRow(tr("Tracks:"), cbAudioTracks);

    btn1 = new QPushButton(tr("&Ok"), this);
    btn1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btn1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(video);
    layout->addWidget(audio);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btn1, &QPushButton::clicked, this, &TfrmFileInfo::accept);
    NameControls(this);
}

TfrmFileInfo::~TfrmFileInfo() = default;

void TfrmFileInfo::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FormShow();
}

void TfrmFileInfo::FormShow() {
    setFixedSize(420, 460);
    lblSourceName->clear();
    lblSourceName->setMinimumWidth(0);
    lblFileLength->clear();
    btn1->setFocus(); // not a box: a focused box shows its text selected
    cbAudioTracks->clear();
    if (SourceFile_.empty()) {
        for (QLineEdit* box : findChildren<QLineEdit*>())
            box->clear();
        return;
    }

    Probe.Close();
    Probe.Open(SourceFile_); // a failure shows the name and "n/a" everywhere else
    const TFileInfoTexts t = DescribeFileInfo(Probe, SourceFile_);
    lblSourceName->setText(Text(t.SourceName));
    // At least the designed width; the dialog's own width lets the shortened name show whole.
    if (t.SourceNameShortened)
        lblSourceName->setMinimumWidth(std::max(270, lblSourceName->sizeHint().width()));
    lblFileLength->setText(Text(t.FileLength));
    edtFormat->setText(Text(t.Format));
    edtResloution->setText(Text(t.Resolution));
    edtBitRate->setText(Text(t.BitRate));
    edtFrameRate->setText(Text(t.FrameRate));
    edtTotalFrame->setText(Text(t.TotalFrame));
    edtAudioBitRate->setText(Text(t.AudioBitRate));
    edtSampleRate->setText(Text(t.SampleRate));
    edtChannel->setText(Text(t.Channel));
    edtAudioForamt->setText(Text(t.AudioFormat));
    for (const std::string& track : t.AudioTracks)
        cbAudioTracks->addItem(Text(track));
    if (t.AudioTracks.empty()) {
        //: Not applicable: the file has no audio track
        cbAudioTracks->addItem(tr("n/a"));
    }
    // Wider than designed when a language's captions leave the name less room.
    // Wider than designed when a language's caption leaves the name less room.
    const QMargins m = layout()->contentsMargins();
    const QWidget* caption = TopForm_->labelForField(lblSourceName);
    const int needed = m.left() + m.right() + (caption ? caption->sizeHint().width() : 0) +
                       std::max(6, TopForm_->horizontalSpacing()) + lblSourceName->minimumWidth();
    setFixedSize(std::max(420, needed), 460);
}

void TfrmFileInfo::FormCloseQuery() {
    Probe.Close();
}

void TfrmFileInfo::done(int Result) {
    FormCloseQuery();
    QDialog::done(Result);
}
