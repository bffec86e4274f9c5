#pragma once

#include "Control.h"

namespace fw {

// Raises Action every Period milliseconds while Mode is 2 (once for Mode 1,
// never for Mode 0), on the event loop, from the moment a window holds it.
class Timer : public Control {
public:
    enum Modes : std::int32_t { kModeOff = 0, kModeSingle = 1, kModeMultiple = 2 };

    static const ClassRecord& Lookup();

    std::int32_t Mode() const { return mode_; }
    void SetMode(std::int32_t mode);
    std::int32_t Period() const { return period_; }
    void SetPeriod(std::int32_t milliseconds);
    void Reset();
    void addActionNotificationReceiver(const ObjectRef& receiver);
    void removeActionNotificationReceiver(const ObjectRef& receiver);
    // One tick: raises Action, unless the last tick's Action still runs.
    void CallAction();

    void AttachTo(const std::shared_ptr<fw::Window>& window) override;

private:
    void Restart();

    std::int32_t mode_ = kModeMultiple;
    std::int32_t period_ = 1000;
    bool attached_ = false;
    bool acting_ = false;
    std::unique_ptr<TimerHandle> running_;
    std::vector<std::weak_ptr<Object>> receivers_;
};

using TimerRef = std::shared_ptr<Timer>;

} // namespace fw
