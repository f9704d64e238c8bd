// Backup mode, Delete All and Recovery through the main window.
#include <shlobj.h>

#include <algorithm>
#include <map>

#include "tests/gui/GuiTest.h"
#include "tests/gui/SearchSteps.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

struct Original {
    std::string path;
    std::string content;
    DWORD attributes;
    FILETIME written;
};

Original remember(const std::string& path) {
    return Original{path, fileContent(path), fileAttributes(path) & 0x27, lastWriteTime(path)};
}

// The files of a folder.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(fd.cFileName);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0, at;
    while ((at = text.find("\r\n", from)) != std::string::npos) {
        out.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    if (from < text.size()) out.push_back(text.substr(from));
    return out;
}

TEST_F(GuiTest, BackupDeleteAllThenRecoveryPutsEveryFileBack) {
    const std::string tree = app().folder() + "\\tree";
    const std::string keep = app().folder() + "\\keep";
    ASSERT_TRUE(makeFolders(tree));
    ASSERT_TRUE(makeFolders(tree + "\\sub"));
    ASSERT_TRUE(makeFolders(keep));
    ASSERT_TRUE(makeFile(tree + "\\r1.tmp", 700, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(makeFile(tree + "\\sub\\r2.bak", 0));
    ASSERT_TRUE(makeFile(tree + "\\sub\\r3.old", 5000, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(setLastWriteTime(tree + "\\r1.tmp", 2009, 12, 6, 14, 5, 9));
    ASSERT_TRUE(setLastWriteTime(tree + "\\sub\\r2.bak", 2010, 1, 1, 8, 30, 0));
    ASSERT_TRUE(setLastWriteTime(tree + "\\sub\\r3.old", 2010, 3, 8, 0, 0, 0));
    Original before[] = {remember(tree + "\\r1.tmp"), remember(tree + "\\sub\\r2.bak"),
                         remember(tree + "\\sub\\r3.old")};

    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready());
    ASSERT_TRUE(s.choose(testDrive(), 3));
    ASSERT_TRUE(s.run(kLongWait));
    ASSERT_EQ(3, listRowCount(s.list)) << "the test drive holds other junk";

    // Backup mode asks for the folder at once.
    click(s.backupRadio);
    HWND dialog = waitFolderDialog(pid(), kShortWait);
    ASSERT_TRUE(dialog) << "no folder dialog";
    ASSERT_TRUE(chooseFolder(app().process(), dialog, keep));
    std::string saved;
    EXPECT_TRUE(waitUntil([&] { return readSaveFilePath(&saved) && saved == keep + "\\"; },
                          kShortWait))
        << saved;
    EXPECT_TRUE(waitUntil([&] { return !shown(s.backupFolder); }, kShortWait));
    EXPECT_TRUE(checked(s.backupRadio));

    click(s.deleteAll);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(s.list) == 0; }, kLongWait));
    for (const Original& o : before) {
        SCOPED_TRACE(o.path);
        EXPECT_TRUE(waitUntil([&] { return !fileExists(o.path); }, kShortWait));
        const std::string name = o.path.substr(o.path.find_last_of('\\') + 1);
        EXPECT_TRUE(fileExists(keep + "\\" + name + ".dak"));
    }
    // One index line per copy, last row first.
    EXPECT_EQ((std::vector<std::string>{before[2].path, before[1].path, before[0].path}),
              lines(fileContent(app().folder() + "\\FilePath.dat")));
    EXPECT_TRUE(waitUntil([&] { return !shown(s.deleteAll) && shown(s.addType); }, kShortWait));

    // Meanwhile another program writes a new r2.bak, and r3.old is back as it was (same size
    // and time), as if the program had been stopped between its copy and its delete.
    ASSERT_TRUE(writeFile(before[1].path, "written anew"));
    ASSERT_TRUE(makeFile(before[2].path, 5000, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(setLastWriteTime(before[2].path, 2010, 3, 8, 0, 0, 0));
    const std::string newer = before[1].path;
    before[1].path = tree + "\\sub\\r2 (restored).bak";  // the old content comes back beside it

    click(s.recovery);
    MessageBoxSeen done = waitMessageBox(pid(), kLongWait);
    ASSERT_TRUE(done.hwnd) << "recovery showed no message";
    ASSERT_TRUE(pressDialogButton(done.hwnd, "OK"));

    for (const Original& o : before) {
        SCOPED_TRACE(o.path);
        ASSERT_TRUE(fileExists(o.path));
        EXPECT_EQ(o.content, fileContent(o.path));
        EXPECT_EQ(o.attributes, fileAttributes(o.path) & 0x27);
        FILETIME now = lastWriteTime(o.path);
        EXPECT_EQ(0, CompareFileTime(&o.written, &now));
    }
    EXPECT_EQ("written anew", fileContent(newer));
    EXPECT_FALSE(fileExists(tree + "\\sub\\r3 (restored).old"));
    EXPECT_EQ(4u, filesIn(tree).size() + filesIn(tree + "\\sub").size()) << "a second r3.old?";
    EXPECT_TRUE(filesIn(keep).empty());
    EXPECT_FALSE(fileExists(app().folder() + "\\FilePath.dat"));
    EXPECT_FALSE(readSaveFilePath(&saved));
    EXPECT_EQ(0, listRowCount(s.list));

    // The backup run is closed: a second Recovery says nothing was backed up.
    click(s.recovery);
    MessageBoxSeen again = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(again.hwnd);
    EXPECT_NE(std::string::npos, again.text.find("You have not backed up the file(s)"));
    pressDialogButton(again.hwnd, "OK");
}

// Chooses the folder for backup mode through the folder dialog, as the user does.
bool chooseBackupFolder(const SearchSteps& s, const std::string& folder) {
    click(s.backupRadio);
    HWND dialog = waitFolderDialog(GetProcessId(s.process), kShortWait);
    std::string saved;
    return dialog && chooseFolder(s.process, dialog, folder) &&
           waitUntil([&] { return readSaveFilePath(&saved) && saved == folder + "\\"; }, kShortWait);
}

// Clicks Recovery and answers its closing message.
bool recover(const SearchSteps& s, DWORD timeoutMs) {
    click(s.recovery);
    MessageBoxSeen done = waitMessageBox(GetProcessId(s.process), timeoutMs);
    return done.hwnd && pressDialogButton(done.hwnd, "OK");
}

// The program killed part-way through backup-mode Delete All or through Recovery, and
// started again: a Recovery then brings every file back whole, and nothing half written
// is left in the tree.
TEST_F(GuiTest, KilledPartWayThenRecoveredWhole) {
    struct Row {
        const char* killedIn;
        bool inRecovery;
    };
    for (const Row& row : {Row{"Delete All", false}, Row{"Recovery", true}}) {
        SCOPED_TRACE(row.killedIn);
        const std::string run = app().folder() + "\\" + (row.inRecovery ? "r" : "d");
        const std::string tree = run + "\\big", keep = run + "\\keep";
        ASSERT_TRUE(makeFolders(tree) && makeFolders(keep));
        std::map<std::string, std::string> files;
        for (int i = 0; i < 6; ++i) {
            const std::string path = tree + "\\f" + std::to_string(i) + ".tmp";
            files[path] = path + std::string(16 << 20, char('a' + i));
            ASSERT_TRUE(writeFile(path, files[path]));
        }
        HWND top = startNormal();
        ASSERT_TRUE(top);
        SearchSteps s(top, app().process());
        ASSERT_TRUE(s.ready() && s.choose(testDrive(), 3) && s.run(kLongWait));
        ASSERT_EQ(6, listRowCount(s.list));
        ASSERT_TRUE(chooseBackupFolder(s, keep));
        // Marked, so that the total Delete All writes last tells that the command ended: a
        // click on Recovery while it runs is not for Recovery.
        const std::string marked = textOf(s.recovered) + "#";
        SetWindowTextA(s.recovered, marked.c_str());
        click(s.deleteAll);
        if (row.inRecovery) {
            ASSERT_TRUE(waitUntil([&] { return filesIn(tree).empty(); }, 4 * kLongWait));
            ASSERT_TRUE(waitUntil([&] { return textOf(s.recovered) != marked; }, kLongWait));
            // Killed the moment the first content is being written.
            click(s.recovery);
            ASSERT_TRUE(waitUntil([&] { return !filesIn(tree).empty(); }, kLongWait, 1));
            app().kill();
            EXPECT_LT(filesIn(tree).size(), files.size()) << "the kill came after the whole Recovery";
        } else {
            // Killed the moment the first file is gone, the next one's copy under way.
            ASSERT_TRUE(waitUntil([&] { return filesIn(tree).size() < files.size(); }, kLongWait, 1));
            app().kill();
            EXPECT_FALSE(filesIn(tree).empty()) << "the kill came after the whole Delete All";
        }

        top = startNormal();  // before its process is asked for
        ASSERT_TRUE(recover(SearchSteps(top, app().process()), 4 * kLongWait));
        for (const auto& [path, content] : files) EXPECT_TRUE(fileContent(path) == content) << path;
        EXPECT_EQ(files.size(), filesIn(tree).size()) << "something half written was left";
        // A copy cut short by the kill was never listed as one; it stays, unrestored.
        EXPECT_LE(filesIn(keep).size(), row.inRecovery ? 0u : 1u);
        app().kill();
        for (const auto& [path, content] : files) DeleteFileA(path.c_str());  // not junk of the next row
        for (const std::string& name : filesIn(keep)) DeleteFileA((keep + "\\" + name).c_str());
    }
}

// Two windows (two installations, as two PCs would be) whose backup folder is one folder:
// both back up 300 files named same.tmp at the same moment, then each Recovery brings back
// exactly its own files; a copy neither made, naming the Startup folder, stays where it is.
TEST_F(GuiTest, TwoWindowsBackingUpIntoOneFolderEachGetBackTheirOwn) {
    constexpr int kFiles = 300;
    const std::string shared = app().folder() + "\\shared";
    ASSERT_TRUE(makeFolders(shared) && makeFolders(app().folder() + "\\race"));
    AppUnderTest second("second");
    ASSERT_TRUE(second.ready()) << second.error();
    AppUnderTest* programs[] = {&app(), &second};
    std::vector<std::string> files[2];
    std::string excluded[2];  // each window lists only its own files
    for (int w = 0; w < 2; ++w) {
        const std::string root = app().folder() + "\\race\\" + char('a' + w);
        ASSERT_TRUE(makeFolders(root));
        for (int i = 0; i < kFiles; ++i) {
            files[w].push_back(root + "\\" + std::to_string(i) + "\\same.tmp");
            ASSERT_TRUE(makeFolders(root + "\\" + std::to_string(i)));
            ASSERT_TRUE(writeFile(files[w].back(), files[w].back()));  // a mix-up shows
            excluded[1 - w] += files[w].back() + "\r\n";
        }
    }
    std::unique_ptr<SearchSteps> steps[2];
    for (int w = 0; w < 2; ++w) {
        ASSERT_TRUE(writeFile(programs[w]->folder() + "\\noscfile.dat", excluded[w]));
        HWND top = startNormal(*programs[w]);
        ASSERT_TRUE(top);
        steps[w] = std::make_unique<SearchSteps>(top, programs[w]->process());
        ASSERT_TRUE(steps[w]->ready() && steps[w]->choose(testDrive(), 3) && steps[w]->run(kLongWait));
        ASSERT_EQ(kFiles, listRowCount(steps[w]->list));
        ASSERT_TRUE(chooseBackupFolder(*steps[w], shared));
    }
    click(steps[0]->deleteAll);
    click(steps[1]->deleteAll);
    for (int w = 0; w < 2; ++w) {
        ASSERT_TRUE(waitUntil([&] { return listRowCount(steps[w]->list) == 0; }, 12 * kLongWait));
        for (const std::string& path : files[w]) ASSERT_FALSE(fileExists(path)) << path;
    }
    EXPECT_EQ(size_t(2 * kFiles), filesIn(shared).size()) << "a copy was lost";

    // Someone puts a genuine copy, its path changed to the Startup folder, into the folder.
    char startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
    const std::string atLogon = std::string(startup) + "\\updater.bat";
    const std::string genuine = fileContent(shared + "\\same.tmp.dak");
    ASSERT_TRUE(writeFile(shared + "\\updater.bat.dak", atLogon + genuine.substr(genuine.find('\0'))));

    for (int w = 0; w < 2; ++w) {
        const std::string chosen = shared + "\\";  // each PC keeps its own choice
        RegSetKeyValueA(HKEY_USERS, ".DEFAULT\\Software\\Dustvane", "SaveFilePath", REG_BINARY,
                        chosen.data(), DWORD(chosen.size()));
        ASSERT_TRUE(recover(*steps[w], 12 * kLongWait));
        for (int v = 0; v < 2; ++v)
            for (const std::string& path : files[v]) ASSERT_EQ(v <= w, fileContent(path) == path) << path;
        EXPECT_EQ(size_t((1 - w) * kFiles + 1), filesIn(shared).size());
    }
    EXPECT_FALSE(fileExists(atLogon));
    DeleteFileA(atLogon.c_str());
}

}  // namespace
}  // namespace gui
