#include "Timer.h"

#include "Application.h"
#include "Window.h"

namespace fw {

const ClassRecord& Timer::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Timer", &Control::Lookup());
        r.Event("Action");
        r.Method("Reset").Method("addActionNotificationReceiver").Method("removeActionNotificationReceiver");
        r.Method("_CallAction");
        r.interfaces.push_back(InterfaceInfo{"actionSource",
                                             {"addActionNotificationReceiver", "removeActionNotificationReceiver"}});
        using T = PropertyType;
        r.Property(TypedProperty("Mode", T::Int32, &Timer::SetMode, &Timer::Mode));
        r.Property(TypedProperty("Period", T::Int32, &Timer::SetPeriod, &Timer::Period));
        r.create = Factory<Timer>();
        return r;
    }();
    return record;
}

void Timer::SetMode(std::int32_t mode)
{
    mode_ = mode;
    Restart();
}

void Timer::SetPeriod(std::int32_t milliseconds)
{
    period_ = milliseconds < 1 ? 1 : milliseconds;
    Restart();
}

void Timer::Reset()
{
    Restart();
}

void Timer::addActionNotificationReceiver(const ObjectRef& receiver)
{
    receivers_.push_back(receiver);
}

void Timer::removeActionNotificationReceiver(const ObjectRef& receiver)
{
    std::erase_if(receivers_, [&](const std::weak_ptr<Object>& r) { return r.lock() == receiver; });
}

void Timer::AttachTo(const std::shared_ptr<fw::Window>& window)
{
    Control::AttachTo(window);
    attached_ = true;
    Restart();
}

void Timer::CallAction()
{
    // A tick that comes while the last one's handler still waits for a
    // helper is dropped: ticks never pile up inside one another.
    if (acting_) return;
    if (mode_ == kModeSingle) {
        mode_ = kModeOff;
        running_.reset();
    }
    struct Acting {
        bool& flag;
        explicit Acting(bool& f) : flag(f) { flag = true; }
        ~Acting() { flag = false; }
    } acting(acting_);
    RaiseEvent("Action");
}

void Timer::Restart()
{
    running_.reset();
    if (!attached_ || mode_ == kModeOff || !HasPlatform()) return;
    std::weak_ptr<Object> self = weak_from_this();
    running_ = CurrentPlatform().StartTimer(period_, [self] {
        if (auto timer = std::static_pointer_cast<Timer>(self.lock()))
            DeliverFromLoop([&] { timer->CallAction(); });
    });
}

} // namespace fw
