// The drive-space display beside driveCombo: the free and the total megabytes of the
// chosen drive, or of the drives "All Hard Drive" searches, over two bars that show the
// free share.
#pragma once
#include <cstdint>
#include <string>

#include "shell/App.h"

namespace dv {

// Whole kilobytes, 64 bits wide: drives and sums beyond 2 TB show their real size.
struct DriveSpace {
    uint64_t totalKb = 0;
    uint64_t freeKb = 0;  // free to the user
};

// The space of the drive a driveCombo item or a root names ("Hard Drive C:\" -> "C:\");
// 0 KB for a drive that cannot be read.
DriveSpace driveSpaceOfItem(App& app, const std::string& item);

// The green bar's width in pixels for the free share of the full 250-pixel bar.
int freeBarWidth(const DriveSpace& space);

// Writes the figures (keys 50 and 51) into diskSpaceText and colours and sizes the bars.
void showDriveSpace(App& app, const DriveSpace& space);

// driveCombo's selection changed; also run at start-up and after each language change.
void refreshDriveSpace(App& app);

}  // namespace dv
