#include "platform/memory/ProgramResources.h"

#include "resource.h"

namespace memory {

namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kStatic = -1;

DialogTemplate UsageTemplate() {
  DialogTemplate usage;
  usage.caption = "Orvik Package Registration Utility Command Line Parameters";
  usage.widthDlu = 281;
  usage.heightDlu = 114;
  usage.controls = {
      {kIdOk, ControlKind::DefaultPushButton, "OK", true, false},
      {IDC_USAGE_TEXT, ControlKind::Edit, "", true, false},
  };
  return usage;
}

DialogTemplate RegistrationTemplate() {
  DialogTemplate dialog;
  dialog.caption = "Orvik Package Registration";
  dialog.widthDlu = 261;
  dialog.heightDlu = 60;
  dialog.controls = {
      {kIdOk, ControlKind::DefaultPushButton, "OK", true, true},
      {IDC_APPLY, ControlKind::PushButton, "&Apply", true, false},
      {kIdCancel, ControlKind::PushButton, "Cancel", true, false},
      {IDC_ENABLE, ControlKind::AutoRadioButton,
       "&Enable Orvik Package\n(turn on Orvik C++ Compiler integration features)", true, true},
      {IDC_DISABLE, ControlKind::AutoRadioButton,
       "&Disable Orvik Package\n(turn off Orvik C++ Compiler integration features)", true, false},
      {kStatic, ControlKind::GroupBox, "", true, true},
  };
  return dialog;
}

DialogTemplate AboutTemplate() {
  DialogTemplate about;
  about.caption = "About RegOrvikPkg";
  about.widthDlu = 243;
  about.heightDlu = 45;
  about.controls = {
      {kStatic, ControlKind::Icon, "", true, false},
      {kStatic, ControlKind::Static, "Orvik Package Registration Utility\nVersion 1.0", true, true},
      {kStatic, ControlKind::Static, "Copyright (C) 2026 Orvik", true, true},
      {kIdOk, ControlKind::DefaultPushButton, "OK", true, true},
  };
  return about;
}

}  // namespace

std::map<std::uint32_t, DialogTemplate> ProgramDialogTemplates() {
  return {{IDD_USAGE, UsageTemplate()}, {IDD_REGORVIKPKG_DIALOG, RegistrationTemplate()}, {IDD_ABOUTBOX, AboutTemplate()}};
}

StringTable ProgramStrings() {
  return {
      {IDS_ABOUTBOX, "&About RegOrvikPkg..."},
      {IDS_COMPILER_REGISTERED,
       "Compiler \"%s\" is already registered and has a different paths.\nWould you like to update paths for this "
       "compiler?"},
      {IDS_ALREADY_INSTALLED, "Orvik Integration Tool is already installed.\r\nWould you like to reinstall?"},
      {IDS_KEY_ABSENT, "The key \"HKEY_LOCAL_MACHINE\\%s\" is absent in the Registry."},
  };
}

std::vector<std::uint32_t> ProgramIcons() { return {IDR_MAINFRAME}; }

VersionInfo ProgramVersion() {
  VersionInfo version;
  version.translations = std::vector<VersionInfo::Translation>{{0x0409, 0x04B0}};
  version.strings["040904b0"] = {
      {"CompanyName", "Orvik"},
      {"FileDescription", "Orvik Package Registration Utility"},
      {"FileVersion", "7.0"},
      {"InternalName", "RegOrvikPkg"},
      {"LegalCopyright", "Copyright (C) 2026 Orvik"},
      {"OriginalFilename", "RegOrvikPkg.exe"},
      {"ProductName", "Orvik Integration Tool"},
      {"ProductVersion", "7.0"},
  };
  version.fileVersion = {7, 0, 270, 0};
  version.productVersion = {7, 0, 270, 0};
  return version;
}

}  // namespace memory
