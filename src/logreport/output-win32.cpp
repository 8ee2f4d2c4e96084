#include "logreport/output.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

std::string why(DWORD error) {
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
        return "its folder does not exist";
    case ERROR_ACCESS_DENIED:
        return "access is denied";
    case ERROR_SHARING_VIOLATION:
        return "another program holds it open";
    default:
        return "Windows error " + std::to_string(error);
    }
}

} // namespace

std::string writeatomically(const std::string &path, const std::string &text) {
    std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE h = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return why(GetLastError());
    DWORD put = 0;
    bool written = WriteFile(h, text.data(), (DWORD)text.size(), &put, nullptr) &&
                   put == text.size() && FlushFileBuffers(h);
    DWORD error = written ? 0 : GetLastError();
    CloseHandle(h);
    if (written && !MoveFileExA(temporary.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError(), written = false;
    if (!written) {
        DeleteFileA(temporary.c_str());
        return why(error);
    }
    return "";
}

void rawconsole() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}
