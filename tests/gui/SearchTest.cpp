// Searching the test drive through the main window.
#include <set>
#include <vector>

#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

using Row = std::vector<std::string>;

// Rows of the list whose path lies below the folder.
std::vector<Row> rowsBelow(HANDLE process, HWND list, const std::string& folder) {
    std::vector<Row> rows;
    const int n = listRowCount(list);
    for (int i = 0; i < n; ++i) {
        Row r = listRow(process, list, i, 5);
        if (r[4].compare(0, folder.size() + 1, folder + "\\") == 0) rows.push_back(r);
    }
    return rows;
}

Row expectedRow(const std::string& folder, const std::string& name, const char* pattern,
                int size) {
    const std::string path = folder + "\\" + name;
    return Row{name, pattern, std::to_string(size), dateText(path), path};
}

// Visibility of the alert label sampled over 1.6 s: how often it changed, and whether
// it was ever hidden.
struct Blink {
    int changes = 0;
    bool everHidden = false;
};

Blink watchAlert(HWND alert) {
    Blink b;
    bool last = shown(alert);
    b.everHidden = !last;
    for (int i = 0; i < 32; ++i) {
        Sleep(50);
        bool now = shown(alert);
        if (now != last) ++b.changes;
        if (!now) b.everHidden = true;
        last = now;
    }
    return b;
}

TEST_F(GuiTest, SearchListsMatchingFilesInWalkOrderAndBlinksTheAlert) {
    const std::string tree = app().folder() + "\\tree";
    ASSERT_TRUE(makeFolders(tree));
    ASSERT_TRUE(makeFolders(tree + "\\sub"));
    ASSERT_TRUE(makeFolders(tree + "\\sub\\deeper"));
    ASSERT_TRUE(makeFolders(tree + "\\.cache"));
    ASSERT_TRUE(makeFile(tree + "\\a.tmp", 1000));
    ASSERT_TRUE(makeFile(tree + "\\keep.txt", 50));
    ASSERT_TRUE(makeFile(tree + "\\sub\\b.bak", 500, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(makeFile(tree + "\\sub\\x.chk", 36));
    ASSERT_TRUE(makeFile(tree + "\\sub\\deeper\\c.old", 0, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(makeFile(tree + "\\.cache\\d.tmp", 10));
    ASSERT_TRUE(setLastWriteTime(tree + "\\a.tmp", 2010, 3, 8, 14, 5, 9));

    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    ASSERT_TRUE(s.choose(testDrive(), 3));
    ASSERT_TRUE(s.run(kLongWait)) << "search did not end";

    // Every pattern's files of a folder come before its subfolders; pattern order
    // within a folder; ".cache" is never entered.
    const std::vector<Row> expected = {
        expectedRow(tree, "a.tmp", "*.tmp", 1000),
        expectedRow(tree + "\\sub", "b.bak", "*.bak", 500),
        expectedRow(tree + "\\sub", "x.chk", "*.chk", 36),
        expectedRow(tree + "\\sub\\deeper", "c.old", "*.old", 0),
    };
    EXPECT_EQ("3/8/2010 14:5:9", expected[0][3]);
    EXPECT_EQ(expected, rowsBelow(app().process(), s.list, tree));
    const int rows = listRowCount(s.list);
    for (int i = 0; i < rows; ++i) EXPECT_FALSE(listTicked(s.list, i)) << "row " << i;

    // Summary: the row count, and the total in KB (1536 bytes) when only the tree was found.
    EXPECT_TRUE(containsNumber(textOf(s.statistics), rows)) << textOf(s.statistics);
    if (rows == 4) {
        EXPECT_EQ(0u, textOf(s.status).find("1.5")) << textOf(s.status);
    }

    EXPECT_TRUE(shown(s.deleteAll));
    EXPECT_FALSE(shown(s.addType));
    EXPECT_TRUE(enabled(s.start));
    Blink b = watchAlert(s.alert);
    EXPECT_GE(b.changes, 2) << "the alert does not blink";
}

TEST_F(GuiTest, SearchWithoutFindsShowsASteadyAlert) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    // The program folder holds only Dustvane.exe and an empty BackFile folder.
    ASSERT_TRUE(s.choose(testDrive(), 3));
    ASSERT_TRUE(s.run(kLongWait));

    EXPECT_EQ(0, listRowCount(s.list));
    EXPECT_TRUE(containsNumber(textOf(s.statistics), 0));
    Blink b = watchAlert(s.alert);
    EXPECT_EQ(0, b.changes);
    EXPECT_FALSE(b.everHidden);
    EXPECT_FALSE(shown(s.deleteAll));
    EXPECT_TRUE(shown(s.addType));
}

TEST_F(RunningSearchTest, CancelKeepsTheRowsFoundSoFarAndResetClearsThem) {
    ASSERT_TRUE(startLongSearch());
    SearchSteps& s = *steps;
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) >= 20; }, kLongWait))
        << "the walk found nothing";
    EXPECT_FALSE(enabled(s.start));

    click(s.cancel);
    ASSERT_TRUE(waitUntil([&] { return enabled(s.start); }, kLongWait));
    ASSERT_TRUE(waitUntil([&] { return containsNumber(textOf(s.statistics), listRowCount(s.list)); },
                          kLongWait))
        << textOf(s.statistics);
    const int rows = listRowCount(s.list);
    Sleep(1500);
    EXPECT_EQ(rows, listRowCount(s.list)) << "rows were added after the cancel";
    EXPECT_LT(rows, WideTree::kFolders);
    EXPECT_TRUE(containsNumber(textOf(s.statistics), rows)) << textOf(s.statistics);
    EXPECT_TRUE(shown(s.deleteAll));

    // Reset empties the list and brings back the idle buttons; no file is touched.
    click(s.reset);
    EXPECT_TRUE(waitUntil([&] { return listRowCount(s.list) == 0; }, kShortWait));
    EXPECT_TRUE(waitUntil([&] { return !shown(s.deleteAll) && shown(s.addType); }, kShortWait));
    EXPECT_FALSE(shown(s.alert));
    EXPECT_TRUE(enabled(s.start));
    EXPECT_TRUE(fileExists(wide.root() + "\\t0\\f0\\x.tmp"));
}

// A search that has listed thousands of rows: Cancel ends it with nothing added later,
// the keyboard reaches the last row, and ticks stay with their rows while the list
// scrolls back and forth.
TEST_F(RunningSearchTest, ALongListScrollsAndKeepsItsTicks) {
    ASSERT_TRUE(startLongSearch());
    SearchSteps& s = *steps;
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) >= WideTree::kFolders / 4; }, kLongWait))
        << listRowCount(s.list) << " rows";
    click(s.cancel);
    ASSERT_TRUE(waitUntil([&] { return enabled(s.start) && containsNumber(textOf(s.statistics), listRowCount(s.list)); },
                          kLongWait));
    const int rows = listRowCount(s.list);
    Sleep(1000);
    ASSERT_EQ(rows, listRowCount(s.list)) << "rows were added after the cancel";

    const int last = rows - 1;
    auto shows = [&](int row) {
        const int first = listTopRow(s.list);
        return row >= first && row < first + listRowsPerPage(s.list);
    };
    postKey(s.list, VK_HOME);
    postKey(s.list, VK_SPACE);  // ticks the first row
    postKey(s.list, VK_END);
    ASSERT_TRUE(waitUntil([&] { return shows(last); }, kShortWait)) << "top row " << listTopRow(s.list);
    const std::string path = listCell(app().process(), s.list, last, 4);
    EXPECT_EQ(0u, path.find(wide.root() + "\\")) << path;
    EXPECT_EQ("x.tmp", listCell(app().process(), s.list, last, 0));
    clickTickBox(app().process(), s.list, last);
    postKey(s.list, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return shows(0); }, kShortWait));
    EXPECT_TRUE(waitUntil([&] { return listTicked(s.list, 0) && listTicked(s.list, last); }, kShortWait));
    EXPECT_FALSE(listTicked(s.list, 1));
    EXPECT_FALSE(listTicked(s.list, last - 1));
    clickTickBox(app().process(), s.list, 0);
    EXPECT_TRUE(waitUntil([&] { return !listTicked(s.list, 0); }, kShortWait)) << "a click on the tick box";
}

}  // namespace
}  // namespace gui
