// The search walk on real folders of the test drive.
#include "tests/wine/WineTest.h"

#include <winioctl.h>

#include "search/Patterns.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "text/Text.h"

namespace dv::winetest {
namespace {

using Strings = std::vector<std::string>;
using SearchWineTest = WineTest;

class SearchTree : public SearchWineTest {
protected:
    void SetUp() override {
        SearchWineTest::SetUp();
        file("~x.tmp", "abc");
        file("x.tmpl");  // its 8.3 name ends in .TMP
        file("b.bk12");
        file("h.bak", "", FILE_ATTRIBUTE_HIDDEN);
        file("r.old", "12345", FILE_ATTRIBUTE_READONLY);
        file("s.chk", "", FILE_ATTRIBUTE_SYSTEM);
        file("chklist");
        file("keep.txt");
        dir(".cache");
        file(".cache\\c.tmp");
        dir("sub");
        file("sub\\y.gid");
        file("sub\\mscreate.dir");
        dir("sub\\Symantec Client Firewall");
        file("sub\\Symantec Client Firewall\\NAM.FTS");
        file("sub\\Symantec Client Firewall\\other.fts");
        dir("sub\\Symantec Client Firewall\\ex");
        file("sub\\Symantec Client Firewall\\ex\\e.bak");
        file("sub\\Symantec Client Firewall\\ex\\E2.bak");
        const std::string ex = folder + "sub\\Symantec Client Firewall\\ex\\";
        std::string lowered = ex + "e2.bak";  // names E2.bak: the list ignores letter case
        app.state.exclusionList = {ex + "e.bak", lowered};
    }

    // Searches the tree with one pattern set; rows as "relative path | pattern".
    Strings search(int set) {
        p.ui.setComboSelection(Ctl::patternSetCombo, set);
        buildSearchPatterns(app);
        p.ui.clearRows(Ctl::resultList);
        searchFolder(app, folder);
        Strings rows;
        for (int r = 0; r < p.ui.rowCount(Ctl::resultList); ++r) {
            const std::string path = p.ui.cell(Ctl::resultList, r, kColPath);
            EXPECT_EQ(0u, path.find(folder));
            EXPECT_EQ(path.substr(path.rfind('\\') + 1), p.ui.cell(Ctl::resultList, r, kColName));
            EXPECT_EQ(sizeText(app, path), p.ui.cell(Ctl::resultList, r, kColSize));
            EXPECT_EQ(dateText(app, path), p.ui.cell(Ctl::resultList, r, kColDate));
            rows.push_back(path.substr(folder.size()) + " | " + p.ui.cell(Ctl::resultList, r, kColType));
        }
        return rows;
    }
};

TEST_F(SearchTree, SetOneRows) {
    EXPECT_EQ((Strings{"~x.tmp | *.tmp", "~x.tmp | ~*.*", "h.bak | *.bak", "r.old | *.old",
                       "chklist | chklist.*", "s.chk | *.chk", "sub\\y.gid | *.gid",
                       "sub\\mscreate.dir | mscreate.dir",
                       "sub\\Symantec Client Firewall\\other.fts | *.fts"}),
              search(1));
    EXPECT_EQ("3", p.ui.cell(Ctl::resultList, 0, kColSize));
}

TEST_F(SearchTree, SetThreeRows) {
    EXPECT_EQ((Strings{"h.bak | *.bak", "chklist | chklist.*", "s.chk | *.chk", "r.old | *.old",
                       "~x.tmp | *.tmp", "sub\\y.gid | *.gid", "sub\\mscreate.dir | mscreate.dir"}),
              search(3));
    // The system's own search would have listed x.tmpl for "*.tmp" by its short name.
    std::vector<DirEntry> systemHits;
    p.fs.findFiles(folder + "*.tmp", systemHits);
    bool shortNameHit = false;
    for (const DirEntry& e : systemHits) shortNameHit |= e.name == "x.tmpl";
    std::printf("[ info ] FindFirstFileA(\"*.tmp\") %s x.tmpl\n", shortNameHit ? "lists" : "does not list");
}

TEST_F(SearchTree, SingleTypesAndSummary) {
    EXPECT_EQ((Strings{"~x.tmp | *.tmp"}), search(30));  // "*.tmp" alone: never x.tmpl
    EXPECT_EQ(Strings{}, search(61));                      // "*.bk?": never b.bk12
    search(3);
    p.app.state.searchSeconds = 4;
    showSearchSummary(app);
    EXPECT_EQ("0.01", p.ui.text(Ctl::statusLabel));  // 8 bytes; no language file loaded
    EXPECT_EQ(" 7 ", p.ui.text(Ctl::statisticsTitleLabel));
    EXPECT_EQ(500, p.ui.timerInterval(Ctl::alertBlinkTimer));
}

// A junction inside the tree that points back at the tree's top.
bool makeJunction(const std::string& link, const std::string& target) {
    if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
    HANDLE h = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        RemoveDirectoryA(link.c_str());
        SetLastError(error);
        return false;
    }
    std::wstring substitute = L"\\??\\", print;
    for (char c : target) print += wchar_t(static_cast<unsigned char>(c));
    substitute += print;
    const WORD subBytes = WORD(substitute.size() * 2), printBytes = WORD(print.size() * 2);
    std::vector<BYTE> buffer(20 + subBytes + printBytes + 4, 0);
    auto put16 = [&](size_t at, WORD v) { memcpy(&buffer[at], &v, 2); };
    DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    memcpy(&buffer[0], &tag, 4);
    put16(4, WORD(buffer.size() - 8));  // data length
    put16(8, 0);                        // substitute name offset
    put16(10, subBytes);
    put16(12, WORD(subBytes + 2));      // print name offset
    put16(14, printBytes);
    memcpy(&buffer[16], substitute.data(), subBytes);
    memcpy(&buffer[16 + subBytes + 2], print.data(), printBytes);
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(), DWORD(buffer.size()),
                              nullptr, 0, &returned, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(h);
    if (!ok) RemoveDirectoryA(link.c_str());
    SetLastError(error);
    return ok;
}

TEST_F(SearchWineTest, JunctionLoopIsNotFollowed) {
    dir("a");
    file("a\\f.tmp");
    const std::string link = folder + "a\\loop";
    bool made = makeJunction(link, folder);
    const DWORD junctionError = made ? 0 : GetLastError();
    const char* how = "junction";
    if (!made) {
        how = "symbolic link";
        made = CreateSymbolicLinkA(link.c_str(), folder.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
               GetFileAttributesA((link + "\\a").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    if (!made)
        GTEST_SKIP() << "neither a junction (error " << junctionError
                     << ") nor a directory link (error " << GetLastError() << ") can be made here";
    const DWORD attributes = GetFileAttributesA(link.c_str());
    std::printf("[ info ] %s made; attributes 0x%lx\n", how, (unsigned long)attributes);
    app.state.searchPatterns = {"*.tmp"};
    searchFolder(app, folder);
    ASSERT_GE(p.ui.rowCount(Ctl::resultList), 1);
    EXPECT_EQ(folder + "a\\f.tmp", p.ui.cell(Ctl::resultList, 0, kColPath));
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        EXPECT_EQ(1, p.ui.rowCount(Ctl::resultList));
    else  // the link looks like a plain folder: the walk ends where paths grow too long
        std::printf("[ info ] the link is no reparse point here; %d rows\n", p.ui.rowCount(Ctl::resultList));
    RemoveDirectoryA(link.c_str());
}

// "All Hard Drive" on this run's drives: the prefix's C: and the test drive are fixed
// disks; wine-exec.sh adds a network share and a removable drive (DV_TYPED_DRIVES).
class AllDrives : public SearchWineTest {
protected:
    void put(const std::string& path) {
        makeFolders(path.substr(0, path.rfind('\\')));
        ASSERT_TRUE(writeFile(path)) << path;
    }
    // The paths that start with `prefix` of a search of pattern set `set` on driveCombo
    // item `drive`, sorted.
    Strings search(int set, int drive, const std::string& prefix) {
        p.ui.setComboSelection(Ctl::patternSetCombo, set);
        p.ui.setComboSelection(Ctl::driveCombo, drive);
        startSearch(app);
        Strings paths;
        for (int r = 0; r < p.ui.rowCount(Ctl::resultList); ++r)
            if (foldedName(p.ui.cell(Ctl::resultList, r, kColPath)).find(foldedName(prefix)) == 0)
                paths.push_back(p.ui.cell(Ctl::resultList, r, kColPath));
        std::sort(paths.begin(), paths.end());
        return paths;
    }
};

TEST_F(AllDrives, OnlyFixedDisksUnlessALetterIsChosen) {
    const std::string network = environmentValue("DV_NETWORK_DRIVE") + "\\";
    const std::string removable = environmentValue("DV_REMOVABLE_DRIVE") + "\\";
    if (network.size() != 3 || removable.size() != 3)
        GTEST_SKIP() << "no typed drives in this run (DV_TYPED_DRIVES)";
    ASSERT_EQ(UINT(DRIVE_REMOTE), GetDriveTypeA(network.c_str()));
    ASSERT_EQ(UINT(DRIVE_REMOVABLE), GetDriveTypeA(removable.c_str()));
    put(folder + "fixed.bak");
    put(network + "share\\colleague.bak");
    put(removable + "stick\\photo.bak");
    EXPECT_EQ(Strings{folder + "fixed.bak"}, search(9, 0, folder));
    EXPECT_EQ(Strings{}, search(9, 0, network));
    EXPECT_EQ(Strings{}, search(9, 0, removable));
    EXPECT_EQ(Strings{network + "share\\colleague.bak"}, search(9, network[0] - 'C' + 1, network));
}

TEST_F(AllDrives, SetZeroLeavesWindowsOwnFiles) {
    const std::string root = testDrive() + "\\";  // the test drive as a system disk
    for (const char* name : {"Windows\\Boot\\DVD\\PCAT\\boot.sdi", "Windows\\Boot\\DVD\\EFI\\boot.sdi",
                             "Recovery\\WindowsRE\\boot.sdi", "Windows\\System32\\config\\RegBack\\SYSTEM.old",
                             "Windows\\WinSxS\\Backup\\x.manifest.bak", "System Volume Information\\t.old",
                             "Windows\\Temp\\setup.tmp", "OldProgram\\settings.bak"})
        put(root + name);
    EXPECT_EQ((Strings{root + "OldProgram\\settings.bak", root + "Windows\\Temp\\setup.tmp"}),
              search(0, 0, root));
    // Nor is anything of the prefix's own Windows folder listed but its Temp folder.
    const std::string windows = p.system.windowsFolder() + "\\";
    EXPECT_EQ(search(0, 0, windows + "Temp\\"), search(0, 0, windows));
    for (const char* top : {"Windows", "Recovery", "System Volume Information", "OldProgram"})
        removeTree(root + top);
}

}  // namespace
}  // namespace dv::winetest
