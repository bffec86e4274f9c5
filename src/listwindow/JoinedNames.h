#pragma once

// The script list string joins names with "</>", "<@>" and "<>", which all
// begin with "<". While a name is joined, each of its "<" stands as a NUL
// byte, which no file name holds, so that a separator is only ever found
// where the list put it; the name comes back whole when it is taken out of
// the joined text into a row.

#include "framework/Text.h"

#include <algorithm>

inline fw::String JoinableName(fw::String name)
{
    std::replace(name.begin(), name.end(), '<', '\0');
    return name;
}

inline fw::String ListedName(fw::String joined)
{
    std::replace(joined.begin(), joined.end(), '\0', '<');
    return joined;
}
