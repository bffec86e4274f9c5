#include "ScriptCalls.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Scripts.h"

using namespace fw;

namespace {

enum class Form { WithResult, WithoutResult };

// The one body of the five calls: the script number and the form are all
// that tells them apart.
String CallScript(std::int32_t number, Form form, const VariantArrayRef& argumentList)
{
    VariantArrayRef list = NotNil(argumentList);

    if (list->Ubound() < 0) {
        if (form == Form::WithoutResult) {
            ScriptExecute(number);
            return String();
        }
        return ScriptFunction(number);
    }

    std::int32_t handle = StartParamScript(number);
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
    return CallScript(168, Form::WithResult, list);
}

String frontAppli(const VariantArrayRef& list)
{
    return CallScript(169, Form::WithResult, list);
}

void acctivemyapp(const VariantArrayRef& list)
{
    CallScript(170, Form::WithoutResult, list);
}

String goas(const VariantArrayRef& list)
{
    return CallScript(171, Form::WithResult, list);
}

String gojs(const VariantArrayRef& list)
{
    return CallScript(172, Form::WithResult, list);
}
