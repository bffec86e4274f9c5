#include "Termination.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

volatile std::sig_atomic_t requested = 0;
volatile std::sig_atomic_t wakeWrite = -1;
int wakeRead = -1;

const int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Only what is safe in a signal handler: a flag and one write.
void NoteEndingSignal(int)
{
    const int saved = errno;
    requested = 1;
    const char byte = 1;
    // A full pipe already holds a byte that wakes the loop.
    if (wakeWrite >= 0) (void)!::write(wakeWrite, &byte, 1);
    errno = saved;
}

bool OpenWakePipe()
{
    int fds[2];
    if (::pipe(fds) != 0) return false;
    for (int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    wakeRead = fds[0];
    wakeWrite = fds[1];
    return true;
}

} // namespace

void InstallTerminationHandlers()
{
    if (wakeRead < 0 && !OpenWakePipe()) return;

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);

    struct sigaction note {};
    note.sa_handler = NoteEndingSignal;
    sigemptyset(&note.sa_mask);
    for (int signal : kEndingSignals) sigaddset(&note.sa_mask, signal);
    note.sa_flags = SA_RESTART;
    for (int signal : kEndingSignals) {
        struct sigaction was {};
        ::sigaction(signal, nullptr, &was);
        if (signal != SIGTERM && was.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &note, nullptr);
    }
}

int TerminationDescriptor()
{
    return wakeRead;
}

void DrainTerminationDescriptor()
{
    if (wakeRead < 0) return;
    char buffer[64];
    for (;;) {
        ssize_t n = ::read(wakeRead, buffer, sizeof buffer);
        if (n > 0 || (n < 0 && errno == EINTR)) continue;
        return;
    }
}

bool TerminationRequested()
{
    return requested != 0;
}

void NoteTerminationRequest()
{
    NoteEndingSignal(0);
}

void ForgetTerminationRequest()
{
    requested = 0;
    DrainTerminationDescriptor();
}

} // namespace fw
