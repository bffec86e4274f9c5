#pragma once

// The real program started in this process as the tests start it: on the
// scripted backend, or on the Qt backend with the offscreen platform. The
// compiled scripts answer as the stand-in does while Quillmere is in front.

#include "framework/Listbox.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class Window1;

namespace bench {

class PaintWatch;

constexpr const char* kBackends[] = {"scripted", "qt"};

class ProgramOnBackend {
public:
    // `backend` is one of kBackends; the preferences in `configFolder`
    // name the folder that the window lists first.
    ProgramOnBackend(const std::string& backend, const std::string& configFolder, char* programName);
    ~ProgramOnBackend();

    // Empties the list, as it is when the window opens.
    void Clear();
    // A fresh item for the folder, as when a folder is chosen anew: an item
    // keeps the listing it read.
    void PointAt(const std::string& folder);
    // Fills the list from that folder, then lets the view do what it still
    // owes until the list is painted: what the user waits for.
    void Fill();
    // Opens or closes a folder row, the view brought up to date likewise.
    void SetExpanded(std::int32_t row, bool expanded);
    // Lets the view finish what a change left it, outside any timing.
    void Drain();
    // Throws when the last change did not reach the screen: a view that
    // skipped its work would otherwise time as a very fast one.
    void CheckShown(const std::string& what) const;

    fw::ListboxRef List() const;
    // The list's widget on the Qt backend.
    const QWidget* ListWidget() const;
    // What the Qt backend's event loop delivers and paints; nil on the
    // scripted backend.
    PaintWatch* Paints() const { return paints_.get(); }
    // The top-level rows as ReaddirFloor gives them; only while no folder
    // row is open.
    std::vector<std::string> Rows() const;

private:
    void Settle();

    std::shared_ptr<Window1> window_;
    std::unique_ptr<PaintWatch> paints_;  // on the Qt backend only
    bool shown_ = true;
};

// Throws when the list's rows are not `expected`: a fill that failed
// quietly would otherwise time as a very fast one.
void CheckRows(const std::vector<std::string>& listed, const std::vector<std::string>& expected,
               const std::string& what);

// Ends a child invocation once its figures are out: tearing a backend down
// is not measured, and a fault there must not cost them.
[[noreturn]] void EndChild();

} // namespace bench
