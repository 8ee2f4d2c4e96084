#pragma once

#include <cstddef>
#include <vector>

namespace process {

// Programs that stopped responding. Windows calls a window hung when its thread has taken no
// message for 5 seconds (IsHungAppWindow, which sends nothing). A program is suspect when every
// top-level window of it is hung and one of them is visible, or hidden as Windows hides the
// window of a program that a person touched, behind a ghost. One window that answers, a second
// thread's or a hidden one's, means the program is only busy elsewhere, and a program with no
// window is never suspect.

// The start entries whose program is suspect now.
std::vector<size_t> suspects();

// The suspects of one run, watched together. Each process is held from the first look to its
// end, or until it is let be, so that its id cannot pass to another process meanwhile.
class hangwatch {
public:
    hangwatch() = default;
    ~hangwatch();
    hangwatch(const hangwatch &) = delete;
    hangwatch &operator=(const hangwatch &) = delete;

    // Looks every few hundred ms until ms have passed, or none is suspect any more: one that
    // answers is left alone, one that ends has its entry's pid set to 0. Returns those still
    // hung then that a message, aborted as hung, confirms.
    std::vector<size_t> watch(const std::vector<size_t> &suspects, int ms);
    // Terminates entry k's process as a close terminates, and waits until it is gone (a few
    // seconds at most), so that a program that allows one instance finds no old self when it
    // starts; false when it refused and runs on.
    bool end(size_t k);

private:
    struct held {
        size_t entry;
        void *process; // null when not even the least right was granted
    };
    static void release(const held &h);
    std::vector<held> holds; // the confirmed, until each is ended
};

} // namespace process
