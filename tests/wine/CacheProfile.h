// A user profile on the test drive laid out as browsers, Electron programs and Windows keep
// one: caches, and the user's own files beside them, the shell's known folders pointing into
// it while it lives. Header-only, for the Wine and end-to-end tests and the benchmark.
#pragma once
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/wine/RunFolder.h"

namespace dv::winetest {

// While one lives, the shell's known folders AppData\Local, AppData\Roaming,
// AppData\LocalLow, Documents, Desktop and Downloads lie below a profile folder (HKCU's
// User Shell Folders, which the shell reads at every look-up); when it goes they are back
// at the values a new prefix has ("%USERPROFILE%\AppData\Local", ...).
class MovedKnownFolders {
public:
    MovedKnownFolders() = default;
    ~MovedKnownFolders() { restore(); }
    MovedKnownFolders(const MovedKnownFolders&) = delete;
    MovedKnownFolders& operator=(const MovedKnownFolders&) = delete;

    // `profile` ends in "\"; the folders are made below it.
    bool moveInto(const std::string& profile) {
        moved_ = true;
        bool all = true;
        for (const auto& [name, below] : kFolders) {
            const std::string path = profile + below;
            CreateDirectoryA(path.c_str(), nullptr);
            all &= !RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, REG_SZ, path.c_str(), DWORD(path.size() + 1));
        }
        return all;
    }
    void restore() {
        if (!moved_) return;
        for (const auto& [name, below] : kFolders) {
            const std::string value = std::string("%USERPROFILE%\\") + below;
            RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, REG_EXPAND_SZ, value.c_str(), DWORD(value.size() + 1));
        }
        moved_ = false;
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    static constexpr const char* kFolders[][2] = {
        {"Local AppData", "AppData\\Local"}, {"AppData", "AppData\\Roaming"},
        {"{A520A1A4-1780-4FF6-BD18-167343C5AF16}", "AppData\\LocalLow"}, {"Personal", "Documents"},
        {"Desktop", "Desktop"}, {"{374DE290-123F-4565-9164-39C4925E467B}", "Downloads"}};
    bool moved_ = false;
};

class CacheProfile {
public:
    static constexpr size_t kCacheBytes = 2048, kUserFileBytes = 300;

    // The profile goes into `folder` + "profile", which must lie on the test drive.
    explicit CacheProfile(const std::string& folder) : root_(folder + "profile\\") {
        if (!insideRunFolder(root_ + "x")) return;
        bool made = true;
        for (const Program& p : kPrograms) {
            add(caches, p.folder, p.caches);
            add(userFiles, p.folder, p.mine);
        }
        for (const std::string& path : caches) made &= put(path, kCacheBytes);
        for (const std::string& path : userFiles) made &= put(path, kUserFileBytes);
        ready_ = made && moved_.moveInto(root_);
    }
    ~CacheProfile() {
        moved_.restore();
        removeTree(root_.substr(0, root_.size() - 1));
    }

    bool ready() const { return ready_; }
    const std::string& root() const { return root_; }
    // A text naming the file, repeated to its size.
    static std::string contentOf(const std::string& path, size_t size) {
        std::string content;
        while (content.size() < size) content += path + "\r\n";
        return content.substr(0, size);
    }

    static std::vector<std::string> sorted(std::vector<std::string> paths) {
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    std::vector<std::string> caches;     // every file the shipped rules clean
    std::vector<std::string> userFiles;  // the user's files, none of which may go

private:
    // A program's folder, then the caches and the user's files below it, ";"-separated.
    struct Program {
        const char *folder, *caches, *mine;
    };
    static constexpr Program kPrograms[] = {
        {"AppData\\Local\\Google\\Chrome\\User Data\\",
         "Default\\Cache\\Cache_Data\\f_000001;Default\\Cache\\Cache_Data\\index;Default\\Code Cache\\js\\0a_0;"
         "Default\\GPUCache\\data_0;Profile 1\\Cache\\Cache_Data\\f_2;ShaderCache\\data_1;GrShaderCache\\data_2",
         "Local State;Default\\Bookmarks;Default\\History;Default\\Login Data;Default\\Preferences;"
         "Default\\Network\\Cookies;Default\\Local Storage\\leveldb\\3.log;Default\\IndexedDB\\x.leveldb\\3.log;"
         "Default\\Extensions\\abc\\1.0\\manifest.json"},
        {"AppData\\Local\\", "Microsoft\\Edge\\User Data\\Default\\Cache\\f_3;Spotify\\Data\\a1\\a1b2.file;"
         "BraveSoftware\\Brave-Browser\\User Data\\Default\\GPUCache\\data_3;Opera Software\\Opera Stable\\Cache\\f_4;"
         "CrashDumps\\app.exe.1234.dmp;Microsoft\\Windows\\WER\\ReportArchive\\AppCrash_1\\Report.wer;"
         "Microsoft\\Windows\\WER\\ReportQueue\\AppCrash_2\\Report.wer;D3DSCache\\f1\\shader.idx;"
         "Microsoft\\Windows\\Explorer\\thumbcache_256.db;Microsoft\\Windows\\Explorer\\iconcache_32.db;"
         "NVIDIA\\DXCache\\a.nvph;AMD\\VkCache\\b.bin;Mozilla\\Firefox\\Profiles\\p.default\\cache2\\entries\\AB;"
         "Mozilla\\Firefox\\Profiles\\p.default\\startupCache\\x.little;Mozilla\\Firefox\\Profiles\\p.default\\thumbnails\\a.png",
         "Spotify\\Users\\me\\prefs;CrashDumps\\notes.txt;Microsoft\\Windows\\Explorer\\ExplorerStartupLog.etl"},
        {"AppData\\Roaming\\", "Opera Software\\Opera Stable\\Code Cache\\js\\index;Code\\Cache\\Cache_Data\\f_5;"
         "Code\\CachedData\\1a2b\\chrome\\js\\x.code;Code\\logs\\20260101T000000\\main.log;"
         "discord\\Cache\\Cache_Data\\f_6;Slack\\Code Cache\\js\\index;Microsoft\\Teams\\GPUCache\\data_4",
         "Opera Software\\Opera Stable\\Bookmarks;Code\\User\\settings.json;discord\\Local Storage\\leveldb\\5.ldb;"
         "Slack\\storage\\root-state.json;Mozilla\\Firefox\\Profiles\\p.default\\places.sqlite;"
         "Mozilla\\Firefox\\Profiles\\p.default\\cookies.sqlite;Mozilla\\Firefox\\Profiles\\p.default\\logins.json"},
        {"AppData\\LocalLow\\", "NVIDIA\\PerDriverVersion\\DXCache\\c.nvph", ""},
        {"", "", "Documents\\report.docx;Documents\\Cache\\notes.txt;Desktop\\todo.txt;Downloads\\setup.tmp"},
    };

    void add(std::vector<std::string>& paths, const char* folder, const char* names) {
        std::istringstream in(names);
        for (std::string name; std::getline(in, name, ';');) paths.push_back(root_ + folder + name);
    }
    bool put(const std::string& path, size_t size) {
        return makeFolders(path.substr(0, path.rfind('\\'))) &&
               writeFile(path, contentOf(path, size));
    }

    std::string root_;
    bool ready_ = false;
    MovedKnownFolders moved_;
};

}  // namespace dv::winetest
