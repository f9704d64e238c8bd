// The two ways the user changes the language: languageMenu, popped up by languageButton,
// and LanguageWindow, which lists the files of the others folder.
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

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
