#include "io/clock.h"

#include <windows.h>

namespace io {

utctime utcnow() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace io
