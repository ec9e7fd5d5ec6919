// The in-memory Windows holds copies of the program's resources; this
// compares them with the resources compiled into RegOrvikPkg.exe, read from
// the file as data: the string table, the icon ids, the version resource and
// the dialog templates, control by control.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/memory/ProgramResources.h"

namespace {

using memory::ControlKind;

// The program, found from this test's own directory.
std::string ProgramPath() {
  char own[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string path(own, length);
  path.erase(path.find_last_of('\\') + 1);
  return path + REGORVIK_PROGRAM_FROM_TEST;
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << ProgramPath();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

std::string Narrow(const WCHAR* text) {
  char buffer[1024];
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

// Reads the fields of a DLGTEMPLATEEX in order.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : at_(data) {}
  WORD Word() { return Take<WORD>(); }
  DWORD Dword() { return Take<DWORD>(); }
  short Short() { return Take<short>(); }
  // A string or an ordinal (0xFFFF then the number, given back as "#n").
  std::string NameOrOrdinal() {
    const WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    at_ -= sizeof(WORD);
    return Text();
  }
  std::string Text() {
    std::wstring text;
    for (WORD c = Word(); c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return Narrow(text.c_str());
  }
  void Skip(std::size_t bytes) { at_ += bytes; }
  void AlignToDword() {
    while (reinterpret_cast<std::uintptr_t>(at_) % 4 != 0) ++at_;
  }

 private:
  template <typename T>
  T Take() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  const BYTE* at_;
};

bool IsClass(const std::string& className, WORD ordinal, const char* name) {
  return className == "#" + std::to_string(ordinal) || lstrcmpiA(className.c_str(), name) == 0;
}

ControlKind KindOf(const std::string& className, DWORD style) {
  if (IsClass(className, 0x80, "Button")) {
    switch (style & 0xF) {
      case BS_DEFPUSHBUTTON: return ControlKind::DefaultPushButton;
      case BS_AUTORADIOBUTTON: return ControlKind::AutoRadioButton;
      case BS_GROUPBOX: return ControlKind::GroupBox;
      default: return ControlKind::PushButton;
    }
  }
  if (IsClass(className, 0x81, "Edit")) return ControlKind::Edit;
  return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::Icon : ControlKind::Static;
}

memory::DialogTemplate ReadTemplate(HMODULE module, std::uint32_t id) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  EXPECT_NE(nullptr, resource) << id;
  if (resource == nullptr) return {};
  TemplateReader reader(static_cast<const BYTE*>(LockResource(LoadResource(module, resource))));
  EXPECT_EQ(1, reader.Word());
  EXPECT_EQ(0xFFFF, reader.Word());
  reader.Dword();  // help id
  reader.Dword();  // extended style
  const DWORD style = reader.Dword();
  const WORD count = reader.Word();
  reader.Short();
  reader.Short();
  memory::DialogTemplate dialog;
  dialog.widthDlu = reader.Short();
  dialog.heightDlu = reader.Short();
  dialog.systemMenu = (style & WS_SYSMENU) != 0;
  reader.NameOrOrdinal();  // menu
  reader.NameOrOrdinal();  // class
  dialog.caption = reader.Text();
  if ((style & (DS_SETFONT | DS_SHELLFONT)) != 0) {
    reader.Word();
    reader.Word();
    reader.Skip(2);
    reader.Text();
  }
  for (WORD i = 0; i < count; ++i) {
    reader.AlignToDword();
    reader.Dword();  // help id
    reader.Dword();  // extended style
    const DWORD controlStyle = reader.Dword();
    for (int j = 0; j < 4; ++j) reader.Short();
    memory::ControlTemplate control;
    control.id = static_cast<int>(reader.Dword());
    const std::string className = reader.NameOrOrdinal();
    const std::string title = reader.NameOrOrdinal();
    reader.Skip(reader.Word());
    control.kind = KindOf(className, controlStyle);
    control.text = title.rfind('#', 0) == 0 ? "" : title;  // an icon's ordinal is no text
    control.enabled = (controlStyle & WS_DISABLED) == 0;
    control.group = (controlStyle & WS_GROUP) != 0;
    dialog.controls.push_back(control);
  }
  return dialog;
}

TEST_F(ProgramResources, TheStringTableIsTheOneTheStandInHolds) {
  const memory::StringTable expected = memory::ProgramStrings();
  for (UINT id = 0; id < 2048; ++id) {
    char text[1024];
    const int length = LoadStringA(module_, id, text, sizeof text);
    const auto found = expected.find(id);
    if (found == expected.end()) {
      EXPECT_EQ(0, length) << "string " << id << " has no copy";
    } else {
      EXPECT_EQ(found->second, std::string(text, static_cast<std::size_t>(length))) << "string " << id;
    }
  }
}

BOOL CALLBACK CollectNumberedName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<std::uint32_t>*>(names)->push_back(
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name)));
  }
  return TRUE;
}

TEST_F(ProgramResources, TheIconsAreTheOnesTheStandInKnows) {
  std::vector<std::uint32_t> icons;
  EnumResourceNamesA(module_, MAKEINTRESOURCEA(14), CollectNumberedName,  // RT_GROUP_ICON
                     reinterpret_cast<LONG_PTR>(&icons));
  EXPECT_EQ(memory::ProgramIcons(), icons);
}

TEST_F(ProgramResources, TheVersionResourceIsTheOneTheStandInHolds) {
  const std::string path = ProgramPath();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_NE(0u, size);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), handle, size, block.data()));
  const memory::VersionInfo expected = memory::ProgramVersion();

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(expected.translations->size() * 4, length);
  for (std::size_t i = 0; i < expected.translations->size(); ++i) {
    WORD pair[2];
    std::memcpy(pair, static_cast<const char*>(value) + i * 4, sizeof pair);
    EXPECT_EQ((*expected.translations)[i], (memory::VersionInfo::Translation{pair[0], pair[1]}));
  }
  for (const auto& table : expected.strings) {
    for (const auto& entry : table.second) {
      const std::string subBlock = "\\StringFileInfo\\" + table.first + "\\" + entry.first;
      ASSERT_TRUE(VerQueryValueA(block.data(), subBlock.c_str(), &value, &length)) << subBlock;
      EXPECT_EQ(entry.second, static_cast<const char*>(value)) << subBlock;
    }
  }
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  const auto& file = expected.fileVersion;
  const auto& product = expected.productVersion;
  EXPECT_EQ(MAKELONG(file[1], file[0]), static_cast<LONG>(fixed.dwFileVersionMS));
  EXPECT_EQ(MAKELONG(file[3], file[2]), static_cast<LONG>(fixed.dwFileVersionLS));
  EXPECT_EQ(MAKELONG(product[1], product[0]), static_cast<LONG>(fixed.dwProductVersionMS));
  EXPECT_EQ(MAKELONG(product[3], product[2]), static_cast<LONG>(fixed.dwProductVersionLS));
}

TEST_F(ProgramResources, TheDialogTemplatesAreTheOnesTheStandInHolds) {
  for (const auto& entry : memory::ProgramDialogTemplates()) {
    const memory::DialogTemplate actual = ReadTemplate(module_, entry.first);
    const memory::DialogTemplate& expected = entry.second;
    EXPECT_EQ(expected.caption, actual.caption) << entry.first;
    EXPECT_EQ(expected.widthDlu, actual.widthDlu) << entry.first;
    EXPECT_EQ(expected.heightDlu, actual.heightDlu) << entry.first;
    EXPECT_EQ(expected.systemMenu, actual.systemMenu) << entry.first;
    ASSERT_EQ(expected.controls.size(), actual.controls.size()) << entry.first;
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
      const memory::ControlTemplate& want = expected.controls[i];
      const memory::ControlTemplate& got = actual.controls[i];
      const std::string where = "dialog " + std::to_string(entry.first) + " control " + std::to_string(i);
      EXPECT_EQ(want.id, got.id) << where;
      EXPECT_EQ(static_cast<int>(want.kind), static_cast<int>(got.kind)) << where;
      EXPECT_EQ(want.text, got.text) << where;
      EXPECT_EQ(want.enabled, got.enabled) << where;
      EXPECT_EQ(want.group, got.group) << where;
    }
  }
}

}  // namespace
