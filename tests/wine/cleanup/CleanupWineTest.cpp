// Backup, delete, recovery and the Recycle Bin on the real file system and registry.
#include <algorithm>

#include "cleanup/BackupStore.h"
#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "tests/wine/RunFolder.h"
#include "tests/wine/cleanup/CleanupWineEnv.h"

namespace dv::winetest {
namespace {

TEST_F(CleanupWine, RecoveryBringsBackContentAttributesAndTimes) {
    const std::string path = file(files + "report.tmp", std::string("data\0more", 9));
    FILETIME c = fileTimeOf(2004, 2, 29, 23, 59, 58, 120), a = fileTimeOf(2008, 7, 1, 6, 0, 0, 0),
             w = fileTimeOf(2009, 12, 6, 14, 5, 9, 250);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(h, &c, &a, &w));
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                     FILE_ATTRIBUTE_ARCHIVE));
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));

    const std::string folder = root + "\\saved\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    backUp({path}, folder);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"report.tmp.dak"});
    EXPECT_EQ(wholeFile(base + "\\FilePath.dat"), path + "\r\n");
    EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 0K62");  // 9 bytes

    recoverAll(app);
    WIN32_FILE_ATTRIBUTE_DATA after = {};  // before reading, which may touch the access time
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(wholeFile(path), std::string("data\0more", 9));
    EXPECT_EQ(after.dwFileAttributes & 0x27, before.dwFileAttributes & 0x27);
    EXPECT_TRUE(after.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(after.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ticksOf(after.ftLastWriteTime), ticksOf(w));
    EXPECT_EQ(ticksOf(after.ftLastAccessTime), ticksOf(a));
    // Wine keeps no creation time of its own and reports the last-write time instead.
    EXPECT_EQ(ticksOf(after.ftCreationTime), ticksOf(before.ftCreationTime));
    EXPECT_TRUE(namesIn(folder).empty());
    EXPECT_FALSE(exists(base + "\\FilePath.dat"));
    EXPECT_FALSE(regExists(app, kUsers, kSaveFilePathItem));
    EXPECT_EQ(p.ui.messageTexts(), std::vector<std::string>{"K64"});

    recoverAll(app);
    EXPECT_EQ(p.ui.messages.back().text, "You have not backed up the file(s) before delete the file(s)");
}

TEST_F(CleanupWine, RestoreKeepsANewerFileAndWhatItCannotRestore) {
    const std::string sub = files + "sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string a = file(files + "a.tmp", "old a");
    const std::string b = file(sub + "\\b.tmp", "old b");
    const std::string folder = base + "\\BackFile";  // the default, stored without "\"
    backUp({a, b}, folder);
    ASSERT_FALSE(exists(a));
    ASSERT_TRUE(RemoveDirectoryA(sub.c_str()));
    file(a, "a newer file");
    SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    recoverAll(app);
    EXPECT_EQ(wholeFile(a), "a newer file");
    EXPECT_EQ(GetFileAttributesA(a.c_str()) & 0x7, DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(wholeFile(files + "a (restored).tmp"), "old a");
    EXPECT_EQ(namesIn(files).size(), 2u) << "nothing else was written there";
    EXPECT_EQ(namesIn(folder + "\\"), std::vector<std::string>{"b.tmp.dak"});
    EXPECT_EQ(p.ui.messages.back().text, "K64");
}

TEST_F(CleanupWine, ThreeRecordsAndAStrangerInTheFolder) {
    const std::string folder = base + "\\BackFile\\";
    std::vector<std::string> paths;
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"})
        paths.push_back(file(files + name, std::string("file ") + name));
    backUp(paths, folder);
    const std::string stranger("C:\\x\0tiny", 9);  // starts like a record, is none
    file(folder + "readme.txt", stranger);
    EXPECT_EQ(namesIn(folder).size(), 4u);

    recoverAll(app);
    for (const auto& path : paths) EXPECT_EQ(wholeFile(path), "file " + path.substr(files.size()));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"readme.txt"});
    EXPECT_EQ(wholeFile(folder + "readme.txt"), stranger);
    EXPECT_EQ(p.ui.messageTexts(), std::vector<std::string>{"K64"});
}

TEST_F(CleanupWine, SameNamedFilesKeepTwoCopies) {
    CreateDirectoryA((files + "one").c_str(), nullptr);
    CreateDirectoryA((files + "two").c_str(), nullptr);
    const std::string one = file(files + "one\\a.tmp", "first");
    const std::string two = file(files + "two\\a.tmp", "second");
    const std::string folder = base + "\\BackFile\\";
    backUp({one, two}, folder);
    auto names = namesIn(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.tmp(2).dak", "a.tmp.dak"}));
    EXPECT_EQ(wholeFile(base + "\\FilePath.dat"), two + "\r\n" + one + "\r\n");

    recoverAll(app);
    EXPECT_EQ(wholeFile(one), "first");
    EXPECT_EQ(wholeFile(two), "second");
    EXPECT_TRUE(namesIn(folder).empty());
}

TEST_F(CleanupWine, FilesWithoutACopyStay) {
    const std::string locked = file(files + "locked.tmp", "in use");
    const std::string plain = file(files + "plain.tmp", "plain");
    HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    backUp({locked}, base + "\\BackFile\\");
    CloseHandle(h);
    backUp({plain}, root + "\\no such folder\\");

    EXPECT_EQ(wholeFile(locked), "in use");
    EXPECT_EQ(wholeFile(plain), "plain");
    EXPECT_TRUE(p.ui.rows(Ctl::resultList).empty());
    EXPECT_TRUE(namesIn(base + "\\BackFile\\").empty());
    EXPECT_FALSE(exists(base + "\\FilePath.dat"));
}

TEST_F(CleanupWine, RecycleBinModeAndAutoEmpty) {
    const std::string a = file(files + "bin_a.tmp", std::string(1572864, 'a'));
    mode(Ctl::recycleModeRadio);
    list(a);
    deleteAllRows(app);
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 1.5K62");
    const std::string inTrash = trashFile("bin_a.tmp");
    if (inTrash.empty()) GTEST_SKIP() << "no Unix trash folder to look into";
    EXPECT_EQ(wholeFile(inTrash), std::string(1572864, 'a'));

    const std::string b = file(files + "bin_b.tmp", "b");
    p.ui.setChecked(Ctl::autoEmptyRecycleCheck, true);
    list(b);
    deleteAllRows(app);
    EXPECT_FALSE(exists(b));
    EXPECT_FALSE(exists(inTrash));
    EXPECT_FALSE(exists(trashFile("bin_b.tmp")));
}

}  // namespace
}  // namespace dv::winetest
