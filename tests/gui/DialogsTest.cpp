// The six dialogs, each opened from its control, and the work of the two list dialogs.
#include <vector>

#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

namespace gui {
namespace {

constexpr int kOthersItem = 4;  // "Others ..." among the language menu's items

enum class Way { Button, LanguageMenu, ThroughPrivacy };

struct DialogCase {
    Ctl window;
    Way way;
    Ctl opener;                 // on MainWindow, or Plugin on PrivacyTracesWindow
    std::vector<Ctl> controls;  // shown with their stored texts; the last one closes the dialog
};

const DialogCase kDialogs[] = {
    {Ctl::AddGarbageTypeWindow, Way::Button, Ctl::addGarbageTypeButton,
     {Ctl::addTypePromptLabel, Ctl::addTypeDescriptionEdit, Ctl::addTypeReturnButton}},
    {Ctl::AboutWindow, Way::Button, Ctl::aboutButton, {Ctl::aboutVersionLabel, Ctl::aboutCloseButton}},
    {Ctl::LanguageWindow, Way::LanguageMenu, Ctl::languageButton,
     {Ctl::languageList, Ctl::languageReturnButton}},
    {Ctl::UpdateSettingsWindow, Way::Button, Ctl::updateSettingsButton,
     {Ctl::updateAutoCheck, Ctl::updateReturnButton}},
    {Ctl::PrivacyTracesWindow, Way::Button, Ctl::privacyTracesButton,
     {Ctl::privacyShowStepCheck, Ctl::privacyCloseButton}},
    {Ctl::ExclusionListWindow, Way::ThroughPrivacy, Ctl::privacyPluginButton,
     {Ctl::exclusionHeadingLabel, Ctl::exclusionReturnButton}},
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
        return waitTopWindow(pid(), d.window, kShortWait);
    }

    // The language files the build ships, in the program's folder.
    bool installLanguage() {
        std::string source = builtProgramPath();
        source = source.substr(0, source.find_last_of('\\')) + "\\LANGUAGE\\";
        const std::string target = app().folder() + "\\LANGUAGE\\";
        return makeFolders(target) &&
               CopyFileA((source + "English.lng").c_str(), (target + "English.lng").c_str(),
                         FALSE) &&
               writeFile(target + "language.ini", "[Dustvane]\r\nlanguage=3\r\n");
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
        SCOPED_TRACE(dv::controlName(d.window));
        HWND dialog = open(d, top);
        ASSERT_TRUE(dialog) << "did not open";
        EXPECT_FALSE(IsWindowEnabled(top)) << "not modal";
        for (Ctl c : d.controls) EXPECT_TRUE(placed(dialog, place(c, true), 500)) << dv::controlName(c);
        HWND closer = placed(dialog, d.controls.back());
        ASSERT_TRUE(closer);
        click(closer);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kShortWait)) << "still open";
        if (d.way == Way::ThroughPrivacy) {
            HWND privacy = waitTopWindow(pid(), Ctl::PrivacyTracesWindow, kShortWait);
            ASSERT_TRUE(privacy);
            click(placed(privacy, Ctl::privacyReturnButton));
            waitUntil([&] { return !IsWindow(privacy); }, kShortWait);
        }
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(top) != FALSE; }, kShortWait));
    }
}

// Esc does what each dialog's close button does; on the main window it does nothing.
TEST_F(DialogsTest, EscClosesEachDialogAndLeavesTheMainWindow) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    postKey(top, VK_ESCAPE);
    for (const DialogCase& d : kDialogs) {
        SCOPED_TRACE(dv::controlName(d.window));
        HWND dialog = open(d, top);
        ASSERT_TRUE(dialog) << "did not open";
        postKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kShortWait)) << "still open";
        if (d.way == Way::ThroughPrivacy) {  // back in the privacy dialog, which goes too
            HWND privacy = waitTopWindow(pid(), Ctl::PrivacyTracesWindow, kShortWait);
            ASSERT_TRUE(privacy);
            postKey(privacy, VK_ESCAPE);
            EXPECT_TRUE(waitUntil([&] { return !IsWindow(privacy); }, kShortWait));
        }
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(top) != FALSE; }, kShortWait));
    }
    EXPECT_TRUE(IsWindowVisible(top) && !IsIconic(top));
}

TEST_F(DialogsTest, NewJunkTypeIsAddedAndKeptAKnownOneIsNamed) {
    ASSERT_TRUE(installLanguage());
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND sets = placed(top, Ctl::patternSetCombo);
    ASSERT_TRUE(sets);
    const int stored = comboCount(sets);
    HWND dialog = open(kDialogs[0], top);
    ASSERT_TRUE(dialog);
    HWND pattern = placed(dialog, Ctl::addTypePatternEdit);
    HWND description = placed(dialog, Ctl::addTypeDescriptionEdit);
    HWND add = placedAnyCaption(dialog, Ctl::addTypeAddButton);  // the language file's caption
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
    sets = placed(top, Ctl::patternSetCombo);
    ASSERT_TRUE(sets);
    ASSERT_EQ(stored + 1, comboCount(sets));
    selectCombo(sets, stored);
    EXPECT_TRUE(waitUntil([&] { return textOf(sets) == "Find *.zzq files only"; }, kShortWait));
}

TEST_F(DialogsTest, AddRemovesTheTickedExclusionsAndKeepsTheOthersInOrder) {
    const std::string file = app().folder() + "\\noscfile.dat";
    ASSERT_TRUE(
        writeFile(file, "C:\\a.tmp\r\nC:\\b.tmp\r\nC:\\c.tmp\r\nC:\\d.tmp\r\nC:\\e.tmp"));
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND dialog = open(kDialogs[5], top);
    ASSERT_TRUE(dialog);
    HWND list = placed(dialog, Ctl::exclusionList);
    ASSERT_TRUE(list);
    ASSERT_TRUE(waitUntil([&] { return listRowCount(list) == 5; }, kShortWait));
    for (int row : {1, 3}) {
        clickRowTick(app().process(), list, row);
        EXPECT_TRUE(waitUntil([&] { return listTicked(list, row); }, kShortWait)) << row;
    }
    click(placed(dialog, Ctl::exclusionAddButton));
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
    ASSERT_TRUE(writeFile(chosen, "x"));
    click(placed(dialog, Ctl::exclusionAddButton));
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
