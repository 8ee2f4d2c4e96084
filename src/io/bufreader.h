#pragma once

namespace io {

class stream;

// Hands out the bytes of a stream one at a time, reading it in blocks of a fixed size.
// The end of the input is the exception endofdata, thrown again on every later call.
class bufreader {
public:
    // Reads the first block at once. Throws nomemory when the buffer cannot be had and
    // readfailed when the first block cannot be read, whatever the source threw.
    bufreader(stream &source, unsigned capacity);
    // Frees the buffer; the source is left as it is, open.
    virtual ~bufreader();
    bufreader(const bufreader &) = delete;
    bufreader &operator=(const bufreader &) = delete;

    // A failure of the source's read passes through unchanged.
    char getbyte() {
        if (position >= count)
            refill();
        return buffer[position++];
    }

private:
    void refill();

    stream *source;
    unsigned position = 0;
    unsigned count = 0;
    unsigned capacity;
    char *buffer = nullptr;
};

} // namespace io
