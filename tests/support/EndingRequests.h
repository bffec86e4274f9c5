#pragma once

// The three ways to ask the program to end while a handler runs: the
// window's close request, the quit entry and a signal.

#include "listwindow/Window1.h"

#include "framework/Application.h"
#include "framework/Termination.h"

#include <functional>

namespace fwtest {

// What the Qt backend does once a signal's byte reaches its loop.
inline void SignalArrives()
{
    fw::NoteTerminationRequest();
    fw::DeliverTerminationRequest();
}

struct EndingRequest {
    const char* name;
    std::function<void()> ask;
};

inline const EndingRequest kEndingRequests[] = {
    {"close request", [] { ::Window1()->ViewCloseRequested(); }},
    {"quit entry", [] { ::Window1()->FileQuit()->Choose(); }},
    {"signal", [] { SignalArrives(); }},
};

} // namespace fwtest
