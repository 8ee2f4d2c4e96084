#include "logreport/formats.h"
#include "logreport/clocktext.h"
#include "logreport/counters.h"
#include "logreport/encoding.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace logreport {

namespace {

std::string num(long long n) {
    return std::to_string(n);
}

std::string lastrun(const history &h) {
    if (h.last.started < 0)
        return "none";
    return isotime(h.last.started) + ", " + outcomename(h.last.result);
}

std::string padded(const std::string &text, size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string jsontext(const std::string &text) {
    std::string out = "\"";
    for (unsigned char c : ansitoutf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += (char)c;
        }
    }
    return out + "\"";
}

std::string labeltext(const std::string &text) {
    std::string out;
    for (char c : ansitoutf8(text)) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out;
}

// Whether the report shows c for the programs in the window.
bool shows(const counter &c, const history &h) {
    if (!c.whenseen)
        return true;
    for (const program *p : h.programs.shown())
        if (p->*c.count)
            return true;
    return false;
}

} // namespace

std::string textreport(const report &r) {
    const history &h = r.h;
    std::string out = std::string("TESSARK ") + statusname(r.v.code) + "\n";
    for (const std::string &reason : r.v.reasons)
        out += "  " + reason + "\n";
    if (r.v.code == unknownstatus)
        return out;
    out += "\nwindow: the last " + r.sincetext + ", since " + isotime(h.s.now - h.s.window) +
           "\nruns: " + num(h.runsinwindow()) + " (" + num(h.runs[normalrun]) + " normal, " +
           num(h.runs[errorsrun]) + " stopped due to errors, " + num(h.runs[cutoffrun]) +
           " cut off, " + num(h.runs[runningrun]) + " running)\nlast run: " + lastrun(h) +
           "\nfailed restarts: " + num(h.restartfailures) +
           ", process lists not read: " + num(h.enumfailures) +
           "\nunrecognised lines: " + num(h.unrecognisedlines) + "\n";
    const std::vector<program *> &shown = h.programs.shown();
    if (shown.empty())
        return out + "\nno program in the window\n";
    size_t width = 7;
    for (const program *p : shown)
        width = std::max(width, p->command.size());
    out += "\n" + padded("command", width) + "  running";
    for (const counter &c : counters)
        if (c.column && shows(c, h))
            out += std::string("  ") + c.column;
    out += "  last seen running\n";
    for (const program *p : shown) {
        out += padded(p->command, width) + "  " +
               padded(p->closedbylastrun ? "closed"
                      : p->running       ? "yes"
                                         : "no",
                      7);
        for (const counter &c : counters) {
            if (!c.column || !shows(c, h))
                continue;
            char cell[24];
            std::snprintf(cell, sizeof cell, "  %*d", (int)std::strlen(c.column), p->*c.count);
            out += cell;
        }
        out += "  " + (p->lastseen < 0 ? std::string("-") : isotime(p->lastseen)) + "\n";
    }
    return out;
}

std::string jsonreport(const report &r) {
    const history &h = r.h;
    std::string out =
        "{\"status\":\"" + std::string(statusname(r.v.code)) + "\",\"code\":" + num(r.v.code) +
        ",\"since\":\"" + isotime(h.s.now - h.s.window) + "\",\"window\":" + num(h.s.window) +
        ",\"runs\":{\"normal\":" + num(h.runs[normalrun]) +
        ",\"errors\":" + num(h.runs[errorsrun]) + ",\"cutoff\":" + num(h.runs[cutoffrun]) +
        ",\"running\":" + num(h.runs[runningrun]) + "},\"lastrun\":";
    if (h.last.started < 0)
        out += "null";
    else
        out += "{\"started\":\"" + isotime(h.last.started) + "\",\"result\":\"" +
               outcomename(h.last.result) + "\"}";
    out += ",\"restartfailures\":" + num(h.restartfailures) +
           ",\"enumfailures\":" + num(h.enumfailures) +
           ",\"unrecognised\":" + num(h.unrecognisedlines) + ",\"programs\":[";
    const std::vector<program *> &shown = h.programs.shown();
    for (size_t k = 0; k < shown.size(); ++k) {
        const program &p = *shown[k];
        out += std::string(k ? "," : "") + "{\"command\":" + jsontext(p.command) +
               ",\"running\":" + (p.running ? "true" : "false") +
               ",\"closedbylastrun\":" + (p.closedbylastrun ? "true" : "false");
        for (const counter &c : counters)
            if (shows(c, h))
                out += std::string(",\"") + c.key + "\":" + num(p.*c.count);
        out += ",\"lastseen\":" +
               (p.lastseen < 0 ? std::string("null") : "\"" + isotime(p.lastseen) + "\"") + "}";
    }
    out += "],\"reasons\":[";
    for (size_t k = 0; k < r.v.reasons.size(); ++k)
        out += (k ? "," : "") + jsontext(r.v.reasons[k]);
    return out + "]}\n";
}

std::string nagiosreport(const report &r) {
    const history &h = r.h;
    // A '|' in the text would start the performance data.
    auto plain = [](std::string text) {
        for (char &c : text)
            c = c == '|' ? '/' : c;
        return text;
    };
    std::string summary;
    if (r.v.reasons.empty())
        summary =
            num(h.runsinwindow()) + " runs in the last " + r.sincetext + ", the last " + lastrun(h);
    else
        summary = r.v.reasons[0] +
                  (r.v.reasons.size() > 1 ? " (and " + num(r.v.reasons.size() - 1) + " more)" : "");
    std::string out = std::string("TESSARK ") + statusname(r.v.code) + " - " + plain(summary) +
                      " | runs=" + num(h.runsinwindow()) + " errors=" + num(h.runs[errorsrun]) +
                      " cutoff=" + num(h.runs[cutoffrun]);
    for (const counter &c : counters) {
        if (!c.perfdata || !shows(c, h))
            continue;
        int total = 0;
        for (const program *p : h.programs.shown())
            total += p->*c.count;
        out += std::string(" ") + c.perfdata + "=" + num(total);
    }
    out += " restartfailures=" + num(h.restartfailures) + " enumfailures=" + num(h.enumfailures) +
           " unrecognised=" + num(h.unrecognisedlines) + "\n";
    for (const std::string &reason : r.v.reasons)
        out += plain(reason) + "\n";
    return out;
}

std::string prometheusreport(const report &r) {
    const history &h = r.h;
    std::string out;
    auto family = [&](const char *name, const char *help) {
        out += std::string("# HELP ") + name + " " + help + "\n# TYPE " + name + " gauge\n";
    };
    family("tessark_status", "The verdict on the runs: 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN.");
    out += "tessark_status " + num(r.v.code) + "\n";
    family("tessark_runs", "Runs that began in the window, by how they ended.");
    // A run still going has no outcome yet.
    const outcome ended[] = {normalrun, errorsrun, cutoffrun};
    for (outcome o : ended)
        out +=
            std::string("tessark_runs{result=\"") + outcomename(o) + "\"} " + num(h.runs[o]) + "\n";
    family("tessark_last_run_timestamp_seconds",
           "When the last run began, in seconds since 1970 (0: no run).");
    out +=
        "tessark_last_run_timestamp_seconds " + num(h.last.started < 0 ? 0 : h.last.started) + "\n";
    family("tessark_window_seconds", "The length of the window the counts cover.");
    out += "tessark_window_seconds " + num(h.s.window) + "\n";
    family("tessark_restart_failures", "Restarts in the window that failed.");
    out += "tessark_restart_failures " + num(h.restartfailures) + "\n";
    family("tessark_unrecognised_lines", "Lines of the logs that were not understood.");
    out += "tessark_unrecognised_lines " + num(h.unrecognisedlines) + "\n";
    const std::vector<program *> &shown = h.programs.shown();
    if (shown.empty())
        return out;
    family("tessark_program_running",
           "Whether the program runs after the last run: as the latest dump found it, 0 if the "
           "last run closed it.");
    for (const program *p : shown)
        out += "tessark_program_running{command=\"" + labeltext(p->command) + "\"} " +
               (p->running ? "1" : "0") + "\n";
    for (bool last : {false, true})
        for (const counter &c : counters) {
            if (!c.metric || c.metriclast != last || !shows(c, h))
                continue;
            family(c.metric, c.help);
            for (const program *p : shown)
                out += std::string(c.metric) + "{command=\"" + labeltext(p->command) + "\"} " +
                       num(p->*c.count) + "\n";
        }
    return out;
}

} // namespace logreport
