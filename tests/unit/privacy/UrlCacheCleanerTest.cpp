// The Internet cleaner's walk over an in-memory URL cache.
#include <gtest/gtest.h>

#include "privacy/Cleaners.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

constexpr uint32_t kCookie = 0x100000, kHistory = 0x200000;

struct WalkCase {
    const char* name;
    std::vector<FakeUrlCache::Entry> entries;  // url, type, extra bytes, undeletable
    uint32_t queriedSize;                       // 0: each entry's own
    std::vector<std::string> left;
    int entriesVisited;
};

TEST(UrlCacheCleaner, DeletesNormalEntriesOnly) {
    const WalkCase cases[] = {
        {"mixed",
         {{"http://a/", 1}, {"Cookie:me@a/", kCookie}, {"http://b/x.gif", 1 | 0x40},
          {"Visited: me@http://a/", kHistory}, {"http://c/" + std::string(300, 'c'), 1}},
         0, {"Cookie:me@a/", "Visited: me@http://a/"}, 5},
        {"empty cache", {}, 0, {}, 0},
        {"kept entry, then a larger one",
         {{"Cookie:k", kCookie}, {"http://big/", 1, 4000}, {"http://after/", 1}}, 0,
         {"Cookie:k"}, 3},
        {"entry in use stays", {{"http://busy/", 1, 0, true}, {"http://x/", 1}}, 0,
         {"http://busy/"}, 2},
        {"size query without room for a head", {{"http://a/", 1}}, 2, {"http://a/"}, 0},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        p.urlCache.entries = c.entries;
        p.urlCache.queriedSize = c.queriedSize;
        cleanUrlCache(p.app);
        EXPECT_EQ(p.urlCache.urls(), c.left);
        EXPECT_EQ(p.ui.processCalls, c.entriesVisited);  // once per entry
        EXPECT_EQ(p.urlCache.openWalks(), 0);
        for (const std::string& pattern : p.urlCache.patterns) EXPECT_EQ(pattern, "");
        // Every block offered had room for an entry's head (0: a size query).
        for (uint32_t size : p.urlCache.offeredSizes)
            EXPECT_TRUE(size == 0 || size >= sizeof(UrlCacheEntryInfo)) << size;
    }
}

TEST(UrlCacheCleaner, AnEmptyCacheIsOnlyAskedOnce) {
    FakePlatform p;
    cleanUrlCache(p.app);
    EXPECT_EQ(p.urlCache.offeredSizes, std::vector<uint32_t>{0});
    EXPECT_EQ(p.urlCache.closes, 0);  // no walk was opened
    EXPECT_TRUE(p.urlCache.deleteCalls.empty());
}

}  // namespace
}  // namespace dv
