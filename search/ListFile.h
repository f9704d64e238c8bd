// Reading the program's plain list files ("\noscfile.dat", "\Files.txt").
#pragma once
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// Empties `lines` and fills it with the non-empty lines of the file; pending messages are
// processed before each line. A missing file gives no lines.
void loadListFile(App& app, const std::string& path, std::vector<std::string>& lines);

// The non-empty lines of a whole file. A missing file gives no lines; false (lines
// emptied) when the file exists but cannot be read to its end, so that a caller about
// to rewrite it never takes a short read for its content.
bool readListFile(App& app, const std::string& path, std::vector<std::string>& lines);

// Rewrites the file with the lines, separated by CR LF, none after the last. The text
// goes into a new file beside it that then takes the old one's place in one step, so a
// failed or interrupted write leaves the old file whole. False when nothing changed.
bool replaceListFile(App& app, const std::string& path, const std::vector<std::string>& lines);

// Adds the line and CR LF at the end of the file, creating it when missing; a last
// line the file holds without its line end gets one first. False when the write failed.
bool appendListLine(App& app, const std::string& path, const std::string& line);

}  // namespace dv
