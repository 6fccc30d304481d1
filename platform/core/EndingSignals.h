// The signals that ask a desktop program to end (SIGTERM at logout or from kill, SIGINT from a
// terminal's Ctrl+C, SIGHUP when the terminal closes) turned into a close request of the game
// window, so that the program ends in its own shutdown order, with its settings saved.
#pragma once

namespace veskar::platform {

// Catches the three signals from now on (the launcher calls it once, before the game starts). The
// handlers only note the signal and wake a waiting backend; the backends turn it into a close
// request the next time they look for input.
void catchEndingSignals();

// True once for every arrival of one of the signals (several before a look count as one).
[[nodiscard]] bool takeEndingSignal();

// A descriptor that turns readable when a signal arrives, for backends to wait on beside their own;
// -1 before catchEndingSignals.
[[nodiscard]] int endingSignalDescriptor();

}  // namespace veskar::platform
