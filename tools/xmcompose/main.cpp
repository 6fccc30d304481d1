// xmcompose SOURCE.txt OUT.xm: builds an extended module from the song notation.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/xmcompose/Compose.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xmcompose SOURCE.txt OUT.xm\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "xmcompose: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::uint8_t> module;
    std::string error;
    if (!xmcompose::composeModule(text, module, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(module.data()), static_cast<std::streamsize>(module.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "xmcompose: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
