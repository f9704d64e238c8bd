// The language choices and the drive-space display on real windows, files and drives.
#include "shell/Language.h"
#include "tests/wine/WineTest.h"
#include "tests/wine/ui/UiWineEnv.h"

namespace dv::winetest {
namespace {

class ChoicesWine : public UiWine {
protected:
    void SetUp() override {
        UiWine::SetUp();
        ASSERT_TRUE(scratch.ready() && makeFolders(folder + "\\LANGUAGE\\others"));
        app.state.baseFolder = folder;
    }
    void TearDown() override {
        for (Ctl w : {Ctl::LanguageWindow, Ctl::MainWindow}) ui.closeWindow(w);
    }
    void write(const std::string& relative, const std::string& text) {
        ASSERT_TRUE(writeFile(folder + relative, text)) << relative;
    }
    std::string caption(Ctl c) {
        char buf[256] = {};
        GetWindowTextA(hwndOf(c), buf, sizeof buf);
        return buf;
    }

    ScratchFolder scratch{testName()};
    const std::string folder = scratch.root();  // the base folder, no "\" at its end
};

TEST_F(ChoicesWine, SixKeepsTheStoredTextsAndJapaneseFromTheMenuAppliesAtOnce) {
    write("\\LANGUAGE\\language.ini", "[Dustvane]\r\nlanguage=6\r\n");
    std::string japanese;
    for (int key = 1; key <= 140; ++key)
        japanese += std::to_string(key) + "=J" + std::to_string(key) + "\r\n";
    write("\\LANGUAGE\\Japanese.lng", japanese);
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));

    EXPECT_EQ(loadLanguage(app), 1);  // "6" names no file: nothing is read or applied
    EXPECT_TRUE(app.state.languageLines.empty());
    EXPECT_EQ(caption(Ctl::startSearchButton), "Start Search");

    ui.raise(Ctl::languageMenuJapanese, Event::Click);
    char value[16] = {};
    GetPrivateProfileStringA("Dustvane", "language", "", value, sizeof value,
                             (folder + "\\LANGUAGE\\language.ini").c_str());
    EXPECT_STREQ(value, "4");
    EXPECT_EQ(caption(Ctl::startSearchButton), "J17");
    EXPECT_EQ(ui.tooltip(Ctl::languageButton), "J36");
    EXPECT_EQ(ui.text(Ctl::languageMenuOthers), "J112");
}

TEST_F(ChoicesWine, OthersWindowTicksTheStoredFileWhateverTheCaseOfItsName) {
    write("\\LANGUAGE\\language.ini", "[Dustvane]\r\nlanguage=5\r\n");
    write("\\LANGUAGE\\others\\lngfile.ini", "[Dustvane]\r\nFilename=english.lng\r\n");
    write("\\LANGUAGE\\others\\Deutsch.lng", "1=D\r\n");
    write("\\LANGUAGE\\others\\ENGLISH.LNG", "1=E\r\n");
    ASSERT_TRUE(ui.createWindow(Ctl::LanguageWindow));
    ui.raise(Ctl::LanguageWindow, Event::Created);

    ASSERT_EQ(ui.rowCount(Ctl::languageList), 2);
    const int english = ui.cell(Ctl::languageList, 0, 0) == "ENGLISH.LNG" ? 0 : 1;
    EXPECT_EQ(ui.cell(Ctl::languageList, english, 0), "ENGLISH.LNG");
    EXPECT_EQ(ui.currentRow(Ctl::languageList), english);
    EXPECT_TRUE(ui.isTicked(Ctl::languageList, english));
    EXPECT_FALSE(ui.isTicked(Ctl::languageList, 1 - english));
}

// wine-exec.sh mounts an 8 MiB drive for this program (DV_SIZED_DRIVE_MB in CMakeLists.txt).
TEST_F(ChoicesWine, DriveSpaceShowsTheSizeOfAnEightMegabyteDrive) {
    char drive[8] = {};
    if (!GetEnvironmentVariableA("DV_SIZED_DRIVE", drive, sizeof drive))
        GTEST_SKIP() << "no drive of a known size in this run";
    const std::string filler = std::string(drive) + "\\filler.bin";
    ASSERT_TRUE(writeFile(filler, std::string(2 << 20, 'x')));

    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    app.state.languageLines.assign(51, "-");
    app.state.languageLines[49] = "50=Free:";
    app.state.languageLines[50] = "51=Total:";
    ui.setComboSelection(Ctl::driveCombo, 1 + (drive[0] - 'C'));  // "Hard Drive S:\"
    ui.raise(Ctl::driveCombo, Event::SelChange);
    DeleteFileA(filler.c_str());

    EXPECT_EQ(ui.text(Ctl::diskSpaceText), "Free: 6 MB\r\nTotal: 8 MB");
    EXPECT_EQ(ui.backColour(Ctl::diskRatioBar), 0xD2FFD2u);
    RECT bar;
    GetClientRect(hwndOf(Ctl::diskRatioBar), &bar);
    EXPECT_EQ(bar.right, 187);  // 6 / 8 of 250 px
}

}  // namespace
}  // namespace dv::winetest
