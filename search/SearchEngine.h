// The junk-file search: walks the chosen drives and lists matching files.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

void startSearch(App& app);                               // startSearchButton
void searchFolder(App& app, const std::string& folder);  // one folder and its subtree
void cancelSearch(App& app);                              // cancelButton
void showSearchSummary(App& app);
void elapsedTimerTick(App& app);

// Counts the programs whose caches the rules find on driveCombo's drives, into the
// "Application caches" item of patternSetCombo.
void countAppCaches(App& app);

// A search is running: the finished flag is clear and startSearchButton is disabled. The
// exit request, Reset and Recovery refuse while it holds.
bool searchRunning(const App& app);

// The profile marker from "userprofile", "username", "systemdrive" and "temp".
std::string profileMarker(App& app);

}  // namespace dv
