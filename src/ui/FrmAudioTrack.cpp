#include "ui/FrmAudioTrack.h"

#include "ui/AccessibleNames.h"

#include "app/FileInfoLogic.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace zelta;

TfrmAudioTrack::TfrmAudioTrack(TSourceListModel& List, int Row, const TTrackRule& Rule,
                               QWidget* Parent)
    : QDialog(Parent), List_(List), Row_(Row),
      Model_(TrackChooserFor(List.Caption(Row), List.Record(Row), Rule)) {
    setObjectName(QStringLiteral("frmAudioTrack"));
    //: Window title of the dialog choosing which audio track converts
    setWindowTitle(tr("Audio Track"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblFile = new QLabel(QString::fromStdString(ShortenSourceName(List.Caption(Row)).Text), this);
    lblFile->setToolTip(QString::fromStdString(List.Caption(Row)));
    lblNote = new QLabel(QString::fromStdString(Model_.Note), this);
    lblNote->setWordWrap(true);
    auto* listLabel = new QLabel(tr("&Audio track to convert:"), this);
    lstTracks = new QListWidget(this);
    lstTracks->setObjectName(QStringLiteral("lstTracks"));
    listLabel->setBuddy(lstTracks);
    for (const std::string& item : Model_.Items)
        lstTracks->addItem(QString::fromStdString(item));
    lstTracks->setCurrentRow(Model_.Selected);

    btnBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(btnBox, &QDialogButtonBox::accepted, this, &TfrmAudioTrack::accept);
    connect(btnBox, &QDialogButtonBox::rejected, this, &TfrmAudioTrack::reject);
    connect(lstTracks, &QListWidget::itemDoubleClicked, this, &TfrmAudioTrack::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile);
    layout->addWidget(lblNote);
    layout->addWidget(listLabel);
    layout->addWidget(lstTracks, 1);
    layout->addWidget(btnBox);
    resize(480, 260);
    NameControls(this);
}

TfrmAudioTrack::~TfrmAudioTrack() = default;

void TfrmAudioTrack::accept() {
    ApplyTrackChoice(List_, Row_, Model_, lstTracks->currentRow());
    QDialog::accept();
}
