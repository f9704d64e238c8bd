#include "shell/Texts.h"

#include "text/Text.h"

namespace dv {

std::string textOfKey(const App& app, int key) {
    const auto& lines = app.state.languageLines;
    if (key < 1 || static_cast<size_t>(key) > lines.size()) return std::string();
    const std::string& line = lines[key - 1];
    const std::string marker = std::to_string(key) + "=";
    size_t at = findNoCase(line, marker);
    if (at == std::string::npos) return std::string();
    return line.substr(0, at) + line.substr(at + marker.size());
}

void showKeyMessage(App& app, int key) { showTextMessage(app, textOfKey(app, key)); }

void showTextMessage(App& app, const std::string& text) {
    app.ui.messageBox(text, textOfKey(app, 48), kMbOk | kMbTaskModal);
}

}  // namespace dv
