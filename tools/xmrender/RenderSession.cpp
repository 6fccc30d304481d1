// Offline rendering: the game's block loop without a device, with a tick wrapper that keeps the
// output frame of each tick and a row hook that notes rows and the end of the song.
#include "tools/xmrender/RenderSession.h"

#include <algorithm>

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleLoader.h"

namespace {
// The tick handler has no context argument; one session renders at a time.
RenderSession* activeSession = nullptr;
}  // namespace

std::unique_ptr<Module> LoadModuleFile(const char* path) {
    InstallMemoryFileOps();
    return CreateModule(path, nullptr);
}

RenderSession::RenderSession(Module& renderedModule) : module(renderedModule) {}

RenderSession::~RenderSession() {
    if (!active) {
        return;
    }
    module.tickHandler = replayerTick;
    module.rowStartHook = nullptr;
    module.rowStartContext = nullptr;
    activeSession = nullptr;
}

bool RenderSession::begin(std::int32_t rate) {
    if (active || activeSession != nullptr || !renderer.begin(module, rate)) {
        return false;
    }
    active = true;
    activeSession = this;
    replayerTick = module.tickHandler;
    module.tickHandler = &RenderSession::CountingTick;
    module.rowStartHook = &RenderSession::RowStarted;
    module.rowStartContext = this;
    ordersPlayed.assign(ORDER_TABLE_SIZE, false);
    return true;
}

void RenderSession::CountingTick(Module& module) {
    RenderSession* session = activeSession;
    session->tickStartFrame = session->nextTickFrame;
    if (session->replayerTick != nullptr) {
        session->replayerTick(module);
    }
    // The block loop gives every tick at least one frame.
    session->nextTickFrame += std::max(1, module.samplesPerTick);
}

void RenderSession::RowStarted(void* context, const Module& module, bool enteredOrder) {
    auto* session = static_cast<RenderSession*>(context);
    const int order = std::clamp<int>(module.orderPosition, 0, ORDER_TABLE_SIZE - 1);
    if (enteredOrder && session->songEndFrame < 0) {
        // The first return to an order already played is where the song has played once.
        if (session->ordersPlayed[order]) {
            session->songEndFrame = session->tickStartFrame;
        }
        session->ordersPlayed[order] = true;
    }
    session->rows.push_back(TimelineRow{session->tickStartFrame, module.orderPosition,
                                        module.orderTable[order], module.row, module.speed, module.bpm});
}

std::int64_t RenderSession::render(std::int64_t maxFrames, bool stopAtSongEnd, const Sink& sink) {
    if (!active) {
        return 0;
    }
    const std::int32_t blockFrames = renderer.blockFrames();
    while (framesDelivered < maxFrames) {
        const std::int16_t* block = renderer.next();
        std::int64_t limit = maxFrames;
        if (stopAtSongEnd && songEndFrame >= 0) {
            limit = std::min(limit, songEndFrame);
        }
        const std::int64_t count = std::clamp<std::int64_t>(limit - framesDelivered, 0, blockFrames);
        if (count > 0) {
            sink(block, count);
        }
        framesDelivered += count;
        if (count < blockFrames) {
            break;
        }
    }
    return framesDelivered;
}

std::vector<TimelineRow> RenderSession::timeline() const {
    std::vector<TimelineRow> delivered;
    for (const TimelineRow& row : rows) {
        if (row.frame < framesDelivered) {
            delivered.push_back(row);
        }
    }
    return delivered;
}
