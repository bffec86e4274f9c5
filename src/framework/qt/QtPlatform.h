#pragma once

// The Qt 6 backend: real windows, the event loop, timers and dialogs.

namespace fw {

// Creates the application object and installs the Qt platform. `argc` must
// outlive the application, as Qt requires. The name titles the program's
// message boxes.
void InstallQtPlatform(int& argc, char** argv, const char* applicationName = nullptr);

} // namespace fw
