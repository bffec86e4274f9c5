#include "listwindow/Window1.h"

#include "bridge/ScriptCalls.h"

#include "framework/Variant.h"

using namespace fw;

namespace {

VariantArrayRef PathList(const FolderItemRef& file)
{
    VariantArrayRef list = CreateArray(1, kElementVariant, 0);
    list->Set(0, StringToVariant(file->AbsolutePath()));
    return list;
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
}
