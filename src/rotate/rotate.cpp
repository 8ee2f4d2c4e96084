#include "rotate/rotate.h"
#include "rotate/logfiles.h"

#include <cstdio>
#include <cstring>

namespace rotate {

namespace {

// A linked file is left alone: whatever a rotation did with it, it would do to a file that
// may be another user's.
const char linkedwhy[] = "it is a link (it has another name), so it may be another's file";

} // namespace

bool parsesize(const std::string &text, unsigned long long &size) {
    size_t digits = 0;
    unsigned long long value = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
        unsigned d = text[digits] - '0';
        if (value > (~0ULL - d) / 10)
            return false;
        value = value * 10 + d;
    }
    std::string unit = text.substr(digits);
    int shift = unit.empty() ? 0 : unit == "KB" ? 10 : unit == "MB" ? 20 : unit == "GB" ? 30 : -1;
    if (digits == 0 || shift < 0 || value > ~0ULL >> shift)
        return false;
    size = value << shift;
    return true;
}

std::vector<renaming> rotationplan(const std::string &log, int keep,
                                   const std::function<namekind(const std::string &)> &kindat,
                                   std::string &why) {
    auto numbered = [&](int n) { return log + "." + std::to_string(n); };
    for (int n = 1; n <= keep; ++n) {
        namekind k = kindat(numbered(n));
        if (k == othername || k == linkedfile) {
            why = numbered(n) +
                  " is in the way: " + (k == linkedfile ? linkedwhy : "it is no plain file");
            return {};
        }
    }
    std::vector<renaming> plan;
    std::string oldest = numbered(keep), aside = log + ".dropped";
    bool drops = kindat(oldest) != nothing && (keep == 1 || kindat(numbered(keep - 1)) != nothing);
    if (drops) {
        // Checked now, since it is removed last, when everything else has moved.
        if (kindat(oldest) == lockedfile) {
            why = oldest + " is read-only, so it cannot be dropped";
            return {};
        }
        if (kindat(aside) != nothing) {
            why = aside + " is in the way: it is left from a rotation that did not finish";
            return {};
        }
        plan.push_back({oldest, aside});
    }
    // From the top down, so that each name is free when a file moves onto it.
    for (int n = keep - 1; n >= 1; --n) {
        if (kindat(numbered(n)) != nothing)
            plan.push_back({numbered(n), numbered(n + 1)});
    }
    plan.push_back({log, numbered(1)});
    if (drops)
        plan.push_back({aside, ""});
    return plan;
}

namespace {

// One step of a plan: the log moves through its held handle, an empty target removes. Empty,
// or why it failed.
std::string dostep(heldlog &held, const std::string &log, const renaming &r) {
    if (r.to.empty())
        return removefile(r.from);
    if (r.from == log || r.to == log) // the log, or its undoing
        return held.renameto(r.to);
    return movefile(r.from, r.to);
}

} // namespace

rotateresult rotatelog(const std::string &log, unsigned long long size, int keep,
                       std::string &said) {
    std::string why;
    if (kindof(log) == othername) {
        said = log + ": not rotated: it is no plain file";
        return notrotated;
    }
    heldlog held;
    switch (held.open(log, why)) {
    case heldlog::missing:
        said = log + ": no such file, nothing to rotate";
        return nolog;
    case heldlog::held: {
        unsigned long long length = lengthof(log);
        // Halved, so that no SIZE overflows.
        if (length > 0 && length / 2 >= size) {
            said = log + ": " + std::to_string(length) + " bytes, twice " + std::to_string(size) +
                   " or more, and another program keeps it open without letting it be renamed; "
                   "not rotated, and it grows until that program lets go";
            return heldtoolong;
        }
        said = log + ": a run (or another program) holds it open; not rotated this time";
        return heldopen;
    }
    case heldlog::linked:
        said = log + ": not rotated: " + linkedwhy + ", and no run writes to it";
        return notrotated;
    case heldlog::failed:
        said = log + ": not rotated: " + why;
        return notrotated;
    case heldlog::opened:
        break;
    }
    unsigned long long length = held.size();
    // An empty log is never rotated: that would only push the oldest kept one out.
    if (length < size || length == 0) {
        said = log + ": " + std::to_string(length) + " bytes" +
               (length ? ", below " + std::to_string(size) : "") + "; not rotated";
        return belowsize;
    }
    std::vector<renaming> plan = rotationplan(log, keep, kindof, why);
    if (plan.empty()) {
        said = log + ": not rotated, every file is as it was: " + why;
        return notrotated;
    }
    size_t done = 0;
    while (done < plan.size() && (why = dostep(held, log, plan[done])).empty())
        ++done;
    if (done == plan.size()) {
        said = log + ": " + std::to_string(length) + " bytes, rotated to " + log + ".1";
        return rotated;
    }
    const renaming &failed = plan[done];
    said = log + ": not rotated: " +
           (failed.to.empty() ? "removing " + failed.from
                              : "renaming " + failed.from + " to " + failed.to) +
           " failed: " + why;
    // The removal comes last, so every step before the failed one is a rename to undo.
    bool undone = true;
    while (done-- > 0) {
        const renaming &r = plan[done];
        std::string undowhy = dostep(held, log, {r.to, r.from});
        if (!undowhy.empty()) {
            said += "; and " + r.to + " could not be named " + r.from + " again: " + undowhy;
            undone = false;
        }
    }
    if (undone)
        said += "; every file is as it was";
    return notrotated;
}

int rotatecommand(int argc, char **argv) {
    unsigned long long size = 0, keep = 5;
    bool withkeep = argc == 6 && std::strcmp(argv[3], "--keep") == 0;
    bool right = argc >= 4 && std::strcmp(argv[1], "--rotate") == 0 && parsesize(argv[2], size) &&
                 (argc == 4 || withkeep);
    if (withkeep)
        right = right && std::strspn(argv[4], "0123456789") == std::strlen(argv[4]) &&
                parsesize(argv[4], keep) && keep >= 1 && keep <= 999;
    if (!right || argv[argc - 1][0] == '-') {
        std::printf("usage: %s\n"
                    "  SIZE: bytes, or digits with KB, MB or GB; N from 1 to 999, 5 if not given\n",
                    usage);
        return 3;
    }
    std::string said;
    rotateresult result = rotatelog(argv[argc - 1], size, (int)keep, said);
    std::printf("%s\n", said.c_str());
    return result == notrotated ? 3 : result == heldtoolong ? 1 : 0;
}

} // namespace rotate
