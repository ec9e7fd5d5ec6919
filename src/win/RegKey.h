#pragma once
// An open registry key below HKEY_LOCAL_MACHINE that closes itself. Every
// method returns the Windows error code and says in the log what it did; a
// failed read leaves its output untouched.

#include <windows.h>

#include <string>

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // RegOpenKeyExA of `path` below HKEY_LOCAL_MACHINE, or of `name` below an
  // open key.
  [[nodiscard]] LONG Open(const std::string& path, REGSAM access);
  [[nodiscard]] LONG Open(const RegKey& parent, const std::string& name, REGSAM access);
  // RegCreateKeyExA below HKEY_LOCAL_MACHINE with full access: creates every
  // missing key on the way.
  [[nodiscard]] LONG Create(const std::string& path);

  // Reads a value of at most `capacity` bytes. The text is the data up to its
  // first zero byte; data that does not fit is a failed read.
  [[nodiscard]] LONG ReadText(const char* name, DWORD capacity, std::string& text, DWORD* type = nullptr) const;
  // Reads exactly `size` bytes or fewer; the type is not examined.
  [[nodiscard]] LONG ReadBytes(const char* name, void* data, DWORD size) const;
  // A REG_SZ holding exactly the text's bytes: no terminator is stored.
  [[nodiscard]] LONG WriteText(const char* name, const std::string& text);
  [[nodiscard]] LONG WriteDword(const char* name, DWORD value);

  // The name of the subkey at `index`, read into a 260-byte buffer.
  [[nodiscard]] LONG EnumKey(DWORD index, std::string& name) const;
  // RegDeleteKeyA: refuses a key that still has subkeys.
  [[nodiscard]] LONG DeleteKey(const std::string& subkey) const;

  // Closes the key now, for callers that count a failed close as a failure.
  // Nothing open is a success.
  LONG Close();

 private:
  LONG OpenBelow(HKEY parent, const std::string& parentPath, const std::string& name, REGSAM access);
  // RegQueryValueExA into `size` bytes; `size` becomes the data's size.
  LONG Query(const char* name, void* data, DWORD& size, DWORD& type) const;
  LONG Write(const char* name, DWORD type, const BYTE* data, DWORD size);

  HKEY key_ = nullptr;
  std::string path_;  // as the log names it: HKLM\...
};
