// The one header through which game code reaches the platform: the desktop API subset the game is
// written against. On Windows it is the system's own; elsewhere Veskar's layer supplies it.
#pragma once

#ifdef _WIN32
// std::min and std::max stay usable, and windows.h leaves out what the game never calls.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// mmsystem.h builds on the types windows.h defines, so it must come second.
#include <mmsystem.h>
#include <xinput.h>
// winbase.h maps FreeModule onto FreeLibrary; the name belongs to the music player, and the game
// never unloads a module of the system's.
#undef FreeModule
#else
#include "platform/WinAudio.h"
#include "platform/WinBase.h"
#include "platform/WinGdi.h"
#include "platform/WinTypes.h"
#include "platform/WinUser.h"
#include "platform/WinXInput.h"
#endif
