#include "QtListboxView.h"

#include "QtText.h"
#include "framework/Application.h"
#include "framework/Listbox.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>

#include <algorithm>

namespace fw::qt {

class ListWidget final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    QtListboxView* owner = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QTreeWidget::mousePressEvent(event);
        if (owner && !itemAt(event->position().toPoint())) owner->UserPressedBelowRows();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        // Not Qt's: it would open folder rows or start editing. The model
        // decides what a double-click does.
        if (owner) owner->UserDoubleClicked(itemAt(event->position().toPoint()));
        event->accept();
    }
};

class QtListboxView::Syncing {
public:
    explicit Syncing(QtListboxView& view)
        : view_(view), was_(view.syncing_)
    {
        view.syncing_ = true;
    }
    ~Syncing() { view_.syncing_ = was_; }

private:
    QtListboxView& view_;
    bool was_;
};

QtListboxView::QtListboxView(Listbox& model, QWidget& content)
    : QtControlView(model, new ListWidget(&content)), list_(model)
{
    auto* tree = static_cast<ListWidget*>(Tree());
    tree->owner = this;
    tree->setUniformRowHeights(true);  // keeps long lists fast
    tree->setExpandsOnDoubleClick(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setAnimated(false);
    tree->header()->setStretchLastSection(true);
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [tree](QTreeWidgetItem* item) {
        if (tree->owner) tree->owner->UserSetExpanded(item, true);
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [tree](QTreeWidgetItem* item) {
        if (tree->owner) tree->owner->UserSetExpanded(item, false);
    });
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [tree] {
        if (tree->owner) tree->owner->UserChangedSelection();
    });
    tree->setColumnCount(0);
    ColumnCountChanged();
    Rebuild();
}

QtListboxView::~QtListboxView()
{
    if (auto* tree = static_cast<ListWidget*>(Tree())) tree->owner = nullptr;
}

QTreeWidget* QtListboxView::Tree() const
{
    return static_cast<QTreeWidget*>(Widget());
}

QTreeWidgetItem* QtListboxView::ItemOf(std::int32_t row) const
{
    if (row < 0 || std::size_t(row) >= items_.size()) return nullptr;
    return items_[std::size_t(row)];
}

std::int32_t QtListboxView::RowOf(const QTreeWidgetItem* item) const
{
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : std::int32_t(found - items_.begin());
}

QTreeWidgetItem* QtListboxView::MakeItem(std::int32_t row) const
{
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    for (int column = 0; column < Tree()->columnCount(); ++column)
        item->setText(column, ToQt(list_.Cell(row, column)));
    // A folder row can be opened before it has children.
    item->setChildIndicatorPolicy(list_.RowIsFolder(row) ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return item;
}

void QtListboxView::Place(QTreeWidgetItem* item, std::int32_t row)
{
    // The parent is the nearest row above at a lower depth; the item goes
    // right after the nearest row above at its own depth, if that comes first.
    const std::int32_t depth = list_.RowDepth(row);
    for (std::int32_t above = row - 1; above >= 0; --above) {
        const std::int32_t d = list_.RowDepth(above);
        if (d > depth) continue;
        QTreeWidgetItem* near = items_[std::size_t(above)];
        if (d < depth) {
            near->insertChild(0, item);
            return;
        }
        if (QTreeWidgetItem* parent = near->parent()) {
            int last = parent->childCount() - 1;
            parent->insertChild(parent->child(last) == near ? last + 1 : parent->indexOfChild(near) + 1, item);
        } else {
            QTreeWidget* tree = Tree();
            int last = tree->topLevelItemCount() - 1;
            // Appending is the common case, and must not search a long list.
            tree->insertTopLevelItem(tree->topLevelItem(last) == near ? last + 1 : tree->indexOfTopLevelItem(near) + 1,
                                     item);
        }
        return;
    }
    Tree()->insertTopLevelItem(0, item);
}

void QtListboxView::RowsInserted(std::int32_t first, std::int32_t count)
{
    if (!Tree()) return;
    Syncing syncing(*this);
    for (std::int32_t row = first; row < first + count; ++row) {
        QTreeWidgetItem* item = MakeItem(row);
        items_.insert(items_.begin() + row, item);
        Place(item, row);
        if (list_.Expanded(row)) item->setExpanded(true);
    }
}

void QtListboxView::RowRemoved(std::int32_t row)
{
    QTreeWidgetItem* item = ItemOf(row);
    if (!Tree() || !item) return;
    if (item->childCount() > 0) {
        // Its children stay in the list and belong elsewhere now.
        Rebuild();
        return;
    }
    items_.erase(items_.begin() + row);
    {
        Syncing syncing(*this);
        delete item;
    }
    ShowSelection();
}

void QtListboxView::AllRowsRemoved()
{
    if (!Tree()) return;
    Syncing syncing(*this);
    items_.clear();
    Tree()->clear();
}

void QtListboxView::Rebuild()
{
    AllRowsRemoved();
    RowsInserted(0, list_.ListCount());
    ShowSelection();
}

void QtListboxView::CellChanged(std::int32_t row, std::int32_t column)
{
    QTreeWidgetItem* item = ItemOf(row);
    if (!Tree() || !item || column >= Tree()->columnCount()) return;
    Syncing syncing(*this);
    item->setText(column, ToQt(list_.Cell(row, column)));
}

void QtListboxView::ExpandedChanged(std::int32_t row)
{
    ShowExpanded(row);
}

void QtListboxView::ShowExpanded(std::int32_t row)
{
    QTreeWidgetItem* item = ItemOf(row);
    if (!Tree() || !item) return;
    Syncing syncing(*this);
    item->setExpanded(list_.Expanded(row));
}

void QtListboxView::ColumnCountChanged()
{
    QTreeWidget* tree = Tree();
    if (!tree) return;
    Syncing syncing(*this);
    tree->setHeaderHidden(!list_.HasHeading());
    const int shown = tree->columnCount(), wanted = list_.ColumnCount();
    if (shown == wanted) return;
    tree->setColumnCount(wanted);
    for (int column = 0; column < wanted; ++column) tree->headerItem()->setText(column, QString());
    // Columns from ColumnCount on are hidden; their texts stay in the model.
    for (std::size_t row = 0; row < items_.size(); ++row)
        for (int column = shown; column < wanted; ++column)
            items_[row]->setText(column, ToQt(list_.Cell(std::int32_t(row), column)));
}

void QtListboxView::SelectionChanged()
{
    ShowSelection();
}

void QtListboxView::ShowSelection()
{
    QTreeWidget* tree = Tree();
    if (!tree) return;
    Syncing syncing(*this);
    QTreeWidgetItem* item = ItemOf(list_.ListIndex());
    if (!item)
        tree->clearSelection();
    else if (!item->isSelected())
        tree->setCurrentItem(item);
}

void QtListboxView::Report(std::int32_t selected, bool doubleClicked)
{
    auto list = std::static_pointer_cast<Listbox>(list_.shared_from_this());
    DeliverFromLoop([&] {
        list->ViewSelected(selected);
        if (doubleClicked) list->ViewDoubleClicked();
    });
}

void QtListboxView::UserSetExpanded(QTreeWidgetItem* item, bool expanded)
{
    const std::int32_t row = RowOf(item);
    if (syncing_ || row < 0) return;
    auto list = std::static_pointer_cast<Listbox>(list_.shared_from_this());
    auto alive = lifeline_.Watch();
    DeliverFromLoop([&] { list->ViewSetExpanded(row, expanded); });
    // The model may keep the row as it was; its handler may have moved it.
    if (*alive) ShowExpanded(RowOf(item));
}

void QtListboxView::UserChangedSelection()
{
    if (syncing_) return;
    const QList<QTreeWidgetItem*> selected = Tree()->selectedItems();
    Report(selected.isEmpty() ? -1 : RowOf(selected.first()), false);
}

void QtListboxView::UserPressedBelowRows()
{
    {
        Syncing syncing(*this);
        Tree()->clearSelection();
        Tree()->setCurrentItem(nullptr);
    }
    Report(-1, false);
}

void QtListboxView::UserDoubleClicked(QTreeWidgetItem* item)
{
    const std::int32_t row = RowOf(item);
    {
        Syncing syncing(*this);
        if (row >= 0)
            Tree()->setCurrentItem(item);
        else
            Tree()->clearSelection();
    }
    Report(row, true);
}

} // namespace fw::qt
