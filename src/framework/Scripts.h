#pragma once

// Running the compiled scripts shipped with the program, by number. A call
// with parameters is started, given its parameters in order and completed;
// its handle names it until then. Each call states how its script is waited
// for: one that asks something is stopped once it takes longer than its
// limit and raises ScriptCallException, as does one that cannot be run or
// fails; one that hands the user's work over is waited for to its end.

#include "HelperWait.h"
#include "Text.h"

#include <cstdint>

namespace fw {

String ScriptFunction(std::int32_t number, const HelperWait& wait);
void ScriptExecute(std::int32_t number, const HelperWait& wait);

std::int32_t StartParamScript(std::int32_t number, const HelperWait& wait);
// These raise RuntimeException for a handle that names no pending call.
void AddIntegerScriptParam(std::int32_t handle, std::int32_t value);
void AddStringScriptParam(std::int32_t handle, const String& value);
// Completing ends the call, even when its script raises.
String CompleteParamScriptFunction(std::int32_t handle);
void CompleteParamScriptExecute(std::int32_t handle);

// How many calls with parameters have been started so far, and how many of
// them are pending still: for diagnostics and tests.
std::int32_t ParamScriptsStarted();
std::int32_t ParamScriptsPending();

} // namespace fw
