#pragma once

// A list model on screen: one tree item per flat row, folder rows with a
// disclosure control, child rows beneath their folder row.

#include "QtControlView.h"
#include "QtLifeline.h"

#include <cstdint>
#include <vector>

namespace fw {
class Listbox;
}

class QTreeWidget;
class QTreeWidgetItem;

namespace fw::qt {

class ListWidget;

class QtListboxView final : public QtControlView {
public:
    QtListboxView(Listbox& model, QWidget& content);
    ~QtListboxView() override;

    QTreeWidget* Tree() const;
    // The item that shows the row; nil outside the list.
    QTreeWidgetItem* ItemOf(std::int32_t row) const;

    void RowsInserted(std::int32_t first, std::int32_t count) override;
    void RowRemoved(std::int32_t row) override;
    void AllRowsRemoved() override;
    void CellChanged(std::int32_t row, std::int32_t column) override;
    void ExpandedChanged(std::int32_t row) override;
    void ColumnCountChanged() override;
    void SelectionChanged() override;

    // What the widget reports of the user's doing.
    void UserSetExpanded(QTreeWidgetItem* item, bool expanded);
    void UserChangedSelection();
    void UserPressedBelowRows();
    void UserDoubleClicked(QTreeWidgetItem* item);

private:
    // Model-driven changes of the widget, which it must not report back.
    class Syncing;

    QTreeWidgetItem* MakeItem(std::int32_t row) const;
    void Place(QTreeWidgetItem* item, std::int32_t row);
    void Rebuild();
    void ShowExpanded(std::int32_t row);
    void ShowSelection();
    std::int32_t RowOf(const QTreeWidgetItem* item) const;
    void Report(std::int32_t selected, bool doubleClicked);

    Listbox& list_;
    std::vector<QTreeWidgetItem*> items_;  // parallel to the model's rows
    bool syncing_ = false;
    Lifeline lifeline_;
};

} // namespace fw::qt
