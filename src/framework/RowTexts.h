#pragma once

// The texts of one list row's columns, kept in a single block: a list may
// hold a hundred thousand rows, most of them with one short text, and a
// string object per column would cost more than the texts themselves.

#include "Text.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace fw {

class RowTexts {
public:
    RowTexts() = default;
    explicit RowTexts(const std::vector<String>& texts);

    // "" for a column never written. Valid until the next Set.
    std::string_view Get(std::size_t column) const;
    void Set(std::size_t column, std::string_view text);

private:
    void Pack(const std::vector<std::string_view>& texts);
    std::vector<std::string_view> Unpack() const;

    // The column count, then each column's length and bytes; counts and
    // lengths take 7 bits a byte, the high bit saying that more follow.
    // Nil while no column holds text.
    std::unique_ptr<char[]> block_;
};

} // namespace fw
