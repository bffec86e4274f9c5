#include "QtControlView.h"

#include "QtText.h"

#include <QApplication>

namespace fw::qt {

QFont ControlFont(const RectControl& model)
{
    QFont font = QApplication::font();
    const String family = model.TextFont();
    if (!family.empty() && family != "System" && family != "SmallSystem") font.setFamily(ToQt(family));
    const double size = model.TextSize();
    if (size <= 0) return font;
    // Bounds are laid out in units of 1/72 inch, one pixel each; a point of
    // text is one such unit too, so that a text keeps its proportion to the
    // control that was sized around it.
    double pixels = size;
    switch (model.TextUnit()) {
    case 3:  // inches
        pixels = size * 72;
        break;
    case 4:  // millimetres
        pixels = size * 72 / 25.4;
        break;
    default:  // the default unit, pixels and points
        break;
    }
    font.setPixelSize(qMax(1, qRound(pixels)));
    return font;
}

QtControlView::QtControlView(RectControl& model, QWidget* widget)
    : model_(model), widget_(widget)
{
    BoundsChanged();
    VisibleChanged();
    EnabledChanged();
    QtControlView::TextChanged();
}

QtControlView::~QtControlView()
{
    if (!widget_) return;
    widget_->hide();
    // Later: we may be inside one of the widget's own event handlers.
    widget_->deleteLater();
}

void QtControlView::BoundsChanged()
{
    if (widget_) widget_->setGeometry(model_.Left(), model_.Top(), model_.Width(), model_.Height());
}

void QtControlView::VisibleChanged()
{
    if (widget_) widget_->setVisible(model_.Visible());
}

void QtControlView::EnabledChanged()
{
    if (widget_) widget_->setEnabled(model_.Enabled());
}

void QtControlView::TextChanged()
{
    if (widget_) widget_->setFont(ControlFont(model_));
}

} // namespace fw::qt
