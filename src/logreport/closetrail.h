#pragma once

#include "logreport/programindex.h"

#include <string_view>

namespace logreport {

// The latest close of a run, while a line about its outcome may follow: which program a
// "failed to reach" or "failed to terminate" line belongs to. Such a line fits only the close
// of the same program: "failed to reach" before any termination was tried, once; "failed to
// terminate" right after the termination, or after a close that terminates at once, or after
// "not responding", which is a termination without a close.
class closetrail {
public:
    // How far the latest close got.
    enum step { none, closed, terminated, hung };

    void closing(program &p);
    void hanging(program &p);
    // The program whose termination the terminating line (terminatingline) tells, or null: one
    // close, at most one termination.
    program *terminating();
    // The program a "failed to reach" line is about, or null when it fits no close.
    program *unreached(std::string_view command);
    // The program a "failed to terminate" line is about, or null; was: how far its close got.
    program *refused(std::string_view command, step &was);
    // A run ended: what follows belongs to no close.
    void clear() { at = none; }

private:
    program *latest = nullptr;
    step at = none;
    bool toldunreached = false;

    bool is(std::string_view command) const { return at != none && latest->command == command; }
};

} // namespace logreport
