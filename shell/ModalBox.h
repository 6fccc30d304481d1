// A modal box (the name box) that takes the keys for a while: the pads post no keys meanwhile, and
// once it closes, the keys held then wait for a new press (KeyGate).
#pragma once

#include "shell/KeyGate.h"

// True while a box is open. Message-loop thread only.
extern bool modalBoxOpen;

// Marks a box open for its lifetime.
class ModalBoxScope {
  public:
    ModalBoxScope() { modalBoxOpen = true; }
    ~ModalBoxScope() {
        modalBoxOpen = false;
        keyGate.forgetPresses();
    }
    ModalBoxScope(const ModalBoxScope&) = delete;
    ModalBoxScope& operator=(const ModalBoxScope&) = delete;
};
