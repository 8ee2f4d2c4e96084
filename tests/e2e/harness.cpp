#include "harness.h"

#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace e2e {

std::string bindir() {
    char name[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, name, sizeof name);
    std::string path(name, n);
    return path.substr(0, path.find_last_of("\\/"));
}

std::string readfile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writefile(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

void removetree(const std::string &path) {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = d.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removetree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &d));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

} // namespace

scratch::scratch() {
    static unsigned serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    path = base + "\\tessark-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + std::to_string(serial++);
    removetree(path);
    CreateDirectoryA(path.c_str(), nullptr);
}

scratch::~scratch() {
    removetree(path);
}

std::string scratch::file(const std::string &name) const {
    return path + "\\" + name;
}

std::string scratch::slashed() const {
    std::string s = path;
    for (char &c : s)
        if (c == '\\')
            c = '/';
    return s;
}

result runtessark(const std::string &dir, const std::string &args, unsigned timeoutms) {
    std::string line = "\"" + bindir() + "\\tessark.exe\"";
    if (!args.empty())
        line += " " + args;
    return run(dir, line, timeoutms);
}

result run(const std::string &dir, const std::string &commandline, unsigned timeoutms) {
    result r;
    std::string outname = dir + "\\.tessark-console.txt";
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE out = CreateFileA(outname.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return r;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = INVALID_HANDLE_VALUE;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(commandline.begin(), commandline.end());
    cmd.push_back(0);
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    BOOL ok = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(),
                             &si, &pi);
    CloseHandle(out);
    if (!ok)
        return r;
    if (WaitForSingleObject(pi.hProcess, timeoutms) == WAIT_OBJECT_0) {
        r.finished = true;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        r.exitcode = code;
    } else {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    QueryPerformanceCounter(&t1);
    r.seconds = double(t1.QuadPart - t0.QuadPart) / f.QuadPart;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    r.out = readfile(outname);
    DeleteFileA(outname.c_str());
    return r;
}

bool stamped(const std::string &line) {
    static const std::regex stamp(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d .*)");
    return std::regex_match(line, stamp);
}

std::vector<std::string> loglines(const std::string &logtext) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < logtext.size()) {
        size_t end = logtext.find('\n', at);
        if (end == std::string::npos)
            end = logtext.size();
        std::string line = logtext.substr(at, end - at);
        if (stamped(line))
            line = "<stamp> " + line.substr(20);
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

} // namespace e2e
