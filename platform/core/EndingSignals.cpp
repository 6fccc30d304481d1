// The signal handlers and the pipe through which they wake a waiting backend.
#include "platform/core/EndingSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace veskar::platform {

namespace {

std::atomic<bool> signalled{false};
int wakeRead = -1;
int wakeWrite = -1;

extern "C" void noteEndingSignal(int) {
    const int savedErrno = errno;
    signalled.store(true);
    const char byte = 1;
    (void)!::write(wakeWrite, &byte, 1);  // a full pipe already wakes the reader
    errno = savedErrno;
}

}  // namespace

void catchEndingSignals() {
    if (wakeRead < 0) {
        int ends[2];
        if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) {
            return;  // without the pipe the signals keep their default action: better than a hang
        }
        wakeRead = ends[0];
        wakeWrite = ends[1];
    }
    struct sigaction action {};
    action.sa_handler = noteEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a wait in progress returns and looks again
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

bool takeEndingSignal() {
    if (!signalled.exchange(false)) {
        return false;
    }
    char drained[64];
    while (::read(wakeRead, drained, sizeof drained) > 0) {
    }
    return true;
}

int endingSignalDescriptor() {
    return wakeRead;
}

}  // namespace veskar::platform
