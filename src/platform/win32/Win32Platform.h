#pragma once
// The real Windows behind the seam: one implementation of each interface,
// owned together and handed out as the platform::Platform the program runs on.

#include "platform/Platform.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Modules.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Ui.h"

namespace win32 {

class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  platform::Platform& Platform() { return platform_; }

 private:
  Win32Registry registry_;
  Win32Files files_;
  Win32Modules modules_;
  Win32Processes processes_;
  Win32Ui ui_;
  Win32Environment environment_;
  Win32Text text_;
  platform::Platform platform_;
};

}  // namespace win32
