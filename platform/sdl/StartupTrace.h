// Start-up timing for the CPU and memory benchmark (scripts/cpu-share.sh). Off unless the
// environment variable VESKAR_TRACE_STARTUP is set to a non-empty value; then one line goes to
// stderr once the window's first picture is complete, that is at the first time the program waits
// for input or its timer after presenting a frame:
//     veskar: startup trace: display opening at S s, first picture at S s (N ms later)
// where S is seconds since the epoch (so that a script can relate them to when it started the
// process) and N the milliseconds between the two.
#pragma once

namespace veskar::platform {

class StartupTrace {
  public:
    StartupTrace();

    // The backend is about to open its display connection.
    void displayOpening();
    // A frame went to the display.
    void framePresented();
    // The backend is about to wait; prints the line after the first frame, once.
    void waiting();

  private:
    bool active = false;
    double displayOpenedAt = 0;  // seconds since the epoch; 0 until known
    double lastFrameAt = 0;
};

}  // namespace veskar::platform
