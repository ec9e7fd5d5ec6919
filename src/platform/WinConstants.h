#pragma once
// The Windows numbers the program's decisions are made of. They carry their own
// names so that this header can sit beside <windows.h>; the Win32 side checks
// every one of them against the system headers at compile time.

#include <cstdint>

namespace win {

// Error codes
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorNotEnoughMemory = 8;
constexpr long kErrorFileExists = 80;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;
constexpr long kErrorKeyDeleted = 1018;

// Registry
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Files
constexpr std::uint32_t kMoveFileReplaceExisting = 1;
constexpr std::uint32_t kMoveFileCopyAllowed = 2;

// Processes
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitAbandoned = 0x80;
constexpr std::uint32_t kWaitTimeout = 0x102;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kStartfUseShowWindow = 1;
constexpr std::uint16_t kSwHide = 0;

// Message boxes
constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbYesNo = 0x4;
constexpr std::uint32_t kMbTypeMask = 0xF;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr std::uint32_t kMbIconQuestion = 0x20;
constexpr std::uint32_t kMbIconExclamation = 0x30;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr std::uint32_t kMbIconMask = 0xF0;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Window messages and their parameters
constexpr std::uint32_t kWmPaint = 0x000F;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmIconEraseBkgnd = 0x0027;
constexpr std::uint32_t kWmQueryDragIcon = 0x0037;
constexpr std::uint32_t kWmSetIcon = 0x0080;
constexpr std::uint32_t kWmInitDialog = 0x0110;
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kIconSmall = 0;
constexpr std::uintptr_t kIconBig = 1;
constexpr std::uint16_t kBnClicked = 0;
constexpr std::uint32_t kBstUnchecked = 0;
constexpr std::uint32_t kBstChecked = 1;
constexpr std::uint32_t kMfString = 0x0;
constexpr std::uint32_t kMfSeparator = 0x800;
constexpr int kSmCxIcon = 11;
constexpr int kSmCyIcon = 12;


// Numbers only the in-memory Windows and its tests need: what Windows
// answers in cases the program itself never asks about.
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
