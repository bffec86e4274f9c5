#pragma once

// A list on screen: a tree view over the list's own rows (ListboxModel),
// folder rows with a disclosure control, child rows beneath their folder
// row. The view only draws and reports what the user does; what is open and
// what is selected is the list's, and the view shows it again whenever the
// user's doing was not taken.

#include "QtControlView.h"
#include "QtLifeline.h"

#include <QPointer>

#include <cstdint>

namespace fw {
class Listbox;
}

class QModelIndex;
class QTreeView;

namespace fw::qt {

class ListboxModel;

class QtListboxView final : public QtControlView {
public:
    QtListboxView(Listbox& model, QWidget& content);
    ~QtListboxView() override;

    QTreeView* Tree() const;
    ListboxModel* Model() const;
    bool RowHandlerRunning() const;

    void RowsAboutToBeInserted(std::int32_t parent, std::int32_t first, std::int32_t count) override;
    void RowsInserted(std::int32_t parent, std::int32_t first, std::int32_t count) override;
    void RowsAboutToBeRemoved(std::int32_t parent, std::int32_t first, std::int32_t count) override;
    void RowsRemoved(std::int32_t parent, std::int32_t first, std::int32_t count) override;
    void RowsAboutToBeReset() override;
    void RowsReset() override;
    void CellChanged(std::int32_t parent, std::int32_t row, std::int32_t column) override;
    void ExpandedChanged(std::int32_t topRow) override;
    void ColumnCountChanged() override;
    void SelectionChanged() override;
    void RowHandlersDone() override;

    // What the tree reports of the user's doing.
    void UserSetExpanded(const QModelIndex& index, bool expanded);
    void UserChangedSelection();
    void UserPressedBelowRows();
    void UserDoubleClicked(const QModelIndex& index);

private:
    // Changes of the tree made to show the list, which it must not report back.
    class Syncing;

    void ShowExpanded(std::int32_t topRow);
    void ShowEveryExpanded();
    void ShowSelection();
    void Report(std::int32_t selected, bool doubleClicked);

    Listbox& list_;
    QPointer<ListboxModel> items_;  // owned by the tree
    bool syncing_ = false;
    Lifeline lifeline_;
};

} // namespace fw::qt
