#include "config/configuration.h"
#include "config/loader.h"
#include "io/memorystream.h"
#include "logtail.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

const char sizes[] = "...size of sections in cfg file is different\n";
const char index[] = "...wrong index in stop section\n";

TEST(check, sections) {
    struct {
        const char *text;
        const char *message; // nullptr: the check passes
    } cases[] = {
        {"", nullptr},
        {"justclose", nullptr},
        {"start \"a\",0 \"b\",0 stop 1,0,0 0,0,0", nullptr},
        {"start \"a\",0 \"b\",0 stop 1,0,0 1,0,0", nullptr}, // an index may repeat
        {"start \"a\",0 \"b\",0 stop 0,0,0", sizes},
        {"stop 0,0,0", sizes},
        {"start \"a\",0", sizes},
        {"start \"a\",0 \"b\",0 stop 0,0,0 2,0,0", index},
        {"start \"a\",0 stop 0,0,0 start \"b\",0 stop 9,0,0", index},
        // Sizes are told before indexes.
        {"start \"a\",0 \"b\",0 stop 7,0,0", sizes},
        // Would wrap to 0 if not held at the largest int.
        {"start \"a\",0 stop 4294967296,0,0", index},
        // An entry cut short by the end of the file leaves its stop entry alone.
        {"stop 0,0,0 start \"a\",", sizes},
        // Neither methods nor delays are checked.
        {"start \"a\",0 stop 0,99999,77", nullptr},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.text);
        configuration = config();
        io::memorystream source(c.text, std::strlen(c.text));
        ASSERT_TRUE(loadconfiguration(source));
        logtail log;
        EXPECT_EQ(checkconfiguration(), c.message == nullptr);
        EXPECT_EQ(log.text(), c.message ? c.message : "");
    }
}

} // namespace
