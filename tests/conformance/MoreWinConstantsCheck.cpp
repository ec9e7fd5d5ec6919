// The stand-in's extra Windows numbers, checked against the system headers.

#include <windows.h>

#include "platform/memory/MoreWinConstants.h"

static_assert(win::kErrorPathNotFound == ERROR_PATH_NOT_FOUND, "");
static_assert(win::kErrorNotSameDevice == ERROR_NOT_SAME_DEVICE, "");
static_assert(win::kErrorSharingViolation == ERROR_SHARING_VIOLATION, "");
static_assert(win::kErrorInvalidName == ERROR_INVALID_NAME, "");
static_assert(win::kErrorModNotFound == ERROR_MOD_NOT_FOUND, "");
static_assert(win::kErrorBadPathname == ERROR_BAD_PATHNAME, "");
static_assert(win::kErrorAlreadyExists == ERROR_ALREADY_EXISTS, "");
static_assert(win::kErrorBadExeFormat == ERROR_BAD_EXE_FORMAT, "");
static_assert(win::kErrorDirectory == ERROR_DIRECTORY, "");
static_assert(win::kErrorNoAccess == ERROR_NOACCESS, "");
static_assert(win::kErrorResourceTypeNotFound == ERROR_RESOURCE_TYPE_NOT_FOUND, "");
static_assert(win::kErrorInvalidWindowHandle == ERROR_INVALID_WINDOW_HANDLE, "");

static_assert(win::kKeyQueryValue == KEY_QUERY_VALUE, "");
static_assert(win::kKeySetValue == KEY_SET_VALUE, "");
static_assert(win::kKeyCreateSubKey == KEY_CREATE_SUB_KEY, "");
static_assert(win::kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS, "");
static_assert(win::kKeyCreateLink == KEY_CREATE_LINK, "");
static_assert(win::kKeyWrite == KEY_WRITE, "");
static_assert(win::kDelete == DELETE, "");
static_assert(win::kWriteDac == WRITE_DAC, "");
static_assert(win::kWriteOwner == WRITE_OWNER, "");
static_assert(win::kMaximumAllowed == MAXIMUM_ALLOWED, "");
static_assert(win::kGenericAll == GENERIC_ALL, "");
static_assert(win::kGenericExecute == GENERIC_EXECUTE, "");
static_assert(win::kGenericWrite == GENERIC_WRITE, "");
static_assert(win::kGenericRead == GENERIC_READ, "");

static_assert(win::kMbOkCancel == MB_OKCANCEL, "");
static_assert(win::kMbAbortRetryIgnore == MB_ABORTRETRYIGNORE, "");
static_assert(win::kMbYesNoCancel == MB_YESNOCANCEL, "");
static_assert(win::kMbRetryCancel == MB_RETRYCANCEL, "");
static_assert(win::kIdAbort == IDABORT, "");
static_assert(win::kIdRetry == IDRETRY, "");
static_assert(win::kIdIgnore == IDIGNORE, "");

static_assert(win::kScMinimize == SC_MINIMIZE, "");
static_assert(win::kScClose == SC_CLOSE, "");
static_assert(win::kScRestore == SC_RESTORE, "");
