// Notation to module: parse, synthesise one sample per instrument, write.
#include "tools/xmcompose/Compose.h"

#include <memory>

#include "tools/xmcompose/SampleSynth.h"
#include "tools/xmcompose/SongParser.h"
#include "tools/xmcompose/XmWriter.h"

namespace xmcompose {

bool composeModule(std::string_view text, std::vector<std::uint8_t>& module, std::string& error) {
    auto song = std::make_unique<Song>();  // large: 256 patterns and 100 instrument recipes
    SongParser parser;
    if (!parser.parse(text, *song)) {
        error = parser.error();
        return false;
    }
    std::vector<SampleData> samples(static_cast<size_t>(song->instrumentCount()));
    for (int number = 1; number <= song->instrumentCount(); ++number) {
        if (song->instruments[number].defined) {
            samples[number - 1] = synthesiseSample(song->instruments[number]);
        }
    }
    module = writeModule(*song, samples);
    return true;
}

}  // namespace xmcompose
