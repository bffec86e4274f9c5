#pragma once

// The real widgets behind models, for tests and tools: nil while the model
// has no Qt view.

#include "framework/Control.h"
#include "framework/Window.h"

class QMenuBar;
class QWidget;

namespace fw::qt {

QWidget* FrameOf(const Window& window);    // the top-level window
QWidget* ContentOf(const Window& window);  // its content area, below the menu bar
QMenuBar* MenuBarOf(const Window& window);
QWidget* WidgetOf(const Control& control);

} // namespace fw::qt
