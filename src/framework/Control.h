#pragma once

// Controls: objects that a window owns and registers under a name. Events of
// a control are numbered by their place in the control class's event table;
// a handler is an entry routine and a delegate registered for one place.

#include "Delegate.h"
#include "Platform.h"
#include "Runtime.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace fw {

class Window;

class Control : public Object {
public:
    using EntryRoutine = void (*)(Control& control, std::int32_t row);

    static const ClassRecord& Lookup();

    String Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    std::shared_ptr<fw::Window> OwnerWindow() const { return window_.lock(); }

    void AddEventHandler(std::int32_t eventIndex, EntryRoutine entry, DelegateRef delegate);
    DelegateRef EventDelegate(std::int32_t eventIndex) const;
    // Calls the entry routine registered for the event, through the program's
    // exception helper; False when none is registered.
    bool RaiseEvent(std::int32_t eventIndex, std::int32_t row = 0);
    bool RaiseEvent(std::string_view eventName, std::int32_t row = 0);

    void SetView(std::unique_ptr<ControlView> view) { view_ = std::move(view); }
    ControlView* View() const { return view_.get(); }
    // The view, which the control no longer tells anything.
    std::unique_ptr<ControlView> TakeView() { return std::move(view_); }

    // The window took the control in; called by Window::AddControl.
    virtual void AttachTo(const std::shared_ptr<fw::Window>& window);

protected:
    // What the user does to a control is dropped while a handler of what the
    // user did before in the same window still runs: long handlers let events
    // through, and a second handler nested in the first would change the rows
    // or the folder under it. Returns False when it was dropped.
    bool DeliverUserEvent(const std::function<void()>& deliver);

    template <class F>
    void Notify(F change)
    {
        if (view_) change(*view_);
    }

private:
    struct Handler {
        std::int32_t eventIndex;
        EntryRoutine entry;
        DelegateRef delegate;
    };
    String name_;
    std::weak_ptr<fw::Window> window_;
    std::vector<Handler> handlers_;
    std::unique_ptr<ControlView> view_;
};

using ControlRef = std::shared_ptr<Control>;

// How the framework hands a control its window and index, for controls that
// keep them themselves. The window is given when the control is added and
// taken back (nil) when the window closes.
class PaneChild {
public:
    virtual ~PaneChild() = default;
    virtual void SetWindow(const std::shared_ptr<fw::Window>& window) = 0;
    virtual std::shared_ptr<fw::Window> Window() = 0;
    virtual std::int32_t Index() = 0;
    virtual void SetIndex(std::int32_t index) = 0;
};

void RuntimeAddEventHandler(const ObjectRef& control, std::int32_t eventIndex, Control::EntryRoutine entry,
                            const DelegateRef& delegate);

// A control with a place in the window: bounds, edge locks, font.
class RectControl : public Control {
public:
    static const ClassRecord& Lookup();
    virtual void Constructor() {}

    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetLeft(std::int32_t v);
    void SetTop(std::int32_t v);
    void SetWidth(std::int32_t v);
    void SetHeight(std::int32_t v);
    bool LockLeft() const { return lockLeft_; }
    bool LockTop() const { return lockTop_; }
    bool LockRight() const { return lockRight_; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockLeft(bool v) { lockLeft_ = v; }
    void SetLockTop(bool v) { lockTop_ = v; }
    void SetLockRight(bool v) { lockRight_ = v; }
    void SetLockBottom(bool v) { lockBottom_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    float TextSize() const { return textSize_; }
    void SetTextSize(float v);
    std::int32_t TextUnit() const { return textUnit_; }
    void SetTextUnit(std::int32_t v);
    String TextFont() const { return textFont_; }
    void SetTextFont(const String& v);

    // Follows a change of the window's size by the edges it is locked to.
    void WindowResized(std::int32_t dWidth, std::int32_t dHeight);

private:
    std::int32_t left_ = 0, top_ = 0, width_ = 80, height_ = 22;
    bool lockLeft_ = true, lockTop_ = true, lockRight_ = false, lockBottom_ = false;
    bool visible_ = true, enabled_ = true;
    float textSize_ = 0;
    std::int32_t textUnit_ = 0;
    String textFont_ = "System";
};

// Declares the blob properties that every RectControl has.
void DeclareRectControlProperties(ClassRecord& record);

} // namespace fw
