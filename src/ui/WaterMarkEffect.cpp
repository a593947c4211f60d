// The watermark dialog's Effect page: the brightness, contrast, saturation and exposure sliders
// with their spin edits (and the hidden controls kept for stored states), Reset, and the frame
// settings the player's hook applies.

#include "ui/FrmWaterMark.h"
#include "ui/WaterMarkParts.h"

#include "app/PreviewLogic.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <initializer_list>

using namespace zelta;
using namespace wmdialog;

namespace {

// A spin edit worked with its arrows only.
class TArrowSpin : public QSpinBox {
public:
    explicit TArrowSpin(QWidget* Parent) : QSpinBox(Parent) { lineEdit()->setReadOnly(true); }
};

} // namespace

void TfrmWaterMark::BuildEffectPage()
{
    QWidget* P = tsEffect;
    struct TRow {
        QSlider** Slider;
        QSpinBox** Spin;
        const char* Name;
        const char* Caption;
        const char* Hint;
        int Min, Max;
    };
    const TRow Rows[] = {
        {&trcBrightness, &spedtBrightness, "Brightness", QT_TR_NOOP("Brightness:"),
         QT_TR_NOOP("Brightness value"), 0, 512},
        {&trcContrast, &spedtContrast, "Contrast", QT_TR_NOOP("Contrast:"), QT_TR_NOOP("Contrast value"),
         -100, 100},
        {&trcSaturation, &spedtSaturation, "Saturation", QT_TR_NOOP("Saturation:"),
         QT_TR_NOOP("Saturation value"), 0, 512},
        {&trcExposure, &spedtExposure, "Exposure", QT_TR_NOOP("Exposure:"), QT_TR_NOOP("Exposure value"),
         -255, 512},
        {&trcAutoadjust, &spedtAutoadjust, "Autoadjust", QT_TR_NOOP("Auto adjust:"),
         QT_TR_NOOP("Auto adjust value"), 0, 10},
    };
    int Y = 8;
    for (const TRow& R : Rows) {
        const QString Name = QString::fromLatin1(R.Name);
        *R.Slider = Slider(P, "trc" + Name, R.Min, R.Max, QRect(8, Y + 26, 298, 22));
        *R.Spin = new TArrowSpin(P);
        (*R.Spin)->setObjectName("spedt" + Name);
        (*R.Spin)->setRange(R.Min, R.Max);
        (*R.Spin)->setGeometry(226, Y, 80, 22);
        (*R.Spin)->setToolTip(tr(R.Hint));
        Label(P, tr(R.Caption), QRect(8, Y, 150, 22), *R.Slider);
        QSlider* S = *R.Slider;
        QSpinBox* E = *R.Spin;
        connect(S, &QSlider::valueChanged, E, &QSpinBox::setValue);
        connect(E, &QSpinBox::valueChanged, S, &QSlider::setValue);
        connect(S, &QSlider::valueChanged, this, &TfrmWaterMark::EffectChanged);
        Y += 60;
    }
    //: Button: puts the picture effects back to neutral
    btnReset = new QPushButton(tr("Reset"), P);
    btnReset->setObjectName(QStringLiteral("btnReset"));
    btnReset->setAutoDefault(false);
    btnReset->setGeometry(8, 256, 80, 26);
    connect(btnReset, &QPushButton::clicked, this, &TfrmWaterMark::btnResetClick);

    // Kept for the stored states; they do not change the picture.
    rbAudioAdjust = new QRadioButton(tr("Audio adjust"), P);
    rbAudioAdjust->setObjectName(QStringLiteral("rbAudioAdjust"));
    rbAudioAdjust->setGeometry(8, 300, 140, 22);
    chkProcessText = new QCheckBox(tr("Process  Added Text"), P);
    chkProcessText->setObjectName(QStringLiteral("chkProcessText"));
    chkProcessText->setGeometry(8, 330, 200, 22);
    chkProcessImage = new QCheckBox(tr("Process  Added Image"), P);
    chkProcessImage->setObjectName(QStringLiteral("chkProcessImage"));
    chkProcessImage->setGeometry(8, 356, 200, 22);
    for (QWidget* W : std::initializer_list<QWidget*>{trcAutoadjust, spedtAutoadjust, rbAudioAdjust,
                                                      chkProcessText, chkProcessImage})
        W->hide();
    for (QObject* O : P->children())
        if (auto* L = qobject_cast<QLabel*>(O); L && L->buddy() == trcAutoadjust)
            L->hide();
    // The adjustments are honoured by the conversion, so the page is worked like the other.
    tsEffect->setEnabled(true);
}

void TfrmWaterMark::EffectChanged()
{
    TEffectValues V;
    V.Brightness = trcBrightness->value();
    V.Contrast = trcContrast->value();
    V.Saturation = trcSaturation->value();
    V.Exposure = trcExposure->value();
    FrameSettings_.SetEffects(V);
}

void TfrmWaterMark::btnResetClick()
{
    trcBrightness->setValue(NeutralBrightness);
    trcContrast->setValue(NeutralContrast);
    trcSaturation->setValue(NeutralSaturation);
    trcExposure->setValue(NeutralExposure);
    chkProcessText->setChecked(false);
    chkProcessImage->setChecked(false);
}
