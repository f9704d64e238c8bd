#include "platform/win32/Win32Threads.h"

#include <algorithm>

namespace dv {

namespace {

DWORD WINAPI threadMain(void* parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    try {
        (*body)();
    } catch (...) {
        // A worker that cannot go on (out of memory) ends quietly, as any failure of the
        // update check does.
    }
    return 0;
}

class Win32Worker : public Worker {
public:
    explicit Win32Worker(HANDLE thread) : thread_(thread) {}
    ~Win32Worker() override { CloseHandle(thread_); }
    bool wait(uint32_t ms) override { return WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE thread_;
};

bool ended(HANDLE thread) { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }

}  // namespace

Win32Threads::Win32Threads() : stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Win32Threads::~Win32Threads() {
    finish(INFINITE);
    for (HANDLE h : running_) CloseHandle(h);
    if (stop_) CloseHandle(stop_);
}

std::unique_ptr<Worker> Win32Threads::start(std::function<void()> body) {
    // Under the lock, so that finish() either refuses this thread or waits for it.
    std::lock_guard<std::mutex> guard(lock_);
    if (stopping()) return nullptr;
    auto* heap = new std::function<void()>(std::move(body));
    HANDLE thread = CreateThread(nullptr, 0, threadMain, heap, 0, nullptr);
    if (!thread) {
        delete heap;
        return nullptr;
    }
    auto gone = std::remove_if(running_.begin(), running_.end(), [](HANDLE h) {
        if (!ended(h)) return false;
        CloseHandle(h);
        return true;
    });
    running_.erase(gone, running_.end());
    HANDLE kept = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &kept, SYNCHRONIZE,
                        FALSE, 0))
        running_.push_back(kept);
    return std::make_unique<Win32Worker>(thread);
}

bool Win32Threads::postToGui(std::function<void()> call) {
    return !stopping() && relay_.post(std::move(call));
}

bool Win32Threads::stopping() { return !stop_ || WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

bool Win32Threads::pause(uint32_t ms) { return stop_ && WaitForSingleObject(stop_, ms) == WAIT_TIMEOUT; }

bool Win32Threads::finish(uint32_t ms) {
    if (stop_) SetEvent(stop_);
    std::vector<HANDLE> threads;
    {
        std::lock_guard<std::mutex> guard(lock_);
        threads = running_;
    }
    const DWORD started = GetTickCount();
    for (HANDLE h : threads) {
        DWORD spent = GetTickCount() - started;
        DWORD left = ms == INFINITE ? INFINITE : (spent >= ms ? 0 : ms - spent);
        if (WaitForSingleObject(h, left) != WAIT_OBJECT_0) return false;
    }
    return true;
}

}  // namespace dv
