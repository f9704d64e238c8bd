// Shared fixture of the end-to-end tests: one fresh program folder per test, start
// switches cleared before and after, the process ended on teardown whatever happened.
//
// gui_tests.exe drives a copy of Dustvane.exe (the one beside it, or DV_EXE) from
// outside, through its windows only. It needs a display and a test drive: ctest runs it
// through scripts/wine-exec.sh with DV_NEEDS_DISPLAY=1, which maps DV_TEST_DRIVE=T:.
// The program folder holds no language or settings files, so every caption is the
// stored English text and every keyed message text is empty.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "forms/Catalogue.h"
#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Dialogs.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

namespace gui {

using dv::Ctl;

// Where a control sits (client coordinates of its window) and, when it is unambiguous,
// its caption.
struct Place {
    int x, y, w, h;       // h 0: any (combo boxes take the system's height)
    const char* caption;  // nullptr: any
    const char* cls;      // nullptr: any
};

// A control's place as the window tables give it: its containers' places added, the class
// of its system window, and the caption of a button, check box or radio button (which
// nothing changes while no language file is loaded). `withText`: the stored text of labels
// and edit boxes as well, as they show it when their window opens.
Place place(Ctl control, bool withText = false);

namespace main_window {
inline const int kWidth = dv::windowTables().window(Ctl::MainWindow)->width;
inline const int kHeight = dv::windowTables().window(Ctl::MainWindow)->height;
// Compact automatic mode shrinks the window to its step panel.
inline const int kCompactWidth = dv::windowTables().control(Ctl::stepPanel)->width;
inline const int kCompactHeight = dv::windowTables().control(Ctl::stepPanel)->height;
}  // namespace main_window

// A top window of the program with the caption and size its table gives it.
inline HWND waitTopWindow(DWORD pid, Ctl window, DWORD timeoutMs) {
    const dv::WindowSpec& w = *dv::windowTables().window(window);
    return waitTopWindow(pid, w.caption, w.width, w.height, timeoutMs);
}

// The control of the top window at this place (combo heights are not compared).
HWND placed(HWND top, const Place& p, DWORD timeoutMs = kShortWait);
inline HWND placed(HWND top, Ctl control, DWORD timeoutMs = kShortWait) {
    return placed(top, place(control), timeoutMs);
}
// The control found by its place alone, whatever a language file made its caption.
inline HWND placedAnyCaption(HWND top, Ctl control, DWORD timeoutMs = kShortWait) {
    Place p = place(control);
    p.caption = nullptr;
    return placed(top, p, timeoutMs);
}

// Digit runs of a text, as numbers ("Found 12 files in 3 s" -> 12, 3).
bool containsNumber(const std::string& text, long long n);

// Compact automatic mode searches every drive letter with set 3 and deletes what it
// finds. It is run only where the drives are the test prefix's C: and the test drive, and
// its cleaners are pointed (through the environment) at folders of the test drive.
bool onlyTestDrives();

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts with NotShow = 1 (no wizard) and returns the visible main window after
    // the splash screen has gone; this test's program, or another one.
    HWND startNormal();
    HWND startNormal(AppUnderTest& program);
    // Waits until the splash window (435 x 294) of this test's program (or of `of`) has
    // come and gone.
    bool waitSplashGone(DWORD* shownMs = nullptr, DWORD of = 0);

    AppUnderTest& app() { return *app_; }
    DWORD pid() { return app_->pid(); }

private:
    std::unique_ptr<AppUnderTest> app_;
};

}  // namespace gui
