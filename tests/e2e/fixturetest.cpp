// The fixture program and the guard behave as the process tests rely on.
#include "fixtures.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

bool has(const std::vector<std::string> &events, const std::string &line) {
    for (const std::string &e : events)
        if (e == line)
            return true;
    return false;
}

HWND mainwindow(const e2e::program &p) {
    for (const std::string &e : p.events())
        if (e.rfind("window main ", 0) == 0)
            return (HWND)(uintptr_t)std::stoull(e.substr(12), nullptr, 16);
    return nullptr;
}

TEST(fixture, behaviours) {
    struct {
        const char *name;
        size_t visible; // top-level windows shown
        size_t made;    // windows it records having made
        bool closes;    // ends on WM_CLOSE to its main window
    } cases[] = {
        {"onewin.exe", 1, 1, true},      {"onewin-17.exe", 1, 1, true},
        {"twowin.exe", 2, 2, true},      {"hidden.exe", 0, 2, true},
        {"nowin.exe", 0, 0, false},      {"stubborn.exe", 1, 1, false},
        {"stubborn-2.exe", 1, 1, false},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        e2e::scratch dir;
        e2e::guard fixtures(dir);
        const e2e::program &p = fixtures.start(c.name);
        ASSERT_TRUE(p.ready);
        std::vector<std::string> events = p.events();
        EXPECT_EQ(events[0], "cwd " + dir.path);
        size_t made = 0;
        for (const std::string &e : events)
            made += e.rfind("window ", 0) == 0;
        EXPECT_EQ(made, c.made);
        EXPECT_EQ(p.visiblewindows().size(), c.visible);

        HWND main = mainwindow(p);
        if (main)
            SendMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.waitexit(c.closes ? 10000 : 300), c.closes);
        if (main) {
            EXPECT_TRUE(has(p.events(), "WM_CLOSE main"));
        }
        EXPECT_EQ(has(p.events(), "exit"), c.closes);
    }
}

TEST(fixture, copiesofonebehaviourkeeptheirownrecords) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    const e2e::program &a = fixtures.start("onewin-1.exe");
    const e2e::program &b = fixtures.start("onewin-2.exe");
    const e2e::program &c = fixtures.start("onewin-2.exe");
    ASSERT_TRUE(a.ready && b.ready && c.ready);
    EXPECT_EQ(e2e::writers(e2e::eventsfile(a.exe)), std::vector<unsigned>{a.pid});
    EXPECT_EQ(e2e::writers(e2e::eventsfile(b.exe)), (std::vector<unsigned>{b.pid, c.pid}));
    SendMessageA(mainwindow(b), WM_CLOSE, 0, 0);
    ASSERT_TRUE(b.waitexit());
    EXPECT_FALSE(has(c.events(), "WM_CLOSE main"));
    EXPECT_FALSE(c.waitexit(0));
}

// The premises of the close tests: a hung fixture really handles nothing, and a dialog
// fixture really holds its WM_CLOSE in a modal box.
TEST(fixture, hungwindowhandlesnothing) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    const e2e::program &p = fixtures.start("hung.exe");
    ASSERT_TRUE(p.ready);
    EXPECT_EQ(p.visiblewindows().size(), 1u);
    DWORD_PTR result;
    EXPECT_FALSE(
        SendMessageTimeoutA(mainwindow(p), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 500, &result));
    EXPECT_FALSE(has(p.events(), "WM_CLOSE main"));
    EXPECT_FALSE(p.waitexit(0));
}

// WM_CLOSE opens a modal message box, itself a visible window; closing it ends the program.
TEST(fixture, dialogonclose) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    const e2e::program &p = fixtures.start("dialog.exe");
    ASSERT_TRUE(p.ready);
    HWND main = mainwindow(p);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(p.waitfor("dialog open"));
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
        for (void *h : p.visiblewindows())
            if ((HWND)h != main)
                box = (HWND)h;
        Sleep(10);
    }
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(p.waitexit(0));
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.waitfor("dialog closed"));
    EXPECT_TRUE(p.waitexit());
}

// Whatever a test leaves running from its directory is ended, also what it did not start.
TEST(guard, endseverythingfromitsdirectory) {
    e2e::scratch dir;
    HANDLE other = nullptr;
    unsigned started = 0;
    {
        e2e::guard fixtures(dir);
        started = fixtures.start("stubborn.exe").pid;
        ASSERT_NE(started, 0u);
        std::string exe = e2e::placefixture(dir.path, "deep/nowin.exe");
        std::string line = "\"" + exe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   dir.path.c_str(), &si, &pi));
        CloseHandle(pi.hThread);
        other = pi.hProcess;
        EXPECT_EQ(e2e::processesunder(dir.path).size(), 2u);
    }
    EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_OBJECT_0);
    CloseHandle(other);
    EXPECT_TRUE(e2e::processesunder(dir.path).empty());
}

} // namespace
