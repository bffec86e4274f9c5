#include "PaintWatch.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>

namespace bench {

PaintWatch::PaintWatch()
{
    QCoreApplication::instance()->installEventFilter(this);
}

int PaintWatch::PaintsOf(const QWidget* list) const
{
    auto found = paints_.find(list);
    return found == paints_.end() ? 0 : found->second;
}

bool PaintWatch::DeliverUntilPainted(const QWidget* list)
{
    const int before = PaintsOf(list);
    DeliverUntil([&] { return PaintsOf(list) != before; });
    return PaintsOf(list) != before;
}

void PaintWatch::ProcessEvents()
{
    QCoreApplication::processEvents();
}

bool PaintWatch::eventFilter(QObject* receiver, QEvent* event)
{
    ++events_;
    if (event->type() == QEvent::Paint) {
        auto* area = qobject_cast<QAbstractScrollArea*>(receiver->parent());
        if (area && area->viewport() == receiver) ++paints_[area];
    }
    return false;
}

} // namespace bench
