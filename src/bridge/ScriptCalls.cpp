#include "ScriptCalls.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Scripts.h"

using namespace fw;

namespace {

enum class Form { WithResult, WithoutResult };

// How long a script may take before it is stopped. Asking Illustrator or the
// desktop something, or coming to the front, takes a moment; Illustrator may
// take a while over a script file that it is handed.
constexpr std::chrono::seconds kAskingLimit{5};
constexpr std::chrono::seconds kHandingOverLimit{30};

// The one body of the five calls: the script number, its time limit and the
// form are all that tells them apart.
String CallScript(std::int32_t number, std::chrono::milliseconds limit, Form form,
                  const VariantArrayRef& argumentList)
{
    VariantArrayRef list = NotNil(argumentList);

    if (list->Ubound() < 0) {
        if (form == Form::WithoutResult) {
            ScriptExecute(number, limit);
            return String();
        }
        return ScriptFunction(number, limit);
    }

    std::int32_t handle = StartParamScript(number, limit);
    // The bound is read again on every pass: the yield may let others in.
    for (std::int32_t i = 0; i <= list->Ubound(); ++i) {
        Variant element = list->At(i);
        if (VarType(element) == kTypeInt32)
            AddIntegerScriptParam(handle, VariantToInt32(element));
        else
            AddStringScriptParam(handle, VariantToString(element));
        RuntimeBackgroundTask();
    }

    if (form == Form::WithoutResult) {
        CompleteParamScriptExecute(handle);
        return String();
    }
    return CompleteParamScriptFunction(handle);
}

} // namespace

String getAiVer(const VariantArrayRef& list)
{
    return CallScript(168, kAskingLimit, Form::WithResult, list);
}

String frontAppli(const VariantArrayRef& list)
{
    return CallScript(169, kAskingLimit, Form::WithResult, list);
}

void acctivemyapp(const VariantArrayRef& list)
{
    CallScript(170, kAskingLimit, Form::WithoutResult, list);
}

String goas(const VariantArrayRef& list)
{
    return CallScript(171, kHandingOverLimit, Form::WithResult, list);
}

String gojs(const VariantArrayRef& list)
{
    return CallScript(172, kHandingOverLimit, Form::WithResult, list);
}
