#include "Window.h"

#include "Application.h"
#include "Control.h"
#include "MenuItem.h"
#include "ScreenFit.h"

#include <algorithm>

namespace fw {

namespace {

struct Registry {
    std::vector<WindowRef> open;  // the framework holds every open window
    std::vector<std::pair<String, std::weak_ptr<Window>>> implicit;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

std::int32_t Clamp(std::int32_t v, std::int32_t low, std::int32_t high)
{
    return std::max(low, std::min(v, std::max(low, high)));
}

// Never destroyed, and reachable to the end, so no leak checker counts them.
void KeepToTheEnd(std::shared_ptr<void> view)
{
    static auto* kept = new std::vector<std::shared_ptr<void>>;
    if (view) kept->push_back(std::move(view));
}

} // namespace

const ClassRecord& Window::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Window", &Object::Lookup());
        for (const char* e : {"Layout", "CreateControls", "AddMenuHandlers", "SetupBindings", "Open", "Close",
                              "CancelClose", "KeyDown", "MouseDown", "MouseDrag", "MouseUp", "MouseMove",
                              "MouseEnter", "MouseExit", "Paint", "Resizing", "Resized", "Moved", "Activate",
                              "Deactivate", "Minimize", "Restore", "Maximize", "EnableMenuItems", "DropObject",
                              "ContentsChanged"})
            r.Event(e);
        r.Method("Constructor").Method("Close").Method("_AddControl").Method("__New").Method("_ControlByName");
        using T = PropertyType;
        r.Property(TypedProperty("Left", T::Int32, &Window::SetLeft, &Window::Left));
        r.Property(TypedProperty("Top", T::Int32, &Window::SetTop, &Window::Top));
        r.Property(TypedProperty("Width", T::Int32, &Window::SetWidth, &Window::Width));
        r.Property(TypedProperty("Height", T::Int32, &Window::SetHeight, &Window::Height));
        r.Property(TypedProperty("MinWidth", T::Int32, &Window::SetMinWidth, &Window::MinWidth));
        r.Property(TypedProperty("MinHeight", T::Int32, &Window::SetMinHeight, &Window::MinHeight));
        r.Property(TypedProperty("MaxWidth", T::Int32, &Window::SetMaxWidth, &Window::MaxWidth));
        r.Property(TypedProperty("MaxHeight", T::Int32, &Window::SetMaxHeight, &Window::MaxHeight));
        r.Property(TypedProperty("Title", T::String, &Window::SetTitle, &Window::Title));
        r.Property(TypedProperty("Visible", T::Boolean, &Window::SetVisible, &Window::Visible));
        r.Property(TypedProperty("CloseButton", T::Boolean, &Window::SetCloseButton, &Window::CloseButton));
        r.Property(TypedProperty("MinimizeButton", T::Boolean, &Window::SetMinimizeButton, &Window::MinimizeButton));
        r.Property(TypedProperty("MaximizeButton", T::Boolean, &Window::SetMaximizeButton, &Window::MaximizeButton));
        r.Property(TypedProperty("Resizeable", T::Boolean, &Window::SetResizeable, &Window::Resizeable));
        for (const char* name : {"Placement", "Frame", "MacProcId"}) r.Property(StoredProperty(name, T::Int32));
        for (const char* name : {"Composite", "HasBackColor", "FullScreen", "MenuBarVisible", "LiveResize"})
            r.Property(StoredProperty(name, T::Boolean));
        r.Property(StoredProperty("BackColor", T::Color));
        r.create = Factory<Window>();
        return r;
    }();
    return record;
}

Window::~Window() = default;

void Window::Constructor()
{
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    Registry& registry = TheRegistry();
    registry.open.push_back(self);
    // Registered before the creation events, so that the class's accessor
    // finds this window while it is being built.
    const String& className = Class().name;
    auto slot = std::find_if(registry.implicit.begin(), registry.implicit.end(),
                             [&](const auto& entry) { return entry.first == className; });
    if (slot == registry.implicit.end())
        registry.implicit.emplace_back(className, self);
    else if (slot->second.expired())
        slot->second = self;
    if (HasPlatform()) view_ = CurrentPlatform().CreateWindowView(*this);
    RaiseEvent("Layout");
    RaiseEvent("CreateControls");
    RaiseEvent("Open");
    opened_ = true;
    if (closed_) return;
    FitOnScreens();
    Notify([](WindowView& v) { v.VisibleChanged(); });
}

// Once, when Open has set all four bounds: each on its own may lie off the
// screens on the way to bounds that fit.
void Window::FitOnScreens()
{
    if (!view_) return;
    Rect bounds{left_, top_, width_, height_};
    Rect fitted = fw::FitOnScreens(bounds, view_->HeightAboveContent(width_), CurrentPlatform().AvailableScreenAreas());
    if (fitted == bounds) return;
    SetLeft(fitted.left);
    SetTop(fitted.top);
    SetWidth(fitted.width);
    SetHeight(fitted.height);
}

void Window::RaiseEvent(const char* event)
{
    for (const ClassRecord* r = &Class(); r; r = r->parent)
        if (const auto* handler = r->HandlerFor(event)) {
            ObjectRef keep = shared_from_this();
            CallProgram([&] { (*handler)(*this); });
            return;
        }
}

void Window::Close()
{
    if (closing_ || closed_) return;
    closing_ = true;
    ObjectRef keep = shared_from_this();
    struct Finish {
        Window& window;
        ~Finish()
        {
            // The unified close: forget the view and the registration even when
            // the Close handler raised.
            window.closed_ = true;
            window.view_.reset();
            for (const ControlRef& c : window.controls_) {
                c->SetView(nullptr);
                if (auto* pane = dynamic_cast<PaneChild*>(c.get())) pane->SetWindow(nullptr);
            }
            Registry& registry = TheRegistry();
            std::erase_if(registry.implicit, [&](const auto& entry) {
                auto w = entry.second.lock();
                return !w || w.get() == &window;
            });
            std::erase_if(registry.open, [&](const WindowRef& w) { return w.get() == &window; });
        }
    } finish{*this};
    RaiseEvent("Close");
}

void Window::SetLeft(std::int32_t v)
{
    left_ = v;
    Notify([](WindowView& view) { view.BoundsChanged(); });
}

void Window::SetTop(std::int32_t v)
{
    top_ = v;
    Notify([](WindowView& view) { view.BoundsChanged(); });
}

void Window::ApplySize(std::int32_t width, std::int32_t height)
{
    width = Clamp(width, minWidth_, maxWidth_);
    height = Clamp(height, minHeight_, maxHeight_);
    std::int32_t dWidth = width - width_, dHeight = height - height_;
    width_ = width;
    height_ = height;
    if (dWidth || dHeight)
        for (const ControlRef& c : controls_)
            if (auto rect = std::dynamic_pointer_cast<RectControl>(c)) rect->WindowResized(dWidth, dHeight);
}

void Window::SetWidth(std::int32_t v)
{
    ApplySize(v, height_);
    Notify([](WindowView& view) { view.BoundsChanged(); });
}

void Window::SetHeight(std::int32_t v)
{
    ApplySize(width_, v);
    Notify([](WindowView& view) { view.BoundsChanged(); });
}

void Window::SetMinWidth(std::int32_t v)
{
    minWidth_ = std::max(1, v);
    Notify([](WindowView& view) { view.LimitsChanged(); });
}

void Window::SetMinHeight(std::int32_t v)
{
    minHeight_ = std::max(1, v);
    Notify([](WindowView& view) { view.LimitsChanged(); });
}

void Window::SetMaxWidth(std::int32_t v)
{
    maxWidth_ = std::max(1, v);
    Notify([](WindowView& view) { view.LimitsChanged(); });
}

void Window::SetMaxHeight(std::int32_t v)
{
    maxHeight_ = std::max(1, v);
    Notify([](WindowView& view) { view.LimitsChanged(); });
}

void Window::SetTitle(const String& v)
{
    title_ = v;
    Notify([](WindowView& view) { view.TitleChanged(); });
}

void Window::SetVisible(bool v)
{
    visible_ = v;
    // A new window is shown once its Open event is over.
    if (opened_) Notify([](WindowView& view) { view.VisibleChanged(); });
}

void Window::SetCloseButton(bool v)
{
    closeButton_ = v;
    Notify([](WindowView& view) { view.FlagsChanged(); });
}

void Window::SetMinimizeButton(bool v)
{
    minimizeButton_ = v;
    Notify([](WindowView& view) { view.FlagsChanged(); });
}

void Window::SetMaximizeButton(bool v)
{
    maximizeButton_ = v;
    Notify([](WindowView& view) { view.FlagsChanged(); });
}

void Window::SetResizeable(bool v)
{
    resizeable_ = v;
    Notify([](WindowView& view) { view.FlagsChanged(); });
}

void Window::SetMenuBar(std::shared_ptr<fw::MenuBar> bar)
{
    menuBar_ = std::move(bar);
    Notify([](WindowView& view) { view.MenuBarChanged(); });
}

ObjectRef Window::New(const ClassRecord& record)
{
    // The window comes to own a control when the control is added to it.
    return RuntimeNewObject(record);
}

void Window::AddControl(const String& name, const ObjectRef& control)
{
    auto c = std::dynamic_pointer_cast<Control>(NotNil(control));
    if (!c) throw IllegalCastException("only controls can be added to a window");
    c->SetName(name);
    controls_.push_back(c);
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    c->AttachTo(self);
    if (auto* pane = dynamic_cast<PaneChild*>(c.get())) {
        pane->SetWindow(self);
        pane->SetIndex(std::int32_t(controls_.size()) - 1);
    }
    Notify([&](WindowView& view) { view.ControlAdded(*c); });
}

ObjectRef Window::ControlByName(const String& name) const
{
    for (const ControlRef& c : controls_)
        if (c->Name() == name) return c;
    return nullptr;
}

void Window::ViewMoved(std::int32_t left, std::int32_t top)
{
    left_ = left;
    top_ = top;
}

void Window::ViewResized(std::int32_t width, std::int32_t height)
{
    ApplySize(width, height);
}

void Window::AbandonViews()
{
    KeepToTheEnd(std::move(view_));
    for (const ControlRef& c : controls_) KeepToTheEnd(c->TakeView());
}

void Window::ViewCloseRequested()
{
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    AtOutermostEvent([self] { self->Close(); });
}

ObjectRef GetImplicitWindow(const String& classFullName)
{
    for (const auto& [name, window] : TheRegistry().implicit)
        if (name == classFullName) return window.lock();
    return nullptr;
}

std::vector<WindowRef> OpenWindows()
{
    return TheRegistry().open;
}

void CloseAllWindows()
{
    for (const WindowRef& w : OpenWindows()) w->Close();
}

void ForgetAllWindows()
{
    Registry& registry = TheRegistry();
    std::vector<WindowRef> open;
    open.swap(registry.open);
    for (const WindowRef& w : open)
        for (const ControlRef& c : w->Controls())
            if (auto* pane = dynamic_cast<PaneChild*>(c.get())) pane->SetWindow(nullptr);
    registry.implicit.clear();
    // Released after the registry is empty: destructors may look it up.
    open.clear();
}

} // namespace fw
