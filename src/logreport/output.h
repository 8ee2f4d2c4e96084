#pragma once

#include <string>

namespace logreport {

// Writes text to path whole: into a temporary file beside it, then renamed over it, so a
// collector reads the old report or the new one, never a part. The temporary name ends in
// ".tmp", which no collector reads. Empty, or why it failed; a failure leaves nothing behind.
std::string writeatomically(const std::string &path, const std::string &text);
// The console gets the bytes as they are: JSON and Prometheus readers want LF line ends even
// when the output is redirected to a file.
void rawconsole();

} // namespace logreport
