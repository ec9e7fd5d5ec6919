#pragma once
// Executable images for the in-memory Windows. An image is the content of a
// file in MemoryFiles, made by MakeImage: it carries a string table and,
// optionally, a version resource. Any other content does not load, as a file
// that is no executable does not on Windows.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace memory {

using StringTable = std::map<std::uint32_t, std::string>;

struct VersionInfo {
  using Translation = std::pair<std::uint16_t, std::uint16_t>;  // language, code page

  // The entries of \VarFileInfo\Translation; none means the block is absent.
  std::optional<std::vector<Translation>> translations;
  // String tables by block name ("040904b0"), each mapping names to values.
  std::map<std::string, std::map<std::string, std::string>> strings;
  std::array<std::uint16_t, 4> fileVersion{};
  std::array<std::uint16_t, 4> productVersion{};

  // The usual shape: one translation, US English and Unicode (0409, 04b0),
  // whose table holds ProductVersion and FileVersion.
  static VersionInfo ForProduct(const std::string& productVersion);
};

std::string MakeImage(const StringTable& strings, const std::optional<VersionInfo>& version = std::nullopt);

struct Image {
  StringTable strings;
  std::optional<std::string> versionBlock;  // as MakeVersionBlock made it
};

// The image a file holds, or nothing when it holds none.
std::optional<Image> ParseImage(const std::string& content);

// The version resource as GetFileVersionInfoA copies it: a self-contained
// block that VerQueryValueA reads, and that holds its own size.
std::string MakeVersionBlock(const VersionInfo& version);

// VerQueryValueA over such a block: "\" gives the fixed file information (52
// bytes), "\VarFileInfo\Translation" the array of translations (4 bytes
// each), "\StringFileInfo\<block>\<name>" the zero-terminated value with its
// length in characters, terminator included; a block on the way succeeds with
// length 0. Names compare without regard to case; empty components are
// skipped. False (length 0) for anything else or a damaged block.
bool QueryVersionBlock(const void* block, const std::string& subBlock, const void** value, std::uint32_t* length);

}  // namespace memory
