#include "cleanup/PlainFile.h"

#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "tests/unit/cleanup/CleanupFixture.h"

namespace dv {
namespace {

TEST(PlainFile, OnlyAPlainFileThroughPlainFoldersPasses) {
    FakeFileSystem fs;
    fs.addFile("C:\\t\\plain.tmp");
    fs.addFolder("C:\\t\\folder.tmp");
    fs.addFile("C:\\t\\link.tmp", "", kAttrArchive | kAttrReparsePoint);
    fs.addFolder("C:\\t\\junction", kAttrDirectory | kAttrReparsePoint);
    fs.addFile("C:\\t\\junction\\behind.tmp");
    fs.addFile("C:\\t\\\x95\\\\x.tmp");  // a double-byte folder name ending in 0x5C
    fs.addFile("\\\\server\\share\\s.tmp");

    const struct {
        const char* path;
        PathKind kind;
    } cases[] = {
        {"C:\\t\\plain.tmp", PathKind::PlainFile},
        {"C:\\t\\\x95\\\\x.tmp", PathKind::PlainFile},
        {"\\\\server\\share\\s.tmp", PathKind::PlainFile},
        {"C:\\t\\folder.tmp", PathKind::NotPlain},
        {"C:\\t\\link.tmp", PathKind::NotPlain},
        {"C:\\t\\junction", PathKind::NotPlain},
        {"C:\\t\\junction\\behind.tmp", PathKind::NotPlain},
        {"C:\\t\\plain.tmp\\", PathKind::NotPlain},
        {"", PathKind::NotPlain},
        {"C:\\t\\vanished.tmp", PathKind::Missing},
        {"C:\\gone\\vanished.tmp", PathKind::NoFolder},
        {"C:\\t\\plain.tmp\\x.tmp", PathKind::NoFolder},
        {"C:\\t\\folder.tmp\\..\\plain.tmp", PathKind::NotPlain},
        {"C:\\t\\.\\plain.tmp", PathKind::NotPlain},
    };
    for (const auto& c : cases) EXPECT_EQ(lookUpPath(fs, c.path), c.kind) << c.path;
    // Folders within the trusted start are not looked at: a cleaner's own folder.
    EXPECT_EQ(lookUpPath(fs, "C:\\t\\junction\\behind.tmp", 13), PathKind::PlainFile);
    EXPECT_TRUE(isSafeWriteTarget(fs, "C:\\t\\vanished.tmp"));
    EXPECT_FALSE(isSafeWriteTarget(fs, "C:\\t\\junction\\new.tmp"));
    EXPECT_FALSE(isSafeWriteTarget(fs, "C:\\gone\\new.tmp"));
}

// After the search, one listed file became a folder holding a file, one a link to a folder,
// and the folder of a third a junction. Every mode leaves all three alone and keeps their
// rows; the plain file is removed and is all that counts.
TEST_F(CleanupTest, NoModeTouchesAPathThatIsNoLongerAPlainFile) {
    for (Ctl mode : {Ctl::recycleModeRadio, Ctl::permanentModeRadio, Ctl::backupModeRadio}) {
        SCOPED_TRACE(controlName(mode));
        FakePlatform fresh;
        p.fs = fresh.fs;
        p.shell.trash.clear();
        p.ui.clearRows(Ctl::resultList);
        listFile("C:\\t\\a.tmp", std::string(1048576, 'a'));
        addRow("C:\\t\\swap.tmp", "100");
        addRow("C:\\t\\link.tmp", "100");
        addRow("C:\\t\\deep\\x.tmp", "100");
        listFile("C:\\t\\b.tmp", std::string(1048576, 'b'));
        p.fs.addFile("C:\\t\\swap.tmp\\inside.doc", "mine");
        p.fs.addFolder("C:\\t\\link.tmp", kAttrDirectory | kAttrReparsePoint);
        p.fs.addFile("C:\\t\\link.tmp\\target.doc", "mine");
        p.fs.addFolder("C:\\t\\deep", kAttrDirectory | kAttrReparsePoint);
        p.fs.addFile("C:\\t\\deep\\x.tmp", "mine");
        useMode(mode);

        deleteAllRows(app);
        for (const char* kept : {"C:\\t\\swap.tmp\\inside.doc", "C:\\t\\link.tmp\\target.doc",
                                 "C:\\t\\deep\\x.tmp"})
            EXPECT_EQ(p.fs.content(kept), "mine") << kept;
        EXPECT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
        EXPECT_FALSE(p.fs.exists("C:\\t\\b.tmp"));
        ASSERT_EQ(rows(), 3);
        EXPECT_EQ(p.ui.cell(Ctl::resultList, 0, kColPath), "C:\\t\\swap.tmp");
        EXPECT_EQ(p.ui.cell(Ctl::resultList, 2, kColPath), "C:\\t\\deep\\x.tmp");
        EXPECT_EQ(label(), "K61 2K62");
        if (mode == Ctl::backupModeRadio) {
            EXPECT_EQ(p.fs.childNames("C:\\Dustvane\\BackFile"),
                      (std::vector<std::string>{"b.tmp.dak", "a.tmp.dak"}));
        }
        if (mode == Ctl::recycleModeRadio) {
            EXPECT_EQ(p.shell.trash, (std::vector<std::string>{"C:\\t\\b.tmp", "C:\\t\\a.tmp"}));
        }

        // Deleting the ticked rows steps over a kept row instead of trying it again.
        listFile("C:\\t\\c.tmp");
        for (int row = 0; row < rows(); ++row) p.ui.setTicked(Ctl::resultList, row, true);
        deleteTickedRows(app);
        EXPECT_EQ(rows(), 3);
        EXPECT_FALSE(p.fs.exists("C:\\t\\c.tmp"));
    }
    EXPECT_FALSE(recycleFile(app, "C:\\t\\link.tmp", 7));
}

TEST_F(CleanupTest, RecoveryNeverWritesThroughAFolderThatBecameAJunction) {
    useMode(Ctl::backupModeRadio);
    setBackupFolder("C:\\Dustvane\\BackFile\\");
    listFile("C:\\t\\sub\\a.tmp", "alpha");
    deleteAllRows(app);
    ASSERT_TRUE(p.fs.exists("C:\\Dustvane\\BackFile\\a.tmp.dak"));
    p.fs.removeTree("C:\\t\\sub");
    p.fs.addFolder("C:\\t\\sub", kAttrDirectory | kAttrReparsePoint);

    recoverAll(app);
    EXPECT_FALSE(p.fs.exists("C:\\t\\sub\\a.tmp"));
    EXPECT_TRUE(p.fs.exists("C:\\Dustvane\\BackFile\\a.tmp.dak"));
}

}  // namespace
}  // namespace dv
