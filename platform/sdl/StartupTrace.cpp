// Start-up timing printed on request: wall-clock stamps of the display opening and the first picture.
#include "platform/sdl/StartupTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace veskar::platform {
namespace {

double secondsSinceEpoch() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count();
}

}  // namespace

StartupTrace::StartupTrace() {
    const char* setting = std::getenv("VESKAR_TRACE_STARTUP");
    active = setting != nullptr && setting[0] != '\0';
}

void StartupTrace::displayOpening() {
    if (active && displayOpenedAt == 0) {
        displayOpenedAt = secondsSinceEpoch();
    }
}

void StartupTrace::framePresented() {
    if (active) {
        lastFrameAt = secondsSinceEpoch();
    }
}

void StartupTrace::waiting() {
    if (!active || lastFrameAt == 0) {
        return;
    }
    active = false;
    std::fprintf(
        stderr, "veskar: startup trace: display opening at %.6f s, first picture at %.6f s (%.1f ms later)\n",
        displayOpenedAt, lastFrameAt, (lastFrameAt - displayOpenedAt) * 1000.0);
}

}  // namespace veskar::platform
