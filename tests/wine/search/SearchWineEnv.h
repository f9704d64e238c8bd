// The real Win32 file system and system services with a recording window layer, and a
// scratch folder of each test's own on the test drive.
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
#include "tests/wine/search/RecordingUi.h"

namespace dv::winetest {

struct SearchPlatform {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    RecordingUi ui;
    App app{fs, registry, ini, shell, system, ui, AppState{}};
};

// The drive the test runner mapped for us (DV_TEST_DRIVE), else the temp folder.
inline std::string scratchBase() {
    char drive[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof drive) > 0)
        return std::string(drive) + "\\";
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return temp;
}

// Deletes a folder tree without ever following a junction or link inside it.
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

inline bool makeFile(const std::string& path, const std::string& bytes = "",
                     DWORD attributes = 0) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
    CloseHandle(h);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return true;
}

// A fixture with an empty folder of the test's own ("<drive>\wine_search\<test>\").
class SearchWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string base = scratchBase() + "wine_search";
        CreateDirectoryA(base.c_str(), nullptr);
        folder = base + "\\" + info->test_suite_name() + "." + info->name();
        removeTree(folder);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        folder += "\\";
    }
    void TearDown() override { removeTree(folder.substr(0, folder.size() - 1)); }

    std::string file(const std::string& relative, const std::string& bytes = "",
                     DWORD attributes = 0) {
        EXPECT_TRUE(makeFile(folder + relative, bytes, attributes)) << relative;
        return folder + relative;
    }
    std::string dir(const std::string& relative) {
        EXPECT_TRUE(CreateDirectoryA((folder + relative).c_str(), nullptr)) << relative;
        return folder + relative;
    }

    SearchPlatform p;
    App& app = p.app;
    std::string folder;  // ends in "\"
};

}  // namespace dv::winetest
