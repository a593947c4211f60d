// TfrmWaterMark: the modal "Water Mark" dialog for one source file. On its "Watermark" page the
// user builds an ordered list of text and picture layers over the playing video (add, rename in
// place, style, move and resize with the mouse or the sliders, opacity, time range on the
// two-thumb bar, reorder, delete); on its "Effect" page the brightness, contrast, saturation and
// exposure. OK writes the layers and the effect values into the file's record; Cancel and every
// other way of closing leave the record untouched.
//
// The dialog plays the file with its own player. The player's hook runs on its video thread:
// it asks the layer schedule which layers its frame shows, draws the crop frame and the
// adjustments on the frame and posts it to the layered view; it touches no widget. The rows
// live in app/WaterMarkLogic (TWaterMarkLayers); the window only shows them.
//
// The window is in FrmWaterMark.cpp, the Watermark page with its layer list in
// WaterMarkLayerList.cpp, the Effect page in WaterMarkEffect.cpp.
//
// One object per opening: construct, exec(), destroy. Main thread only; Services must outlive
// the dialog.
#pragma once

#include "app/SourceList.h"
#include "app/WaterMarkLogic.h"
#include "player/FFPlayer.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QWidget;
class TDialogServices;
class TTrackBar2;
class TVideoView;
class TWaterMarkPreview;

class TfrmWaterMark : public QDialog {
    Q_OBJECT
public:
    // Record is the selected row's record; it is changed only by OK.
    TfrmWaterMark(zelta::TlvFilesRecord& Record, const TDialogServices& Services,
                  QWidget* Parent = nullptr);
    ~TfrmWaterMark() override;

    // Asks for a picture file; "" when cancelled. The default shows the file dialog.
    void SetPictureChooser(std::function<QString(QWidget* Parent)> Chooser);

    const zelta::TWaterMarkLayers& Layers() const { return Layers_; }
    TFFPlayer& Player() { return *FFPlayer; }
    int64_t Duration() const { return Duration_; }
    // The selected row; -1 when none.
    int SelectedRow() const;
    // The layer id of the selected layer; -1 when none.
    int SelectedLayer() const { return SelectedLayer_; }
    // How long the player's hook took per frame so far (for measurements).
    struct THookTimes {
        int Count = 0;
        double TotalMs = 0;
        double MaxMs = 0;
    };
    THookTimes HookTimes() const;

    // ---- controls ----
    TVideoView* imgPreview;     // the player's panel (Effect page)
    TWaterMarkPreview* ImgView; // the layered view (Watermark page)
    QLabel* lblPTS;
    QLabel* lblLength;
    QToolButton* spdBtnPlay;
    QToolButton* spdBtnPause;
    QSlider* trcPreview;
    QTabWidget* pageControl1;
    QWidget* tsWatermark;
    QWidget* tsEffect;

    QPushButton* btnAddText;
    QPushButton* btnAddImage;
    QPushButton* btnDelete;
    QPushButton* btnUp;
    QPushButton* btnDown;
    QListWidget* lsbox;
    QLineEdit* edt1;
    QSlider* trcTextHoriz;
    QLineEdit* edtTextHoriz;
    QSlider* trcTextVert;
    QLineEdit* edtTextVert;
    QSlider* trcTextTran;
    QLineEdit* edtTextTran;
    TTrackBar2* trcRange;
    QLineEdit* edtStart;
    QLineEdit* edtEnd;
    QToolButton* btnStartUp1;
    QToolButton* btnStartUpStartDown;
    QToolButton* btnStartUpEndUp;
    QToolButton* btnStartUpEndDown;
    QComboBox* colorBoxcmb;
    QComboBox* fontCmb;
    QComboBox* fontSizeCmb;
    QCheckBox* chkBold;
    QCheckBox* chkItalic;
    QCheckBox* chkUnderline;
    QCheckBox* chkStrikeOut;
    QRadioButton* rb1;
    QRadioButton* rb2;
    QComboBox* colorBoxbackground;

    QSlider* trcBrightness;
    QSpinBox* spedtBrightness;
    QSlider* trcContrast;
    QSpinBox* spedtContrast;
    QSlider* trcSaturation;
    QSpinBox* spedtSaturation;
    QSlider* trcExposure;
    QSpinBox* spedtExposure;
    QSlider* trcAutoadjust;      // hidden
    QSpinBox* spedtAutoadjust;   // hidden
    QRadioButton* rbAudioAdjust; // hidden
    QCheckBox* chkProcessText;   // hidden
    QCheckBox* chkProcessImage;  // hidden
    QPushButton* btnReset;

    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    // ---- handlers (public so that tests can drive them as the controls do) ----
    void btnAddTextClick();
    void btnAddImageClick();
    void btnDeleteClick();
    void btnUpClick();
    void btnDownClick();
    void lsboxClick();
    void lsboxDblClick();
    void edt1Change();
    void edt1Exit();
    void AddText();
    void btnOkClick();
    void btnCancelClick();
    void btnResetClick();
    void spdBtnPlayClick();
    void spdBtnPauseClick();
    void pageControl1Change(int Index);

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void done(int Result) override;

private:
    // The layer buttons, the list and its in-place editor (WaterMarkLayerList.cpp).
    void BuildLayerList();
    void BuildWatermarkPage();
    void BuildEffectPage();
    void FormShow();
    void FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight, int& AScreenWidth,
                          int& AScreenHeight);
    void FFPlayerPosition(int64_t APTS);
    void FFPlayerState(TPlayState AState);
    // Video thread.
    void FFPlayerHook(TBitmap24& ABitmap, int64_t APTS);

    void RestoreLayers();
    // Builds the view's layer of row Index; false (and nothing added) when its picture cannot be
    // loaded, with the reason in Error.
    bool BuildLayer(int Index, std::string& Error);
    void AddRow(const zelta::TWmItemRec& Row);
    void SelectRow(int Index, bool SelectLayer);
    void SelectLayer(int Id);
    void RenderText(int Index);
    void Publish();
    zelta::TWmFont ChosenFont() const;
    void SetStyleControlsForText(bool Text);
    void ShowRange(int Start, int End);
    void StyleChanged(const std::function<void(zelta::TWmItemRec&)>& Change);
    void ApplyPosition();
    void trcTextHorizChange(int Value);
    void trcTextVertChange(int Value);
    void trcTextTranChange(int Value);
    void trcRangeChange();
    void MoveRange(int DeltaStart, int DeltaEnd);
    void MoveSelected(bool Up);
    void LayerDragged(int Id, zelta::TLayerRect Rect);
    void EffectChanged();
    void ReleaseLayers();
    void StopPlayer(bool Wait);

    zelta::TlvFilesRecord& Record_;
    const TDialogServices& Services_;
    std::function<QString(QWidget*)> PictureChooser_;
    std::unique_ptr<TFFPlayer> FFPlayer;
    zelta::TWaterMarkLayers Layers_;
    zelta::TLayerSchedule Schedule_;
    zelta::TPreviewFrameSettings FrameSettings_;
    std::atomic<bool> ViewShown_{true}; // the Watermark page is in front
    mutable std::mutex HookTimesLock_;  // guards HookTimes_
    THookTimes HookTimes_;
    int64_t Duration_ = 0;
    int SelectedLayer_ = -1;
    int EditedRow_ = -1;
    bool Shown_ = false;
    bool Restored_ = false;
    bool Seeking_ = false;
    bool Loading_ = false; // controls being filled from a row: no write-back
};
