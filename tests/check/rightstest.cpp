// The rights the checker weighs are the task's, which runs without elevation. Wine runs every
// process at high integrity, as an elevated one, and the unelevated token linked to it too;
// this test says the check's own levels in place of the one function that reads them.
#include "check/analysis.h"
#include "check/machine.h"
#include "check/ourlevels.h"
#include "check/plan.h"
#include "harness.h"

#include <gtest/gtest.h>

using namespace check;

namespace {
tokenlevels said;
} // namespace

tokenlevels check::ourlevels() {
    return said;
}

namespace {

// A program at Wine's level, closed by method 5. A check above the task's level judges it as
// the task will, and says so first; one at the task's level judges by its own, as ever.
TEST(rights, judgedasthetask) {
    const unsigned medium = 0x2000, high = 0x3000, system = 0x4000;
    using kinds = std::vector<findingkind>;
    const kinds both = {findingkind::unterminable, findingkind::abovechecker};
    struct {
        tokenlevels said;
        kinds warnings;
        bool refused, elevated; // the plan's termination; its note
    } cases[] = {
        {{high, medium}, both, true, true}, // an administrator's elevated prompt
        {{system, 0}, both, true, true},    // no unelevated token (SYSTEM, UAC off): medium
        {{system, high}, {}, false, true},  // a program at the task's level
        {{high, high}, {}, false, false},   // as Wine says
        {{medium, 0}, {findingkind::abovechecker}, false, false}, // not elevated
    };
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    ASSERT_TRUE(fixtures.start("onewin.exe").ready);
    std::string command = dir.slashed() + "/onewin.exe";
    e2e::writefile(dir.file("t.cfg"), "justclose start \"" + command + "\", 0 stop 0,0,5");
    for (auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.said.own << " " << c.said.unelevated);
        said = c.said;
        analysis a;
        analysefile(a, dir.file("t.cfg").c_str());
        askmachine(a);
        kinds warnings;
        std::string texts;
        for (const finding &f : a.warnings) {
            warnings.push_back(f.kind);
            texts += f.text + "\n";
        }
        EXPECT_EQ(warnings, c.warnings) << texts;
        // Not elevated, the words are those of the check's own rights.
        EXPECT_EQ(texts.find("than this check,") != std::string::npos,
                  !c.elevated && !c.warnings.empty())
            << texts;
        std::string plan = plantext(a);
        EXPECT_EQ(plan.find("   failed to terminate " + command) != std::string::npos, c.refused)
            << plan;
        EXPECT_EQ(plan.rfind("this check runs elevated (", 0) == 0, c.elevated) << plan;
    }
}

} // namespace
