// The cookie and temp cleaners on the real file system, pointed through the environment
// at folders of the test drive.
#include "cleanup/DeleteCommands.h"
#include "privacy/Cleaners.h"
#include "tests/wine/privacy/PrivacyWineEnv.h"

namespace dv::winetest {
namespace {

TEST_F(PrivacyWine, TempCleanerEmptiesTheTreeButKeepsReadOnlyFilesFoldersAndLinks) {
    const std::string temp = dir("temp");
    setEnvironment("TMP", (temp + "\\").c_str());
    setEnvironment("TEMP", (temp + "\\").c_str());
    ASSERT_EQ(app.system.tempPath(), temp + "\\");  // the cleaner's folder is this test's own

    const std::string sub = dir("temp\\sub"), deeper = dir("temp\\sub\\deeper");
    const std::string gone[] = {file(temp + "\\a.tmp", "data"), file(sub + "\\b.log", "data"),
                                file(deeper + "\\c.dat", "data"),
                                file(temp + "\\h.sys", "data", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)};
    const std::string readOnly = file(sub + "\\keep.txt", "data", FILE_ATTRIBUTE_READONLY);
    const std::string letter = file(dir("documents") + "\\letter.doc", "data");
    const std::string quill = file(app.state.baseFolder + "\\quilltext.txt", "data");
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
    const std::string profile = dir("profile");
    setEnvironment("TMP", nullptr);
    setEnvironment("TEMP", nullptr);
    setEnvironment("USERPROFILE", profile.c_str());
    const std::string document = file(profile + "\\document.txt", "data");
    cleanTempFolder(app);
    EXPECT_TRUE(exists(document)) << "temporary path " << app.system.tempPath();
    DeleteFileA((temp + "\\linked").c_str());  // the link, before the tree goes
    RemoveDirectoryA((temp + "\\linked").c_str());
}

TEST_F(PrivacyWine, CookieCleanerSkipsDotFoldersAndAnUnsetProfile) {
    const std::string profile = dir("profile"), windows = dir("windows");
    const std::string cookies = dir("profile\\Cookies"), svn = dir("profile\\Cookies\\.svn");
    const std::string windowsCookies = dir("windows\\Cookies");
    setEnvironment("USERPROFILE", profile.c_str());
    setEnvironment("windir", windows.c_str());
    const std::string c1 = file(cookies + "\\me@site[1].txt", "data");
    const std::string c2 = file(windowsCookies + "\\index.dat", "data");
    const std::string kept = file(svn + "\\entries", "data");
    cleanCookies(app);
    EXPECT_FALSE(exists(c1));
    EXPECT_FALSE(exists(c2));
    EXPECT_TRUE(exists(kept));

    // Unset, the profile would make "\Cookies" on the current drive: nothing there is touched.
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const std::string driveCookies = root.substr(0, 2) + "\\Cookies";
    CreateDirectoryA(driveCookies.c_str(), nullptr);
    ASSERT_TRUE(insideRunFolder(driveCookies));
    const std::string canary = file(driveCookies + "\\canary.txt", "data");
    const std::string again = file(cookies + "\\again.txt", "data");
    const std::string c3 = file(windowsCookies + "\\third.txt", "data");
    setEnvironment("USERPROFILE", nullptr);
    cleanCookies(app);
    EXPECT_TRUE(exists(canary));
    EXPECT_TRUE(exists(again));
    EXPECT_FALSE(exists(c3));
    removeTree(driveCookies);
}

}  // namespace
}  // namespace dv::winetest
