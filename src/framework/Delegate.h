#pragma once

// Delegates: a routine or method bound to an optional target, called through
// an invoker made for its parameter list. Event handlers of controls are
// delegates whose target, the window, is held weakly (flags 1), so that a
// control never keeps its window alive.

#include "Runtime.h"
#include "Text.h"

#include <any>
#include <cstdint>
#include <memory>

namespace fw {

class Control;
class Delegate;
using DelegateRef = std::shared_ptr<Delegate>;

enum DelegateFlags : std::int32_t { kDelegateStrong = 0, kDelegateWeakTarget = 1 };

class Delegate : public Object {
public:
    // Calls the delegate's method on its target with the control that raised
    // the event (and the row, for row events).
    using Invoker = void (*)(const Delegate& self, Control& control, std::int32_t row);

    static const ClassRecord& Lookup();

    Invoker invoker = nullptr;
    std::any method;  // a routine address or a member-function pointer
    String signature;

    // The target; NilObjectException when a target was given and is gone.
    ObjectRef Target() const;
    bool HasTarget() const { return hasTarget_; }

    // The routine as its plain address, for delegates made of a routine.
    template <class F>
    F Address() const { return std::any_cast<F>(method); }

private:
    friend DelegateRef RuntimeCreateDelegate(Invoker, std::any, const ObjectRef&, String, std::int32_t);
    bool hasTarget_ = false;
    ObjectRef strong_;
    std::weak_ptr<Object> weak_;
};

DelegateRef RuntimeCreateDelegate(Delegate::Invoker invoker, std::any method, const ObjectRef& target,
                                  String signature, std::int32_t flags);

// The invoker of delegates made of a plain routine; such delegates are only
// used for their address.
void DelegateInvoke(const Delegate& self, Control& control, std::int32_t row);

} // namespace fw
