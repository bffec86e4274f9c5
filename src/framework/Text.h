#pragma once

// The framework's text functions. Texts are UTF-8 std::strings; positions and
// lengths are in bytes, fields are numbered from 1.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

using String = std::string;

// Text equality: letter case is not significant (ASCII letters), as in the
// Finder and in the blob names. Gives 0 for equal texts, else -1 or 1.
int RuntimeStringCompare(std::string_view a, std::string_view b);
bool StringEquals(std::string_view a, std::string_view b);

// A text without the delimiter is one field; the empty text has one (empty)
// field, as has any text for an empty delimiter.
std::int32_t CountFields(std::string_view text, std::string_view delimiter);
// Field n (from 1); "" for a field past the last or n below 1.
String NthField(std::string_view text, std::string_view delimiter, std::int32_t n);
// All fields in one pass: Split(t, d)[i] == NthField(t, d, i + 1).
std::vector<String> Split(std::string_view text, std::string_view delimiter);

// 1-based byte position of `find` in `text` at or after `start` (0 and 1
// both mean the beginning); 0 when absent.
std::int32_t InStr(std::int32_t start, std::string_view text, std::string_view find);
// The first n bytes (all of them when n exceeds the length; "" for n <= 0).
String LeftB(std::string_view text, std::int32_t n);

// Decimal text of a number; an empty format gives the plain form.
String Str(std::int32_t value, std::string_view format = "");
String Str(double value, std::string_view format = "");
// The leading number of a text (after blanks); 0 when there is none.
double Val(std::string_view text);

} // namespace fw
