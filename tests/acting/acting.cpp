#include "acting.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace acting {

std::string configtext(const std::string &mode, int restartdelay, const std::vector<start> &starts,
                       const std::vector<stop> &stops) {
    std::string text = mode + "\nrestartdelay " + std::to_string(restartdelay) + "\nstart\n";
    for (const start &s : starts)
        text += "\"" + s.command + "\", " + std::to_string(s.startdelay) + "\n";
    text += "stop\n";
    for (const stop &s : stops)
        text += std::to_string(s.index) + ", " + std::to_string(s.closedelay) + ", " +
                std::to_string(s.method) + "\n";
    return text;
}

namespace {

std::string replaced(std::string text, const std::string &key, const std::string &value) {
    for (size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
    return text;
}

std::string backslashed(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

} // namespace

std::string fillin(std::string text, const e2e::scratch &dir) {
    return replaced(replaced(text, "{d}", dir.slashed()), "{bs}", dir.path);
}

std::vector<std::string> afterdump(const e2e::scratch &dir, size_t entries) {
    std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    auto heading = std::find(log.begin(), log.end(), "process dump:");
    if (heading == log.end() || heading == log.begin() || heading[-1].rfind("...found ", 0) != 0 ||
        size_t(log.end() - heading) <= entries) {
        ADD_FAILURE() << "no process dump after \"...found\" in the log";
        return log;
    }
    return std::vector<std::string>(heading + 1 + entries, log.end());
}

std::vector<unsigned> instances(const e2e::scratch &dir, const std::string &exe,
                                const std::vector<unsigned> &skip) {
    std::vector<unsigned> r;
    for (const auto &p : e2e::processesunder(dir.path))
        if (_stricmp(backslashed(p.second).c_str(), backslashed(exe).c_str()) == 0 &&
            std::find(skip.begin(), skip.end(), p.first) == skip.end())
            r.push_back(p.first);
    return r;
}

std::string firstevent(const std::string &exe, unsigned pid, unsigned timeoutms) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> events = e2e::events(e2e::eventsfile(exe), pid);
        if (!events.empty())
            return events[0];
        if (GetTickCount() - start > timeoutms)
            return "";
        Sleep(10);
    }
}

void expectseconds(double seconds, double atleast, double under) {
    if (atleast > 0) {
        EXPECT_GE(seconds, atleast);
    }
    if (under > 0) {
        EXPECT_LT(seconds, under);
    }
}

int count(const std::vector<std::string> &lines, const std::string &line) {
    return (int)std::count(lines.begin(), lines.end(), line);
}

bool infront(const e2e::program &p, unsigned timeoutms) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        if (pid == p.pid)
            return true;
        if (GetTickCount() - start > timeoutms)
            return false;
        Sleep(10);
    }
}

bool altf4released() {
    return !(GetAsyncKeyState(VK_MENU) & 0x8000) && !(GetAsyncKeyState(VK_F4) & 0x8000);
}

} // namespace acting
