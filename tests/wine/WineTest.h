// The Wine tests' fixture: the real Win32 services and a scratch folder of each test's own
// on the test drive the test runner mapped.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/WinePlatform.h"

namespace dv::winetest {

inline std::string testName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// The Wine tests' fixture: <drive>\<test>\ made empty for the test and removed after it.
class WineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.ready()) << scratch.root(); }

    // A file of these bytes and attributes, or a folder with its parents, at a full path or
    // one relative to the scratch folder.
    std::string file(const std::string& path, const std::string& bytes = "",
                     DWORD attributes = 0) {
        EXPECT_TRUE(writeFile(at(path), bytes, attributes)) << path;
        return at(path);
    }
    std::string dir(const std::string& path) {
        EXPECT_TRUE(makeFolders(at(path))) << path;
        return at(path);
    }
    std::string at(const std::string& path) const {
        return path.size() > 1 && path[1] == ':' ? path : folder + path;
    }

    RealPlatform p;
    App& app = p.app;
    ScratchFolder scratch{testName()};
    const std::string root = scratch.root();  // no "\" at its end
    const std::string folder = root + "\\";
};

}  // namespace dv::winetest
