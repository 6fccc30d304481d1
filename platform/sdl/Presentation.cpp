// The presentation chosen by the process entry, read when the backend opens its window.
#include "platform/sdl/Presentation.h"

namespace veskar::platform {

namespace {

Presentation chosen;

}  // namespace

void setPresentation(const Presentation& presentation) {
    chosen = presentation;
    if (chosen.scale < 1) {
        chosen.scale = 1;
    }
}

Presentation presentation() {
    return chosen;
}

}  // namespace veskar::platform
