// The resource script as the build reads it: numbered file resources (ICON, BITMAP, WAVE and other
// named types), dialog templates and the string table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veskar::rcembed {

enum class ResourceKind {
    Icon,    // an .ico file, embedded whole as the icon group
    Bitmap,  // a .bmp file, embedded without its 14-byte file header, as a bitmap resource is
    Named,   // any other type, by its name (WAVE), embedded as the file is
};

struct FileResource {
    std::uint16_t id = 0;
    ResourceKind kind = ResourceKind::Named;
    std::string typeName;  // for Named: the type as written (WAVE)
    std::string path;      // as written, relative to the script's folder
    int line = 0;
};

struct StringResource {
    std::uint16_t id = 0;
    std::string text;
};

// One control of a dialog template, in dialog units, with its complete style as the resource
// compiler writes it (the statement's default style combined with what the script adds).
struct DialogControl {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint16_t id = 0;
    std::uint16_t classAtom = 0;  // the predefined window class: 0x80 button, 0x81 edit, 0x82 static
    std::string text;             // ASCII
};

// A classic (not extended) dialog template.
struct DialogResource {
    std::uint16_t id = 0;
    int line = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::string caption;         // ASCII
    std::uint16_t fontSize = 0;  // points; written only when the style has DS_SETFONT
    std::string fontName;        // ASCII
    std::vector<DialogControl> controls;
};

struct RcScript {
    std::vector<FileResource> files;
    std::vector<DialogResource> dialogs;
    std::vector<StringResource> strings;
};

// Parses the script text. On failure returns false and describes the first problem, with its line
// number, in `error`. Numbers must fit 16 bits; a number may not name two resources of one type.
[[nodiscard]] bool parseRcScript(std::string_view text, RcScript& script, std::string& error);

// The dialog as the binary DLGTEMPLATE that the resource compiler stores: header, menu, class,
// caption, font when DS_SETFONT is set, then each control on a 4-byte boundary. Texts are UTF-16.
[[nodiscard]] std::vector<std::uint8_t> encodeDialog(const DialogResource& dialog);

}  // namespace veskar::rcembed
