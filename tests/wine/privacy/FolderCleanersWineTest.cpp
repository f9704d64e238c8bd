// The cookie and temp cleaners on the real file system, pointed through the environment
// at folders of the test drive.
#include "cleanup/DeleteCommands.h"
#include "privacy/Cleaners.h"
#include "tests/wine/privacy/PrivacyWineEnv.h"

namespace dv::winetest {
namespace {

TEST_F(PrivacyWine, TempCleanerEmptiesTheTreeButKeepsReadOnlyFilesFoldersAndLinks) {
    const std::string temp = folder("temp");
    setEnvironment("TMP", (temp + "\\").c_str());
    setEnvironment("TEMP", (temp + "\\").c_str());
    ASSERT_EQ(app.system.tempPath(), temp + "\\");  // the cleaner's folder is this test's own

    const std::string sub = folder("temp\\sub"), deeper = folder("temp\\sub\\deeper");
    const std::string gone[] = {makeFile(temp + "\\a.tmp"), makeFile(sub + "\\b.log"),
                                makeFile(deeper + "\\c.dat"),
                                makeFile(temp + "\\h.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)};
    const std::string readOnly = makeFile(sub + "\\keep.txt", FILE_ATTRIBUTE_READONLY);
    const std::string letter = makeFile(folder("documents") + "\\letter.doc");
    const std::string quill = makeFile(app.state.baseFolder + "\\quilltext.txt");
    ASSERT_TRUE(makeLink(root + "\\documents", temp + "\\linked")) << "no link was made";
    ASSERT_EQ(GetFileAttributesA((temp + "\\linked").c_str()) & 0x410u, 0x410u);

    cleanTempFolder(app);
    for (const std::string& path : gone) EXPECT_FALSE(exists(path)) << path;
    EXPECT_TRUE(exists(readOnly));
    EXPECT_TRUE(exists(sub) && exists(deeper));
    EXPECT_TRUE(exists(letter)) << "the cleaner followed a link out of the temporary folder";
    EXPECT_TRUE(exists(temp + "\\linked\\letter.doc"));
    EXPECT_FALSE(exists(quill));
    const std::string recycled = trashFile("quilltext.txt");
    if (!recycled.empty()) {
        EXPECT_TRUE(exists(recycled)) << "not in the run's Recycle Bin";
    }
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Without TMP and TEMP the system answers with the profile folder: not cleaned.
    const std::string profile = folder("profile");
    setEnvironment("TMP", nullptr);
    setEnvironment("TEMP", nullptr);
    setEnvironment("USERPROFILE", profile.c_str());
    const std::string document = makeFile(profile + "\\document.txt");
    cleanTempFolder(app);
    EXPECT_TRUE(exists(document)) << "temporary path " << app.system.tempPath();
    DeleteFileA((temp + "\\linked").c_str());  // the link, before the tree goes
    RemoveDirectoryA((temp + "\\linked").c_str());
}

TEST_F(PrivacyWine, CookieCleanerSkipsDotFoldersAndAnUnsetProfile) {
    const std::string profile = folder("profile"), windows = folder("windows");
    const std::string cookies = folder("profile\\Cookies"), svn = folder("profile\\Cookies\\.svn");
    const std::string windowsCookies = folder("windows\\Cookies");
    setEnvironment("USERPROFILE", profile.c_str());
    setEnvironment("windir", windows.c_str());
    const std::string c1 = makeFile(cookies + "\\me@site[1].txt");
    const std::string c2 = makeFile(windowsCookies + "\\index.dat");
    const std::string kept = makeFile(svn + "\\entries");
    cleanCookies(app);
    EXPECT_FALSE(exists(c1));
    EXPECT_FALSE(exists(c2));
    EXPECT_TRUE(exists(kept));

    // Unset, the profile would make "\Cookies" on the current drive: nothing there is touched.
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const std::string driveCookies = root.substr(0, 2) + "\\Cookies";
    CreateDirectoryA(driveCookies.c_str(), nullptr);
    ASSERT_TRUE(insideRunFolder(driveCookies));
    const std::string canary = makeFile(driveCookies + "\\canary.txt");
    const std::string again = makeFile(cookies + "\\again.txt");
    const std::string c3 = makeFile(windowsCookies + "\\third.txt");
    setEnvironment("USERPROFILE", nullptr);
    cleanCookies(app);
    EXPECT_TRUE(exists(canary));
    EXPECT_TRUE(exists(again));
    EXPECT_FALSE(exists(c3));
    removeTree(driveCookies);
}

}  // namespace
}  // namespace dv::winetest
