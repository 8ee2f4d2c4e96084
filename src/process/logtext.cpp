#include "process/logtext.h"

namespace process {

std::string filled(const char *format, const std::string &value) {
    std::string text = format;
    return text.replace(text.find('%'), 2, value);
}

} // namespace process
