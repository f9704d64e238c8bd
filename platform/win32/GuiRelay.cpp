#include "platform/win32/GuiRelay.h"

#include <memory>

namespace dv {

namespace {

constexpr char kRelayClass[] = "DustvaneRelay";
constexpr UINT kRelayCall = WM_APP + 1;  // lParam: a std::function<void()> to run and delete

}  // namespace

GuiRelay::GuiRelay() {
    WNDCLASSEXA rc = {};
    rc.cbSize = sizeof rc;
    rc.lpfnWndProc = proc;
    rc.hInstance = GetModuleHandleA(nullptr);
    rc.lpszClassName = kRelayClass;
    RegisterClassExA(&rc);  // fails harmlessly for the second relay: the class exists
    hwnd_ = CreateWindowExA(0, kRelayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

GuiRelay::~GuiRelay() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK GuiRelay::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRelayCall) {
        std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lp));
        if (call && *call) (*call)();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool GuiRelay::post(std::function<void()> call) {
    auto* heap = new std::function<void()>(std::move(call));
    if (hwnd_ && PostMessageA(hwnd_, kRelayCall, 0, reinterpret_cast<LPARAM>(heap))) return true;
    delete heap;
    return false;
}

}  // namespace dv
