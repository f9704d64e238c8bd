// Files and folders the tests lay out on the test drive before the program looks at them.
#pragma once
#include <windows.h>

#include <string>

#include "tests/wine/RunFolder.h"

namespace gui {

using dv::winetest::makeFolders;
using dv::winetest::writeFile;

// A file of `size` bytes (a repeating pattern), then the given attributes.
inline bool makeFile(const std::string& path, size_t size, DWORD attributes = 0) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>('a' + i % 26);
    return writeFile(path, data, attributes);
}
// A tree of 20,000 folders under <test drive>\wide, each holding one 1-byte x.tmp: a
// search of the test drive takes seconds to walk it, time enough to act on the running
// search. It is made once per test program and hidden in a dot folder, which no search
// enters, except while a WideTree object lives.
class WideTree {
public:
    static constexpr int kFolders = 20000;
    WideTree();
    ~WideTree();
    WideTree(const WideTree&) = delete;
    WideTree& operator=(const WideTree&) = delete;

    bool ready() const { return ready_; }
    const std::string& root() const { return root_; }

private:
    std::string root_;
    bool ready_ = false;
};
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
