#include "shell/Language.h"
#include "shell/Settings.h"
#include "shell/main/Startup.h"

namespace dv {

void wizardCreated(App& app) {
    Ui& ui = app.ui;
    ui.setVisible(Ctl::MainWindow, false);
    ui.setChecked(Ctl::wizardAutoSearchCheck, regReadInt(app, kUsers, kAutoSearchItem) == 1);
    ui.setChecked(Ctl::wizardNotShowCheck, regReadInt(app, kUsers, kNotShowItem) == 1);
    applyDialogTexts(app, Ctl::StartupWizardWindow);
}

void wizardAutoSearch(App& app) {
    Ui& ui = app.ui;
    ui.processPendingMessages();
    ui.setComboSelection(Ctl::patternSetCombo, 3);
    ui.setWindowSize(Ctl::MainWindow, 387, 132);
    ui.closeWindow(Ctl::StartupWizardWindow);
    ui.setVisible(Ctl::stepPanel, true);
    ui.setTimer(Ctl::stepTimer, 30);
    ui.setVisible(Ctl::MainWindow, true);
    app.system.sleep(500);
    ui.processPendingMessages();
    runCleanersAndSearch(app);
}

void wizardProSearch(App& app) {
    app.ui.setVisible(Ctl::MainWindow, true);
    app.ui.closeWindow(Ctl::StartupWizardWindow);
}

void wizardAutoSearchCheckClicked(App& app) {
    regWriteInt(app, kUsers, kAutoSearchItem, app.ui.isChecked(Ctl::wizardAutoSearchCheck) ? 1 : 0);
}

void wizardNotShowCheckClicked(App& app) {
    regWriteInt(app, kUsers, kNotShowItem, app.ui.isChecked(Ctl::wizardNotShowCheck) ? 1 : 0);
}

// Closing the wizard with the system's close key would leave MainWindow hidden and the
// program running without a window: bring MainWindow back in its full size.
void wizardClosedBySystem(App& app) { app.ui.setVisible(Ctl::MainWindow, true); }

}  // namespace dv
