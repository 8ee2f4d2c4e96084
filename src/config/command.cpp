#include "config/command.h"
#include "text/splitter.h"

std::string namecomponent(const std::string &command) {
    aux::splitter s(command.c_str(), '/');
    const char *last = nullptr;
    while (const char *piece = s.next())
        last = piece;
    return last ? last : "";
}

std::string startdirectory(const std::string &command) {
    aux::splitter s(command.c_str(), '/');
    while (s.next())
        ;
    return s.directory();
}
