#pragma once

#include "io/handle.h"
#include "rotate/rotate.h"

#include <string>

namespace rotate {

// The file system as a rotation needs it; each failure says the system's reason, and success
// is an empty one.

// The log, opened so that while it is open no run can open it for writing, and renamed
// through that very handle.
class heldlog {
public:
    // linked: io::linked, judged on the handle.
    enum state { opened, missing, held, linked, failed };

    heldlog() = default;
    ~heldlog();
    heldlog(const heldlog &) = delete;
    heldlog &operator=(const heldlog &) = delete;

    state open(const std::string &name, std::string &why);
    unsigned long long size() const;
    std::string renameto(const std::string &name);

private:
    io::oshandle handle = io::closedhandle;
    std::string current;
};

// Whether heldlog::open tells a log that a run holds open from one that nobody holds.
extern const bool detectsheld;

namekind kindof(const std::string &name);
// The length of a file that another program may hold: read without opening it; 0 if unknown.
unsigned long long lengthof(const std::string &name);
// Never replaces an existing file.
std::string movefile(const std::string &from, const std::string &to);
std::string removefile(const std::string &name);

} // namespace rotate
