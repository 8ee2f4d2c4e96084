#pragma once

namespace check {

// The integrity levels of this check's own token, as a label's last subauthority (0x2000
// medium, 0x3000 high, 0x4000 system); 0 for one that cannot be read or does not exist. They
// are read here and nowhere else, so that a test can say them.
struct tokenlevels {
    unsigned own;
    // An elevated token's linked one: the rights the same user has without elevation, with
    // which the task runs.
    unsigned unelevated;
};
tokenlevels ourlevels();

} // namespace check
