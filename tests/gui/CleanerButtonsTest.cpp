// The three cleaner buttons of the main window, seen from outside the process.
#include "tests/gui/CleanerFolders.h"
#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

bool allGone(const std::vector<std::string>& files) {
    for (const std::string& f : files)
        if (fileExists(f)) return false;
    return true;
}

TEST_F(GuiTest, CleanerButtonsEmptyTheCookieAndTempFoldersAndTheUrlCache) {
    CleanerFolders folders(app());
    ASSERT_TRUE(folders.problem.empty()) << folders.problem;
    HWND top = startNormal();
    ASSERT_TRUE(top) << "main window did not appear";

    struct Step {
        const char* button;
        const std::vector<std::string>& gone;
    };
    for (const Step& step : {Step{"Cookie Cleaner", folders.cookies},
                             Step{"Temp. Cleaner", folders.temporary}}) {
        HWND button = findControl(top, Find().caption(step.button).className("Button"));
        ASSERT_TRUE(button) << step.button;
        click(button);
        EXPECT_TRUE(waitUntil([&] { return allGone(step.gone); }, kLongWait)) << step.button;
    }
    for (const std::string& f : folders.kept) EXPECT_TRUE(fileExists(f)) << f;
    EXPECT_TRUE(fileExists(app().folder() + "\\Dustvane.exe"));

    ASSERT_TRUE(inUrlCache(folders.page));
    HWND internet = findControl(top, Find().caption("Internet Cleaner").className("Button"));
    ASSERT_TRUE(internet);
    click(internet);
    EXPECT_TRUE(waitUntil([&] { return !inUrlCache(folders.page); }, kLongWait));
    EXPECT_TRUE(app().running());
}

}  // namespace
}  // namespace gui
