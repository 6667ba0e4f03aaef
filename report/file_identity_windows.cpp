// The same file: the same volume serial number and file index.
#include <windows.h>

#include "cpu/utf16_windows.h"
#include "report/file_identity.h"

namespace kest {

namespace {

bool Identify(const std::string& path, DWORD flags, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok;
}

}  // namespace

bool IsSameFile(const std::string& target, const std::string& source) {
    BY_HANDLE_FILE_INFORMATION out{}, in{};
    return Identify(target, FILE_FLAG_OPEN_REPARSE_POINT, out) && Identify(source, 0, in) &&
           out.dwVolumeSerialNumber == in.dwVolumeSerialNumber && out.nFileIndexHigh == in.nFileIndexHigh &&
           out.nFileIndexLow == in.nFileIndexLow;
}

}  // namespace kest
