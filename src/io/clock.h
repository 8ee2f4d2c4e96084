#pragma once

namespace io {

struct utctime {
    int year, month, day, hour, minute, second;
};

// The system clock in UTC, never local time: logs from machines in different zones compare.
utctime utcnow();

} // namespace io
