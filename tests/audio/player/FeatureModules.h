// Modules built in code that between them use every effect, volume-column command, envelope kind and
// sample loop kind of the format: the project's own material for robustness tests and fuzzing seeds.
#pragma once

#include <vector>

#include "tests/audio/player/XmBuilder.h"

struct NamedDesign {
    const char* name;
    XmDesign design;
};

// Every effect in linear and Amiga frequency modes, and a module of loops, notes and song flow.
[[nodiscard]] std::vector<NamedDesign> FeatureDesigns();
