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

// Puts an entry into the cache as a browser would: a local file, then the commit. Returns
// the local file's path, empty on failure.
std::string commitEntry(const std::string& url, DWORD type) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) return {};
    HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(h, "<p>", 3, &put, nullptr);
    CloseHandle(h);
    FILETIME none = {};
    if (!CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, "htm", nullptr))
        return {};
    return file;
}

bool inCache(const std::string& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// The URLs of every content entry, read as the cleaner reads them.
std::vector<std::string> contentUrls() {
    std::vector<std::string> urls;
    std::vector<char> block(64 * 1024);
    DWORD size = DWORD(block.size());
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block.data());
    HANDLE walk = FindFirstUrlCacheEntryA("", info, &size);
    if (!walk) return urls;
    do {
        urls.push_back(info->lpszSourceUrlName);
        size = DWORD(block.size());
    } while (FindNextUrlCacheEntryA(walk, info, &size));
    FindCloseUrlCache(walk);
    return urls;
}

TEST_F(PrivacyWine, InternetCleanerDeletesNormalEntriesOnly) {
    const std::string page = "http://dustvane.test/page.htm";
    const std::string picture = "http://dustvane.test/" + std::string(600, 'p') + ".gif";
    // Cookie and history entries: the cache keeps them in containers of their own, with the
    // cookie or history type and without the normal-entry bit.
    const std::string history = "Visited: dv@http://dustvane.test/seen.htm";
    const std::string cookie = "Cookie:dv@dustvane.test/";
    const std::string local = commitEntry(page, NORMAL_CACHE_ENTRY);
    ASSERT_FALSE(local.empty()) << "no URL cache entry could be made";
    // The cache is the prefix's own: its files lie below the prefix's drive C:.
    ASSERT_TRUE(insidePrefix(local) || insideRunFolder(local)) << local << " is " << unixPathOf(local);
    ASSERT_FALSE(commitEntry(picture, NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY).empty());
    ASSERT_FALSE(commitEntry(history, URLHISTORY_CACHE_ENTRY).empty());
    ASSERT_FALSE(commitEntry(cookie, COOKIE_CACHE_ENTRY).empty());
    ASSERT_TRUE(InternetSetCookieA("http://dustvane.test/", "kept",
                                   "yes; expires=Sat, 01-Jan-2100 00:00:00 GMT"));

    cleanUrlCache(app);
    EXPECT_FALSE(inCache(page));
    EXPECT_FALSE(inCache(picture));
    EXPECT_FALSE(exists(local));
    EXPECT_TRUE(inCache(history));
    EXPECT_TRUE(inCache(cookie));
    char value[256] = {};
    DWORD length = sizeof value;
    EXPECT_TRUE(InternetGetCookieA("http://dustvane.test/", "kept", value, &length));

    // With nothing left in it, the cleaner visits no entry at all.
    for (const std::string& url : contentUrls()) DeleteUrlCacheEntryA(url.c_str());
    ASSERT_TRUE(contentUrls().empty());
    p.ui.processCalls = 0;
    cleanUrlCache(app);
    EXPECT_EQ(p.ui.processCalls, 0);
    InternetSetCookieA("http://dustvane.test/", "kept", "gone; expires=Sat, 01-Jan-2000 00:00:00 GMT");
    DeleteUrlCacheEntryA(history.c_str());
    DeleteUrlCacheEntryA(cookie.c_str());
}

// The five lists live under HKEY_CURRENT_USER of the prefix; the test makes what it needs
// there and takes away the keys it made.
class HistoryWine : public PrivacyWine {
protected:
    std::vector<std::string> made;

    void SetUp() override {
        PrivacyWine::SetUp();
        for (const HistoryList& list : kHistoryLists) {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, list.key, 0, KEY_READ, &key) == ERROR_SUCCESS)
                RegCloseKey(key);
            else
                made.push_back(list.key);
        }
        made.push_back("InstallLocationsMRU");
        regDelete(app, kUsers, kNotShowItem);
    }
    void TearDown() override {
        for (const std::string& key : made) RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        for (const std::string& key : made) RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        regDelete(app, kUsers, kNotShowItem);
        PrivacyWine::TearDown();
    }
    void put(const std::string& key, const std::string& name, const std::string& data,
             DWORD type = REG_SZ) {
        HKEY h;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, key.c_str(), &h), ERROR_SUCCESS);
        RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       DWORD(data.size()));
        RegCloseKey(h);
    }
    std::vector<std::string> values(const std::string& key) {
        std::vector<std::string> names;
        p.registry.valueNames(kCurrentUser, key, names);
        return names;
    }
    bool keyExists(const std::string& key) {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        RegCloseKey(h);
        return true;
    }
};

TEST_F(HistoryWine, ApplyEmptiesTheTickedListsOnly) {
    const std::string docFind = kHistoryLists[0].key, run = kHistoryLists[1].key,
                      recent = kHistoryLists[2].key, install = kHistoryLists[3].key,
                      typed = kHistoryLists[4].key;
    for (const char* name : {"a", "b", "c"}) put(run, name, std::string("cmd ") + name + "\\1");
    put(run, "MRUList", "cba");
    put(run, "big", std::string(1024, 'x'), REG_BINARY);  // larger than a 255-byte buffer
    put(docFind, "MRUList", "a");
    put(recent, "MRUListEx", std::string(8, '\0'), REG_BINARY);
    put(recent + "\\.txt", "0", "note.txt", REG_BINARY);
    put(typed, "url1", "http://dustvane.test/");
    RegDeleteTreeA(HKEY_CURRENT_USER, "InstallLocationsMRU");
    const auto docFindBefore = values(docFind), recentBefore = values(recent),
               typedBefore = values(typed);

    p.ui.setChecked(Ctl::privacyRunCheck, true);
    p.ui.setChecked(Ctl::privacyShowStepCheck, false);
    applyPrivacyCleaning(app);
    EXPECT_TRUE(keyExists(run));
    EXPECT_TRUE(values(run).empty());
    EXPECT_EQ(values(docFind), docFindBefore);
    EXPECT_EQ(values(recent), recentBefore);
    EXPECT_EQ(values(typed), typedBefore);
    EXPECT_EQ(regReadInt(app, kUsers, kNotShowItem, 99), 1u);

    // Recent documents: its own values go, the per-extension subkeys keep theirs; the
    // install-locations key, missing, stays missing.
    p.ui.setChecked(Ctl::privacyRunCheck, false);
    p.ui.setChecked(Ctl::privacyRecentDocsCheck, true);
    p.ui.setChecked(Ctl::privacyInstallLocationsCheck, true);
    p.ui.setChecked(Ctl::privacyShowStepCheck, true);
    applyPrivacyCleaning(app);
    EXPECT_TRUE(values(recent).empty());
    EXPECT_EQ(values(recent + "\\.txt"), std::vector<std::string>{"0"});
    EXPECT_FALSE(keyExists(install));
    EXPECT_FALSE(keyExists("InstallLocationsMRU"));
    EXPECT_EQ(regReadInt(app, kUsers, kNotShowItem, 99), 0u);
}

}  // namespace
}  // namespace dv::winetest
