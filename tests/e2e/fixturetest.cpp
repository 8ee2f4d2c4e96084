// The premises of the close tests that they cannot check themselves, and the guard.
#include "fixtures.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HWND mainwindow(const e2e::program &p) {
    for (const std::string &e : p.events())
        if (e.rfind("window main ", 0) == 0)
            return (HWND)(uintptr_t)std::stoull(e.substr(12), nullptr, 16);
    return nullptr;
}

// A hung fixture really handles nothing: no message reaches it.
TEST(fixture, hungwindowhandlesnothing) {
    e2e::scratch dir;
    e2e::guard fixtures(dir);
    const e2e::program &p = fixtures.start("hung.exe");
    ASSERT_TRUE(p.ready);
    EXPECT_EQ(p.visiblewindows().size(), 1u);
    DWORD_PTR result;
    EXPECT_FALSE(
        SendMessageTimeoutA(mainwindow(p), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 500, &result));
    EXPECT_FALSE(p.waitfor("WM_CLOSE main", 0));
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
