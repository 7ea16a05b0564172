// System error codes shared by every platform service. The numbers are Windows' own error codes, so the
// Win32 services pass them through unchanged and the portable services translate to them.
#pragma once

#include <cstdint>

namespace pm {

using SysError = std::uint32_t;

namespace sys_error {
inline constexpr SysError ok = 0;
inline constexpr SysError file_not_found = 2;             // ERROR_FILE_NOT_FOUND
inline constexpr SysError path_not_found = 3;             // ERROR_PATH_NOT_FOUND
inline constexpr SysError access_denied = 5;              // ERROR_ACCESS_DENIED
inline constexpr SysError invalid_handle = 6;             // ERROR_INVALID_HANDLE
inline constexpr SysError write_protect = 19;             // ERROR_WRITE_PROTECT
inline constexpr SysError not_ready = 21;                 // ERROR_NOT_READY
inline constexpr SysError write_fault = 29;               // ERROR_WRITE_FAULT
inline constexpr SysError read_fault = 30;                // ERROR_READ_FAULT
inline constexpr SysError sharing_violation = 32;         // ERROR_SHARING_VIOLATION
inline constexpr SysError handle_disk_full = 39;          // ERROR_HANDLE_DISK_FULL
inline constexpr SysError file_exists = 80;               // ERROR_FILE_EXISTS
inline constexpr SysError disk_full = 112;                // ERROR_DISK_FULL
inline constexpr SysError already_exists = 183;           // ERROR_ALREADY_EXISTS
inline constexpr SysError no_unicode_translation = 1113;  // ERROR_NO_UNICODE_TRANSLATION
inline constexpr SysError file_corrupt = 1392;            // ERROR_FILE_CORRUPT
inline constexpr SysError device_removed = 1617;          // ERROR_DEVICE_REMOVED
}  // namespace sys_error

}  // namespace pm
