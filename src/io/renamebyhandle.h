#pragma once

#include "io/handle.h"

#include <string>

namespace io {

// Windows only: renames the file that handle (opened with DELETE access) is open on to name,
// through the handle itself. extended: FileRenameInfoEx with flags; otherwise FileRenameInfo,
// replacing an existing name when flags is not 0. 0, or the system's error code;
// ERROR_BAD_PATHNAME when name has no whole path.
unsigned long renamebyhandle(oshandle handle, const std::string &name, bool extended,
                             unsigned long flags);

} // namespace io
