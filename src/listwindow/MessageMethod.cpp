#include "Window1.h"

#include "bridge/ScriptCalls.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Variant.h"

using namespace fw;

// Brings the program to the front, shows the message, then hands the front
// back to Illustrator.
void Window1::my_msgbox(const String& message)
{
    ObjectRef keep = shared_from_this();
    String text = message;
    {
        VariantArrayRef none = CreateArray(1, kElementVariant, -1);
        try {
            acctivemyapp(none);
        } catch (const ScriptCallException&) {
            // Not in front: the message is still to be seen.
        }
    }
    MsgBox(text);
    AI_ACCTIVE();
}
