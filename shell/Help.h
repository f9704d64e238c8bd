// The help file beside the program: helpButton and F1 on MainWindow open it.
#pragma once
#include "shell/App.h"

namespace dv {

// Opens the base folder's "\help.hlp" in the help viewer, owned by MainWindow, after
// making it MainWindow's help file again. A missing file: nothing happens, no message.
void showHelp(App& app);

}  // namespace dv
