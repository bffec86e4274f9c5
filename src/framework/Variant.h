#pragma once

// Boxed values and the one-dimensional arrays that carry script arguments.

#include "Runtime.h"
#include "Text.h"

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace fw {

// VarType codes of the framework.
enum VarTypeCode : std::int32_t {
    kTypeNil = 0,
    kTypeInt32 = 2,
    kTypeDouble = 5,
    kTypeString = 8,
    kTypeObject = 9,
    kTypeBoolean = 11,
};

// Element-type codes for CreateArray.
enum ArrayElementType : std::int32_t { kElementVariant = 4 };

class Variant {
public:
    Variant() = default;
    static Variant FromInt32(std::int32_t v) { return Variant(Value(v)); }
    static Variant FromDouble(double v) { return Variant(Value(v)); }
    static Variant FromString(String v) { return Variant(Value(std::move(v))); }
    static Variant FromBoolean(bool v) { return Variant(Value(v)); }
    static Variant FromObject(ObjectRef v) { return Variant(Value(std::move(v))); }

    std::int32_t Type() const;
    const ObjectRef& AsObject() const;

private:
    using Value = std::variant<std::monostate, std::int32_t, double, String, bool, ObjectRef>;
    explicit Variant(Value v) : value_(std::move(v)) {}
    Value value_;
    friend std::int32_t VariantToInt32(const Variant&);
    friend String VariantToString(const Variant&);
};

std::int32_t VarType(const Variant& v);
std::int32_t VariantToInt32(const Variant& v);
String VariantToString(const Variant& v);  // Booleans read "True"/"False"
Variant StringToVariant(const String& s);

// A one-dimensional, zero-based array; Ubound is -1 when it is empty.
class VariantArray : public Object {
public:
    static const ClassRecord& Lookup();
    std::int32_t Ubound() const { return std::int32_t(items_.size()) - 1; }
    const Variant& At(std::int32_t i) const;
    void Set(std::int32_t i, Variant v);
    void Append(Variant v) { items_.push_back(std::move(v)); }

private:
    friend std::shared_ptr<VariantArray> CreateArray(std::int32_t, std::int32_t, std::int32_t);
    std::vector<Variant> items_;
};

using VariantArrayRef = std::shared_ptr<VariantArray>;

// One dimension only; elements start as nil Variants.
VariantArrayRef CreateArray(std::int32_t dimensions, std::int32_t elementType,
                            std::int32_t upperBound);

} // namespace fw
