#include "Listbox.h"

namespace fw {

const ClassRecord& Listbox::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Listbox", &RectControl::Lookup());
        for (const char* e : {"Change", "DoubleClick", "EnableMenuItems", "ExpandRow", "CollapseRow", "CellClick",
                              "CellTextChange", "CellAction", "CellGotFocus", "CellLostFocus", "CellKeyDown",
                              "CompareRows", "SortColumn", "HeaderPressed", "MouseDown", "MouseUp", "GotFocus",
                              "LostFocus"})
            r.Event(e);
        using T = PropertyType;
        r.Property(TypedProperty("ColumnCount", T::Int32, &Listbox::SetColumnCount, &Listbox::ColumnCount));
        r.Property(TypedProperty("Hierarchical", T::Boolean, &Listbox::SetHierarchical, &Listbox::Hierarchical));
        r.Property(TypedProperty("HasHeading", T::Boolean, &Listbox::SetHasHeading, &Listbox::HasHeading));
        for (const char* name : {"Border", "UseFocusRing", "ScrollBarHorizontal", "ScrollBarVertical",
                                 "EnableDrag", "EnableDragReorder", "RequiresSelection", "ColumnsResizable",
                                 "AutoHideScrollbars"})
            r.Property(StoredProperty(name, T::Boolean));
        for (const char* name : {"HeadingIndex", "GridLinesHorizontal", "GridLinesVertical", "DefaultRowHeight",
                                 "_ScrollWidth", "_ScrollOffset", "SelectionType"})
            r.Property(StoredProperty(name, T::Int32));
        for (const char* name : {"ColumnWidths", "InitialValue", "DataSource", "DataField"})
            r.Property(StoredProperty(name, T::String));
        r.create = Factory<Listbox>();
        return r;
    }();
    return record;
}

bool Listbox::ValidRow(std::int32_t row, const char* what) const
{
    if (row == -1) return false;
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException(std::string(what) + ": row " + std::to_string(row) + " is not in the list");
    return true;
}

void Listbox::Insert(Row row)
{
    std::int32_t at = ListCount();
    if (!opening_.empty()) {
        Opening& o = opening_.back();
        at = o.nextRow++;
        row.depth = rows_[std::size_t(o.folderRow)].depth + 1;
        for (Opening& outer : opening_)
            if (&outer != &o && outer.nextRow >= at) ++outer.nextRow;
    }
    rows_.insert(rows_.begin() + at, std::move(row));
    lastIndex_ = at;
    if (listIndex_ >= at) ++listIndex_;
    Notify([at](ControlView& view) { view.RowsInserted(at, 1); });
}

void Listbox::AddRow(const std::vector<String>& texts)
{
    Insert(Row{texts, false, false, 0});
}

void Listbox::AddFolder(const String& text)
{
    Insert(Row{{text}, true, false, 0});
}

void Listbox::DeleteAllRows()
{
    rows_.clear();
    lastIndex_ = -1;
    listIndex_ = -1;
    Notify([](ControlView& view) { view.AllRowsRemoved(); });
}

void Listbox::RemoveRow(std::int32_t row)
{
    if (!ValidRow(row, "RemoveRow")) return;
    rows_.erase(rows_.begin() + row);
    if (listIndex_ == row)
        listIndex_ = -1;
    else if (listIndex_ > row)
        --listIndex_;
    if (lastIndex_ >= ListCount()) lastIndex_ = ListCount() - 1;
    for (Opening& o : opening_)
        if (o.nextRow > row) --o.nextRow;
    Notify([row](ControlView& view) { view.RowRemoved(row); });
}

void Listbox::SetListIndex(std::int32_t row)
{
    if (row != -1) ValidRow(row, "ListIndex");
    if (row == listIndex_) return;
    listIndex_ = row;
    Notify([](ControlView& view) { view.SelectionChanged(); });
}

String Listbox::Cell(std::int32_t row, std::int32_t column) const
{
    if (!ValidRow(row, "Cell")) return "";
    if (column < 0) throw OutOfBoundsException("Cell: column " + std::to_string(column) + " is not in the list");
    const auto& cells = rows_[std::size_t(row)].cells;
    return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : "";
}

void Listbox::SetCell(std::int32_t row, std::int32_t column, const String& text)
{
    if (!ValidRow(row, "Cell")) return;
    if (column < 0) throw OutOfBoundsException("Cell: column " + std::to_string(column) + " is not in the list");
    auto& cells = rows_[std::size_t(row)].cells;
    if (std::size_t(column) >= cells.size()) cells.resize(std::size_t(column) + 1);
    cells[std::size_t(column)] = text;
    Notify([row, column](ControlView& view) { view.CellChanged(row, column); });
}

bool Listbox::Expanded(std::int32_t row) const
{
    if (!ValidRow(row, "Expanded")) return false;
    return rows_[std::size_t(row)].expanded;
}

bool Listbox::RowIsFolder(std::int32_t row) const
{
    if (!ValidRow(row, "RowIsFolder")) return false;
    return rows_[std::size_t(row)].folder;
}

std::int32_t Listbox::RowDepth(std::int32_t row) const
{
    if (!ValidRow(row, "RowDepth")) return 0;
    return rows_[std::size_t(row)].depth;
}

void Listbox::SetExpanded(std::int32_t row, bool expanded)
{
    if (!ValidRow(row, "Expanded")) return;
    Row& r = rows_[std::size_t(row)];
    if (!r.folder || r.expanded == expanded) return;
    r.expanded = expanded;
    Notify([row](ControlView& view) { view.ExpandedChanged(row); });
    if (expanded) {
        opening_.push_back(Opening{row, row + 1});
        struct Done {
            std::vector<Opening>& stack;
            ~Done() { stack.pop_back(); }
        } done{opening_};
        RaiseEvent("ExpandRow", row);
    } else {
        RaiseEvent("CollapseRow", row);
    }
}

void Listbox::SetColumnCount(std::int32_t count)
{
    columnCount_ = count < 1 ? 1 : count;
    Notify([](ControlView& view) { view.ColumnCountChanged(); });
}

void Listbox::SetHasHeading(bool v)
{
    hasHeading_ = v;
    Notify([](ControlView& view) { view.ColumnCountChanged(); });
}

void Listbox::ViewSelected(std::int32_t row)
{
    if (row < -1 || row >= ListCount()) row = -1;
    if (row == listIndex_) return;
    listIndex_ = row;
    RaiseEvent("Change");
}

void Listbox::ViewSetExpanded(std::int32_t row, bool expanded)
{
    SetExpanded(row, expanded);
}

void Listbox::ViewDoubleClicked()
{
    RaiseEvent("DoubleClick");
}

} // namespace fw
