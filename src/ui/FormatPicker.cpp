#include "ui/FormatPicker.h"

#include "app/CatalogueTexts.h"
#include "app/FormatCatalogue.h"
#include "app/GlobalObject.h"
#include "app/SettingsKeys.h"
#include "ui/HiDpi.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

using namespace zelta;

namespace {

// The list's geometry formulas count from the text box's top less this, so that a list sized
// by a click ends right above the text box.
constexpr int ListAnchorOffset = 423;
constexpr int GlyphSize = 11;
constexpr int IconSize = 20;

QString BoxStyle() {
    return QStringLiteral("background-color: %1;").arg(QColor(PickerBackColor).name());
}

} // namespace

// ---- painting ----

QPixmap TFormatPickerDelegate::ExpandGlyph(bool Collapsed) {
    QPixmap pm = ScaledPixmap(QSize(GlyphSize, GlyphSize));
    QPainter p(&pm);
    p.setPen(QColor(120, 130, 150));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, GlyphSize - 1, GlyphSize - 1);
    p.setPen(Qt::black);
    const int mid = GlyphSize / 2;
    p.drawLine(2, mid, GlyphSize - 3, mid);
    if (Collapsed)
        p.drawLine(mid, 2, mid, GlyphSize - 3);
    return pm;
}

QPixmap TFormatPickerDelegate::CategoryIcon(TCategoryIcon Icon) {
    QPixmap pm = ScaledPixmap(QSize(IconSize, IconSize));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (Icon == TCategoryIcon::Audio) {
        // A pair of quavers.
        p.setPen(QPen(QColor(30, 80, 170), 2));
        p.drawLine(7, 14, 7, 4);
        p.drawLine(15, 12, 15, 2);
        p.drawLine(7, 4, 15, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 80, 170));
        p.drawEllipse(QRectF(2.5, 12, 5.5, 4.5));
        p.drawEllipse(QRectF(10.5, 10, 5.5, 4.5));
    } else {
        // A film strip.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(1, 3, 18, 14), 2, 2);
        p.setBrush(Qt::white);
        for (int x = 3; x < 18; x += 4) {
            p.drawRect(QRectF(x, 4.5, 2, 2));
            p.drawRect(QRectF(x, 13.5, 2, 2));
        }
        p.setBrush(QColor(110, 170, 230));
        p.drawRect(QRectF(3, 7.5, 14, 5));
    }
    return pm;
}

void TFormatPickerDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                                  const QModelIndex& Index) const {
    Painter->save();
    QRect r = Option.rect;
    if (Option.state & QStyle::State_Selected) {
        QRect fill = r.adjusted(2, 2, -2, -2);
        Painter->fillRect(fill, QColor(PickerFocusFill));
        QRect frame = fill.adjusted(-1, -1, 1, 1);
        Painter->setPen(QColor(PickerFocusFrame));
        Painter->setBrush(Qt::NoBrush);
        Painter->drawRect(frame.adjusted(0, 0, -1, -1));
    } else {
        Painter->fillRect(r, QColor(PickerBackColor));
    }
    r.adjust(3, 0, -3, 0);

    const bool category = Index.data(TFormatPickerModel::IsCategoryRole).toBool();
    QFont font = Option.font;
    font.setBold(category);
    Painter->setFont(font);
    const QString text = Index.data(Qt::DisplayRole).toString();
    int textLeft;
    if (category) {
        const bool collapsed = Index.data(TFormatPickerModel::CollapsedRole).toBool();
        const QPixmap glyph = ExpandGlyph(collapsed);
        Painter->drawPixmap(r.left() + PickerHeaderGlyphLeft,
                            r.top() + (r.height() - int(glyph.deviceIndependentSize().height())) / 2,
                            glyph);
        const QPixmap icon = CategoryIcon(
            TCategoryIcon(Index.data(TFormatPickerModel::CategoryIconRole).toInt()));
        Painter->drawPixmap(r.left() + PickerHeaderIconLeft,
                            r.top() + (r.height() - int(icon.deviceIndependentSize().height())) / 2,
                            icon);
        Painter->setPen(Qt::black);
        textLeft = r.left() + PickerHeaderTextLeft;
    } else {
        Painter->setPen(QColor(PickerEntryText));
        textLeft = r.left() + PickerEntryTextLeft;
    }
    const QRect textRect(textLeft, r.top() + PickerTextTop, r.right() - textLeft,
                         r.height() - PickerTextTop);
    const QFontMetrics fm(font);
    Painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      fm.elidedText(text, Qt::ElideRight, textRect.width()));
    Painter->restore();
}

QSize TFormatPickerDelegate::sizeHint(const QStyleOptionViewItem& Option,
                                      const QModelIndex& Index) const {
    return {QStyledItemDelegate::sizeHint(Option, Index).width(), PickerRowHeight};
}

void TComboRowDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                              const QModelIndex& Index) const {
    Painter->save();
    const QRect r = Option.rect;
    if (Option.state & QStyle::State_Selected) {
        Painter->fillRect(r, QColor(PickerFocusFill));
        Painter->setPen(QColor(PickerFocusFrame));
        Painter->drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        Painter->fillRect(r, Qt::white);
    }
    Painter->setPen(Qt::black);
    const QRect textRect = r.adjusted(3, 0, -3, 0);
    const QString text = Index.data(Qt::DisplayRole).toString();
    Painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      Option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    Painter->restore();
}

// ---- lst1 ----

TFormatPickerList::TFormatPickerList(TFormatPicker& Picker, QWidget* Parent)
    : QListView(Parent), Picker_(Picker) {
    setObjectName(QStringLiteral("lst1"));
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFrameShape(QFrame::Box);
}

void TFormatPickerList::keyPressEvent(QKeyEvent* Event) {
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Picker_.ActivateCurrentRow();
        break;
    case Qt::Key_Left:
        Picker_.SetCurrentCategoryOpen(false);
        break;
    case Qt::Key_Right:
        Picker_.SetCurrentCategoryOpen(true);
        break;
    case Qt::Key_Escape:
        Picker_.CloseList();
        break;
    default:
        QListView::keyPressEvent(Event);
        return;
    }
    Event->accept();
}

void TFormatPickerList::mousePressEvent(QMouseEvent* Event) {
    QListView::mousePressEvent(Event);
    if (Event->button() == Qt::LeftButton)
        Picker_.lst1MouseDown(Event->position().toPoint());
}

void TFormatPickerList::mouseReleaseEvent(QMouseEvent* Event) {
    QListView::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton)
        Picker_.lst1Click();
}

void TFormatPickerList::mouseDoubleClickEvent(QMouseEvent* Event) {
    // The second press of a double click is a press as well: the toggle of the double click
    // comes first, then the press's own handling.
    if (Event->button() != Qt::LeftButton) {
        QListView::mouseDoubleClickEvent(Event);
        return;
    }
    Picker_.lst1DblClick();
    Picker_.lst1MouseDown(Event->position().toPoint());
}

void TFormatPickerList::mouseMoveEvent(QMouseEvent* Event) {
    Picker_.lst1MouseMove(Event->position().toPoint());
}

// ---- the picker ----

TFormatPicker::TFormatPicker(QWidget* EditParent, QWidget* ListParent, TKind Kind)
    : QObject(EditParent), ListParent_(ListParent), Kind_(Kind) {
    edt1 = new QLineEdit(EditParent);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setReadOnly(true);
    edt1->setCursor(Qt::ArrowCursor);
    edt1->setFocusPolicy(Qt::NoFocus); // no caret in the box
    edt1->setStyleSheet(BoxStyle());

    imgbtn1 = new QToolButton(EditParent);
    imgbtn1->setObjectName(QStringLiteral("imgbtn1"));
    imgbtn1->setArrowType(Qt::UpArrow);
    imgbtn1->setFocusPolicy(Qt::NoFocus);
    imgbtn1->setToolTip(tr("Output profiles"));
    connect(imgbtn1, &QToolButton::clicked, this, &TFormatPicker::imgbtn1Click);

    lst1 = new TFormatPickerList(*this, ListParent);
    lst1->setAccessibleName(tr("Output profiles"));
    lst1->setModel(&Model_);
    lst1->setItemDelegate(new TFormatPickerDelegate(lst1));
    lst1->setStyleSheet(QStringLiteral("QListView { %1 }").arg(BoxStyle()));
    lst1->hide();

    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TFormatPicker::ApplicationStateChanged);
}

TFormatPicker::~TFormatPicker() {
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
}

int TFormatPicker::EditTop() const {
    return edt1->mapTo(ListParent_, QPoint(0, 0)).y() - ListAnchorOffset;
}

void TFormatPicker::Place(const TPickerGeometry& Geometry) {
    const QPoint left = edt1->mapTo(ListParent_, QPoint(0, 0));
    const int width = imgbtn1->mapTo(ListParent_, QPoint(imgbtn1->width(), 0)).x() - left.x();
    lst1->setGeometry(left.x(), Geometry.Top, width, Geometry.Height);
    lst1->raise();
}

void TFormatPicker::ShowName(const std::string& Name) {
    ShownName_ = Name;
    edt1->setText(QString::fromStdString(zelta::CatalogueText(Name)));
}

void TFormatPicker::FillFormatList(const TIniFile& Settings, const TIniFile& Catalogue) {
    lst1->hide();
    const TFormatPickerModel::TFillResult fill = Model_.FillFormatList(Settings, Catalogue);
    Place(Kind_ == TKind::Dialog ? ClickGeometry() : PickerFillGeometry(Model_.RowCount(), EditTop()));
    ShowName(fill.Text);
    if (fill.SelectedRow >= 0)
        lst1->setCurrentIndex(Model_.index(fill.SelectedRow));
    else
        lst1->clearSelection();
}

bool TFormatPicker::SaveFormatListState(TIniFile& Settings) const {
    return Model_.SaveFormatListState(Settings);
}

void TFormatPicker::SelectStoredRow(bool ShowStoredText) {
    std::string name;
    if (Kind_ == TKind::Dialog) {
        // The dialog's current profile is the one its box shows, stored or not.
        name = ShownName_;
    } else {
        const TGlobalObject* g = GlobalObject();
        if (g == nullptr)
            return;
        name = ReadStoredFormat(g->Settings()).Name;
        if (ShowStoredText)
            ShowName(name);
    }
    const int row = Model_.FindRow(name);
    if (row >= 0) {
        lst1->setCurrentIndex(Model_.index(row));
    } else {
        lst1->selectionModel()->clearSelection();
        lst1->setCurrentIndex(QModelIndex());
    }
}

bool TFormatPicker::ToggleList(bool ShowStoredText) {
    if (lst1->isVisible()) {
        lst1->hide();
        return false;
    }
    SelectStoredRow(ShowStoredText);
    lst1->show();
    lst1->raise();
    return true;
}

void TFormatPicker::imgbtn1Click() {
    if (!ToggleList(true))
        return;
    lst1->setFocus();
    lst1Click();
}

void TFormatPicker::edt1DblClick() {
    if (ToggleList(true))
        lst1->setFocus();
}

void TFormatPicker::edt1Click() {
    if (!ToggleList(false))
        return;
    const QModelIndex current = lst1->currentIndex();
    if (Kind_ == TKind::MainWindow && current.isValid() &&
        lst1->selectionModel()->isSelected(current)) {
        lst1->scrollTo(current);
        const QRect r = lst1->visualRect(current);
        QCursor::setPos(lst1->viewport()->mapToGlobal(r.center()));
    }
    lst1->setFocus();
    lst1Click();
}

TPickerGeometry TFormatPicker::ClickGeometry() const {
    if (Kind_ == TKind::Dialog)
        return PickerDialogGeometry(Model_.RowCount(),
                                    edt1->mapTo(ListParent_, QPoint(0, edt1->height())).y());
    return PickerClickGeometry(Model_.RowCount(), EditTop());
}

void TFormatPicker::lst1Click() { Place(ClickGeometry()); }

void TFormatPicker::lst1DblClick() {
    const QModelIndex current = lst1->currentIndex();
    if (current.isValid())
        Model_.DoubleClick(current.row());
}

void TFormatPicker::lst1MouseDown(QPoint Position) {
    const QModelIndex at = lst1->indexAt(Position);
    const int row = at.isValid() ? at.row() : -1;
    const int x = at.isValid() ? Position.x() - lst1->visualRect(at).left() : Position.x();
    PressRow(row, x);
}

void TFormatPicker::PressRow(int row, int x) {
    TFormatPickerModel::TClickResult click;
    if (Kind_ == TKind::Dialog) {
        click = Model_.MouseDown(row, x);
    } else {
        TGlobalObject* g = GlobalObject();
        if (g == nullptr)
            return;
        TIniFile settings = g->Settings();
        click = Model_.MouseDown(row, x, settings);
    }
    if (click.Toggled && row >= 0)
        lst1->setCurrentIndex(Model_.index(row));
    if (click.Chosen) {
        ShowName(click.Name);
        lst1->hide();
        emit Chosen(click.Code);
    }
}

// A header toggles left of this many pixels; an entry is chosen anywhere.
constexpr int KeyboardHeaderX = 0;
constexpr int KeyboardEntryX = 25;

void TFormatPicker::OpenListFromKeyboard() {
    if (lst1->isVisible())
        return;
    ToggleList(true);
    lst1->setFocus();
    lst1Click();
}

void TFormatPicker::ActivateCurrentRow() {
    const QModelIndex current = lst1->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    PressRow(row, Model_.Item(row).IsCategory ? KeyboardHeaderX : KeyboardEntryX);
    if (lst1->isVisible())
        lst1Click(); // the list's height follows its new row count
}

void TFormatPicker::SetCurrentCategoryOpen(bool Open) {
    const QModelIndex current = lst1->currentIndex();
    if (!current.isValid() || !Model_.Item(current.row()).IsCategory)
        return;
    if (Model_.Item(current.row()).Collapsed == Open) // not in the asked state yet
        ActivateCurrentRow();
}

void TFormatPicker::CloseList() {
    lst1->hide();
    edt1->setFocus();
}

void TFormatPicker::lst1MouseMove(QPoint Position) {
    const QModelIndex at = lst1->indexAt(Position);
    if (at.isValid() && at != lst1->currentIndex())
        lst1->setCurrentIndex(at);
}

bool TFormatPicker::OverPickerControl(QObject* Object) const {
    for (QObject* o = Object; o != nullptr; o = o->parent())
        if (o == lst1 || o == edt1 || o == imgbtn1)
            return true;
    return false;
}

void TFormatPicker::ApplicationStateChanged(Qt::ApplicationState State) {
    if (State != Qt::ApplicationActive)
        lst1->hide();
}

bool TFormatPicker::eventFilter(QObject* Watched, QEvent* Event) {
    const QEvent::Type type = Event->type();
    if (type == QEvent::KeyPress && (Watched == edt1 || Watched == imgbtn1)) {
        const auto* key = static_cast<QKeyEvent*>(Event);
        const bool opens = key->key() == Qt::Key_F4 || key->key() == Qt::Key_Down ||
                           key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                           key->key() == Qt::Key_Enter;
        if (opens && !lst1->isVisible()) {
            OpenListFromKeyboard();
            return true;
        }
        if (key->key() == Qt::Key_Escape && lst1->isVisible()) {
            CloseList();
            return true;
        }
    }
    const bool mouseEvent = type == QEvent::MouseButtonPress ||
                            type == QEvent::MouseButtonRelease ||
                            type == QEvent::MouseButtonDblClick;
    if (!mouseEvent)
        return QObject::eventFilter(Watched, Event);
    auto* mouse = static_cast<QMouseEvent*>(Event);
    if (Watched == edt1) {
        // A click is a press and a release on the box; the release that ends a double click
        // is not a click of its own.
        if (Event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            EditPressed_ = true;
        } else if (Event->type() == QEvent::MouseButtonRelease &&
                   mouse->button() == Qt::LeftButton) {
            const bool click =
                EditPressed_ && edt1->rect().contains(mouse->position().toPoint());
            EditPressed_ = false;
            if (click)
                edt1Click();
        } else if (Event->type() == QEvent::MouseButtonDblClick &&
                   mouse->button() == Qt::LeftButton) {
            EditPressed_ = false;
            edt1DblClick();
        }
    }
    if (Event->type() == QEvent::MouseButtonPress && Watched->isWidgetType() && lst1->isVisible()) {
        if (mouse->button() == Qt::LeftButton && !OverPickerControl(Watched))
            lst1->hide();
    }
    return QObject::eventFilter(Watched, Event);
}

// ---- the hidden audio format combo ----

TAudioFormatCombo::TAudioFormatCombo(QWidget* Parent) : QComboBox(Parent) {
    setObjectName(QStringLiteral("cbOutputFormat"));
    setItemDelegate(new TComboRowDelegate(this));
    connect(this, &QComboBox::currentIndexChanged, this, &TAudioFormatCombo::cbOutputFormatChange);
}

void TAudioFormatCombo::FillAudioFormatCombo() {
    Loading_ = true;
    clear();
    for (std::string_view item : AudioFormatComboItems)
        addItem(QString::fromStdString(zelta::CatalogueText(item)));
    setMaxVisibleItems(AudioFormatComboDropDownCount());
    Loading_ = false;
}

void TAudioFormatCombo::LoadStoredIndex(const TIniFile& Settings) {
    Loading_ = true;
    setCurrentIndex(ReadOutputFormatIndex(Settings));
    Loading_ = false;
}

void TAudioFormatCombo::cbOutputFormatChange(int Index) {
    if (Loading_)
        return;
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        StoreOutputFormatIndex(settings, Index);
    }
}
