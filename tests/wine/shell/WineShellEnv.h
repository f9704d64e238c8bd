// The Wine fixture with a scratch registry key as well, for the Wine tests of the shell
// subsystem.
#pragma once
#include <string>

#include "tests/wine/WineTest.h"

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

// The Wine fixture with a free registry key of the test's own as well.
class WineShellTest : public WineTest {
protected:
    void SetUp() override {
        WineTest::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        key = std::string(kTestKey) + "\\" + info->test_suite_name() + "." + info->name();
        deleteTree(key);
    }
    void TearDown() override {
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

    std::string key;  // below HKEY_USERS, missing at the start of the test
};

}  // namespace dv::winetest
