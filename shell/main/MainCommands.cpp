#include "shell/main/MainCommands.h"

#include "shell/Publisher.h"

namespace dv {

void visitWebsite(App& app) { app.shell.openAddress(kWebsiteAddress); }

}  // namespace dv
