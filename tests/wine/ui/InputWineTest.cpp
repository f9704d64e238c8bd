// Keyboard, close requests and dragging, as the message loops see them.
#include "shell/Settings.h"
#include "tests/wine/ui/UiWineEnv.h"

namespace dv::winetest {
namespace {

void postKey(HWND h, WORD vk) { PostMessageA(h, WM_KEYDOWN, vk, 1); }

TEST_F(UiWine, TabWalksTheVisibleEnabledControlsInTableOrder) {
    ASSERT_TRUE(ui.createWindow(Ctl::AddGarbageTypeWindow));
    showNow(Ctl::AddGarbageTypeWindow);
    HWND pattern = hwndOf(Ctl::addTypePatternEdit);
    SetFocus(pattern);
    postKey(pattern, VK_TAB);
    ui.processPendingMessages();
    EXPECT_EQ(GetFocus(), hwndOf(Ctl::addTypeDescriptionEdit));

    ui.setEnabled(Ctl::addTypeAddButton, false);
    postKey(GetFocus(), VK_TAB);
    ui.processPendingMessages();
    EXPECT_EQ(GetFocus(), hwndOf(Ctl::addTypeReturnButton));
    postKey(GetFocus(), VK_TAB);  // round to the first again: the close button
    ui.processPendingMessages();
    EXPECT_EQ(GetFocus(), hwndOf(Ctl::addTypeCloseButton));
    postKey(GetFocus(), VK_TAB);
    ui.processPendingMessages();
    EXPECT_EQ(GetFocus(), pattern);
}

TEST_F(UiWine, ArrowsMoveTheChoiceWithinARadioGroup) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    // (The backup mode is left alone: choosing it opens the folder chooser.)
    HWND permanent = hwndOf(Ctl::permanentModeRadio);
    SetFocus(permanent);
    postKey(permanent, VK_UP);
    ui.processPendingMessages();
    EXPECT_TRUE(ui.isChecked(Ctl::recycleModeRadio));
    EXPECT_FALSE(ui.isChecked(Ctl::permanentModeRadio));
    EXPECT_EQ(GetFocus(), hwndOf(Ctl::recycleModeRadio));
    postKey(GetFocus(), VK_DOWN);
    ui.processPendingMessages();
    EXPECT_TRUE(ui.isChecked(Ctl::permanentModeRadio));
    EXPECT_FALSE(ui.isChecked(Ctl::recycleModeRadio));
}

TEST_F(UiWine, EnterPressesTheFocusedBoxOrTellsTheWindow) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    HWND check = hwndOf(Ctl::autoEmptyRecycleCheck);
    SetFocus(check);
    postKey(check, VK_RETURN);
    ui.processPendingMessages();
    EXPECT_TRUE(ui.isChecked(Ctl::autoEmptyRecycleCheck));

    // Enter on the splash clears both start switches (its handler), and nothing else.
    regWriteInt(app, kUsers, kAutoSearchItem, 1);
    ASSERT_TRUE(ui.createWindow(Ctl::SplashWindow));
    showNow(Ctl::SplashWindow);
    postKey(ui.windowHandle(Ctl::SplashWindow), VK_RETURN);
    ui.processPendingMessages();
    EXPECT_EQ(regReadInt(app, kUsers, kAutoSearchItem), 0);
    EXPECT_TRUE(ui.windowHandle(Ctl::SplashWindow));
}

// Runs inside the menu's own loop: notes that the menu is up and picks its second item.
bool gMenuShown = false;

void CALLBACK pickSecondItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menu = FindWindowA("#32768", nullptr);
    gMenuShown = menu && IsWindowVisible(menu);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(menu, WM_KEYDOWN, key, 1);
}

TEST_F(UiWine, APoppedUpMenuRaisesTheChosenItem) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    ui.appendRow(Ctl::resultList, "a.tmp");
    ui.appendRow(Ctl::resultList, "b.tmp");
    SetTimer(nullptr, 0, 300, pickSecondItem);
    ui.popupMenu(Ctl::fileMenu);  // "Select all files", after a separator
    EXPECT_TRUE(gMenuShown);
    EXPECT_TRUE(ui.isTicked(Ctl::resultList, 0));
    EXPECT_TRUE(ui.isTicked(Ctl::resultList, 1));
}

TEST_F(UiWine, TheSystemCloseAsksTheWindowsOwnRule) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    ASSERT_TRUE(ui.createWindow(Ctl::SplashWindow));
    SendMessageA(ui.windowHandle(Ctl::SplashWindow), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ui.windowHandle(Ctl::SplashWindow));  // it closes only itself

    // The wizard goes, and brings MainWindow back rather than leaving no window at all.
    ASSERT_TRUE(ui.createWindow(Ctl::StartupWizardWindow));
    SendMessageA(ui.windowHandle(Ctl::StartupWizardWindow), WM_CLOSE, 0, 0);
    EXPECT_FALSE(ui.windowHandle(Ctl::StartupWizardWindow));
    EXPECT_TRUE(ui.isVisible(Ctl::MainWindow));
}

TEST_F(UiWine, ADragWithoutTheButtonHeldLeavesTheWindowWhereItIs) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    showNow(Ctl::MainWindow);
    RECT before, after;
    GetWindowRect(ui.windowHandle(Ctl::MainWindow), &before);
    // A press that reaches the title without the button really down (a posted message)
    // must not start a move that would wait for the next click.
    PostMessageA(hwndOf(Ctl::titleLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ui.processPendingMessages();
    ui.dragWindow(Ctl::MainWindow);
    GetWindowRect(ui.windowHandle(Ctl::MainWindow), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

}  // namespace
}  // namespace dv::winetest
