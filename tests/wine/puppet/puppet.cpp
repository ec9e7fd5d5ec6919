// A program for testing the driver itself: it does what its arguments say,
// one verb after the other, so that each feature of the driver can be tried
// against a known behaviour.
//
//   box FLAGS TEXT   MessageBoxA with caption "puppet"; the pressed button becomes the exit code
//   cmdline          a box (MB_OK) showing GetCommandLineA
//   env NAME         a box showing the variable's value, or "<unset>"
//   cwd              a box showing the current directory
//   dialog           the test dialog (puppet.rc); exit code: its result + 0x10 * index of the radio applied last
//   spawn CMDLINE    runs CMDLINE and waits for it
//   exit CODE        ends at once with CODE (decimal, 0x hexadecimal or negative)
//   sleep            waits forever without a window
//   --               ends the verbs: the rest of the command line is only there to be shown
#include <windows.h>

#include <cstdlib>
#include <string>

#include "puppet_resource.h"

namespace {

constexpr char kCaption[] = "puppet";

UINT ShowBox(const std::string& text, UINT flags) {
  return static_cast<UINT>(MessageBoxA(nullptr, text.c_str(), kCaption, flags));
}

struct DialogState {
  int checked = 0;   // the radio button applied last: 0 or 1
  int applies = 0;
};

void SyncApply(HWND dialog, const DialogState& state) {
  int selected = IsDlgButtonChecked(dialog, IDC_PUPPET_SECOND) == BST_CHECKED ? 1 : 0;
  EnableWindow(GetDlgItem(dialog, IDC_PUPPET_APPLY), selected != state.checked);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      CheckRadioButton(dialog, IDC_PUPPET_FIRST, IDC_PUPPET_SECOND, IDC_PUPPET_FIRST);
      SetDlgItemTextA(dialog, IDC_PUPPET_EDIT, "line one\r\n\tline two");
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PUPPET_FIRST:
        case IDC_PUPPET_SECOND:
          SyncApply(dialog, *state);
          return TRUE;
        case IDC_PUPPET_APPLY:
          state->checked = IsDlgButtonChecked(dialog, IDC_PUPPET_SECOND) == BST_CHECKED ? 1 : 0;
          ++state->applies;
          MessageBoxA(dialog, "applied", kCaption, MB_OK | MB_ICONINFORMATION);
          SyncApply(dialog, *state);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
      }
      break;
  }
  return FALSE;
}

UINT RunDialog(HINSTANCE instance) {
  DialogState state;
  INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PUPPET), nullptr, DialogProc,
                                   reinterpret_cast<LPARAM>(&state));
  return static_cast<UINT>(result) + 0x10u * static_cast<UINT>(state.checked);
}

UINT Spawn(const char* commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string writable = commandLine;
  if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 0xDEAD;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  UINT exitCode = 0;
  for (int i = 1; i < __argc; ++i) {
    std::string verb = __argv[i];
    const char* argument = i + 1 < __argc ? __argv[i + 1] : "";
    if (verb == "box" && i + 2 < __argc) {
      exitCode = ShowBox(__argv[i + 2], static_cast<UINT>(std::strtoul(argument, nullptr, 0)));
      i += 2;
    } else if (verb == "cmdline") {
      exitCode = ShowBox(GetCommandLineA(), MB_OK);
    } else if (verb == "env") {
      char value[1024];
      DWORD length = GetEnvironmentVariableA(argument, value, sizeof value);
      exitCode = ShowBox(length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND ? "<unset>" : value, MB_OK);
      ++i;
    } else if (verb == "cwd") {
      char directory[MAX_PATH] = "";
      GetCurrentDirectoryA(sizeof directory, directory);
      exitCode = ShowBox(directory, MB_OK);
    } else if (verb == "dialog") {
      exitCode = RunDialog(instance);
    } else if (verb == "spawn") {
      exitCode = Spawn(argument);
      ++i;
    } else if (verb == "exit") {
      return static_cast<int>(std::strtoul(argument, nullptr, 0));
    } else if (verb == "--") {
      break;
    } else if (verb == "sleep") {
      Sleep(INFINITE);
    } else {
      return 0xBAD;
    }
  }
  return static_cast<int>(exitCode);
}
