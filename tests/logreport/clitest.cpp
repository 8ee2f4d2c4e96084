// tessarklog as a process: what a wrong command line and an unreadable log give.
#include "../e2e/files.h"
#include "logdriver/main.h"

#include <cstdlib>
#include <sys/wait.h>

#include <gtest/gtest.h>

TEST(commandline, exitcodes) {
    e2e::scratch dir;
    e2e::writefile(dir.file("tessark.log"), "");
    const struct {
        std::string args;
        int code;
        std::string out;
    } cases[] = {
        {"", 3, std::string(usageline) + "\n"},
        {"--since 5x tessark.log", 3, std::string(usageline) + "\n"},
        {"--format nagios missing.log", 3,
         "TESSARK UNKNOWN - cannot read missing.log: it does not exist | "},
        {"--format nagios --every 0 tessark.log", 2,
         "TESSARK CRITICAL - no run began in the last 24h | "},
        {"--output out/x.prom tessark.log", 3, ""},
    };
    for (const auto &c : cases) {
        std::string command =
            "cd '" + dir.path + "' && " TESSARKLOG " " + c.args + " >stdout 2>/dev/null";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.code) << c.args;
        EXPECT_EQ(e2e::readfile(dir.file("stdout")).substr(0, c.out.size()), c.out) << c.args;
    }
}
