#include "harness.h"

#include <windows.h>

#include <cstdlib>
#include <regex>

namespace e2e {

namespace {
HANDLE job = nullptr; // of the guard alive, if any
} // namespace

std::string bindir() {
    char name[MAX_PATH];
    std::string path(name, GetModuleFileNameA(nullptr, name, sizeof name));
    return path.substr(0, path.find_last_of("\\/"));
}

void *launch(const std::string &dir, const std::string &commandline, void *out, bool resume) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (out) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = INVALID_HANDLE_VALUE;
        si.hStdOutput = si.hStdError = out;
    }
    PROCESS_INFORMATION pi = {};
    std::string line = commandline;
    // Suspended until it belongs to the guard, so that nothing it starts escapes.
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, out != nullptr, CREATE_SUSPENDED,
                        nullptr, dir.c_str(), &si, &pi))
        return nullptr;
    if (job)
        AssignProcessToJobObject(job, pi.hProcess);
    if (resume)
        ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

result run(const std::string &dir, const std::string &commandline, unsigned timeoutms) {
    result r;
    std::string outname = dir + "\\.console.txt";
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE out = CreateFileA(outname.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD t0 = GetTickCount();
    HANDLE p = launch(dir, commandline, out);
    CloseHandle(out);
    if (!p)
        return r;
    r.finished = WaitForSingleObject(p, timeoutms) == WAIT_OBJECT_0;
    if (!r.finished)
        TerminateProcess(p, 1);
    DWORD code = 0;
    GetExitCodeProcess(p, &code);
    r.exitcode = code;
    r.seconds = (GetTickCount() - t0) / 1000.0;
    CloseHandle(p);
    r.out = readfile(outname);
    DeleteFileA(outname.c_str());
    return r;
}

std::string tessarkexe() {
    const char *name = std::getenv("TESSARK_EXE");
    return name && *name ? name : "tessark.exe";
}

result runtessark(const std::string &dir, const std::string &args, unsigned timeoutms) {
    return run(dir, "\"" + bindir() + "\\" + tessarkexe() + "\" " + args, timeoutms);
}

std::vector<std::string> loglines(const std::string &logtext) {
    static const std::regex stamp(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d )");
    std::vector<std::string> lines;
    std::stringstream s(logtext);
    for (std::string line; std::getline(s, line);)
        lines.push_back(std::regex_search(line, stamp, std::regex_constants::match_continuous)
                            ? "<stamp> " + line.substr(20)
                            : line);
    return lines;
}

std::string placefixture(const std::string &dir, const std::string &name) {
    std::filesystem::path path = std::filesystem::path(dir) / name;
    path.make_preferred();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::copy_file(bindir() + "\\fixture.exe", path, ec);
    return path.string();
}

std::string eventsfile(const std::string &exe) {
    return exe.substr(0, exe.size() - 4) + ".events";
}

std::vector<std::string> program::events() const {
    std::vector<std::string> r;
    std::string text = readfile(eventsfile(exe)), prefix = std::to_string(pid) + " ";
    // Only whole lines: the last may still be being written.
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        if (text.compare(at, prefix.size(), prefix) == 0)
            r.push_back(text.substr(at + prefix.size(), end - at - prefix.size()));
    return r;
}

bool program::waitfor(const std::string &line, unsigned timeoutms) const {
    for (DWORD t0 = GetTickCount();; Sleep(10)) {
        for (const std::string &e : events())
            if (e == line)
                return true;
        if (GetTickCount() - t0 > timeoutms)
            return false;
    }
}

bool program::waitexit(unsigned timeoutms) const {
    return WaitForSingleObject((HANDLE)process, timeoutms) == WAIT_OBJECT_0;
}

guard::guard(const scratch &dir) : dir(dir.path) {
    // The first program to need a desktop starts Wine's desktop process: it must not be one of
    // the guard's, or the guard would end it with them.
    GetDesktopWindow();
    job = CreateJobObjectA(nullptr, nullptr);
}

guard::~guard() {
    TerminateJobObject(job, 1);
    for (program &p : programs) {
        WaitForSingleObject(p.process, 5000);
        CloseHandle(p.process);
    }
    CloseHandle(job);
    job = nullptr;
}

const program &guard::start(const std::string &name) {
    programs.emplace_back();
    program &p = programs.back();
    p.exe = placefixture(dir, name);
    p.process = launch(dir, "\"" + p.exe + "\"");
    p.pid = GetProcessId(p.process);
    p.ready = p.process && p.waitfor("ready");
    return p;
}

std::vector<unsigned> guard::others() const {
    // JOBOBJECT_BASIC_PROCESS_ID_LIST with room for its list: the header's one-element array
    // lets the compiler assume a single id.
    struct {
        DWORD assigned, listed;
        ULONG_PTR ids[4096];
    } list = {};
    QueryInformationJobObject(job, JobObjectBasicProcessIdList, &list, sizeof list, nullptr);
    std::vector<unsigned> r;
    for (DWORD i = 0; i < list.listed; ++i) {
        bool ours = false;
        for (const program &p : programs)
            ours |= p.pid == list.ids[i];
        if (!ours)
            r.push_back((unsigned)list.ids[i]);
    }
    return r;
}

} // namespace e2e
