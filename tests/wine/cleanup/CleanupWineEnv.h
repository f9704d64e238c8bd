// The real Win32 services with a window layer kept in memory, and a folder of each
// test's own on the test drive holding the program folder (with BackFile) and the files.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cleanup/DeleteCommands.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "search/ResultList.h"
#include "shell/App.h"
#include "shell/Settings.h"

namespace dv::winetest {

// Captions, visibility, checks, resultList rows and message boxes, in memory.
class MemoryUi : public Ui {
public:
    struct Row {
        std::vector<std::string> cells = std::vector<std::string>(5);
        bool ticked = false;
    };
    std::map<Ctl, std::string> texts;
    std::map<Ctl, bool> visible, enabled, checked;
    std::map<Ctl, int> timers;
    std::vector<Row> rows;
    std::vector<std::string> messages;
    int current = -1;

    void setText(Ctl c, const std::string& t) override { texts[c] = t; }
    std::string text(Ctl c) const override { return get(texts, c, std::string()); }
    void setTooltip(Ctl, const std::string&) override {}
    std::string tooltip(Ctl) const override { return {}; }
    void setVisible(Ctl c, bool v) override { visible[c] = v; }
    bool isVisible(Ctl c) const override { return get(visible, c, true); }
    void setEnabled(Ctl c, bool e) override { enabled[c] = e; }
    bool isEnabled(Ctl c) const override { return get(enabled, c, true); }
    void setChecked(Ctl c, bool on) override { checked[c] = on; }
    bool isChecked(Ctl c) const override { return get(checked, c, false); }
    int comboCount(Ctl) const override { return 0; }
    std::string comboItem(Ctl, int) const override { return {}; }
    void comboAdd(Ctl, const std::string&) override {}
    int comboSelection(Ctl) const override { return -1; }
    void setComboSelection(Ctl, int) override {}
    void setWidth(Ctl, int) override {}
    void setBackColour(Ctl, uint32_t) override {}
    uint32_t backColour(Ctl) const override { return 0; }
    void setTimer(Ctl c, int ms) override { timers[c] = ms; }
    int timerInterval(Ctl c) const override { return get(timers, c, 0); }
    void setProgress(Ctl, int) override {}
    int rowCount(Ctl) const override { return int(rows.size()); }
    void clearRows(Ctl) override { rows.clear(); }
    void removeRow(Ctl, int r) override {
        if (r >= 0 && r < int(rows.size())) rows.erase(rows.begin() + r);
    }
    int appendRow(Ctl, const std::string& first) override {
        rows.emplace_back();
        rows.back().cells[0] = first;
        return int(rows.size()) - 1;
    }
    void setCell(Ctl, int r, int col, const std::string& t) override {
        if (r >= 0 && r < int(rows.size()) && col >= 0 && col < 5) rows[r].cells[col] = t;
    }
    std::string cell(Ctl, int r, int col) const override {
        return r >= 0 && r < int(rows.size()) && col >= 0 && col < 5 ? rows[r].cells[col] : "";
    }
    bool isTicked(Ctl, int r) const override { return r >= 0 && r < int(rows.size()) && rows[r].ticked; }
    void setTicked(Ctl, int r, bool t) override {
        if (r >= 0 && r < int(rows.size())) rows[r].ticked = t;
    }
    int currentRow(Ctl) const override { return current; }
    void setCurrentRow(Ctl, int r) override { current = r; }
    void setColumnTitle(Ctl, int, const std::string&) override {}
    void popupMenu(Ctl) override {}
    int messageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    void openModal(Ctl) override {}
    void closeWindow(Ctl) override {}
    void setWindowSize(Ctl, int, int) override {}
    void setWindowState(Ctl, WindowState) override {}
    void addWindowStyle(Ctl, uint32_t) override {}
    void setHelpFile(Ctl, const std::string&) override {}
    void dragWindow(Ctl) override {}
    void processPendingMessages() override {}
    void endProgram(int) override {}

private:
    template <class Map, class Value>
    static Value get(const Map& m, Ctl c, Value fallback) {
        auto it = m.find(c);
        return it == m.end() ? fallback : it->second;
    }
};

struct RealPlatform {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    MemoryUi ui;
    App app{fs, registry, ini, shell, system, ui, AppState{}};
};

inline std::string testDrive() {
    char drive[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof drive) > 0) return drive;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string t = temp;
    return t.substr(0, t.size() - 1);
}

inline void removeTree(const std::string& folder) {
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                std::string path = folder + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
    }
    RemoveDirectoryA(folder.c_str());
}

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
        CreateDirectoryA((testDrive() + "\\wine_cleanup").c_str(), nullptr);
        root = testDrive() + "\\wine_cleanup\\" + info->name();
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
    void TearDown() override { regDelete(app, kUsers, kSaveFilePathItem); }

    std::string makeFile(const std::string& path, const std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
        DWORD put = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
        CloseHandle(h);
        return path;
    }
    std::string readFile(const std::string& path) {
        std::string out;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<missing>";
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
        CloseHandle(h);
        return out;
    }
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
