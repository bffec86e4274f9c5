#include "QtViews.h"

#include "QtControlView.h"
#include "QtWindowView.h"

namespace fw::qt {

namespace {

const QtWindowView* ViewOf(const Window& window)
{
    return dynamic_cast<const QtWindowView*>(window.View());
}

} // namespace

QWidget* FrameOf(const Window& window)
{
    const QtWindowView* view = ViewOf(window);
    return view ? view->Frame() : nullptr;
}

QWidget* ContentOf(const Window& window)
{
    const QtWindowView* view = ViewOf(window);
    return view ? view->Content() : nullptr;
}

QMenuBar* MenuBarOf(const Window& window)
{
    const QtWindowView* view = ViewOf(window);
    return view ? view->MenuBar() : nullptr;
}

QWidget* WidgetOf(const Control& control)
{
    const auto* view = dynamic_cast<const QtControlView*>(control.View());
    return view ? view->Widget() : nullptr;
}

} // namespace fw::qt
