#pragma once

#include "framework/Application.h"

// The application object: one instance, registered with the framework at
// start-up; it handles none of the application's events.
class App : public fw::Application {
public:
    static const fw::ClassRecord& Lookup();
    virtual void Constructor();
};
