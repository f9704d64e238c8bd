// Symbolic links for tests under Wine, which has no way to make one from Windows code.
#pragma once
#include <string>

namespace gui {

// Makes `link` (a Windows path whose folder exists) a symbolic link to `target` (a
// Windows path), through wine-link.sh beside the test program, and waits until the link
// shows. Both must lie in the run's folders (the test drive or the Wine prefix).
bool makeUnixLink(const std::string& target, const std::string& link);

}  // namespace gui
