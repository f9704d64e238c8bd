// The window operations on real controls: what handlers write is what the controls show,
// events reach their handlers, modal windows hold their openers, and closed windows are gone.
#include <thread>

#include "tests/wine/ui/UiWineEnv.h"

namespace dv::winetest {
namespace {

COLORREF pixelOf(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

TEST_F(UiWine, CaptionsStatesAndChecksReachTheControls) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    ui.setText(Ctl::statusLabel, "12 files");
    ui.setText(Ctl::startSearchButton, "Search now");  // drawn over the artwork, read as text
    ui.setText(Ctl::fileMenuSelectAll, "Tick all");
    ui.setText(Ctl::MainWindow, "Dustvane - busy");
    EXPECT_EQ(ui.text(Ctl::statusLabel), "12 files");
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Search now");
    EXPECT_EQ(ui.text(Ctl::fileMenuSelectAll), "Tick all");
    EXPECT_EQ(ui.text(Ctl::MainWindow), "Dustvane - busy");

    ui.setVisible(Ctl::deleteAllButton, true);
    ui.setVisible(Ctl::addGarbageTypeButton, false);
    ui.setEnabled(Ctl::startSearchButton, false);
    ui.setEnabled(Ctl::fileMenuDeleteAll, false);
    EXPECT_TRUE(ui.isVisible(Ctl::deleteAllButton));
    EXPECT_FALSE(ui.isVisible(Ctl::addGarbageTypeButton));
    EXPECT_FALSE(ui.isEnabled(Ctl::startSearchButton));
    EXPECT_FALSE(IsWindowEnabled(hwndOf(Ctl::startSearchButton)));
    EXPECT_FALSE(ui.isEnabled(Ctl::fileMenuDeleteAll));
    // A control inside a hidden panel keeps its own flag.
    EXPECT_FALSE(ui.isVisible(Ctl::stepPanel));
    EXPECT_TRUE(ui.isVisible(Ctl::stepProgressBar));

    // The radio buttons of a container exclude each other; setting one raises nothing.
    ui.setChecked(Ctl::backupModeRadio, true);
    EXPECT_TRUE(ui.isChecked(Ctl::backupModeRadio));
    EXPECT_FALSE(ui.isChecked(Ctl::permanentModeRadio));
    EXPECT_FALSE(ui.isVisible(Ctl::backupFolderButton));
    ui.setChecked(Ctl::autoEmptyRecycleCheck, true);
    EXPECT_TRUE(ui.isChecked(Ctl::autoEmptyRecycleCheck));
    EXPECT_TRUE(ui.isChecked(Ctl::backupModeRadio));

    ui.setTooltip(Ctl::resetButton, "Start again");
    EXPECT_EQ(ui.tooltip(Ctl::resetButton), "Start again");
}

TEST_F(UiWine, CombosTimersBarsAndColours) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    const int stored = ui.comboCount(Ctl::patternSetCombo);
    ASSERT_GT(stored, 3);
    ui.comboAdd(Ctl::patternSetCombo, "*.old|Old files");
    EXPECT_EQ(ui.comboCount(Ctl::patternSetCombo), stored + 1);
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored), "*.old|Old files");
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored + 1), "");
    EXPECT_EQ(ui.comboSelection(Ctl::driveCombo), -1);
    ui.setComboSelection(Ctl::driveCombo, 2);
    EXPECT_EQ(ui.comboSelection(Ctl::driveCombo), 2);
    EXPECT_EQ(ui.text(Ctl::driveCombo), ui.comboItem(Ctl::driveCombo, 2));
    ui.setComboSelection(Ctl::driveCombo, 999);
    EXPECT_EQ(ui.comboSelection(Ctl::driveCombo), -1);

    ui.setTimer(Ctl::elapsedTimer, 1000);
    EXPECT_EQ(ui.timerInterval(Ctl::elapsedTimer), 1000);
    ui.setTimer(Ctl::elapsedTimer, 0);
    EXPECT_EQ(ui.timerInterval(Ctl::elapsedTimer), 0);

    ui.setProgress(Ctl::stepProgressBar, 101);
    EXPECT_EQ(SendMessageA(hwndOf(Ctl::stepProgressBar), PBM_GETPOS, 0, 0), 100);

    ui.setWidth(Ctl::diskRatioBar, 83);
    RECT r;
    GetWindowRect(hwndOf(Ctl::diskRatioBar), &r);
    EXPECT_EQ(r.right - r.left, 83);
    EXPECT_EQ(r.bottom - r.top, 14);
    EXPECT_EQ(ui.backColour(Ctl::diskRatioBar), 0x4689E0u);  // the window's, until set
    ui.setBackColour(Ctl::diskRatioBar, 0xD2FFD2);
    EXPECT_EQ(ui.backColour(Ctl::diskRatioBar), 0xD2FFD2u);
}

TEST_F(UiWine, ListRowsCellsTicksAndTheCurrentRow) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    const Ctl list = Ctl::resultList;
    EXPECT_EQ(ui.appendRow(list, "a.tmp"), 0);
    EXPECT_EQ(ui.appendRow(list, "b.bak"), 1);
    const std::string longPath = "C:\\" + std::string(3000, 'x') + "\\b.bak";
    ui.setCell(list, 1, 4, longPath);
    ui.setCell(list, 7, 0, "nowhere");
    EXPECT_EQ(ui.rowCount(list), 2);
    EXPECT_EQ(ui.cell(list, 1, 0), "b.bak");
    EXPECT_EQ(ui.cell(list, 1, 4), longPath);
    EXPECT_EQ(ui.cell(list, 2, 0), "");

    ui.setTicked(list, 1, true);
    EXPECT_FALSE(ui.isTicked(list, 0));
    EXPECT_TRUE(ui.isTicked(list, 1));
    EXPECT_EQ(ui.currentRow(list), -1);
    ui.setCurrentRow(list, 1);
    EXPECT_EQ(ui.currentRow(list), 1);

    ui.removeRow(list, 0);
    EXPECT_EQ(ui.rowCount(list), 1);
    EXPECT_EQ(ui.cell(list, 0, 0), "b.bak");
    EXPECT_TRUE(ui.isTicked(list, 0));
    ui.removeRow(list, 5);
    EXPECT_EQ(ui.rowCount(list), 1);
    ui.clearRows(list);
    EXPECT_EQ(ui.rowCount(list), 0);

    // The check list of LanguageWindow ticks rows the same way.
    ASSERT_TRUE(ui.createWindow(Ctl::LanguageWindow));
    EXPECT_EQ(ui.appendRow(Ctl::languageList, "English"), 0);
    EXPECT_EQ(ui.appendRow(Ctl::languageList, "Deutsch"), 1);
    ui.setTicked(Ctl::languageList, 1, true);
    EXPECT_TRUE(ui.isTicked(Ctl::languageList, 1));
    EXPECT_FALSE(ui.isTicked(Ctl::languageList, 0));
}

TEST_F(UiWine, AClosedWindowsControlsAreGoneAndComeBackFresh) {
    ASSERT_TRUE(ui.createWindow(Ctl::AddGarbageTypeWindow));
    ui.setText(Ctl::addTypePatternEdit, "*.old");
    ui.closeWindow(Ctl::AddGarbageTypeWindow);
    ui.processPendingMessages();
    EXPECT_EQ(ui.text(Ctl::addTypePatternEdit), "");
    EXPECT_FALSE(ui.isVisible(Ctl::addTypePatternEdit));
    ui.setText(Ctl::addTypePatternEdit, "ignored");
    ui.closeWindow(Ctl::AddGarbageTypeWindow);  // twice is harmless

    ASSERT_TRUE(ui.createWindow(Ctl::AddGarbageTypeWindow));
    EXPECT_EQ(ui.text(Ctl::addTypePatternEdit), "*.bak");
}

TEST_F(UiWine, ClicksAndSelectionsReachTheirHandlers) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    HWND top = ui.windowHandle(Ctl::MainWindow);

    // A click on the recycle mode takes the check from the permanent mode.
    SendMessageA(hwndOf(Ctl::recycleModeRadio), BM_CLICK, 0, 0);
    EXPECT_TRUE(ui.isChecked(Ctl::recycleModeRadio));
    EXPECT_FALSE(ui.isChecked(Ctl::permanentModeRadio));

    // A user's choice in the combo (inside its panel) rebuilds the pattern list.
    HWND combo = hwndOf(Ctl::patternSetCombo);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 LPARAM(combo));
    EXPECT_FALSE(app.state.searchPatterns.empty());

    SendMessageA(hwndOf(Ctl::minimizeButton), BM_CLICK, 0, 0);
    ui.processPendingMessages();
    EXPECT_TRUE(IsIconic(top));
}

TEST_F(UiWine, AWindowMinimisedBeforeItShowsStaysOutOfSightUntilShown) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    HWND top = ui.windowHandle(Ctl::MainWindow);
    ui.setWindowState(Ctl::MainWindow, WindowState::Minimised);  // start-up, while loading
    EXPECT_FALSE(IsWindowVisible(top));
    ui.setWindowState(Ctl::MainWindow, WindowState::Normal);
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_FALSE(IsIconic(top));
    ui.setWindowState(Ctl::MainWindow, WindowState::Minimised);
    EXPECT_TRUE(IsIconic(top));

    // Hidden while minimised, shown again: it comes back as it was left.
    ASSERT_TRUE(ui.createWindow(Ctl::AboutWindow));
    ui.setWindowState(Ctl::AboutWindow, WindowState::Minimised);
    ui.setVisible(Ctl::AboutWindow, true);
    EXPECT_TRUE(IsIconic(ui.windowHandle(Ctl::AboutWindow)));
}

// Closes the modal window from inside its own message loop, noting the opener's state.
Win32Ui* gUi = nullptr;
bool gOpenerEnabledWhileModal = true;

void CALLBACK closeAbout(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gOpenerEnabledWhileModal = IsWindowEnabled(gUi->windowHandle(Ctl::MainWindow));
    gUi->closeWindow(Ctl::AboutWindow);
}

TEST_F(UiWine, AModalWindowHoldsItsOpenerUntilItCloses) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    gUi = &ui;
    SetTimer(nullptr, 0, 200, closeAbout);
    ui.openModal(Ctl::AboutWindow);  // returns once the timer has closed it
    EXPECT_FALSE(gOpenerEnabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(ui.windowHandle(Ctl::MainWindow)));
    EXPECT_FALSE(ui.windowHandle(Ctl::AboutWindow));
}

TEST_F(UiWine, TheSplashClosesItselfOnItsThirdTick) {
    ui.openModal(Ctl::SplashWindow);
    EXPECT_EQ(app.state.splashTicks, 3);
    EXPECT_FALSE(ui.windowHandle(Ctl::SplashWindow));
}

TEST_F(UiWine, CaptionsWrittenByAnotherThreadArriveOnTheGuiThread) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    std::thread worker([this] {
        ui.setText(Ctl::stepTextLabel, "A newer version is available");
        ui.setVisible(Ctl::stepPanel, true);
    });
    worker.join();
    ui.processPendingMessages();
    EXPECT_EQ(ui.text(Ctl::stepTextLabel), "A newer version is available");
    EXPECT_TRUE(ui.isVisible(Ctl::stepPanel));
}

TEST_F(UiWine, ATransparentLabelShowsTheBarsBelowIt) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    ui.setBackColour(Ctl::diskRatioBar, 0xD2FFD2);
    ui.setBackColour(Ctl::diskTotalBar, 0xB3B3FF);
    ui.setWidth(Ctl::diskRatioBar, 100);
    ui.setText(Ctl::diskSpaceText, "");
    showNow(Ctl::MainWindow);
    HWND text = hwndOf(Ctl::diskSpaceText);  // 250 x 28 over both bars
    EXPECT_EQ(pixelOf(text, 50, 3), RGB(0xD2, 0xFF, 0xD2));
    EXPECT_EQ(pixelOf(text, 200, 3), RGB(0x46, 0x89, 0xE0));  // beyond the ratio bar
    EXPECT_EQ(pixelOf(text, 50, 20), RGB(0xB3, 0xB3, 0xFF));

    // Narrowing the bar shows the panel where it was.
    ui.setWidth(Ctl::diskRatioBar, 10);
    showNow(Ctl::MainWindow);
    EXPECT_EQ(pixelOf(text, 50, 3), RGB(0x46, 0x89, 0xE0));
}

}  // namespace
}  // namespace dv::winetest
