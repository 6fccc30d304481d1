// The game window's procedure: the start-up sequence on WM_CREATE, the forwarding of paint, key
// and timer messages to the current screen, and the shutdown sequence on WM_DESTROY.
#pragma once

#include "platform/Platform.h"

// Called by the platform on the message-loop thread; every message the shell does not handle
// goes to the default handling.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
