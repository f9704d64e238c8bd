#include "forms/Routing.h"
#include "shell/Startup.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

using StartupTest = ShellTest;

TEST_F(StartupTest, BaseFolderIsTheProgramFolderAndStaysFixed) {
    app.state.exclusionList = {"x"};
    app.state.languageLines = {"1=x"};
    initialiseProcess(app, "D:\\Tools\\");
    EXPECT_EQ(basePath(app, "\\help.hlp"), "D:\\Tools\\help.hlp");
    EXPECT_TRUE(app.state.exclusionList.empty());
    EXPECT_TRUE(app.state.languageLines.empty());
    p.fs.setCurrentDirectory("C:\\");  // a file dialog moved it
    EXPECT_EQ(basePath(app, "\\Files.txt"), "D:\\Tools\\Files.txt");
}

TEST_F(StartupTest, FirstStartPreparesTheWindowThenOpensTheWizard) {
    addBaseFile("\\noscfile.dat", "C:\\keep.tmp\r\n\r\nD:\\x.bak\n");
    runStartup(app);
    EXPECT_EQ(ui.windowStyles[Ctl::MainWindow], 0x80000u);
    EXPECT_EQ(ui.helpFiles[Ctl::MainWindow], "C:\\Dustvane\\help.hlp");
    EXPECT_EQ(app.state.exclusionList, (std::vector<std::string>{"C:\\keep.tmp", "D:\\x.bak"}));
    ASSERT_EQ(ui.opened, (std::vector<Ctl>{Ctl::SplashWindow, Ctl::StartupWizardWindow}));
    EXPECT_EQ(ui.windowStates[Ctl::MainWindow], WindowState::Centred);
    EXPECT_EQ(ui.comboSelection(Ctl::driveCombo), 0);
    EXPECT_EQ(ui.comboSelection(Ctl::patternSetCombo), 0);
    EXPECT_FALSE(ui.isVisible(Ctl::stepPanel));
    EXPECT_EQ(ui.text(Ctl::startSearchButton), "Start Search");  // no language: stored texts
}

// AutoSearch decides first; NotShow only chooses between the wizard and the plain window.
TEST_F(StartupTest, StartModes) {
    struct Case {
        const char* name;
        uint32_t autoSearch, notShow;
        bool compact, wizard;
    };
    for (const Case& c : {Case{"auto", 1, 0, true, false}, Case{"auto+notshow", 1, 1, true, false},
                          Case{"plain", 0, 1, false, false}, Case{"wizard", 0, 0, false, true},
                          Case{"other values", 2, 2, false, true}}) {
        SCOPED_TRACE(c.name);
        FakePlatform fresh;
        regWriteInt(fresh.app, kUsers, kAutoSearchItem, c.autoSearch);
        regWriteInt(fresh.app, kUsers, kNotShowItem, c.notShow);
        runStartup(fresh.app);
        FakeUi& u = fresh.ui;
        EXPECT_EQ(u.opened.back() == Ctl::StartupWizardWindow, c.wizard);
        EXPECT_EQ(u.isVisible(Ctl::stepPanel), c.compact);
        EXPECT_EQ(u.windowSizes.count(Ctl::MainWindow) == 1, c.compact);
        if (c.compact) {
            EXPECT_EQ(u.windowSizes[Ctl::MainWindow], std::make_pair(387, 132));
            EXPECT_EQ(u.timerInterval(Ctl::stepTimer), 30);
            EXPECT_EQ(u.comboSelection(Ctl::patternSetCombo), 3);
            EXPECT_TRUE(u.isVisible(Ctl::alertLabel));  // the search ran to its end
        }
        if (!c.wizard) EXPECT_TRUE(u.isVisible(Ctl::MainWindow));
    }
}

TEST_F(StartupTest, CompactStartDeletesWhatItFindsAndEnds) {
    p.fs.addFile("C:\\Work\\report.bak", "old");
    p.fs.addFile("C:\\Work\\report.doc", "keep");
    setSwitches(1, 0);
    runStartup(app);
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

TEST_F(StartupTest, TextSwitchValueReadsAsZero) {
    regWriteText(app, kUsers, kAutoSearchItem, "1");
    regWriteText(app, kUsers, kNotShowItem, "1");
    runStartup(app);
    EXPECT_EQ(ui.opened.back(), Ctl::StartupWizardWindow);
    EXPECT_FALSE(ui.isVisible(Ctl::stepPanel));
}

TEST_F(StartupTest, UserJunkTypesFollowTheStoredItems) {
    const int stored = ui.comboCount(Ctl::patternSetCombo);
    addBaseFile("\\Files.txt", "Find *.abc files only\r\n\r\nFind *.xyz files only");
    setSwitches(0, 1);
    runStartup(app);
    ASSERT_EQ(ui.comboCount(Ctl::patternSetCombo), stored + 2);
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored), "Find *.abc files only");
    EXPECT_EQ(ui.comboItem(Ctl::patternSetCombo, stored + 1), "Find *.xyz files only");
}

TEST_F(StartupTest, SplashClosesOnTheThirdTick) {
    ui.openWindows.insert(Ctl::SplashWindow);
    ui.setTimer(Ctl::splashTimer, 1000);
    app.state.splashTicks = 7;
    splashCreated(app);
    splashTick(app);
    splashTick(app);
    EXPECT_TRUE(ui.openWindows.count(Ctl::SplashWindow));
    splashTick(app);
    EXPECT_FALSE(ui.openWindows.count(Ctl::SplashWindow));
    EXPECT_EQ(ui.timerInterval(Ctl::splashTimer), 0);
}

TEST_F(StartupTest, EnterOnTheSplashMakesTheSameStartShowTheWizard) {
    setSwitches(1, 1);
    ui.whileModal(Ctl::SplashWindow, [&] { ui.raise(Ctl::SplashWindow, Event::KeyEnter); });
    runStartup(app);
    EXPECT_EQ(autoSearch(), 0u);
    EXPECT_EQ(notShow(), 0u);
    EXPECT_EQ(ui.opened.back(), Ctl::StartupWizardWindow);
    EXPECT_FALSE(ui.isVisible(Ctl::stepPanel));
}

TEST_F(StartupTest, WizardShowsAndWritesTheSwitches) {
    setSwitches(1, 0);
    wizardCreated(app);
    EXPECT_FALSE(ui.isVisible(Ctl::MainWindow));
    EXPECT_TRUE(ui.isChecked(Ctl::wizardAutoSearchCheck));
    EXPECT_FALSE(ui.isChecked(Ctl::wizardNotShowCheck));
    EXPECT_FALSE(ui.text(Ctl::wizardProSearchButton).empty());  // no language: stored texts

    ui.click(Ctl::wizardAutoSearchCheck);  // unticks it
    ui.click(Ctl::wizardNotShowCheck);     // ticks it
    EXPECT_EQ(autoSearch(), 0u);
    EXPECT_EQ(notShow(), 1u);
}

TEST_F(StartupTest, WizardWaysBackToTheMainWindow) {
    // Pro. Search: full window.
    ui.whileModal(Ctl::StartupWizardWindow, [&] { ui.click(Ctl::wizardProSearchButton); });
    runStartup(app);
    EXPECT_TRUE(ui.isVisible(Ctl::MainWindow));
    EXPECT_FALSE(ui.openWindows.count(Ctl::StartupWizardWindow));
    EXPECT_FALSE(ui.windowSizes.count(Ctl::MainWindow));

    // Alt+F4 on the wizard must not leave the program without a window.
    FakePlatform other;
    other.ui.whileModal(Ctl::StartupWizardWindow, [&] {
        if (closeRequested(other.app, Ctl::StartupWizardWindow))
            other.ui.closeWindow(Ctl::StartupWizardWindow);
    });
    runStartup(other.app);
    EXPECT_TRUE(other.ui.isVisible(Ctl::MainWindow));
    EXPECT_FALSE(other.ui.isVisible(Ctl::stepPanel));
}

TEST_F(StartupTest, WizardAutoSearchEntersCompactMode) {
    ui.whileModal(Ctl::StartupWizardWindow, [&] { ui.click(Ctl::wizardAutoSearchButton); });
    runStartup(app);
    EXPECT_FALSE(ui.openWindows.count(Ctl::StartupWizardWindow));
    EXPECT_TRUE(ui.isVisible(Ctl::MainWindow));
    EXPECT_TRUE(ui.isVisible(Ctl::stepPanel));
    EXPECT_EQ(ui.windowSizes[Ctl::MainWindow], std::make_pair(387, 132));
    EXPECT_EQ(ui.timerInterval(Ctl::stepTimer), 30);
    EXPECT_EQ(p.system.sleeps, (std::vector<uint32_t>{500}));
    EXPECT_EQ(ui.comboSelection(Ctl::patternSetCombo), 3);
    EXPECT_TRUE(ui.isVisible(Ctl::alertLabel));  // the search ran to its end
}

}  // namespace
}  // namespace dv
