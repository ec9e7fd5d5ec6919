#include "platform/win32/Win32Platform.h"

namespace win32 {

Win32Platform::Win32Platform()
    : platform_{registry_, files_, modules_, processes_, ui_, environment_, text_} {}

}  // namespace win32
