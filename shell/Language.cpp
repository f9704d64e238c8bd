#include "shell/Language.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "search/ListFile.h"
#include "search/Patterns.h"
#include "shell/Settings.h"
#include "shell/Texts.h"

namespace dv {

namespace {

const char* const kLanguageIni = "\\LANGUAGE\\language.ini";
const char* const kOthersIni = "\\LANGUAGE\\others\\lngfile.ini";
const char* const kOthersFolder = "\\LANGUAGE\\others\\";
const char* const kSection = "Dustvane";

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

int loadFile(App& app, const std::string& path) {
    if (!isFile(app, path)) return 0;
    return readLanguageFile(app, path) ? 1 : 0;
}

const KeyedText kMainWindowTexts[] = {
    {1, Ctl::footerLabel, TextSlot::Caption},
    {2, Ctl::driveHintLabel, TextSlot::Caption},
    {3, Ctl::criteriaTitleLabel, TextSlot::Caption},
    {4, Ctl::drivePromptLabel, TextSlot::Caption},
    {5, Ctl::junkTypesLabel, TextSlot::Caption},
    {6, Ctl::cleanersTextLabel, TextSlot::Caption},
    {7, Ctl::deleteAllButton, TextSlot::Caption},
    {8, Ctl::deleteAllButton, TextSlot::Tooltip},
    {9, Ctl::cookieCleanerButton, TextSlot::Caption},
    {10, Ctl::cookieCleanerButton, TextSlot::Tooltip},
    {11, Ctl::tempCleanerButton, TextSlot::Caption},
    {12, Ctl::tempCleanerButton, TextSlot::Tooltip},
    {13, Ctl::internetCleanerButton, TextSlot::Caption},
    {14, Ctl::internetCleanerButton, TextSlot::Tooltip},
    {15, Ctl::visitWebsiteButton, TextSlot::Caption},
    {16, Ctl::visitWebsiteButton, TextSlot::Tooltip},
    {17, Ctl::startSearchButton, TextSlot::Caption},
    {18, Ctl::startSearchButton, TextSlot::Tooltip},
    {19, Ctl::cancelButton, TextSlot::Caption},
    {20, Ctl::cancelButton, TextSlot::Tooltip},
    {21, Ctl::resetButton, TextSlot::Caption},
    {22, Ctl::resetButton, TextSlot::Tooltip},
    {23, Ctl::recoveryButton, TextSlot::Caption},
    {24, Ctl::recoveryButton, TextSlot::Tooltip},
    {25, Ctl::addGarbageTypeButton, TextSlot::Caption},
    {26, Ctl::addGarbageTypeButton, TextSlot::Tooltip},
};

// Keys 28 on, after the column titles of key 27.
const KeyedText kMainWindowLaterTexts[] = {
    {28, Ctl::recycleModeRadio, TextSlot::Caption},
    {29, Ctl::permanentModeRadio, TextSlot::Caption},
    {30, Ctl::backupModeRadio, TextSlot::Caption},
    {31, Ctl::currentFileLabel, TextSlot::Caption},
    {32, Ctl::statisticsTitleLabel, TextSlot::Caption},
    {33, Ctl::alertLabel, TextSlot::Caption},
    {34, Ctl::recoveredLabel, TextSlot::Caption},
    {35, Ctl::autoEmptyRecycleCheck, TextSlot::Caption},
    {36, Ctl::languageButton, TextSlot::Tooltip},
    {37, Ctl::fileMenuDeleteThis, TextSlot::Caption},
    {38, Ctl::fileMenuSelectAll, TextSlot::Caption},
    {39, Ctl::fileMenuDeleteTicked, TextSlot::Caption},
    {40, Ctl::fileMenuDeleteAll, TextSlot::Caption},
    {41, Ctl::languageMenuEnglish, TextSlot::Caption},
    {42, Ctl::languageMenuChineseGB, TextSlot::Caption},
    {43, Ctl::languageMenuChineseBig5, TextSlot::Caption},
    {44, Ctl::languageMenuJapanese, TextSlot::Caption},
    {112, Ctl::languageMenuOthers, TextSlot::Caption},
    {111, Ctl::showStepCheck, TextSlot::Caption},
};

constexpr int kColumnTitlesKey = 27;
constexpr size_t kResultColumns = 5;

}  // namespace

int loadLanguage(App& app) {
    const std::string languageIni = basePath(app, kLanguageIni);
    if (!isFile(app, languageIni)) return 0;
    const std::string value = iniRead(app, languageIni, kSection, "language");
    if (const char* file = builtInLanguageFile(value)) return loadFile(app, basePath(app, file));
    if (value == "5") {
        const std::string name =
            iniRead(app, basePath(app, kOthersIni), kSection, "Filename", "English.lng");
        return loadFile(app, basePath(app, kOthersFolder) + name);
    }
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
    for (std::string& line : splitListLines(bytes)) {
        lines.push_back(std::move(line));
        app.ui.processPendingMessages();
    }
    app.state.languageLines = std::move(lines);
    return true;
}

void applyKeyedTexts(App& app, const KeyedText* table, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const KeyedText& entry = table[i];
        const std::string text = textOfKey(app, entry.key);
        if (entry.slot == TextSlot::Caption)
            app.ui.setText(entry.control, text);
        else
            app.ui.setTooltip(entry.control, text);
    }
}

void applyMainWindowTexts(App& app) {
    applyKeyedTexts(app, kMainWindowTexts, std::size(kMainWindowTexts));

    // A short title list keeps the previous titles of the columns it does not reach.
    const std::vector<std::string> titles = splitText(textOfKey(app, kColumnTitlesKey), ';');
    for (size_t column = 0; column < std::min(titles.size(), kResultColumns); ++column)
        app.ui.setColumnTitle(Ctl::resultList, int(column), titles[column]);

    applyKeyedTexts(app, kMainWindowLaterTexts, std::size(kMainWindowLaterTexts));
    // To come: with a drive selected in driveCombo, refresh the drive-space display,
    // whose wording comes from keys 50 and 51.
}

}  // namespace dv
