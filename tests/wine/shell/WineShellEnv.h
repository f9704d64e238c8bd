// The real Win32 services bundled with an App, a scratch folder and a scratch registry key
// for the Wine tests of the shell subsystem.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/WinePlatform.h"

namespace dv::winetest {

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
        removeTree(folder);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        folder += "\\";
        key = std::string(kTestKey) + "\\" + name;
        deleteTree(key);
    }
    void TearDown() override {
        removeTree(folder.substr(0, folder.size() - 1));
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
