// usage: versioninfo EXE. Prints EXE's version resource on one line, read as Explorer reads it:
// file and product version, FileVersion, ProductVersion, ProductName, OriginalFilename.
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    DWORD ignored = 0, size = argc == 2 ? GetFileVersionInfoSizeA(argv[1], &ignored) : 0;
    std::vector<char> info(size + 1);
    VS_FIXEDFILEINFO *fixed = nullptr;
    WORD *language = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA(argv[1], 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", (void **)&fixed, &length) ||
        !VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", (void **)&language, &length)) {
        std::printf("no version resource (error %lu)\n", GetLastError());
        return 1;
    }
    for (DWORD *ms : {&fixed->dwFileVersionMS, &fixed->dwProductVersionMS}) {
        std::printf("%u.%u.%u.%u ", HIWORD(ms[0]), LOWORD(ms[0]), HIWORD(ms[1]), LOWORD(ms[1]));
    }
    // The strings stand under the language and code page that the resource names.
    for (const char *name : {"FileVersion", "ProductVersion", "ProductName", "OriginalFilename"}) {
        char key[80], *value = nullptr;
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1],
                      name);
        std::printf("%s ",
                    VerQueryValueA(info.data(), key, (void **)&value, &length) ? value : "-");
    }
    std::printf("\n");
    return 0;
}
