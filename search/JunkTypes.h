// The user's own junk types: AddGarbageTypeWindow adds an item "Find <pattern> files
// only" to patternSetCombo and keeps it, one item per line, in "\Files.txt".
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// The pattern box changed: a pattern without blanks gives the description box its item text.
void updateTypeDescription(App& app);

// Add(OK): a type patternSetCombo already holds is selected and named by the key-70
// message; a new one becomes the combo's last item and a line of "\Files.txt".
void addJunkType(App& app);

}  // namespace dv
