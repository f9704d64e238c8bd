// Recovery over a backup folder holding, beside two good copies, files that are no copy or
// only part of one, and a garbage FilePath.dat: only the good copies are written back, to
// their own paths; everything else stays as it was, byte for byte.
#include <shlobj.h>

#include <map>
#include <random>

#include "cleanup/BackupStore.h"
#include "cleanup/CopyList.h"
#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "tests/wine/faults/FaultsWineEnv.h"

namespace dv::winetest {
namespace {

std::string randomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = char(random());
    return bytes;
}

// What is in a folder, name by name, with every file's bytes.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const uint64_t size = uint64_t(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow;
        out[name] = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "<folder>"
                    : size > (1u << 20) ? "<" + std::to_string(size) + " bytes>"
                                        : fileText(folder + name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

TEST_F(FaultsWine, RecoveryOverDamagedAndForeignFilesRestoresOnlyTheGoodCopies) {
    const std::string backup = filesFolder("backup"), others = filesFolder("others");
    const std::string r1 = file(files + "r1.tmp", "first"), r2 = file(files + "r2.tmp", "");
    backUp({r1, r2}, backup);
    ASSERT_EQ(namesIn(backup).size(), 2u);

    // A file some bad copy would land on; it must keep its content.
    const std::string target = file(others + "target.txt", "target stays");
    BackupRecord record;
    record.sourcePath = target;
    record.attributes = 0x20;
    record.creationTime = record.lastAccessTime = record.lastWriteTime = {2009, 12, 0, 6, 14, 5, 9, 250};
    record.content = "written over";
    const std::string good = serializeBackupRecord(record);
    std::string lengthLies = good;
    lengthLies[good.size() - record.content.size() - 1] = char(0x7F);  // length 0x7F00000C
    BackupRecord intoBackup = record;
    intoBackup.sourcePath = backup + "text.dak";
    // A good copy someone else put there, to run at every logon.
    char startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
    BackupRecord atLogon = record;
    atLogon.sourcePath = std::string(startup) + "\\updater.bat";

    const std::pair<const char*, std::string> damaged[] = {
        {"truncated.tmp.dak", good.substr(0, good.size() - 3)},
        {"oversized.tmp.dak", good + "extra bytes"},
        {"header-only.tmp.dak", good.substr(0, good.size() - record.content.size())},
        {"length-lies.tmp.dak", lengthLies},
        {"zero.tmp.dak", ""},
        {"foreign.dak", randomBytes(4096, 7)},
        {"text.dak", "C:\\boot.ini\r\nnot a copy\r\n"},
        {"into-backup-folder.dak", serializeBackupRecord(intoBackup)},
        {"good-but-not-a-copy-name.txt", good},
        {"updater.bat.dak", serializeBackupRecord(atLogon)},
    };
    // The copy list names every damaged file as a copy of the path it seems to hold; the
    // one for the Startup folder it does not, as this installation never made it.
    for (const auto& [name, bytes] : damaged) {
        file(backup + name, bytes);
        const std::string claimed = bytes == damaged[7].second ? intoBackup.sourcePath : target;
        if (bytes != damaged[9].second) ASSERT_TRUE(noteCopy(app, CopyEntry{name, claimed}));
    }
    ASSERT_TRUE(CreateDirectoryA((backup + "folder.dak").c_str(), nullptr));
    // 5 GiB of nothing behind a path: past what a copy can hold, and sparse.
    ASSERT_TRUE(makeSparseFile(backup + "huge.tmp.dak", 5ull << 30, target + std::string(1, '\0'), "end"));
    ASSERT_LT(diskBytes(backup + "huge.tmp.dak"), 1ull << 20);
    ASSERT_TRUE(noteCopy(app, CopyEntry{"huge.tmp.dak", target}));
    const std::string garbageIndex = randomBytes(10000, 11);
    file(base + "\\FilePath.dat", garbageIndex);

    auto backupBefore = snapshot(backup), othersBefore = snapshot(others), progBefore = snapshot(base + "\\");
    for (const char* name : {"r1.tmp.dak", "r2.tmp.dak"}) backupBefore.erase(name);
    progBefore.erase("FilePath.dat");
    progBefore.erase("BackupCopies.dat");

    recoverAll(app);
    EXPECT_EQ(wholeFile(r1), "first");
    EXPECT_EQ(wholeFile(r2), "");
    EXPECT_EQ(snapshot(backup), backupBefore);
    EXPECT_EQ(snapshot(others), othersBefore);
    auto progAfter = snapshot(base + "\\");
    progAfter.erase("BackupCopies.dat");
    EXPECT_EQ(progAfter, progBefore);
    EXPECT_EQ(snapshot(files).size(), 4u) << "r1.tmp, r2.tmp, backup and others only";
    EXPECT_FALSE(exists(atLogon.sourcePath));
    DeleteFileA(atLogon.sourcePath.c_str());
    EXPECT_EQ(p.ui.messageTexts(), std::vector<std::string>{"K64"});
    EXPECT_TRUE(p.ui.rows(Ctl::resultList).empty());
}


// Restoring onto a drive without room for the copy: the file already at its path stays as
// it is, the copy stays in the backup folder, and the next copy is still restored.
TEST_F(FaultsWine, RestoreOntoAFullDriveKeepsTheFileAlreadyThere) {
    const std::string sized = sizedDrive();
    if (sized.empty()) GTEST_SKIP() << "no sized drive S: in this run (DV_SIZED_DRIVE_MB)";
    const std::string folderOnS = sized + "\\restore\\", backup = filesFolder("backup");
    ASSERT_TRUE(CreateDirectoryA(folderOnS.c_str(), nullptr));
    const std::string newer = randomBytes(1 << 20, 8);
    const std::string doc = file(folderOnS + "doc.txt", newer);
    const std::string filler = file(folderOnS + "filler.bin", std::string(6 << 20, 'f'));
    BackupRecord record;
    record.attributes = 0x20;
    record.creationTime = record.lastAccessTime = record.lastWriteTime = {2009, 12, 0, 6, 14, 5, 9, 250};
    record.sourcePath = doc;
    record.content = randomBytes(3 << 20, 9);
    file(backup + "doc.txt.dak", serializeBackupRecord(record));
    record.sourcePath = folderOnS + "small.txt";
    record.content = "small";
    file(backup + "small.txt.dak", serializeBackupRecord(record));
    // Copies of an earlier version, known by the paths FilePath.dat names.
    file(base + "\\FilePath.dat", doc + "\r\n" + record.sourcePath + "\r\n");
    regWriteBytes(app, kUsers, kSaveFilePathItem, backup);

    recoverAll(app);
    EXPECT_TRUE(fileText(doc) == newer) << "the file at the path was lost";
    EXPECT_EQ(wholeFile(folderOnS + "small.txt"), "small");
    EXPECT_EQ(namesIn(folderOnS).size(), 3u) << "nothing half written beside doc.txt";
    // FilePath.dat has gone; the copy list now names the copy still to be restored.
    EXPECT_EQ(wholeFile(base + "\\BackupCopies.dat"), "doc.txt.dak\t" + doc + "\r\n");
    EXPECT_EQ(namesIn(backup), std::vector<std::string>{"doc.txt.dak"});
    DeleteFileA(filler.c_str());
    removeTree(folderOnS.substr(0, folderOnS.size() - 1));
}

}  // namespace
}  // namespace dv::winetest
