// What happens when the display connection breaks under a running program: nothing can be shown or
// typed any more, so the program is told that its session has ended, saves, and the process ends.
#pragma once

namespace veskar::platform {

// Sends the display window WM_ENDSESSION (wParam TRUE), as the desktop does at logout, then ends the
// process with status 1 without running anything that might still reach the display. Called by a
// backend from wherever it learns of the loss; it must not touch the display itself.
[[noreturn]] void endAfterLostDisplay();

}  // namespace veskar::platform
