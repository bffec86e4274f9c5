// Process entry: the program runs on the Qt backend, and a signal that asks
// it to end ends it as its quit entry does.

#include "app/Startup.h"
#include "framework/Termination.h"
#include "framework/qt/QtPlatform.h"

int main(int argc, char** argv)
{
    fw::InstallTerminationHandlers();
    fw::InstallQtPlatform(argc, argv, "Quillmere");
    return program::main();
}
