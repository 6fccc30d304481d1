// The four sound effects of the program, alive for the whole process.
#include "audio/SoundEffect.h"

SoundEffect SoundMatch;
SoundEffect SoundLand;
SoundEffect SoundMenuSelect;
SoundEffect SoundMenuMove;

void SoundEffect::Play() {
    ++requests;
    // Nothing sounds yet: no effect is loaded before the wave resources exist, and an unloaded
    // effect is silent.
}
