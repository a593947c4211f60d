// The format picker of the main window: the read-only text box edt1 showing the chosen profile,
// the arrow button imgbtn1, and the drop-down list lst1 of categories and entries that opens
// above the text box. The rows come from TFormatPickerModel; this file adds the widgets, their
// handlers and the row painting.
//
// The list is a child of a window-level widget (ListParent) so it can cover the controls above
// the text box; it is hidden until opened. While it is open, a left-button press anywhere
// outside the three controls, or the application losing the focus, closes it without a choice.
// Choosing an entry stores "FormatName" and "FormatCode" through the global object's settings
// file at once.
//
// Main thread only. The picker and its widgets live as long as their parents.
#pragma once

#include <string>

#include "app/FormatPickerModel.h"
#include "app/IniFile.h"

#include <QComboBox>
#include <QListView>
#include <QStyledItemDelegate>

class QLineEdit;
class QToolButton;

// Paints the picker's rows: the hot row inset and framed, category headers bold with their
// expand glyph and icon, entries in navy. Rows are 20 pixels high.
class TFormatPickerDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

    // The expand glyph (collapsed: image 0, expanded: image 1) and the category icons.
    static QPixmap ExpandGlyph(bool Collapsed);
    static QPixmap CategoryIcon(zelta::TCategoryIcon Icon);
};

// Paints the rows of the hidden audio format combo like the picker's: the selected row filled
// and framed, the others white, text on one line shortened with an ellipsis.
class TComboRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override;
};

class TFormatPicker;

// lst1: hot tracking on mouse moves, the picker's handlers on presses, clicks and double clicks.
class TFormatPickerList : public QListView {
    Q_OBJECT
public:
    TFormatPickerList(TFormatPicker& Picker, QWidget* Parent);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    // Enter or Space chooses the current entry (or opens/closes a category), Left and Right
    // close and open a category, Escape closes the list; the arrows move as in any list.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TFormatPicker& Picker_;
};

class TFormatPicker : public QObject {
    Q_OBJECT
public:
    enum class TKind {
        // The main window's picker: the list opens above the box, the box and the list's
        // selection follow the stored "FormatName", and choosing an entry stores it at once.
        MainWindow,
        // The profile settings dialog's: the list opens below the box, the box shows the
        // dialog's current profile, and a chosen entry is only reported (Chosen).
        Dialog,
    };

    // EditParent holds edt1 and imgbtn1 (the caller places them); ListParent holds lst1.
    TFormatPicker(QWidget* EditParent, QWidget* ListParent, TKind Kind = TKind::MainWindow);
    ~TFormatPicker() override;

    QLineEdit* edt1;
    QToolButton* imgbtn1;
    TFormatPickerList* lst1;
    zelta::TFormatPickerModel& Model() { return Model_; }
    // The profile the box shows, by its stored (English) name; the box shows it translated.
    const std::string& ProfileName() const { return ShownName_; }

    // Rebuilds the list from the catalogue and the stored collapse states, hides it, sizes it,
    // and shows the stored "FormatName" in the text box with its row selected.
    void FillFormatList(const zelta::TIniFile& Settings, const zelta::TIniFile& Catalogue);
    // Writes every category's collapse state ("lstformat"); false when a write failed.
    bool SaveFormatListState(zelta::TIniFile& Settings) const;

    // The handlers of the three controls (public so a window can route its own events here).
    void edt1Click();
    void edt1DblClick();
    void imgbtn1Click();
    void lst1Click();
    void lst1DblClick();
    void lst1MouseDown(QPoint Position);
    void lst1MouseMove(QPoint Position);
    // The keyboard's ways to the same: opening from the box (Down, Alt+Down, F4, Space, Enter),
    // choosing or toggling the current row, opening or closing the current category, closing
    // the list without a choice (the focus goes back to the box).
    void OpenListFromKeyboard();
    void ActivateCurrentRow();
    void SetCurrentCategoryOpen(bool Open);
    void CloseList();

signals:
    // An entry was chosen (already stored by a main-window picker); edt1 shows its name.
    void Chosen(int Code);

protected:
    // Installed on the application: closes the list on presses elsewhere, and turns edt1's
    // presses and releases into its clicks.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ShowName(const std::string& Name);
    std::string ShownName_;
    // The text box's top in lst1's parent; the list's geometry formulas count from it.
    int EditTop() const;
    void Place(const zelta::TPickerGeometry& Geometry);
    void SelectStoredRow(bool ShowStoredText);
    // Hides a shown list (false), or shows it with the stored choice selected (true).
    bool ToggleList(bool ShowStoredText);
    bool OverPickerControl(QObject* Object) const;
    void ApplicationStateChanged(Qt::ApplicationState State);

    zelta::TPickerGeometry ClickGeometry() const;
    // A press on Row at X pixels from the row's left edge, from the mouse or the keyboard.
    void PressRow(int Row, int X);

    QWidget* ListParent_;
    TKind Kind_;
    zelta::TFormatPickerModel Model_;
    bool EditPressed_ = false; // a left press on edt1 waits for its release
};

// The hidden audio format combo (cbOutputFormat): its fixed items, the stored index at show,
// every change written back to "OutPutFormat".
class TAudioFormatCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TAudioFormatCombo(QWidget* Parent = nullptr);
    // FillAudioFormatCombo, then the stored index; from then on changes are stored.
    void FillAudioFormatCombo();
    void LoadStoredIndex(const zelta::TIniFile& Settings);

private:
    void cbOutputFormatChange(int Index);
    bool Loading_ = false;
};
