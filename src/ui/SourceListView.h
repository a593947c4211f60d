// The view of the batch's source list (lvFiles): report view with the five column headers
// while the list has rows, list view without headers while it is empty (then the picture
// skin/lvBack.bmp, when there is one, is drawn at the top left corner), whole-row selection that
// stays visible without the focus, and every row painted by TSourceRowDelegate.
//
// The view only shows and reports: a right-button press, a double click and files dropped on
// it come out as signals; the window owning it runs the commands. Main thread only.
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <string>
#include <vector>

namespace zelta {
class TSourceListModel;
}

// Paints one cell of a source row: the row's background (white even rows, the theme's odd-row
// colour, the selection fill), in column 0 the check box square with its tick and the caption,
// in the others the sub-item text, single-line, vertically centred, shortened with an ellipsis;
// a selected row gets a one-pixel frame. A click on the check box square (or the space key)
// toggles the row's check.
class TSourceRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    bool editorEvent(QEvent* Event, QAbstractItemModel* Model, const QStyleOptionViewItem& Option,
                     const QModelIndex& Index) override;

    // The check box square of a row whose column-0 cell is Cell.
    static QRect CheckBoxRect(const QRect& Cell);
};

class TSourceListView : public QTreeView {
    Q_OBJECT
public:
    explicit TSourceListView(QWidget* Parent = nullptr);

    void SetSourceModel(zelta::TSourceListModel* Model);
    // Report view with the columns at their widths while the model has rows, list view without
    // headers while it is empty. Called after every change of the row count.
    void UpdateViewMode();
    bool ReportView() const { return !isHeaderHidden(); }

    // The selected row, -1 for none.
    int SelectedRow() const;
    // Selects Row (and makes it current), -1 clears the selection.
    void SelectRow(int Row);

    // The picture drawn while the list is empty (null when skin/lvBack.bmp was not found).
    const QPixmap& BackPicture() const { return Back_; }

signals:
    void RightButtonPressed(QPoint GlobalPosition);
    void RowDoubleClicked(int Row);
    void FilesDropped(const std::vector<std::string>& Paths);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    zelta::TSourceListModel* Model_ = nullptr;
    QPixmap Back_;
};

// The local files among dropped URLs, in their order.
std::vector<std::string> DroppedLocalFiles(const QList<QUrl>& Urls);
