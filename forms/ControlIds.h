// Names of every window, control, menu item and timer of Dustvane.
// Handlers reach controls only through these names; the tables in forms/*Window.cpp
// say what each one looks like and where it sits.
#pragma once
#include "platform/Ui.h"

namespace dv {

enum class Ctl : int {
    None = 0,  // kNoControl

    // ---- MainWindow -------------------------------------------------------
    MainWindow,
    appIconPicture,
    titleLabel,
    platformLabel,
    helpButton,
    minimizeButton,
    closeButton,
    topRule,
    middleRule,
    bottomRule,
    bottomBar,

    criteriaPanel,
    criteriaTitleLabel,   // "Search Criteria:" (key 3); shows search progress
    driveHintLabel,       // key 2
    drivePromptLabel,     // key 4
    driveCombo,
    junkTypesLabel,       // key 5
    patternSetCombo,
    diskRatioBar,
    diskTotalBar,
    diskSpaceText,

    optionsPanel,
    cleanersGroup,
    cleanersTextLabel,    // key 6
    cookieCleanerButton,
    tempCleanerButton,
    internetCleanerButton,
    recycleModeRadio,
    permanentModeRadio,
    backupModeRadio,
    backupFolderButton,
    autoEmptyRecycleCheck,

    statusLabel,
    currentFileLabel,
    statisticsTitleLabel,
    addGarbageTypeButton,
    deleteAllButton,
    visitWebsiteButton,
    alertLabel,
    recoveredLabel,
    languageButton,

    startSearchButton,
    cancelButton,
    resetButton,
    recoveryButton,

    resultPanel,
    resultList,

    footerLabel,
    privacyTracesButton,
    updateSettingsButton,
    aboutButton,
    exitButton,

    stepPanel,
    stepBackLabel,
    stepTextLabel,
    stepProgressBar,
    showStepCheck,

    stepTimer,
    finishTimer,
    elapsedTimer,
    alertBlinkTimer,

    fileMenu,
    fileMenuDeleteThis,    // 1 "Delete this file only" (key 37)
    fileMenuSelectAll,     // 3 "Select all files" (key 38)
    fileMenuDeleteTicked,  // 4 deletes the ticked rows (key 39)
    fileMenuDeleteAll,     // 6 "Delete all files" (key 40)

    languageMenu,
    languageMenuEnglish,        // key 41
    languageMenuChineseGB,      // key 42
    languageMenuChineseBig5,    // key 43
    languageMenuJapanese,       // key 44
    languageMenuOthers,         // key 112

    // ---- SplashWindow -----------------------------------------------------
    SplashWindow,
    splashPicture,
    splashVersionLabel,
    splashTimer,

    // ---- StartupWizardWindow ----------------------------------------------
    StartupWizardWindow,
    wizardIcon,
    wizardTitleLabel,
    wizardCloseButton,
    wizardRule,
    wizardPanel,
    wizardBackground,
    wizardWaysLabel,
    wizardAutoSearchButton,
    wizardProSearchButton,
    wizardAutoSearchCheck,
    wizardNotShowCheck,

    // ---- AddGarbageTypeWindow ---------------------------------------------
    AddGarbageTypeWindow,
    addTypeTitleLabel,
    addTypeCloseButton,
    addTypeRule,
    addTypeBackground,
    addTypePromptLabel,
    addTypeFieldLabel,
    addTypePatternEdit,
    addTypeDescriptionEdit,
    addTypeAddButton,
    addTypeReturnButton,

    // ---- AboutWindow ------------------------------------------------------
    AboutWindow,
    aboutIcon,
    aboutTitleLabel,
    aboutMinimizeButton,
    aboutCloseButton,
    aboutRule,
    aboutPanel,
    aboutBackground,
    aboutProductLabel,
    aboutVersionLabel,    // key 71
    aboutLine2Label,      // keys 72 .. 79
    aboutLine3Label,
    aboutLine4Label,
    aboutLine5Label,
    aboutLine6Label,
    aboutLine7Label,
    aboutLine8Label,
    aboutLine9Label,
    aboutContactRule,

    // ---- LanguageWindow ---------------------------------------------------
    LanguageWindow,
    languageIcon,
    languageTitleLabel,
    languageCloseButton,
    languageRule,
    languagePanel,
    languageBackground,
    languageList,
    languageApplyButton,
    languageReturnButton,

    // ---- UpdateSettingsWindow ---------------------------------------------
    UpdateSettingsWindow,
    updatePanel,
    updateBackground,
    updateAutoCheck,
    updateEveryLabel,
    updateDaysEdit,
    updateDaysLabel,
    updateStatusLabel,
    updateCheckNowButton,
    updateReturnButton,

    // ---- PrivacyTracesWindow ----------------------------------------------
    PrivacyTracesWindow,
    privacyIcon,
    privacyTitleLabel,
    privacyCloseButton,
    privacyRule,
    privacyPanel,
    privacyBackground,
    privacyDocFindCheck,
    privacyRunCheck,
    privacyRecentDocsCheck,
    privacyInstallLocationsCheck,
    privacyTypedUrlsCheck,
    privacyInnerRule,
    privacyShowStepCheck,
    privacyPluginButton,
    privacyApplyButton,
    privacyReturnButton,

    // ---- ExclusionListWindow ----------------------------------------------
    ExclusionListWindow,
    exclusionIcon,
    exclusionTitleLabel,
    exclusionCloseButton,
    exclusionRule,
    exclusionPanel,
    exclusionBackground,
    exclusionHeadingLabel,
    exclusionList,
    exclusionInnerRule,
    exclusionAddButton,
    exclusionReturnButton,

    Count
};

static_assert(Ctl::None == kNoControl, "0 names nothing");

// The name of a control as it appears in the catalogue ("resultList").
const char* controlName(Ctl c);

}  // namespace dv
