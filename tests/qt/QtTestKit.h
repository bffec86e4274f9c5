#pragma once

// Helpers for driving the Qt backend as a user would, and a window laid out
// as the program's: 150 by 200, a list locked to every edge above a button
// locked to the bottom, two menus.

#include "framework/BevelButton.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/Timer.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <functional>
#include <string>
#include <vector>

class QTimer;
class QWidget;

namespace qtkit {

// Lets Qt deliver what is pending, deferred deletions included.
void Settle();

// Mouse input as the window system would send it.
void Click(QWidget* widget, QPoint at);
void DoubleClick(QWidget* widget, QPoint at);
void PressKey(QWidget* widget, int key);

// Runs `act` on the modal dialog once one is up (inside its own loop).
void WhenModal(std::function<void(QWidget*)> act);

// Fails the test, and ends every loop, if it is still alive after `ms`:
// a test that waits for a loop to end must not hang the run.
class Watchdog {
public:
    explicit Watchdog(int ms = 5000);
    ~Watchdog();

private:
    QTimer* timer_;
};

using Handler = std::function<void(fw::Control& control, std::int32_t row)>;
// Wires the control's event to `handler` as the program wires its own: a
// delegate that holds the window weakly, reached through an entry routine.
void On(const fw::ControlRef& control, const fw::WindowRef& window, const char* event, Handler handler);

class WindowTest : public ::testing::Test {
protected:
    WindowTest();

public:  // for tables of cases
    void TearDown() override;

    // Builds and opens the window; the list starts with the rows of Fill().
    void Open();
    // Folder "A", file "x.jsx", folder "B": two columns (name, parent).
    void Fill();

    fw::WindowRef window;
    fw::ListboxRef list;
    fw::BevelButtonRef button;
    fw::MenuItemRef undo;  // in the second menu
    int undoChosen = 0;
    // What the handlers saw: "ExpandRow 0", "DoubleClick -1", "Action", ...
    std::vector<std::string> events;
    // Run by the handlers after recording; the ExpandRow default adds two
    // children, the CollapseRow default removes the rows beneath.
    std::function<void(std::int32_t row)> onExpand, onCollapse;
    std::function<void()> onAction, onDoubleClick;
    // Run at the end of Layout, to place or dress the window otherwise.
    std::function<void(fw::Window& window)> onLayout;

private:
    fw::ClassRecord record_;
};

} // namespace qtkit
