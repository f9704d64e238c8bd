#include "cleanup/Recovery.h"

#include "cleanup/CopyList.h"
#include "cleanup/DeleteCommands.h"
#include "tests/unit/cleanup/CleanupFixture.h"

namespace dv {
namespace {

class RecoveryTest : public CleanupTest {
protected:
    const std::string folder = "C:\\Dustvane\\BackFile\\";

    // Backs files up through the backup mode, as the user would.
    void backUp(const std::vector<std::string>& paths) {
        useMode(Ctl::backupModeRadio);
        for (const auto& path : paths) listFile(path, "content of " + path);
        deleteAllRows(app);
    }
    std::string recordOf(const std::string& path, const std::string& content) {
        BackupRecord record;
        record.sourcePath = path;
        record.creationTime = record.lastAccessTime = record.lastWriteTime =
            systemTimeOf(fileTimeOf(2011, 1, 2));
        record.content = content;
        return serializeBackupRecord(record);
    }
    // A copy in the backup folder that this installation's copy list names.
    void ownCopy(const std::string& name, const std::string& path, const std::string& bytes) {
        p.fs.addFile(folder + name, bytes);
        ASSERT_TRUE(noteCopy(app, CopyEntry{name, path}));
    }
};

TEST_F(RecoveryTest, RestoresContentTimesAndAttributes) {
    p.fs.addFile("C:\\t\\a.tmp", "alpha", kAttrReadOnly | kAttrHidden | kAttrArchive);
    FileTime c = fileTimeOf(2005, 1, 2, 3, 4, 5, 600), a = fileTimeOf(2006, 7, 8),
             w = fileTimeOf(2007, 9, 10, 11, 12, 13, 140);
    p.fs.setTimes("C:\\t\\a.tmp", c, a, w);
    addRow("C:\\t\\a.tmp", "5");
    setBackupFolder(folder);
    useMode(Ctl::backupModeRadio);
    deleteAllRows(app);
    ASSERT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
    p.fs.addFile("C:\\t\\other.txt", "x");

    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), "alpha");
    const auto* restored = p.fs.node("C:\\t\\a.tmp");
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->attributes, kAttrReadOnly | kAttrHidden | kAttrArchive);
    EXPECT_EQ(restored->creation, c);
    EXPECT_EQ(restored->lastAccess, a);
    EXPECT_EQ(restored->lastWrite, w);
    EXPECT_TRUE(p.fs.childNames(folder).empty());
    EXPECT_EQ(p.fs.childNames("C:\\t"), (std::vector<std::string>{"other.txt", "a.tmp"}));
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\FilePath.dat"));
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\BackupCopies.dat"));
    EXPECT_FALSE(regExists(app, kUsers, kSaveFilePathItem));
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(lastMessage(), "K64");

    recoverAll(app);
    EXPECT_EQ(lastMessage(), "You have not backed up the file(s) before delete the file(s)");
}

TEST_F(RecoveryTest, KeepsANewerFileAndRecordsItCannotRestore) {
    setBackupFolder(folder);
    backUp({"C:\\t\\a.tmp"});
    p.fs.addFile("C:\\t\\a.tmp", "newer", kAttrReadOnly | kAttrHidden);
    p.fs.addFile("C:\\t\\a (restored).tmp", "the user's too");
    ownCopy("b.tmp.dak", "C:\\nowhere\\b.tmp", recordOf("C:\\nowhere\\b.tmp", "b"));

    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), "newer");
    EXPECT_EQ(p.fs.attributes("C:\\t\\a.tmp"), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(p.fs.content("C:\\t\\a (restored).tmp"), "the user's too");
    EXPECT_EQ(p.fs.content("C:\\t\\a (restored 2).tmp"), "content of C:\\t\\a.tmp");
    EXPECT_EQ(p.fs.attributes("C:\\t\\a (restored 2).tmp"), kAttrArchive);
    EXPECT_FALSE(p.fs.exists("C:\\nowhere"));
    EXPECT_EQ(p.fs.childNames(folder), (std::vector<std::string>{"b.tmp.dak"}));
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\BackupCopies.dat"), "b.tmp.dak\tC:\\nowhere\\b.tmp\r\n");
    EXPECT_EQ(lastMessage(), "K64");
}

TEST_F(RecoveryTest, LeavesEveryFileThatIsNotAnExactRecord) {
    setBackupFolder(folder);
    backUp({"C:\\t\\1.tmp", "C:\\t\\2.tmp", "C:\\u\\3.tmp"});
    const std::string parses = recordOf("C:\\t\\victim.txt", "overwritten");
    ownCopy("notes.txt", "C:\\t\\victim.txt", parses);          // foreign name
    ownCopy("long.dak", "C:\\t\\victim.txt", parses + "tail");  // longer than its record
    ownCopy("short.dak", "C:\\t\\victim.txt", parses.substr(0, parses.size() - 1));
    // Exact, but another installation's copy for the same path: the copy list never named it.
    p.fs.addFile(folder + "1.tmp(2).dak", recordOf("C:\\t\\1.tmp", "theirs"));

    recoverAll(app);
    for (const char* name : {"1.tmp", "2.tmp"})
        EXPECT_EQ(p.fs.content(std::string("C:\\t\\") + name),
                  std::string("content of C:\\t\\") + name);
    EXPECT_TRUE(p.fs.exists("C:\\u\\3.tmp"));
    EXPECT_TRUE(p.fs.movedUnflushed.empty()) << "a file named before its content was on the disk";
    EXPECT_FALSE(p.fs.exists("C:\\t\\victim.txt"));
    EXPECT_EQ(p.fs.childNames(folder),
              (std::vector<std::string>{"notes.txt", "long.dak", "short.dak", "1.tmp(2).dak"}));
    EXPECT_EQ(lastMessage(), "K64");
}

TEST_F(RecoveryTest, RecordSurvivesAFailedRestore) {
    setBackupFolder(folder);
    ownCopy("a.tmp.dak", "C:\\t\\a.tmp", recordOf("C:\\t\\a.tmp", std::string(4000, 'a')));
    p.fs.addFolder("C:\\t");
    p.fs.writeBudget = 100;
    recoverAll(app);
    EXPECT_TRUE(p.fs.childNames("C:\\t").empty()) << "nothing half written";
    EXPECT_EQ(p.fs.content(folder + "a.tmp.dak"), recordOf("C:\\t\\a.tmp", std::string(4000, 'a')));

    // The content found in place, as a run stopped after the move leaves it, but its times
    // refused (another program holds the file): the record stays too.
    p.fs.writeBudget = -1;
    setBackupFolder(folder);
    p.fs.addFile("C:\\t\\a.tmp", std::string(4000, 'a'));
    const FileTime kept = fileTimeOf(2011, 1, 2);
    p.fs.setTimes("C:\\t\\a.tmp", kept, kept, kept);
    std::unique_ptr<File> held = p.fs.open("C:\\t\\a.tmp", OpenMode::ReadExisting);
    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), std::string(4000, 'a'));
    EXPECT_EQ(p.fs.childNames("C:\\t"), (std::vector<std::string>{"a.tmp"}));
    EXPECT_TRUE(p.fs.exists(folder + "a.tmp.dak"));
}

TEST_F(RecoveryTest, FileBackedUpTwiceComesBackAsItWasLast) {
    setBackupFolder(folder);
    p.fs.defaultTime = fileTimeOf(2015, 1, 1);
    backUp({"C:\\t\\a.tmp"});
    p.fs.defaultTime = fileTimeOf(2016, 1, 1);
    useMode(Ctl::backupModeRadio);
    listFile("C:\\t\\a.tmp", "second version");
    deleteAllRows(app);
    ASSERT_TRUE(p.fs.exists(folder + "a.tmp(2).dak"));

    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), "second version");
    EXPECT_EQ(p.fs.childNames(folder), (std::vector<std::string>{"a.tmp.dak"}));
}

TEST_F(RecoveryTest, NeverWritesOverAnotherRecord) {
    setBackupFolder(folder);
    ownCopy("a.dak", folder + "b.dak", recordOf(folder + "b.dak", "evil"));
    ownCopy("b.dak", "C:\\t\\b.tmp", recordOf("C:\\t\\b.tmp", "good"));
    p.fs.addFolder("C:\\t");
    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\b.tmp"), "good");
    EXPECT_EQ(p.fs.childNames(folder), (std::vector<std::string>{"a.dak"}));
}

TEST_F(RecoveryTest, ACopyAnotherRecoveryHoldsIsPassedOver) {
    setBackupFolder(folder);
    backUp({"C:\\t\\a.tmp"});
    std::unique_ptr<File> held = p.fs.open(folder + "a.tmp.dak", OpenMode::ReadClaimed);
    recoverAll(app);
    EXPECT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
    held.reset();
    EXPECT_TRUE(p.fs.exists(folder + "a.tmp.dak"));
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\BackupCopies.dat"), "a.tmp.dak\tC:\\t\\a.tmp\r\n");
    EXPECT_EQ(p.ui.messages.size(), 1u);
}

TEST_F(RecoveryTest, NoRecoveryInTheMiddleOfABackupRun) {
    setBackupFolder(folder);
    useMode(Ctl::backupModeRadio);
    listFile("C:\\t\\a.tmp", "precious");
    p.ui.atProcessCall(1, [&] { recoverAll(app); });  // the file backed up, the run not yet ended
    deleteAllRows(app);
    EXPECT_FALSE(p.fs.exists("C:\\t\\a.tmp"));
    BackupRecord record;
    ASSERT_TRUE(parseBackupRecord(p.fs.content(folder + "a.tmp.dak"), record));
    EXPECT_EQ(record.content, "precious");
    EXPECT_TRUE(regExists(app, kUsers, kSaveFilePathItem));
}

TEST_F(RecoveryTest, ListedRecordsCannotBeDeletedDuringRecovery) {
    setBackupFolder(folder);
    backUp({"C:\\t\\a.tmp"});
    useMode(Ctl::permanentModeRadio);
    p.ui.atProcessCall(p.ui.processCalls + 2, [&] { deleteAllRows(app); });
    recoverAll(app);
    EXPECT_EQ(p.fs.content("C:\\t\\a.tmp"), "content of C:\\t\\a.tmp");
}

TEST_F(RecoveryTest, RefusalsAndEmptyFolder) {
    app.state.searchFinished = 0;
    p.ui.setEnabled(Ctl::startSearchButton, false);
    setBackupFolder(folder);
    recoverAll(app);
    EXPECT_EQ(lastMessage(), "K63");

    app.state.searchFinished = 1;
    addRow("C:\\t\\a.tmp", "1");
    p.fs.addFile("C:\\Dustvane\\FilePath.dat", "C:\\t\\a.tmp\r\n");
    recoverAll(app);  // empty folder: list emptied, nothing else
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(p.ui.messages.size(), 1u);
    EXPECT_TRUE(p.fs.exists("C:\\Dustvane\\FilePath.dat"));
    EXPECT_TRUE(regExists(app, kUsers, kSaveFilePathItem));
}

TEST_F(RecoveryTest, ListsRecordsWithTheirSizeAndDate) {
    setBackupFolder("C:\\Dustvane\\BackFile");
    ownCopy("a.tmp.dak", "C:\\t\\a.tmp", recordOf("C:\\t\\a.tmp", "abc"));
    p.fs.addFile(folder + "b.tmp.dak", recordOf("C:\\t\\b.tmp", "not ours"));
    p.fs.setTimes(folder + "a.tmp.dak", 0, 0, fileTimeOf(2010, 3, 8, 14, 5, 9));
    std::vector<std::string> seen;
    p.ui.atProcessCall(2, [&] { seen = p.ui.rowTexts(Ctl::resultList); });
    recoverAll(app);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "a.tmp.dak | a.tmp.dak | 70 | 3/8/2010 14:5:9 | " + folder + "a.tmp.dak");
}

}  // namespace
}  // namespace dv
