#include "platform/win32/HtmlHelpViewer.h"

#include <htmlhelp.h>

namespace dv {

// From the system folder by its full path: never a file of that name beside the program.
bool HtmlHelpViewer::load() {
    if (tried_) return call_ != nullptr;
    tried_ = true;
    char folder[MAX_PATH] = {};
    UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    HMODULE dll = LoadLibraryA((std::string(folder) + "\\hhctrl.ocx").c_str());
    FARPROC fn = dll ? GetProcAddress(dll, "HtmlHelpA") : nullptr;
    call_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(fn));
    // On this thread rather than one of the viewer's own: HH_PRETRANSLATEMESSAGE then
    // gives it the keyboard.
    if (call_) call_(nullptr, nullptr, HH_INITIALIZE, DWORD_PTR(&cookie_));
    return call_ != nullptr;
}

bool HtmlHelpViewer::open(HWND owner, const std::string& file) {
    return load() && call_(owner, file.c_str(), HH_DISPLAY_TOPIC, 0) != nullptr;
}

bool HtmlHelpViewer::preTranslate(MSG& msg) {
    return call_ && call_(nullptr, nullptr, HH_PRETRANSLATEMESSAGE, DWORD_PTR(&msg)) != nullptr;
}

void HtmlHelpViewer::closeAll() {
    if (!call_) return;
    call_(nullptr, nullptr, HH_CLOSE_ALL, 0);
    if (cookie_) call_(nullptr, nullptr, HH_UNINITIALIZE, cookie_);
    cookie_ = 0;
}

}  // namespace dv
