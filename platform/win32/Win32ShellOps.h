// Shell services through shell32, comdlg32 and the help viewer.
#pragma once
#include "platform/ShellOps.h"
#include "platform/win32/HtmlHelpViewer.h"

namespace dv {

class Win32ShellOps : public ShellOps {
public:
    // The window that owns the folder dialog, the open-file dialog and the help viewer
    // (an HWND; null for none). The window layer sets it once the main window exists.
    void setOwnerWindow(void* hwnd) { owner_ = hwnd; }

    // Refuses (returns a non-zero result) an empty path or one holding a wildcard, which
    // the shell would expand into more than the one file asked for. A "?" also stands in
    // ANSI names for characters the code page cannot show.
    int deleteOperation(const std::string& from, unsigned flags, bool& aborted) override;
    void emptyRecycleBin(const std::string& root, unsigned flags) override;
    std::string browseForFolder(const std::string& title) override;
    std::string openFileDialog() override;
    // Opens http:// and https:// addresses ("www." ones as http://); anything else is refused.
    bool openAddress(const std::string& address) override;
    void openHelp(const std::string& helpFile) override;
    // Through the HTML Help viewer, whose windows live on this thread's message loop.
    bool openHtmlHelp(const std::string& helpFile) override;
    HtmlHelpViewer& helpViewer() { return helpViewer_; }

private:
    void* owner_ = nullptr;
    HtmlHelpViewer helpViewer_;
};

}  // namespace dv
