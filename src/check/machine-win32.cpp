#include "check/machine.h"
#include "check/rights.h"
#include "check/traps.h"
#include "check/words.h"
#include "config/configuration.h"
#include "process/lookup.h"
#include "process/methods.h"
#include "process/session.h"
#include "process/snapshot.h"
#include "process/start.h"

#include <windows.h>

#include <unordered_map>
#include <unordered_set>

namespace check {

using namespace config;
using namespace process;

namespace {

// The file's name on disk, in its own letter case; empty when there is no such file.
std::string diskname(const std::string &path) {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(path.c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return "";
    FindClose(h);
    return d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "" : d.cFileName;
}

// The file that CreateProcessA runs for a command: the whole command where Tessark passes it
// as the application name; else, as Windows reads a command line without quotes, the first
// file that exists among the texts before each space and the whole text, each with ".exe"
// when it has no extension; the first of those when none exists.
std::string programfile(const std::string &command) {
    std::string file = applicationname(command), first;
    if (!file.empty())
        return file;
    for (size_t end = command.find(' ');; end = command.find(' ', end + 1)) {
        file = command.substr(0, end);
        size_t slash = file.find_last_of("/\\");
        if (file.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos)
            file += ".exe";
        first = first.empty() ? file : first;
        if (!diskname(file).empty())
            return file;
        if (end == std::string::npos)
            return first;
    }
}

struct runningnames {
    std::unordered_set<std::string> exact;
    std::unordered_map<std::string, std::pair<std::string, unsigned>> folded; // first seen

    runningnames() {
        if (!takesnapshot())
            return;
        for (unsigned i = 0; i < procsnapshot.count(); ++i) {
            // Another session's processes Tessark ignores whatever their names.
            if (!inoursession(procsnapshot.pids[i]))
                continue;
            std::string name = processname(procsnapshot.pids[i]);
            exact.insert(name);
            folded.emplace(lower(name), std::make_pair(name, procsnapshot.pids[i]));
        }
    }
};

} // namespace

void askmachine(analysis &a) {
    runningnames running;
    lookupprocesses();
    // Elevated, the check weighs the rights of the task, not its own.
    std::string as = judgedas();
    std::string lacking =
        as.empty() ? "this user lacks" : "the task, at " + as + " integrity, lacks";
    std::string below =
        as.empty() ? "this check" : "the task (" + as + "; this check runs elevated)";
    for (size_t k = 0; k < configuration.starts.size(); ++k) {
        const std::string &command = configuration.starts[k].command;
        const std::string &name = a.names[k];
        const std::string &directory = a.directories[k];
        bool startable = !a.unstartable.count(k);
        position at = a.starts[k];
        // The directory first: without it the start fails whatever the program. One inside
        // the arguments is told of already, but fails the start all the same.
        if (startable && !directory.empty()) {
            DWORD attributes = GetFileAttributesA(directory.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                if (argumentsat(command) > directory.size())
                    a.warnings.push_back(
                        {findingkind::missingdirectory, at,
                         "the start directory " + quoted(directory) +
                             " does not exist on this machine: starting it fails"});
                a.unstartable[k] = "its start directory does not exist";
                startable = false;
            }
        }
        std::string file = programfile(command);
        // A bare name is searched for along the PATH; it cannot start anyway.
        if (startable && file.find_first_of("/\\") != std::string::npos) {
            std::string disk = diskname(file);
            if (disk.empty()) {
                a.warnings.push_back({findingkind::missingexe, at,
                                      quoted(file) + " does not exist on this machine: starting it "
                                                     "fails, and the log shows only its "
                                                     "\"   starting\" line"});
                a.unstartable[k] = quoted(file) + " does not exist";
            } else if (disk != name && lower(disk) == lower(name)) {
                a.warnings.push_back(
                    {findingkind::exelettercase, at,
                     "the file is named " + quoted(disk) +
                         " on this machine, but Tessark looks for " + quoted(name) +
                         " in exactly that letter case: the program can then run as " +
                         quoted(disk) +
                         ", which Tessark does not recognise, and is started again on every run; "
                         "write " +
                         quoted(disk)});
            }
        }
        auto other = running.folded.find(lower(name));
        if (!name.empty() && !running.exact.count(name) && other != running.folded.end())
            a.warnings.push_back({findingkind::processlettercase, at,
                                  "a process runs as " + quoted(other->second.first) + " (pid " +
                                      std::to_string(other->second.second) +
                                      "): Tessark looks for " + quoted(name) +
                                      " in exactly that letter case and does not recognise it"});
        unsigned pid = configuration.starts[k].pid;
        if (pid != 0 && refusestermination(pid))
            a.warnings.push_back(
                {findingkind::unterminable, at,
                 "the program runs (pid " + std::to_string(pid) + ") with rights " + lacking +
                     " and refuses termination: Tessark finds it, "
                     "but methods 3 and 5 cannot end it, and a restart that needs it gone "
                     "fails; run the task with the same rights as the program"});
    }
    for (size_t j = 0; j < configuration.stops.size(); ++j) {
        const stopentry &s = configuration.stops[j];
        bool windowed = wayof(methodof(s.method)).action != noaction;
        if (!windowed || (size_t)s.index >= configuration.starts.size())
            continue;
        unsigned pid = configuration.starts[s.index].pid;
        if (pid != 0 && runsabove(pid))
            a.warnings.push_back(
                {findingkind::abovechecker, a.stops[j],
                 "the program runs (pid " + std::to_string(pid) +
                     ") at a higher integrity level than " + below +
                     ", as an elevated program "
                     "does: methods 0, 1, 2 and 4 (and method 5's WM_CLOSE) cannot reach its "
                     "windows, so they do not close it; run the task with the same rights as the "
                     "program"});
    }
    sortbyposition(a.warnings);
}

} // namespace check
