#include "Window1Timer1.h"

using namespace fw;

const ClassRecord& Window1_Timer1::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Window1.Timer1", &Timer::Lookup());
        const std::vector<Attribute> pub = {{"__Scope", "Public"}};
        const std::vector<Attribute> hidden = {{"__Scope", "Public"}, {"Hidden", ""}};
        r.Method("_SetWindow", "( Window )", hidden);
        r.Method("Window", "() as Window", pub);
        r.Method("_Index", "() as Int32", hidden);
        r.Method("_SetIndex", "( Int32 )", hidden);
        r.Method("Constructor", "()", pub);
        r.interfaces.push_back(InterfaceInfo{"_PaneChild", {"_SetWindow", "Window", "_Index", "_SetIndex"}});
        r.ownProperties = {{"Index", "Int32", pub}, {"ownerWindow", "Window", {{"__Scope", "Private"}}}};
        r.attributes = {{"__Scope", "Private"}};
        r.create = Factory<Window1_Timer1>();
        return r;
    }();
    return record;
}

Window1_Timer1::~Window1_Timer1()
{
    ownerWindow.reset();
}

void Window1_Timer1::SetWindow(const WindowRef& window)
{
    ownerWindow = window;
}

WindowRef Window1_Timer1::Window()
{
    return ownerWindow;
}

std::int32_t Window1_Timer1::Index()
{
    return index_;
}

void Window1_Timer1::SetIndex(std::int32_t index)
{
    index_ = index;
}

void Window1_Timer1::Constructor() {}
