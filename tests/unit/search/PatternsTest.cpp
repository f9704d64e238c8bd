#include <gtest/gtest.h>

#include "search/ListFile.h"
#include "search/Patterns.h"
#include "tests/fakes/FakePlatform.h"
#include "text/LineText.h"
#include "text/Text.h"

namespace dv {
namespace {

using Strings = std::vector<std::string>;

std::vector<std::string> patternsOf(FakePlatform& p, int selection) {
    p.ui.setComboSelection(Ctl::patternSetCombo, selection);
    buildSearchPatterns(p.app);
    return p.app.state.searchPatterns;
}

TEST(Patterns, SetsGiveTheirPatternsInOrder) {
    FakePlatform p;
    Strings set0 = patternsOf(p, 0);
    ASSERT_EQ(81u, set0.size());
    EXPECT_EQ("*.??$", set0.front());
    EXPECT_EQ("schedule.bak", set0.back());
    EXPECT_EQ(35u, patternsOf(p, 1).size());
    EXPECT_EQ(26u, patternsOf(p, 2).size());
    EXPECT_EQ((Strings{"*.??$", "*.?$?", "*.~*", "*.bak", "chklist.*", "*.chk", "*.gid", "*.old",
                       "*.tmp", "mscreate.dir"}),
              patternsOf(p, 3));
    EXPECT_EQ(p.ui.comboItem(Ctl::patternSetCombo, 3), p.ui.text(Ctl::patternSetCombo));
    EXPECT_EQ(Strings{"*.bak"}, patternsOf(p, 9));
    // Every pattern of the three sets is one of the single types.
    for (int s = 1; s <= 3; ++s)
        for (const std::string& pattern : patternsOf(p, s)) {
            bool found = false;
            for (const std::string& single : set0) found |= strcasecmp(single.c_str(), pattern.c_str()) == 0;
            EXPECT_TRUE(found) << pattern;
        }
}

TEST(Patterns, UserTypesFromFilesTxtJoinSetZero) {
    FakePlatform p;
    p.fs.addFile("C:\\Dustvane\\Files.txt", "Find *.abc files only\r\n\r\nNoBlank\r\nFind *.xyz files only\r\n");
    loadUserJunkTypes(p.app);
    ASSERT_EQ(89, p.ui.comboCount(Ctl::patternSetCombo));
    EXPECT_EQ("Find Garbage Files SET 0(Includes 81 Types)", p.ui.comboItem(Ctl::patternSetCombo, 0));
    Strings set0 = patternsOf(p, 0);
    ASSERT_EQ(83u, set0.size());  // the item without a blank adds nothing
    EXPECT_EQ("*.abc", set0[81]);
    EXPECT_EQ("*.xyz", set0[82]);
    EXPECT_TRUE(patternsOf(p, 87).empty());
}

TEST(Patterns, DriveRoots) {
    FakePlatform p;
    ASSERT_EQ(25, p.ui.comboCount(Ctl::driveCombo));
    p.ui.setComboSelection(Ctl::driveCombo, 0);
    Strings all = searchRoots(p.app);
    ASSERT_EQ(24u, all.size());
    EXPECT_EQ("C:\\", all.front());
    EXPECT_EQ("Z:\\", all.back());
    p.ui.setComboSelection(Ctl::driveCombo, 4);
    EXPECT_EQ(Strings{"F:\\"}, searchRoots(p.app));
    // "All Hard Drive" keeps to fixed and RAM disks; F: on its own is searched anyway.
    const DriveKind kinds[] = {DriveKind::None,    DriveKind::Removable, DriveKind::Network,
                               DriveKind::Optical, DriveKind::Unknown,   DriveKind::RamDisk};
    for (char letter = 'D'; letter <= 'I'; ++letter)
        p.system.driveKinds[std::string(1, char(letter + 32)) + ":\\"] = kinds[letter - 'D'];
    EXPECT_EQ(Strings{"F:\\"}, searchRoots(p.app));
    p.ui.setComboSelection(Ctl::driveCombo, 0);
    all = searchRoots(p.app);
    ASSERT_EQ(19u, all.size());
    EXPECT_EQ((Strings{"C:\\", "I:\\", "J:\\"}), Strings(all.begin(), all.begin() + 3));
}

TEST(Patterns, SplittingNeverCutsADoubleByteCharacter) {
    EXPECT_EQ((Strings{"a", "", "b"}), splitText("a;;b;", ';'));
    EXPECT_EQ((Strings{"a", "b"}), splitText("a;b;c", ';', 2));
    EXPECT_EQ(Strings{}, splitText("", ';'));
    const std::string kanji = "\x95\x5c";  // trail byte is a backslash
    EXPECT_EQ((Strings{"x" + kanji + "y", "z"}), splitText("x" + kanji + "y\\z", '\\'));
    EXPECT_EQ("*.bak", patternOfItem("Find *.bak files only"));
    EXPECT_EQ(kanji + "*.tmp", patternOfItem("Find " + kanji + "*.tmp files only"));
    EXPECT_EQ("", patternOfItem("NoBlank"));
    EXPECT_EQ("", patternOfItem("Find "));
}

TEST(ListFile, LineRules) {
    EXPECT_EQ((Strings{"a", "b", "c"}), splitListLines("a\r\n\r\nb\nc"));
    EXPECT_EQ((Strings{"a"}), splitListLines("a\r\n\x1a" "b\r\n"));
    EXPECT_EQ((Strings{"a", "b"}), splitListLines(std::string("a\nb\0c\0", 6)));
    // A double-byte character whose trail byte is a backslash stays whole; a high byte
    // before CR LF is not mistaken for a lead byte.
    EXPECT_EQ((Strings{"C:\\\x95\x5c\\a.tmp", "caf\xe9"}), splitListLines("C:\\\x95\x5c\\a.tmp\r\ncaf\xe9\r\n"));
}

TEST(ListFile, LoadReplacesTheListAndSurvivesMissingFiles) {
    FakePlatform p;
    Strings lines{"old"};
    loadListFile(p.app, "C:\\Dustvane\\noscfile.dat", lines);
    EXPECT_TRUE(lines.empty());
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "C:\\x\\file" + std::to_string(i) + ".tmp\r\n";
    p.fs.addFile("C:\\Dustvane\\noscfile.dat", big);
    loadListFile(p.app, "C:\\Dustvane\\noscfile.dat", lines);
    ASSERT_EQ(20000u, lines.size());
    EXPECT_EQ("C:\\x\\file19999.tmp", lines.back());
    EXPECT_GE(p.ui.processCalls, 20000);
}

}  // namespace
}  // namespace dv
