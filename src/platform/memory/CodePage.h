#pragma once
// The system's ANSI code page as the in-memory Windows sees it: which bytes
// start a double-byte character, how the C runtime folds letters, and how the
// registry and the file system compare names. Two code pages are modelled:
// 1252 (Western, single-byte) and 932 (Japanese, double-byte).

#include <cstdint>
#include <string>
#include <vector>

namespace memory {

class CodePage {
 public:
  explicit CodePage(unsigned int id = 1252);

  unsigned int Id() const { return id_; }
  bool IsDoubleByte() const { return id_ == 932; }
  bool IsLeadByte(unsigned char byte) const;

  // The character that starts at `text` and its length in bytes: a lead byte
  // with its trail byte makes one character (lead << 8 | trail); a lead byte
  // right before the terminator stands alone.
  unsigned int CharAt(const char* text, std::size_t* length) const;

  // The C runtime's _mbctolower: ASCII letters in every code page; in 932 also
  // the full-width Latin, Greek and Cyrillic capitals. The second byte of a
  // double-byte character is never folded on its own.
  unsigned int CrtLower(unsigned int ch) const;

  // The key by which the registry and the file system compare and order
  // names: each character lower-cased through Unicode, so that names equal
  // but for case get equal keys and keys sort like the system sorts names.
  // Double-byte characters without a known Unicode value sort after all
  // others, by their code.
  std::vector<std::uint32_t> NameKey(const std::string& name) const;

  // The number of characters of `text` (a double-byte character counts once).
  std::size_t CharCount(const std::string& text) const;

 private:
  std::uint32_t NameOrder(unsigned int ch) const;

  unsigned int id_;
};

}  // namespace memory
