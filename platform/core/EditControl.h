// The window procedure of a dialog's edit fields.
#pragma once

#include "platform/WinUser.h"

namespace veskar::platform {

// Handles WM_SETTEXT, WM_KEYDOWN, WM_CHAR, WM_PASTE, EM_LIMITTEXT, EM_SETSEL and EM_GETSEL for an
// edit field of an open dialog (see WinUser.h); everything else gets the default handling.
LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace veskar::platform
