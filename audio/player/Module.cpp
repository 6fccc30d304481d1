// The shared empty sample that stands in for every missing sample.
#include "audio/player/Module.h"

Sample& EmptySample() {
    static Sample empty;
    return empty;
}
