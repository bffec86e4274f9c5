#pragma once

// A list of rows, numbered from 0, each with texts in columns numbered from 0.
// A hierarchical list has two levels: a top-level folder row can be opened,
// and the rows added while it opens go directly beneath it as its children.
// Columns from ColumnCount on are not shown but keep their texts.

#include "Control.h"
#include "ListRows.h"

#include <cstdint>
#include <vector>

namespace fw {

class Listbox : public RectControl {
public:
    static const ClassRecord& Lookup();

    // Appends a row (or, while a folder row is opening, adds it beneath that
    // row, after the children added so far) whose columns are the texts.
    void AddRow(const std::vector<String>& texts);
    // A folder row added beneath another stays closed: the list has two levels.
    void AddFolder(const String& text);
    // Removes every row without raising CollapseRow.
    void DeleteAllRows();
    // Removes one row; the rows below it move up by one. The children of a
    // removed folder row stay, as top-level rows.
    void RemoveRow(std::int32_t row);

    std::int32_t ListCount() const { return rows_.Count(); }
    std::int32_t LastIndex() const { return lastIndex_; }
    std::int32_t ListIndex() const { return listIndex_; }
    void SetListIndex(std::int32_t row);

    // Row -1 is no row: setters ignore it, getters give "" and False.
    String Cell(std::int32_t row, std::int32_t column) const;
    void SetCell(std::int32_t row, std::int32_t column, const String& text);
    bool Expanded(std::int32_t row) const;
    // Opening or closing a folder row raises ExpandRow or CollapseRow with
    // that row before returning; any other row never becomes expanded.
    void SetExpanded(std::int32_t row, bool expanded);
    bool RowIsFolder(std::int32_t row) const;
    std::int32_t RowDepth(std::int32_t row) const;

    std::int32_t ColumnCount() const { return columnCount_; }
    void SetColumnCount(std::int32_t count);
    bool Hierarchical() const { return hierarchical_; }
    void SetHierarchical(bool v) { hierarchical_ = v; }
    bool HasHeading() const { return hasHeading_; }
    void SetHasHeading(bool v);

    // The rows in their two levels, for views.
    const ListRows& Rows() const { return rows_; }

    // What the view reports of the user's doing. While an ExpandRow,
    // CollapseRow or DoubleClick handler runs, these are dropped: the
    // handlers yield to the event loop, and rely on the rows and the
    // selection staying as they leave them.
    void ViewSelected(std::int32_t row);
    void ViewSetExpanded(std::int32_t row, bool expanded);
    void ViewDoubleClicked();
    bool RowHandlerRunning() const { return rowHandlersRunning_ > 0; }

private:
    // While a folder row opens, where its next child goes; top is -1 once
    // the folder row is gone.
    struct Opening {
        std::int32_t top;
        std::int32_t nextChild;
    };

    void Insert(RowTexts texts, bool folder);
    // Keeps the openings in step with a removed row.
    void FollowRemoval(ListRows::Place removed, std::int32_t orphans);
    bool ValidRow(std::int32_t row, const char* what) const;
    void ValidColumn(std::int32_t column) const;
    void RaiseRowEvent(const char* event, std::int32_t row);

    ListRows rows_;
    std::vector<Opening> opening_;
    std::int32_t lastIndex_ = -1;
    std::int32_t listIndex_ = -1;
    std::int32_t columnCount_ = 1;
    int rowHandlersRunning_ = 0;
    bool hierarchical_ = false;
    bool hasHeading_ = false;
};

using ListboxRef = std::shared_ptr<Listbox>;

} // namespace fw
