// The privacy-traces window's Apply: empties the ticked history lists of the current user
// and stores whether the step window shows at start.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// The five history lists, in the window's order: the box that chooses each and the key
// (under HKEY_CURRENT_USER) whose values are its list.
struct HistoryList {
    Ctl box;
    const char* key;
};
extern const HistoryList kHistoryLists[5];

void applyPrivacyCleaning(App& app);  // Apply button of PrivacyTracesWindow

// Deletes every value directly under HKEY_CURRENT_USER\key. Subkeys and their values stay,
// the key itself stays, and a missing key is not created.
void emptyRegistryKey(App& app, const std::string& key);

}  // namespace dv
