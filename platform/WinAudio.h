// The wave output device and threads.
#pragma once
