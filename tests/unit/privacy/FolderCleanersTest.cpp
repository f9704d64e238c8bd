// The cookie and temporary-files cleaners on the in-memory file system.
#include <gtest/gtest.h>

#include "privacy/Cleaners.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

TEST(FolderCleaners, FilesGoFoldersStayAndOnlyOwnFoldersAreEntered) {
    FakePlatform p;
    for (const char* file : {"C:\\Temp\\a.tmp", "C:\\Temp\\sub\\b.log", "C:\\Temp\\sub\\deeper\\c"})
        p.fs.addFile(file);
    p.fs.addFile("C:\\Temp\\hidden.sys", "", kAttrHidden | kAttrSystem);
    p.fs.addFile("C:\\Temp\\ro.txt", "", kAttrReadOnly);
    p.fs.addFile("C:\\Temp\\locked.tmp");
    p.fs.undeletable.insert(FakeFileSystem::fold("C:\\Temp\\locked.tmp"));
    p.fs.addFile("C:\\Temp\\.svn\\entries");
    p.fs.addFolder("C:\\Temp\\link", kAttrDirectory | kAttrReparsePoint);  // leads elsewhere
    p.fs.addFile("C:\\Temp\\link\\letter.doc");
    p.fs.addFile("C:\\Temp\\filelink", "", kAttrReparsePoint);

    cleanFolderFiles(p.app, "C:\\Temp");
    EXPECT_EQ(p.fs.childNames("C:\\Temp"),
              (std::vector<std::string>{"sub", "ro.txt", "locked.tmp", ".svn", "link", "filelink"}));
    EXPECT_EQ(p.fs.childNames("C:\\Temp\\sub"), std::vector<std::string>{"deeper"});
    EXPECT_TRUE(p.fs.childNames("C:\\Temp\\sub\\deeper").empty());
    EXPECT_TRUE(p.fs.exists("C:\\Temp\\.svn\\entries"));
    EXPECT_TRUE(p.fs.exists("C:\\Temp\\link\\letter.doc"));
    EXPECT_EQ(p.ui.processCalls, 3);  // once per folder entered
}

TEST(FolderCleaners, OnlyFoldersBelowARootAreCleanable) {
    const std::pair<const char*, bool> cases[] = {
        {"C:\\Temp\\", true},          {"c:\\Temp", true},
        {"C:/Temp", true},             {"\\\\server\\share\\Temp", true},
        {"\\\\?\\C:\\Temp", true},     {"", false},
        {"C:\\", false},               {"C:", false},
        {"C:/", false},                {"C:\\\\", false},
        {"\\", false},                 {"\\Cookies", false},
        {"Cookies", false},            {"C:Temp", false},
        {"\\\\server\\share\\", false}, {"\\\\server\\share", false},
        {"\\\\?\\C:\\", false},        {"\\\\?\\UNC\\server\\share\\", false},
        {"C:\\Temp\\..\\", false},     {"C:\\Temp\\.", false},
        {"\\\\?\\unc\\server\\share", false},
    };
    for (const auto& [folder, cleanable] : cases)
        EXPECT_EQ(isCleanableFolder(folder), cleanable) << folder;
}

// Where an environment value or the temporary path names no folder of its own, the step is
// skipped instead of cleaning the root of the current drive.
TEST(FolderCleaners, CookieAndTempStepsKeepToTheirFolders) {
    struct Case {
        const char* userProfile;  // nullptr: unset
        const char* windir;
        std::string temp;
        std::vector<std::string> gone;
    };
    const std::string tooLong = "C:\\" + std::string(251, 'x') + "\\";  // 255 characters
    const Case cases[] = {
        {"C:\\Users\\owner", "C:\\Windows", "C:\\Temp\\",
         {"C:\\Users\\owner\\Cookies\\u.txt", "C:\\Windows\\Cookies\\w.txt", "C:\\Temp\\t.tmp"}},
        {nullptr, "C:\\Windows\\", "  C:\\Temp\\ ", {"C:\\Windows\\Cookies\\w.txt", "C:\\Temp\\t.tmp"}},
        {"", "", "", {}},
        {"\\", "Windows", "C:\\", {}},  // relative folders and a drive root
        {"C:\\Users\\owner", nullptr, "   ", {"C:\\Users\\owner\\Cookies\\u.txt"}},
        {nullptr, nullptr, tooLong, {}},
        // The profile, the Windows folder or a folder holding one is no temporary folder.
        {"C:\\Users\\owner", "", "C:\\users\\OWNER\\", {"C:\\Users\\owner\\Cookies\\u.txt"}},
        {"", "C:\\Windows", "C:\\Windows\\", {"C:\\Windows\\Cookies\\w.txt"}},
        {"C:\\Users\\owner", "", "C:/Users/", {"C:\\Users\\owner\\Cookies\\u.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.temp);
        FakePlatform p;
        p.system.env.erase("USERPROFILE");
        if (c.userProfile) p.system.env["USERPROFILE"] = c.userProfile;
        if (c.windir) p.system.env["windir"] = c.windir;
        p.system.temp = c.temp;
        const std::vector<std::string> files = {
            "C:\\Users\\owner\\Cookies\\u.txt", "C:\\Windows\\Cookies\\w.txt", "C:\\Temp\\t.tmp",
            "C:\\Cookies\\root.txt", "C:\\root.txt", "C:\\Dustvane\\keep.dat"};
        for (const auto& f : files) p.fs.addFile(f);
        p.fs.addFile(tooLong + "long.tmp");
        cleanCookies(p.app);
        cleanTempFolder(p.app);
        EXPECT_EQ(p.fs.deleted, c.gone);
    }
}

TEST(FolderCleaners, TempCleanerRecyclesTheBaseFolderFileQuietly) {
    FakePlatform p;
    p.fs.addFile("C:\\Dustvane\\quilltext.txt", "note");
    cleanTempFolder(p.app);
    ASSERT_EQ(p.shell.deleteCalls.size(), 1u);
    EXPECT_EQ(p.shell.deleteCalls[0].from, "C:\\Dustvane\\quilltext.txt");
    EXPECT_EQ(p.shell.deleteCalls[0].flags,
              kFofAllowUndo | kFofNoConfirmation | kFofNoErrorUi | kFofSilent);
    EXPECT_EQ(p.shell.trash, std::vector<std::string>{"C:\\Dustvane\\quilltext.txt"});
}

}  // namespace
}  // namespace dv
