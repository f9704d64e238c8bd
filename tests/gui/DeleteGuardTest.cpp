// Delete All after a search whose rows changed meaning: one listed file became a folder
// holding a file, another a link to a folder off the searched drive.
#include <algorithm>

#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"
#include "tests/wine/RunFolder.h"

namespace gui {
namespace {

TEST_F(GuiTest, EveryModeLeavesAPathThatBecameAFolderOrALink) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    const std::string keep = app().folder() + "\\keep";
    ASSERT_TRUE(makeFolders(keep));
    const struct {
        const char* name;
        HWND radio;
    } modes[] = {{"recycle", placed(top, Ctl::recycleModeRadio)},
                 {"permanent", placed(top, Ctl::permanentModeRadio)},
                 {"backup", s.backupRadio}};

    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.name);
        const std::string tree = app().folder() + "\\tree-" + mode.name;
        // Off the searched drive: a folder of the prefix's own drive C:.
        const std::string outside =
            "C:\\outside-" + std::to_string(GetCurrentProcessId()) + "-" + mode.name;
        const std::string swap = tree + "\\swap.tmp", link = tree + "\\link.tmp";
        ASSERT_TRUE(makeFolders(tree));
        ASSERT_TRUE(makeFile(tree + "\\a.tmp", 100));
        ASSERT_TRUE(makeFile(tree + "\\b.bak", 200));
        ASSERT_TRUE(makeFile(swap, 10));
        ASSERT_TRUE(makeFile(link, 10));
        ASSERT_TRUE(makeFolders(outside));
        ASSERT_TRUE(makeFile(outside + "\\target.doc", 50));

        // Reset first, so that this search's summary differs from the last one's.
        click(s.reset);
        ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) == 0; }, kShortWait));
        ASSERT_TRUE(s.choose(testDrive(), 3));
        ASSERT_TRUE(s.run(kLongWait));
        ASSERT_EQ(4, listRowCount(s.list)) << "the test drive holds other junk";

        ASSERT_TRUE(DeleteFileA(swap.c_str()));
        ASSERT_TRUE(makeFolders(swap));
        ASSERT_TRUE(makeFile(swap + "\\inside.doc", 30));
        ASSERT_TRUE(DeleteFileA(link.c_str()));
        ASSERT_TRUE(dv::winetest::makeLink(outside, link));
        ASSERT_NE(0u, fileAttributes(link) & FILE_ATTRIBUTE_DIRECTORY);

        click(mode.radio);
        if (mode.radio == s.backupRadio) {
            HWND dialog = waitFolderDialog(pid(), kShortWait);
            ASSERT_TRUE(dialog) << "no folder dialog";
            ASSERT_TRUE(chooseFolder(app().process(), dialog, keep));
        }
        ASSERT_TRUE(waitUntil([&] { return checked(mode.radio); }, kShortWait));
        click(s.deleteAll);

        ASSERT_TRUE(waitUntil(
            [&] {
                return !fileExists(tree + "\\a.tmp") && !fileExists(tree + "\\b.bak") &&
                       listRowCount(s.list) == 2;
            },
            kLongWait));
        EXPECT_EQ(30u, fileContent(swap + "\\inside.doc").size());
        EXPECT_EQ(50u, fileContent(outside + "\\target.doc").size());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, fileAttributes(link));
        std::vector<std::string> listed = {listCell(app().process(), s.list, 0, 4),
                                           listCell(app().process(), s.list, 1, 4)};
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ((std::vector<std::string>{link, swap}), listed);
        if (mode.radio == s.backupRadio) {
            EXPECT_TRUE(fileExists(keep + "\\a.tmp.dak"));
            EXPECT_FALSE(fileExists(keep + "\\swap.tmp.dak"));
            EXPECT_FALSE(fileExists(keep + "\\link.tmp.dak"));
        }
        removeTree(outside);
    }
}

}  // namespace
}  // namespace gui
