#include "app/FormatPickerModel.h"
#include "app/CatalogueTexts.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <algorithm>

namespace zelta {

namespace {

QString ToQString(std::string_view Text)
{
    return QString::fromUtf8(Text.data(), qsizetype(Text.size()));
}

}  // namespace

TPickerGeometry PickerFillGeometry(int Rows, int EditTop)
{
    TPickerGeometry G;
    G.Height = Rows * PickerRowHeight < 380 ? (Rows + 1) * PickerRowHeight : PickerMaxHeight;
    G.Top = EditTop - G.Height + 412;
    return G;
}

TPickerGeometry PickerClickGeometry(int Rows, int EditTop)
{
    TPickerGeometry G;
    G.Height = std::min(Rows * PickerRowHeight + 20, PickerMaxHeight);
    G.Top = EditTop - G.Height + 423;
    return G;
}

TPickerGeometry PickerDialogGeometry(int Rows, int EditBottom)
{
    TPickerGeometry G;
    G.Height = Rows * PickerRowHeight > DialogPickerMaxHeight ? DialogPickerMaxHeight
                                                               : Rows * PickerRowHeight + 20;
    G.Top = EditBottom - 1;
    return G;
}

TFormatPickerModel::TFormatPickerModel(QObject* Parent) : QAbstractListModel(Parent) {}

int TFormatPickerModel::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : RowCount();
}

QVariant TFormatPickerModel::data(const QModelIndex& Index, int Role) const
{
    if (!Index.isValid() || Index.row() < 0 || Index.row() >= RowCount())
        return {};
    const TRow& Row = FRows[size_t(Index.row())];
    switch (Role) {
    case Qt::DisplayRole:
        return ToQString(CatalogueText(Row.Text));
    case Qt::FontRole:
        if (Row.Info.IsCategory) {
            QFont Bold;
            Bold.setBold(true);
            return Bold;
        }
        return {};
    case Qt::ForegroundRole:
        return Row.Info.IsEntry ? QColor(PickerEntryText) : QColor(Qt::black);
    case IsCategoryRole:
        return Row.Info.IsCategory;
    case IsEntryRole:
        return Row.Info.IsEntry;
    case CollapsedRole:
        return Row.Info.Collapsed;
    case CodeRole:
        return Row.Info.Code;
    case CategoryIconRole:
        return Row.Info.IsCategory ? int(IconOf(Row.Info.Code)) : -1;
    default:
        return {};
    }
}

TFormatPickerModel::TFillResult TFormatPickerModel::FillFormatList(const TIniFile& Settings,
                                                                   const TIniFile& Catalogue)
{
    return FillFormatList(Settings, ReadFormatCatalogue(Catalogue));
}

TFormatPickerModel::TFillResult TFormatPickerModel::FillFormatList(const TIniFile& Settings,
                                                                   TFormatCatalogue Catalogue)
{
    beginResetModel();
    FRows.clear();
    FCatalogue = std::move(Catalogue);
    endResetModel();

    for (const TFormatCategory& Category : FCatalogue.Categories) {
        TRow Header;
        Header.Text = Category.Name;
        Header.Info.IsCategory = true;
        Header.Info.Code = Category.Number;
        Header.Info.Collapsed =
            Settings.ReadBool(SectionLstFormat, LstFormatKey(Category.Number), LstFormatCollapsedDefault);
        const bool Expanded = !Header.Info.Collapsed;
        beginInsertRows(QModelIndex(), RowCount(), RowCount());
        FRows.push_back(std::move(Header));
        endInsertRows();
        if (Expanded)
            AddCategoryEntries(Category.Number);
    }

    TFillResult Result;
    Result.Text = ReadStoredFormat(Settings).Name;
    Result.SelectedRow = FindRow(Result.Text);
    return Result;
}

bool TFormatPickerModel::SaveFormatListState(TIniFile& Settings) const
{
    bool AllStored = true;
    for (const TRow& Row : FRows)
        if (Row.Info.IsCategory)
            AllStored = Settings.WriteBool(SectionLstFormat, LstFormatKey(Row.Info.Code),
                                           Row.Info.Collapsed) && AllStored;
    return AllStored;
}

void TFormatPickerModel::AddCategoryEntries(int Category)
{
    for (int Slot = 0; Slot < FillEntrySlots; ++Slot) {
        const std::string& Name = FCatalogue.Names.Name(Category, Slot);
        if (Name.empty())
            continue;
        TRow Entry;
        Entry.Text = Name;
        Entry.Info.IsEntry = true;
        Entry.Info.Code = FormatCodeOf(Category, Slot);
        beginInsertRows(QModelIndex(), RowCount(), RowCount());
        FRows.push_back(std::move(Entry));
        endInsertRows();
    }
}

bool TFormatPickerModel::IsHeader(int Row) const
{
    return Row >= 0 && Row < RowCount() && FRows[size_t(Row)].Info.IsCategory;
}

TCategoryIcon TFormatPickerModel::IconOf(int Category) const
{
    for (const TFormatCategory& C : FCatalogue.Categories)
        if (C.Number == Category)
            return C.Icon;
    return TCategoryIcon::Video;
}

void TFormatPickerModel::ExpandCategory(int Row)
{
    // An open category already shows its entries; inserting them again would list them twice.
    if (!IsHeader(Row) || !FRows[size_t(Row)].Info.Collapsed)
        return;
    const int Category = FRows[size_t(Row)].Info.Code;
    std::vector<TRow> Entries;
    for (int Slot = 0; Slot < ExpandEntrySlots; ++Slot) {
        const std::string& Name = FCatalogue.Names.Name(Category, Slot);
        if (Name.empty())
            continue;
        TRow Entry;
        Entry.Text = Name;
        Entry.Info.IsEntry = true;
        Entry.Info.Code = FormatCodeOf(Category, Slot);
        Entries.push_back(std::move(Entry));
    }
    // Entries go right below the header in slot order; an empty slot leaves no gap.
    if (!Entries.empty()) {
        beginInsertRows(QModelIndex(), Row + 1, Row + int(Entries.size()));
        FRows.insert(FRows.begin() + Row + 1, std::make_move_iterator(Entries.begin()),
                     std::make_move_iterator(Entries.end()));
        endInsertRows();
    }
    FRows[size_t(Row)].Info.Collapsed = false;
    const QModelIndex Header = index(Row);
    emit dataChanged(Header, Header, {CollapsedRole});
}

void TFormatPickerModel::CollapseCategory(int Row)
{
    if (!IsHeader(Row))
        return;
    int Last = Row;
    while (Last + 1 < RowCount() && FRows[size_t(Last + 1)].Info.IsEntry)
        ++Last;
    if (Last > Row) {
        beginRemoveRows(QModelIndex(), Row + 1, Last);
        FRows.erase(FRows.begin() + Row + 1, FRows.begin() + Last + 1);
        endRemoveRows();
    }
    FRows[size_t(Row)].Info.Collapsed = true;
    const QModelIndex Header = index(Row);
    emit dataChanged(Header, Header, {CollapsedRole});
}

void TFormatPickerModel::ToggleCategory(int Row)
{
    if (!IsHeader(Row))
        return;
    if (FRows[size_t(Row)].Info.Collapsed)
        ExpandCategory(Row);
    else
        CollapseCategory(Row);
}

TFormatPickerModel::TClickResult TFormatPickerModel::MouseDown(int Row, int X, TIniFile& Settings)
{
    TClickResult Result = MouseDown(Row, X);
    if (Result.Chosen)
        Result.Stored = StoreFormatChoice(Settings, Result.Name, Result.Code);
    return Result;
}

TFormatPickerModel::TClickResult TFormatPickerModel::MouseDown(int Row, int X)
{
    TClickResult Result;
    if (Row < 0 || Row >= RowCount())
        return Result;
    if (X < PickerGlyphColumn && IsHeader(Row)) {
        ToggleCategory(Row);
        Result.Toggled = true;
    }
    const TRow& Hit = FRows[size_t(Row)];
    if (Hit.Info.IsEntry) {
        Result.Chosen = true;
        Result.Name = Hit.Text;
        Result.Code = Hit.Info.Code;
    }
    return Result;
}

void TFormatPickerModel::DoubleClick(int Row)
{
    ToggleCategory(Row);
}

int TFormatPickerModel::FindRow(std::string_view Text) const
{
    const QString Wanted = ToQString(Text).trimmed();
    for (int Row = 0; Row < RowCount(); ++Row)
        if (ToQString(FRows[size_t(Row)].Text).compare(Wanted, Qt::CaseInsensitive) == 0)
            return Row;
    return -1;
}

}  // namespace zelta
