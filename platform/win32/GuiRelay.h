// Carries calls from other threads to the thread that made the relay (the GUI thread):
// each call runs there when that thread next handles its messages.
#pragma once
#include <windows.h>

#include <functional>

namespace dv {

class GuiRelay {
public:
    GuiRelay();  // on the GUI thread
    ~GuiRelay();
    GuiRelay(const GuiRelay&) = delete;
    GuiRelay& operator=(const GuiRelay&) = delete;

    // From any thread. False (the call dropped) when it cannot be posted.
    bool post(std::function<void()> call);

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

}  // namespace dv
