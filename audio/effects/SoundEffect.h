// A short sound effect held as a WAVE resource of the executable, and the four effects the game and
// the menus play. Used on the window's thread only.
#pragma once

#include "platform/Platform.h"

// Unloaded after construction, loaded after a successful Load, unloaded again after Release or at
// destruction. Playing an unloaded sound does nothing.
class SoundEffect {
  public:
    SoundEffect() = default;
    virtual ~SoundEffect();
    SoundEffect(const SoundEffect&) = delete;
    SoundEffect& operator=(const SoundEffect&) = delete;

    // Releases any earlier load, then loads WAVE resource `resourceNumber` of the program's own
    // module. Returns the resource's data handle, or null (staying unloaded) when it is missing.
    HGLOBAL Load(int resourceNumber);
    // Plays the sound once, asynchronously, cutting off any effect still sounding. Silent while not
    // loaded; a failure to play is ignored.
    void Play();
    // Frees the loaded resource; harmless when not loaded.
    void Release();

    bool loaded = false;             // true while the resource is loaded and must be released
    HRSRC resourceInfo = nullptr;    // result of the resource lookup
    HGLOBAL resourceData = nullptr;  // the loaded resource; its bytes are the RIFF/WAVE image
};

extern SoundEffect SoundMatch;       // 124: a scan found runs; a level display starts
extern SoundEffect SoundLand;        // 125: a falling column is fixed into the well
extern SoundEffect SoundMenuSelect;  // 126: a menu item is activated or changed, or a menu is left
extern SoundEffect SoundMenuMove;    // 127: the menu cursor moved
