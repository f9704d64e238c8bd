#include "cleanup/DeleteCommands.h"

#include "cleanup/BackupStore.h"
#include "tests/unit/cleanup/CleanupFixture.h"
#include "text/NumberText.h"

namespace dv {
namespace {

using DeleteCommandsTest = CleanupTest;

TEST(MegabyteText, RoundsToTwoDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(megabyteText(0), "0");
    EXPECT_EQ(megabyteText(1572864), "1.5");
    EXPECT_EQ(megabyteText(12845056), "12.25");
    EXPECT_EQ(megabyteText(1048576), "1");
    EXPECT_EQ(megabyteText(5243), "0.01");  // 0.005000305 rounds up
    EXPECT_EQ(megabyteText(5242), "0");     // 0.004999161 rounds down
    EXPECT_EQ(megabyteText(5ull << 40), "5242880");
}

TEST_F(DeleteCommandsTest, RecycleModeSendsEachPathBottomFirst) {
    useMode(Ctl::recycleModeRadio);
    listFile("C:\\t\\a.tmp", std::string(1000000, 'a'));
    listFile("C:\\t\\b.tmp", std::string(572864, 'b'));
    listFile("C:\\t\\c.tmp", "");
    deleteAllRows(app);

    ASSERT_EQ(p.shell.deleteCalls.size(), 3u);
    EXPECT_EQ(p.shell.deleteCalls[0].from, "C:\\t\\c.tmp");
    EXPECT_EQ(p.shell.deleteCalls[2].from, "C:\\t\\a.tmp");
    for (const auto& call : p.shell.deleteCalls) EXPECT_EQ(call.flags, 0x0454u);
    EXPECT_EQ(p.shell.trash.size(), 3u);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(label(), "K61 1.5K62");
    EXPECT_FALSE(p.ui.isVisible(Ctl::deleteAllButton));
    EXPECT_TRUE(p.ui.isVisible(Ctl::addGarbageTypeButton));
    EXPECT_TRUE(p.shell.emptyCalls.empty());
}

TEST_F(DeleteCommandsTest, RecycleFileRefusesWildcards) {
    EXPECT_FALSE(recycleFile(app, "C:\\t\\*.*", 7));
    EXPECT_FALSE(recycleFile(app, "", 7));
    EXPECT_TRUE(p.shell.deleteCalls.empty());
}

TEST_F(DeleteCommandsTest, PermanentModeClearsOnlyReadOnly) {
    useMode(Ctl::permanentModeRadio);
    listFile("C:\\t\\a.tmp", "x", kAttrReadOnly | kAttrHidden | kAttrArchive);
    p.ui.setChecked(Ctl::autoEmptyRecycleCheck, true);
    deleteAllRows(app);
    EXPECT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
    ASSERT_EQ(p.shell.emptyCalls.size(), 1u);
    EXPECT_EQ(p.shell.emptyCalls[0], 5u);

    // A file that cannot be deleted keeps its read-only bit.
    listFile("C:\\t\\b.tmp", "x", kAttrReadOnly | kAttrHidden);
    p.fs.undeletable.insert(FakeFileSystem::fold("C:\\t\\b.tmp"));
    deleteAllRows(app);
    EXPECT_EQ(p.fs.attributes("C:\\t\\b.tmp"), kAttrReadOnly | kAttrHidden);
}

TEST_F(DeleteCommandsTest, TotalCountsOnlyFilesReallyRemoved) {
    useMode(Ctl::permanentModeRadio);
    listFile("C:\\t\\kept.tmp", std::string(1048576, 'k'));
    listFile("C:\\t\\gone.tmp", std::string(2097152, 'g'));
    addRow("C:\\t\\never.tmp", "4194304");
    p.fs.undeletable.insert(FakeFileSystem::fold("C:\\t\\kept.tmp"));
    deleteAllRows(app);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(label(), "K61 2K62");

    // Sizes beyond 32 bits add up without wrapping.
    listFile("C:\\t\\big1.iso", "1");
    listFile("C:\\t\\big2.iso", "2");
    p.ui.setCell(Ctl::resultList, 0, kColSize, "3221225472");
    p.ui.setCell(Ctl::resultList, 1, kColSize, "3221225472");
    deleteAllRows(app);
    EXPECT_EQ(label(), "K61 6144K62");
}

TEST_F(DeleteCommandsTest, BackupModeKeepsEveryCopyAndIndexLine) {
    useMode(Ctl::backupModeRadio);
    // The list's last line was cut short by a stop; a file between the two cannot go.
    p.fs.addFile("C:\\Dustvane\\BackupCopies.dat", "old.dak\tC:\\old.tmp");
    listFile("C:\\one\\a.tmp", "first");
    listFile("C:\\held\\h.tmp", "held");
    p.fs.undeletable.insert(FakeFileSystem::fold("C:\\held\\h.tmp"));
    listFile("C:\\two\\a.tmp", "second");
    deleteAllRows(app);

    const std::string folder = "C:\\Dustvane\\BackFile\\";
    BackupRecord first, second;
    ASSERT_TRUE(parseBackupRecord(p.fs.content(folder + "a.tmp.dak"), second));
    ASSERT_TRUE(parseBackupRecord(p.fs.content(folder + "a.tmp(2).dak"), first));
    EXPECT_EQ(second.sourcePath, "C:\\two\\a.tmp");
    EXPECT_EQ(first.content, "first");
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\FilePath.dat"), "C:\\two\\a.tmp\r\nC:\\one\\a.tmp\r\n");
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\BackupCopies.dat"),
              "old.dak\tC:\\old.tmp\r\na.tmp.dak\tC:\\two\\a.tmp\r\na.tmp(2).dak\tC:\\one\\a.tmp\r\n");
    EXPECT_EQ(p.fs.content("C:\\held\\h.tmp"), "held");
    EXPECT_FALSE(p.fs.exists("C:\\one\\a.tmp"));
    EXPECT_FALSE(p.fs.exists("C:\\two\\a.tmp"));
}

TEST_F(DeleteCommandsTest, BackupModeKeepsAFileWhoseCopyFailed) {
    useMode(Ctl::backupModeRadio);
    setBackupFolder("C:\\Gone\\");
    listFile("C:\\t\\a.tmp", std::string(2097152, 'a'));
    deleteAllRows(app);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), std::string(2097152, 'a'));
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\FilePath.dat"));
    EXPECT_EQ(label(), "K61 0K62");

    // A file that cannot be deleted once copied keeps neither its copy nor an index line.
    setBackupFolder("C:\\Dustvane\\BackFile\\");
    listFile("C:\\t\\held.tmp", "held");
    p.fs.undeletable.insert(FakeFileSystem::fold("C:\\t\\held.tmp"));
    deleteAllRows(app);
    EXPECT_EQ(p.fs.content("C:\\t\\held.tmp"), "held");
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\BackFile\\held.tmp.dak"));
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\FilePath.dat"));
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\BackupCopies.dat"), "");

    // A copy the copy list cannot name would never be restored: its file stays.
    p.fs.removeTree("C:\\Dustvane\\BackupCopies.dat");
    p.fs.addFolder("C:\\Dustvane\\BackupCopies.dat");
    listFile("C:\\t\\b.tmp", "b");
    deleteAllRows(app);
    EXPECT_EQ(p.fs.content("C:\\t\\b.tmp"), "b");
    EXPECT_TRUE(p.fs.childNames("C:\\Dustvane\\BackFile").empty());
}

TEST_F(DeleteCommandsTest, ModeIsReadForEveryRow) {
    useMode(Ctl::permanentModeRadio);
    listFile("C:\\t\\a.tmp");
    listFile("C:\\t\\b.tmp");
    // The user switches to the Recycle Bin while the first file is handled.
    p.fs.addFile("C:\\big\\c.tmp", "c");
    addRow("C:\\big\\c.tmp", "1");
    useMode(Ctl::backupModeRadio);
    p.ui.atProcessCall(1, [&] { useMode(Ctl::recycleModeRadio); });
    deleteAllRows(app);
    EXPECT_TRUE(p.fs.exists("C:\\Dustvane\\BackFile\\c.tmp.dak"));
    EXPECT_EQ(p.shell.trash, (std::vector<std::string>{"C:\\t\\b.tmp", "C:\\t\\a.tmp"}));
}

TEST_F(DeleteCommandsTest, TickedRowsOnlyAreDeleted) {
    useMode(Ctl::permanentModeRadio);
    for (const char* name : {"1", "2", "3", "4", "5"})
        listFile(std::string("C:\\t\\") + name + ".tmp", std::string(524288, 'x'));
    for (int row : {0, 1, 3}) p.ui.setTicked(Ctl::resultList, row, true);
    p.ui.setChecked(Ctl::autoEmptyRecycleCheck, true);
    deleteTickedRows(app);

    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(p.ui.cell(Ctl::resultList, 0, kColName), "3.tmp");
    EXPECT_EQ(p.ui.cell(Ctl::resultList, 1, kColName), "5.tmp");
    EXPECT_TRUE(p.fs.exists("C:\\t\\3.tmp"));
    EXPECT_FALSE(p.fs.exists("C:\\t\\4.tmp"));
    EXPECT_EQ(p.shell.emptyCalls.size(), 3u);
    EXPECT_EQ(label(), "K61 1.5K62");
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST_F(DeleteCommandsTest, CurrentRowAndEmptyLists) {
    useMode(Ctl::permanentModeRadio);
    deleteTickedRows(app);
    EXPECT_TRUE(p.ui.messages.empty());
    deleteAllRows(app);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, "K60");
    EXPECT_EQ(p.ui.messages[0].title, "K48");

    listFile("C:\\t\\a.tmp", std::string(1048576, 'a'));
    listFile("C:\\t\\b.tmp");
    deleteCurrentRow(app);  // no current row
    EXPECT_EQ(rows(), 2);
    p.ui.setCurrentRow(Ctl::resultList, 0);
    deleteCurrentRow(app);
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
    EXPECT_EQ(label(), "K56 1K62");
}

TEST_F(DeleteCommandsTest, ResetRefusedDuringSearch) {
    listFile("C:\\t\\a.tmp");
    app.state.searchFinished = 0;
    p.ui.setEnabled(Ctl::startSearchButton, false);
    resetList(app);
    EXPECT_EQ(lastMessage(), "K63");
    EXPECT_EQ(rows(), 1);

    app.state.searchFinished = 1;
    p.ui.setVisible(Ctl::deleteAllButton, true);
    resetList(app);
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(p.fs.exists("C:\\t\\a.tmp"));
    EXPECT_EQ(label(), "K34");
    EXPECT_EQ(p.ui.text(Ctl::statisticsTitleLabel), "K54");
    EXPECT_EQ(p.ui.text(Ctl::currentFileLabel), "K31");
    EXPECT_TRUE(p.ui.isEnabled(Ctl::startSearchButton));
    EXPECT_FALSE(p.ui.isVisible(Ctl::deleteAllButton));
}

}  // namespace
}  // namespace dv
