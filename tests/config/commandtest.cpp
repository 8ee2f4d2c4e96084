#include "config/command.h"

#include <gtest/gtest.h>

namespace {

// Command -> "name > directory": the name looked for, the directory started in; only '/' cuts.
TEST(command, parts) {
    struct {
        const char *command, *parts;
    } cases[] = {
        // clang-format off
        {"c:/tools/app.exe", "app.exe > c:/tools"},
        {"app.exe", "app.exe > "},
        {"/app.exe", "app.exe > "},
        {"//app.exe", "app.exe > /"},
        {"c:/tools/", "tools > c:/tools"},
        {"c://tools///app.exe//", "app.exe > c://tools///app.exe/"},
        {"c:\\tools\\app.exe", "c:\\tools\\app.exe > "},
        {"c:/tools/app.exe -o c:/out/x.txt", "x.txt > c:/tools/app.exe -o c:/out"},
        {"", " > "},
        {"/", " > "},
        {"///", " > //"},
        {"a", "a > "},
        // clang-format on
    };
    for (const auto &c : cases) {
        std::string name = "old", directory = "old";
        config::commandparts(c.command, name, directory);
        EXPECT_EQ(name + " > " + directory, c.parts) << c.command;
    }
}

} // namespace
