// The four sound effects of the program, alive for the whole process, and their resource handling.
#include "audio/effects/SoundEffect.h"

#include <cstdint>

SoundEffect SoundMatch;
SoundEffect SoundLand;
SoundEffect SoundMenuSelect;
SoundEffect SoundMenuMove;

namespace {

inline constexpr UINT PLAY_FLAGS = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
inline constexpr DWORD RIFF_HEADER_BYTES = 8;  // "RIFF" and the size of what follows

// True when the resource holds at least the length its RIFF header declares, so the one-shot
// sound, which knows the image only by that header, stays within the resource.
bool HoldsWholeImage(HRSRC info, const std::uint8_t* image) {
    const DWORD size = SizeofResource(nullptr, info);
    if (size < RIFF_HEADER_BYTES) {
        return false;
    }
    const DWORD declared = static_cast<DWORD>(image[4]) | (static_cast<DWORD>(image[5]) << 8) |
                           (static_cast<DWORD>(image[6]) << 16) | (static_cast<DWORD>(image[7]) << 24);
    return declared <= size - RIFF_HEADER_BYTES;
}

}  // namespace

SoundEffect::~SoundEffect() {
    Release();
}

HGLOBAL SoundEffect::Load(int resourceNumber) {
    if (loaded) {
        Release();
    }
    resourceInfo = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(resourceNumber)), "WAVE");
    if (resourceInfo == nullptr) {
        return nullptr;
    }
    resourceData = LoadResource(nullptr, resourceInfo);
    if (resourceData != nullptr) {
        loaded = true;
    }
    return resourceData;
}

void SoundEffect::Play() {
    const auto* image = static_cast<const std::uint8_t*>(LockResource(resourceData));
    if (image == nullptr || !HoldsWholeImage(resourceInfo, image)) {
        return;
    }
    (void)sndPlaySoundA(reinterpret_cast<LPCSTR>(image), PLAY_FLAGS);
}

void SoundEffect::Release() {
    if (loaded) {
        FreeResource(resourceData);
        loaded = false;
    }
    // Forgotten too, so that an unloaded sound stays silent even where freed resources can still
    // be locked.
    resourceInfo = nullptr;
    resourceData = nullptr;
}
