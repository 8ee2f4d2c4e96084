#include "config/command.h"

#include <gtest/gtest.h>

namespace {

// Command -> the name looked for and the directory started in; only '/' cuts.
TEST(command, parts) {
    struct {
        const char *command, *name, *directory;
    } cases[] = {
        // clang-format off
        {"c:/tools/app.exe", "app.exe", "c:/tools"},
        {"app.exe", "app.exe", ""},
        {"/app.exe", "app.exe", ""},
        {"//app.exe", "app.exe", "/"},
        {"c:/tools/", "tools", "c:/tools"},
        {"c://tools///app.exe//", "app.exe", "c://tools///app.exe/"},
        {"c:\\tools\\app.exe", "c:\\tools\\app.exe", ""},
        {"c:/tools/app.exe -o c:/out/x.txt", "x.txt", "c:/tools/app.exe -o c:/out"},
        {"", "", ""},
        {"/", "", ""},
        {"///", "", "//"},
        {"a", "a", ""},
        // clang-format on
    };
    for (const auto &c : cases) {
        std::string name = "old", directory = "old";
        config::commandparts(c.command, name, directory);
        EXPECT_EQ(name, c.name) << c.command;
        EXPECT_EQ(directory, c.directory) << c.command;
    }
}

} // namespace
