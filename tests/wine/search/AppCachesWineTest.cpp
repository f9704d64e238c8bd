// The shipped rules on a profile of the test drive laid out as the programs keep it.
#include "cleanup/DeleteCommands.h"
#include "search/Patterns.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "tests/wine/CacheProfile.h"
#include "tests/wine/WineTest.h"
#include "text/NumberText.h"

namespace dv::winetest {
namespace {

using SearchWineTest = WineTest;

// The application caches are every cache file, none of the user's files, nothing behind a link
// in a cache folder; Delete All (permanent) leaves the user's files byte for byte, and a cache
// file another program holds open, which counts nowhere.
TEST_F(SearchWineTest, ApplicationCachesOfAProfile) {
    CacheProfile profile(folder);
    ASSERT_TRUE(profile.ready());
    ASSERT_TRUE(makeLink(profile.root() + "Documents", profile.root() + "AppData\\Local\\D3DSCache\\docs"));
    app.state.baseFolder = programFolder();
    p.ui.setComboSelection(Ctl::patternSetCombo, kAppCachesItem);
    p.ui.setComboSelection(Ctl::driveCombo, 1 + (folder[0] - 'C'));

    startSearch(app);
    std::vector<std::string> listed;
    for (const auto& row : p.ui.rows(Ctl::resultList)) listed.push_back(row.cells[kColPath]);
    EXPECT_EQ(CacheProfile::sorted(profile.caches), CacheProfile::sorted(listed));

    const std::string held = profile.caches.front();
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    p.ui.setChecked(Ctl::permanentModeRadio, true);
    deleteAllRows(app);
    CloseHandle(h);
    for (const std::string& cache : profile.caches)
        EXPECT_EQ(cache == held, GetFileAttributesA(cache.c_str()) != INVALID_FILE_ATTRIBUTES) << cache;
    for (const std::string& mine : profile.userFiles)
        EXPECT_EQ(CacheProfile::contentOf(mine, CacheProfile::kUserFileBytes), wholeFile(mine)) << mine;
    EXPECT_EQ(" " + megabyteText((profile.caches.size() - 1) * CacheProfile::kCacheBytes),
              p.ui.text(Ctl::recoveredLabel));
}

}  // namespace
}  // namespace dv::winetest
