#include "cleanup/DeleteCommands.h"
#include "search/SearchEngine.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "update/UpdateCheck.h"

namespace dv {

namespace {

constexpr int kStepIntervalMs = 30;

// True while the delete-all of compact mode runs; the program must not end in the middle
// of it, even when finishTimer ticks while the delete processes messages.
bool compactDeleteRunning = false;

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
    // To come: the cookie, temp and internet cleaners, each run to its end before the search.
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
    compactDeleteRunning = true;
    deleteAllRows(app);
    compactDeleteRunning = false;
}

void finishTimerTick(App& app) {
    advanceProgress(app);
    if (compactDeleteRunning || app.ui.rowCount(Ctl::resultList) > 0) return;
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
