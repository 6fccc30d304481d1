// The game's audio device: SDL2's default output device pulling 16-bit stereo frames from the core.
// Once opened, SDL's device stays open for the rest of the process: closing only pauses it and
// cuts it loose from the core, and a later open at the same rate resumes it. Effects that sound
// after the music stopped then start at once, and the output stream stays one stream (SDL's disk
// driver, for one, would start its file afresh on every open).
#include <SDL2/SDL.h>
#include <dlfcn.h>

#include "platform/audio/AudioDevice.h"

namespace veskar::platform {
namespace {

// Frames per callback: about 46 ms at 44100 Hz, SDL's own choice for that rate. The music is mixed
// two seconds ahead, so the size only bounds how late an effect starts; half of it would wake the
// device's thread twice as often, which is most of what the idle game costs besides its timers.
inline constexpr Uint16 DEVICE_FRAMES = 2048;

void ignoreAlsaReport(const char*, int, const char*, int, const char*, ...) {}

// On a machine without a sound card, SDL's probe of ALSA makes the ALSA library print a page of
// errors on stderr; the game is simply silent then, so those reports are muted. SDL loads the same
// library, which stays loaded so the handler stays in place. Nothing happens where it is missing.
void muteAlsaReports() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return;
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&ignoreAlsaReport);
    }
}

// SDL's device, shared by every AudioDevice of the process. Constructed before main, so it is
// destroyed after anything that still uses a device at exit.
class SdlOutput {
  public:
    ~SdlOutput() { shutDown(); }

    bool connect(int rate, AudioDevice::Pull pullFunction) {
        if (device != 0 && deviceRate != rate) {
            shutDown();
        }
        if (device == 0 && !start(rate)) {
            return false;
        }
        SDL_LockAudioDevice(device);  // the callback is not running while the source changes
        pull = std::move(pullFunction);
        SDL_UnlockAudioDevice(device);
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    void disconnect() {
        if (device == 0) {
            return;
        }
        SDL_LockAudioDevice(device);
        pull = nullptr;
        SDL_UnlockAudioDevice(device);
        SDL_PauseAudioDevice(device, 1);
    }

  private:
    bool start(int rate) {
        muteAlsaReports();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = DEVICE_FRAMES;
        wanted.callback = &SdlOutput::callback;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the hardware wants.
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        deviceRate = rate;
        return true;
    }

    void shutDown() {
        if (device == 0) {
            return;
        }
        SDL_CloseAudioDevice(device);  // waits for a running callback
        device = 0;
        deviceRate = 0;
        pull = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static void callback(void* userdata, Uint8* stream, int length) {
        auto* self = static_cast<SdlOutput*>(userdata);
        if (self->pull) {
            self->pull(reinterpret_cast<std::int16_t*>(stream), length / 4, nullptr, nullptr);
        } else {
            SDL_memset(stream, 0, static_cast<std::size_t>(length));
        }
    }

    SDL_AudioDeviceID device = 0;
    int deviceRate = 0;
    AudioDevice::Pull pull;
};

SdlOutput sdlOutput;

class SdlAudioDevice final : public AudioDevice {
  public:
    ~SdlAudioDevice() override { close(); }

    bool open(int rate, Pull pullFunction) override {
        close();
        connected = sdlOutput.connect(rate, std::move(pullFunction));
        return connected;
    }

    void close() override {
        if (connected) {
            sdlOutput.disconnect();
            connected = false;
        }
    }

  private:
    bool connected = false;
};

}  // namespace

std::unique_ptr<AudioDevice> CreateAudioDevice() {
    return std::make_unique<SdlAudioDevice>();
}

}  // namespace veskar::platform
