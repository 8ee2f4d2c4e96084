#include "io/errortext.h"
#include "logreport/logsource.h"

#include <windows.h>

namespace logreport {

logsource::~logsource() {
    if (handle != io::closedhandle)
        CloseHandle((HANDLE)handle);
}

std::string logsource::open(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a directory";
    HANDLE h =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        handle = (io::oshandle)h;
        return "";
    }
    return io::errortext(GetLastError(),
                         "another program holds it open and shares it with no reader");
}

long logsource::read(char *buffer, unsigned size) {
    DWORD got = 0;
    if (!ReadFile((HANDLE)handle, buffer, size, &got, nullptr))
        return -1;
    return (long)got;
}

} // namespace logreport
