// The Amiga period table of the non-linear frequency mode, computed from the note and finetune.
#include <cmath>

#include "audio/player/Channel.h"

namespace {

// Period of table step k: 13.375 * 2^(k/12), with 1/12 held in single precision as the table was built.
std::int32_t TablePeriod(std::int32_t k) {
    const double exponent = static_cast<double>(k) * static_cast<double>(0.0833333358f);
    return static_cast<std::int32_t>(std::pow(2.0, exponent) * 13.375);
}

}  // namespace

std::int32_t AmigaPeriod(std::uint8_t note, std::int8_t finetune) {
    const std::int32_t p0 = TablePeriod(132 - note);
    if (finetune >= 0 || note == 0) {
        return p0 + ((p0 - TablePeriod(131 - note)) * finetune) / -128;
    }
    return p0 + ((p0 - TablePeriod(133 - note)) * -static_cast<std::int32_t>(finetune)) / -128;
}
