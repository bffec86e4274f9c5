#include "Text.h"

#include <cstdio>
#include <cstdlib>

namespace fw {

namespace {

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

int RuntimeStringCompare(std::string_view a, std::string_view b)
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(Fold(a[i]));
        auto y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool StringEquals(std::string_view a, std::string_view b)
{
    return RuntimeStringCompare(a, b) == 0;
}

std::int32_t CountFields(std::string_view text, std::string_view delimiter)
{
    if (delimiter.empty()) return 1;
    std::int32_t count = 1;
    for (std::size_t at = text.find(delimiter); at != std::string_view::npos;
         at = text.find(delimiter, at + delimiter.size()))
        ++count;
    return count;
}

String NthField(std::string_view text, std::string_view delimiter, std::int32_t n)
{
    if (n < 1) return "";
    if (delimiter.empty()) return n == 1 ? String(text) : "";
    std::size_t begin = 0;
    for (std::int32_t i = 1; i < n; ++i) {
        std::size_t at = text.find(delimiter, begin);
        if (at == std::string_view::npos) return "";
        begin = at + delimiter.size();
    }
    std::size_t end = text.find(delimiter, begin);
    return String(text.substr(begin, end == std::string_view::npos ? text.npos : end - begin));
}

std::vector<String> Split(std::string_view text, std::string_view delimiter)
{
    std::vector<String> fields;
    if (delimiter.empty()) {
        fields.emplace_back(text);
        return fields;
    }
    std::size_t begin = 0;
    for (;;) {
        std::size_t at = text.find(delimiter, begin);
        if (at == std::string_view::npos) {
            fields.emplace_back(text.substr(begin));
            return fields;
        }
        fields.emplace_back(text.substr(begin, at - begin));
        begin = at + delimiter.size();
    }
}

std::int32_t InStr(std::int32_t start, std::string_view text, std::string_view find)
{
    std::size_t from = start > 1 ? std::size_t(start - 1) : 0;
    if (from > text.size()) return 0;
    std::size_t at = text.find(find, from);
    return at == std::string_view::npos ? 0 : std::int32_t(at + 1);
}

String LeftB(std::string_view text, std::int32_t n)
{
    if (n <= 0) return "";
    return String(text.substr(0, std::size_t(n)));
}

String Str(std::int32_t value, std::string_view)
{
    return std::to_string(value);
}

String Str(double value, std::string_view)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

double Val(std::string_view text)
{
    // strtod wants a terminated string and would read hex and "inf"; take the
    // plain decimal prefix only.
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            i = e;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        }
    }
    std::string number(text.substr(begin, i - begin));
    return std::strtod(number.c_str(), nullptr);
}

} // namespace fw
