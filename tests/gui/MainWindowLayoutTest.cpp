// The main window as the user first sees it: where its controls sit, what they say and
// in which state they start.
#include "tests/gui/GuiTest.h"

namespace gui {
namespace {

// Each is looked for at its table's place with its table's text.
struct Expected {
    Ctl control;
    bool visible;
    bool enabled;
    int check;  // -1: not a check box or radio button
};

const Expected kInitial[] = {
    {Ctl::startSearchButton, true, true, -1},     {Ctl::cancelButton, true, true, -1},
    {Ctl::resetButton, true, true, -1},           {Ctl::recoveryButton, true, true, -1},
    {Ctl::addGarbageTypeButton, true, true, -1},  {Ctl::deleteAllButton, false, true, -1},
    {Ctl::visitWebsiteButton, true, true, -1},    {Ctl::alertLabel, false, true, -1},
    {Ctl::recoveredLabel, true, true, -1},        {Ctl::currentFileLabel, true, true, -1},
    {Ctl::statisticsTitleLabel, true, true, -1},  {Ctl::criteriaTitleLabel, true, true, -1},
    {Ctl::recycleModeRadio, true, true, 0},       {Ctl::permanentModeRadio, true, true, 1},
    {Ctl::backupModeRadio, true, true, 0},        {Ctl::backupFolderButton, false, true, -1},
    {Ctl::autoEmptyRecycleCheck, true, true, 0},  {Ctl::cookieCleanerButton, true, true, -1},
    {Ctl::titleLabel, true, true, -1},            {Ctl::closeButton, true, true, -1},
    {Ctl::exitButton, true, true, -1},            {Ctl::resultList, true, true, -1},
};

TEST_F(GuiTest, MainWindowControlsStartWhereAndAsTheTablesSay) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    for (const Expected& e : kInitial) {
        SCOPED_TRACE(dv::controlName(e.control));
        HWND c = placed(top, place(e.control, true), 200);
        ASSERT_TRUE(c) << "not found at its place with its caption";
        EXPECT_EQ(e.visible, shown(c));
        EXPECT_EQ(e.enabled, enabled(c));
        if (e.check >= 0) {
            EXPECT_EQ(e.check == 1, checked(c));
        }
    }

    // Exactly one of the two buttons that share a place is visible.
    HWND add = placed(top, Ctl::addGarbageTypeButton);
    HWND del = placed(top, Ctl::deleteAllButton);
    ASSERT_TRUE(add && del);
    EXPECT_NE(shown(add), shown(del));

    // The compact-mode panel is hidden in normal mode.
    HWND bar = placed(top, Ctl::stepProgressBar, 200);
    ASSERT_TRUE(bar);
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(GuiTest, CombosAndResultListStartAsTheTablesSay) {
    HWND top = startNormal();
    ASSERT_TRUE(top);

    HWND drives = placed(top, Ctl::driveCombo);
    ASSERT_TRUE(drives);
    EXPECT_EQ(25, comboCount(drives));
    EXPECT_EQ(0, comboSelection(drives));
    EXPECT_EQ("All Hard Drive", textOf(drives));

    HWND sets = placed(top, Ctl::patternSetCombo);
    ASSERT_TRUE(sets);
    EXPECT_EQ(86, comboCount(sets));  // 4 sets, app caches, 81 single types, no Files.txt
    EXPECT_EQ(0, comboSelection(sets));
    EXPECT_EQ("Find Garbage Files SET 0(Includes 81 Types)", textOf(sets));

    HWND list = placed(top, Ctl::resultList);
    ASSERT_TRUE(list);
    EXPECT_EQ(0, listRowCount(list));
    const auto columns = dv::windowTables().columns(Ctl::resultList);
    ASSERT_EQ(5, listColumnCount(list));
    ASSERT_EQ(5u, columns.size());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(columns[i].title, listColumnTitle(app().process(), list, i));
        EXPECT_EQ(columns[i].width, listColumnWidth(list, i));
    }
}

}  // namespace
}  // namespace gui
