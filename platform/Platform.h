// The one header through which game code reaches the platform: the desktop API subset the game is
// written against. On Windows it is the system's own; elsewhere Veskar's layer supplies it.
#pragma once

#ifdef _WIN32
#include <windows.h>
// mmsystem.h builds on the types windows.h defines, so it must come second.
#include <mmsystem.h>
#else
#include "platform/WinAudio.h"
#include "platform/WinBase.h"
#include "platform/WinGdi.h"
#include "platform/WinTypes.h"
#include "platform/WinUser.h"
#endif
