#pragma once

// A real top-level window for a window model. The model's bounds are those
// of the content area, below the menu bar that Linux puts inside the window.

#include "framework/Platform.h"

#include <QPointer>

class QMenuBar;
class QWidget;

namespace fw::qt {

class WindowFrame;

class QtWindowView final : public WindowView {
public:
    explicit QtWindowView(Window& model);
    ~QtWindowView() override;

    void TitleChanged() override;
    void BoundsChanged() override;
    void LimitsChanged() override;
    void FlagsChanged() override;
    void VisibleChanged() override;
    void MenuBarChanged() override;
    void ControlAdded(Control& control) override;
    std::int32_t HeightAboveContent(std::int32_t width) const override;

    QWidget* Frame() const;
    QWidget* Content() const;
    QMenuBar* MenuBar() const;

    // What the frame reports of the user's doing.
    void FrameMoved();
    void FrameResized();
    void FrameCloseRequested();

private:
    void ApplyGeometry();

    Window& model_;
    QPointer<WindowFrame> frame_;
    bool applying_ = false;  // our own geometry changes are not the user's
};

} // namespace fw::qt
