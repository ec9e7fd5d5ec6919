#pragma once
// Windows numbers that only the in-memory Windows and its tests need, beside
// the program's own in platform/WinConstants.h. The Windows build of the
// conformance tests checks each of them against the system headers.

#include <cstdint>

namespace win {

// Error codes
constexpr long kErrorPathNotFound = 3;
constexpr long kErrorNotSameDevice = 17;
constexpr long kErrorSharingViolation = 32;
constexpr long kErrorInvalidName = 123;
constexpr long kErrorModNotFound = 126;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorAlreadyExists = 183;
constexpr long kErrorBadExeFormat = 193;
constexpr long kErrorDirectory = 267;
constexpr long kErrorNoAccess = 998;
constexpr long kErrorResourceTypeNotFound = 1813;
constexpr long kErrorInvalidWindowHandle = 1400;

// Access rights of registry keys
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kKeyWrite = 0x20006;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kGenericRead = 0x80000000;

// Message boxes
constexpr std::uint32_t kMbOkCancel = 0x1;
constexpr std::uint32_t kMbAbortRetryIgnore = 0x2;
constexpr std::uint32_t kMbYesNoCancel = 0x3;
constexpr std::uint32_t kMbRetryCancel = 0x5;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;

// System commands
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScClose = 0xF060;
constexpr std::uintptr_t kScRestore = 0xF120;

}  // namespace win
