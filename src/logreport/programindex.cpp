#include "logreport/programindex.h"

namespace logreport {

void programindex::follow(linekind kind) {
    place = kind == previous ? place + 1 : 0;
    previous = kind;
}

program &programindex::named(std::string_view command, bool inwindow) {
    program *p = place < hints.size() ? hints[place] : nullptr;
    if (!p || p->command != command) {
        auto at = index.find(command);
        if (at == index.end()) {
            programs.emplace_back();
            programs.back().command = command;
            at = index.emplace(programs.back().command, &programs.back()).first;
            hints.resize(programs.size());
        }
        p = at->second;
        if (place < hints.size())
            hints[place] = p;
    }
    if (inwindow && !p->inwindow) {
        p->inwindow = true;
        window.push_back(p);
    }
    return *p;
}

} // namespace logreport
