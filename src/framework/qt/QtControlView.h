#pragma once

// What every control view does: it sits at the model's bounds in the content
// area and follows the model's visibility, enabled state and font.

#include "framework/Control.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

namespace fw::qt {

// The font a control's TextFont, TextSize and TextUnit describe. "System"
// (and "SmallSystem") is the application's default family; a size of 0
// keeps the default size.
QFont ControlFont(const RectControl& model);

class QtControlView : public ControlView {
public:
    // Takes the widget, already a child of the content area.
    QtControlView(RectControl& model, QWidget* widget);
    ~QtControlView() override;

    QWidget* Widget() const { return widget_; }

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;

private:
    RectControl& model_;
    QPointer<QWidget> widget_;
};

} // namespace fw::qt
