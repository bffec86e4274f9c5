#include "Window1.h"

#include "JoinedNames.h"

#include "framework/Application.h"

#include <utility>

using namespace fw;

namespace {

bool BeginsWithDot(const String& text)
{
    return LeftB(text, 1) == ".";
}

// The names of a sub-folder's children that are listed, joined by "<>".
String ChildList(const FolderItemRef& folder)
{
    String list;
    bool first = true;
    std::int32_t m = folder->Count();
    for (std::int32_t j = 1; j <= m; ++j) {
        FolderItemRef child = NotNil(folder->Item(j), "a folder entry vanished");
        String name = child->DisplayName();
        if (!BeginsWithDot(name)) {
            if (!first) list += "<>";
            list += JoinableName(std::move(name));
            first = false;
        }
        RuntimeBackgroundTask();
    }
    return list;
}

// Everything to list, as one string: each entry followed by "</>"; a folder
// entry is its name, "<@>" and its child list.
String ScriptListString(const FolderItemRef& listed)
{
    String s;
    if (!listed) return s;
    std::int32_t n = listed->Count();
    for (std::int32_t i = 1; i <= n; ++i) {
        FolderItemRef e = NotNil(listed->Item(i), "a folder entry vanished");
        if (e->Visible() && !BeginsWithDot(e->Name())) {
            if (e->Directory()) {
                String children = ChildList(e);
                // A folder with nothing to run is not listed: its row would
                // open onto nothing.
                if (!children.empty()) s += JoinableName(e->DisplayName()) + "<@>" + children + "</>";
            } else {
                s += JoinableName(e->DisplayName()) + "</>";
            }
        }
        RuntimeBackgroundTask();
    }
    return s;
}

} // namespace

void Window1::setLB1()
{
    bool stringBuilt = false;
    try {
        String s = ScriptListString(gMyScriptFolder);
        stringBuilt = true;
        if (s.empty()) {
            // The rows of a former folder would be looked up in this one.
            LB1()->DeleteAllRows();
            my_msgbox("スクリプトファイルが読み込めませんでした。");
            return;
        }
        std::vector<String> fields = Split(s, "</>");
        ListboxRef list = LB1();
        list->DeleteAllRows();
        for (String& field : fields) {
            String name = NthField(field, "<@>", 1);
            String children = NthField(field, "<@>", 2);
            if (!StringEquals(children, "")) {
                list->AddFolder("");
                list->SetCell(list->LastIndex(), 1, children);
                list->SetCell(list->LastIndex(), 0, ListedName(std::move(name)));
            } else if (!StringEquals(field, "")) {
                list->AddRow({ListedName(std::move(field))});
            }
            RuntimeBackgroundTask();
        }
        list->SetColumnCount(1);
    } catch (...) {
        // The folder could not be read: its rows are not shown, and neither
        // are the rows of a former folder.
        if (!stringBuilt) {
            try {
                LB1()->DeleteAllRows();
            } catch (...) {
            }
        }
    }
}
