// The process entry outside Windows: runs the program's WinMain with its own module and the
// default show command, then closes the platform before static objects are destroyed.
#include "platform/WinUser.h"
#include "platform/core/PlatformState.h"

int main() {
    const int status = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    veskar::platform::shutdownState();
    return status;
}
