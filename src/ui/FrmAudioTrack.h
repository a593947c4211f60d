// The audio track chooser ("Audio Track"): which audio track of the selected row's file converts,
// or "Follow the rule" of the preferences. A new one for every opening; OK writes the choice
// into the row (app/AudioTrackChooser), Cancel leaves it.
#pragma once

#include "app/AudioTrackChooser.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

class TfrmAudioTrack : public QDialog {
    Q_OBJECT
public:
    // List and Row must outlive the dialog; Row must be a row of List.
    TfrmAudioTrack(zelta::TSourceListModel& List, int Row, const zelta::TTrackRule& Rule,
                   QWidget* Parent = nullptr);
    ~TfrmAudioTrack() override;

    QLabel* lblFile;
    QLabel* lblNote;
    QListWidget* lstTracks;
    QDialogButtonBox* btnBox;

public slots:
    void accept() override;

private:
    zelta::TSourceListModel& List_;
    int Row_;
    zelta::TTrackChooserModel Model_;
};
