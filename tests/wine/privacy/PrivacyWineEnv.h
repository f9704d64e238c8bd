// A folder of each test's own on the test drive, checked to lie inside this run's folder
// before any cleaner is pointed at it, and environment values set for one test only.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/wine/RunFolder.h"
#include "tests/wine/WinePlatform.h"

namespace dv::winetest {

inline bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PrivacyWine : public ::testing::Test {
protected:
    RealPlatform p;
    App& app = p.app;
    std::string root;  // <test drive>\wine_privacy\<test>, without a trailing "\"

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        CreateDirectoryA((scratchBase() + "wine_privacy").c_str(), nullptr);
        root = scratchBase() + "wine_privacy\\" + info->name();
        removeTree(root);
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr)) << root;
        // Every folder a cleaner is given below lies in `root`: prove it is this run's own.
        ASSERT_TRUE(insideRunFolder(root))
            << root << " is " << unixPathOf(root) << ", not inside DV_RUN_DIR "
            << environmentValue("DV_RUN_DIR");
        app.state.baseFolder = folder("prog");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
        removeTree(root);
    }

    // An environment value of this process for this test only (nullptr: unset).
    void setEnvironment(const char* name, const char* value) {
        if (!saved_.count(name)) saved_[name] = environmentValue(name);
        SetEnvironmentVariableA(name, value);
    }
    // root\relative, created with its parents.
    std::string folder(const std::string& relative) {
        const std::string path = root + "\\" + relative;
        SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
        return path;
    }
    std::string makeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               attributes, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
        DWORD put = 0;
        WriteFile(h, "data", 4, &put, nullptr);
        CloseHandle(h);
        return path;
    }
private:
    std::map<std::string, std::string> saved_;
};

}  // namespace dv::winetest
