// The process dump as tessark.exe writes it for a configuration file.
#include "fixtures.h"
#include "harness.h"
#include "lookupcases.h"

#include <gtest/gtest.h>

namespace {

// The configuration: every command, closed by termination so that a run leaves nothing behind
// that was running before it only by the test's doing.
std::string configfile(const std::vector<std::string> &commands) {
    std::string text = "justclose\nstart\n";
    for (const std::string &c : commands)
        text += "\"" + c + "\", 0\n";
    text += "stop\n";
    for (size_t i = 0; i < commands.size(); ++i)
        text += std::to_string(i) + ", 0, 3\n";
    return text;
}

TEST(lookuprun, dump) {
    for (const lookupcase &c : lookupcases()) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        std::vector<const e2e::program *> started;
        for (const std::string &name : c.programs) {
            started.push_back(&fixtures.start(name));
            ASSERT_TRUE(started.back()->ready) << name;
        }
        std::vector<std::string> commands;
        for (const std::string &command : c.commands)
            commands.push_back(
                fillin(fillin(command, "{dir}", dir.slashed()), "{bsdir}", dir.path));
        e2e::writefile(dir.file("lookup.cfg"), configfile(commands));
        // The ids are those the system lists while the programs run, before tessark ends any.
        std::vector<std::string> expected = {"process dump:"};
        for (const std::string &line : c.dump)
            expected.push_back(expectedline(line, dir, started));

        ASSERT_TRUE(e2e::runtessark(dir.path, "lookup.cfg").finished);
        std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
        auto heading = std::find(log.begin(), log.end(), "process dump:");
        ASSERT_TRUE(heading != log.end() && heading != log.begin());
        EXPECT_EQ(heading[-1].rfind("...found ", 0), 0u) << heading[-1];
        std::vector<std::string> dump(
            heading, heading + std::min(log.end() - heading, (std::ptrdiff_t)expected.size()));
        EXPECT_EQ(dump, expected);
    }
}

} // namespace
