#pragma once

#include <cstddef>

namespace config {

// Checks that the stop section fits the start section; logs the reason when not.
bool checkconfiguration();
// The first stop entry from position from on whose index names no start entry; the number of
// stop entries when there is none.
size_t wrongindex(size_t from);

} // namespace config
