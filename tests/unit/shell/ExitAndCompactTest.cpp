#include "shell/main/Startup.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

using ExitTest = ShellTest;

TEST_F(ExitTest, AskedUnlessASearchRuns) {
    app.state.languageLines.assign(46, "0=unused");
    for (const char* line : {"47=Wait for the search", "48=Title", "49=Exit now?"})
        app.state.languageLines.push_back(line);

    app.state.searchFinished = 0;  // running: flag clear and the button disabled
    ui.setEnabled(Ctl::startSearchButton, false);
    ui.answers = {kIdOk, kIdOk};
    exitRequest(app);
    EXPECT_FALSE(closeRequest(app));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Wait for the search");
    EXPECT_EQ(ui.messages[0].title, "Title");

    ui.setEnabled(Ctl::startSearchButton, true);  // the flag alone is 0 before any search
    ui.answers = {kIdNo, kIdOk, kIdYes};
    EXPECT_FALSE(closeRequest(app));
    EXPECT_FALSE(closeRequest(app));  // only an explicit Yes closes
    EXPECT_TRUE(closeRequest(app));
    EXPECT_EQ(ui.messages.back().text, "Exit now?");
    EXPECT_EQ(ui.messages.back().title, "Dustvane");
    EXPECT_EQ(ui.messages.back().style, kMbYesNo | kMbIconQuestion);
    exitRequest(app);  // answered No
    EXPECT_FALSE(ui.ended);
    EXPECT_EQ(app.state.languageLines.size(), 49u);
    ui.answers = {kIdYes};
    exitRequest(app);
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(ui.exitCode, 0);
}

using CompactTest = ShellTest;

TEST_F(CompactTest, NothingFoundEndsWithoutAnyMessage) {
    ui.setTimer(Ctl::stepTimer, 30);
    ui.setVisible(Ctl::alertLabel, true);
    stepTimerTick(app);
    EXPECT_EQ(ui.timerInterval(Ctl::stepTimer), 0);
    EXPECT_EQ(ui.timerInterval(Ctl::finishTimer), 30);
    finishTimerTick(app);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.ended);
}

TEST_F(CompactTest, ProgressWrapsAndFinishWaitsForAnEmptyList) {
    for (int i = 0; i < 101; ++i) stepTimerTick(app);
    EXPECT_EQ(ui.state(Ctl::stepProgressBar).progress, 101);
    ui.appendRow(Ctl::resultList, "x");
    finishTimerTick(app);  // the two timers share the counter
    EXPECT_EQ(ui.state(Ctl::stepProgressBar).progress, 1);
    EXPECT_FALSE(ui.ended);
}

// A listed file that became a folder after the search is left alone and keeps its row;
// the program still ends once delete-all has gone through the list.
TEST_F(CompactTest, EndsAfterTheDeleteEvenWhenItLeftARowAlone) {
    p.fs.addFolder("C:\\t\\x.tmp");
    int row = ui.appendRow(Ctl::resultList, "x.tmp");
    ui.setCell(Ctl::resultList, row, 4, "C:\\t\\x.tmp");
    ui.setChecked(Ctl::permanentModeRadio, true);
    ui.setVisible(Ctl::alertLabel, true);
    stepTimerTick(app);
    EXPECT_TRUE(p.fs.exists("C:\\t\\x.tmp"));
    EXPECT_EQ(ui.rowCount(Ctl::resultList), 1);
    finishTimerTick(app);
    EXPECT_TRUE(ui.ended);
}

TEST_F(CompactTest, ShowStepCheckWritesBothSwitches) {
    ui.setChecked(Ctl::showStepCheck, true);
    showStepCheckClicked(app);
    EXPECT_EQ(autoSearch() + notShow(), 0u);
    ui.setChecked(Ctl::showStepCheck, false);
    showStepCheckClicked(app);
    EXPECT_EQ(autoSearch() + notShow(), 2u);
}

}  // namespace
}  // namespace dv
