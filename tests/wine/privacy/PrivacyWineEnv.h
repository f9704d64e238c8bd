// The Wine fixture with its scratch folder checked to lie inside this run's folder before
// any cleaner is pointed at it, and environment values set for one test only.
#pragma once
#include <map>
#include <string>

#include "tests/wine/WineTest.h"

namespace dv::winetest {

class PrivacyWine : public WineTest {
protected:
    void SetUp() override {
        WineTest::SetUp();
        // Every folder a cleaner is given below lies in `root`: prove it is this run's own.
        ASSERT_TRUE(insideRunFolder(root))
            << root << " is " << unixPathOf(root) << ", not inside DV_RUN_DIR "
            << environmentValue("DV_RUN_DIR");
        app.state.baseFolder = dir("prog");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
    }

    // An environment value of this process for this test only (nullptr: unset).
    void setEnvironment(const char* name, const char* value) {
        if (!saved_.count(name)) saved_[name] = environmentValue(name);
        SetEnvironmentVariableA(name, value);
    }

private:
    std::map<std::string, std::string> saved_;
};

}  // namespace dv::winetest
