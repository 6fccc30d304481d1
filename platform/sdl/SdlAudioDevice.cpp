// The game's audio device: SDL2's default output device pulling 16-bit stereo frames from the core.
#include <SDL2/SDL.h>
#include <dlfcn.h>

#include "platform/audio/AudioDevice.h"

namespace veskar::platform {
namespace {

inline constexpr Uint16 DEVICE_FRAMES = 1024;  // frames per callback: about 23 ms at 44100 Hz

void IgnoreAlsaReport(const char*, int, const char*, int, const char*, ...) {}

// On a machine without a sound card, SDL's probe of ALSA makes the ALSA library print a page of
// errors on stderr; the game is simply silent then, so those reports are muted. SDL loads the same
// library, which stays loaded so the handler stays in place. Nothing happens where it is missing.
void MuteAlsaReports() {
    static bool done = false;
    if (done)
        return;
    done = true;
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"));
    if (setHandler != nullptr)
        setHandler(&IgnoreAlsaReport);
}

class SdlAudioDevice final : public AudioDevice {
  public:
    ~SdlAudioDevice() override { close(); }

    bool open(int rate, Pull pullFunction) override {
        close();
        MuteAlsaReports();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        pull = std::move(pullFunction);
        SDL_AudioSpec wanted{};
        wanted.freq = rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = DEVICE_FRAMES;
        wanted.callback = &SdlAudioDevice::Callback;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the hardware wants.
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            pull = nullptr;
            return false;
        }
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    void close() override {
        if (device == 0)
            return;
        SDL_CloseAudioDevice(device);  // waits for a running callback
        device = 0;
        pull = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

  private:
    static void Callback(void* userdata, Uint8* stream, int length) {
        auto* self = static_cast<SdlAudioDevice*>(userdata);
        self->pull(reinterpret_cast<std::int16_t*>(stream), length / 4);
    }

    SDL_AudioDeviceID device = 0;
    Pull pull;
};

}  // namespace

std::unique_ptr<AudioDevice> CreateAudioDevice() {
    return std::make_unique<SdlAudioDevice>();
}

}  // namespace veskar::platform
