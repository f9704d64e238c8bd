#include "forms/routing/Routing.h"
#include "shell/main/Startup.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

using StartupTest = ShellTest;

TEST_F(StartupTest, FirstStartFromAFixedBaseFolder) {
    initialiseProcess(app, "C:\\Dustvane\\");
    p.fs.setCurrentDirectory("D:\\");  // a file dialog moved it
    addBaseFile("\\noscfile.dat", "C:\\keep.tmp\r\n\r\nD:\\x.bak\n");
    const int stored = ui.comboCount(Ctl::patternSetCombo);
    addBaseFile("\\Files.txt", "Find *.abc files only\r\n\r\nFind *.xyz files only");
    runStartup(app);
    EXPECT_EQ(ui.helpFiles[Ctl::MainWindow], "C:\\Dustvane\\help.hlp");
    EXPECT_EQ(app.state.exclusionList, (std::vector<std::string>{"C:\\keep.tmp", "D:\\x.bak"}));
    ASSERT_EQ(ui.comboCount(Ctl::patternSetCombo), stored + 2);
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored + 1), "Find *.xyz files only");
    EXPECT_EQ(ui.opened, (std::vector<Ctl>{Ctl::SplashWindow, Ctl::StartupWizardWindow}));
    EXPECT_EQ(app.state.splashTicks, 3);  // the splash closed itself
    EXPECT_EQ(ui.timerInterval(Ctl::splashTimer), 0);
    EXPECT_EQ(ui.windowStates[Ctl::MainWindow], WindowState::Centred);
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Start Search");  // no language: stored texts
}

// AutoSearch decides first; NotShow only chooses between the wizard and the plain window.
TEST_F(StartupTest, StartModes) {
    struct Case {
        uint32_t autoSearch, notShow;
        bool textValues, compact, wizard;
    };
    for (const Case& c : {Case{1, 0, false, true, false}, Case{1, 1, false, true, false},
                          Case{0, 1, false, false, false}, Case{2, 2, false, false, true},
                          Case{1, 1, true, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.autoSearch << "/" << c.notShow << "/" << c.textValues);
        FakePlatform fresh;
        for (auto [item, value] : {std::pair{kAutoSearchItem, c.autoSearch},
                                   std::pair{kNotShowItem, c.notShow}}) {
            if (c.textValues)  // REG_SZ "1" is not a switch
                regWriteText(fresh.app, kUsers, item, std::to_string(value));
            else
                regWriteInt(fresh.app, kUsers, item, value);
        }
        runStartup(fresh.app);
        FakeUi& u = fresh.ui;
        EXPECT_EQ(u.opened.back() == Ctl::StartupWizardWindow, c.wizard);
        EXPECT_EQ(u.isVisible(Ctl::stepPanel), c.compact);
        EXPECT_EQ(u.windowSizes.count(Ctl::MainWindow) == 1, c.compact);
        if (c.compact) {
            EXPECT_EQ(u.windowSizes[Ctl::MainWindow], std::make_pair(387, 132));
            EXPECT_EQ(u.timerInterval(Ctl::stepTimer), 30);
            EXPECT_EQ(u.comboSelection(Ctl::patternSetCombo), 3);
        }
        EXPECT_TRUE(c.wizard || u.isVisible(Ctl::MainWindow));
    }
}

TEST_F(StartupTest, CompactStartDeletesWhatItFindsAndEnds) {
    p.fs.addFile("C:\\Work\\report.bak", "old");
    p.fs.addFile("C:\\Work\\report.doc", "keep");
    // The cleaners run before the search: what they delete is never listed.
    p.fs.addFile("C:\\Users\\owner\\Cookies\\me.txt");
    p.fs.addFile("C:\\Temp\\setup.bak");
    p.urlCache.add("http://site/page.htm");
    setSwitches(1, 0);
    runStartup(app);
    EXPECT_EQ(p.fs.deleted, (std::vector<std::string>{"C:\\Users\\owner\\Cookies\\me.txt",
                                                      "C:\\Temp\\setup.bak"}));
    EXPECT_TRUE(p.urlCache.urls().empty());
    ASSERT_EQ(ui.rowCount(Ctl::resultList), 1);
    stepTimerTick(app);
    EXPECT_EQ(ui.rowCount(Ctl::resultList), 1);  // waits for the alert
    alertBlinkTick(app);
    stepTimerTick(app);
    finishTimerTick(app);
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(ui.exitCode, 0);
    EXPECT_FALSE(p.fs.exists("C:\\Work\\report.bak"));
    EXPECT_TRUE(p.fs.exists("C:\\Work\\report.doc"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupTest, EnterOnTheSplashMakesTheSameStartShowTheWizard) {
    setSwitches(1, 1);
    ui.whileModal(Ctl::SplashWindow, [&] { ui.raise(Ctl::SplashWindow, Event::KeyEnter); });
    runStartup(app);
    EXPECT_EQ(autoSearch(), 0u);
    EXPECT_EQ(notShow(), 0u);
    EXPECT_EQ(ui.opened.back(), Ctl::StartupWizardWindow);
}

TEST_F(StartupTest, WizardBoxesShowAndWriteTheSwitches) {
    setSwitches(1, 0);
    wizardCreated(app);
    EXPECT_FALSE(ui.isVisible(Ctl::MainWindow));
    EXPECT_TRUE(ui.isChecked(Ctl::wizardAutoSearchCheck));
    EXPECT_FALSE(ui.isChecked(Ctl::wizardNotShowCheck));
    ui.click(Ctl::wizardAutoSearchCheck);  // unticks it
    ui.click(Ctl::wizardNotShowCheck);     // ticks it
    EXPECT_EQ(autoSearch(), 0u);
    EXPECT_EQ(notShow(), 1u);
}

TEST_F(StartupTest, EveryWayOutOfTheWizardShowsMainWindow) {
    for (Ctl way : {Ctl::wizardProSearchButton, Ctl::wizardAutoSearchButton, Ctl::None}) {
        FakePlatform f;
        f.ui.whileModal(Ctl::StartupWizardWindow, [&] {
            if (way != Ctl::None)
                f.ui.click(way);
            else if (closeRequested(f.app, Ctl::StartupWizardWindow))  // Alt+F4
                f.ui.closeWindow(Ctl::StartupWizardWindow);
        });
        runStartup(f.app);
        const bool compact = way == Ctl::wizardAutoSearchButton;
        EXPECT_TRUE(f.ui.isVisible(Ctl::MainWindow));
        EXPECT_EQ(f.ui.isVisible(Ctl::stepPanel), compact);
        EXPECT_EQ(f.ui.windowSizes.count(Ctl::MainWindow) == 1, compact);
        EXPECT_EQ(f.system.sleeps.size(), compact ? 1u : 0u);
        EXPECT_EQ(f.urlCache.patterns.size(), compact ? 1u : 0u);  // the cleaners ran
        EXPECT_TRUE(!compact || f.ui.isVisible(Ctl::alertLabel));  // the search ran
    }
}

}  // namespace
}  // namespace dv
