// The HTML Help viewer (hhctrl.ocx), loaded from the system folder when the manual is first
// opened, so that a system without it still starts. Its windows run on the program's GUI
// thread: the message loops hand it their messages first, and the program's end closes them.
// It stays loaded until the process ends.
#pragma once
#include <windows.h>

#include <string>

namespace dv {

class HtmlHelpViewer {
public:
    HtmlHelpViewer() = default;
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    // Shows a .chm file on its default topic; false when there is no viewer or it refuses.
    bool open(HWND owner, const std::string& file);
    bool loaded() const { return call_ != nullptr; }
    // The viewer's keyboard handling (Tab between its panes, its accelerators) for a
    // message of one of its windows; true when it used the message. Nothing before open.
    bool preTranslate(MSG& msg);
    // Closes every viewer window the program opened.
    void closeAll();

private:
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    bool load();

    bool tried_ = false;
    HtmlHelpFn call_ = nullptr;
    DWORD_PTR cookie_ = 0;  // from HH_INITIALIZE, for HH_UNINITIALIZE
};

}  // namespace dv
