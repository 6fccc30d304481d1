// The resource script as the build reads it: numbered file resources (ICON, BITMAP, WAVE and other
// named types) and the string table. Dialog templates are the next statement to be added here.
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

struct RcScript {
    std::vector<FileResource> files;
    std::vector<StringResource> strings;
};

// Parses the script text. On failure returns false and describes the first problem, with its line
// number, in `error`. Numbers must fit 16 bits; a number may not name two resources of one type.
[[nodiscard]] bool parseRcScript(std::string_view text, RcScript& script, std::string& error);

}  // namespace veskar::rcembed
