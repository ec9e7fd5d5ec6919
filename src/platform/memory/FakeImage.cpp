#include "platform/memory/FakeImage.h"

#include <cstring>

namespace memory {

namespace {

const char kImageMagic[] = "MZ\x90\0RegOrvik memory image\n";
constexpr std::size_t kImageMagicSize = sizeof kImageMagic - 1;
const char kBlockMagic[4] = {'M', 'V', 'I', '1'};
constexpr std::size_t kFixedInfoOffset = 8;
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

void PutU32(std::string& out, std::uint32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, 4);
  out.append(bytes, 4);
}

void PutText(std::string& out, const std::string& text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  out += text;
}

// Reads fields in the order PutU32/PutText wrote them; any read past the end
// turns the reader bad for good.
class Reader {
 public:
  Reader(const char* data, std::size_t size) : data_(data), size_(size) {}
  bool Good() const { return good_; }
  std::size_t Offset() const { return offset_; }
  std::uint32_t U32() {
    std::uint32_t value = 0;
    if (!Need(4)) return 0;
    std::memcpy(&value, data_ + offset_, 4);
    offset_ += 4;
    return value;
  }
  std::string Text() {
    const std::uint32_t length = U32();
    if (!Need(length)) return std::string();
    std::string text(data_ + offset_, length);
    offset_ += length;
    return text;
  }
  // A text stored with a terminator after it; returns where it starts.
  const char* TerminatedText(std::uint32_t* length) {
    *length = U32();
    if (!Need(static_cast<std::size_t>(*length) + 1) || data_[offset_ + *length] != '\0') {
      good_ = false;
      return nullptr;
    }
    const char* text = data_ + offset_;
    offset_ += *length + 1;
    return text;
  }
  const char* Skip(std::size_t count) {
    if (!Need(count)) return nullptr;
    const char* at = data_ + offset_;
    offset_ += count;
    return at;
  }

 private:
  bool Need(std::size_t count) {
    if (good_ && count <= size_ - offset_) return true;
    good_ = false;
    return false;
  }

  const char* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
  bool good_ = true;
};

std::uint32_t High(const std::array<std::uint16_t, 4>& v) { return (std::uint32_t{v[0]} << 16) | v[1]; }
std::uint32_t Low(const std::array<std::uint16_t, 4>& v) { return (std::uint32_t{v[2]} << 16) | v[3]; }

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::vector<std::string> PathComponents(const std::string& path) {
  std::vector<std::string> components;
  std::string current;
  for (char c : path) {
    if (c != '\\') {
      current += c;
      continue;
    }
    if (!current.empty()) components.push_back(current);
    current.clear();
  }
  if (!current.empty()) components.push_back(current);
  return components;
}

bool Answer(const void* at, std::uint32_t size, const void** value, std::uint32_t* length) {
  if (value != nullptr) *value = at;
  if (length != nullptr) *length = size;
  return true;
}

}  // namespace

VersionInfo VersionInfo::ForProduct(const std::string& productVersion) {
  VersionInfo info;
  info.translations = std::vector<Translation>{{0x0409, 0x04B0}};
  info.strings["040904b0"] = {{"ProductVersion", productVersion}, {"FileVersion", productVersion}};
  return info;
}

std::string MakeImage(const StringTable& strings, const std::optional<VersionInfo>& version) {
  std::string image(kImageMagic, kImageMagicSize);
  PutU32(image, static_cast<std::uint32_t>(strings.size()));
  for (const auto& entry : strings) {
    PutU32(image, entry.first);
    PutText(image, entry.second);
  }
  PutU32(image, version.has_value() ? 1 : 0);
  if (version.has_value()) PutText(image, MakeVersionBlock(*version));
  return image;
}

std::optional<Image> ParseImage(const std::string& content) {
  if (content.compare(0, kImageMagicSize, kImageMagic, kImageMagicSize) != 0) return std::nullopt;
  Reader reader(content.data() + kImageMagicSize, content.size() - kImageMagicSize);
  Image image;
  const std::uint32_t count = reader.U32();
  for (std::uint32_t i = 0; i < count && reader.Good(); ++i) {
    const std::uint32_t id = reader.U32();
    image.strings[id] = reader.Text();
  }
  if (reader.U32() == 1) image.versionBlock = reader.Text();
  if (!reader.Good()) return std::nullopt;
  return image;
}

std::string MakeVersionBlock(const VersionInfo& version) {
  std::string block(kBlockMagic, sizeof kBlockMagic);
  PutU32(block, 0);  // the total size, set at the end
  std::string fixed(kFixedInfoSize, '\0');
  const std::uint32_t words[] = {kFixedInfoSignature,   0x00010000,           High(version.fileVersion),
                                 Low(version.fileVersion), High(version.productVersion), Low(version.productVersion)};
  std::memcpy(&fixed[0], words, sizeof words);
  block += fixed;
  PutU32(block, version.translations.has_value() ? 1 : 0);
  const std::vector<VersionInfo::Translation> none;
  const auto& translations = version.translations.has_value() ? *version.translations : none;
  PutU32(block, static_cast<std::uint32_t>(translations.size()));
  for (const auto& translation : translations) {
    PutU32(block, static_cast<std::uint32_t>(translation.first) | (static_cast<std::uint32_t>(translation.second) << 16));
  }
  std::uint32_t count = 0;
  for (const auto& table : version.strings) count += static_cast<std::uint32_t>(table.second.size());
  PutU32(block, count);
  for (const auto& table : version.strings) {
    for (const auto& entry : table.second) {
      for (const std::string* text : {&table.first, &entry.first, &entry.second}) {
        PutText(block, *text);
        block += '\0';
      }
    }
  }
  const auto total = static_cast<std::uint32_t>(block.size());
  std::memcpy(&block[4], &total, 4);
  return block;
}

bool QueryVersionBlock(const void* block, const std::string& subBlock, const void** value, std::uint32_t* length) {
  if (length != nullptr) *length = 0;
  if (block == nullptr) return false;
  const char* bytes = static_cast<const char*>(block);
  std::uint32_t total = 0;
  std::memcpy(&total, bytes + 4, 4);
  if (std::memcmp(bytes, kBlockMagic, 4) != 0 || total < kFixedInfoOffset + kFixedInfoSize + 12) return false;

  Reader reader(bytes, total);
  reader.Skip(kFixedInfoOffset);
  const char* fixed = reader.Skip(kFixedInfoSize);
  const bool hasTranslations = reader.U32() == 1;
  const std::uint32_t translationCount = reader.U32();
  const char* translations = reader.Skip(static_cast<std::size_t>(translationCount) * 4);
  if (!reader.Good()) return false;

  const std::vector<std::string> path = PathComponents(subBlock);
  if (path.empty()) return Answer(fixed, kFixedInfoSize, value, length);
  if (SameNoCase(path[0], "VarFileInfo")) {
    if (!hasTranslations || path.size() > 2) return false;
    if (path.size() == 1) return Answer(translations, 0, value, length);
    if (!SameNoCase(path[1], "Translation")) return false;
    return Answer(translations, translationCount * 4, value, length);
  }
  if (!SameNoCase(path[0], "StringFileInfo") || path.size() > 3) return false;

  const std::uint32_t count = reader.U32();
  bool blockSeen = false;
  for (std::uint32_t i = 0; i < count && reader.Good(); ++i) {
    std::uint32_t blockLength = 0;
    std::uint32_t nameLength = 0;
    std::uint32_t valueLength = 0;
    const char* blockName = reader.TerminatedText(&blockLength);
    const char* name = reader.TerminatedText(&nameLength);
    const char* text = reader.TerminatedText(&valueLength);
    if (!reader.Good()) return false;
    if (path.size() == 1) return Answer(blockName, 0, value, length);
    if (!SameNoCase(std::string(blockName, blockLength), path[1])) continue;
    blockSeen = true;
    if (path.size() == 3 && SameNoCase(std::string(name, nameLength), path[2])) {
      return Answer(text, valueLength + 1, value, length);
    }
  }
  if (path.size() == 2 && blockSeen) return Answer(bytes, 0, value, length);
  return false;
}

}  // namespace memory
