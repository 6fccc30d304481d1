// The beat that the process's periodic waits keep: a wait of one period that falls due at `due` ends
// instead at the multiple of the period nearest to it, on the monotonic clock. A loop that waits a
// period after its work then keeps an exact beat instead of drifting by the work, and loops whose
// periods divide each other (the 10 ms frame timer, the music's 5 ms poll) end their waits at the
// same instants, so that the processor wakes once for them all.
#pragma once

#include <cstdint>

namespace veskar::platform {

[[nodiscard]] constexpr std::uint64_t nearestBeat(std::uint64_t due, std::uint64_t period) {
    return period == 0 ? due : (due + period / 2) / period * period;
}

}  // namespace veskar::platform
