#pragma once

// The window's menu bar, built from the model's menus.

#include "framework/MenuItem.h"

#include <QKeySequence>

class QMenuBar;

namespace fw::qt {

// "Cmd+Q" -> Ctrl+Q: Cmd is Qt's Ctrl (which is the command key on macOS),
// Option is Alt, Shift is Shift, Ctrl is the physical control key (Qt's
// Meta). Empty or unreadable: no shortcut.
QKeySequence ShortcutFromFramework(const String& shortcut);

// Replaces what the bar shows with the menus of `model` (nil: none).
void BuildMenuBar(QMenuBar& bar, const MenuBarRef& model);

} // namespace fw::qt
