#pragma once

// Design-time property values handed over as one byte string: entries back to
// back, each the property's name, one space, and the value in the form that
// the property's declared type gives (no type or length is written).
//
//   Int32   4 bytes, big-endian two's complement
//   Boolean 1 byte, 0 or 1
//   Color   3 bytes, one per channel
//   String  4-byte big-endian byte count, then that many bytes of UTF-8
//   Single  4 bytes, Double 8 bytes: IEEE 754, most significant byte first

#include "Runtime.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

// Sets each listed property on the object. Names are found among the
// properties that the object's class and its ancestors declare, without
// regard to letter case. A name that no property matches, or a value cut
// short, raises RuntimeException: without the declared type the rest of the
// string cannot be read.
void SetProperties(Object& target, std::string_view massPropertyString);

// The entries as (declared name, value), read against a class record.
std::vector<std::pair<std::string, PropertyValue>> ReadProperties(const ClassRecord& record,
                                                                  std::string_view massPropertyString);

// Writes a property string entry by entry, in the layout above.
class MassPropertyString {
public:
    MassPropertyString& Int32(std::string_view name, std::int32_t value);
    MassPropertyString& Boolean(std::string_view name, bool value);
    MassPropertyString& ColorValue(std::string_view name, Color value);
    MassPropertyString& Text(std::string_view name, std::string_view value);
    const std::string& Bytes() const { return bytes_; }

private:
    void Name(std::string_view name);
    void BigEndian32(std::uint32_t value);
    std::string bytes_;
};

} // namespace fw
