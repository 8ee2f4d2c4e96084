#include "logreport/encoding.h"

#include <windows.h>

namespace logreport {

namespace {

// Each byte as U+00XX: what is left when the code page rejects the text.
std::string bytewise(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | c >> 6);
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

std::string ansitoutf8(std::string_view text) {
    bool ascii = true;
    for (unsigned char c : text)
        ascii = ascii && c < 0x80;
    if (ascii || text.size() > 0x7FFFFFFF)
        return ascii ? std::string(text) : bytewise(text);
    int n = (int)text.size();
    // A code page with lead bytes (Japanese, Chinese, Korean) can reject a sequence; then no
    // part of the text is guessed at, and every byte keeps its own value.
    int wide = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), n, nullptr, 0);
    if (wide <= 0)
        return bytewise(text);
    std::wstring w(wide, L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), n, &w[0], wide);
    int size = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return bytewise(text);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, &out[0], size, nullptr, nullptr);
    return out;
}

} // namespace logreport
