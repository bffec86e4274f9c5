#pragma once

// Endings asked for from outside: SIGTERM, SIGINT and SIGHUP (a logout, a
// Ctrl+C, a closed terminal) end the program the way its quit entry does.
// The signal handlers only note the request and write one byte to a pipe;
// the event loop watches the pipe's read end and ends the program from there.

namespace fw {

// Installs the handlers and ignores SIGPIPE (standard error may be a closed
// terminal). SIGINT and SIGHUP that the program was started with ignored
// (a background job, nohup) stay ignored. Child processes are started with
// default handling whatever ours is.
void InstallTerminationHandlers();

// The pipe's read end: readable once an ending was asked for; -1 before
// InstallTerminationHandlers. Non-blocking, closed on exec.
int TerminationDescriptor();
// Empties the pipe, so that a loop watching it does not wake again.
void DrainTerminationDescriptor();

// Whether an ending was asked for. Once it was, helpers are not started and
// modal dialogs are not shown: nothing may hold the ending up.
bool TerminationRequested();

// What the signal handlers do, for code that asks for the same ending.
void NoteTerminationRequest();
// Forgets a request: for a test that starts the program afresh.
void ForgetTerminationRequest();

} // namespace fw
