// The real Win32 services bundled with an App, a scratch folder and a scratch registry key
// for the Wine tests of the shell subsystem.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "shell/App.h"

namespace dv::winetest {

// A window layer that shows nothing; the settings rules never touch it.
class NullUi : public Ui {
public:
    void setText(Ctl, const std::string&) override {}
    std::string text(Ctl) const override { return {}; }
    void setTooltip(Ctl, const std::string&) override {}
    std::string tooltip(Ctl) const override { return {}; }
    void setVisible(Ctl, bool) override {}
    bool isVisible(Ctl) const override { return false; }
    void setEnabled(Ctl, bool) override {}
    bool isEnabled(Ctl) const override { return false; }
    void setChecked(Ctl, bool) override {}
    bool isChecked(Ctl) const override { return false; }
    int comboCount(Ctl) const override { return 0; }
    std::string comboItem(Ctl, int) const override { return {}; }
    void comboAdd(Ctl, const std::string&) override {}
    int comboSelection(Ctl) const override { return -1; }
    void setComboSelection(Ctl, int) override {}
    void setWidth(Ctl, int) override {}
    void setBackColour(Ctl, uint32_t) override {}
    uint32_t backColour(Ctl) const override { return 0; }
    void setTimer(Ctl, int) override {}
    int timerInterval(Ctl) const override { return 0; }
    void setProgress(Ctl, int) override {}
    int rowCount(Ctl) const override { return 0; }
    void clearRows(Ctl) override {}
    void removeRow(Ctl, int) override {}
    int appendRow(Ctl, const std::string&) override { return -1; }
    void setCell(Ctl, int, int, const std::string&) override {}
    std::string cell(Ctl, int, int) const override { return {}; }
    bool isTicked(Ctl, int) const override { return false; }
    void setTicked(Ctl, int, bool) override {}
    int currentRow(Ctl) const override { return -1; }
    void setCurrentRow(Ctl, int) override {}
    void setColumnTitle(Ctl, int, const std::string&) override {}
    void popupMenu(Ctl) override {}
    int messageBox(const std::string&, const std::string&, unsigned) override { return kIdOk; }
    void openModal(Ctl) override {}
    void closeWindow(Ctl) override {}
    void setWindowSize(Ctl, int, int) override {}
    void setWindowState(Ctl, WindowState) override {}
    void addWindowStyle(Ctl, uint32_t) override {}
    void setHelpFile(Ctl, const std::string&) override {}
    void dragWindow(Ctl) override {}
    void processPendingMessages() override {}
    void endProgram(int) override {}
};

struct RealPlatform {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    NullUi ui;
    App app{fs, registry, ini, shell, system, ui, AppState{}};
};

// Test key below HKEY_USERS; tests that write use "<kTestKey>\<test name>".
constexpr const char* kTestKey = ".DEFAULT\\Software\\DustvaneTest";

inline bool onWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Removes a whole key below HKEY_USERS, subkeys included.
inline void deleteTree(const std::string& key) { RegDeleteTreeA(HKEY_USERS, key.c_str()); }

inline bool keyExists(const std::string& key) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_USERS, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

// Deletes a folder and everything in it, read-only entries included.
inline void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fixture with an empty folder and a free registry key of the test's own.
class WineShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(info->test_suite_name()) + "." + info->name();
        char drive[MAX_PATH] = {};
        std::string base;
        if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof(drive)) > 0)
            base = std::string(drive) + "\\";
        else
            base = p.system.tempPath();
        CreateDirectoryA((base + "wine_shell").c_str(), nullptr);
        folder = base + "wine_shell\\" + name;
        removeFolder(folder);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        folder += "\\";
        key = std::string(kTestKey) + "\\" + name;
        deleteTree(key);
    }
    void TearDown() override {
        removeFolder(folder.substr(0, folder.size() - 1));
        deleteTree(key);
        HKEY h;  // the shared parent goes once no test uses it any more
        if (RegOpenKeyExA(HKEY_USERS, kTestKey, 0, KEY_READ, &h) == ERROR_SUCCESS) {
            DWORD subkeys = 0, values = 0;
            RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr);
            RegCloseKey(h);
            if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_USERS, kTestKey);
        }
    }

    // Writes a file of the given bytes into the scratch folder; returns its path.
    std::string makeFile(const std::string& name, const std::string& bytes = "x",
                         DWORD attributes = 0) {
        std::string path = folder + name;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
        DWORD put = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
        CloseHandle(h);
        if (attributes) SetFileAttributesA(path.c_str(), attributes);
        return path;
    }

    RealPlatform p;
    App& app = p.app;
    std::string folder;  // ends in "\"
    std::string key;     // below HKEY_USERS, missing at the start of the test
};

}  // namespace dv::winetest
