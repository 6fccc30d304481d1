// Counts derived from the parsed song.
#include "tools/xmcompose/Song.h"

namespace xmcompose {

int Song::patternCount() const {
    int count = 0;
    for (int i = 0; i < MAX_PATTERNS; ++i) {
        if (patterns[i].defined) {
            count = i + 1;
        }
    }
    return count;
}

int Song::instrumentCount() const {
    int count = 0;
    for (int i = 1; i <= MAX_INSTRUMENTS; ++i) {
        if (instruments[i].defined) {
            count = i;
        }
    }
    return count;
}

}  // namespace xmcompose
