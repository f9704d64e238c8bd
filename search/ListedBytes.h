// The bytes of the files listed in resultList as they are now, for the search summary.
#pragma once
#include <cstdint>

#include "shell/App.h"

namespace dv {

// Every row adds the current size of the file in its path column; a vanished file adds
// nothing. Each file is looked up on its own, on two threads where the file system allows
// it.
uint64_t currentListedBytes(App& app);

}  // namespace dv
