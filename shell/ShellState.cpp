// Storage of the shell's process-wide state.
#include "shell/ShellState.h"

HINSTANCE hInstance = nullptr;
char windowCaption[TEXT_CAPACITY] = {};
char windowClassName[TEXT_CAPACITY] = {};
std::unique_ptr<Screen> currentScreen;
UINT_PTR frameTimerActive = 0;
