// One offline rendering of a module through the game's MixBlock loop: counts output frames per tick,
// records the row timeline and finds where the song has played once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "audio/player/Module.h"
#include "audio/player/OfflineRenderer.h"

struct TimelineRow {
    std::int64_t frame;  // output frame at which the row's first tick starts
    std::int32_t order;
    std::int32_t pattern;
    std::int32_t row;
    std::int32_t speed;
    std::int32_t bpm;
};

// Loads path with the memory-file operations; nullptr when it is not an acceptable module.
[[nodiscard]] std::unique_ptr<Module> LoadModuleFile(const char* path);

class RenderSession {
  public:
    // Receives consecutive chunks of interleaved stereo frames.
    using Sink = std::function<void(const std::int16_t* frames, std::int64_t frameCount)>;

    explicit RenderSession(Module& module);
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    // Prepares offline rendering at rate. False when another session renders or the rate is unusable.
    [[nodiscard]] bool begin(std::int32_t rate);
    // Renders at most maxFrames frames into sink, stopping early where the song would repeat when
    // stopAtSongEnd is set. Returns the frames delivered.
    std::int64_t render(std::int64_t maxFrames, bool stopAtSongEnd, const Sink& sink);
    // Rows started within the delivered frames.
    [[nodiscard]] std::vector<TimelineRow> timeline() const;

  private:
    static void CountingTick(Module& module);
    static void RowStarted(void* context, const Module& module, bool enteredOrder);

    Module& module;
    OfflineRenderer renderer;
    TickHandler replayerTick = nullptr;
    std::int64_t tickStartFrame = 0;  // first frame of the tick being run
    std::int64_t nextTickFrame = 0;   // first frame of the next tick
    std::int64_t songEndFrame = -1;   // frame at which an order already played is entered again
    std::int64_t framesDelivered = 0;
    std::vector<bool> ordersPlayed;
    std::vector<TimelineRow> rows;
    bool active = false;
};
