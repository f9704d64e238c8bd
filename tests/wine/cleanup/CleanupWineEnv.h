// The Wine fixture with a program folder (with BackFile) and a files folder in the test's
// scratch folder.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cleanup/DeleteCommands.h"
#include "search/ResultList.h"
#include "shell/Settings.h"
#include "tests/wine/WineTest.h"

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

// Fixture: the scratch folder holds the program folder "prog\" (with its empty BackFile)
// and a files folder "files\"; language keys read "K<n>".
class CleanupWine : public WineTest {
protected:
    const std::string base = root + "\\prog", files = root + "\\files\\";

    void SetUp() override {
        WineTest::SetUp();
        ASSERT_TRUE(makeFolders(base + "\\BackFile") && makeFolders(files));
        app.state.baseFolder = base;
        app.state.searchFinished = 1;
        for (int key = 1; key <= 120; ++key)
            app.state.languageLines.push_back(std::to_string(key) + "=K" + std::to_string(key));
        regDelete(app, kUsers, kSaveFilePathItem);
    }
    void TearDown() override { regDelete(app, kUsers, kSaveFilePathItem); }

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
