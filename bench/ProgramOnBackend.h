#pragma once

// The real program started in this process as the tests start it: on the
// scripted backend, or on the Qt backend with the offscreen platform. The
// compiled scripts answer as the stand-in does while Quillmere is in front.

#include "framework/Listbox.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Window1;

namespace bench {

constexpr const char* kBackends[] = {"scripted", "qt"};

class ProgramOnBackend {
public:
    // `backend` is one of kBackends; the preferences in `configFolder`
    // name the folder that the window lists first.
    ProgramOnBackend(const std::string& backend, const std::string& configFolder, char* programName);

    // A fresh item for the folder, as when a folder is chosen anew: an item
    // keeps the listing it read.
    void PointAt(const std::string& folder);
    // Fills the list from that folder, then lets the view do what it still
    // owes (its layout, a paint): what the user waits for.
    void Fill();
    // Opens or closes a folder row, the view brought up to date likewise.
    void SetExpanded(std::int32_t row, bool expanded);

    fw::ListboxRef List() const;
    // The top-level rows as ReaddirFloor gives them; only while no folder
    // row is open.
    std::vector<std::string> Rows() const;

private:
    void Settle();

    std::shared_ptr<Window1> window_;
    bool qt_ = false;
};

// Throws when the list's rows are not `expected`: a fill that failed
// quietly would otherwise time as a very fast one.
void CheckRows(const std::vector<std::string>& listed, const std::vector<std::string>& expected,
               const std::string& what);

// Ends a child invocation once its figures are out: tearing a backend down
// is not measured, and a fault there must not cost them.
[[noreturn]] void EndChild();

} // namespace bench
