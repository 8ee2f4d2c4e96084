#include "io/errortext.h"
#include "rotate/logfiles.h"

#include <windows.h>

#include <cstring>
#include <vector>

const bool detectsheld = true;

namespace {

std::string reason(DWORD error) {
    return errortext(error, "another program has it open");
}

} // namespace

heldlog::~heldlog() {
    if (handle != -1)
        CloseHandle((HANDLE)handle);
}

heldlog::state heldlog::open(const std::string &name, std::string &why) {
    // DELETE access, shared for reading only: refused with a sharing violation while a run
    // holds the log for writing, and while it is open here no run can open it for writing.
    HANDLE h = CreateFileA(name.c_str(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return missing;
        if (error == ERROR_SHARING_VIOLATION)
            return held;
        why = reason(error);
        return failed;
    }
    handle = (long long)h;
    current = name;
    return opened;
}

unsigned long long heldlog::size() const {
    LARGE_INTEGER size{};
    GetFileSizeEx((HANDLE)handle, &size);
    return size.QuadPart;
}

bool heldlog::renameto(const std::string &name, std::string &why) {
    // The rename goes through the held handle, which takes a whole path.
    std::vector<wchar_t> full(MAX_PATH * 4);
    DWORD length = 0;
    int wide = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> given(wide > 0 ? wide : 1);
    if (wide > 0 && MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, given.data(), wide) > 0)
        length = GetFullPathNameW(given.data(), (DWORD)full.size(), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        why = "no whole path for " + name;
        return false;
    }
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + length * sizeof(wchar_t));
    auto *info = (FILE_RENAME_INFO *)buffer.data();
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = length * sizeof(wchar_t);
    std::memcpy(info->FileName, full.data(), length * sizeof(wchar_t));
    if (!SetFileInformationByHandle((HANDLE)handle, FileRenameInfo, info, (DWORD)buffer.size())) {
        why = reason(GetLastError());
        return false;
    }
    current = name;
    return true;
}

namekind kindof(const std::string &name) {
    DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? nothing : othername;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return othername;
    return attributes & FILE_ATTRIBUTE_READONLY ? lockedfile : plainfile;
}

bool movefile(const std::string &from, const std::string &to, std::string &why) {
    // No MOVEFILE_REPLACE_EXISTING: a name taken since the plan stops the rotation.
    if (MoveFileExA(from.c_str(), to.c_str(), 0))
        return true;
    why = reason(GetLastError());
    return false;
}

bool removefile(const std::string &name, std::string &why) {
    if (DeleteFileA(name.c_str()))
        return true;
    why = reason(GetLastError());
    return false;
}
