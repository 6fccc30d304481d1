// Pattern records: a 9-byte head, then rows x channels packed cells.
#include "audio/player/PatternLoader.h"

#include "audio/player/Module.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleReader.h"

namespace {

inline constexpr std::uint8_t PACKED_MASK = 0x80;
inline constexpr std::uint8_t FILE_KEY_OFF = 97;
inline constexpr std::uint8_t HIGHEST_NOTE = 96;
inline constexpr std::uint8_t HIGHEST_INSTRUMENT = 128;

PatternCell ReadCell(ModuleReader& reader) {
    PatternCell cell{};
    const std::uint8_t first = reader.readU8();
    if ((first & PACKED_MASK) != 0) {
        if ((first & 0x01) != 0) {
            cell.note = reader.readU8();
        }
        if ((first & 0x02) != 0) {
            cell.instrument = reader.readU8();
        }
        if ((first & 0x04) != 0) {
            cell.volume = reader.readU8();
        }
        if ((first & 0x08) != 0) {
            cell.effect = reader.readU8();
        }
        if ((first & 0x10) != 0) {
            cell.parameter = reader.readU8();
        }
    } else {
        cell.note = first;
        cell.instrument = reader.readU8();
        cell.volume = reader.readU8();
        cell.effect = reader.readU8();
        cell.parameter = reader.readU8();
    }
    if (cell.note == FILE_KEY_OFF) {
        cell.note = NOTE_KEY_OFF;
        // Notes 98..254 of a damaged file name no key of the keymap: they are dropped, not looked up. 255 is
        // the format's own key off.
    } else if (cell.note > HIGHEST_NOTE && cell.note != NOTE_KEY_OFF) {
        cell.note = NOTE_NONE;
    }
    if (cell.instrument > HIGHEST_INSTRUMENT) {
        cell.instrument = 0;
    }
    return cell;
}

// Reads one pattern record. A pattern of 0 rows stays one: it plays a row of nothing and reads no
// cells. Cells are only held for a pattern whose packed data is there; one without plays empty rows.
bool LoadPattern(Pattern& pattern, ModuleReader& reader, int channelCount) {
    reader.seek(4, SEEK_FROM_CURRENT);  // header length: not used, the head is taken to be 9 bytes
    (void)reader.readU8();              // packing type: not used
    const std::uint16_t rows = reader.readU16();
    const std::uint16_t packedSize = reader.readU16();
    if (rows > MAX_ROWS) {
        return false;
    }
    pattern.rows = rows;
    if (rows == 0 || packedSize == 0 || reader.remaining() == 0) {
        return true;
    }
    pattern.cells.assign(static_cast<std::size_t>(rows) * channelCount, PatternCell{});
    for (PatternCell& cell : pattern.cells) {
        // A truncated file leaves the rest of the pattern empty instead of reading zeros cell by cell.
        if (reader.remaining() == 0) {
            break;
        }
        cell = ReadCell(reader);
    }
    return true;
}

}  // namespace

bool LoadPatterns(Module& module, ModuleReader& reader, std::int32_t storedCount) {
    for (std::int32_t index = 0; index < storedCount; ++index) {
        if (!LoadPattern(module.patterns[index], reader, module.channelCount)) {
            return false;
        }
    }
    // Named by the order table but not stored: empty rows, which need no cells.
    for (std::int32_t index = storedCount; index < module.patternCount; ++index) {
        module.patterns[index].rows = EMPTY_PATTERN_ROWS;
    }
    return true;
}
