// Reading the program's plain list files ("\noscfile.dat", "\Files.txt").
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// Splits raw file bytes into non-empty lines: a line ends at LF, NUL or 0x1A (the last
// two also end the text), a CR before the end is dropped, a double-byte character is
// never split.
std::vector<std::string> splitListLines(const std::string& bytes);

// Empties `lines` and fills it with the non-empty lines of the file; pending messages are
// processed before each line. A missing file gives no lines.
void loadListFile(App& app, const std::string& path, std::vector<std::string>& lines);

}  // namespace dv
