// The log report on arbitrary bytes: it must read any log without crashing, leaking or reading
// out of bounds, give the same history however the bytes arrive in blocks, and write reports
// that are valid UTF-8 where they promise it. Run by ctest briefly; for a longer run:
//   build/native/bin/logfuzz -max_total_time=1800 -dict=fuzz/log.dict WORKDIR fuzz/logcorpus
#include "logreport/clocktext.h"
#include "logreport/counters.h"
#include "logreport/formats.h"
#include "logreport/linereader.h"

#include <cstddef>
#include <cstdint>

using namespace logreport;

namespace {

void require(bool ok) {
    if (!ok)
        __builtin_trap();
}

bool utf8(const std::string &text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = text[i];
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if (((unsigned char)text[i + k] >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

std::string counts(const history &h) {
    std::string text = std::to_string(h.unrecognisedlines) + " " + std::to_string(h.last.started);
    for (int r : h.runs)
        text += " " + std::to_string(r);
    for (const program *p : h.programs.shown()) {
        text += "|" + p->command + (p->running ? "r" : "") + (p->closedbylastrun ? "c" : "");
        for (const counter &c : counters)
            text += "," + std::to_string(p->*c.count);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    settings s;
    s.now = epochseconds(2026, 12, 7, 12, 0, 0);
    s.every = size % 2 ? 300 : 0;
    const char *bytes = (const char *)data;

    // Whole, with a small line limit so that overlong lines are common.
    history whole(s);
    linereader a(whole, 200);
    a.feed(bytes, size);
    a.end();
    whole.finish();

    // In blocks of sizes the input itself picks.
    history pieces(s);
    linereader b(pieces, 200);
    for (size_t at = 0, step = 1; at < size; step = step * 7 % 61 + 1) {
        size_t n = std::min(step, size - at);
        b.feed(bytes + at, n);
        at += n;
    }
    b.end();
    pieces.finish();
    require(counts(whole) == counts(pieces));

    for (const program *shown : whole.programs.shown()) {
        const program &p = *shown;
        require(p.lost <= p.starts && p.terminations <= p.closes && p.command.size() <= 200);
        // A refused termination is none, and each close or hang has at most one outcome of each
        // kind.
        require(p.terminations >= 0 && p.terminations + p.refused <= p.closes + p.hangs &&
                p.unreached <= p.closes && p.recoveries <= p.starts);
        require(!(p.running && p.closedbylastrun));
    }
    verdict v = judge(whole, "24h");
    require(v.code != okstatus || v.reasons.empty());
    report r{whole, v, "24h"};
    std::string json = jsonreport(r), prom = prometheusreport(r);
    require(utf8(json) && utf8(prom) && prom.back() == '\n' && json.back() == '\n');
    require(textreport(r).back() == '\n' && nagiosreport(r).find('\n') != std::string::npos);
    return 0;
}
