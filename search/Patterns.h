// Pattern sets and drive choices.
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// The stored items of the two combo boxes.
std::vector<std::string> driveComboItems();       // "All Hard Drive", "Hard Drive C:\" .. "Z:\"
// The 4 sets, "Application caches", then the 81 single types.
std::vector<std::string> patternSetComboItems();
// The items a combo box holds when it is created: driveCombo's and patternSetCombo's;
// none for any other. The window layer is given this with the window tables.
std::vector<std::string> storedComboItems(Ctl combo);
extern const char* const kPatternSetTexts[4];     // [1..3]: ";"-separated built-in sets

// Where patternSetCombo's items are: the application caches of the rule files, the first
// of the built-in single types, the first of the user's own types.
constexpr int kAppCachesItem = 4;
constexpr int kFirstSingleType = 5;
constexpr int kFirstUserType = 86;

// "Application caches (12 programs found)".
void showAppCachesFound(App& app, int programs);

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
