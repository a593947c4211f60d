// The watermark dialog's Watermark page and its layer list: the list's rows and their editing
// in place, the page's position, transparency, time range and text style controls, adding,
// deleting and reordering layers, and keeping the layered view and the player's layer schedule
// in step with the rows.

#include "ui/FrmWaterMark.h"
#include "ui/CaptionFit.h"
#include "ui/WaterMarkParts.h"

#include "app/PreviewLogic.h"
#include "effects/FrameEffects.h"
#include "effects/LayerPictures.h"
#include "ui/DialogServices.h"
#include "ui/TrackBar2.h"
#include "ui/WaterMarkPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QToolButton>

#include <cstdio>
#include <memory>

using namespace zelta;
using namespace wmdialog;

namespace {

constexpr int RowHeight = 24;
constexpr int KindRole = Qt::UserRole + 1;

// The colour box's standard list; the defaults take entry 12 for the text and 2 for the
// background.
struct TNamedColor {
    // The name as the translation knows it: the English text and "colour name".
    struct {
        const char* Source;
        const char* Comment;
    } Name;
    TColor Color;
};
constexpr TNamedColor StandardColors[] = {
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Black", "colour name"), RGBColor(0, 0, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Maroon", "colour name"), RGBColor(128, 0, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Green", "colour name"), RGBColor(0, 128, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Olive", "colour name"), RGBColor(128, 128, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Navy", "colour name"), RGBColor(0, 0, 128)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Purple", "colour name"), RGBColor(128, 0, 128)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Teal", "colour name"), RGBColor(0, 128, 128)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Gray", "colour name"), RGBColor(128, 128, 128)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Silver", "colour name"), RGBColor(192, 192, 192)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Red", "colour name"), RGBColor(255, 0, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Lime", "colour name"), RGBColor(0, 255, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Yellow", "colour name"), RGBColor(255, 255, 0)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Blue", "colour name"), RGBColor(0, 0, 255)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Fuchsia", "colour name"), RGBColor(255, 0, 255)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Aqua", "colour name"), RGBColor(0, 255, 255)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "White", "colour name"), RGBColor(255, 255, 255)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Money Green", "colour name"), RGBColor(192, 220, 192)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Sky Blue", "colour name"), RGBColor(166, 202, 240)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Cream", "colour name"), RGBColor(255, 251, 240)},
    {QT_TRANSLATE_NOOP3("TfrmWaterMark", "Medium Gray", "colour name"), RGBColor(160, 160, 164)},
};
constexpr int DefaultTextColor = 12;
constexpr int DefaultBackColor = 2;
constexpr int DefaultSizeIndex = 19;
constexpr int DefaultTransparency = 125;

QColor ToQColor(TColor C) { return QColor(ColorRed(C), ColorGreen(C), ColorBlue(C)); }

QIcon Swatch(TColor C)
{
    QPixmap P(14, 14);
    P.fill(ToQColor(C));
    QPainter Painter(&P);
    Painter.setPen(Qt::black);
    Painter.drawRect(0, 0, 13, 13);
    return QIcon(P);
}

QComboBox* ColorBox(QWidget* Parent, const QString& Name)
{
    auto* Box = new QComboBox(Parent);
    Box->setObjectName(Name);
    for (const TNamedColor& C : StandardColors) {
        const QString Shown = QCoreApplication::translate("TfrmWaterMark", C.Name.Source, C.Name.Comment);
        Box->addItem(Swatch(C.Color), Shown, QVariant::fromValue(uint(C.Color)));
    }
    return Box;
}

TColor BoxColor(const QComboBox* Box)
{
    return TColor(Box->currentData().toUInt());
}

void SelectColor(QComboBox* Box, TColor Color)
{
    int Index = Box->findData(QVariant::fromValue(uint(Color)));
    if (Index < 0) {
        char Name[16];
        std::snprintf(Name, sizeof Name, "#%02X%02X%02X", ColorRed(Color), ColorGreen(Color),
                      ColorBlue(Color));
        Box->addItem(Swatch(Color), QString::fromLatin1(Name), QVariant::fromValue(uint(Color)));
        Index = Box->count() - 1;
    }
    Box->setCurrentIndex(Index);
}

QPixmap RowIcon(int Kind)
{
    QPixmap P(16, 16);
    P.fill(Qt::transparent);
    QPainter Painter(&P);
    if (Kind == WmKindText) {
        QFont F;
        F.setPixelSize(14);
        F.setBold(true);
        Painter.setFont(F);
        Painter.setPen(QColor(40, 60, 140));
        Painter.drawText(P.rect(), Qt::AlignCenter, QStringLiteral("T"));
    } else {
        Painter.fillRect(1, 2, 14, 12, QColor(166, 202, 240));
        Painter.setBrush(QColor(60, 140, 60));
        Painter.setPen(Qt::NoPen);
        Painter.drawPolygon(QPolygon({QPoint(1, 13), QPoint(6, 7), QPoint(10, 11), QPoint(12, 9),
                                      QPoint(15, 13)}));
        Painter.setPen(QColor(80, 80, 80));
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(1, 2, 13, 11);
    }
    return P;
}

// Rows 24 pixels high: the focused row filled and framed in blue, the others light grey, the
// kind's icon at the left and the text cut with an ellipsis.
class TLayerRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override
    {
        return {Option.rect.width(), RowHeight};
    }
    void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        const QRect R = Option.rect;
        if (Option.state & QStyle::State_Selected) {
            P->fillRect(R.adjusted(2, 2, -2, -2), QColor(185, 204, 236));
            P->setPen(QColor(122, 160, 218));
            P->setBrush(Qt::NoBrush);
            P->drawRect(R.adjusted(2, 2, -3, -3));
        } else {
            P->fillRect(R, QColor(246, 247, 248));
        }
        const QPixmap Icon = RowIcon(Index.data(KindRole).toInt());
        P->drawPixmap(R.left() + 3, R.top() + (R.height() - Icon.height()) / 2, Icon);
        const QRect TextRect = R.adjusted(24, 0, -4, 0);
        const QString Text = Option.fontMetrics.elidedText(Index.data().toString(), Qt::ElideRight,
                                                           TextRect.width());
        P->setPen(QColor(0, 0, 0));
        P->drawText(TextRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Text);
    }
};

QLineEdit* ValueBox(QWidget* Parent, const QString& Name, const QString& Hint, const QRect& Geometry)
{
    auto* E = new QLineEdit(Parent);
    E->setObjectName(Name);
    E->setReadOnly(true);
    E->setToolTip(Hint);
    E->setGeometry(Geometry);
    return E;
}

QToolButton* ArrowButton(QWidget* Parent, const QString& Name, Qt::ArrowType Arrow,
                         const QString& Hint, const QRect& Geometry)
{
    auto* B = new QToolButton(Parent);
    B->setObjectName(Name);
    B->setArrowType(Arrow);
    B->setToolTip(Hint);
    B->setGeometry(Geometry);
    B->setAutoRepeat(true);
    return B;
}

// A layer picture with its coverage as the alpha channel.
QImage PictureImage(const TLayerPicture& Picture)
{
    const TBitmap24& P = Picture.Pixels;
    if (Picture.Alpha.empty())
        return BitmapImage(P);
    QImage Image(P.Width(), P.Height(), QImage::Format_ARGB32);
    for (int Y = 0; Y < P.Height(); ++Y) {
        const uint8_t* In = P.ScanLine(Y);
        const uint8_t* Cover = Picture.Alpha.data() + size_t(Y) * size_t(P.Width());
        QRgb* Out = reinterpret_cast<QRgb*>(Image.scanLine(Y));
        for (int X = 0; X < P.Width(); ++X, In += 3)
            Out[X] = qRgba(In[2], In[1], In[0], Cover[X]);
    }
    return Image;
}

TWmRec TextRecord(const TWmItemRec& Row)
{
    TWmRec R;
    R.Text = Row.Text;
    R.Font = std::make_unique<TWmFont>(Row.Font);
    R.TextWidth = WholePixel(Row.Rect.Width);
    R.TextHeight = WholePixel(Row.Rect.Height);
    R.BackColor = Row.BackColor;
    R.BackFilled = Row.BackFilled;
    return R;
}

} // namespace

// ---- the page ----

void TfrmWaterMark::BuildLayerList()
{
    btnAddText = new QPushButton(tr("Add Text"), this);
    btnAddImage = new QPushButton(tr("Add Image"), this);
    //: Button: deletes the selected layer
    btnDelete = new QPushButton(tr("Delete"), this);
    //: Button: moves the selected layer up the list
    btnUp = new QPushButton(tr("Up"), this);
    //: Button: moves the selected layer down the list
    btnDown = new QPushButton(tr("Down"), this);
    int X = 8;
    for (QPushButton* B : {btnAddText, btnAddImage, btnDelete, btnUp, btnDown}) {
        B->setGeometry(X, 398, 84, 26);
        B->setAutoDefault(false);
        X += 89;
    }
    btnAddText->setObjectName(QStringLiteral("btnAddText"));
    btnAddImage->setObjectName(QStringLiteral("btnAddImage"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnUp->setObjectName(QStringLiteral("btnUp"));
    btnDown->setObjectName(QStringLiteral("btnDown"));
    connect(btnAddText, &QPushButton::clicked, this, &TfrmWaterMark::btnAddTextClick);
    connect(btnAddImage, &QPushButton::clicked, this, &TfrmWaterMark::btnAddImageClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmWaterMark::btnDeleteClick);
    connect(btnUp, &QPushButton::clicked, this, &TfrmWaterMark::btnUpClick);
    connect(btnDown, &QPushButton::clicked, this, &TfrmWaterMark::btnDownClick);

    lsbox = new QListWidget(this);
    lsbox->setObjectName(QStringLiteral("lsbox"));
    lsbox->setAccessibleName(tr("Layers"));
    lsbox->setGeometry(8, 430, 440, 130);
    lsbox->setItemDelegate(new TLayerRowDelegate(lsbox));
    lsbox->setUniformItemSizes(true);
    connect(lsbox, &QListWidget::itemClicked, this, [this] { lsboxClick(); });
    connect(lsbox, &QListWidget::itemDoubleClicked, this, [this] { lsboxDblClick(); });
    lsbox->installEventFilter(this);
    edt1 = new QLineEdit(lsbox->viewport());
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setToolTip(tr("Layer text"));
    QFont EditFont = edt1->font();
    EditFont.setPointSize(11);
    edt1->setFont(EditFont);
    edt1->hide();
    connect(edt1, &QLineEdit::textEdited, this, &TfrmWaterMark::edt1Change);
    connect(edt1, &QLineEdit::editingFinished, this, &TfrmWaterMark::edt1Exit);
}

void TfrmWaterMark::BuildWatermarkPage()
{
    QWidget* P = tsWatermark;
    trcTextHoriz = Slider(P, QStringLiteral("trcTextHoriz"), 0, 100, QRect(8, 30, 298, 22));
    Label(P, tr("Horizontal Position:"), QRect(8, 8, 160, 20), trcTextHoriz);
    edtTextHoriz = ValueBox(P, QStringLiteral("edtTextHoriz"), tr("Horizontal position value"),
                            QRect(246, 6, 60, 22));
    trcTextVert = Slider(P, QStringLiteral("trcTextVert"), 0, 100, QRect(8, 78, 298, 22));
    Label(P, tr("Vertical Position:"), QRect(8, 56, 160, 20), trcTextVert);
    edtTextVert = ValueBox(P, QStringLiteral("edtTextVert"), tr("Vertical position value"),
                           QRect(246, 54, 60, 22));
    trcTextTran = Slider(P, QStringLiteral("trcTextTran"), 0, 255, QRect(8, 126, 298, 22));
    Label(P, tr("Transparency:"), QRect(8, 104, 160, 20), trcTextTran);
    edtTextTran = ValueBox(P, QStringLiteral("edtTextTran"), tr("Transparency value"),
                           QRect(246, 102, 60, 22));
    trcTextHoriz->setEnabled(false);
    trcTextVert->setEnabled(false);
    connect(trcTextHoriz, &QSlider::valueChanged, this, &TfrmWaterMark::trcTextHorizChange);
    connect(trcTextVert, &QSlider::valueChanged, this, &TfrmWaterMark::trcTextVertChange);
    connect(trcTextTran, &QSlider::valueChanged, this, &TfrmWaterMark::trcTextTranChange);

    Label(P, tr("Set the period of time when a watermark will be \nshow in the video"),
          QRect(8, 154, 298, 34));
    trcRange = new TTrackBar2(P);
    trcRange->setObjectName(QStringLiteral("trcRange"));
    trcRange->setAccessibleName(tr("Time range"));
    trcRange->setGeometry(8, 190, 298, 40);
    trcRange->SetSecondThumb(true);
    trcRange->SetThumbStyle(tsRaisedRectangle);
    trcRange->SetThumbSize(18);
    trcRange->SetTickOrientation(toBottomRight);
    trcRange->SetTickStyle(tiLine);
    trcRange->SetTickSize(4);
    trcRange->SetTrackSize(6);
    trcRange->SetMin(0);
    trcRange->SetMax(1);
    trcRange->SetPositions(0, 1);
    connect(trcRange, &TTrackBar2::Change, this, &TfrmWaterMark::trcRangeChange);

    edtStart = ValueBox(P, QStringLiteral("edtStart"), QString(), QRect(78, 236, 64, 22));
    Label(P, tr("Start time:"), QRect(8, 236, 70, 22), edtStart);
    btnStartUp1 = ArrowButton(P, QStringLiteral("btnStartUp1"), Qt::UpArrow,
                              tr("Start time one second later"), QRect(143, 236, 16, 11));
    btnStartUpStartDown = ArrowButton(P, QStringLiteral("btnStartUpStartDown"), Qt::DownArrow,
                                      tr("Start time one second earlier"),
                                      QRect(143, 247, 16, 11));
    edtEnd = ValueBox(P, QStringLiteral("edtEnd"), QString(), QRect(226, 236, 64, 22));
    Label(P, tr("End Time:"), QRect(166, 236, 60, 22), edtEnd);
    btnStartUpEndUp = ArrowButton(P, QStringLiteral("btnStartUpEndUp"), Qt::UpArrow,
                                  tr("End time one second later"), QRect(291, 236, 16, 11));
    btnStartUpEndDown = ArrowButton(P, QStringLiteral("btnStartUpEndDown"), Qt::DownArrow,
                                    tr("End time one second earlier"),
                                    QRect(291, 247, 16, 11));
    connect(btnStartUp1, &QToolButton::clicked, this, [this] { MoveRange(1, 0); });
    connect(btnStartUpStartDown, &QToolButton::clicked, this, [this] { MoveRange(-1, 0); });
    connect(btnStartUpEndUp, &QToolButton::clicked, this, [this] { MoveRange(0, 1); });
    connect(btnStartUpEndDown, &QToolButton::clicked, this, [this] { MoveRange(0, -1); });

    fontCmb = new QComboBox(P);
    fontCmb->setObjectName(QStringLiteral("fontCmb"));
    fontCmb->addItems(QFontDatabase::families());
    fontCmb->setGeometry(80, 272, 226, 22);
    Label(P, tr("Font:"), QRect(8, 272, 70, 22), fontCmb);
    fontSizeCmb = new QComboBox(P);
    fontSizeCmb->setObjectName(QStringLiteral("fontSizeCmb"));
    for (int Size = 7; Size <= 70; ++Size)
        fontSizeCmb->addItem(QString::number(Size));
    fontSizeCmb->setGeometry(80, 300, 70, 22);
    Label(P, tr("Font Size:"), QRect(8, 300, 70, 22), fontSizeCmb);
    colorBoxcmb = ColorBox(P, QStringLiteral("colorBoxcmb"));
    colorBoxcmb->setGeometry(80, 328, 226, 22);
    Label(P, tr("Font Color:"), QRect(8, 328, 70, 22), colorBoxcmb);
    chkBold = new QCheckBox(tr("Bold"), P);
    chkBold->setGeometry(8, 358, 64, 20);
    chkItalic = new QCheckBox(tr("Italic"), P);
    chkItalic->setGeometry(76, 358, 64, 20);
    chkUnderline = new QCheckBox(tr("Underline"), P);
    chkUnderline->setGeometry(144, 358, 84, 20);
    chkStrikeOut = new QCheckBox(tr("Strikeout"), P);
    chkStrikeOut->setGeometry(228, 358, 80, 20);
    FitRow({chkBold, chkItalic, chkUnderline, chkStrikeOut}, 4);
    chkBold->setObjectName(QStringLiteral("chkBold"));
    chkItalic->setObjectName(QStringLiteral("chkItalic"));
    chkUnderline->setObjectName(QStringLiteral("chkUnderline"));
    chkStrikeOut->setObjectName(QStringLiteral("chkStrikeOut"));

    auto* Back = new QGroupBox(tr("Font background color"), P);
    Back->setGeometry(8, 388, 298, 86);
    rb1 = new QRadioButton(tr("Background color"), Back);
    rb1->setObjectName(QStringLiteral("rb1"));
    rb1->setGeometry(10, 24, 140, 22);
    //: Choice of a text layer's background: none
    rb2 = new QRadioButton(tr("Transparent"), Back);
    rb2->setObjectName(QStringLiteral("rb2"));
    rb2->setGeometry(10, 54, 140, 22);
    colorBoxbackground = ColorBox(Back, QStringLiteral("colorBoxbackground"));
    colorBoxbackground->setToolTip(tr("Font background color"));
    colorBoxbackground->setGeometry(152, 24, 136, 22);

    const auto StyleBit = [this](QCheckBox* Box, uint8_t Bit) {
        connect(Box, &QCheckBox::toggled, this, [this, Bit](bool On) {
            StyleChanged([Bit, On](TWmItemRec& Row) {
                Row.Font.Style = On ? uint8_t(Row.Font.Style | Bit) : uint8_t(Row.Font.Style & ~Bit);
            });
        });
    };
    StyleBit(chkBold, fsBold);
    StyleBit(chkItalic, fsItalic);
    StyleBit(chkUnderline, fsUnderline);
    StyleBit(chkStrikeOut, fsStrikeOut);
    connect(fontCmb, &QComboBox::currentIndexChanged, this, [this] { StyleChanged({}); });
    connect(fontSizeCmb, &QComboBox::currentIndexChanged, this, [this] {
        StyleChanged({});
        if (!Loading_)
            trcTextHorizChange(trcTextHoriz->value());
    });
    connect(colorBoxcmb, &QComboBox::currentIndexChanged, this, [this] { StyleChanged({}); });
    connect(colorBoxbackground, &QComboBox::currentIndexChanged, this, [this] { StyleChanged({}); });
    connect(rb1, &QRadioButton::toggled, this, [this](bool On) {
        colorBoxbackground->setEnabled(On);
        StyleChanged([On](TWmItemRec& Row) { Row.BackFilled = On; });
    });

    // Defaults for an empty list.
    Loading_ = true;
    fontCmb->setCurrentIndex(fontCmb->count() > 0 ? 0 : -1);
    fontSizeCmb->setCurrentIndex(DefaultSizeIndex);
    colorBoxcmb->setCurrentIndex(DefaultTextColor);
    colorBoxbackground->setCurrentIndex(DefaultBackColor);
    trcTextTran->setValue(DefaultTransparency);
    rb1->setChecked(true);
    Loading_ = false;
    edtTextTran->setText(QString::number(trcTextTran->value()));
}

// ---- rows and layers ----

void TfrmWaterMark::Publish()
{
    // Waits only for a hook that is walking the schedule right now.
    Schedule_.Publish(Layers_.Rows());
}

bool TfrmWaterMark::BuildLayer(int Index, std::string& Error)
{
    TWmItemRec& Row = Layers_.Row(Index);
    if (Row.Kind == WmKindText) {
        const QImage Picture = Row.BlankText() ? QImage() : TextLayerImage(TextRecord(Row));
        ImgView->AddLayer(Row.Id, Picture, Row.Rect, Row.Alpha, true);
        return true;
    }
    // The conversion's own loading, so every format it draws is shown the same way.
    const std::shared_ptr<TLayerPicture> Picture = LoadLayerPictureWithAlpha(Row.ImageFile, Error);
    if (!Picture)
        return false;
    // Pictures are drawn at their own size, as the conversion draws them.
    Row.Rect.Width = Picture->Pixels.Width();
    Row.Rect.Height = Picture->Pixels.Height();
    ImgView->AddLayer(Row.Id, PictureImage(*Picture), Row.Rect, Row.Alpha, false);
    return true;
}

void TfrmWaterMark::AddRow(const TWmItemRec& Row)
{
    const int Index = Layers_.Add(Row);
    auto* Item = new QListWidgetItem(QString::fromStdString(Row.RowText()));
    Item->setData(KindRole, Row.Kind);
    lsbox->addItem(Item);
    std::string Error;
    if (BuildLayer(Index, Error))
        return;
    // No row without its layer.
    delete lsbox->takeItem(Index);
    Layers_.Delete(Index);
    Services_.Warning(this, tr("Warning"),
                      tr("Cannot load the picture \"%1\": %2.")
                          .arg(QString::fromStdString(Row.ImageFile), QString::fromStdString(Error)));
}

void TfrmWaterMark::RestoreLayers()
{
    Restored_ = true;
    TWaterMarkLayers Stored;
    Stored.Restore(Record_);
    for (const TWmItemRec& Row : Stored.Rows())
        AddRow(Row);
    Publish();
    if (Layers_.Count() > 0) {
        lsbox->setCurrentRow(Layers_.Count() - 1);
        if (ImgView->isVisible())
            lsboxClick();
    }
}

void TfrmWaterMark::SelectLayer(int Id)
{
    SelectedLayer_ = Layers_.IndexOfId(Id) >= 0 ? Id : -1;
    ImgView->Select(SelectedLayer_);
}

void TfrmWaterMark::SelectRow(int Index, bool Layer)
{
    lsbox->setCurrentRow(Index);
    if (Layer && Index >= 0)
        lsboxClick();
}

zelta::TWmFont TfrmWaterMark::ChosenFont() const
{
    TWmFont Font;
    Font.Name = fontCmb->currentText().toStdString();
    Font.Size = fontSizeCmb->currentText().toInt();
    Font.Style = uint8_t((chkBold->isChecked() ? fsBold : 0) | (chkItalic->isChecked() ? fsItalic : 0) |
                         (chkUnderline->isChecked() ? fsUnderline : 0) |
                         (chkStrikeOut->isChecked() ? fsStrikeOut : 0));
    Font.Color = BoxColor(colorBoxcmb);
    return Font;
}

void TfrmWaterMark::btnAddTextClick()
{
    FFPlayer->SetHook(false);
    edt1->hide();
    TWmItemRec Row;
    Row.Kind = WmKindText;
    //: The text a new text layer starts with, until the user types their own
    Row.Text = tr("Add Text", "new layer text").toStdString();
    Row.Font = ChosenFont();
    Row.BackColor = BoxColor(colorBoxbackground);
    Row.BackFilled = rb1->isChecked();
    Row.Alpha = trcTextTran->value();
    Row.StartTime = 0;
    Row.EndTime = NewLayerEndTime(Duration_);
    const QSize Size = TextLayerSize(Row.Text, Row.Font);
    const QPointF Centre = ImgView->CentrePoint();
    Row.Rect = CentredRect(Centre.x(), Centre.y(), Size.width(), Size.height());
    AddRow(Row);
    Publish();
    lsbox->setFocus();
    lsbox->setCurrentRow(Layers_.Count() - 1);
    FFPlayer->SetHook(true);
    trcTextHoriz->setEnabled(true);
    trcTextVert->setEnabled(true);
    lsboxClick();
    lsboxDblClick();
}

void TfrmWaterMark::btnAddImageClick()
{
    FFPlayer->SetHook(false);
    edt1->hide();
    const QString File = PictureChooser_ ? PictureChooser_(this) : QString();
    if (File.isEmpty()) {
        FFPlayer->SetHook(true);
        return;
    }
    TWmItemRec Row;
    Row.Kind = WmKindImage;
    Row.ImageFile = File.toStdString();
    Row.Alpha = trcTextTran->value();
    Row.StartTime = 0;
    Row.EndTime = NewLayerEndTime(Duration_);
    const int Before = Layers_.Count();
    AddRow(Row);
    if (Layers_.Count() > Before) {
        // Centred now that the picture's size is known.
        TWmItemRec& Added = Layers_.Row(Layers_.Count() - 1);
        const QPointF Centre = ImgView->CentrePoint();
        Added.Rect = CentredRect(Centre.x(), Centre.y(), Added.Rect.Width, Added.Rect.Height);
        ImgView->SetLayerRect(Added.Id, Added.Rect);
        lsbox->setFocus();
        lsbox->setCurrentRow(Layers_.Count() - 1);
    }
    Publish();
    FFPlayer->SetHook(true);
    if (Layers_.Count() > Before)
        lsboxClick();
}

void TfrmWaterMark::SetStyleControlsForText(bool Text)
{
    for (QWidget* W : std::initializer_list<QWidget*>{rb1, rb2, colorBoxcmb, fontCmb, fontSizeCmb,
                                                      chkBold, chkItalic, chkUnderline, chkStrikeOut})
        W->setEnabled(Text);
    colorBoxbackground->setEnabled(Text && rb1->isChecked());
}

void TfrmWaterMark::ShowRange(int Start, int End)
{
    edtStart->setText(QString::fromStdString(FormatHMS(Start)));
    edtEnd->setText(QString::fromStdString(FormatHMS(End)));
}

void TfrmWaterMark::lsboxClick()
{
    const int Index = lsbox->currentRow();
    if (Index < 0 || Index >= Layers_.Count())
        return;
    const TWmItemRec& Row = Layers_.Row(Index);
    SelectLayer(Row.Id);
    Loading_ = true;
    trcTextHoriz->setValue(WholePixel(Row.Rect.Left));
    trcTextVert->setValue(WholePixel(Row.Rect.Top));
    trcTextTran->setValue(Row.Alpha);
    edtTextHoriz->setText(QString::number(WholePixel(Row.Rect.Left)));
    edtTextVert->setText(QString::number(WholePixel(Row.Rect.Top)));
    edtTextTran->setText(QString::number(Row.Alpha));
    const TRangePositions Bar = RangeBarPositions(Row.StartTime, Row.EndTime, trcRange->Max());
    trcRange->SetPositions(Bar.Lower, Bar.Upper);
    ShowRange(Row.StartTime, Row.EndTime);
    trcTextHoriz->setEnabled(true);
    trcTextVert->setEnabled(true);
    if (Row.Kind == WmKindText) {
        SelectColor(colorBoxcmb, Row.Font.Color);
        SelectColor(colorBoxbackground, Row.BackColor);
        const int Face = fontCmb->findText(QString::fromStdString(Row.Font.Name));
        if (Face >= 0)
            fontCmb->setCurrentIndex(Face);
        const int Size = fontSizeCmb->findText(QString::number(Row.Font.Size));
        if (Size >= 0)
            fontSizeCmb->setCurrentIndex(Size);
        chkBold->setChecked(Row.Font.Style & fsBold);
        chkItalic->setChecked(Row.Font.Style & fsItalic);
        chkUnderline->setChecked(Row.Font.Style & fsUnderline);
        chkStrikeOut->setChecked(Row.Font.Style & fsStrikeOut);
        (Row.BackFilled ? rb1 : rb2)->setChecked(true);
        SetStyleControlsForText(true);
    } else {
        SetStyleControlsForText(false);
    }
    Loading_ = false;
}

void TfrmWaterMark::lsboxDblClick()
{
    const int Index = lsbox->currentRow();
    if (Index < 0 || Layers_.Row(Index).Kind != WmKindText)
        return;
    const QRect R = lsbox->visualItemRect(lsbox->item(Index));
    edt1->setGeometry(21, R.top() + 2, lsbox->width() - 25, 20);
    edt1->setText(QString::fromStdString(Layers_.Row(Index).Text));
    EditedRow_ = Index;
    edt1->show();
    edt1->setFocus();
}

void TfrmWaterMark::edt1Change()
{
    if (EditedRow_ < 0 || EditedRow_ >= Layers_.Count())
        return;
    Layers_.Row(EditedRow_).Text = edt1->text().toStdString();
    lsbox->item(EditedRow_)->setText(edt1->text());
    Publish(); // a blank text has no visible layer
    AddText();
}

void TfrmWaterMark::edt1Exit()
{
    edt1->hide();
    EditedRow_ = -1;
}

void TfrmWaterMark::StyleChanged(const std::function<void(TWmItemRec&)>& Change)
{
    if (Loading_ || SelectedLayer_ < 0)
        return;
    const int Index = Layers_.IndexOfId(SelectedLayer_);
    if (Index < 0 || Layers_.Row(Index).Kind != WmKindText)
        return;
    if (Change)
        Change(Layers_.Row(Index));
    AddText();
}

void TfrmWaterMark::AddText()
{
    if (SelectedLayer_ < 0)
        return;
    const int Index = Layers_.IndexOfId(SelectedLayer_);
    if (Index < 0)
        return;
    lsbox->setCurrentRow(Index);
    TWmItemRec& Row = Layers_.Row(Index);
    if (Row.Kind != WmKindText)
        return;
    Row.Font.Name = fontCmb->currentText().toStdString();
    Row.Font.Size = fontSizeCmb->currentText().toInt();
    Row.Font.Color = BoxColor(colorBoxcmb);
    Row.BackColor = BoxColor(colorBoxbackground);
    if (Row.BlankText()) {
        ImgView->SetLayerPicture(Row.Id, QImage());
        return;
    }
    RenderText(Index);
}

void TfrmWaterMark::RenderText(int Index)
{
    TWmItemRec& Row = Layers_.Row(Index);
    const QSize Size = TextLayerSize(Row.Text, Row.Font);
    Row.Rect.Width = Size.width();
    Row.Rect.Height = Size.height();
    ImgView->SetLayerPicture(Row.Id, TextLayerImage(TextRecord(Row)));
    ImgView->SetLayerRect(Row.Id, Row.Rect);
}

void TfrmWaterMark::trcTextHorizChange(int Value)
{
    edtTextHoriz->setText(QString::number(Value));
    if (Loading_ || SelectedLayer_ < 0)
        return;
    TWmItemRec& Row = Layers_.Row(Layers_.IndexOfId(SelectedLayer_));
    if (Row.Rect.Left < trcTextHoriz->minimum() || Row.Rect.Left > trcTextHoriz->maximum())
        return;
    Row.Rect.Left = Value;
    ImgView->SetLayerRect(Row.Id, Row.Rect);
}

void TfrmWaterMark::trcTextVertChange(int Value)
{
    edtTextVert->setText(QString::number(Value));
    if (Loading_ || SelectedLayer_ < 0)
        return;
    TWmItemRec& Row = Layers_.Row(Layers_.IndexOfId(SelectedLayer_));
    if (Row.Rect.Top < trcTextVert->minimum() || Row.Rect.Top > trcTextVert->maximum())
        return;
    Row.Rect.Top = Value;
    ImgView->SetLayerRect(Row.Id, Row.Rect);
}

void TfrmWaterMark::trcTextTranChange(int Value)
{
    edtTextTran->setText(QString::number(Value));
    if (Loading_ || SelectedLayer_ < 0)
        return;
    TWmItemRec& Row = Layers_.Row(Layers_.IndexOfId(SelectedLayer_));
    Row.Alpha = Value;
    ImgView->SetLayerAlpha(Row.Id, Value);
}

void TfrmWaterMark::LayerDragged(int Id, TLayerRect Rect)
{
    const int Index = Layers_.IndexOfId(Id);
    if (Index < 0)
        return;
    TWmItemRec& Row = Layers_.Row(Index);
    const bool Resized = WholePixel(Rect.Width) != WholePixel(Row.Rect.Width) ||
                         WholePixel(Rect.Height) != WholePixel(Row.Rect.Height);
    Row.Rect = Rect;
    if (Resized && Row.Kind == WmKindText && !Row.BlankText())
        ImgView->SetLayerPicture(Id, TextLayerImage(TextRecord(Row)));
    ImgView->SetLayerRect(Id, Rect);
    Loading_ = true;
    trcTextHoriz->setValue(WholePixel(Rect.Left));
    trcTextVert->setValue(WholePixel(Rect.Top));
    edtTextHoriz->setText(QString::number(WholePixel(Rect.Left)));
    edtTextVert->setText(QString::number(WholePixel(Rect.Top)));
    Loading_ = false;
}

void TfrmWaterMark::trcRangeChange()
{
    if (Loading_)
        return;
    const int Index = lsbox->currentRow();
    if (Index < 0 || Index >= Layers_.Count())
        return;
    TWmItemRec& Row = Layers_.Row(Index);
    Row.StartTime = trcRange->PositionL();
    Row.EndTime = trcRange->PositionU();
    ShowRange(Row.StartTime, Row.EndTime);
    Publish();
}

void TfrmWaterMark::MoveRange(int DeltaStart, int DeltaEnd)
{
    if (DeltaStart != 0)
        trcRange->SetPositionL(trcRange->PositionL() + DeltaStart);
    if (DeltaEnd != 0)
        trcRange->SetPositionU(trcRange->PositionU() + DeltaEnd);
}

void TfrmWaterMark::btnDeleteClick()
{
    edt1->hide();
    const int Index = lsbox->currentRow();
    if (Index < 0 || Index >= Layers_.Count())
        return;
    ImgView->RemoveLayer(Layers_.Row(Index).Id);
    const int Next = Layers_.Delete(Index);
    delete lsbox->takeItem(Index);
    Publish();
    SelectLayer(-1);
    lsbox->setCurrentRow(Next);
    lsbox->setFocus();
}

void TfrmWaterMark::btnUpClick() { MoveSelected(true); }
void TfrmWaterMark::btnDownClick() { MoveSelected(false); }

void TfrmWaterMark::MoveSelected(bool Up)
{
    if (SelectedLayer_ < 0)
        return;
    edt1->hide();
    const int Index = Layers_.IndexOfId(SelectedLayer_);
    const int Moved = Up ? Layers_.MoveUp(Index) : Layers_.MoveDown(Index);
    if (Moved == Index)
        return;
    lsbox->insertItem(Moved, lsbox->takeItem(Index));
    lsbox->setCurrentRow(Moved);
    // The list order is the drawing order: earlier rows below later ones.
    std::vector<int> Ids;
    for (const TWmItemRec& Row : Layers_.Rows())
        Ids.push_back(Row.Id);
    ImgView->SetOrder(Ids);
    Publish();
}
