// Processes of other sessions, as on a machine where several users are logged on. Wine runs one
// session, so this test says which pids are elsewhere, in place of the one function that asks.
#include "process/session.h"
#include "check/analysis.h"
#include "check/plan.h"
#include "config/configuration.h"
#include "harness.h"
#include "io/logfile.h"
#include "process/dump.h"
#include "process/lookup.h"
#include "process/runmode.h"
#include "process/snapshot.h"

#include <gtest/gtest.h>

using namespace config;
using namespace process;
using namespace check;

namespace {
std::set<unsigned> elsewhere;
} // namespace

bool process::inoursession(unsigned pid) {
    return !elsewhere.count(pid);
}

namespace {

// a runs only in another session; b in ours and in another. Neither lookup nor dump nor a
// termination (method 3, or 5 after a WM_CLOSE that is ignored) touches the other session's;
// the checker counts them at their entries.
TEST(session, othersessionsareleftalone) {
    for (int method : {3, 5}) {
        SCOPED_TRACE(method);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        const e2e::program &a = fixtures.start("stubborn-a.exe");
        const e2e::program &b = fixtures.start("stubborn-b.exe");
        const e2e::program &bother = fixtures.start("stubborn-b.exe");
        ASSERT_TRUE(a.ready && b.ready && bother.ready);
        elsewhere = {a.pid, bother.pid};
        std::string m = std::to_string(method);
        e2e::writefile(dir.file("t.cfg"), "justclose start \"" + dir.slashed() +
                                              "/stubborn-a.exe\", 0 \"" + dir.slashed() +
                                              "/stubborn-b.exe\", 0 stop 0,0," + m + " 1,0," + m);
        analysis an;
        analysefile(an, dir.file("t.cfg").c_str());
        ASSERT_TRUE(an.consistent);
        std::string plan = plantext(an);
        for (const char *entry : {"/stubborn-a.exe\": 1 process", "/stubborn-b.exe\": 1 process"})
            EXPECT_NE(plan.find(dir.slashed() + entry + " by its name runs in other sessions"),
                      std::string::npos)
                << plan;

        applog.open(dir.file("tessark.log").c_str(), true);
        dumpprocesses();
        closeall();
        applog.close();
        std::vector<std::string> log = e2e::loglines(e2e::readfile(dir.file("tessark.log")));
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[1], "   " + dir.slashed() + "/stubborn-a.exe not exist");
        EXPECT_EQ(log[2], "   " + dir.slashed() + "/stubborn-b.exe exist, pid " +
                              std::to_string(b.pid) + " found 1 hwnds");
        EXPECT_TRUE(b.waitexit());
        EXPECT_FALSE(a.waitexit(0) || bother.waitexit(0));
        configuration = {};
    }
}

} // namespace
