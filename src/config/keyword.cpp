#include "config/loader.h"

namespace config {

// Apart from the loader, so that tessark.exe, which never names a keyword, does not carry it.
const char *keyword(int code) {
    for (const vocable &v : vocabulary)
        if ((int)v.value == code && code != commatoken)
            return v.text;
    return nullptr;
}

} // namespace config
