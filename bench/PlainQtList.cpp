#include "PlainQtList.h"

#include "PaintWatch.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

namespace bench {

PlainQtList::PlainQtList(const QWidget& like, PaintWatch& paints)
    : paints_(paints), view_(std::make_unique<QTreeView>()), model_(new QStandardItemModel(view_.get()))
{
    view_->setModel(model_);
    view_->setUniformRowHeights(true);
    view_->setHeaderHidden(true);
    view_->setFont(like.font());
    view_->resize(like.size());
    view_->show();
    paints_.DeliverUntil([] { return false; });
}

PlainQtList::~PlainQtList() = default;

void PlainQtList::Clear()
{
    model_->removeRows(0, model_->rowCount());
    paints_.DeliverUntil([] { return false; });
}

bool PlainQtList::Show(const std::vector<std::string>& rows)
{
    QList<QStandardItem*> items;
    items.reserve(qsizetype(rows.size()));
    for (const std::string& row : rows) {
        const std::string name = row.substr(0, row.find("<@>"));
        items.push_back(new QStandardItem(QString::fromStdString(name)));
    }
    model_->invisibleRootItem()->appendRows(items);
    return paints_.DeliverUntilPainted(view_.get());
}

int PlainQtList::RowCount() const
{
    return model_->rowCount();
}

} // namespace bench
