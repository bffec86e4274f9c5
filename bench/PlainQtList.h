#pragma once

// The plain Qt code that shows what a fill shows: the names that the
// readdir loop lists, one stock item each, in a stock tree view of the
// list's size and font, until its rows are painted. Folder rows get no
// mark of their own: the floor does no more than the list does.

#include <memory>
#include <string>
#include <vector>

class QStandardItemModel;
class QTreeView;
class QWidget;

namespace bench {

class PaintWatch;

class PlainQtList {
public:
    // Shaped like `like`; `paints` must outlive the list.
    PlainQtList(const QWidget& like, PaintWatch& paints);
    ~PlainQtList();

    // Empties the list, and lets it be painted empty, outside any timing.
    void Clear();
    // Puts the rows in and waits until they are painted; false when they
    // were not.
    bool Show(const std::vector<std::string>& rows);
    int RowCount() const;

private:
    PaintWatch& paints_;
    std::unique_ptr<QTreeView> view_;
    QStandardItemModel* model_;  // the view's
};

} // namespace bench
