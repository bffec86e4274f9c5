#include "MenuItem.h"

#include "Application.h"

namespace fw {

const ClassRecord& MenuItem::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("MenuItem", &Object::Lookup());
        r.Event("Action").Event("EnableMenu");
        r.Method("Constructor").Method("Append").Method("Child").Method("_Lookup").Method("Count").Method("Item");
        r.create = Factory<MenuItem>();
        return r;
    }();
    return record;
}

const ClassRecord& QuitMenuItem::Lookup()
{
    static const ClassRecord record = ConcreteClass<QuitMenuItem>("QuitMenuItem", &MenuItem::Lookup());
    return record;
}

const ClassRecord& MenuBar::Lookup()
{
    static const ClassRecord record = ConcreteClass<MenuBar>("MenuBar", &MenuItem::Lookup());
    return record;
}

void MenuItem::Append(const MenuItemRef& entry)
{
    children_.push_back(NotNil(entry));
}

MenuItemRef MenuItem::Item(std::int32_t index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return children_[std::size_t(index)];
}

MenuItemRef MenuItem::Child(const String& name) const
{
    for (const MenuItemRef& c : children_)
        if (StringEquals(c->Name(), name)) return c;
    return nullptr;
}

MenuItemRef MenuItem::Lookup(const String& name) const
{
    for (const MenuItemRef& c : children_) {
        if (StringEquals(c->Name(), name)) return c;
        if (MenuItemRef below = c->Lookup(name)) return below;
    }
    return nullptr;
}

void MenuItem::Choose()
{
    ObjectRef keep = shared_from_this();
    CallProgram([this] { Event_Action(); });
}

bool QuitMenuItem::Event_Action()
{
    return QuitMenuAction();
}

} // namespace fw
