#pragma once

#include "fixtures.h"

#include <string>
#include <vector>

// Situations of the process lookup, shared by the in-process test and the runs of tessark.exe.
struct lookupcase {
    const char *name;
    std::vector<std::string> programs; // fixtures started first, in this order
    // "{dir}" stands for the scratch directory written with '/', "{bsdir}" with '\'.
    std::vector<std::string> commands;
    // The dump's lines after its heading; "{pid:NAME}" stands for the id of the instance of
    // fixture NAME that the system lists last.
    std::vector<std::string> dump;
};

inline std::vector<lookupcase> lookupcases() {
    return {
        {"onewindow",
         {"onewin.exe"},
         {"{dir}/onewin.exe"},
         {"   {dir}/onewin.exe exist, pid {pid:onewin.exe} found 1 hwnds"}},
        {"twowindows",
         {"twowin.exe"},
         {"{dir}/twowin.exe"},
         {"   {dir}/twowin.exe exist, pid {pid:twowin.exe} found 2 hwnds"}},
        {"hiddenwindows",
         {"hidden.exe"},
         {"{dir}/hidden.exe"},
         {"   {dir}/hidden.exe exist, pid {pid:hidden.exe} failed to get hwnd"}},
        {"nowindow",
         {"nowin.exe"},
         {"{dir}/nowin.exe"},
         {"   {dir}/nowin.exe exist, pid {pid:nowin.exe} failed to get hwnd"}},
        // A running program that no entry names keeps its windows to itself.
        {"notrunning",
         {"onewin.exe"},
         {"{dir}/twowin.exe", "{dir}/100%s.exe"},
         {"   {dir}/twowin.exe not exist", "   {dir}/100%s.exe not exist"}},
        // Only the exact text after the last '/' names the program.
        {"nameisexact",
         {"onewin.exe"},
         {"{dir}/ONEWIN.EXE", "{bsdir}\\onewin.exe", "{dir}/onewin.exe -q", "onewin.exe"},
         {"   {dir}/ONEWIN.EXE not exist", "   {bsdir}\\onewin.exe not exist",
          "   {dir}/onewin.exe -q not exist",
          "   onewin.exe exist, pid {pid:onewin.exe} found 1 hwnds"}},
        {"samenametwice",
         {"onewin.exe"},
         {"{dir}/onewin.exe", "c:/elsewhere/onewin.exe"},
         {"   {dir}/onewin.exe exist, pid {pid:onewin.exe} found 1 hwnds",
          "   c:/elsewhere/onewin.exe not exist"}},
        {"severalinstances",
         {"onewin.exe", "onewin.exe", "onewin.exe"},
         {"{dir}/onewin.exe"},
         {"   {dir}/onewin.exe exist, pid {pid:onewin.exe} found 1 hwnds"}},
        {"mixed",
         {"twowin.exe", "hidden.exe", "onewin-2.exe"},
         {"{dir}/absent.exe", "{dir}/hidden.exe", "{dir}/twowin.exe", "{dir}/onewin-2.exe"},
         {"   {dir}/absent.exe not exist",
          "   {dir}/hidden.exe exist, pid {pid:hidden.exe} failed to get hwnd",
          "   {dir}/twowin.exe exist, pid {pid:twowin.exe} found 2 hwnds",
          "   {dir}/onewin-2.exe exist, pid {pid:onewin-2.exe} found 1 hwnds"}},
    };
}

// Replaces every "{key}" in text.
inline std::string fillin(std::string text, const std::string &key, const std::string &value) {
    for (size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
    return text;
}

// The id of the started instance of name that the system lists last, or 0.
inline unsigned lastlisted(const std::vector<const e2e::program *> &started,
                           const std::string &name) {
    unsigned last = 0;
    for (unsigned id : e2e::processids())
        for (const e2e::program *p : started)
            if (p->pid == id && p->exe.substr(p->exe.find_last_of('\\') + 1) == name)
                last = p->pid;
    return last;
}

// The expected dump line, with the directory and the ids filled in.
inline std::string expectedline(std::string line, const e2e::scratch &dir,
                                const std::vector<const e2e::program *> &started) {
    line = fillin(fillin(line, "{dir}", dir.slashed()), "{bsdir}", dir.path);
    size_t at = line.find("{pid:");
    if (at != std::string::npos) {
        size_t end = line.find('}', at);
        std::string name = line.substr(at + 5, end - at - 5);
        line.replace(at, end + 1 - at, std::to_string(lastlisted(started, name)));
    }
    return line;
}
