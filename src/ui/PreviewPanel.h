// The main window's preview group: the black video panel the preview player draws into, the
// position bar with the elapsed and total time, Play, Pause, Stop and Snapshot, Mute and the
// volume bar. The panel owns the preview player; its states and snapshot files come from
// app/PreviewLogic.
//
// The main window supplies the selected file (SetFileSource) and answers AddRequested by running
// Add and then calling PlayAfterAdd. Settings ("volume", "mute", the snapshot keys) are read from
// and written to the global object's settings file while one exists.
//
// Thread: GUI thread only. The player reports its events on the main thread, so its handlers
// touch the widgets directly. The player is stopped (with waiting) before the panel goes.
#pragma once

#include "app/IniFile.h"
#include "app/PreviewLogic.h"
#include "app/UserPrompts.h"
#include "player/FFPlayer.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;
class TDialogServices;
class TVideoView;

// Answers the application core's prompts with the windows' message boxes (never owned; the
// services must outlive it).
class TServicesPrompts : public zelta::TUserPrompts {
public:
    TServicesPrompts(const TDialogServices& Services, QWidget* Parent)
        : Services_(Services), Parent_(Parent) {}
    void ShowMessage(std::string_view Caption, std::string_view Text) override;
    bool AskYesNo(std::string_view Caption, std::string_view Text) override;

private:
    const TDialogServices& Services_;
    QWidget* Parent_;
};

class TPreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPanel(QWidget* Parent = nullptr);
    ~TPreviewPanel() override;

    // The file of the selected row (the first row when none is selected, which the source then
    // selects); "" when the list is empty.
    void SetFileSource(std::function<std::string()> SelectedFile);
    // Message boxes and the opening of the snapshot folder (default: the real desktop). Must
    // outlive the panel.
    void SetServices(const TDialogServices& Services);

    // The buttons' commands; Stop is also what the main window runs before trimming, cropping,
    // effects, Start, and when Remove or Clear empty the list.
    void Play();
    void Pause();
    void Stop();
    void Snapshot();
    bool PlayerStopped() const { return State_.PlayerStopped(); }
    bool PlayerPaused() const { return State_.PlayerPaused(); }
    // Plays once after an Add that Play asked for (when the list now has a file).
    void PlayAfterAdd();
    // The Add that Play asked for was cancelled: a later Add must not start playing.
    void CancelPlayAfterAdd() { PlayAfterAdd_ = false; }
    // The first showing's "volume" and "mute" values.
    void LoadStoredSettings(const zelta::TIniFile& Settings);

    TFFPlayer& Player() { return *FFPlayer; }
    int64_t MediaDuration() const { return MediaDuration_; }
    bool Seeking() const { return Seeking_; }

    TVideoView* pan1;
    QSlider* trcPreview;
    QLabel* lblTime;
    QLabel* lblPTS;
    QToolButton* imgbtnPlay;
    QToolButton* imgbtnPause;
    QToolButton* imgbtnStop;
    QToolButton* imgbtnSnap;
    QCheckBox* ckMute;
    QSlider* trcVolume;

signals:
    // Play found an empty list: the main window runs Add, then calls PlayAfterAdd().
    void AddRequested();
    // A line for the main window's log memo.
    void LogLine(const QString& Line);
    // A snapshot was written (after the folder was opened); for the status of the caller.
    void SnapshotWritten(const zelta::TSnapshotResult& Result);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight, int& AScreenWidth,
                          int& AScreenHeight);
    void FFPlayerPosition(int64_t APTS);
    void FFPlayerState(TPlayState AState);
    void ckMuteClick();
    void trcVolumeChange(int Value);
    void trcVolumeMouseUp();
    void ApplyButtons();
    void ResetPosition();
    std::unique_ptr<zelta::TIniFile> Settings() const;

    std::unique_ptr<TFFPlayer> FFPlayer;
    std::function<std::string()> SelectedFile_;
    const TDialogServices* Services_;
    zelta::TPreviewStateMachine State_;
    bool Seeking_ = false;
    bool LoadingVolume_ = false; // the stored value is being shown: nothing to store
    bool PlayAfterAdd_ = false;
    int64_t MediaDuration_ = 0;
    TVideoView* OutputPanel_ = nullptr; // set when Play starts a file
    QTimer* SeekHold_;                  // clears Seeking_ 300 ms after a seek
};
