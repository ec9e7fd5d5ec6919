#pragma once
// The seam: every operating-system call the program makes goes through one of
// these interfaces. WinMain builds the Win32 set; a test builds its own.

#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace platform {

struct Platform {
  Registry& registry;
  Files& files;
  Modules& modules;
  Processes& processes;
  Ui& ui;
  Environment& environment;
  Text& text;
};

}  // namespace platform
