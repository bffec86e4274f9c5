#include "Window1.h"

#include "Window1Blobs.h"
#include "app/MenuBar1.h"

#include "framework/Properties.h"

using namespace fw;

const ClassRecord& Window1::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Window1.Window1", &Window::Lookup());
        const std::vector<Attribute> pub = {{"__Scope", "Public"}};
        const std::vector<Attribute> hidden = {{"__Scope", "Public"}, {"Hidden", ""}};
        const std::pair<const char*, const char*> members[] = {
            {"Layout", "()"},
            {"CreateControls", "()"},
            {"_CreateControls0", "()"},
            {"LB1", "() as Listbox"},
            {"BevelButton1", "() as BevelButton"},
            {"Timer1", "() as Timer"},
            {"LB1_ExpandRow", "( Listbox, Int32 )"},
            {"LB1_CollapseRow", "( Listbox, Int32 )"},
            {"LB1_DoubleClick", "( Listbox )"},
            {"BevelButton1_Action", "( BevelButton )"},
            {"Timer1_Action", "( Timer )"},
            {"EditMenu", "() as MenuItem"},
            {"EditSelectAll", "() as MenuItem"},
            {"UntitledMenu0", "() as MenuItem"},
            {"EditClear", "() as MenuItem"},
            {"EditPaste", "() as MenuItem"},
            {"EditCopy", "() as MenuItem"},
            {"EditCut", "() as MenuItem"},
            {"UntitledMenu1", "() as MenuItem"},
            {"EditUndo", "() as MenuItem"},
            {"FileMenu", "() as MenuItem"},
            {"FileQuit", "() as QuitMenuItem"},
            {"Event_Open", "()"},
            {"Event_Close", "()"},
            {"setLB1", "()"},
            {"my_msgbox", "( String )"},
            {"AI_ACCTIVE", "()"},
            {"goscript", "( FolderItem, String )"},
        };
        for (const auto& [name, signature] : members)
            r.Method(name, signature, std::string(name) == "_CreateControls0" ? hidden : pub);
        r.Handle("Layout", [](Object& w) { static_cast<class Window1&>(w).Layout(); });
        r.Handle("CreateControls", [](Object& w) { static_cast<class Window1&>(w).CreateControls(); });
        r.Handle("Open", [](Object& w) { static_cast<class Window1&>(w).Event_Open(); });
        r.Handle("Close", [](Object& w) { static_cast<class Window1&>(w).Event_Close(); });
        r.ownProperties = {{"gMyPref", "FolderItem", pub},
                           {"gMyScriptFolder", "FolderItem", pub},
                           {"gAiver", "String", pub}};
        r.attributes = pub;
        r.create = Factory<class Window1>();
        return r;
    }();
    return record;
}

Window1::~Window1()
{
    gMyPref.reset();
    gMyScriptFolder.reset();
    gAiver.clear();
}

std::shared_ptr<class Window1> Window1()
{
    ObjectRef window = GetImplicitWindow("Window1.Window1");
    if (!window) {
        auto created = RuntimeNewObjectAs<class Window1>(Window1::Lookup());
        window = created;
        created->Constructor();
    }
    return RuntimeCheckCastAs<class Window1>(window, Window1::Lookup());
}

void Window1::Layout()
{
    auto bar = MenuBar1();
    SetMenuBar(bar);
    bar.reset();
    SetProperties(*this, Window1Blob());
}

ListboxRef Window1::LB1()
{
    return RuntimeCheckCastAs<Listbox>(ControlByName("LB1"), Listbox::Lookup());
}

BevelButtonRef Window1::BevelButton1()
{
    return RuntimeCheckCastAs<BevelButton>(ControlByName("BevelButton1"), BevelButton::Lookup());
}

TimerRef Window1::Timer1()
{
    return RuntimeCheckCastAs<Timer>(ControlByName("Timer1"), Timer::Lookup());
}

MenuItemRef Window1::MenuEntry(const char* name)
{
    auto bar = NotNil(MenuBar(), "the window has no menu bar");
    return RuntimeCheckCastAs<MenuItem>(bar->Lookup(name), MenuItem::Lookup());
}

MenuItemRef Window1::EditMenu() { return MenuEntry("EditMenu"); }
MenuItemRef Window1::EditSelectAll() { return MenuEntry("EditSelectAll"); }
MenuItemRef Window1::UntitledMenu0() { return MenuEntry("UntitledMenu0"); }
MenuItemRef Window1::EditClear() { return MenuEntry("EditClear"); }
MenuItemRef Window1::EditPaste() { return MenuEntry("EditPaste"); }
MenuItemRef Window1::EditCopy() { return MenuEntry("EditCopy"); }
MenuItemRef Window1::EditCut() { return MenuEntry("EditCut"); }
MenuItemRef Window1::UntitledMenu1() { return MenuEntry("UntitledMenu1"); }
MenuItemRef Window1::EditUndo() { return MenuEntry("EditUndo"); }
MenuItemRef Window1::FileMenu() { return MenuEntry("FileMenu"); }

std::shared_ptr<QuitMenuItem> Window1::FileQuit()
{
    auto bar = NotNil(MenuBar(), "the window has no menu bar");
    return RuntimeCheckCastAs<QuitMenuItem>(bar->Lookup("FileQuit"), QuitMenuItem::Lookup());
}
