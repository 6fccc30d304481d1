// Storage of the process-wide mixer voices.
#include "audio/player/Voice.h"

std::array<Voice, VOICE_COUNT>& Voices() {
    static std::array<Voice, VOICE_COUNT> voices;
    return voices;
}
