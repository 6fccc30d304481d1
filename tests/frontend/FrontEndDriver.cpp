// Driving the real program through its menus.
#include "tests/frontend/FrontEndDriver.h"

#include "shell/Settings.h"

FrontEndDriver::FrontEndDriver() : backend(veskar::platform::TestBackend::reset()) {
    settings.loadDefaults();
    settings.copyKeysToWorking();
}

void FrontEndDriver::keys(std::initializer_list<UINT> virtualKeys) {
    for (const UINT key : virtualKeys) {
        backend.tap(clock, key);
        clock += 50;
    }
}

void FrontEndDriver::then(std::function<void()> check) {
    backend.at(clock, std::move(check));
    clock += 50;
}

int FrontEndDriver::run() {
    backend.requestClose(clock + 100);
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}

MenuScreen* currentMenu() {
    return dynamic_cast<MenuScreen*>(currentScreen.get());
}
