// Windows' own stores, which the drive search never enters: what lies in them belongs to
// Windows (its components and settings, boot and recovery images, restore points, the
// Recycle Bin, upgrade files), even where a name looks like junk. The Windows folder is
// entered for its Temp folder only.
#pragma once
#include <string>
#include <vector>

#include "platform/Types.h"

namespace dv {

class SystemFolders {
public:
    enum class Kind {
        Walk,      // walked as usual
        Skip,      // never entered
        TempOnly,  // the Windows folder: none of its files listed, only Temp entered
    };

    // Fences nothing: the walk of one chosen folder's tree.
    SystemFolders() = default;
    // The stores at the root of every drive, and the Windows folder ("C:\Windows") at its
    // place below the root of every drive, as a second disk may hold an older Windows.
    explicit SystemFolders(const std::string& windowsFolder);

    // What a walk does with `entry` of `folder` (ending in "\"), a folder of kind `kind`:
    // Skip for a file, for a folder no walk enters (enterableFolder) and for a store.
    Kind subfolderKind(const std::string& folder, Kind kind, const DirEntry& entry) const;

private:
    struct Store {
        std::string path;  // below the drive's root, folded
        Kind kind;
    };
    std::vector<Store> stores_;
    size_t longestParent_ = 0;  // the longest folder text that can hold a store
};

}  // namespace dv
