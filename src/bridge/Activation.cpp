#include "listwindow/Window1.h"

#include "framework/AppleEvent.h"
#include "framework/Dialogs.h"

using namespace fw;

// Sends Illustrator the activate event; asks the user to start Illustrator
// when it could not be delivered.
void Window1::AI_ACCTIVE()
{
    auto event = NewAppleEvent("misc", "actv", "ART5");
    NotNil(event, "no activation event could be made");
    bool sent = event->Send();
    if (!sent) MsgBox("Illustratorを起動してください。");
}
