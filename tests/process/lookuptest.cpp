// A process that cannot be opened, as the process dump tells it.
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/snapshot.h"

#include <gtest/gtest.h>

namespace {

// A process that cannot be opened goes by "<unknown>", which an entry may name; ids print
// unsigned.
TEST(lookup, unreadableprocessisunknown) {
    for (const char *c : {"", "/", "c:/x/unknown", "c:/x/<unknown>", "<unknown>"})
        configuration.starts.emplace_back().command = c;
    identifyprocess(0xFFFFFFFC); // no process has this id
    EXPECT_EQ(countrunning(), 1);
    e2e::scratch dir;
    applog.open(dir.file("tessark.log").c_str(), true);
    dumpprocesses();
    applog.close();
    std::vector<std::string> d = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[4], "   c:/x/<unknown> exist, pid 4294967292 failed to get hwnd");
    EXPECT_EQ(d[5], "   <unknown> not exist");
    configuration.starts.clear();
}

} // namespace
