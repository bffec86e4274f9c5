#pragma once

// The window model. The framework holds every open window; a class that has a
// single window registers it under the class's full name from its
// construction until it has closed.

#include "Platform.h"
#include "Runtime.h"
#include "Text.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace fw {

class MenuBar;
class Control;

class Window : public Object {
public:
    static const ClassRecord& Lookup();
    ~Window() override;

    // Registers the window, gives it a view and raises Layout,
    // CreateControls and Open, in this order; then fits it to the screens
    // and shows it when Visible.
    virtual void Constructor();
    // Raises Close, then closes the window and forgets it.
    void Close();
    bool IsOpen() const { return opened_ && !closed_; }

    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetLeft(std::int32_t v);
    void SetTop(std::int32_t v);
    void SetWidth(std::int32_t v);   // kept within MinWidth..MaxWidth
    void SetHeight(std::int32_t v);  // kept within MinHeight..MaxHeight
    std::int32_t MinWidth() const { return minWidth_; }
    std::int32_t MinHeight() const { return minHeight_; }
    std::int32_t MaxWidth() const { return maxWidth_; }
    std::int32_t MaxHeight() const { return maxHeight_; }
    void SetMinWidth(std::int32_t v);
    void SetMinHeight(std::int32_t v);
    void SetMaxWidth(std::int32_t v);
    void SetMaxHeight(std::int32_t v);

    String Title() const { return title_; }
    void SetTitle(const String& v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool CloseButton() const { return closeButton_; }
    bool MinimizeButton() const { return minimizeButton_; }
    bool MaximizeButton() const { return maximizeButton_; }
    bool Resizeable() const { return resizeable_; }
    void SetCloseButton(bool v);
    void SetMinimizeButton(bool v);
    void SetMaximizeButton(bool v);
    void SetResizeable(bool v);

    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);

    // Makes an object of the class for the window (a control, a dialog).
    ObjectRef New(const ClassRecord& record);
    void AddControl(const String& name, const ObjectRef& control);
    ObjectRef ControlByName(const String& name) const;
    const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }

    // What the view reports of the user's doing.
    void ViewMoved(std::int32_t left, std::int32_t top);
    void ViewResized(std::int32_t width, std::int32_t height);
    // Closes the window, once the event that it came in has returned.
    void ViewCloseRequested();
    // Whether the handler of something the user did to a control of the
    // window still runs: what else the user does to them meanwhile is dropped.
    bool UserEventRunning() const { return userEventsRunning_ > 0; }
    WindowView* View() const { return view_.get(); }
    // The display went away: lets go of the view and the controls' views
    // without a word to them, as even destroying them would talk to it. They
    // are kept until the process ends.
    void AbandonViews();

private:
    friend class Control;  // counts the user's events its controls deliver

    void RaiseEvent(const char* event);
    void FitOnScreens();
    void ApplySize(std::int32_t width, std::int32_t height);
    template <class F>
    void Notify(F change)
    {
        if (view_) change(*view_);
    }

    std::int32_t left_ = 20, top_ = 60, width_ = 300, height_ = 300;
    std::int32_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    String title_ = "Untitled";
    bool visible_ = true;
    bool closeButton_ = true, minimizeButton_ = true, maximizeButton_ = true, resizeable_ = true;
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::vector<std::shared_ptr<Control>> controls_;
    int userEventsRunning_ = 0;
    std::unique_ptr<WindowView> view_;
    bool opened_ = false, closing_ = false, closed_ = false;
};

using WindowRef = std::shared_ptr<Window>;

// The registered window of the class with that full name, or nil.
ObjectRef GetImplicitWindow(const String& classFullName);
// Every window the framework holds, oldest first.
std::vector<WindowRef> OpenWindows();
void CloseAllWindows();
void ForgetAllWindows();

} // namespace fw
