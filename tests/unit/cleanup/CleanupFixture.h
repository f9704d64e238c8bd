// A fake platform with language keys "K<n>", result rows and a chosen delete mode.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "search/ResultList.h"
#include "shell/Settings.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {

class CleanupTest : public ::testing::Test {
protected:
    FakePlatform p;
    App& app = p.app;

    CleanupTest() {
        for (int key = 1; key <= 120; ++key)
            app.state.languageLines.push_back(std::to_string(key) + "=K" + std::to_string(key));
        app.state.searchFinished = 1;
    }

    // A listed file: a row of resultList and the file itself.
    void listFile(const std::string& path, const std::string& content = "x",
                  uint32_t attributes = kAttrArchive) {
        p.fs.addFile(path, content, attributes);
        addRow(path, std::to_string(content.size()));
    }
    void addRow(const std::string& path, const std::string& size) {
        int row = p.ui.appendRow(Ctl::resultList, path.substr(path.rfind('\\') + 1));
        p.ui.setCell(Ctl::resultList, row, kColType, "*.tmp");
        p.ui.setCell(Ctl::resultList, row, kColSize, size);
        p.ui.setCell(Ctl::resultList, row, kColDate, "1/1/2010 0:0:0");
        p.ui.setCell(Ctl::resultList, row, kColPath, path);
    }
    void useMode(Ctl radio) { p.ui.setChecked(radio, true); }
    void setBackupFolder(const std::string& folder) {
        regWriteBytes(app, kUsers, kSaveFilePathItem, folder);
    }
    int rows() { return p.ui.rowCount(Ctl::resultList); }
    std::string label() { return p.ui.text(Ctl::recoveredLabel); }
    std::string lastMessage() {
        return p.ui.messages.empty() ? std::string() : p.ui.messages.back().text;
    }
};

}  // namespace dv
