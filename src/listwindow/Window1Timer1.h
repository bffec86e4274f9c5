#pragma once

#include "framework/Timer.h"
#include "framework/Window.h"

#include <cstdint>
#include <memory>

// The window's timer, a class of its own so that it can be held among the
// window's controls.
class Window1_Timer1 : public fw::Timer, public fw::PaneChild {
public:
    static const fw::ClassRecord& Lookup();
    ~Window1_Timer1() override;

    void SetWindow(const fw::WindowRef& window) override;
    fw::WindowRef Window() override;
    std::int32_t Index() override;
    void SetIndex(std::int32_t index) override;
    virtual void Constructor();

private:
    std::int32_t index_ = 0;
    fw::WindowRef ownerWindow;
};
