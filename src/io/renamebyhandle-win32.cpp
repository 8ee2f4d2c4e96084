#include "io/renamebyhandle.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace io {

unsigned long renamebyhandle(oshandle handle, const std::string &name, bool extended,
                             unsigned long flags) {
    // Headers for a _WIN32_WINNT below Windows 10 1607 lack the class: its value in
    // FILE_INFO_BY_HANDLE_CLASS.
    const FILE_INFO_BY_HANDLE_CLASS renameinfoex = (FILE_INFO_BY_HANDLE_CLASS)22;
    // The name goes whole, drive and folders, as FILE_RENAME_INFO asks without a root.
    std::vector<wchar_t> full(MAX_PATH * 4);
    DWORD length = 0;
    int wide = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> given(wide > 0 ? wide : 1);
    if (wide > 0 && MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, given.data(), wide) > 0)
        length = GetFullPathNameW(given.data(), (DWORD)full.size(), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return ERROR_BAD_PATHNAME;
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + length * sizeof(wchar_t));
    auto *info = (FILE_RENAME_INFO *)buffer.data();
    // Flags and ReplaceIfExists share the struct's first bytes; older headers name only the
    // latter.
    DWORD first = extended ? flags : flags != 0;
    std::memcpy(buffer.data(), &first, extended ? sizeof first : 1);
    info->RootDirectory = nullptr;
    info->FileNameLength = length * sizeof(wchar_t);
    std::memcpy(info->FileName, full.data(), length * sizeof(wchar_t));
    if (!SetFileInformationByHandle((HANDLE)handle, extended ? renameinfoex : FileRenameInfo, info,
                                    (DWORD)buffer.size()))
        return GetLastError();
    return 0;
}

} // namespace io
