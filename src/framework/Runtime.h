#pragma once

// Objects, class records and casts: the bottom of the framework.
//
// Every framework and program class has one ClassRecord, built once by its
// lookup routine. The record carries what the framework needs to know about a
// class at run time: its full name, its parent, its method table (names in
// slot order: the parent's first, then its own), its event table, the
// properties it declares (for SetProperties) and introspection attributes.
// Dispatch itself is C++'s; the method table is the class's published shape.

#include "Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

class Object;
struct ClassRecord;

using ObjectRef = std::shared_ptr<Object>;

struct Color {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Color&) const = default;
};

// The declared type of a property, which fixes how its value is encoded in a
// property blob.
enum class PropertyType { Int32, Boolean, Color, String, Single, Double };

using PropertyValue = std::variant<std::int32_t, bool, Color, std::string, float, double>;

struct Attribute {
    std::string name;
    std::string value;
};

struct MemberInfo {
    std::string name;
    std::string signature;
    std::vector<Attribute> attributes;
};

struct PropertyInfo {
    std::string name;
    PropertyType type;
    std::function<void(Object&, const PropertyValue&)> set;
    std::function<PropertyValue(const Object&)> get;
    std::vector<Attribute> attributes;
};

struct InterfaceInfo {
    std::string name;
    std::vector<std::string> methods;
};

struct ClassRecord {
    std::string name;                      // full name, e.g. "Window1.Window1"
    const ClassRecord* parent = nullptr;
    std::vector<std::string> methods;      // method table, slot order
    std::vector<std::string> events;       // event table, inherited first
    // Handlers of the class's own events, by event name; a missing one gets
    // the framework's default treatment.
    std::vector<std::pair<std::string, std::function<void(Object&)>>> handlers;
    std::vector<PropertyInfo> properties;  // declared by this class only
    std::vector<MemberInfo> members;       // own members, for introspection
    std::vector<MemberInfo> ownProperties; // own properties: name, type text
    std::vector<InterfaceInfo> interfaces;
    std::vector<Attribute> attributes;
    std::function<ObjectRef()> create;     // nil for abstract classes

    // A record for a class derived from `parent`: the parent's method and
    // event tables come first, in the parent's order.
    static ClassRecord Derive(std::string name, const ClassRecord* parent);

    // Appends an own member to the method table and to the introspection
    // list. With `replaces`, the member takes the place of that inherited slot.
    ClassRecord& Method(const std::string& name, const std::string& signature = "",
                        std::vector<Attribute> attributes = {},
                        const std::string& replaces = "");
    ClassRecord& Event(const std::string& name);
    ClassRecord& Property(PropertyInfo info);
    ClassRecord& Handle(const std::string& event, std::function<void(Object&)> handler);

    bool IsA(const ClassRecord& other) const;
    int MethodSlot(std::string_view name) const;  // -1 when absent
    int EventSlot(std::string_view name) const;   // -1 when absent
    // Looks the name up in this class and its ancestors, without regard to
    // letter case.
    const PropertyInfo* FindProperty(std::string_view name) const;
    const MemberInfo* FindMember(std::string_view name) const;
    const std::function<void(Object&)>* HandlerFor(std::string_view event) const;
    std::string Attr(std::string_view attribute) const;  // "" when absent
};

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static const ClassRecord& Lookup();
    const ClassRecord& Class() const { return record_ ? *record_ : Lookup(); }

    // Properties that a class declares for the blobs but does not act on are
    // kept here, so that they read back what was set.
    const PropertyValue* StoredValue(std::string_view name) const;
    void StoreValue(std::string_view name, PropertyValue value);

private:
    friend ObjectRef RuntimeNewObject(const ClassRecord& record);
    const ClassRecord* record_ = nullptr;
    std::vector<std::pair<std::string, PropertyValue>> stored_;
};

// Makes a new, unconstructed object of the class; raises NilObjectException
// for a class that cannot be instantiated.
ObjectRef RuntimeNewObject(const ClassRecord& record);

template <class T>
std::shared_ptr<T> RuntimeNewObjectAs(const ClassRecord& record)
{
    return std::static_pointer_cast<T>(RuntimeNewObject(record));
}

// A new object of T's own class; every object is made this way or through
// RuntimeNewObject, so that it knows its class record.
template <class T>
std::shared_ptr<T> New()
{
    return RuntimeNewObjectAs<T>(T::Lookup());
}

// The record's factory for a concrete class T.
template <class T>
std::function<ObjectRef()> Factory()
{
    return [] { return std::make_shared<T>(); };
}

// The record of a concrete class that adds nothing but its name.
template <class T>
ClassRecord ConcreteClass(std::string name, const ClassRecord* parent)
{
    ClassRecord record = ClassRecord::Derive(std::move(name), parent);
    record.create = Factory<T>();
    return record;
}

// The object as one of the class, nil for nil; IllegalCastException when the
// object is of another class.
ObjectRef RuntimeCheckCast(const ObjectRef& object, const ClassRecord& record);

template <class T>
std::shared_ptr<T> RuntimeCheckCastAs(const ObjectRef& object, const ClassRecord& record)
{
    auto checked = RuntimeCheckCast(object, record);
    if (!checked) return nullptr;
    auto typed = std::dynamic_pointer_cast<T>(checked);
    if (!typed) throw IllegalCastException("object is not a " + record.name);
    return typed;
}

// Declaring properties in class records. A stored property only keeps its
// value; a typed one goes through the class's own setter and getter.
PropertyInfo StoredProperty(std::string name, PropertyType type);

template <class T, class S, class G>
PropertyInfo TypedProperty(std::string name, PropertyType type, void (T::*setter)(S),
                           G (T::*getter)() const)
{
    using Plain = std::decay_t<S>;
    return PropertyInfo{
        std::move(name), type,
        [setter](Object& o, const PropertyValue& v) {
            (static_cast<T&>(o).*setter)(std::get<Plain>(v));
        },
        [getter](const Object& o) {
            return PropertyValue{Plain((static_cast<const T&>(o).*getter)())};
        },
        {}};
}

} // namespace fw
