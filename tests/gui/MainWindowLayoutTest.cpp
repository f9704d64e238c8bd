// The main window as the user first sees it: where its controls sit, what they say and
// in which state they start.
#include "tests/gui/GuiTest.h"

namespace gui {
namespace {

namespace mw = main_window;

struct Expected {
    const char* name;
    Place place;
    bool visible;
    bool enabled;
    int check;  // -1: not a check box or radio button
};

const Expected kInitial[] = {
    {"startSearchButton", mw::startSearchButton, true, true, -1},
    {"cancelButton", mw::cancelButton, true, true, -1},
    {"resetButton", mw::resetButton, true, true, -1},
    {"recoveryButton", mw::recoveryButton, true, true, -1},
    {"addGarbageTypeButton", mw::addGarbageTypeButton, true, true, -1},
    {"deleteAllButton", mw::deleteAllButton, false, true, -1},
    {"visitWebsiteButton", mw::visitWebsiteButton, true, true, -1},
    {"alertLabel", {316, 239, 336, 20, "ALERT:Garbage Files were found", "Static"}, false, true, -1},
    {"recoveredLabel",
     {316, 261, 336, 15, "Till Now MB Disk Space has been recovered", "Static"}, true, true, -1},
    {"currentFileLabel",
     {15, 239, 296, 16, "Click 'Start Search' button below to start searching", "Static"}, true,
     true, -1},
    {"statisticsTitleLabel", {15, 257, 296, 16, "Dustvane Statistics", "Static"}, true, true, -1},
    {"criteriaTitleLabel", {20, 58, 250, 15, "Search Criteria:", "Static"}, true, true, -1},
    {"recycleModeRadio", mw::recycleModeRadio, true, true, 0},
    {"permanentModeRadio", mw::permanentModeRadio, true, true, 1},
    {"backupModeRadio", mw::backupModeRadio, true, true, 0},
    {"backupFolderButton", mw::backupFolderButton, false, true, -1},
    {"autoEmptyRecycleCheck", mw::autoEmptyRecycleCheck, true, true, 0},
    {"cookieCleanerButton", {303, 117, 106, 18, "Cookie Cleaner", "Button"}, true, true, -1},
    {"titleLabel", {38, 5, 519, 36, "Dustvane", "Static"}, true, true, -1},
    {"closeButton", mw::closeButton, true, true, -1},
    {"exitButton", mw::exitButton, true, true, -1},
    {"resultList", mw::resultList, true, true, -1},
};

TEST_F(GuiTest, MainWindowControlsStartWhereAndAsTheTablesSay) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    for (const Expected& e : kInitial) {
        SCOPED_TRACE(e.name);
        HWND c = placed(top, e.place, 200);
        ASSERT_TRUE(c) << "not found at its place with its caption";
        EXPECT_EQ(e.visible, shown(c));
        EXPECT_EQ(e.enabled, enabled(c));
        if (e.check >= 0) {
            EXPECT_EQ(e.check == 1, checked(c));
        }
    }

    // Exactly one of the two buttons that share a place is visible.
    HWND add = placed(top, mw::addGarbageTypeButton);
    HWND del = placed(top, mw::deleteAllButton);
    ASSERT_TRUE(add && del);
    EXPECT_NE(shown(add), shown(del));

    // The compact-mode panel is hidden in normal mode.
    HWND bar = placed(top, mw::stepProgressBar, 200);
    ASSERT_TRUE(bar);
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(GuiTest, CombosAndResultListStartAsTheTablesSay) {
    HWND top = startNormal();
    ASSERT_TRUE(top);

    HWND drives = placed(top, mw::driveCombo);
    ASSERT_TRUE(drives);
    EXPECT_EQ(25, comboCount(drives));
    EXPECT_EQ(0, comboSelection(drives));
    EXPECT_EQ("All Hard Drive", textOf(drives));

    HWND sets = placed(top, mw::patternSetCombo);
    ASSERT_TRUE(sets);
    EXPECT_EQ(86, comboCount(sets));  // 4 sets, app caches, 81 single types, no Files.txt
    EXPECT_EQ(0, comboSelection(sets));
    EXPECT_EQ("Find Garbage Files SET 0(Includes 81 Types)", textOf(sets));

    HWND list = placed(top, mw::resultList);
    ASSERT_TRUE(list);
    EXPECT_EQ(0, listRowCount(list));
    const char* titles[] = {"File Name", "File Type", "File Size", "Date Modified",
                            "Garbage File Path and File Name"};
    const int widths[] = {130, 100, 80, 100, 200};
    ASSERT_EQ(5, listColumnCount(list));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(titles[i], listColumnTitle(app().process(), list, i));
        EXPECT_EQ(widths[i], listColumnWidth(list, i));
    }
}

}  // namespace
}  // namespace gui
