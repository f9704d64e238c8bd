// Ticking rows and the row menu of the result list, with real mouse and keyboard input.
#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

// Selectable items of the row menu (separators not counted).
constexpr int kDeleteThisFileOnly = 0;
constexpr int kSelectAllFiles = 1;

TEST_F(GuiTest, RowClicksTickRowsAndTheRowMenuDeletesOneFile) {
    const std::string tree = app().folder() + "\\tree";
    ASSERT_TRUE(makeFolders(tree));
    for (const char* name : {"a.tmp", "b.tmp", "c.tmp"}) ASSERT_TRUE(makeFile(tree + "\\" + name, 10));

    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    ASSERT_TRUE(s.choose(testDrive(), 3));
    ASSERT_TRUE(s.run(kLongWait));
    ASSERT_EQ(3, listRowCount(s.list)) << "the test drive holds other junk";

    // Typing a letter goes to the row whose name starts with it.
    int cRow = 0;
    while (cRow < 3 && listCell(app().process(), s.list, cRow, 0) != "c.tmp") ++cRow;
    postKey(s.list, 'C');
    EXPECT_TRUE(waitUntil([&] { return listSelectedRow(s.list) == cRow; },
                          kShortWait));

    // Activating a row twice leaves its tick as it was.
    doubleClickRow(app().process(), s.list, 0);
    EXPECT_TRUE(waitUntil([&] { return listTicked(s.list, 0); }, kShortWait));
    doubleClickRow(app().process(), s.list, 0);
    EXPECT_TRUE(waitUntil([&] { return !listTicked(s.list, 0); }, kShortWait));

    rightClickRow(app().process(), s.list, 1);
    HWND menu = waitPopupMenu(pid(), kShortWait);
    ASSERT_TRUE(menu) << "no row menu";
    pickMenuItem(menu, kSelectAllFiles);
    EXPECT_TRUE(waitUntil(
        [&] { return listTicked(s.list, 0) && listTicked(s.list, 1) && listTicked(s.list, 2); },
        kShortWait));

    // Permanent mode is the default: the file of the row goes, the others stay.
    const std::string victim = listCell(app().process(), s.list, 2, 4);
    rightClickRow(app().process(), s.list, 2);
    menu = waitPopupMenu(pid(), kShortWait);
    ASSERT_TRUE(menu);
    pickMenuItem(menu, kDeleteThisFileOnly);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) == 2; }, kShortWait));
    EXPECT_FALSE(fileExists(victim));
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(fileExists(listCell(app().process(), s.list, i, 4)));
}

TEST_F(RunningSearchTest, ExitAndResetAreRefusedWhileASearchRuns) {
    ASSERT_TRUE(startLongSearch());
    SearchSteps& s = *steps;
    HWND closeButton = placed(top, Ctl::closeButton);
    ASSERT_TRUE(closeButton);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) >= 5; }, kLongWait));

    const std::string statistics = textOf(s.statistics);
    for (HWND button : {closeButton, s.reset}) {
        click(button);
        MessageBoxSeen box = waitMessageBox(pid(), kShortWait);
        ASSERT_TRUE(box.hwnd) << "no refusal";
        EXPECT_FALSE(findControl(box.hwnd, Find().caption("&Yes"))) << "asked instead of refused";
        ASSERT_TRUE(pressDialogButton(box.hwnd, "OK"));
        EXPECT_TRUE(waitUntil([&] { return !findMessageBox(pid()).hwnd; }, kShortWait));
        EXPECT_TRUE(app().running());
        EXPECT_EQ(statistics, textOf(s.statistics)) << "the labels were reset";
    }
    click(s.cancel);
    EXPECT_TRUE(waitUntil([&] { return enabled(s.start); }, kLongWait));
}

}  // namespace
}  // namespace gui
