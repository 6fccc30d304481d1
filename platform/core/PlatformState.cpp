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
    WindowFrame& frame = handle->frame;
    if (boxes.empty() && dialogs.empty()) {
        if (frame.hasChanges()) {  // otherwise the display shows this frame already
            const FrameView picture = frame.view();
            backend->present(picture, frame.takeChanges());
        }
        return;
    }
    HBITMAP__ composed(frame.width(), frame.height());
    for (int y = 0; y < frame.height(); ++y) {
        std::copy_n(frame.row(y), frame.width(), composed.row(y));
    }
    for (const auto& dialog : dialogs) {
        drawDialog(composed, *dialog);
    }
    for (const MessageBoxView& box : boxes) {
        drawMessageBox(composed, box);
    }
    frame.markAllChanged();  // the display shows the boxes until the frame is presented whole again
    const RECT whole{0, 0, composed.width, composed.height};
    backend->present(FrameView{composed.pixels.data(), composed.width, composed.height,
                               static_cast<std::size_t>(composed.width)},
                     std::span<const RECT>(&whole, 1));
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
