// timelinecheck: plays a module once through libxmp and compares its row timeline with one written by
// xmrender --timeline (frame, order, pattern, row, speed, BPM per row, tab-separated).
//
//   timelinecheck IN.xm OURS.tsv [--print]
//
// Prints MATCH, or the first differing row of both timelines; exit status 0 for a match, 1 for a
// difference, 2 when a file cannot be read. --print writes libxmp's timeline instead.
#include <xmp.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr long long MAX_FRAMES = 600LL * RATE;  // the renderer's limit

struct Row {
    long long frame;
    int order, pattern, row, speed, bpm;
    bool operator==(const Row&) const = default;
};

std::string Describe(const Row& row) {
    char text[96];
    std::snprintf(text, sizeof text, "%lld o%d p%d r%d speed %d bpm %d", row.frame, row.order, row.pattern,
                  row.row, row.speed, row.bpm);
    return text;
}

// libxmp's rows of one pass through the song. A row starts at a tick whose frame counter is 0, unless
// it repeats the previous row's position within a pattern delay (the counter runs on through a delay).
bool ReferenceTimeline(const char* path, std::vector<Row>& rows) {
    xmp_context context = xmp_create_context();
    if (xmp_load_module(context, const_cast<char*>(path)) != 0) {
        xmp_free_context(context);
        return false;
    }
    xmp_start_player(context, RATE, 0);
    xmp_set_player(context, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
    long long frame = 0;
    xmp_frame_info info{};
    while (frame < MAX_FRAMES && xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &info);
        if (info.loop_count > 0) {
            break;
        }
        if (info.frame == 0) {
            rows.push_back({frame, info.pos, info.pattern, info.row, info.speed, info.bpm});
        }
        frame += info.buffer_size / 4;
    }
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
    return true;
}

bool ReadTimeline(const char* path, std::vector<Row>& rows) {
    std::ifstream file(path);
    if (!file) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        Row row{};
        if (fields >> row.frame >> row.order >> row.pattern >> row.row >> row.speed >> row.bpm) {
            rows.push_back(row);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: timelinecheck IN.xm OURS.tsv [--print]\n");
        return 2;
    }
    std::vector<Row> reference;
    std::vector<Row> ours;
    if (!ReferenceTimeline(argv[1], reference)) {
        std::printf("REFERENCE-REJECTS\n");
        return 2;
    }
    if (argc > 3 && std::strcmp(argv[3], "--print") == 0) {
        for (const Row& row : reference) {
            std::printf("%s\n", Describe(row).c_str());
        }
        return 0;
    }
    if (!ReadTimeline(argv[2], ours)) {
        std::fprintf(stderr, "timelinecheck: cannot read %s\n", argv[2]);
        return 2;
    }
    for (size_t i = 0; i < reference.size() && i < ours.size(); ++i) {
        if (!(reference[i] == ours[i])) {
            std::printf("DIFF row %zu: reference %s / ours %s\n", i, Describe(reference[i]).c_str(),
                        Describe(ours[i]).c_str());
            return 1;
        }
    }
    if (reference.size() != ours.size()) {
        std::printf("LENGTH reference %zu rows / ours %zu rows\n", reference.size(), ours.size());
        return 1;
    }
    std::printf("MATCH %zu rows\n", ours.size());
    return 0;
}
