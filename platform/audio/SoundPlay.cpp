// The one-shot sound: a RIFF/WAVE image in memory, decoded and handed to the audio output.
#include "platform/Platform.h"
#include "platform/audio/EffectMixer.h"
#include "platform/audio/WaveImage.h"

namespace {

inline constexpr UINT SUPPORTED_FLAGS = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP;

}  // namespace

BOOL sndPlaySoundA(LPCSTR sound, UINT flags) {
    using veskar::platform::effectMixer;
    if (sound == nullptr) {
        effectMixer().stopEffect();
        return TRUE;
    }
    // Synchronous play, looping and sounds named by file or alias are not offered.
    if ((flags & ~SUPPORTED_FLAGS) != 0 || (flags & SND_ASYNC) == 0 || (flags & SND_MEMORY) == 0) {
        return FALSE;
    }
    // The image's only length is the one its RIFF header declares.
    const auto* image = reinterpret_cast<const std::uint8_t*>(sound);
    const std::uint64_t length = veskar::platform::declaredWaveLength(image);
    veskar::platform::WaveSound decoded;
    if (length == 0 ||
        !veskar::platform::decodeWaveImage({image, static_cast<std::size_t>(length)}, decoded)) {
        return FALSE;
    }
    return effectMixer().playEffect(std::move(decoded), (flags & SND_NOSTOP) != 0) ? TRUE : FALSE;
}
