// The Win32 file system service on Wine's real files.
#include <map>

#include "tests/wine/shell/WineShellEnv.h"

namespace dv::winetest {
namespace {

using FileSystemWine = WineShellTest;

std::map<std::string, DirEntry> byName(const std::vector<DirEntry>& entries) {
    std::map<std::string, DirEntry> m;
    for (const auto& e : entries) m[e.name] = e;
    return m;
}

TEST_F(FileSystemWine, ListFolderReportsEveryEntryWithItsDetails) {
    file("hidden.bak", "hh", FILE_ATTRIBUTE_HIDDEN);
    file("system.tmp", "sss", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    file("readonly.log", "r", FILE_ATTRIBUTE_READONLY);
    file("a rather long file name.backup", "");
    ASSERT_TRUE(CreateDirectoryA((folder + ".cache").c_str(), nullptr));

    // A file past 4 GiB, sparse: only its end is set.
    const std::string big = file("big.dat", "");
    HANDLE h = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = 0x100000123LL;
    ASSERT_TRUE(SetFilePointerEx(h, at, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(h));
    CloseHandle(h);

    std::vector<DirEntry> entries;
    ASSERT_TRUE(p.fs.listFolder(folder, entries));
    auto m = byName(entries);
    EXPECT_EQ(entries.size(), m.size());
    EXPECT_EQ(m.size(), 8u);  // ".", ".." and six entries
    ASSERT_TRUE(m.count(".") && m.count(".."));
    EXPECT_TRUE(m["."].isFolder());
    EXPECT_TRUE(m[".cache"].isFolder());
    EXPECT_EQ(m["hidden.bak"].attributes & 0x37, kAttrHidden | kAttrArchive);
    EXPECT_EQ(m["hidden.bak"].size, 2u);
    EXPECT_EQ(m["system.tmp"].attributes & (kAttrSystem | kAttrHidden), kAttrSystem | kAttrHidden);
    EXPECT_EQ(m["readonly.log"].attributes & kAttrReadOnly, kAttrReadOnly);
    EXPECT_EQ(m["a rather long file name.backup"].size, 0u);
    EXPECT_EQ(m["big.dat"].size, 0x100000123ull);
    EXPECT_FALSE(m["big.dat"].isFolder());
    EXPECT_NE(m["big.dat"].lastWrite, 0u);

    // The plain wildcard search sees the same entries with the same details.
    std::vector<DirEntry> found;
    ASSERT_TRUE(p.fs.findFiles(folder + "*.*", found));
    auto f = byName(found);
    ASSERT_EQ(f.size(), m.size());
    for (const auto& [name, e] : m) {
        ASSERT_TRUE(f.count(name)) << name;
        EXPECT_EQ(f[name].attributes, e.attributes) << name;
        EXPECT_EQ(f[name].size, e.size) << name;
        EXPECT_EQ(f[name].lastWrite, e.lastWrite) << name;
    }

    DirEntry one;
    ASSERT_TRUE(p.fs.findEntry(big, one));
    EXPECT_EQ(one.name, "big.dat");
    EXPECT_EQ(one.size, 0x100000123ull);
}

TEST_F(FileSystemWine, EmptyMissingAndUnmatchedSearches) {
    std::vector<DirEntry> entries;
    ASSERT_TRUE(p.fs.listFolder(folder, entries));
    EXPECT_EQ(entries.size(), 2u);  // "." and ".."
    EXPECT_FALSE(p.fs.listFolder(folder + "missing\\", entries));
    EXPECT_TRUE(entries.empty());

    file("a.txt", "x");
    EXPECT_FALSE(p.fs.findFiles(folder + "*.bak", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(p.fs.findFiles(folder + "missing\\*.*", entries));
    ASSERT_TRUE(p.fs.findFiles(folder + "?.txt", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "a.txt");

    DirEntry e;
    EXPECT_FALSE(p.fs.findEntry(folder + "b.txt", e));
    EXPECT_EQ(p.fs.attributes(folder + "b.txt"), kInvalidAttributes);
    EXPECT_FALSE(p.fs.exists(folder + "b.txt"));
    EXPECT_TRUE(p.fs.exists(folder + "a.txt"));
}

// The ANSI form of a wide name; empty when the code page cannot show it.
std::string ansiName(const wchar_t* wide) {
    char ansi[64] = {};
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof(ansi), nullptr, &lossy);
    return n > 0 && !lossy ? ansi : "";
}

HANDLE createWide(const std::string& folder, const wchar_t* name) {
    return CreateFileW((std::wstring(folder.begin(), folder.end()) + name).c_str(), GENERIC_WRITE,
                       0, nullptr, CREATE_ALWAYS, 0, nullptr);
}

// Double-byte names whose second bytes include "\" (0x5C) in Shift-JIS. Runs when the ANSI
// code page is a Japanese one, e.g. under Wine with LC_ALL=ja_JP.UTF-8 (a Unix locale made
// with `localedef -i ja_JP -f UTF-8 DIR/ja_JP.UTF-8` and LOCPATH=DIR will do).
TEST_F(FileSystemWine, DoubleByteNamesWorkThroughTheAnsiFunctions) {
    const std::string name = ansiName(L"\x8868\x793A\x30BD.tmp");
    const std::string sub = ansiName(L"\x8868\x793A\x30BD");
    if (name.empty()) GTEST_SKIP() << "code page " << GetACP() << " has no such characters";
    HANDLE h = createWide(folder, L"\x8868\x793A\x30BD.tmp");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD put;
    WriteFile(h, "12345", 5, &put, nullptr);
    CloseHandle(h);

    std::vector<DirEntry> entries;
    ASSERT_TRUE(p.fs.listFolder(folder, entries));
    auto m = byName(entries);
    ASSERT_TRUE(m.count(name)) << "code page " << GetACP();
    EXPECT_EQ(m[name].size, 5u);

    const std::string path = folder + name;
    EXPECT_TRUE(p.fs.exists(path));
    ASSERT_TRUE(p.fs.findFiles(folder + "*.tmp", entries));
    EXPECT_EQ(entries.at(0).name, name);
    auto opened = p.fs.open(path, OpenMode::ReadExisting);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->size(), 5u);
    opened.reset();
    EXPECT_TRUE(p.fs.deleteFile(path));

    // A folder whose name ends in a 0x5C trail byte still has no "\" of its own.
    ASSERT_EQ(sub.back(), '\\');
    ASSERT_TRUE(CreateDirectoryA((folder + sub).c_str(), nullptr));
    file(sub + "\\inner.txt", "x");
    file(sub + "sibling.txt", "x");
    ASSERT_TRUE(p.fs.listFolder(folder + sub, entries));
    m = byName(entries);
    EXPECT_TRUE(m.count("inner.txt"));
    EXPECT_FALSE(m.count("sibling.txt"));
    EXPECT_FALSE(m.count(sub));
}

// A name the ANSI code page cannot show comes back with "?" in it: it names no entry, so
// the listing leaves it out, and it must not act as a wildcard on the way back in.
TEST_F(FileSystemWine, UnshowableNamesNameNoOtherFile) {
    if (!ansiName(L"\xD55C").empty()) GTEST_SKIP() << "code page " << GetACP() << " shows it";
    HANDLE h = createWide(folder, L"\xD55C.tmp");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    const std::string other = file("a.tmp", "other");

    std::vector<DirEntry> entries;
    ASSERT_TRUE(p.fs.listFolder(folder, entries));
    for (const auto& e : entries) EXPECT_TRUE(e.name == "a.tmp" || e.name[0] == '.') << e.name;
    const std::string shown = "?.tmp";

    DirEntry e;
    EXPECT_FALSE(p.fs.findEntry(folder + shown, e));
    bool aborted = false;
    EXPECT_NE(p.shell.deleteOperation(folder + shown, kFofAllowUndo | kFofNoConfirmation |
                                                          kFofNoErrorUi | kFofSilent, aborted), 0);
    EXPECT_TRUE(p.fs.exists(other));
}

TEST_F(FileSystemWine, FileTimesRoundTrip) {
    const std::string path = file("times.tmp", "abc");
    // 2009-12-06 14:05:09.250 UTC, and two later points.
    const FileTime write = 129045819092500000ull;
    const FileTime access = write + 36000000000ull;
    const FileTime creation = write - 864000000000ull;
    ASSERT_TRUE(p.fs.setFileTimes(path, creation, access, write));
    FileTime c = 0, a = 0, w = 0;
    ASSERT_TRUE(p.fs.fileTimes(path, c, a, w));
    EXPECT_EQ(w, write);
    EXPECT_EQ(a, access);
    if (!onWine()) {  // Wine's files on Unix keep no creation time of their own
        EXPECT_EQ(c, creation);
    }

    DirEntry e;
    ASSERT_TRUE(p.fs.findEntry(path, e));
    EXPECT_EQ(e.lastWrite, write);

    EXPECT_FALSE(p.fs.fileTimes(folder + "missing.tmp", c, a, w));
    EXPECT_FALSE(p.fs.setFileTimes(folder + "missing.tmp", c, a, w));
    // Reading times needs no access right, so a read-only file still answers.
    ASSERT_TRUE(p.fs.setAttributes(path, kAttrReadOnly));
    EXPECT_TRUE(p.fs.fileTimes(path, c, a, w));
    EXPECT_EQ(w, write);
}

TEST_F(FileSystemWine, OpenModesHonourSharingAndCreation) {
    const std::string path = folder + "f.dat";
    EXPECT_FALSE(p.fs.open(path, OpenMode::ReadExisting));
    EXPECT_FALSE(p.fs.open(path, OpenMode::ReadWriteExisting));

    {
        auto exclusive = p.fs.open(path, OpenMode::CreateExclusive);
        ASSERT_TRUE(exclusive);
        EXPECT_TRUE(exclusive->write("exclusive", 9));
        EXPECT_FALSE(p.fs.open(path, OpenMode::ReadExisting));
        EXPECT_FALSE(p.fs.open(path, OpenMode::AppendShared));
        FileTime c, a, w;  // attribute-only access still works
        EXPECT_TRUE(p.fs.fileTimes(path, c, a, w));
    }
    {
        auto shared = p.fs.open(path, OpenMode::CreateShared);
        ASSERT_TRUE(shared);
        EXPECT_EQ(shared->size(), 0u);  // truncated
        EXPECT_TRUE(shared->write("one", 3));
        auto reader = p.fs.open(path, OpenMode::ReadExisting);
        ASSERT_TRUE(reader);
        char buf[8] = {};
        EXPECT_EQ(reader->read(buf, sizeof(buf)), 3u);
        EXPECT_EQ(std::string(buf, 3), "one");
        EXPECT_EQ(reader->read(buf, sizeof(buf)), 0u);
        // The exclusive mode cannot take a file others hold open.
        EXPECT_FALSE(p.fs.open(path, OpenMode::CreateExclusive));
    }
    {
        auto append = p.fs.open(path, OpenMode::AppendShared);
        ASSERT_TRUE(append);
        EXPECT_EQ(append->size(), 3u);  // never truncated
        ASSERT_TRUE(append->seekToEnd());
        EXPECT_TRUE(append->write("two", 3));
        ASSERT_TRUE(append->seekToStart());
        char buf[8] = {};
        EXPECT_EQ(append->read(buf, sizeof(buf)), 6u);
        EXPECT_EQ(std::string(buf, 6), "onetwo");
    }
    auto created = p.fs.open(folder + "new.dat", OpenMode::AppendShared);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->size(), 0u);
    EXPECT_FALSE(p.fs.open(folder + "missing\\x.dat", OpenMode::CreateShared));
}

TEST_F(FileSystemWine, AttributesAndDeletion) {
    const std::string path = file("ro.tmp", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(p.fs.attributes(path) & 0x37, kAttrReadOnly | kAttrHidden | kAttrArchive);
    EXPECT_FALSE(p.fs.deleteFile(path));
    ASSERT_TRUE(p.fs.setAttributes(path, kAttrHidden | kAttrArchive));
    EXPECT_EQ(p.fs.attributes(path) & 0x37, kAttrHidden | kAttrArchive);
    EXPECT_TRUE(p.fs.deleteFile(path));
    EXPECT_FALSE(p.fs.exists(path));
}

TEST_F(FileSystemWine, ReplaceFilePutsTheNewFileInTheOldOnesPlace) {
    const std::string old = file("list.dat", "old"), fresh = file("list.dat.new", "newer");
    ASSERT_TRUE(p.fs.replaceFile(fresh, old));
    EXPECT_FALSE(p.fs.exists(fresh));
    auto held = p.fs.open(old, OpenMode::ReadExisting);  // open without delete sharing
    ASSERT_TRUE(held);
    EXPECT_EQ(held->size(), 5u);
    EXPECT_FALSE(p.fs.replaceFile(file("other.new", "x"), old));
    EXPECT_TRUE(p.fs.exists(folder + "other.new"));
}

}  // namespace
}  // namespace dv::winetest
