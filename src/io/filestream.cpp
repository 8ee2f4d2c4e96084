#include "io/filestream.h"

namespace io {

filestream::filestream(const char *path) {
    open(path, 0);
}

filestream::~filestream() {
    file::close();
}

unsigned filestream::read(void *buffer, unsigned size) {
    return file::read(buffer, size);
}

void filestream::close() {
    file::close();
}

} // namespace io
