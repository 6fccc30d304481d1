// xmrender: renders a module to a WAV file with the game's own player, optionally writing the row
// timeline, or measures how many seconds of audio it renders per second of CPU time (--bench).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "audio/player/Module.h"
#include "tools/xmrender/RenderSession.h"
#include "tools/xmrender/WavWriter.h"

namespace {

inline constexpr double MAX_SECONDS = 600.0;
inline constexpr double BENCH_CPU_SECONDS = 2.0;

struct Options {
    const char* input = nullptr;
    const char* output = nullptr;
    const char* timeline = nullptr;
    double seconds = -1.0;  // < 0: until the song has played once
    std::int32_t rate = DEFAULT_OUTPUT_RATE;
    double benchSeconds = -1.0;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: xmrender IN.xm OUT.wav [--seconds S] [--rate R] [--timeline FILE]\n"
                 "       xmrender --bench S IN.xm\n");
    return 2;
}

bool ParseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= low && value <= high;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    double number = 0.0;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "--seconds" && hasValue && ParseNumber(argv[++index], 0.0, MAX_SECONDS, number)) {
            options.seconds = number;
        } else if (argument == "--rate" && hasValue &&
                   ParseNumber(argv[++index], 8000.0, MAX_OUTPUT_RATE, number)) {
            options.rate = static_cast<std::int32_t>(number);
        } else if (argument == "--timeline" && hasValue) {
            options.timeline = argv[++index];
        } else if (argument == "--bench" && hasValue &&
                   ParseNumber(argv[++index], 0.01, MAX_SECONDS, number)) {
            options.benchSeconds = number;
        } else if (argument.rfind("--", 0) == 0) {
            return false;
        } else if (options.input == nullptr) {
            options.input = argv[index];
        } else if (options.output == nullptr) {
            options.output = argv[index];
        } else {
            return false;
        }
    }
    if (options.input == nullptr) {
        return false;
    }
    return options.benchSeconds > 0.0 ? options.output == nullptr : options.output != nullptr;
}

bool WriteTimeline(const char* path, const std::vector<TimelineRow>& rows) {
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        return false;
    }
    for (const TimelineRow& row : rows) {
        std::fprintf(file, "%lld\t%d\t%d\t%d\t%d\t%d\n", static_cast<long long>(row.frame), row.order,
                     row.pattern, row.row, row.speed, row.bpm);
    }
    return std::fclose(file) == 0;
}

int Render(const Options& options, Module& module) {
    WavWriter wav;
    if (!wav.open(options.output, options.rate)) {
        std::fprintf(stderr, "xmrender: cannot write %s\n", options.output);
        return 1;
    }
    RenderSession session(module);
    if (!session.begin(options.rate)) {
        std::fprintf(stderr, "xmrender: cannot render at %d Hz\n", options.rate);
        return 1;
    }
    const bool untilSongEnd = options.seconds < 0.0;
    const double seconds = untilSongEnd ? MAX_SECONDS : options.seconds;
    const auto maxFrames = static_cast<std::int64_t>(seconds * options.rate + 0.5);
    bool written = true;
    session.render(maxFrames, untilSongEnd, [&](const std::int16_t* frames, std::int64_t count) {
        written = wav.write(frames, count) && written;
    });
    if (!wav.close() || !written) {
        std::fprintf(stderr, "xmrender: cannot write %s\n", options.output);
        return 1;
    }
    if (options.timeline != nullptr && !WriteTimeline(options.timeline, session.timeline())) {
        std::fprintf(stderr, "xmrender: cannot write %s\n", options.timeline);
        return 1;
    }
    return 0;
}

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Renders benchSeconds of the module from its start, again and again, for at least BENCH_CPU_SECONDS.
int Bench(const Options& options, Module& module) {
    const auto frames = static_cast<std::int64_t>(options.benchSeconds * options.rate + 0.5);
    const double start = CpuSeconds();
    double rendered = 0.0;
    double elapsed = 0.0;
    int passes = 0;
    do {
        RenderSession session(module);
        if (!session.begin(options.rate)) {
            return 1;
        }
        std::uint32_t checksum = 0;
        const std::int64_t done =
            session.render(frames, false, [&](const std::int16_t* block, std::int64_t count) {
                checksum += static_cast<std::uint16_t>(block[count * 2 - 1]);
            });
        rendered += static_cast<double>(done) / options.rate;
        ++passes;
        elapsed = CpuSeconds() - start;
        if (checksum == 0xFFFFFFFF) {
            std::printf(" ");  // keeps the work observable
        }
    } while (elapsed < BENCH_CPU_SECONDS);
    std::printf("module %s\nrate %d\npasses %d\naudio seconds %.2f\ncpu seconds %.3f\n", options.input,
                options.rate, passes, rendered, elapsed);
    std::printf("xrealtime %.1f\n", rendered / elapsed);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        return Usage();
    }
    std::unique_ptr<Module> module = LoadModuleFile(options.input);
    if (module == nullptr) {
        std::fprintf(stderr, "xmrender: %s is not a valid module\n", options.input);
        return 1;
    }
    const int status = options.benchSeconds > 0.0 ? Bench(options, *module) : Render(options, *module);
    return status;
}
