// Stand-ins for the user's profile, Windows and temporary folders inside a test's program
// folder, handed to the program through its environment, with files for the three cleaners
// to delete or to leave, and one page in the URL cache.
#pragma once
#include <string>
#include <vector>

#include "tests/gui/driver/AppUnderTest.h"

namespace gui {

struct CleanerFolders {
    // Makes the folders and files and sets the program's USERPROFILE, windir, TEMP and TMP.
    explicit CleanerFolders(AppUnderTest& app);

    std::string problem;  // why the folders may not be cleaned; empty when all is well
    std::vector<std::string> cookies, temporary;  // what the cookie and temp cleaners delete
    std::vector<std::string> kept;                // what every cleaner leaves
    std::string page;                             // a normal entry of the URL cache
};

bool inUrlCache(const std::string& url);

}  // namespace gui
