// The manual beside the program: helpButton and F1 on MainWindow open it.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// The manual MainWindow names as its help file: the base folder's "\help.chm" (HTML Help,
// the viewer of Windows 10 and 11) where it is a file, else its "\help.hlp" (WinHelp).
std::string helpFilePath(App& app);

// Opens the manual at its contents page, owned by MainWindow, after making it MainWindow's
// help file again: help.chm in the HTML Help viewer, first taking off the mark of a
// downloaded file with which the viewer would show empty pages; help.hlp in the WinHelp
// viewer when there is no help.chm or no HTML Help viewer. Neither file: nothing happens,
// no message.
void showHelp(App& app);

}  // namespace dv
