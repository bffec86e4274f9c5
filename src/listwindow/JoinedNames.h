#pragma once

// The script list string joins names with "</>", "<@>" and "<>", which all
// begin with "<". While a name is joined, each of its "<" stands as a NUL
// byte, which no file name holds, so that a separator is only ever found
// where the list put it; the name comes back whole when it is taken out of
// the joined text into a row.

#include "framework/Text.h"

#include <algorithm>
#include <utility>

// Few names hold the byte at all: look for it fast before replacing it.
inline fw::String Replaced(fw::String text, char from, char to)
{
    if (text.find(from) != fw::String::npos) std::replace(text.begin(), text.end(), from, to);
    return text;
}

inline fw::String JoinableName(fw::String name)
{
    return Replaced(std::move(name), '<', '\0');
}

inline fw::String ListedName(fw::String joined)
{
    return Replaced(std::move(joined), '\0', '<');
}
