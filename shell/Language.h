// Language files: choosing one, reading it into the language lines, and writing its
// texts into the windows.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// Loads the file chosen in "\LANGUAGE\language.ini". 0 when that INI file or the chosen
// language file is missing or unreadable (the lines stay as they are); 1 otherwise,
// also when the choice names no file.
int loadLanguage(App& app);

// Replaces the language lines with the non-empty lines of `path`; false (lines kept)
// when the file cannot be opened.
bool readLanguageFile(App& app, const std::string& path);

// Writes the language texts of a window's controls, as its table names their keys: a
// caption, a tooltip, or a report list's ";"-separated column titles. A key the lines
// lack empties its text.
void applyWindowTexts(App& app, Ctl window);

// MainWindow's keys 1-44, 112 and 111; key 27 gives the five result column titles.
void applyMainWindowTexts(App& app);

}  // namespace dv
