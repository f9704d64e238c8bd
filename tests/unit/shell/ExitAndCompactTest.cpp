#include "shell/Startup.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

class ExitTest : public ShellTest {
protected:
    void SetUp() override {
        app.state.languageLines = {"47=Wait for the search", "48=Dustvane title",
                                   "49=Exit now?"};
        // Lines 1..46 are placeholders so that keys 47..49 sit on their own lines.
        app.state.languageLines.insert(app.state.languageLines.begin(), 46, "0=unused");
    }
    void startRunningSearch() {
        app.state.searchFinished = 0;
        ui.setEnabled(Ctl::startSearchButton, false);
    }
};

TEST_F(ExitTest, QuestionNoLeavesEverythingYesEnds) {
    exitRequest(app);  // the fake answers No
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Exit now?");
    EXPECT_EQ(ui.messages[0].title, "Dustvane");
    EXPECT_EQ(ui.messages[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_FALSE(ui.ended);
    EXPECT_EQ(app.state.languageLines.size(), 49u);

    ui.answers = {kIdYes};
    exitRequest(app);
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(ui.exitCode, 0);
}

TEST_F(ExitTest, CloseRequestClosesOnlyOnYes) {
    ui.answers = {kIdNo, kIdOk, kIdYes};
    EXPECT_FALSE(closeRequest(app));
    EXPECT_FALSE(closeRequest(app));  // anything but Yes keeps the window
    EXPECT_TRUE(closeRequest(app));
    EXPECT_FALSE(ui.ended);
}

TEST_F(ExitTest, RefusedWhileASearchRuns) {
    startRunningSearch();
    exitRequest(app);
    EXPECT_FALSE(closeRequest(app));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Wait for the search");
    EXPECT_EQ(ui.messages[0].title, "Dustvane title");
    EXPECT_EQ(ui.messages[0].style & 0xF, kMbOk);
    EXPECT_FALSE(ui.ended);

    // Before the first search the flag is 0 too, but the button is enabled: not running.
    ui.setEnabled(Ctl::startSearchButton, true);
    ui.answers = {kIdYes};
    exitRequest(app);
    EXPECT_TRUE(ui.ended);
}

using CompactTest = ShellTest;

TEST_F(CompactTest, StepTimerWaitsForTheSearchThenDeletesAndEnds) {
    for (const char* name : {"C:\\a.tmp", "C:\\b.bak"}) {
        p.fs.addFile(name, "junk");
        int row = ui.appendRow(Ctl::resultList, name + 3);
        ui.setCell(Ctl::resultList, row, 2, "4");
        ui.setCell(Ctl::resultList, row, 4, name);
    }
    ui.setTimer(Ctl::stepTimer, 30);
    stepTimerTick(app);  // search still running: only the bar moves
    EXPECT_EQ(ui.state(Ctl::stepProgressBar).progress, 1);
    EXPECT_EQ(ui.rowCount(Ctl::resultList), 2);

    // Ticks of finishTimer during the delete must not end the program half-way.
    for (int n = 1; n <= 50; ++n)
        ui.atProcessCall(ui.processCalls + n, [&] { finishTimerTick(app); });
    ui.setVisible(Ctl::alertLabel, true);
    ui.setTimer(Ctl::alertBlinkTimer, 500);
    stepTimerTick(app);
    EXPECT_FALSE(ui.ended);
    EXPECT_FALSE(ui.isVisible(Ctl::alertLabel));
    EXPECT_EQ(ui.timerInterval(Ctl::alertBlinkTimer), 0);
    EXPECT_EQ(ui.timerInterval(Ctl::stepTimer), 0);
    EXPECT_EQ(ui.timerInterval(Ctl::finishTimer), 30);
    EXPECT_EQ(ui.rowCount(Ctl::resultList), 0);
    EXPECT_FALSE(p.fs.exists("C:\\a.tmp"));

    finishTimerTick(app);
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(ui.exitCode, 0);
    EXPECT_EQ(ui.timerInterval(Ctl::finishTimer), 0);
}

TEST_F(CompactTest, NothingFoundEndsWithoutAnyMessage) {
    ui.setVisible(Ctl::alertLabel, true);
    stepTimerTick(app);
    finishTimerTick(app);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.ended);
}

TEST_F(CompactTest, FinishTimerWaitsWhileRowsRemain) {
    ui.appendRow(Ctl::resultList, "x");
    finishTimerTick(app);
    EXPECT_FALSE(ui.ended);
}

TEST_F(CompactTest, ProgressCounterWrapsAfterPassingHundred) {
    for (int i = 0; i < 101; ++i) stepTimerTick(app);
    EXPECT_EQ(ui.state(Ctl::stepProgressBar).progress, 101);
    EXPECT_EQ(app.state.progressCounter, 0);
    finishTimerTick(app);  // the two timers share the counter
    EXPECT_EQ(ui.state(Ctl::stepProgressBar).progress, 1);
}

TEST_F(CompactTest, ShowStepCheckWritesBothSwitches) {
    ui.setChecked(Ctl::showStepCheck, true);
    showStepCheckClicked(app);
    EXPECT_EQ(autoSearch(), 0u);
    EXPECT_EQ(notShow(), 0u);
    ui.setChecked(Ctl::showStepCheck, false);
    showStepCheckClicked(app);
    EXPECT_EQ(autoSearch(), 1u);
    EXPECT_EQ(notShow(), 1u);
}

TEST_F(CompactTest, AlertBlinkTogglesStartingWithShow) {
    ui.setVisible(Ctl::alertLabel, false);
    alertBlinkTick(app);
    EXPECT_TRUE(ui.isVisible(Ctl::alertLabel));
    alertBlinkTick(app);
    EXPECT_FALSE(ui.isVisible(Ctl::alertLabel));
}

}  // namespace
}  // namespace dv
