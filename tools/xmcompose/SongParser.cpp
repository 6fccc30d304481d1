// Line-by-line reading of the song notation, with a line number in every error.
#include "tools/xmcompose/SongParser.h"

#include <charconv>
#include <cstdlib>

#include "tools/xmcompose/CellNotation.h"
#include "tools/xmcompose/SongCheck.h"

namespace xmcompose {
namespace {

// Splits on blanks; a double-quoted text is one word without its quotes.
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> result;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        const char end = line[i] == '"' ? '"' : ' ';
        if (end == '"') {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && line[i] != end && !(end == ' ' && (line[i] == '\t' || line[i] == '\r'))) {
            ++i;
        }
        result.emplace_back(line.substr(start, i - start));
        if (end == '"' && i < line.size()) {
            ++i;
        }
    }
    return result;
}

bool toInt(const std::string& word, int low, int high, int& value) {
    int parsed = 0;
    const char* last = word.data() + word.size();
    const auto [end, status] = std::from_chars(word.data(), last, parsed);
    if (status != std::errc() || end != last || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool toDouble(const std::string& word, double& value) {
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    const double parsed = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size()) {
        return false;
    }
    value = parsed;
    return true;
}

bool toEnvelope(const std::vector<std::string>& list, Envelope& envelope) {
    if (list.size() < 2 || list.size() > MAX_ENVELOPE_POINTS + 1) {
        return false;
    }
    envelope.points.clear();
    for (size_t i = 1; i < list.size(); ++i) {
        const size_t colon = list[i].find(':');
        int tick = 0;
        int value = 0;
        if (colon == std::string::npos || !toInt(list[i].substr(0, colon), 0, 65535, tick) ||
            !toInt(list[i].substr(colon + 1), 0, 64, value)) {
            return false;
        }
        envelope.points.push_back({static_cast<std::uint16_t>(tick), static_cast<std::uint16_t>(value)});
    }
    return true;
}

bool setSourceField(Source& source, const std::string& key, const std::string& word) {
    double value = 0.0;
    if (!toDouble(word, value)) {
        return false;
    }
    if (key == "seed") {
        int seed = 0;
        if (!toInt(word, 1, 2147483647, seed)) {
            return false;
        }
        source.seed = static_cast<std::uint32_t>(seed);
        return true;
    }
    double* field = key == "ratio"        ? &source.ratio
                    : key == "mod"        ? &source.modulator
                    : key == "amp"        ? &source.amplitude
                    : key == "decay"      ? &source.decay
                    : key == "index"      ? &source.index
                    : key == "indexdecay" ? &source.indexDecay
                    : key == "lowpass"    ? &source.lowpass
                    : key == "highpass"   ? &source.highpass
                    : key == "drop"       ? &source.drop
                                          : nullptr;
    if (field == nullptr || value < 0.0) {
        return false;
    }
    *field = value;
    return true;
}

}  // namespace

bool SongParser::parse(std::string_view text, Song& target) {
    song = &target;
    section = Section::None;
    lineNumber = 0;
    errorText.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        ++lineNumber;
        std::string_view line = text.substr(start, end - start);
        line = line.substr(0, line.find(';'));
        if (!parseLine(line)) {
            return false;
        }
        start = end + 1;
    }
    lineNumber = 0;
    return checkSong(target, errorText);
}

bool SongParser::fail(const std::string& message) {
    errorText = lineNumber > 0 ? "line " + std::to_string(lineNumber) + ": " + message : message;
    return false;
}

bool SongParser::parseLine(std::string_view line) {
    if (line.find('|') != std::string_view::npos) {
        return parseRow(line);
    }
    const std::vector<std::string> list = words(line);
    if (list.empty()) {
        return true;
    }
    if (list[0] == "song" || list[0] == "instrument" || list[0] == "pattern") {
        return parseSectionHead(list);
    }
    switch (section) {
        case Section::Song:
            return parseSongKey(list);
        case Section::Instrument:
            return parseInstrumentKey(list);
        case Section::Pattern:
            return fail("pattern lines are rows: \"RR | cell | cell ...\"");
        case Section::None:
            break;
    }
    return fail("text before the first section: " + list[0]);
}

bool SongParser::parseSectionHead(const std::vector<std::string>& list) {
    if (list[0] == "song") {
        if (list.size() != 1) {
            return fail("\"song\" takes no value");
        }
        section = Section::Song;
        return true;
    }
    if (list[0] == "instrument") {
        if (list.size() != 3 || !toInt(list[1], 1, MAX_INSTRUMENTS, current)) {
            return fail("expected: instrument N \"name\" with N in 1..99");
        }
        InstrumentDesign& design = song->instruments[current];
        if (design.defined) {
            return fail("instrument " + list[1] + " is defined twice");
        }
        design.defined = true;
        design.name = list[2];
        section = Section::Instrument;
        return true;
    }
    int rows = 0;
    if (list.size() != 4 || list[2] != "rows" || !toInt(list[1], 0, MAX_PATTERNS - 1, current) ||
        !toInt(list[3], 1, MAX_ROWS, rows)) {
        return fail("expected: pattern N rows R with N in 0..255 and R in 1..256");
    }
    Pattern& pattern = song->patterns[current];
    if (pattern.defined) {
        return fail("pattern " + list[1] + " is defined twice");
    }
    pattern.defined = true;
    pattern.rows = rows;
    pattern.cells.assign(static_cast<size_t>(rows) * song->channels, Cell{});
    section = Section::Pattern;
    return true;
}

bool SongParser::parseSongKey(const std::vector<std::string>& list) {
    const std::string& key = list[0];
    if (key == "order") {
        for (size_t i = 1; i < list.size(); ++i) {
            int entry = 0;
            if (!toInt(list[i], 0, MAX_PATTERNS - 1, entry)) {
                return fail("order entries are 0..255");
            }
            song->orders.push_back(entry);
        }
        return true;
    }
    if (list.size() != 2) {
        return fail("\"" + key + "\" takes one value");
    }
    if (key == "name") {
        song->name = list[1];
        return true;
    }
    if (key == "channels") {
        if (song->patternCount() > 0) {
            return fail("channels must come before the first pattern");
        }
        return toInt(list[1], 1, MAX_CHANNELS, song->channels) || fail("channels are 1..32");
    }
    if (key == "speed") {
        return toInt(list[1], 1, 31, song->speed) || fail("speed is 1..31");
    }
    if (key == "bpm") {
        return toInt(list[1], 32, 255, song->bpm) || fail("bpm is 32..255");
    }
    if (key == "restart") {
        return toInt(list[1], 0, MAX_ORDERS - 1, song->restart) || fail("bad restart");
    }
    return fail("unknown song key: " + key);
}

bool SongParser::parseInstrumentKey(const std::vector<std::string>& list) {
    InstrumentDesign& design = song->instruments[current];
    bool known = false;
    if (!parseSampleKey(list, design, known)) {
        return false;
    }
    if (!known && !parseEnvelopeKey(list, design, known)) {
        return false;
    }
    if (!known && !parseSource(list, design, known)) {
        return false;
    }
    return known || fail("unknown instrument key: " + list[0]);
}

bool SongParser::parseSampleKey(const std::vector<std::string>& list, InstrumentDesign& design, bool& known) {
    const std::string& key = list[0];
    struct Field {
        const char* name;
        int* value;
        int low;
        int high;
    };
    const Field fields[] = {
        {"bits", &design.bits, 8, 16},
        {"cycle", &design.cycle, 2, 4096},
        {"body", &design.body, 0, 1 << 20},
        {"loopcycles", &design.loopCycles, 1, 4096},
        {"attack", &design.attack, 0, 1 << 20},
        {"release", &design.release, 0, 1 << 20},
        {"transpose", &design.transpose, -48, 48},
        {"volume", &design.volume, 0, 64},
        {"panning", &design.panning, 0, 255},
        {"fadeout", &design.fadeout, 0, 32767},
    };
    for (const Field& field : fields) {
        if (key != field.name) {
            continue;
        }
        known = true;
        if (list.size() != 2 || !toInt(list[1], field.low, field.high, *field.value)) {
            return fail(key + " takes one whole number in " + std::to_string(field.low) + ".." +
                        std::to_string(field.high));
        }
        return design.bits == 8 || design.bits == 16 || fail("bits are 8 or 16");
    }
    if (key == "loop") {
        known = true;
        if (list.size() != 2) {
            return fail("loop takes none, forward or pingpong");
        }
        if (list[1] == "none") {
            design.loop = LoopMode::None;
        } else if (list[1] == "forward") {
            design.loop = LoopMode::Forward;
        } else if (list[1] == "pingpong") {
            design.loop = LoopMode::PingPong;
        } else {
            return fail("loop takes none, forward or pingpong");
        }
        return true;
    }
    if (key == "vibrato") {
        known = true;
        if (list.size() != 5 || !toInt(list[1], 0, 3, design.vibratoType) ||
            !toInt(list[2], 0, 255, design.vibratoSweep) || !toInt(list[3], 0, 15, design.vibratoDepth) ||
            !toInt(list[4], 0, 63, design.vibratoRate)) {
            return fail("expected: vibrato TYPE(0..3) SWEEP(0..255) DEPTH(0..15) RATE(0..63)");
        }
    }
    return true;
}

bool SongParser::parseEnvelopeKey(const std::vector<std::string>& list, InstrumentDesign& design,
                                  bool& known) {
    const std::string& key = list[0];
    const bool volume = key.rfind("vol", 0) == 0;
    if (!volume && key.rfind("pan", 0) != 0) {
        return true;
    }
    Envelope& envelope = volume ? design.volumeEnvelope : design.panningEnvelope;
    const std::string rest = key.substr(3);
    if (rest == "env") {
        known = true;
        return toEnvelope(list, envelope) || fail("expected up to 12 points TICK:VALUE (value 0..64)");
    }
    if (rest == "sustain") {
        known = true;
        return (list.size() == 2 && toInt(list[1], 0, MAX_ENVELOPE_POINTS - 1, envelope.sustain)) ||
               fail("sustain takes a point index 0..11");
    }
    if (rest == "loop") {
        known = true;
        return (list.size() == 3 && toInt(list[1], 0, MAX_ENVELOPE_POINTS - 1, envelope.loopStart) &&
                toInt(list[2], 0, MAX_ENVELOPE_POINTS - 1, envelope.loopEnd)) ||
               fail("envelope loop takes two point indices");
    }
    return true;
}

bool SongParser::parseSource(const std::vector<std::string>& list, InstrumentDesign& design, bool& known) {
    static constexpr std::pair<const char*, SourceKind> KINDS[] = {
        {"partial", SourceKind::Partial}, {"fm", SourceKind::Fm},       {"noise", SourceKind::Noise},
        {"sweep", SourceKind::Sweep},     {"pluck", SourceKind::Pluck},
    };
    for (const auto& [name, kind] : KINDS) {
        if (list[0] != name) {
            continue;
        }
        known = true;
        if (list.size() % 2 != 1) {
            return fail("a source takes KEY VALUE pairs");
        }
        Source source;
        source.kind = kind;
        for (size_t i = 1; i + 1 < list.size(); i += 2) {
            if (!setSourceField(source, list[i], list[i + 1])) {
                return fail("bad source field: " + list[i] + " " + list[i + 1]);
            }
        }
        design.sources.push_back(source);
        return true;
    }
    return true;
}

bool SongParser::parseRow(std::string_view line) {
    if (section != Section::Pattern) {
        return fail("a row outside a pattern");
    }
    Pattern& pattern = song->patterns[current];
    size_t bar = line.find('|');
    int row = 0;
    const std::vector<std::string> head = words(line.substr(0, bar));
    if (head.size() != 1 || !toInt(head[0], 0, pattern.rows - 1, row)) {
        return fail("a row starts with its number 0.." + std::to_string(pattern.rows - 1));
    }
    for (int channel = 0; channel < song->channels; ++channel) {
        if (bar == std::string_view::npos) {
            return fail("row " + head[0] + " has too few cells");
        }
        const size_t next = line.find('|', bar + 1);
        const std::string_view text =
            line.substr(bar + 1, next == std::string_view::npos ? next : next - bar - 1);
        Cell& cell = pattern.cells[static_cast<size_t>(row) * song->channels + channel];
        if (!cell.empty()) {
            return fail("row " + head[0] + " is given twice");
        }
        if (!parseCell(text, cell)) {
            return fail("channel " + std::to_string(channel + 1) + ": bad cell \"" + std::string(text) +
                        "\"");
        }
        bar = next;
    }
    return bar == std::string_view::npos || fail("row " + head[0] + " has too many cells");
}

}  // namespace xmcompose
