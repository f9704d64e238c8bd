// Texts of language keys, and the program's message boxes.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// The text of key n in the loaded language lines; empty when the lines do not hold it.
std::string textOfKey(const App& app, int key);

// A task-modal message box, no owner, OK button: text of `key`, title the text of key 48.
void showKeyMessage(App& app, int key);
// The same with a fixed text.
void showTextMessage(App& app, const std::string& text);

}  // namespace dv
