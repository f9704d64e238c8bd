// The bytes of the files listed in resultList as they are now, for the search summary.
#pragma once
#include <cstdint>

#include "shell/App.h"

namespace dv {

// Every row adds the current size of the file in its path column; a vanished file adds
// nothing. Rows come folder by folder, so each folder is read once rather than one
// directory search per row; where the file system allows it, two threads read folders.
uint64_t currentListedBytes(App& app);

}  // namespace dv
