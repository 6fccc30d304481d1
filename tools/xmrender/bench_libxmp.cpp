// bench_libxmp: renders S seconds of a module with libxmp (linear interpolation, full stereo
// separation, 44100 Hz, 16-bit stereo) again and again for at least 2 s of CPU time, and prints
// "xrealtime N" like xmrender --bench, for comparing the two on the same file in the same run.
#include <xmp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

inline constexpr int RATE = 44100;
inline constexpr int CHUNK_FRAMES = 884;  // about 20 ms, as the game mixes
inline constexpr double BENCH_CPU_SECONDS = 2.0;

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Renders frames frames from the start of the loaded module; returns the frames rendered.
long RenderPass(xmp_context context, long frames, std::vector<short>& buffer, unsigned& checksum) {
    if (xmp_start_player(context, RATE, 0) != 0) {
        return 0;
    }
    xmp_set_player(context, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
    xmp_set_player(context, XMP_PLAYER_MIX, 100);
    long done = 0;
    while (done < frames) {
        const long count = std::min<long>(CHUNK_FRAMES, frames - done);
        xmp_play_buffer(context, buffer.data(), static_cast<int>(count * 4), 0);
        checksum += static_cast<unsigned short>(buffer[count * 2 - 1]);
        done += count;
    }
    xmp_end_player(context);
    return done;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_libxmp S IN.xm\n");
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    xmp_context context = xmp_create_context();
    if (seconds <= 0.0 || xmp_load_module(context, argv[2]) != 0) {
        std::fprintf(stderr, "bench_libxmp: cannot load %s\n", argv[2]);
        xmp_free_context(context);
        return 1;
    }
    std::vector<short> buffer(CHUNK_FRAMES * 2);
    const long frames = static_cast<long>(seconds * RATE + 0.5);
    unsigned checksum = 0;
    double rendered = 0.0;
    double elapsed = 0.0;
    int passes = 0;
    const double start = CpuSeconds();
    do {
        rendered += static_cast<double>(RenderPass(context, frames, buffer, checksum)) / RATE;
        ++passes;
        elapsed = CpuSeconds() - start;
    } while (elapsed < BENCH_CPU_SECONDS);
    std::printf("module %s\npasses %d\naudio seconds %.2f\ncpu seconds %.3f\nchecksum %u\n", argv[2], passes,
                rendered, elapsed, checksum);
    std::printf("xrealtime %.1f\n", rendered / elapsed);
    xmp_release_module(context);
    xmp_free_context(context);
    return 0;
}
