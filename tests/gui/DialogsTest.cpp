// The six dialogs, each opened from its control, and the work of the two list dialogs.
#include <vector>

#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

namespace mw = main_window;

constexpr Place pluginButton{25, 195, 70, 20, "Plugin", "Button"};
constexpr Place privacyReturn{236, 195, 90, 20, "Return", "Button"};
constexpr Place typePattern{152, 56, 226, 16, nullptr, "Edit"};
constexpr Place typeDescription{152, 80, 226, 16, nullptr, "Edit"};
constexpr Place typeAdd{152, 108, 106, 18, nullptr, "Button"};
constexpr Place excludedList{23, 76, 278, 102, nullptr, "SysListView32"};
constexpr Place excludedAdd{106, 195, 90, 20, "Add", "Button"};
constexpr int kOthersItem = 4;  // "Others ..." among the language menu's items

enum class Way { Button, LanguageMenu, ThroughPrivacy };

struct DialogCase {
    const char* name;
    Way way;
    Place opener;  // on MainWindow, or Plugin on PrivacyTracesWindow
    const char* title;
    int width, height;
    std::vector<Place> controls;  // the last one closes the dialog
};

const DialogCase kDialogs[] = {
    {"AddGarbageTypeWindow", Way::Button, mw::addGarbageTypeButton, "Dustvane", 387, 138,
     {{9, 32, 368, 16, "Please input the garbage file type(eg: *.bak)", "Static"},
      {152, 80, 226, 16, "Find *.bak files only", "Edit"},
      {272, 108, 106, 18, "Return", "Button"}}},
    {"AboutWindow", Way::Button, mw::aboutButton, "About Dustvane", 387, 364,
     {{21, 94, 344, 20, "Version: Pro v8.20build091220", "Static"},
      {360, 7, 20, 17, nullptr, "Button"}}},
    {"LanguageWindow", Way::LanguageMenu, mw::languageButton, "Dustvane", 285, 238,
     {{24, 56, 236, 134, nullptr, "SysListView32"}, {170, 195, 90, 20, "Return", "Button"}}},
    {"UpdateSettingsWindow", Way::Button, mw::updateSettingsButton, "Dustvane", 285, 138,
     {{26, 28, 232, 16, "Check if a new version is available", "Button"},
      {170, 97, 90, 20, "Return", "Button"}}},
    {"PrivacyTracesWindow", Way::Button, mw::privacyTracesButton, "Dustvane", 355, 238,
     {{25, 172, 305, 16, "Show the step window when start", "Button"},
      {328, 7, 20, 17, nullptr, "Button"}}},
    {"ExclusionListWindow", Way::ThroughPrivacy, pluginButton, "Dustvane", 325, 238,
     {{23, 55, 278, 18, "Not Wish to Search or Delete the files Below", "Static"},
      {206, 195, 90, 20, "Return", "Button"}}},
};

class DialogsTest : public GuiTest {
protected:
    // Opens the dialog the way the user does; returns it once it shows.
    HWND open(const DialogCase& d, HWND top) {
        HWND from = top;
        if (d.way == Way::ThroughPrivacy) {
            from = open(kDialogs[4], top);
            if (!from) return nullptr;
        }
        HWND opener = placed(from, d.opener);
        if (!opener) return nullptr;
        click(opener);
        if (d.way == Way::LanguageMenu) {
            HWND menu = waitPopupMenu(pid(), kShortWait);
            if (!menu) return nullptr;
            pickMenuItem(menu, kOthersItem);
        }
        return waitTopWindow(pid(), d.title, d.width, d.height, kShortWait);
    }

    // The language files the build ships, in the program's folder.
    bool installLanguage() {
        std::string source = builtProgramPath();
        source = source.substr(0, source.find_last_of('\\')) + "\\LANGUAGE\\";
        const std::string target = app().folder() + "\\LANGUAGE\\";
        return makeFolder(target) &&
               CopyFileA((source + "English.lng").c_str(), (target + "English.lng").c_str(),
                         FALSE) &&
               makeTextFile(target + "language.ini", "[Dustvane]\r\nlanguage=3\r\n");
    }

    // Waits for a message box, checks its words and presses OK.
    void expectMessage(const std::string& title, const std::string& text) {
        MessageBoxSeen box = waitMessageBox(pid(), kShortWait);
        ASSERT_TRUE(box.hwnd) << "no message " << text;
        EXPECT_EQ(title, box.title);
        EXPECT_EQ(text, box.text);
        pressDialogButton(box.hwnd, "OK");
        waitUntil([&] { return !IsWindow(box.hwnd); }, kShortWait);
    }
};

TEST_F(DialogsTest, EachDialogOpensFromItsControlAsItsTableSays) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    for (const DialogCase& d : kDialogs) {
        SCOPED_TRACE(d.name);
        HWND dialog = open(d, top);
        ASSERT_TRUE(dialog) << "did not open";
        EXPECT_FALSE(IsWindowEnabled(top)) << "not modal";
        for (const Place& c : d.controls) EXPECT_TRUE(placed(dialog, c, 500)) << c.x << "," << c.y;
        HWND closer = placed(dialog, d.controls.back());
        ASSERT_TRUE(closer);
        click(closer);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kShortWait)) << "still open";
        if (d.way == Way::ThroughPrivacy) {
            HWND privacy = waitTopWindow(pid(), "Dustvane", 355, 238, kShortWait);
            ASSERT_TRUE(privacy);
            click(placed(privacy, privacyReturn));
            waitUntil([&] { return !IsWindow(privacy); }, kShortWait);
        }
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(top) != FALSE; }, kShortWait));
    }
}

TEST_F(DialogsTest, NewJunkTypeIsAddedAndKeptAKnownOneIsNamed) {
    ASSERT_TRUE(installLanguage());
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND sets = placed(top, mw::patternSetCombo);
    ASSERT_TRUE(sets);
    const int stored = comboCount(sets);
    HWND dialog = open(kDialogs[0], top);
    ASSERT_TRUE(dialog);
    HWND pattern = placed(dialog, typePattern), description = placed(dialog, typeDescription);
    HWND add = placed(dialog, typeAdd);
    ASSERT_TRUE(pattern && description && add);

    setText(pattern, "*.tmp");
    EXPECT_TRUE(
        waitUntil([&] { return textOf(description) == "Find *.tmp files only"; }, kShortWait));
    setText(pattern, "*.BAK");
    click(add);
    expectMessage("Dustvane", "This garbage file type is already in the list.");
    EXPECT_EQ("Find *.bak files only", textOf(sets));

    setText(pattern, "*.zzq");
    click(add);
    expectMessage("Info.", "OK");
    EXPECT_EQ(stored + 1, comboCount(sets));
    EXPECT_EQ("Find *.zzq files only\r\n", fileContent(app().folder() + "\\Files.txt"));

    app().kill();  // the type outlives the program
    top = startNormal();
    ASSERT_TRUE(top);
    sets = placed(top, mw::patternSetCombo);
    ASSERT_TRUE(sets);
    ASSERT_EQ(stored + 1, comboCount(sets));
    selectCombo(sets, stored);
    EXPECT_TRUE(waitUntil([&] { return textOf(sets) == "Find *.zzq files only"; }, kShortWait));
}

TEST_F(DialogsTest, AddRemovesTheTickedExclusionsAndKeepsTheOthersInOrder) {
    const std::string file = app().folder() + "\\noscfile.dat";
    ASSERT_TRUE(
        makeTextFile(file, "C:\\a.tmp\r\nC:\\b.tmp\r\nC:\\c.tmp\r\nC:\\d.tmp\r\nC:\\e.tmp"));
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND dialog = open(kDialogs[5], top);
    ASSERT_TRUE(dialog);
    HWND list = placed(dialog, excludedList);
    ASSERT_TRUE(list);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(list) == 5; }, kShortWait));
    for (int row : {1, 3}) {
        clickRowTick(app().process(), list, row);
        EXPECT_TRUE(waitUntil([&] { return listTicked(list, row); }, kShortWait)) << row;
    }
    click(placed(dialog, excludedAdd));
    EXPECT_TRUE(waitUntil(
        [&] { return fileContent(file) == "C:\\a.tmp\r\nC:\\c.tmp\r\nC:\\e.tmp"; }, kShortWait))
        << fileContent(file);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(list) == 3; }, kShortWait));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(std::string("C:\\") + "ace"[row] + ".tmp",
                  listCell(app().process(), list, row, 0));
        EXPECT_FALSE(listTicked(list, row));
    }

    // Nothing ticked: the open-file dialog adds the chosen file, and MainWindow stays
    // disabled under the dialogs after it.
    const std::string chosen = app().folder() + "\\chosen.dat";
    ASSERT_TRUE(makeTextFile(chosen, "x"));
    click(placed(dialog, excludedAdd));
    MessageBoxSeen files = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(files.hwnd) << "no open-file dialog";
    HWND name = GetDlgItem(files.hwnd, 0x47c);  // the file name box
    ASSERT_TRUE(name);
    setText(name, chosen);
    ASSERT_TRUE(pressDialogButton(files.hwnd, "Open"));
    ASSERT_TRUE(waitUntil([&] { return listRowCount(list) == 4; }, kShortWait));
    EXPECT_EQ(chosen, listCell(app().process(), list, 3, 0));
    EXPECT_EQ(chosen + "\r\nC:\\a.tmp\r\nC:\\c.tmp\r\nC:\\e.tmp", fileContent(file));
    EXPECT_FALSE(IsWindowEnabled(top));
}

}  // namespace
}  // namespace gui
