#include "Variant.h"

#include "Numbers.h"

namespace fw {

std::int32_t Variant::Type() const
{
    switch (value_.index()) {
    case 1: return kTypeInt32;
    case 2: return kTypeDouble;
    case 3: return kTypeString;
    case 4: return kTypeBoolean;
    case 5: return std::get<ObjectRef>(value_) ? kTypeObject : kTypeNil;
    default: return kTypeNil;
    }
}

const ObjectRef& Variant::AsObject() const
{
    static const ObjectRef nil;
    if (auto* o = std::get_if<ObjectRef>(&value_)) return *o;
    return nil;
}

std::int32_t VarType(const Variant& v)
{
    return v.Type();
}

std::int32_t VariantToInt32(const Variant& v)
{
    if (auto* i = std::get_if<std::int32_t>(&v.value_)) return *i;
    if (auto* b = std::get_if<bool>(&v.value_)) return *b ? 1 : 0;
    if (auto* d = std::get_if<double>(&v.value_)) return RuntimeCvtReal64ToSInt32(*d);
    if (auto* s = std::get_if<String>(&v.value_)) return RuntimeCvtReal64ToSInt32(Val(*s));
    return 0;
}

String VariantToString(const Variant& v)
{
    if (auto* s = std::get_if<String>(&v.value_)) return *s;
    if (auto* i = std::get_if<std::int32_t>(&v.value_)) return Str(*i);
    if (auto* d = std::get_if<double>(&v.value_)) return Str(*d);
    if (auto* b = std::get_if<bool>(&v.value_)) return *b ? "True" : "False";
    return "";
}

Variant StringToVariant(const String& s)
{
    return Variant::FromString(s);
}

const ClassRecord& VariantArray::Lookup()
{
    static const ClassRecord record = ConcreteClass<VariantArray>("VariantArray", &Object::Lookup());
    return record;
}

const Variant& VariantArray::At(std::int32_t i) const
{
    if (i < 0 || i > Ubound()) throw OutOfBoundsException("array index " + Str(i) + " is out of bounds");
    return items_[std::size_t(i)];
}

void VariantArray::Set(std::int32_t i, Variant v)
{
    if (i < 0 || i > Ubound()) throw OutOfBoundsException("array index " + Str(i) + " is out of bounds");
    items_[std::size_t(i)] = std::move(v);
}

VariantArrayRef CreateArray(std::int32_t dimensions, std::int32_t elementType, std::int32_t upperBound)
{
    if (dimensions != 1) throw RuntimeException("only one-dimensional arrays are supported");
    if (elementType != kElementVariant) throw RuntimeException("only arrays of Variant are supported");
    if (upperBound < -1) throw OutOfBoundsException("upper bound " + Str(upperBound) + " is below -1");
    auto array = New<VariantArray>();
    array->items_.resize(std::size_t(upperBound + 1));
    return array;
}

} // namespace fw
