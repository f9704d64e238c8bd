// The application caches of a profile laid out as the programs keep it, through the window.
#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"
#include "tests/wine/CacheProfile.h"

namespace gui {
namespace {

using dv::winetest::CacheProfile;

constexpr int kAppCachesItem = 4;  // after the four sets

TEST_F(GuiTest, ApplicationCachesAreListedAndDeletedAllLeavingTheUsersFiles) {
    CacheProfile profile(app().folder() + "\\");
    ASSERT_TRUE(profile.ready());
    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    ASSERT_TRUE(s.choose(testDrive(), kAppCachesItem));
    ASSERT_TRUE(s.run(kLongWait));
    std::vector<std::string> listed;
    for (int i = 0; i < listRowCount(s.list); ++i) listed.push_back(listCell(app().process(), s.list, i, 4));
    EXPECT_EQ(CacheProfile::sorted(profile.caches), CacheProfile::sorted(listed));
    EXPECT_EQ("Application caches (14 programs found)", textOf(s.sets));
    click(s.deleteAll);  // permanent mode, as the window starts
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) == 0; }, kLongWait));
    for (const std::string& cache : profile.caches) EXPECT_FALSE(fileExists(cache)) << cache;
    for (const std::string& mine : profile.userFiles)
        EXPECT_EQ(CacheProfile::contentOf(mine, CacheProfile::kUserFileBytes), fileContent(mine)) << mine;
}

}  // namespace
}  // namespace gui
