#pragma once

// A list's rows as a Qt item model: top-level rows under the root, child
// rows under their folder row. It keeps no rows of its own: it reads the
// list's as the view asks, and passes the list's notices on as Qt's.
// Rows added one by one at the end of a level are told to Qt as one run,
// before Qt next looks at the rows or anything else changes: telling Qt of
// each row alone costs a fill more than the rest of Qt's share of it.

#include "framework/ListRows.h"

#include <QAbstractItemModel>

#include <cstdint>
#include <optional>

namespace fw {
class Listbox;
}

namespace fw::qt {

class ListboxModel final : public QAbstractItemModel {
public:
    ListboxModel(const Listbox& list, QObject* parent);

    // The index in column 0 that shows flat row `row`; invalid for no row.
    QModelIndex IndexOfRow(std::int32_t row) const;
    // The flat row that an index shows; -1 for none.
    std::int32_t RowOf(const QModelIndex& index) const;
    // A row named as the list's notices name it (parent -1: top level).
    QModelIndex IndexOf(std::int32_t parent, std::int32_t row, int column = 0) const;

    // The list is going away: from now on the model is empty.
    void Detach();
    // Tells Qt of the rows added that it has not heard of yet.
    void ShowPendingRows();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The list's notices.
    void RowsAboutToBeInserted(std::int32_t parent, std::int32_t first, std::int32_t count);
    void RowsInserted();
    void RowsAboutToBeRemoved(std::int32_t parent, std::int32_t first, std::int32_t count);
    void RowsRemoved();
    void RowsAboutToBeReset();
    void RowsReset();
    void CellChanged(std::int32_t parent, std::int32_t row, std::int32_t column);
    // True when the number of shown columns changed (the model was reset).
    bool ColumnCountChanged();

private:
    // A top-level row's index carries 0; a child's, its folder row + 1.
    // Nothing for an index of no row.
    std::optional<ListRows::Place> PlaceOf(const QModelIndex& index) const;
    // The rows under `parent` (-1: the top level) that Qt has heard of.
    std::int32_t ShownCount(std::int32_t parent) const;

    // Rows at the end of one level that the list has and Qt not yet.
    struct Pending {
        std::int32_t parent, first, count;
    };

    const Listbox* list_;
    int columns_;  // shown: what Qt last heard
    std::optional<Pending> pending_;
    bool insertKeptBack_ = false;  // the insert under way joined pending_
};

} // namespace fw::qt
