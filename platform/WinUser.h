// Windows, messages, timers, resources, message boxes and keyboard codes.
#pragma once
