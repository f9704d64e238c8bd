// Files and folders the tests lay out on the test drive before the program looks at them.
#pragma once
#include <windows.h>

#include <string>

namespace gui {

bool makeFolder(const std::string& path);
// A file of `size` bytes (a repeating pattern), then the given attributes.
bool makeFile(const std::string& path, size_t size, DWORD attributes = 0);
// `folders` folders under `root`, each holding one 1-byte x.tmp: a walk long enough to
// act on while it runs.
bool makeWideTree(const std::string& root, int folders);
// A file holding exactly these bytes.
bool makeTextFile(const std::string& path, const std::string& text);
bool fileExists(const std::string& path);
std::string fileContent(const std::string& path);
DWORD fileAttributes(const std::string& path);
bool setLastWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                      WORD minute, WORD second);
// Last-write time in UTC as found by a directory search.
FILETIME lastWriteTime(const std::string& path);
// The result list's date text: local time, month/day/year hour:minute:second.
std::string dateText(const std::string& path);

}  // namespace gui
