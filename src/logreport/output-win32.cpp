#include "io/errortext.h"
#include "io/renamebyhandle.h"
#include "logreport/output.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

// Headers for a _WIN32_WINNT below Windows 10 1607 lack them: the values FILE_RENAME_INFO gives.
#ifndef FILE_RENAME_FLAG_POSIX_SEMANTICS
#define FILE_RENAME_FLAG_REPLACE_IF_EXISTS 0x00000001
#define FILE_RENAME_FLAG_POSIX_SEMANTICS 0x00000002
#endif

namespace logreport {

namespace {

std::string why(DWORD error) {
    // The report's file is created: a missing path is its folder.
    if (error == ERROR_PATH_NOT_FOUND)
        return "its folder does not exist";
    return io::errortext(error, "another program holds it open");
}

} // namespace

std::string writeatomically(const std::string &path, const std::string &text) {
    std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE h = CreateFileA(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return why(GetLastError());
    DWORD put = 0;
    bool written = WriteFile(h, text.data(), (DWORD)text.size(), &put, nullptr) &&
                   put == text.size() && FlushFileBuffers(h);
    DWORD error = written ? 0 : GetLastError();
    // POSIX semantics replace the report even while a collector holds the old one open without
    // delete sharing (NTFS, Windows 10 1809 and later); where refused or unknown, the plain
    // rename below.
    bool renamed = written && io::renamebyhandle((io::oshandle)h, path, true,
                                                 FILE_RENAME_FLAG_REPLACE_IF_EXISTS |
                                                     FILE_RENAME_FLAG_POSIX_SEMANTICS) == 0;
    CloseHandle(h);
    // A collector reading the old file holds it without delete sharing for a moment: the
    // rename is tried again for up to half a second rather than losing this report.
    for (int tries = 0; written && !renamed; ++tries) {
        if (MoveFileExA(temporary.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            break;
        error = GetLastError();
        if (tries == 10 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
            written = false;
        else
            Sleep(50);
    }
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

} // namespace logreport
