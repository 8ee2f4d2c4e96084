#include "logreport/closetrail.h"

namespace logreport {

void closetrail::closing(program &p) {
    latest = &p;
    at = closed;
    toldunreached = false;
}

void closetrail::hanging(program &p) {
    latest = &p;
    at = hung;
}

program *closetrail::terminating() {
    program *p = at == closed ? latest : nullptr;
    at = p ? terminated : none;
    return p;
}

program *closetrail::unreached(std::string_view command) {
    if (at != closed || toldunreached || !is(command))
        return nullptr;
    toldunreached = true;
    return latest;
}

program *closetrail::refused(std::string_view command, step &was) {
    if (!is(command))
        return nullptr;
    was = at;
    at = none;
    return latest;
}

} // namespace logreport
