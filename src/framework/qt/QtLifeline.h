#pragma once

// A view may be destroyed by the very model call it makes (a handler closes
// the window). Code that must go on after such a call asks its lifeline.

#include <memory>

namespace fw::qt {

class Lifeline {
public:
    Lifeline() = default;
    Lifeline(const Lifeline&) = delete;
    Lifeline& operator=(const Lifeline&) = delete;
    ~Lifeline() { *alive_ = false; }

    // True for as long as the owner lives.
    std::shared_ptr<const bool> Watch() const { return alive_; }

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace fw::qt
