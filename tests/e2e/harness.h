#pragma once

#include <string>
#include <vector>

// End-to-end tests run the real tessark.exe under Wine, in a scratch directory of their own.
namespace e2e {

// The directory of the running test exe; tessark.exe and the fixture programs lie beside it.
std::string bindir();

std::string readfile(const std::string &path);
void writefile(const std::string &path, const std::string &text);
bool exists(const std::string &path);

// A fresh directory under the temp directory, removed with everything in it afterwards.
class scratch {
public:
    scratch();
    ~scratch();
    scratch(const scratch &) = delete;
    scratch &operator=(const scratch &) = delete;

    std::string path;                                // Windows path, with backslashes
    std::string file(const std::string &name) const; // path + "\" + name
    std::string slashed() const;                     // path with '/', as configurations write it
};

struct result {
    bool finished = false; // ended within the time allowed
    unsigned exitcode = 0;
    std::string out;    // what it wrote to stdout and stderr
    double seconds = 0; // wall time of the run
};

// Runs a command line in dir. Output goes through a file, never a pipe: Wine children
// inherit descriptors, and a pipe could be held open by them.
result run(const std::string &dir, const std::string &commandline, unsigned timeoutms = 60000);

// Runs tessark.exe with the given argument text in dir.
result runtessark(const std::string &dir, const std::string &args, unsigned timeoutms = 60000);

// The log's lines, with each leading time stamp replaced by "<stamp> ".
std::vector<std::string> loglines(const std::string &logtext);

// True when text has the form of a stamped line: "dd.mm.yyyy hh:mm:ss ".
bool stamped(const std::string &line);

} // namespace e2e
