#include "io/errortext.h"
#include "io/file.h"
#include "io/renamebyhandle.h"
#include "rotate/logfiles.h"

#include <windows.h>

namespace rotate {

const bool detectsheld = true;

namespace {

std::string reason(DWORD error) {
    return io::errortext(error, "another program has it open");
}

} // namespace

heldlog::~heldlog() {
    if (handle != io::closedhandle)
        CloseHandle((HANDLE)handle);
}

heldlog::state heldlog::open(const std::string &name, std::string &why) {
    // DELETE access, shared for reading only: refused with a sharing violation while a run
    // holds the log for writing, and while it is open here no run can open it for writing.
    // The link itself, not what it leads to, so that a link is seen as one.
    HANDLE h = CreateFileA(name.c_str(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return missing;
        if (error == ERROR_SHARING_VIOLATION)
            return held;
        why = reason(error);
        return failed;
    }
    if (io::linked((io::oshandle)h)) {
        CloseHandle(h);
        return linked;
    }
    handle = (io::oshandle)h;
    current = name;
    return opened;
}

unsigned long long heldlog::size() const {
    LARGE_INTEGER size{};
    GetFileSizeEx((HANDLE)handle, &size);
    return size.QuadPart;
}

std::string heldlog::renameto(const std::string &name) {
    if (DWORD error = io::renamebyhandle(handle, name, false, 0))
        return error == ERROR_BAD_PATHNAME ? "no whole path for " + name : reason(error);
    current = name;
    return "";
}

namekind kindof(const std::string &name) {
    DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? nothing : othername;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return othername;
    // The count of names needs a handle: one for the attributes alone, which no share mode
    // refuses. Unopened, the attributes judge as before.
    HANDLE h = CreateFileA(name.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        bool islinked = io::linked((io::oshandle)h);
        CloseHandle(h);
        if (islinked)
            return linkedfile;
    }
    return attributes & FILE_ATTRIBUTE_READONLY ? lockedfile : plainfile;
}

unsigned long long lengthof(const std::string &name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

std::string movefile(const std::string &from, const std::string &to) {
    // No MOVEFILE_REPLACE_EXISTING: a name taken since the plan stops the rotation.
    if (MoveFileExA(from.c_str(), to.c_str(), 0))
        return "";
    return reason(GetLastError());
}

std::string removefile(const std::string &name) {
    if (DeleteFileA(name.c_str()))
        return "";
    return reason(GetLastError());
}

} // namespace rotate
