#include "fixtures.h"

#include <windows.h>

#include <psapi.h>

namespace e2e {

namespace {

std::string backslashed(std::string s) {
    for (char &c : s)
        if (c == '/')
            c = '\\';
    return s;
}

void makeparents(const std::string &path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

// "C:\a\b" and "c:\A\b\" compare equal as prefixes: Windows paths ignore case.
bool under(const std::string &path, const std::string &dir) {
    std::string prefix = dir;
    if (prefix.empty() || prefix.back() != '\\')
        prefix += '\\';
    return path.size() > prefix.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), (int)prefix.size(),
                          prefix.c_str(), (int)prefix.size()) == CSTR_EQUAL;
}

void end(HANDLE h) {
    TerminateProcess(h, 1);
    WaitForSingleObject(h, 5000);
}

} // namespace

std::vector<unsigned> processids() {
    std::vector<DWORD> ids(1024);
    for (;;) {
        DWORD bytes = 0;
        if (!EnumProcesses(ids.data(), (DWORD)(ids.size() * sizeof(DWORD)), &bytes))
            return {};
        if (bytes < ids.size() * sizeof(DWORD)) {
            ids.resize(bytes / sizeof(DWORD));
            return std::vector<unsigned>(ids.begin(), ids.end());
        }
        ids.resize(ids.size() * 2);
    }
}

std::string placefixture(const std::string &dir, const std::string &name) {
    std::string path = dir + "\\" + backslashed(name);
    if (!exists(path)) {
        makeparents(path);
        CopyFileA((bindir() + "\\fixture.exe").c_str(), path.c_str(), TRUE);
    }
    return path;
}

std::string eventsfile(const std::string &exe) {
    std::string stem = exe;
    if (stem.size() > 4 && _stricmp(stem.c_str() + stem.size() - 4, ".exe") == 0)
        stem.resize(stem.size() - 4);
    return stem + ".events";
}

std::vector<std::string> events(const std::string &file, unsigned pid) {
    std::vector<std::string> r;
    std::string text = readfile(file), prefix = std::to_string(pid) + " ";
    // Only whole lines: the last may still be being written.
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        if (text.compare(at, prefix.size(), prefix) == 0)
            r.push_back(text.substr(at + prefix.size(), end - at - prefix.size()));
    return r;
}

std::vector<std::string> program::events() const {
    return e2e::events(eventsfile(exe), pid);
}

bool program::waitfor(const std::string &line, unsigned timeoutms) const {
    DWORD start = GetTickCount();
    for (;;) {
        for (const std::string &e : events())
            if (e == line)
                return true;
        if (GetTickCount() - start > timeoutms)
            return false;
        Sleep(10);
    }
}

bool program::waitexit(unsigned timeoutms) const {
    return WaitForSingleObject((HANDLE)process, timeoutms) == WAIT_OBJECT_0;
}

namespace {

struct windowsof {
    DWORD pid;
    std::vector<void *> found;
};

BOOL CALLBACK addwindow(HWND h, LPARAM p) {
    windowsof &w = *(windowsof *)p;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == w.pid && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE))
        w.found.push_back(h);
    return TRUE;
}

} // namespace

std::vector<void *> program::visiblewindows() const {
    windowsof w = {pid, {}};
    EnumWindows(addwindow, (LPARAM)&w);
    return w.found;
}

guard::guard(const scratch &dir) : dir(dir.path) {}

const program &guard::start(const std::string &name) {
    programs.emplace_back();
    program &p = programs.back();
    p.exe = placefixture(dir, name);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = "\"" + p.exe + "\"";
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back(0);
    // No handles inherited: a fixture must hold nothing of the test's.
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi))
        return p;
    CloseHandle(pi.hThread);
    p.process = pi.hProcess;
    p.pid = pi.dwProcessId;
    p.ready = p.waitfor("ready");
    return p;
}

guard::~guard() {
    for (program &p : programs) {
        if (p.process) {
            end(p.process);
            CloseHandle(p.process);
            p.process = nullptr;
        }
    }
    for (const auto &found : processesunder(dir)) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, found.first);
        if (h) {
            end(h);
            CloseHandle(h);
        }
    }
}

std::vector<std::pair<unsigned, std::string>> processesunder(const std::string &dir) {
    std::vector<std::pair<unsigned, std::string>> r;
    for (unsigned pid : processids()) {
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (!h)
            continue;
        char image[MAX_PATH * 2];
        DWORD size = sizeof image;
        if (QueryFullProcessImageNameA(h, 0, image, &size) && under(image, dir))
            r.emplace_back(pid, std::string(image, size));
        CloseHandle(h);
    }
    return r;
}

} // namespace e2e
