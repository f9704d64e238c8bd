// ExclusionListWindow: the paths of "\noscfile.dat", which the search never lists. The
// window edits the file; the search reads it once, at the next start of the program.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

void exclusionWindowCreated(App& app);

// Fills the window's list from "\noscfile.dat", one unticked row per path, in file order.
void fillExclusionWindow(App& app);

// The Add button: with rows ticked it removes them from the file; with none it asks for
// a file with the open-file dialog and adds its path, unless the list already holds it.
void editExclusions(App& app);

// Writes `entry` as the first line of the list file, before the lines it holds. False,
// with the file as it was, when it exists but cannot be read whole or the write fails.
bool prependExclusion(App& app, const std::string& path, const std::string& entry);

}  // namespace dv
