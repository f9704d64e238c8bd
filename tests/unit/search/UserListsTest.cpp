// The user's junk types (AddGarbageTypeWindow, "\Files.txt") and the exclusion list
// (ExclusionListWindow, "\noscfile.dat").
#include <gtest/gtest.h>

#include "forms/routing/Routing.h"
#include "search/ExclusionList.h"
#include "search/ListFile.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

using Strings = std::vector<std::string>;
const char kFilesTxt[] = "C:\\Dustvane\\Files.txt";
const char kExcluded[] = "C:\\Dustvane\\noscfile.dat";

class UserListsTest : public ::testing::Test {
protected:
    FakePlatform p;
    FakeUi& ui = p.ui;

    void type(const std::string& pattern) {
        ui.setText(Ctl::addTypePatternEdit, pattern);
        ui.raise(Ctl::addTypePatternEdit, Event::TextChange);
    }
    Strings rows() {
        Strings texts;
        for (int r = 0; r < ui.rowCount(Ctl::exclusionList); ++r)
            texts.push_back(ui.cell(Ctl::exclusionList, r, 0));
        return texts;
    }
};

TEST_F(UserListsTest, PatternBoxWritesTheDescriptionOnlyForAPatternWithoutBlanks) {
    for (const char* unchanged : {"*.a b", ""}) {
        type(unchanged);
        EXPECT_EQ(ui.text(Ctl::addTypeDescriptionEdit), "Find *.bak files only");
    }
    type("*.tmp");
    EXPECT_EQ(ui.text(Ctl::addTypeDescriptionEdit), "Find *.tmp files only");
    type("*.a b");
    ui.click(Ctl::addTypeAddButton);  // a pattern with a blank adds nothing
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UserListsTest, AddingAKnownTypeSelectsItAndANewOneIsKept) {
    p.app.state.languageLines.assign(70, "x");
    p.app.state.languageLines[47] = "48=Dustvane";
    p.app.state.languageLines[69] = "70=Known";
    const int stored = ui.comboCount(Ctl::patternSetCombo);
    type("*.BAK");
    ui.click(Ctl::addTypeAddButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Known");
    EXPECT_EQ(ui.messages[0].title, "Dustvane");
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, ui.comboSelection(Ctl::patternSetCombo)),
              "Find *.bak files only");
    EXPECT_EQ(ui.comboCount(Ctl::patternSetCombo), stored);
    EXPECT_FALSE(p.fs.exists(kFilesTxt));

    p.fs.addFile(kFilesTxt, "Find *.one files only");  // edited by hand: no line end
    for (const char* pattern : {"*.zzz", "*.yyy"}) {
        type(pattern);
        ui.click(Ctl::addTypeAddButton);
    }
    EXPECT_EQ(ui.comboCount(Ctl::patternSetCombo), stored + 2);
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored + 1), "Find *.yyy files only");
    EXPECT_EQ(p.fs.content(kFilesTxt),
              "Find *.one files only\r\nFind *.zzz files only\r\nFind *.yyy files only\r\n");
    EXPECT_EQ(ui.messages.back().text, "OK");
    EXPECT_EQ(ui.messages.back().title, "Info.");

    p.fs.writeBudget = 0;  // the item stays for this run; no message claims it was kept
    type("*.xxx");
    ui.click(Ctl::addTypeAddButton);
    EXPECT_EQ(ui.comboCount(Ctl::patternSetCombo), stored + 3);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(UserListsTest, AddRemovesTheTickedRowsKeepingTheOthersInOrder) {
    p.fs.addFile(kExcluded, "C:\\a\r\nC:\\b\r\n\r\nC:\\c\r\nC:\\d\r\nC:\\e");
    ui.openModal(Ctl::ExclusionListWindow);
    ASSERT_EQ(rows(), (Strings{"C:\\a", "C:\\b", "C:\\c", "C:\\d", "C:\\e"}));
    ui.setTicked(Ctl::exclusionList, 1, true);
    ui.setTicked(Ctl::exclusionList, 3, true);
    ui.click(Ctl::exclusionAddButton);
    EXPECT_EQ(p.fs.content(kExcluded), "C:\\a\r\nC:\\c\r\nC:\\e");
    EXPECT_EQ(rows(), (Strings{"C:\\a", "C:\\c", "C:\\e"}));
    EXPECT_TRUE(p.shell.fileAnswers.empty());

    // Nothing ticked: a file is chosen, added last in the window and first in the file.
    p.shell.fileAnswers = {"C:\\x\\a.tmp", "c:\\X\\A.TMP", ""};
    for (int i = 0; i < 3; ++i) ui.click(Ctl::exclusionAddButton);
    EXPECT_EQ(rows(), (Strings{"C:\\a", "C:\\c", "C:\\e", "C:\\x\\a.tmp"}));
    EXPECT_EQ(p.fs.content(kExcluded), "C:\\x\\a.tmp\r\nC:\\a\r\nC:\\c\r\nC:\\e");

    // The added path is the file's first line but the last row: ticking it removes it.
    ui.setTicked(Ctl::exclusionList, 3, true);
    ui.click(Ctl::exclusionAddButton);
    EXPECT_EQ(p.fs.content(kExcluded), "C:\\a\r\nC:\\c\r\nC:\\e");
}

TEST_F(UserListsTest, TheListFileIsNeverLeftShortOrEmpty) {
    struct Case {
        const char* name;
        void (*breakIt)(FakeFileSystem&);
    };
    const Case cases[] = {
        {"unreadable",
         [](FakeFileSystem& fs) { fs.unreadable.insert(FakeFileSystem::fold(kExcluded)); }},
        {"short write", [](FakeFileSystem& fs) { fs.writeBudget = 5; }},
        {"replace refused", [](FakeFileSystem& fs) { fs.failReplace = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform fresh;
        fresh.fs.addFile(kExcluded, "C:\\a\r\nC:\\b");
        fresh.ui.openModal(Ctl::ExclusionListWindow);
        c.breakIt(fresh.fs);
        EXPECT_FALSE(prependExclusion(fresh.app, kExcluded, "C:\\new"));
        fresh.ui.setTicked(Ctl::exclusionList, 0, true);
        fresh.ui.click(Ctl::exclusionAddButton);
        EXPECT_EQ(fresh.fs.content(kExcluded), "C:\\a\r\nC:\\b");
        EXPECT_FALSE(fresh.fs.exists(std::string(kExcluded) + ".new"));
    }
    FakePlatform fresh;
    EXPECT_TRUE(prependExclusion(fresh.app, kExcluded, "C:\\first"));  // created when missing
    EXPECT_TRUE(prependExclusion(fresh.app, kExcluded, "C:\\second"));
    EXPECT_EQ(fresh.fs.content(kExcluded), "C:\\second\r\nC:\\first");
}

}  // namespace
}  // namespace dv
