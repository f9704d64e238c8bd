// The Internet cleaner on Wine's own URL cache and the history cleaner on the registry of
// the project's prefix.
#include <windows.h>
#include <wininet.h>

#include <vector>

#include "privacy/Cleaners.h"
#include "privacy/HistoryCleaner.h"
#include "shell/Settings.h"
#include "tests/wine/privacy/PrivacyWineEnv.h"

namespace dv::winetest {
namespace {

// An entry as a browser makes it: a local file, then the commit. Returns the file's path.
std::string commitEntry(const std::string& url, DWORD type) {
    char file[MAX_PATH] = {};
    FILETIME none = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) return {};
    writeFile(file);
    return CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, "htm", nullptr)
               ? file
               : std::string();
}

bool inCache(const std::string& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

TEST_F(PrivacyWine, InternetCleanerDeletesNormalEntriesOnly) {
    const std::string page = "http://dustvane.test/page.htm";
    const std::string picture = "http://dustvane.test/" + std::string(600, 'p') + ".gif";
    // Cookie and history entries live in containers of their own, without the normal bit.
    const std::string history = "Visited: dv@http://dustvane.test/seen.htm";
    const std::string cookie = "Cookie:dv@dustvane.test/";
    const std::string local = commitEntry(page, NORMAL_CACHE_ENTRY);
    ASSERT_TRUE(insidePrefix(local)) << "the URL cache is not the prefix's own: " << local;
    ASSERT_FALSE(commitEntry(picture, NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY).empty());
    ASSERT_FALSE(commitEntry(history, URLHISTORY_CACHE_ENTRY).empty());
    ASSERT_FALSE(commitEntry(cookie, COOKIE_CACHE_ENTRY).empty());

    cleanUrlCache(app);
    EXPECT_FALSE(inCache(page));
    EXPECT_FALSE(inCache(picture));
    EXPECT_FALSE(exists(local));
    EXPECT_TRUE(inCache(history));
    EXPECT_TRUE(inCache(cookie));

    // Nothing is left among the content entries: the cleaner visits no entry at all.
    DWORD size = 0;
    ASSERT_FALSE(FindFirstUrlCacheEntryA("", nullptr, &size));
    ASSERT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_ITEMS));
    p.ui.processCalls = 0;
    cleanUrlCache(app);
    EXPECT_EQ(p.ui.processCalls, 0);
    DeleteUrlCacheEntryA(history.c_str());
    DeleteUrlCacheEntryA(cookie.c_str());
}

// The five lists live under HKEY_CURRENT_USER of the prefix; the test leaves them removed.
class HistoryWine : public PrivacyWine {
protected:
    void TearDown() override {
        for (const HistoryList& list : kHistoryLists) RegDeleteTreeA(HKEY_CURRENT_USER, list.key);
        regDelete(app, kUsers, kNotShowItem);
        PrivacyWine::TearDown();
    }
    void put(const std::string& key, const std::string& name, const std::string& data) {
        ASSERT_TRUE(p.registry.set(kCurrentUser, key, name, kRegBinary, data)) << key;
    }
    // Value names; "missing" when the key does not exist.
    std::vector<std::string> values(const std::string& key) {
        std::vector<std::string> names;
        if (!p.registry.valueNames(kCurrentUser, key, names)) return {"missing"};
        return names;
    }
};

TEST_F(HistoryWine, ApplyEmptiesTheTickedListsOnly) {
    const std::string docFind = kHistoryLists[0].key, run = kHistoryLists[1].key,
                      recent = kHistoryLists[2].key, install = kHistoryLists[3].key,
                      typed = kHistoryLists[4].key;
    for (const char* name : {"a", "b", "c", "MRUList"}) put(run, name, name);
    put(run, "big", std::string(1024, 'x'));  // more than a 255-byte buffer takes
    put(docFind, "MRUList", "a");
    put(recent, "MRUListEx", std::string(8, '\0'));
    put(recent + "\\.txt", "0", "note.txt");
    put(typed, "url1", "http://dustvane.test/");
    RegDeleteTreeA(HKEY_CURRENT_USER, "InstallLocationsMRU");

    p.ui.setChecked(Ctl::privacyRunCheck, true);
    applyPrivacyCleaning(app);  // the step-window box is unticked
    EXPECT_TRUE(values(run).empty());
    EXPECT_EQ(values(docFind), std::vector<std::string>{"MRUList"});
    EXPECT_EQ(values(recent), std::vector<std::string>{"MRUListEx"});
    EXPECT_EQ(values(typed), std::vector<std::string>{"url1"});
    EXPECT_EQ(regReadInt(app, kUsers, kNotShowItem, 99), 1u);

    // Recent documents' own values go, its per-extension subkeys keep theirs; the missing
    // install-locations key stays missing.
    p.ui.setChecked(Ctl::privacyRecentDocsCheck, true);
    p.ui.setChecked(Ctl::privacyInstallLocationsCheck, true);
    p.ui.setChecked(Ctl::privacyShowStepCheck, true);
    applyPrivacyCleaning(app);
    EXPECT_TRUE(values(recent).empty());
    EXPECT_EQ(values(recent + "\\.txt"), std::vector<std::string>{"0"});
    EXPECT_EQ(values(install), std::vector<std::string>{"missing"});
    EXPECT_EQ(values("InstallLocationsMRU"), std::vector<std::string>{"missing"});
    EXPECT_EQ(regReadInt(app, kUsers, kNotShowItem, 99), 0u);
}

}  // namespace
}  // namespace dv::winetest
