#include "shell/Language.h"

#include <algorithm>
#include <vector>

#include "forms/Catalogue.h"
#include "shell/Settings.h"
#include "shell/Texts.h"
#include "text/LineText.h"
#include "text/Text.h"

namespace dv {

namespace {

// The file of the language values "1" to "4".
const char* builtInLanguageFile(const std::string& value) {
    if (value == "1") return "\\LANGUAGE\\Chinese-GB.lng";
    if (value == "2") return "\\LANGUAGE\\Chinese-Big5.lng";
    if (value == "3") return "\\LANGUAGE\\English.lng";
    if (value == "4") return "\\LANGUAGE\\Japanese.lng";
    return nullptr;
}

bool isFile(App& app, const std::string& path) {
    uint32_t attributes = app.fs.attributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttrDirectory) == 0;
}

// Line N holds the text of key N; a file in which not one line holds its own key is no
// language file (binary garbage, a file without line ends), and would empty every caption.
bool holdsAKey(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(std::to_string(i + 1) + "=") != std::string::npos) return true;
    return false;
}

int loadFile(App& app, const std::string& path) {
    if (!isFile(app, path)) return 0;
    return readLanguageFile(app, path) ? 1 : 0;
}

}  // namespace

std::string languageValue(App& app) {
    return iniRead(app, basePath(app, kLanguageIni), kLanguageSection, "language");
}

std::string otherLanguageFile(App& app) {
    return iniRead(app, basePath(app, kOthersIni), kLanguageSection, "Filename", "English.lng");
}

int loadLanguage(App& app) {
    if (!isFile(app, basePath(app, kLanguageIni))) return 0;
    const std::string value = languageValue(app);
    if (const char* file = builtInLanguageFile(value)) return loadFile(app, basePath(app, file));
    if (value == "5") return loadFile(app, basePath(app, kOthersFolder) + otherLanguageFile(app));
    return 1;  // no language chosen: the current texts stay
}

bool readLanguageFile(App& app, const std::string& path) {
    auto file = app.fs.open(path, OpenMode::ReadExisting);
    if (!file) return false;
    std::string bytes;
    char chunk[65536];
    for (size_t got; (got = file->read(chunk, sizeof chunk)) > 0;) bytes.append(chunk, got);
    file.reset();

    // The new lines replace the old ones only once the whole file is read, so handlers
    // that run while messages are processed never see half a language.
    std::vector<std::string> lines;
    for (std::string& line : splitListLines(bytes, TrailRule::AnyByte)) {
        lines.push_back(std::move(line));
        app.ui.processPendingMessages();
    }
    if (!holdsAKey(lines)) return false;
    app.state.languageLines = std::move(lines);
    return true;
}

void applyWindowTexts(App& app, Ctl window) {
    const WindowSpec* spec = windowTables().window(window);
    if (!spec) return;
    for (size_t i = 0; i < spec->controlCount; ++i) {
        const ControlSpec& control = spec->controls[i];
        if (control.captionKey && control.kind == Kind::ReportList) {
            // The key holds the column titles, ";"-separated; a short list keeps the
            // previous titles of the columns it does not reach.
            const std::vector<std::string> titles = splitText(textOfKey(app, control.captionKey), ';');
            const size_t columns = std::min(titles.size(), windowTables().columns(control.id).size());
            for (size_t column = 0; column < columns; ++column)
                app.ui.setColumnTitle(control.id, int(column), titles[column]);
        } else if (control.captionKey) {
            app.ui.setText(control.id, textOfKey(app, control.captionKey));
        }
        if (control.tooltipKey) app.ui.setTooltip(control.id, textOfKey(app, control.tooltipKey));
    }
}

void applyDialogTexts(App& app, Ctl window) {
    if (!app.state.languageLines.empty()) applyWindowTexts(app, window);
}

}  // namespace dv
