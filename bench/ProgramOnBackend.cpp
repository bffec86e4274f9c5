#include "ProgramOnBackend.h"

#include "PaintWatch.h"

#include "support/RecordingScriptHost.h"
#include "support/TestPlatform.h"

#include "app/Startup.h"
#include "listwindow/Window1.h"

#include "framework/Application.h"
#include "framework/FolderItem.h"
#include "framework/qt/QtPlatform.h"
#include "framework/qt/QtViews.h"

#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace bench {

namespace {

void InstallScripted()
{
    auto& platform = fwtest::TestPlatform::Install();
    platform.Scripts().Answer(168, "");
    platform.Scripts().Answer(169, "Quillmere");
}

void InstallQt(char* programName)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt keeps the references for the application's life.
    static int argc = 1;
    static char* argv[] = {programName, nullptr};
    fw::InstallQtPlatform(argc, argv);
    fw::RuntimeInit();
    auto& scripts = fwtest::RecordingScriptHost::Install();
    scripts.Answer(168, "");
    scripts.Answer(169, "Quillmere");
    fwtest::RecordingAppleEventTransport::Install();
}

} // namespace

ProgramOnBackend::~ProgramOnBackend() = default;

ProgramOnBackend::ProgramOnBackend(const std::string& backend, const std::string& configFolder, char* programName)
{
    if (backend == "qt") {
        InstallQt(programName);
        paints_ = std::make_unique<PaintWatch>();
    } else if (backend == "scripted") {
        InstallScripted();
    } else {
        throw std::runtime_error("no backend called " + backend);
    }
    ::setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    initialize();
    fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    Startup();
    window_ = ::Window1();
    if (!window_ || !window_->LB1()) throw std::runtime_error("the program's window did not start");
    Drain();
}

void ProgramOnBackend::Clear()
{
    List()->DeleteAllRows();
    Drain();
}

void ProgramOnBackend::PointAt(const std::string& folder)
{
    Drain();
    window_->gMyScriptFolder = fw::GetFolderItem(folder);
    if (!window_->gMyScriptFolder) throw std::runtime_error("no folder " + folder);
}

void ProgramOnBackend::Fill()
{
    window_->setLB1();
    Settle();
}

void ProgramOnBackend::SetExpanded(std::int32_t row, bool expanded)
{
    List()->SetExpanded(row, expanded);
    Settle();
}

fw::ListboxRef ProgramOnBackend::List() const
{
    return window_->LB1();
}

std::vector<std::string> ProgramOnBackend::Rows() const
{
    fw::ListboxRef list = List();
    std::vector<std::string> rows;
    for (std::int32_t row = 0; row < list->ListCount(); ++row) {
        std::string children = list->Cell(row, 1);
        rows.push_back(children.empty() ? list->Cell(row, 0) : list->Cell(row, 0) + "<@>" + children);
    }
    return rows;
}

// Until the list has been painted, or the loop has nothing left to deliver
// (a change that the screen does not show).
void ProgramOnBackend::Settle()
{
    if (paints_) shown_ = paints_->DeliverUntilPainted(ListWidget());
}

const QWidget* ProgramOnBackend::ListWidget() const
{
    return fw::qt::WidgetOf(*List());
}

void ProgramOnBackend::Drain()
{
    if (paints_) paints_->DeliverUntil([] { return false; });
}

void ProgramOnBackend::CheckShown(const std::string& what) const
{
    if (!shown_) throw std::runtime_error(what + ": the list was not painted afterwards");
}

void CheckRows(const std::vector<std::string>& listed, const std::vector<std::string>& expected,
               const std::string& what)
{
    if (listed == expected) return;
    std::size_t at = 0;
    while (at < listed.size() && at < expected.size() && listed[at] == expected[at]) ++at;
    auto shown = [at](const std::vector<std::string>& rows) {
        if (at >= rows.size()) return std::string("no row");
        std::string quoted = "\"";
        quoted += rows[at].substr(0, 60);
        return quoted += '"';
    };
    throw std::runtime_error(what + ": " + std::to_string(listed.size()) + " rows instead of " +
                             std::to_string(expected.size()) + "; row " + std::to_string(at) + " is " +
                             shown(listed) + ", expected " + shown(expected));
}

void EndChild()
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

} // namespace bench
