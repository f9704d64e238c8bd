#include "cleanup/BackupStore.h"
#include "cleanup/CopyList.h"

#include "tests/unit/cleanup/CleanupFixture.h"

namespace dv {
namespace {

using BackupStoreTest = CleanupTest;

uint16_t word(const std::string& s, size_t at) {
    return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}

TEST_F(BackupStoreTest, EmptySourceGivesA65ByteRecord) {
    p.fs.addFile("C:\\a.tmp", "", kAttrArchive | kAttrReadOnly);
    FileTime written = fileTimeOf(2009, 12, 6, 14, 5, 9, 250);
    p.fs.setTimes("C:\\a.tmp", fileTimeOf(2001, 2, 3, 4, 5, 6, 7), fileTimeOf(2002, 1, 1), written);
    ASSERT_TRUE(backupFile(app, "C:\\a.tmp", "C:\\Dustvane\\BackFile\\a.tmp.dak"));

    std::string r = p.fs.content("C:\\Dustvane\\BackFile\\a.tmp.dak");
    ASSERT_EQ(r.size(), 65u);
    EXPECT_EQ(r.substr(0, 9), std::string("C:\\a.tmp\0", 9));
    EXPECT_EQ(r.substr(9, 4), std::string("\x21\0\0\0", 4));
    const uint16_t creation[] = {2001, 2, 6, 3, 4, 5, 6, 7};
    const uint16_t lastWrite[] = {2009, 12, 0, 6, 14, 5, 9, 250};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(word(r, 13 + 2 * i), creation[i]) << i;
        EXPECT_EQ(word(r, 45 + 2 * i), lastWrite[i]) << i;
    }
    EXPECT_EQ(word(r, 29), 2002);
    EXPECT_EQ(r.substr(61), std::string(4, '\0'));
}

TEST_F(BackupStoreTest, TimesAreStoredInLocalTime) {
    p.system.utcOffsetMinutes = 60;
    p.fs.addFile("C:\\a.tmp", "abc");
    p.fs.setTimes("C:\\a.tmp", 0, 0, fileTimeOf(2010, 3, 8, 23, 30));
    ASSERT_TRUE(backupFile(app, "C:\\a.tmp", "C:\\Dustvane\\BackFile\\a.dak"));
    BackupRecord record;
    ASSERT_TRUE(parseBackupRecord(p.fs.content("C:\\Dustvane\\BackFile\\a.dak"), record));
    EXPECT_EQ(record.lastWriteTime.day, 9);
    EXPECT_EQ(record.lastWriteTime.hour, 0);
    EXPECT_EQ(record.content, "abc");
}

TEST_F(BackupStoreTest, ParseAcceptsOnlyExactRecords) {
    BackupRecord record;
    record.sourcePath = "D:\\work\\x.log";
    record.attributes = 0x23;
    record.creationTime = record.lastAccessTime = record.lastWriteTime =
        systemTimeOf(fileTimeOf(2012, 5, 6, 7, 8, 9));
    record.content = std::string("a\0b", 3);
    const std::string bytes = serializeBackupRecord(record);
    ASSERT_EQ(bytes.size(), record.sourcePath.size() + 57 + 3);

    BackupRecord back;
    ASSERT_TRUE(parseBackupRecord(bytes, back));
    EXPECT_EQ(back.sourcePath, record.sourcePath);
    EXPECT_EQ(back.attributes, 0x23u);
    EXPECT_EQ(back.content, record.content);

    EXPECT_FALSE(parseBackupRecord(bytes + "z", back));
    EXPECT_FALSE(parseBackupRecord(bytes.substr(0, bytes.size() - 1), back));
    EXPECT_FALSE(parseBackupRecord("", back));
    for (const char* path : {"", "\\\\srv\\share\\x", "x.log", "C:", "C:\\", "C:\\a*b", "1:\\x"}) {
        BackupRecord other = record;
        other.sourcePath = path;
        EXPECT_FALSE(parseBackupRecord(serializeBackupRecord(other), back)) << path;
    }
    std::string badMonth = bytes;
    badMonth[record.sourcePath.size() + 1 + 4 + 2] = 13;
    EXPECT_FALSE(parseBackupRecord(badMonth, back));
    std::string badAttributes = bytes;
    badAttributes[record.sourcePath.size() + 1] = char(0x80);
    EXPECT_FALSE(parseBackupRecord(badAttributes, back));
}

TEST_F(BackupStoreTest, FailedWriteLeavesNoPartialCopy) {
    p.fs.addFile("C:\\big.tmp", std::string(5000, 'q'));
    p.fs.writeBudget = 1000;
    EXPECT_FALSE(backupFile(app, "C:\\big.tmp", "C:\\Dustvane\\BackFile\\big.tmp.dak"));
    EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\BackFile\\big.tmp.dak"));
    EXPECT_EQ(p.fs.content("C:\\big.tmp"), std::string(5000, 'q'));
}

TEST_F(BackupStoreTest, RefusesWhatCannotBeKept) {
    p.fs.addFile("C:\\huge.iso", "start");
    p.fs.setReportedSize("C:\\huge.iso", 0x100000000ull);
    EXPECT_FALSE(backupFile(app, "C:\\huge.iso", "C:\\Dustvane\\BackFile\\huge.iso.dak"));
    p.fs.addFile("C:\\locked.tmp", "x");
    p.fs.unreadable.insert(FakeFileSystem::fold("C:\\locked.tmp"));
    EXPECT_FALSE(backupFile(app, "C:\\locked.tmp", "C:\\Dustvane\\BackFile\\locked.tmp.dak"));
    EXPECT_FALSE(backupFile(app, "C:\\missing.tmp", "C:\\Dustvane\\BackFile\\missing.tmp.dak"));
    p.fs.addFile("C:\\a.tmp", "x");
    EXPECT_FALSE(backupFile(app, "C:\\a.tmp", "C:\\NoSuchFolder\\a.tmp.dak"));
    EXPECT_FALSE(backupFile(app, "C:\\a.tmp", "c:\\A.TMP"));
    EXPECT_EQ(p.fs.content("C:\\a.tmp"), "x");
    EXPECT_TRUE(p.fs.childNames("C:\\Dustvane\\BackFile").empty());
    // A copy is only ever created, never written over.
    p.fs.addFile("C:\\Dustvane\\BackFile\\a.tmp.dak", "an earlier copy");
    EXPECT_FALSE(backupFile(app, "C:\\a.tmp", "C:\\Dustvane\\BackFile\\a.tmp.dak"));
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\BackFile\\a.tmp.dak"), "an earlier copy");
}

TEST_F(BackupStoreTest, CopyNamesNeverReplaceEarlierCopies) {
    const std::string folder = "C:\\Dustvane\\BackFile\\";
    p.fs.addFile("C:\\t\\a.tmp", "mine");
    p.fs.addFile(folder + "a.tmp.dak", "first");
    // Another program takes the free name a.tmp(2).dak in the moment before it is created.
    std::vector<std::string> tried;
    p.fs.beforeCreateNew = [&](const std::string& path) {
        tried.push_back(path);
        if (path == folder + "a.tmp(2).dak") p.fs.addFile(path, "theirs");
    };
    CopyNumbers numbers;
    NewCopy copy = makeNewCopy(app, folder, "a.tmp", "C:\\t\\a.tmp", numbers);
    ASSERT_TRUE(copy.file);
    EXPECT_EQ(copy.path, folder + "a.tmp(3).dak");
    EXPECT_EQ(p.fs.content(folder + "a.tmp.dak"), "first");
    EXPECT_EQ(p.fs.content(folder + "a.tmp(2).dak"), "theirs");
    EXPECT_FALSE(p.fs.open(copy.path, OpenMode::ReadExisting)) << "held until its file is gone";
    // The next copy of that name in the run starts after the names it found taken.
    tried.clear();
    p.fs.addFile("C:\\u\\A.TMP", "second");
    EXPECT_EQ(makeNewCopy(app, folder, "A.TMP", "C:\\u\\A.TMP", numbers).path, folder + "A.TMP(4).dak");
    EXPECT_EQ(tried, (std::vector<std::string>{folder + "A.TMP(4).dak"}));
}

TEST_F(BackupStoreTest, FolderChoiceAndResolution) {
    EXPECT_EQ(resolveBackupFolder(app), "C:\\Dustvane\\BackFile");
    useBackupMode(app);  // dialog cancelled
    EXPECT_EQ(regReadBytes(app, kUsers, kSaveFilePathItem), "C:\\Dustvane\\BackFile");
    EXPECT_TRUE(p.ui.isVisible(Ctl::backupFolderButton));
    EXPECT_EQ(p.shell.folderTitles.back(), "Please select the folder...");

    p.shell.folderAnswers = {"C:\\Keep"};
    chooseBackupFolder(app);
    EXPECT_EQ(regReadBytes(app, kUsers, kSaveFilePathItem), "C:\\Keep\\");
    EXPECT_FALSE(p.ui.isVisible(Ctl::backupFolderButton));
    EXPECT_EQ(resolveBackupFolder(app), "C:\\Keep\\");

    p.shell.folderAnswers = {"D:\\", "\\"};
    EXPECT_EQ(askFolder(app), "D:\\");
    EXPECT_EQ(askFolder(app), "");

    setBackupFolder(std::string("E:\\Saved\0junk", 13));
    EXPECT_EQ(resolveBackupFolder(app), "E:\\Saved");
}

TEST_F(BackupStoreTest, IndexLinesAreAppended) {
    CopyListWriter notes(app);
    notes.index("C:\\a.tmp");
    notes.release();
    notes.index("C:\\a.tmp");
    EXPECT_EQ(p.fs.content("C:\\Dustvane\\FilePath.dat"), "C:\\a.tmp\r\nC:\\a.tmp\r\n");
}

}  // namespace
}  // namespace dv
