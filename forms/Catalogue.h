// The window tables of every window of Dustvane, and the look-ups into them. The window
// layer is given them at start; the language texts read their keys from them.
#pragma once
#include "forms/ControlIds.h"
#include "platform/WindowTables.h"

namespace dv {

const WindowTables& windowTables();

}  // namespace dv
