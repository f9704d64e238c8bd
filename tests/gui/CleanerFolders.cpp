#include "tests/gui/CleanerFolders.h"

#include <windows.h>
#include <wininet.h>

#include "tests/gui/TestTree.h"
#include "tests/wine/RunFolder.h"

namespace gui {

namespace {

std::string cachePage(const std::string& url) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0) || !makeFile(file, 10)) return {};
    FILETIME none = {};
    if (!CommitUrlCacheEntryA(url.c_str(), file, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, "htm",
                              nullptr))
        return {};
    return file;
}

}  // namespace

bool inUrlCache(const std::string& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

CleanerFolders::CleanerFolders(AppUnderTest& app) {
    using dv::winetest::insidePrefix;
    using dv::winetest::insideRunFolder;
    const std::string base = app.folder();
    // The profile ends in the user's name, as a real one does, so that the search's
    // profile rule still points at this folder and no other.
    const std::string user = dv::winetest::environmentValue("USERNAME");
    const std::string profile = base + "\\users\\" + (user.empty() ? "owner" : user);
    const std::string windows = base + "\\windows", temp = base + "\\temp";
    for (const std::string& f : {base + "\\users", profile, profile + "\\Cookies",
                                 profile + "\\Cookies\\.svn", windows, windows + "\\Cookies",
                                 temp, temp + "\\sub"})
        makeFolders(f);
    // No name matches pattern set 3: what goes, went through a cleaner, not the search.
    cookies = {profile + "\\Cookies\\owner@dustvane[1].txt", windows + "\\Cookies\\index.dat"};
    temporary = {temp + "\\page.htm", temp + "\\sub\\setup.log", base + "\\quilltext.txt"};
    kept = {profile + "\\Cookies\\.svn\\entries", temp + "\\sub\\readonly.txt"};
    for (const auto& list : {cookies, temporary, kept})
        for (const std::string& file : list) makeFile(file, 10);
    SetFileAttributesA(kept[1].c_str(), FILE_ATTRIBUTE_READONLY);

    // Every folder a cleaner is pointed at lies in this run's folder.
    for (const std::string& f : {profile, windows, temp})
        if (!insideRunFolder(f)) problem = f + " is not inside the run's folder";
    app.setEnvironment("USERPROFILE", profile);
    app.setEnvironment("windir", windows);
    app.setEnvironment("TEMP", temp + "\\");
    app.setEnvironment("TMP", temp + "\\");

    page = "http://dustvane.test/" + base.substr(base.rfind('\\') + 1) + ".htm";
    const std::string local = cachePage(page);
    if (local.empty())
        problem = "no URL cache entry could be made";
    else if (!insidePrefix(local))
        problem = "the URL cache lies outside the prefix: " + local;
}

}  // namespace gui
