// Writes the fuzzer's seed corpus: the project's feature modules, built in code, and the game's own
// music. Usage: make_fuzz_seeds OUTPUT_DIR VESKAR_DAT
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/audio/player/FeatureModules.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream stream(path, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(stream);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds OUTPUT_DIR VESKAR_DAT\n");
        return 2;
    }
    const std::filesystem::path output(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(output, error);
    for (const NamedDesign& design : FeatureDesigns()) {
        if (!WriteFile(output / (std::string(design.name) + ".xm"), BuildXm(design.design))) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot write into %s\n", argv[1]);
            return 1;
        }
    }
    std::ifstream music(argv[2], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(music),
                                          std::istreambuf_iterator<char>()};
    if (bytes.empty() || !WriteFile(output / "VESKAR.DAT", bytes)) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot copy %s\n", argv[2]);
        return 1;
    }
    return 0;
}
