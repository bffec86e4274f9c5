#include "listwindow/Window1.h"

#include "bridge/ScriptCalls.h"

#include "framework/Exceptions.h"
#include "framework/Variant.h"

using namespace fw;

namespace {

VariantArrayRef PathList(const FolderItemRef& file)
{
    VariantArrayRef list = CreateArray(1, kElementVariant, 0);
    list->Set(0, StringToVariant(file->AbsolutePath()));
    return list;
}

// The user is told of a script that could not be started; one that ran and
// failed is Illustrator's to report.
bool CouldNotBeRun(const ScriptCallException& e)
{
    return e.Reason() == ScriptCallException::Why::CannotStart;
}

} // namespace

// Runs a listed file by the extension of its listed name.
void Window1::goscript(const FolderItemRef& file, const String& name)
{
    if (!file) {
        my_msgbox(name + "が見つかりません");
        return;
    }
    String extension = NthField(name, ".", CountFields(name, "."));
    try {
        if (StringEquals(extension, "scpt")) {
            goas(PathList(file));
            return;
        }
        if (StringEquals(extension, "app")) {
            file->Launch(true);
            return;
        }
        if (StringEquals(extension, "jsx") || StringEquals(extension, "js")) {
            gojs(PathList(file));
            return;
        }
    } catch (const ScriptCallException& e) {
        if (CouldNotBeRun(e)) my_msgbox(name + "を実行できませんでした");
    }
}
