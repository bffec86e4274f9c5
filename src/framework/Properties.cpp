#include "Properties.h"

#include <cstdint>
#include <cstring>

namespace fw {

namespace {

class BlobReader {
public:
    explicit BlobReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ == bytes_.size(); }

    std::string_view Name()
    {
        std::size_t space = bytes_.find(' ', at_);
        if (space == std::string_view::npos || space == at_)
            throw RuntimeException("property blob: malformed name at byte " + std::to_string(at_));
        std::string_view name = bytes_.substr(at_, space - at_);
        at_ = space + 1;
        return name;
    }

    PropertyValue Value(PropertyType type, std::string_view name)
    {
        switch (type) {
        case PropertyType::Int32: return std::int32_t(BigEndian32(name));
        case PropertyType::Boolean: return Take(1, name)[0] != 0;
        case PropertyType::Color: {
            std::string_view c = Take(3, name);
            return Color{std::uint8_t(c[0]), std::uint8_t(c[1]), std::uint8_t(c[2])};
        }
        case PropertyType::String: {
            std::uint32_t count = BigEndian32(name);
            return std::string(Take(count, name));
        }
        case PropertyType::Single: {
            std::uint32_t bits = BigEndian32(name);
            float f;
            std::memcpy(&f, &bits, sizeof f);
            return f;
        }
        case PropertyType::Double: {
            // One read a statement: within one expression their order is not fixed.
            std::uint64_t high = BigEndian32(name);
            std::uint64_t low = BigEndian32(name);
            std::uint64_t bits = (high << 32) | low;
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
        }
        throw RuntimeException("property blob: unknown type");
    }

private:
    std::string_view Take(std::size_t count, std::string_view name)
    {
        if (bytes_.size() - at_ < count)
            throw RuntimeException("property blob: value of " + std::string(name) + " is cut short");
        std::string_view taken = bytes_.substr(at_, count);
        at_ += count;
        return taken;
    }

    std::uint32_t BigEndian32(std::string_view name)
    {
        std::string_view b = Take(4, name);
        return (std::uint32_t(std::uint8_t(b[0])) << 24) | (std::uint32_t(std::uint8_t(b[1])) << 16) |
               (std::uint32_t(std::uint8_t(b[2])) << 8) | std::uint32_t(std::uint8_t(b[3]));
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

} // namespace

std::vector<std::pair<std::string, PropertyValue>> ReadProperties(const ClassRecord& record,
                                                                  std::string_view massPropertyString)
{
    std::vector<std::pair<std::string, PropertyValue>> entries;
    BlobReader reader(massPropertyString);
    while (!reader.AtEnd()) {
        std::string_view name = reader.Name();
        const PropertyInfo* property = record.FindProperty(name);
        if (!property)
            throw RuntimeException("property blob: " + record.name + " has no property " + std::string(name));
        entries.emplace_back(property->name, reader.Value(property->type, name));
    }
    return entries;
}

void SetProperties(Object& target, std::string_view massPropertyString)
{
    const ClassRecord& record = target.Class();
    // Read everything first: a malformed blob then changes nothing.
    for (auto& [name, value] : ReadProperties(record, massPropertyString))
        record.FindProperty(name)->set(target, value);
}

void MassPropertyString::Name(std::string_view name)
{
    bytes_.append(name);
    bytes_.push_back(' ');
}

void MassPropertyString::BigEndian32(std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(char((value >> shift) & 0xFF));
}

MassPropertyString& MassPropertyString::Int32(std::string_view name, std::int32_t value)
{
    Name(name);
    BigEndian32(std::uint32_t(value));
    return *this;
}

MassPropertyString& MassPropertyString::Boolean(std::string_view name, bool value)
{
    Name(name);
    bytes_.push_back(value ? 1 : 0);
    return *this;
}

MassPropertyString& MassPropertyString::ColorValue(std::string_view name, Color value)
{
    Name(name);
    bytes_.push_back(char(value.red));
    bytes_.push_back(char(value.green));
    bytes_.push_back(char(value.blue));
    return *this;
}

MassPropertyString& MassPropertyString::Text(std::string_view name, std::string_view value)
{
    Name(name);
    BigEndian32(std::uint32_t(value.size()));
    bytes_.append(value);
    return *this;
}

} // namespace fw
