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

#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Dialogs.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

namespace gui {

// Where a main-window control sits (client coordinates of MainWindow) and, when it is
// unambiguous at start-up, its caption.
struct Place {
    int x, y, w, h;
    const char* caption;  // nullptr: any
    const char* cls;      // nullptr: any
};

namespace main_window {
constexpr int kWidth = 663, kHeight = 470;
constexpr Place startSearchButton{18, 289, 90, 20, "Start Search", "Button"};
constexpr Place cancelButton{120, 289, 90, 20, "Cancel", "Button"};
constexpr Place resetButton{222, 289, 90, 20, "Reset", "Button"};
constexpr Place recoveryButton{326, 289, 90, 20, "Recovery", "Button"};
constexpr Place addGarbageTypeButton{300, 219, 162, 16, "Add Garbage File Type", "Button"};
constexpr Place deleteAllButton{300, 219, 162, 16, "Delete All Garbage Files", "Button"};
constexpr Place visitWebsiteButton{478, 219, 162, 16, "Visit Our Website", "Button"};
constexpr Place languageButton{615, 284, 32, 32, nullptr, "Button"};
constexpr Place privacyTracesButton{544, 444, 20, 17, "P", "Button"};
constexpr Place updateSettingsButton{572, 444, 20, 17, "U", "Button"};
constexpr Place aboutButton{600, 444, 20, 17, nullptr, "Button"};
constexpr Place statusLabel{15, 219, 263, 16, nullptr, "Static"};
constexpr Place currentFileLabel{15, 239, 296, 16, nullptr, "Static"};
constexpr Place statisticsTitleLabel{15, 257, 296, 16, nullptr, "Static"};
constexpr Place alertLabel{316, 239, 336, 20, nullptr, "Static"};
constexpr Place recoveredLabel{316, 261, 336, 15, nullptr, "Static"};
constexpr Place helpButton{566, 15, 24, 18, nullptr, "Button"};
constexpr Place closeButton{626, 15, 24, 18, nullptr, "Button"};
constexpr Place exitButton{628, 444, 20, 17, nullptr, "Button"};
// Inside criteriaPanel (15,53).
constexpr Place criteriaTitleLabel{20, 58, 250, 15, nullptr, "Static"};
constexpr Place driveCombo{143, 91, 126, 0, nullptr, "ComboBox"};       // height: the system's
constexpr Place patternSetCombo{20, 160, 250, 0, nullptr, "ComboBox"};
// Inside optionsPanel (289,53).
constexpr Place recycleModeRadio{297, 142, 343, 16, "Remove the File(s) to Recycle Bin", "Button"};
constexpr Place permanentModeRadio{297, 160, 343, 16, "Permanently delete the file(s)", "Button"};
constexpr Place backupModeRadio{297, 178, 343, 16, "Backup the file(s) before delete file(s)",
                                "Button"};
constexpr Place backupFolderButton{607, 178, 32, 16, "==>", "Button"};
constexpr Place autoEmptyRecycleCheck{297, 196, 343, 16,
                                      "Automatically empty Recycle Bin after delete file(s)",
                                      "Button"};
// Inside resultPanel (15,320).
constexpr Place resultList{21, 326, 620, 95, nullptr, "SysListView32"};
// Compact mode.
constexpr int kCompactWidth = 387, kCompactHeight = 132;
constexpr Place stepProgressBar{35, 46, 316, 22, nullptr, "msctls_progress32"};
constexpr Place showStepCheck{35, 82, 316, 16, "Show the step window when start", "Button"};
}  // namespace main_window

// The control of the top window at this place (combo heights are not compared).
HWND placed(HWND top, const Place& p, DWORD timeoutMs = kShortWait);

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
