// The three start modes and the exit question, seen from outside the process.
#include "tests/gui/CleanerFolders.h"
#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

namespace mw = main_window;

constexpr int kWizardWidth = 387, kWizardHeight = 264;

TEST_F(GuiTest, FirstStartShowsSplashThenWizardOverHiddenMainWindow) {
    ASSERT_TRUE(app().start()) << app().error();

    HWND splash = waitTopWindow(pid(), nullptr, 435, 294, kLongWait);
    ASSERT_TRUE(splash) << "no splash window";
    HWND version = waitControl(splash, Find().caption("8.20"), kShortWait);
    ASSERT_TRUE(version);
    RECT vr = rectIn(splash, version);
    EXPECT_EQ(368, vr.left);
    EXPECT_EQ(10, vr.top);

    DWORD shownMs = 0;
    ASSERT_TRUE(waitSplashGone(&shownMs));
    EXPECT_GE(shownMs, 2000u);
    EXPECT_LE(shownMs, 6000u);

    HWND wizard = waitTopWindow(pid(), "Dustvane", kWizardWidth, kWizardHeight, kLongWait);
    ASSERT_TRUE(wizard) << "no start-up wizard";
    HWND top = findTopWindow(pid(), "Dustvane", mw::kWidth, mw::kHeight, false);
    ASSERT_TRUE(top);
    EXPECT_FALSE(IsWindowVisible(top));

    // Neither switch is set, so neither box is ticked.
    HWND autoBox = waitControl(wizard, Find().caption("Automatically Searching after Started"),
                               kShortWait);
    HWND notShowBox = findControl(wizard, Find().caption("Not show this window after Started"));
    ASSERT_TRUE(autoBox && notShowBox);
    EXPECT_FALSE(checked(autoBox));
    EXPECT_FALSE(checked(notShowBox));

    HWND pro = findControl(wizard, Find().caption("Pro. Search").at(266, 118, 90, 20));
    ASSERT_TRUE(pro);
    click(pro);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(top) != FALSE; }, kShortWait));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); },
                          kShortWait));
    SIZE s = clientSize(top);
    EXPECT_EQ(mw::kWidth, s.cx);
    EXPECT_EQ(mw::kHeight, s.cy);
    EXPECT_TRUE(app().running());
}

TEST_F(GuiTest, WizardBoxesWriteTheirSwitchAtOnce) {
    ASSERT_TRUE(app().start()) << app().error();
    ASSERT_TRUE(waitSplashGone());
    HWND wizard = waitTopWindow(pid(), "Dustvane", kWizardWidth, kWizardHeight, kLongWait);
    ASSERT_TRUE(wizard);
    HWND notShowBox = waitControl(wizard, Find().caption("Not show this window after Started"),
                                  kShortWait);
    ASSERT_TRUE(notShowBox);
    click(notShowBox);
    DWORD value = 0;
    EXPECT_TRUE(waitUntil([&] { return readStartSwitch("NotShow", &value) && value == 1; },
                          kShortWait));
    click(notShowBox);
    EXPECT_TRUE(waitUntil([&] { return readStartSwitch("NotShow", &value) && value == 0; },
                          kShortWait));
}

TEST_F(GuiTest, NotShowStartsWithTheMainWindowOnly) {
    HWND top = startNormal();
    ASSERT_TRUE(top) << "main window did not appear";
    EXPECT_TRUE(IsWindowVisible(top));
    // Give a wizard the time it would need to appear.
    Sleep(500);
    EXPECT_FALSE(findTopWindow(pid(), "Dustvane", kWizardWidth, kWizardHeight, true));
    SIZE s = clientSize(top);
    EXPECT_EQ(mw::kWidth, s.cx);
    EXPECT_EQ(mw::kHeight, s.cy);
}

TEST_F(GuiTest, ExitQuestionNoKeepsRunningAndYesEndsWithCodeZero) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND closeButton = placed(top, Ctl::closeButton);
    HWND exitButton = placed(top, Ctl::exitButton);
    ASSERT_TRUE(closeButton && exitButton);

    click(closeButton);
    MessageBoxSeen box = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(box.hwnd) << "no exit question";
    EXPECT_EQ("Dustvane", box.title);
    ASSERT_TRUE(pressDialogButton(box.hwnd, "No"));
    EXPECT_TRUE(waitUntil([&] { return !findMessageBox(pid()).hwnd; }, kShortWait));
    Sleep(300);
    EXPECT_TRUE(app().running());
    EXPECT_TRUE(IsWindowVisible(top));

    click(exitButton);
    box = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(box.hwnd);
    ASSERT_TRUE(pressDialogButton(box.hwnd, "Yes"));
    DWORD code = 1234;
    ASSERT_TRUE(app().waitExit(kLongWait, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(GuiTest, AutoSearchRunsCompactModeDeletesJunkAndEndsWithCodeZero) {
    if (!onlyTestDrives()) GTEST_SKIP() << "drives other than C: and the test drive exist";
    const std::string tree = app().folder() + "\\tree";
    ASSERT_TRUE(makeFolders(tree));
    ASSERT_TRUE(makeFile(tree + "\\junk.tmp", 100));
    ASSERT_TRUE(makeFile(tree + "\\keep.txt", 100));
    // The cleaners run first, on stand-ins for the user's folders.
    CleanerFolders folders(app());
    ASSERT_TRUE(folders.problem.empty()) << folders.problem;
    setStartSwitch("AutoSearch", 1);

    ASSERT_TRUE(app().start()) << app().error();
    HWND top = waitTopWindow(pid(), "Dustvane", mw::kCompactWidth, mw::kCompactHeight, kLongWait);
    ASSERT_TRUE(top) << "no compact window";
    EXPECT_FALSE(findTopWindow(pid(), "Dustvane", kWizardWidth, kWizardHeight, true));
    HWND bar = placed(top, Ctl::stepProgressBar);
    ASSERT_TRUE(bar);
    EXPECT_TRUE(IsWindowVisible(bar)) << "stepPanel not shown";

    DWORD code = 1234;
    ASSERT_TRUE(app().waitExit(180000, &code)) << "compact mode did not end";
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(fileExists(tree + "\\junk.tmp"));
    EXPECT_TRUE(fileExists(tree + "\\keep.txt"));
    for (const auto& list : {folders.cookies, folders.temporary})
        for (const std::string& f : list) EXPECT_FALSE(fileExists(f)) << f;
    for (const std::string& f : folders.kept) EXPECT_TRUE(fileExists(f)) << f;
    EXPECT_FALSE(inUrlCache(folders.page));
}

TEST_F(GuiTest, EnterOnTheSplashClearsBothSwitchesSoThisStartShowsTheWizard) {
    // A key that went astray would leave this start in compact automatic mode.
    if (!onlyTestDrives()) GTEST_SKIP() << "drives other than C: and the test drive exist";
    CleanerFolders folders(app());
    ASSERT_TRUE(folders.problem.empty()) << folders.problem;
    setStartSwitch("AutoSearch", 1);
    setStartSwitch("NotShow", 1);
    ASSERT_TRUE(app().start()) << app().error();
    HWND splash = waitTopWindow(pid(), nullptr, 435, 294, kLongWait);
    ASSERT_TRUE(splash);
    postKey(splash, VK_RETURN);
    DWORD autoSearch = 1, notShow = 1;
    EXPECT_TRUE(waitUntil(
        [&] {
            return readStartSwitch("AutoSearch", &autoSearch) && autoSearch == 0 &&
                   readStartSwitch("NotShow", &notShow) && notShow == 0;
        },
        kShortWait));
    EXPECT_TRUE(findTopWindow(pid(), nullptr, 435, 294, true)) << "Enter closed the splash";
    EXPECT_TRUE(waitTopWindow(pid(), "Dustvane", kWizardWidth, kWizardHeight, kLongWait));
    EXPECT_FALSE(findTopWindow(pid(), "Dustvane", mw::kCompactWidth, mw::kCompactHeight, true));
}

}  // namespace
}  // namespace gui
