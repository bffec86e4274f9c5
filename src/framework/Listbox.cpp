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

void Listbox::ValidColumn(std::int32_t column) const
{
    if (column < 0) throw OutOfBoundsException("Cell: column " + std::to_string(column) + " is not in the list");
}

void Listbox::Insert(RowTexts texts, bool folder)
{
    std::int32_t parent = -1, at = rows_.TopCount();
    if (!opening_.empty() && opening_.back().top >= 0) {
        Opening& o = opening_.back();
        parent = o.top;
        at = o.nextChild++;
        for (Opening& outer : opening_)
            if (&outer != &o && outer.top == parent && outer.nextChild >= at) ++outer.nextChild;
    }
    Notify([&](ControlView& view) { view.RowsAboutToBeInserted(parent, at, 1); });
    if (parent < 0)
        rows_.InsertTop(at, std::move(texts), folder);
    else
        rows_.InsertChild(parent, at, std::move(texts), folder);
    const std::int32_t row = parent < 0 ? rows_.RowOf({at, -1}) : rows_.RowOf({parent, at});
    lastIndex_ = row;
    if (listIndex_ >= row) ++listIndex_;
    Notify([&](ControlView& view) { view.RowsInserted(parent, at, 1); });
}

void Listbox::AddRow(const std::vector<String>& texts)
{
    Insert(RowTexts(texts), false);
}

void Listbox::AddFolder(const String& text)
{
    Insert(RowTexts({text}), true);
}

void Listbox::DeleteAllRows()
{
    Notify([](ControlView& view) { view.RowsAboutToBeReset(); });
    rows_.Clear();
    lastIndex_ = -1;
    listIndex_ = -1;
    for (Opening& o : opening_) o.top = -1;
    Notify([](ControlView& view) { view.RowsReset(); });
}

void Listbox::RemoveRow(std::int32_t row)
{
    if (!ValidRow(row, "RemoveRow")) return;
    const ListRows::Place place = rows_.Locate(row);
    const bool child = place.child >= 0;
    const std::int32_t parent = child ? place.top : -1, at = child ? place.child : place.top;
    // The children of a removed folder row take its place as top-level
    // rows: nothing the program added is lost, and the rows keep their order.
    const std::int32_t orphans = child ? 0 : rows_.ChildCount(place.top);
    if (orphans > 0)
        Notify([](ControlView& view) { view.RowsAboutToBeReset(); });
    else
        Notify([&](ControlView& view) { view.RowsAboutToBeRemoved(parent, at, 1); });

    if (child)
        rows_.RemoveChild(place.top, place.child);
    else
        rows_.RemoveTop(place.top);
    FollowRemoval(place, orphans);
    const bool wasSelected = listIndex_ == row;
    if (wasSelected)
        listIndex_ = -1;
    else if (listIndex_ > row)
        --listIndex_;
    if (lastIndex_ >= ListCount()) lastIndex_ = ListCount() - 1;

    if (orphans > 0)
        Notify([](ControlView& view) { view.RowsReset(); });
    else
        Notify([&](ControlView& view) { view.RowsRemoved(parent, at, 1); });
    if (wasSelected) Notify([](ControlView& view) { view.SelectionChanged(); });
}

void Listbox::FollowRemoval(ListRows::Place removed, std::int32_t orphans)
{
    for (Opening& o : opening_) {
        if (removed.child >= 0) {
            if (o.top == removed.top && o.nextChild > removed.child) --o.nextChild;
        } else if (o.top == removed.top) {
            o.top = -1;
        } else if (o.top > removed.top) {
            o.top += orphans - 1;
        }
    }
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
    ValidColumn(column);
    return String(rows_.Texts(rows_.Locate(row)).Get(std::size_t(column)));
}

void Listbox::SetCell(std::int32_t row, std::int32_t column, const String& text)
{
    if (!ValidRow(row, "Cell")) return;
    ValidColumn(column);
    const ListRows::Place place = rows_.Locate(row);
    rows_.Texts(place).Set(std::size_t(column), text);
    const bool child = place.child >= 0;
    Notify([&](ControlView& view) {
        view.CellChanged(child ? place.top : -1, child ? place.child : place.top, column);
    });
}

bool Listbox::Expanded(std::int32_t row) const
{
    if (!ValidRow(row, "Expanded")) return false;
    const ListRows::Place place = rows_.Locate(row);
    return place.child < 0 && rows_.Expanded(place.top);
}

bool Listbox::RowIsFolder(std::int32_t row) const
{
    if (!ValidRow(row, "RowIsFolder")) return false;
    return rows_.Folder(rows_.Locate(row));
}

std::int32_t Listbox::RowDepth(std::int32_t row) const
{
    if (!ValidRow(row, "RowDepth")) return 0;
    return rows_.Locate(row).child < 0 ? 0 : 1;
}

void Listbox::SetExpanded(std::int32_t row, bool expanded)
{
    if (!ValidRow(row, "Expanded")) return;
    const ListRows::Place place = rows_.Locate(row);
    // Only a top-level folder row opens: the list has two levels.
    if (place.child >= 0 || !rows_.Folder(place) || rows_.Expanded(place.top) == expanded) return;
    rows_.SetExpanded(place.top, expanded);
    Notify([&](ControlView& view) { view.ExpandedChanged(place.top); });
    if (!expanded) {
        RaiseRowEvent("CollapseRow", row);
        return;
    }
    opening_.push_back(Opening{place.top, 0});
    struct Done {
        std::vector<Opening>& stack;
        ~Done() { stack.pop_back(); }
    } done{opening_};
    RaiseRowEvent("ExpandRow", row);
}

void Listbox::RaiseRowEvent(const char* event, std::int32_t row)
{
    struct Running {
        Listbox& list;
        explicit Running(Listbox& l) : list(l) { ++list.rowHandlersRunning_; }
        ~Running()
        {
            if (--list.rowHandlersRunning_ == 0) list.Notify([](ControlView& view) { view.RowHandlersDone(); });
        }
    } running(*this);
    RaiseEvent(event, row);
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
    if (RowHandlerRunning()) return;
    DeliverUserEvent([&] {
        if (row < -1 || row >= ListCount()) row = -1;
        if (row == listIndex_) return;
        listIndex_ = row;
        RaiseEvent("Change");
    });
}

void Listbox::ViewSetExpanded(std::int32_t row, bool expanded)
{
    if (!RowHandlerRunning()) DeliverUserEvent([&] { SetExpanded(row, expanded); });
}

void Listbox::ViewDoubleClicked()
{
    if (!RowHandlerRunning()) DeliverUserEvent([&] { RaiseRowEvent("DoubleClick", 0); });
}

} // namespace fw
