// The four designs. Levels sit below the music's peaks (about -4 dBFS) so that an effect on top of
// it keeps some headroom: peaks between -10.5 and -7 dBFS. Every sound starts and ends in silence.
#include "tools/sfxgen/SoundDesigns.h"

namespace sfxgen {
namespace {

// A bright chime for a match: the notes of an E major chord struck upwards, E6 G#6 B6 E7, 60 ms
// apart, each with two quieter, faster-fading harmonics kept below the 5.5 kHz band edge.
Signal matchChime() {
    Signal signal = silence(11025, 9414);
    struct Note {
        double start;      // seconds
        double frequency;  // Hz
        double level;
    };
    constexpr Note NOTES[] = {
        {0.00, 1318.51, 1.0}, {0.06, 1661.22, 0.85}, {0.12, 1975.53, 0.8}, {0.18, 2637.02, 0.7}};
    constexpr double BAND_EDGE = 4800.0;
    for (const Note& note : NOTES) {
        addTone(signal, note.start, note.frequency, note.level, 0.28, 0.002);
        if (2 * note.frequency < BAND_EDGE) {
            addTone(signal, note.start, 2 * note.frequency, 0.25 * note.level, 0.09, 0.002);
        }
        if (3 * note.frequency < BAND_EDGE) {
            addTone(signal, note.start, 3 * note.frequency, 0.08 * note.level, 0.05, 0.002);
        }
    }
    finish(signal, 0.002, 0.06, 0.40);
    return signal;
}

// A short soft thud for a landing: a low tone that drops from 190 to 75 Hz as it dies away, its
// octave for body on small speakers, and a puff of dull noise for the contact.
Signal landThud() {
    Signal signal = silence(11025, 1345);
    addGlidingTone(signal, 190.0, 75.0, 0.02, 1.0, 0.035, 0.004);
    addGlidingTone(signal, 380.0, 150.0, 0.02, 0.3, 0.025, 0.004);
    addSoftNoise(signal, 900.0, 0.35, 0.008, 0x5EED);
    finish(signal, 0.004, 0.02, 0.45);
    return signal;
}

// The menu's "select": a bright two-partial blip with a second, higher blip 12 ms later.
Signal menuSelectClick() {
    Signal signal = silence(22050, 946);
    addTone(signal, 0.0, 1567.98, 1.0, 0.012, 0.0015);
    addTone(signal, 0.0, 2349.32, 0.5, 0.008, 0.0015);
    addTone(signal, 0.012, 3135.96, 0.45, 0.008, 0.0015);
    finish(signal, 0.0015, 0.006, 0.35);
    return signal;
}

// The menu's "move": a softer, lower and shorter tick, heard often while browsing.
Signal menuMoveClick() {
    Signal signal = silence(22050, 946);
    addTone(signal, 0.0, 1046.5, 1.0, 0.007, 0.0015);
    addTone(signal, 0.0, 3139.5, 0.12, 0.004, 0.0015);
    finish(signal, 0.0015, 0.006, 0.30);
    return signal;
}

}  // namespace

const std::array<SoundFile, 4>& soundFiles() {
    // Sizes: RIFF header 12, "fmt " 8 + 16, "data" 8 + samples (+ pad to even); with the extras
    // also LIST 8 + 24 and fact 8 + 4.
    static const std::array<SoundFile, 4> FILES = {{
        {124, "match.wav", 11025, 9414, WaveExtras::None, 9458, matchChime},
        {125, "land.wav", 11025, 1345, WaveExtras::None, 1390, landThud},
        {126, "menu_select.wav", 22050, 946, WaveExtras::InfoAndFact, 1034, menuSelectClick},
        {127, "menu_move.wav", 22050, 946, WaveExtras::InfoAndFact, 1034, menuMoveClick},
    }};
    return FILES;
}

std::vector<std::uint8_t> makeSoundFile(const SoundFile& file) {
    const Signal signal = file.design();
    if (signal.rate != file.rate || signal.samples.size() != file.samples) {
        return {};
    }
    std::vector<std::uint8_t> bytes = encodeWave(toUnsigned8(signal), file.rate, file.extras);
    if (bytes.size() != file.fileBytes) {
        return {};
    }
    return bytes;
}

}  // namespace sfxgen
