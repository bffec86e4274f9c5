#include "QtListboxView.h"

#include "QtListboxModel.h"
#include "framework/Application.h"
#include "framework/Listbox.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QTreeView>

namespace fw::qt {

namespace {

class ListTree final : public QTreeView {
public:
    using QTreeView::QTreeView;

    QtListboxView* owner = nullptr;

    // After every change of rows Qt lays the whole tree out again at the
    // next pass of the event loop, and a handler working through many rows
    // yields once a pass: its loop would grow with the square of the rows.
    // While such a handler runs, the tree keeps its last picture until the
    // handler has worked ten times as long as the last layout took.
    void doItemsLayout() override
    {
        constexpr qint64 kWorkPerLayout = 10;
        if (owner && owner->RowHandlerRunning() && sinceLayout_.isValid() &&
            sinceLayout_.nsecsElapsed() < kWorkPerLayout * layoutCost_) {
            if (!held_) viewport()->setUpdatesEnabled(false);
            held_ = true;
            scheduleDelayedItemsLayout();  // still owed
            return;
        }
        QElapsedTimer cost;
        cost.start();
        QTreeView::doItemsLayout();
        layoutCost_ = cost.nsecsElapsed();
        sinceLayout_.start();
        if (held_) viewport()->setUpdatesEnabled(true);
        held_ = false;
    }

    // The handler is done: what was held back is shown now, not at some
    // later pass that a hidden window would never make.
    void ShowHeldBack()
    {
        if (held_) executeDelayedItemsLayout();
        if (held_) viewport()->setUpdatesEnabled(true);  // Qt put the layout off: it paints once it has one
        held_ = false;
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QTreeView::mousePressEvent(event);
        if (owner && !indexAt(event->position().toPoint()).isValid()) owner->UserPressedBelowRows();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        // Not Qt's: it would open folder rows or start editing. The list
        // decides what a double-click does.
        if (owner) owner->UserDoubleClicked(indexAt(event->position().toPoint()));
        event->accept();
    }

private:
    QElapsedTimer sinceLayout_;
    qint64 layoutCost_ = 0;  // nanoseconds
    bool held_ = false;
};

} // namespace

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
    : QtControlView(model, new ListTree(&content)), list_(model)
{
    auto* tree = static_cast<ListTree*>(Tree());
    items_ = new ListboxModel(model, tree);
    tree->owner = this;
    tree->setModel(items_);
    tree->setUniformRowHeights(true);  // keeps long lists fast
    tree->setExpandsOnDoubleClick(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setAnimated(false);
    tree->header()->setStretchLastSection(true);
    QObject::connect(tree, &QTreeView::expanded, tree, [tree](const QModelIndex& index) {
        if (tree->owner) tree->owner->UserSetExpanded(index, true);
    });
    QObject::connect(tree, &QTreeView::collapsed, tree, [tree](const QModelIndex& index) {
        if (tree->owner) tree->owner->UserSetExpanded(index, false);
    });
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, tree, [tree] {
        if (tree->owner) tree->owner->UserChangedSelection();
    });
    ColumnCountChanged();
    ShowEveryExpanded();
    ShowSelection();
}

QtListboxView::~QtListboxView()
{
    if (auto* tree = static_cast<ListTree*>(Tree())) tree->owner = nullptr;
    // The tree goes later, and must not read a list that may be gone by then.
    if (items_) items_->Detach();
}

QTreeView* QtListboxView::Tree() const
{
    return static_cast<QTreeView*>(Widget());
}

ListboxModel* QtListboxView::Model() const
{
    return items_;
}

bool QtListboxView::RowHandlerRunning() const
{
    return list_.RowHandlerRunning();
}

void QtListboxView::RowsAboutToBeInserted(std::int32_t parent, std::int32_t first, std::int32_t count)
{
    Syncing syncing(*this);
    if (items_) items_->RowsAboutToBeInserted(parent, first, count);
}

void QtListboxView::RowsInserted(std::int32_t, std::int32_t, std::int32_t)
{
    Syncing syncing(*this);
    if (items_) items_->RowsInserted();
}

void QtListboxView::RowsAboutToBeRemoved(std::int32_t parent, std::int32_t first, std::int32_t count)
{
    // Qt moves the selection off a row that goes; the list then says where
    // it is.
    Syncing syncing(*this);
    if (items_) items_->RowsAboutToBeRemoved(parent, first, count);
}

void QtListboxView::RowsRemoved(std::int32_t, std::int32_t, std::int32_t)
{
    Syncing syncing(*this);
    if (items_) items_->RowsRemoved();
}

void QtListboxView::RowsAboutToBeReset()
{
    Syncing syncing(*this);
    if (items_) items_->RowsAboutToBeReset();
}

void QtListboxView::RowsReset()
{
    {
        Syncing syncing(*this);
        if (items_) items_->RowsReset();
    }
    ShowEveryExpanded();
    ShowSelection();
}

void QtListboxView::CellChanged(std::int32_t parent, std::int32_t row, std::int32_t column)
{
    if (items_) items_->CellChanged(parent, row, column);
}

void QtListboxView::ExpandedChanged(std::int32_t topRow)
{
    ShowExpanded(topRow);
}

void QtListboxView::ShowExpanded(std::int32_t topRow)
{
    QTreeView* tree = Tree();
    if (!tree || !items_ || topRow < 0 || topRow >= list_.Rows().TopCount()) return;
    Syncing syncing(*this);
    items_->ShowPendingRows();
    tree->setExpanded(items_->IndexOf(-1, topRow), list_.Rows().Expanded(topRow));
}

void QtListboxView::ShowEveryExpanded()
{
    for (std::int32_t top = 0; top < list_.Rows().TopCount(); ++top)
        if (list_.Rows().Expanded(top)) ShowExpanded(top);
}

void QtListboxView::ColumnCountChanged()
{
    QTreeView* tree = Tree();
    if (!tree || !items_) return;
    {
        Syncing syncing(*this);
        tree->setHeaderHidden(!list_.HasHeading());
        if (!items_->ColumnCountChanged()) return;
    }
    ShowEveryExpanded();
    ShowSelection();
}

void QtListboxView::SelectionChanged()
{
    ShowSelection();
}

void QtListboxView::RowHandlersDone()
{
    if (items_) items_->ShowPendingRows();
    if (auto* tree = static_cast<ListTree*>(Tree())) tree->ShowHeldBack();
}

void QtListboxView::ShowSelection()
{
    QTreeView* tree = Tree();
    if (!tree || !items_) return;
    Syncing syncing(*this);
    items_->ShowPendingRows();
    QItemSelectionModel* selection = tree->selectionModel();
    const QModelIndex wanted = items_->IndexOfRow(list_.ListIndex());
    if (!wanted.isValid()) {
        if (selection->hasSelection() || selection->currentIndex().isValid()) selection->clear();
        return;
    }
    const QModelIndexList selected = selection->selectedRows();
    if (selected.size() != 1 || selected.first() != wanted || selection->currentIndex() != wanted)
        tree->setCurrentIndex(wanted);
}

void QtListboxView::Report(std::int32_t selected, bool doubleClicked)
{
    auto list = std::static_pointer_cast<Listbox>(list_.shared_from_this());
    auto alive = lifeline_.Watch();
    DeliverFromLoop([&] {
        list->ViewSelected(selected);
        if (doubleClicked) list->ViewDoubleClicked();
    });
    // The list may not have taken it (a handler is running).
    if (*alive) ShowSelection();
}

void QtListboxView::UserSetExpanded(const QModelIndex& index, bool expanded)
{
    if (syncing_ || !items_) return;
    const std::int32_t row = items_->RowOf(index);
    if (row < 0) return;
    auto list = std::static_pointer_cast<Listbox>(list_.shared_from_this());
    auto alive = lifeline_.Watch();
    const QPersistentModelIndex folder(index);
    DeliverFromLoop([&] { list->ViewSetExpanded(row, expanded); });
    // The list may have kept the row as it was; its handler may have moved it.
    if (*alive && folder.isValid() && !folder.parent().isValid()) ShowExpanded(folder.row());
}

void QtListboxView::UserChangedSelection()
{
    if (syncing_ || !items_) return;
    const QModelIndexList selected = Tree()->selectionModel()->selectedRows();
    Report(selected.isEmpty() ? -1 : items_->RowOf(selected.first()), false);
}

void QtListboxView::UserPressedBelowRows()
{
    {
        Syncing syncing(*this);
        Tree()->selectionModel()->clear();
    }
    Report(-1, false);
}

void QtListboxView::UserDoubleClicked(const QModelIndex& index)
{
    const std::int32_t row = items_ ? items_->RowOf(index) : -1;
    {
        Syncing syncing(*this);
        if (row >= 0)
            Tree()->setCurrentIndex(index);
        else
            Tree()->selectionModel()->clear();
    }
    Report(row, true);
}

} // namespace fw::qt
