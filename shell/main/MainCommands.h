// Small commands of MainWindow that belong to no work subsystem.
#pragma once
#include "shell/App.h"

namespace dv {

// visitWebsiteButton: the publisher's web site in the default browser.
void visitWebsite(App& app);

}  // namespace dv
