// The format picker's drop-down list as a model: one row per category header or profile entry,
// each with its TItemInfo, expanding and collapsing categories, the stored collapse state, and
// the choice of an entry. The main window and the profile settings dialog show it in a list view
// and paint the rows with a delegate from the roles below; nothing here needs a widget.
//
// Row rules:
//  - FillFormatList adds each category header (category 0 first, then the declared categories by
//    number) with its collapse state from section "lstformat" (key = category number, default
//    collapsed) and, when it is expanded, its entries of slots 0..30 (AddCategoryEntries).
//  - Expanding a header inserts the non-empty entries of slots 0..49 directly below it, in slot
//    order; collapsing removes the entry rows that directly follow it.
//
// Main thread only, like every model.
#pragma once

#include "app/FormatCatalogue.h"
#include "app/IniFile.h"

#include <QAbstractListModel>
#include <QRgb>

#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// The row object of the profile pickers.
class TItemInfo {
public:
    bool IsEntry = false;    // the row is a profile entry
    bool IsCategory = false; // the row is a category header
    bool Collapsed = false;  // category row: its entries are not in the list
    int Code = 0;            // category row: the category number; entry row: the FormatCode
};

// Slots AddCategoryEntries appends, and slots expanding inserts.
inline constexpr int FillEntrySlots = 31;
inline constexpr int ExpandEntrySlots = 50;

// Geometry and colours of the drop-down list and its rows.
inline constexpr int PickerRowHeight = 20;
inline constexpr int PickerGlyphColumn = 20; // a press left of this toggles a header
inline constexpr int PickerMaxHeight = 379;
inline constexpr QRgb PickerBackColor = qRgb(246, 247, 248);   // list, text box, other rows
inline constexpr QRgb PickerFocusFill = qRgb(185, 204, 236);   // focused row, inset by 2
inline constexpr QRgb PickerFocusFrame = qRgb(122, 160, 218);  // its frame, inset by 1
inline constexpr QRgb PickerEntryText = qRgb(0, 0, 128);       // navy entry text
inline constexpr int PickerHeaderGlyphLeft = 1;  // expand glyph, from the row's left + 3
inline constexpr int PickerHeaderIconLeft = 20;  // category icon
inline constexpr int PickerHeaderTextLeft = 45;  // bold header text
inline constexpr int PickerEntryTextLeft = 25;   // entry text
inline constexpr int PickerTextTop = 2;

struct TPickerGeometry {
    int Height = 0;
    int Top = 0;
};
// After filling: (rows + 1) * 20 while rows * 20 < 380, else 379; top = text box top - height + 412.
TPickerGeometry PickerFillGeometry(int Rows, int EditTop);
// After a click in the list: min(rows * 20 + 20, 379); top = text box top - height + 423.
TPickerGeometry PickerClickGeometry(int Rows, int EditTop);
// The profile settings dialog's list, which opens below its text box: rows * 20 + 20, but 247
// when rows * 20 exceeds 247; top one pixel above the box's bottom edge (EditBottom = its top
// plus its height).
inline constexpr int DialogPickerMaxHeight = 247;
TPickerGeometry PickerDialogGeometry(int Rows, int EditBottom);

class TFormatPickerModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum TRole {
        IsCategoryRole = Qt::UserRole + 1, // bool
        IsEntryRole,                       // bool
        CollapsedRole,                     // bool
        CodeRole,                          // int: category number or FormatCode
        CategoryIconRole,                  // int: TCategoryIcon of a header, -1 for entries
    };

    explicit TFormatPickerModel(QObject* Parent = nullptr);

    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    // Display: the row text. Font: bold for headers. Foreground: navy for entries.
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;

    struct TFillResult {
        std::string Text;     // for the text box: the stored "FormatName"
        int SelectedRow = -1; // the row whose text matches it, -1 for none
    };
    // Rebuilds the name table and every row from the catalogue file and the stored collapse
    // states, and reads the stored choice.
    TFillResult FillFormatList(const TIniFile& Settings, const TIniFile& Catalogue);
    TFillResult FillFormatList(const TIniFile& Settings, TFormatCatalogue Catalogue);

    // Writes "lstformat" key <category> for every header row: true when collapsed. False when a
    // write failed (the other headers are still written).
    bool SaveFormatListState(TIniFile& Settings) const;

    // Appends the entry rows of category c's slots 0..30 at the end of the list.
    void AddCategoryEntries(int Category);

    // Header rows only; other rows are left alone.
    void ExpandCategory(int Row);
    void CollapseCategory(int Row);
    void ToggleCategory(int Row);

    struct TClickResult {
        bool Toggled = false; // a header was expanded or collapsed
        bool Chosen = false;  // an entry was chosen: show Name in the text box, hide the list
        std::string Name;
        int Code = -1;
        bool Stored = true;   // the choice reached the settings file
    };
    // A press of the left button at X (pixels from the row's left edge) on Row (-1: on no row):
    // a header is toggled when X < 20; an entry becomes the stored choice ("FormatName",
    // "FormatCode").
    TClickResult MouseDown(int Row, int X, TIniFile& Settings);
    // The same without storing: the caller decides what the chosen entry becomes (the profile
    // settings dialog stores its choice only on OK).
    TClickResult MouseDown(int Row, int X);
    // A double click on the selected row toggles a header.
    void DoubleClick(int Row);

    // The first row whose text equals Text with its surrounding blanks removed, compared without
    // letter case; -1 for none.
    int FindRow(std::string_view Text) const;

    int RowCount() const { return int(FRows.size()); }
    // Row must be valid.
    const TItemInfo& Item(int Row) const { return FRows[size_t(Row)].Info; }
    const std::string& RowText(int Row) const { return FRows[size_t(Row)].Text; }
    const TFormatCatalogue& Catalogue() const { return FCatalogue; }

private:
    struct TRow {
        std::string Text;
        TItemInfo Info; // owned by the row
    };

    bool IsHeader(int Row) const;
    TCategoryIcon IconOf(int Category) const;

    std::vector<TRow> FRows;
    TFormatCatalogue FCatalogue;
};

}  // namespace zelta
