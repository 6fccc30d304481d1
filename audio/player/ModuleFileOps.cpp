// The process-wide table of module file operations.
#include "audio/player/ModuleFileOps.h"

namespace {
ModuleFileOps installedOps;
}

void InstallModuleFileOps(ModuleFileOpen open, ModuleFileClose close, ModuleFileRead read,
                          ModuleFileSeek seek, ModuleFileTell tell) {
    if (open == nullptr || close == nullptr || read == nullptr || seek == nullptr || tell == nullptr) {
        installedOps = ModuleFileOps{};
        return;
    }
    installedOps = ModuleFileOps{open, close, read, seek, tell};
}

const ModuleFileOps& InstalledModuleFileOps() {
    return installedOps;
}

bool ModuleFileOpsInstalled() {
    const ModuleFileOps& ops = installedOps;
    return ops.open != nullptr && ops.close != nullptr && ops.read != nullptr && ops.seek != nullptr &&
           ops.tell != nullptr;
}
