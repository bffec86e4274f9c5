#include "Runtime.h"

#include "Text.h"

#include <algorithm>

namespace fw {

ClassRecord ClassRecord::Derive(std::string name, const ClassRecord* parent)
{
    ClassRecord record;
    record.name = std::move(name);
    record.parent = parent;
    if (parent) {
        record.methods = parent->methods;
        record.events = parent->events;
    }
    return record;
}

ClassRecord& ClassRecord::Method(const std::string& name, const std::string& signature,
                                 std::vector<Attribute> attributes, const std::string& replaces)
{
    auto slot = std::find(methods.begin(), methods.end(), replaces.empty() ? name : replaces);
    if (slot != methods.end())
        *slot = name;
    else
        methods.push_back(name);
    members.push_back(MemberInfo{name, signature, std::move(attributes)});
    return *this;
}

ClassRecord& ClassRecord::Event(const std::string& name)
{
    events.push_back(name);
    return *this;
}

ClassRecord& ClassRecord::Property(PropertyInfo info)
{
    properties.push_back(std::move(info));
    return *this;
}

ClassRecord& ClassRecord::Handle(const std::string& event, std::function<void(Object&)> handler)
{
    handlers.emplace_back(event, std::move(handler));
    return *this;
}

const std::function<void(Object&)>* ClassRecord::HandlerFor(std::string_view event) const
{
    for (const auto& [name, handler] : handlers)
        if (name == event) return &handler;
    return nullptr;
}

bool ClassRecord::IsA(const ClassRecord& other) const
{
    for (const ClassRecord* r = this; r; r = r->parent)
        if (r == &other) return true;
    return false;
}

int ClassRecord::MethodSlot(std::string_view name) const
{
    auto it = std::find(methods.begin(), methods.end(), name);
    return it == methods.end() ? -1 : int(it - methods.begin());
}

int ClassRecord::EventSlot(std::string_view name) const
{
    auto it = std::find(events.begin(), events.end(), name);
    return it == events.end() ? -1 : int(it - events.begin());
}

const PropertyInfo* ClassRecord::FindProperty(std::string_view name) const
{
    for (const ClassRecord* r = this; r; r = r->parent)
        for (const PropertyInfo& p : r->properties)
            if (StringEquals(p.name, name)) return &p;
    return nullptr;
}

const MemberInfo* ClassRecord::FindMember(std::string_view name) const
{
    for (const MemberInfo& m : members)
        if (m.name == name) return &m;
    return nullptr;
}

std::string ClassRecord::Attr(std::string_view attribute) const
{
    for (const Attribute& a : attributes)
        if (a.name == attribute) return a.value;
    return "";
}

const ClassRecord& Object::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("Object", nullptr);
        r.attributes = {{"__Scope", "Public"}};
        return r;
    }();
    return record;
}

const PropertyValue* Object::StoredValue(std::string_view name) const
{
    for (const auto& [key, value] : stored_)
        if (key == name) return &value;
    return nullptr;
}

void Object::StoreValue(std::string_view name, PropertyValue value)
{
    for (auto& [key, stored] : stored_)
        if (key == name) {
            stored = std::move(value);
            return;
        }
    stored_.emplace_back(std::string(name), std::move(value));
}

ObjectRef RuntimeNewObject(const ClassRecord& record)
{
    if (!record.create) throw NilObjectException("class " + record.name + " cannot be instantiated");
    ObjectRef object = record.create();
    if (object) object->record_ = &record;
    return object;
}

ObjectRef RuntimeCheckCast(const ObjectRef& object, const ClassRecord& record)
{
    if (!object) return nullptr;
    if (!object->Class().IsA(record))
        throw IllegalCastException("a " + object->Class().name + " is not a " + record.name);
    return object;
}

PropertyInfo StoredProperty(std::string name, PropertyType type)
{
    std::string key = name;
    return PropertyInfo{
        std::move(name), type,
        [key](Object& o, const PropertyValue& v) { o.StoreValue(key, v); },
        [key](const Object& o) {
            const PropertyValue* v = o.StoredValue(key);
            return v ? *v : PropertyValue{};
        },
        {}};
}

} // namespace fw
