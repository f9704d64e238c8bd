// Language files: choosing one, reading it into the language lines, and writing its
// texts into the windows.
#pragma once
#include <cstddef>
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

// One keyed text of a window: the caption or the tooltip of a control.
enum class TextSlot { Caption, Tooltip };
struct KeyedText {
    int key;
    Ctl control;
    TextSlot slot;
};

// Writes the text of each key, in table order; a key the lines lack empties its text.
void applyKeyedTexts(App& app, const KeyedText* table, size_t count);

// MainWindow's keys 1-44, 112 and 111; key 27 gives the five result column titles.
void applyMainWindowTexts(App& app);

}  // namespace dv
