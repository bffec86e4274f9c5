#pragma once

#include <cstdint>
#include <exception>

// The program's spine: process entry, main routine and start-up.
namespace program {

// The process entry: starts the runtime, builds the class records, runs the
// main routine, releases the module-level objects; the exit status.
std::int32_t main();

} // namespace program

void initialize();
void finalize();
void Main();
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// Calls routine(argument); the RuntimeException it raised, or nil.
std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* argument);
