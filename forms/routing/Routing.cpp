// Which handler runs for which control event. Dragging on labels marked kDrags is done by
// the window layer itself; everything else a control does is in this table.
#include "forms/routing/Routing.h"

#include "cleanup/BackupStore.h"
#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "privacy/Cleaners.h"
#include "privacy/HistoryCleaner.h"
#include "privacy/PrivacyTracesWindow.h"
#include "search/ExclusionList.h"
#include "search/JunkTypes.h"
#include "search/Patterns.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "shell/Language.h"
#include "shell/main/DriveSpace.h"
#include "shell/main/Help.h"
#include "shell/main/LanguageChoice.h"
#include "shell/main/MainCommands.h"
#include "shell/main/Startup.h"
#include "update/UpdateSettings.h"

namespace dv {
namespace {

struct Route {
    Ctl control;
    Event event;
    void (*handler)(App&);
};

void dragMainWindow(App& app) { app.ui.dragWindow(Ctl::MainWindow); }

// The drive-space display and the count of programs whose caches lie on the chosen drives.
void driveChosen(App& app) {
    refreshDriveSpace(app);
    countAppCaches(app);
}
void minimiseMainWindow(App& app) { app.ui.setWindowState(Ctl::MainWindow, WindowState::Minimised); }
void minimiseAboutWindow(App& app) { app.ui.setWindowState(Ctl::AboutWindow, WindowState::Minimised); }

template <Ctl window>
void closeDialog(App& app) {
    app.ui.closeWindow(window);
}

template <Ctl window>
void openDialog(App& app) {
    app.ui.openModal(window);
}

// A dialog whose opening does nothing but show its language texts.
template <Ctl window>
void dialogCreated(App& app) {
    applyDialogTexts(app, window);
}

// recycleModeRadio, permanentModeRadio and autoEmptyRecycleCheck only change their mark;
// the delete commands read it.
const Route kRoutes[] = {
    // MainWindow.
    {Ctl::MainWindow, Event::Created, runStartup},
    {Ctl::MainWindow, Event::LeftDown, dragMainWindow},
    {Ctl::closeButton, Event::Click, exitRequest},
    {Ctl::exitButton, Event::Click, exitRequest},
    {Ctl::minimizeButton, Event::Click, minimiseMainWindow},
    {Ctl::helpButton, Event::Click, showHelp},
    {Ctl::MainWindow, Event::Help, showHelp},
    {Ctl::patternSetCombo, Event::SelChange, patternSetChanged},
    {Ctl::startSearchButton, Event::Click, startSearch},
    {Ctl::cancelButton, Event::Click, cancelSearch},
    {Ctl::resetButton, Event::Click, resetList},
    {Ctl::recoveryButton, Event::Click, recoverAll},
    {Ctl::cookieCleanerButton, Event::Click, cleanCookies},
    {Ctl::tempCleanerButton, Event::Click, cleanTempFolder},
    {Ctl::internetCleanerButton, Event::Click, cleanUrlCache},
    {Ctl::backupModeRadio, Event::Click, useBackupMode},
    {Ctl::backupFolderButton, Event::Click, chooseBackupFolder},
    {Ctl::deleteAllButton, Event::Click, deleteAllRows},
    {Ctl::fileMenuDeleteThis, Event::Click, deleteCurrentRow},
    {Ctl::fileMenuSelectAll, Event::Click, tickAllRows},
    {Ctl::fileMenuDeleteTicked, Event::Click, deleteTickedRows},
    {Ctl::fileMenuDeleteAll, Event::Click, deleteAllRows},
    {Ctl::resultList, Event::RowActivated, resultRowActivated},
    {Ctl::resultList, Event::RowContext, resultRowContext},
    {Ctl::showStepCheck, Event::Click, showStepCheckClicked},
    {Ctl::elapsedTimer, Event::Tick, elapsedTimerTick},
    {Ctl::alertBlinkTimer, Event::Tick, alertBlinkTick},
    {Ctl::stepTimer, Event::Tick, stepTimerTick},
    {Ctl::finishTimer, Event::Tick, finishTimerTick},
    {Ctl::driveCombo, Event::SelChange, driveChosen},
    {Ctl::visitWebsiteButton, Event::Click, visitWebsite},
    {Ctl::aboutButton, Event::Click, openDialog<Ctl::AboutWindow>},
    {Ctl::addGarbageTypeButton, Event::Click, openDialog<Ctl::AddGarbageTypeWindow>},
    {Ctl::privacyTracesButton, Event::Click, openDialog<Ctl::PrivacyTracesWindow>},
    {Ctl::languageButton, Event::Click, popUpLanguageMenu},
    {Ctl::languageMenuEnglish, Event::Click, chooseEnglish},
    {Ctl::languageMenuChineseGB, Event::Click, chooseChineseSimplified},
    {Ctl::languageMenuChineseBig5, Event::Click, chooseChineseTraditional},
    {Ctl::languageMenuJapanese, Event::Click, chooseJapanese},
    {Ctl::languageMenuOthers, Event::Click, chooseOtherLanguage},

    // SplashWindow: the picture covers the whole window, so either may report the gesture.
    {Ctl::SplashWindow, Event::Created, splashCreated},
    {Ctl::splashTimer, Event::Tick, splashTick},
    {Ctl::SplashWindow, Event::DoubleClick, splashConfirm},
    {Ctl::SplashWindow, Event::KeyEnter, splashConfirm},
    {Ctl::splashPicture, Event::DoubleClick, splashConfirm},
    {Ctl::splashPicture, Event::KeyEnter, splashConfirm},

    // StartupWizardWindow: its close button asks to end the whole program.
    {Ctl::StartupWizardWindow, Event::Created, wizardCreated},
    {Ctl::wizardAutoSearchButton, Event::Click, wizardAutoSearch},
    {Ctl::wizardProSearchButton, Event::Click, wizardProSearch},
    {Ctl::wizardAutoSearchCheck, Event::Click, wizardAutoSearchCheckClicked},
    {Ctl::wizardNotShowCheck, Event::Click, wizardNotShowCheckClicked},
    {Ctl::wizardCloseButton, Event::Click, exitRequest},

    // The dialogs' own work.
    {Ctl::AddGarbageTypeWindow, Event::Created, dialogCreated<Ctl::AddGarbageTypeWindow>},
    {Ctl::addTypePatternEdit, Event::TextChange, updateTypeDescription},
    {Ctl::addTypeAddButton, Event::Click, addJunkType},
    {Ctl::AboutWindow, Event::Created, dialogCreated<Ctl::AboutWindow>},
    {Ctl::LanguageWindow, Event::Created, languageWindowCreated},
    {Ctl::languageApplyButton, Event::Click, applyChosenLanguageFile},
    {Ctl::PrivacyTracesWindow, Event::Created, privacyTracesCreated},
    {Ctl::privacyPluginButton, Event::Click, openDialog<Ctl::ExclusionListWindow>},
    {Ctl::ExclusionListWindow, Event::Created, exclusionWindowCreated},
    {Ctl::exclusionAddButton, Event::Click, editExclusions},

    // UpdateSettingsWindow.
    {Ctl::updateSettingsButton, Event::Click, openUpdateSettings},
    {Ctl::UpdateSettingsWindow, Event::Created, updateSettingsCreated},
    {Ctl::updateAutoCheck, Event::Click, updateAutoCheckClicked},
    {Ctl::updateDaysEdit, Event::TextChange, updateDaysChanged},
    {Ctl::updateCheckNowButton, Event::Click, updateCheckNowClicked},
    {Ctl::privacyApplyButton, Event::Click, applyPrivacyCleaning},

    // The dialogs' close and Return buttons only close them.
    {Ctl::addTypeCloseButton, Event::Click, closeDialog<Ctl::AddGarbageTypeWindow>},
    {Ctl::addTypeReturnButton, Event::Click, closeDialog<Ctl::AddGarbageTypeWindow>},
    {Ctl::aboutMinimizeButton, Event::Click, minimiseAboutWindow},
    {Ctl::aboutCloseButton, Event::Click, closeDialog<Ctl::AboutWindow>},
    {Ctl::languageCloseButton, Event::Click, closeDialog<Ctl::LanguageWindow>},
    {Ctl::languageReturnButton, Event::Click, closeDialog<Ctl::LanguageWindow>},
    {Ctl::updateReturnButton, Event::Click, closeDialog<Ctl::UpdateSettingsWindow>},
    {Ctl::privacyCloseButton, Event::Click, closeDialog<Ctl::PrivacyTracesWindow>},
    {Ctl::privacyReturnButton, Event::Click, closeDialog<Ctl::PrivacyTracesWindow>},
    {Ctl::exclusionCloseButton, Event::Click, closeDialog<Ctl::ExclusionListWindow>},
    {Ctl::exclusionReturnButton, Event::Click, closeDialog<Ctl::ExclusionListWindow>},
};

}  // namespace

void raiseEvent(App& app, Ctl control, Event event) {
    for (const Route& r : kRoutes) {
        if (r.control == control && r.event == event) {
            r.handler(app);
            return;
        }
    }
}

bool closeRequested(App& app, Ctl window) {
    switch (window) {
        case Ctl::MainWindow:
            return closeRequest(app);
        case Ctl::SplashWindow:
            return false;  // it closes itself on its third tick; start-up waits for that
        case Ctl::StartupWizardWindow:
            wizardClosedBySystem(app);
            return true;
        default:
            return true;
    }
}

UiEvents routeTo(App& app) {
    return {[&app](Ctl control, Event event) { raiseEvent(app, control, event); },
            [&app](Ctl window) { return closeRequested(app, window); }};
}

std::vector<RoutedEvent> routedEvents() {
    std::vector<RoutedEvent> all;
    for (const Route& r : kRoutes) all.push_back({r.control, r.event});
    return all;
}

}  // namespace dv
