// Driving the real program through its menus.
#include "tests/screens/menus/FrontEndDriver.h"

#include <algorithm>

#include "audio/effects/SoundEffect.h"
#include "platform/testing/TestAudio.h"
#include "settings/Settings.h"

namespace audio = veskar::platform::testing;

namespace {

inline constexpr int HEARD_FRAMES = 600;   // about 14 ms at 44100 Hz: the start of a menu sound
inline constexpr int SETTLE_FRAMES = 256;  // longer than the fade of a sound cut off

// Stops the effect sounding and lets its short fade pass unheard, so the next one starts alone.
void silence() {
    (void)sndPlaySoundA(nullptr, 0);
    audio::advanceAudio(SETTLE_FRAMES, false);
}

// The effects played over the next frames.
std::vector<std::int16_t> playOn() {
    audio::clearRecordedAudio();
    audio::advanceAudio(HEARD_FRAMES);
    return audio::recordedEffects();
}

}  // namespace

FrontEndDriver::FrontEndDriver() {
    restart();
    settings.loadDefaults();
    settings.copyKeysToWorking();
}

void FrontEndDriver::restart() {
    veskar::platform::TestBackend::reset();
    audio::setAudioDeviceAvailable(true);
    clock = 100;
    heard.clear();
    backend().at(50, [this] { learnMenuSounds(); });
}

veskar::platform::TestBackend& FrontEndDriver::backend() const {
    return veskar::platform::TestBackend::current();
}

void FrontEndDriver::learnMenuSounds() {
    SoundMenuSelect.Play();
    selectSound = playOn();
    silence();
    SoundMenuMove.Play();
    moveSound = playOn();
    silence();
}

void FrontEndDriver::keys(std::initializer_list<UINT> virtualKeys) {
    for (const UINT key : virtualKeys) {
        backend().tap(clock, key);
        backend().at(clock + 10, [this] { listen(); });
        clock += 50;
    }
}

void FrontEndDriver::listen() {
    const std::vector<std::int16_t> sound = playOn();
    if (std::all_of(sound.begin(), sound.end(), [](std::int16_t value) { return value == 0; })) {
        heard.emplace_back();
    } else {
        heard.emplace_back(sound == selectSound ? "select" : sound == moveSound ? "move" : "other");
    }
    silence();  // the rest of it is not needed
}

void FrontEndDriver::then(std::function<void()> check) {
    backend().at(clock, std::move(check));
    clock += 50;
}

int FrontEndDriver::run() {
    backend().requestClose(clock + 100);
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}

MenuScreen* currentMenu() {
    return dynamic_cast<MenuScreen*>(currentScreen.get());
}
