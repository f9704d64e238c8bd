// Worker threads through CreateThread, a stop event every wait listens to, and the relay
// back to the GUI thread.
#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

#include "platform/Threads.h"
#include "platform/win32/GuiRelay.h"

namespace dv {

class Win32Threads final : public Threads {
public:
    Win32Threads();  // on the GUI thread
    // Waits for every thread: call finish() with a bound first.
    ~Win32Threads() override;
    Win32Threads(const Win32Threads&) = delete;
    Win32Threads& operator=(const Win32Threads&) = delete;

    std::unique_ptr<Worker> start(std::function<void()> body) override;
    bool postToGui(std::function<void()> call) override;
    bool stopping() override;
    bool pause(uint32_t ms) override;

    // The program is ending: stopping() turns true, pauses end, posts are dropped; then
    // waits up to ms for every thread started. True when none is left running.
    bool finish(uint32_t ms);

private:
    HANDLE stop_;  // manual-reset event
    GuiRelay relay_;
    std::mutex lock_;
    std::vector<HANDLE> running_;  // threads that may not have ended yet
};

}  // namespace dv
