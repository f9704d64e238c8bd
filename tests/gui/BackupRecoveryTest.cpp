// Backup mode, Delete All and Recovery through the main window.
#include <algorithm>

#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

struct Original {
    std::string path;
    std::string content;
    DWORD attributes;
    FILETIME written;
};

Original remember(const std::string& path) {
    return Original{path, fileContent(path), fileAttributes(path) & 0x27, lastWriteTime(path)};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0, at;
    while ((at = text.find("\r\n", from)) != std::string::npos) {
        out.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    if (from < text.size()) out.push_back(text.substr(from));
    return out;
}

TEST_F(GuiTest, BackupDeleteAllThenRecoveryPutsEveryFileBack) {
    const std::string tree = app().folder() + "\\tree";
    const std::string keep = app().folder() + "\\keep";
    ASSERT_TRUE(makeFolder(tree));
    ASSERT_TRUE(makeFolder(tree + "\\sub"));
    ASSERT_TRUE(makeFolder(keep));
    ASSERT_TRUE(makeFile(tree + "\\r1.tmp", 700, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(makeFile(tree + "\\sub\\r2.bak", 0));
    ASSERT_TRUE(makeFile(tree + "\\sub\\r3.old", 5000, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(setLastWriteTime(tree + "\\r1.tmp", 2009, 12, 6, 14, 5, 9));
    ASSERT_TRUE(setLastWriteTime(tree + "\\sub\\r2.bak", 2010, 1, 1, 8, 30, 0));
    ASSERT_TRUE(setLastWriteTime(tree + "\\sub\\r3.old", 2010, 3, 8, 0, 0, 0));
    const Original before[] = {remember(tree + "\\r1.tmp"), remember(tree + "\\sub\\r2.bak"),
                               remember(tree + "\\sub\\r3.old")};

    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    ASSERT_TRUE(s.choose(testDrive(), 3));
    ASSERT_TRUE(s.run(kLongWait));
    ASSERT_EQ(3, listRowCount(s.list)) << "the test drive holds other junk";

    // Backup mode asks for the folder at once.
    click(s.backupRadio);
    HWND dialog = waitFolderDialog(pid(), kShortWait);
    ASSERT_TRUE(dialog) << "no folder dialog";
    ASSERT_TRUE(chooseFolder(app().process(), dialog, keep));
    std::string saved;
    EXPECT_TRUE(waitUntil([&] { return readSaveFilePath(&saved) && saved == keep + "\\"; },
                          kShortWait))
        << saved;
    EXPECT_TRUE(waitUntil([&] { return !shown(s.backupFolder); }, kShortWait));
    EXPECT_TRUE(checked(s.backupRadio));

    click(s.deleteAll);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) == 0; }, kLongWait));
    for (const Original& o : before) {
        SCOPED_TRACE(o.path);
        EXPECT_TRUE(waitUntil([&] { return !fileExists(o.path); }, kShortWait));
        const std::string name = o.path.substr(o.path.find_last_of('\\') + 1);
        EXPECT_TRUE(fileExists(keep + "\\" + name + ".dak"));
    }
    // One index line per copy, last row first.
    EXPECT_EQ((std::vector<std::string>{before[2].path, before[1].path, before[0].path}),
              lines(fileContent(app().folder() + "\\FilePath.dat")));
    EXPECT_TRUE(waitUntil([&] { return !shown(s.deleteAll) && shown(s.addType); }, kShortWait));

    click(s.recovery);
    MessageBoxSeen done = waitMessageBox(pid(), kLongWait);
    ASSERT_TRUE(done.hwnd) << "recovery showed no message";
    ASSERT_TRUE(pressDialogButton(done.hwnd, "OK"));

    for (const Original& o : before) {
        SCOPED_TRACE(o.path);
        ASSERT_TRUE(fileExists(o.path));
        EXPECT_EQ(o.content, fileContent(o.path));
        EXPECT_EQ(o.attributes, fileAttributes(o.path) & 0x27);
        FILETIME now = lastWriteTime(o.path);
        EXPECT_EQ(0, CompareFileTime(&o.written, &now));
        const std::string name = o.path.substr(o.path.find_last_of('\\') + 1);
        EXPECT_FALSE(fileExists(keep + "\\" + name + ".dak"));
    }
    EXPECT_FALSE(fileExists(app().folder() + "\\FilePath.dat"));
    EXPECT_FALSE(readSaveFilePath(&saved));
    EXPECT_EQ(0, listRowCount(s.list));

    // The backup run is closed: a second Recovery says nothing was backed up.
    click(s.recovery);
    MessageBoxSeen again = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(again.hwnd);
    EXPECT_NE(std::string::npos, again.text.find("You have not backed up the file(s)"));
    pressDialogButton(again.hwnd, "OK");
}

}  // namespace
}  // namespace gui
