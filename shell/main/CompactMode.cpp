#include "cleanup/DeleteCommands.h"
#include "privacy/Cleaners.h"
#include "search/SearchEngine.h"
#include "shell/Settings.h"
#include "shell/main/Startup.h"
#include "update/UpdateCheck.h"

namespace dv {

namespace {

constexpr int kStepIntervalMs = 30;


// Adds 1 to the shared counter and shows it; after a value above 100 it restarts at 0.
void advanceProgress(App& app) {
    int& counter = app.state.progressCounter;
    ++counter;
    app.ui.setProgress(Ctl::stepProgressBar, counter);
    if (counter > 100) counter = 0;
}

}  // namespace

void enterCompactMode(App& app) {
    Ui& ui = app.ui;
    ui.setComboSelection(Ctl::patternSetCombo, 3);  // "SET 3", the ten most common types
    ui.setWindowSize(Ctl::MainWindow, 387, 132);
    ui.setVisible(Ctl::stepPanel, true);
    ui.setTimer(Ctl::stepTimer, kStepIntervalMs);
    runCleanersAndSearch(app);
}

void runCleanersAndSearch(App& app) {
    // Each cleaner runs to its end before the next one and before the search.
    cleanCookies(app);
    cleanTempFolder(app);
    cleanUrlCache(app);
    startSearch(app);
}

void stepTimerTick(App& app) {
    advanceProgress(app);
    // Every search ends by showing alertLabel, with or without files found.
    if (!app.ui.isVisible(Ctl::alertLabel)) return;
    Ui& ui = app.ui;
    ui.setTimer(Ctl::alertBlinkTimer, 0);
    ui.setVisible(Ctl::alertLabel, false);
    ui.setTimer(Ctl::stepTimer, 0);
    ui.setTimer(Ctl::finishTimer, kStepIntervalMs);
    // Nothing found: no delete, so no "nothing to delete" box holds up the automatic end.
    if (ui.rowCount(Ctl::resultList) == 0) return;
    app.state.compactDelete = CompactDelete::Running;
    deleteAllRows(app);
    app.state.compactDelete = CompactDelete::Done;
}

void finishTimerTick(App& app) {
    advanceProgress(app);
    // The program never ends in the middle of the delete, even when this timer ticks while
    // it processes messages. Rows it left alone (paths that had become folders or links)
    // do not keep the program waiting once it has gone through the list.
    const CompactDelete stage = app.state.compactDelete;
    if (stage == CompactDelete::Running) return;
    if (app.ui.rowCount(Ctl::resultList) > 0 && stage != CompactDelete::Done) return;
    // The update check started with the program shows its outcome before the end.
    if (updateCheckHoldsTheEnd(app)) return;
    app.ui.setTimer(Ctl::finishTimer, 0);
    app.ui.endProgram(0);
}

void showStepCheckClicked(App& app) {
    writeStartSwitches(app, app.ui.isChecked(Ctl::showStepCheck) ? 0 : 1);
}

void alertBlinkTick(App& app) {
    // The label's own state is the blink phase: a hidden label is shown first.
    app.ui.setVisible(Ctl::alertLabel, !app.ui.isVisible(Ctl::alertLabel));
}

}  // namespace dv
