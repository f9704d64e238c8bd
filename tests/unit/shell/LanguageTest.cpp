#include "forms/routing/Routing.h"
#include "shell/Language.h"
#include "shell/Texts.h"
#include "shell/main/LanguageChoice.h"
#include "shell/main/Startup.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

// "1=Text 1\r\n" .. "last=Text last\r\n", without the line of `skip`.
std::string languageText(int last, int skip = 0) {
    std::string text;
    for (int key = 1; key <= last; ++key)
        if (key != skip) text += std::to_string(key) + "=Text " + std::to_string(key) + "\r\n";
    return text;
}

class LanguageTest : public ShellTest {
protected:
    void choose(const std::string& value) {
        addBaseFile("\\LANGUAGE\\language.ini", "[Dustvane]\r\nlanguage=" + value + "\r\n");
    }
};

TEST_F(LanguageTest, ChoosesTheFileOfTheValue) {
    EXPECT_EQ(loadLanguage(app), 0);  // no language.ini
    choose("4");
    EXPECT_EQ(loadLanguage(app), 0);  // chosen file missing
    addBaseFile("\\LANGUAGE\\Japanese.lng", "1=Nihongo\r\n");
    EXPECT_EQ(loadLanguage(app), 1);
    choose("6");  // names no file: the lines stay
    EXPECT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(textOfKey(app, 1), "Nihongo");
    choose("5");  // without lngfile.ini: English.lng of the others folder
    addBaseFile("\\LANGUAGE\\others\\English.lng", "1=Other\r\n");
    EXPECT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(textOfKey(app, 1), "Other");
    p.fs.unreadable.insert(FakeFileSystem::fold(basePath(app, "\\LANGUAGE\\others\\English.lng")));
    p.fs.addFile(basePath(app, "\\LANGUAGE\\others\\English.lng"), "1=New\r\n");
    EXPECT_EQ(loadLanguage(app), 0);  // unreadable: the old lines stay
    EXPECT_EQ(textOfKey(app, 1), "Other");
}

TEST_F(LanguageTest, LineRules) {
    choose("3");
    addBaseFile("\\LANGUAGE\\English.lng",
                "\r\n1=One\r\n\n\r\n2=caf\xE9\r\n"  // a high byte before CR LF still ends the line
                "3=\x82\xA0x=y\x81\n.\n"            // double-byte text, one trail byte 0x0A
                "4=last\x1A" "5=after the end\n");
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(app.state.languageLines,
              (std::vector<std::string>{"1=One", "2=caf\xE9", "3=\x82\xA0x=y\x81\n.", "4=last"}));
    EXPECT_EQ(textOfKey(app, 3), "\x82\xA0x=y\x81\n.");
    addBaseFile("\\LANGUAGE\\English.lng", std::string("1=a\r\n2=b\0\r\n3=c\r\n", 16));
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(app.state.languageLines, (std::vector<std::string>{"1=a", "2=b"}));
    // Not one line holds its own key: no language file, the lines stay.
    for (const char* garbage : {"", "\x7F\x01ELF=\r\n2\r\n", "9=x 8=y 7=z, all on one line"}) {
        addBaseFile("\\LANGUAGE\\English.lng", garbage);
        EXPECT_EQ(loadLanguage(app), 0) << garbage;
        EXPECT_EQ(textOfKey(app, 1), "a");
    }

    addBaseFile("\\LANGUAGE\\English.lng", languageText(140, 20));
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(textOfKey(app, 19), "Text 19");
    for (int key = 20; key <= 140; ++key)  // line 20 now holds key 21, and so on
        EXPECT_EQ(textOfKey(app, key), "") << key;
}

TEST_F(LanguageTest, MainWindowTexts) {
    std::string text = languageText(112, 27);
    text.insert(text.find("28="), "27=Name;Type;;\r\n");  // three titles, the third empty
    choose("3");
    addBaseFile("\\LANGUAGE\\English.lng", text);
    for (int column = 0; column < 5; ++column)
        ui.setColumnTitle(Ctl::resultList, column, "old" + std::to_string(column));
    ASSERT_EQ(loadLanguage(app), 1);
    app.state.languageLines[16] = "x";  // key 17 missing: its caption goes empty
    ui.setComboSelection(Ctl::driveCombo, 1);
    p.system.disks["c:\\"] = {1 << 30, 1 << 29};
    applyMainWindowTexts(app);
    EXPECT_EQ(ui.text(Ctl::diskSpaceText), "Text 50 512 MB\r\nText 51 1024 MB");

    EXPECT_EQ(ui.text(Ctl::footerLabel), "Text 1");
    EXPECT_EQ(ui.tooltip(Ctl::deleteAllButton), "Text 8");
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "");
    EXPECT_EQ(ui.tooltip(Ctl::languageButton), "Text 36");
    EXPECT_EQ(ui.text(Ctl::languageMenuOthers), "Text 112");
    EXPECT_EQ(ui.text(Ctl::showStepCheck), "Text 111");
    auto& titles = ui.state(Ctl::resultList).columnTitles;
    EXPECT_EQ(titles, (std::map<int, std::string>{
                          {0, "Name"}, {1, "Type"}, {2, ""}, {3, "old3"}, {4, "old4"}}));
}

TEST_F(LanguageTest, StartupAppliesTheLanguageToMainWindowAndWizard) {
    choose("3");
    addBaseFile("\\LANGUAGE\\English.lng", languageText(112));
    runStartup(app);
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Text 17");
    EXPECT_EQ(ui.text(Ctl::wizardAutoSearchButton), "Text 105");
    EXPECT_EQ(ui.tooltip(Ctl::wizardProSearchButton), "Text 108");
}

TEST_F(LanguageTest, MenuWritesTheValueAndAppliesItsFileAtOnce) {
    choose("6");
    addBaseFile("\\LANGUAGE\\Japanese.lng", languageText(112));
    ui.menuChoices = {Ctl::languageMenuJapanese, Ctl::languageMenuChineseGB};
    raiseEvent(app, Ctl::languageButton, Event::Click);
    EXPECT_EQ(languageValue(app), "4");
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Text 17");
    // A language whose file is missing keeps the texts, but its value is written.
    raiseEvent(app, Ctl::languageButton, Event::Click);
    EXPECT_EQ(languageValue(app), "1");
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Text 17");
    EXPECT_EQ(ui.menus, (std::vector<Ctl>{Ctl::languageMenu, Ctl::languageMenu}));
}

TEST_F(LanguageTest, OthersWindowSelectsTheStoredFileAndAppliesOnlyTheChosenTickedRow) {
    addBaseFile("\\LANGUAGE\\others\\Deutsch.lng", "17=Suche\r\n");
    addBaseFile("\\LANGUAGE\\others\\ENGLISH.LNG", languageText(112));
    p.fs.addFolder(basePath(app, "\\LANGUAGE\\others\\folder.lng"));
    struct Case {
        const char* value;
        const char* filename;  // nullptr: lngfile.ini missing
        int selected;
    };
    for (const Case& c : {Case{"5", "english.lng", 1}, Case{"5", nullptr, 1}, Case{"5", "deu", 0},
                          Case{"3", "english.lng", -1}, Case{"5", "none.lng", -1}}) {
        SCOPED_TRACE(std::string(c.value) + " " + (c.filename ? c.filename : "-"));
        choose(c.value);
        p.fs.deleteFile(basePath(app, kOthersIni));
        if (c.filename)
            addBaseFile(kOthersIni, std::string("[Dustvane]\r\nFilename=") + c.filename + "\r\n");
        ui.clearRows(Ctl::languageList);
        ui.setCurrentRow(Ctl::languageList, -1);
        languageWindowCreated(app);
        EXPECT_EQ(ui.rowTexts(Ctl::languageList),
                  (std::vector<std::string>{"Deutsch.lng |  |  |  | ", "ENGLISH.LNG |  |  |  | "}));
        EXPECT_EQ(ui.currentRow(Ctl::languageList), c.selected);
        EXPECT_EQ(ui.isTicked(Ctl::languageList, 0), c.selected == 0);
        EXPECT_EQ(ui.isTicked(Ctl::languageList, 1), c.selected == 1);
    }

    // Ticked but not chosen, or chosen but not ticked: Apply does nothing.
    ui.openWindows.insert(Ctl::LanguageWindow);
    ui.setTicked(Ctl::languageList, 1, true);
    ui.setCurrentRow(Ctl::languageList, 0);
    raiseEvent(app, Ctl::languageApplyButton, Event::Click);
    EXPECT_EQ(languageValue(app), "5");
    EXPECT_EQ(otherLanguageFile(app), "none.lng");
    EXPECT_TRUE(ui.openWindows.count(Ctl::LanguageWindow));

    ui.setCurrentRow(Ctl::languageList, 1);
    raiseEvent(app, Ctl::languageApplyButton, Event::Click);
    EXPECT_EQ(otherLanguageFile(app), "ENGLISH.LNG");
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Text 17");
    EXPECT_FALSE(ui.openWindows.count(Ctl::LanguageWindow));
}

TEST_F(LanguageTest, DialogsApplyTheirKeysOnlyWithALanguageLoaded) {
    ui.openModal(Ctl::AboutWindow);
    EXPECT_EQ(ui.text(Ctl::aboutVersionLabel), "Version: Pro v8.20build091220");
    app.state.languageLines = {"1=a"};
    ui.openModal(Ctl::AboutWindow);
    EXPECT_EQ(ui.text(Ctl::aboutVersionLabel), "");
    choose("3");
    addBaseFile("\\LANGUAGE\\English.lng", languageText(140));
    ASSERT_EQ(loadLanguage(app), 1);
    for (Ctl window : {Ctl::AddGarbageTypeWindow, Ctl::LanguageWindow, Ctl::UpdateSettingsWindow,
                       Ctl::PrivacyTracesWindow, Ctl::ExclusionListWindow})
        ui.openModal(window);
    EXPECT_EQ(ui.tooltip(Ctl::addTypeAddButton), "Text 118");
    EXPECT_EQ(ui.text(Ctl::languageApplyButton), "Text 116");
    EXPECT_EQ(ui.text(Ctl::updateDaysLabel), "Text 126");
    EXPECT_EQ(ui.text(Ctl::privacyPluginButton), "Text 138");
    EXPECT_EQ(ui.text(Ctl::exclusionHeadingLabel), "Text 140");
}

}  // namespace
}  // namespace dv
