// Reads the song notation (settings, instrument recipes, patterns) into a Song.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/xmcompose/Song.h"

namespace xmcompose {

// The notation is line based; ';' starts a comment. Three kinds of section:
//   song                      name "..", channels N, speed N, bpm N, restart N, order N N ..
//   instrument N "name"       sample recipe and playback fields (see veskar.song for each key)
//   pattern N rows R          rows "RR | cell | cell ..", one cell per channel; rows not listed
//                             stay empty
class SongParser {
  public:
    // Parses the whole text into `song`. On failure returns false; error() then names the line.
    [[nodiscard]] bool parse(std::string_view text, Song& song);
    [[nodiscard]] const std::string& error() const { return errorText; }

  private:
    enum class Section { None, Song, Instrument, Pattern };

    bool parseLine(std::string_view line);
    bool parseSectionHead(const std::vector<std::string>& words);
    bool parseSongKey(const std::vector<std::string>& words);
    bool parseInstrumentKey(const std::vector<std::string>& words);
    bool parseSampleKey(const std::vector<std::string>& words, InstrumentDesign& design, bool& known);
    bool parseEnvelopeKey(const std::vector<std::string>& words, InstrumentDesign& design, bool& known);
    bool parseSource(const std::vector<std::string>& words, InstrumentDesign& design, bool& known);
    bool parseRow(std::string_view line);
    bool fail(const std::string& message);

    Song* song = nullptr;
    Section section = Section::None;
    int current = 0;  // number of the instrument or pattern being read
    int lineNumber = 0;
    std::string errorText;
};

}  // namespace xmcompose
