#pragma once

// A list of rows, numbered from 0, each with texts in columns numbered from 0.
// A hierarchical list keeps its rows flat: a folder row can be opened, and
// the rows added while it opens go directly beneath it as its children.
// Columns from ColumnCount on are not shown but keep their texts.

#include "Control.h"

#include <cstdint>
#include <vector>

namespace fw {

class Listbox : public RectControl {
public:
    static const ClassRecord& Lookup();

    // Appends a row (or, while a folder row is opening, adds it beneath that
    // row, after the children added so far) whose columns are the texts.
    void AddRow(const std::vector<String>& texts);
    void AddFolder(const String& text);
    // Removes every row without raising CollapseRow.
    void DeleteAllRows();
    // Removes one row; the rows below it move up by one.
    void RemoveRow(std::int32_t row);

    std::int32_t ListCount() const { return std::int32_t(rows_.size()); }
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

    // What the view reports of the user's doing.
    void ViewSelected(std::int32_t row);
    void ViewSetExpanded(std::int32_t row, bool expanded);
    void ViewDoubleClicked();

private:
    struct Row {
        std::vector<String> cells;
        bool folder = false;
        bool expanded = false;
        std::int32_t depth = 0;
    };
    // While a folder row opens, where its next child goes.
    struct Opening {
        std::int32_t folderRow;
        std::int32_t nextRow;
    };

    void Insert(Row row);
    bool ValidRow(std::int32_t row, const char* what) const;

    std::vector<Row> rows_;
    std::vector<Opening> opening_;
    std::int32_t lastIndex_ = -1;
    std::int32_t listIndex_ = -1;
    std::int32_t columnCount_ = 1;
    bool hierarchical_ = false;
    bool hasHeading_ = false;
};

using ListboxRef = std::shared_ptr<Listbox>;

} // namespace fw
