#pragma once

// A list's rows in its two levels: top-level rows, each holding the child
// rows that stand directly beneath it. Rows are also numbered flat, from 0,
// as they stand in the list. A Fenwick tree over the top-level rows' sizes
// (the row and its children) maps between the two in O(log n), so that
// appending a row, or adding or removing a child, costs the same however
// many rows stand below it.

#include "RowTexts.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace fw {

// Sums of a sequence of sizes, each at least 1, by prefix.
class SizeTree {
public:
    void Clear() { tree_.clear(); }
    void Assign(const std::vector<std::int32_t>& sizes);
    void Append(std::int32_t size);
    void Add(std::int32_t index, std::int32_t delta);
    // The sum of the sizes before `index`.
    std::int32_t SumBefore(std::int32_t index) const;
    // The entry whose span holds `position`, counting spans from 0.
    std::int32_t Find(std::int32_t position) const;

private:
    // 1-based: tree_[i - 1] sums the entries (i - lowbit(i), i].
    std::vector<std::int32_t> tree_;
};

class ListRows {
public:
    // Where a flat row stands: top-level row `top` itself (child -1) or
    // its child `child`.
    struct Place {
        std::int32_t top;
        std::int32_t child;
    };

    std::int32_t Count() const { return count_; }
    std::int32_t TopCount() const { return std::int32_t(tops_.size()); }
    std::int32_t ChildCount(std::int32_t top) const;

    // For a flat row from 0 to Count() - 1, and back.
    Place Locate(std::int32_t row) const;
    std::int32_t RowOf(Place place) const;

    const RowTexts& Texts(Place place) const;
    RowTexts& Texts(Place place);
    bool Folder(Place place) const;
    bool Expanded(std::int32_t top) const { return tops_[std::size_t(top)].expanded; }
    void SetExpanded(std::int32_t top, bool expanded) { tops_[std::size_t(top)].expanded = expanded; }

    // Appending costs O(log n); inserting elsewhere renumbers every row.
    void InsertTop(std::int32_t at, RowTexts texts, bool folder);
    void InsertChild(std::int32_t top, std::int32_t at, RowTexts texts, bool folder);
    void RemoveChild(std::int32_t top, std::int32_t at);
    // Removes a top-level row; its children stay, as top-level rows in its
    // place. Renumbers every row.
    void RemoveTop(std::int32_t at);
    void Clear();

private:
    struct Child {
        RowTexts texts;
        bool folder = false;
    };
    struct Top {
        RowTexts texts;
        std::unique_ptr<std::vector<Child>> children;  // nil while it has none
        bool folder = false;
        bool expanded = false;
    };

    void Renumber();

    std::vector<Top> tops_;
    SizeTree sizes_;
    std::int32_t count_ = 0;
};

} // namespace fw
