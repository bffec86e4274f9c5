// Process entry: the program runs on the Qt backend.

#include "app/Startup.h"
#include "framework/qt/QtPlatform.h"

int main(int argc, char** argv)
{
    fw::InstallQtPlatform(argc, argv, "Quillmere");
    return program::main();
}
