#include "Control.h"

#include "Application.h"
#include "Window.h"

namespace fw {

const ClassRecord& Control::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Control", &Object::Lookup());
        r.Event("CreatePane").Event("Open").Event("Close");
        r.Property(TypedProperty("Name", PropertyType::String, &Control::SetName, &Control::Name));
        r.Property(StoredProperty("Index", PropertyType::Int32));
        r.Property(StoredProperty("InitialParent", PropertyType::String));
        return r;
    }();
    return record;
}

void Control::AttachTo(const std::shared_ptr<fw::Window>& window)
{
    window_ = window;
}

void Control::AddEventHandler(std::int32_t eventIndex, EntryRoutine entry, DelegateRef delegate)
{
    for (Handler& h : handlers_)
        if (h.eventIndex == eventIndex) {
            h = Handler{eventIndex, entry, std::move(delegate)};
            return;
        }
    handlers_.push_back(Handler{eventIndex, entry, std::move(delegate)});
}

DelegateRef Control::EventDelegate(std::int32_t eventIndex) const
{
    for (const Handler& h : handlers_)
        if (h.eventIndex == eventIndex) return h.delegate;
    return nullptr;
}

bool Control::RaiseEvent(std::int32_t eventIndex, std::int32_t row)
{
    for (const Handler& h : handlers_)
        if (h.eventIndex == eventIndex) {
            // Hold the control while its handler runs: the handler may drop
            // the last other reference.
            ObjectRef keep = shared_from_this();
            EntryRoutine entry = h.entry;
            CallProgram([&] { entry(*this, row); });
            return true;
        }
    return false;
}

bool Control::DeliverUserEvent(const std::function<void()>& deliver)
{
    std::shared_ptr<fw::Window> window = OwnerWindow();
    if (!window) {
        deliver();
        return true;
    }
    if (window->userEventsRunning_ > 0) return false;
    struct Running {
        fw::Window& window;
        explicit Running(fw::Window& w) : window(w) { ++window.userEventsRunning_; }
        ~Running() { --window.userEventsRunning_; }
    } running(*window);
    deliver();
    return true;
}

bool Control::RaiseEvent(std::string_view eventName, std::int32_t row)
{
    int slot = Class().EventSlot(eventName);
    if (slot < 0) throw RuntimeException(Class().name + " has no event " + std::string(eventName));
    return RaiseEvent(slot, row);
}

void RuntimeAddEventHandler(const ObjectRef& control, std::int32_t eventIndex, Control::EntryRoutine entry,
                            const DelegateRef& delegate)
{
    auto c = std::dynamic_pointer_cast<Control>(NotNil(control));
    if (!c) throw IllegalCastException("event handlers can only be added to controls");
    c->AddEventHandler(eventIndex, entry, delegate);
}

const ClassRecord& RectControl::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("RectControl", &Control::Lookup());
        for (const char* e : {"MouseMove", "MouseEnter", "MouseExit", "DragEnter", "DragExit", "DragOver",
                              "DropObject", "KeyDown", "KeyUp"})
            r.Event(e);
        r.Method("Constructor");
        DeclareRectControlProperties(r);
        return r;
    }();
    return record;
}

void DeclareRectControlProperties(ClassRecord& r)
{
    using T = PropertyType;
    r.Property(TypedProperty("Left", T::Int32, &RectControl::SetLeft, &RectControl::Left));
    r.Property(TypedProperty("Top", T::Int32, &RectControl::SetTop, &RectControl::Top));
    r.Property(TypedProperty("Width", T::Int32, &RectControl::SetWidth, &RectControl::Width));
    r.Property(TypedProperty("Height", T::Int32, &RectControl::SetHeight, &RectControl::Height));
    r.Property(TypedProperty("LockLeft", T::Boolean, &RectControl::SetLockLeft, &RectControl::LockLeft));
    r.Property(TypedProperty("LockTop", T::Boolean, &RectControl::SetLockTop, &RectControl::LockTop));
    r.Property(TypedProperty("LockRight", T::Boolean, &RectControl::SetLockRight, &RectControl::LockRight));
    r.Property(TypedProperty("LockBottom", T::Boolean, &RectControl::SetLockBottom, &RectControl::LockBottom));
    r.Property(TypedProperty("Visible", T::Boolean, &RectControl::SetVisible, &RectControl::Visible));
    r.Property(TypedProperty("Enabled", T::Boolean, &RectControl::SetEnabled, &RectControl::Enabled));
    r.Property(TypedProperty("TextFont", T::String, &RectControl::SetTextFont, &RectControl::TextFont));
    r.Property(TypedProperty("TextSize", T::Single, &RectControl::SetTextSize, &RectControl::TextSize));
    r.Property(TypedProperty("TextUnit", T::Int32, &RectControl::SetTextUnit, &RectControl::TextUnit));
    for (const char* name : {"TabPanelIndex", "TabIndex"}) r.Property(StoredProperty(name, T::Int32));
    for (const char* name : {"TabStop", "AutoDeactivate", "Bold", "Italic", "Underline"})
        r.Property(StoredProperty(name, T::Boolean));
    r.Property(StoredProperty("HelpTag", T::String));
}

void RectControl::SetLeft(std::int32_t v)
{
    left_ = v;
    Notify([](ControlView& view) { view.BoundsChanged(); });
}

void RectControl::SetTop(std::int32_t v)
{
    top_ = v;
    Notify([](ControlView& view) { view.BoundsChanged(); });
}

void RectControl::SetWidth(std::int32_t v)
{
    width_ = v < 0 ? 0 : v;
    Notify([](ControlView& view) { view.BoundsChanged(); });
}

void RectControl::SetHeight(std::int32_t v)
{
    height_ = v < 0 ? 0 : v;
    Notify([](ControlView& view) { view.BoundsChanged(); });
}

void RectControl::SetVisible(bool v)
{
    visible_ = v;
    Notify([](ControlView& view) { view.VisibleChanged(); });
}

void RectControl::SetEnabled(bool v)
{
    enabled_ = v;
    Notify([](ControlView& view) { view.EnabledChanged(); });
}

void RectControl::SetTextSize(float v)
{
    textSize_ = v;
    Notify([](ControlView& view) { view.TextChanged(); });
}

void RectControl::SetTextUnit(std::int32_t v)
{
    textUnit_ = v;
    Notify([](ControlView& view) { view.TextChanged(); });
}

void RectControl::SetTextFont(const String& v)
{
    textFont_ = v;
    Notify([](ControlView& view) { view.TextChanged(); });
}

void RectControl::WindowResized(std::int32_t dWidth, std::int32_t dHeight)
{
    if (lockRight_) {
        if (lockLeft_)
            width_ = std::max(0, width_ + dWidth);
        else
            left_ += dWidth;
    }
    if (lockBottom_) {
        if (lockTop_)
            height_ = std::max(0, height_ + dHeight);
        else
            top_ += dHeight;
    }
    Notify([](ControlView& view) { view.BoundsChanged(); });
}

} // namespace fw
