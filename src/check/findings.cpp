#include "check/findings.h"

#include <algorithm>

namespace check {

std::string findingline(const std::string &file, const finding &f) {
    return file + ":" + std::to_string(f.at.line) + ":" + std::to_string(f.at.column) +
           (iserror(f.kind) ? ": error: " : ": warning: ") + f.text;
}

void sortbyposition(std::vector<finding> &findings) {
    std::stable_sort(findings.begin(), findings.end(), [](const finding &a, const finding &b) {
        return a.at.line != b.at.line ? a.at.line < b.at.line : a.at.column < b.at.column;
    });
}

} // namespace check
