#include "ui/SourceListView.h"

#include "app/AppPaths.h"
#include "app/SourceList.h"
#include "ui/Themes.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

using namespace zelta;

namespace {

constexpr int RowHeight = 16;
constexpr int CheckBoxSide = 12;
// Width of the check box column in front of the caption.
constexpr int StateImageWidth = 16;
constexpr int TextInset = 3;

Qt::Alignment TextAlignment(const QModelIndex& Index) {
    const QVariant a = Index.data(Qt::TextAlignmentRole);
    Qt::Alignment h = Qt::AlignLeft;
    if (a.isValid()) {
        const Qt::Alignment given = Qt::Alignment(a.toInt()) & Qt::AlignHorizontal_Mask;
        if (given & Qt::AlignRight)
            h = Qt::AlignRight;
        else if (given & Qt::AlignHCenter)
            h = Qt::AlignHCenter;
    }
    return h | Qt::AlignVCenter;
}

} // namespace

// ---- the row painting ----

QRect TSourceRowDelegate::CheckBoxRect(const QRect& Cell) {
    // The row's bounds shrunk by one pixel at the left, then the square from (left + 2, top + 2)
    // to (left + 14, bottom - 2).
    const int left = Cell.left() + 1;
    return {left + 2, Cell.top() + 2, CheckBoxSide, Cell.height() - 4};
}

void TSourceRowDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                               const QModelIndex& Index) const {
    Painter->save();
    const int columns = Index.model()->columnCount(Index.parent());
    const bool first = Index.column() == 0;
    const bool last = Index.column() == columns - 1;
    QRect cell = Option.rect;
    if (first)
        cell.setLeft(cell.left() + 1);
    if (last)
        cell.setRight(cell.right() - 1);

    const bool selected = Option.state & QStyle::State_Selected;
    const bool focus = Option.widget != nullptr && Option.widget->hasFocus();
    // Follow system takes the "Default" rows on a light desktop and the palette's dark rows on a
    // dark one, where the text turns light (except on the light selection fill).
    const bool dark = DarkThemeInForce();
    const int rowTheme = CurrentTheme() == zelta::FollowSystemTheme ? 0 : CurrentTheme();
    QColor back(RowBackground(Index.row(), rowTheme));
    if (dark)
        back = Option.palette.color(Index.row() % 2 == 0 ? QPalette::Base : QPalette::AlternateBase);
    if (selected)
        back = QColor(focus ? RowSelectedFocusFill : RowSelectedFill);
    const QColor ink = dark && !selected ? Option.palette.color(QPalette::Text) : QColor(Qt::black);
    Painter->fillRect(cell, back);

    Painter->setFont(Option.font);
    const QFontMetrics fm(Option.font);
    QRect label = cell;
    if (first) {
        const QVariant check = Index.data(Qt::CheckStateRole);
        if (check.isValid()) {
            const QRect box = CheckBoxRect(Option.rect);
            QPen pen(ink, 2);
            pen.setJoinStyle(Qt::MiterJoin);
            Painter->setPen(pen);
            Painter->setBrush(Qt::NoBrush);
            Painter->drawRect(QRectF(box).adjusted(1, 1, -1, -1));
            if (check.toInt() == Qt::Checked) {
                const int l = cell.left();
                const int t = cell.top();
                const QPoint tick[3] = {{l + 4, t + 6}, {l + 6, t + 11}, {l + 11, t + 5}};
                Painter->drawPolyline(tick, 3);
            }
            label.setLeft(cell.left() + StateImageWidth);
        }
        const QVariant icon = Index.data(Qt::DecorationRole);
        if (icon.canConvert<QIcon>()) {
            const QIcon i = icon.value<QIcon>();
            if (!i.isNull()) {
                const QRect iconRect(label.left(), label.top() + (label.height() - 16) / 2, 16, 16);
                i.paint(Painter, iconRect);
                label.setLeft(iconRect.right() + 1);
            }
        }
    }
    const QVariant text = Index.data(Qt::DisplayRole);
    if (text.isValid()) {
        const QRect textRect = label.adjusted(TextInset, 0, -TextInset, 0);
        Painter->setPen(ink);
        Painter->drawText(textRect, int(TextAlignment(Index)) | Qt::TextSingleLine,
                          fm.elidedText(text.toString(), Qt::ElideRight, textRect.width()));
    }

    if (selected) {
        Painter->setPen(QColor(focus ? RowSelectedFocusFrame : RowSelectedFrame));
        Painter->drawLine(cell.topLeft(), cell.topRight());
        Painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        if (first)
            Painter->drawLine(cell.topLeft(), cell.bottomLeft());
        if (last)
            Painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    Painter->restore();
}

QSize TSourceRowDelegate::sizeHint(const QStyleOptionViewItem& Option,
                                   const QModelIndex& Index) const {
    return {QStyledItemDelegate::sizeHint(Option, Index).width(), RowHeight};
}

bool TSourceRowDelegate::editorEvent(QEvent* Event, QAbstractItemModel* Model,
                                     const QStyleOptionViewItem& Option, const QModelIndex& Index) {
    if (Index.column() != 0 || !(Model->flags(Index) & Qt::ItemIsUserCheckable))
        return false;
    const QVariant check = Index.data(Qt::CheckStateRole);
    if (!check.isValid())
        return false;
    bool toggle = false;
    if (Event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        toggle = mouse->button() == Qt::LeftButton &&
                 CheckBoxRect(Option.rect).contains(mouse->position().toPoint());
    } else if (Event->type() == QEvent::MouseButtonDblClick) {
        // The second click of a double click on the box toggles it again, as a click would.
        auto* mouse = static_cast<QMouseEvent*>(Event);
        return CheckBoxRect(Option.rect).contains(mouse->position().toPoint());
    } else if (Event->type() == QEvent::KeyPress) {
        toggle = static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Space;
    }
    if (!toggle)
        return false;
    const int next = check.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return Model->setData(Index, next, Qt::CheckStateRole);
}

// ---- the view ----

TSourceListView::TSourceListView(QWidget* Parent) : QTreeView(Parent) {
    setObjectName(QStringLiteral("lvFiles"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    // The delegate draws the selected row's frame; the style's focus frame would cover it.
    setAllColumnsShowFocus(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideRight);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    setItemDelegate(new TSourceRowDelegate(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setHeaderHidden(true);
    const QString back = QString::fromStdString(FindDataFile("skin/lvBack.bmp"));
    if (QFileInfo::exists(back))
        Back_.load(back);
}

void TSourceListView::SetSourceModel(TSourceListModel* Model) {
    Model_ = Model;
    setModel(Model);
    UpdateViewMode();
}

void TSourceListView::UpdateViewMode() {
    const bool rows = Model_ != nullptr && !Model_->Empty();
    if (rows && isHeaderHidden()) {
        setHeaderHidden(false);
        for (int c = 0; c < SourceColumnCount; ++c)
            header()->resizeSection(c, SourceColumns[c].Width);
    } else if (!rows && !isHeaderHidden()) {
        setHeaderHidden(true);
    }
    viewport()->update();
}

int TSourceListView::SelectedRow() const {
    if (selectionModel() == nullptr)
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TSourceListView::SelectRow(int Row) {
    if (model() == nullptr)
        return;
    if (Row < 0 || Row >= model()->rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = model()->index(Row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void TSourceListView::paintEvent(QPaintEvent* Event) {
    QTreeView::paintEvent(Event);
    if ((Model_ == nullptr || Model_->Empty()) && !Back_.isNull()) {
        QPainter p(viewport());
        p.drawPixmap(0, 0, Back_);
    }
}

void TSourceListView::mousePressEvent(QMouseEvent* Event) {
    QTreeView::mousePressEvent(Event);
    if (Event->button() == Qt::RightButton)
        emit RightButtonPressed(Event->globalPosition().toPoint());
}

void TSourceListView::mouseDoubleClickEvent(QMouseEvent* Event) {
    QTreeView::mouseDoubleClickEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    const int row = SelectedRow();
    if (row >= 0)
        emit RowDoubleClicked(row);
}

std::vector<std::string> DroppedLocalFiles(const QList<QUrl>& Urls) {
    std::vector<std::string> paths;
    for (const QUrl& url : Urls)
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

void TSourceListView::dragEnterEvent(QDragEnterEvent* Event) {
    if (Event->mimeData()->hasUrls() && !DroppedLocalFiles(Event->mimeData()->urls()).empty())
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TSourceListView::dragMoveEvent(QDragMoveEvent* Event) {
    if (Event->mimeData()->hasUrls())
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TSourceListView::dropEvent(QDropEvent* Event) {
    const std::vector<std::string> paths =
        Event->mimeData()->hasUrls() ? DroppedLocalFiles(Event->mimeData()->urls())
                                     : std::vector<std::string>{};
    if (paths.empty()) {
        Event->ignore();
        return;
    }
    Event->acceptProposedAction();
    emit FilesDropped(paths);
}
