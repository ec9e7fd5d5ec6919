// The seam's own copies of Windows numbers must be the system's: checked
// here, where both are in sight, so that a typo cannot build.

#include "platform/WinConstants.h"
#include "platform/win32/WindowsApi.h"

namespace win32 {

namespace {

template <typename Ours, typename Systems>
constexpr bool Same(Ours ours, Systems systems) {
  return static_cast<long long>(ours) == static_cast<long long>(systems);
}

static_assert(Same(win::kErrorSuccess, ERROR_SUCCESS), "ERROR_SUCCESS");
static_assert(Same(win::kErrorFileNotFound, ERROR_FILE_NOT_FOUND), "ERROR_FILE_NOT_FOUND");
static_assert(Same(win::kErrorAccessDenied, ERROR_ACCESS_DENIED), "ERROR_ACCESS_DENIED");
static_assert(Same(win::kErrorInvalidHandle, ERROR_INVALID_HANDLE), "ERROR_INVALID_HANDLE");
static_assert(Same(win::kErrorNotEnoughMemory, ERROR_NOT_ENOUGH_MEMORY), "ERROR_NOT_ENOUGH_MEMORY");
static_assert(Same(win::kErrorFileExists, ERROR_FILE_EXISTS), "ERROR_FILE_EXISTS");
static_assert(Same(win::kErrorInvalidParameter, ERROR_INVALID_PARAMETER), "ERROR_INVALID_PARAMETER");
static_assert(Same(win::kErrorMoreData, ERROR_MORE_DATA), "ERROR_MORE_DATA");
static_assert(Same(win::kErrorNoMoreItems, ERROR_NO_MORE_ITEMS), "ERROR_NO_MORE_ITEMS");
static_assert(Same(win::kErrorKeyDeleted, ERROR_KEY_DELETED), "ERROR_KEY_DELETED");

static_assert(Same(win::kKeyRead, KEY_READ), "KEY_READ");
static_assert(Same(win::kKeyAllAccess, KEY_ALL_ACCESS), "KEY_ALL_ACCESS");
static_assert(Same(win::kRegNone, REG_NONE), "REG_NONE");
static_assert(Same(win::kRegSz, REG_SZ), "REG_SZ");
static_assert(Same(win::kRegExpandSz, REG_EXPAND_SZ), "REG_EXPAND_SZ");
static_assert(Same(win::kRegBinary, REG_BINARY), "REG_BINARY");
static_assert(Same(win::kRegDword, REG_DWORD), "REG_DWORD");
static_assert(Same(win::kRegMultiSz, REG_MULTI_SZ), "REG_MULTI_SZ");

static_assert(Same(win::kMoveFileReplaceExisting, MOVEFILE_REPLACE_EXISTING), "MOVEFILE_REPLACE_EXISTING");
static_assert(Same(win::kMoveFileCopyAllowed, MOVEFILE_COPY_ALLOWED), "MOVEFILE_COPY_ALLOWED");

static_assert(Same(win::kInfinite, INFINITE), "INFINITE");
static_assert(Same(win::kWaitObject0, WAIT_OBJECT_0), "WAIT_OBJECT_0");
static_assert(Same(win::kWaitAbandoned, WAIT_ABANDONED), "WAIT_ABANDONED");
static_assert(Same(win::kWaitTimeout, WAIT_TIMEOUT), "WAIT_TIMEOUT");
static_assert(Same(win::kWaitFailed, WAIT_FAILED), "WAIT_FAILED");
static_assert(Same(win::kStillActive, STILL_ACTIVE), "STILL_ACTIVE");
static_assert(Same(win::kStartfUseShowWindow, STARTF_USESHOWWINDOW), "STARTF_USESHOWWINDOW");
static_assert(Same(win::kSwHide, SW_HIDE), "SW_HIDE");

static_assert(Same(win::kMbOk, MB_OK), "MB_OK");
static_assert(Same(win::kMbYesNo, MB_YESNO), "MB_YESNO");
static_assert(Same(win::kMbTypeMask, MB_TYPEMASK), "MB_TYPEMASK");
static_assert(Same(win::kMbIconError, MB_ICONERROR), "MB_ICONERROR");
static_assert(Same(win::kMbIconQuestion, MB_ICONQUESTION), "MB_ICONQUESTION");
static_assert(Same(win::kMbIconExclamation, MB_ICONEXCLAMATION), "MB_ICONEXCLAMATION");
static_assert(Same(win::kMbIconInformation, MB_ICONINFORMATION), "MB_ICONINFORMATION");
static_assert(Same(win::kMbIconMask, MB_ICONMASK), "MB_ICONMASK");
static_assert(Same(win::kIdOk, IDOK), "IDOK");
static_assert(Same(win::kIdCancel, IDCANCEL), "IDCANCEL");
static_assert(Same(win::kIdYes, IDYES), "IDYES");
static_assert(Same(win::kIdNo, IDNO), "IDNO");

static_assert(Same(win::kWmPaint, WM_PAINT), "WM_PAINT");
static_assert(Same(win::kWmClose, WM_CLOSE), "WM_CLOSE");
static_assert(Same(win::kWmIconEraseBkgnd, WM_ICONERASEBKGND), "WM_ICONERASEBKGND");
static_assert(Same(win::kWmQueryDragIcon, WM_QUERYDRAGICON), "WM_QUERYDRAGICON");
static_assert(Same(win::kWmSetIcon, WM_SETICON), "WM_SETICON");
static_assert(Same(win::kWmInitDialog, WM_INITDIALOG), "WM_INITDIALOG");
static_assert(Same(win::kWmCommand, WM_COMMAND), "WM_COMMAND");
static_assert(Same(win::kWmSysCommand, WM_SYSCOMMAND), "WM_SYSCOMMAND");
static_assert(Same(win::kIconSmall, ICON_SMALL), "ICON_SMALL");
static_assert(Same(win::kIconBig, ICON_BIG), "ICON_BIG");
static_assert(Same(win::kBnClicked, BN_CLICKED), "BN_CLICKED");
static_assert(Same(win::kBstUnchecked, BST_UNCHECKED), "BST_UNCHECKED");
static_assert(Same(win::kBstChecked, BST_CHECKED), "BST_CHECKED");
static_assert(Same(win::kMfString, MF_STRING), "MF_STRING");
static_assert(Same(win::kMfSeparator, MF_SEPARATOR), "MF_SEPARATOR");
static_assert(Same(win::kSmCxIcon, SM_CXICON), "SM_CXICON");
static_assert(Same(win::kSmCyIcon, SM_CYICON), "SM_CYICON");
static_assert(Same(win::kErrorPathNotFound, ERROR_PATH_NOT_FOUND), "ERROR_PATH_NOT_FOUND");
static_assert(Same(win::kErrorNotSameDevice, ERROR_NOT_SAME_DEVICE), "ERROR_NOT_SAME_DEVICE");
static_assert(Same(win::kErrorSharingViolation, ERROR_SHARING_VIOLATION), "ERROR_SHARING_VIOLATION");
static_assert(Same(win::kErrorInvalidName, ERROR_INVALID_NAME), "ERROR_INVALID_NAME");
static_assert(Same(win::kErrorModNotFound, ERROR_MOD_NOT_FOUND), "ERROR_MOD_NOT_FOUND");
static_assert(Same(win::kErrorBadPathname, ERROR_BAD_PATHNAME), "ERROR_BAD_PATHNAME");
static_assert(Same(win::kErrorAlreadyExists, ERROR_ALREADY_EXISTS), "ERROR_ALREADY_EXISTS");
static_assert(Same(win::kErrorBadExeFormat, ERROR_BAD_EXE_FORMAT), "ERROR_BAD_EXE_FORMAT");
static_assert(Same(win::kErrorDirectory, ERROR_DIRECTORY), "ERROR_DIRECTORY");
static_assert(Same(win::kErrorNoAccess, ERROR_NOACCESS), "ERROR_NOACCESS");
static_assert(Same(win::kErrorResourceTypeNotFound, ERROR_RESOURCE_TYPE_NOT_FOUND), "ERROR_RESOURCE_TYPE_NOT_FOUND");
static_assert(Same(win::kErrorInvalidWindowHandle, ERROR_INVALID_WINDOW_HANDLE), "ERROR_INVALID_WINDOW_HANDLE");
static_assert(Same(win::kKeyQueryValue, KEY_QUERY_VALUE), "KEY_QUERY_VALUE");
static_assert(Same(win::kKeySetValue, KEY_SET_VALUE), "KEY_SET_VALUE");
static_assert(Same(win::kKeyCreateSubKey, KEY_CREATE_SUB_KEY), "KEY_CREATE_SUB_KEY");
static_assert(Same(win::kKeyEnumerateSubKeys, KEY_ENUMERATE_SUB_KEYS), "KEY_ENUMERATE_SUB_KEYS");
static_assert(Same(win::kKeyCreateLink, KEY_CREATE_LINK), "KEY_CREATE_LINK");
static_assert(Same(win::kKeyWrite, KEY_WRITE), "KEY_WRITE");
static_assert(Same(win::kDelete, DELETE), "DELETE");
static_assert(Same(win::kWriteDac, WRITE_DAC), "WRITE_DAC");
static_assert(Same(win::kWriteOwner, WRITE_OWNER), "WRITE_OWNER");
static_assert(Same(win::kMaximumAllowed, MAXIMUM_ALLOWED), "MAXIMUM_ALLOWED");
static_assert(Same(win::kGenericAll, GENERIC_ALL), "GENERIC_ALL");
static_assert(Same(win::kGenericExecute, GENERIC_EXECUTE), "GENERIC_EXECUTE");
static_assert(Same(win::kGenericWrite, GENERIC_WRITE), "GENERIC_WRITE");
static_assert(Same(win::kGenericRead, GENERIC_READ), "GENERIC_READ");
static_assert(Same(win::kMbOkCancel, MB_OKCANCEL), "MB_OKCANCEL");
static_assert(Same(win::kMbAbortRetryIgnore, MB_ABORTRETRYIGNORE), "MB_ABORTRETRYIGNORE");
static_assert(Same(win::kMbYesNoCancel, MB_YESNOCANCEL), "MB_YESNOCANCEL");
static_assert(Same(win::kMbRetryCancel, MB_RETRYCANCEL), "MB_RETRYCANCEL");
static_assert(Same(win::kIdAbort, IDABORT), "IDABORT");
static_assert(Same(win::kIdRetry, IDRETRY), "IDRETRY");
static_assert(Same(win::kIdIgnore, IDIGNORE), "IDIGNORE");
static_assert(Same(win::kScMinimize, SC_MINIMIZE), "SC_MINIMIZE");
static_assert(Same(win::kScClose, SC_CLOSE), "SC_CLOSE");
static_assert(Same(win::kScRestore, SC_RESTORE), "SC_RESTORE");

}  // namespace

}  // namespace win32
