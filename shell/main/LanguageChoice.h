// The two ways the user changes the language: languageMenu, popped up by languageButton,
// and LanguageWindow, which lists the files of the others folder; and MainWindow's texts.
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// MainWindow's keys 1-44, 112 and 111; key 27 gives the five result column titles.
// Then, with a drive chosen, the drive-space display, whose wording has keys 50 and 51.
void applyMainWindowTexts(App& app);
// Loads the chosen language and, when that gave lines, applies it to MainWindow at once.
void loadAndApplyLanguage(App& app);

void popUpLanguageMenu(App& app);  // languageButton
// The menu's languages: each writes its value into language.ini, loads it and applies it.
void chooseEnglish(App& app);
void chooseChineseSimplified(App& app);
void chooseChineseTraditional(App& app);
void chooseJapanese(App& app);
void chooseOtherLanguage(App& app);  // "Others ...": opens LanguageWindow

// LanguageWindow.
void languageWindowCreated(App& app);
void applyChosenLanguageFile(App& app);  // Apply

}  // namespace dv
