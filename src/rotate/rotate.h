#pragma once

#include <functional>
#include <string>
#include <vector>

namespace rotate {

// Rotation of a log that grows forever: once it reaches a size, LOGFILE.N-1 becomes LOGFILE.N
// (the oldest kept is dropped), ..., LOGFILE.1 becomes LOGFILE.2 and LOGFILE becomes
// LOGFILE.1. Only renames, so no line is lost or changed; a rotation either completes or
// leaves every file as it was.

// The rotation's command line, without "usage: ".
inline constexpr char usage[] = "tessarklog.exe --rotate SIZE [--keep N] LOGFILE";

// SIZE as the command line gives it: bytes, or digits with KB, MB or GB (1024-based).
// False for anything else, and for a size beyond 64 bits.
bool parsesize(const std::string &text, unsigned long long &size);

// What stands at a name, as far as a rotation cares. locked: read-only; linked: another name
// of a file, or a link itself (io::linked), which a rotation leaves alone.
enum namekind { nothing, plainfile, lockedfile, linkedfile, othername };

struct renaming {
    std::string from, to;
};

// The renames of one rotation, in order, given what stands at each name (kindat). The
// dropped oldest is first moved aside to LOGFILE.dropped and removed only after the rest
// succeeded (the last step, with an empty to), so that every step before can be undone.
// Empty, with why set, when a name is in the way.
std::vector<renaming> rotationplan(const std::string &log, int keep,
                                   const std::function<namekind(const std::string &)> &kindat,
                                   std::string &why);

// heldtoolong: held at twice the size or more, so no longer the moment a run writes but a
// program that keeps the log open.
enum rotateresult { rotated, belowsize, heldopen, heldtoolong, nolog, notrotated };

// Rotates log when it is at least size bytes long, keeping keep older files. said tells
// what happened, in one line without its line end.
rotateresult rotatelog(const std::string &log, unsigned long long size, int keep,
                       std::string &said);

// tessarklog.exe --rotate SIZE [--keep N] LOGFILE, from argv[1] on: 0 done or nothing to do,
// 1 held too long, 3 for a wrong command line (with the usage) or a rotation that failed.
int rotatecommand(int argc, char **argv);

} // namespace rotate
