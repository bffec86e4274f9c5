#pragma once

// What listing a folder costs with nothing else in it: plain readdir, no
// framework. It does what a fill of the list must do, and only that.

#include <string>
#include <vector>

namespace bench {

// One text per row that a fill lists, in the list's order: a file's name,
// or a folder's name, "<@>" and its children's names joined by "<>".
// Left out: "." names, names in the folder's `.hidden` file, folders with
// nothing to list. Names sort ignoring ASCII case, ties by their bytes.
std::vector<std::string> ReaddirFloor(const std::string& folder);

} // namespace bench
