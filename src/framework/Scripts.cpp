#include "Scripts.h"

#include "Exceptions.h"
#include "Platform.h"

#include <map>
#include <vector>

namespace fw {

namespace {

struct PendingCall {
    std::int32_t number = 0;
    HelperWait wait;
    std::vector<ScriptParameter> parameters;
};

struct PendingCalls {
    std::map<std::int32_t, PendingCall> calls;
    std::int32_t lastHandle = 0;
    std::int32_t started = 0;
};

PendingCalls& Pending()
{
    static PendingCalls pending;
    return pending;
}

PendingCall& Find(std::int32_t handle)
{
    auto& calls = Pending().calls;
    auto it = calls.find(handle);
    if (it == calls.end())
        throw RuntimeException("no compiled-script call is pending with handle " + Str(handle));
    return it->second;
}

String Complete(std::int32_t handle)
{
    PendingCall call = std::move(Find(handle));
    Pending().calls.erase(handle);
    return CurrentScriptHost().Run(call.number, call.parameters, call.wait);
}

} // namespace

String ScriptFunction(std::int32_t number, const HelperWait& wait)
{
    return CurrentScriptHost().Run(number, {}, wait);
}

void ScriptExecute(std::int32_t number, const HelperWait& wait)
{
    CurrentScriptHost().Run(number, {}, wait);
}

std::int32_t StartParamScript(std::int32_t number, const HelperWait& wait)
{
    PendingCalls& pending = Pending();
    // Handles are never 0, and one still pending is never given again.
    do {
        pending.lastHandle = pending.lastHandle == INT32_MAX ? 1 : pending.lastHandle + 1;
    } while (pending.calls.count(pending.lastHandle));
    pending.calls[pending.lastHandle] = PendingCall{number, wait, {}};
    ++pending.started;
    return pending.lastHandle;
}

void AddIntegerScriptParam(std::int32_t handle, std::int32_t value)
{
    Find(handle).parameters.push_back(ScriptParameter{true, value, {}});
}

void AddStringScriptParam(std::int32_t handle, const String& value)
{
    Find(handle).parameters.push_back(ScriptParameter{false, 0, value});
}

String CompleteParamScriptFunction(std::int32_t handle)
{
    return Complete(handle);
}

void CompleteParamScriptExecute(std::int32_t handle)
{
    Complete(handle);
}

std::int32_t ParamScriptsStarted()
{
    return Pending().started;
}

std::int32_t ParamScriptsPending()
{
    return std::int32_t(Pending().calls.size());
}

} // namespace fw
