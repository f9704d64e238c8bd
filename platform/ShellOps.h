// Shell services: the Recycle Bin, folder and file dialogs, help and web addresses.
#pragma once
#include <string>

namespace dv {

// SHFileOperationA flag bits, numerically equal to the system's.
constexpr unsigned kFofSilent = 0x4;
constexpr unsigned kFofNoConfirmation = 0x10;
constexpr unsigned kFofAllowUndo = 0x40;
constexpr unsigned kFofNoErrorUi = 0x400;
// SHEmptyRecycleBinA flags.
constexpr unsigned kSherbNoConfirmation = 0x1;
constexpr unsigned kSherbNoSound = 0x4;

class ShellOps {
public:
    virtual ~ShellOps() = default;
    // One SHFileOperationA FO_DELETE of `from` (a single path; the double zero end is added
    // by the implementation), no window, no target. Returns the call's result; `aborted`
    // receives fAnyOperationsAborted.
    virtual int deleteOperation(const std::string& from, unsigned flags, bool& aborted) = 0;
    // SHEmptyRecycleBinA(NULL, root, flags).
    virtual void emptyRecycleBin(const std::string& root, unsigned flags) = 0;
    // SHBrowseForFolder owned by the main window with the given title, then
    // SHGetPathFromIDList into a 512-character buffer; empty when cancelled.
    virtual std::string browseForFolder(const std::string& title) = 0;
    // The system's open-file dialog; empty when cancelled.
    virtual std::string openFileDialog() = 0;
    // The shell's default action on a web address.
    virtual bool openAddress(const std::string& address) = 0;
    // Opens a WinHelp file at its contents topic in the help viewer, owned by the main window.
    virtual void openHelp(const std::string& helpFile) = 0;
    // Opens an HTML Help file at its first page, owned by the main window. False when the
    // system has no HTML Help viewer or the viewer could not show the file.
    virtual bool openHtmlHelp(const std::string& helpFile) = 0;
};

}  // namespace dv
