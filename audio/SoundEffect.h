// A short sound effect held as a WAVE resource of the executable, and the four effects the game and
// the menus play. Used on the window's thread only.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

// A sound starts unloaded; playing an unloaded sound does nothing. Loading the resource and handing
// it to the platform's one-shot sound call are added when the resources exist.
class SoundEffect {
  public:
    SoundEffect() = default;
    virtual ~SoundEffect() = default;
    SoundEffect(const SoundEffect&) = delete;
    SoundEffect& operator=(const SoundEffect&) = delete;

    // Plays the sound once, cutting off any effect still sounding. Silent while not loaded.
    void Play();

    [[nodiscard]] bool isLoaded() const { return loaded; }
    // How many times Play was asked for, loaded or not: lets tests see which events sounded.
    [[nodiscard]] std::uint32_t playRequests() const { return requests; }

  private:
    bool loaded = false;             // true while the resource is loaded and must be released
    HRSRC resourceInfo = nullptr;    // result of the resource lookup
    HGLOBAL resourceData = nullptr;  // the loaded resource; its bytes are the RIFF/WAVE image
    std::uint32_t requests = 0;
};

extern SoundEffect SoundMatch;       // a scan found runs; a level display starts
extern SoundEffect SoundLand;        // a falling column is fixed into the well
extern SoundEffect SoundMenuSelect;  // a menu item is activated or changed, or a menu is left
extern SoundEffect SoundMenuMove;    // the menu cursor moved
