// Start-up sequence, start modes, splash screen, start-up wizard, exit request and the
// compact automatic mode.
#pragma once
#include "shell/App.h"

namespace dv {

// Process start: fixes the base folder at the program's folder.
void initialiseProcess(App& app, const std::string& programFolder);
// The exit routine, whichever way the program ends: releases the three process-wide lists.
void exitRoutine(App& app);

// MainWindow created: the start-up sequence, steps 1 to 16.
void runStartup(App& app);

// SplashWindow.
void splashCreated(App& app);
void splashTick(App& app);
void splashConfirm(App& app);  // double click or Enter: both start switches 0

// StartupWizardWindow.
void wizardCreated(App& app);
void wizardAutoSearch(App& app);
void wizardProSearch(App& app);
void wizardAutoSearchCheckClicked(App& app);
void wizardNotShowCheckClicked(App& app);
void wizardClosedBySystem(App& app);  // Alt+F4: MainWindow comes back in normal mode

// Exit request of closeButton, exitButton and the wizard's close button: ends the process
// with exit code 0 on Yes.
void exitRequest(App& app);
// MainWindow's own close request: true lets the window close.
bool closeRequest(App& app);

// Compact automatic mode.
void enterCompactMode(App& app);  // from start-up step 14
// The work of compact automatic mode: the three cleaners, then the search.
void runCleanersAndSearch(App& app);
void stepTimerTick(App& app);
void finishTimerTick(App& app);
void showStepCheckClicked(App& app);

// The alert label blinks while alertBlinkTimer runs.
void alertBlinkTick(App& app);

}  // namespace dv
