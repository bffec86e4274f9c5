#include "MenuBar1.h"

using namespace fw;

std::shared_ptr<class MenuBar1> MenuBar1::_implicitInstance;

struct MenuBar1::Entry {
    const char* name;
    const ClassRecord& (*kind)();
    const char* text;
    const char* shortcut;  // nullptr: not set at all (separators)
    const char* menu;      // nullptr: appended to the bar itself
};

namespace {

using Entry = MenuBar1::Entry;

const MenuBar1::Entry kFileMenu[] = {
    {"FileMenu", &MenuItem::Lookup, "ファイル", "", nullptr},
    {"FileQuit", &QuitMenuItem::Lookup, "終了", "Cmd+Q", "FileMenu"},
};

const MenuBar1::Entry kEditMenu[] = {
    {"EditMenu", &MenuItem::Lookup, "編集", "", nullptr},
    {"EditUndo", &MenuItem::Lookup, "元に戻す", "Cmd+Z", "EditMenu"},
    {"UntitledMenu1", &MenuItem::Lookup, "-", nullptr, "EditMenu"},
    {"EditCut", &MenuItem::Lookup, "カット", "Cmd+X", "EditMenu"},
    {"EditCopy", &MenuItem::Lookup, "コピー", "Cmd+C", "EditMenu"},
    {"EditPaste", &MenuItem::Lookup, "貼り付け", "Cmd+V", "EditMenu"},
    {"EditClear", &MenuItem::Lookup, "削除", "", "EditMenu"},
    {"UntitledMenu0", &MenuItem::Lookup, "-", nullptr, "EditMenu"},
    {"EditSelectAll", &MenuItem::Lookup, "すべてを選択", "Cmd+A", "EditMenu"},
};

} // namespace

const ClassRecord& MenuBar1::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("MenuBar1.MenuBar1", &MenuBar::Lookup());
        const std::vector<Attribute> pub = {{"__Scope", "Public"}};
        r.Method("MenuBar1.Constructor", "()", pub, "Constructor");
        r.Method("MenuBar1.Untitled0", "()", pub);
        r.Method("MenuBar1.Untitled1", "()", pub);
        r.attributes = pub;
        r.create = Factory<class MenuBar1>();
        return r;
    }();
    return record;
}

void MenuBar1::Constructor()
{
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0()
{
    for (const Entry& e : kFileMenu) Build(e);
}

void MenuBar1::Untitled1()
{
    for (const Entry& e : kEditMenu) Build(e);
}

void MenuBar1::Build(const Entry& e)
{
    auto entry = RuntimeCheckCastAs<MenuItem>(RuntimeNewObject(e.kind()), MenuItem::Lookup());
    NotNil(entry)->Constructor();
    NotNil(entry)->SetName(e.name);
    NotNil(entry)->SetAutoEnable(true);
    NotNil(entry)->SetText(e.text);
    if (e.shortcut) NotNil(entry)->SetKeyboardShortcut(e.shortcut);
    if (!e.menu) {
        Append(entry);
        return;
    }
    // The menu is looked up afresh before every append.
    NotNil(Child(e.menu), "no such menu")->Append(entry);
}

void MenuBar1::ExitImplicitInstance()
{
    _implicitInstance.reset();
}

std::shared_ptr<class MenuBar1> MenuBar1()
{
    if (!MenuBar1::_implicitInstance) {
        auto bar = RuntimeNewObjectAs<class MenuBar1>(MenuBar1::Lookup());
        bar->Constructor();
        MenuBar1::_implicitInstance = bar;
    }
    return MenuBar1::_implicitInstance;
}
