#include "check/unreadable.h"
#include "io/errortext.h"

#include <windows.h>

namespace check {

std::string whyunreadable(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a directory";
    // Opened as the loader opens it, only to learn why that fails; read nothing, write nothing.
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return "";
    }
    return io::errortext(GetLastError(), "another program holds it open for writing");
}

} // namespace check
