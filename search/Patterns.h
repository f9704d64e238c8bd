// Pattern sets and drive choices.
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// The stored items of the two combo boxes.
std::vector<std::string> driveComboItems();       // "All Hard Drive", "Hard Drive C:\" .. "Z:\"
std::vector<std::string> patternSetComboItems();  // the 4 sets, then the 81 single types
extern const char* const kPatternSetTexts[4];     // [1..3]: ";"-separated built-in sets

// "Find *.bak files only" -> "*.bak"; empty when the text has no blank.
std::string patternOfItem(const std::string& itemText);

// Rebuilds app.state.searchPatterns from patternSetCombo's selection.
void buildSearchPatterns(App& app);
// patternSetCombo selection changed.
void patternSetChanged(App& app);

// Drive roots of driveCombo's selection, in walking order: for "All Hard Drive" the
// fixed disks (and RAM disks) from C: to Z:.
std::vector<std::string> searchRoots(App& app);

// Appends the user's junk types of "\Files.txt" to patternSetCombo (start-up step 10).
void loadUserJunkTypes(App& app);

}  // namespace dv
