// What the platform's thread calls let tests observe.
#pragma once

namespace veskar::platform {

// Threads made by CreateThread whose start routine has not yet returned.
[[nodiscard]] int runningThreadCount();

}  // namespace veskar::platform
