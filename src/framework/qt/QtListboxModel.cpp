#include "QtListboxModel.h"

#include "framework/Listbox.h"

namespace fw::qt {

ListboxModel::ListboxModel(const Listbox& list, QObject* parent)
    : QAbstractItemModel(parent), list_(&list), columns_(list.ColumnCount())
{
}

void ListboxModel::Detach()
{
    beginResetModel();
    list_ = nullptr;
    pending_.reset();
    endResetModel();
}

void ListboxModel::ShowPendingRows()
{
    if (!pending_) return;
    const Pending run = *pending_;
    beginInsertRows(run.parent < 0 ? QModelIndex() : IndexOf(-1, run.parent), run.first, run.first + run.count - 1);
    pending_.reset();
    endInsertRows();
}

std::int32_t ListboxModel::ShownCount(std::int32_t parent) const
{
    if (!list_) return 0;
    const ListRows& rows = list_->Rows();
    const std::int32_t count = parent < 0 ? rows.TopCount() : rows.ChildCount(parent);
    return pending_ && pending_->parent == parent ? count - pending_->count : count;
}

std::optional<ListRows::Place> ListboxModel::PlaceOf(const QModelIndex& index) const
{
    if (!list_ || !index.isValid() || index.model() != this) return std::nullopt;
    const bool child = index.internalId() != 0;
    const ListRows::Place place{child ? std::int32_t(index.internalId() - 1) : index.row(), child ? index.row() : -1};
    // An index Qt kept from before a change must not reach past the rows.
    if (place.top >= ShownCount(-1) || (child && place.child >= ShownCount(place.top))) return std::nullopt;
    return place;
}

QModelIndex ListboxModel::IndexOf(std::int32_t parent, std::int32_t row, int column) const
{
    return createIndex(row, column, quintptr(parent + 1));
}

QModelIndex ListboxModel::IndexOfRow(std::int32_t row) const
{
    if (!list_ || row < 0 || row >= list_->ListCount()) return {};
    const ListRows::Place place = list_->Rows().Locate(row);
    return place.child < 0 ? IndexOf(-1, place.top) : IndexOf(place.top, place.child);
}

std::int32_t ListboxModel::RowOf(const QModelIndex& index) const
{
    const std::optional<ListRows::Place> place = PlaceOf(index);
    return place ? list_->Rows().RowOf(*place) : -1;
}

QModelIndex ListboxModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent)) return {};
    return IndexOf(parent.isValid() ? parent.row() : -1, row, column);
}

QModelIndex ListboxModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0) return {};
    return IndexOf(-1, std::int32_t(child.internalId() - 1));
}

int ListboxModel::rowCount(const QModelIndex& parent) const
{
    if (!list_) return 0;
    if (!parent.isValid()) return ShownCount(-1);
    const std::optional<ListRows::Place> place = PlaceOf(parent);
    if (!place || place->child >= 0 || parent.column() != 0) return 0;
    return ShownCount(place->top);
}

int ListboxModel::columnCount(const QModelIndex&) const
{
    return list_ ? columns_ : 0;
}

bool ListboxModel::hasChildren(const QModelIndex& parent) const
{
    if (!list_) return false;
    if (!parent.isValid()) return ShownCount(-1) > 0;
    // A folder row can be opened before it has children; a child row never.
    const std::optional<ListRows::Place> place = PlaceOf(parent);
    if (!place || place->child >= 0 || parent.column() != 0) return false;
    return list_->Rows().Folder(*place) || list_->Rows().ChildCount(place->top) > 0;
}

QVariant ListboxModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole) return {};
    const std::optional<ListRows::Place> place = PlaceOf(index);
    if (!place) return {};
    const std::string_view text = list_->Rows().Texts(*place).Get(std::size_t(index.column()));
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

Qt::ItemFlags ListboxModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.internalId() != 0) f |= Qt::ItemNeverHasChildren;
    return f;
}

void ListboxModel::RowsAboutToBeInserted(std::int32_t parent, std::int32_t first, std::int32_t count)
{
    insertKeptBack_ = true;
    if (pending_ && pending_->parent == parent && pending_->first + pending_->count == first) {
        pending_->count += count;
        return;
    }
    ShowPendingRows();
    // Only rows added at the end: rows that Qt knows never move meanwhile.
    if (list_ && first == ShownCount(parent)) {
        pending_ = Pending{parent, first, count};
        QMetaObject::invokeMethod(this, &ListboxModel::ShowPendingRows, Qt::QueuedConnection);
        return;
    }
    insertKeptBack_ = false;
    beginInsertRows(parent < 0 ? QModelIndex() : IndexOf(-1, parent), first, first + count - 1);
}

void ListboxModel::RowsInserted()
{
    if (!insertKeptBack_) endInsertRows();
    insertKeptBack_ = false;
}

void ListboxModel::RowsAboutToBeRemoved(std::int32_t parent, std::int32_t first, std::int32_t count)
{
    ShowPendingRows();
    beginRemoveRows(parent < 0 ? QModelIndex() : IndexOf(-1, parent), first, first + count - 1);
}

void ListboxModel::RowsRemoved()
{
    endRemoveRows();
}

void ListboxModel::RowsAboutToBeReset()
{
    ShowPendingRows();
    beginResetModel();
}

void ListboxModel::RowsReset()
{
    if (list_) columns_ = list_->ColumnCount();
    endResetModel();
}

void ListboxModel::CellChanged(std::int32_t parent, std::int32_t row, std::int32_t column)
{
    // Qt reads a row that it has not heard of yet when it hears of it.
    if (column >= columns_ || row >= ShownCount(parent)) return;
    const QModelIndex changed = IndexOf(parent, row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

bool ListboxModel::ColumnCountChanged()
{
    if (!list_ || list_->ColumnCount() == columns_) return false;
    // Columns from ColumnCount on are hidden; their texts stay in the list.
    RowsAboutToBeReset();
    RowsReset();
    return true;
}

} // namespace fw::qt
