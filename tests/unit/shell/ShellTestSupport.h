// Shared set-up of the shell tests: a fake platform and small helpers.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "shell/Settings.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {

class ShellTest : public ::testing::Test {
protected:
    FakePlatform p;
    App& app = p.app;
    FakeUi& ui = p.ui;

    void setSwitches(uint32_t autoSearch, uint32_t notShow) {
        regWriteInt(app, kUsers, kAutoSearchItem, autoSearch);
        regWriteInt(app, kUsers, kNotShowItem, notShow);
    }
    uint32_t autoSearch() { return regReadInt(app, kUsers, kAutoSearchItem, 99); }
    uint32_t notShow() { return regReadInt(app, kUsers, kNotShowItem, 99); }
    void addBaseFile(const std::string& relative, const std::string& content) {
        p.fs.addFile(basePath(app, relative), content);
    }
};

}  // namespace dv
