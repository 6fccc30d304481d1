// The process's platform state and the presentation of a window's frame on the display.
#include "platform/core/PlatformState.h"

#include <algorithm>

#include "platform/core/DialogView.h"

namespace veskar::platform {
namespace {

std::unique_ptr<PlatformState>& instance() {
    static std::unique_ptr<PlatformState> current;
    return current;
}

}  // namespace

PlatformState::PlatformState() : backend(CreateBackend()), screenDC(gdi.addMemoryDC()) {}

PlatformState::~PlatformState() {
    if (displayOpen) {
        backend->closeWindow();
    }
    for (auto& record : windows) {
        gdi.remove(&record->dc);
    }
}

HWND PlatformState::window(HWND handle) const {
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [handle](const auto& record) { return record.get() == handle; });
    return found == windows.end() ? nullptr : found->get();
}

HWND PlatformState::hostWindow(HWND owner) const {
    if (HWND live = window(owner)) {
        return live;
    }
    return windows.empty() ? nullptr : windows.front().get();
}

void PlatformState::present(HWND handle) {
    if (!displayOpen || windows.empty() || windows.front().get() != handle) {
        return;
    }
    if (boxes.empty() && dialogs.empty()) {
        backend->present(handle->frame.pixels.data(), handle->frame.width, handle->frame.height);
        return;
    }
    HBITMAP__ composed = handle->frame;
    for (const auto& dialog : dialogs) {
        drawDialog(composed, *dialog);
    }
    for (const MessageBoxView& box : boxes) {
        drawMessageBox(composed, box);
    }
    backend->present(composed.pixels.data(), composed.width, composed.height);
}

PlatformState& state() {
    auto& current = instance();
    if (!current) {
        current = std::make_unique<PlatformState>();
    }
    return *current;
}

void resetState() {
    auto& current = instance();
    current.reset();
    current = std::make_unique<PlatformState>();
}

void shutdownState() {
    instance().reset();
}

}  // namespace veskar::platform
