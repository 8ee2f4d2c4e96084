#include "io/file.h"
#include "io/ioexception.h"

#include <windows.h>

namespace io {

namespace {
DWORD openerror; // of the last open that failed
} // namespace

bool refusedbysharing() {
    return openerror == ERROR_SHARING_VIOLATION;
}

void pausefor(unsigned ms) {
    Sleep(ms);
}

file::~file() {}

bool linked(oshandle handle) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle((HANDLE)handle, &info))
        return true;
    return info.nNumberOfLinks > 1 || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void file::open(const char *name, int mode, bool plainonly) {
    DWORD access = GENERIC_WRITE;
    DWORD disposition = OPEN_ALWAYS;
    if (mode == 0) {
        access = GENERIC_READ;
        disposition = OPEN_EXISTING;
    } else if (mode == 2) {
        disposition = CREATE_ALWAYS;
    } else if (mode == 3) {
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_EXISTING;
    }
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (plainonly) {
        // The link itself, not what it leads to; its attributes to judge it by; and emptied
        // only once judged (CREATE_ALWAYS would empty another's file through a hard link).
        flags |= FILE_FLAG_OPEN_REPARSE_POINT;
        access |= FILE_READ_ATTRIBUTES;
        if (disposition == CREATE_ALWAYS)
            disposition = OPEN_ALWAYS;
    }
    HANDLE h = CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        openerror = GetLastError();
        throw openfailed;
    }
    if (plainonly && (linked((oshandle)h) || (mode == 2 && !SetEndOfFile(h)))) {
        CloseHandle(h);
        openerror = ERROR_ACCESS_DENIED;
        throw openfailed;
    }
    handle = (oshandle)h;
}

bool file::isopen() const {
    return handle != closedhandle;
}

unsigned file::read(void *buffer, unsigned size) {
    DWORD got = 0;
    if (!ReadFile((HANDLE)handle, buffer, size, &got, nullptr))
        throw readfailed;
    return got;
}

void file::write(const void *buffer, unsigned size) {
    DWORD put = 0;
    if (!WriteFile((HANDLE)handle, buffer, size, &put, nullptr) || put != size)
        throw writefailed;
}

long long file::seek(long long distance, int method) {
    LONG high = (LONG)(distance >> 32);
    DWORD low = SetFilePointer((HANDLE)handle, (LONG)(distance & 0xFFFFFFFF), &high, method);
    // INVALID_SET_FILE_POINTER is also a valid low half; only the error code tells.
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return ((long long)high << 32) | low;
}

void file::flush() {
    if (!FlushFileBuffers((HANDLE)handle))
        throw writefailed;
}

void file::close() {
    if (handle == closedhandle)
        return;
    CloseHandle((HANDLE)handle);
    handle = closedhandle;
}

} // namespace io
