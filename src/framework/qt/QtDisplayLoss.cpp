#include "QtDisplayLoss.h"

#include "framework/Application.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb) && defined(QUILLMERE_WITH_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include <cstdio>
#include <cstdlib>

namespace fw::qt {

namespace {

int loopsRunning = 0;

bool DisplayConnectionBroken()
{
#if QT_CONFIG(xcb) && defined(QUILLMERE_WITH_XCB)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    return connection && xcb_connection_has_error(connection);
#else
    return false;
#endif
}

void EndAsQuitWhenTheDisplayIsLost()
{
    // The program's own ending comes after the loop, with the display or not.
    if (loopsRunning == 0 || !DisplayConnectionBroken()) return;
    const int status = QuitWithoutDisplay();
    std::fflush(nullptr);
    // The rest of exit(), destroying static objects, could talk to the
    // display; and the status is ours to give.
    std::_Exit(status);
}

} // namespace

DisplayLossWatch::DisplayLossWatch()
{
    static const bool registered = std::atexit(EndAsQuitWhenTheDisplayIsLost) == 0;
    (void)registered;
    ++loopsRunning;
}

DisplayLossWatch::~DisplayLossWatch()
{
    --loopsRunning;
}

} // namespace fw::qt
