#pragma once

#include "io/handle.h"
#include "rotate/rotate.h"

#include <string>

// The file system as a rotation needs it; each failure sets why to the system's reason.

// The log, opened so that while it is open no run can open it for writing, and renamed
// through that very handle.
class heldlog {
public:
    enum state { opened, missing, held, failed };

    heldlog() = default;
    ~heldlog();
    heldlog(const heldlog &) = delete;
    heldlog &operator=(const heldlog &) = delete;

    state open(const std::string &name, std::string &why);
    unsigned long long size() const;
    bool renameto(const std::string &name, std::string &why);

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
bool movefile(const std::string &from, const std::string &to, std::string &why);
bool removefile(const std::string &name, std::string &why);
