#include "shell/Language.h"
#include "shell/Startup.h"
#include "shell/Texts.h"
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
                "3=\x82\xA0x=y\n"                   // double-byte text; "=" inside the text
                "4=last\x1A" "5=after the end\n");
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(app.state.languageLines,
              (std::vector<std::string>{"1=One", "2=caf\xE9", "3=\x82\xA0x=y", "4=last"}));
    EXPECT_EQ(textOfKey(app, 3), "\x82\xA0x=y");
    addBaseFile("\\LANGUAGE\\English.lng", std::string("1=a\r\n2=b\0\r\n3=c\r\n", 16));
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(app.state.languageLines, (std::vector<std::string>{"1=a", "2=b"}));

    addBaseFile("\\LANGUAGE\\English.lng", languageText(140, 20));
    ASSERT_EQ(loadLanguage(app), 1);
    EXPECT_EQ(textOfKey(app, 19), "Text 19");
    EXPECT_EQ(textOfKey(app, 20), "");  // line 20 now holds key 21
    EXPECT_EQ(textOfKey(app, 111), "");
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
    applyMainWindowTexts(app);

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

}  // namespace
}  // namespace dv
