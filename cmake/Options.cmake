# Compiler settings shared by every target of the project.

if(MSVC)
  # One self-contained executable: the C runtime is linked in.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

function(regorvik_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
    if(REGORVIK_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
    if(REGORVIK_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# Windows executables link their language runtimes statically, so that the
# shipped file imports only DLLs that every Windows has.
function(regorvik_static_windows_runtime target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# The shipped program: the same bytes from every build of one commit (no time
# stamp in its header), and, for the 32-bit release, a header that Windows
# XP SP3 accepts (subsystem and OS version 5.1).
function(regorvik_release_image target)
  if(MINGW)
    target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp -Wl,--gc-sections)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE -Wl,--major-subsystem-version,5,--minor-subsystem-version,1
                                             -Wl,--major-os-version,5,--minor-os-version,1)
    endif()
  endif()
endfunction()

# The code of the shipped program. It reports every failure through return
# values, throws nothing and asks no object for its type, so it is built
# without exception handling and run-time type information, and with every
# function and datum in a section of its own, which the linker drops when
# nothing calls or reads it. The 32-bit release has no use for DWARF unwind
# tables either: Windows unwinds x86 frames without them, and nothing is
# thrown; the linker keeps every table it is given, and with it the function
# the table describes. (x86_64 keeps its tables, which are Windows' own there.)
#
# As C++20 the code instantiates std::string itself. In C++17 libstdc++
# links its own prebuilt copy, which is compiled with exceptions and brings
# the unwinder, the terminate handler and the demangler along, and the
# demangler brings printf of floating-point numbers. The few runtime
# functions that would still throw are replaced in src/win/RuntimeFailures.cpp.
function(regorvik_release_code target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endif()
    set_target_properties(${target} PROPERTIES CXX_STANDARD 20)
  endif()
endfunction()
