#include "Window1.h"

#include "JoinedNames.h"

#include "framework/Application.h"

#include <utility>

using namespace fw;

// A folder row carries its children's names in its data column; opening it
// puts them beneath it, each child carrying its folder's name.
void Window1::LB1_ExpandRow(const ListboxRef& list, std::int32_t row)
{
    String folder = list->Cell(row, 0);
    String children = list->Cell(row, 1);
    std::vector<String> names = Split(children, "<>");
    std::int32_t n = std::int32_t(names.size());
    for (std::int32_t i = 1; i <= n; ++i) {
        list->AddRow({""});
        list->SetCell(list->LastIndex(), 0, ListedName(std::move(names[std::size_t(i - 1)])));
        list->SetCell(list->LastIndex(), 1, folder);
        RuntimeBackgroundTask();
    }
}

void Window1::LB1_CollapseRow(const ListboxRef& list, std::int32_t row)
{
    std::int32_t n = CountFields(list->Cell(row, 1), "<>");
    std::int32_t first = row + n, last = row + 1;
    for (std::int32_t k = first; k >= last; --k) {
        list->RemoveRow(k);
        RuntimeBackgroundTask();
    }
}

void Window1::LB1_DoubleClick(const ListboxRef& list)
{
    std::int32_t row = list->ListIndex();
    bool wasOpen = list->Expanded(list->ListIndex());
    list->SetExpanded(row, !wasOpen);
    if (wasOpen || list->Expanded(list->ListIndex())) return;

    ListboxRef lb = LB1();
    String parent = lb->Cell(lb->ListIndex(), 1);
    String name = lb->Cell(lb->ListIndex(), 0);
    if (StringEquals(name, "")) return;

    FolderItemRef listed = NotNil(gMyScriptFolder, "no folder is listed");
    FolderItemRef entry;
    if (!StringEquals(parent, "")) {
        // The folder may have gone since the list was filled: then the name
        // is reported as not found.
        FolderItemRef folder = listed->Child(parent);
        entry = folder ? folder->Child(name) : nullptr;
    } else {
        entry = listed->Child(name);
    }
    goscript(entry, name);
}
