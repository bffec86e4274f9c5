#include "QtWindowView.h"

#include "QtButtonView.h"
#include "QtListboxView.h"
#include "QtMenus.h"
#include "QtText.h"
#include "framework/Application.h"
#include "framework/BevelButton.h"
#include "framework/Listbox.h"
#include "framework/Window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QWidget>

namespace fw::qt {

// The top-level widget: the menu bar on top, the content area below it. It
// lays the two out itself, so that the menu bar's height used for the
// window's geometry is the one it really gets.
class WindowFrame final : public QWidget {
public:
    WindowFrame()
        : bar_(new QMenuBar(this)), content_(new QWidget(this))
    {
        bar_->hide();  // until the model gives it menus
    }

    QtWindowView* owner = nullptr;

    QMenuBar* Bar() const { return bar_; }
    QWidget* Content() const { return content_; }

    int MenuBarHeight(int width) const
    {
        if (bar_->isHidden() || bar_->isNativeMenuBar()) return 0;
        int height = bar_->heightForWidth(width);
        return height < 0 ? bar_->sizeHint().height() : height;
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        int bar = MenuBarHeight(width());
        bar_->setGeometry(0, 0, width(), bar);
        content_->setGeometry(0, bar, width(), height() - bar);
        if (owner) owner->FrameResized();
    }

    void moveEvent(QMoveEvent* event) override
    {
        QWidget::moveEvent(event);
        if (owner) owner->FrameMoved();
    }

    void closeEvent(QCloseEvent* event) override
    {
        // The model decides; it destroys this view when it closes.
        event->ignore();
        if (owner) owner->FrameCloseRequested();
    }

private:
    QMenuBar* bar_;
    QWidget* content_;
};

QtWindowView::QtWindowView(Window& model)
    : model_(model), frame_(new WindowFrame)
{
    frame_->owner = this;
    TitleChanged();
    FlagsChanged();
    MenuBarChanged();
}

QtWindowView::~QtWindowView()
{
    if (!frame_) return;
    frame_->owner = nullptr;
    frame_->hide();
    // Later: we may be inside one of the frame's own event handlers.
    frame_->deleteLater();
}

QWidget* QtWindowView::Frame() const
{
    return frame_;
}

QWidget* QtWindowView::Content() const
{
    return frame_ ? frame_->Content() : nullptr;
}

QMenuBar* QtWindowView::MenuBar() const
{
    return frame_ ? frame_->Bar() : nullptr;
}

void QtWindowView::TitleChanged()
{
    // "[*]" would be read as Qt's placeholder for the modified mark.
    frame_->setWindowTitle(ToQt(model_.Title()).replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
}

void QtWindowView::ApplyGeometry()
{
    int bar = frame_->MenuBarHeight(model_.Width());
    applying_ = true;
    if (model_.Resizeable()) {
        frame_->setMinimumSize(model_.MinWidth(), model_.MinHeight() + bar);
        frame_->setMaximumSize(model_.MaxWidth(), model_.MaxHeight() + bar);
    } else {
        frame_->setFixedSize(model_.Width(), model_.Height() + bar);
    }
    frame_->setGeometry(model_.Left(), model_.Top() - bar, model_.Width(), model_.Height() + bar);
    applying_ = false;
}

void QtWindowView::BoundsChanged()
{
    ApplyGeometry();
}

void QtWindowView::LimitsChanged()
{
    ApplyGeometry();
}

void QtWindowView::FlagsChanged()
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (model_.CloseButton()) flags |= Qt::WindowCloseButtonHint;
    if (model_.MinimizeButton()) flags |= Qt::WindowMinimizeButtonHint;
    if (model_.MaximizeButton()) flags |= Qt::WindowMaximizeButtonHint;
    if (frame_->windowFlags() != flags) {
        // New flags hide a shown window.
        bool shown = frame_->isVisible();
        frame_->setWindowFlags(flags);
        if (shown) frame_->show();
    }
    ApplyGeometry();  // Resizeable
}

void QtWindowView::VisibleChanged()
{
    frame_->setVisible(model_.Visible());
}

void QtWindowView::MenuBarChanged()
{
    BuildMenuBar(*frame_->Bar(), model_.MenuBar());
    frame_->Bar()->setVisible(!frame_->Bar()->actions().isEmpty());
    ApplyGeometry();
}

void QtWindowView::ControlAdded(Control& control)
{
    if (auto* list = dynamic_cast<Listbox*>(&control))
        control.SetView(std::make_unique<QtListboxView>(*list, *frame_->Content()));
    else if (auto* button = dynamic_cast<BevelButton*>(&control))
        control.SetView(std::make_unique<QtButtonView>(*button, *frame_->Content()));
    // A timer shows nothing; it runs on the platform's timers.
}

std::int32_t QtWindowView::HeightAboveContent(std::int32_t width) const
{
    return frame_ ? frame_->MenuBarHeight(width) : 0;
}

void QtWindowView::FrameMoved()
{
    if (applying_) return;
    QRect client = frame_->geometry();
    std::int32_t left = client.x(), top = client.y() + frame_->MenuBarHeight(client.width());
    if (left == model_.Left() && top == model_.Top()) return;
    auto window = std::static_pointer_cast<Window>(model_.shared_from_this());
    DeliverFromLoop([&] { window->ViewMoved(left, top); });
}

void QtWindowView::FrameResized()
{
    if (applying_) return;
    std::int32_t width = frame_->width(), height = frame_->height() - frame_->MenuBarHeight(width);
    if (width == model_.Width() && height == model_.Height()) return;
    auto window = std::static_pointer_cast<Window>(model_.shared_from_this());
    DeliverFromLoop([&] { window->ViewResized(width, height); });
}

void QtWindowView::FrameCloseRequested()
{
    // The model's Close destroys this view: hold the model, not `this`.
    auto window = std::static_pointer_cast<Window>(model_.shared_from_this());
    DeliverFromLoop([&] { window->ViewCloseRequested(); });
}

} // namespace fw::qt
