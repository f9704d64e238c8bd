// The real Win32 services with the recording window layer, and a folder of each
// test's own on the test drive holding the program folder (with BackFile) and the files.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cleanup/DeleteCommands.h"
#include "search/ResultList.h"
#include "shell/Settings.h"
#include "tests/wine/RunFolder.h"
#include "tests/wine/search/SearchWineEnv.h"

namespace dv::winetest {

inline FILETIME fileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
                           WORD ms) {
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    st.wMilliseconds = ms;
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

inline uint64_t ticksOf(const FILETIME& ft) {
    return uint64_t(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

// Fixture: <drive>\wine_cleanup\<test>\ with the program folder "prog\" (and its empty
// BackFile) and a files folder "files\"; language keys read "K<n>".
class CleanupWine : public ::testing::Test {
protected:
    RealPlatform p;
    App& app = p.app;
    std::string root, base, files;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        CreateDirectoryA((scratchBase() + "wine_cleanup").c_str(), nullptr);
        root = scratchBase() + "wine_cleanup\\" + info->name();
        removeTree(root);
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
        base = root + "\\prog";
        files = root + "\\files\\";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA((base + "\\BackFile").c_str(), nullptr);
        CreateDirectoryA(files.c_str(), nullptr);
        app.state.baseFolder = base;
        app.state.searchFinished = 1;
        for (int key = 1; key <= 120; ++key)
            app.state.languageLines.push_back(std::to_string(key) + "=K" + std::to_string(key));
        regDelete(app, kUsers, kSaveFilePathItem);
    }
    void TearDown() override {
        regDelete(app, kUsers, kSaveFilePathItem);
        removeTree(root);
    }

    std::string makeFile(const std::string& path, const std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
        DWORD put = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
        CloseHandle(h);
        return path;
    }
    std::string readFile(const std::string& path) { return winetest::wholeFile(path); }
    bool exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A row as the search writes it.
    void list(const std::string& path) {
        appendResultRow(app, path.substr(path.rfind('\\') + 1), "*.tmp", path);
    }
    void mode(Ctl radio) {
        for (Ctl c : {Ctl::recycleModeRadio, Ctl::permanentModeRadio, Ctl::backupModeRadio})
            p.ui.setChecked(c, c == radio);
    }
    // Backup mode into `folder` (the chosen folder, stored with its "\").
    void backUp(const std::vector<std::string>& paths, const std::string& folder) {
        regWriteBytes(app, kUsers, kSaveFilePathItem, folder);
        mode(Ctl::backupModeRadio);
        for (const auto& path : paths) list(path);
        deleteAllRows(app);
    }
    std::vector<std::string> namesIn(const std::string& folder) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = fd.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }
};

}  // namespace dv::winetest
