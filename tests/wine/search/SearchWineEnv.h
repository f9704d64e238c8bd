// The real Win32 file system and system services with a recording window layer, and a
// scratch folder of each test's own on the test drive.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/WinePlatform.h"

namespace dv::winetest {

using SearchPlatform = RealPlatform;

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
