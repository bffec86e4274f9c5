#include "ScriptCalls.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Scripts.h"

using namespace fw;

namespace {

enum class Form { WithResult, WithoutResult };

// The one body of the five calls: the script number, how it is waited for
// and the form are all that tells them apart.
String CallScript(std::int32_t number, const HelperWait& wait, Form form, const VariantArrayRef& argumentList)
{
    VariantArrayRef list = NotNil(argumentList);

    if (list->Ubound() < 0) {
        if (form == Form::WithoutResult) {
            ScriptExecute(number, wait);
            return String();
        }
        return ScriptFunction(number, wait);
    }

    std::int32_t handle = StartParamScript(number, wait);
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

// Asking Illustrator or the desktop something, or coming to the front, takes
// a moment: a script that takes longer is stuck. A script file handed to
// Illustrator is the user's work, and takes as long as it takes.
const HelperWait kAsking = HelperWait::Asking();
const HelperWait kHandingOver = HelperWait::HandingOver();

} // namespace

String getAiVer(const VariantArrayRef& list)
{
    return CallScript(168, kAsking, Form::WithResult, list);
}

String frontAppli(const VariantArrayRef& list)
{
    return CallScript(169, kAsking, Form::WithResult, list);
}

void acctivemyapp(const VariantArrayRef& list)
{
    CallScript(170, kAsking, Form::WithoutResult, list);
}

String goas(const VariantArrayRef& list)
{
    return CallScript(171, kHandingOver, Form::WithResult, list);
}

String gojs(const VariantArrayRef& list)
{
    return CallScript(172, kHandingOver, Form::WithResult, list);
}
