// Language files: choosing one, reading it into the language lines, and writing its
// texts into the windows.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// Relative to the base folder. The language value (section "Dustvane", key "language")
// picks the file; "5" takes the "Filename" of lngfile.ini from the others folder.
constexpr const char* kLanguageIni = "\\LANGUAGE\\language.ini";
constexpr const char* kOthersIni = "\\LANGUAGE\\others\\lngfile.ini";
constexpr const char* kOthersFolder = "\\LANGUAGE\\others\\";
constexpr const char* kLanguageSection = "Dustvane";

// The language value as language.ini holds it; empty when missing.
std::string languageValue(App& app);
// The file name of the others folder that the value "5" loads.
std::string otherLanguageFile(App& app);

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

// A secondary window's own keys, written when it is created and only while a language
// is loaded; without one its controls keep their stored English texts.
void applyDialogTexts(App& app, Ctl window);

}  // namespace dv
