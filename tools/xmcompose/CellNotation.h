// The tracker-style text of one pattern cell: "C#4 01 40 A04", with "..." / ".." for empty fields.
#pragma once

#include <string_view>

#include "tools/xmcompose/Song.h"

namespace xmcompose {

// Reads one cell of four fields separated by blanks:
//   note        "C-4", "C#4" (octaves 0..7), "===" key off, "..." none
//   instrument  two decimal digits "01".."99", ".." none
//   volume      two characters: hex "00".."40" sets the volume; a letter and a hex digit for the
//               other commands: "-y" slide down, "+y" slide up, "dy" fine down, "uy" fine up,
//               "sy" vibrato speed, "vy" vibrato depth, "py" panning, "ly" pan left, "ry" pan
//               right, "my" tone portamento; ".." none
//   effect      a letter or digit (0..9, A..Z) and a two-digit hex parameter "A04", "..." none
// On failure returns false and leaves `cell` unspecified.
[[nodiscard]] bool parseCell(std::string_view text, Cell& cell);

// Reads a note name such as "C-4" or "F#2" into 1..96, "===" into KEY_OFF_NOTE and "..." into 0.
[[nodiscard]] bool parseNote(std::string_view text, std::uint8_t& note);

}  // namespace xmcompose
