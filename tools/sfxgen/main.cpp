// sfxgen OUTDIR [--report]: writes the game's four sound effects as OUTDIR/<name>.wav, the same on
// every run, and refuses to write anything whose size is not the one its resource must have.
// --report prints each sound's level, brightness and edges.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sfxgen/SoundDesigns.h"
#include "tools/sfxgen/SoundMeasures.h"

namespace {

[[nodiscard]] bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "sfxgen: cannot write %s\n", path.string().c_str());
    }
    return static_cast<bool>(out);
}

std::string level(double decibels) {
    if (decibels <= -999.0) {
        return "silent";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dBFS", decibels);
    return text;
}

void report(const sfxgen::SoundFile& file) {
    const sfxgen::Signal signal = file.design();
    const sfxgen::SoundMeasures m = sfxgen::measure(sfxgen::toUnsigned8(signal), file.rate);
    std::printf(
        "%d %-16s %.3f s  peak %.1f dBFS  rms %.1f dBFS  centroid %.0f Hz  attack %.1f ms  "
        "first 0.5 ms %s  last 5 ms %s  first %d last %d\n",
        file.resource, file.fileName, m.seconds, m.peakDb, m.rmsDb, m.centroidHz, m.attackSeconds * 1000.0,
        level(m.startDb).c_str(), level(m.endDb).c_str(), m.firstSample, m.lastSample);
}

}  // namespace

int main(int argc, char** argv) {
    const bool wantReport = argc == 3 && std::string(argv[2]) == "--report";
    if (argc != 2 && !wantReport) {
        std::fprintf(stderr, "usage: sfxgen OUTDIR [--report]\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = true;
    for (const sfxgen::SoundFile& file : sfxgen::soundFiles()) {
        const std::vector<std::uint8_t> bytes = sfxgen::makeSoundFile(file);
        if (bytes.empty()) {
            std::fprintf(stderr, "sfxgen: %s does not come out at %zu bytes\n", file.fileName,
                         file.fileBytes);
            ok = false;
            continue;
        }
        ok = writeFile(folder / file.fileName, bytes) && ok;
        if (wantReport) {
            report(file);
        }
    }
    return ok ? 0 : 1;
}
